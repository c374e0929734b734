#include "ui/win32/page.h"

#include <windowsx.h>

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "common/text.h"
#include "programinfo/lookup.h"
#include "programinfo/notes.h"
#include "programinfo/pages/info_dialog.h"
#include "programinfo/resolve.h"
#include "res/resource_ids.h"
#include "settings/store.h"
#include "startup/catalogue.h"
#include "startup/disabled_store.h"
#include "ui/layout.h"
#include "ui/win32/dialogs.h"
#include "ui/win32/help.h"
#include "ui/win32/list_view.h"
#include "ui/win32/scan_log.h"
#include "ui/win32/sheet.h"

namespace sx::ui {

namespace {

// Rows come in batches: each one repaints the list once. A batch waits until this long after the
// one before, unless every file is read, and is at most this many rows (a few milliseconds of work).
constexpr ULONGLONG kBatchIntervalMs = 50;
constexpr size_t kImagesAtFirst = 64;  // the image list grows from here as pictures come
constexpr size_t kRowsPerBatch = 512;
constexpr UINT_PTR kBatchTimer = 1;
// Set on the page while a fill runs, for whoever watches the program from outside.
constexpr char kFillingProperty[] = "SentrixFilling";

constexpr int kMaxRowButtons = 5;
constexpr COLORREF kButtonText = RGB(0, 0, 64);
constexpr COLORREF kButtonHover = RGB(0, 0, 255);
constexpr COLORREF kButtonShadow = RGB(192, 192, 192);

HANDLE prop(HWND window, int name) { return GetPropA(window, MAKEINTATOM(name)); }

void show_picture(HWND control, HANDLE picture) {
    if (picture) SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
}

bool is_help_icon(HWND control) {
    const int id = GetDlgCtrlID(control);
    return id == IDC_HELP_ICON || id == IDC_HELP_ICON_2;
}

int width_of(HWND control) {
    RECT r{};
    if (!control || !GetWindowRect(control, &r)) return 0;
    return r.right - r.left;
}

}  // namespace

Page::Page(Frame& frame, const PageTraits& traits) : frame_(frame), traits_(traits) {}

PROPSHEETPAGEA Page::describe(HICON icon, const std::string& title) {
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_USEHICON | PSP_USETITLE;
    page.hInstance = frame_.instance;
    page.pszTemplate = MAKEINTRESOURCEA(traits_.dialog);
    page.hIcon = icon;
    page.pszTitle = title.c_str();
    page.pfnDlgProc = procedure;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

INT_PTR CALLBACK Page::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        auto* page = reinterpret_cast<Page*>(reinterpret_cast<PROPSHEETPAGEA*>(lparam)->lParam);
        SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
        page->hwnd_ = window;
        page->list_ = GetDlgItem(window, IDC_LIST);
    }
    auto* page = reinterpret_cast<Page*>(GetWindowLongPtrA(window, DWLP_USER));
    return page ? page->handle(message, wparam, lparam) : FALSE;
}

