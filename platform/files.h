// Files, folders and version resources as the logic sees them. Paths are Windows paths in the ANSI
// code page ("C:\\windows\\win.ini").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sx::platform {

namespace attr {
constexpr uint32_t readonly = 0x1;
constexpr uint32_t hidden = 0x2;
constexpr uint32_t system = 0x4;
constexpr uint32_t directory = 0x10;
constexpr uint32_t archive = 0x20;
constexpr uint32_t normal = 0x80;
constexpr uint32_t invalid = 0xFFFFFFFF;
// What SetFileAttributesA takes back of what a file has (with temporary, offline, not indexed).
constexpr uint32_t settable = readonly | hidden | system | archive | 0x100 | 0x1000 | 0x2000;
}  // namespace attr

struct DirEntry {
    std::string name;
    uint32_t attributes = 0;
};

// File times are 100-nanosecond ticks since 1601-01-01 UTC, as in FILETIME.
struct FileFacts {
    uint64_t created = 0;
    uint64_t accessed = 0;
    uint64_t written = 0;
    std::optional<uint64_t> size;  // empty when the size cannot be read
};

// What a list row reads from a program file, from one look at the file: its raw VS_VERSIONINFO
// resource and the image bytes (an RT_ICON resource) of icon group `icon_index` at the small-icon
// size. Each is empty when the file has none or is no executable.
struct ProgramResources {
    std::optional<std::string> version;
    std::string icon;
};

class Files {
public:
    virtual ~Files() = default;

    // attr::invalid when the path does not exist.
    virtual uint32_t attributes(std::string_view path) = 0;
    virtual bool set_attributes(std::string_view path, uint32_t attributes) = 0;
    // The entries of a folder as "folder\*.*" lists them, "." and ".." included; false when the folder
    // cannot be listed.
    virtual bool list(std::string_view folder, std::vector<DirEntry>& out) = 0;
    // Renames a file; fails when the target exists.
    virtual bool move(std::string_view from, std::string_view to) = 0;
    virtual bool copy(std::string_view from, std::string_view to, bool fail_if_exists) = 0;
    virtual bool remove(std::string_view path) = 0;
    virtual bool make_folder(std::string_view path) = 0;
    // At most `limit` bytes from the start of the file.
    virtual std::optional<std::string> read(std::string_view path, size_t limit) = 0;
    // Replaces the file's content, creating it when missing.
    virtual bool write(std::string_view path, std::string_view bytes) = 0;
    // Adds the bytes at the end in one write, creating the file when missing; the file is not shared
    // while it is open.
    virtual bool append(std::string_view path, std::string_view bytes) = 0;
    // Times and size of a file that opens for reading; empty when it does not.
    virtual std::optional<FileFacts> facts(std::string_view path) = 0;
    // The raw VS_VERSIONINFO resource of an executable file; empty when it has none.
    virtual std::optional<std::string> version_block(std::string_view path) = 0;
    // Safe to call from several threads at once: list fills read program files on workers.
    virtual ProgramResources program_resources(std::string_view path, int icon_index) = 0;
    // GetLongPathNameA / GetShortPathNameA; empty when the call fails.
    virtual std::string long_path(std::string_view path) = 0;
    virtual std::string short_path(std::string_view path) = 0;
    // Schedules the file's deletion at the next system start.
    virtual bool delete_on_reboot(std::string_view path) = 0;
};

}  // namespace sx::platform
