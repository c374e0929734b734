// Startup entries on the fake platform: what the catalogue lists, switching entries off and on,
// removing and restoring them, delayed start, running programs, maintenance, the history file and
// the rules of the item list.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/maintenance.h"
#include "app/process_state.h"
#include "common/state.h"
#include "inventory/undo.h"
#include "startup/active_tasks.h"
#include "startup/catalogue.h"
#include "startup/delayed.h"
#include "startup/disabled_store.h"
#include "startup/history.h"
#include "startup/item_list.h"
#include "startup/type_codes.h"
#include "startup/windows_switch.h"
#include "tests/support/fake_platform.h"

namespace sx::startup {
namespace {

using platform::Root;
using Rows = std::vector<std::string>;
using ::testing::Contains;

constexpr Root kUser = Root::current_user, kMachine = Root::local_machine;
constexpr std::string_view kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view kRunOnce = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr std::string_view kStoreRun = "Software\\Orvane\\Sentrix\\Disabled\\Run";
constexpr std::string_view kHistory = "C:\\Program Files\\Sentrix\\history.txt";
const std::string kUserLink = std::string(fake::FakePlatform::kUserStartup) + "\\";
const std::string kCommonLink = std::string(fake::FakePlatform::kCommonStartup) + "\\";
const std::string kParked = "C:\\Program Files\\Sentrix\\Disabled\\";

class Startup : public ::testing::Test {
protected:
    fake::FakePlatform fake;
    AppState app{fake.os};

