// The startup type codes taken apart: their short and long
// location texts, and the keys of the Run family.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "common/items.h"
#include "platform/registry.h"

namespace sx::startup {

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
