// The demo system under Wine, which the other Wine tests stand on, and the startup catalogue over it.
// Seeding twice gives the same state and a reset takes all of it away again. The catalogue lists every
// location of it from the real registry, startup folders, shortcuts, profile mapping and version
// resources, with the special locations and without; and what it must leave out is really there.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "app/process_state.h"
#include "common/text.h"
#include "common/state.h"
#include "platform/win32/win32_platform.h"
#include "programinfo/version_block.h"
#include "startup/catalogue.h"
#include "tests/support/silent_prompts.h"
#include "tools/demo/demo_system.h"

namespace sx::startup {
namespace {

using platform::Root;
// Everything the seeder may touch, by place: keys with their values, folders with their files.
using Snapshot = std::map<std::string, std::string>;

// The program installed where the demo system puts it, so its Disabled folder is the demo's.
class InstalledSystem : public win32::Win32System {
public:
    std::string program_file() override { return "C:\\Program Files\\Sentrix\\SentrixEx.exe"; }
};

// A listed entry: title, command, location, description, type code, flag.
using Row = std::tuple<std::string, std::string, std::string, std::string, int, int>;

// Everything the demo system starts, in the order the catalogue walks it (values sorted by name, as
// Wine enumerates them). The policies key is shared by both registry views, so its values appear
// under codes 7 and 27 alike.
const std::vector<Row> kDemoRows = {
        {"Contoso Sync", "%PROGRAMFILES%\\Contoso\\Sync\\ContosoSync.exe /background", "", "", 1, 0},
        {"FabTray", "C:\\Program Files\\Fabrikam\\Tray\\FabTray.exe", "", "", 1, 0},
        {"NwHelper", "C:\\Program Files\\Northwind Traders\\Update\\NwHelper.dll,StartHelper", "", "", 1, 1},
        {"NwUpdate", "C:\\Program Files\\Northwind Traders\\Update\\NwUpdate.exe /tray", "", "", 1, 0},
        {"ShellServices", "\\SystemRoot\\System32\\WingtipHelper.exe -embedding", "", "", 1, 0},
        {"Tailspin Launcher", "C:\\Program Files\\Tailspin Toys\\Launcher\\TailspinLauncher.exe -autorun", "", "", 1, 0},
        {"Wingtip Setup", "C:\\Program Files\\Wingtip Toys\\Helper\\WingtipHelper.exe /finishsetup", "", "", 2, 0},
        {"LitwareFirstRun", "C:\\Program Files\\Litware\\Agent\\LitwareAgent.exe /firstrun", "", "", 3, 0},
        {"ProseSpellService", "C:\\Program Files\\Proseware\\Spell\\ProseSpell.exe -service", "", "", 4, 0},
        {"winemenubuilder", "C:\\windows\\system32\\winemenubuilder.exe -a -r", "", "", 4, 0},
        {"FabrikamSetup", "C:\\Program Files\\Fabrikam\\Tray\\FabTray.exe /register", "", "", 5, 0},
        {"Northwind Setup", "C:\\Program Files\\Northwind Traders\\Update\\NwUpdate.exe /setup", "", "", 6, 0},
        {"AwClock", "C:\\Program Files\\Adventure Works\\Clock\\AwClock.exe", "", "", 7, 0},
        {"AwClockPolicy", "C:\\Program Files (x86)\\Adventure Works\\Clock\\AwClock.exe /policy", "", "", 7, 0},
        {"Command259", "C:\\Program Files\\Wingtip Toys\\Helper\\WingtipHelper.exe /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:", "", "", 11, 0},
        {"Command260", "C:\\Program Files\\Wingtip Toys\\Helper\\WingtipHelper.exe /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:", "", "", 11, 0},
        {"Command300", "C:\\Program Files\\Wingtip Toys\\Helper\\WingtipHelper.exe /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:value /option:", "", "", 11, 0},
        {"EndsInExe", "C:\\PROGRAM FILES\\TAILSPIN TOYS\\LAUNCHER\\TAILSPINLAUNCHER.EXE", "", "", 11, 0},
        {"LitwareAgent", "C:\\Program Files\\Litware\\Agent\\LitwareAgent.exe", "", "", 11, 0},
        {"Northwind Traders Update Service - keeps all Northwind Traders desktop products current with the latest fixes, drivers and secu", "C:\\Program Files\\Northwind Traders\\Update\\NwUpdate.exe", "", "", 11, 0},
        {"NoTerminator", "C:\\Program Files\\Tailspin Toys\\Launcher\\TailspinLauncher.exe", "", "", 11, 0},
        {"OnlyQuotes", "", "", "", 11, 0},
        {"ProseHook", "C:\\Program Files\\Proseware\\Spell\\ProseHook.dll,SpellCheckStart", "", "", 11, 1},
        {"ProseSpell", "%PROGRAMFILES%\\Proseware\\Spell\\ProseSpell.exe -tray", "", "", 11, 0},
        {"QuickTask", "C:\\Program Files\\Shared Tools\\QuickTask\\qtask.exe", "", "", 11, 0},
        {"TruncatedExt", "C:\\Program Files\\Fabrikam\\Tray\\FabTray.ex", "", "", 11, 0},
        {"WingtipHelper", "C:\\Program Files\\Wingtip Toys\\Helper\\WingtipHelper.exe", "", "", 11, 0},
        {"ContosoFirstRun", "C:\\Program Files\\Contoso\\Sync\\ContosoSync.exe /firstrun", "", "", 12, 0},
        {"TailspinPatch", "C:\\Program Files\\Tailspin Toys\\Launcher\\TailspinLauncher.exe /patch", "", "", 13, 0},
        {"QuickTaskService", "C:\\Program Files\\Shared Tools\\QuickTask\\qtask.exe -service", "", "", 14, 0},
        {"AwClockSetup", "C:\\Program Files\\Adventure Works\\Clock\\AwClock.exe /setup", "", "", 15, 0},
        {"LitwareSetup", "C:\\Program Files\\Litware\\Agent\\LitwareAgent.exe /setup", "", "", 16, 0},
        {"NwPolicyUpdate", "C:\\Program Files\\Northwind Traders\\Update\\NwUpdate.exe /policy", "", "", 17, 0},
        {"AwClock", "C:\\Program Files (x86)\\Adventure Works\\Clock\\AwClock.exe", "", "", 21, 0},
        {"AwClockUpdate", "C:\\Program Files (x86)\\Adventure Works\\Clock\\AwClock.exe /update", "", "", 22, 0},
        {"AwClockRegister", "C:\\Program Files (x86)\\Adventure Works\\Clock\\AwClock.exe /register", "", "", 23, 0},
        {"AwClockService", "C:\\Program Files (x86)\\Adventure Works\\Clock\\AwClock.exe -service", "", "", 24, 0},
        {"AwClockServiceSetup", "C:\\Program Files (x86)\\Adventure Works\\Clock\\AwClock.exe -service -install", "", "", 25, 0},
        {"AwClockSetup32", "C:\\Program Files (x86)\\Adventure Works\\Clock\\AwClock.exe /setup", "", "", 26, 0},
        {"AwClock", "C:\\Program Files\\Adventure Works\\Clock\\AwClock.exe", "", "", 27, 0},
        {"AwClockPolicy", "C:\\Program Files (x86)\\Adventure Works\\Clock\\AwClock.exe /policy", "", "", 27, 0},
        {"Contoso Sync", "C:\\Program Files\\Contoso\\Sync\\ContosoSync.exe", "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\Contoso Sync.lnk", "", 200, 0},
        {"LitwareAgent", "C:\\Program Files\\Litware\\Agent\\LitwareAgent.exe", "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\Litware Agent.lnk", "", 200, 0},
        {"Contoso Sync", "C:\\users\\root\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\Contoso Sync.pif", "", "", 200, 0},
        {"Fabrikam Tray Icon", "C:\\Program Files\\Fabrikam\\Tray\\FabTray.exe", "C:\\users\\root\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\Fabrikam Tray.lnk", "", 200, 0},
        {"Check for Northwind updates", "C:\\Program Files\\Northwind Traders\\Update\\NwUpdate.exe", "C:\\users\\root\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\Northwind Update.lnk", "", 200, 0},
        {"Startup notes", "C:\\users\\root\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\Startup notes.txt", "", "", 200, 0},
        {"Wingtip Shell Helper", "C:\\users\\root\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\WingtipHelper.exe", "C:\\users\\root\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\WingtipHelper.exe", "", 200, 0},
        {"Tailspin Game Launcher", "C:\\Program Files\\Tailspin Toys\\Launcher\\TailspinLauncher.exe", "", "", 101, 0},
        {"run", "C:\\Program Files\\Shared Tools\\QuickTask\\qtask.exe", "", "", 101, 0},
        {"Fabrikam Tray Monitor", "C:\\Program Files\\Fabrikam\\Tray\\FabTray.exe", "", "", 100, 0},
        {"Wingtip Shell Helper", "C:\\Program Files\\Wingtip Toys\\Helper\\WingtipHelper.exe", "", "", 100, 0},
        {"ContosoUpdater", "C:\\Program Files\\Contoso\\Sync\\ContosoSync.exe /update", "", "", 11, 0},
        {"Proseware Spell Checker", "C:\\Program Files\\Proseware\\Spell\\ProseSpell.exe", "", "", 101, 0},
        {"Adventure Works Clock", "C:\\Program Files\\Adventure Works\\Clock\\AwClock.exe", "C:\\Program Files\\Sentrix\\Disabled\\Adventure Works Clock.lnk", "", 200, 0},
        {"Winlogon Userinit", "C:\\Program Files\\Proseware\\Spell\\ProseSpell.exe", "", "", 250, 0},
        {"Winlogon Shell", "C:\\Program Files\\Fabrikam\\Tray\\FabTray.exe", "", "", 251, 0},
        {"ContosoSso", "C:\\Program Files\\Contoso\\Sync\\ContosoSso.dll", "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E01}", "2.0.5.0", 252, 0},
        {"ShellSvcExt", "C:\\windows\\system32\\shsvcx.dll", "4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E02", "6.1.7601.17514", 252, 0},
        {"Tailspin Task Preloader", "C:\\Program Files\\Tailspin Toys\\Launcher\\TailTask.dll", "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E03}", "7.0.2.0", 253, 0},
        {"Litware Execute Hook", "C:\\Program Files\\Litware\\Hook\\LitHook.dll", "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E04}", "3.1.0.9", 254, 0},
        {"Proseware Spell Hook Class", "C:\\Program Files\\Proseware\\Spell\\ProseHook.dll", "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E05}", "12.0.4518.0", 254, 0},
        {"Proseware Spell Hook", "C:\\Program Files\\Proseware\\Spell\\ProseHook.dll", "Proseware, Inc.", "12.0.4518.0", 255, 0},
        {"Wingtip Input Extensions", "C:\\Program Files\\Wingtip Toys\\Helper\\WingInit.dll", "Wingtip Toys", "5.1.2600.0", 255, 0},
        {"Shell Service Extensions Library", "shsvcx.dll", "Microsoft Corporation", "6.1.7601.17514", 255, 0},
        {"FabNotify", "C:\\Program Files\\Fabrikam\\Notify\\FabNotify.dll", "Fabrikam Winlogon Notification Package", "1.2.0.0", 256, 0},
        {"ShellSvcNotify", "shsvcx.dll", "Shell Service Extensions Library", "6.1.7601.17514", 256, 0},
};

class DemoSystem : public ::testing::Test {
protected:
    win32::CoInit com;
    fake::SilentPrompts prompts;
    win32::Win32Registry registry;
    win32::Win32Files files;
    win32::Win32Profile profile;
    win32::Win32Shell shell;
    win32::Win32Processes processes;
    InstalledSystem system;
    win32::Win32Services services;
    win32::Win32Scheduler scheduler;
    platform::Platform os{registry, files, profile, shell, processes, system, services, scheduler, prompts};
    AppState app{os};

