// The main window's commands that open no page: the restart-commands viewer, the monitor's autorun
// switch and the exit request.
#include <string>

#include "e2e_support.h"

namespace sx::e2e::test {
namespace {

constexpr int kCmdToggleAutorun = 6031;
constexpr int kCmdWinInit = 6034;
constexpr int kCmdExit = 6048;
constexpr int kViewerText = 1004;
constexpr int kViewerDelete = 1003;

class MainWindow : public EndToEnd {};

TEST_F(MainWindow, RestartCommandsAutorunSwitchAndExit) {
    Session s = open("-MONITOR", false);
    ASSERT_NE(s.main, nullptr);
    const DWORD id = s.process.id();
    // Without wininit.exe there is nothing to show.
    ASSERT_TRUE(post_command(s.main, kCmdWinInit));
    EXPECT_FALSE(wait_until([&] { return other_dialog(id, nullptr) != nullptr; }, kQuietSpell));

    ASSERT_TRUE(write_file(kWinInitProgram, "MZ"));
    ASSERT_TRUE(post_command(s.main, kCmdWinInit));
    HWND box = wait_dialog(id, "Loading...");
    ASSERT_NE(box, nullptr) << "no message that there are no restart commands";
    EXPECT_EQ(message_text(box), "No commands have been found in the WinInit.ini file.");
    ASSERT_TRUE(answer(box, IDOK));

    ASSERT_TRUE(write_file(kWinInitFile, "[rename]\nNUL=C:\\BAD\\ADWARE.EXE\n"));
    ASSERT_TRUE(post_command(s.main, kCmdWinInit));
    HWND viewer = wait_dialog(id, "Sentrix - Windows Restart Commands", kViewerText);
    ASSERT_NE(viewer, nullptr);
    // Every bare line feed is shown with its carriage return.
    EXPECT_EQ(control_text(viewer, kViewerText), "[rename]\r\nNUL=C:\\BAD\\ADWARE.EXE\r\n");
    ASSERT_TRUE(click_button(viewer, kViewerDelete));
    EXPECT_TRUE(wait_gone(viewer));
    EXPECT_FALSE(file_exists(kWinInitFile));

    ASSERT_TRUE(post_command(s.main, kCmdToggleAutorun));
    const std::string command = "\"C:\\Program Files\\Sentrix\\sentrix.exe\" -expressboot";
    EXPECT_TRUE(wait_until([&] { return read_text(HKEY_LOCAL_MACHINE, kRunKey, "Sentrix") == command; }));
    // The known-entries record follows the Run value; it may land a moment later.
    const std::string known_entries = std::string(kSentrixKey) + "\\Run";
    EXPECT_TRUE(wait_until([&] { return read_text(HKEY_CURRENT_USER, known_entries, command) == "1"; }));

    // Without a confirmation set, the exit request ends the program.
    ASSERT_TRUE(post_command(s.main, kCmdExit));
    expect_clean_exit(s.process);
}

}  // namespace
}  // namespace sx::e2e::test
