// The process: start-up, the hidden main window that receives page commands, the message loop.
#pragma once

#include "ui/win32/frame.h"

namespace sx::app {

// Runs the program for a command line (the text after the program name); the process exit code.
int run(ui::Frame& frame, const char* command_line);

}  // namespace sx::app
