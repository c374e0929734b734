// The information window through the real program on the demo system: opened from every page (by
// Info, Enter and a double click) with its lines for that kind of entry, paged through the list and
// around its ends; a program with blanks in its path started and stopped from it; a note made and
// saved; the demo service stopped and given another start type; the program-information request in
// both formats and the help of every page, through the shell logger of the test prefix.
#include <windows.h>
#include <tlhelp32.h>

#include <filesystem>
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
constexpr char kRunTitle[] = "SxRunCheck";
constexpr char kPlanted[] = "C:\\Program.exe";  // what an unquoted start of the path would run
constexpr char kBuild[] = "1.0.0";              // the ProductVersion of res/app.rc
constexpr char kSite[] = "https://info.example.test/sx/";

std::string file_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string shell_log() { return file_text(kShellLog); }

// The line of the shell log that holds `text`, once the logger has written it.
std::string logged(const std::string& text) {
    std::string line;
    wait_until([&] {
        const std::string log = shell_log();
        const size_t at = log.find(text);
        if (at == std::string::npos) return false;
        const size_t start = log.rfind('\n', at);
        line = log.substr(start == std::string::npos ? 0 : start + 1, log.find('\r', at) - (start == std::string::npos ? 0 : start + 1));
        return true;
    });
    return line;
}

// Processes started from a file of this name; with `end`, they are ended.
int processes_named(const char* name, bool end = false) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, name) != 0) continue;
        ++count;
        if (end) {
            HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID);
            if (process) TerminateProcess(process, 1), CloseHandle(process);
        }
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
        processes_named("notepad.exe", true);
        EndToEnd::TearDown();
    }

    // The window opened on the row of `page` whose column 0 reads `title`, by `how`: the Info button,
    // Enter or a double click.
    enum class How { info, enter, double_click };
    HWND open_window(HWND page, const std::string& title, How how = How::info) {
        HWND list = GetDlgItem(page, kListId);
        const int row = find_row(read_rows(list), 0, title);
        EXPECT_GE(row, 0) << title << " is not listed:\n" << describe(read_rows(list));
        if (row < 0 || !select_rows(list, {row})) return nullptr;
        if (how == How::info) post_button(page, IDC_INFO);
        if (how == How::enter) post_command(page, IDOK);
        if (how == How::double_click) double_click_row(list, row);
        HWND window = wait_dialog(s_.process.id(), nullptr, IDC_INFO_NOTE);
        EXPECT_NE(window, nullptr) << "no information window for " << title;
        return window;
    }
    static std::string text(HWND window, int id) { return control_text(window, id); }
    // A click on a check box whose handler may show a message: the box changes, then its page is told.
    static bool toggle(HWND page, int id) {
        const LRESULT now = is_checked(page, id) ? BST_UNCHECKED : BST_CHECKED;
        return send(GetDlgItem(page, id), BM_SETCHECK, static_cast<WPARAM>(now)) && post_button(page, id);
    }
    static bool shown(HWND window, int id) { return control_visible(window, id); }
    void close(HWND window) { EXPECT_TRUE(answer(window, IDOK)) << "the window did not close"; }

    Session s_;
};

