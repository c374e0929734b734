// The arithmetic of the sheet and its pages after a resize: list columns as fractions of the list's
// width, the sheet's tab control, status bar and page, and a page's controls. Pure: the window layer
// measures, calls these, and moves the windows.
#pragma once

#include <span>
#include <vector>

namespace sx::ui {

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

// The fractions of a list's columns, by page command; empty for an unknown command.
std::span<const double> column_fractions(int page_command);
// Whether the list of a page command subtracts the vertical scroll bar before dividing.
bool column_width_less_scrollbar(int page_command);
// The width of one column of a list `list_width` pixels wide; 0 for a column the list lacks.
int column_width(int page_command, int column, int list_width, int vscroll_width);

// The sheet for a page, from the sheet window's outer width and height.
struct SheetLayout {
    int tab_width, tab_height;        // tab control size (position unchanged)
    int status_width, status_height;  // status bar size
    int close_x, close_y;             // the hidden Close button
    int page_width, page_height;      // page size (position unchanged)
};
SheetLayout sheet_layout(int width, int height, bool one_tab_row);

// What a page's layout needs, all in pixels. `margins` is the dialog-unit rectangle (7, 44, 14, 90)
// converted, `row` the rectangle (7, 25, 14, 35) converted.
struct PageMeasures {
    int sheet_width = 0, sheet_height = 0;
    bool one_tab_row = true;
    int margin_left = 0, margin_top = 0, margin_right = 0, margin_bottom = 0;
    int row_left = 0, row_bottom = 0;
    int help_width = 0, help_label_width = 0, status_width = 0, status_label_width = 0;
    int button_width = 0, button_height = 0;  // of the first bottom-row button
    int buttons = 0;                          // at most 5
};

struct PageLayout {
    Rect help, help_label, status, status_label;  // sizes as given, positions computed
    Rect list;
    std::vector<Rect> buttons;     // one per bottom-row button
    std::vector<bool> move_alternate;  // whether the button's alternate moves with it
};
PageLayout page_layout(const PageMeasures& m);

}  // namespace sx::ui
