#include "tools/e2e/driver.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <utility>

namespace sx::e2e {

namespace {

constexpr DWORD kKillWait = 5000;
constexpr std::size_t kTextBytes = 4096;     // room for one cell, tab title or status text
constexpr std::size_t kStructBytes = 512;    // the structure travels first, its text after it
constexpr std::size_t kBufferBytes = kStructBytes + kTextBytes;
constexpr COLORREF kMarkerBit = 1;           // the lowest bit of red: no eye sees it change

HWND dialog_item(HWND dialog, int id) { return dialog ? GetDlgItem(dialog, id) : nullptr; }

struct Search {
    DWORD process;
    const char* class_name;
    const char* caption;
    const std::function<bool(HWND)>* accept;
    HWND found;
};

BOOL CALLBACK search_window(HWND window, LPARAM context) {
    auto& s = *reinterpret_cast<Search*>(context);
    if (!IsWindowVisible(window)) return TRUE;
    if (s.process && owner_process(window) != s.process) return TRUE;
    if (s.class_name && lstrcmpiA(class_of(window).c_str(), s.class_name) != 0) return TRUE;
    if (s.caption && window_text(window) != s.caption) return TRUE;
    if (s.accept && *s.accept && !(*s.accept)(window)) return TRUE;
    s.found = window;
    return FALSE;
}

}  // namespace

bool wait_until(const std::function<bool()>& ready, DWORD timeout) {
    const ULONGLONG end = GetTickCount64() + timeout;
    for (;;) {
        if (ready()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(kPollInterval);
    }
}

std::string windows_path(const std::string& unix_path) {
    if (unix_path.empty() || unix_path[0] != '/') return unix_path;
    std::string path = "Z:" + unix_path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// ---- Process ----

Process::Process(Process&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), id_(std::exchange(other.id_, 0)) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        close();
        process_ = std::exchange(other.process_, nullptr);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

Process::~Process() { close(); }

void Process::close() {
    if (!process_) return;
    if (running()) kill();
    CloseHandle(process_);
    process_ = nullptr;
    id_ = 0;
}

bool Process::start(const std::string& program, const std::string& arguments, const std::string& folder) {
    close();
    std::string line = "\"" + program + "\"";
    if (!arguments.empty()) line += " " + arguments;
    std::string directory = folder;
    if (directory.empty()) {
        const std::size_t slash = program.find_last_of('\\');
        if (slash != std::string::npos) directory = program.substr(0, slash);
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &info)) {
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    return true;
}

bool Process::running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Process::wait_exit(DWORD timeout) const {
    if (!process_ || WaitForSingleObject(process_, timeout) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(process_, &code)) return std::nullopt;
    return code;
}

void Process::detach() {
    if (process_) CloseHandle(process_);
    process_ = nullptr;
    id_ = 0;
}

bool Process::kill() {
    if (!process_) return true;
    if (running()) TerminateProcess(process_, 1);
    return WaitForSingleObject(process_, kKillWait) == WAIT_OBJECT_0;
}

// ---- RemoteBuffer ----

RemoteBuffer::RemoteBuffer(HWND window, std::size_t size) : size_(size) {
    const DWORD id = owner_process(window);
    if (!id) return;
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                           FALSE, id);
    if (!process_) return;
    address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBuffer::~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
}

LPARAM RemoteBuffer::at(std::size_t offset) const {
    return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset);
}

bool RemoteBuffer::write(std::size_t offset, const void* data, std::size_t size) const {
    if (!address_ || offset > size_ || size > size_ - offset) return false;
    SIZE_T done = 0;
    return WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &done) && done == size;
}

bool RemoteBuffer::read(std::size_t offset, void* data, std::size_t size) const {
    if (!address_ || offset > size_ || size > size_ - offset) return false;
    SIZE_T done = 0;
    return ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &done) && done == size;
}

std::string RemoteBuffer::read_text(std::size_t offset, std::size_t size) const {
    std::string text(size, '\0');
    if (!read(offset, text.data(), size)) return {};
    text.resize(std::min(text.find('\0'), size));
    return text;
}

