// What the information window shows about one entry of the shared item list, whatever its kind:
// the program file's version texts and facts, where the entry starts from, whether the program runs
// (or, for a service, its state and start type), and the personal note or what stands in its place.
#pragma once

#include <cstddef>
#include <string>

#include "common/state.h"
#include "common/versions.h"
#include "programinfo/file_facts.h"
#include "programinfo/notes.h"

namespace sx::inventory {

struct ItemInfo {
    bool found = false;  // false: no entry at that index, nothing else is set
    int type = 0;
    std::string title;    // the window's caption
    std::string path;     // the resolved program path
    std::string icon_file;  // the file whose first icon the window shows; empty: the generic icon
    bool file_exists = false;
    VersionTexts versions;  // FileDescription is the title when the file has none
    programinfo::FileFactTexts facts;

    bool location_shown = true;
    std::string location;

    bool status_shown = true;  // the "Status:" label and its text
    std::string status;
    bool kill_shown = false;   // "&Kill Task", or "&Stop" for a service
    bool run_shown = false;    // "Run"
    bool service = false;      // the start type controls and "&Apply" are shown
    bool stop_enabled = false;
    int start_type = -1;       // 0 Automatic, 1 Manual, 2 Disabled; -1 none of them

    std::string note_path;
    bool note_exists = false;
    programinfo::NoteText note;  // the note file's text; not whole also when it could not be read
    std::string note_default;    // what the read-only box shows when there is no note
};

ItemInfo ReadItemInfo(AppState& app, size_t index);

// The start type a Start value of 2, 3 or 4 has in the window's list (0, 1, 2); -1 for others.
inline int start_type_index(uint32_t start) { return start >= 2 && start <= 4 ? static_cast<int>(start) - 2 : -1; }

}  // namespace sx::inventory
