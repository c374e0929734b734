// The startup catalogue on the fake platform: what each location contributes, what is skipped, and
// the texts the list shows for it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/state.h"
#include "startup/catalogue.h"
#include "startup/item_list.h"
#include "startup/type_codes.h"
#include "tests/support/fake_platform.h"

namespace sx::startup {
namespace {

using platform::Root;

constexpr std::string_view kHklmRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view kHklmRunOnce = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr std::string_view kHkcuRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view kWowRun = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

struct Row {
    std::string title, command, location, description;
    int type, flag;
    bool operator==(const Row&) const = default;
};

void PrintTo(const Row& r, std::ostream* os) {
    *os << "{" << r.title << " | " << r.command << " | " << r.location << " | " << r.description << " | " << r.type
        << " | " << r.flag << "}";
}

class Catalogue : public ::testing::Test {
protected:
    fake::FakePlatform fake;
    AppState app{fake.os};

    void SetUp() override {
        app.caption = "SentrixToGo Zentra";
        fake.shell_folders();
    }

    std::vector<Row> rows(bool filtered = false) {
        EnumerateStartups(app, filtered);
        std::vector<Row> out;
        for (const StartupEntry& e : app.items.entries()) {
            out.push_back({e.title, e.command, e.location, e.description, e.type, e.flag});
        }
        return out;
    }
    std::vector<Row> rows_of_type(int type, bool filtered = false) {
        std::vector<Row> out;
        for (const Row& r : rows(filtered)) {
            if (r.type == type) out.push_back(r);
        }
        return out;
    }
};

TEST_F(Catalogue, RunValuesOfEveryHiveWithTheirCodes) {
    fake.registry.put_text(Root::local_machine, kHklmRun, "Machine", "C:\\m.exe /x");
    fake.registry.put_text(Root::local_machine, kHklmRunOnce, "Once", "C:\\once.exe");
    fake.registry.put_text(Root::current_user, kHkcuRun, "User", "\"C:\\Program Files\\u.exe\" -min");
    fake.registry.put_text(Root::current_user, "Software\\Microsoft\\Windows\\CurrentVersion\\policies\\Explorer\\Run", "Pol",
                "C:\\p.exe");
    fake.registry.put_text(Root::local_machine, kWowRun, "Wow", "C:\\w32.exe");
    EXPECT_EQ(rows(), (std::vector<Row>{{"Machine", "C:\\m.exe /x", "", "", 1, 0},
                                        {"Once", "C:\\once.exe", "", "", 2, 0},
                                        {"User", "C:\\Program Files\\u.exe -min", "", "", 11, 0},
                                        {"Pol", "C:\\p.exe", "", "", 17, 0}}));
    // The 32-bit view is walked only when its Run key opened at start.
    app.wow64 = true;
    EXPECT_EQ(rows_of_type(21), (std::vector<Row>{{"Wow", "C:\\w32.exe", "", "", 21, 0}}));
}

TEST_F(Catalogue, RunValuesTheProgramSkips) {
    fake.registry.put_text(Root::current_user, kHkcuRun, "A", "C:\\short-name.exe");         // one-character name
    fake.registry.put_text(Root::current_user, kHkcuRun, "Four", "a.ex");                     // four characters of data
    fake.registry.put_text(Root::current_user, kHkcuRun, "\xE9t\xE9", "C:\\accent.exe");      // first byte of 128 and above
    fake.registry.put_text(Root::current_user, kHkcuRun, "", "C:\\default.exe");              // the default value
    fake.registry.put_dword(Root::current_user, kHkcuRun, "Dword", 0x41414141);
    fake.registry.set(Root::current_user, kHkcuRun, "Binary", platform::reg_type::binary, "C:\\binary.exe");
    fake.registry.put_text(Root::current_user, kHkcuRun, "Huge", std::string(600, 'x'));     // longer than the buffer
    fake.registry.put_text(Root::current_user, kHkcuRun, "Quotes", "\"\"\"\"\"");              // only quotes
    fake.registry.put_text(Root::current_user, kHkcuRun, "Kept", "C:\\kept.exe");
    fake.registry.put_text(Root::current_user, kHkcuRun, "Expand", "%SystemRoot%\\e.exe", platform::reg_type::expand_sz);
    const std::vector<Row> listed = rows();
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0], (Row{"Expand", "%SystemRoot%\\e.exe", "", "", 11, 0}));
    EXPECT_EQ(listed[1], (Row{"Kept", "C:\\kept.exe", "", "", 11, 0}));
    // Five quotes are five characters of data; without them the command is empty.
    EXPECT_EQ(listed[2], (Row{"Quotes", "", "", "", 11, 0}));
}

