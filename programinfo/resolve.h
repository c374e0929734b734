// From a command line as Windows stores it to the program file it names, and the folder that holds
// that file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace sx::programinfo {

// Longest path the program works with (MAX_PATH without its terminating zero). Commands are looked
// at up to this length and resolved paths are never longer.
inline constexpr size_t kPathMax = 259;
// Bare names at least this long are never looked for in the Windows or system folder.
inline constexpr size_t kBareNameLimit = 32;

inline constexpr std::string_view kCurrentVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
inline constexpr std::string_view kProgramFilesValue = "ProgramFilesDir";
inline constexpr std::string_view kDefaultProgramFiles = "C:\\Program Files";

// Which folder prefix a command carries.
enum class CommandPrefix { none, system_root, program_files };
CommandPrefix command_prefix(std::string_view command);

// A command line as the program file it names (spelt as in the command, without quotes) and the
// arguments that follow it (without the blanks before them).
struct CommandParts {
    std::string program;
    std::string arguments;
};
// The pure core of SplitCommand; resolve_command is its program part in upper case.
CommandParts split_command(std::string_view command, std::string_view windows_folder,
                           std::string_view program_files_dir);
// A command split with this system's folders.
CommandParts SplitCommand(platform::Platform& os, std::string_view command);

// The pure core of ResolveProgramPath: the program file named by `command`, upper-case, without
// quotes or arguments, at most kPathMax characters. `windows_folder` replaces a "SYSTEMROOT" form,
// `program_files_dir` a "%PROGRAMFILES%" one (each used only for its own prefix).
std::string resolve_command(std::string_view command, std::string_view windows_folder,
                            std::string_view program_files_dir);

// ProgramFilesDir of HKLM SOFTWARE\Microsoft\Windows\CurrentVersion, "C:\Program Files" when missing.
std::string program_files_dir(platform::Platform& os);

// The program file named by a command (resolve_command with this system's folders).
std::string ResolveProgramPath(platform::Platform& os, std::string_view command);

// True when the file exists as given, or, for a text shorter than kBareNameLimit, in the Windows
// folder or the system folder. Found in the system folder, `path` becomes that file's short path.
// Folders do not count as program files.
bool ProgramFileExists(platform::Platform& os, std::string& path);

// The folder part of a path ("C:\" for a file in a root); for a bare name shorter than
// kBareNameLimit, the Windows folder or the system folder, whichever holds the file; empty when none.
std::string ProgramFolder(platform::Platform& os, std::string_view path);

// The resolved program path made absolute: a bare name found in the Windows or system folder gets
// that folder put before it; anything else is ResolveProgramPath's result. This is the key text
// under which per-program records (first-detected dates) are stored.
std::string full_program_path(platform::Platform& os, std::string_view command);

// The long-path form of a path (GetLongPathNameA), or the path itself when the call fails. Only
// short-name components change, and every generated short name carries a "~": other paths are
// returned without asking the file system.
std::string long_path_form(platform::Platform& os, const std::string& path);

// The folder of this program's own file, without a trailing backslash.
std::string own_folder(platform::Platform& os);

}  // namespace sx::programinfo
