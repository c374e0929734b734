// The command line of the real program: which page opens, the hand-off to a running instance, the
// quit option and the maintenance options that do their work and end without a window.
#include <string>

#include "e2e_support.h"
#include "tools/demo/demo_data.h"

namespace sx::e2e::test {
namespace {

constexpr DWORD kExitWait = 15000;
constexpr DWORD kQuietSpell = 1500;  // how long a window that should not come is given to come
constexpr char kAutoUpdateKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update";
constexpr char kUrlPrefixesKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\Prefixes";
constexpr char kUrlDefaultPrefixKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\DefaultPrefix";
constexpr char kContextMenuKey[] = "Software\\Classes\\exefile\\shell\\Sentrix Zentra";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class CommandLine : public EndToEnd {
protected:
    // Runs the program with `arguments` and expects it to end with code 0 without ever showing a
    // main window of its own.
    void run_without_window(const std::string& arguments) {
        Process process = start(arguments);
        ASSERT_NE(process.handle(), nullptr);
        bool window_seen = false;
        const bool ended = wait_until([&] {
            window_seen = window_seen || main_window(process.id()) != nullptr;
            return !process.running();
        }, kExitWait);
        ASSERT_TRUE(ended) << arguments << " did not end";
        EXPECT_EQ(process.wait_exit(0), std::optional<DWORD>(0)) << arguments;
        EXPECT_FALSE(window_seen) << arguments << " created a main window";
    }

    // A running instance that has no sheet: "-MONITOR" posts 6046 to itself, which does nothing.
    Session monitor_instance() {
        Session s;
        s.process = start("-MONITOR");
        s.main = wait_main_window(s.process.id());
        EXPECT_NE(s.main, nullptr);
        return s;
    }

    static bool no_sheet_comes(DWORD process) {
        return !wait_until([&] { return find_sheet(process) != nullptr; }, kQuietSpell);
    }
};

TEST_F(CommandLine, WithoutArgumentsTheStartTabOptionNamesThePage) {
    ASSERT_TRUE(write_text(HKEY_CURRENT_USER, kOptionsKey, "StartTab", "6029"));
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    EXPECT_EQ(current_tab(s.sheet), kActiveTasksTab);
    quit(s);
}

TEST_F(CommandLine, StartTabBelowTheFirstPageCommandOpensStartupPrograms) {
    ASSERT_TRUE(write_text(HKEY_CURRENT_USER, kOptionsKey, "StartTab", "6000"));
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    EXPECT_EQ(current_tab(s.sheet), kStartupTab);
    quit(s);
}

TEST_F(CommandLine, TheLastMatchingPageOptionWinsSoTaskBeatsService) {
    Session s = open("-TASK -SERVICE");
    ASSERT_NE(s.sheet, nullptr);
    EXPECT_EQ(current_tab(s.sheet), kActiveTasksTab);
    quit(s);
}

TEST_F(CommandLine, OptionsAreFoundInAnyCase) {
    Session s = open("-restart");
    ASSERT_NE(s.sheet, nullptr);
    EXPECT_EQ(current_tab(s.sheet), kOptionsTab);
    quit(s);
}

TEST_F(CommandLine, SecondInstanceHandsItsPageCommandToTheFirstAndEndsAtOnce) {
    Session first = monitor_instance();
    ASSERT_NE(first.main, nullptr);
    ASSERT_TRUE(no_sheet_comes(first.process.id())) << "-MONITOR must not open the sheet";

    run_without_window("-task");
    first.sheet = wait_sheet(first.process.id());
    ASSERT_NE(first.sheet, nullptr) << "the first instance did not act on the handed-off command";
    EXPECT_EQ(current_tab(first.sheet), kActiveTasksTab);
    quit(first);
}

TEST_F(CommandLine, SecondInstanceWhileTheSheetIsOpenLeavesItsTabAlone) {
    Session first = open();
    ASSERT_NE(first.sheet, nullptr);
    ASSERT_EQ(current_tab(first.sheet), kStartupTab);

    run_without_window("-task");
    // The command has been handled once the first instance answers after the second has ended.
    send(first.main, WM_NULL);
    send(first.sheet, WM_NULL);
    EXPECT_TRUE(first.process.running());
    EXPECT_EQ(find_sheet(first.process.id()), first.sheet);
    EXPECT_EQ(current_tab(first.sheet), kStartupTab);
    quit(first);
}

TEST_F(CommandLine, QuitOptionInsideALongerWordEndsTheRunningInstance) {
    Session first = open();
    ASSERT_NE(first.sheet, nullptr);
    run_without_window("-quickly");
    const std::optional<DWORD> code = first.process.wait_exit(kExitWait);
    ASSERT_TRUE(code.has_value()) << "the running instance did not quit";
    EXPECT_EQ(*code, 0u);
}

TEST_F(CommandLine, QuitOptionWithoutARunningInstanceEndsWithoutAWindow) {
    run_without_window("-Q");
}

TEST_F(CommandLine, AUOptionCopiesTheStoredNumberIntoWindowsUpdate) {
    const DWORD four = 4;
    ASSERT_TRUE(write_value(HKEY_CURRENT_USER, kOrvaneSentrix, "AUOptions", REG_DWORD, &four, sizeof(four)));
    run_without_window("-AUOption");
    EXPECT_EQ(read_dword(HKEY_LOCAL_MACHINE, kAutoUpdateKey, "AUOptions"), std::optional<DWORD>(4));
}

TEST_F(CommandLine, AUOptionReadsTheFirstTwoBytesAsSignedBytes) {
    // 200 in the low byte is -56 taken as a signed byte, and the high byte adds 0.
    const BYTE bytes[] = {0xC8, 0x00};
    ASSERT_TRUE(write_value(HKEY_CURRENT_USER, kOrvaneSentrix, "AUOptions", REG_BINARY, bytes, sizeof(bytes)));
    run_without_window("-AUOption");
    EXPECT_EQ(read_dword(HKEY_LOCAL_MACHINE, kAutoUpdateKey, "AUOptions"),
              std::optional<DWORD>(static_cast<DWORD>(-56)));
}

TEST_F(CommandLine, AUOptionWritesZeroWhenNothingIsStored) {
    const DWORD three = 3;
    ASSERT_TRUE(write_value(HKEY_LOCAL_MACHINE, kAutoUpdateKey, "AUOptions", REG_DWORD, &three, sizeof(three)));
    run_without_window("-AUOption");
    EXPECT_EQ(read_dword(HKEY_LOCAL_MACHINE, kAutoUpdateKey, "AUOptions"), std::optional<DWORD>(0));
}

TEST_F(CommandLine, SetPrefixWritesTheStoredPrefixIntoBothUrlValues) {
    ASSERT_TRUE(write_text(HKEY_CURRENT_USER, kOrvaneSentrix, "wwwPrefix", "https://"));
    run_without_window("-SetPrefix");
    EXPECT_EQ(read_text(HKEY_LOCAL_MACHINE, kUrlPrefixesKey, "www"), std::optional<std::string>("https://"));
    EXPECT_EQ(read_text(HKEY_LOCAL_MACHINE, kUrlDefaultPrefixKey, ""), std::optional<std::string>("https://"));
}

TEST_F(CommandLine, SetPrefixWritesHttpWhenNoPrefixIsStored) {
    ASSERT_TRUE(write_text(HKEY_LOCAL_MACHINE, kUrlPrefixesKey, "www", "gopher://"));
    ASSERT_TRUE(write_text(HKEY_LOCAL_MACHINE, kUrlDefaultPrefixKey, "", "gopher://"));
    run_without_window("-SetPrefix");
    EXPECT_EQ(read_text(HKEY_LOCAL_MACHINE, kUrlPrefixesKey, "www"), std::optional<std::string>("http://"));
    EXPECT_EQ(read_text(HKEY_LOCAL_MACHINE, kUrlDefaultPrefixKey, ""), std::optional<std::string>("http://"));
}

TEST_F(CommandLine, RestoreDoesItsMaintenanceAndLeavesTheRunningInstanceAlone) {
    ASSERT_TRUE(write_text(HKEY_LOCAL_MACHINE, kOrvaneSentrix, "LString15", "an override"));
    ASSERT_TRUE(write_text(HKEY_CURRENT_USER, kOrvaneSentrix, "xPos", "10"));
    ASSERT_TRUE(write_text(HKEY_CURRENT_USER, kOrvaneSentrix, "dyPosAddFileType", "300"));
    ASSERT_TRUE(write_text(HKEY_LOCAL_MACHINE, kContextMenuKey, "", "Sentrix Zentra"));
    ASSERT_TRUE(write_text(HKEY_LOCAL_MACHINE, std::string(kContextMenuKey) + "\\command", "", "SentrixEx.exe %1"));

    // A running instance without a sheet would open one for any page command it received.
    Session first = monitor_instance();
    ASSERT_NE(first.main, nullptr);
    run_without_window("-Restore");
    EXPECT_TRUE(no_sheet_comes(first.process.id())) << "-Restore sent a page command to the running instance";
    EXPECT_TRUE(first.process.running()) << "-Restore made the running instance quit";

    EXPECT_FALSE(read_text(HKEY_LOCAL_MACHINE, kOrvaneSentrix, "LString15").has_value());
    EXPECT_FALSE(read_text(HKEY_CURRENT_USER, kOrvaneSentrix, "xPos").has_value());
    EXPECT_FALSE(read_text(HKEY_CURRENT_USER, kOrvaneSentrix, "dyPosAddFileType").has_value());
    EXPECT_FALSE(read_text(HKEY_LOCAL_MACHINE, kContextMenuKey, "").has_value()) << "the context-menu key stays";

    // The delayed programs are back where they came from: a Run entry of the current user with its
    // parameters, one of the machine behind its host program, a startup-folder shortcut.
    EXPECT_EQ(read_text(HKEY_CURRENT_USER, kRunKey, "NwUpdateDelayed"),
              std::optional<std::string>(std::string(demo::kNwUpdatePath) + " /silent /check"));
    EXPECT_EQ(read_text(HKEY_LOCAL_MACHINE, kRunKey, "NwHelperDelayed"),
              std::optional<std::string>(
                  "C:\\windows\\system32\\rundll32.exe C:\\Program Files\\Northwind Traders\\Update\\NwHelper.dll,"
                  "StartHelper"));
    EXPECT_TRUE(file_exists(user_startup_folder() + "\\Tailspin Launcher.lnk"));
    EXPECT_FALSE(read_text(HKEY_CURRENT_USER, "Software\\Orvane\\Sentrix\\Delay", demo::kNwUpdatePath).has_value());
    EXPECT_FALSE(read_text(HKEY_CURRENT_USER, "Software\\Orvane\\Sentrix\\Delay", demo::kTailspinPath).has_value());
    quit(first);
}

TEST_F(CommandLine, RestoreWhileTheSheetIsOpenKeepsItsTab) {
    Session first = open("-TASK");
    ASSERT_NE(first.sheet, nullptr);
    ASSERT_EQ(current_tab(first.sheet), kActiveTasksTab);
    run_without_window("-Restore");
    send(first.sheet, WM_NULL);
    EXPECT_TRUE(first.process.running());
    EXPECT_EQ(current_tab(first.sheet), kActiveTasksTab);
    quit(first);
}

}  // namespace
}  // namespace sx::e2e::test
