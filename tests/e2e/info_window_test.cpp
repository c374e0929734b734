// The information window through the real program on the demo system: opened from every page (by
// Info, Enter and a double click) with its lines, paged around the list; the demo service stopped and
// set to Disabled; a program with blanks in its path run and killed; a note made and saved; the
// program-information request and every page's help, as the shell logger of the test prefix records them.
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "e2e_support.h"
#include "res/resource_ids.h"

namespace sx::e2e::test {
namespace {

constexpr char kLogger[] = "C:\\sxtest\\sxlogger.exe ";
constexpr char kRunTitle[] = "SxRunCheck";
constexpr char kPlanted[] = "C:\\Program.exe";  // what an unquoted start of the path would run

// The line of the shell log holding `text`, once the logger has written it.
std::string logged(const std::string& text) {
    std::string line;
    wait_until([&] {
        const std::string log = read_file(kShellLog);
        const size_t at = log.find(text), start = log.rfind('\n', at) + 1;  // npos + 1 is 0
        if (at != std::string::npos) line = log.substr(start, log.find('\r', at) - start);
        return at != std::string::npos;
    });
    return line;
}

class InfoWindow : public EndToEnd {
protected:
    void SetUp() override {
        EndToEnd::SetUp();
        DeleteFileA(kShellLog);
    }
    void TearDown() override {
        delete_value(HKEY_CURRENT_USER, kRunKey, kRunTitle);
        DeleteFileA(kPlanted);
        EndToEnd::TearDown();
    }

    enum class How { info, enter, double_click };
    // The window on the row of the tab's page whose first column reads `title`.
    HWND open_window(int tab, const std::string& title, How how = How::info) {
        page_ = select_tab(s_.sheet, tab);
        HWND list = GetDlgItem(page_, kListId);
        const int row = find_row(read_rows(list), 0, title);
        if (row < 0 || !select_rows(list, {row})) return nullptr;
        if (how == How::info) post_button(page_, IDC_INFO);
        if (how == How::enter) post_command(page_, IDOK);
        if (how == How::double_click) double_click_row(list, row);
        return wait_dialog(s_.process.id(), nullptr, IDC_INFO_NOTE);
    }
    static std::string text(HWND w, int id) { return control_text(w, id); }
    static bool shown(HWND w, int id) { return control_visible(w, id); }

