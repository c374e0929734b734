// The reports on the fakes: every report of a small machine byte for byte against its golden file,
// with the page's list left as it was; every write failing in turn; the text rules that keep a value
// in its place (HTML, links, CSV, log lines, registry files); the readers of outside files; and the
// real clients: Python's csv module and headless Chromium.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <tuple>

#include "common/state.h"
#include "common/text.h"
#include "inventory/tasks.h"
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
#include "tests/support/fake_platform.h"

namespace sx::reports::test {
namespace {

using platform::RegValue;
using platform::Root;
namespace type = platform::reg_type;
constexpr Root kUser = Root::current_user, kMachine = Root::local_machine;

constexpr char kProgramFolder[] = "C:\\Program Files\\Sentrix";
constexpr char kUserFolder[] = "C:\\users\\root\\AppData\\Roaming\\Sentrix";
constexpr char kUpdater[] = "C:\\Program Files\\Northwind\\NwUpdate.exe";
constexpr char kMarkupTitle[] = "Northwind <script>alert('x')</script> & \"Update\"";
constexpr char kAwkwardTitle[] = "Tailspin, \"Launcher\"\r\nsecond line";
constexpr char kHiddenFile[] = "C:\\windows\\SxHidden.dat";

// A small machine with something in every place the reports look: autostarts whose titles hold
// markup, commas, quotes and line breaks, the browser's add-ons and settings, services, tasks, hidden
// files, file types, cookies, a hosts file and the program's own settings.
struct ReportMachine {
    fake::FakePlatform fake;
    AppState app{fake.os};
    ReportMachine() {
        fake::FakeRegistry& reg = fake.registry;
        fake.shell_folders();
        app.caption = "SentrixToGo Zentra";
        fake.program(std::string(kProgramFolder) + "\\SentrixEx.exe", {"Sentrix Explorer", "Orvane", "", "2.1.0", ""});
        fake.program(kUpdater, {"Northwind Update", "Northwind, Traders", "Keeps Northwind current", "3.2", "(c) Northwind"});
        fake.program("C:\\Program Files\\Tailspin\\Launcher.exe");
        fake.program("C:\\Program Files\\Internet Explorer\\iexplore.exe", {"Internet Explorer", "Microsoft", "Internet Explorer", "11.0", ""});
        fake.program("C:\\windows\\system32\\svc.exe", {"Sync", "Adventure Works", "Sync Service", "1.0", ""});
        fake.program("C:\\Program Files\\Helper\\helper.dll", {"Helper", "Contoso", "Browser Helper", "4.0", ""});
        const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
        reg.put_text(kMachine, run, kMarkupTitle, std::string("\"") + kUpdater + "\" /tray");
        reg.put_text(kUser, run, kAwkwardTitle, "C:\\Program Files\\Tailspin\\Launcher.exe -min");
        fake.shortcut(std::string(fake::FakePlatform::kUserStartup) + "\\Clock.lnk", "C:\\Program Files\\Tailspin\\Launcher.exe");
        // Windows switched off the user's Run entry and the shortcut; the machine's entry is on.
        const std::string approved = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\";
        for (auto [root, key] : {std::pair{kUser, "Run"}, {kUser, "StartupFolder"}, {kMachine, "Run"}}) reg.create_key(root, approved + key);
        reg.set(kUser, approved + "Run", kAwkwardTitle, platform::reg_type::binary, std::string("\x03\0\0\0\x80\xa4\x6b\x69\x06\x6f\xda\x01", 12));
        reg.set(kUser, approved + "StartupFolder", "Clock.lnk", platform::reg_type::binary, "\x03");
        reg.set(kMachine, approved + "Run", kMarkupTitle, platform::reg_type::binary, "\x02");
        reg.put_text(kUser, "Software\\Orvane\\Sentrix\\Delay", "C:\\Program Files\\Tailspin\\Launcher.exe", "11");
        reg.put_text(kUser, "Software\\Orvane\\Detected\\Startup", "C:\\Program Files\\Northwind\\NwUpdate.exe", "01/02/2024 10:00");
        fake.processes.start(kUpdater);
        fake.processes.start("C:\\Program Files\\Internet Explorer\\iexplore.exe");

        const std::string service = "SYSTEM\\CurrentControlSet\\Services\\SxSync";
        reg.put_text(kMachine, service, "ImagePath", "C:\\windows\\system32\\svc.exe");
        reg.put_text(kMachine, service, "DisplayName", "Adventure Works Sync");
        reg.put_dword(kMachine, service, "Start", 2);
        fake.services.add("SxSync", "Adventure Works Sync");
        fake.services.add(std::string(inventory::kSchedulerService), "Task Scheduler");
        fake.services.services.back().state = platform::service_state::running;
        platform::WorkItem task{kUpdater, {2026, 12, 7, 9, 30, 0}, {}, 0, "Checks for updates"};
        fake.scheduler.items.emplace_back("Northwind Check.job", task);
        fake.scheduler.registered.push_back({"\\Northwind\\Telemetry", true, {kUpdater}, std::nullopt, platform::LocalTime{},
                                             platform::task_state::ready, "Sends usage reports"});

        const std::string helper = "{11111111-2222-3333-4444-555555555555}", control = "{11111111-2222-3333-4444-666666666666}";
        fake.clsid(helper, "Contoso Helper", "C:\\Program Files\\Helper\\helper.dll");
        fake.clsid(control, "Contoso Control", "C:\\Program Files\\Helper\\helper.dll");
        reg.create_key(kMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\" + helper);
        reg.create_key(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Stats\\" + control);
        reg.put_text(kUser, "Software\\Microsoft\\Internet Explorer\\MenuExt\\&Send to Contoso", "", "C:\\Program Files\\Helper\\send.htm");
        fake.files.add_file(kHiddenFile).attributes = platform::attr::hidden | platform::attr::system;

        reg.put_text(kUser, "Software\\Orvane\\Sentrix\\Class", "", "TXT;;ZIP;");
        const std::string options = "Software\\Orvane\\Sentrix\\Options";
        reg.put_dword(kUser, options, "StartTab", 3);
        reg.set(kUser, options, "Placement", platform::reg_type::binary, std::string("\x2c\0\0\0\xff", 5));
        reg.put_text(kUser, options, "Fonts", std::string("Arial\0Verdana\0", 15), platform::reg_type::multi_sz);
        reg.put_text(kUser, options, "Note \"path\"", "%AppData%\\Notes\r\nsecond", platform::reg_type::expand_sz);
        reg.put_text(kUser, options, "Quoted", "say \"C:\\x\"\r\n");
        reg.put_text(kMachine, "Software\\Classes\\.txt", "", "txtfile");
        reg.put_text(kMachine, "Software\\Classes\\txtfile", "", "Text Document");
        reg.put_text(kMachine, "Software\\Classes\\txtfile\\shell\\open\\command", "", "C:\\windows\\notepad.exe \"%1\"");

        const std::string cookies = "C:\\users\\root\\Cookies";
        reg.put_text(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Cookies", cookies);
        for (const char* name : {"index.dat", "root@contoso.txt", "root@northwind.txt"}) fake.files.add_file(cookies + "\\" + name);
        fake.files.add_file("C:\\users\\root\\AppData\\Roaming\\Mozilla\\FireFox\\Profiles\\x1.default\\cookies.txt",
                            "# Netscape HTTP Cookie File\n.contoso.com\tTRUE\t/\tFALSE\t1893456000\tid\t42\n"
                            "northwind.com\tFALSE\t/app\tTRUE\t0\ts\tv\n");
        fake.files.add_file("C:\\windows\\system32\\drivers\\etc\\HOSTS",
                            "# comment\r\n127.0.0.1\tlocalhost\r\n10.0.0.1\tintranet\r\n203.0.113.9\tads.example.com\r\nab\r\n");
        fake.files.add_file("C:\\WINDOWS\\inf\\iereset.inf", "HKCU,\"Software\\Microsoft\\Internet Explorer\\Main\",\"Start Page\",,\"http://start.example.com/\"\r\n");
        fake.profile.write("C:\\windows\\inf\\iereset.inf", "Strings", "START_PAGE_URL", "http://start.example.com/");

        reg.put_text(kMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE", "Path",
                     "C:\\Program Files\\Internet Explorer;");
        reg.put_text(kMachine, "SOFTWARE\\Classes\\HTTP\\shell\\open\\command", "",
                     "\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" %1");
        const std::string main = "Software\\Microsoft\\Internet Explorer\\Main";
        reg.put_text(kUser, main, "Start Page", "http://start.example.com/\r\nR0 - forged");
        reg.put_text(kMachine, main, "Default_Page_URL", "http://go.example.com/");
        reg.put_text(kMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "Shell", "explorer.exe");
        reg.put_text(kMachine, "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters", "SearchList", "corp.example.com");
        reg.put_text(kMachine, "SYSTEM\\CurrentControlSet\\Control\\Session Manager", "BootExecute",
                     std::string("autocheck autochk *\0second\0", 28), platform::reg_type::multi_sz);
        reg.put_dword(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", "DisableTaskMgr", 1);
        reg.put_dword(kMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update", "AUOptions", 4);
        reg.put_text(kMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\DefaultPrefix", "", "http://");
        reg.put_text(kUser, "Software\\Microsoft\\Internet Explorer\\Desktop\\Components\\0", "FriendlyName", "Weather");
        reg.put_text(kUser, "Software\\Microsoft\\Internet Explorer\\Desktop\\Components\\0", "Source", "http://weather.example.com/");
    }
    // Regenerates the golden file when SX_UPDATE_GOLDEN is set; else its bytes.
    static std::string golden(const std::string& name, const std::string& produced) {
        const std::string path = std::string(SX_GOLDEN_DIR) + "/" + name;
        if (std::getenv("SX_UPDATE_GOLDEN")) std::ofstream(path, std::ios::binary) << produced;
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

const std::pair<const char*, std::function<std::string(AppState&)>> kReports[] = {
    {"HijackSentrix.log", [](AppState& a) { return scan_log_text(GatherScanLog(a)); }},
    {"SentrixLog.html", [](AppState& a) { return program_report_html(GatherProgramReport(a)); }},
    {"SentrixLog.txt", [](AppState& a) { a.settings.format = 1; return program_report_text(GatherProgramReport(a)); }},
    {"SentrixLog.csv", [](AppState& a) { return csv_report_text(GatherCsvReport(a)); }},
    {"root-Sentrix.reg", [](AppState& a) {
         return registry_export_text(GatherExportKey(a.os.registry, kUser, "Software\\Orvane\\Sentrix"),
                                     [](std::string_view s) { return std::u16string(s.begin(), s.end()); });
     }},
};

class Reports : public ::testing::Test, protected ReportMachine {};

// A page's list stays as the page filled it: its rows still point at the same records.
TEST_F(Reports, EachReportMatchesItsGoldenFileAndLeavesThePagesListAlone) {
    startup::AddItem(app, "Hidden one", kHiddenFile, kHiddenFile, {}, code::hidden_file, 1);
    const std::vector<StartupEntry> page = app.items.entries();
    for (const auto& [name, make] : kReports) {
        const std::string produced = make(app);
        EXPECT_EQ(produced, golden(name, produced)) << name;
        ASSERT_EQ(app.items.count(), page.size()) << name;
        EXPECT_EQ(app.items.at(0)->command, page[0].command) << name;
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
            SCOPED_TRACE(name + " " + std::to_string(failing));
            ReportMachine m;
            int writes = 0;
            m.fake.files.faults.fail_when([&](std::string_view op, std::string_view) { return op == "files.write" && writes++ <= failing; });
            const bool written = write(m.app);
            ASSERT_EQ(written, failing < 1);
            const std::string path = (failing == 0 ? kUserFolder : kProgramFolder) + ("\\" + name);
            const std::string told = m.fake.prompts.told.empty() ? "" : m.fake.prompts.told[0];
            EXPECT_EQ(m.fake.files.content(path).empty(), !written);
            if (written && !name.ends_with(".reg")) {
                EXPECT_EQ(m.fake.shell.calls, std::vector<std::string>{"open|" + path + "||"});
            } else {  // a failure, or the settings export, which tells where it is instead of opening it
                EXPECT_TRUE(m.fake.shell.calls.empty());
                EXPECT_NE(told.find(written ? path : "could not be written"), std::string::npos) << told;
            }
        }
    }
}

// What the golden files leave out: the hour 12, a one-digit month, other control characters, a bare LF.
TEST(ReportText, ValuesKeepTheirPlace) {
    EXPECT_EQ(csv_field("lf\nonly"), "\"lf\nonly\"");
    EXPECT_EQ(one_line("a\r\nO1 - forged\tx\x7f"), "a  O1 - forged x ");
    EXPECT_EQ(clock_text({2024, 3, 5, 12, 5, 0}), "12:05:00 PM");
    EXPECT_EQ(clock_text({2024, 3, 5, 0, 5, 0}), "12:05:00 AM");
    EXPECT_EQ(date_text({2024, 3, 5, 0, 5, 0}), " 3/05/2024");
}

// The types and texts the golden settings export does not hold.
TEST(RegistryExport, EachTypeInTheFormTheEditorReadsBack) {
    const std::pair<RegValue, std::string> kLines[] = {
        {{"say \"q\"", type::sz, std::string("a \"b\" c\\d\0", 10)}, "\"say \\\"q\\\"\"=\"a \\\"b\\\" c\\\\d\"\r\n"},
        {{"n", type::dword, std::string("\x01\0", 2)}, "\"n\"=hex(4):01,00\r\n"},
        {{"n", 11, std::string(8, '\x07')}, "\"n\"=hex(b):07,07,07,07,07,07,07,07\r\n"},
        {{"long", type::sz, std::string(1000, 'x') + '\0'}, "\"long\"=\"" + std::string(1000, 'x') + "\"\r\n"},
    };
    const auto wide = [](std::string_view s) { return std::u16string(s.begin(), s.end()); };
    for (const auto& [value, line] : kLines) EXPECT_EQ(export_value_line(value, wide), line) << value.name;
    EXPECT_EQ(registry_file_bytes("W5\r\n", wide), std::string("\xff\xfeW\0" "5\0\r\0\n\0", 10));
}

TEST(Environment, PlatformNamesAndTheBrowserProgram) {
    using D = platform::OsDetails;
    const std::pair<D, std::string> kPlatforms[] = {
        {D{2, 10, 0, 22631, "", 0, 1, 0x200, false}, "Windows 11 Home Edition  (Build 22631)"},
        {D{2, 10, 0, 20348, "", 0, 3, 0x10, false}, "Windows Server 2022  (Build 20348)"},
        {D{2, 6, 1, 7601, "Service Pack 1", 1, 1, 0, true}, "Windows 7 SP1 Tablet PC Edition Service Pack 1 (Build 7601)"},
        {D{2, 5, 2, 3790, "", 0, 3, 0x400, false}, "Windows Server 2003 family, Web Edition  (Build 3790)"},
        {D{2, 5, 1, 2600, "Service Pack 3", 3, 1, 0x200, false}, "Windows XP SP3 Home Edition Service Pack 3 (Build 2600)"},
        {D{2, 4, 0, 1381, "Service Pack 6", 6, 1, 0, false}, "Windows NT Workstation 4.0 Service Pack 6a (Build 1381)"},
        {D{1, 4, 10, 2222, " A ", 0, 1, 0, false}, "Microsoft Windows 98 SE "},
        {D{0, 1, 0, 0, "", 0, 1, 0, false}, "Microsoft Win32s"}};
    for (const auto& [details, text] : kPlatforms) EXPECT_EQ(platform_text(details, true), text);
    const std::pair<std::string, std::string> kCommands[] = {
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

// The scan log's conditions the golden file does not show, each on the machine's records with one
// change: how often the text then appears.
TEST_F(Reports, ScanLogLinesAppearOnlyWhenTheirConditionHolds) {
    const ScanLogRecords base = GatherScanLog(app);
    const std::tuple<std::function<void(ScanLogRecords&)>, std::string, size_t> kCases[] = {
        {[](ScanLogRecords& r) { r.disable_tools[2] = std::string("\0\0\0\0", 4); }, "DisableTaskMgr", 0},
        {[](ScanLogRecords& r) { r.default_prefix = "https://"; }, "O13 - DefaultPrefix: https://\r\n", 1},
        {[](ScanLogRecords& r) { r.desktop_components.insert(r.desktop_components.begin(), {"My Current Home Page", "x"}); },
         "O24 -  Desktop Component 1: Weather - http://weather.example.com/\r\n", 1},
        {[](ScanLogRecords& r) { r.hidden_files.assign(45, r.hidden_files.at(0)); }, "WP32 - Hidden File:", 41},
        {[](ScanLogRecords& r) { r.env.pages.user_start_page = std::string(256, 'p'); }, "R0 - HKCU", 0},
    };
    for (const auto& [change, text, times] : kCases) {
        ScanLogRecords r = base;
        change(r);
        const std::string log = scan_log_text(r);
        size_t found = 0;
        for (size_t at = 0; (at = log.find(text, at)) != std::string::npos; ++at) ++found;
        EXPECT_EQ(found, times) << text;
    }
}

TEST_F(Reports, CookiesCountAsTheSettingsAllow) {
    std::string folder = "C:\\cookies";
    fake.registry.put_text(kUser, "Software\\Orvane\\Sentrix", "IECookieFolder", folder);
    fake.files.add_file(folder + "\\index.dat");
    for (int i = 0; i < 25; ++i) fake.files.add_file(folder + "\\c" + std::to_string(i) + ".txt");
    app.settings.max_cookie = 10;
    EXPECT_EQ(CountIECookies(app), 10) << "of the folder of the setting, not the 2 of the user's own";
    EXPECT_EQ(CountMozillaCookies(app), 2);
    EXPECT_EQ(app.items.at(0)->title, "contoso.com - id");
    fake.registry.put_text(kUser, "Software\\Orvane\\Sentrix", "CookieFolder", "C:\\nothing");
    EXPECT_TRUE(FindMozillaProfileFolder(app).found);
    EXPECT_EQ(CountMozillaCookies(app), 0);
}

TEST_F(Reports, FileTypesFromEachSourceThatResolves) {
    fake.registry.put_text(kUser, std::string(kFileExtsKey) + "\\.zip", "ProgID", "txtfile");
    fake.registry.put_text(kUser, "Software\\Orvane\\Sentrix\\Class", "", "TXT;;.ZIP;ZIP");
    EXPECT_EQ(BuildAssociationList(app), 2) << "TXT from the machine classes, ZIP from the user's ProgID; '.ZIP' none";
    EXPECT_EQ(app.items.at(1)->description + "|" + std::to_string(app.items.at(1)->flag), ".ZIP|3");
    Association none;
    EXPECT_TRUE(ResolveAssociation(app, "txt", 4, none) && !ResolveAssociation(app, "txt", 5, none));
}

// The output of `command` with the path of a temporary file `name` holding `bytes` put after it.
std::string run_on_file(const std::string& command, const std::string& name, const std::string& bytes) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << bytes;
    std::string out;
    if (FILE* pipe = popen((command + path + " 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof(buffer), pipe)) > 0;) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

// Python's csv module reads every row back with its nine fields, the titles and commands whole,
// whatever they hold.
TEST_F(Reports, TheCsvReadsBackWithPythonsCsvModule) {
    const CsvRecords records = GatherCsvReport(app);
    const std::string read = run_on_file("python3 -c 'import csv,sys\nfor r in list(csv.reader(open(sys.argv[1], newline=\"\", "
                                         "encoding=\"latin-1\")))[3:]: print(len(r), *(r[i].encode(\"latin-1\").hex() for i in (2, 6)))' ",
                                         "report.csv", csv_report_text(records));
    const auto hex = [](std::string_view field) { std::string out; for (unsigned char c : field) out += format("%02x", c); return out; };
    std::string expected;
    for (const CsvEntry& e : records.entries) expected += "9 " + hex(e.entry.title) + " " + hex(e.entry.command) + "\n";
    EXPECT_EQ(read, expected);
    EXPECT_NE(read.find(hex(kAwkwardTitle)), std::string::npos);
}

// Headless Chromium shows a title holding markup as text: no script of it runs, no element of it exists.
TEST_F(Reports, TheHtmlShowsMarkupInATitleAsText) {
    startup::ClearItems(app);
    const std::string dom = run_on_file("chromium --headless --no-sandbox --disable-gpu --dump-dom file://", "SentrixLog.html",
                                        program_report_html(GatherProgramReport(app)));
    ASSERT_NE(dom.find("</body>"), std::string::npos) << "Chromium did not render the report";
    EXPECT_NE(dom.find("Northwind &lt;script&gt;alert('x')&lt;/script&gt; &amp; \"Update\""), std::string::npos);
    EXPECT_EQ(dom.find("<script>"), std::string::npos);
}

}  // namespace
}  // namespace sx::reports::test
