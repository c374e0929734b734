// Switching startup entries off and on and removing them through the Startup Programs page, checked
// in the registry, in the file system and in the list the page shows afterwards.
#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "e2e_support.h"

namespace sx::e2e::test {
namespace {

constexpr char kMarkerKey[] = "Software\\Orvane\\Sentrix\\Disabled";
constexpr char kDelayLoadKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad";
// The context menu of an entry outside the special locations, without a note file: Info, Explore
// Program Folder, Open Program Properties, Add, Move to Delayed Start Program List, (separator)
// Remove, Enable or Disable, ...
constexpr int kMenuRemove = 5;
constexpr int kMenuEnableOrDisable = 6;
constexpr int kRemoveButton = 1003;
constexpr int kWarningConfirm = 1014;
constexpr int kWarningFileText = 1179;

// The bytes of Windows' startup switch of a Run entry; nothing when there is none.
std::optional<std::string> windows_switch(HKEY root, const char* title) {
    char data[64];
    DWORD size = sizeof(data);
    if (RegGetValueA(root, demo::kApprovedRunKey, title, RRF_RT_REG_BINARY, nullptr, data, &size)) return std::nullopt;
    return std::string(data, size);
}

class ChangingEntries : public EndToEnd {
protected:
    void SetUp() override {
        EndToEnd::SetUp();
        if (HasFatalFailure()) return;
        s_ = open();
        ASSERT_NE(s_.sheet, nullptr);
        list_ = list_of(s_.sheet);
    }

    int row_of(const std::string& title) const { return find_row(read_rows(list_), kTitle, title); }

    // Waits until the row titled `title` reads `type` in the Type column; an empty `type`: until no
    // row has that title.
    ::testing::AssertionResult row_shows(const std::string& title, const std::string& type) const {
        auto type_of = [&](const std::vector<Row>& rows) {
            const int row = find_row(rows, kTitle, title);
            return row < 0 ? std::string() : rows[static_cast<std::size_t>(row)][kType];
        };
        const std::vector<Row> rows = wait_rows(list_, [&](const auto& now) { return type_of(now) == type; });
        if (type_of(rows) == type) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << title << " should read \"" << type << "\":\n" << describe(rows);
    }

    // Chooses Enable or Disable on the entry's row and waits until its Type column reads `type`.
    ::testing::AssertionResult switch_entry(const std::string& title, const std::string& type) const {
        if (!use_context_menu(list_, {row_of(title)}, kMenuEnableOrDisable)) {
            return ::testing::AssertionFailure() << "Enable or Disable could not be chosen on " << title;
        }
        return row_shows(title, type);
    }

    // The message box the program asks with next; answers it with `button` and returns its text.
    std::string answer_question(int button) const {
        HWND box = wait_dialog(s_.process.id(), kRoamCaption);
        const std::string text = message_text(box);
        EXPECT_TRUE(box && answer(box, button)) << "no question came";
        return text;
    }

