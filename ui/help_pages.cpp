#include "ui/help_pages.h"

#include <array>
#include <utility>

#include "common/text.h"
#include "programinfo/lookup.h"
#include "programinfo/resolve.h"
#include "res/resource_ids.h"
#include "settings/store.h"
#include "settings/strings.h"

namespace sx::ui {

namespace {

constexpr std::array<std::pair<int, std::string_view>, 12> kPages = {{
    {CMD_STARTUP, "startup.html"},
    {CMD_COOKIES, "cookies.html"},
    {CMD_ACTIVE_TASKS, "tasks.html"},
    {CMD_OPTIONS, "options.html"},
    {CMD_SERVICES, "services.html"},
    {CMD_SCHEDULED_TASKS, "scheduler.html"},
    {CMD_IE_HELPERS, "bho.html"},
    {CMD_FILE_TYPES, "filetype.html"},
    {CMD_HELPME, "helpme.html"},
    {CMD_HIDDEN_FILES, "hidden.html"},
    {CMD_DELAY, "delay.html"},
    {CMD_ACTIVEX, "activex.html"},
}};

constexpr std::array<std::string_view, kSoundEvents> kSoundKeys = {
    "AppEvents\\Schemes\\Apps\\Sentrix\\Open\\.current",
    "AppEvents\\Schemes\\Apps\\Sentrix\\Startup Alert\\.current",
    "AppEvents\\Schemes\\Apps\\Sentrix\\Cookie Alert\\.current",
    "AppEvents\\Schemes\\Apps\\Sentrix\\Task Alert\\.current",
    "AppEvents\\Schemes\\Apps\\Sentrix\\IE Helper\\.current",
    "AppEvents\\Schemes\\Apps\\Sentrix\\FileType Alert\\.current",
    "AppEvents\\Schemes\\Apps\\Sentrix\\SystemFile Alert\\.current",
};

constexpr size_t kLanguageCodeBuffer = 8;
constexpr size_t kSoundFileBuffer = 260;  // at most 259 characters
constexpr std::string_view kHostsName = "\\HOSTS";

}  // namespace

std::string_view help_page(int page_command) {
    for (const auto& [command, page] : kPages) {
        if (command == page_command) return page;
    }
    return "features.html";
}

std::string help_page_name(std::string_view language_code, int page_command) {
    std::string name;
    if (!iequals(language_code, "us")) {
        name = std::string(language_code) + "_";
    }
    return name + std::string(help_page(page_command));
}

bool open_help(AppState& app, platform::WindowRef owner, int page_command) {
    platform::Platform& os = app.os;
    std::string code;
    settings::load_string(app, IDS_LANGUAGE_CODE, code, static_cast<int>(kLanguageCodeBuffer));
    const std::string page = help_page_name(code, page_command);
    std::string local = programinfo::own_folder(os) + "\\" + page;
    if (programinfo::ProgramFileExists(os, local)) {
        return os.shell.execute(owner, "open", local, {}, {}, platform::kShowNormal);
    }
    const std::string address = programinfo::vendor_site(os) + page;
    if (programinfo::aol_browser_running(os)) {
        return os.shell.run(programinfo::aol_command_line(os, address), platform::kShowNormal);
    }
    return os.shell.execute(owner, "open", address, {}, {}, platform::kShowNormal);
}

std::string_view event_sound_key(int index) {
    return index >= 0 && index < kSoundEvents ? kSoundKeys[static_cast<size_t>(index)] : kSoundKeys[0];
}

std::string event_sound_file(AppState& app, int index) {
    return settings::read_text(app.os, platform::Root::current_user, event_sound_key(index), "", kSoundFileBuffer);
}

bool ViewHostsFile(AppState& app) {
    platform::Platform& os = app.os;
    const bool nt = os.system.version().platform == 2;
    const std::string path = (nt ? os.system.system_folder() + "\\drivers\\etc" : os.system.windows_folder()) +
                             std::string(kHostsName);
    if (os.files.attributes(path) == platform::attr::invalid) return false;
    // Notepad by its full path, never one found beside this program or in the current folder.
    const std::string notepad = os.system.windows_folder() + "\\notepad.exe";
    os.shell.execute(0, "open", notepad, "\"" + path + "\"", path.substr(0, path.size() - kHostsName.size()),
                     platform::kShowNormal);
    return true;
}

}  // namespace sx::ui
