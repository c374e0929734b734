#include "programinfo/resolve.h"

#include <algorithm>

#include "common/text.h"
#include "settings/store.h"

namespace sx::programinfo {

namespace {

constexpr std::string_view kSystemRootToken = "SYSTEMROOT";
constexpr std::string_view kProgramFilesToken = "%PROGRAMFILES%";
// Where the rest of the command starts after each prefix: the kernel form "\SystemRoot\..." keeps
// its backslash, as does "%ProgramFiles%\...".
constexpr size_t kSystemRootTail = 11;
constexpr size_t kProgramFilesTail = 14;
// Characters copied after the extension's dot.
constexpr size_t kExtensionLength = 3;
// Buffer for the ProgramFilesDir value: a longer value reads as missing.
constexpr size_t kFolderValueBuffer = kPathMax + 1;

char upper_ascii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view tail(std::string_view text, size_t from) {
    return from < text.size() ? text.substr(from) : std::string_view();
}

// A "." whose second following character is X or L (".EXE", ".DLL") ends the program path.
bool ends_path_at(std::string_view text, size_t i) {
    if (text[i] != '.' || i + 2 >= text.size()) return false;
    const char marker = upper_ascii(text[i + 2]);
    return marker == 'X' || marker == 'L';
}

bool is_file(platform::Platform& os, std::string_view path) {
    if (path.empty()) return false;
    const uint32_t attributes = os.files.attributes(path);
    return attributes != platform::attr::invalid && (attributes & platform::attr::directory) == 0;
}

std::string joined(std::string_view folder, std::string_view name) {
    std::string path(folder);
    path += '\\';
    path += name;
    return path;
}

}  // namespace

CommandPrefix command_prefix(std::string_view command) {
    if (ifind(command, kSystemRootToken) != std::string_view::npos) return CommandPrefix::system_root;
    if (ifind(command, kProgramFilesToken) != std::string_view::npos) return CommandPrefix::program_files;
    return CommandPrefix::none;
}

CommandParts split_command(std::string_view command, std::string_view windows_folder,
                           std::string_view program_files_dir) {
    command = command.substr(0, std::min(command.size(), kPathMax));

    std::string text;
    switch (command_prefix(command)) {
    case CommandPrefix::system_root:
        text = std::string(windows_folder) + std::string(tail(command, kSystemRootTail));
        break;
    case CommandPrefix::program_files:
        text = std::string(program_files_dir) + std::string(tail(command, kProgramFilesTail));
        break;
    case CommandPrefix::none:
        text = std::string(command);
        break;
    }
    if (text.size() > kPathMax) text.resize(kPathMax);

    // The path ends with its extension; whatever follows it is arguments.
    size_t end = text.size();
    for (size_t i = 0; i < text.size(); ++i) {
        if (ends_path_at(text, i)) {
            end = std::min(text.size(), i + 1 + kExtensionLength);
            break;
        }
    }
    // The last drive letter starts the path; a colon in first place counts as one at the start.
    const size_t colon = std::string_view(text).substr(0, end).rfind(':');
    const size_t start = colon == std::string::npos ? 0 : (colon > 0 ? colon - 1 : 0);
    CommandParts parts;
    parts.program = text.substr(start, end - start);
    const size_t arguments = text.find_first_not_of(' ', end);
    if (arguments != std::string::npos) parts.arguments = text.substr(arguments);
    return parts;
}

std::string resolve_command(std::string_view command, std::string_view windows_folder,
                            std::string_view program_files_dir) {
    std::string path = split_command(command, windows_folder, program_files_dir).program;
    for (char& c : path) c = upper_ascii(c);
    return path;
}

std::string program_files_dir(platform::Platform& os) {
    std::string folder = settings::read_text(os, platform::Root::local_machine, kCurrentVersionKey,
                                             kProgramFilesValue, kFolderValueBuffer);
    return folder.empty() ? std::string(kDefaultProgramFiles) : folder;
}

CommandParts SplitCommand(platform::Platform& os, std::string_view command) {
    const std::string_view limited = command.substr(0, std::min(command.size(), kPathMax));
    switch (command_prefix(limited)) {
    case CommandPrefix::system_root:
        return split_command(limited, os.system.windows_folder(), {});
    case CommandPrefix::program_files:
        return split_command(limited, {}, program_files_dir(os));
    case CommandPrefix::none:
        break;
    }
    return split_command(limited, {}, {});
}

std::string ResolveProgramPath(platform::Platform& os, std::string_view command) {
    // Each folder is asked for only when the command needs it: a list fill resolves every row.
    const std::string_view limited = command.substr(0, std::min(command.size(), kPathMax));
    switch (command_prefix(limited)) {
    case CommandPrefix::system_root:
        return resolve_command(limited, os.system.windows_folder(), {});
    case CommandPrefix::program_files:
        return resolve_command(limited, {}, program_files_dir(os));
    case CommandPrefix::none:
        break;
    }
    return resolve_command(limited, {}, {});
}

bool ProgramFileExists(platform::Platform& os, std::string& path) {
    if (is_file(os, path)) return true;
    if (path.empty() || path.size() >= kBareNameLimit) return false;
    if (is_file(os, joined(os.system.windows_folder(), path))) return true;
    const std::string in_system = joined(os.system.system_folder(), path);
    if (!is_file(os, in_system)) return false;
    std::string short_form = os.files.short_path(in_system);
    path = short_form.empty() ? in_system : std::move(short_form);
    return true;
}

std::string ProgramFolder(platform::Platform& os, std::string_view path) {
    const size_t slash = path.rfind('\\');
    if (slash != std::string_view::npos) {
        std::string_view folder = path.substr(0, slash);
        // A file in a root keeps the root's backslash: "C:\".
        if (folder.empty() || folder.back() == ':') folder = path.substr(0, slash + 1);
        return std::string(folder);
    }
    if (path.empty() || path.size() >= kBareNameLimit) return {};
    std::string windows = os.system.windows_folder();
    if (is_file(os, joined(windows, path))) return windows;
    std::string system = os.system.system_folder();
    if (is_file(os, joined(system, path))) return system;
    return {};
}

std::string full_program_path(platform::Platform& os, std::string_view command) {
    std::string path = ResolveProgramPath(os, command);
    if (path.find('\\') != std::string::npos) return path;
    std::string folder = ProgramFolder(os, path);
    return folder.empty() ? path : joined(folder, path);
}

std::string own_folder(platform::Platform& os) {
    std::string folder(folder_part(os.system.program_file()));
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

std::string long_path_form(platform::Platform& os, const std::string& path) {
    if (path.find('~') == std::string::npos) return path;
    const platform::OsVersion v = os.system.version();
    if (v.platform == 1 && v.minor == 0) return path;  // Windows 95 has no GetLongPathNameA
    std::string longer = os.files.long_path(path);
    return longer.empty() ? path : longer;
}

}  // namespace sx::programinfo
