// Switching startup entries off and on and removing them through the Startup Programs page, checked
// in the registry, in the file system and in the list the page shows afterwards.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "e2e_support.h"
#include "tools/demo/demo_data.h"

namespace sx::e2e::test {
namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunOnceExKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx";
constexpr char kPolicyRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\policies\\Explorer\\Run";
constexpr char kMarkerKey[] = "Software\\Orvane\\Sentrix\\Disabled";
constexpr char kDisabledRunKey[] = "Software\\Orvane\\Sentrix\\Disabled\\Run";
constexpr char kDelayLoadKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad";
constexpr int kWaitSeconds = 60;  // demo programs run this long unless stopped

// The context menu of an entry below the special locations, without a note file:
// Info, Explore Program Folder, Open Program Properties, Add, Move to Delayed Start Program List,
// (separator) Remove, Enable or Disable, Delete File on Reboot, (separator) and the common tail.
constexpr int kMenuRemove = 5;
constexpr int kMenuEnableOrDisable = 6;

constexpr int kRemoveButton = 1003;
constexpr int kWarningCommandText = 1177;
constexpr int kWarningFileText = 1179;

class ChangingEntries : public EndToEnd {
protected:
    static int row_of(HWND list, const std::string& title) { return find_row(read_rows(list), kTitle, title); }

    // Waits until the row titled `title` shows `type` in the Type column (or, for an empty `type`,
    // until no row has that title).
    static ::testing::AssertionResult row_shows(HWND list, const std::string& title, const std::string& type) {
        std::vector<Row> rows = wait_rows(list, [&](const std::vector<Row>& now) {
            const int row = find_row(now, kTitle, title);
            return type.empty() ? row < 0 : row >= 0 && now[static_cast<std::size_t>(row)][kType] == type;
        });
        const int row = find_row(rows, kTitle, title);
        if (type.empty() ? row < 0 : row >= 0 && rows[static_cast<std::size_t>(row)][kType] == type) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "\"" << title << "\" should " << (type.empty() ? "be gone" : "read " + type)
                                             << ":\n" << describe(rows);
    }

