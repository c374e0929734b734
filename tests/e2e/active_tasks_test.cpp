// The Active Tasks page: a running demo program is listed with its description, company and
// first-detected date, and Kill Task stops it.
#include <string>
#include <vector>

#include "e2e_support.h"
#include "tools/demo/demo_data.h"

namespace sx::e2e::test {
namespace {

constexpr int kWaitSeconds = 60;
constexpr int kModule = 0;
// Info, Explore Program Folder, Open Program Properties, Refresh, Kill Task, Delete File on Reboot,
// (separator) and the common tail.
constexpr int kMenuRefresh = 3;
constexpr int kMenuKillTask = 4;
constexpr char kFabTrayModule[] = "FABTRAY.EXE";
constexpr char kQuickTaskModule[] = "QTASK.EXE";
constexpr LONG kRowGap = 10;          // pixels below the last row
constexpr DWORD kQuietSpell = 1500;   // how long a menu that should not come is given to come

class ActiveTasks : public EndToEnd {};

TEST_F(ActiveTasks, RunningProgramIsListedAndKillTaskStopsIt) {
    Process& program = start_demo_program(demo::kFabTrayPath, kWaitSeconds);
    ASSERT_TRUE(program.running());
    Session s = open("-TASK");
    ASSERT_NE(s.sheet, nullptr);
    ASSERT_EQ(current_tab(s.sheet), kActiveTasksTab);
    HWND list = list_of(s.sheet);

    std::vector<Row> rows = read_rows(list);
    const int row = find_row(rows, kModule, kFabTrayModule);
    ASSERT_GE(row, 0) << describe(rows);
    EXPECT_EQ(rows[static_cast<std::size_t>(row)],
              (Row{kFabTrayModule, FABTRAY_DESCRIPTION, FABTRAY_COMPANY, "11/12/2010 10:05 PM"}));
    EXPECT_EQ(find_row(rows, kModule, "SENTRIXEX.EXE") >= 0, true);

    ASSERT_TRUE(use_context_menu(list, {row}, kMenuKillTask));
    EXPECT_TRUE(program.wait_exit().has_value()) << "Kill Task did not stop the program";
    rows = wait_rows(list, [](const std::vector<Row>& now) { return find_row(now, kModule, kFabTrayModule) < 0; });
    EXPECT_EQ(find_row(rows, kModule, kFabTrayModule), -1) << "the list was not filled again:\n" << describe(rows);
    EXPECT_EQ(other_dialog(s.process.id(), s.sheet), nullptr) << "Kill Task asks nothing";
    // History is off for the run, so the stop is not recorded.
    EXPECT_FALSE(file_exists(kHistoryFile));
    quit(s);
}

// Without a FileDescription the entry is named after its file, less the extension.
TEST_F(ActiveTasks, ProgramWithoutVersionTextsIsNamedAfterItsFile) {
    Process& program = start_demo_program(demo::kQuickTaskPath, kWaitSeconds);
    ASSERT_TRUE(program.running());
    Session s = open("-TASK");
    ASSERT_NE(s.sheet, nullptr);
    const std::vector<Row> rows = read_rows(list_of(s.sheet));
    const int row = find_row(rows, kModule, kQuickTaskModule);
    ASSERT_GE(row, 0) << describe(rows);
    EXPECT_EQ(rows[static_cast<std::size_t>(row)], (Row{kQuickTaskModule, "QTASK", "", ""}));
    quit(s);
}

TEST_F(ActiveTasks, RefreshListsAProgramStartedAfterThePageWasFilled) {
    Session s = open("-TASK");
    ASSERT_NE(s.sheet, nullptr);
    HWND list = list_of(s.sheet);
    ASSERT_EQ(find_row(read_rows(list), kModule, kFabTrayModule), -1);
    Process& program = start_demo_program(demo::kFabTrayPath, kWaitSeconds);
    ASSERT_TRUE(program.running());
    ASSERT_TRUE(use_context_menu(list, {0}, kMenuRefresh));
    const std::vector<Row> rows =
        wait_rows(list, [](const std::vector<Row>& now) { return find_row(now, kModule, kFabTrayModule) >= 0; });
    EXPECT_GE(find_row(rows, kModule, kFabTrayModule), 0) << describe(rows);
    EXPECT_TRUE(program.running()) << "Refresh must not stop anything";
    quit(s);
}

TEST_F(ActiveTasks, TwoProcessesOfOneProgramGiveOneRow) {
    start_demo_program(demo::kFabTrayPath, kWaitSeconds);
    start_demo_program(demo::kFabTrayPath, kWaitSeconds);
    Session s = open("-TASK");
    ASSERT_NE(s.sheet, nullptr);
    const std::vector<Row> rows = read_rows(list_of(s.sheet));
    int count = 0;
    for (const Row& row : rows) count += row[kModule] == kFabTrayModule ? 1 : 0;
    EXPECT_EQ(count, 1) << describe(rows);
    quit(s);
}

// A right click below the last row selects nothing, and without a selection there is no menu.
TEST_F(ActiveTasks, RightClickBelowTheRowsOpensNoMenu) {
    Session s = open("-TASK");
    ASSERT_NE(s.sheet, nullptr);
    HWND list = list_of(s.sheet);
    const int rows = item_count(list);
    ASSERT_GT(rows, 0);
    const std::optional<RECT> last = row_rect(list, rows - 1);
    RECT client{};
    ASSERT_TRUE(last.has_value());
    ASSERT_TRUE(GetClientRect(list, &client));
    ASSERT_LT(last->bottom + kRowGap, client.bottom) << "the list has no empty space below its rows";
    EXPECT_EQ(right_click_at(list, {last->left + kRowGap, last->bottom + kRowGap}, kQuietSpell), nullptr);
    EXPECT_TRUE(selected_rows(list).empty());
    quit(s);
}

TEST_F(ActiveTasks, SelectingARowShowsItsProgramPathInTheStatusBar) {
    start_demo_program(demo::kFabTrayPath, kWaitSeconds);
    Session s = open("-TASK");
    ASSERT_NE(s.sheet, nullptr);
    HWND list = list_of(s.sheet);
    const int row = find_row(read_rows(list), kModule, kFabTrayModule);
    ASSERT_GE(row, 0);
    ASSERT_TRUE(select_rows(list, {row}));
    EXPECT_EQ(status_text(s.sheet), "C:\\PROGRAM FILES\\FABRIKAM\\TRAY\\FABTRAY.EXE");
    quit(s);
}

}  // namespace
}  // namespace sx::e2e::test
