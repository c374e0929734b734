// Running programs: the list of the Active Tasks page, and finding and stopping the program of a
// startup entry.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/state.h"

namespace sx::startup {

// Empties the shared item list and lists each running program file once; returns the count.
int ListProcesses(AppState& app);
// The process id of a running program started from `command`; 0 when it does not run.
uint32_t FindProcessOf(AppState& app, std::string_view command);
// Stops the running program of a command, asking first when `ask`, and records the stop in the
// history. Returns the process id stopped, 0 when nothing was stopped.
uint32_t StopProgram(AppState& app, std::string_view command, std::string_view title, bool ask);
// Starts the program of a listed entry: the resolved program file by its full path (never looked
// for along the command line), quoted, with the command's arguments after it, in its own folder; an
// entry started through RUNDLL32 (flag 1) by the system folder's rundll32.exe with the quoted DLL.
// The user is told when it does not start. True when it started.
bool RunProgram(AppState& app, const StartupEntry& entry);
// Terminates a process; true when it was terminated.
bool KillProcess(AppState& app, uint32_t pid);

}  // namespace sx::startup
