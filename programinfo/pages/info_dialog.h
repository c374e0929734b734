// The information window: what is known about one entry of the shared item list, paged through the
// list with Next and Previous, with the program's stop and start, a service's stop and start type,
// the personal note, and the online program-information request.
#pragma once

#include <windows.h>

#include <cstddef>

#include "ui/win32/frame.h"

namespace sx::ui {

// Shows the window, modal to `owner`, on entry `index` of the shared item list.
void show_info_dialog(Frame& frame, HWND owner, size_t index);

}  // namespace sx::ui