TEST_F(InfoWindow, EveryPageOpensItOnItsRowAndItPagesAroundTheList) {
    Process& running = start_demo_program(demo::kFabTrayPath);
    s_ = open();
    ASSERT_NE(s_.sheet, nullptr);

    HWND page = select_tab(s_.sheet, kStartupTab);
    HWND w = open_window(page, "NwUpdate", How::enter);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(window_text(w), "NwUpdate");
    EXPECT_EQ(text(w, IDC_INFO_PRODUCT), NWUPDATE_PRODUCT);
    EXPECT_EQ(text(w, IDC_INFO_DESCRIPTION), NWUPDATE_DESCRIPTION);
    EXPECT_EQ(text(w, IDC_INFO_COMPANY), NWUPDATE_COMPANY);
    EXPECT_EQ(text(w, IDC_INFO_VERSION), NWUPDATE_VERSION);
    EXPECT_EQ(text(w, IDC_INFO_PATH), "C:\\PROGRAM FILES\\NORTHWIND TRADERS\\UPDATE\\NWUPDATE.EXE");
    EXPECT_EQ(text(w, IDC_INFO_LOCATION), "Startup Location: HKLM\\" + std::string(kRunKey));
    EXPECT_EQ(text(w, IDC_INFO_STATUS), "Ready");
    EXPECT_TRUE(shown(w, IDC_INFO_RUN) && !shown(w, IDC_INFO_KILL));
    EXPECT_EQ(text(w, IDC_INFO_FIRST_DETECTED), "03/07/2009 9:05 AM");
    EXPECT_FALSE(text(w, IDC_INFO_CREATED).empty());
    EXPECT_EQ(text(w, IDC_INFO_NOTE_BUTTON), "&Create Note");
    // Shrunk, the lower part goes and the window is shorter; the next opening is shrunk too.
    RECT tall{}, short_rect{};
    GetWindowRect(w, &tall);
    ASSERT_TRUE(click_button(w, IDC_INFO_EXPAND));
    GetWindowRect(w, &short_rect);
    EXPECT_LT(short_rect.bottom - short_rect.top, tall.bottom - tall.top);
    EXPECT_FALSE(shown(w, IDC_INFO_NOTE));
    EXPECT_EQ(text(w, IDC_INFO_EXPAND), "E&xpand Info");
    close(w);

    page = select_tab(s_.sheet, kActiveXTab);
    w = open_window(page, "Contoso Media Player", How::double_click);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(text(w, IDC_INFO_LOCATION), "CLSID: " + std::string(demo::kPlayerClsid));
    EXPECT_EQ(text(w, IDC_INFO_NOTE), text(w, IDC_INFO_LOCATION));
    EXPECT_FALSE(shown(w, IDC_INFO_NOTE)) << "shrunk, as the window was left";
    EXPECT_FALSE(shown(w, IDC_INFO_STATUS) || shown(w, IDC_INFO_KILL) || shown(w, IDC_INFO_RUN));
    ASSERT_TRUE(click_button(w, IDC_INFO_EXPAND));
    close(w);

    page = select_tab(s_.sheet, kIeHelpersTab);
    w = open_window(page, TAILSEARCH_PRODUCT);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(text(w, IDC_INFO_LOCATION), "Location: \"HKLM\\" + std::string(demo::kBhoKey) + "\"");
    EXPECT_FALSE(shown(w, IDC_INFO_STATUS) || shown(w, IDC_INFO_KILL) || shown(w, IDC_INFO_RUN));
    close(w);

    page = select_tab(s_.sheet, kScheduledTasksTab);
    w = open_window(page, "Northwind Update Check");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(text(w, IDC_INFO_LOCATION), "Startup Location: Windows Task Scheduler");
    EXPECT_EQ(text(w, IDC_INFO_NOTE), "Status: Ready\r\nChecks for Northwind updates every day.");
    close(w);

    page = select_tab(s_.sheet, kServicesTab);
    w = open_window(page, demo::kDemoServiceDisplay);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(shown(w, IDC_INFO_LOCATION));
    EXPECT_EQ(send(GetDlgItem(w, IDC_INFO_START_TYPE), CB_GETCURSEL), std::optional<LRESULT>(1)) << "Manual";
    EXPECT_EQ(text(w, IDC_INFO_KILL), "&Stop");
    EXPECT_FALSE(control_enabled(w, IDC_INFO_KILL)) << "the service is stopped";
    EXPECT_EQ(text(w, IDC_INFO_NOTE), "Keeps the files of Adventure Works projects in step with the server.");
    close(w);

    // A running program is stopped from the window; the list no longer shows it once it closes.
    page = select_tab(s_.sheet, kActiveTasksTab);
    w = open_window(page, "FABTRAY.EXE");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(text(w, IDC_INFO_STATUS), "Running");
    ASSERT_TRUE(shown(w, IDC_INFO_KILL));
    ASSERT_TRUE(click_button(w, IDC_INFO_KILL));
    EXPECT_TRUE(running.wait_exit(kDefaultTimeout).has_value());
    EXPECT_EQ(text(w, IDC_INFO_STATUS), "Ready");
    close(w);
    const std::vector<Row> left = wait_rows(GetDlgItem(page, kListId), [](const std::vector<Row>& now) {
        return !now.empty() && find_row(now, 0, "FABTRAY.EXE") < 0;
    });
    EXPECT_LT(find_row(left, 0, "FABTRAY.EXE"), 0) << describe(left);

    // Next from the last entry shows the first, Previous from the first the last.
    page = select_tab(s_.sheet, kHiddenFilesTab);
    const std::vector<Row> rows = read_rows(GetDlgItem(page, kListId));
    ASSERT_GE(rows.size(), 3u);
    w = open_window(page, rows[0][0], How::double_click);
    ASSERT_NE(w, nullptr);
    // Entries are told apart by their paths.
    std::vector<std::string> seen{text(w, IDC_INFO_PATH)};
    for (size_t i = 0; i < rows.size(); ++i) {
        ASSERT_TRUE(click_button(w, IDC_INFO_NEXT));
        seen.push_back(text(w, IDC_INFO_PATH));
    }
    EXPECT_EQ(seen.back(), seen.front()) << "around the end, back at the start";
    EXPECT_EQ(std::set<std::string>(seen.begin(), seen.end()).size(), rows.size());
    ASSERT_TRUE(click_button(w, IDC_INFO_PREVIOUS));
    EXPECT_EQ(text(w, IDC_INFO_PATH), seen[rows.size() - 1]);
    EXPECT_FALSE(shown(w, IDC_INFO_STATUS));
    close(w);
    quit(s_);
}

