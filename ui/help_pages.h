// Which help page belongs to a page command and where it is opened from, the event sounds and the
// HOSTS file viewer, as far as they are the program's own rules (the window layer plays and shows).
#pragma once

#include <string>
#include <string_view>

#include "common/state.h"

namespace sx::ui {

std::string_view help_page(int page_command);
// The help file name for a language code: "startup.html" in English ("us"), "de_startup.html" else.
std::string help_page_name(std::string_view language_code, int page_command);

// Opens the help page of a page command: the file beside the program when it is there, else the page
// below the vendor's site (through the AOL program when its browser is open). True when opened.
bool open_help(AppState& app, platform::WindowRef owner, int page_command);

// The registry key (below HKCU) of the sound of event `index`; an index outside the table is the
// "Open" event's.
inline constexpr int kSoundEvents = 7;
std::string_view event_sound_key(int index);
// The sound file of an event; empty for the program's own sound (none chosen).
std::string event_sound_file(AppState& app, int index);

// Opens the HOSTS file in the Windows folder's Notepad; false when there is no HOSTS file.
bool ViewHostsFile(AppState& app);

}  // namespace sx::ui
