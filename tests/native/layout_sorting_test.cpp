// Column widths, the sheet and page arithmetic, and the list comparisons.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "res/resource_ids.h"
#include "ui/layout.h"
#include "ui/sorting.h"

namespace sx::ui {
namespace {

TEST(Columns, FractionsOfTheListWidth) {
    std::vector<int> widths;
    for (int c = 0; c < 6; ++c) widths.push_back(column_width(CMD_STARTUP, c, 600, 17));
    EXPECT_EQ(widths, (std::vector<int>{204, 145, 128, 87, 5, 0}));
    // Lists without the scroll-bar allowance divide the whole width.
    EXPECT_EQ(column_width(CMD_SCHEDULED_TASKS, 0, 600, 17), 168);
    EXPECT_EQ(column_width(CMD_ACTIVE_TASKS, 1, 600, 17), 244);
    EXPECT_EQ(column_width(12345, 0, 600, 17), 0);
    EXPECT_EQ(column_width(CMD_STARTUP, -1, 600, 17), 0);
}

TEST(Layout, SheetFollowsItsOuterSize) {
    SheetLayout s = sheet_layout(700, 500, true);
    EXPECT_EQ(s.tab_width, 680);
    EXPECT_EQ(s.tab_height, 433);
    EXPECT_EQ(s.close_x, 608);
    EXPECT_EQ(s.close_y, 434);
    EXPECT_EQ(s.page_height, 398);
    EXPECT_EQ(sheet_layout(700, 500, false).page_height, 388);
}

TEST(Layout, BottomRowSpreadsButtonsAcrossTheList) {
    PageMeasures m;
    m.sheet_width = 700;
    m.sheet_height = 500;
    m.margin_left = 11;
    m.margin_top = 72;
    m.margin_right = 21;
    m.margin_bottom = 146;
    m.row_left = 11;
    m.row_bottom = 57;
    m.button_width = 75;
    m.button_height = 23;
    m.help_width = 24;
    m.help_label_width = 30;
    m.buttons = 4;
    PageLayout p = page_layout(m);
    EXPECT_EQ(p.list, (Rect{11, 77, 700 - 31 - 20, 500 - 219 + 5}));
    EXPECT_EQ(p.help.x, 700 - 72);
    EXPECT_EQ(p.help_label.x, 700 - 52);
    ASSERT_EQ(p.buttons.size(), 4u);
    const int step = 75 + (649 - 300) / 3;
    EXPECT_EQ(p.buttons[1].x, 11 + step);
    EXPECT_EQ(p.buttons[3].x, 11 + 3 * step + 25);
    EXPECT_EQ(p.buttons[3].width, 50);
    EXPECT_FALSE(p.move_alternate[3]);
    EXPECT_EQ(p.buttons[0].y, 500 - 156 + 11 + 14);

    m.buttons = 1;
    p = page_layout(m);
    ASSERT_EQ(p.buttons.size(), 1u);
    EXPECT_EQ(p.buttons[0].x, 350 - 37);
}

TEST(DateKey, RewritesMonthDayYearAsSortableText) {
    EXPECT_EQ(date_key("03/07/2009 9:05"), "200903070905");
    EXPECT_EQ(date_key("03/07/2009 10:05 PM"), "200903071005");
    EXPECT_EQ(date_key("03/07/2009 "), " ");
    EXPECT_EQ(date_key(""), " ");
    EXPECT_EQ(date_key("03/07/2009 1"), "2009030701");  // cut texts give what they have
}

RowKeys row(std::string title, bool disabled = false) {
    RowKeys k;
    k.text[0] = std::move(title);
    k.disabled = disabled;
    return k;
}

std::vector<std::string> sorted(SortList list, std::vector<RowKeys> rows, int column, const SortFlags& flags) {
    std::stable_sort(rows.begin(), rows.end(), [&](const RowKeys& a, const RowKeys& b) {
        return compare_rows(list, a, b, column, flags, compare_ascii_nocase) < 0;
    });
    std::vector<std::string> out;
    for (const RowKeys& r : rows) out.push_back(r.text[static_cast<size_t>(column)]);
    return out;
}

TEST(Sorting, DisabledEntriesGoLastInBothDirections) {
    SortFlags flags;
    std::vector<RowKeys> rows = {row("Alpha", true), row("Beta"), row("Gamma")};
    EXPECT_EQ(sorted(SortList::startup, rows, 0, flags), (std::vector<std::string>{"Beta", "Gamma", "Alpha"}));
    flags.descending[0] = true;
    EXPECT_EQ(sorted(SortList::startup, rows, 0, flags), (std::vector<std::string>{"Gamma", "Beta", "Alpha"}));
}

TEST(Sorting, StartupKeysThatBeginAnotherCompareEqual) {
    SortFlags flags;
    EXPECT_EQ(compare_rows(SortList::startup, row("Update"), row("Updater"), 0, flags, compare_ascii_nocase), 0);
    EXPECT_LT(compare_rows(SortList::active_tasks, row("Update"), row("Updater"), 0, flags, compare_ascii_nocase), 0);
}

TEST(Sorting, NumberTextsCompareAsTexts) {
    SortFlags flags;
    RowKeys ten, nine;
    ten.text[3] = "10";
    nine.text[3] = "9";
    EXPECT_LT(compare_rows(SortList::startup, ten, nine, 3, flags, compare_ascii_nocase), 0);
}

TEST(Sorting, ColumnsWithoutKeysAndTheHistoryCompareEqual) {
    SortFlags flags;
    EXPECT_EQ(compare_rows(SortList::history, row("a"), row("b"), 0, flags, compare_ascii_nocase), 0);
    EXPECT_EQ(compare_rows(SortList::startup, row("a"), row("b"), 5, flags, compare_ascii_nocase), 0);
    EXPECT_EQ(compare_rows(SortList::startup, row("a"), row("b"), 6, flags, compare_ascii_nocase), 0);
    EXPECT_EQ(compare_rows(SortList::active_tasks, row("a"), row("b"), 4, flags, compare_ascii_nocase), 0);
}

TEST(Sorting, HiddenFilesNumericColumn) {
    SortFlags flags;
    RowKeys a, b;
    a.number = 5;
    b.number = 40;
    EXPECT_LT(compare_rows(SortList::hidden_files, a, b, 4, flags, compare_ascii_nocase), 0);
    flags.descending[4] = true;
    EXPECT_GT(compare_rows(SortList::hidden_files, a, b, 4, flags, compare_ascii_nocase), 0);
}

TEST(Sorting, FlagsAreClearedPerPageRange) {
    SortFlags flags;
    flags.descending.fill(true);
    flags.clear(4);
    EXPECT_FALSE(flags.descending[3]);
    EXPECT_TRUE(flags.descending[4]);
}

}  // namespace
}  // namespace sx::ui
