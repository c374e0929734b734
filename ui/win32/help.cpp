#include "ui/win32/help.h"

#include <mmsystem.h>

#include "common/text.h"
#include "programinfo/resolve.h"
#include "res/resource_ids.h"
#include "settings/store.h"
#include "settings/strings.h"
#include "ui/help_pages.h"

namespace sx::ui {

namespace {

constexpr std::string_view kSoundKeys[] = {
    "AppEvents\\Schemes\\Apps\\Sentrix\\Open\\.current",
    "AppEvents\\Schemes\\Apps\\Sentrix\\Startup Alert\\.current",
    "AppEvents\\Schemes\\Apps\\Sentrix\\Cookie Alert\\.current",
    "AppEvents\\Schemes\\Apps\\Sentrix\\Task Alert\\.current",
    "AppEvents\\Schemes\\Apps\\Sentrix\\IE Helper\\.current",
    "AppEvents\\Schemes\\Apps\\Sentrix\\FileType Alert\\.current",
    "AppEvents\\Schemes\\Apps\\Sentrix\\SystemFile Alert\\.current",
};

// An AOL browser window, whose own program must receive web addresses.
bool aol_running() {
    static constexpr const char* kFrameTitles[] = {"America  Online", "America Online", "AOL", "AOL Canada"};
    for (const char* title : kFrameTitles) {
        if (FindWindowA("AOL Frame25", title)) return true;
    }
    return FindWindowA("AOL Frame", "America  Online") != nullptr;
}

std::string aol_command(Frame& frame) {
    const std::string folder = frame.app.os.profile.read({}, "WAOL", "AppPath", 260);
    return folder.empty() ? std::string("waol.exe -u\"") : folder + "\\WAOL.EXE -u\"";
}

}  // namespace

void show_help(Frame& frame, int page_command) {
    std::string code;
    settings::load_string(frame.app, IDS_LANGUAGE_CODE, code, 8);
    const std::string page = help_page_name(code, page_command);
    platform::Platform& os = frame.app.os;
    std::string local = programinfo::own_folder(os) + "\\" + page;
    if (programinfo::ProgramFileExists(os, local)) {
        os.shell.execute(frame.owner_ref(frame.main), "open", local, {}, {}, platform::kShowNormal);
        return;
    }
    const std::string address = std::string(kHelpWebAddress) + page;
    if (aol_running()) {
        os.shell.run(aol_command(frame) + address, platform::kShowNormal);
        return;
    }
    os.shell.execute(frame.owner_ref(frame.main), "open", address, {}, {}, platform::kShowNormal);
}

void play_event_sound(Frame& frame, int index) {
    if (index < 0 || index > 5) index = 0;
    if (frame.app.settings.sound == 0) return;
    const std::string file = settings::read_text(frame.app.os, platform::Root::current_user,
                                                 kSoundKeys[static_cast<size_t>(index)], "", 260);
    if (!file.empty()) {
        PlaySoundA(file.c_str(), nullptr, SND_FILENAME | SND_NOWAIT);
    } else {
        PlaySoundA(MAKEINTRESOURCEA(IDW_OPEN), frame.instance, SND_RESOURCE | SND_NOWAIT);
    }
}

void view_hosts_file(Frame& frame) {
    platform::Platform& os = frame.app.os;
    const std::string path = frame.is_nt() ? os.system.system_folder() + "\\drivers\\etc\\HOSTS"
                                           : os.system.windows_folder() + "\\HOSTS";
    if (os.files.attributes(path) != platform::attr::invalid) {
        // Notepad from the system folder only, and the path quoted when it has blanks.
        const std::string notepad = os.system.system_folder() + "\\notepad.exe";
        const std::string argument = path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
        os.shell.execute(0, "open", notepad, argument, path.substr(0, path.size() - 6), platform::kShowNormal);
        return;
    }
    frame.message(nullptr, frame.text(IDS_NO_HOSTS_FILE), MB_ICONINFORMATION);
}

}  // namespace sx::ui
