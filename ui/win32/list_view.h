// List-view operations every page uses: proportional columns, items that remember their record,
// selection, small-icon image lists with the program files' icons.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/win32/frame.h"

namespace sx::ui {

bool add_column(HWND list, int index, const std::string& title, int page_command);
// Gives every column its fraction of the list's present width (after the list was resized).
void fit_columns(HWND list, int page_command);
// Inserts an item at `index` whose lParam is `index`.
void add_item(HWND list, const std::string& text, int index, int image);
void set_item(HWND list, int item, int column, const std::string& text);
std::string item_text(HWND list, int item, int column);
LPARAM item_param(HWND list, int item);
int selected_param(HWND list);
int selected_index(HWND list);
std::vector<int> selected_items(HWND list);
void select_only(HWND list, int index);

// Image list slot 0 (pages) or 1 (dialogs).
bool create_image_list(Frame& frame, HWND list, int slot);
void destroy_image_list(Frame& frame, int slot);
// The icon of a command's program file (index `icon` in the file), added once per file; the generic
// program icon when the file has none. Returns the image index.
int add_file_icon(Frame& frame, std::string_view command, int icon, int slot);

// The system's case-insensitive order (lstrcmpiA), on texts with lengths.
int system_compare(std::string_view a, std::string_view b);

}  // namespace sx::ui