std::optional<LRESULT> send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    if (!window || !SendMessageTimeoutA(window, message, wparam, lparam, SMTO_NORMAL, kSendTimeout, &result)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

// ---- Windows ----

DWORD owner_process(HWND window) {
    DWORD id = 0;
    if (window) GetWindowThreadProcessId(window, &id);
    return id;
}

HWND find_top_window(DWORD process, const char* class_name, const char* caption,
                     const std::function<bool(HWND)>& accept) {
    Search s{process, class_name, caption, &accept, nullptr};
    EnumWindows(search_window, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND wait_top_window(DWORD process, const char* class_name, const char* caption, DWORD timeout,
                     const std::function<bool(HWND)>& accept) {
    HWND found = nullptr;
    wait_until([&] { return (found = find_top_window(process, class_name, caption, accept)) != nullptr; }, timeout);
    return found;
}

bool wait_gone(HWND window, DWORD timeout) {
    return wait_until([&] { return !IsWindow(window); }, timeout);
}

std::string window_text(HWND window) {
    char text[1024] = {};
    const int length = GetWindowTextA(window, text, sizeof(text));
    return std::string(text, static_cast<std::size_t>(std::max(length, 0)));
}

std::string class_of(HWND window) {
    char name[256] = {};
    const int length = GetClassNameA(window, name, sizeof(name));
    return std::string(name, static_cast<std::size_t>(std::max(length, 0)));
}

HWND main_window(DWORD process) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, kMainClass, nullptr)) != nullptr) {
        if (!process || owner_process(window) == process) return window;
    }
    return nullptr;
}

HWND wait_main_window(DWORD process, DWORD timeout) {
    HWND found = nullptr;
    wait_until([&] { return (found = main_window(process)) != nullptr; }, timeout);
    return found;
}

bool post_command(HWND window, int command) {
    return window && PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

// ---- The property sheet ----

HWND tab_control(HWND sheet) {
    const std::optional<LRESULT> tabs = send(sheet, PSM_GETTABCONTROL);
    if (tabs && *tabs) return reinterpret_cast<HWND>(*tabs);
    return sheet ? FindWindowExA(sheet, nullptr, WC_TABCONTROLA, nullptr) : nullptr;
}

HWND find_sheet(DWORD process) {
    return find_top_window(process, kDialogClass, nullptr, [](HWND window) {
        return FindWindowExA(window, nullptr, WC_TABCONTROLA, nullptr) != nullptr &&
               lstrcmpiA(class_of(GetWindow(window, GW_OWNER)).c_str(), kMainClass) == 0;
    });
}

HWND wait_sheet(DWORD process, DWORD timeout) {
    HWND found = nullptr;
    wait_until([&] { return (found = find_sheet(process)) != nullptr; }, timeout);
    return found;
}

int current_tab(HWND sheet) {
    const std::optional<LRESULT> index = send(tab_control(sheet), TCM_GETCURSEL);
    return index ? static_cast<int>(*index) : -1;
}

std::vector<std::string> tab_texts(HWND sheet) {
    std::vector<std::string> texts;
    HWND tabs = tab_control(sheet);
    const std::optional<LRESULT> count = send(tabs, TCM_GETITEMCOUNT);
    RemoteBuffer remote(tabs, kBufferBytes);
    if (!count || !remote) return texts;
    for (int i = 0; i < static_cast<int>(*count); ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<LPSTR>(remote.at(kStructBytes));
        item.cchTextMax = static_cast<int>(kTextBytes);
        const char nothing = '\0';
        remote.write(kStructBytes, &nothing, 1);
        if (!remote.write(0, &item, sizeof(item))) break;
        send(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), remote.at(0));
        texts.push_back(remote.read_text(kStructBytes, kTextBytes));
    }
    return texts;
}

HWND active_page(HWND sheet) {
    const std::optional<LRESULT> page = send(sheet, PSM_GETCURRENTPAGEHWND);
    if (page && *page) return reinterpret_cast<HWND>(*page);
    HWND child = nullptr;
    while ((child = FindWindowExA(sheet, child, kDialogClass, nullptr)) != nullptr) {
        if (IsWindowVisible(child)) return child;
    }
    return nullptr;
}

