// Help pages, the event sounds and the HOSTS file viewer.
#pragma once

#include <string>

#include "ui/win32/frame.h"

namespace sx::ui {

void show_help(Frame& frame, int page_command);
// Plays the sound of an event (0 "Open" ... 6; any other index is "Open") while the sound switch is
// on: the file the user chose for it, else the program's own sound.
void play_event_sound(Frame& frame, int index);
void view_hosts_file(Frame& frame);

}  // namespace sx::ui
