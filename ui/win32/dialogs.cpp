#include "ui/win32/dialogs.h"

#include "common/text.h"
#include "res/resource_ids.h"
#include "settings/placement.h"

namespace sx::ui {

namespace {

UINT icon_flags(platform::Icon icon) {
    switch (icon) {
        case platform::Icon::information: return MB_ICONINFORMATION;
        case platform::Icon::question: return MB_ICONQUESTION;
        case platform::Icon::exclamation: return MB_ICONEXCLAMATION;
        case platform::Icon::stop: return MB_ICONSTOP;
        case platform::Icon::none: break;
    }
    return 0;
}

settings::ScreenMetrics screen_metrics() {
    return {GetSystemMetrics(SM_CXSCREEN),        GetSystemMetrics(SM_CYSCREEN),
            GetSystemMetrics(SM_XVIRTUALSCREEN),  GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

SIZE window_size(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

struct ErrorArgs {
    Frame* frame;
    unsigned string_id;
};

INT_PTR CALLBACK error_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        auto* args = reinterpret_cast<ErrorArgs*>(lparam);
        SetWindowTextA(dialog, args->frame->app.caption.c_str());
        SetDlgItemTextA(dialog, IDC_ERROR_TEXT, args->frame->text(args->string_id).c_str());
        centre_window(dialog);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wparam));
        return TRUE;
    }
    return FALSE;
}

struct WarningArgs {
    Frame* frame;
    std::string title;
    std::string command;
    bool microsoft;
};

INT_PTR CALLBACK warning_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        auto* args = reinterpret_cast<WarningArgs*>(lparam);
        Frame& f = *args->frame;
        SetWindowTextA(dialog, f.text(IDS_MESSAGE_CAPTION).c_str());
        SendDlgItemMessageA(dialog, IDC_WARN_COMMAND, WM_SETFONT, reinterpret_cast<WPARAM>(f.font(Font::dialog_bold)),
                            FALSE);
        SetDlgItemTextA(dialog, IDC_WARN_COMMAND, args->command.c_str());
        SetDlgItemTextA(dialog, IDC_WARN_TEXT, f.text(IDS_DEFAULT_CONDITION_WARNING).c_str());
        const std::string file_text =
            args->microsoft ? fill_in(f.text(IDS_MICROSOFT_SYSTEM_FILE), args->title) : args->title;
        SetDlgItemTextA(dialog, IDC_WARN_FILE, file_text.c_str());
        SetDlgItemTextA(dialog, IDC_WARN_CONFIRM, f.text(IDS_CONFIRM_SPECIAL_REMOVE).c_str());
        place_window_at(f, dialog, "xDefaultWarning", "yDefaultWarning");
        return TRUE;
    }
    // Only OK closes it; the tick decides.
    if (message == WM_COMMAND && LOWORD(wparam) == IDOK) {
        EndDialog(dialog, IsDlgButtonChecked(dialog, IDC_WARN_CONFIRM) == BST_CHECKED ? IDYES : IDNO);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

HWND WindowPrompts::owner() const {
    if (!frame_) return nullptr;
    if (frame_->prompt_owner && IsWindow(frame_->prompt_owner)) return frame_->prompt_owner;
    return frame_->active_page && IsWindow(frame_->active_page) ? frame_->active_page : frame_->main;
}

bool WindowPrompts::ask(std::string_view text, platform::Icon icon) {
    if (!frame_) return false;
    return frame_->message(owner(), text, MB_YESNO | icon_flags(icon)) == IDYES;
}

void WindowPrompts::tell(std::string_view text, platform::Icon icon) {
    if (frame_) frame_->message(owner(), text, MB_OK | icon_flags(icon));
}

bool WindowPrompts::confirm_special_removal(std::string_view title, std::string_view command, bool microsoft_file) {
    if (!frame_) return false;
    WarningArgs args{frame_, std::string(title), std::string(command), microsoft_file};
    return DialogBoxParamA(frame_->instance, MAKEINTRESOURCEA(IDD_SPECIAL_WARNING), owner(), warning_proc,
                           reinterpret_cast<LPARAM>(&args)) == IDYES;
}

void show_error(Frame& frame, unsigned string_id) {
    ErrorArgs args{&frame, string_id};
    DialogBoxParamA(frame.instance, MAKEINTRESOURCEA(IDD_ERROR), frame.main, error_proc,
                    reinterpret_cast<LPARAM>(&args));
}

void centre_window(HWND window) {
    const SIZE size = window_size(window);
    const settings::Placement p = settings::centre(screen_metrics(), size.cx, size.cy);
    SetWindowPos(window, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void place_window_at(Frame& frame, HWND window, std::string_view left, std::string_view top) {
    const SIZE size = window_size(window);
    const settings::Placement p = settings::corner_placement(settings::read_position(frame.app.os, left, top),
                                                             screen_metrics(), size.cx, size.cy);
    SetWindowPos(window, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void place_window(Frame& frame, HWND window, std::string_view left, std::string_view top, std::string_view width,
                  std::string_view height) {
    const auto p = settings::sheet_placement(settings::read_position(frame.app.os, left, top, width, height),
                                             screen_metrics());
    if (!p) return;
    SetWindowPos(window, nullptr, p->x, p->y, p->width, p->height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace sx::ui
