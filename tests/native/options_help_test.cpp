// The Options page's services: help pages beside the program or on the vendor's site, event sounds by
// index, the HOSTS file in Notepad; the settings export, a note and the request's shortcut
// with any one of their calls failing.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "common/state.h"
#include "programinfo/lookup.h"
#include "programinfo/notes.h"
#include "reports/output.h"
#include "res/resource_ids.h"
#include "tests/support/fake_platform.h"
#include "ui/help_pages.h"

namespace sx {
namespace {

using platform::Root;

struct World {
    fake::FakePlatform fake;
    AppState app{fake.os};
    World() {
        fake.shell_folders();
        fake.files.add_folder("C:\\users\\root\\Temp");
    }
    // Text as the UTF-16 bytes the settings export holds.
    static std::string utf16(std::string_view text) {
        std::string out;
        for (char c : text) out += std::string{c, '\0'};
        return out;
    }
    std::string opened() const { return fake.shell.calls.empty() ? std::string() : fake.shell.calls.back(); }
};

class OptionsServices : public ::testing::Test, protected World {};

TEST_F(OptionsServices, HelpSoundsAndHosts) {
    fake.files.add_file("C:\\Program Files\\Sentrix\\options.html", "<html>");
    fake.files.add_file("C:\\Program Files\\Sentrix\\de_options.html", "<html>");
    const std::tuple<int, const char*, const char*> kHelp[] = {
        {CMD_OPTIONS, "us", "open|C:\\Program Files\\Sentrix\\options.html||"},
        {6027, "us", "open|https://www.orvane.com/features.html||"},
        {CMD_OPTIONS, "de", "open|C:\\Program Files\\Sentrix\\de_options.html||"},
        {CMD_STARTUP, "de", "open|https://www.orvane.com/de_startup.html||"},
    };
    for (const auto& [command, language, call] : kHelp) {
        app.language_id = std::string(language) == "us" ? 9 : 7;
        fake.registry.put_text(Root::local_machine, "Software\\Orvane\\Sentrix", "LString634", language);
        EXPECT_TRUE(ui::open_help(app, 0, command));
        EXPECT_EQ(opened(), call);
    }
    fake.shell.windows.push_back("AOL Frame|America  Online");
    ui::open_help(app, 0, CMD_STARTUP);
    EXPECT_EQ(opened(), "run|\"waol.exe\" -u \"https://www.orvane.com/de_startup.html\"");

    // Every event of the table has its own sound; any other index is the Open event's.
    for (int i : {0, 6}) {
        fake.registry.put_text(Root::current_user, ui::event_sound_key(i), "", "C:\\sounds\\" + std::to_string(i));
    }
    EXPECT_EQ(ui::event_sound_key(6), "AppEvents\\Schemes\\Apps\\Sentrix\\SystemFile Alert\\.current");
    const std::pair<int, const char*> kSounds[] = {{6, "C:\\sounds\\6"}, {7, "C:\\sounds\\0"}, {-1, "C:\\sounds\\0"}};
    for (const auto& [index, file] : kSounds) EXPECT_EQ(ui::event_sound_file(app, index), file) << index;

    EXPECT_FALSE(ui::ViewHostsFile(app));
    fake.files.add_file("C:\\windows\\system32\\drivers\\etc\\HOSTS", "127.0.0.1 localhost\r\n");
    EXPECT_TRUE(ui::ViewHostsFile(app));
    EXPECT_EQ(opened(), "open|C:\\windows\\notepad.exe|\"C:\\windows\\system32\\drivers\\etc\\HOSTS\"|"
                        "C:\\windows\\system32\\drivers\\etc");
}

// Each of their calls failing in turn: what was there stays, no half-made file is left or reported as
// made, and a failure is told.
TEST_F(OptionsServices, ExportNoteAndShortcutWithAnyOneCallFailing) {
    const std::string note = "C:\\users\\root\\AppData\\Roaming\\Sentrix\\note_ACME.txt";
    fake.registry.put_text(Root::current_user, "Software\\Orvane\\Sentrix", "xPos", "10");
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
        EXPECT_TRUE(!exported || fake.files.content(file).find(utf16("\"xPos\"=\"10\"")) != std::string::npos) << file;
        const bool opened = programinfo::LookupProgramOnline(app, 11, "C:\\Acme\\acme.exe");
        EXPECT_TRUE(!fake.files.exists("C:\\users\\root\\Temp\\temp.url") || struck == "files.remove") << struck;
        EXPECT_EQ(fake.prompts.told.size(), opened ? 1u : 2u);
        for (fake::FaultPlan* plan : {&fake.registry.faults, &fake.files.faults, &fake.shell.faults}) plan->clear();
        fake.files.remove("C:\\users\\root\\Temp\\temp.url");
        if (calls <= fail_at) break;  // no call was struck: every position has been tried
    }
}

}  // namespace
}  // namespace sx
