// List-view operations every page uses: proportional columns, items that remember their record,
// selection, small-icon image lists with the program files' icons.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

#include "programinfo/icon_image.h"
#include "ui/win32/frame.h"

namespace sx::ui {

bool add_column(HWND list, int index, const std::string& title, int page_command);
// Gives every column its fraction of the list's present width (after the list was resized).
void fit_columns(HWND list, int page_command);
// Inserts an item at `index` whose lParam is `index`.
void add_item(HWND list, const std::string& text, int index, int image);
// Adds an item after the last one, remembering `param`; returns its row, -1 on failure.
int append_item(HWND list, const std::string& text, int param, int image);
void set_item(HWND list, int item, int column, const std::string& text);
std::string item_text(HWND list, int item, int column);
LPARAM item_param(HWND list, int item);
int selected_param(HWND list);
int selected_index(HWND list);
std::vector<int> selected_items(HWND list);
void select_only(HWND list, int index);

// Image list slot 0 (pages) or 1 (dialogs), with room for `capacity` icons before it grows.
bool create_image_list(Frame& frame, HWND list, int slot, int capacity = 1);
void destroy_image_list(Frame& frame, int slot);
// The icon of a command's program file (index `icon` in the file), added once per file; the generic
// program icon when the file has none. Returns the image index.
int add_file_icon(Frame& frame, std::string_view command, int icon, int slot);
// The generic program icon, for a file without one; returns its image index.
int add_generic_icon(Frame& frame, int slot);
// Icons already decoded to the image list's size, added with one call; the index of the first, -1
// when they could not be added.
int add_icon_strip(HIMAGELIST images, const std::vector<const programinfo::IconPixels*>& icons);
// An icon image as a file stores it (what could not be decoded beforehand); the generic icon's
// index when the system cannot make an icon of it either.
int add_icon_resource(Frame& frame, int slot, const std::string& resource);

// The system's case-insensitive order (lstrcmpiA), on texts with lengths.
int system_compare(std::string_view a, std::string_view b);

}  // namespace sx::ui
