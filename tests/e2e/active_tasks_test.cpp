// The Active Tasks page: running programs are listed once each with their description, company and
// first-detected date; its context menu stops a program and fills the list again.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "e2e_support.h"

namespace sx::e2e::test {
namespace {

constexpr int kModule = 0;
// Info, Explore Program Folder, Open Program Properties, Refresh, Kill Task, ...
constexpr int kMenuRefresh = 3;
constexpr int kMenuKillTask = 4;
constexpr LONG kRowGap = 10;  // pixels below the last row
constexpr char kFabTray[] = "FABTRAY.EXE";
constexpr char kQuickTask[] = "QTASK.EXE";
constexpr char kTailspin[] = "TAILSPINLAUNCHER.EXE";

class ActiveTasks : public EndToEnd {};

TEST_F(ActiveTasks, ListsRunningProgramsStopsOneAndRefreshes) {
    start_demo_program(demo::kFabTrayPath);
    start_demo_program(demo::kFabTrayPath);
    Process& quick_task = start_demo_program(demo::kQuickTaskPath);
    Session s = open("-TASK");
    ASSERT_NE(s.sheet, nullptr);
    HWND list = list_of(s.sheet);
    EXPECT_EQ(column_titles(list),
              (std::vector<std::string>{"Module", "Program Description", "Company", "First Detected"}));
    std::vector<Row> rows = read_rows(list);
    const int fab_tray = find_row(rows, kModule, kFabTray);
    const int qtask = find_row(rows, kModule, kQuickTask);
    ASSERT_TRUE(fab_tray >= 0 && qtask >= 0) << describe(rows);
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const Row& r) { return r[kModule] == kFabTray; }), 1)
        << "two processes of one program give one row";
    EXPECT_EQ(rows[fab_tray], (Row{kFabTray, FABTRAY_DESCRIPTION, FABTRAY_COMPANY, "11/12/2010 10:05 PM"}));
    EXPECT_EQ(rows[qtask], (Row{kQuickTask, "QTASK", "", ""})) << "without version texts, named after its file";
    EXPECT_GE(find_row(rows, kModule, "SENTRIXEX.EXE"), 0);
    ASSERT_TRUE(select_rows(list, {fab_tray}));
    EXPECT_EQ(status_text(s.sheet), "C:\\PROGRAM FILES\\FABRIKAM\\TRAY\\FABTRAY.EXE");

    // A right click below the last row selects nothing, and without a selection there is no menu.
    const std::optional<RECT> last = row_rect(list, static_cast<int>(rows.size()) - 1);
    RECT client{};
    ASSERT_TRUE(last && GetClientRect(list, &client));
    ASSERT_LT(last->bottom + kRowGap, client.bottom) << "the list has no empty space below its rows";
    EXPECT_EQ(right_click_at(list, {last->left + kRowGap, last->bottom + kRowGap}, kQuietSpell), nullptr);
    EXPECT_TRUE(selected_rows(list).empty());

    // Kill Task asks nothing, and the stop is recorded.
    ASSERT_TRUE(use_context_menu(list, {qtask}, kMenuKillTask));
    EXPECT_TRUE(quick_task.wait_exit()) << "Kill Task did not stop the program";
    rows = wait_rows(list, [](const std::vector<Row>& now) { return find_row(now, kModule, kQuickTask) < 0; });
    EXPECT_EQ(find_row(rows, kModule, kQuickTask), -1) << "the list was not filled again:\n" << describe(rows);
    EXPECT_EQ(other_dialog(s.process.id(), s.sheet), nullptr);
    EXPECT_NE(read_file(kHistoryFile).find("\tTASK_Kill\t"), std::string::npos) << read_file(kHistoryFile);

    ASSERT_EQ(find_row(rows, kModule, kTailspin), -1);
    Process& tailspin = start_demo_program(demo::kTailspinPath);
    ASSERT_TRUE(use_context_menu(list, {0}, kMenuRefresh));
    rows = wait_rows(list, [](const std::vector<Row>& now) { return find_row(now, kModule, kTailspin) >= 0; });
    EXPECT_GE(find_row(rows, kModule, kTailspin), 0) << "Refresh did not list a program started since:\n"
                                                     << describe(rows);
    EXPECT_TRUE(tailspin.running()) << "Refresh stops nothing";
    quit(s);
}

}  // namespace
}  // namespace sx::e2e::test
