// Drives a running SentrixEx.exe from another process, as a user would: starts it, finds its
// windows, reads its lists, tabs and status bar, clicks headers and rows, opens context menus and
// answers message boxes. Usable from GoogleTest and from small tools.
//
// Under Wine nothing that points into memory is marshalled between processes for the common
// controls, so every structure a message reads or fills is placed in the target process
// (VirtualAllocEx) and copied in and out (WriteProcessMemory / ReadProcessMemory).
//
// Every wait polls and gives up after a stated time (kDefaultTimeout unless told otherwise).
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sx::e2e {

inline constexpr DWORD kDefaultTimeout = 15000;  // milliseconds
inline constexpr DWORD kPollInterval = 20;       // milliseconds between two looks
inline constexpr DWORD kSendTimeout = 10000;     // a message sent to the program must be answered by then

// The program's fixed window facts.
inline constexpr char kMainClass[] = "SentrixEx";
inline constexpr char kSheetCaption[] = "SentrixToGo Zentra";
inline constexpr char kRoamCaption[] = "Sentrix Roam Edition";
inline constexpr char kHelpCaption[] = "Sentrix Help";
inline constexpr char kMessageCaption[] = "Sentrix Message";
inline constexpr char kHistoryCaption[] = "Sentrix History";
inline constexpr char kDialogClass[] = "#32770";
inline constexpr char kMenuClass[] = "#32768";
inline constexpr int kListId = 1000;
inline constexpr int kStatusBarId = 6050;
inline constexpr int kMessageTextId = 0xFFFF;
// A page carries this window property while its list fills.
inline constexpr char kFillingProperty[] = "SentrixFilling";

// Polls `ready` every kPollInterval until it is true or `timeout` milliseconds have passed.
bool wait_until(const std::function<bool()>& ready, DWORD timeout = kDefaultTimeout);

// A Windows path as this process sees it for a Unix path (Z: and backslashes); other texts unchanged.
std::string windows_path(const std::string& unix_path);

// A started program. The destructor ends it when it still runs.
class Process {
public:
    Process() = default;
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    // CreateProcessA of `program` with `arguments` after its quoted name, in `folder` (empty: the
    // program's folder). False when it could not be started.
    bool start(const std::string& program, const std::string& arguments = {}, const std::string& folder = {});
    bool running() const;
    // The exit code once it has ended; nothing when it still runs after `timeout`.
    std::optional<DWORD> wait_exit(DWORD timeout = kDefaultTimeout) const;
    // Ends it at once (exit code 1); true when it has ended.
    bool kill();
    // Forgets it: it keeps running after this object is gone.
    void detach();
    DWORD id() const { return id_; }
    HANDLE handle() const { return process_; }

private:
    void close();
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// A block of memory inside the process that owns `window`, for messages that read or fill a
// structure. Freed by the destructor.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, std::size_t size);
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer();

    explicit operator bool() const { return address_ != nullptr; }
    // The address as the target sees it, `offset` bytes in.
    LPARAM at(std::size_t offset = 0) const;
    bool write(std::size_t offset, const void* data, std::size_t size) const;
    bool read(std::size_t offset, void* data, std::size_t size) const;
    // A zero-terminated text of at most `size` bytes.
    std::string read_text(std::size_t offset, std::size_t size) const;

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    std::size_t size_ = 0;
};

// SendMessageTimeoutA with kSendTimeout; nothing when the program did not answer in time.
std::optional<LRESULT> send(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);

// ---- Windows ----

// The process that owns a window.
DWORD owner_process(HWND window);
// Visible top-level windows of `process` (0: any) with this class and caption (nullptr: any), for
// which `accept` (when given) is true; the first one found, else nullptr.
HWND find_top_window(DWORD process, const char* class_name, const char* caption,
                     const std::function<bool(HWND)>& accept = {});
HWND wait_top_window(DWORD process, const char* class_name, const char* caption, DWORD timeout = kDefaultTimeout,
                     const std::function<bool(HWND)>& accept = {});
// Waits until the window is destroyed; true when it is.
bool wait_gone(HWND window, DWORD timeout = kDefaultTimeout);
std::string window_text(HWND window);
std::string class_of(HWND window);

// The program's main window (class "SentrixEx") of `process` (0: any).
HWND main_window(DWORD process = 0);
HWND wait_main_window(DWORD process = 0, DWORD timeout = kDefaultTimeout);
// Posts WM_COMMAND `command` (lParam 0) as the monitor or a second instance would.
bool post_command(HWND window, int command);

// ---- The property sheet ----

// The sheet: a dialog captioned "SentrixToGo Zentra" with a tab control, owned by the main window.
HWND find_sheet(DWORD process);
HWND wait_sheet(DWORD process, DWORD timeout = kDefaultTimeout);
HWND tab_control(HWND sheet);
// The index of the selected tab; -1 when it cannot be read.
int current_tab(HWND sheet);
std::vector<std::string> tab_texts(HWND sheet);
// The page shown now (PSM_GETCURRENTPAGEHWND, else the visible child dialog).
HWND active_page(HWND sheet);
// Selects tab `index` as a click on it would (PSM_SETCURSEL); returns the new page once its list,
// if it has one, has been filled (it may stay empty); nullptr on time-out.
HWND select_tab(HWND sheet, int index, DWORD timeout = kDefaultTimeout);
// Waits until the page's list fill is over (the page then has every row, sorted and selected as
// the fill leaves it); true when it is.
bool wait_filled(HWND page, DWORD timeout = kDefaultTimeout);
// The same for the page shown now in the sheet.
bool wait_sheet_filled(HWND sheet, DWORD timeout = kDefaultTimeout);
// The text of the first part of the sheet's status bar (control 6050).
std::string status_text(HWND sheet);

// ---- List views ----

using Row = std::vector<std::string>;

int item_count(HWND list);
int column_count(HWND list);
std::vector<std::string> column_titles(HWND list);
std::string item_text(HWND list, int row, int column);
// The index of a row's picture in the list's small image list; -1 when it cannot be read.
int item_image(HWND list, int row);
// Returns once every message posted so far to any window of the list's thread has been handled.
// A list on a page also waits until a fill those messages started is over.
bool flush_posted(HWND list);
// Every row with every column, in the order shown, once a fill of the list's page is over.
std::vector<Row> read_rows(HWND list);
// Reads the rows until `ready` holds for them or `timeout` has passed; returns the last rows read.
std::vector<Row> wait_rows(HWND list, const std::function<bool(const std::vector<Row>&)>& ready,
                           DWORD timeout = kDefaultTimeout);
// Index of the first row whose column `column` reads `text`; -1 when none does.
int find_row(const std::vector<Row>& rows, int column, const std::string& text);
// Indexes of the selected rows.
std::vector<int> selected_rows(HWND list);
// Selects exactly these rows (the last one also gets the focus).
bool select_rows(HWND list, const std::vector<int>& rows);
// A row's rectangle in the list's client coordinates (scrolled into view first).
std::optional<RECT> row_rect(HWND list, int row);
// A click with the left button on column header `column` (posted button-down and button-up at the
// middle of the header item). Returns once the program has handled it.
bool click_header(HWND list, int column);
// A right click on `row` (posted button-down and button-up); returns the context menu window that
// opens, or nullptr when none does within `timeout`.
HWND right_click_row(HWND list, int row, DWORD timeout = kDefaultTimeout);
// The same at a point of the list's client area.
HWND right_click_at(HWND list, POINT at, DWORD timeout = kDefaultTimeout);
// Selects `row` and double-clicks it (a posted double click at its middle). The program handles it
// after this returns.
bool double_click_row(HWND list, int row);
// Chooses the item at `position` (counting only items that can be chosen, from 0) of an open popup
// menu with posted key presses, and waits until the menu has closed.
bool choose_menu_item(HWND menu, int position, DWORD timeout = kDefaultTimeout);
// Selects `rows`, right-clicks the last of them and chooses the context-menu item at `position` as
// choose_menu_item counts; false when a step fails.
bool use_context_menu(HWND list, const std::vector<int>& rows, int position, DWORD timeout = kDefaultTimeout);
// Closes an open popup menu without choosing.
bool close_menu(HWND menu, DWORD timeout = kDefaultTimeout);
// The open popup menu of `process`, if any.
HWND find_menu(DWORD process);

// ---- Dialogs and message boxes ----

// A dialog of `process` with this caption that holds control `control_id` (a message box: its text
// 0xFFFF); waits for it.
HWND wait_dialog(DWORD process, const char* caption, int control_id = kMessageTextId, DWORD timeout = kDefaultTimeout);
HWND find_dialog(DWORD process, const char* caption, int control_id = kMessageTextId);
// The text of a message box (its static 0xFFFF).
std::string message_text(HWND box);
std::string control_text(HWND dialog, int control_id);
bool control_enabled(HWND dialog, int control_id);
bool control_visible(HWND dialog, int control_id);
// A press of button `id` as a click would (BM_CLICK); for buttons that end a dialog or toggle a check box.
// Returns once a list fill the press started on the page is over.
bool click_button(HWND dialog, int id);
// A press announced to the dialog without waiting for its answer (posted BN_CLICKED); for buttons
// whose handler opens a modal window.
bool post_button(HWND dialog, int id);
bool is_checked(HWND dialog, int id);
// Types `text` into an edit control, one character message each, as the keyboard would.
bool type_text(HWND edit, const std::string& text);
// Presses button `id` of a message box and waits until the box is destroyed.
bool answer(HWND box, int id, DWORD timeout = kDefaultTimeout);

}  // namespace sx::e2e
