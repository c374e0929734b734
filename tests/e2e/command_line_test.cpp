// The command line and the page commands: which page the sheet opens on, the hand-off to a running
// instance, the quit option and the maintenance options that do their work and end without a window.
#include <ostream>
#include <string>

#include "e2e_support.h"

namespace sx::e2e::test {
namespace {

constexpr int kCmdUnknown = 6999;
constexpr char kAutoUpdateKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update";
constexpr char kUrlPrefixesKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\Prefixes";
constexpr char kUrlDefaultPrefixKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\DefaultPrefix";
constexpr char kContextMenuKey[] = "Software\\Classes\\exefile\\shell\\Sentrix Zentra";

struct Opening {
    const char* name;
    const char* arguments;
    const char* start_tab;  // the stored StartTab option, if any
    int command;            // a page command posted to the running program; 0: none
    int tab;
};
void PrintTo(const Opening& o, std::ostream* out) { *out << o.name; }

// Page commands reach a program that runs without its sheet ("-MONITOR"), as the monitor sends
// them. 6033 opens the last tab; commands naming no page of this build open the first.
constexpr Opening kOpenings[] = {
    {"Startup6026", "-MONITOR", nullptr, 6026, kStartupTab},
    {"ActiveTasks6029", "-MONITOR", nullptr, 6029, kActiveTasksTab},
    {"Options6033", "-MONITOR", nullptr, 6033, kOptionsTab},
    {"Delay6055", "-MONITOR", nullptr, 6055, kStartupTab},
    {"Cookies6028", "-MONITOR", nullptr, 6028, kStartupTab},
    {"ViewCookies6045", "-MONITOR", nullptr, 6045, kStartupTab},
    {"FileTypes6042", "-MONITOR", nullptr, 6042, kStartupTab},
    {"ActiveX6056", "-MONITOR", nullptr, 6056, kActiveXTab},
    {"IeHelpers6040", "-MONITOR", nullptr, 6040, kIeHelpersTab},
    {"ScheduledTasks6039", "-MONITOR", nullptr, 6039, kScheduledTasksTab},
    {"Services6038", "-MONITOR", nullptr, 6038, kServicesTab},
    {"StartTabOption", "", "6029", 0, kActiveTasksTab},
    {"StartTabBelowTheFirstPage", "", "6000", 0, kStartupTab},
    {"LastMatchingOptionWins", "-TASK -SERVICE", nullptr, 0, kActiveTasksTab},
    {"OptionInAnyCase", "-restart", nullptr, 0, kOptionsTab},
};

class Opens : public EndToEnd, public ::testing::WithParamInterface<Opening> {};

TEST_P(Opens, TheSheetOnItsTab) {
    const Opening& o = GetParam();
    if (o.start_tab) {
        ASSERT_TRUE(write_text(HKEY_CURRENT_USER, std::string(kSentrixKey) + "\\Options", "StartTab", o.start_tab));
    }
    Session s = open(o.arguments, o.command == 0);
    if (o.command) {
        ASSERT_EQ(find_sheet(s.process.id()), nullptr);
        ASSERT_TRUE(post_command(s.main, o.command));
        s.sheet = wait_sheet(s.process.id());
    }
    ASSERT_NE(s.sheet, nullptr);
    EXPECT_EQ(current_tab(s.sheet), o.tab);
    EXPECT_TRUE(IsWindowVisible(active_page(s.sheet)));
    quit(s);
}

INSTANTIATE_TEST_SUITE_P(Each, Opens, ::testing::ValuesIn(kOpenings),
                         [](const ::testing::TestParamInfo<Opening>& info) { return std::string(info.param.name); });

class CommandLine : public EndToEnd {};

// One running instance, first without its sheet and then with it, is handed what later instances
// and the monitor send; each later instance ends at once without a window of its own.
TEST_F(CommandLine, ARunningInstanceTakesTheCommandsOfLaterOnes) {
    ASSERT_TRUE(write_text(HKEY_LOCAL_MACHINE, kSentrixKey, "LString15", "an override"));
    ASSERT_TRUE(write_text(HKEY_CURRENT_USER, kSentrixKey, "xPos", "10"));
    ASSERT_TRUE(write_text(HKEY_CURRENT_USER, kSentrixKey, "dyPosAddFileType", "300"));
    ASSERT_TRUE(write_text(HKEY_LOCAL_MACHINE, kContextMenuKey, "", "Sentrix Zentra"));
    Session first = open("-MONITOR", false);
    ASSERT_NE(first.main, nullptr);
    ASSERT_TRUE(post_command(first.main, kCmdUnknown));
    run_without_window("-Restore");
    // Without a sheet, a page command would open one: "-MONITOR", the unknown command and "-Restore"
    // must not have sent one.
    EXPECT_FALSE(wait_until([&] { return find_sheet(first.process.id()) != nullptr; }, kQuietSpell));
    EXPECT_TRUE(first.process.running());
    EXPECT_FALSE(read_text(HKEY_LOCAL_MACHINE, kSentrixKey, "LString15"));
    EXPECT_FALSE(read_text(HKEY_CURRENT_USER, kSentrixKey, "xPos"));
    EXPECT_FALSE(read_text(HKEY_CURRENT_USER, kSentrixKey, "dyPosAddFileType"));
    EXPECT_FALSE(read_text(HKEY_LOCAL_MACHINE, kContextMenuKey, ""));
    // The delayed programs are back: a Run entry of the user with its parameters, one of the machine
    // behind its host program, a startup-folder shortcut.
    EXPECT_EQ(read_text(HKEY_CURRENT_USER, kRunKey, "NwUpdateDelayed"),
              std::string(demo::kNwUpdatePath) + " /silent /check");
    EXPECT_EQ(read_text(HKEY_LOCAL_MACHINE, kRunKey, "NwHelperDelayed"),
              std::string("C:\\windows\\system32\\rundll32.exe ") + demo::kNwHelperPath + ",StartHelper");
    EXPECT_TRUE(file_exists(user_startup_folder() + "\\Tailspin Launcher.lnk"));
    EXPECT_FALSE(read_text(HKEY_CURRENT_USER, std::string(kSentrixKey) + "\\Delay", demo::kNwUpdatePath));

    run_without_window("-task");
    first.sheet = wait_sheet(first.process.id());
    ASSERT_NE(first.sheet, nullptr) << "the running instance did not open the handed-off page";
    EXPECT_EQ(current_tab(first.sheet), kActiveTasksTab);

    // With the sheet open, a page command only brings it forward; 6028 also makes it topmost.
    run_without_window("-START");
    EXPECT_EQ(GetWindowLongA(first.sheet, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    for (int command : {6026, 6033, 6055, kCmdUnknown, kCmdMonitor, 6028}) {
        ASSERT_TRUE(post_command(first.main, command));
        ASSERT_TRUE(flush_posted(list_of(first.sheet)));
        EXPECT_EQ(find_sheet(first.process.id()), first.sheet) << command;
        EXPECT_EQ(current_tab(first.sheet), kActiveTasksTab) << command;
    }
    EXPECT_NE(GetWindowLongA(first.sheet, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    run_without_window("-quickly");  // -Q anywhere in the option
    expect_clean_exit(first.process);
    run_without_window("-Q");  // and with no instance running
}

// Each maintenance option writes what is stored, or its default, into the system and ends.
TEST_F(CommandLine, MaintenanceOptionsWriteTheSystemValues) {
    const DWORD three = 3;
    const DWORD four = 4;
    const BYTE bytes[] = {0xC8, 0x00};  // the first two bytes as signed bytes: -56 + 0
    struct { DWORD type; const void* data; DWORD size; DWORD written; } stored[] = {
        {REG_NONE, nullptr, 0, 0}, {REG_DWORD, &four, sizeof(four), 4}, {REG_BINARY, bytes, sizeof(bytes), DWORD(-56)}};
    for (const auto& c : stored) {
        SCOPED_TRACE(c.written);
        ASSERT_TRUE(write_value(HKEY_LOCAL_MACHINE, kAutoUpdateKey, "AUOptions", REG_DWORD, &three, sizeof(three)));
        if (c.data) { ASSERT_TRUE(write_value(HKEY_CURRENT_USER, kSentrixKey, "AUOptions", c.type, c.data, c.size)); }
        run_without_window("-AUOption");
        EXPECT_EQ(read_dword(HKEY_LOCAL_MACHINE, kAutoUpdateKey, "AUOptions"), c.written);
    }
    for (const char* prefix : {"", "https://"}) {
        SCOPED_TRACE(prefix);
        ASSERT_TRUE(write_text(HKEY_LOCAL_MACHINE, kUrlPrefixesKey, "www", "gopher://"));
        ASSERT_TRUE(write_text(HKEY_LOCAL_MACHINE, kUrlDefaultPrefixKey, "", "gopher://"));
        if (*prefix) { ASSERT_TRUE(write_text(HKEY_CURRENT_USER, kSentrixKey, "wwwPrefix", prefix)); }
        run_without_window("-SetPrefix");
        const std::string written = *prefix ? prefix : "http://";
        EXPECT_EQ(read_text(HKEY_LOCAL_MACHINE, kUrlPrefixesKey, "www"), written);
        EXPECT_EQ(read_text(HKEY_LOCAL_MACHINE, kUrlDefaultPrefixKey, ""), written);
    }
}

}  // namespace
}  // namespace sx::e2e::test