    static std::optional<std::string> run_value(HKEY root, const char* key, const std::string& name) {
        return read_text(root, key, name);
    }
};

TEST_F(ChangingEntries, DisableAndEnableARunEntryOfTheCurrentUser) {
    const std::string title = "WingtipHelper";
    const std::string command = demo::kWingtipHelperPath;
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    HWND list = list_of(s.sheet);

    ASSERT_TRUE(use_context_menu(list, {row_of(list, title)}, kMenuEnableOrDisable));
    ASSERT_TRUE(row_shows(list, title, kDisabledText));
    EXPECT_FALSE(run_value(HKEY_CURRENT_USER, kRunKey, title).has_value()) << "the live value must be gone";
    EXPECT_EQ(read_text(HKEY_LOCAL_MACHINE, kDisabledRunKey, title), std::optional<std::string>(command));
    EXPECT_EQ(read_text(HKEY_LOCAL_MACHINE, kMarkerKey, title), std::optional<std::string>("11"));
    EXPECT_EQ(other_dialog(s.process.id(), s.sheet), nullptr) << "nothing runs, so nothing is asked";

    ASSERT_TRUE(use_context_menu(list, {row_of(list, title)}, kMenuEnableOrDisable));
    ASSERT_TRUE(row_shows(list, title, "HKCU_RUN"));
    EXPECT_EQ(run_value(HKEY_CURRENT_USER, kRunKey, title), std::optional<std::string>(command));
    EXPECT_FALSE(read_text(HKEY_LOCAL_MACHINE, kDisabledRunKey, title).has_value());
    EXPECT_FALSE(read_text(HKEY_LOCAL_MACHINE, kMarkerKey, title).has_value());
    quit(s);
}

TEST_F(ChangingEntries, DisableAndEnableAStartupFolderShortcut) {
    const std::string title = "Fabrikam Tray Icon";
    const std::string live = user_startup_folder() + "\\Fabrikam Tray.lnk";
    const std::string parked = std::string(demo::kDisabledFolder) + "\\Fabrikam Tray.lnk";
    ASSERT_TRUE(file_exists(live));
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    HWND list = list_of(s.sheet);

    ASSERT_TRUE(use_context_menu(list, {row_of(list, title)}, kMenuEnableOrDisable));
    ASSERT_TRUE(row_shows(list, title, kDisabledText));
    EXPECT_FALSE(file_exists(live));
    EXPECT_TRUE(file_exists(parked));
    EXPECT_EQ(read_text(HKEY_LOCAL_MACHINE, kMarkerKey, title), std::optional<std::string>("200"));

    ASSERT_TRUE(use_context_menu(list, {row_of(list, title)}, kMenuEnableOrDisable));
    ASSERT_TRUE(row_shows(list, title, "STARTUP_FOLDER"));
    EXPECT_TRUE(file_exists(live));
    EXPECT_FALSE(file_exists(parked));
    EXPECT_FALSE(read_text(HKEY_LOCAL_MACHINE, kMarkerKey, title).has_value());
    quit(s);
}

TEST_F(ChangingEntries, RemovingOneEntryOffersToStopItsRunningProgramThenAsksToRemove) {
    const std::string title = "QuickTask";
    const std::string command = demo::kQuickTaskPath;
    Process& program = start_demo_program(command, kWaitSeconds);
    ASSERT_TRUE(program.running());
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    HWND list = list_of(s.sheet);

    ASSERT_TRUE(use_context_menu(list, {row_of(list, title)}, kMenuRemove));
    HWND stop = wait_dialog(s.process.id(), kRoamCaption);
    ASSERT_NE(stop, nullptr) << "no offer to stop the running program";
    EXPECT_EQ(message_text(stop), "\n" + title +
                                      " is currently an actively running program.\n\nDo you want Sentrix to try and "
                                      "stop this program and remove it from memory?\n\n");
    ASSERT_TRUE(answer(stop, IDYES));
    EXPECT_TRUE(program.wait_exit().has_value()) << "the running program was not stopped";

    HWND confirm = wait_dialog(s.process.id(), kRoamCaption);
    ASSERT_NE(confirm, nullptr) << "no question before the removal";
    EXPECT_EQ(message_text(confirm),
              "\nYou have chosen to remove " + command +
                  "\n\nThis file will not be deleted from your hard drive but it will no longer run automatically "
                  "when you start Windows.  \n\nAre you sure you want to remove this startup entry?");
    ASSERT_TRUE(answer(confirm, IDYES));
    ASSERT_TRUE(wait_until([&] { return !run_value(HKEY_CURRENT_USER, kRunKey, title).has_value(); }));
    EXPECT_TRUE(row_shows(list, title, ""));
    quit(s);
}

TEST_F(ChangingEntries, AnsweringNoKeepsTheProgramRunningAndTheEntry) {
    const std::string title = "QuickTask";
    Process& program = start_demo_program(demo::kQuickTaskPath, kWaitSeconds);
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    HWND list = list_of(s.sheet);

    ASSERT_TRUE(use_context_menu(list, {row_of(list, title)}, kMenuRemove));
    HWND stop = wait_dialog(s.process.id(), kRoamCaption);
    ASSERT_NE(stop, nullptr);
    ASSERT_TRUE(answer(stop, IDNO));
    HWND confirm = wait_dialog(s.process.id(), kRoamCaption);
    ASSERT_NE(confirm, nullptr) << "the removal is asked for even when the program keeps running";
    ASSERT_TRUE(answer(confirm, IDNO));
    ASSERT_TRUE(flush_posted(list));
    EXPECT_TRUE(program.running());
    EXPECT_EQ(run_value(HKEY_CURRENT_USER, kRunKey, title), std::optional<std::string>(demo::kQuickTaskPath));
    EXPECT_TRUE(row_shows(list, title, "HKCU_RUN"));
    quit(s);
}

TEST_F(ChangingEntries, RemovingAnEntryWhoseProgramIsNotRunningAsksOnlyWhetherToRemove) {
    const std::string title = "ProseSpell";
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    HWND list = list_of(s.sheet);

    ASSERT_TRUE(use_context_menu(list, {row_of(list, title)}, kMenuRemove));
    HWND confirm = wait_dialog(s.process.id(), kRoamCaption);
    ASSERT_NE(confirm, nullptr);
    EXPECT_EQ(message_text(confirm).rfind("\nYou have chosen to remove %PROGRAMFILES%\\Proseware\\Spell\\ProseSpell.exe "
                                          "-tray\n\n", 0),
              0u)
        << message_text(confirm);
    ASSERT_TRUE(answer(confirm, IDYES));
    EXPECT_TRUE(row_shows(list, title, ""));
    EXPECT_FALSE(run_value(HKEY_CURRENT_USER, kRunKey, title).has_value());
    EXPECT_EQ(other_dialog(s.process.id(), s.sheet), nullptr);
    quit(s);
}

TEST_F(ChangingEntries, RemovingThreeEntriesAtOnceAsksNothingAndStopsTheirPrograms) {
    // TailspinPatch starts TailspinLauncher.exe, which runs now.
    Process& program = start_demo_program(demo::kTailspinPath, kWaitSeconds);
    const std::vector<std::pair<const char*, const char*>> chosen = {
        {"ProseHook", kRunKey}, {"TailspinPatch", kRunOnceExKey}, {"NwPolicyUpdate", kPolicyRunKey}};
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    HWND list = list_of(s.sheet);
    std::vector<int> rows;
    for (const auto& [title, key] : chosen) {
        ASSERT_TRUE(run_value(HKEY_CURRENT_USER, key, title).has_value()) << title;
        rows.push_back(row_of(list, title));
        ASSERT_GE(rows.back(), 0) << title;
    }
    std::sort(rows.begin(), rows.end());

    ASSERT_TRUE(use_context_menu(list, rows, kMenuRemove));
    bool asked = false;
    const bool removed = wait_until([&] {
        asked = asked || other_dialog(s.process.id(), s.sheet) != nullptr;
        for (const auto& [title, key] : chosen) {
            if (run_value(HKEY_CURRENT_USER, key, title).has_value()) return false;
        }
        return true;
    });
    EXPECT_TRUE(removed) << "not every chosen entry was removed";
    EXPECT_FALSE(asked) << "removing several entries must not ask";
    for (const auto& [title, key] : chosen) EXPECT_TRUE(row_shows(list, title, "")) << title;
    EXPECT_TRUE(program.wait_exit().has_value()) << "the running program of TailspinPatch was not stopped";
    EXPECT_EQ(other_dialog(s.process.id(), s.sheet), nullptr);
    quit(s);
}

TEST_F(ChangingEntries, SpecialEntryIsRemovedOnlyWhenTheWarningIsTicked) {
    const std::string title = "ContosoSso";
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    HWND page = page_of(s.sheet);
    HWND list = list_of(s.sheet);
    ASSERT_TRUE(click_button(page, kShowAllStartup));

    for (bool tick : {false, true}) {
        ASSERT_TRUE(select_rows(list, {row_of(list, title)}));
        ASSERT_TRUE(post_button(page, kRemoveButton));
        HWND warning = wait_dialog(s.process.id(), kMessageCaption, kWarningConfirm);
        ASSERT_NE(warning, nullptr) << "no warning before removing a special entry";
        EXPECT_EQ(control_text(warning, kWarningCommandText), demo::kContosoSsoPath);
        EXPECT_EQ(control_text(warning, kWarningFileText), title) << "its copyright names no Microsoft";
        if (tick) {
            ASSERT_TRUE(click_button(warning, kWarningConfirm));
        }
        EXPECT_EQ(is_checked(warning, kWarningConfirm), tick);
        ASSERT_TRUE(answer(warning, IDOK));
        ASSERT_TRUE(flush_posted(list));
        if (!tick) {
            EXPECT_EQ(read_text(HKEY_LOCAL_MACHINE, kDelayLoadKey, title),
                      std::optional<std::string>("{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E01}"))
                << "closed unticked, the warning changes nothing";
            EXPECT_TRUE(row_shows(list, title, "DELAYLOAD"));
        }
    }
    EXPECT_TRUE(wait_until([&] { return !read_text(HKEY_LOCAL_MACHINE, kDelayLoadKey, title).has_value(); }));
    EXPECT_TRUE(row_shows(list, title, ""));
    quit(s);
}

TEST_F(ChangingEntries, WarningNamesAMicrosoftSystemFile) {
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    HWND page = page_of(s.sheet);
    HWND list = list_of(s.sheet);
    ASSERT_TRUE(click_button(page, kShowAllStartup));
    ASSERT_TRUE(select_rows(list, {row_of(list, "ShellSvcExt")}));
    ASSERT_TRUE(post_button(page, kRemoveButton));
    HWND warning = wait_dialog(s.process.id(), kMessageCaption, kWarningConfirm);
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(control_text(warning, kWarningFileText),
              "The file ShellSvcExt appears to be a valid Microsoft system file.");
    ASSERT_TRUE(answer(warning, IDOK));
    EXPECT_TRUE(read_text(HKEY_LOCAL_MACHINE, kDelayLoadKey, "ShellSvcExt").has_value());
    quit(s);
}

}  // namespace
}  // namespace sx::e2e::test
