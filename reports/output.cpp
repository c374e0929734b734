#include "reports/output.h"

#include <algorithm>

#include "common/text.h"
#include "programinfo/notes.h"
#include "programinfo/resolve.h"
#include "res/resource_ids.h"
#include "reports/csv_report.h"
#include "reports/program_report.h"
#include "reports/registry_export.h"
#include "reports/scan_log.h"
#include "settings/store.h"
#include "settings/strings.h"

namespace sx::reports {

namespace {

bool open_written(AppState& app, platform::WindowRef owner, const std::optional<std::string>& path) {
    if (!path) return false;
    app.os.shell.execute(owner, "open", *path, {}, {}, platform::kShowNormal);
    return true;
}

}  // namespace

std::optional<std::string> WriteReportFile(AppState& app, std::string_view name, std::string_view bytes) {
    const std::string own = programinfo::own_folder(app.os);
    const std::string beside_program = own + "\\" + std::string(name);
    if (app.os.files.write(beside_program, bytes)) return beside_program;
    const std::string user_folder = programinfo::user_data_folder(app.os);
    if (!iequals(user_folder, own)) {
        const std::string in_user_folder = user_folder + "\\" + std::string(name);
        if (app.os.files.write(in_user_folder, bytes)) return in_user_folder;
    }
    app.os.prompts.tell(fill_in(settings::load_string(app, IDS_REPORT_NOT_WRITTEN), name), platform::Icon::exclamation);
    return std::nullopt;
}

bool WriteProgramReport(AppState& app, platform::WindowRef owner) {
    const ProgramReportRecords records = GatherProgramReport(app);
    const std::string text = records.format == 0 ? program_report_html(records) : program_report_text(records);
    return open_written(app, owner, WriteReportFile(app, program_report_name(records.format), text));
}

bool WriteCsvReport(AppState& app, platform::WindowRef owner) {
    return open_written(app, owner, WriteReportFile(app, kCsvReportName, csv_report_text(GatherCsvReport(app))));
}

bool WriteScanLog(AppState& app, platform::WindowRef owner) {
    return open_written(app, owner, WriteReportFile(app, kScanLogName, scan_log_text(GatherScanLog(app))));
}

bool ExportSettings(AppState& app) {
    platform::Platform& os = app.os;
    std::vector<ExportKey> keys = GatherExportKey(os.registry, platform::Root::current_user, settings::kSentrixKey);
    for (ExportKey& key : GatherExportKey(os.registry, platform::Root::local_machine, "SOFTWARE\\Orvane")) {
        keys.push_back(std::move(key));
    }
    const std::string name = cut(os.system.user_name(), kUserNameMax) + std::string(kSettingsExportSuffix);
    // An export that silently lacks a key would be taken for the whole of the settings.
    if (std::any_of(keys.begin(), keys.end(), [](const ExportKey& key) { return !key.complete; })) {
        os.prompts.tell(fill_in(settings::load_string(app, IDS_EXPORT_FAILED), name), platform::Icon::exclamation);
        return false;
    }
    const ToUtf16 to_utf16 = [&os](std::string_view ansi) { return os.system.to_utf16(ansi); };
    const std::string text = registry_file_bytes(registry_export_text(keys, to_utf16), to_utf16);
    const std::optional<std::string> path = WriteReportFile(app, name, text);
    if (!path) return false;
    const std::string long_form = os.files.long_path(*path);
    os.prompts.tell(fill_in(settings::load_string(app, IDS_SETTINGS_EXPORTED), long_form.empty() ? *path : long_form),
                    platform::Icon::information);
    return true;
}

}  // namespace sx::reports
