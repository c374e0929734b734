// The system scan log the sheet writes when the program runs under a name containing "hijack".
#pragma once

#include "ui/win32/frame.h"

namespace sx::ui {

void write_hijack_log(Frame& frame);

}  // namespace sx::ui
