#include "ui/win32/sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <memory>
#include <string>
#include <vector>

#include "common/text.h"
#include "inventory/pages/activex_page.h"
#include "inventory/pages/hidden_files_page.h"
#include "inventory/pages/ie_helpers_page.h"
#include "res/resource_ids.h"
#include "inventory/pages/scheduled_tasks_page.h"
#include "inventory/pages/services_page.h"
#include "startup/pages/active_tasks_page.h"
#include "startup/pages/startup_page.h"
#include "ui/layout.h"
#include "ui/win32/dialogs.h"
#include "ui/win32/help.h"
#include "ui/win32/options_page.h"
#include "ui/win32/page.h"
#include "ui/win32/scan_log.h"

namespace sx::ui {

namespace {

constexpr const char* kFrameProperty = "SentrixFrame";

struct SheetPage {
    PageTraits traits;
    std::unique_ptr<Page> (*make)(Frame&, const PageTraits&);
};

// The pages in tab order. Inventories of other kinds join this table as they are built.
const SheetPage kPages[] = {
    {{CMD_STARTUP, IDD_STARTUP, IDI_TAB_STARTUP, IDS_TAB_STARTUP, false}, make_startup_page},
    {{CMD_ACTIVEX, IDD_ACTIVEX, IDI_TAB_ACTIVEX, IDS_TAB_ACTIVEX, false}, make_activex_page},
    {{CMD_IE_HELPERS, IDD_IE_HELPERS, IDI_TAB_IE_HELPERS, IDS_TAB_IE_HELPERS, false}, make_ie_helpers_page},
    {{CMD_SCHEDULED_TASKS, IDD_SCHEDULED_TASKS, IDI_TAB_SCHEDULED_TASKS, IDS_TAB_SCHEDULED_TASKS, false},
     make_scheduled_tasks_page},
    {{CMD_SERVICES, IDD_SERVICES, IDI_TAB_SERVICES, IDS_TAB_SERVICES, true}, make_services_page},
    {{CMD_ACTIVE_TASKS, IDD_ACTIVE_TASKS, IDI_TAB_ACTIVE_TASKS, IDS_TAB_ACTIVE_TASKS, false}, make_active_tasks_page},
    {{CMD_HIDDEN_FILES, IDD_HIDDEN_FILES, IDI_TAB_HIDDEN_FILES, IDS_TAB_HIDDEN_FILES, false}, make_hidden_files_page},
    {{CMD_OPTIONS, IDD_OPTIONS, IDI_TAB_OPTIONS, IDS_TAB_OPTIONS, false}, make_options_page},
};

Frame* frame_of(HWND sheet) { return static_cast<Frame*>(GetPropA(sheet, kFrameProperty)); }

LRESULT CALLBACK sheet_subclass(HWND sheet, UINT message, WPARAM wparam, LPARAM lparam) {
    Frame* frame = frame_of(sheet);
    if (!frame || !frame->sheet_procedure) return DefWindowProcA(sheet, message, wparam, lparam);
    const WNDPROC original = frame->sheet_procedure;
    switch (message) {
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
            info->ptMinTrackSize.x = frame->min_track.cx;
            info->ptMinTrackSize.y = frame->min_track.cy;
            break;
        }
        case WM_SIZE:
            if (frame->active_page && IsWindow(frame->active_page)) layout_sheet(*frame, frame->active_page);
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrA(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
            RemovePropA(sheet, kFrameProperty);
            frame->sheet_procedure = nullptr;
            break;
        default: break;
    }
    return CallWindowProcA(original, sheet, message, wparam, lparam);
}

// Before the sheet window exists: the styles that make it a resizable, visible window.
int CALLBACK sheet_callback(HWND, UINT message, LPARAM lparam) {
    if (message != PSCB_PRECREATE || !lparam) return 0;
    constexpr DWORD kStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_SETFONT | DS_3DLOOK;
    constexpr DWORD kExStyle = WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE;
    struct TemplateEx {  // the head of a DLGTEMPLATEEX
        WORD version;
        WORD signature;
        DWORD help_id;
        DWORD ex_style;
        DWORD style;
    };
    auto* extended = reinterpret_cast<TemplateEx*>(lparam);
    if (extended->signature == 0xFFFF) {
        extended->style |= kStyle;
        extended->ex_style |= kExStyle;
    } else {
        auto* plain = reinterpret_cast<DLGTEMPLATE*>(lparam);
        plain->style |= kStyle;
        plain->dwExtendedStyle |= kExStyle;
    }
    return 0;
}

HICON small_icon(HINSTANCE instance, int id) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
}

std::vector<const SheetPage*> present_pages(const Frame& frame) {
    std::vector<const SheetPage*> pages;
    for (const SheetPage& page : kPages) {
        if (!page.traits.nt_only || frame.is_nt()) pages.push_back(&page);
    }
    return pages;
}

}  // namespace