INT_PTR Page::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG: {
            // The frame owns the image lists; a list view must not destroy them as well.
            if (list_) SetWindowLongPtrA(list_, GWL_STYLE, GetWindowLongPtrA(list_, GWL_STYLE) | LVS_SHAREIMAGELISTS);
            init();
            set_texts({{IDC_HELP_LABEL, IDS_HELP_LABEL}, {IDC_STATUS_LABEL, IDS_MONITOR_LABEL}});
            frame_.app.active_page = traits_.command;
            HWND sheet = GetParent(hwnd_);
            if (frame_.is_nt()) {
                if (!frame_.sheet_procedure) {
                    first_page_setup(frame_, sheet);
                    place_window(frame_, sheet, "xPos", "yPos", "dxPos", "dyPos");
                }
            } else {
                place_window_at(frame_, sheet, "xPos", "yPos");
            }
            return TRUE;
        }
        case WM_DESTROY:
        case WM_CLOSE: destroyed(); return TRUE;
        case WM_SETCURSOR:
            button_hover();
            return FALSE;  // the cursor itself stays the system's
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            if (item && item->CtlType == ODT_BUTTON && item->itemAction == ODA_DRAWENTIRE) {
                draw_button(*item);
                return TRUE;
            }
            return FALSE;
        }
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK: return image_mouse(message, lparam) ? TRUE : FALSE;
        case WM_PAGE_LAYOUT: layout(); return TRUE;
        case WM_FILL_READY: take_rows(); return TRUE;
        case WM_KEYS_READ:
            if (wparam != fill_serial_ || !reader_.joinable()) return TRUE;
            if (commands_running_ > 0) {
                keys_waiting_ = true;  // enumerating changes the list a command is working on
                return TRUE;
            }
            keys_read();
            return TRUE;
        case WM_TIMER:
            if (wparam != kBatchTimer) return FALSE;
            KillTimer(hwnd_, kBatchTimer);
            take_rows();
            return TRUE;
        case WM_NOTIFY: return notify(*reinterpret_cast<const NMHDR*>(lparam));
        case WM_COMMAND: {
            // A command acts on rows it has chosen and may ask questions: rows that come in meanwhile
            // wait, so nothing moves under it.
            ++commands_running_;
            const INT_PTR handled = handle_command(wparam);
            --commands_running_;
            if (commands_running_ == 0 && keys_waiting_) {
                keys_waiting_ = false;
                PostMessageA(hwnd_, WM_KEYS_READ, fill_serial_, 0);
            }
            if (commands_running_ == 0 && rows_waiting_) {
                rows_waiting_ = false;
                PostMessageA(hwnd_, WM_FILL_READY, 0, 0);
            }
            return handled;
        }
        default: return FALSE;
    }
}

INT_PTR Page::handle_command(WPARAM wparam) {
    const int id = LOWORD(wparam);
    if (id == IDCANCEL) return TRUE;  // the sheet's Cancel has no effect on a page
    if (command(id, HIWORD(wparam))) return TRUE;
    if (id == IDC_CLOSE) {
        close_page();
        return TRUE;
    }
    if (id == IDC_HELP_ICON || id == IDM_HELP) {
        show_help(frame_, traits_.command);
        return TRUE;
    }
    return common_command(id) ? TRUE : FALSE;
}

INT_PTR Page::notify(const NMHDR& header) {
    if (header.code == PSN_SETACTIVE) {
        set_active();
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, 0);
        return TRUE;
    }
    if (header.code == PSN_KILLACTIVE) {
        deactivate();
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, FALSE);
        return TRUE;
    }
    if (header.hwndFrom != list_) return FALSE;
    switch (header.code) {
        case LVN_COLUMNCLICK: {
            const int column = reinterpret_cast<const NMLISTVIEW&>(header).iSubItem;
            if (column >= 0 && column < clickable_columns(sort_list())) {
                if (filling()) user_sort_column_ = column;
                sort_by(column);
                frame_.sort.descending[static_cast<size_t>(column)] = !frame_.sort.descending[static_cast<size_t>(column)];
            }
            return TRUE;
        }
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            // One notification per changed item: react once, when an item becomes selected.
            if ((change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
                !(change.uOldState & LVIS_SELECTED)) {
                selection_changed();
            }
            return TRUE;
        }
        case NM_CLICK:
        case LVN_KEYDOWN: selection_changed(); return TRUE;
        case NM_RCLICK: show_context_menu(); return TRUE;
        case NM_DBLCLK: double_clicked(); return TRUE;
        default: return FALSE;
    }
}

void Page::set_active() {
    {
        CursorScope wait(IDC_WAIT);
        activating_ = true;
        fill();
        activating_ = false;
        common_activation();
        frame_.app.active_page = traits_.command;
        activated();
    }
    SetCursor(LoadCursorA(nullptr, IDC_HAND));
}

