// What every end-to-end test shares: a freshly seeded demo system with SentrixEx.exe installed, the
// program started and closed again, and small readers and writers of the registry and files that
// the tests check the program's work with.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tools/e2e/driver.h"

namespace sx::e2e::test {

// Tab indexes of this build's sheet.
inline constexpr int kStartupTab = 0;
inline constexpr int kActiveTasksTab = 1;
inline constexpr int kOptionsTab = 2;

// Page commands.
inline constexpr int kCmdStartup = 6026;
inline constexpr int kCmdCookies = 6028;
inline constexpr int kCmdActiveTasks = 6029;
inline constexpr int kCmdQuit = 6030;
inline constexpr int kCmdOptions = 6033;
inline constexpr int kCmdMonitor = 6046;
inline constexpr int kCmdDelay = 6055;
inline constexpr int kCmdUnknown = 6999;

// Commands of the pages and their context menus.
inline constexpr int kEnable = 10;
inline constexpr int kDisable = 11;
inline constexpr int kRemove = 1003;
inline constexpr int kKillTask = 1007;
inline constexpr int kShowAllStartup = 1014;
inline constexpr int kViewHistory = 1104;
inline constexpr int kHistoryRestore = 1104;
inline constexpr int kHistoryClear = 1106;
inline constexpr int kWarningConfirm = 1014;

// Startup Programs columns.
inline constexpr int kTitle = 0;
inline constexpr int kCommand = 1;
inline constexpr int kCompany = 2;
inline constexpr int kType = 3;
inline constexpr int kDetected = 4;

inline constexpr char kDisabledText[] = "   Disabled";
inline constexpr char kOrvaneSentrix[] = "Software\\Orvane\\Sentrix";
inline constexpr char kOptionsKey[] = "Software\\Orvane\\Sentrix\\Options";
inline constexpr char kHistoryFile[] = "C:\\Program Files\\Sentrix\\history.txt";

// ---- Registry and files ----

std::optional<std::string> read_text(HKEY root, const std::string& path, const std::string& name);
std::optional<DWORD> read_dword(HKEY root, const std::string& path, const std::string& name);
bool write_value(HKEY root, const std::string& path, const std::string& name, DWORD type, const void* data,
                 DWORD size);
bool write_text(HKEY root, const std::string& path, const std::string& name, const std::string& text);
bool delete_value(HKEY root, const std::string& path, const std::string& name);
bool delete_tree(HKEY root, const std::string& path);
bool file_exists(const std::string& path);
bool write_file(const std::string& path, const std::string& bytes);
void delete_folder(const std::string& path);
// The "Startup" value of HKCU ...\Explorer\Shell Folders (the user's startup folder).
std::string user_startup_folder();
// The build folder as a Windows path (SX_BUILD_DIR).
std::string build_folder();
// Ends every process started from one of these file names (demo programs, the program itself).
void end_processes(const std::vector<std::string>& file_names);

// ---- A running program ----

struct Session {
    Process process;
    HWND main = nullptr;
    HWND sheet = nullptr;
};

// The base of every end-to-end test: SetUp leaves a freshly seeded demo system with nothing of an
// earlier test left over; TearDown ends whatever the test started.
class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the installed program with `arguments`.
    Process start(const std::string& arguments = {});
    // Starts it and waits for its sheet; fails the test when there is none.
    Session open(const std::string& arguments = {});
    // Posts 6030 and expects the process to end with exit code 0.
    void quit(Session& session);
    // A demo program started with "-wait <seconds>"; ended by TearDown at the latest.
    Process& start_demo_program(const std::string& path, int seconds);

    // The page of the selected tab and its list.
    static HWND page_of(HWND sheet) { return active_page(sheet); }
    static HWND list_of(HWND sheet) { return GetDlgItem(active_page(sheet), kListId); }

    std::deque<Process> helpers_;  // references stay valid as it grows
};

// Selects `rows`, right-clicks the last of them and chooses the context-menu item at `position`
// (counting only items that can be chosen).
::testing::AssertionResult use_context_menu(HWND list, const std::vector<int>& rows, int position);
// A visible dialog of `process` other than the sheet (a message box, a warning), if any.
HWND other_dialog(DWORD process, HWND sheet);

// Row index of the first row whose column `column` reads `text`; -1 when none.
int find_row(const std::vector<Row>& rows, int column, const std::string& text);
// Waits until `read` gives rows for which `ready` holds; returns the last rows read.
std::vector<Row> wait_rows(HWND list, const std::function<bool(const std::vector<Row>&)>& ready,
                           DWORD timeout = kDefaultTimeout);
// Rows as readable text for failure messages.
std::string describe(const std::vector<Row>& rows);

}  // namespace sx::e2e::test
