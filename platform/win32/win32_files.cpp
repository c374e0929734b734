#include "platform/win32/win32_files.h"

#include <windows.h>
#include <winver.h>

#include <algorithm>
#include <limits>

#include "common/pe_resources.h"
#include "platform/win32/handles.h"
#include "platform/win32/text_buffer.h"

namespace sx::win32 {

namespace {

// Reads go in pieces of this size, so a large limit costs nothing on a small file.
constexpr DWORD kReadChunk = 64 * 1024;
// Read with others still able to read and write: a file is "in use" only when its owner shares nothing.
constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

uint64_t ticks(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

UniqueHandle open_file(std::string_view path, DWORD access, DWORD share, DWORD disposition) {
    return UniqueHandle(CreateFileA(std::string(path).c_str(), access, share, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool write_all(HANDLE file, std::string_view bytes) {
    if (bytes.size() > std::numeric_limits<DWORD>::max()) return false;
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// One mapping of a file as resources only: no code runs and no imports are resolved, and it costs
// about half of what the two GetFileVersionInfo calls cost.
UniqueModule resource_image(std::string_view path) {
    return UniqueModule(
        LoadLibraryExA(std::string(path).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

// The icon of a group directory for the small-icon size. Chosen by the system's rule without asking
// the display for its depth each time, which costs a round trip per file.
int best_icon(const std::string& group) {
    return best_icon_id(group, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
}

std::optional<std::string> resource_bytes(HMODULE image, LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(image, name, type);
    if (!found) return std::nullopt;
    const DWORD size = SizeofResource(image, found);
    HGLOBAL loaded = LoadResource(image, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return std::nullopt;
    return std::string(static_cast<const char*>(bytes), size);
}

// The resources as the loader finds them, from the file mapped as a resource image.
platform::ProgramResources resources_by_loading(std::string_view path, int icon_index) {
    platform::ProgramResources found;
    const UniqueModule module = resource_image(path);
    if (!module) return found;
    found.version = resource_bytes(module.get(), MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
    if (icon_index < 0) return found;
    // The group ExtractIconA would take: the icon_index-th in the order the resources are listed.
    struct Pick {
        int left;
        std::string group;
    } pick{icon_index, {}};
    EnumResourceNamesA(
        module.get(), RT_GROUP_ICON,
        [](HMODULE image, LPCSTR, LPSTR name, LONG_PTR context) -> BOOL {
            auto& p = *reinterpret_cast<Pick*>(context);
            if (p.left-- > 0) return TRUE;
            p.group = resource_bytes(image, name, RT_GROUP_ICON).value_or(std::string());
            return FALSE;
        },
        reinterpret_cast<LONG_PTR>(&pick));
    const int id = best_icon(pick.group);
    if (id > 0) found.icon = resource_bytes(module.get(), MAKEINTRESOURCEA(id), RT_ICON).value_or(std::string());
    return found;
}

}  // namespace

uint32_t Win32Files::attributes(std::string_view path) { return GetFileAttributesA(std::string(path).c_str()); }

bool Win32Files::set_attributes(std::string_view path, uint32_t attributes) {
    return SetFileAttributesA(std::string(path).c_str(), attributes) != 0;
}

bool Win32Files::list(std::string_view folder, std::vector<platform::DirEntry>& out) {
    out.clear();
    const std::string pattern = std::string(folder) + "\\*.*";
    WIN32_FIND_DATAA found{};
    UniqueFind find(FindFirstFileA(pattern.c_str(), &found));
    if (!find) return false;
    do {
        out.push_back({found.cFileName, found.dwFileAttributes});
    } while (FindNextFileA(find.get(), &found));
    return true;
}

bool Win32Files::move(std::string_view from, std::string_view to) {
    return MoveFileA(std::string(from).c_str(), std::string(to).c_str()) != 0;
}

bool Win32Files::copy(std::string_view from, std::string_view to, bool fail_if_exists) {
    return CopyFileA(std::string(from).c_str(), std::string(to).c_str(), fail_if_exists) != 0;
}

bool Win32Files::remove(std::string_view path) { return DeleteFileA(std::string(path).c_str()) != 0; }

bool Win32Files::make_folder(std::string_view path) {
    return CreateDirectoryA(std::string(path).c_str(), nullptr) != 0;
}

std::optional<std::string> Win32Files::read(std::string_view path, size_t limit) {
    UniqueHandle file = open_file(path, GENERIC_READ, kShareReadWrite, OPEN_EXISTING);
    if (!file) return std::nullopt;
    std::string content;
    while (content.size() < limit) {
        const size_t want = std::min<size_t>(limit - content.size(), kReadChunk);
        const size_t old_size = content.size();
        content.resize(old_size + want);
        DWORD got = 0;
        if (!ReadFile(file.get(), content.data() + old_size, static_cast<DWORD>(want), &got, nullptr)) {
            return std::nullopt;
        }
        content.resize(old_size + got);
        if (got == 0) break;
    }
    return content;
}

bool Win32Files::write(std::string_view path, std::string_view bytes) {
    UniqueHandle file = open_file(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
    return file && write_all(file.get(), bytes);
}

bool Win32Files::append(std::string_view path, std::string_view bytes) {
    UniqueHandle file = open_file(path, GENERIC_WRITE, 0, OPEN_ALWAYS);
    if (!file) return false;
    LARGE_INTEGER none{};
    return SetFilePointerEx(file.get(), none, nullptr, FILE_END) && write_all(file.get(), bytes);
}

std::optional<platform::FileFacts> Win32Files::facts(std::string_view path) {
    UniqueHandle file = open_file(path, GENERIC_READ, kShareReadWrite, OPEN_EXISTING);
    if (!file) return std::nullopt;
    FILETIME created{}, accessed{}, written{};
    if (!GetFileTime(file.get(), &created, &accessed, &written)) return std::nullopt;
    platform::FileFacts facts;
    facts.created = ticks(created);
    facts.accessed = ticks(accessed);
    facts.written = ticks(written);
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size)) facts.size = static_cast<uint64_t>(size.QuadPart);
    return facts;
}

std::optional<std::string> Win32Files::version_block(std::string_view path) {
    const UniqueModule module = resource_image(path);
    if (!module) return std::nullopt;
    return resource_bytes(module.get(), MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
}

platform::ProgramResources Win32Files::program_resources(std::string_view path, int icon_index) {
    platform::ProgramResources found;
    UniqueHandle file = open_file(path, GENERIC_READ, kShareReadWrite | FILE_SHARE_DELETE, OPEN_EXISTING);
    if (!file) return found;
    const PeResources pe([&file](uint64_t offset, size_t size) -> std::optional<std::string> {
        if (size > std::numeric_limits<DWORD>::max()) return std::nullopt;
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        std::string bytes(size, '\0');
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(size), &read, &at) && GetLastError() != ERROR_HANDLE_EOF) {
            return std::nullopt;
        }
        bytes.resize(read);
        return bytes;
    });
    if (!pe.valid()) {
        // What these reads cannot follow, the loader may: it has the last word on executables.
        return pe.executable() ? resources_by_loading(path, icon_index) : found;
    }
    found.version = pe.by_id(PeResources::kVersion, VS_VERSION_INFO);
    if (icon_index < 0) return found;
    std::string group = pe.by_position(PeResources::kGroupIcon, static_cast<size_t>(icon_index)).value_or(std::string());
    const int id = best_icon(group);
    if (id > 0) found.icon = pe.by_id(PeResources::kIcon, static_cast<uint32_t>(id)).value_or(std::string());
    return found;
}

std::string Win32Files::long_path(std::string_view path) {
    const std::string source(path);
    return text_from([&](char* buffer, DWORD size) { return GetLongPathNameA(source.c_str(), buffer, size); });
}

std::string Win32Files::short_path(std::string_view path) {
    const std::string source(path);
    return text_from([&](char* buffer, DWORD size) { return GetShortPathNameA(source.c_str(), buffer, size); });
}

bool Win32Files::delete_on_reboot(std::string_view path) {
    return MoveFileExA(std::string(path).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

}  // namespace sx::win32
