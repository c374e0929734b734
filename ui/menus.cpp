#include "ui/menus.h"

#include "res/resource_ids.h"

namespace sx::ui {

namespace {

constexpr MenuEntry kSeparator{};

void add_head(std::vector<MenuEntry>& m, const MenuFacts& f) {
    m.push_back({IDS_INFO, IDM_INFO});
    m.push_back({IDS_EXPLORE_FOLDER, IDM_EXPLORE_FOLDER});
    m.push_back({IDS_PROGRAM_PROPERTIES, IDM_PROGRAM_PROPERTIES});
    if (f.note_exists) m.push_back({IDS_VIEW_NOTE, IDM_VIEW_NOTE});
}

}  // namespace

std::vector<MenuEntry> context_menu_entries(int page_command, const MenuFacts& f) {
    std::vector<MenuEntry> m;
    switch (page_command) {
        case CMD_STARTUP:
            add_head(m, f);
            m.push_back({IDS_ADD, IDM_ADD});
            // Winlogon and the special locations cannot be switched off, moved or deleted from here.
            if (f.type < 250) {
                m.push_back({IDS_MOVE_TO_DELAYED, IDM_MOVE_TO_DELAYED});
                m.push_back(kSeparator);
                m.push_back({IDS_REMOVE, IDM_REMOVE});
                m.push_back(f.disabled ? MenuEntry{IDS_ENABLE, IDM_ENABLE} : MenuEntry{IDS_DISABLE, IDM_DISABLE});
                m.push_back({IDS_DELETE_ON_REBOOT, IDM_DELETE_ON_REBOOT});
            }
            break;
        case CMD_ACTIVE_TASKS:
            add_head(m, f);
            m.push_back({IDS_REFRESH, IDM_REFRESH});
            m.push_back({IDS_KILL_TASK, IDM_KILL_TASK});
            m.push_back({IDS_DELETE_ON_REBOOT, IDM_DELETE_ON_REBOOT});
            break;
        case CMD_SERVICES: add_head(m, f); break;
        case CMD_SCHEDULED_TASKS:
        case CMD_IE_HELPERS:
            add_head(m, f);
            m.push_back({IDS_REMOVE, IDM_REMOVE});
            m.push_back({IDS_DELETE_ON_REBOOT, IDM_DELETE_ON_REBOOT});
            break;
        case CMD_HISTORY:
            m.push_back({IDS_RESTORE, IDM_HISTORY_RESTORE});
            m.push_back({IDS_CLEAR_FILE, IDM_HISTORY_CLEAR});
            m.push_back({IDS_CLOSE, IDM_HISTORY_CLOSE});
            break;
        case CMD_HIDDEN_FILES:
            add_head(m, f);
            m.push_back({IDS_REFRESH, IDM_REFRESH});
            m.push_back({IDS_DELETE_FILE, IDM_DELETE_FILE});
            m.push_back({IDS_DELETE_ON_REBOOT, IDM_DELETE_ON_REBOOT});
            m.push_back({IDS_VIEW_IN_NOTEPAD, IDM_VIEW_IN_NOTEPAD});
            break;
        default: return m;  // ActiveX and any other list: no menu
    }
    m.push_back(kSeparator);
    m.push_back({IDS_ZENTRA_INFO, IDM_ZENTRA_INFO});
    m.push_back({IDS_SENTRIX_LOG, IDM_PROGRAM_REPORT});
    m.push_back({IDS_HELP_CAPTION, IDM_HELP});
    return m;
}

}  // namespace sx::ui
