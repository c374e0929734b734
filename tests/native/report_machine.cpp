#include "tests/native/report_machine.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "inventory/tasks.h"

namespace sx::reports::test {

namespace {

using platform::Root;
constexpr Root kUser = Root::current_user, kMachine = Root::local_machine;

}  // namespace

ReportMachine::ReportMachine() {
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

std::string ReportMachine::golden(const std::string& name, const std::string& produced) {
    const std::string path = std::string(SX_GOLDEN_DIR) + "/" + name;
    if (std::getenv("SX_UPDATE_GOLDEN")) std::ofstream(path, std::ios::binary) << produced;
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace sx::reports::test
