// Switching entries off and on, removing and restoring them, on the fake platform.
#include <gtest/gtest.h>

#include "common/state.h"
#include "startup/catalogue.h"
#include "startup/disabled_store.h"
#include "startup/history.h"
#include "tests/support/fake_platform.h"

namespace sx::startup {
namespace {

using platform::Root;

constexpr std::string_view kHkcuRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view kStoreRun = "Software\\Orvane\\Sentrix\\Disabled\\Run";
constexpr std::string_view kStoreWinRun = "Software\\Orvane\\Sentrix\\Disabled\\WinRun";
constexpr std::string_view kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr std::string_view kDisabledFolder = "C:\\Program Files\\Sentrix\\Disabled";

class DisabledStore : public ::testing::Test {
protected:
    fake::FakePlatform fake;
    AppState app{fake.os};

    void SetUp() override {
        fake.shell_folders();
        app.settings.history = 1;
    }
    std::string marker(std::string_view title) { return fake.registry.text(Root::local_machine, kDisabledKey, title); }
    std::string history() { return fake.files.content("C:\\Program Files\\Sentrix\\history.txt"); }
};

TEST_F(DisabledStore, RunEntryMovesToTheStoreAndBackByteForByte) {
    fake.registry.put_text(Root::current_user, kHkcuRun, "Quoted", "\"C:\\Program Files\\q.exe\" -x", platform::reg_type::expand_sz);
    // The list shows the command without quotes; the value itself is what moves.
    EXPECT_EQ(ToggleStartupEntry(app, "Quoted", "C:\\Program Files\\q.exe -x", "", 11), 1);
    EXPECT_FALSE(fake.registry.has_value(Root::current_user, kHkcuRun, "Quoted"));
    EXPECT_EQ(fake.registry.text(Root::local_machine, kStoreRun, "Quoted"), "\"C:\\Program Files\\q.exe\" -x");
    EXPECT_EQ(marker("Quoted"), "11");

    EXPECT_EQ(ToggleStartupEntry(app, "Quoted", "C:\\Program Files\\q.exe -x", "", 11), 1);
    platform::RegValue back;
    ASSERT_EQ(fake.registry.query(Root::current_user, kHkcuRun, "Quoted", back), platform::RegStatus::ok);
    EXPECT_EQ(back.type, platform::reg_type::expand_sz);
    EXPECT_EQ(std::string(back.data.c_str()), "\"C:\\Program Files\\q.exe\" -x");
    EXPECT_FALSE(fake.registry.has_value(Root::local_machine, kStoreRun, "Quoted"));
    EXPECT_EQ(marker("Quoted"), "");
}

TEST_F(DisabledStore, AFailedCopyLeavesTheEntryLiveAndTellsTheUser) {
    fake.registry.put_text(Root::current_user, kHkcuRun, "Kept", "C:\\k.exe");
    fake.registry.faults.fail_when([](std::string_view op, std::string_view subject) {
        return op == "registry.set" && subject.find("Disabled\\Run") != std::string_view::npos;
    });
    EXPECT_EQ(ToggleStartupEntry(app, "Kept", "C:\\k.exe", "", 11), 0);
    EXPECT_EQ(fake.registry.text(Root::current_user, kHkcuRun, "Kept"), "C:\\k.exe");
    EXPECT_EQ(marker("Kept"), "");
    ASSERT_EQ(fake.prompts.told.size(), 1u);
    EXPECT_NE(fake.prompts.told[0].find("Kept could not be switched off"), std::string::npos);
}

TEST_F(DisabledStore, ARefusedLiveDeletionIsRolledBack) {
    fake.registry.put_text(Root::current_user, kHkcuRun, "Stuck", "C:\\s.exe");
    fake.registry.faults.fail_when([](std::string_view op, std::string_view subject) {
        return op == "registry.remove_value" && subject.find("CurrentVersion\\Run\\Stuck") != std::string_view::npos;
    });
    EXPECT_EQ(ToggleStartupEntry(app, "Stuck", "C:\\s.exe", "", 11), 0);
    EXPECT_EQ(fake.registry.text(Root::current_user, kHkcuRun, "Stuck"), "C:\\s.exe");
    EXPECT_FALSE(fake.registry.has_value(Root::local_machine, kStoreRun, "Stuck"));
    EXPECT_EQ(marker("Stuck"), "");
}

TEST_F(DisabledStore, AStoredCopyOfAnotherEntryIsNeverOverwritten) {
    fake.registry.put_text(Root::local_machine, kStoreRun, "Twin", "C:\\first.exe");  // a copy without a marker
    fake.registry.put_text(Root::current_user, kHkcuRun, "Twin", "C:\\second.exe");
    EXPECT_EQ(ToggleStartupEntry(app, "Twin", "C:\\second.exe", "", 11), 0);
    EXPECT_EQ(fake.registry.text(Root::local_machine, kStoreRun, "Twin"), "C:\\first.exe");
    EXPECT_EQ(fake.registry.text(Root::current_user, kHkcuRun, "Twin"), "C:\\second.exe");
}

TEST_F(DisabledStore, EnableWritesTheLiveValueBeforeDeletingTheCopy) {
    fake.registry.put_text(Root::local_machine, kStoreRun, "Off", "C:\\off.exe");
    fake.registry.put_text(Root::local_machine, kDisabledKey, "Off", "11");
    fake.registry.faults.fail_when([](std::string_view op, std::string_view subject) {
        return op == "registry.set" && subject.find("CurrentVersion\\Run\\Off") != std::string_view::npos;
    });
    EXPECT_EQ(ToggleStartupEntry(app, "Off", "C:\\off.exe", "", 11), 0);
    EXPECT_EQ(fake.registry.text(Root::local_machine, kStoreRun, "Off"), "C:\\off.exe");
    EXPECT_EQ(marker("Off"), "11");
}

TEST_F(DisabledStore, WinIniItemsKeepTheRestOfTheirLine) {
    const std::string tail(600, 'x');  // longer than the line buffer of the enumeration
    fake.win_ini("run", "\"C:\\a b\\one.exe\";C:\\two.exe;" + tail);
    EXPECT_EQ(ToggleStartupEntry(app, "run", "C:\\a b\\one.exe", "", 101), 1);
    EXPECT_EQ(fake.win_ini("run"), "C:\\two.exe;" + tail + ";");
    EXPECT_EQ(fake.registry.text(Root::local_machine, kStoreWinRun, "run"), "C:\\a b\\one.exe");
    EXPECT_EQ(marker("run"), "101");
    EXPECT_EQ(ToggleStartupEntry(app, "run", "C:\\a b\\one.exe", "", 101), 1);
    EXPECT_EQ(fake.win_ini("run"), "C:\\two.exe;" + tail + ";;C:\\a b\\one.exe");
    EXPECT_EQ(marker("run"), "");
    // Removing a disabled item deletes its copy and marker.
    ToggleStartupEntry(app, "run", "C:\\two.exe", "", 101);
    EXPECT_EQ(RemoveStartupEntry(app, "run", "C:\\two.exe", "", 101), 1);
    EXPECT_FALSE(fake.registry.has_value(Root::local_machine, kStoreWinRun, "run"));
    EXPECT_EQ(marker("run"), "");
}

TEST_F(DisabledStore, StartupFolderFilesMoveIntoTheDisabledFolder) {
    const std::string link = std::string(fake::FakePlatform::kUserStartup) + "\\Tool.lnk";
    fake.shortcut(link, "C:\\apps\\tool.exe", "Tool");
    EXPECT_EQ(ToggleStartupEntry(app, "Tool", "C:\\apps\\tool.exe", link, 200), 1);
    EXPECT_FALSE(fake.files.exists(link));
    EXPECT_TRUE(fake.files.exists(std::string(kDisabledFolder) + "\\Tool.lnk"));
    EXPECT_EQ(marker("Tool"), "200");
    EXPECT_EQ(ToggleStartupEntry(app, "Tool", "C:\\apps\\tool.exe", std::string(kDisabledFolder) + "\\Tool.lnk", 200), 1);
    EXPECT_TRUE(fake.files.exists(link));
    EXPECT_EQ(marker("Tool"), "");
}

TEST_F(DisabledStore, AFileThatCannotBeMovedGetsNoMarker) {
    const std::string link = std::string(fake::FakePlatform::kUserStartup) + "\\Busy.lnk";
    fake.shortcut(link, "C:\\apps\\busy.exe", "Busy");
    fake.files.faults.fail_when([](std::string_view op, std::string_view) { return op == "files.move"; });
    EXPECT_EQ(ToggleStartupEntry(app, "Busy", "C:\\apps\\busy.exe", link, 200), 0);
    EXPECT_TRUE(fake.files.exists(link));
    EXPECT_EQ(marker("Busy"), "");
    EXPECT_EQ(fake.prompts.told.size(), 1u);
}

TEST_F(DisabledStore, NotifyEntriesKeepTheirDllName) {
    const std::string key = std::string(kNotifyKey) + "\\Hooky";
    fake.registry.put_text(Root::local_machine, key, "DllName", "C:\\hook.dll");
    EXPECT_EQ(ToggleStartupEntry(app, "Hooky", "C:\\hook.dll", "", 256), 1);
    EXPECT_EQ(fake.registry.text(Root::local_machine, key, "DllName"), "");
    EXPECT_EQ(fake.registry.text(Root::local_machine, key, "OldName"), "C:\\hook.dll");
    EXPECT_EQ(ToggleStartupEntry(app, "Hooky", "C:\\hook.dll", "", 256), 1);
    EXPECT_EQ(fake.registry.text(Root::local_machine, key, "DllName"), "C:\\hook.dll");
    // A Notify title without its subkey is not invented.
    EXPECT_EQ(ToggleStartupEntry(app, "Ghost", "C:\\ghost.dll", "", 256), 0);
    EXPECT_FALSE(fake.registry.has_key(Root::local_machine, std::string(kNotifyKey) + "\\Ghost"));
}

TEST_F(DisabledStore, RemovalRecordsHistoryOnlyWhenSomethingWasRemoved) {
    fake.registry.put_text(Root::current_user, kHkcuRun, "Bye", "C:\\bye.exe");
    EXPECT_EQ(RemoveStartupEntry(app, "Bye", "C:\\bye.exe", "", 11), 1);
    EXPECT_FALSE(fake.registry.has_value(Root::current_user, kHkcuRun, "Bye"));
    EXPECT_NE(history().find("\t*START_Remove\tCURRENT_RUN\tBye\tC:\\bye.exe\t\r\n"), std::string::npos);
    const std::string before = history();
    EXPECT_EQ(RemoveStartupEntry(app, "Bye", "C:\\bye.exe", "", 11), 0);
    EXPECT_EQ(history(), before);
    fake.registry.put_text(Root::current_user, kHkcuRun, "Own", "C:\\Sentrix\\sentrix.exe");
    EXPECT_EQ(RemoveStartupEntry(app, "Own", "C:\\Sentrix\\sentrix.exe", "", 11), 1);
    EXPECT_EQ(history(), before);
    // The setup and policy keys of the 32-bit view have no store, but their values can be removed.
    fake.registry.put_text(Root::local_machine, "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup",
                           "Wow Setup", "C:\\ws.exe");
    EXPECT_EQ(ToggleStartupEntry(app, "Wow Setup", "C:\\ws.exe", "", 26), 0);
    EXPECT_EQ(RemoveStartupEntry(app, "Wow Setup", "C:\\ws.exe", "", 26), 1);
}

TEST_F(DisabledStore, RemovingAGoneShortcutNeverDeletesItsTarget) {
    fake.program("C:\\apps\\target.exe");
    const std::string link = std::string(fake::FakePlatform::kUserStartup) + "\\Gone.lnk";
    EXPECT_EQ(RemoveStartupEntry(app, "Gone", "C:\\apps\\target.exe", link, 200), 1);
    EXPECT_TRUE(fake.files.exists("C:\\apps\\target.exe"));
    // Without a location the command names the file in the folder itself.
    const std::string pif = std::string(fake::FakePlatform::kUserStartup) + "\\old.pif";
    fake.files.add_file(pif).attributes = platform::attr::readonly;
    EXPECT_EQ(RemoveStartupEntry(app, "old", pif, "", 200), 1);
    EXPECT_FALSE(fake.files.exists(pif));
}

TEST_F(DisabledStore, SpecialEntries) {
    fake.registry.put_text(Root::local_machine, kWinlogon, "Shell", "Explorer.exe C:\\evil.exe");
    EXPECT_EQ(RemoveStartupEntry(app, "Winlogon Shell", "C:\\evil.exe", "", 251), 1);
    EXPECT_EQ(fake.registry.text(Root::local_machine, kWinlogon, "Shell"), "Explorer.exe");
    EXPECT_TRUE(fake.prompts.asked.empty());
    EXPECT_NE(history().find("RESET_SHELL"), std::string::npos);

    fake.registry.put_text(Root::local_machine, kWinlogon, "Userinit", "userinit.exe,C:\\evil.exe");
    EXPECT_EQ(RemoveSpecialEntry(app, "Winlogon Userinit", "C:\\evil.exe", "", 250), 1);
    EXPECT_EQ(fake.registry.text(Root::local_machine, kWinlogon, "Userinit"), "C:\\windows\\system32\\Userinit.exe,");

    fake.registry.put_text(Root::local_machine, kWindowsNtKey, "AppInit_Dlls", "C:\\a.dll,C:\\b.dll  C:\\c.dll");
    fake.prompts.answers = {false};
    EXPECT_EQ(RemoveStartupEntry(app, "b", "C:\\b.dll", "", 255), 1);
    EXPECT_EQ(fake.registry.text(Root::local_machine, kWindowsNtKey, "AppInit_Dlls"), "C:\\a.dll,C:\\b.dll  C:\\c.dll");
    fake.prompts.answers = {true};
    EXPECT_EQ(RemoveStartupEntry(app, "b", "C:\\b.dll", "", 255), 1);
    EXPECT_EQ(fake.registry.text(Root::local_machine, kWindowsNtKey, "AppInit_Dlls"), "C:\\a.dll,C:\\c.dll");

    fake.registry.put_text(Root::local_machine, kTaskSchedulerKey, "{1}", "Scheduler Thing");
    fake.prompts.answers = {true};
    EXPECT_EQ(RemoveStartupEntry(app, "Scheduler Thing", "C:\\t.dll", "{1}", 253), 1);
    EXPECT_FALSE(fake.registry.has_value(Root::local_machine, kTaskSchedulerKey, "{1}"));
    EXPECT_EQ(RestoreStartupEntry(app, "Scheduler Thing", "C:\\t.dll", "{1}", 253), 1);
    EXPECT_EQ(fake.registry.text(Root::local_machine, kTaskSchedulerKey, "{1}"), "Scheduler Thing");
}

TEST_F(DisabledStore, RestoreWritesEntriesBack) {
    EXPECT_EQ(RestoreStartupEntry(app, "Back", "C:\\back.exe -q", "", 11), 1);
    EXPECT_EQ(fake.registry.text(Root::current_user, kHkcuRun, "Back"), "C:\\back.exe -q");
    EXPECT_EQ(fake.registry.text(Root::current_user, "Software\\Orvane\\Sentrix\\Run", "C:\\back.exe -q"), "11");
    EXPECT_EQ(RestoreStartupEntry(app, "Wow", "C:\\wow.exe", "", 21), 1);
    EXPECT_EQ(fake.registry.text(Root::local_machine, "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run", "Wow"),
              "C:\\wow.exe");
    fake.program("C:\\apps\\tool.exe");
    const std::string link = std::string(fake::FakePlatform::kUserStartup) + "\\Tool.lnk";
    EXPECT_EQ(RestoreStartupEntry(app, "Tool", "C:\\apps\\tool.exe -min", link, 200), 1);
    std::optional<platform::Shortcut> made = fake.shell.read_shortcut(link);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->target, "C:\\apps\\tool.exe");
    EXPECT_EQ(made->arguments, "-min");
    EXPECT_EQ(made->description, "Tool");
    EXPECT_EQ(made->working_folder, "C:\\apps");
    // A file at the place is kept.
    fake.files.write(link, "user's own file");
    EXPECT_EQ(RestoreStartupEntry(app, "Tool", "C:\\apps\\tool.exe", link, 200), 1);
    EXPECT_EQ(fake.files.content(link), "user's own file");
    EXPECT_EQ(RestoreStartupEntry(app, "Nope", "C:\\x.exe", "", 600), 0);
}

TEST_F(DisabledStore, ListsThatWouldNotFitAreNotCut) {
    fake.registry.put_text(Root::local_machine, kWindowsNtKey, "AppInit_Dlls", std::string(250, 'a'));
    EXPECT_FALSE(add_appinit_dll(app, "C:\\new.dll"));
    EXPECT_EQ(fake.registry.text(Root::local_machine, kWindowsNtKey, "AppInit_Dlls"), std::string(250, 'a'));
    // A list too long to read is not replaced by the one DLL.
    fake.registry.put_text(Root::local_machine, kWindowsNtKey, "AppInit_Dlls", std::string(1100, 'b'));
    EXPECT_FALSE(add_appinit_dll(app, "C:\\new.dll"));
    EXPECT_EQ(fake.registry.text(Root::local_machine, kWindowsNtKey, "AppInit_Dlls"), std::string(1100, 'b'));
    // A win.ini line too long to read whole is not written back cut.
    const std::string huge = "C:\\x.exe;" + std::string(40000, 'y');
    fake.win_ini("run", huge);
    EXPECT_FALSE(remove_from_win_ini(app, "run", "C:\\x.exe"));
    EXPECT_FALSE(add_to_win_ini(app, "run", "C:\\z.exe"));
    EXPECT_EQ(fake.registry.text(Root::current_user, fake::FakeProfile::kWindowsSectionKey, "run"), huge);
}

TEST_F(DisabledStore, DeleteOnReboot) {
    fake.files.add_file("C:\\bad\\adware.exe");
    EXPECT_EQ(DeleteOnReboot(app, "C:\\bad\\adware.exe"), 1);
    EXPECT_EQ(fake.files.reboot_deletions, (std::vector<std::string>{"C:\\bad\\adware.exe"}));
    // Outside the NT family the line joins wininit.ini's [rename] section; nothing there is lost.
    fake.system.os_version.platform = 1;
    fake.files.add_short_name("C:\\bad\\adware.exe", "C:\\BAD\\ADWARE.EXE");
    fake.files.write("C:\\windows\\wininit.ini", "[rename]\r\nNUL=C:\\OLD.EXE\r\n[other]\r\nx=1");
    EXPECT_EQ(DeleteOnReboot(app, "C:\\bad\\adware.exe"), 1);
    EXPECT_EQ(fake.files.content("C:\\windows\\wininit.ini"),
              "[rename]\r\nNUL=C:\\BAD\\ADWARE.EXE\r\nNUL=C:\\OLD.EXE\r\n[other]\r\nx=1");
    fake.files.remove("C:\\windows\\wininit.ini");
    EXPECT_EQ(DeleteOnReboot(app, "C:\\bad\\adware.exe"), 1);
    EXPECT_EQ(fake.files.content("C:\\windows\\wininit.ini"), "[rename]\r\nNUL=C:\\BAD\\ADWARE.EXE\r\n");
    EXPECT_EQ(DeleteOnReboot(app, "C:\\missing.exe"), 0);
}

}  // namespace
}  // namespace sx::startup