    void SetUp() override {
        const demo::Result seeded = demo::seed();
        ASSERT_TRUE(seeded.ok) << (seeded.errors.empty() ? "" : seeded.errors.front());
        app.caption = "SentrixToGo Zentra";
        app::initialise_process_state(app);
    }

    void TearDown() override { demo::reset(); demo::reset_bulk(); }

    std::vector<Row> rows(bool filtered) {
        EnumerateStartups(app, filtered);
        std::vector<Row> out;
        for (const StartupEntry& e : app.items.entries())
            out.emplace_back(e.title, e.command, e.location, e.description, e.type, e.flag);
        return out;
    }

    void snap_key(Root root, const std::string& path, Snapshot& out) {
        const std::string where = (root == Root::local_machine ? "HKLM\\" : "HKCU\\") + path;
        std::vector<platform::RegValue> values;
        std::vector<std::string> subkeys;
        out[where] = registry.values(root, path, values) == platform::RegStatus::ok ? "(key)" : "(no key)";
        for (const platform::RegValue& v : values) out[where + " [" + v.name + "]"] = std::to_string(v.type) + ":" + v.data;
        registry.subkeys(root, path, subkeys);
        for (const std::string& sub : subkeys) snap_key(root, path + "\\" + sub, out);
    }

    void snap_folder(const std::string& folder, Snapshot& out) {
        std::vector<platform::DirEntry> entries;
        out[folder] = files.list(folder, entries) ? "(folder)" : "(no folder)";
        for (const platform::DirEntry& e : entries) {
            const std::string path = folder + "\\" + e.name;
            const std::string content = files.read(path, 1 << 26).value_or("(not a file)");
            if (e.attributes & platform::attr::directory) {
                if (e.name != "." && e.name != "..") snap_folder(path, out);
            } else {
                // A shell link holds its target's file times, so only its size is compared.
                out[path] = path.ends_with(".lnk") ? std::to_string(content.size()) : content;
            }
        }
    }

