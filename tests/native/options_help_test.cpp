// The Options page's services: help pages found beside the program or on the vendor's site, event
// sounds by index, the HOSTS file in Notepad, and the settings export with what it writes; the export,
// notes and the request's shortcut with any one of their calls failing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/state.h"
#include "programinfo/lookup.h"
#include "programinfo/notes.h"
#include "reports/registry_export.h"
#include "res/resource_ids.h"
#include "tests/support/fake_platform.h"
#include "ui/help_pages.h"

namespace sx {
namespace {

using platform::Root;

constexpr char kSentrix[] = "C:\\Program Files\\Sentrix";

struct World {
    fake::FakePlatform fake;
    AppState app{fake.os};
    World() {
        fake.shell_folders();
        fake.files.add_folder("C:\\users\\root\\Temp");
    }
    std::string opened() {
        std::string last = fake.shell.calls.empty() ? std::string() : fake.shell.calls.back();
        fake.shell.calls.clear();
        return last;
    }
};

class OptionsServices : public ::testing::Test, protected World {};

TEST_F(OptionsServices, HelpOpensTheLocalPageElseTheSitesInTheInterfaceLanguage) {
    fake.files.add_file(std::string(kSentrix) + "\\options.html", "<html>");
    EXPECT_TRUE(ui::open_help(app, 0, CMD_OPTIONS));
    EXPECT_EQ(opened(), "open|C:\\Program Files\\Sentrix\\options.html||");
    const std::pair<int, const char*> kMissing[] = {{CMD_SERVICES, "services.html"}, {6027, "features.html"},
                                                   {CMD_HISTORY, "features.html"}, {CMD_ACTIVEX, "activex.html"}};
    for (const auto& [command, page] : kMissing) {
        EXPECT_TRUE(ui::open_help(app, 0, command));
        EXPECT_EQ(opened(), std::string("open|https://www.orvane.com/") + page + "||");
    }
    // Another language looks for its own pages, beside the program first.
    app.language_id = 7;
    fake.registry.put_text(Root::local_machine, "Software\\Orvane\\Sentrix", "LString634", "de");
    fake.files.add_file(std::string(kSentrix) + "\\de_options.html", "<html>");
    ui::open_help(app, 0, CMD_OPTIONS);
    EXPECT_EQ(opened(), "open|C:\\Program Files\\Sentrix\\de_options.html||");
    fake.registry.put_text(Root::current_user, "Software\\Orvane\\Sentrix", "VendorSite", "https://help.test/sx");
    ui::open_help(app, 0, CMD_STARTUP);
    EXPECT_EQ(opened(), "open|https://help.test/sx/de_startup.html||");
    // The AOL program gets the program and the address quoted.
    fake.shell.windows.push_back("AOL Frame|America  Online");
    ui::open_help(app, 0, CMD_STARTUP);
    EXPECT_EQ(opened(), "run|\"waol.exe\" -u \"https://help.test/sx/de_startup.html\"");
}

TEST_F(OptionsServices, EverySoundOfTheTablePlaysItsOwnKeyAndAnyOtherIndexTheOpenOne) {
    const char* kKeys[] = {"Open", "Startup Alert", "Cookie Alert", "Task Alert", "IE Helper", "FileType Alert",
                           "SystemFile Alert"};
    for (int i = 0; i < ui::kSoundEvents; ++i) {
        const std::string key = std::string("AppEvents\\Schemes\\Apps\\Sentrix\\") + kKeys[i] + "\\.current";
        EXPECT_EQ(ui::event_sound_key(i), key);
        fake.registry.put_text(Root::current_user, key, "", "C:\\sounds\\" + std::to_string(i) + ".wav");
    }
    for (int i : {-1, 7, 1000}) EXPECT_EQ(ui::event_sound_file(app, i), "C:\\sounds\\0.wav") << i;
    EXPECT_EQ(ui::event_sound_file(app, 6), "C:\\sounds\\6.wav");
    // None chosen: the program plays its own.
    fake.registry.put_text(Root::current_user, "AppEvents\\Schemes\\Apps\\Sentrix\\Open\\.current", "", "");
    EXPECT_EQ(ui::event_sound_file(app, 0), "");
}

TEST_F(OptionsServices, TheHostsFileOpensInTheWindowsFoldersNotepadQuoted) {
    EXPECT_FALSE(ui::ViewHostsFile(app));
    EXPECT_TRUE(fake.shell.calls.empty());
    fake.files.add_file("C:\\windows\\system32\\drivers\\etc\\HOSTS", "127.0.0.1 localhost\r\n");
    EXPECT_TRUE(ui::ViewHostsFile(app));
    EXPECT_EQ(opened(), "open|C:\\windows\\notepad.exe|\"C:\\windows\\system32\\drivers\\etc\\HOSTS\"|"
                        "C:\\windows\\system32\\drivers\\etc");
}

TEST_F(OptionsServices, TheExportKeepsEveryValueWithItsTypeAndEveryKeyBelow) {
    const std::pair<platform::RegValue, const char*> kLines[] = {
        {{"", platform::reg_type::sz, std::string("C:\\Temp\0", 8)}, "@=\"C:\\\\Temp\"\r\n"},
        {{"Say \"hi\"", platform::reg_type::sz, "a\"b\\c"}, "\"Say \\\"hi\\\"\"=\"a\\\"b\\\\c\"\r\n"},
        {{"AUOptions", platform::reg_type::dword, std::string("\x01\0\0\0", 4)}, "\"AUOptions\"=dword:00000001\r\n"},
        {{"Short", platform::reg_type::dword, std::string("\x05", 1)}, "\"Short\"=hex(4):05\r\n"},
        {{"Path", platform::reg_type::expand_sz, std::string("%A%\0", 4)}, "\"Path\"=hex(2):25,00,41,00,25,00,00,00\r\n"},
        {{"Raw", platform::reg_type::binary, "\x01\xff"}, "\"Raw\"=hex:01,ff\r\n"},
    };
    for (const auto& [value, line] : kLines) EXPECT_EQ(reports::registry_value_line(value), line) << value.name;
    EXPECT_EQ(reports::registry_value_line({"Long", platform::reg_type::binary, std::string(21, '\0')}),
              "\"Long\"=hex:00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,\\\r\n  00\r\n");

    fake.registry.put_text(Root::current_user, "Software\\Orvane\\Sentrix", "xPos", "10");
    fake.registry.put_text(Root::current_user, "Software\\Orvane\\Sentrix\\Delay", "C:\\a.exe", "11");
    fake.registry.put_text(Root::current_user, "Software\\Orvane\\Sentrix\\Delay\\Time", "C:\\a.exe", "60");
    fake.registry.put_text(Root::local_machine, "SOFTWARE\\Orvane\\Sentrix", "LString634", "us");
    fake.system.user = "Pat";
    ASSERT_EQ(reports::ExportSettings(app), 1);
    const std::string file = "C:\\users\\root\\AppData\\Roaming\\Sentrix\\Pat-Sentrix.reg";
    EXPECT_EQ(fake.files.content(file),
              "Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Orvane\\Sentrix]\r\n\"xPos\"=\"10\"\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Orvane\\Sentrix\\Delay]\r\n\"C:\\\\a.exe\"=\"11\"\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Orvane\\Sentrix\\Delay\\Time]\r\n\"C:\\\\a.exe\"=\"60\"\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane]\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Sentrix]\r\n\"LString634\"=\"us\"\r\n");
    ASSERT_EQ(fake.prompts.told.size(), 1u);
    EXPECT_NE(fake.prompts.told[0].find("saved as the following file:\n" + file + "\n"), std::string::npos);
}

// Each change with each of its calls failing in turn: what was there stays, nothing half-made stays
// behind, and a failure is told; a success is what it says.
TEST_F(OptionsServices, ExportNoteAndShortcutWithAnyOneCallFailing) {
    const std::string note = "C:\\users\\root\\AppData\\Roaming\\Sentrix\\note_ACME.txt";
    const std::string export_file = "C:\\users\\root\\AppData\\Roaming\\Sentrix\\root-Sentrix.reg";
    const std::string shortcut = "C:\\users\\root\\Temp\\temp.url";
    fake.registry.put_text(Root::current_user, "Software\\Orvane\\Sentrix", "xPos", "10");
    fake.program("C:\\Acme\\acme.exe");
    app.settings.zentra_format = 1;
    for (long fail_at = 0;; ++fail_at) {
        SCOPED_TRACE(fail_at);
        fake.files.add_file(note, "old note");
        fake.files.add_file(export_file, "");
        fake.files.remove(export_file);
        fake.prompts.told.clear();
        long calls = 0;
        std::string struck;
        auto rule = [&](std::string_view op, std::string_view) {
            if (calls++ != fail_at) return false;
            struck = op;
            return true;
        };
        for (fake::FaultPlan* plan : {&fake.registry.faults, &fake.files.faults, &fake.shell.faults}) plan->fail_when(rule);

        const bool saved = programinfo::SaveNote(fake.os, note, "new note");
        EXPECT_EQ(fake.files.content(note), saved ? "new note" : "old note");

        // Written where the message says, or told that it was not.
        const int exported = reports::ExportSettings(app);
        ASSERT_EQ(fake.prompts.told.size(), 1u);
        const std::string& told = fake.prompts.told[0];
        const size_t at = told.find("file:\n");
        EXPECT_EQ(at != std::string::npos, exported == 1) << told;
        if (exported) {
            const std::string written = told.substr(at + 6, told.find("\n\n", at) - at - 6);
            EXPECT_NE(fake.files.content(written).find("\"xPos\"=\"10\""), std::string::npos) << written;
        }

        const bool opened = programinfo::LookupProgramOnline(app, 11, "C:\\Acme\\acme.exe");
        EXPECT_TRUE(!fake.files.exists(shortcut) || struck == "files.remove") << struck;
        EXPECT_EQ(fake.prompts.told.size(), opened ? 1u : 2u);
        for (fake::FaultPlan* plan : {&fake.registry.faults, &fake.files.faults, &fake.shell.faults}) plan->clear();
        fake.files.remove(shortcut);
        if (calls <= fail_at) break;  // no call was struck: every position has been tried
    }
}

}  // namespace
}  // namespace sx
