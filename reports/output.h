// Writing a report and opening it: into the program's folder when it can be written there, else into
// the user's own data folder; every write is checked, and a report is opened only once it is written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/state.h"

namespace sx::reports {

// The path written; empty when neither folder took the whole file (the user is then told).
std::optional<std::string> WriteReportFile(AppState& app, std::string_view name, std::string_view bytes);

// Each writes its file from records gathered on a list of its own, and opens it with the shell
// (owner: the window that asked). True when the file was written.
bool WriteProgramReport(AppState& app, platform::WindowRef owner);
bool WriteCsvReport(AppState& app, platform::WindowRef owner);
bool WriteScanLog(AppState& app, platform::WindowRef owner);
// Writes "<user>-Sentrix.reg" and tells the user where it is.
bool ExportSettings(AppState& app);

}  // namespace sx::reports
