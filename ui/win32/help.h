// Help pages, the event sounds and the HOSTS file viewer.
#pragma once

#include <string>

#include "ui/win32/frame.h"

namespace sx::ui {

void show_help(Frame& frame, int page_command);
// Plays the sound of an event (0 "Open" ... 6) while the sound switch is on.
void play_event_sound(Frame& frame, int index);
void view_hosts_file(Frame& frame);

}  // namespace sx::ui
