// The reports of the real program on the demo system: each report button of the Options page writes
// its file into the program's folder and has the shell open it, as its golden file expects; and a report asked for from a page
// leaves that page's rows on their own records, so deleting the selected row deletes its own file.
#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "e2e_support.h"

namespace sx::e2e::test {
namespace {

constexpr DWORD kReportTimeout = 90000;  // every inventory of the demo system is enumerated
constexpr int kCmdReport = 9, kMenuDelete = 4;

class Reports : public EndToEnd {};

// A report of the demo system without what changes from run to run: times, dates and memory figures,
// the running processes (the list of the scan log, the Active Tasks section and rows) and the states of
// services that other tests start and stop.
std::string steady(std::string text) {
    static const std::regex kClock(R"(\d{1,2}:\d\d:\d\d [AP]M|\d{1,2}/\d\d/\d{4}( \d{1,2}:\d\d [AP]M)?)");
    static const std::regex kMemory(R"(((Memory currently in use|Physical Memory Free|Paging File Free|Virtual Memory Free):) [\d,]+)");
    static const std::regex kHiddenTimes(R"(\t(Created|Accessed|Written|Service Status): [^<]*)");
    static const std::regex kServiceStates(R"(\r\nServices,[^,]*,)");
    static const std::regex kProcesses(R"(Running processes:\r\n(.+\r\n)*|<A NAME="A2">[^]*?(?=<A NAME="A3">)|Active Tasks,.*\r\n)");
    text = std::regex_replace(text, kProcesses, "");
    text = std::regex_replace(text, kHiddenTimes, "\t$1: <varies>");
    text = std::regex_replace(text, kServiceStates, "\r\nServices,<state>,");
    text = std::regex_replace(text, kMemory, "$1 <n>");
    return std::regex_replace(text, kClock, "<time>");
}

std::string golden(const std::string& name, const std::string& produced) {
    const std::string path = windows_path(SX_E2E_GOLDEN_DIR) + "\\" + name;
    if (std::getenv("SX_UPDATE_GOLDEN")) std::ofstream(path, std::ios::binary) << produced;
    return read_file(path);
}

// Waits until the shell logger has been started on `file` after `action`: a line an earlier test
// left in the log would let the test read a report that is still being written.
template <typename Action>
bool opened(const std::string& file, Action action) {
    const size_t from = read_file(kShellLog).size();
    return action() && wait_until([&] { return read_file(kShellLog).find(file, from) != std::string::npos; }, kReportTimeout);
}

TEST_F(Reports, EachReportButtonWritesItsFileAndOpensIt) {
    const std::pair<int, const char*> kReports[] = {{1108, "SentrixLog.html"}, {1109, "HijackSentrix.log"}, {1110, "SentrixLog.csv"}};
    Session s = open("-OPTION");
    HWND page = select_tab(s.sheet, kOptionsTab);
    ASSERT_NE(page, nullptr);
    for (const auto& [button, file] : kReports) {
        const std::string path = std::string(demo::kProgramFolder) + "\\" + file;
        ASSERT_TRUE(opened(path, [&] { return post_button(page, button); })) << file << "\n" << read_file(kShellLog);
        const std::string text = steady(read_file(path));
        EXPECT_EQ(text, golden(file, text)) << file;
    }
    EXPECT_EQ(other_dialog(s.process.id(), s.sheet), nullptr);
    quit(s);
}

TEST_F(Reports, AProgramNamedForHijackWritesTheScanLogAsItOpens) {
    const std::string copy = std::string(demo::kProgramFolder) + "\\SentrixHijack.exe";
    ASSERT_TRUE(CopyFileA(demo::kProgramFile, copy.c_str(), FALSE));
    Process program;
    EXPECT_TRUE(opened(std::string(demo::kProgramFolder) + "\\HijackSentrix.log",
                       [&] { return program.start(copy, {}, demo::kProgramFolder); }));
    HWND main = wait_main_window(program.id());
    Session s{std::move(program), main, nullptr};
    EXPECT_NE(wait_sheet(s.process.id()), nullptr) << "the sheet opens after the log";
    quit(s);  // the next test's start removes the copy with the program's folder
}

TEST_F(Reports, AReportFromAPageLeavesItsRowsOnTheirOwnRecords) {
    const std::string target = demo::kWinHiddenPath;
    Session s = open("-HIDDEN");
    HWND list = list_of(s.sheet);
    const std::vector<Row> rows = read_rows(list);
    const int row = find_row(rows, 0, target.substr(target.rfind('\\') + 1));
    ASSERT_GE(row, 0) << describe(rows);
    ASSERT_TRUE(select_rows(list, {row}));
    ASSERT_TRUE(opened(std::string(demo::kProgramFolder) + "\\SentrixLog.html",
                       [&] { return post_command(active_page(s.sheet), kCmdReport); }));
    EXPECT_EQ(read_rows(list), rows) << "the page shows what it showed";

    ASSERT_TRUE(use_context_menu(list, {row}, kMenuDelete));
    ASSERT_TRUE(answer(wait_dialog(s.process.id(), kSheetCaption), IDYES));
    wait_rows(list, [&](const std::vector<Row>& now) { return now.size() + 1 == rows.size(); });
    EXPECT_FALSE(file_exists(target));
    for (const Row& other : rows) {
        const std::string path = (other[1].back() == '\\' ? other[1] : other[1] + "\\") + other[0];
        EXPECT_TRUE(path == target || file_exists(path)) << path;
    }
    quit(s);
}

}  // namespace
}  // namespace sx::e2e::test
