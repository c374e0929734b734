// The page contract, written once: every page of the sheet derives from Page and supplies its texts,
// columns, fill and commands; Page handles activation, layout, sorting, the context menu, the item
// operations, the image controls and the owner-drawn buttons.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/registry_snapshot.h"
#include "startup/item_list.h"
#include "ui/menus.h"
#include "ui/sorting.h"
#include "ui/win32/fill.h"
#include "ui/win32/frame.h"

namespace sx::ui {

struct PageTraits {
    int command;      // page command
    int dialog;       // dialog template
    int icon;         // tab icon
    unsigned title;   // tab title string
    bool nt_only;
};

// A bottom-row button and the button that shares its place (0 for none).
struct RowButton {
    int id;
    int alternate;
};

class Page {
public:
    Page(Frame& frame, const PageTraits& traits);
    virtual ~Page() = default;
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    const PageTraits& traits() const { return traits_; }
    HWND window() const { return hwnd_; }
    // The page's description for PropertySheetA; `title` must live as long as the sheet.
    PROPSHEETPAGEA describe(HICON icon, const std::string& title);

protected:
    // ---- What each page supplies ----
    // Texts of its controls and its columns (WM_INITDIALOG).
    virtual void init() = 0;
    // On activation: a page with a list calls refill().
    virtual void fill() = 0;
    // The registry keys the page's fill reads most, read ahead off the UI thread.
    virtual std::vector<RegistryKey> fill_keys() const { return {}; }
    // Lists the page's records (on the UI thread, with the keys of fill_keys() held as read ahead)
    // and returns the program file of each record (empty: none); those are read off the UI thread.
    virtual std::vector<std::string> enumerate() { return {}; }
    // The icon group of the program files the rows show (below 0: no icons).
    virtual int icon_index() const { return 0; }
    // One row of a fill, once the program file of its record has been read; in record order.
    virtual void add_row(const FillJob::Row& /*row*/, int /*image*/) {}
    // After the last row of a fill (the initial sort).
    virtual void fill_finished() {}
    // After the common activation (check boxes, hidden buttons).
    virtual void activated() {}
    // A row was selected: the status bar shows the row's command; the "Info..." button's font tells
    // whether a note exists for its program.
    virtual void selection_changed();
    // Page commands; true when handled.
    virtual bool command(int /*id*/, int /*code*/) { return false; }
    virtual std::vector<RowButton> bottom_row() const = 0;
    // Controls set in one row right under the list, left to right (the list gives up their height).
    virtual std::vector<int> row_below_list() const { return {}; }
    virtual SortList sort_list() const = 0;
    // A double click opens the information window on the row.
    virtual void double_clicked() { open_info(); }
    // Whether the list is filled again once the information window closes (what it can stop or
    // change shows in the list).
    virtual bool refill_after_info() const { return false; }
    // The selected entry's facts for the context menu.
    virtual MenuFacts menu_facts(int record);

    // ---- Shared operations ----
    // Empties the list and fills it again: the keys are read ahead, the records enumerated, their
    // program files read; the rows come in through add_row. A fill still running is stopped first.
    void refill();
    bool filling() const { return job_ != nullptr || reader_.joinable(); }
    void set_texts(std::initializer_list<std::pair<int, unsigned>> control_strings);
    void add_columns(std::initializer_list<unsigned> titles);
    // Rebuilds the row keys' storage for a fill of `records` entries.
    void reset_keys(size_t records);
    void sort_by(int column);
    // Sorts by the stored sort option when it names a column.
    void initial_sort(const char* option);
    // The shared-list index of the selected row; -1 when none.
    int selected_record() const;
    void set_status(const std::string& text) const;
    bool mark_note(int record);
    void show_context_menu();
    // View Note, Explore Program Folder, Open Program Properties; true when `id` is one of them.
    bool item_operation(int id);
    // What every list page does alike: Info and the lookup (a selection needed), the report, delete
    // on reboot, the item operations. True when `id` is one of them.
    bool common_command(int id);
    // The information window on the selected row, then that list position selected again.
    void open_info();
    // The online program-information request about the selected row.
    void lookup_selected();
    // Schedules the selected entry's program file for deletion at the next start, after asking.
    void delete_selected_on_reboot();
    void close_page();

    Frame& frame_;
    HWND hwnd_ = nullptr;
    HWND list_ = nullptr;
    std::vector<RowKeys> keys_;  // by shared-list index

private:
    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    static int CALLBACK compare_items(LPARAM a, LPARAM b, LPARAM context);
    INT_PTR handle(UINT message, WPARAM wparam, LPARAM lparam);
    INT_PTR handle_command(WPARAM wparam);
    void keys_read();
    void start_fill(std::vector<std::string> files, int icon_index);
    void take_rows();
    void finish_fill();
    void stop_fill();
    std::vector<int> images_of(const std::vector<FillJob::Row>& rows);
    INT_PTR notify(const NMHDR& header);
    void set_active();
    void common_activation();
    void deactivate();
    void destroyed();
    void layout();
    bool image_mouse(UINT message, LPARAM lparam);
    void draw_button(const DRAWITEMSTRUCT& item);
    bool button_hover();

    PageTraits traits_;
    int sort_column_ = 0;
    int user_sort_column_ = -1;  // a header clicked during the fill: sorted again at its end

    std::thread reader_;                    // reads the fill's keys ahead
    SnapshotRegistry::Snapshot snapshot_;   // what it read, handed over by its message
    WPARAM fill_serial_ = 0;                // tells a fill's messages from a stopped one's
    bool keys_waiting_ = false;
    std::unique_ptr<FillJob> job_;
    std::vector<int> file_images_;  // image index per distinct file of the fill, -1 until added
    std::unordered_map<std::string, int> icon_images_;  // image index per picture (its pixels) added
    int generic_image_ = -1;
    bool activating_ = false;       // the fill of an activation selects the first row at its end
    bool select_on_finish_ = false;
    int reselect_next_ = -1;        // the list position the next fill selects at its end
    int reselect_on_finish_ = -1;
    ULONGLONG last_batch_ = 0;      // when the last batch of rows came in
    int commands_running_ = 0;      // rows wait while a command (and any question it asks) runs
    bool rows_waiting_ = false;
};

// Posted to a page when rows of its fill are ready, and when its keys have been read ahead.
inline constexpr UINT WM_FILL_READY = WM_APP + 1;
inline constexpr UINT WM_KEYS_READ = WM_APP + 2;

// The owner-drawn style for a control of a dialog (the dialog itself for id 0).
void make_owner_drawn(HWND dialog, int control_id);

}  // namespace sx::ui
