#include "ui/layout.h"

#include <array>

#include "res/resource_ids.h"

namespace sx::ui {

namespace {

constexpr std::array<double, 5> kStartup = {0.35, 0.25, 0.22, 0.15, 0.01};
constexpr std::array<double, 4> kActiveTasks = {0.30, 0.42, 0.25, 0.01};
constexpr std::array<double, 6> kServices = {0.30, 0.25, 0.20, 0.10, 0.12, 0.01};
constexpr std::array<double, 5> kScheduledTasks = {0.28, 0.16, 0.18, 0.18, 0.18};
constexpr std::array<double, 5> kIeHelpers = {0.35, 0.24, 0.24, 0.12, 0.01};
constexpr std::array<double, 4> kHistory = {0.35, 0.22, 0.22, 0.38};
constexpr std::array<double, 5> kHiddenFiles = {0.30, 0.30, 0.01, 0.22, 0.15};
constexpr std::array<double, 6> kActiveX = {0.30, 0.18, 0.20, 0.09, 0.01, 0.18};

// Products of a size and a factor are cut to whole pixels.
int times(double factor, int pixels) { return static_cast<int>(factor * pixels); }

}  // namespace

std::span<const double> column_fractions(int page_command) {
    switch (page_command) {
        case CMD_STARTUP: return kStartup;
        case CMD_ACTIVE_TASKS: return kActiveTasks;
        case CMD_SERVICES: return kServices;
        case CMD_SCHEDULED_TASKS: return kScheduledTasks;
        case CMD_IE_HELPERS: return kIeHelpers;
        case CMD_HISTORY: return kHistory;
        case CMD_HIDDEN_FILES: return kHiddenFiles;
        case CMD_ACTIVEX: return kActiveX;
        default: return {};
    }
}

bool column_width_less_scrollbar(int page_command) {
    return page_command != CMD_SCHEDULED_TASKS && page_command != CMD_IE_HELPERS && page_command != CMD_ACTIVEX;
}

int column_width(int page_command, int column, int list_width, int vscroll_width) {
    std::span<const double> fractions = column_fractions(page_command);
    if (column < 0 || static_cast<size_t>(column) >= fractions.size()) return 0;
    const int usable = column_width_less_scrollbar(page_command) ? list_width - vscroll_width : list_width;
    return times(fractions[static_cast<size_t>(column)], usable);
}

SheetLayout sheet_layout(int width, int height, bool one_tab_row) {
    SheetLayout s;
    s.tab_width = width - 20;
    s.tab_height = height - 67;
    s.status_width = width - 28;
    s.status_height = height - 131;
    s.close_x = width - 92;
    s.close_y = height - 66;
    s.page_width = width - 28;
    s.page_height = one_tab_row ? height - 102 : height - 112;
    return s;
}

PageLayout page_layout(const PageMeasures& m) {
    PageLayout p;
    const int W = m.sheet_width;
    const int H = m.sheet_height;
    p.help = {W - times(3, m.help_width), 3, m.help_width, 0};
    p.help_label = {W - times(1.75, m.help_label_width), 25, m.help_label_width, 0};
    p.status = {W - times(3, m.status_width), 38, m.status_width, 0};
    p.status_label = {W - times(1.5, m.status_label_width), 60, m.status_label_width, 0};

    p.list.x = m.margin_left;
    p.list.y = m.margin_top + 5;
    p.list.width = W - times(1.5, m.margin_right) - 20;
    p.list.height = m.one_tab_row ? H - times(1.5, m.margin_bottom) + 5 : H - times(1.5, m.margin_bottom) - 16;

    const int n = m.buttons;
    if (n <= 0) return p;
    const int w = m.button_width;
    const int h = m.button_height;
    const int y = m.one_tab_row ? (H - times(2.75, m.row_bottom)) + h / 2 + 14 : (H - times(2.75, m.row_bottom)) + 8;
    if (n < 2) {
        p.buttons.push_back({W / 2 - w / 2, y, w, h});
        p.move_alternate.push_back(true);
        return p;
    }
    const int step = w + (p.list.width - w * n) / (n - 1);
    for (int i = 0; i < n; ++i) {
        if (i == n - 1) {
            p.buttons.push_back({m.row_left + (n - 1) * step + 25, y, w - 25, h});
            p.move_alternate.push_back(false);
        } else {
            p.buttons.push_back({m.row_left + i * step, y, w, h});
            p.move_alternate.push_back(true);
        }
    }
    return p;
}

}  // namespace sx::ui
