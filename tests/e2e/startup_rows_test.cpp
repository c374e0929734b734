// The Startup Programs page on the seeded demo system: every row, column by column, without and
// with the special locations.
#include <string>
#include <vector>

#include "demo_expectations.h"
#include "tools/demo/demo_data.h"
#include "e2e_support.h"

namespace sx::e2e::test {
namespace {

constexpr const char* kColumnTitles[] = {"Title", "Command", "Company", "Type", "First Detected"};

class StartupRows : public EndToEnd {
protected:
    // The rows shown now, without the two whose listing is in dispute (tests of their own below).
    static std::vector<Row> undisputed(const std::vector<Row>& rows) {
        std::vector<Row> kept;
        for (const Row& row : rows) {
            if (row[kTitle] != kBrokenShortcutTitle && row[kTitle] != kBinaryRunValueTitle) kept.push_back(row);
        }
        return kept;
    }

    static std::vector<Row> expected(bool special) {
        std::vector<Row> rows;
        for (const ExpectedRow& row : expected_startup_rows(special)) rows.push_back(cells(row));
        return rows;
    }

    // Compares row by row so a failure names the first row that differs.
    static void expect_rows(const std::vector<Row>& actual, const std::vector<Row>& wanted) {
        const std::size_t common = std::min(actual.size(), wanted.size());
        for (std::size_t i = 0; i < common; ++i) {
            EXPECT_EQ(actual[i], wanted[i]) << "row " << i << " differs";
            if (actual[i] != wanted[i]) break;
        }
        EXPECT_EQ(actual.size(), wanted.size()) << "shown:\n" << describe(actual) << "expected:\n" << describe(wanted);
    }

    void show_special(Session& s, bool on) {
        HWND page = page_of(s.sheet);
        if (is_checked(page, kShowAllStartup) != on) {
            ASSERT_TRUE(click_button(page, kShowAllStartup));
        }
        ASSERT_EQ(is_checked(page, kShowAllStartup), on);
    }
};

TEST_F(StartupRows, ColumnsAreTitleCommandCompanyTypeFirstDetected) {
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    HWND list = list_of(s.sheet);
    const std::vector<std::string> titles = column_titles(list);
    EXPECT_EQ(titles, std::vector<std::string>(std::begin(kColumnTitles), std::end(kColumnTitles)));
    quit(s);
}

TEST_F(StartupRows, EveryEntryOfTheDemoSystemIsListedWithItsColumns) {
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    HWND page = page_of(s.sheet);
    EXPECT_FALSE(is_checked(page, kShowAllStartup)) << "the special locations are off at start";
    expect_rows(undisputed(read_rows(list_of(s.sheet))), expected(false));
    quit(s);
}

TEST_F(StartupRows, TickingTheCheckBoxAddsTheSpecialLocationsAndUntickingRemovesThem) {
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    HWND list = list_of(s.sheet);
    show_special(s, true);
    expect_rows(undisputed(read_rows(list)), expected(true));
    show_special(s, false);
    expect_rows(undisputed(read_rows(list)), expected(false));
    quit(s);
}

TEST_F(StartupRows, SelectingARowShowsItsStartupLocationInTheStatusBar) {
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    HWND list = list_of(s.sheet);
    const std::vector<Row> rows = read_rows(list);
    const int live = find_row(rows, kTitle, "WingtipHelper");
    const int disabled = find_row(rows, kTitle, "ContosoUpdater");
    const int folder = find_row(rows, kTitle, "Startup notes");
    ASSERT_GE(live, 0);
    ASSERT_GE(disabled, 0);
    ASSERT_GE(folder, 0);
    ASSERT_TRUE(select_rows(list, {live}));
    EXPECT_EQ(status_text(s.sheet), "Startup Location: HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    ASSERT_TRUE(select_rows(list, {disabled}));
    EXPECT_EQ(status_text(s.sheet),
              "Startup Location:  *    Disabled * HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    ASSERT_TRUE(select_rows(list, {folder}));
    EXPECT_EQ(status_text(s.sheet), "Startup Location: Windows Startup Group");
    quit(s);
}

// Page activation selects the first row, and a selected Startup row gives the program its second
// caption, which the main window takes at that same activation.
TEST_F(StartupRows, ShowingTheStartupPageGivesTheProgramItsRoamCaption) {
    Session s = open("-TASK");
    ASSERT_NE(s.sheet, nullptr);
    EXPECT_EQ(window_text(s.main), kSheetCaption);
    ASSERT_NE(select_tab(s.sheet, kStartupTab), nullptr);
    EXPECT_EQ(selected_rows(list_of(s.sheet)), std::vector<int>{0});
    EXPECT_EQ(window_text(s.main), kRoamCaption);
    quit(s);
}

// A shortcut whose target does not exist cannot be resolved, and such a shortcut is not listed.
TEST_F(StartupRows, ShortcutWithAMissingTargetIsNotListed) {
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    EXPECT_EQ(find_row(read_rows(list_of(s.sheet)), kTitle, kBrokenShortcutTitle), -1);
    quit(s);
}

// Windows starts only text values of the Run keys: a REG_BINARY value holding a program path starts
// nothing and is not listed.
TEST_F(StartupRows, BinaryRunValueIsNotListed) {
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    EXPECT_EQ(find_row(read_rows(list_of(s.sheet)), kTitle, kBinaryRunValueTitle), -1);
    quit(s);
}

}  // namespace
}  // namespace sx::e2e::test