    Snapshot snapshot() {
        namespace d = demo;
        Snapshot out;
        for (Root root : {Root::local_machine, Root::current_user}) {
            for (const char* key : d::kRunFamily) snap_key(root, key, out);
            for (const char* key : {d::kOrvaneKey, d::kWindowsKey}) snap_key(root, key, out);
        }
        for (const char* key : d::kWowRunFamily) snap_key(Root::local_machine, key, out);
        for (const char* key : {d::kWinlogonKey, d::kDelayLoadKey, d::kSharedTaskSchedulerKey, d::kShellExecuteHooksKey})
            snap_key(Root::local_machine, key, out);
        for (const char* id : {d::kContosoSsoClsid, d::kShellSvcClsid, d::kTailTaskClsid, d::kLitHookClsid, d::kProseHookClsid})
            snap_key(Root::local_machine, std::string(d::kClsidKey) + "\\" + id, out);
        for (const char* folder : {"<Startup>", "<CommonStartup>", "C:\\Program Files", "C:\\Program Files (x86)"})
            snap_folder(d::expand(folder), out);
        snap_folder(d::journal_folder(), out);
        for (const char* file : {d::kSystemWingtipPath, d::kSystemShsvcxPath})
            out[d::expand(file)] = files.read(d::expand(file), 1 << 26).value_or("(no file)");
        // Hidden files with their attributes, and the folders made for them.
        for (const d::HiddenFile& f : d::kHiddenFiles) {
            const std::string path = d::hidden_file_path(f), folder(folder_part(path));
            out[path] = std::to_string(files.attributes(path)) + files.read(path, 1 << 26).value_or("");
            out[folder] = std::to_string(files.attributes(folder));
        }
        return out;
    }

