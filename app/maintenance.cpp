#include "app/maintenance.h"

#include "common/text.h"
#include "programinfo/resolve.h"
#include "programinfo/version_texts.h"
#include "res/resource_ids.h"
#include "settings/store.h"
#include "settings/strings.h"
#include "startup/catalogue.h"
#include "startup/delayed.h"
#include "startup/disabled_store.h"
#include "startup/type_codes.h"

namespace sx::app {

using platform::Root;

namespace {

constexpr std::string_view kZentraMenuKey = "exefile\\shell\\Sentrix Zentra";
constexpr std::string_view kAutoUpdateKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update";
constexpr std::string_view kPrefixesKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\Prefixes";
constexpr std::string_view kDefaultPrefixKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\DefaultPrefix";
constexpr std::string_view kMachineRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

}  // namespace

void run_restore(AppState& app) {
    settings::reset_own_values(app.os);
    startup::RestoreAllDelayed(app);
    if (!settings::read_text(app.os, Root::classes_root, kZentraMenuKey, "", settings::kValueBuffer).empty()) {
        settings::delete_tree(app.os, Root::classes_root, kZentraMenuKey);
    }
}

void run_au_option(AppState& app) {
    const int value = settings::read_word(app.os, Root::current_user, settings::kSentrixKey, "AUOptions");
    settings::write_dword(app.os, Root::local_machine, kAutoUpdateKey, "AUOptions", static_cast<uint32_t>(value));
}

void run_set_prefix(AppState& app) {
    std::string prefix = settings::read_text(app.os, Root::current_user, settings::kSentrixKey, "wwwPrefix", 256);
    if (prefix.empty()) prefix = settings::load_string(app, IDS_DEFAULT_URL_PREFIX);
    settings::write_text(app.os, Root::local_machine, kPrefixesKey, "www", prefix);
    settings::write_text(app.os, Root::local_machine, kDefaultPrefixKey, "", prefix);
}

bool set_autorun(AppState& app, bool on) {
    if (on) {
        const std::string folder = programinfo::own_folder(app.os);
        // Quoted when the folder has blanks, so no "C:\Program.exe" can start in its place.
        std::string program = folder + "\\sentrix.exe";
        if (program.find(' ') != std::string::npos) program = "\"" + program + "\"";
        const std::string command = program + " -expressboot";
        const bool written = settings::write_text(app.os, Root::local_machine, kMachineRunKey,
                                                  settings::load_string(app, IDS_MONITOR_NAME), command);
        if (written) app.express_boot = true;
        settings::write_text(app.os, Root::current_user, settings::kKnownEntriesKey, command, "1");
        return written;
    }

    startup::EnumerateStartups(app, false);
    // Removing refills nothing, but copy the entries: the list is the program's shared state.
    const std::vector<StartupEntry> entries = app.items.entries();
    bool monitor_found = false;
    for (const StartupEntry& e : entries) {
        const std::string name(file_part(programinfo::ResolveProgramPath(app.os, e.command)));
        if (matches(name, "Sentrix.exe")) {
            monitor_found = true;
            startup::RemoveStartupEntry(app, "Sentrix", e.command, e.location, e.type);
            startup::RemoveStartupEntry(app, "Sentrix System Monitor", e.command, e.location, e.type);
        } else if (matches(name, "SentrixEx.exe")) {
            startup::RemoveStartupEntry(app, "Sentrix Explorer", e.command, e.location, e.type);
        }
    }
    if (monitor_found) app.express_boot = false;
    return monitor_found;
}

void delete_stale_prefetch(AppState& app) {
    const std::string folder = app.os.system.windows_folder() + "\\Prefetch";
    std::vector<platform::DirEntry> entries;
    if (!app.os.files.list(folder, entries)) return;
    for (const platform::DirEntry& entry : entries) {
        if (entry.name.empty() || entry.name[0] == '.' || (entry.attributes & platform::attr::directory)) continue;
        const std::string path = folder + "\\" + entry.name;
        if (!matches(path, "Sentrixusb.exe")) continue;
        app.os.files.set_attributes(path, platform::attr::normal);
        app.os.files.remove(path);
    }
}

std::string program_version(AppState& app) {
    VersionTexts texts;
    programinfo::ReadVersionTexts(app.os, app.os.system.program_file(), texts);
    return texts.ProductVersion;
}

}  // namespace sx::app
