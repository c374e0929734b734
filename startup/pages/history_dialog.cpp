#include "startup/pages/history_dialog.h"

#include <commctrl.h>

#include <vector>

#include "inventory/undo.h"
#include "res/resource_ids.h"
#include "startup/history.h"
#include "ui/menus.h"
#include "ui/sorting.h"
#include "ui/win32/dialogs.h"
#include "ui/win32/list_view.h"

namespace sx::ui {

namespace {

constexpr int kHistoryColumns = 4;
constexpr int kPixelsPerRow = 16;

struct HistoryDialog {
    Frame& frame;
    HWND dialog = nullptr;
    HWND list = nullptr;

    void load() {
        CursorScope wait(IDC_WAIT);
        AppState& app = frame.app;
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
        const int count = startup::LoadHistoryList(app);
        create_image_list(frame, list, 1);
        for (int i = 0; i < count; ++i) {
            const StartupEntry& e = *app.items.at(static_cast<size_t>(i));
            add_item(list, e.title, i, add_file_icon(frame, e.command, 0, 1));
            set_item(list, i, 1, std::string(startup::event_name(e.flag)));
            set_item(list, i, 2, std::string(startup::type_name(e.type)));
            set_item(list, i, 3, e.description);
        }
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        // The newest records are at the end.
        SendMessageA(list, LVM_SCROLL, 0, kPixelsPerRow * count);
        update_restore();
    }

    const StartupEntry* selected() const {
        const int record = selected_param(list);
        return record < 0 ? nullptr : frame.app.items.at(static_cast<size_t>(record));
    }

    void update_restore() {
        const StartupEntry* e = selected();
        EnableWindow(GetDlgItem(dialog, IDC_HISTORY_RESTORE), e && startup::reversible_event(e->flag));
    }

    void undo() {
        const int record = selected_param(list);
        if (record < 0) return;
        inventory::UndoHistoryRecord(frame.app, static_cast<size_t>(record));
        load();
    }

    void clear() {
        startup::clear_history_file(frame.app);
        load();
    }

    void context_menu() {
        UniqueMenu menu(CreatePopupMenu());
        if (!menu) return;
        for (const MenuEntry& e : context_menu_entries(CMD_HISTORY, {})) {
            if (e.separator()) {
                AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
            } else {
                AppendMenuA(menu.get(), MF_STRING, static_cast<UINT_PTR>(e.command), frame.text(e.text).c_str());
            }
        }
        POINT at{};
        GetCursorPos(&at);
        SetForegroundWindow(dialog);
        TrackPopupMenuEx(menu.get(), TPM_VERTICAL, at.x, at.y, dialog, nullptr);
        PostMessageA(dialog, WM_NULL, 0, 0);
    }

    void init() {
        list = GetDlgItem(dialog, IDC_LIST);
        SetWindowLongPtrA(list, GWL_STYLE, GetWindowLongPtrA(list, GWL_STYLE) | LVS_SHAREIMAGELISTS);
        SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        SetWindowTextA(dialog, frame.text(IDS_HISTORY_CAPTION).c_str());
        SetDlgItemTextA(dialog, IDC_HISTORY_EXPLANATION, frame.text(IDS_HISTORY_EXPLANATION).c_str());
        SetDlgItemTextA(dialog, IDC_HISTORY_RESTORE, frame.text(IDS_RESTORE).c_str());
        SetDlgItemTextA(dialog, IDC_HISTORY_CLEAR, frame.text(IDS_CLEAR_FILE).c_str());
        SetDlgItemTextA(dialog, IDOK, frame.text(IDS_CLOSE).c_str());
        int index = 0;
        // The third column lists type names; a "Command" heading over them would mislead.
        for (unsigned title : {IDS_COL_TITLE, IDS_COL_ACTION, IDS_COL_TYPE, IDS_COL_DATE_MODIFIED}) {
            add_column(list, index++, frame.text(title), CMD_HISTORY);
        }
        frame.sort.clear(kHistoryColumns);
        centre_window(dialog);
        load();
    }

    INT_PTR notify(const NMHDR& header) {
        if (header.hwndFrom != list) return FALSE;
        switch (header.code) {
            case LVN_ITEMCHANGED:
            case NM_CLICK:
            case LVN_KEYDOWN: update_restore(); return TRUE;
            case NM_DBLCLK: undo(); return TRUE;
            case NM_RCLICK: context_menu(); return TRUE;
            case LVN_COLUMNCLICK: {
                // Every pair of history rows compares equal: a click keeps the order and turns the flag.
                const int column = reinterpret_cast<const NMLISTVIEW&>(header).iSubItem;
                if (column >= 0 && column < clickable_columns(SortList::history)) {
                    frame.sort.descending[static_cast<size_t>(column)] = !frame.sort.descending[static_cast<size_t>(column)];
                }
                return TRUE;
            }
            default: return FALSE;
        }
    }

    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(window, DWLP_USER, lparam);
            auto* self = reinterpret_cast<HistoryDialog*>(lparam);
            self->dialog = window;
            self->init();
            return TRUE;
        }
        auto* self = reinterpret_cast<HistoryDialog*>(GetWindowLongPtrA(window, DWLP_USER));
        if (!self) return FALSE;
        switch (message) {
            case WM_NOTIFY: return self->notify(*reinterpret_cast<const NMHDR*>(lparam));
            case WM_COMMAND:
                switch (LOWORD(wparam)) {
                    case IDC_HISTORY_RESTORE: self->undo(); return TRUE;
                    case IDC_HISTORY_CLEAR: self->clear(); return TRUE;
                    case IDOK:
                    case IDCANCEL: EndDialog(window, IDOK); return TRUE;
                    default: return TRUE;  // the common menu tail has no meaning here
                }
            case WM_DESTROY: destroy_image_list(self->frame, 1); return FALSE;
            default: return FALSE;
        }
    }
};

}  // namespace

void show_history_dialog(Frame& frame, HWND owner) {
    HistoryDialog dialog{frame};
    DialogBoxParamA(frame.instance, MAKEINTRESOURCEA(IDD_HISTORY), owner, HistoryDialog::procedure,
                    reinterpret_cast<LPARAM>(&dialog));
}

}  // namespace sx::ui