void Page::common_activation() {
    HWND help = GetDlgItem(hwnd_, IDC_HELP_ICON);
    if (help) {
        SetPropA(help, MAKEINTATOM(10000), frame_.picture(Picture::help_normal));
        SetPropA(help, MAKEINTATOM(10001), frame_.picture(Picture::help_pressed));
        SetPropA(help, MAKEINTATOM(10002), frame_.picture(Picture::help_hover));
        SetPropA(help, MAKEINTATOM(10003), reinterpret_cast<HANDLE>(static_cast<INT_PTR>(IDC_HELP_ICON)));
        show_picture(help, frame_.picture(Picture::help_normal));
    }
    ShowWindow(GetDlgItem(hwnd_, IDC_STATUS_ICON), SW_HIDE);
    ShowWindow(GetDlgItem(hwnd_, IDC_STATUS_LABEL), SW_HIDE);

    HWND sheet = GetParent(hwnd_);
    SetWindowLongPtrA(sheet, GWL_EXSTYLE, GetWindowLongPtrA(sheet, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CONTEXTHELP));
    HWND ok = GetDlgItem(sheet, IDOK);
    ShowWindow(ok, SW_HIDE);
    EnableWindow(ok, FALSE);
    SetDlgItemTextA(sheet, IDCANCEL, frame_.text(IDS_CLOSE).c_str());

    SetWindowTextA(frame_.main, frame_.app.caption.c_str());
    frame_.active_page = hwnd_;
    set_status({});
    if (frame_.is_nt()) layout_sheet(frame_, hwnd_);
}

void Page::deactivate() {
    stop_fill();
    startup::ClearItems(frame_.app);
    keys_.clear();
    for (int control : {IDC_HELP_ICON, IDC_STATUS_ICON}) {
        HWND w = GetDlgItem(hwnd_, control);
        if (!w) continue;
        for (int name = 10000; name <= 10003; ++name) RemovePropA(w, MAKEINTATOM(name));
    }
    set_status({});
}

void Page::destroyed() {
    stop_fill();
    destroy_image_list(frame_, 0);
    frame_.app.active_page = 0;
    if (frame_.active_page == hwnd_) frame_.active_page = nullptr;
    PostMessageA(frame_.main, WM_CLOSE, 0, 0);
}