TEST_F(Catalogue, Rundll32CommandsCarryTheirDllAndFlag) {
    fake.registry.put_text(Root::current_user, kHkcuRun, "Plain", "RUNDLL32.EXE shell.dll,Start");
    fake.registry.put_text(Root::current_user, kHkcuRun, "Pathed", "C:\\windows\\system32\\rundll32.exe C:\\x\\y.dll,Go");
    fake.registry.put_text(Root::current_user, kHkcuRun, "Bare", "xxRUNDLL32.EXE");
    EXPECT_EQ(rows(), (std::vector<Row>{{"Bare", "", "", "", 11, 1},
                                        {"Pathed", "C:\\x\\y.dll,Go", "", "", 11, 1},
                                        {"Plain", "shell.dll,Start", "", "", 11, 1}}));
    std::string command;
    EXPECT_FALSE(rundll32_command("C:\\run.exe", command));
    // The name without a "3" where RUNDLL32's is: no position fits.
    EXPECT_TRUE(rundll32_command("RUNDLL32.EXE", command));
    EXPECT_EQ(command, "");
}

TEST_F(Catalogue, AdjacentRepeatsAcrossKeysAreListedOnce) {
    // Registry values enumerate sorted here: "Zed" is the last of Run, "Zed" the first of RunOnce.
    fake.registry.put_text(Root::local_machine, kHklmRun, "Zed", "C:\\zed.exe");
    fake.registry.put_text(Root::local_machine, kHklmRunOnce, "zed", "C:\\ZED.EXE");
    EXPECT_EQ(rows().size(), 1u);
    // The same pair with another value between them is listed twice.
    fake.registry.put_text(Root::local_machine, kHklmRunOnce, "Zoo", "C:\\zoo.exe");
    fake.registry.put_text(Root::local_machine, kHklmRunOnce, "Zed", "C:\\zed.exe");
    fake.registry.put_text(Root::local_machine, kHklmRun, "Zz", "C:\\between.exe");
    EXPECT_EQ(rows().size(), 4u);
}

TEST_F(Catalogue, StartupFolderFiles) {
    fake.program("C:\\apps\\tool.exe", {"Tool Product", "Acme", "Tool Description"});
    fake.program("C:\\apps\\plain.exe", {"Plain Product", "Acme", ""});
    std::string user(fake::FakePlatform::kUserStartup);
    std::string common(fake::FakePlatform::kCommonStartup);
    fake.shortcut(user + "\\Described.lnk", "C:\\apps\\tool.exe", "My description");
    fake.shortcut(user + "\\Tool.lnk", "C:\\apps\\tool.exe");
    fake.shortcut(common + "\\Plain.lnk", "C:\\apps\\plain.exe");
    fake.files.add_file(user + "\\Broken.lnk", "not a shortcut");
    fake.shortcut(user + "\\Dangling.lnk", "C:\\apps\\gone.exe", "Target is gone");
    fake.program(user + "\\direct.exe", {"Direct Product", "Acme", ""});
    fake.files.add_file(user + "\\readme.txt");
    fake.files.add_file(user + "\\desktop.ini");
    fake.files.add_file(user + "\\.hidden.exe");
    fake.files.add_folder(user + "\\Sub.exe");
    fake.files.set_attributes(user + "\\Sub.exe", platform::attr::readonly);  // a folder with more attributes
    // The same folder named by both hives is listed once.
    fake.registry.put_text(Root::local_machine, kShellFoldersKey, "Startup", user);

    // HKLM's folders come first; its "Startup" is the user's folder here.
    EXPECT_EQ(rows(), (std::vector<Row>{
                          {"My description", "C:\\apps\\tool.exe", user + "\\Described.lnk", "", 200, 0},
                          {"Direct Product", user + "\\direct.exe", user + "\\direct.exe", "", 200, 0},
                          {"readme", user + "\\readme.txt", "", "", 200, 0},
                          {"Tool Description", "C:\\apps\\tool.exe", user + "\\Tool.lnk", "", 200, 0},
                          {"Plain Product", "C:\\apps\\plain.exe", common + "\\Plain.lnk", "", 200, 0},
                      }));
}

