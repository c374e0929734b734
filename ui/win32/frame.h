// Process-wide state of the window layer, in one owner that is passed explicitly: the main window,
// the sheet and its status bar, the shared drawing resources, image lists and sort flags.
#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <string>
#include <string_view>

#include "common/state.h"
#include "ui/sorting.h"
#include "ui/win32/gdi.h"

namespace sx::ui {

enum class Font : int {
    verdana_heading,  // "Verdana" 18, 600
    arial,            // "Arial" 18, 500
    arial_underlined,
    sans_bold,        // "MS Sans Serif" 14, 600
    sans_small,       // "MS Sans Serif" 10, 600
    arial_small,      // "Arial" 14, 400
    sans,             // "MS Sans Serif" 12, 500
    dialog_bold,      // "MS Shell Dlg" 14, 700: the Info button when a note exists, bold texts
    button,           // "MS Shell Dlg" 14, 500: owner-drawn buttons, the Info button otherwise
    note,             // option NoteFont / NoteSize
    count
};

enum class Picture : int { help_normal, help_pressed, help_hover, monitor_on, monitor_off, monitor_warning,
                           monitor_unknown, count };

class Frame {
public:
    Frame(AppState& app, HINSTANCE instance);
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    AppState& app;
    HINSTANCE instance;
    HWND main = nullptr;
    HWND sheet = nullptr;
    HWND status_bar = nullptr;
    HWND active_page = nullptr;
    // A window open over the page (the information window) that owns the logic's messages meanwhile.
    HWND prompt_owner = nullptr;
    SIZE min_track{};
    int tab_rows = 1;
    WNDPROC sheet_procedure = nullptr;
    bool com_released = false;  // COM is released once, at the first close or destroy
    std::array<UniqueImageList, 2> image_lists;
    UniqueImageList tab_images;
    // Per image list: the image of each file's icon, so a long list extracts each icon once.
    std::array<std::map<std::string, int>, 2> icon_index;
    SortFlags sort;
    // The information window's layout as the user last chose it, kept for the run; expanded at first.
    bool info_expanded = true;

    // Fonts and bitmaps live as long as the main window.
    void create_drawing_resources();
    HFONT font(Font f) const { return fonts_[static_cast<size_t>(f)].get(); }
    HBITMAP picture(Picture p) const { return pictures_[static_cast<size_t>(p)].get(); }

    bool is_nt() const;
    std::string text(unsigned id) const;
    // A message box with the program's caption (or `caption`), the topmost flag and the language id.
    int message(HWND owner, std::string_view text, UINT flags, std::string_view caption = {}) const;
    // String 57 captioned "Sentrix Help", owned by the main window.
    void no_selection() const;
    platform::WindowRef owner_ref(HWND window) const { return reinterpret_cast<platform::WindowRef>(window); }

    // Owner-drawn buttons and image controls share one hover state for the run.
    HWND hovered_button = nullptr;
    COLORREF button_colour = RGB(0, 0, 64);
    HWND hovered_image = nullptr;
    HWND pressed_image = nullptr;

private:
    std::array<UniqueFont, static_cast<size_t>(Font::count)> fonts_;
    std::array<UniqueBitmap, static_cast<size_t>(Picture::count)> pictures_;
};

}  // namespace sx::ui
