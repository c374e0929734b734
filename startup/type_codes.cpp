#include "startup/type_codes.h"

#include <utility>

namespace sx::startup {

namespace {

constexpr std::array<std::pair<int, std::string_view>, 36> kShortTexts = {{
    {1, "HKLM_RUN"},
    {11, "HKCU_RUN"},
    {21, "x64_RUN"},
    {2, "HKLM_RUNONCE"},
    {12, "HKCU_RUNONCE"},
    {22, "x64_RUNONCE"},
    {3, "HKLM_RUNONCEEX"},
    {13, "HKCU_RUNONCEEX"},
    {23, "x64_RUNONCEEX"},
    {4, "HKLM_RUNSERVICES"},
    {14, "HKCU_RUNSERVICES"},
    {24, "x64_RUNSERVICES"},
    {5, "HKLM_RUNSERVICESONCE"},
    {15, "HKCU_RUNSERVICESONCE"},
    {25, "x64_RUNSERVICESONCE"},
    {6, "HKLM_RUNONCESETUP"},
    {16, "HKCU_RUNONCESETUP"},
    {26, "x64_RUNONCESETUP"},
    {7, "HKLM_POLICY"},
    {17, "HKCU_POLICY"},
    {27, "x64_POLICY"},
    {31, "RUN_POLICY"},
    {32, "W_RUNONCE"},
    {33, "W_RUNONCEEX"},
    {34, "W_RUNSERVICES"},
    {35, "W_RUNSERVICESONCE"},
    {100, "WIN.INI_LOAD"},
    {101, "WIN.INI_RUN"},
    {200, "STARTUP_FOLDER"},
    {250, "LOGON_USERINIT"},
    {251, "LOGON_SHELL"},
    {252, "DELAYLOAD"},
    {253, "TASKSCHEDULER"},
    {254, "SHELLHOOK"},
    {255, "APPINIT_DLL"},
    {256, "NOTIFY"},
}};

constexpr std::array<std::pair<int, std::string_view>, 10> kLongTexts = {{
    {100, "WIN.INI     [Load] Section"},
    {101, "WIN.INI     [Run] Section"},
    {200, "Windows Startup Group"},
    {250, "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon Userinit"},
    {251, "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon Shell"},
    {252, "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad"},
    {253, "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\SharedTaskScheduler"},
    {254, "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ShellExecuteHooks"},
    {255, "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows  AppInit_DLLs"},
    {256, "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon Notify"},
}};

}  // namespace

bool is_run_family(int type) {
    RunSlot unused;
    return run_slot(type, unused);
}

bool run_slot(int type, RunSlot& out) {
    const int hive = type / 10;
    const int index = type % 10;
    if (type <= 0 || hive > 2 || index < 1 || index > 7) return false;
    out.root = hive == 1 ? platform::Root::current_user : platform::Root::local_machine;
    out.base = hive == 2 ? kWow64CurrentVersion : kCurrentVersion;
    out.key = &kRunKeys[static_cast<size_t>(index - 1)];
    return true;
}

std::string run_key_path(const RunSlot& slot) {
    std::string path(slot.base);
    path += '\\';
    path += slot.key->key;
    return path;
}

std::string_view short_code_text(int type) {
    for (const auto& [code, text] : kShortTexts) {
        if (code == type) return text;
    }
    return {};
}

std::string long_location_text(int type) {
    RunSlot slot;
    if (run_slot(type, slot)) {
        // Every Run-family key gets its path, the setup and policy keys too: the user should see
        // where each entry lives.
        std::string text = slot.root == platform::Root::current_user ? "HKCU\\" : "HKLM\\";
        return text + run_key_path(slot);
    }
    for (const auto& [code, text] : kLongTexts) {
        if (code == type) return std::string(text);
    }
    return {};
}

}  // namespace sx::startup
