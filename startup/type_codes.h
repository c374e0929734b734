// Where an item comes from: the program-wide type codes of startup entries, their short and long
// location texts, and the keys of the Run family.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace sx::startup {

namespace code {
// The Run family: base code + 0 for HKLM, + 10 for HKCU, + 20 for HKLM's 32-bit view.
constexpr int run = 1, run_once = 2, run_once_ex = 3, run_services = 4, run_services_once = 5,
              run_once_setup = 6, policy_run = 7;
constexpr int hive_user = 10, hive_wow64 = 20;
constexpr int win_load = 100, win_run = 101;
constexpr int startup_group = 200;
constexpr int userinit = 250, shell = 251, delay_load = 252, task_scheduler = 253, shell_hook = 254,
              appinit = 255, notify = 256;
constexpr int hidden_file = 370, file_type = 400, cookie = 500, process = 600, service_exe = 700,
              service_host = 701, scheduled_task = 800, bho = 900, toolbar = 901, extension = 902,
              activex = 1200;
}  // namespace code

// One key of the Run family: its path below ...\CurrentVersion, and the subkey of the disabled
// store that keeps its switched-off entries.
struct RunKey {
    std::string_view key;
    std::string_view store;
};

inline constexpr std::array<RunKey, 7> kRunKeys = {{
    {"Run", "Run"},
    {"RunOnce", "RunOnce"},
    {"RunOnceEx", "RunOnceEx"},
    {"RunServices", "RunServices"},
    {"RunServicesOnce", "RunServicesOnce"},
    {"RunOnce\\Setup", "RunSetup"},
    {"policies\\Explorer\\Run", "Policy"},
}};

inline constexpr std::string_view kCurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
inline constexpr std::string_view kWow64CurrentVersion = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion";

// A Run-family code taken apart; empty for other codes.
struct RunSlot {
    platform::Root root;
    std::string_view base;  // kCurrentVersion or kWow64CurrentVersion
    const RunKey* key;
};
bool is_run_family(int type);
bool run_slot(int type, RunSlot& out);
// The full key path of a Run-family code ("Software\...\CurrentVersion\RunOnce").
std::string run_key_path(const RunSlot& slot);

// The "Type" column text of a code ("HKCU_RUN"); empty for codes without one.
std::string_view short_code_text(int type);
// The long location text of a code, without the disabled prefix; empty for codes without one.
std::string long_location_text(int type);

}  // namespace sx::startup
