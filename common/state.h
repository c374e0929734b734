// The one owner of process-wide state: what the program learned at start-up, the settings that live
// for the run, and the shared item list. Passed explicitly to whatever needs it.
#pragma once

#include <cstdint>
#include <string>

#include "common/items.h"
#include "common/registry_snapshot.h"
#include "common/versions.h"
#include "platform/platform.h"

namespace sx {

// In-memory copies of options that pages change for the run only; never stored. Only `history` is
// loaded, at start, from the stored History option.
struct RuntimeSettings {
    int format = 0;
    int sound = 1;
    int history = 0;
    int hide_microsoft_services = 0;
    int hide_microsoft_activex = 0;
    int activex_list_all = 0;
    int show_all_startup = 0;
    int zentra_format = 0;
    int max_cookie = 0;
};

struct AppState {
    explicit AppState(platform::Platform& platform) : os(platform) {}

    platform::Platform& os;
    std::string class_name;  // string 9
    std::string caption;     // string 833 at start, then the sheet caption
    uint16_t language_id = 0;
    bool wow64 = false;          // the 32-bit view's Run key opened at start
    bool express_boot = false;   // set and cleared by the monitor autorun toggle
    int active_page = 0;         // 0 no sheet, 1 building, else the active page command
    bool scheduler_started = false;  // the Task Scheduler was started by this program, to be stopped again
    RuntimeSettings settings;
    ItemList items;
    // Version texts of the files the current list names, read once per file.
    VersionCache versions;
    // The registry the logic sees, when it can hold keys read ahead for a list fill; none in tests.
    SnapshotRegistry* snapshots = nullptr;
};

}  // namespace sx