TEST_F(Catalogue, WinIniItems) {
    fake.program("C:\\apps\\tool.exe", {"Tool Product", "Acme", ""});
    fake.win_ini("run", "C:\\apps\\tool.exe;;C:\\nothing.exe");
    fake.win_ini("load", "C:\\load.exe");
    EXPECT_EQ(rows(), (std::vector<Row>{{"Tool Product", "C:\\apps\\tool.exe", "", "", 101, 0},
                                        {"run", "C:\\nothing.exe", "", "", 101, 0},
                                        {"load", "C:\\load.exe", "", "", 100, 0}}));
}

TEST_F(Catalogue, DisabledStoreListsEntriesWithAValidMarker) {
    fake.registry.put_text(Root::local_machine, "Software\\Orvane\\Sentrix\\Disabled\\Run", "Gone Away", "C:\\g.exe");
    fake.registry.put_text(Root::local_machine, kDisabledKey, "Gone Away", "11");
    fake.registry.put_text(Root::local_machine, "Software\\Orvane\\Sentrix\\Disabled\\WinRun", "Old Run", "C:\\o.exe");
    fake.registry.put_text(Root::local_machine, kDisabledKey, "Old Run", "101");
    fake.registry.put_text(Root::local_machine, "Software\\Orvane\\Sentrix\\Disabled\\Run", "No Marker", "C:\\n.exe");
    fake.registry.put_text(Root::local_machine, "Software\\Orvane\\Sentrix\\Disabled\\Run", "Word Marker", "C:\\w.exe");
    fake.registry.put_text(Root::local_machine, kDisabledKey, "Word Marker", "eleven");
    fake.registry.put_text(Root::local_machine, kDisabledKey, "Marker Only", "12");
    fake.files.add_file("C:\\Program Files\\Sentrix\\Disabled\\Parked.txt");
    // A switched-off shortcut stays in sight even when its program is gone.
    fake.shortcut("C:\\Program Files\\Sentrix\\Disabled\\Orphan.lnk", "C:\\gone\\orphan.exe", "Orphan");
    EXPECT_EQ(rows(), (std::vector<Row>{
                          {"Gone Away", "C:\\g.exe", "", "", 11, 0},
                          {"Old Run", "C:\\o.exe", "", "", 101, 0},
                          {"Orphan", "C:\\gone\\orphan.exe", "C:\\Program Files\\Sentrix\\Disabled\\Orphan.lnk", "", 200, 0},
                          {"Parked", "C:\\Program Files\\Sentrix\\Disabled\\Parked.txt", "", "", 200, 0}}));
}