int start_tab(const int* commands, int count, int command) {
    if (command == CMD_OPTIONS) return count > 0 ? count - 1 : 0;
    for (int i = 0; i < count; ++i) {
        if (commands[i] == command) return i;
    }
    return 0;
}

void open_sheet(Frame& frame, int command) {
    if (frame.app.active_page > 0) {
        if (command == CMD_COOKIES) {
            SetWindowPos(frame.main, HWND_TOPMOST, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
        } else {
            BringWindowToTop(frame.main);
        }
        SetForegroundWindow(frame.main);
        return;
    }
    frame.app.active_page = 1;
    frame.app.caption = frame.text(IDS_SHEET_CAPTION);

    const std::vector<const SheetPage*> table = present_pages(frame);
    std::vector<std::unique_ptr<Page>> pages;
    std::vector<UniqueIcon> icons;
    std::vector<std::string> titles;
    std::vector<int> commands;
    titles.reserve(table.size());
    for (const SheetPage* entry : table) {
        pages.push_back(entry->make(frame, entry->traits));
        icons.emplace_back(small_icon(frame.instance, entry->traits.icon));
        titles.push_back(frame.text(entry->traits.title));
        commands.push_back(entry->traits.command);
    }
    std::vector<PROPSHEETPAGEA> descriptions;
    for (size_t i = 0; i < pages.size(); ++i) descriptions.push_back(pages[i]->describe(icons[i].get(), titles[i]));

    PROPSHEETHEADERA header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    if (frame.is_nt()) {
        header.dwFlags |= PSH_USECALLBACK;
        header.pfnCallback = sheet_callback;
    }
    header.hwndParent = frame.main;
    header.hInstance = frame.instance;
    header.pszCaption = frame.app.caption.c_str();
    header.nPages = static_cast<UINT>(descriptions.size());
    header.nStartPage = static_cast<UINT>(start_tab(commands.data(), static_cast<int>(commands.size()), command));
    header.ppsp = descriptions.data();

    play_event_sound(frame, 0);
    if (matches(file_part(frame.app.os.system.program_file()), "hijack")) write_hijack_log(frame);

    const INT_PTR result = PropertySheetA(&header);
    frame.sheet = nullptr;
    frame.status_bar = nullptr;
    frame.active_page = nullptr;
    frame.tab_images.reset();
    if (result == -1) show_error(frame, IDS_SYSTEM_NOT_NORMAL);
}

void first_page_setup(Frame& frame, HWND sheet) {
    frame.sheet = sheet;
    SetPropA(sheet, kFrameProperty, &frame);
    frame.sheet_procedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sheet_subclass)));
    RECT client{};
    GetClientRect(sheet, &client);
    frame.min_track = {client.right - 10, client.bottom - 32};
    if (!frame.status_bar) {
        frame.status_bar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, "", sheet, IDC_STATUS_BAR);
    }
}

void layout_sheet(Frame& frame, HWND page) {
    HWND sheet = GetParent(page);
    RECT outer{};
    GetWindowRect(sheet, &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;

    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    if (!tabs) tabs = FindWindowExA(sheet, nullptr, "SysTabControl32", nullptr);
    if (tabs) frame.tab_rows = static_cast<int>(SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0));
    const SheetLayout s = sheet_layout(width, height, frame.tab_rows <= 1);
    if (tabs) {
        SetWindowPos(tabs, nullptr, 0, 0, s.tab_width, s.tab_height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        // One image list per sheet: the icons of the tabs present, in tab order.
        if (!frame.tab_images) {
            frame.tab_images.reset(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 8, 1));
            for (const SheetPage* entry : present_pages(frame)) {
                UniqueIcon icon(small_icon(frame.instance, entry->traits.icon));
                if (icon) ImageList_AddIcon(frame.tab_images.get(), icon.get());
            }
            SendMessageA(tabs, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(frame.tab_images.get()));
        }
    }
    if (frame.status_bar) {
        SetWindowPos(frame.status_bar, nullptr, 0, 0, s.status_width, s.status_height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    HWND close = GetDlgItem(sheet, IDCANCEL);
    char text[64] = {};
    if (close) GetWindowTextA(close, text, sizeof(text));
    if (close && frame.text(IDS_CLOSE) == text) {
        SetWindowPos(close, nullptr, s.close_x, s.close_y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(close, SW_HIDE);
    }
    SetWindowPos(page, nullptr, 0, 0, s.page_width, s.page_height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(page, WM_PAGE_LAYOUT, 0, 0);
    UpdateWindow(page);
    ShowWindow(page, SW_SHOW);
}

}  // namespace sx::ui
