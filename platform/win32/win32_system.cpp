#include "platform/win32/win32_system.h"

#include <windows.h>
#include <lmcons.h>

#include <cwchar>
#include <limits>

#include "platform/win32/text_buffer.h"

namespace sx::win32 {

namespace {

platform::LocalTime local_time_of(const SYSTEMTIME& time) {
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

}  // namespace

std::string Win32System::windows_folder() {
    return text_from([](char* buffer, DWORD size) { return GetWindowsDirectoryA(buffer, size); });
}

std::string Win32System::system_folder() {
    return text_from([](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); });
}

std::string Win32System::temp_folder() {
    return text_from([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); });
}

std::string Win32System::program_file() {
    return text_from([](char* buffer, DWORD size) { return GetModuleFileNameA(nullptr, buffer, size); });
}

std::string Win32System::user_name() {
    // GetUserNameA counts the terminating zero; a buffer of UNLEN + 1 holds any name.
    char name[UNLEN + 1] = {};
    DWORD size = sizeof(name);
    return GetUserNameA(name, &size) ? std::string(name) : std::string();
}

std::string Win32System::expand(std::string_view text) {
    const std::string source(text);
    if (source.empty()) return {};
    return text_from([&](char* buffer, DWORD size) -> DWORD {
        // The result counts the terminating zero, whether the text fitted or not.
        const DWORD needed = ExpandEnvironmentStringsA(source.c_str(), buffer, size);
        return needed <= size && needed > 0 ? needed - 1 : needed;
    });
}

platform::LocalTime Win32System::now() {
    SYSTEMTIME time{};
    GetLocalTime(&time);
    return local_time_of(time);
}

std::optional<platform::LocalTime> Win32System::to_local(uint64_t file_time) {
    FILETIME utc{static_cast<DWORD>(file_time), static_cast<DWORD>(file_time >> 32)};
    FILETIME local{};
    SYSTEMTIME time{};
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &time)) return std::nullopt;
    return local_time_of(time);
}

platform::OsVersion Win32System::version() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    // The version the system reports to this program (not the true one) decides its behaviour, so the
    // deprecated call is the right one here.
#if defined(_MSC_VER)
#pragma warning(push)
#pragma warning(disable : 4996)
#elif defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    const BOOL known = GetVersionExA(&info);
#if defined(_MSC_VER)
#pragma warning(pop)
#elif defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    if (!known) return {};
    return {static_cast<int>(info.dwPlatformId), static_cast<int>(info.dwMajorVersion),
            static_cast<int>(info.dwMinorVersion)};
}

std::string Win32System::to_ansi(std::u16string_view text) {
    // wchar_t is the 16-bit UTF-16 unit on Windows, the same as char16_t.
    return ansi(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
}

std::optional<std::string> Win32System::resource_string(unsigned id) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    std::string text = text_from([&](char* buffer, DWORD size) -> DWORD {
        const int length = LoadStringA(module, id, buffer, static_cast<int>(size));
        return length > 0 ? static_cast<DWORD>(length) : 0;
    });
    if (text.empty()) return std::nullopt;
    return text;
}

std::u16string Win32System::to_utf16(std::string_view text) {
    const std::wstring converted = wide(text);
    return {reinterpret_cast<const char16_t*>(converted.data()), converted.size()};
}

platform::OsDetails Win32System::os_details() {
    // The true version: GetVersionEx answers what the manifest lets this program see.
    using RtlGetVersionCall = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    platform::OsDetails details;
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    const auto call = ntdll ? reinterpret_cast<RtlGetVersionCall>(
                                  reinterpret_cast<void (*)()>(GetProcAddress(ntdll, "RtlGetVersion")))
                            : nullptr;
    if (!call || call(&info) != 0) return details;
    details.platform = static_cast<int>(info.dwPlatformId);
    details.major = static_cast<int>(info.dwMajorVersion);
    details.minor = static_cast<int>(info.dwMinorVersion);
    details.build = info.dwBuildNumber;
    details.service_pack = to_ansi(std::u16string_view(reinterpret_cast<const char16_t*>(info.szCSDVersion),
                                                       wcsnlen(info.szCSDVersion, 128)));
    details.service_pack_major = info.wServicePackMajor;
    details.product_type = info.wProductType;
    details.suite_mask = info.wSuiteMask;
    details.tablet_pc = GetSystemMetrics(SM_TABLETPC) != 0;
    return details;
}

platform::MemoryStatus Win32System::memory() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    if (!GlobalMemoryStatusEx(&status)) return {};
    return {status.dwMemoryLoad, status.ullAvailPhys, status.ullAvailPageFile, status.ullAvailVirtual};
}

int Win32System::boot_mode() { return GetSystemMetrics(SM_CLEANBOOT); }


}  // namespace sx::win32