TEST_F(Catalogue, WinlogonValues) {
    fake.registry.put_text(Root::local_machine, kWinlogon, "Userinit", "C:\\windows\\system32\\userinit.exe,");
    fake.registry.put_text(Root::local_machine, kWinlogon, "Shell", "Explorer.exe");
    EXPECT_EQ(rows(), (std::vector<Row>{{"Winlogon Userinit", "C:\\windows\\system32\\userinit.exe", "", "", 250, 0},
                                        {"Winlogon Shell", "Explorer.exe", "", "", 251, 0}}));
    fake.registry.put_text(Root::local_machine, kWinlogon, "Userinit", "userinit.exe,  C:\\extra.exe,more");
    fake.registry.put_text(Root::local_machine, kWinlogon, "Shell", "Explorer.exe   C:\\other.exe");
    EXPECT_EQ(rows(), (std::vector<Row>{{"Winlogon Userinit", "C:\\extra.exe,more", "", "", 250, 0},
                                        {"Winlogon Shell", "C:\\other.exe", "", "", 251, 0}}));
    fake.registry.put_text(Root::local_machine, kWinlogon, "Userinit", "userinit.exe");
    fake.registry.put_text(Root::local_machine, kWinlogon, "Shell", "Explorer.exe ");
    EXPECT_EQ(rows(), (std::vector<Row>{{"Winlogon Shell", "Explorer.exe", "", "", 251, 0}}));
    // Outside the NT family there is no Winlogon.
    fake.system.os_version.platform = 1;
    EXPECT_TRUE(rows().empty());
}

TEST_F(Catalogue, SpecialLocations) {
    fake.program("C:\\dll\\delay.dll", {"Delay Product", "Acme", "Delay DLL", "1.2"});
    fake.program("C:\\dll\\app1.dll", {"App One", "Acme One", "", "3.0"});
    fake.clsid("{11111111-0000-0000-0000-000000000001}", "Delay Class", "C:\\dll\\delay.dll");
    fake.clsid("{22222222-0000-0000-0000-000000000002}", "Hook Class", "C:\\dll\\hook.dll");
    fake.registry.put_text(Root::local_machine, kDelayLoadKey, "DelayBraced", "{11111111-0000-0000-0000-000000000001}");
    fake.registry.put_text(Root::local_machine, kDelayLoadKey, "DelayBare", "11111111-0000-0000-0000-000000000001");
    fake.registry.put_text(Root::local_machine, kTaskSchedulerKey, "{22222222-0000-0000-0000-000000000002}", "");
    fake.registry.put_text(Root::local_machine, kShellHooksKey, "{22222222-0000-0000-0000-000000000002}", "Named Hook");
    fake.registry.put_text(Root::local_machine, kWindowsNtKey, "AppInit_Dlls", "C:\\dll\\app1.dll,C:\\b.dll  C:\\c.dll");
    fake.registry.put_text(Root::local_machine, std::string(kNotifyKey) + "\\NotifyOne", "DllName", "C:\\dll\\delay.dll");
    fake.registry.put_text(Root::local_machine, std::string(kNotifyKey) + "\\Empty", "DllName", "");

    EXPECT_EQ(rows(), (std::vector<Row>{
                          {"DelayBare", "C:\\dll\\delay.dll", "11111111-0000-0000-0000-000000000001", "1.2", 252, 0},
                          {"DelayBraced", "C:\\dll\\delay.dll", "{11111111-0000-0000-0000-000000000001}", "1.2", 252, 0},
                          {"Hook Class", "C:\\dll\\hook.dll", "{22222222-0000-0000-0000-000000000002}", "", 253, 0},
                          {"Named Hook", "C:\\dll\\hook.dll", "{22222222-0000-0000-0000-000000000002}", "", 254, 0},
                          {"App One", "C:\\dll\\app1.dll", "Acme One", "3.0", 255, 0},
                          {"b", "C:\\b.dll", "", "", 255, 0},
                          {"c", "C:\\c.dll", "", "", 255, 0},
                          {"NotifyOne", "C:\\dll\\delay.dll", "Delay DLL", "1.2", 256, 0},
                      }));
}

