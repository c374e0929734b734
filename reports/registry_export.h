// The settings export: the program's own registry trees written as a file the registry editor imports,
// so a user can put the program's data and settings back by opening it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/state.h"

namespace sx::reports {

inline constexpr std::string_view kRegistryFileHeader = "Windows Registry Editor Version 5.00";
inline constexpr std::string_view kExportSuffix = "-Sentrix.reg";

// A value as a line of a registry file (with its CR LF): text values quoted with "\" and "\""
// escaped, a four-byte DWORD as dword:, any other type (or a DWORD of another size) as its bytes in
// hex so that it comes back with its own type and data.
std::string registry_value_line(const platform::RegValue& value);

// The key's block, its values and the blocks of all its subkeys below it, each block after a blank
// line; empty for a key that does not exist; nothing when the key or a key below it cannot be read.
std::optional<std::string> export_key(platform::Platform& os, platform::Root root, std::string_view path);

// The export file's path: the user's data folder, the user's name and kExportSuffix.
std::string settings_export_path(AppState& app);

// Writes the export of HKCU Software\Orvane\Sentrix and HKLM SOFTWARE\Orvane, then tells the user
// where it is (string 854). Trees that cannot be read whole or a file that cannot be written are told
// instead, and no file that lacks settings is left. 1 when written.
int ExportSettings(AppState& app);

}  // namespace sx::reports