HWND select_tab(HWND sheet, int index, DWORD timeout) {
    if (!send(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0)) return nullptr;
    HWND page = nullptr;
    const bool shown = wait_until([&] {
        if (current_tab(sheet) != index) return false;
        page = active_page(sheet);
        return page && IsWindowVisible(page);
    }, timeout);
    if (!shown) return nullptr;
    return wait_filled(page, timeout) ? page : nullptr;
}

bool wait_filled(HWND page, DWORD timeout) {
    // The property goes when the fill's last step is done; the answer to a message then says the
    // handler that did it has returned.
    if (!wait_until([page] { return !IsWindow(page) || GetPropA(page, kFillingProperty) == nullptr; }, timeout)) {
        return false;
    }
    // A dialog that closes meanwhile has nothing to fill.
    return send(page, WM_NULL).has_value() || !IsWindow(page);
}

bool wait_sheet_filled(HWND sheet, DWORD timeout) {
    HWND page = active_page(sheet);
    return page && wait_filled(page, timeout);
}

std::string status_text(HWND sheet) {
    HWND status = dialog_item(sheet, kStatusBarId);
    RemoteBuffer remote(status, kTextBytes);
    if (!status || !remote) return {};
    const char nothing = '\0';
    remote.write(0, &nothing, 1);
    if (!send(status, SB_GETTEXTA, 0, remote.at(0))) return {};
    return remote.read_text(0, kTextBytes);
}

// ---- List views ----

int item_count(HWND list) {
    const std::optional<LRESULT> count = send(list, LVM_GETITEMCOUNT);
    return count ? static_cast<int>(*count) : -1;
}

int column_count(HWND list) {
    const std::optional<LRESULT> header = send(list, LVM_GETHEADER);
    if (!header || !*header) return -1;
    const std::optional<LRESULT> count = send(reinterpret_cast<HWND>(*header), HDM_GETITEMCOUNT);
    return count ? static_cast<int>(*count) : -1;
}

std::vector<std::string> column_titles(HWND list) {
    std::vector<std::string> titles;
    RemoteBuffer remote(list, kBufferBytes);
    if (!remote) return titles;
    const int count = column_count(list);
    for (int i = 0; i < count; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT;
        column.pszText = reinterpret_cast<LPSTR>(remote.at(kStructBytes));
        column.cchTextMax = static_cast<int>(kTextBytes);
        const char nothing = '\0';
        remote.write(kStructBytes, &nothing, 1);
        if (!remote.write(0, &column, sizeof(column))) break;
        send(list, LVM_GETCOLUMNA, static_cast<WPARAM>(i), remote.at(0));
        titles.push_back(remote.read_text(kStructBytes, kTextBytes));
    }
    return titles;
}

namespace {

std::string cell(HWND list, const RemoteBuffer& remote, int row, int column) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<LPSTR>(remote.at(kStructBytes));
    item.cchTextMax = static_cast<int>(kTextBytes);
    const char nothing = '\0';
    remote.write(kStructBytes, &nothing, 1);
    if (!remote.write(0, &item, sizeof(item))) return {};
    const std::optional<LRESULT> length = send(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), remote.at(0));
    if (!length) return {};
    return remote.read_text(kStructBytes, kTextBytes);
}

bool set_state(HWND list, const RemoteBuffer& remote, int row, UINT state, UINT mask) {
    LVITEMA item{};
    item.stateMask = mask;
    item.state = state;
    if (!remote.write(0, &item, sizeof(item))) return false;
    const std::optional<LRESULT> done = send(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), remote.at(0));
    return done && *done;
}

}  // namespace

std::string item_text(HWND list, int row, int column) {
    RemoteBuffer remote(list, kBufferBytes);
    return remote ? cell(list, remote, row, column) : std::string();
}

int item_image(HWND list, int row) {
    RemoteBuffer remote(list, kBufferBytes);
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = -1;
    if (!remote || !remote.write(0, &item, sizeof(item))) return -1;
    const std::optional<LRESULT> done = send(list, LVM_GETITEMA, 0, remote.at(0));
    return done && *done && remote.read(0, &item, sizeof(item)) ? item.iImage : -1;
}

