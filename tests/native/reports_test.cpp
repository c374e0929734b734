// The reports on the fakes: every report of a small machine byte for byte against its golden file,
// with the page's list left as it was; every write failing in turn; the text rules that keep a value
// in its place (HTML, links, CSV, log lines, registry files); the readers of outside files; and the
// real clients: Python's csv module and headless Chromium.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>

#include "common/text.h"
#include "reports/cookies.h"
#include "reports/csv_report.h"
#include "reports/environment.h"
#include "reports/file_types.h"
#include "reports/output.h"
#include "reports/program_report.h"
#include "reports/registry_export.h"
#include "reports/report_text.h"
#include "reports/scan_log.h"
#include "startup/item_list.h"
#include "tests/native/report_machine.h"

namespace sx::reports::test {
namespace {

using platform::RegValue;
namespace type = platform::reg_type;

std::string latin1_utf16_export(const std::vector<ExportKey>& keys) {
    return registry_export_text(keys, [](std::string_view s) { return std::u16string(s.begin(), s.end()); });
}

struct Produced {
    const char* golden;
    std::function<std::string(AppState&)> make;
};
const Produced kReports[] = {
    {"HijackSentrix.log", [](AppState& a) { return scan_log_text(GatherScanLog(a)); }},
    {"SentrixLog.html", [](AppState& a) { return program_report_html(GatherProgramReport(a)); }},
    {"SentrixLog.txt", [](AppState& a) { a.settings.format = 1; return program_report_text(GatherProgramReport(a)); }},
    {"SentrixLog.csv", [](AppState& a) { return csv_report_text(GatherCsvReport(a)); }},
    {"root-Sentrix.reg", [](AppState& a) {
         std::vector<ExportKey> keys = GatherExportKey(a.os.registry, platform::Root::current_user, "Software\\Orvane\\Sentrix");
         return latin1_utf16_export(keys);
     }},
};

class Reports : public ::testing::Test, protected ReportMachine {};

// A page's list stays as the page filled it: its rows still point at the same records.
TEST_F(Reports, EachReportMatchesItsGoldenFileAndLeavesThePagesListAlone) {
    startup::AddItem(app, "Hidden one", kHiddenFile, kHiddenFile, {}, code::hidden_file, 1);
    const std::vector<StartupEntry> page = app.items.entries();
    for (const Produced& report : kReports) {
        const std::string produced = report.make(app);
        EXPECT_EQ(produced, golden(report.golden, produced)) << report.golden;
        EXPECT_EQ(produced.find('\n'), produced.find("\r\n") + 1) << "CR LF line ends: " << report.golden;
        ASSERT_EQ(app.items.count(), page.size()) << report.golden;
        EXPECT_EQ(app.items.at(0)->command, page[0].command) << report.golden;
    }
}

// Whichever write fails, the file opened is the one just written, or nothing is opened and the user is told.
TEST_F(Reports, AReportIsOpenedOnlyOnceWrittenAndWhereItWasWritten) {
    const std::pair<std::string, std::function<bool(AppState&)>> kWriters[] = {
        {"SentrixLog.html", [](AppState& a) { return WriteProgramReport(a, 0); }},
        {"SentrixLog.csv", [](AppState& a) { return WriteCsvReport(a, 0); }},
        {"HijackSentrix.log", [](AppState& a) { return WriteScanLog(a, 0); }},
        {"root-Sentrix.reg", [](AppState& a) { return ExportSettings(a); }}};
    for (const auto& [name, write] : kWriters) {
        for (int failing = -1; failing < 2; ++failing) {
            ReportMachine m;
            int writes = 0;
            m.fake.files.faults.fail_when([&](std::string_view op, std::string_view) { return op == "files.write" && writes++ <= failing; });
            const bool written = write(m.app);
            ASSERT_EQ(written, failing < 1) << failing;
            const std::string folder = failing == 0 ? kUserFolder : kProgramFolder;
            if (!written) {
                EXPECT_TRUE(m.fake.shell.calls.empty());
                ASSERT_EQ(m.fake.prompts.told.size(), 1u);
                EXPECT_NE(m.fake.prompts.told[0].find("could not be written"), std::string::npos);
                continue;
            }
            const std::string path = folder + "\\" + name;
            EXPECT_FALSE(m.fake.files.content(path).empty()) << path;
            if (m.fake.shell.calls.empty()) {  // the settings export tells where it is instead
                EXPECT_NE(m.fake.prompts.told.at(0).find(path), std::string::npos) << m.fake.prompts.told[0];
            } else {
                EXPECT_EQ(m.fake.shell.calls, std::vector<std::string>{"open|" + path + "||"});
            }
        }
    }
}

TEST(ReportText, ValuesKeepTheirPlace) {
    EXPECT_EQ(html_escape("<b a='1'>\"x\" & y</b>"), "&lt;b a=&#39;1&#39;&gt;&quot;x&quot; &amp; y&lt;/b&gt;");
    EXPECT_EQ(percent_encode("Ab-._~ &=?#/\xE9"), "Ab-._~%20%26%3D%3F%23%2F%E9");
    const std::pair<std::string, std::string> kFields[] = {
        {"plain text", "plain text"}, {"a,b", "\"a,b\""}, {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""}, {"lf\nonly", "\"lf\nonly\""}, {"", ""}};
    for (const auto& [field, written] : kFields) EXPECT_EQ(csv_field(field), written);
    EXPECT_EQ(one_line("a\r\nO1 - forged\tx\x7f"), "a  O1 - forged x ");
    EXPECT_EQ(clock_text({2024, 3, 5, 12, 5, 0}), "12:05:00 PM");
    EXPECT_EQ(clock_text({2024, 3, 5, 0, 5, 0}), "12:05:00 AM");
    EXPECT_EQ(date_text({2024, 3, 5, 0, 5, 0}), " 3/05/2024");
}

TEST(RegistryExport, EachTypeInTheFormTheEditorReadsBack) {
    const std::pair<RegValue, std::string> kLines[] = {
        {{"", type::sz, std::string("C:\\Temp\0", 8)}, "@=\"C:\\\\Temp\"\r\n"},
        {{"say \"q\"", type::sz, std::string("a \"b\" c\\d\0", 10)}, "\"say \\\"q\\\"\"=\"a \\\"b\\\" c\\\\d\"\r\n"},
        {{"n", type::sz, std::string("a\r\nb\0", 5)}, "\"n\"=hex(1):61,00,0d,00,0a,00,62,00,00,00\r\n"},
        {{"n", type::dword, std::string("\x01\0\0\x80", 4)}, "\"n\"=dword:80000001\r\n"},
        {{"n", type::dword, std::string("\x01\0", 2)}, "\"n\"=hex(4):01,00\r\n"},
        {{"n", type::binary, std::string("\0\xff", 2)}, "\"n\"=hex:00,ff\r\n"},
        {{"n", type::expand_sz, std::string("%a%\0", 4)}, "\"n\"=hex(2):25,00,61,00,25,00,00,00\r\n"},
        {{"n", type::multi_sz, std::string("a\0b\0\0", 5)}, "\"n\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"},
        {{"n", 11, std::string(8, '\x07')}, "\"n\"=hex(b):07,07,07,07,07,07,07,07\r\n"},
        {{"n", type::binary, std::string(30, 'A')},
         "\"n\"=hex:41,41,41,41,41,41,41,41,41,41,41,41,41,41,41,41,41,41,41,41,41,41,41,\\\r\n  41,41,41,41,41,41,41\r\n"},
    };
    const auto wide = [](std::string_view s) { return std::u16string(s.begin(), s.end()); };
    for (const auto& [value, line] : kLines) EXPECT_EQ(export_value_line(value, wide), line) << value.data;
    const RegValue long_text{"long", type::sz, std::string(1000, 'x') + '\0'};
    EXPECT_EQ(export_value_line(long_text, wide), "\"long\"=\"" + std::string(1000, 'x') + "\"\r\n");
    EXPECT_EQ(registry_file_bytes("W5\r\n", wide), std::string("\xff\xfeW\0" "5\0\r\0\n\0", 10));
}

TEST_F(Reports, TheExportHasEveryKeyLevelAndSkipsNothing) {
    const std::string deep = "Software\\Orvane\\Sentrix\\Delay\\Time\\Third";
    fake.registry.put_text(platform::Root::current_user, deep, "kept", std::string(300, 'v'));
    const std::string text = latin1_utf16_export(GatherExportKey(fake.registry, platform::Root::current_user, "Software\\Orvane\\Sentrix"));
    EXPECT_NE(text.find("\r\n\r\n[HKEY_CURRENT_USER\\" + deep + "]\r\n\"kept\"=\"" + std::string(300, 'v') + "\"\r\n"), std::string::npos);
}

TEST(Environment, PlatformNamesAndTheBrowserProgram) {
    using D = platform::OsDetails;
    const std::pair<D, std::string> kPlatforms[] = {
        {D{2, 10, 0, 19045, "", 0, 1, 0x100, false}, "Windows 10  (Build 19045)"},
        {D{2, 10, 0, 22631, "", 0, 1, 0x200, false}, "Windows 11 Home Edition  (Build 22631)"},
        {D{2, 10, 0, 20348, "", 0, 3, 0x10, false}, "Windows Server 2022  (Build 20348)"},
        {D{2, 6, 1, 7601, "Service Pack 1", 1, 1, 0, true}, "Windows 7 SP1 Tablet PC Edition Service Pack 1 (Build 7601)"},
        {D{2, 6, 3, 9600, "", 0, 2, 0, false}, "Windows Server 2012 R2  (Build 9600)"},
        {D{2, 6, 0, 6002, "Service Pack 2", 2, 1, 0, false}, "Windows Vista SP2 Service Pack 2 (Build 6002)"},
        {D{2, 5, 2, 3790, "", 0, 3, 0x400, false}, "Windows Server 2003 family, Web Edition  (Build 3790)"},
        {D{2, 5, 1, 2600, "Service Pack 3", 3, 1, 0x200, false}, "Windows XP SP3 Home Edition Service Pack 3 (Build 2600)"},
        {D{2, 4, 0, 1381, "Service Pack 6", 6, 1, 0, false}, "Windows NT Workstation 4.0 Service Pack 6a (Build 1381)"},
        {D{1, 4, 10, 2222, " A ", 0, 1, 0, false}, "Microsoft Windows 98 SE "},
        {D{0, 1, 0, 0, "", 0, 1, 0, false}, "Microsoft Win32s"}};
    for (const auto& [details, text] : kPlatforms) EXPECT_EQ(platform_text(details, true), text);
    const std::pair<std::string, std::string> kCommands[] = {
        {"\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" %1", "C:\\Program Files\\Internet Explorer\\iexplore.exe"},
        {"\"C:\\Program Files\\Mozilla Firefox\\firefox.exe\" -osint -url \"%1\"", "C:\\Program Files\\Mozilla Firefox\\firefox.exe"},
        {"C:\\Tools-x\\Browser.EXE -nohome", "C:\\Tools-x\\Browser.EXE"}, {"C:\\b.exe http \"%1\"", "C:\\b.exe"},
        {"browser", ""}, {"\"\"", ""}};
    for (const auto& [command, program] : kCommands) EXPECT_EQ(browser_program_from_command(command), program) << command;
}

TEST(Readers, CookieHostsAndResetLinesStayInBounds) {
    const std::string longest(600, 'd');
    const MozillaCookies c = parse_mozilla_cookies(
        "#comment\tx\n." + longest + "\tTRUE\t/p\tTRUE\t99\tname\tvalue\textra\tmore\nno tab\nlast\tno end", 10);
    ASSERT_EQ(c.count, 1);
    EXPECT_EQ(c.cookies[0].domain, longest.substr(0, 510)) << "511 characters with its dot, the buffer's size";
    EXPECT_EQ(c.cookies[0].value, "value") << "fields past the seventh are ignored";
    EXPECT_TRUE(c.cookies[0].secure && c.cookies[0].subdomains);
    EXPECT_EQ(parse_mozilla_cookies("a\t\nb\t\n", 1).count, 2);
    EXPECT_EQ(hosts_lines("# only\r\n127.0.0.1 localhost\n::1 localhost\n10.0.0.1\tnas\nab\nabc\n1.2.3.4\tads"),
              (std::vector<std::string>{"abc\r\n", "1.2.3.4ads\r\n"}));
    EXPECT_EQ(ie_reset_lines("HKLM,\"Main\",\"Search Page\",,\"http://s/\"\nplain Start Page line, here\nStart Page,unended"),
              (std::vector<std::string>{"O14 - IERESET.INF:HKLM, Search Page = \"http://s/\"",
                                        "O14 - IERESET.INF: Start Page =  here"}));
}

// The scan log's conditions, each on the records of the machine with one change.
TEST_F(Reports, ScanLogLinesAppearOnlyWhenTheirConditionHolds) {
    const ScanLogRecords base = GatherScanLog(app);
    const std::pair<std::function<void(ScanLogRecords&)>, std::pair<std::string, bool>> kCases[] = {
        {[](ScanLogRecords&) {}, {"DisableTaskMgr =1\r\n", true}},
        {[](ScanLogRecords& r) { r.disable_tools[2] = std::string("\0\0\0\0", 4); }, {"DisableTaskMgr", false}},
        {[](ScanLogRecords& r) { r.default_prefix = "http://"; }, {"O13 - DefaultPrefix", false}},
        {[](ScanLogRecords& r) { r.default_prefix = "https://"; }, {"O13 - DefaultPrefix: https://\r\n", true}},
        {[](ScanLogRecords& r) { r.desktop_components.insert(r.desktop_components.begin(), {"My Current Home Page", "x"}); },
         {"O24 -  Desktop Component 1: Weather - http://weather.example.com/\r\n", true}},
        {[](ScanLogRecords& r) { r.hidden_files.assign(45, r.hidden_files.at(0)); }, {std::string(41, 'W'), true}},
        {[](ScanLogRecords& r) { r.env.pages.user_start_page = std::string(256, 'p'); }, {"R0 - HKCU", false}},
        {[](ScanLogRecords& r) { r.env.memory.available_virtual = 140737354006528ULL; }, {"Virtual Memory Free: 137,438,822,272 KB", true}},
    };
    for (const auto& [change, expected] : kCases) {
        ScanLogRecords r = base;
        change(r);
        std::string log = scan_log_text(r);
        if (expected.first == std::string(41, 'W')) {  // counts the hidden-file lines instead
            size_t lines = 0;
            for (size_t at = 0; (at = log.find("WP32 - Hidden File:", at)) != std::string::npos; ++at) ++lines;
            EXPECT_EQ(lines, 41u);
            continue;
        }
        EXPECT_EQ(log.find(expected.first) != std::string::npos, expected.second) << expected.first;
    }
}

TEST_F(Reports, CookiesCountAsTheSettingsAllow) {
    std::string folder = "C:\\cookies";
    fake.registry.put_text(platform::Root::current_user, "Software\\Orvane\\Sentrix", "IECookieFolder", folder);
    fake.files.add_file(folder + "\\index.dat");
    for (int i = 0; i < 25; ++i) fake.files.add_file(folder + "\\c" + std::to_string(i) + ".txt");
    EXPECT_EQ(FindIECookieFolder(app).folder, folder + "\\");
    EXPECT_EQ(CountIECookies(app), 0) << "MaxCookie starts at 0";
    app.settings.max_cookie = 10;
    EXPECT_EQ(CountIECookies(app), 10);
    EXPECT_EQ(CountMozillaCookies(app), 2);
    EXPECT_EQ(app.items.at(0)->title, "contoso.com - id");
    EXPECT_EQ(BrowserKind("C:\\Program Files\\Mozilla Firefox\\firefox.exe"), 6);
    fake.registry.put_text(platform::Root::current_user, "Software\\Orvane\\Sentrix", "CookieFolder", "C:\\nothing");
    EXPECT_TRUE(FindMozillaProfileFolder(app).found);
    EXPECT_EQ(CountMozillaCookies(app), 0);
}

TEST_F(Reports, FileTypesFromEachSourceThatResolves) {
    fake.registry.put_text(platform::Root::current_user, std::string(kFileExtsKey) + "\\.zip", "ProgID", "txtfile");
    fake.registry.put_text(platform::Root::current_user, "Software\\Orvane\\Sentrix\\Class", "", "TXT;;.ZIP;ZIP");
    EXPECT_EQ(BuildAssociationList(app), 2) << "TXT from the machine classes, ZIP from the user's ProgID; '.ZIP' none";
    EXPECT_EQ(app.items.at(1)->description, ".ZIP");
    EXPECT_EQ(app.items.at(1)->flag, 3);
    Association none;
    EXPECT_TRUE(ResolveAssociation(app, "txt", 4, none) && !ResolveAssociation(app, "txt", 5, none));
}

std::string run(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof(buffer), pipe)) > 0;) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

std::string temp_file(const std::string& name, const std::string& bytes) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// Python's csv module reads back the rows and fields the program listed, whatever the titles hold.
TEST_F(Reports, TheCsvReadsBackWithPythonsCsvModule) {
    const CsvRecords records = GatherCsvReport(app);
    const std::string path = temp_file("report.csv", csv_report_text(records));
    const std::string read = run("python3 -c 'import csv,sys\nfor r in list(csv.reader(open(sys.argv[1], newline=\"\", "
                                 "encoding=\"latin-1\")))[3:]: print(\"|\".join(f.encode(\"latin-1\").hex() for f in r))' " + path);
    std::string expected;
    auto hex = [](std::string_view field) {
        std::string out;
        for (unsigned char c : field) out += format("%02x", c);
        return out;
    };
    for (const CsvEntry& e : records.entries) {
        const auto [kind, subkind] = csv_kind(e);
        const std::string fields[] = {kind, subkind, e.entry.title, " " + std::string(file_part(e.entry.command)),
                                      e.versions.CompanyName, e.first_detected, e.entry.command,
                                      e.versions.FileDescription, e.versions.ProductVersion};
        for (const std::string& f : fields) {
            std::string no_commas = f;
            if (&f != &fields[2] && &f != &fields[6]) std::replace(no_commas.begin(), no_commas.end(), ',', ' ');
            expected += (&f == fields ? "" : "|") + hex(no_commas);
        }
        expected += "\n";
    }
    EXPECT_EQ(read, expected);
    EXPECT_NE(read.find(hex(kAwkwardTitle)), std::string::npos);
}

// Headless Chromium shows a title holding markup as text: no script of it runs, no element of it exists.
TEST_F(Reports, TheHtmlShowsMarkupInATitleAsText) {
    startup::ClearItems(app);
    const std::string path = temp_file("SentrixLog.html", program_report_html(GatherProgramReport(app)));
    const std::string dom = run("chromium --headless --no-sandbox --disable-gpu --dump-dom file://" + path + " 2>/dev/null");
    ASSERT_NE(dom.find("</body>"), std::string::npos) << "Chromium did not render the report";
    EXPECT_NE(dom.find("Northwind &lt;script&gt;alert('x')&lt;/script&gt; &amp; \"Update\""), std::string::npos);
    EXPECT_EQ(dom.find("<script>"), std::string::npos);
}

}  // namespace
}  // namespace sx::reports::test
