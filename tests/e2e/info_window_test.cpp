// The information window through the real program on the demo system: opened from every page (by
// Info, Enter and a double click) with its lines, paged around the list; the demo service stopped and
// set to Disabled; a program with blanks in its path run and killed; a note made and saved; both
// request formats and every page's help, as the shell logger of the test prefix records them.
#include <windows.h>
#include <tlhelp32.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "e2e_support.h"
#include "res/resource_ids.h"

namespace sx::e2e::test {
namespace {

constexpr char kShellLog[] = "C:\\sxtest\\shell.log";
constexpr char kLogger[] = "C:\\sxtest\\sxlogger.exe ";
constexpr char kRunTitle[] = "SxRunCheck";
constexpr char kPlanted[] = "C:\\Program.exe";  // what an unquoted start of the path would run
constexpr char kSite[] = "https://info.example.test/sx/";

std::string file_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The line of the shell log holding `text`, once the logger has written it.
std::string logged(const std::string& text) {
    std::string line;
    wait_until([&] {
        const std::string log = file_text(kShellLog);
        const size_t at = log.find(text), start = log.rfind('\n', at) + 1;  // npos + 1 is 0
        if (at != std::string::npos) line = log.substr(start, log.find('\r', at) - start);
        return at != std::string::npos;
    });
    return line;
}

// How many processes run from a file of this name.
int processes_named(const char* name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        count += lstrcmpiA(entry.szExeFile, name) == 0;
    }
    CloseHandle(snapshot);
    return count;
}

class InfoWindow : public EndToEnd {
protected:
    void SetUp() override {
        EndToEnd::SetUp();
        DeleteFileA(kShellLog);
    }
    void TearDown() override {
        delete_value(HKEY_CURRENT_USER, kRunKey, kRunTitle);
        delete_value(HKEY_CURRENT_USER, kSentrixKey, "VendorSite");
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
    // A check box whose handler may show a message: it changes, then its page is told.
    static bool toggle(HWND page, int id) {
        return send(GetDlgItem(page, id), BM_SETCHECK, is_checked(page, id) ? BST_UNCHECKED : BST_CHECKED) &&
               post_button(page, id);
    }

    Session s_;
    HWND page_ = nullptr;
};

TEST_F(InfoWindow, EveryPageOpensItOnItsRowAndItPagesAroundTheList) {
    Process& running = start_demo_program(demo::kFabTrayPath);
    s_ = open();
    HWND w = open_window(kStartupTab, "NwUpdate", How::enter);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(window_text(w), "NwUpdate");
    EXPECT_EQ(text(w, IDC_INFO_PRODUCT) + "|" + text(w, IDC_INFO_DESCRIPTION) + "|" + text(w, IDC_INFO_COMPANY) + "|" +
                  text(w, IDC_INFO_VERSION) + "|" + text(w, IDC_INFO_FIRST_DETECTED),
              NWUPDATE_PRODUCT "|" NWUPDATE_DESCRIPTION "|" NWUPDATE_COMPANY "|" NWUPDATE_VERSION "|03/07/2009 9:05 AM");
    EXPECT_EQ(text(w, IDC_INFO_PATH), "C:\\PROGRAM FILES\\NORTHWIND TRADERS\\UPDATE\\NWUPDATE.EXE");
    EXPECT_EQ(text(w, IDC_INFO_LOCATION), "Startup Location: HKLM\\" + std::string(kRunKey));
    EXPECT_EQ(text(w, IDC_INFO_STATUS), "Ready");
    EXPECT_TRUE(shown(w, IDC_INFO_RUN) && !shown(w, IDC_INFO_KILL));
    // Shrunk, the lower part goes; the next window opens shrunk too.
    ASSERT_TRUE(click_button(w, IDC_INFO_EXPAND) && answer(w, IDOK));

    w = open_window(kActiveXTab, "Contoso Media Player", How::double_click);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(shown(w, IDC_INFO_NOTE) || shown(w, IDC_INFO_STATUS) || shown(w, IDC_INFO_KILL) || shown(w, IDC_INFO_RUN));
    EXPECT_EQ(text(w, IDC_INFO_LOCATION), "CLSID: " + std::string(demo::kPlayerClsid));
    EXPECT_EQ(text(w, IDC_INFO_NOTE), text(w, IDC_INFO_LOCATION));
    ASSERT_TRUE(click_button(w, IDC_INFO_EXPAND) && answer(w, IDOK));

    w = open_window(kScheduledTasksTab, "Northwind Update Check");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(text(w, IDC_INFO_LOCATION), "Startup Location: Windows Task Scheduler");
    EXPECT_EQ(text(w, IDC_INFO_NOTE), "Status: Ready\r\nChecks for Northwind updates every day.");
    ASSERT_TRUE(answer(w, IDOK));

    // A running program is killed from the window, and the list no longer shows it afterwards.
    w = open_window(kActiveTasksTab, "FABTRAY.EXE");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(text(w, IDC_INFO_STATUS), "Running");
    ASSERT_TRUE(click_button(w, IDC_INFO_KILL));
    EXPECT_TRUE(running.wait_exit().has_value());
    EXPECT_EQ(text(w, IDC_INFO_STATUS), "Ready");
    ASSERT_TRUE(answer(w, IDOK));
    EXPECT_LT(find_row(wait_rows(GetDlgItem(page_, kListId),
                                 [](const std::vector<Row>& now) { return find_row(now, 0, "FABTRAY.EXE") < 0; }),
                       0, "FABTRAY.EXE"),
              0);

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
    EXPECT_FALSE(shown(w, IDC_INFO_STATUS));
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
    const std::string stored = std::string(demo::kTailspinPath) + " -wait 30";
    ASSERT_TRUE(write_text(HKEY_CURRENT_USER, kRunKey, kRunTitle, "\"" + std::string(demo::kTailspinPath) + "\" -wait 30"));
    ASSERT_TRUE(CopyFileA(demo::kTailspinPath, kPlanted, FALSE));
    ASSERT_TRUE(write_text(HKEY_CURRENT_USER, kSentrixKey, "VendorSite", kSite));
    s_ = open();
    HWND w = open_window(kStartupTab, kRunTitle);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(shown(w, IDC_INFO_RUN) && click_button(w, IDC_INFO_RUN));
    EXPECT_EQ(processes_named(TAILSPIN_FILE), 1);
    EXPECT_EQ(processes_named("Program.exe"), 0) << "the planted program ran";
    EXPECT_EQ(text(w, IDC_INFO_STATUS), "Running");
    ASSERT_TRUE(shown(w, IDC_INFO_KILL) && click_button(w, IDC_INFO_KILL));
    EXPECT_TRUE(wait_until([] { return processes_named(TAILSPIN_FILE) == 0; }));

    // A note: made at once with the title and command, saved after an edit.
    const std::string note = read_text(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                                       "Shell Folders", "AppData").value_or("") + "\\Sentrix\\note_TAILSPINLAUNCHER.txt";
    const std::string made = std::string(kRunTitle) + "\r\n" + stored + "\r\n";
    ASSERT_TRUE(click_button(w, IDC_INFO_NOTE_BUTTON));
    EXPECT_EQ(text(w, IDC_INFO_NOTE), made);
    EXPECT_EQ(file_text(note), made);
    EXPECT_EQ(text(w, IDC_INFO_NOTE_BUTTON), "&Save Note");
    EXPECT_FALSE(control_enabled(w, IDC_INFO_NOTE_BUTTON));
    ASSERT_TRUE(type_text(GetDlgItem(w, IDC_INFO_NOTE), "Keep it."));
    ASSERT_TRUE(control_enabled(w, IDC_INFO_NOTE_BUTTON) && click_button(w, IDC_INFO_NOTE_BUTTON));
    EXPECT_EQ(file_text(note), made + "Keep it.");

    // The first format: the address itself, at the site of the setting, every text encoded.
    const std::string query = "program=TAILSPINLAUNCHER.EXE&vendor=Tailspin%20Toys";
    ASSERT_TRUE(click_button(w, IDC_INFO_MORE) && answer(w, IDOK));
    EXPECT_EQ(logged("zentrainfo.pl"), kLogger + std::string("https \"") + kSite + "cgi-bin/zentrainfo.pl?" + query +
                                           "&version=7.0.2.0&build=1.0.0&Type=11&Loc=en&ext=EXE\"");
    // The second format, chosen on the Options page: a shortcut in the temporary folder, gone after.
    HWND options = select_tab(s_.sheet, kOptionsTab);
    ASSERT_TRUE(toggle(options, IDC_ZENTRA_FORMAT));
    HWND thanks = wait_dialog(s_.process.id(), nullptr);
    EXPECT_EQ(message_text(thanks).rfind("Thank you for your support.", 0), 0u);
    ASSERT_TRUE(answer(thanks, IDOK));
    w = open_window(kStartupTab, kRunTitle);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(text(w, IDC_INFO_NOTE), made + "Keep it.");
    ASSERT_TRUE(click_button(w, IDC_INFO_MORE) && answer(w, IDOK));
    const std::string line = logged("zentrainfo12.pl");
    const size_t url = line.find("\" URL="), path = line.find(" url \"") + 6;
    EXPECT_EQ(line.find(std::string(kSite) + "cgi-bin/zentrainfo12.pl?" + query + "&build=1.0.0&Type=11&ext=EXE&Loc=us"
                        "&version=7.0.2.0&name=Tailspin%20Game%20Launcher&"),
              url + 6) << line;
    EXPECT_TRUE(line.ends_with("&path=C%3A%5CPROGRAM%20FILES%5CTAILSPIN%20TOYS%5CLAUNCHER%5CTAILSPINLAUNCHER.EXE"));
    EXPECT_TRUE(line.substr(path, url - path).ends_with("\\Temp\\temp.url")) << line;
    EXPECT_FALSE(file_exists(line.substr(path, url - path)));
    quit(s_);
}

TEST_F(InfoWindow, HelpOfEveryPageOpensBesideTheProgramAndTheOptionsLaunchTheirTools) {
    s_ = open();
    const std::pair<int, const char*> kHelp[] = {
        {kStartupTab, "startup"}, {kActiveXTab, "activex"}, {kIeHelpersTab, "bho"}, {kScheduledTasksTab, "scheduler"},
        {kServicesTab, "services"}, {kActiveTasksTab, "tasks"}, {kHiddenFilesTab, "hidden"}, {kOptionsTab, "options"}};
    for (const auto& [tab, name] : kHelp) {
        const std::string file = std::string(name) + ".html", local = std::string(demo::kProgramFolder) + "\\" + file;
        ASSERT_TRUE(post_command(select_tab(s_.sheet, tab), IDC_HELP_ICON));
        EXPECT_EQ(logged(file), kLogger + std::string("htmlfile \"") + local + "\"");
    }
    // Without its local page, a page's help is on the vendor's site.
    HWND options = active_page(s_.sheet);
    ASSERT_TRUE(DeleteFileA((std::string(demo::kProgramFolder) + "\\options.html").c_str()) && DeleteFileA(kShellLog));
    ASSERT_TRUE(post_command(options, IDC_HELP_ICON));
    EXPECT_EQ(logged("options.html"), kLogger + std::string("https \"https://www.orvane.com/options.html\""));

    // The export (a button of the same page) tells where it went.
    ASSERT_TRUE(post_button(options, IDC_EXPORT_SETTINGS));
    HWND told = wait_dialog(s_.process.id(), nullptr);
    const std::string message = message_text(told);
    ASSERT_TRUE(answer(told, IDOK));
    const size_t at = message.find("file:\n") + 6;
    std::string header = "\xff\xfe";  // a version 5 file is kept in UTF-16
    for (char c : std::string_view("Windows Registry Editor Version 5.00")) header += std::string{c, '\0'};
    EXPECT_EQ(file_text(message.substr(at, message.find('\n', at) - at)).rfind(header, 0), 0u) << message;
    quit(s_);
}

}  // namespace
}  // namespace sx::e2e::test