// Posted messages reach a window's thread in order, so a marker posted after them is handled after
// them too: once the list reports the marker, everything posted before it has been dispatched. The
// marker is the list's text colour moved by one step of red, put back at once.
bool flush_posted(HWND list) {
    const std::optional<LRESULT> before = send(list, LVM_GETTEXTCOLOR);
    if (!before) return false;
    const COLORREF colour = static_cast<COLORREF>(*before);
    const COLORREF marker = colour ^ kMarkerBit;
    if (!PostMessageA(list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(marker))) return false;
    const bool seen = wait_until([&] {
        const std::optional<LRESULT> now = send(list, LVM_GETTEXTCOLOR);
        return now && static_cast<COLORREF>(*now) == marker;
    });
    send(list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(colour));
    return seen && wait_filled(GetParent(list));
}

std::vector<Row> read_rows(HWND list) {
    std::vector<Row> rows;
    // A list half filled is no answer: its page's fill ends first.
    if (!wait_filled(GetParent(list))) return rows;
    RemoteBuffer remote(list, kBufferBytes);
    if (!remote) return rows;
    const int count = item_count(list);
    const int columns = column_count(list);
    for (int r = 0; r < count; ++r) {
        Row row;
        for (int c = 0; c < columns; ++c) row.push_back(cell(list, remote, r, c));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<Row> wait_rows(HWND list, const std::function<bool(const std::vector<Row>&)>& ready, DWORD timeout) {
    std::vector<Row> rows;
    wait_until([&] { return ready(rows = read_rows(list)); }, timeout);
    return rows;
}

int find_row(const std::vector<Row>& rows, int column, const std::string& text) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (static_cast<std::size_t>(column) < rows[i].size() && rows[i][static_cast<std::size_t>(column)] == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::vector<int> selected_rows(HWND list) {
    std::vector<int> rows;
    int at = -1;
    for (;;) {
        const std::optional<LRESULT> next =
            send(list, LVM_GETNEXTITEM, static_cast<WPARAM>(at), MAKELPARAM(LVNI_SELECTED, 0));
        if (!next || *next < 0 || static_cast<int>(*next) <= at) break;
        at = static_cast<int>(*next);
        rows.push_back(at);
    }
    return rows;
}

bool select_rows(HWND list, const std::vector<int>& rows) {
    RemoteBuffer remote(list, kBufferBytes);
    if (!remote) return false;
    // -1 stands for every item.
    if (!set_state(list, remote, -1, 0, LVIS_SELECTED | LVIS_FOCUSED)) return false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const bool last = i + 1 == rows.size();
        const UINT state = LVIS_SELECTED | (last ? LVIS_FOCUSED : 0);
        if (!set_state(list, remote, rows[i], state, LVIS_SELECTED | LVIS_FOCUSED)) return false;
    }
    if (!rows.empty()) send(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(rows.back()), FALSE);
    return selected_rows(list) == rows;
}

std::optional<RECT> row_rect(HWND list, int row) {
    RemoteBuffer remote(list, kBufferBytes);
    if (!remote) return std::nullopt;
    send(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    RECT rect{};
    rect.left = LVIR_LABEL;
    if (!remote.write(0, &rect, sizeof(rect))) return std::nullopt;
    const std::optional<LRESULT> ok = send(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), remote.at(0));
    if (!ok || !*ok || !remote.read(0, &rect, sizeof(rect))) return std::nullopt;
    return rect;
}

bool click_header(HWND list, int column) {
    const std::optional<LRESULT> header_result = send(list, LVM_GETHEADER);
    if (!header_result || !*header_result) return false;
    HWND header = reinterpret_cast<HWND>(*header_result);
    RemoteBuffer remote(header, kBufferBytes);
    RECT rect{};
    if (!remote || !remote.write(0, &rect, sizeof(rect))) return false;
    const std::optional<LRESULT> ok = send(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), remote.at(0));
    if (!ok || !*ok || !remote.read(0, &rect, sizeof(rect))) return false;
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    if (!PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at)) return false;
    if (!PostMessageA(header, WM_LBUTTONUP, 0, at)) return false;
    return flush_posted(list);
}

HWND find_menu(DWORD process) { return find_top_window(process, kMenuClass, nullptr); }