void Page::layout() {
    HWND sheet = GetParent(hwnd_);
    RECT outer{};
    GetWindowRect(sheet, &outer);
    PageMeasures m;
    m.sheet_width = outer.right - outer.left;
    m.sheet_height = outer.bottom - outer.top;
    m.one_tab_row = frame_.tab_rows <= 1;
    RECT margins{7, 44, 14, 90};
    MapDialogRect(hwnd_, &margins);
    m.margin_left = margins.left;
    m.margin_top = margins.top;
    m.margin_right = margins.right;
    m.margin_bottom = margins.bottom;
    RECT row{7, 25, 14, 35};
    MapDialogRect(hwnd_, &row);
    m.row_left = row.left;
    m.row_bottom = row.bottom;

    HWND help = GetDlgItem(hwnd_, IDC_HELP_ICON);
    HWND help_label = GetDlgItem(hwnd_, IDC_HELP_LABEL);
    HWND status = GetDlgItem(hwnd_, IDC_STATUS_ICON);
    HWND status_label = GetDlgItem(hwnd_, IDC_STATUS_LABEL);
    m.help_width = width_of(help);
    m.help_label_width = width_of(help_label);
    m.status_width = width_of(status);
    m.status_label_width = width_of(status_label);

    std::vector<RowButton> row_buttons = bottom_row();
    if (row_buttons.size() > kMaxRowButtons) row_buttons.resize(kMaxRowButtons);
    HWND first = row_buttons.empty() ? nullptr : GetDlgItem(hwnd_, row_buttons.front().id);
    RECT first_rect{};
    if (first) GetWindowRect(first, &first_rect);
    m.button_width = first_rect.right - first_rect.left;
    m.button_height = first_rect.bottom - first_rect.top;
    m.buttons = static_cast<int>(row_buttons.size());

    PageLayout p = page_layout(m);
    const std::vector<int> below = row_below_list();
    HDWP batch = BeginDeferWindowPos(8 + static_cast<int>(below.size()));
    auto move = [&](HWND w, const Rect& r, bool resize) {
        if (!batch || !w || !IsWindow(w)) return;
        batch = DeferWindowPos(batch, w, nullptr, r.x, r.y, r.width, r.height,
                               SWP_NOZORDER | SWP_NOACTIVATE | (resize ? 0 : SWP_NOSIZE));
    };
    move(help, p.help, false);
    move(help_label, p.help_label, false);
    move(status, p.status, false);
    move(status_label, p.status_label, false);
    if (!below.empty()) {
        RECT gap{0, 0, 4, 4};
        MapDialogRect(hwnd_, &gap);
        int height = 0;
        for (int id : below) {
            RECT r{};
            if (GetWindowRect(GetDlgItem(hwnd_, id), &r)) height = std::max<int>(height, r.bottom - r.top);
        }
        p.list.height -= height + gap.bottom;
        int x = p.list.x;
        for (int id : below) {
            HWND control = GetDlgItem(hwnd_, id);
            move(control, {x, p.list.y + p.list.height + gap.bottom, 0, 0}, false);
            x += width_of(control) + 2 * gap.right;
        }
    }
    move(list_, p.list, true);
    for (size_t i = 0; i < row_buttons.size() && i < p.buttons.size(); ++i) {
        move(GetDlgItem(hwnd_, row_buttons[i].id), p.buttons[i], true);
        if (row_buttons[i].alternate && p.move_alternate[i]) {
            move(GetDlgItem(hwnd_, row_buttons[i].alternate), p.buttons[i], true);
        }
    }
    if (batch) EndDeferWindowPos(batch);
    // The columns keep their shares of the list as it grows and shrinks with the sheet.
    if (list_) fit_columns(list_, traits_.command);
}

// ---- shared operations ----

void Page::set_texts(std::initializer_list<std::pair<int, unsigned>> control_strings) {
    for (const auto& [control, string_id] : control_strings) {
        const std::string text = frame_.text(string_id);
        if (!text.empty()) SetDlgItemTextA(hwnd_, control, text.c_str());
    }
}

void Page::add_columns(std::initializer_list<unsigned> titles) {
    int index = 0;
    for (unsigned title : titles) add_column(list_, index++, frame_.text(title), traits_.command);
}

void Page::reset_keys(size_t records) {
    keys_.assign(records, RowKeys{});
}

// ---- list fills ----

void Page::refill() {
    stop_fill();
    SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
    user_sort_column_ = -1;
    select_on_finish_ = activating_;
    reselect_on_finish_ = reselect_next_;
    reselect_next_ = -1;
    SetPropA(hwnd_, kFillingProperty, reinterpret_cast<HANDLE>(1));
    SnapshotRegistry* snapshots = frame_.app.snapshots;
    std::vector<RegistryKey> keys = fill_keys();
    if (!snapshots || keys.empty()) {
        keys_read();
        return;
    }
    reader_ = std::thread([this, keys = std::move(keys), &real = snapshots->real(), serial = fill_serial_] {
        snapshot_ = SnapshotRegistry::read(real, keys);
        PostMessageA(hwnd_, WM_KEYS_READ, serial, 0);
    });
}

void Page::keys_read() {
    if (reader_.joinable()) reader_.join();
    SnapshotRegistry* snapshots = frame_.app.snapshots;
    if (snapshots) snapshots->hold(std::move(snapshot_));
    snapshot_.clear();
    std::vector<std::string> files = enumerate();
    // Later reads see the registry as it is then.
    if (snapshots) snapshots->release();
    start_fill(std::move(files), icon_index());
}

