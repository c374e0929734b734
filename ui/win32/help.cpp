#include "ui/win32/help.h"

#include <mmsystem.h>

#include "res/resource_ids.h"
#include "ui/help_pages.h"

namespace sx::ui {

void show_help(Frame& frame, int page_command) { open_help(frame.app, frame.owner_ref(frame.main), page_command); }

void play_event_sound(Frame& frame, int index) {
    if (frame.app.settings.sound == 0) return;
    const std::string file = event_sound_file(frame.app, index);
    if (!file.empty()) {
        PlaySoundA(file.c_str(), nullptr, SND_FILENAME | SND_NOWAIT);
    } else {
        PlaySoundA(MAKEINTRESOURCEA(IDW_OPEN), frame.instance, SND_RESOURCE | SND_NOWAIT);
    }
}

void view_hosts_file(Frame& frame) {
    if (!ViewHostsFile(frame.app)) frame.message(nullptr, frame.text(IDS_NO_HOSTS_FILE), MB_ICONINFORMATION);
}

}  // namespace sx::ui
