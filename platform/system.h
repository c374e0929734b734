// Facts about the running system and this program's own process.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sx::platform {

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

struct OsVersion {
    int platform = 2;  // 1: Windows 95 family, 2: NT family
    int major = 6;
    int minor = 1;
};

// The version the system itself reports (RtlGetVersion), whatever it tells this program elsewhere.
struct OsDetails {
    int platform = 2;
    int major = 10;
    int minor = 0;
    uint32_t build = 19045;
    std::string service_pack;  // "Service Pack 1"; empty for none
    int service_pack_major = 0;
    int product_type = 1;      // 1 workstation, 2 domain controller, 3 server
    uint32_t suite_mask = 0;
    bool tablet_pc = false;
};

// GlobalMemoryStatusEx, in bytes: a 64-bit process's virtual memory does not fit 32 bits.
struct MemoryStatus {
    uint32_t load = 0;  // percent in use
    uint64_t available_physical = 0;
    uint64_t available_page_file = 0;
    uint64_t available_virtual = 0;
};

class System {
public:
    virtual ~System() = default;

    virtual std::string windows_folder() = 0;  // "C:\windows", no trailing backslash
    virtual std::string system_folder() = 0;   // "C:\windows\system32"
    virtual std::string temp_folder() = 0;     // GetTempPathA: with its trailing backslash; empty when unknown
    virtual std::string program_file() = 0;    // full path of this program's own file
    virtual std::string user_name() = 0;       // the logged-on user's name (GetUserNameA); empty when unknown
    virtual std::string expand(std::string_view text) = 0;  // ExpandEnvironmentStringsA
    virtual LocalTime now() = 0;
    virtual std::optional<LocalTime> to_local(uint64_t file_time) = 0;
    virtual OsVersion version() = 0;
    // UTF-16 text in the ANSI code page, as the *A functions would return it.
    virtual std::string to_ansi(std::u16string_view text) = 0;
    // A string of this program's string table; empty when there is none.
    virtual std::optional<std::string> resource_string(unsigned id) = 0;
    // ANSI text in UTF-16, as the *W functions would take it (the reverse of to_ansi).
    virtual std::u16string to_utf16(std::string_view text) = 0;

    virtual OsDetails os_details() = 0;
    virtual MemoryStatus memory() = 0;
    // GetSystemMetrics(SM_CLEANBOOT): 0 normal, 1 safe mode, 2 safe mode with network.
    virtual int boot_mode() = 0;
};

}  // namespace sx::platform
