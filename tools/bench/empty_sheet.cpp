// The floor of the fill benchmark: a program that starts, shows a property sheet with one page
// holding an empty report list (control 1000) and waits, as SentrixEx does before it lists anything.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstring>
#include <vector>

namespace {

// One dialog template in memory: the page, and its list view.
std::vector<WORD> page_template() {
    std::vector<WORD> t;
    auto put_dword = [&t](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    auto put_text = [&t](const wchar_t* s) {
        while (*s) t.push_back(static_cast<WORD>(*s++));
        t.push_back(0);
    };
    put_dword(WS_CHILD | WS_VISIBLE | DS_SETFONT | DS_CONTROL);
    put_dword(0);
    t.push_back(1);  // controls
    t.push_back(0);
    t.push_back(0);
    t.push_back(400);
    t.push_back(250);
    t.push_back(0);  // no menu
    t.push_back(0);  // default class
    put_text(L"Empty");
    t.push_back(8);
    put_text(L"MS Shell Dlg");
    if (t.size() % 2) t.push_back(0);  // controls start on a DWORD boundary
    put_dword(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT);
    put_dword(0);
    t.push_back(7);
    t.push_back(7);
    t.push_back(386);
    t.push_back(236);
    t.push_back(1000);
    put_text(WC_LISTVIEWW);
    t.push_back(0);  // no text
    t.push_back(0);  // no creation data
    return t;
}

INT_PTR CALLBACK page_procedure(HWND page, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 200;
        column.pszText = const_cast<char*>("Title");
        SendDlgItemMessageA(page, 1000, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    const std::vector<WORD> dialog = page_template();
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_DLGINDIRECT;
    page.hInstance = instance;
    page.pResource = reinterpret_cast<LPCDLGTEMPLATEA>(dialog.data());
    page.pfnDlgProc = page_procedure;
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    header.hInstance = instance;
    header.pszCaption = "Empty sheet";
    header.nPages = 1;
    header.ppsp = &page;
    PropertySheetA(&header);
    return 0;
}
