// The Startup Programs list on the seeded demo system: a row of every kind of location with its
// columns, the special locations behind the check box, the status bar, and sorting by each column.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "e2e_support.h"

namespace sx::e2e::test {
namespace {

constexpr int kDisable = 11;  // an item command of the page
constexpr std::size_t kRows = 55;
constexpr std::size_t kRowsWithSpecial = 67;

// Rows by their place in the listing order. The Command column shows the file name on, a
// RUNDLL32 command its host too; a first-detected text longer than 23 characters is not shown.
const std::pair<std::size_t, Row> kSampleRows[] = {
    {1, {"FabTray", "FabTray.exe", FABTRAY_COMPANY, "HKLM_RUN", "2012-08-15 23:45:12 UTC"}},
    {2, {"NwHelper", "RunDLL32.exe NwHelper.dll,StartHelper", NWHELPER_COMPANY, "HKLM_RUN", "03/07/2009 9:06 AM"}},
    {4, {"ShellServices", "WingtipHelper.exe -embedding", WINGTIPHELPER_COMPANY, "HKLM_RUN", "09/09/2009 9:09 AM"}},
    {7, {"LitwareFirstRun", "LitwareAgent.exe /firstrun", "", "HKLM_RUNONCEEX", ""}},
    {26, {"WingtipHelper", "WingtipHelper.exe", WINGTIPHELPER_COMPANY, "HKCU_RUN", "12/25/2010 7:45 AM"}},
    {33, {"AwClock", "AwClock.exe", AWCLOCK_COMPANY, kWindowsOffText, "10/31/2011 11:11 PM"}},
    {44, {"Fabrikam Tray Icon", "FabTray.exe", FABTRAY_COMPANY, "STARTUP_FOLDER", "2012-08-15 23:45:12 UTC"}},
    {48, {"Tailspin Game Launcher", "TailspinLauncher.exe", TAILSPIN_COMPANY, "WIN.INI_RUN", "01/15/2011 8:30 AM"}},
    {50, {"Fabrikam Tray Monitor", "FabTray.exe", FABTRAY_COMPANY, "WIN.INI_LOAD", "2012-08-15 23:45:12 UTC"}},
    {52, {"ContosoUpdater", "ContosoSync.exe /update", CONTOSOSYNC_COMPANY, kDisabledText, "11/12/2010 10:05 PM"}},
};
const std::pair<std::size_t, Row> kSpecialSampleRows[] = {
    {55, {"Winlogon Userinit", "ProseSpell.exe", PROSESPELL_COMPANY, "LOGON_USERINIT", "06/21/2008 12:00 PM"}},
    {57, {"ContosoSso", "ContosoSso.dll", CONTOSOSSO_COMPANY, "DELAYLOAD", ""}},
    {66, {"ShellSvcNotify", "shsvcx.dll", SHSVCX_COMPANY, "NOTIFY", ""}},
};

template <std::size_t N>
void expect_rows(const std::vector<Row>& rows, std::size_t count, const std::pair<std::size_t, Row> (&samples)[N]) {
    ASSERT_EQ(rows.size(), count) << describe(rows);
    for (const auto& [index, row] : samples) EXPECT_EQ(rows[index], row) << "row " << index;
}

class StartupList : public EndToEnd {};

TEST_F(StartupList, ShowsEveryLocationWithItsColumnsAndStatus) {
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    HWND page = active_page(s.sheet);
    HWND list = list_of(s.sheet);
    EXPECT_EQ(column_titles(list), (std::vector<std::string>{"Title", "Command", "Company", "Type", "First Detected"}));
    const std::vector<Row> rows = read_rows(list);
    expect_rows(rows, kRows, kSampleRows);
    // Windows starts neither a shortcut whose target is missing nor a binary Run value.
    EXPECT_EQ(find_row(rows, kTitle, "Litware Agent (old version)"), -1);
    EXPECT_EQ(find_row(rows, kTitle, "FabrikamBinary"), -1);

    const std::pair<const char*, std::string> locations[] = {
        {"WingtipHelper", "Startup Location: HKCU\\" + std::string(kRunKey)},
        {"ContosoUpdater", "Startup Location:  *    Disabled * HKCU\\" + std::string(kRunKey)},
        {"Startup notes", "Startup Location: Windows Startup Group"},
    };
    for (const auto& [title, status] : locations) {
        ASSERT_TRUE(select_rows(list, {find_row(rows, kTitle, title)})) << title;
        EXPECT_EQ(status_text(s.sheet), status);
    }

    // Each picture is in the image list once: two copies of a program share it, other programs do not.
    const auto image = [&](const char* title) { return item_image(list, find_row(rows, kTitle, title)); };
    EXPECT_EQ(image("AwClock"), image("AwClockPolicy")) << "one program in both Program Files folders";
    EXPECT_NE(image("AwClock"), image("FabTray"));
    EXPECT_NE(image("FabTray"), image("NwUpdate"));

    ASSERT_TRUE(select_rows(list, {}));
    ASSERT_TRUE(post_command(page, kDisable));
    HWND box = wait_dialog(s.process.id(), kHelpCaption);
    ASSERT_NE(box, nullptr) << "no message that nothing is selected";
    EXPECT_EQ(message_text(box).rfind("\nNo selection has been made.", 0), 0u) << message_text(box);
    ASSERT_TRUE(answer(box, IDOK));

    EXPECT_FALSE(is_checked(page, kShowAllStartup)) << "the special locations are off at start";
    ASSERT_TRUE(click_button(page, kShowAllStartup));
    expect_rows(read_rows(list), kRowsWithSpecial, kSpecialSampleRows);
    ASSERT_TRUE(click_button(page, kShowAllStartup));
    EXPECT_EQ(read_rows(list), rows);
    quit(s);
}

struct SortCase {
    int column;
    std::vector<std::string> ascending;  // titles of rows in ascending order
    bool disabled_last;                  // disabled rows end the list in both directions
};

// The keys: the command less a RUNDLL32 host, the type code as text (200 before 22 before 3), the
// date read as a date. Each column is visited twice, so the first click after another column always
// sorts ascending. Rows whose key is empty or begins another are left out: such keys compare equal.
const SortCase kSortCases[] = {
    {0, {"Check for Northwind updates", "NwUpdate", "WingtipHelper"}, true},
    {1, {"FabTray", "NwHelper", "QuickTask", "WingtipHelper"}, true},
    {2, {"AwClockUpdate", "ContosoFirstRun", "FabTray"}, true},
    {3, {"Fabrikam Tray Icon", "AwClockUpdate", "LitwareFirstRun", "Northwind Setup"}, false},
    {4, {"QuickTask", "ProseSpell", "NwUpdate", "NwHelper", "ShellServices", "ContosoFirstRun"}, false},
    {0, {"Check for Northwind updates", "NwUpdate", "WingtipHelper"}, true},
};

// The first click on a header sorts ascending, the second descending.
TEST_F(StartupList, SortsByEachColumnInBothDirections) {
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    HWND list = list_of(s.sheet);
    std::vector<Row> listed = read_rows(list);
    std::sort(listed.begin(), listed.end());
    for (const SortCase& c : kSortCases) {
        for (bool descending : {false, true}) {
            SCOPED_TRACE("column " + std::to_string(c.column) + (descending ? " descending" : " ascending"));
            ASSERT_TRUE(click_header(list, c.column));
            const std::vector<Row> rows = read_rows(list);
            std::vector<int> places;
            for (const std::string& title : c.ascending) places.push_back(find_row(rows, kTitle, title));
            if (descending) std::reverse(places.begin(), places.end());
            EXPECT_TRUE(places.front() >= 0 && std::is_sorted(places.begin(), places.end())) << describe(rows);
            if (c.disabled_last) {
                auto disabled = [](const Row& r) { return r[kType] == kDisabledText || r[kType] == kWindowsOffText; };
                EXPECT_TRUE(std::all_of(rows.end() - 3, rows.end(), disabled)) << describe(rows);
            }
            std::vector<Row> sorted = rows;
            std::sort(sorted.begin(), sorted.end());
            EXPECT_EQ(sorted, listed) << "sorting must only reorder the rows";
        }
    }
    quit(s);
}

}  // namespace
}  // namespace sx::e2e::test
