#include "reports/csv_report.h"

#include "common/text.h"
#include "inventory/activex.h"
#include "inventory/browser_scans.h"
#include "inventory/services.h"
#include "inventory/tasks.h"
#include "programinfo/first_detected.h"
#include "programinfo/resolve.h"
#include "programinfo/version_texts.h"
#include "reports/environment.h"
#include "reports/gather.h"
#include "reports/report_text.h"
#include "startup/active_tasks.h"
#include "startup/catalogue.h"
#include "startup/delayed.h"
#include "startup/item_list.h"
#include "startup/windows_switch.h"

namespace sx::reports {

namespace {

constexpr size_t kFileNameMax = 260, kCompanyMax = 128, kDescriptionMax = 1024, kVersionMax = 128;

// A column that never holds a comma: each becomes a blank.
std::string no_commas(std::string_view text, size_t max) {
    std::string out = cut(text, max);
    for (char& c : out) {
        if (c == ',') c = ' ';
    }
    return out;
}

void add(CsvRecords& r, AppState& s, CsvGroup group, const StartupEntry& e, std::string status = {}) {
    const std::string program = programinfo::ResolveProgramPath(s.os, e.command);
    r.entries.push_back({group, e, programinfo::cached_version_texts(s, program),
                         programinfo::ReadFirstDetected(s.os, programinfo::full_program_path(s.os, e.command), e.type),
                         std::move(status)});
}

// A startup entry's status is Windows' switch of it, as a word in its SubType.
void add_listed(CsvRecords& r, AppState& s, CsvGroup group) {
    const bool startup = group == CsvGroup::run_keys || group == CsvGroup::startup_folders;
    for (const StartupEntry& e : s.items.entries()) add(r, s, group, e, startup ? startup::WindowsOffWord(s, e) : "");
}

}  // namespace

std::pair<std::string, std::string> csv_kind(const CsvEntry& e) {
    static constexpr const char* kRunKeys[] = {"Run", "RunOnce", "RunOnceEx", "RunServices", "RunServicesOnce", "RunOnceSetup"};
    static constexpr const char* kUserRunKeys[] = {"Run", "RunOnce", "RunOnceEx", "RunServices", "RunServiceOnce", "RunOnceSetup"};
    const std::string off = e.status.empty() ? "" : " " + e.status;
    switch (e.group) {
        case CsvGroup::run_keys: {
            const int t = e.entry.type;
            if (t >= 1 && t <= 6) return {"HKLM", kRunKeys[t - 1] + off};
            if (t >= 11 && t <= 16) return {"HKCU", kRunKeys[t - 11] + off};
            if (t >= 21 && t <= 26) return {"HKU", kUserRunKeys[t - 21] + off};
            return {"UnknownKey", "Run" + off};
        }
        case CsvGroup::startup_folders: return {"Startup", "Folder" + off};
        case CsvGroup::delayed: return {"Delayed Start", ""};
        case CsvGroup::processes: return {"Active Tasks", ""};
        case CsvGroup::helpers: return {"IE Helpers", "BHO"};
        case CsvGroup::activex: return {"ActiveX", ""};
        case CsvGroup::toolbars: return {"IE Helpers", "Toolbar"};
        case CsvGroup::services: return {"Services", e.status};
        default: return {"Scheduled Tasks", ""};
    }
}

std::string csv_report_text(const CsvRecords& r) {
    std::string out = format("Log created by %s version %s\r\n", one_line(r.caption).c_str(), one_line(r.version).c_str());
    out += format("Scan saved at %s, on %s\r\n", clock_text(r.now).c_str(), date_text(r.now).c_str());
    out += "Type,SubType,Title,Filename,Company,First Detected,Path,Description, Version\r\n";
    for (const CsvEntry& e : r.entries) {
        const auto [type, subtype] = csv_kind(e);
        const std::string fields[] = {
            csv_field(type), csv_field(subtype), csv_field(e.entry.title),
            // The file name column begins with a blank, inside the quotes when it needs them.
            csv_field(" " + no_commas(file_part(e.entry.command), kFileNameMax)),
            csv_field(no_commas(e.versions.CompanyName, kCompanyMax)), csv_field(e.first_detected), csv_field(e.entry.command),
            csv_field(no_commas(e.versions.FileDescription, kDescriptionMax)),
            csv_field(no_commas(e.versions.ProductVersion, kVersionMax))};
        for (size_t i = 0; i < std::size(fields); ++i) out += (i ? "," : "") + fields[i];
        out += "\r\n";
    }
    return out;
}

CsvRecords GatherCsvReport(AppState& app) {
    ReportState state(app);
    AppState& s = *state;
    CsvRecords r;
    r.caption = app.caption;
    r.version = ProgramVersion(s);
    r.now = s.os.system.now();
    startup::ClearItems(s);
    startup::EnumerateRunKeys(s);
    add_listed(r, s, CsvGroup::run_keys);
    startup::ClearItems(s);
    startup::EnumerateStartupFolders(s);
    add_listed(r, s, CsvGroup::startup_folders);
    startup::EnumerateDelayed(s);
    add_listed(r, s, CsvGroup::delayed);
    startup::ListProcesses(s);
    add_listed(r, s, CsvGroup::processes);
    for (const StartupEntry& e : inventory::ScanBrowserHelperObjects(s)) add(r, s, CsvGroup::helpers, e);
    inventory::ListAllActiveXControls(s);
    for (const StartupEntry& e : s.items.entries()) {
        if (!(static_cast<uint32_t>(e.flag) & inventory::kKillBit)) add(r, s, CsvGroup::activex, e);
    }
    for (const StartupEntry& e : inventory::ScanToolbars(s)) add(r, s, CsvGroup::toolbars, e);
    const inventory::ServiceStates states(s);
    inventory::ListServices(s, states);
    for (const StartupEntry& e : s.items.entries()) {
        const platform::ServiceState* known = states.find(e.id);
        add(r, s, CsvGroup::services, e,
            inventory::ServiceStatusText(s, known ? inventory::run_state_word(*known) : 0));
    }
    inventory::ListScheduledTasks(s);
    add_listed(r, s, CsvGroup::tasks);
    return r;
}

}  // namespace sx::reports