    // Seeds everything there is: the program installed (any file stands in for it) and bulk entries.
    void seed_all() {
        demo::SeedOptions options;
        options.program = demo::default_bins_folder() + "\\" + NWUPDATE_FILE;
        const demo::Result seeded = demo::seed(options);
        ASSERT_TRUE(seeded.ok) << (seeded.errors.empty() ? "" : seeded.errors.front());
        ASSERT_TRUE(demo::seed_bulk(20, "C:\\Program Files\\Sentrix Bulk Test").ok);
    }
};

// The places that differ, a line each; empty when the snapshots are equal.
std::string differences(const Snapshot& before, const Snapshot& after) {
    std::string out;
    for (const auto& [place, state] : before)
        if (!after.count(place) || after.at(place) != state) out += "changed or gone: " + place + "\n";
    for (const auto& [place, state] : after)
        if (!before.count(place)) out += "new: " + place + "\n";
    return out;
}

TEST_F(DemoSystem, SeedingTwiceGivesTheSameState) {
    seed_all();
    const Snapshot once = snapshot();
    seed_all();
    EXPECT_EQ(differences(once, snapshot()), "");
}

TEST_F(DemoSystem, ResetLeavesNothingOfTheSeedingBehind) {
    ASSERT_TRUE(demo::reset().ok);  // back to the prefix as it was before SetUp seeded it
    ASSERT_TRUE(demo::reset_bulk().ok);
    const Snapshot before = snapshot();
    seed_all();
    EXPECT_NE(differences(before, snapshot()), "");
    const demo::Result undone = demo::reset();
    EXPECT_TRUE(undone.ok) << (undone.errors.empty() ? "" : undone.errors.front());
    EXPECT_TRUE(demo::reset_bulk().ok);
    EXPECT_EQ(differences(before, snapshot()), "");
    EXPECT_TRUE(demo::reset().log.empty()) << "nothing is left to undo";
    // Registering the demo's tasks sets the Schedule service to start automatically; a reset puts back
    // the demand start a fresh prefix has.
    DWORD start = 0, size = sizeof(start);
    EXPECT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\Schedule", "Start",
                           RRF_RT_REG_DWORD, nullptr, &start, &size), ERROR_SUCCESS);
    EXPECT_EQ(start, static_cast<DWORD>(SERVICE_DEMAND_START));
}

