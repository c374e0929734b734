#include "app/win32/main_window.h"

#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "app/command_line.h"
#include "app/maintenance.h"
#include "app/process_state.h"
#include "common/text.h"
#include "programinfo/resolve.h"
#include "res/resource_ids.h"
#include "settings/store.h"
#include "settings/strings.h"
#include "startup/item_list.h"
#include "ui/win32/dialogs.h"
#include "ui/win32/list_view.h"
#include "ui/win32/sheet.h"

namespace sx::app {

namespace {

constexpr size_t kIdentityBuffer = 32;
constexpr size_t kWinInitViewMax = 16384;
constexpr const char* kMonitorClass = "Sentrix";

ui::Frame* frame_of(HWND window) { return reinterpret_cast<ui::Frame*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

// ---- restart commands ----

struct WinInitView {
    ui::Frame* frame;
    std::string path;
    std::string caption;
};

// Lines of wininit.ini as an edit control shows them: every bare line feed gets its carriage return.
std::string with_crlf(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

INT_PTR CALLBACK wininit_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lparam);
        auto* view = reinterpret_cast<WinInitView*>(lparam);
        ui::Frame& f = *view->frame;
        const std::string text = with_crlf(f.app.os.files.read(view->path, kWinInitViewMax).value_or(std::string()));
        SetDlgItemTextA(dialog, IDC_RESTART_TEXT, text.c_str());
        SetWindowTextA(dialog, view->caption.c_str());
        SetDlgItemTextA(dialog, IDC_RESTART_DELETE, f.text(IDS_DELETE).c_str());
        SetDlgItemTextA(dialog, IDOK, f.text(IDS_CLOSE).c_str());
        SetDlgItemTextA(dialog, IDC_RESTART_LEGEND, f.text(IDS_WININIT_LEGEND).c_str());
        ui::centre_window(dialog);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    auto* view = reinterpret_cast<WinInitView*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (LOWORD(wparam)) {
        case IDC_RESTART_DELETE:
            view->frame->app.os.files.set_attributes(view->path, platform::attr::normal);
            view->frame->app.os.files.remove(view->path);
            EndDialog(dialog, IDC_RESTART_DELETE);
            return TRUE;
        case IDOK:
        case IDCANCEL: EndDialog(dialog, IDOK); return TRUE;
        default: return FALSE;
    }
}

void show_restart_commands(ui::Frame& f) {
    platform::Platform& os = f.app.os;
    const std::string caption = f.text(IDS_RESTART_COMMANDS_CAPTION);
    std::string program = os.system.windows_folder() + "\\wininit.exe";
    if (!programinfo::ProgramFileExists(os, program)) return;
    const std::string path = os.system.windows_folder() + "\\wininit.ini";
    const std::optional<platform::FileFacts> facts = os.files.facts(path);
    if (facts && facts->size.value_or(0) != 0) {
        WinInitView view{&f, path, caption};
        DialogBoxParamA(f.instance, MAKEINTRESOURCEA(IDD_RESTART_COMMANDS), f.main, wininit_proc,
                        reinterpret_cast<LPARAM>(&view));
        return;
    }
    f.message(f.main, f.text(IDS_NO_WININIT_COMMANDS), MB_ICONINFORMATION);
}

// ---- exit request ----

void exit_request(ui::Frame& f) {
    if (settings::read_option(f.app.os, "ConfirmExit", 0) == 0) {
        DestroyWindow(f.main);
        return;
    }
    if (!FindWindowA(kMonitorClass, nullptr)) {
        MessageBoxExA(f.main, "SENTRIXEXIT WinExec", "Test", MB_OK, f.app.language_id);
        // The monitor sits beside this program; its path is quoted so no other file can start instead.
        f.app.os.shell.run("\"" + programinfo::own_folder(f.app.os) + "\\Sentrix.exe\"", SW_SHOW);
        return;
    }
    ui::open_sheet(f, CMD_STARTUP);
}

void command(ui::Frame& f, int id) {
    switch (id) {
        case CMD_STARTUP:
        case CMD_ACTIVE_TASKS:
        case CMD_OPTIONS:
        case CMD_SERVICES:
        case CMD_SCHEDULED_TASKS:
        case CMD_IE_HELPERS:
        case CMD_FILE_TYPES:
        case CMD_HIDDEN_FILES:
        case CMD_DELAY:
        case CMD_ACTIVEX: ui::open_sheet(f, id); break;
        case CMD_COOKIES:
        case CMD_VIEW_COOKIES: ui::open_sheet(f, CMD_COOKIES); break;
        case CMD_QUIT: DestroyWindow(f.main); break;
        case CMD_TOGGLE_AUTORUN: set_autorun(f.app, !f.app.express_boot); break;
        case CMD_WININIT: show_restart_commands(f); break;
        case CMD_EXIT: exit_request(f); break;
        default: break;  // CMD_MONITOR, CMD_BLACKLIST and unknown ids do nothing
    }
}

LRESULT CALLBACK main_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        return DefWindowProcA(window, message, wparam, lparam);
    }
    ui::Frame* f = frame_of(window);
    switch (message) {
        case WM_DESTROY:
        case WM_CLOSE:
            if (f) startup::ClearItems(f->app);
            if (f && !f->com_released) {
                f->com_released = true;
                CoUninitialize();
            }
            PostQuitMessage(0);
            return 0;
        case WM_COMMAND:
            if (f) command(*f, LOWORD(wparam));
            return 0;
        default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

bool create_main_window(ui::Frame& f) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = main_procedure;
    wc.hInstance = f.instance;
    wc.hIcon = LoadIconA(f.instance, MAKEINTRESOURCEA(IDI_APP));
    wc.hIconSm = static_cast<HICON>(LoadImageA(f.instance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, 16, 16, 0));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = f.app.class_name.c_str();
    if (!RegisterClassExA(&wc)) return false;
    f.main = CreateWindowExA(WS_EX_APPWINDOW, f.app.class_name.c_str(), f.app.caption.c_str(),
                             WS_VISIBLE | WS_CAPTION | WS_SYSMENU, 0, -200, 0, 0, nullptr, nullptr, f.instance, &f);
    if (!f.main) return false;
    f.create_drawing_resources();
    return true;
}

}  // namespace

