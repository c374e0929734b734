// shoot.exe: puts SentrixEx.exe into the state a screenshot shows, one step per run, and writes the
// screen rectangle to take ("left top width height") into a result file. screenshots.sh runs it
// once per picture and takes the picture itself; the program and its demo programs keep running
// between the steps.
//
//   shoot.exe start <result> <SentrixEx.exe>   seed the demo system, start demo programs and the
//                                              program, show the Startup Programs page
//   shoot.exe tab <title> <result>             show the tab of that title ("Services")
//   shoot.exe info <title> <result>            open the information window on that Startup Programs row
//   shoot.exe history <result>                 write a history file and open the History dialog
//   shoot.exe quit <result>                    close the dialog and the program
//
// Exit code 0 when the step worked, 1 when it did not, 2 for a wrong command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include <utility>

#include "tools/demo/demo_system.h"
#include "tools/e2e/driver.h"

namespace {

using namespace sx::e2e;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kDemoSeconds = 300;     // the demo programs outlive every step
constexpr int kQuit = 6030;
constexpr int kViewHistory = 1104;
constexpr int kInfo = 1008;
constexpr int kInfoNote = 1033;  // a control only the information window has
constexpr int kProgramReport = 1108;
constexpr DWORD kReportTimeout = 90000;  // every inventory of the demo system is listed
constexpr char kShellLog[] = "C:\\sxtest\\shell.log";
constexpr DWORD kSettle = 300;        // lets the last repaint of a freshly shown page finish
constexpr char kHistoryFile[] = "C:\\Program Files\\Sentrix\\history.txt";
constexpr char kPositionKey[] = "Software\\Orvane\\Sentrix";

// Where the sheet opens and how large: the stored position the program reads, big enough for the
// columns to show their texts.
constexpr std::pair<const char*, const char*> kSheetPosition[] = {
    {"xPos", "0"}, {"yPos", "0"}, {"dxPos", "1000"}, {"dyPos", "620"}};

// Programs shown running on the Active Tasks page.
constexpr const char* kRunningDemos[] = {sx::demo::kFabTrayPath, sx::demo::kAwClockPath,
                                         sx::demo::kContosoSyncPath};

// A few records of the kinds the program writes, so the History dialog has something to show.
constexpr char kHistory[] =
    "03/14/2024  9:12 AM\t*START_Remove\tCURRENT_RUN\tLitwareAgent\t"
    "C:\\Program Files\\Litware\\Agent\\LitwareAgent.exe\t\r\n"
    "03/14/2024  9:13 AM\tTASK_Kill\tINFO_TASK\tFabrikam Tray Icon\t"
    "C:\\PROGRAM FILES\\FABRIKAM\\TRAY\\FABTRAY.EXE\t\r\n"
    "03/15/2024  4:40 PM\t*START_Remove\tGROUP_STARTUP\tCheck for Northwind updates\t"
    "C:\\Program Files\\Northwind Traders\\Update\\NwUpdate.exe\t"
    "C:\\users\\root\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\Northwind Update.lnk\r\n"
    "03/16/2024  11:02 AM\tSERVICE_Stop\tSERVICE_EXE\tContoso Sync Service\t"
    "C:\\Program Files\\Contoso\\Sync\\ContosoSync.exe\t\r\n";

int fail(const std::string& why) {
    std::fprintf(stderr, "shoot.exe: %s\n", why.c_str());
    return kExitFailed;
}

bool write_rect(const std::string& result, RECT r) {
    std::ofstream out(result, std::ios::trunc);
    out << r.left << ' ' << r.top << ' ' << (r.right - r.left) << ' ' << (r.bottom - r.top) << '\n';
    return static_cast<bool>(out);
}

bool write_window(const std::string& result, HWND window) {
    RECT r{};
    return GetWindowRect(window, &r) && write_rect(result, r);
}

bool store_text(const char* key_path, const char* name, const char* text) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key_path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const LSTATUS status = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                          static_cast<DWORD>(std::strlen(text) + 1));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

struct Running {
    HWND main = nullptr;
    HWND sheet = nullptr;
};

Running running() {
    Running r;
    r.main = main_window();
    if (r.main) r.sheet = find_sheet(owner_process(r.main));
    return r;
}

int start(const std::string& result, const std::string& program) {
    sx::demo::SeedOptions options;
    options.program = program;
    const sx::demo::Result seeded = sx::demo::seed(options);
    if (!seeded.ok) {
        for (const std::string& error : seeded.errors) std::fprintf(stderr, "%s\n", error.c_str());
        return fail("seeding the demo system failed");
    }
    for (const auto& [name, value] : kSheetPosition) {
        if (!store_text(kPositionKey, name, value)) return fail(std::string("cannot store ") + name);
    }
    for (const char* demo : kRunningDemos) {
        Process p;
        if (!p.start(demo, "-wait " + std::to_string(kDemoSeconds))) return fail(std::string("cannot start ") + demo);
        p.detach();
    }
    Process p;
    if (!p.start(sx::demo::kProgramFile, {}, sx::demo::kProgramFolder)) return fail("cannot start SentrixEx.exe");
    const DWORD id = p.id();
    p.detach();
    HWND sheet = wait_sheet(id);
    if (!sheet) return fail("the sheet did not open");
    if (!wait_sheet_filled(sheet)) return fail("the first page was not filled");
    Sleep(kSettle);
    return write_window(result, sheet) ? kExitOk : fail("cannot write " + result);
}

