// What every end-to-end test shares: a freshly seeded demo system with SentrixEx.exe installed, the
// program started and ended again, and small readers and writers of the registry and files that
// the tests check the program's work with.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "tools/demo/demo_data.h"
#include "tools/e2e/driver.h"

namespace sx::e2e::test {

// Tab indexes of this build's sheet.
inline constexpr int kStartupTab = 0;
inline constexpr int kActiveXTab = 1;
inline constexpr int kIeHelpersTab = 2;
inline constexpr int kScheduledTasksTab = 3;
inline constexpr int kServicesTab = 4;
inline constexpr int kActiveTasksTab = 5;
inline constexpr int kHiddenFilesTab = 6;
inline constexpr int kOptionsTab = 7;

inline constexpr int kCmdMonitor = 6046;  // "-MONITOR" posts it to itself; it opens nothing
inline constexpr int kShowAllStartup = 1014;
inline constexpr int kViewHistory = 1104;
inline constexpr int kTitle = 0;  // Startup Programs columns
inline constexpr int kType = 3;
inline constexpr int kWaitSeconds = 60;       // demo programs run this long unless stopped
inline constexpr DWORD kQuietSpell = 1500;    // how long a window that should not come is given to come
inline constexpr char kDisabledText[] = "   Disabled";
inline constexpr char kWindowsOffText[] = "   Disabled by Windows";
inline constexpr char kSentrixKey[] = "Software\\Orvane\\Sentrix";
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kWinInitProgram[] = "C:\\windows\\wininit.exe";
inline constexpr char kWinInitFile[] = "C:\\windows\\wininit.ini";
inline constexpr char kHistoryFile[] = "C:\\Program Files\\Sentrix\\history.txt";
// Every file or address the program hands to the shell: the test prefix's logger appends its line.
inline constexpr char kShellLog[] = "C:\\sxtest\\shell.log";

std::optional<std::string> read_text(HKEY root, const std::string& key, const std::string& name);
std::optional<DWORD> read_dword(HKEY root, const std::string& key, const std::string& name);
bool write_value(HKEY root, const std::string& key, const std::string& name, DWORD type, const void* data,
                 DWORD size);
bool write_text(HKEY root, const std::string& key, const std::string& name, const std::string& text);
bool delete_value(HKEY root, const std::string& key, const std::string& name);
bool file_exists(const std::string& path);
bool write_file(const std::string& path, const std::string& bytes);
std::string read_file(const std::string& path);  // empty when it cannot be read
// Every process running from a file of this name, this test program's own included.
std::vector<DWORD> process_ids(const std::string& file_name);
// The user's startup folder.
std::string user_startup_folder();

struct Session {
    Process process;
    HWND main = nullptr;
    HWND sheet = nullptr;
};

// SetUp leaves a freshly seeded demo system with nothing of an earlier test left over; TearDown ends
// whatever the test started.
class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    Process start(const std::string& arguments = {});
    // Starts the program and waits for its main window and, unless `sheet` is false, its sheet, and
    // unless `filled` is false, the first page's list filled.
    Session open(const std::string& arguments = {}, bool sheet = true, bool filled = true);
    // Posts the quit command and expects the process to end with exit code 0.
    void quit(Session& session);
    // Expects the process to end with exit code 0 (after a quit, a close or an exit request).
    static void expect_clean_exit(const Process& process);
    // Runs the program with `arguments` and expects it to end with code 0 without a main window.
    void run_without_window(const std::string& arguments);
    // A demo program started with "-wait <seconds>"; ended by TearDown at the latest.
    Process& start_demo_program(const std::string& path);

    static HWND list_of(HWND sheet) { return GetDlgItem(active_page(sheet), kListId); }

    std::deque<Process> helpers_;  // references stay valid as it grows
};

// A visible dialog of `process` other than the sheet (a message box, a warning), if any.
HWND other_dialog(DWORD process, HWND sheet);
// Rows as readable text for failure messages.
std::string describe(const std::vector<Row>& rows);

}  // namespace sx::e2e::test