int run(ui::Frame& f, const char* command_line) {
    AppState& app = f.app;
    settings::load_string(app, IDS_CLASS_NAME, app.class_name, kIdentityBuffer);
    settings::load_string(app, IDS_LOADING, app.caption, kIdentityBuffer);
    if (app.class_name.empty() || app.caption.empty()) return 0;

    const CommandLine parsed = parse_command_line(command_line, settings::read_option(app.os, "StartTab", CMD_STARTUP));
    if (parsed.maintenance != Maintenance::none) {
        // Restoring a delayed shortcut needs the shell-link object, so COM is up for these too.
        const HRESULT com = CoInitialize(nullptr);
        switch (parsed.maintenance) {
            case Maintenance::restore: run_restore(app); break;
            case Maintenance::au_option: run_au_option(app); break;
            case Maintenance::set_prefix: run_set_prefix(app); break;
            case Maintenance::none: break;
        }
        if (SUCCEEDED(com)) CoUninitialize();
        return 0;
    }

    if (HWND running = FindWindowA(app.class_name.c_str(), nullptr)) {
        PostMessageA(running, WM_COMMAND, static_cast<WPARAM>(parsed.quit ? CMD_QUIT : parsed.page_command), 0);
        return 0;
    }
    if (parsed.quit) return 0;
    // A removed entry is kept nowhere but in the history, so changes are recorded unless the user has
    // switched the stored History option off.
    app.settings.history = settings::read_option(app.os, "History", 1);

    if (!create_main_window(f)) return 0;
    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                       ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    f.status_bar = nullptr;

    initialise_process_state(app);
    ui::destroy_image_list(f, 0);
    ui::destroy_image_list(f, 1);
    delete_stale_prefetch(app);

    PostMessageA(f.main, WM_COMMAND, static_cast<WPARAM>(parsed.page_command), 0);
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace sx::app