TEST_F(Catalogue, TheFilteredListHidesSpecialLocationsUntilAskedFor) {
    fake.registry.put_text(Root::local_machine, kWinlogon, "Shell", "Explorer.exe");
    fake.registry.put_text(Root::local_machine, kWindowsNtKey, "AppInit_Dlls", "C:\\b.dll");
    fake.registry.put_text(Root::current_user, kHkcuRun, "Kept", "C:\\kept.exe");
    EXPECT_EQ(rows(true).size(), 1u);
    app.settings.show_all_startup = 1;
    EXPECT_EQ(rows(true).size(), 3u);
}

TEST_F(Catalogue, AnEntryThatCameBackIsSwitchedOffAgain) {
    fake.registry.put_text(Root::local_machine, "Software\\Orvane\\Sentrix\\Disabled\\Run", "Returner", "C:\\r.exe");
    fake.registry.put_text(Root::local_machine, kDisabledKey, "Returner", "11");
    fake.registry.put_text(Root::current_user, kHkcuRun, "Returner", "C:\\r.exe");
    EXPECT_EQ(rows(), (std::vector<Row>{{"Returner", "C:\\r.exe", "", "", 11, 0}}));
    EXPECT_FALSE(fake.registry.has_value(Root::current_user, kHkcuRun, "Returner"));
    EXPECT_EQ(fake.registry.text(Root::local_machine, kDisabledKey, "Returner"), "11");

    // Back with another command: switching it off would overwrite the stored one, so it stays live.
    fake.registry.put_text(Root::current_user, kHkcuRun, "Returner", "C:\\new.exe");
    EnumerateStartups(app, false);
    EXPECT_TRUE(fake.registry.has_value(Root::current_user, kHkcuRun, "Returner"));
    EXPECT_EQ(fake.registry.text(Root::local_machine, "Software\\Orvane\\Sentrix\\Disabled\\Run", "Returner"), "C:\\r.exe");
    bool live_listed = false;
    for (const StartupEntry& e : app.items.entries()) live_listed = live_listed || e.command == "C:\\new.exe";
    EXPECT_TRUE(live_listed);
}

TEST_F(Catalogue, LocationTexts) {
    fake.registry.put_text(Root::current_user, kHkcuRun, "User", "C:\\u.exe");
    fake.registry.put_text(Root::current_user, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup", "Setup", "C:\\s.exe");
    fake.win_ini("load", "C:\\load.exe");
    fake.registry.put_text(Root::local_machine, kWindowsNtKey, "AppInit_Dlls", "C:\\b.dll");
    fake.registry.put_text(Root::local_machine, "Software\\Orvane\\Sentrix\\Disabled\\Run", "Off", "C:\\off.exe");
    fake.registry.put_text(Root::local_machine, kDisabledKey, "Off", "1");
    EnumerateStartups(app, false);
    std::vector<std::string> texts;
    for (size_t i = 0; i < app.items.count(); ++i) texts.push_back(LocationText(app, i));
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                         "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup",
                         "WIN.INI     [Load] Section",
                         " *    Disabled * HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                         "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows  AppInit_DLLs",
                     }));
    EXPECT_EQ(short_code_text(27), "x64_POLICY");
    EXPECT_EQ(short_code_text(35), "W_RUNSERVICESONCE");
    EXPECT_EQ(short_code_text(99), "");
    ClearItems(app);
    AddItem(app, "Task", "C:\\t.exe", "", "", code::scheduled_task, 0);
    AddItem(app, "Hidden", "C:\\h.exe", "", "", code::hidden_file, 0);
    EXPECT_EQ(LocationText(app, 0), "Windows Task Scheduler");
    EXPECT_EQ(LocationText(app, 1), "");
    EXPECT_EQ(LocationText(app, 7), "");
}

TEST_F(Catalogue, TheListStopsAt4096Entries) {
    for (int i = 0; i < 4100; ++i) {
        fake.registry.put_text(Root::current_user, kHkcuRun, "Entry" + std::to_string(10000 + i), "C:\\e" + std::to_string(i) + ".exe");
    }
    EXPECT_EQ(EnumerateStartups(app, false), 4096);
}

}  // namespace
}  // namespace sx::startup