TEST_F(InfoWindow, TheDemoServiceIsStoppedAndGivenAnotherStartType) {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service = OpenServiceA(manager, demo::kDemoServiceName, SERVICE_START | SERVICE_QUERY_STATUS);
    ASSERT_TRUE(service && StartServiceA(service, 0, nullptr)) << "the demo service did not start";
    auto state = [&] {
        SERVICE_STATUS status{};
        return QueryServiceStatus(service, &status) ? status.dwCurrentState : 0;
    };
    EXPECT_TRUE(wait_until([&] { return state() == SERVICE_RUNNING; }));

    s_ = open();
    HWND page = select_tab(s_.sheet, kServicesTab);
    HWND w = open_window(page, demo::kDemoServiceDisplay);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(text(w, IDC_INFO_STATUS), "Running");
    EXPECT_TRUE(control_enabled(w, IDC_INFO_KILL));
    ASSERT_TRUE(click_button(w, IDC_INFO_KILL));
    EXPECT_TRUE(wait_until([&] { return state() == SERVICE_STOPPED; }));
    EXPECT_TRUE(wait_until([&] {
        send(w, WM_COMMAND, MAKEWPARAM(IDC_INFO_RUN, BN_CLICKED));  // refreshes a service's window
        return text(w, IDC_INFO_STATUS).empty();
    })) << text(w, IDC_INFO_STATUS);
    EXPECT_FALSE(control_enabled(w, IDC_INFO_KILL));

    // Apply is offered only for another type than the one the service has.
    HWND types = GetDlgItem(w, IDC_INFO_START_TYPE);
    auto choose = [&](int k) {
        send(types, CB_SETCURSEL, static_cast<WPARAM>(k));
        send(w, WM_COMMAND, MAKEWPARAM(IDC_INFO_START_TYPE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
        return control_enabled(w, IDC_INFO_APPLY);
    };
    EXPECT_FALSE(choose(1));
    EXPECT_TRUE(choose(2));
    ASSERT_TRUE(click_button(w, IDC_INFO_APPLY));
    const std::string key = std::string(demo::kServicesKey) + "\\" + demo::kDemoServiceName;
    EXPECT_EQ(read_dword(HKEY_LOCAL_MACHINE, key, "Start"), std::optional<DWORD>(SERVICE_DISABLED));
    EXPECT_FALSE(control_enabled(w, IDC_INFO_APPLY));
    EXPECT_FALSE(choose(2));
    close(w);
    // The list is filled again when the window closes.
    auto disabled = [](const std::vector<Row>& rows) {
        const int row = find_row(rows, 0, demo::kDemoServiceDisplay);
        return row >= 0 && rows[static_cast<size_t>(row)][4] == "Disabled";
    };
    EXPECT_TRUE(disabled(wait_rows(GetDlgItem(page, kListId), disabled)));
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    quit(s_);
}

TEST_F(InfoWindow, AProgramWithBlanksInItsPathRunsANoteIsKeptAndTheRequestGoesOut) {
    const std::string command = std::string("\"") + demo::kTailspinPath + "\" -wait 30";
    ASSERT_TRUE(write_text(HKEY_CURRENT_USER, kRunKey, kRunTitle, command));
    ASSERT_TRUE(CopyFileA(demo::kTailspinPath, kPlanted, FALSE));
    ASSERT_TRUE(write_text(HKEY_CURRENT_USER, kSentrixKey, "VendorSite", kSite));
    s_ = open();
    HWND page = select_tab(s_.sheet, kStartupTab);
    HWND w = open_window(page, kRunTitle);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(shown(w, IDC_INFO_RUN));
    ASSERT_TRUE(click_button(w, IDC_INFO_RUN));
    EXPECT_EQ(processes_named(TAILSPIN_FILE), 1);
    EXPECT_EQ(processes_named("Program.exe"), 0) << "the planted program ran";
    EXPECT_EQ(text(w, IDC_INFO_STATUS), "Running");
    ASSERT_TRUE(shown(w, IDC_INFO_KILL));
    ASSERT_TRUE(click_button(w, IDC_INFO_KILL));
    EXPECT_TRUE(wait_until([] { return processes_named(TAILSPIN_FILE) == 0; }));
    EXPECT_EQ(text(w, IDC_INFO_STATUS), "Ready");

    // A note: made at once with the title and command, saved after an edit.
    const std::string stored = std::string(demo::kTailspinPath) + " -wait 30";
    const std::string note = read_text(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                                       "AppData").value_or("") + "\\Sentrix\\note_TAILSPINLAUNCHER.txt";
    ASSERT_TRUE(click_button(w, IDC_INFO_NOTE_BUTTON));
    const std::string made = std::string(kRunTitle) + "\r\n" + stored + "\r\n";
    EXPECT_EQ(text(w, IDC_INFO_NOTE), made);
    EXPECT_EQ(file_text(note), made);
    EXPECT_EQ(text(w, IDC_INFO_NOTE_BUTTON), "&Save Note");
    EXPECT_FALSE(control_enabled(w, IDC_INFO_NOTE_BUTTON));
    ASSERT_TRUE(type_text(GetDlgItem(w, IDC_INFO_NOTE), "Keep it."));
    EXPECT_TRUE(control_enabled(w, IDC_INFO_NOTE_BUTTON));
    ASSERT_TRUE(click_button(w, IDC_INFO_NOTE_BUTTON));
    EXPECT_EQ(file_text(note), made + "Keep it.");

    // The request in the first format goes to the site of the setting, every text encoded.
    const std::string query = "program=TAILSPINLAUNCHER.EXE&vendor=Tailspin%20Toys";
    ASSERT_TRUE(click_button(w, IDC_INFO_MORE));
    EXPECT_EQ(logged("zentrainfo.pl"), "C:\\sxtest\\sxlogger.exe https \"" + std::string(kSite) +
                                           "cgi-bin/zentrainfo.pl?" + query + "&version=7.0.2.0&build=" + kBuild +
                                           "&Type=11&Loc=en&ext=EXE\"");
    close(w);

    // The second format, chosen on the Options page, opens a shortcut that is gone afterwards.
    page = select_tab(s_.sheet, kOptionsTab);
    ASSERT_TRUE(toggle(page, IDC_ZENTRA_FORMAT));
    HWND thanks = wait_dialog(s_.process.id(), nullptr);
    ASSERT_NE(thanks, nullptr);
    EXPECT_EQ(message_text(thanks).rfind("Thank you for your support.", 0), 0u);
    ASSERT_TRUE(answer(thanks, IDOK));
    page = select_tab(s_.sheet, kStartupTab);
    w = open_window(page, kRunTitle);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(text(w, IDC_INFO_NOTE), made + "Keep it.") << "the note is shown, editable";
    ASSERT_TRUE(click_button(w, IDC_INFO_MORE));
    const std::string line = logged("zentrainfo12.pl");
    const std::string url = line.substr(line.find(" URL=") + 5);
    EXPECT_EQ(url.rfind(std::string(kSite) + "cgi-bin/zentrainfo12.pl?" + query + "&build=" + kBuild +
                            "&Type=11&ext=EXE&Loc=us&version=7.0.2.0&name=Tailspin%20Game%20Launcher&",
                        0),
              0u)
        << url;
    EXPECT_TRUE(url.ends_with("&path=C%3A%5CPROGRAM%20FILES%5CTAILSPIN%20TOYS%5CLAUNCHER%5CTAILSPINLAUNCHER.EXE"))
        << url;
    EXPECT_NE(line.find("\\Temp\\temp.url\""), std::string::npos) << line;
    const std::string shortcut = line.substr(line.find(" url \"") + 6, line.find("\" URL=") - line.find(" url \"") - 6);
    EXPECT_FALSE(file_exists(shortcut)) << shortcut;
    close(w);
    quit(s_);
}

TEST_F(InfoWindow, HelpOfEveryPageOpensBesideTheProgramAndTheOptionsLaunchTheirTools) {
    s_ = open();
    const std::pair<int, const char*> kHelp[] = {
        {kStartupTab, "startup.html"},  {kActiveXTab, "activex.html"},    {kIeHelpersTab, "bho.html"},
        {kScheduledTasksTab, "scheduler.html"}, {kServicesTab, "services.html"}, {kActiveTasksTab, "tasks.html"},
        {kHiddenFilesTab, "hidden.html"}, {kOptionsTab, "options.html"}};
    for (const auto& [tab, file] : kHelp) {
        HWND page = select_tab(s_.sheet, tab);
        ASSERT_TRUE(page && post_command(page, IDC_HELP_ICON));
        const std::string local = std::string(demo::kProgramFolder) + "\\" + file;
        EXPECT_EQ(logged(file), "C:\\sxtest\\sxlogger.exe htmlfile \"" + local + "\"");
        EXPECT_TRUE(file_exists(local));
    }
    // Without its local page, a page's help is on the vendor's site.
    HWND options = active_page(s_.sheet);
    ASSERT_TRUE(DeleteFileA((std::string(demo::kProgramFolder) + "\\options.html").c_str()));
    DeleteFileA(kShellLog);
    ASSERT_TRUE(post_command(options, IDC_HELP_ICON));
    EXPECT_EQ(logged("options.html"), "C:\\sxtest\\sxlogger.exe https \"https://www.orvane.com/options.html\"");

    // Unticking the format box says nothing; the HOSTS file opens in Notepad; the export is told.
    ASSERT_TRUE(toggle(options, IDC_ZENTRA_FORMAT));
    ASSERT_TRUE(answer(wait_dialog(s_.process.id(), nullptr), IDOK));
    ASSERT_TRUE(toggle(options, IDC_ZENTRA_FORMAT));
    Sleep(kQuietSpell);
    EXPECT_EQ(other_dialog(s_.process.id(), s_.sheet), nullptr);
    ASSERT_TRUE(post_button(options, IDC_VIEW_HOSTS));
    EXPECT_TRUE(wait_until([] { return processes_named("notepad.exe") == 1; }));
    ASSERT_TRUE(post_button(options, IDC_EXPORT_SETTINGS));
    HWND told = wait_dialog(s_.process.id(), nullptr);
    ASSERT_NE(told, nullptr);
    const std::string message = message_text(told);
    ASSERT_TRUE(answer(told, IDOK));
    const size_t at = message.find("file:\n");
    ASSERT_NE(at, std::string::npos) << message;
    const std::string exported = message.substr(at + 6, message.find('\n', at + 6) - at - 6);
    std::ifstream in(exported, std::ios::binary);
    std::string first_line;
    std::getline(in, first_line);
    EXPECT_EQ(first_line, "Windows Registry Editor Version 5.00\r") << exported;
    quit(s_);
}

}  // namespace
}  // namespace sx::e2e::test
