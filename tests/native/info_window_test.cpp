// The information window's rules the demo system does not show: the kinds without a page, notes read
// cut, Run by the program file's full path, and the program-information request with every way of
// opening it. The Options page's services: help pages beside the program or on the vendor's site,
// event sounds by index, the HOSTS file in Notepad; the settings export, a note and the request's
// shortcut with any one of their calls failing.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "common/state.h"
#include "inventory/item_info.h"
#include "inventory/services.h"
#include "programinfo/lookup.h"
#include "programinfo/notes.h"
#include "reports/output.h"
#include "res/resource_ids.h"
#include "startup/active_tasks.h"
#include "startup/item_list.h"
#include "tests/support/fake_platform.h"
#include "ui/help_pages.h"

namespace sx::inventory {
namespace {

using platform::Root;

constexpr char kApp[] = "C:\\Program Files\\Acme Tools\\acme.exe";

struct World {
    fake::FakePlatform fake;
    AppState app{fake.os};
    World() {
        fake.shell_folders();
        fake.files.add_folder("C:\\users\\root\\Temp");
        fake.program(kApp, {"Acme Tool", "Acme Corp.", "", "2.5 #7", "(c) Acme Corp."});
        fake.program(fake.system.system + "\\shsvc.dll", {"Shell", "Microsoft Corp.", "", "6.1", "(c) Microsoft Corp."});
        fake.program(fake.system.system + "\\rundll32.exe");
    }
    std::string told() const { return fake.prompts.told.empty() ? std::string() : fake.prompts.told.back(); }
    std::string call() const { return fake.shell.calls.empty() ? std::string() : fake.shell.calls.back(); }
};

class InfoWindow : public ::testing::Test, protected World {};

TEST_F(InfoWindow, SystemStartFilesAndProcessesShowWhatTheServicesSayOfThem) {
    const std::string key = std::string(kServicesKey) + "\\AcmeSvc";
    fake.registry.put_text(Root::local_machine, key, "ImagePath", kApp);
    fake.registry.put_text(Root::local_machine, key, "Description", "Keeps Acme in step.");
    const std::tuple<int, const char*, const char*, const char*, bool, bool> kCases[] = {  // ..., Kill and Run shown
        {252, "shsvc.dll", "Ready", "The file shsvc appears to be a valid Microsoft system file.", false, false},
        {256, kApp, "Running", "Keeps Acme in step.", false, false},  // never stopped or started from here
        {600, kApp, "Running", "Keeps Acme in step.", true, false},
        {11, "C:\\Acme\\gone.exe", "Local File not found.", "The information shown here is what Sentrix", false, false},
    };
    fake.processes.start(kApp);
    for (const auto& [type, command, status, note, kill, run] : kCases) {
        SCOPED_TRACE(type);
        app.items.clear();
        startup::AddItem(app, "shsvc", command, {}, {}, type, 0);
        const ItemInfo info = ReadItemInfo(app, 0);
        EXPECT_EQ(info.status, status);
        EXPECT_EQ(info.note_default.rfind(note, 0), 0u) << info.note_default;
        EXPECT_EQ(std::pair(info.kill_shown, info.run_shown), std::pair(kill, run));
    }
    EXPECT_FALSE(ReadItemInfo(app, 9).found);
}

TEST_F(InfoWindow, ANoteLongerThanTheWindowHoldsIsNeverSavedOver) {
    startup::AddItem(app, "Acme", kApp, {}, {}, 11, 0);
    const std::string note = "C:\\users\\root\\AppData\\Roaming\\Sentrix\\note_ACME.txt";
    for (const size_t size : {programinfo::kNoteMax, programinfo::kNoteMax + 1}) {
        fake.files.add_file(note, std::string(size, 'n'));
        const ItemInfo info = ReadItemInfo(app, 0);
        EXPECT_EQ(info.note.whole, size <= programinfo::kNoteMax);
        EXPECT_EQ(info.note.text.size(), programinfo::kNoteMax);
    }
    EXPECT_FALSE(programinfo::SaveNote(fake.os, note, std::string(programinfo::kNoteMax + 1, 'x')));
    EXPECT_EQ(fake.files.content(note).size(), programinfo::kNoteMax + 1);
}

TEST_F(InfoWindow, RunStartsTheProgramFileByItsFullPathWithTheCommandsArguments) {
    fake.files.add_file("C:\\Program.exe", "MZ");
    fake.program(fake.system.system + "\\tool.exe");
    fake.program("C:\\Program Files\\Acme Tools\\hook.dll");
    const std::string acme = "C:\\Program Files\\Acme Tools\\acme.exe", folder = "|C:\\Program Files\\Acme Tools";
    const std::tuple<const char*, int, std::string> kCases[] = {
        {"C:\\Program Files\\Acme Tools\\acme.exe /tray -x", 0, acme + "|\"" + acme + "\" /tray -x" + folder},
        {"%ProgramFiles%\\Acme Tools\\acme.exe", 0, acme + "|\"" + acme + "\"" + folder},
        {"tool.exe -q", 0, "C:\\windows\\system32\\tool.exe|\"C:\\windows\\system32\\tool.exe\" -q|C:\\windows\\system32"},
        {"C:\\Program Files\\Acme Tools\\hook.dll,Start now", 1,
         "C:\\windows\\system32\\rundll32.exe|\"C:\\windows\\system32\\rundll32.exe\" "
         "\"C:\\Program Files\\Acme Tools\\hook.dll\",Start now" + folder},
        {"C:\\Program Files\\Acme Tools\\gone.exe /tray", 0, ""},
    };
    for (const auto& [command, flag, launched] : kCases) {
        SCOPED_TRACE(command);
        fake.processes.launched.clear();
        fake.prompts.told.clear();
        StartupEntry entry{"Acme", command};
        entry.flag = flag;
        EXPECT_EQ(startup::RunProgram(app, entry), !launched.empty());
        EXPECT_EQ(fake.processes.launched, launched.empty() ? std::vector<std::string>{} : std::vector{launched});
        EXPECT_EQ(told(), launched.empty() ? "Acme could not be started: its program file could not be run." : "");
    }
}

TEST_F(InfoWindow, TheRequestCarriesEveryTextEncodedAndOpensOrFallsBackOrIsTold) {
    EXPECT_EQ(programinfo::percent_encode("AZaz09-._~ &=?#%+\r\n/\"\xE9"), "AZaz09-._~%20%26%3D%3F%23%25%2B%0D%0A%2F%22%E9");
    programinfo::LookupFacts f{11, "C:\\A B\\X.EXE", "X.EXE", {"N", "2 #7", "A&B+C", "D\r\n", "(c) 100%"},
                               {"1/2/2009 9:05 AM", "", "", "", "1,024"}, "1.0.0", 7, "us"};
    EXPECT_EQ(programinfo::lookup_address("https://x.test/", f, false),
              "https://x.test/cgi-bin/zentrainfo.pl?program=X.EXE&vendor=A%26B%2BC&version=2%20%237&build=1.0.0"
              "&Type=11&Loc=de&ext=EXE");
    EXPECT_EQ(programinfo::lookup_address("https://x.test/", f, true),
              "https://x.test/cgi-bin/zentrainfo12.pl?program=X.EXE&vendor=A%26B%2BC&build=1.0.0&Type=11&ext=EXE"
              "&Loc=us&version=2%20%237&name=N&copy=%28c%29%20100%25&detail=D%0D%0A&created=1%2F2%2F2009%209%3A05%20AM"
              "&detected=&fsize=1%2C024&path=C%3A%5CA%20B%5CX.EXE");
    for (const char* unusable : {"file:///C:/x.html", "https://a b/", "https://a\"b/", "https://"}) {
        fake.registry.put_text(Root::current_user, "Software\\Orvane\\Sentrix", "VendorSite", unusable);
        EXPECT_EQ(programinfo::vendor_site(fake.os), "https://www.orvane.com/") << unusable;
    }
    fake.registry.put_text(Root::current_user, "Software\\Orvane\\Sentrix", "VendorSite", "http://mirror.test/sx");
    EXPECT_EQ(programinfo::vendor_site(fake.os), "http://mirror.test/sx/");

    // When no browser takes the address: Internet Explorer by its quoted full path, or nothing and
    // the user told when it has no path.
    const std::string ie = "C:\\Program Files\\Internet Explorer\\iexplore.exe";
    fake.files.add_file(ie, "MZ");
    fake.shell.faults.fail_when([](std::string_view op, std::string_view) { return op == "shell.execute"; });
    for (const char* path : {"C:\\Program Files\\Internet Explorer;", ""}) {
        fake.processes.launched.clear();
        fake.registry.put_text(Root::local_machine, programinfo::kIexploreAppPathKey, "Path", path);
        EXPECT_EQ(programinfo::LookupProgramOnline(app, 11, kApp), *path != '\0');
        EXPECT_EQ(fake.processes.launched.size(), *path ? 1u : 0u);
        if (*path) EXPECT_EQ(fake.processes.launched[0].rfind(ie + "|\"" + ie + "\" http://mirror.test/sx/", 0), 0u);
    }
    EXPECT_EQ(told(), "The information page about ACME.EXE could not be opened: no web browser took its address.");
    fake.shell.faults.clear();

    // The second format opens a shortcut in the temporary folder, deleted afterwards; one that cannot
    // be made gives way to the address itself.
    app.settings.zentra_format = 1;
    EXPECT_TRUE(programinfo::LookupProgramOnline(app, 11, kApp));
    EXPECT_EQ(call().rfind("open-wait|C:\\users\\root\\Temp\\temp.url|[InternetShortcut]\r\nURL=http://mirror.test/sx/"
                           "cgi-bin/zentrainfo12.pl?program=ACME.EXE&", 0), 0u) << call();
    fake.shell.faults.fail_nth("shell.save_internet_shortcut", 0);
    EXPECT_TRUE(programinfo::LookupProgramOnline(app, 11, kApp));
    EXPECT_EQ(call().rfind("open|http://mirror.test/sx/cgi-bin/zentrainfo12.pl?", 0), 0u) << call();
    // With the AOL browser open, its program gets the address; both quoted.
    fake.shell.windows.push_back("AOL Frame25|AOL");
    fake.profile.write({}, "WAOL", "AppPath", "C:\\Program Files\\AOL\\");
    EXPECT_TRUE(programinfo::LookupProgramOnline(app, 11, kApp));
    EXPECT_EQ(call().rfind("run|\"C:\\Program Files\\AOL\\WAOL.EXE\" -u \"http://mirror.test/sx/cgi-bin/", 0), 0u);
    EXPECT_EQ(call().back(), '"');
}

class OptionsPage : public ::testing::Test, protected World {};

TEST_F(OptionsPage, HelpSoundsAndHosts) {
    fake.files.add_file("C:\\Program Files\\Sentrix\\options.html", "<html>");
    fake.files.add_file("C:\\Program Files\\Sentrix\\de_options.html", "<html>");
    const std::tuple<int, const char*, const char*> kHelp[] = {
        {CMD_OPTIONS, "us", "open|C:\\Program Files\\Sentrix\\options.html||"},
        {6027, "us", "open|https://www.orvane.com/features.html||"},
        {CMD_OPTIONS, "de", "open|C:\\Program Files\\Sentrix\\de_options.html||"},
        {CMD_STARTUP, "de", "open|https://www.orvane.com/de_startup.html||"},
    };
    for (const auto& [command, language, expected] : kHelp) {
        app.language_id = std::string(language) == "us" ? 9 : 7;
        fake.registry.put_text(Root::local_machine, "Software\\Orvane\\Sentrix", "LString634", language);
        EXPECT_TRUE(ui::open_help(app, 0, command));
        EXPECT_EQ(call(), expected);
    }
    fake.shell.windows.push_back("AOL Frame|America  Online");
    ui::open_help(app, 0, CMD_STARTUP);
    EXPECT_EQ(call(), "run|\"waol.exe\" -u \"https://www.orvane.com/de_startup.html\"");

    // Every event of the table has its own sound; any other index is the Open event's.
    for (int i : {0, 6}) fake.registry.put_text(Root::current_user, ui::event_sound_key(i), "", "C:\\sounds\\" + std::to_string(i));
    EXPECT_EQ(ui::event_sound_key(6), "AppEvents\\Schemes\\Apps\\Sentrix\\SystemFile Alert\\.current");
    const std::pair<int, const char*> kSounds[] = {{6, "C:\\sounds\\6"}, {7, "C:\\sounds\\0"}, {-1, "C:\\sounds\\0"}};
    for (const auto& [index, file] : kSounds) EXPECT_EQ(ui::event_sound_file(app, index), file) << index;

    EXPECT_FALSE(ui::ViewHostsFile(app));
    fake.files.add_file("C:\\windows\\system32\\drivers\\etc\\HOSTS", "127.0.0.1 localhost\r\n");
    EXPECT_TRUE(ui::ViewHostsFile(app));
    EXPECT_EQ(call(), "open|C:\\windows\\notepad.exe|\"C:\\windows\\system32\\drivers\\etc\\HOSTS\"|"
                      "C:\\windows\\system32\\drivers\\etc");
}

// Each of their calls failing in turn: what was there stays, no half-made file is left or reported as
// made, and a failure is told.
TEST_F(OptionsPage, ExportNoteAndShortcutWithAnyOneCallFailing) {
    const std::string note = "C:\\users\\root\\AppData\\Roaming\\Sentrix\\note_ACME.txt";
    fake.registry.put_text(Root::current_user, "Software\\Orvane\\Sentrix", "xPos", "10");
    std::string exported_value;  // as the UTF-16 bytes of the file
    for (char c : std::string_view("\"xPos\"=\"10\"")) exported_value += std::string{c, '\0'};
    fake.program("C:\\Acme\\acme.exe");
    app.settings.zentra_format = 1;
    for (long fail_at = 0;; ++fail_at) {
        SCOPED_TRACE(fail_at);
        fake.files.add_file(note, "old note");
        fake.prompts.told.clear();
        long calls = 0;
        std::string struck;
        auto rule = [&](std::string_view op, std::string_view) { return calls++ == fail_at && (struck = op, true); };
        for (fake::FaultPlan* plan : {&fake.registry.faults, &fake.files.faults, &fake.shell.faults}) plan->fail_when(rule);

        const bool saved = programinfo::SaveNote(fake.os, note, "new");
        EXPECT_EQ(fake.files.content(note), saved ? "new" : "old note");
        const bool exported = reports::ExportSettings(app);
        const std::string told = fake.prompts.told.at(0);
        const size_t at = told.find("file:\n");
        ASSERT_EQ(at != std::string::npos, exported) << told;
        const std::string file = exported ? told.substr(at + 6, told.find('\n', at + 6) - at - 6) : std::string();
        EXPECT_TRUE(!exported || fake.files.content(file).find(exported_value) != std::string::npos) << file;
        const bool opened = programinfo::LookupProgramOnline(app, 11, "C:\\Acme\\acme.exe");
        EXPECT_TRUE(!fake.files.exists("C:\\users\\root\\Temp\\temp.url") || struck == "files.remove") << struck;
        EXPECT_EQ(fake.prompts.told.size(), opened ? 1u : 2u);
        for (fake::FaultPlan* plan : {&fake.registry.faults, &fake.files.faults, &fake.shell.faults}) plan->clear();
        fake.files.remove("C:\\users\\root\\Temp\\temp.url");
        if (calls <= fail_at) break;  // no call was struck: every position has been tried
    }
}

}  // namespace
}  // namespace sx::inventory
