// The History dialog, opened from the Options page: it lists history.txt, undoes a reversible record
// and clears the file. The test writes the file: the program records changes only while its
// run-time History setting is on, and it starts off.
#include <string>
#include <vector>

#include "e2e_support.h"

namespace sx::e2e::test {
namespace {

constexpr int kHistoryRestore = 1104;
constexpr int kHistoryClear = 1106;
constexpr char kRemovedDate[] = "01/02/2024  3:04 PM";
constexpr char kKillDate[] = "01/02/2024  3:05 PM";

class History : public EndToEnd {};

TEST_F(History, ListsRecordsUndoesARemovalAndClears) {
    // The user's Run entry LitwareAgent was removed and a task stopped; records are date, event,
    // type, title, command and location, separated by tabs.
    ASSERT_TRUE(delete_value(HKEY_CURRENT_USER, kRunKey, "LitwareAgent"));
    ASSERT_TRUE(write_file(kHistoryFile, std::string(kRemovedDate) + "\t*START_Remove\tCURRENT_RUN\tLitwareAgent\t" +
                                             demo::kLitwareAgentPath + "\t\r\n" + kKillDate +
                                             "\tTASK_Kill\tINFO_TASK\tFabrikam Tray Icon\t" + demo::kFabTrayPath +
                                             "\t\r\n"));
    Session s = open("-OPTION");
    ASSERT_NE(s.sheet, nullptr);
    HWND options = active_page(s.sheet);
    EXPECT_EQ(control_text(options, kViewHistory), "&View History...");
    ASSERT_TRUE(post_button(options, kViewHistory));
    HWND dialog = wait_dialog(s.process.id(), kHistoryCaption, kListId);
    ASSERT_NE(dialog, nullptr) << "no History dialog";
    HWND list = GetDlgItem(dialog, kListId);

    // The third column shows where the item was (its type name), so it is headed "Type".
    EXPECT_EQ(column_titles(list), (std::vector<std::string>{"Title", "Action", "Type", "Date Modified"}));
    const std::vector<Row> rows = read_rows(list);
    EXPECT_EQ(rows, (std::vector<Row>{{"LitwareAgent", "*START_Remove", "CURRENT_RUN", kRemovedDate},
                                      {"Fabrikam Tray Icon", "TASK_Kill", "INFO_TASK", kKillDate}}));
    // Restore is offered only for a selected record that can be undone.
    EXPECT_FALSE(control_enabled(dialog, kHistoryRestore));
    ASSERT_TRUE(select_rows(list, {1}));
    EXPECT_FALSE(control_enabled(dialog, kHistoryRestore));
    ASSERT_TRUE(select_rows(list, {0}));
    EXPECT_TRUE(control_enabled(dialog, kHistoryRestore));

    ASSERT_TRUE(click_button(dialog, kHistoryRestore));
    EXPECT_EQ(read_text(HKEY_CURRENT_USER, kRunKey, "LitwareAgent"), demo::kLitwareAgentPath);
    EXPECT_EQ(read_text(HKEY_CURRENT_USER, std::string(kSentrixKey) + "\\Run", demo::kLitwareAgentPath), "11");
    EXPECT_EQ(read_rows(list), rows) << "the record stays";

    ASSERT_TRUE(click_button(dialog, kHistoryClear));
    EXPECT_FALSE(file_exists(kHistoryFile));
    EXPECT_EQ(item_count(list), 0);
    EXPECT_EQ(other_dialog(s.process.id(), s.sheet), dialog) << "clearing asks nothing";
    ASSERT_TRUE(answer(dialog, IDOK));

    HWND startup = select_tab(s.sheet, kStartupTab);
    ASSERT_NE(startup, nullptr);
    const std::vector<Row> listed = read_rows(GetDlgItem(startup, kListId));
    const int row = find_row(listed, kTitle, "LitwareAgent");
    ASSERT_GE(row, 0) << describe(listed);
    EXPECT_EQ(listed[row][kType], "HKCU_RUN") << "the restored entry is listed where it was";
    quit(s);
}

}  // namespace
}  // namespace sx::e2e::test
