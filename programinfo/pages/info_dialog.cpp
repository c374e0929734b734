#include "programinfo/pages/info_dialog.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "common/text.h"
#include "inventory/item_info.h"
#include "inventory/services.h"
#include "programinfo/lookup.h"
#include "programinfo/notes.h"
#include "res/resource_ids.h"
#include "startup/active_tasks.h"
#include "ui/win32/dialogs.h"
#include "ui/win32/gdi.h"

namespace sx::ui {

namespace {

// A service is asked again this long after it was told to stop.
constexpr DWORD kStopSettleMs = 100;
// A program just started is looked for this often, this far apart, before the window is refreshed.
constexpr int kStartPolls = 20;
constexpr DWORD kStartPollMs = 50;

constexpr int kLowerControls[] = {IDC_INFO_NOTE,         IDC_INFO_LABEL_CREATED, IDC_INFO_CREATED,
                                  IDC_INFO_LABEL_SAVED,  IDC_INFO_WRITTEN,       IDC_INFO_LABEL_SIZE,
                                  IDC_INFO_SIZE,         IDC_INFO_LABEL_DETECTED, IDC_INFO_FIRST_DETECTED,
                                  IDC_INFO_NOTE_BUTTON};
constexpr int kBottomRow[] = {IDC_INFO_MORE, IDC_INFO_EXPAND, IDC_INFO_NOTE_BUTTON, IDC_INFO_PREVIOUS,
                              IDC_INFO_NEXT, IDOK};

bool is_service(int type) { return type == code::service_exe || type == code::service_host; }

RECT client_rect_of(HWND dialog, int id) {
    RECT r{};
    HWND control = GetDlgItem(dialog, id);
    if (!control) return r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void show(HWND dialog, int id, bool shown) { ShowWindow(GetDlgItem(dialog, id), shown ? SW_SHOW : SW_HIDE); }

std::string window_text_of(HWND control) {
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

class InfoDialog {
public:
    InfoDialog(Frame& frame, size_t index) : frame_(frame), app_(frame.app), index_(index) {}
    ~InfoDialog() {
        if (icon_) DestroyIcon(icon_);
    }
    InfoDialog(const InfoDialog&) = delete;
    InfoDialog& operator=(const InfoDialog&) = delete;

    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(window, DWLP_USER, lparam);
            reinterpret_cast<InfoDialog*>(lparam)->dialog_ = window;
        }
        auto* self = reinterpret_cast<InfoDialog*>(GetWindowLongPtrA(window, DWLP_USER));
        return self ? self->handle(message, wparam, lparam) : FALSE;
    }

private:
    INT_PTR handle(UINT message, WPARAM wparam, LPARAM) {
        switch (message) {
            case WM_INITDIALOG: init(); return TRUE;
            case WM_COMMAND: command(LOWORD(wparam), HIWORD(wparam)); return TRUE;
            case WM_CLOSE: close(); return TRUE;
            default: return FALSE;
        }
    }

    void init() {
        static constexpr std::pair<int, unsigned> kTexts[] = {
            {IDC_INFO_LABEL_COMPANY, IDS_LABEL_COMPANY}, {IDC_INFO_LABEL_VERSION, IDS_LABEL_VERSION},
            {IDC_INFO_LABEL_COPYRIGHT, IDS_LABEL_COPYRIGHT}, {IDC_INFO_LABEL_CREATED, IDS_LABEL_DATE_CREATED},
            {IDC_INFO_LABEL_SAVED, IDS_LABEL_LAST_SAVED}, {IDC_INFO_LABEL_SIZE, IDS_LABEL_FILE_SIZE},
            {IDC_INFO_LABEL_DETECTED, IDS_LABEL_DETECTED}, {IDOK, IDS_CLOSE}, {IDC_INFO_MORE, IDS_ZENTRA_INFO},
            {IDC_INFO_NOTE_BUTTON, IDS_CREATE_NOTE}, {IDC_INFO_KILL, IDS_KILL_TASK}, {IDC_INFO_RUN, IDS_RUN},
            {IDC_INFO_LABEL_STATUS, IDS_LABEL_STATUS}, {IDC_INFO_LABEL_START_TYPE, IDS_LABEL_STARTUP_TYPE},
            {IDC_INFO_APPLY, IDS_APPLY}};
        for (const auto& [id, text] : kTexts) SetDlgItemTextA(dialog_, id, frame_.text(text).c_str());
        SetDlgItemTextA(dialog_, IDC_INFO_NEXT, ">>");
        SetDlgItemTextA(dialog_, IDC_INFO_PREVIOUS, "<<");
        SendDlgItemMessageA(dialog_, IDC_INFO_DESCRIPTION, WM_SETFONT,
                            reinterpret_cast<WPARAM>(frame_.font(Font::dialog_bold)), FALSE);
        SendDlgItemMessageA(dialog_, IDC_INFO_NOTE, WM_SETFONT, reinterpret_cast<WPARAM>(frame_.font(Font::note)),
                            FALSE);
        // The box never takes more than a note file can hold.
        SendDlgItemMessageA(dialog_, IDC_INFO_NOTE, EM_SETLIMITTEXT, programinfo::kNoteMax, 0);
        for (unsigned type : {IDS_START_AUTOMATIC, IDS_START_MANUAL, IDS_START_DISABLED}) {
            SendDlgItemMessageA(dialog_, IDC_INFO_START_TYPE, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(frame_.text(type).c_str()));
        }

        // The two layouts, measured on the template: shrunk, the bottom row moves up to where the
        // lower part begins and the window loses that height.
        RECT window{};
        GetWindowRect(dialog_, &window);
        full_height_ = window.bottom - window.top;
        row_y_ = client_rect_of(dialog_, IDOK).top;
        lower_y_ = client_rect_of(dialog_, IDC_INFO_NOTE).top;

        // Messages of what the window does are owned by it while it is open.
        frame_.prompt_owner = dialog_;
        place_window_at(frame_, dialog_, "xInfo", "yInfo");
        apply_layout();
        fill();
    }

    void apply_layout() {
        const bool expanded = frame_.info_expanded;
        const int shift = expanded ? 0 : row_y_ - lower_y_;
        for (int id : kLowerControls) show(dialog_, id, expanded);
        for (int id : kBottomRow) {
            const RECT r = client_rect_of(dialog_, id);
            SetWindowPos(GetDlgItem(dialog_, id), nullptr, r.left, row_y_ - shift, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        RECT window{};
        GetWindowRect(dialog_, &window);
        SetWindowPos(dialog_, nullptr, 0, 0, window.right - window.left, full_height_ - shift,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetDlgItemTextA(dialog_, IDC_INFO_EXPAND, frame_.text(expanded ? IDS_SHRINK_WINDOW : IDS_EXPAND_INFO).c_str());
        InvalidateRect(dialog_, nullptr, TRUE);
    }

    // Shows entry index_.
    void fill() {
        CursorScope wait(IDC_WAIT);
        filling_ = true;
        info_ = inventory::ReadItemInfo(app_, index_);
        const StartupEntry* entry = app_.items.at(index_);
        command_ = entry ? entry->command : std::string();
        SetWindowTextA(dialog_, info_.title.c_str());
        set(IDC_INFO_PATH, info_.path);
        show_icon();

        set(IDC_INFO_LOCATION, info_.location);
        show(dialog_, IDC_INFO_LOCATION, info_.location_shown);
        set(IDC_INFO_PRODUCT, info_.versions.ProductName);
        set(IDC_INFO_VERSION, info_.versions.ProductVersion);
        set(IDC_INFO_COMPANY, info_.versions.CompanyName);
        set(IDC_INFO_DESCRIPTION, info_.versions.FileDescription);
        set(IDC_INFO_COPYRIGHT, info_.versions.LegalCopyright);
        set(IDC_INFO_CREATED, info_.facts.created);
        set(IDC_INFO_WRITTEN, info_.facts.written);
        set(IDC_INFO_SIZE, info_.facts.size);
        set(IDC_INFO_FIRST_DETECTED, info_.facts.first_detected);

        const bool service = is_service(info_.type);
        set(IDC_INFO_STATUS, info_.status);
        show(dialog_, IDC_INFO_LABEL_STATUS, info_.status_shown);
        show(dialog_, IDC_INFO_STATUS, info_.status_shown);
        SetDlgItemTextA(dialog_, IDC_INFO_KILL, frame_.text(service ? IDS_STOP : IDS_KILL_TASK).c_str());
        show(dialog_, IDC_INFO_KILL, info_.kill_shown);
        EnableWindow(GetDlgItem(dialog_, IDC_INFO_KILL), service ? info_.stop_enabled : TRUE);
        show(dialog_, IDC_INFO_RUN, info_.run_shown);
        for (int id : {IDC_INFO_LABEL_START_TYPE, IDC_INFO_START_TYPE, IDC_INFO_APPLY}) show(dialog_, id, info_.service);
        SendDlgItemMessageA(dialog_, IDC_INFO_START_TYPE, CB_SETCURSEL, static_cast<WPARAM>(info_.start_type), 0);
        current_type_ = info_.start_type;
        EnableWindow(GetDlgItem(dialog_, IDC_INFO_APPLY), FALSE);

        show_note();
        filling_ = false;
    }

    void set(int id, const std::string& text) { SetDlgItemTextA(dialog_, id, text.c_str()); }

    void show_icon() {
        HICON icon = nullptr;
        if (!info_.icon_file.empty()) {
            icon = ExtractIconA(frame_.instance, info_.icon_file.c_str(), 0);
            // 1: the file is no program, library or icon file.
            if (reinterpret_cast<INT_PTR>(icon) == 1) icon = nullptr;
        }
        if (!icon) {
            icon = static_cast<HICON>(LoadImageA(frame_.instance, MAKEINTRESOURCEA(IDI_PROGRAM_FILE), IMAGE_ICON, 0, 0,
                                                 LR_DEFAULTSIZE));
        }
        SendDlgItemMessageA(dialog_, IDC_INFO_ICON, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
        if (icon_) DestroyIcon(icon_);
        icon_ = icon;
    }

    void show_note() {
        HWND box = GetDlgItem(dialog_, IDC_INFO_NOTE);
        note_state_ = NoteState::none;
        unsigned button = IDS_CREATE_NOTE;
        bool editable = false;
        if (info_.note_exists && info_.note.whole) {
            note_state_ = NoteState::open;
            editable = true;
            button = IDS_SAVE_NOTE;
            SetWindowTextA(box, info_.note.text.c_str());
        } else if (info_.note_exists) {
            // Only the beginning could be shown: saving it would cut the note, so it opens whole instead.
            note_state_ = NoteState::view_only;
            button = IDS_VIEW_NOTE;
            SetWindowTextA(box, info_.note.text.c_str());
        } else {
            SetWindowTextA(box, info_.note_default.c_str());
        }
        SendMessageA(box, EM_SETREADONLY, editable ? FALSE : TRUE, 0);
        SendMessageA(box, EM_SETMODIFY, FALSE, 0);
        SetDlgItemTextA(dialog_, IDC_INFO_NOTE_BUTTON, frame_.text(button).c_str());
        // A note shown as saved has nothing to save until it is edited.
        EnableWindow(GetDlgItem(dialog_, IDC_INFO_NOTE_BUTTON), note_state_ != NoteState::open);
    }

    bool note_modified() const {
        return note_state_ == NoteState::open && SendDlgItemMessageA(dialog_, IDC_INFO_NOTE, EM_GETMODIFY, 0, 0) != 0;
    }

    // Writes the box over the note file; on failure the user is told and the edits stay marked.
    bool save_note() {
        HWND box = GetDlgItem(dialog_, IDC_INFO_NOTE);
        if (!programinfo::SaveNote(app_.os, info_.note_path, window_text_of(box))) {
            frame_.message(dialog_, fill_in(frame_.text(IDS_NOTE_NOT_SAVED), info_.note_path), MB_ICONEXCLAMATION);
            EnableWindow(GetDlgItem(dialog_, IDC_INFO_NOTE_BUTTON), TRUE);
            SendMessageA(box, EM_SETMODIFY, TRUE, 0);
            return false;
        }
        SendMessageA(box, EM_SETMODIFY, FALSE, 0);
        EnableWindow(GetDlgItem(dialog_, IDC_INFO_NOTE_BUTTON), FALSE);
        return true;
    }

    // Edits are saved before the window shows another entry or closes; false when they could not be.
    bool keep_note() { return !note_modified() || save_note(); }

    void create_note() {
        HWND box = GetDlgItem(dialog_, IDC_INFO_NOTE);
        note_state_ = NoteState::open;
        SendMessageA(box, EM_SETREADONLY, FALSE, 0);
        SetDlgItemTextA(dialog_, IDC_INFO_NOTE_BUTTON, frame_.text(IDS_SAVE_NOTE).c_str());
        const std::string text = info_.title + "\r\n" + command_ + "\r\n";
        SetWindowTextA(box, text.c_str());
        save_note();
        SetFocus(box);
        SendMessageA(box, EM_SETSEL, text.size(), text.size());
    }

    void note_button() {
        switch (note_state_) {
            case NoteState::none: create_note(); break;
            case NoteState::open: save_note(); break;
            case NoteState::view_only:
                app_.os.shell.execute(frame_.owner_ref(dialog_), "open", info_.note_path, {}, {},
                                      platform::kShowDefault);
                break;
        }
    }

    void go(int step) {
        const size_t count = app_.items.count();
        if (count == 0) {
            close();
            return;
        }
        if (!keep_note()) return;
        index_ = step > 0 ? (index_ + 1) % count : (index_ == 0 ? count - 1 : index_ - 1);
        fill();
    }

    void stop_or_kill() {
        if (is_service(info_.type)) {
            inventory::StopService(app_, index_);
            Sleep(kStopSettleMs);
        } else {
            startup::StopProgram(app_, command_, info_.title, false);
        }
        fill();
    }

    void run() {
        const StartupEntry* entry = app_.items.at(index_);
        if (!is_service(info_.type) && entry && startup::RunProgram(app_, *entry)) {
            for (int poll = 0; poll < kStartPolls && startup::FindProcessOf(app_, command_) == 0; ++poll) {
                Sleep(kStartPollMs);
            }
        }
        fill();
    }

    void apply_start_type() {
        const int k = static_cast<int>(SendDlgItemMessageA(dialog_, IDC_INFO_START_TYPE, CB_GETCURSEL, 0, 0));
        if (k < 0 || k > 2) return;
        if (inventory::SetServiceStartType(app_, index_, platform::service_start::automatic + static_cast<uint32_t>(k))) {
            current_type_ = k;
        }
        EnableWindow(GetDlgItem(dialog_, IDC_INFO_APPLY), FALSE);
    }

    void close() {
        if (keep_note()) EndDialog(dialog_, IDOK);
    }

    void command(int id, int code) {
        switch (id) {
            case IDOK:
            case IDCANCEL: close(); break;
            case IDC_INFO_NEXT: go(1); break;
            case IDC_INFO_PREVIOUS: go(-1); break;
            case IDC_INFO_EXPAND:
                frame_.info_expanded = !frame_.info_expanded;
                apply_layout();
                break;
            case IDC_INFO_KILL: stop_or_kill(); break;
            case IDC_INFO_RUN: run(); break;
            case IDC_INFO_MORE:
                programinfo::LookupProgramOnline(app_, info_.type, info_.path, frame_.owner_ref(dialog_));
                SetWindowPos(dialog_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                break;
            case IDC_INFO_NOTE_BUTTON: note_button(); break;
            case IDC_INFO_NOTE:
                if (code == EN_CHANGE && !filling_ && note_state_ == NoteState::open) {
                    EnableWindow(GetDlgItem(dialog_, IDC_INFO_NOTE_BUTTON), TRUE);
                }
                break;
            case IDC_INFO_START_TYPE:
                if (code == CBN_SELCHANGE) {
                    const int k = static_cast<int>(SendDlgItemMessageA(dialog_, IDC_INFO_START_TYPE, CB_GETCURSEL, 0, 0));
                    EnableWindow(GetDlgItem(dialog_, IDC_INFO_APPLY), k >= 0 && k != current_type_);
                }
                break;
            case IDC_INFO_APPLY: apply_start_type(); break;
            default: break;
        }
    }

    enum class NoteState { none, open, view_only };

    Frame& frame_;
    AppState& app_;
    HWND dialog_ = nullptr;
    size_t index_;
    inventory::ItemInfo info_;
    std::string command_;
    HICON icon_ = nullptr;
    NoteState note_state_ = NoteState::none;
    bool filling_ = false;
    int current_type_ = -1;
    int full_height_ = 0;
    int row_y_ = 0;
    int lower_y_ = 0;
};

}  // namespace

void show_info_dialog(Frame& frame, HWND owner, size_t index) {
    if (!frame.app.items.at(index)) return;
    InfoDialog dialog(frame, index);
    HWND before = frame.prompt_owner;
    DialogBoxParamA(frame.instance, MAKEINTRESOURCEA(IDD_INFO), owner, InfoDialog::procedure,
                    reinterpret_cast<LPARAM>(&dialog));
    frame.prompt_owner = before;
}

}  // namespace sx::ui
