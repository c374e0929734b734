// Where windows go: the stored positions of HKCU Software\Orvane\Sentrix turned into screen
// coordinates. Pure arithmetic; the window layer reads the values and moves the windows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace sx::settings {

struct ScreenMetrics {
    int screen_width = 0;    // SM_CXSCREEN
    int screen_height = 0;   // SM_CYSCREEN
    int virtual_left = 0;    // SM_XVIRTUALSCREEN
    int virtual_top = 0;     // SM_YVIRTUALSCREEN
    int virtual_width = 0;   // SM_CXVIRTUALSCREEN
    int virtual_height = 0;  // SM_CYVIRTUALSCREEN
};

struct Placement {
    int x = 0, y = 0, width = 0, height = 0;  // width and height 0: keep the size / minimum size
};

// The four stored texts of a window; empty when a value is absent.
struct StoredPosition {
    std::string left, top, width, height;
};

StoredPosition read_position(platform::Platform& os, std::string_view left, std::string_view top,
                             std::string_view width = {}, std::string_view height = {});

// The top-left corner that centres a window: a third of the free height above it.
Placement centre(const ScreenMetrics& screen, int window_width, int window_height);
// The property sheet's placement from its stored position; empty: leave the sheet where it is.
std::optional<Placement> sheet_placement(const StoredPosition& stored, const ScreenMetrics& screen);
// A window placed by its stored top-left corner, or centred when none is stored.
Placement corner_placement(const StoredPosition& stored, const ScreenMetrics& screen, int window_width,
                           int window_height);

}  // namespace sx::settings
