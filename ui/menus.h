// The item context menu as data: which entries a page offers for the selected item.
#pragma once

#include <vector>

namespace sx::ui {

struct MenuEntry {
    unsigned text = 0;  // string id; 0 with command 0 is a separator
    int command = 0;
    bool separator() const { return command == 0; }
};

struct MenuFacts {
    bool note_exists = false;
    int type = 0;         // the selected entry's type code
    bool disabled = false;  // the selected startup entry is switched off
};

std::vector<MenuEntry> context_menu_entries(int page_command, const MenuFacts& facts);

}  // namespace sx::ui