    Session s_;
    HWND list_ = nullptr;
};

// Disabling moves a Run value or a shortcut into the program's store and marks it with its type
// code; enabling puts it back.
TEST_F(ChangingEntries, DisableMovesAnEntryAsideAndEnableBringsItBack) {
    const std::string live_link = user_startup_folder() + "\\Fabrikam Tray.lnk";
    const std::string parked_link = std::string(demo::kDisabledFolder) + "\\Fabrikam Tray.lnk";
    const std::string parked_run = std::string(kMarkerKey) + "\\Run";
    ASSERT_TRUE(switch_entry("WingtipHelper", kDisabledText));
    ASSERT_TRUE(switch_entry("Fabrikam Tray Icon", kDisabledText));
    EXPECT_FALSE(read_text(HKEY_CURRENT_USER, kRunKey, "WingtipHelper"));
    EXPECT_EQ(read_text(HKEY_LOCAL_MACHINE, parked_run, "WingtipHelper"), demo::kWingtipHelperPath);
    EXPECT_EQ(read_text(HKEY_LOCAL_MACHINE, kMarkerKey, "WingtipHelper"), "11");
    EXPECT_FALSE(file_exists(live_link));
    EXPECT_TRUE(file_exists(parked_link));
    EXPECT_EQ(read_text(HKEY_LOCAL_MACHINE, kMarkerKey, "Fabrikam Tray Icon"), "200");
    EXPECT_EQ(other_dialog(s_.process.id(), s_.sheet), nullptr) << "their programs do not run, so nothing is asked";

    ASSERT_TRUE(switch_entry("WingtipHelper", "HKCU_RUN"));
    ASSERT_TRUE(switch_entry("Fabrikam Tray Icon", "STARTUP_FOLDER"));
    EXPECT_EQ(read_text(HKEY_CURRENT_USER, kRunKey, "WingtipHelper"), demo::kWingtipHelperPath);
    EXPECT_FALSE(read_text(HKEY_LOCAL_MACHINE, parked_run, "WingtipHelper"));
    EXPECT_TRUE(file_exists(live_link));
    EXPECT_FALSE(file_exists(parked_link));
    EXPECT_FALSE(read_text(HKEY_LOCAL_MACHINE, kMarkerKey, "WingtipHelper"));
    EXPECT_FALSE(read_text(HKEY_LOCAL_MACHINE, kMarkerKey, "Fabrikam Tray Icon"));
    quit(s_);
}

// Exactly the entries Windows switched off read so, whatever this program's marks; Enable switches
// one on in Windows' own switch as well, so it starts at the next logon.
TEST_F(ChangingEntries, EntriesWindowsSwitchedOffAreMarkedAndEnableSwitchesThemOn) {
    std::multiset<std::string> marked, want;
    for (const Row& row : read_rows(list_)) {
        if (row[kType] == kWindowsOffText) marked.insert(row[kTitle]);
    }
    for (const auto& [title, type] : demo::kSwitchedOffByWindows) want.insert(title);
    EXPECT_EQ(marked, want) << describe(read_rows(list_));
    ASSERT_TRUE(select_rows(list_, {row_of("Contoso Sync")}));
    EXPECT_EQ(status_text(s_.sheet), "Startup Location: HKLM\\" + std::string(kRunKey) +
                                         "   (switched off by Windows on 03/05/2024 2:07 PM)");

    ASSERT_TRUE(switch_entry("Contoso Sync", "HKLM_RUN"));
    EXPECT_EQ(windows_switch(HKEY_LOCAL_MACHINE, "Contoso Sync"), std::string("\x02\0\0\0\0\0\0\0\0\0\0\0", 12));
    quit(s_);
}

// Removing one entry offers to stop its program when it runs, then asks whether to remove it;
// removing several asks nothing and stops what runs.
TEST_F(ChangingEntries, RemoveAsksAboutOneEntryAndNotAboutSeveral) {
    Process& quick_task = start_demo_program(demo::kQuickTaskPath);
    ASSERT_TRUE(use_context_menu(list_, {row_of("QuickTask")}, kMenuRemove));
    EXPECT_NE(answer_question(IDNO).find("QuickTask is currently an actively running program."), std::string::npos);
    answer_question(IDNO);
    ASSERT_TRUE(flush_posted(list_));
    EXPECT_TRUE(quick_task.running());
    EXPECT_EQ(read_text(HKEY_CURRENT_USER, kRunKey, "QuickTask"), demo::kQuickTaskPath);
    EXPECT_TRUE(row_shows("QuickTask", "HKCU_RUN"));

    ASSERT_TRUE(use_context_menu(list_, {row_of("QuickTask")}, kMenuRemove));
    answer_question(IDYES);
    EXPECT_TRUE(quick_task.wait_exit()) << "the running program was not stopped";
    EXPECT_NE(answer_question(IDYES).find(std::string("You have chosen to remove ") + demo::kQuickTaskPath),
              std::string::npos);
    EXPECT_TRUE(row_shows("QuickTask", ""));
    EXPECT_FALSE(read_text(HKEY_CURRENT_USER, kRunKey, "QuickTask"));
    // Kept only in the history now, from where it can be put back.
    EXPECT_NE(read_file(kHistoryFile).find(std::string("\t*START_Remove\tCURRENT_RUN\tQuickTask\t") + demo::kQuickTaskPath),
              std::string::npos) << read_file(kHistoryFile);

    ASSERT_TRUE(use_context_menu(list_, {row_of("ProseSpell")}, kMenuRemove));
    const std::string question = answer_question(IDYES);
    EXPECT_NE(question.find("You have chosen to remove %PROGRAMFILES%\\Proseware\\Spell\\ProseSpell.exe -tray"),
              std::string::npos) << "a program that does not run is not offered to be stopped:\n" << question;
    EXPECT_TRUE(row_shows("ProseSpell", ""));
    EXPECT_FALSE(read_text(HKEY_CURRENT_USER, kRunKey, "ProseSpell"));

    // TailspinPatch starts TailspinLauncher.exe, which runs now.
    Process& tailspin = start_demo_program(demo::kTailspinPath);
    const std::pair<const char*, std::string> chosen[] = {
        {"ProseHook", kRunKey},
        {"TailspinPatch", "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx"},
        {"NwPolicyUpdate", "Software\\Microsoft\\Windows\\CurrentVersion\\policies\\Explorer\\Run"}};
    std::vector<int> rows;
    for (const auto& [title, key] : chosen) {
        ASSERT_TRUE(read_text(HKEY_CURRENT_USER, key, title)) << title;
        rows.push_back(row_of(title));
    }
    std::sort(rows.begin(), rows.end());
    ASSERT_TRUE(use_context_menu(list_, rows, kMenuRemove));
    bool asked = false;
    EXPECT_TRUE(wait_until([&] {
        asked = asked || other_dialog(s_.process.id(), s_.sheet) != nullptr;
        return std::none_of(std::begin(chosen), std::end(chosen), [](const auto& entry) {
            return read_text(HKEY_CURRENT_USER, entry.second, entry.first).has_value();
        });
    })) << "not every chosen entry was removed";
    EXPECT_FALSE(asked) << "removing several entries must not ask";
    for (const auto& [title, key] : chosen) EXPECT_TRUE(row_shows(title, ""));
    EXPECT_FALSE(windows_switch(HKEY_CURRENT_USER, "ProseHook")) << "Windows' switch goes with it";
    EXPECT_TRUE(tailspin.wait_exit()) << "the running program of TailspinPatch was not stopped";
    quit(s_);
}

// A special entry goes only once its warning has been ticked; the warning names the file, or says
// that it is Microsoft's.
TEST_F(ChangingEntries, SpecialEntryIsRemovedOnlyWhenTheWarningIsTicked) {
    HWND page = active_page(s_.sheet);
    ASSERT_TRUE(click_button(page, kShowAllStartup));
    const struct { const char* title; const char* file_text; bool tick; } steps[] = {
        {"ShellSvcExt", "The file ShellSvcExt appears to be a valid Microsoft system file.", false},
        {"ContosoSso", "ContosoSso", false},
        {"ContosoSso", "ContosoSso", true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string(step.title) + (step.tick ? " ticked" : " unticked"));
        ASSERT_TRUE(select_rows(list_, {row_of(step.title)}));
        ASSERT_TRUE(post_button(page, kRemoveButton));
        HWND warning = wait_dialog(s_.process.id(), kMessageCaption, kWarningConfirm);
        ASSERT_NE(warning, nullptr) << "no warning before removing a special entry";
        EXPECT_EQ(control_text(warning, kWarningFileText), step.file_text);
        if (step.tick) { ASSERT_TRUE(click_button(warning, kWarningConfirm)); }
        ASSERT_TRUE(answer(warning, IDOK));
        ASSERT_TRUE(flush_posted(list_));
        EXPECT_EQ(read_text(HKEY_LOCAL_MACHINE, kDelayLoadKey, step.title).has_value(), !step.tick);
        EXPECT_TRUE(row_shows(step.title, step.tick ? "" : "DELAYLOAD"));
    }
    quit(s_);
}

}  // namespace
}  // namespace sx::e2e::test
