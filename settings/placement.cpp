#include "settings/placement.h"

#include "common/text.h"
#include "settings/store.h"

namespace sx::settings {

namespace {

constexpr size_t kPositionBuffer = 32;

// Stored positions left of or above the virtual screen would put the window where nobody can reach
// it; they count as the screen's edge.
int at_least(int value, int low) { return value < low ? low : value; }

}  // namespace

StoredPosition read_position(platform::Platform& os, std::string_view left, std::string_view top,
                             std::string_view width, std::string_view height) {
    StoredPosition p;
    p.left = read_text(os, Root::current_user, kSentrixKey, left, kPositionBuffer);
    p.top = read_text(os, Root::current_user, kSentrixKey, top, kPositionBuffer);
    if (!width.empty()) p.width = read_text(os, Root::current_user, kSentrixKey, width, kPositionBuffer);
    if (!height.empty()) p.height = read_text(os, Root::current_user, kSentrixKey, height, kPositionBuffer);
    return p;
}

Placement centre(const ScreenMetrics& screen, int window_width, int window_height) {
    Placement p;
    p.x = (screen.screen_width - window_width) / 2;
    p.y = (screen.screen_height - window_height) / 3;
    p.width = window_width;
    p.height = window_height;
    return p;
}

std::optional<Placement> sheet_placement(const StoredPosition& stored, const ScreenMetrics& screen) {
    if (stored.left.empty()) return std::nullopt;
    Placement p;
    p.x = to_int(stored.left);
    if (p.x > screen.virtual_width) p.x = 0;
    if (stored.top.empty()) return std::nullopt;
    p.y = to_int(stored.top);
    if (p.y > screen.virtual_height) p.y = 0;
    if (!stored.width.empty()) {
        p.width = to_int(stored.width);
        if (p.width > screen.virtual_width || p.width < 0) p.width = 0;
        p.height = stored.height.empty() ? 0 : to_int(stored.height);
        if (p.height > screen.virtual_height || p.height < 0) p.height = 0;
    }
    p.x = at_least(p.x, screen.virtual_left);
    p.y = at_least(p.y, screen.virtual_top);
    return p;
}

Placement corner_placement(const StoredPosition& stored, const ScreenMetrics& screen, int window_width,
                           int window_height) {
    if (stored.left.empty() || stored.top.empty()) return centre(screen, window_width, window_height);
    Placement p;
    p.x = to_int(stored.left);
    p.y = to_int(stored.top);
    if (p.x > screen.virtual_width) p.x = screen.screen_width / 2;
    if (p.y > screen.virtual_height) p.y = screen.screen_height / 2;
    p.x = at_least(p.x, screen.virtual_left);
    p.y = at_least(p.y, screen.virtual_top);
    p.width = window_width;
    p.height = window_height;
    return p;
}

}  // namespace sx::settings