    void SetUp() override {
        fake.shell_folders();
        app.settings.history = 1;
    }
    void put(Root root, std::string_view key, std::string_view name, std::string_view text) {
        fake.registry.put_text(root, key, name, text);
    }
    std::string get(Root root, std::string_view key, std::string_view name) { return fake.registry.text(root, key, name); }
    bool has(Root root, std::string_view key, std::string_view name) { return fake.registry.has_value(root, key, name); }
    std::string marker(std::string_view title) { return get(kMachine, kDisabledKey, title); }
    std::string history() { return fake.files.content(kHistory); }
    void disabled(std::string_view title, std::string_view store, std::string_view command, std::string_view code) {
        put(kMachine, std::string(kDisabledKey) + "\\" + std::string(store), title, command);
        put(kMachine, kDisabledKey, title, code);
    }
    // The list as "title|command|location|description|type|flag" rows.
    Rows rows(bool filtered = false) {
        EnumerateStartups(app, filtered);
        Rows out;
        for (const StartupEntry& e : app.items.entries()) {
            out.push_back(e.title + "|" + e.command + "|" + e.location + "|" + e.description + "|" +
                          std::to_string(e.type) + "|" + std::to_string(e.flag));
        }
        return out;
    }
    const StartupEntry& last() { return *app.items.at(app.items.count() - 1); }
    // A delayed-start record with its subkey values.
    void record(Root hive, std::string_view command, std::string_view type, std::string_view title = {},
                std::string_view parameters = {}, std::string_view applet = {}, std::string_view shortcut = {}) {
        put(hive, kDelayKey, command, type);
        for (auto [sub, value] : {std::pair{"Title", title}, {"Parameters", parameters}, {"Applet", applet},
                                  {"Shortcuts", shortcut}, {"Time", std::string_view("30")}}) {
            if (!value.empty()) put(hive, std::string(kDelayKey) + "\\" + sub, command, value);
        }
    }
};

// ---- The catalogue ----
// Every location with its codes, texts and skipping rules is checked row by row on the demo system under
// Wine (tests/win32/catalogue_demo_test.cpp); these are the rules the demo system does not show.

TEST_F(Startup, AdjacentRepeatsAcrossKeysAreListedOnce) {
    // Registry values enumerate sorted here: "Zed" is the last of Run, "zed" the first of RunOnce.
    put(kMachine, kRun, "Zed", "C:\\zed.exe");
    put(kMachine, kRunOnce, "zed", "C:\\ZED.EXE");
    EXPECT_EQ(rows(), Rows{"Zed|C:\\zed.exe|||1|0"});
    // The same pair with another value between them is listed twice.
    put(kMachine, kRunOnce, "Zoo", "C:\\zoo.exe");
    put(kMachine, kRunOnce, "Zed", "C:\\zed.exe");
    put(kMachine, kRun, "Zz", "C:\\between.exe");
    EXPECT_EQ(rows().size(), 4u);
}

TEST_F(Startup, StartupFolderFilesTheListSkips) {
    fake.files.add_file(kUserLink + ".hidden.exe");
    fake.files.add_folder(kUserLink + "Sub.exe");
    fake.files.set_attributes(kUserLink + "Sub.exe", platform::attr::readonly);  // a folder with more attributes
    fake.files.add_file(kUserLink + "kept.txt");
    // The same folder named by both hives is listed once.
    put(kMachine, kShellFoldersKey, "Startup", fake::FakePlatform::kUserStartup);
    EXPECT_EQ(rows(), Rows{"kept|" + kUserLink + "kept.txt|||200|0"});
}

TEST_F(Startup, DisabledStoreListsEntriesWithAValidMarker) {
    disabled("Gone Away", "Run", "C:\\g.exe", "11");
    disabled("Word Marker", "Run", "C:\\w.exe", "eleven");
    put(kMachine, kStoreRun, "No Marker", "C:\\n.exe");
    fake.files.add_file(kParked + "Parked.txt");
    // A switched-off shortcut stays in sight even when its program is gone.
    fake.shortcut(kParked + "Orphan.lnk", "C:\\gone\\orphan.exe", "Orphan");
    EXPECT_EQ(rows(), (Rows{"Gone Away|C:\\g.exe|||11|0", "Orphan|C:\\gone\\orphan.exe|" + kParked + "Orphan.lnk||200|0",
                            "Parked|" + kParked + "Parked.txt|||200|0"}));
}

TEST_F(Startup, WinlogonForms) {
    for (auto [userinit, shell, listed] :
         {std::tuple{"userinit.exe,  C:\\extra.exe,more", "Explorer.exe   C:\\other.exe",
                     Rows{"Winlogon Userinit|C:\\extra.exe,more|||250|0", "Winlogon Shell|C:\\other.exe|||251|0"}},
          {"userinit.exe", "Explorer.exe ", Rows{"Winlogon Shell|Explorer.exe|||251|0"}}}) {
        put(kMachine, kWinlogonKey, "Userinit", userinit);
        put(kMachine, kWinlogonKey, "Shell", shell);
        EXPECT_EQ(rows(), listed) << userinit;
    }
    // Outside the NT family there is no Winlogon.
    fake.system.os_version.platform = 1;
    EXPECT_TRUE(rows().empty());
}

TEST_F(Startup, AnEntryThatCameBackIsSwitchedOffAgain) {
    disabled("Returner", "Run", "C:\\r.exe", "11");
    put(kUser, kRun, "Returner", "C:\\r.exe");
    EXPECT_EQ(rows(), Rows{"Returner|C:\\r.exe|||11|0"});
    EXPECT_FALSE(has(kUser, kRun, "Returner"));
    EXPECT_EQ(marker("Returner"), "11");
    // Back with another command: switching it off would overwrite the stored one, so it stays live.
    put(kUser, kRun, "Returner", "C:\\new.exe");
    EXPECT_THAT(rows(), Contains("Returner|C:\\new.exe|||11|0"));
    EXPECT_EQ(get(kMachine, kStoreRun, "Returner"), "C:\\r.exe");
}

TEST_F(Startup, LocationTexts) {
    put(kUser, kRun, "User", "C:\\u.exe");
    put(kUser, std::string(kRunOnce) + "\\Setup", "Setup", "C:\\s.exe");
    fake.win_ini("load", "C:\\load.exe");
    put(kMachine, kWindowsNtKey, "AppInit_Dlls", "C:\\b.dll");
    EnumerateStartups(app, false);
    AddItem(app, "Task", "C:\\t.exe", "", "", code::scheduled_task, 0);
    AddItem(app, "Hidden", "C:\\h.exe", "", "", code::hidden_file, 0);
    Rows texts;
    for (size_t i = 0; i < app.items.count() + 1; ++i) texts.push_back(LocationText(app, i));
    EXPECT_EQ(texts, (Rows{"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                           "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup", "WIN.INI     [Load] Section",
                           "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows  AppInit_DLLs",
                           "Windows Task Scheduler", "", ""}));
}

// ---- Switching off and on, removing, restoring ----
// What every switch, removal and restore does to each kind of entry, with and without faults, is checked by
// the fault sweep (reliability_test.cpp); these are the rules beside it.

TEST_F(Startup, SwitchingOffNeitherOverwritesAnotherCopyNorInventsAnEntry) {
    put(kMachine, kStoreRun, "Twin", "C:\\first.exe");  // a copy without a marker
    put(kUser, kRun, "Twin", "C:\\second.exe");
    EXPECT_EQ(ToggleStartupEntry(app, "Twin", "C:\\second.exe", "", 11), 0);
    EXPECT_EQ(get(kMachine, kStoreRun, "Twin"), "C:\\first.exe");
    EXPECT_EQ(get(kUser, kRun, "Twin"), "C:\\second.exe");
    // A Notify title without its subkey.
    EXPECT_EQ(ToggleStartupEntry(app, "Ghost", "C:\\ghost.dll", "", 256), 0);
    EXPECT_FALSE(fake.registry.has_key(kMachine, std::string(kNotifyKey) + "\\Ghost"));
}

TEST_F(Startup, RemovalRecordsHistoryOnlyWhenSomethingWasRemovedAndSparesShortcutTargets) {
    put(kUser, kRun, "Bye", "C:\\bye.exe");
    EXPECT_EQ(RemoveStartupEntry(app, "Bye", "C:\\bye.exe", "", 11), 1);
    EXPECT_THAT(history(), ::testing::HasSubstr("\t*START_Remove\tCURRENT_RUN\tBye\tC:\\bye.exe\t\r\n"));
    const std::string before = history();
    EXPECT_EQ(RemoveStartupEntry(app, "Bye", "C:\\bye.exe", "", 11), 0);
    put(kUser, kRun, "Own", "C:\\Sentrix\\sentrix.exe");
    EXPECT_EQ(RemoveStartupEntry(app, "Own", "C:\\Sentrix\\sentrix.exe", "", 11), 1);
    EXPECT_EQ(history(), before);
    // The setup and policy keys of the 32-bit view have no store, but their values can be removed.
    put(kMachine, "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup", "Wow Setup", "C:\\ws.exe");
    EXPECT_EQ(ToggleStartupEntry(app, "Wow Setup", "C:\\ws.exe", "", 26), 0);
    EXPECT_EQ(RemoveStartupEntry(app, "Wow Setup", "C:\\ws.exe", "", 26), 1);
    // Removing a gone shortcut never deletes its target.
    fake.program("C:\\apps\\target.exe");
    EXPECT_EQ(RemoveStartupEntry(app, "Gone", "C:\\apps\\target.exe", kUserLink + "Gone.lnk", 200), 1);
    EXPECT_TRUE(fake.files.exists("C:\\apps\\target.exe"));
    // Without a location the command names the file in the folder itself.
    fake.files.add_file(kUserLink + "old.pif").attributes = platform::attr::readonly;
    EXPECT_EQ(RemoveStartupEntry(app, "old", kUserLink + "old.pif", "", 200), 1);
    EXPECT_FALSE(fake.files.exists(kUserLink + "old.pif"));
}

TEST_F(Startup, SpecialEntries) {
    put(kMachine, kWinlogonKey, "Shell", "Explorer.exe C:\\evil.exe");
    EXPECT_EQ(RemoveStartupEntry(app, "Winlogon Shell", "C:\\evil.exe", "", 251), 1);
    EXPECT_EQ(get(kMachine, kWinlogonKey, "Shell"), "Explorer.exe");
    EXPECT_TRUE(fake.prompts.asked.empty());
    EXPECT_THAT(history(), ::testing::HasSubstr("RESET_SHELL"));
    put(kMachine, kWinlogonKey, "Userinit", "userinit.exe,C:\\evil.exe");
    EXPECT_EQ(RemoveSpecialEntry(app, "Winlogon Userinit", "C:\\evil.exe", "", 250), 1);
    EXPECT_EQ(get(kMachine, kWinlogonKey, "Userinit"), "C:\\windows\\system32\\Userinit.exe,");

    // AppInit DLLs and the scheduler go only after the user confirms.
    put(kMachine, kWindowsNtKey, "AppInit_Dlls", "C:\\a.dll,C:\\b.dll  C:\\c.dll");
    fake.prompts.answers = {false, true};
    EXPECT_EQ(RemoveStartupEntry(app, "b", "C:\\b.dll", "", 255), 1);
    EXPECT_EQ(get(kMachine, kWindowsNtKey, "AppInit_Dlls"), "C:\\a.dll,C:\\b.dll  C:\\c.dll");
    EXPECT_EQ(RemoveStartupEntry(app, "b", "C:\\b.dll", "", 255), 1);
    EXPECT_EQ(get(kMachine, kWindowsNtKey, "AppInit_Dlls"), "C:\\a.dll,C:\\c.dll");
    put(kMachine, kTaskSchedulerKey, "{1}", "Scheduler Thing");
    EXPECT_EQ(RemoveStartupEntry(app, "Scheduler Thing", "C:\\t.dll", "{1}", 253), 1);
    EXPECT_FALSE(has(kMachine, kTaskSchedulerKey, "{1}"));
    EXPECT_EQ(RestoreStartupEntry(app, "Scheduler Thing", "C:\\t.dll", "{1}", 253), 1);
    EXPECT_EQ(get(kMachine, kTaskSchedulerKey, "{1}"), "Scheduler Thing");
}

TEST_F(Startup, RestoreWritesEntriesBack) {
    EXPECT_EQ(RestoreStartupEntry(app, "Back", "C:\\back.exe -q", "", 11), 1);
    EXPECT_EQ(get(kUser, "Software\\Orvane\\Sentrix\\Run", "C:\\back.exe -q"), "11");
    EXPECT_EQ(RestoreStartupEntry(app, "Nope", "C:\\x.exe", "", 600), 0);
    fake.program("C:\\apps\\tool.exe");
    const std::string link = kUserLink + "Tool.lnk";
    EXPECT_EQ(RestoreStartupEntry(app, "Tool", "C:\\apps\\tool.exe -min", link, 200), 1);
    std::optional<platform::Shortcut> made = fake.shell.read_shortcut(link);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->target + "|" + made->arguments + "|" + made->description + "|" + made->working_folder,
              "C:\\apps\\tool.exe|-min|Tool|C:\\apps");
    // A file at the place is kept.
    fake.files.write(link, "user's own file");
    EXPECT_EQ(RestoreStartupEntry(app, "Tool", "C:\\apps\\tool.exe", link, 200), 1);
    EXPECT_EQ(fake.files.content(link), "user's own file");
}

TEST_F(Startup, ListsThatWouldNotFitAreNotCut) {
    // One more DLL would not fit; a list too long to read is not replaced by the one DLL.
    for (const std::string& list : {std::string(250, 'a'), std::string(1100, 'b')}) {
        put(kMachine, kWindowsNtKey, "AppInit_Dlls", list);
        EXPECT_FALSE(add_appinit_dll(app, "C:\\new.dll"));
        EXPECT_EQ(get(kMachine, kWindowsNtKey, "AppInit_Dlls"), list);
    }
    // A win.ini line too long to read whole is not written back cut.
    const std::string huge = "C:\\x.exe;" + std::string(40000, 'y');
    fake.win_ini("run", huge);
    EXPECT_FALSE(remove_from_win_ini(app, "run", "C:\\x.exe"));
    EXPECT_FALSE(add_to_win_ini(app, "run", "C:\\z.exe"));
    EXPECT_EQ(get(kUser, fake::FakeProfile::kWindowsSectionKey, "run"), huge);
}

TEST_F(Startup, DeleteOnReboot) {
    fake.files.add_file("C:\\bad\\adware.exe");
    EXPECT_EQ(DeleteOnReboot(app, "C:\\bad\\adware.exe"), 1);
    EXPECT_EQ(fake.files.reboot_deletions, Rows{"C:\\bad\\adware.exe"});
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

// ---- Delayed start, running programs, maintenance ----
// The update option, the address prefix and "-Restore" are checked end to end under Wine
// (tests/e2e/command_line_test.cpp).

TEST_F(Startup, DelayedRestoreWritesProgramsBackBeforeDeletingTheirRecords) {
    fake.program("C:\\apps\\tool.exe");
    record(kUser, "C:\\apps\\run.exe", "11", "Runner", "-quiet");
    record(kUser, "C:\\apps\\tool.exe", "200", "Tool", "-min", "", kUserLink + "Tool.lnk");
    record(kMachine, "C:\\apps\\hosted.dll", "1", "Hosted", "", "C:\\windows\\system32\\rundll32.exe");
    record(kMachine, "C:\\apps\\wow.exe", "21", "Wow");
    EXPECT_EQ(RestoreAllDelayed(app), 4);
    EXPECT_EQ(get(kUser, kRun, "Runner"), "C:\\apps\\run.exe -quiet");
    EXPECT_EQ(get(kMachine, kRun, "Hosted"), "C:\\windows\\system32\\rundll32.exe C:\\apps\\hosted.dll");
    EXPECT_EQ(get(kMachine, kWow64RunKey, "Wow"), "C:\\apps\\wow.exe");
    std::optional<platform::Shortcut> link = fake.shell.read_shortcut(kUserLink + "Tool.lnk");
    ASSERT_TRUE(link);
    EXPECT_EQ(link->target + " " + link->arguments, "C:\\apps\\tool.exe -min");
    for (std::string_view command : {"C:\\apps\\run.exe", "C:\\apps\\tool.exe"}) {
        EXPECT_FALSE(has(kUser, kDelayKey, command));
        EXPECT_FALSE(has(kUser, std::string(kDelayKey) + "\\Parameters", command));
    }
    EXPECT_FALSE(has(kMachine, kDelayKey, "C:\\apps\\wow.exe"));
}

TEST_F(Startup, ADelayedRecordThatCannotBeWrittenBackStays) {
    record(kUser, "C:\\apps\\run.exe", "11", "Runner");
    record(kUser, "C:\\apps\\odd.exe", "600", "Odd");
    fake.registry.faults.fail_when([](std::string_view op, std::string_view subject) {
        return op == "registry.set" && subject.find("CurrentVersion\\Run") != std::string_view::npos;
    });
    EXPECT_EQ(RestoreAllDelayed(app), 0);
    EXPECT_TRUE(has(kUser, kDelayKey, "C:\\apps\\run.exe"));
    EXPECT_TRUE(has(kUser, kDelayKey, "C:\\apps\\odd.exe"));
    EXPECT_TRUE(has(kUser, std::string(kDelayKey) + "\\Title", "C:\\apps\\run.exe"));
}

TEST_F(Startup, ListsEachRunningProgramOnce) {
    fake.program("C:\\apps\\busy.exe", {"Busy Product", "Acme", "Busy Worker"});
    const uint32_t first = fake.processes.start("C:\\apps\\busy.exe");
    for (const char* file : {"c:\\APPS\\busy.exe", "", "services.exe"}) fake.processes.start(file);
    EXPECT_EQ(ListProcesses(app), 2);
    const auto& e = app.items.entries();
    EXPECT_EQ(e[0].title + "|" + e[0].command + "|" + std::to_string(e[0].type), "Busy Worker|C:\\APPS\\BUSY.EXE|600");
    EXPECT_EQ(e[0].flag, static_cast<int>(first));
    EXPECT_EQ(e[1].title + "|" + e[1].command, "SERVICES|SERVICES.EXE");
}

TEST_F(Startup, FindsAndStopsTheProgramOfACommand) {
    const uint32_t pid = fake.processes.start("C:\\apps\\busy.exe");
    fake.processes.start("C:\\windows\\system32\\helper.exe");
    EXPECT_EQ(FindProcessOf(app, "\"C:\\apps\\busy.exe\" -x"), pid);
    EXPECT_NE(FindProcessOf(app, "helper.exe"), 0u);
    EXPECT_EQ(FindProcessOf(app, "C:\\apps\\idle.exe"), 0u);

    fake.prompts.answers = {false};
    EXPECT_EQ(StopProgram(app, "C:\\apps\\busy.exe", "Busy", true), 0u);
    EXPECT_TRUE(fake.processes.running(pid));
    EXPECT_THAT(fake.prompts.asked,
                ::testing::ElementsAre(::testing::HasSubstr("Busy is currently an actively running program.")));
    // A stop that fails is not recorded.
    fake.processes.faults.fail_nth("processes.terminate", 0);
    EXPECT_EQ(StopProgram(app, "C:\\apps\\busy.exe", "", false), 0u);
    EXPECT_FALSE(fake.files.exists(kHistory));
    EXPECT_EQ(StopProgram(app, "C:\\apps\\busy.exe", "", false), pid);
    EXPECT_FALSE(fake.processes.running(pid));
    EXPECT_THAT(history(), ::testing::HasSubstr("\tTASK_Kill\tINFO_TASK\t\tC:\\apps\\busy.exe\t"));
    // Nothing runs: nothing asked, nothing recorded.
    const std::string before = history();
    EXPECT_EQ(StopProgram(app, "C:\\apps\\busy.exe", "Busy", true), 0u);
    EXPECT_EQ(history(), before);
    EXPECT_EQ(fake.prompts.asked.size(), 1u);
}

TEST_F(Startup, MaintenanceAndProcessState) {
    EXPECT_TRUE(app::set_autorun(app, true));
    EXPECT_TRUE(app.express_boot);
    const std::string command = "\"C:\\Program Files\\Sentrix\\sentrix.exe\" -expressboot";
    EXPECT_EQ(get(kMachine, kRun, "Sentrix"), command);
    EXPECT_EQ(get(kUser, "Software\\Orvane\\Sentrix\\Run", command), "1");
    // The value is listed under the caption that replaces "Sentrix" titles, so the removals name it.
    put(kMachine, kRun, "Sentrix System Monitor", "C:\\Program Files\\Sentrix\\Sentrix.exe");
    fake.registry.remove_value(kMachine, kRun, "Sentrix");
    EXPECT_TRUE(app::set_autorun(app, false));
    EXPECT_FALSE(app.express_boot);
    EXPECT_FALSE(has(kMachine, kRun, "Sentrix System Monitor"));
    EXPECT_FALSE(app::set_autorun(app, false));
    // Stale prefetch files go, and only those.
    fake.files.add_file("C:\\windows\\Prefetch\\SENTRIXUSB.EXE-1234.pf");
    fake.files.add_file("C:\\windows\\Prefetch\\OTHER.EXE-1.pf");
    fake.files.add_folder("C:\\windows\\Prefetch\\SentrixUSB.exe-dir");
    app::delete_stale_prefetch(app);
    EXPECT_FALSE(fake.files.exists("C:\\windows\\Prefetch\\SENTRIXUSB.EXE-1234.pf"));
    EXPECT_TRUE(fake.files.exists("C:\\windows\\Prefetch\\OTHER.EXE-1.pf"));
    EXPECT_TRUE(fake.files.exists("C:\\windows\\Prefetch\\SentrixUSB.exe-dir"));
    // The process state takes the language and the 32-bit view.
    EXPECT_EQ(app::language_id_of("DE"), 7);
    EXPECT_EQ(app::language_id_of("xx"), 0);
    app::initialise_process_state(app);
    EXPECT_EQ(app.language_id, 9);
    EXPECT_FALSE(app.wow64);
    fake.registry.create_key(kMachine, kWow64RunKey);
    app::initialise_process_state(app);
    EXPECT_TRUE(app.wow64);
}

// ---- The history file ----

TEST_F(Startup, HistoryAppendsOnlyWhileItIsOnAndParsesAsTheDialogLists) {
    app.settings.history = 0;
    EXPECT_EQ(AppendHistory(app, "T", "C:\\t.exe", "", 11, event::start_remove), 0);
    EXPECT_FALSE(fake.files.exists(kHistory));
    app.settings.history = 1;
    fake.system.clock = {2026, 3, 5, 0, 7, 0};
    EXPECT_EQ(AppendHistory(app, "T", "C:\\t.exe", "loc", 11, event::start_remove), 1);
    fake.system.clock = {2026, 12, 31, 12, 30, 0};
    EXPECT_EQ(AppendHistory(app, "U", "C:\\u.exe", "", 16, 12), 1);
    fake.system.clock = {2026, 1, 2, 23, 59, 0};
    EXPECT_EQ(AppendHistory(app, "V", "C:\\v.exe", "", 600, 27), 1);
    EXPECT_EQ(history(), "03/05/2026  12:07 AM\t*START_Remove\tCURRENT_RUN\tT\tC:\\t.exe\tloc\r\n"
                         "12/31/2026  12:30 PM\tSERVICE_Disabled\tTYPE_UNKNOWN\tU\tC:\\u.exe\t\r\n"
                         "01/02/2026  11:59 PM\t\tINFO_TASK\tV\tC:\\v.exe\t\r\n");
    EXPECT_EQ(history_date(app, {0, 0, 0, 5, 5, 0}), "Never");
    // One record is one line of at most 1023 bytes, whatever its fields.
    fake.files.remove(kHistory);
    AppendHistory(app, std::string(2000, 't'), "C:\\t.exe", "", 11, event::start_remove);
    EXPECT_EQ(history().size(), 1023u);
    EXPECT_EQ(history().substr(1021), "\r\n");
    // Records are parsed as the dialog lists them.
    const std::vector<HistoryRecord> r = parse_history(
        "03/05/2026  12:07 AM\t*START_Remove\tCURRENT_RUN\tTitle\tC:\\t.exe\tC:\\loc.lnk\r\n"
        "bad date that is far too long for the field\tstart_enable\tnot a type\t\t\r\n"
        "only\ttwo\n"
        "x\t*HIDDEN_DeleteFile\tTYPE_HIDDEN\t" + std::string(128, 'T') + "\t" + std::string(260, 'c') + "\t\n"
        "last line without a line feed\t*START_Remove\tWIN_RUN\tz\tC:\\z.exe\t");
    ASSERT_EQ(r.size(), 4u);
    Rows fields;
    for (const HistoryRecord& h : r) {
        fields.push_back(h.date + "|" + std::to_string(h.event) + "|" + std::to_string(h.type) + "|" + h.title + "|" +
                         h.command + "|" + h.location);
    }
    // 128 characters are too many for a title, 260 for a command.
    EXPECT_EQ(fields, (Rows{"03/05/2026  12:07 AM|0|11|Title|C:\\t.exe|C:\\loc.lnk", "|2|3000|||", "only|31|3000|||",
                            "x|29|370|||"}));
    EXPECT_TRUE(parse_history("a\tb\tc\td\te\tf\rg\th\ti\tj\tk\tl\r").empty());
    EXPECT_TRUE(parse_history(std::string("\0\0\0\xff\xfe", 5)).empty());
    // Only the records wholly inside the read limit are listed.
    const std::string line = "01/01/2026  1:00 AM\t*START_Remove\tCURRENT_RUN\tT\tC:\\t.exe\t\r\n";
    std::string big;
    while (big.size() + line.size() <= kHistoryReadLimit) big += line;
    EXPECT_EQ(parse_history(big + line).size(), big.size() / line.size());
}

TEST_F(Startup, HistoryListUndoAndClear) {
    fake.files.write(kHistory, "d\t*START_Remove\tCURRENT_RUN\tBack Again\tC:\\back.exe\t\r\n"
                               "d\tTASK_Kill\tINFO_TASK\tKilled\tC:\\k.exe\t\r\n"
                               "d\tIEHELPER_Remove\tTYPE_BHO\tHelper\tC:\\Program Files\\h.dll\t\r\n"
                               "d\t*START_Remove\tTYPE_UNKNOWN\tStrange\tC:\\s.exe\t\r\n"
                               "d\t*START_Remove\tCURRENT_RUN\tOff\tC:\\off.exe\t\tStartupApproved:0301020304\r\n"
                               "e\t*START_Remove\tCURRENT_RUN\t\tC:\\dir\\named.exe\t\r\n");
    EXPECT_EQ(LoadHistoryList(app), 6);
    EXPECT_EQ(last().title + "|" + last().description + "|" + std::to_string(last().flag), "named|e|0");
    EXPECT_EQ(inventory::UndoHistoryRecord(app, 0), 1);
    EXPECT_EQ(get(kUser, kRun, "Back Again"), "C:\\back.exe");
    EXPECT_EQ(inventory::UndoHistoryRecord(app, 0), 1);  // a second undo writes it again
    EXPECT_EQ(inventory::UndoHistoryRecord(app, 1), 0);
    EXPECT_EQ(inventory::UndoHistoryRecord(app, 2), 1);
    EXPECT_EQ(fake.shell.calls, Rows{"run|C:\\windows\\system32\\regsvr32.exe /s \"C:\\Program Files\\h.dll\""});
    EXPECT_EQ(inventory::UndoHistoryRecord(app, 3), 0);
    EXPECT_EQ(inventory::UndoHistoryRecord(app, 9), 0);
    EXPECT_EQ(inventory::UndoHistoryRecord(app, 4), 1);  // Windows' own switch comes back as the record kept it
    EXPECT_EQ(get(kUser, std::string(kApprovedKey) + "\\Run", "Off"), "\x03\x01\x02\x03\x04");
    fake.files.set_attributes(kHistory, platform::attr::readonly);
    EXPECT_TRUE(clear_history_file(app));
    EXPECT_FALSE(fake.files.exists(kHistory));
    EXPECT_EQ(LoadHistoryList(app), 0);
}

// A switch value too short to tell the time is off all the same; one that is empty, too long or not binary
// is no switch, and nor is a history record's that is not hex bytes.
TEST_F(Startup, WindowsSwitchValues) {
    using platform::reg_type::binary;
    const std::optional<WindowsSwitch> short_one = parse_switch({"v", binary, "\x03"});
    EXPECT_TRUE(short_one && short_one->off && short_one->since == 0);
    const std::pair<uint32_t, std::string> kNoSwitch[] = {{binary, ""}, {binary, std::string(65, '\x03')},
                                                          {platform::reg_type::sz, "\x03"}};
    for (const auto& [type, bytes] : kNoSwitch) EXPECT_FALSE(parse_switch({"v", type, bytes})) << bytes.size();
    for (const std::string& bad : Rows{"StartupApproved:03A", "StartupApproved:0G", "StartupApproved:", "Other:03",
                                       "StartupApproved:" + std::string(130, '0')}) {
        EXPECT_EQ(switch_from_record(bad), std::nullopt) << bad;
    }
}

// ---- The item list ----

TEST_F(Startup, ItemsCutFieldsLoseQuotesTakeLongPathsAndDeriveTitles) {
    const std::string app_exe = "C:\\Program Files\\Vendor\\App.exe", short_exe = "C:\\PROGRA~1\\VENDOR\\APP.EXE";
    fake.files.add_file(app_exe);
    fake.files.add_short_name(app_exe, short_exe);
    app.caption = "SentrixToGo Zentra";
    // A title of 128 characters is cut: the field holds 127. Commands under four characters keep their form,
    // the location follows the command's length, and a long-path lookup that fails keeps the text. A derived
    // title drops the last four characters of the file name, whatever they are.
    const struct {
        std::string title, command, location, listed_title, listed_command, listed_location;
    } cases[] = {
        {std::string(128, 't'), std::string(300, 'c'), std::string(300, 'l'), std::string(127, 't'),
         std::string(259, 'c'), std::string(259, 'l')},
        {"t", "\"" + short_exe + "\"", short_exe, "t", app_exe, app_exe}, {"t", "\"a~\"", short_exe, "t", "a~", short_exe},
        {"t", "C:\\MISSIN~1\\X.EXE", "", "t", "C:\\MISSIN~1\\X.EXE", ""}, {"t", "\"\"\"\"", "", "t", "", ""},
        {"", "C:\\tools\\abc.exe -x", "", "abc.ex", "C:\\tools\\abc.exe -x", ""},
        {"", "C:\\tools\\abc.exe", "", "abc", "C:\\tools\\abc.exe", ""}, {"", "ab", "", "", "ab", ""},
        {"my sentrix helper", "x.exe", "", "SentrixToGo Zentra", "x.exe", ""},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(AddItem(app, c.title, c.command, c.location, std::string(2000, 'd'), 11, 0), 1);
        EXPECT_EQ(std::tie(last().title, last().command, last().location, last().description),
                  std::make_tuple(c.listed_title, c.listed_command, c.listed_location, std::string(1023, 'd')))
            << c.command;
    }
}

TEST_F(Startup, ItemsRefuseThe4097thRecordAndCookiesOverTheLimit) {
    for (int i = 0; i < 4096; ++i) ASSERT_EQ(AddItem(app, "t", "c", "", "", 1, i), 1);
    EXPECT_EQ(AddItem(app, "t", "c", "", "", 1, 0), 0);
    EXPECT_EQ(app.items.count(), 4096u);
    EXPECT_EQ(app.items.at(4095)->flag, 4095);
    ClearItems(app);
    EXPECT_EQ(app.items.at(0), nullptr);
    app.settings.max_cookie = 2;
    for (auto [name, type, added] : {std::tuple{"a", 500, 1}, {"b", 500, 1}, {"c", 500, 0}, {"d", 600, 1}}) {
        EXPECT_EQ(AddItem(app, name, "c", "", "", type, 0), added) << name;
    }
}

}  // namespace
}  // namespace sx::startup