// The index of the tab whose title, without its surrounding blanks, is `title`; -1 when none is.
int tab_named(HWND sheet, const std::string& title) {
    const std::vector<std::string> titles = tab_texts(sheet);
    for (size_t i = 0; i < titles.size(); ++i) {
        const size_t first = titles[i].find_first_not_of(' '), last = titles[i].find_last_not_of(' ');
        if (first != std::string::npos && titles[i].substr(first, last - first + 1) == title) return static_cast<int>(i);
    }
    return -1;
}

int tab(const std::string& title, const std::string& result) {
    const Running r = running();
    if (!r.sheet) return fail("SentrixEx.exe is not running with its sheet");
    const int index = tab_named(r.sheet, title);
    if (index < 0 || !select_tab(r.sheet, index)) return fail("tab " + title + " did not open");
    Sleep(kSettle);
    return write_window(result, r.sheet) ? kExitOk : fail("cannot write " + result);
}

// Closes the information window when it is open.
void close_info(DWORD process) {
    if (HWND info = find_dialog(process, nullptr, kInfoNote)) answer(info, IDOK);
}

int info(const std::string& title, const std::string& result) {
    const Running r = running();
    if (!r.sheet) return fail("SentrixEx.exe is not running with its sheet");
    const DWORD id = owner_process(r.main);
    close_info(id);
    HWND page = select_tab(r.sheet, tab_named(r.sheet, "Startup Programs"));
    HWND list = page ? GetDlgItem(page, kListId) : nullptr;
    const int row = list ? find_row(read_rows(list), 0, title) : -1;
    if (row < 0 || !select_rows(list, {row}) || !post_button(page, kInfo)) return fail("cannot select " + title);
    HWND window = wait_dialog(id, nullptr, kInfoNote);
    if (!window) return fail("the information window did not open");
    send(window, WM_NULL);
    Sleep(kSettle);
    return write_window(result, window) ? kExitOk : fail("cannot write " + result);
}

int history(const std::string& result) {
    const Running r = running();
    if (!r.sheet) return fail("SentrixEx.exe is not running with its sheet");
    close_info(owner_process(r.main));
    {
        std::ofstream out(kHistoryFile, std::ios::binary | std::ios::trunc);
        out << kHistory;
        if (!out) return fail(std::string("cannot write ") + kHistoryFile);
    }
    HWND options = select_tab(r.sheet, tab_named(r.sheet, "Options"));
    if (!options || !post_button(options, kViewHistory)) return fail("cannot press View History");
    HWND dialog = wait_dialog(owner_process(r.main), kHistoryCaption, kListId);
    if (!dialog) return fail("the History dialog did not open");
    send(dialog, WM_NULL);
    Sleep(kSettle);
    RECT sheet_rect{};
    RECT dialog_rect{};
    GetWindowRect(r.sheet, &sheet_rect);
    GetWindowRect(dialog, &dialog_rect);
    RECT both{};
    UnionRect(&both, &sheet_rect, &dialog_rect);
    return write_rect(result, both) ? kExitOk : fail("cannot write " + result);
}

// Presses "Sentrix Log" on the Options page and waits until the shell was asked to open the report.
int report(const std::string& result) {
    const Running r = running();
    if (!r.sheet) return fail("SentrixEx.exe is not running with its sheet");
    close_info(owner_process(r.main));
    HWND options = select_tab(r.sheet, tab_named(r.sheet, "Options"));
    if (!options || !post_button(options, kProgramReport)) return fail("cannot press Sentrix Log");
    const bool opened = wait_until([] {
        std::ifstream log(kShellLog, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
        return text.find("SentrixLog.html") != std::string::npos;
    }, kReportTimeout);
    if (!opened) return fail("the report was not opened");
    std::ofstream(result, std::ios::trunc) << "done\n";
    return kExitOk;
}

int quit(const std::string& result) {
    const Running r = running();
    if (!r.main) return fail("SentrixEx.exe is not running");
    const DWORD id = owner_process(r.main);
    if (HWND dialog = find_dialog(id, kHistoryCaption, kListId)) answer(dialog, IDOK);
    post_command(r.main, kQuit);
    if (!wait_until([&] { return main_window(id) == nullptr; })) return fail("SentrixEx.exe did not quit");
    std::ofstream(result, std::ios::trunc) << "done\n";
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string step = argc > 1 ? argv[1] : "";
    if (step == "start" && argc == 4) return start(argv[2], argv[3]);
    if (step == "tab" && argc == 4) return tab(argv[2], argv[3]);
    if (step == "info" && argc == 4) return info(argv[2], argv[3]);
    if (step == "history" && argc == 3) return history(argv[2]);
    if (step == "quit" && argc == 3) return quit(argv[2]);
    if (step == "report" && argc == 3) return report(argv[2]);
    std::fputs("usage: shoot.exe start <result> <SentrixEx.exe> | tab <title> <result> | info <title> <result> | history <result> | report <result> | quit <result>\n",
               stderr);
    return kExitUsage;
}
