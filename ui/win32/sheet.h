// The property sheet: its pages in tab order, opening it on a page command, its resizing.
#pragma once

#include <windows.h>

#include "ui/win32/frame.h"

namespace sx::ui {

// Builds and runs the sheet modally; while it is open, only brings it to the front.
void open_sheet(Frame& frame, int command);
// Once per sheet, at the first page's initialisation: subclass, minimum size, status bar.
void first_page_setup(Frame& frame, HWND sheet);
// Lays out the sheet's tab control, status bar and Close button for `page`, and the page itself.
void layout_sheet(Frame& frame, HWND page);

// The tab the sheet starts on: the page carrying `command`, the last tab for the Options command,
// else the first. `commands` are the page commands in tab order.
int start_tab(const int* commands, int count, int command);

}  // namespace sx::ui