TEST_F(DemoSystem, EveryLocationOfTheDemoSystem) {
    ASSERT_TRUE(app.wow64);
    const std::vector<Row> listed = rows(false);
    ASSERT_EQ(listed.size(), kDemoRows.size());
    for (size_t i = 0; i < listed.size(); ++i) EXPECT_EQ(listed[i], kDemoRows[i]) << "row " << i;
}

TEST_F(DemoSystem, LocationTextsOfTheDemoRows) {
    rows(false);
    std::map<std::string, std::string> texts;
    for (size_t i = 0; i < app.items.count(); ++i) texts[app.items.at(i)->title] = LocationText(app, i);
    EXPECT_EQ(texts["AwClockSetup32"], "HKLM\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup");
    EXPECT_EQ(texts["ContosoUpdater"], " *    Disabled * HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    EXPECT_EQ(texts["Winlogon Shell"], "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon Shell");
}

// The list proves nothing about what it leaves out unless the demo wrote it: every tabled value is there
// with its type, every file, both win.ini lines with their empty items; and the binaries carry each
// shape of version resource the company column is checked against: one translation, two (the last
// decides), an empty table and none.
TEST_F(DemoSystem, WhatTheListLeavesOutIsThere) {
    using namespace platform::reg_type;
    const uint32_t kTypes[] = {sz, expand_sz, sz, dword, binary};  // by demo::Data
    using Values = std::span<const demo::RegValue>;
    for (Values table : std::initializer_list<Values>{demo::kRunValues, demo::kSpecialValues, demo::kDisabledValues,
                                                      demo::kDelayedValues, demo::kDetectedValues}) {
        for (const demo::RegValue& v : table) {
            const Root root = v.hive == demo::Hive::machine ? Root::local_machine : Root::current_user;
            platform::RegValue found;
            ASSERT_EQ(registry.query(root, v.key, demo::value_name(v), found), platform::RegStatus::ok) << v.key << " " << v.name;
            EXPECT_EQ(found.type, kTypes[static_cast<int>(v.kind)]) << v.key << " " << v.name;
        }
    }
    for (const demo::DemoFile& f : demo::kFiles) EXPECT_NE(files.attributes(demo::expand(f.path)), platform::attr::invalid) << f.path;
    for (const demo::ProfileLine& line : demo::kProfileLines)
        EXPECT_EQ(profile.read("", demo::kProfileSection, line.key, 1024), line.value) << line.key;
    const size_t kTranslations[] = {1, 2, 0, 0};  // by demo::Translations
    for (const demo::DemoBinary& b : demo::kBinaries) {
        const std::string block = files.version_block(demo::default_bins_folder() + "\\" + b.file).value_or("");
        EXPECT_EQ(block.empty(), b.translations == demo::Translations::none) << b.file;
        EXPECT_EQ(programinfo::VersionBlock(block).translations().size(), kTranslations[int(b.translations)]) << b.file;
    }
}

}  // namespace
}  // namespace sx::startup
