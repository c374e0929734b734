// What the information window shows for each kind of entry, starting a program from it, notes that
// are read cut or cannot be written, and the program-information request in both formats with every
// way of opening it.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "common/state.h"
#include "inventory/item_info.h"
#include "inventory/services.h"
#include "inventory/tasks.h"
#include "programinfo/lookup.h"
#include "programinfo/notes.h"
#include "startup/active_tasks.h"
#include "startup/item_list.h"
#include "tests/support/fake_platform.h"

namespace sx::inventory {
namespace {

using platform::Root;

constexpr char kApp[] = "C:\\Program Files\\Acme Tools\\acme.exe";
constexpr char kGone[] = "C:\\Program Files\\Acme Tools\\gone.exe";
constexpr char kNotes[] = "C:\\users\\root\\AppData\\Roaming\\Sentrix";

struct World {
    fake::FakePlatform fake;
    AppState app{fake.os};
    World() {
        fake.shell_folders();
        fake.program(kApp, {"Acme Tool", "Acme Corp.", "", "2.5 #7", "(c) Acme Corp."});
        fake.program(fake.system.system + "\\shsvc.dll", {"Shell", "Microsoft Corporation", "Shell helper", "6.1",
                                                          "(c) Microsoft Corporation"});
        fake.files.add_folder(kNotes);
        fake.services.add(std::string(kSchedulerService), "Task Scheduler");
    }
    size_t add(int type, std::string_view title, std::string_view command, std::string_view location = {},
               std::string_view description = {}) {
        startup::AddItem(app, title, command, location, description, type, 0);
        return app.items.count() - 1;
    }
    std::string told() const { return fake.prompts.told.empty() ? std::string() : fake.prompts.told.back(); }
};

class InfoWindow : public ::testing::Test, protected World {};

TEST_F(InfoWindow, EachKindShowsItsOwnLinesStatusAndButtons) {
    const std::string service_key = std::string(kServicesKey) + "\\AcmeSvc";
    fake.registry.put_text(Root::local_machine, service_key, "ImagePath", kApp);
    fake.registry.put_text(Root::local_machine, service_key, "Description", "Keeps Acme in step.");
    fake.services.add("AcmeSvc", "Acme Service");
    fake.scheduler.items.push_back({"Nightly.job", {kApp, {}, {}, platform::kTaskNotScheduled, "Runs at night."}});
    const uint32_t running = fake.processes.start(kApp);

    struct Case {
        int type;
        const char *title, *command, *location, *description;
        const char *location_line, *status;
        bool status_shown, kill, run;
        const char* note;
    };
    const std::string local = "The information shown here is what Sentrix could find";
    const Case kCases[] = {
        {11, "Acme", kApp, "", "", "Startup Location: HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
         "Running", true, true, false, ""},
        {11, "Gone", kGone, "", "", "Startup Location: HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
         "Local File not found.", true, false, false, ""},
        // The special locations: status only, a service's description or the system-file note.
        {252, "shsvc", "shsvc.dll", "", "6.1", "Startup Location: ", "Ready", true, false, false,
         "The file shsvc appears to be a valid Microsoft system file."},
        {600, "Acme Tool", kApp, "", "", "", "Running", true, true, false, "Keeps Acme in step."},
        {800, "Nightly.job", kApp, "Never", "Never", "Startup Location: Windows Task Scheduler", "Running", true, true,
         false, "Status: Not Scheduled\r\nRuns at night."},
        {370, "acme.exe", kApp, kApp, "", "", "", false, false, false, ""},
        {900, "Acme Helper", kApp, "{CLSID-1}", "2.5", "Location: \"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
                                                           "Explorer\\Browser Helper Objects\"",
         "", false, false, false, ""},
        {1200, "Acme Control", kApp, "{CLSID-2}", "", "CLSID: {CLSID-2}", "", false, false, false, "CLSID: {CLSID-2}"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.title);
        app.items.clear();
        const ItemInfo info = ReadItemInfo(app, add(c.type, c.title, c.command, c.location, c.description));
        ASSERT_TRUE(info.found);
        EXPECT_EQ(info.title, c.title);
        EXPECT_TRUE(info.location_shown);
        EXPECT_EQ(info.location.substr(0, std::string(c.location_line).size()), c.location_line);
        EXPECT_EQ(info.status_shown, c.status_shown);
        EXPECT_EQ(info.status, c.status);
        EXPECT_EQ(info.kill_shown, c.kill);
        EXPECT_EQ(info.run_shown, c.run);
        EXPECT_FALSE(info.service);
        EXPECT_NE(info.note_default.find(*c.note ? c.note : local.c_str()), std::string::npos) << info.note_default;
    }
    // Once it is stopped, the program can be started again from the window; the title stands in
    // for a missing description.
    fake.processes.terminate(running, false);
    app.items.clear();
    const ItemInfo ready = ReadItemInfo(app, add(11, "Acme", kApp));
    EXPECT_EQ(ready.status, "Ready");
    EXPECT_TRUE(ready.run_shown && !ready.kill_shown);
    EXPECT_EQ(ready.versions.CompanyName, "Acme Corp.");
    EXPECT_EQ(ready.versions.FileDescription, "Acme");
    EXPECT_FALSE(ReadItemInfo(app, 99).found);
}

TEST_F(InfoWindow, AServiceShowsItsStateStartTypeAndStop) {
    const std::string key = std::string(kServicesKey) + "\\AcmeSvc";
    fake.registry.put_text(Root::local_machine, key, "ImagePath", kApp);
    fake.registry.put_text(Root::local_machine, key, "Description", "Keeps Acme in step.");
    fake.services.add("AcmeSvc", "Acme Service");
    const std::tuple<uint32_t, int, bool> kCases[] = {{3, 1, false}, {2, 0, true}, {0, -1, false}};
    for (const auto& [start, type, answers] : kCases) {
        SCOPED_TRACE(start);
        fake.registry.put_dword(Root::local_machine, key, "Start", start);
        if (answers) fake.services.start("AcmeSvc");
        ListServices(app);
        const ItemInfo info = ReadItemInfo(app, 0);
        EXPECT_FALSE(info.location_shown);
        EXPECT_TRUE(info.service && info.status_shown && info.kill_shown);
        EXPECT_FALSE(info.run_shown);
        EXPECT_EQ(info.start_type, type);
        EXPECT_EQ(info.status, answers ? "Running" : "");
        EXPECT_EQ(info.stop_enabled, answers);
        EXPECT_EQ(info.note_default, "Keeps Acme in step.");
        if (answers) fake.services.stop("AcmeSvc");
    }
    // A change of start type shows when the row is shown again.
    fake.registry.put_dword(Root::local_machine, key, "Start", 3);
    ListServices(app);
    ASSERT_EQ(SetServiceStartType(app, 0, platform::service_start::disabled), 1);
    EXPECT_EQ(ReadItemInfo(app, 0).start_type, 2);
}

TEST_F(InfoWindow, NotesAreShownWholeOrNeverSavedOver) {
    const size_t index = add(11, "Acme", kApp);
    const std::string note = std::string(kNotes) + "\\note_ACME.txt";
    EXPECT_EQ(ReadItemInfo(app, index).note_path, note);
    EXPECT_FALSE(ReadItemInfo(app, index).note_exists);

    for (const size_t size : {programinfo::kNoteMax, programinfo::kNoteMax + 1}) {
        fake.files.add_file(note, std::string(size, 'n'));
        const ItemInfo info = ReadItemInfo(app, index);
        EXPECT_TRUE(info.note_exists);
        EXPECT_EQ(info.note.whole, size <= programinfo::kNoteMax);
        EXPECT_EQ(info.note.text.size(), programinfo::kNoteMax);
    }
    // Too long to read back whole, or a write that fails: refused, and the file keeps what it had.
    EXPECT_FALSE(programinfo::SaveNote(fake.os, note, std::string(programinfo::kNoteMax + 1, 'x')));
    fake.files.faults.fail_nth("files.write", 0);
    EXPECT_FALSE(programinfo::SaveNote(fake.os, note, "new"));
    EXPECT_EQ(fake.files.content(note).size(), programinfo::kNoteMax + 1);
    EXPECT_TRUE(programinfo::SaveNote(fake.os, note, "Acme\r\nkeep it"));
    EXPECT_EQ(ReadItemInfo(app, index).note.text, "Acme\r\nkeep it");
}

TEST_F(InfoWindow, RunStartsTheProgramFileByItsFullPathNeverAPlantedOne) {
    fake.files.add_file("C:\\Program.exe", "MZ");
    fake.program(fake.system.system + "\\tool.exe");
    fake.program("C:\\Program Files\\Acme Tools\\hook.dll");
    fake.program(fake.system.system + "\\rundll32.exe");
    struct Case {
        const char* command;
        int flag;
        const char* launched;  // application|command line|folder; empty: nothing starts
    };
    const Case kCases[] = {
        {"C:\\Program Files\\Acme Tools\\acme.exe /tray -x", 0,
         "C:\\Program Files\\Acme Tools\\acme.exe|\"C:\\Program Files\\Acme Tools\\acme.exe\" /tray -x|"
         "C:\\Program Files\\Acme Tools"},
        {"%ProgramFiles%\\Acme Tools\\acme.exe", 0,
         "C:\\Program Files\\Acme Tools\\acme.exe|\"C:\\Program Files\\Acme Tools\\acme.exe\"|C:\\Program Files\\Acme Tools"},
        {"tool.exe -q", 0, "C:\\windows\\system32\\tool.exe|\"C:\\windows\\system32\\tool.exe\" -q|C:\\windows\\system32"},
        {"C:\\Program Files\\Acme Tools\\hook.dll,Start now", 1,
         "C:\\windows\\system32\\rundll32.exe|\"C:\\windows\\system32\\rundll32.exe\" "
         "\"C:\\Program Files\\Acme Tools\\hook.dll\",Start now|C:\\Program Files\\Acme Tools"},
        {"C:\\Program Files\\Acme Tools\\gone.exe /tray", 0, ""},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.command);
        fake.processes.launched.clear();
        fake.prompts.told.clear();
        StartupEntry entry;
        entry.title = "Acme";
        entry.command = c.command;
        entry.flag = c.flag;
        const bool started = startup::RunProgram(app, entry);
        EXPECT_EQ(started, *c.launched != '\0');
        EXPECT_EQ(fake.processes.launched, *c.launched ? std::vector<std::string>{c.launched} : std::vector<std::string>{});
        EXPECT_EQ(told(), started ? "" : "Acme could not be started: its program file could not be run.");
    }
    fake.processes.faults.fail_nth("processes.launch", 0);
    StartupEntry entry{"Acme", kApp};
    EXPECT_FALSE(startup::RunProgram(app, entry));
    EXPECT_FALSE(told().empty()) << "a launch that fails is told";
}

// ---- the program-information request ----

TEST(Lookup, EveryByteOutsideTheUnreservedSetIsPercentEncoded) {
    EXPECT_EQ(programinfo::percent_encode("AZaz09-._~"), "AZaz09-._~");
    EXPECT_EQ(programinfo::percent_encode("a b&c=d#e%f+g\r\nh/\"\xE9"), "a%20b%26c%3Dd%23e%25f%2Bg%0D%0Ah%2F%22%E9");
}

TEST_F(InfoWindow, BothRequestFormatsCarryEveryTextEncoded) {
    programinfo::LookupFacts f;
    f.type = 11;
    f.command = "C:\\Program Files\\Acme Tools\\ACME.EXE";
    f.program = "ACME.EXE";
    f.versions = {"Acme Tool", "2.5 #7", "A&B+C", "Acme\r\nTool", "(c) 100%"};
    f.facts.created = "03/07/2009 9:05 AM";
    f.facts.first_detected = "";
    f.facts.size = "1,024";
    f.build = "1.0.0";
    f.language_id = 7;
    f.language_code = "us";
    EXPECT_EQ(programinfo::lookup_address("https://x.test/", f, false),
              "https://x.test/cgi-bin/zentrainfo.pl?program=ACME.EXE&vendor=A%26B%2BC&version=2.5%20%237&build=1.0.0"
              "&Type=11&Loc=de&ext=EXE");
    EXPECT_EQ(programinfo::lookup_address("https://x.test/", f, true),
              "https://x.test/cgi-bin/zentrainfo12.pl?program=ACME.EXE&vendor=A%26B%2BC&build=1.0.0&Type=11&ext=EXE"
              "&Loc=us&version=2.5%20%237&name=Acme%20Tool&copy=%28c%29%20100%25&detail=Acme%0D%0ATool"
              "&created=03%2F07%2F2009%209%3A05%20AM&detected=&fsize=1%2C024"
              "&path=C%3A%5CProgram%20Files%5CAcme%20Tools%5CACME.EXE");

    // The site: the constant, or a usable http(s) address of the user's setting.
    const std::pair<const char*, const char*> kSites[] = {
        {"", "https://www.orvane.com/"},
        {"http://mirror.test/sentrix", "http://mirror.test/sentrix/"},
        {"HTTPS://mirror.test/", "HTTPS://mirror.test/"},
        {"file:///C:/evil.html", "https://www.orvane.com/"},
        {"https://mirror.test/a b", "https://www.orvane.com/"},
        {"https://mirror.test/\"x", "https://www.orvane.com/"},
        {"https://", "https://www.orvane.com/"},
    };
    for (const auto& [setting, site] : kSites) {
        fake.registry.put_text(Root::current_user, "Software\\Orvane\\Sentrix", "VendorSite", setting);
        EXPECT_EQ(programinfo::vendor_site(fake.os), site) << setting;
    }
}

TEST_F(InfoWindow, TheRequestOpensInTheBrowserOrTheFallbacksAndItsShortcutNeverStays) {
    const std::string shortcut = fake.system.temp + "temp.url";
    const std::string ie_key = std::string(programinfo::kIexploreAppPathKey);
    fake.files.add_folder("C:\\users\\root\\Temp");
    auto lookup = [&] {
        fake.shell.calls.clear();
        fake.processes.launched.clear();
        fake.prompts.told.clear();
        return programinfo::LookupProgramOnline(app, 11, kApp);
    };
    auto first_call = [&] { return fake.shell.calls.empty() ? std::string() : fake.shell.calls.front(); };

    // First format: the address itself; when no browser takes it, Internet Explorer by its full path.
    EXPECT_TRUE(lookup());
    EXPECT_TRUE(first_call().starts_with("open|https://www.orvane.com/cgi-bin/zentrainfo.pl?program=ACME.EXE&vendor="))
        << first_call();
    fake.shell.faults.fail_when([](std::string_view op, std::string_view) { return op == "shell.execute"; });
    fake.registry.put_text(Root::local_machine, ie_key, "Path", "C:\\Program Files\\Internet Explorer;");
    fake.files.add_file("C:\\Program Files\\Internet Explorer\\iexplore.exe", "MZ");
    EXPECT_TRUE(lookup());
    ASSERT_EQ(fake.processes.launched.size(), 1u);
    EXPECT_TRUE(fake.processes.launched[0].starts_with(
        "C:\\Program Files\\Internet Explorer\\iexplore.exe|\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" "
        "https://www.orvane.com/cgi-bin/zentrainfo.pl?"))
        << fake.processes.launched[0];
    fake.registry.put_text(Root::local_machine, ie_key, "Path", "");
    EXPECT_FALSE(lookup());
    EXPECT_TRUE(fake.processes.launched.empty()) << "no path: no \\iexplore.exe";
    EXPECT_EQ(told(), "The information page about ACME.EXE could not be opened: no web browser took its address.");
    fake.shell.faults.clear();

    // Second format: a shortcut in the user's temporary folder, opened and then deleted, also when
    // the browser fails; a shortcut that cannot be made gives way to the address itself.
    app.settings.zentra_format = 1;
    EXPECT_TRUE(lookup());
    ASSERT_EQ(fake.shell.calls.size(), 1u);
    EXPECT_TRUE(first_call().starts_with("open-wait|" + shortcut +
                                         "|[InternetShortcut]\r\nURL=https://www.orvane.com/cgi-bin/zentrainfo12.pl?"
                                         "program=ACME.EXE&"))
        << first_call();
    EXPECT_FALSE(fake.files.exists(shortcut));
    fake.shell.faults.fail_when([](std::string_view op, std::string_view) { return op == "shell.open_and_wait"; });
    EXPECT_FALSE(lookup());
    EXPECT_FALSE(fake.files.exists(shortcut));
    EXPECT_TRUE(fake.processes.launched.empty()) << "BrowserFailure is 0";
    fake.shell.faults.fail_when([](std::string_view op, std::string_view) { return op == "shell.save_internet_shortcut"; });
    EXPECT_TRUE(lookup());
    EXPECT_TRUE(first_call().starts_with("open|https://www.orvane.com/cgi-bin/zentrainfo12.pl?program=")) << first_call();
    fake.shell.faults.clear();

    // With the AOL browser open, its own program gets the address, quoted.
    fake.shell.windows.push_back("AOL Frame25|AOL");
    fake.profile.write({}, "WAOL", "AppPath", "C:\\Program Files\\AOL\\");
    EXPECT_TRUE(lookup());
    EXPECT_TRUE(first_call().starts_with("run|\"C:\\Program Files\\AOL\\WAOL.EXE\" -u \"https://www.orvane.com/cgi-bin/"))
        << first_call();
    EXPECT_EQ(first_call().back(), '"');
    // A command that names no file asks nothing.
    fake.shell.calls.clear();
    EXPECT_FALSE(programinfo::LookupProgramOnline(app, 11, ""));
    EXPECT_TRUE(fake.shell.calls.empty());
}

}  // namespace
}  // namespace sx::inventory