void Page::start_fill(std::vector<std::string> files, int icon_index) {
    reset_keys(files.size());
    generic_image_ = -1;
    const programinfo::IconWanted icon{icon_index, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)};
    job_ = std::make_unique<FillJob>(frame_.app.os, std::move(files), icon, hwnd_, WM_FILL_READY);
    file_images_.assign(job_->distinct_files(), -1);
    icon_images_.clear();
    // Files that share a picture share its image, so room for every file would mostly stay unused.
    create_image_list(frame_, list_, 0, static_cast<int>(std::min<size_t>(job_->distinct_files() + 2, kImagesAtFirst)));
}

void Page::stop_fill() {
    if (reader_.joinable()) reader_.join();
    snapshot_.clear();
    ++fill_serial_;  // what the stopped fill posted is not for the next one
    job_.reset();
    KillTimer(hwnd_, kBatchTimer);
    RemovePropA(hwnd_, kFillingProperty);
}

std::vector<int> Page::images_of(const std::vector<FillJob::Row>& rows) {
    constexpr int kQueued = -2;
    HIMAGELIST images = frame_.image_lists[0].get();
    auto generic = [this] {
        if (generic_image_ < 0) generic_image_ = add_generic_icon(frame_, 0);
        return generic_image_;
    };
    // The icons this batch brings go into the image list in one strip: one call instead of an icon
    // handle, a copy and a drawing per file.
    // Many files show the same picture (a vendor's programs, the default program icon): each picture
    // is added once.
    std::vector<std::pair<size_t, size_t>> strip;  // file, its picture's place in the strip
    std::vector<const programinfo::IconPixels*> pixels;
    std::vector<std::string> keys;
    std::unordered_map<std::string_view, size_t> in_strip;
    keys.reserve(rows.size());  // in_strip points into these
    std::vector<programinfo::ProgramFacts*> added;
    for (const FillJob::Row& row : rows) {
        if (row.file == FillJob::kNoFile || file_images_[row.file] != -1) continue;
        programinfo::ProgramFacts& facts = *row.facts;
        added.push_back(&facts);
        if (facts.icon) {
            const programinfo::IconPixels& icon = *facts.icon;
            std::string key(reinterpret_cast<const char*>(icon.argb.data()), icon.argb.size() * sizeof(uint32_t));
            key += format("%dx%d", icon.width, icon.height);
            if (const auto known = icon_images_.find(key); known != icon_images_.end()) {
                file_images_[row.file] = known->second;
                continue;
            }
            file_images_[row.file] = kQueued;
            const auto [at, fresh] = in_strip.try_emplace(keys.emplace_back(std::move(key)), pixels.size());
            if (fresh) pixels.push_back(&icon);
            strip.emplace_back(row.file, at->second);
        } else if (!facts.icon_resource.empty()) {
            file_images_[row.file] = add_icon_resource(frame_, 0, facts.icon_resource);
        }
        if (file_images_[row.file] == -1) file_images_[row.file] = generic();
    }
    if (!pixels.empty()) {
        const int first = add_icon_strip(images, pixels);
        for (const auto& [file, place] : strip) file_images_[file] = first >= 0 ? first + static_cast<int>(place) : generic();
        if (first >= 0) {
            for (const auto& [key, place] : in_strip) icon_images_.emplace(std::string(key), first + static_cast<int>(place));
        }
    }
    // The image list has them now: a long list need not hold every icon twice.
    for (programinfo::ProgramFacts* facts : added) {
        facts->icon.reset();
        std::string().swap(facts->icon_resource);
    }
    std::vector<int> result;
    result.reserve(rows.size());
    for (const FillJob::Row& row : rows) result.push_back(row.file == FillJob::kNoFile ? generic() : file_images_[row.file]);
    return result;
}