    Session s_;
    HWND page_ = nullptr;
};

TEST_F(InfoWindow, EveryPageOpensItOnItsRowAndItPagesAroundTheList) {
    start_demo_program(demo::kFabTrayPath);
    s_ = open();
    HWND w = open_window(kStartupTab, "NwUpdate", How::enter);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(window_text(w), "NwUpdate");
    EXPECT_EQ(text(w, IDC_INFO_PRODUCT) + "|" + text(w, IDC_INFO_DESCRIPTION) + "|" + text(w, IDC_INFO_COMPANY) + "|" +
                  text(w, IDC_INFO_VERSION) + "|" + text(w, IDC_INFO_FIRST_DETECTED),
              NWUPDATE_PRODUCT "|" NWUPDATE_DESCRIPTION "|" NWUPDATE_COMPANY "|" NWUPDATE_VERSION "|03/07/2009 9:05 AM");
    EXPECT_EQ(text(w, IDC_INFO_PATH), "C:\\PROGRAM FILES\\NORTHWIND TRADERS\\UPDATE\\NWUPDATE.EXE");
    EXPECT_EQ(text(w, IDC_INFO_LOCATION) + "|" + text(w, IDC_INFO_STATUS), "Startup Location: HKLM\\" + std::string(kRunKey) + "|Ready");
    EXPECT_TRUE(shown(w, IDC_INFO_RUN) && !shown(w, IDC_INFO_KILL));
    // Shrunk, the lower part goes; the next window opens shrunk too.
    ASSERT_TRUE(click_button(w, IDC_INFO_EXPAND) && answer(w, IDOK));

    w = open_window(kActiveXTab, "Contoso Media Player", How::double_click);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(shown(w, IDC_INFO_NOTE) || shown(w, IDC_INFO_STATUS) || shown(w, IDC_INFO_KILL) || shown(w, IDC_INFO_RUN));
    EXPECT_EQ(text(w, IDC_INFO_LOCATION), "CLSID: " + std::string(demo::kPlayerClsid));
    ASSERT_TRUE(click_button(w, IDC_INFO_EXPAND) && answer(w, IDOK));

    w = open_window(kIeHelpersTab, NWHELPER_PRODUCT);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(text(w, IDC_INFO_LOCATION), "Location: \"HKLM\\" + std::string(demo::kBhoKey) + "\"");
    ASSERT_TRUE(answer(w, IDOK));

    w = open_window(kScheduledTasksTab, "Northwind Update Check");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(text(w, IDC_INFO_LOCATION), "Startup Location: Windows Task Scheduler");
    EXPECT_EQ(text(w, IDC_INFO_NOTE), "Status: Ready\r\nChecks for Northwind updates every day.");
    ASSERT_TRUE(answer(w, IDOK));

    w = open_window(kActiveTasksTab, "FABTRAY.EXE");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(text(w, IDC_INFO_STATUS) == "Running" && shown(w, IDC_INFO_KILL));
    ASSERT_TRUE(answer(w, IDOK));

    // Next from the last entry shows the first, Previous from the first the last (told apart by path).
    page_ = select_tab(s_.sheet, kHiddenFilesTab);
    const std::vector<Row> rows = read_rows(GetDlgItem(page_, kListId));
    ASSERT_GE(rows.size(), 3u);
    w = open_window(kHiddenFilesTab, rows[0][0], How::double_click);
    ASSERT_NE(w, nullptr);
    std::vector<std::string> seen{text(w, IDC_INFO_PATH)};
    for (size_t i = 0; i < rows.size() && click_button(w, IDC_INFO_NEXT); ++i) seen.push_back(text(w, IDC_INFO_PATH));
    ASSERT_EQ(seen.size(), rows.size() + 1);
    EXPECT_EQ(seen.back(), seen.front());
    EXPECT_EQ(std::set<std::string>(seen.begin(), seen.end()).size(), rows.size());
    ASSERT_TRUE(click_button(w, IDC_INFO_PREVIOUS));
    EXPECT_EQ(text(w, IDC_INFO_PATH), seen[rows.size() - 1]);
    ASSERT_TRUE(answer(w, IDOK));
    quit(s_);
}

TEST_F(InfoWindow, TheDemoServiceIsStoppedAndGivenAnotherStartType) {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service = OpenServiceA(manager, demo::kDemoServiceName, SERVICE_START | SERVICE_QUERY_STATUS);
    ASSERT_TRUE(service && StartServiceA(service, 0, nullptr));
    auto state = [&] {
        SERVICE_STATUS status{};
        return QueryServiceStatus(service, &status) ? status.dwCurrentState : 0;
    };
    EXPECT_TRUE(wait_until([&] { return state() == SERVICE_RUNNING; }));
    s_ = open();
    HWND w = open_window(kServicesTab, demo::kDemoServiceDisplay);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(shown(w, IDC_INFO_LOCATION));
    EXPECT_EQ(text(w, IDC_INFO_NOTE), "Keeps the files of Adventure Works projects in step with the server.");
    EXPECT_EQ(text(w, IDC_INFO_STATUS) + "|" + text(w, IDC_INFO_KILL), "Running|&Stop");
    ASSERT_TRUE(control_enabled(w, IDC_INFO_KILL) && click_button(w, IDC_INFO_KILL));
    EXPECT_TRUE(wait_until([&] { return state() == SERVICE_STOPPED; }));
    EXPECT_TRUE(wait_until([&] {
        send(w, WM_COMMAND, MAKEWPARAM(IDC_INFO_RUN, BN_CLICKED));  // refreshes a service's window
        return text(w, IDC_INFO_STATUS).empty() && !control_enabled(w, IDC_INFO_KILL);
    }));
    // Apply is offered only for another type than the service has: it has Manual.
    HWND types = GetDlgItem(w, IDC_INFO_START_TYPE);
    auto choose = [&](int k) {
        send(types, CB_SETCURSEL, static_cast<WPARAM>(k));
        send(w, WM_COMMAND, MAKEWPARAM(IDC_INFO_START_TYPE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
        return control_enabled(w, IDC_INFO_APPLY);
    };
    EXPECT_FALSE(choose(1));
    ASSERT_TRUE(choose(2) && click_button(w, IDC_INFO_APPLY));
    EXPECT_EQ(read_dword(HKEY_LOCAL_MACHINE, std::string(demo::kServicesKey) + "\\" + demo::kDemoServiceName, "Start"),
              std::optional<DWORD>(SERVICE_DISABLED));
    EXPECT_FALSE(control_enabled(w, IDC_INFO_APPLY) || choose(2));
    ASSERT_TRUE(answer(w, IDOK));
    auto disabled = [](const std::vector<Row>& rows) {
        const int row = find_row(rows, 0, demo::kDemoServiceDisplay);
        return row >= 0 && rows[static_cast<size_t>(row)][4] == "Disabled";
    };
    EXPECT_TRUE(disabled(wait_rows(GetDlgItem(page_, kListId), disabled))) << "the list is filled again";
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    quit(s_);
}

TEST_F(InfoWindow, AProgramWithBlanksInItsPathRunsANoteIsKeptAndTheRequestGoesOut) {
    ASSERT_TRUE(write_text(HKEY_CURRENT_USER, kRunKey, kRunTitle, "\"" + std::string(demo::kTailspinPath) + "\" -wait 30"));
    ASSERT_TRUE(CopyFileA(demo::kTailspinPath, kPlanted, FALSE));
    s_ = open();
    HWND w = open_window(kStartupTab, kRunTitle);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(shown(w, IDC_INFO_RUN) && click_button(w, IDC_INFO_RUN));
    EXPECT_EQ(process_ids(TAILSPIN_FILE).size(), 1u);
    EXPECT_TRUE(process_ids("Program.exe").empty()) << "the planted program ran";
    EXPECT_EQ(text(w, IDC_INFO_STATUS), "Running");
    ASSERT_TRUE(shown(w, IDC_INFO_KILL) && click_button(w, IDC_INFO_KILL));
    EXPECT_TRUE(wait_until([] { return process_ids(TAILSPIN_FILE).empty(); }));

    // A note: made at once with the title and command, saved after an edit.
    const std::string note = read_text(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                                       "Shell Folders", "AppData").value_or("") + "\\Sentrix\\note_TAILSPINLAUNCHER.txt";
    const std::string made = std::string(kRunTitle) + "\r\n" + demo::kTailspinPath + " -wait 30\r\n";
    ASSERT_TRUE(click_button(w, IDC_INFO_NOTE_BUTTON));
    EXPECT_EQ(text(w, IDC_INFO_NOTE) + "|" + read_file(note), made + "|" + made);
    EXPECT_TRUE(text(w, IDC_INFO_NOTE_BUTTON) == "&Save Note" && !control_enabled(w, IDC_INFO_NOTE_BUTTON));
    ASSERT_TRUE(type_text(GetDlgItem(w, IDC_INFO_NOTE), "Keep it."));
    ASSERT_TRUE(control_enabled(w, IDC_INFO_NOTE_BUTTON) && click_button(w, IDC_INFO_NOTE_BUTTON));
    EXPECT_EQ(read_file(note), made + "Keep it.");

    // The request goes to the shell with the program file's own version texts.
    ASSERT_TRUE(click_button(w, IDC_INFO_MORE) && answer(w, IDOK));
    EXPECT_NE(logged("zentrainfo.pl").find("/cgi-bin/zentrainfo.pl?program=TAILSPINLAUNCHER.EXE&vendor=Tailspin%20Toys&"
                                           "version=7.0.2.0&"), std::string::npos);
    quit(s_);
}

TEST_F(InfoWindow, HelpOfEveryPageOpensBesideTheProgramAndTheSettingsAreExported) {
    s_ = open();
    const std::pair<int, const char*> kHelp[] = {
        {kStartupTab, "startup"}, {kActiveXTab, "activex"}, {kIeHelpersTab, "bho"}, {kScheduledTasksTab, "scheduler"},
        {kServicesTab, "services"}, {kActiveTasksTab, "tasks"}, {kHiddenFilesTab, "hidden"}, {kOptionsTab, "options"}};
    for (const auto& [tab, name] : kHelp) {
        const std::string file = std::string(name) + ".html", local = std::string(demo::kProgramFolder) + "\\" + file;
        ASSERT_TRUE(post_command(select_tab(s_.sheet, tab), IDC_HELP_ICON));
        EXPECT_EQ(logged(file), kLogger + std::string("htmlfile \"") + local + "\"");
    }
    // The export, a button of the Options page, tells where its file went.
    ASSERT_TRUE(post_button(active_page(s_.sheet), IDC_EXPORT_SETTINGS));
    HWND told = wait_dialog(s_.process.id(), nullptr);
    const std::string message = message_text(told);
    ASSERT_TRUE(answer(told, IDOK));
    const size_t at = message.find("file:\n") + 6;
    EXPECT_TRUE(read_file(message.substr(at, message.find('\n', at) - at)).starts_with(std::string("\xff\xfeW\0i\0", 6))) << message;
    quit(s_);
}

}  // namespace
}  // namespace sx::e2e::test
