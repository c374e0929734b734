// The History dialog, opened from the Options page: it lists history.txt, undoes a reversible record
// and clears the file. The file is written by the test: the program appends records only while its
// run-time History setting is on, and it starts off.
#include <string>
#include <vector>

#include "e2e_support.h"
#include "tools/demo/demo_data.h"

namespace sx::e2e::test {
namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kKnownEntriesKey[] = "Software\\Orvane\\Sentrix\\Run";
constexpr char kTitleText[] = "LitwareAgent";
constexpr char kRemovedDate[] = "01/02/2024  3:04 PM";
constexpr char kKillDate[] = "01/02/2024  3:05 PM";

// One record: date, event, type, title, command, location, separated by tabs, ended by CR LF.
std::string record(const std::string& date, const std::string& event, const std::string& type,
                   const std::string& title, const std::string& command) {
    return date + "\t" + event + "\t" + type + "\t" + title + "\t" + command + "\t\r\n";
}

class History : public EndToEnd {
protected:
    // The Options page's "&View History..." and the dialog it opens.
    HWND open_history(const Session& s) {
        HWND options = page_of(s.sheet);
        EXPECT_EQ(control_text(options, kViewHistory), "&View History...");
        if (!post_button(options, kViewHistory)) return nullptr;
        return wait_dialog(s.process.id(), kHistoryCaption, kListId);
    }
};

TEST_F(History, ListsTheRecordAndRestoreWritesTheRemovedEntryBack) {
    // The HKCU Run entry LitwareAgent was removed, and its removal recorded.
    ASSERT_TRUE(delete_value(HKEY_CURRENT_USER, kRunKey, kTitleText));
    ASSERT_TRUE(write_file(kHistoryFile, record(kRemovedDate, "*START_Remove", "CURRENT_RUN", kTitleText,
                                                demo::kLitwareAgentPath)));
    Session s = open("-OPTION");
    ASSERT_NE(s.sheet, nullptr);
    ASSERT_EQ(current_tab(s.sheet), kOptionsTab);
    HWND dialog = open_history(s);
    ASSERT_NE(dialog, nullptr) << "no \"Sentrix History\" dialog";
    HWND list = GetDlgItem(dialog, kListId);

    // The third column shows where the item was (its type name), so it is headed "Type".
    EXPECT_EQ(column_titles(list), (std::vector<std::string>{"Title", "Action", "Type", "Date Modified"}));
    const std::vector<Row> rows = read_rows(list);
    EXPECT_EQ(rows, (std::vector<Row>{{kTitleText, "*START_Remove", "CURRENT_RUN", kRemovedDate}}));
    EXPECT_FALSE(control_enabled(dialog, kHistoryRestore)) << "nothing is selected yet";

    ASSERT_TRUE(select_rows(list, {0}));
    EXPECT_TRUE(control_enabled(dialog, kHistoryRestore));
    ASSERT_TRUE(click_button(dialog, kHistoryRestore));
    EXPECT_EQ(read_text(HKEY_CURRENT_USER, kRunKey, kTitleText), std::optional<std::string>(demo::kLitwareAgentPath));
    EXPECT_EQ(read_text(HKEY_CURRENT_USER, kKnownEntriesKey, demo::kLitwareAgentPath), std::optional<std::string>("11"));
    // The record stays; the list is read again.
    EXPECT_EQ(read_rows(list), rows);

    ASSERT_TRUE(answer(dialog, IDOK));
    HWND startup = select_tab(s.sheet, kStartupTab);
    ASSERT_NE(startup, nullptr);
    const std::vector<Row> listed = read_rows(GetDlgItem(startup, kListId));
    const int row = find_row(listed, kTitle, kTitleText);
    ASSERT_GE(row, 0);
    EXPECT_EQ(listed[static_cast<std::size_t>(row)][kType], "HKCU_RUN");
    quit(s);
}

TEST_F(History, RestoreIsOfferedOnlyForReversibleRecords) {
    ASSERT_TRUE(write_file(kHistoryFile,
                           record(kRemovedDate, "*START_Remove", "CURRENT_RUN", kTitleText, demo::kLitwareAgentPath) +
                               record(kKillDate, "TASK_Kill", "INFO_TASK", "Fabrikam Tray Icon",
                                      "C:\\PROGRAM FILES\\FABRIKAM\\TRAY\\FABTRAY.EXE")));
    Session s = open("-OPTION");
    ASSERT_NE(s.sheet, nullptr);
    HWND dialog = open_history(s);
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, kListId);
    const std::vector<Row> rows = read_rows(list);
    ASSERT_EQ(rows.size(), 2u) << describe(rows);
    EXPECT_EQ(rows[1], (Row{"Fabrikam Tray Icon", "TASK_Kill", "INFO_TASK", kKillDate}));

    ASSERT_TRUE(select_rows(list, {1}));
    EXPECT_FALSE(control_enabled(dialog, kHistoryRestore));
    ASSERT_TRUE(select_rows(list, {0}));
    EXPECT_TRUE(control_enabled(dialog, kHistoryRestore));
    ASSERT_TRUE(answer(dialog, IDOK));
    quit(s);
}

TEST_F(History, ClearFileDeletesTheFileAndEmptiesTheList) {
    ASSERT_TRUE(write_file(kHistoryFile, record(kRemovedDate, "*START_Remove", "CURRENT_RUN", kTitleText,
                                                demo::kLitwareAgentPath)));
    Session s = open("-OPTION");
    ASSERT_NE(s.sheet, nullptr);
    HWND dialog = open_history(s);
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, kListId);
    ASSERT_EQ(item_count(list), 1);
    ASSERT_TRUE(click_button(dialog, kHistoryClear));
    EXPECT_FALSE(file_exists(kHistoryFile));
    EXPECT_EQ(item_count(list), 0);
    EXPECT_EQ(other_dialog(s.process.id(), s.sheet), dialog) << "clearing asks nothing";
    ASSERT_TRUE(answer(dialog, IDOK));
    quit(s);
}

}  // namespace
}  // namespace sx::e2e::test