void Page::take_rows() {
    if (!job_) return;
    if (commands_running_ > 0) {
        rows_waiting_ = true;
        return;
    }
    const ULONGLONG since = GetTickCount64() - last_batch_;
    if (!job_->all_read() && since < kBatchIntervalMs) {
        SetTimer(hwnd_, kBatchTimer, static_cast<UINT>(kBatchIntervalMs - since), nullptr);
        return;
    }
    last_batch_ = GetTickCount64();
    const std::vector<FillJob::Row> rows = job_->take(kRowsPerBatch);
    if (!rows.empty()) {
        SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
        const std::vector<int> images = images_of(rows);
        for (size_t i = 0; i < rows.size(); ++i) add_row(rows[i], images[i]);
        job_->shown(rows);
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }
    if (job_->finished()) {
        finish_fill();
    } else if (rows.size() == kRowsPerBatch && job_->ready()) {
        PostMessageA(hwnd_, WM_FILL_READY, 0, 0);  // more are ready: after what else waits
    }
}

void Page::finish_fill() {
    job_.reset();
    KillTimer(hwnd_, kBatchTimer);
    fill_finished();
    if (user_sort_column_ >= 0) {
        // Sorted by a click during the fill: the rows that came in since join that order.
        auto& descending = frame_.sort.descending[static_cast<size_t>(user_sort_column_)];
        descending = !descending;
        sort_by(user_sort_column_);
        descending = !descending;
    }
    if (select_on_finish_) {
        select_only(list_, 0);
        // As at the end of an activation: the status bar is empty, the caption as the selection left it.
        set_status({});
        SetWindowTextA(frame_.main, frame_.app.caption.c_str());
    }
    if (reselect_on_finish_ >= 0) {
        const int count = static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
        const int row = std::min(reselect_on_finish_, count - 1);
        if (row >= 0) {
            select_only(list_, row);
            SendMessageA(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
        }
        reselect_on_finish_ = -1;
    }
    // Last: whoever watches from outside takes its going for the end of the fill.
    RemovePropA(hwnd_, kFillingProperty);
}

int CALLBACK Page::compare_items(LPARAM a, LPARAM b, LPARAM context) {
    auto* page = reinterpret_cast<Page*>(context);
    const auto& keys = page->keys_;
    if (a < 0 || b < 0 || static_cast<size_t>(a) >= keys.size() || static_cast<size_t>(b) >= keys.size()) return 0;
    return compare_rows(page->sort_list(), keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)],
                        page->sort_column_, page->frame_.sort, system_compare);
}

void Page::sort_by(int column) {
    sort_column_ = column;
    SendMessageA(list_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(compare_items));
}

void Page::initial_sort(const char* option) {
    const int column = settings::read_option(frame_.app.os, option, 0);
    if (column > 0) sort_by(column - 1);
}

int Page::selected_record() const { return selected_param(list_); }

