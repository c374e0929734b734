// The History dialog: the history file listed, undone record by record, or cleared.
#pragma once

#include <windows.h>

#include "ui/win32/frame.h"

namespace sx::ui {

void show_history_dialog(Frame& frame, HWND owner);

}  // namespace sx::ui
