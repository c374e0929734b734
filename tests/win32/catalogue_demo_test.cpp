// The startup catalogue on the demo system under Wine: the real registry, startup folders, shortcuts,
// profile mapping and version resources, listed with the special locations and without.
#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/process_state.h"
#include "common/state.h"
#include "platform/win32/win32_platform.h"
#include "startup/catalogue.h"
#include "tests/support/silent_prompts.h"
#include "tools/demo/demo_system.h"

namespace sx::startup {
namespace {

// The program installed where the demo system puts it, so its Disabled folder is the demo's.
class InstalledSystem : public win32::Win32System {
public:
    std::string program_file() override { return "C:\\Program Files\\Sentrix\\SentrixEx.exe"; }
};

struct Row {
    std::string title, command, location, description;
    int type, flag;
    bool operator==(const Row&) const = default;
};

void PrintTo(const Row& r, std::ostream* os) {
    *os << "{" << r.title << " | " << r.command << " | " << r.location << " | " << r.description << " | " << r.type
        << " | " << r.flag << "}";
}

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

class DemoCatalogue : public ::testing::Test {
protected:
    win32::CoInit com;
    fake::SilentPrompts prompts;
    win32::Win32Registry registry;
    win32::Win32Files files;
    win32::Win32Profile profile;
    win32::Win32Shell shell;
    win32::Win32Processes processes;
    InstalledSystem system;
    platform::Platform os{registry, files, profile, shell, processes, system, prompts};
    AppState app{os};

    void SetUp() override {
        const demo::Result seeded = demo::seed();
        ASSERT_TRUE(seeded.ok) << (seeded.errors.empty() ? "" : seeded.errors.front());
        app.caption = "SentrixToGo Zentra";
        app::initialise_process_state(app);
    }

    void TearDown() override { demo::reset(); }

    std::vector<Row> rows(bool filtered) {
        EnumerateStartups(app, filtered);
        std::vector<Row> out;
        for (const StartupEntry& e : app.items.entries()) {
            out.push_back({e.title, e.command, e.location, e.description, e.type, e.flag});
        }
        return out;
    }
};

TEST_F(DemoCatalogue, EveryLocationOfTheDemoSystem) {
    ASSERT_TRUE(app.wow64);
    const std::vector<Row> listed = rows(false);
    ASSERT_EQ(listed.size(), kDemoRows.size());
    for (size_t i = 0; i < listed.size(); ++i) EXPECT_EQ(listed[i], kDemoRows[i]) << "row " << i;
}

TEST_F(DemoCatalogue, FilteredListLeavesTheSpecialLocationsOut) {
    std::vector<Row> expected;
    for (const Row& r : kDemoRows) {
        if (r.type < 250) expected.push_back(r);
    }
    EXPECT_EQ(rows(true), expected);
    app.settings.show_all_startup = 1;
    EXPECT_EQ(rows(true), kDemoRows);
}

TEST_F(DemoCatalogue, WithoutThe32BitViewNoCodeOf21To27) {
    app.wow64 = false;
    for (const Row& r : rows(false)) EXPECT_FALSE(r.type >= 21 && r.type <= 27) << r.title;
}

TEST_F(DemoCatalogue, LocationTextsOfTheDemoRows) {
    rows(false);
    std::vector<std::string> texts;
    for (size_t i = 0; i < app.items.count(); ++i) {
        const StartupEntry& e = *app.items.at(i);
        if (e.title == "ContosoUpdater" || e.title == "AwClockSetup32" || e.title == "Winlogon Shell") {
            texts.push_back(LocationText(app, i));
        }
    }
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "HKLM\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup",
                         " *    Disabled * HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                         "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon Shell",
                     }));
}

}  // namespace
}  // namespace sx::startup