void Page::set_status(const std::string& text) const {
    if (frame_.status_bar) {
        SendMessageA(frame_.status_bar, SB_SETTEXTA, 0 | SBT_POPOUT, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void Page::selection_changed() {
    const int record = selected_record();
    const StartupEntry* e = frame_.app.items.at(static_cast<size_t>(record));
    if (record < 0 || !e) return;
    set_status(e->command);
    mark_note(record);
}

bool Page::mark_note(int record) {
    const StartupEntry* entry = frame_.app.items.at(static_cast<size_t>(record));
    bool exists = false;
    if (entry) {
        const std::string note = programinfo::NotePath(frame_.app.os, entry->command);
        exists = frame_.app.os.files.attributes(note) != platform::attr::invalid;
    }
    HWND info = GetDlgItem(hwnd_, IDC_INFO);
    if (info) {
        SendMessageA(info, WM_SETFONT, reinterpret_cast<WPARAM>(frame_.font(exists ? Font::dialog_bold : Font::button)),
                     TRUE);
    }
    return exists;
}

MenuFacts Page::menu_facts(int record) {
    MenuFacts facts;
    const StartupEntry* entry = frame_.app.items.at(static_cast<size_t>(record));
    if (!entry) return facts;
    const std::string note = programinfo::NotePath(frame_.app.os, entry->command);
    facts.note_exists = frame_.app.os.files.attributes(note) != platform::attr::invalid;
    facts.type = entry->type;
    return facts;
}

void Page::show_context_menu() {
    if (selected_index(list_) < 0) return;
    const std::vector<MenuEntry> entries = context_menu_entries(traits_.command, menu_facts(selected_record()));
    if (entries.empty()) return;
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return;
    for (const MenuEntry& e : entries) {
        if (e.separator()) {
            AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuA(menu.get(), MF_STRING, static_cast<UINT_PTR>(e.command), frame_.text(e.text).c_str());
        }
    }
    POINT at{};
    GetCursorPos(&at);
    SetForegroundWindow(hwnd_);
    TrackPopupMenuEx(menu.get(), TPM_VERTICAL, at.x, at.y, hwnd_, nullptr);
    PostMessageA(hwnd_, WM_NULL, 0, 0);
}

bool Page::item_operation(int id) {
    if (id != IDM_VIEW_NOTE && id != IDM_EXPLORE_FOLDER && id != IDM_PROGRAM_PROPERTIES) return false;
    const StartupEntry* found = frame_.app.items.at(static_cast<size_t>(selected_record()));
    if (selected_record() < 0 || !found) {
        frame_.no_selection();
        return true;
    }
    platform::Platform& os = frame_.app.os;
    const StartupEntry entry = *found;
    const platform::WindowRef owner = frame_.owner_ref(hwnd_);
    if (id == IDM_VIEW_NOTE) {
        const std::string note = programinfo::NotePath(os, entry.command);
        if (os.files.attributes(note) != platform::attr::invalid) {
            os.shell.execute(owner, "open", note, {}, {}, platform::kShowDefault);
        }
    } else if (id == IDM_EXPLORE_FOLDER) {
        const std::string folder = programinfo::ProgramFolder(os, programinfo::ResolveProgramPath(os, entry.command));
        if (!folder.empty()) os.shell.execute(owner, "explore", folder, {}, {}, platform::kShowDefault);
    } else {
        std::string file = programinfo::full_program_path(os, entry.command);
        if (programinfo::ProgramFileExists(os, file)) {
            os.shell.properties(owner, file, programinfo::ProgramFolder(os, file));
        }
    }
    return true;
}

void Page::close_page() { PostMessageA(hwnd_, WM_CLOSE, 0, 0); }

bool Page::common_command(int id) {
    switch (id) {
        case IDOK:
        case IDM_INFO: open_info(); return true;
        case IDM_ZENTRA_INFO: lookup_selected(); return true;
        case IDM_PROGRAM_REPORT: write_report(frame_, hwnd_, IDM_PROGRAM_REPORT); return true;
        case IDM_DELETE_ON_REBOOT: delete_selected_on_reboot(); return true;
        default: return item_operation(id);
    }
}

void Page::open_info() {
    const int record = selected_record();
    if (record < 0 || !frame_.app.items.at(static_cast<size_t>(record))) {
        frame_.no_selection();
        return;
    }
    // The window works on the shared list's index, so the list's order does not matter.
    const int position = selected_index(list_);
    show_info_dialog(frame_, hwnd_, static_cast<size_t>(record));
    if (refill_after_info()) {
        reselect_next_ = position;
        refill();
    } else if (position >= 0) {
        select_only(list_, position);
        SendMessageA(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(position), FALSE);
    }
}

void Page::lookup_selected() {
    const int record = selected_record();
    const StartupEntry* entry = frame_.app.items.at(static_cast<size_t>(record));
    if (record < 0 || !entry) {
        frame_.no_selection();
        return;
    }
    const StartupEntry chosen = *entry;
    programinfo::LookupProgramOnline(frame_.app, chosen.type, chosen.command, frame_.owner_ref(hwnd_));
}

void Page::delete_selected_on_reboot() {
    const StartupEntry* entry = frame_.app.items.at(static_cast<size_t>(selected_record()));
    if (selected_record() < 0 || !entry) {
        frame_.no_selection();
        return;
    }
    const std::string file = programinfo::full_program_path(frame_.app.os, entry->command);
    if (frame_.message(hwnd_, frame_.text(IDS_CONFIRM_DELETE_ON_REBOOT), MB_YESNO | MB_ICONSTOP) == IDYES) {
        startup::DeleteOnReboot(frame_.app, file);
    }
}

// ---- image controls and owner-drawn buttons ----

bool Page::image_mouse(UINT message, LPARAM lparam) {
    POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    HWND control = ChildWindowFromPoint(hwnd_, at);
    const bool over_help = control && control != hwnd_ && is_help_icon(control);
    switch (message) {
        case WM_MOUSEMOVE:
            if (over_help) {
                if (!frame_.pressed_image && prop(control, 10002)) {
                    show_picture(control, prop(control, 10002));
                    frame_.hovered_image = control;
                }
            } else if (frame_.hovered_image) {
                if (IsWindow(frame_.hovered_image) && prop(frame_.hovered_image, 10000)) {
                    show_picture(frame_.hovered_image, prop(frame_.hovered_image, 10000));
                }
                frame_.hovered_image = nullptr;
                frame_.pressed_image = nullptr;
            }
            return over_help;
        case WM_LBUTTONDOWN:
            if (!over_help) return false;
            show_picture(control, prop(control, 10001));
            frame_.pressed_image = control;
            return true;
        default:  // button up or double click
            if (!over_help) return false;
            show_picture(control, prop(control, 10000));
            frame_.pressed_image = nullptr;
            SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(reinterpret_cast<INT_PTR>(prop(control, 10003))), 0), 0);
            return true;
    }
}

void Page::draw_button(const DRAWITEMSTRUCT& item) {
    char text[256] = {};
    GetWindowTextA(item.hwndItem, text, sizeof(text));
    HDC dc = item.hDC;
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old_font = SelectObject(dc, frame_.font(Font::button));
    const UINT format = std::string_view(text).find('\n') != std::string_view::npos
                            ? DT_WORDBREAK
                            : DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    RECT shadow = item.rcItem;
    OffsetRect(&shadow, 1, 1);
    SetTextColor(dc, kButtonShadow);
    DrawTextA(dc, text, -1, &shadow, format);
    RECT face = item.rcItem;
    SetTextColor(dc, item.hwndItem == frame_.hovered_button ? kButtonHover : frame_.button_colour);
    DrawTextA(dc, text, -1, &face, format);
    SelectObject(dc, old_font);
}

bool Page::button_hover() {
    POINT at{};
    GetCursorPos(&at);
    HWND under = WindowFromPoint(at);
    char class_name[16] = {};
    if (under) GetClassNameA(under, class_name, sizeof(class_name));
    if (under && lstrcmpiA(class_name, "Button") == 0 && (GetWindowLongA(under, GWL_STYLE) & 1)) {
        if (frame_.hovered_button != under) {
            frame_.hovered_button = under;
            InvalidateRect(under, nullptr, FALSE);
        }
        return true;
    }
    if (frame_.hovered_button) {
        HWND was = frame_.hovered_button;
        frame_.hovered_button = nullptr;
        if (IsWindow(was)) InvalidateRect(was, nullptr, TRUE);
    }
    return false;
}

void make_owner_drawn(HWND dialog, int control_id) {
    HWND target = control_id ? GetDlgItem(dialog, control_id) : dialog;
    if (target) SetWindowLongA(target, GWL_STYLE, GetWindowLongA(target, GWL_STYLE) | BS_OWNERDRAW);
}

}  // namespace sx::ui
