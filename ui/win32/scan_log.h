// The reports the window asks for: the system scan log the sheet writes when the program runs under a
// name containing "hijack", and the reports of the Options page buttons and of the page command 9.
#pragma once

#include "ui/win32/frame.h"

namespace sx::ui {

void write_hijack_log(Frame& frame);
// Writes and opens the report of an Options page button (or IDM_PROGRAM_REPORT) with the wait cursor
// shown; `owner` owns whatever the shell opens.
void write_report(Frame& frame, HWND owner, int command);

}  // namespace sx::ui