HWND right_click_at(HWND list, POINT at, DWORD timeout) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    if (!PostMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, where)) return nullptr;
    if (!PostMessageA(list, WM_RBUTTONUP, 0, where)) return nullptr;
    HWND menu = nullptr;
    wait_until([&] { return (menu = find_menu(owner_process(list))) != nullptr; }, timeout);
    return menu;
}

HWND right_click_row(HWND list, int row, DWORD timeout) {
    const std::optional<RECT> rect = row_rect(list, row);
    if (!rect) return nullptr;
    return right_click_at(list, {(rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2}, timeout);
}

bool double_click_row(HWND list, int row) {
    const std::optional<RECT> rect = row_rect(list, row);
    if (!rect || !select_rows(list, {row})) return false;
    const LPARAM at = MAKELPARAM((rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2);
    return PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at) && PostMessageA(list, WM_LBUTTONUP, 0, at);
}

namespace {

bool post_key(HWND window, WPARAM key) {
    return PostMessageA(window, WM_KEYDOWN, key, 1) && PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

}  // namespace

bool choose_menu_item(HWND menu, int position, DWORD timeout) {
    if (!menu || position < 0) return false;
    for (int i = 0; i <= position; ++i) {
        if (!post_key(menu, VK_DOWN)) return false;
    }
    if (!post_key(menu, VK_RETURN)) return false;
    return wait_gone(menu, timeout);
}

bool use_context_menu(HWND list, const std::vector<int>& rows, int position, DWORD timeout) {
    if (rows.empty() || !select_rows(list, rows)) return false;
    return choose_menu_item(right_click_row(list, rows.back(), timeout), position, timeout);
}

bool close_menu(HWND menu, DWORD timeout) {
    if (!menu) return false;
    if (!post_key(menu, VK_ESCAPE)) return false;
    return wait_gone(menu, timeout);
}

// ---- Dialogs and message boxes ----

HWND find_dialog(DWORD process, const char* caption, int control_id) {
    return find_top_window(process, kDialogClass, caption,
                           [control_id](HWND window) { return GetDlgItem(window, control_id) != nullptr; });
}

HWND wait_dialog(DWORD process, const char* caption, int control_id, DWORD timeout) {
    HWND found = nullptr;
    wait_until([&] { return (found = find_dialog(process, caption, control_id)) != nullptr; }, timeout);
    return found;
}

std::string control_text(HWND dialog, int control_id) {
    HWND control = dialog_item(dialog, control_id);
    const std::optional<LRESULT> length = send(control, WM_GETTEXTLENGTH);
    if (!length) return {};
    // WM_GETTEXT is one of the messages Wine copies between processes.
    std::string text(static_cast<std::size_t>(*length) + 1, '\0');
    const std::optional<LRESULT> copied =
        send(control, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()));
    if (!copied) return {};
    text.resize(std::min(static_cast<std::size_t>(*copied), text.size() - 1));
    return text;
}

std::string message_text(HWND box) { return control_text(box, kMessageTextId); }

bool control_enabled(HWND dialog, int control_id) {
    HWND control = dialog_item(dialog, control_id);
    return control && IsWindowEnabled(control);
}

bool control_visible(HWND dialog, int control_id) {
    HWND control = dialog_item(dialog, control_id);
    return control && IsWindowVisible(control);
}

bool click_button(HWND dialog, int id) {
    HWND button = dialog_item(dialog, id);
    return button && send(button, BM_CLICK).has_value() && wait_filled(dialog);
}

bool post_button(HWND dialog, int id) {
    HWND button = dialog_item(dialog, id);
    return button && PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

bool is_checked(HWND dialog, int id) {
    const std::optional<LRESULT> state = send(dialog_item(dialog, id), BM_GETCHECK);
    return state && *state == BST_CHECKED;
}

bool type_text(HWND edit, const std::string& text) {
    if (!edit) return false;
    for (char c : text) {
        if (!send(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1)) return false;
    }
    return true;
}

bool answer(HWND box, int id, DWORD timeout) {
    if (!click_button(box, id)) return false;
    return wait_gone(box, timeout);
}

}  // namespace sx::e2e
