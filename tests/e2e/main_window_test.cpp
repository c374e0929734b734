// The main window's commands that open no page: the restart-commands viewer, the exit request and
// the monitor's autorun switch.
#include <string>

#include "e2e_support.h"

namespace sx::e2e::test {
namespace {

constexpr int kCmdToggleAutorun = 6031;
constexpr int kCmdWinInit = 6034;
constexpr int kCmdExit = 6048;
constexpr int kViewerText = 1004;
constexpr int kViewerDelete = 1003;
constexpr DWORD kQuietSpell = 1500;
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kWinInitProgram[] = "C:\\windows\\wininit.exe";
constexpr char kWinInitFile[] = "C:\\windows\\wininit.ini";

class MainWindow : public EndToEnd {
protected:
    void TearDown() override {
        DeleteFileA(kWinInitProgram);
        SetFileAttributesA(kWinInitFile, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(kWinInitFile);
        delete_value(HKEY_LOCAL_MACHINE, kRunKey, "Sentrix");
        EndToEnd::TearDown();
    }
    Session monitor_started() {
        Session s;
        s.process = start("-MONITOR");
        s.main = wait_main_window(s.process.id());
        return s;
    }
};

TEST_F(MainWindow, RestartCommandsAreShownAndCanBeDeleted) {
    ASSERT_TRUE(write_file(kWinInitProgram, "MZ"));
    ASSERT_TRUE(write_file(kWinInitFile, "[rename]\nNUL=C:\\BAD\\ADWARE.EXE\n"));
    Session s = monitor_started();
    ASSERT_NE(s.main, nullptr);
    ASSERT_TRUE(post_command(s.main, kCmdWinInit));
    HWND viewer = wait_dialog(s.process.id(), "Sentrix - Windows Restart Commands", kViewerText);
    ASSERT_NE(viewer, nullptr);
    // Every bare line feed is shown with its carriage return.
    EXPECT_EQ(control_text(viewer, kViewerText), "[rename]\r\nNUL=C:\\BAD\\ADWARE.EXE\r\n");
    EXPECT_EQ(control_text(viewer, kViewerDelete), "Delete");
    ASSERT_TRUE(click_button(viewer, kViewerDelete));
    EXPECT_TRUE(wait_gone(viewer));
    EXPECT_FALSE(file_exists(kWinInitFile));
    quit(s);
}

TEST_F(MainWindow, WithoutRestartCommandsAMessageSaysSo) {
    ASSERT_TRUE(write_file(kWinInitProgram, "MZ"));
    Session s = monitor_started();
    ASSERT_NE(s.main, nullptr);
    ASSERT_TRUE(post_command(s.main, kCmdWinInit));
    HWND box = wait_dialog(s.process.id(), "Loading...");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(message_text(box), "No commands have been found in the WinInit.ini file.");
    ASSERT_TRUE(answer(box, IDOK));
    quit(s);
}

TEST_F(MainWindow, WithoutWinInitProgramNothingIsShown) {
    Session s = monitor_started();
    ASSERT_NE(s.main, nullptr);
    ASSERT_TRUE(post_command(s.main, kCmdWinInit));
    EXPECT_FALSE(wait_until([&] { return find_dialog(s.process.id(), "Loading...") != nullptr; }, kQuietSpell));
    quit(s);
}

TEST_F(MainWindow, ExitRequestEndsTheProgramWhenNoConfirmationIsSet) {
    Session s = monitor_started();
    ASSERT_NE(s.main, nullptr);
    ASSERT_TRUE(post_command(s.main, kCmdExit));
    const std::optional<DWORD> code = s.process.wait_exit();
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
}

TEST_F(MainWindow, AutorunSwitchWritesTheMonitorsRunEntryQuoted) {
    Session s = monitor_started();
    ASSERT_NE(s.main, nullptr);
    ASSERT_TRUE(post_command(s.main, kCmdToggleAutorun));
    const std::string command = "\"C:\\Program Files\\Sentrix\\sentrix.exe\" -expressboot";
    EXPECT_TRUE(wait_until([&] { return read_text(HKEY_LOCAL_MACHINE, kRunKey, "Sentrix") == command; }));
    // The known-entries record follows the Run value; it may land a moment later.
    EXPECT_TRUE(wait_until([&] { return read_text(HKEY_CURRENT_USER, "Software\\Orvane\\Sentrix\\Run", command) == "1"; }));
    quit(s);
}

}  // namespace
}  // namespace sx::e2e::test
