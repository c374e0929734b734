// The property sheet: which tab each page command opens, what a page command does while the sheet is
// open, the tabs and columns, the status bar and how closing a page ends the program.
#include <ostream>
#include <string>
#include <vector>

#include "e2e_support.h"

namespace sx::e2e::test {
namespace {

constexpr DWORD kExitWait = 15000;
constexpr int kPageCloseButton = 1004;
constexpr DWORD kQuietSpell = 1500;  // how long a window that should not come is given to come
constexpr int kCmdViewCookies = 6045;
constexpr int kCmdFileTypes = 6042;
constexpr int kCmdServices = 6038;
constexpr int kCmdActiveX = 6056;

struct PageCommand {
    int command;
    int tab;
    const char* name;
};

// 6033 opens the last tab; commands that name no page of this build open the first one.
constexpr PageCommand kPageCommands[] = {
    {kCmdStartup, kStartupTab, "Startup6026"},
    {kCmdActiveTasks, kActiveTasksTab, "ActiveTasks6029"},
    {kCmdOptions, kOptionsTab, "Options6033"},
    {kCmdDelay, kStartupTab, "Delay6055"},
    {kCmdCookies, kStartupTab, "Cookies6028"},
    {kCmdViewCookies, kStartupTab, "ViewCookies6045"},
    {kCmdFileTypes, kStartupTab, "FileTypes6042"},
    {kCmdServices, kStartupTab, "ServicesNotInThisBuild6038"},
    {kCmdActiveX, kStartupTab, "ActiveXNotInThisBuild6056"},
};

// Test names and failure messages show the command by its name.
void PrintTo(const PageCommand& c, std::ostream* out) { *out << c.name; }

class PageCommands : public EndToEnd, public ::testing::WithParamInterface<PageCommand> {};

// The program starts without a sheet ("-MONITOR" posts 6046, which does nothing) and is then sent
// the page command as the monitor program would send it.
TEST_P(PageCommands, OpensTheSheetOnItsTab) {
    const PageCommand& c = GetParam();
    Session s;
    s.process = start("-MONITOR");
    s.main = wait_main_window(s.process.id());
    ASSERT_NE(s.main, nullptr);
    ASSERT_EQ(find_sheet(s.process.id()), nullptr);

    ASSERT_TRUE(post_command(s.main, c.command));
    s.sheet = wait_sheet(s.process.id());
    ASSERT_NE(s.sheet, nullptr);
    EXPECT_EQ(current_tab(s.sheet), c.tab);
    HWND page = active_page(s.sheet);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(GetParent(page), s.sheet);
    EXPECT_TRUE(IsWindowVisible(page));
    quit(s);
}

std::string command_name(const ::testing::TestParamInfo<PageCommand>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Each, PageCommands, ::testing::ValuesIn(kPageCommands), command_name);

class Sheet : public EndToEnd {};

// The main window ignores every id its command table does not name: no sheet opens.
TEST_F(Sheet, UnknownCommandIsIgnored) {
    Session s;
    s.process = start("-MONITOR");
    s.main = wait_main_window(s.process.id());
    ASSERT_NE(s.main, nullptr);
    ASSERT_TRUE(post_command(s.main, kCmdUnknown));
    EXPECT_FALSE(wait_until([&] { return find_sheet(s.process.id()) != nullptr; }, kQuietSpell));
    EXPECT_TRUE(s.process.running());
    quit(s);
}

TEST_F(Sheet, HasTheTabsOfThisBuildInOrder) {
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    EXPECT_EQ(window_text(s.sheet), kSheetCaption);
    EXPECT_EQ(tab_texts(s.sheet), (std::vector<std::string>{"Startup Programs", " Active Tasks ", " Options  "}));
    quit(s);
}

TEST_F(Sheet, PageCommandWhileItIsOpenOnlyBringsItForward) {
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    ASSERT_NE(select_tab(s.sheet, kActiveTasksTab), nullptr);
    HWND list = list_of(s.sheet);
    for (int command : {kCmdStartup, kCmdOptions, kCmdDelay, kCmdUnknown, kCmdMonitor}) {
        ASSERT_TRUE(post_command(s.main, command));
        ASSERT_TRUE(flush_posted(list));
        EXPECT_EQ(find_sheet(s.process.id()), s.sheet) << "command " << command;
        EXPECT_EQ(current_tab(s.sheet), kActiveTasksTab) << "command " << command;
    }
    EXPECT_EQ(GetWindowLongA(s.sheet, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    // 6028 also makes the main window topmost; Wine hands that on to the sheet it owns, the only
    // one of the two that can be seen.
    ASSERT_TRUE(post_command(s.main, kCmdCookies));
    ASSERT_TRUE(flush_posted(list));
    EXPECT_EQ(current_tab(s.sheet), kActiveTasksTab);
    EXPECT_NE(GetWindowLongA(s.sheet, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    quit(s);
}

TEST_F(Sheet, TabsCanBeSwitchedAndEachListIsFilledWhenItsPageIsShown) {
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    const int startup_rows = item_count(list_of(s.sheet));
    EXPECT_GT(startup_rows, 40);

    HWND tasks = select_tab(s.sheet, kActiveTasksTab);
    ASSERT_NE(tasks, nullptr);
    HWND task_list = GetDlgItem(tasks, kListId);
    EXPECT_EQ(column_titles(task_list),
              (std::vector<std::string>{"Module", "Program Description", "Company", "First Detected"}));
    // The driver and the program itself are running, so the list is never empty.
    const std::vector<Row> running = read_rows(task_list);
    EXPECT_GE(find_row(running, 0, "SENTRIXEX.EXE"), 0) << describe(running);

    HWND options = select_tab(s.sheet, kOptionsTab);
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(control_visible(options, kViewHistory));

    HWND startup = select_tab(s.sheet, kStartupTab);
    ASSERT_NE(startup, nullptr);
    EXPECT_EQ(item_count(GetDlgItem(startup, kListId)), startup_rows);
    quit(s);
}

TEST_F(Sheet, StatusBarIsControl6050AndEmptyAfterAPageIsShown) {
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    EXPECT_NE(GetDlgItem(s.sheet, kStatusBarId), nullptr);
    ASSERT_TRUE(select_rows(list_of(s.sheet), {1}));
    EXPECT_FALSE(status_text(s.sheet).empty());
    ASSERT_NE(select_tab(s.sheet, kOptionsTab), nullptr);
    EXPECT_EQ(status_text(s.sheet), "");
    quit(s);
}

TEST_F(Sheet, ClosingAPageEndsTheProgram) {
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    HWND page = page_of(s.sheet);
    ASSERT_TRUE(control_visible(page, kPageCloseButton));
    ASSERT_TRUE(click_button(page, kPageCloseButton));
    const std::optional<DWORD> code = s.process.wait_exit(kExitWait);
    ASSERT_TRUE(code.has_value()) << "the program still runs after its page was closed";
    EXPECT_EQ(*code, 0u);
}

TEST_F(Sheet, NoSelectionMessageForAnItemCommandWithoutASelectedRow) {
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    HWND page = page_of(s.sheet);
    ASSERT_TRUE(select_rows(list_of(s.sheet), {}));
    ASSERT_TRUE(post_command(page, kDisable));
    HWND box = wait_dialog(s.process.id(), kHelpCaption);
    ASSERT_NE(box, nullptr) << "no \"Sentrix Help\" message box";
    EXPECT_EQ(message_text(box),
              "\nNo selection has been made.\n\nClick on the title in the left most column that represents the "
              "item you'd like to learn more about.\nThen click on the Info button or just press the Enter key.");
    EXPECT_TRUE(answer(box, IDOK));
    quit(s);
}

}  // namespace
}  // namespace sx::e2e::test
