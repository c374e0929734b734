#include "demo_expectations.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "tools/demo/demo_system.h"

namespace sx::e2e::test {

namespace {

// First-detected texts as seeded, by the program file they are stored under.
constexpr char kAwClock32Date[] = "10/31/2011 11:11 PM";
constexpr char kContosoDate[] = "11/12/2010 10:05 PM";
constexpr char kFabTrayDate[] = "2012-08-15 23:45:12 UTC";  // 23 characters: shown whole
constexpr char kNwHelperDate[] = "03/07/2009 9:06 AM";
constexpr char kNwUpdateDate[] = "03/07/2009 9:05 AM";
constexpr char kProseHookDate[] = "04/01/2012 4:01 PM";
constexpr char kProseSpellDate[] = "06/21/2008 12:00 PM";
constexpr char kTailspinDate[] = "01/15/2011 8:30 AM";
constexpr char kWingtipDate[] = "12/25/2010 7:45 AM";
constexpr char kSystemWingtipDate[] = "09/09/2009 9:09 AM";
constexpr char kNone[] = "";  // no date stored, or LitwareAgent.exe's 30 characters (too long to show)

// Companies as the version resources give them (LitwareAgent.exe and qtask.exe give none).
constexpr char kNorthwind[] = NWUPDATE_COMPANY;
constexpr char kContoso[] = CONTOSOSYNC_COMPANY;  // the English block comes last and wins
constexpr char kFabrikam[] = FABTRAY_COMPANY;
constexpr char kLitware[] = LITHOOK_COMPANY;
constexpr char kTailspin[] = TAILSPIN_COMPANY;
constexpr char kProseware[] = PROSESPELL_COMPANY;
constexpr char kWingtip[] = WINGTIPHELPER_COMPANY;
constexpr char kAdventure[] = AWCLOCK_COMPANY;
constexpr char kMicrosoft[] = SHSVCX_COMPANY;

constexpr std::pair<std::string_view, int> kTypeTexts[] = {
    {"HKLM_RUN", 1},          {"HKLM_RUNONCE", 2},       {"HKLM_RUNONCEEX", 3},     {"HKLM_RUNSERVICES", 4},
    {"HKLM_RUNSERVICESONCE", 5}, {"HKLM_RUNONCESETUP", 6}, {"HKLM_POLICY", 7},     {"HKCU_RUN", 11},
    {"HKCU_RUNONCE", 12},     {"HKCU_RUNONCEEX", 13},    {"HKCU_RUNSERVICES", 14},  {"HKCU_RUNSERVICESONCE", 15},
    {"HKCU_RUNONCESETUP", 16}, {"HKCU_POLICY", 17},      {"x64_RUN", 21},           {"x64_RUNONCE", 22},
    {"x64_RUNONCEEX", 23},    {"x64_RUNSERVICES", 24},   {"x64_RUNSERVICESONCE", 25}, {"x64_RUNONCESETUP", 26},
    {"x64_POLICY", 27},       {"WIN.INI_LOAD", 100},     {"WIN.INI_RUN", 101},      {"STARTUP_FOLDER", 200},
    {"LOGON_USERINIT", 250},  {"LOGON_SHELL", 251},      {"DELAYLOAD", 252},        {"TASKSCHEDULER", 253},
    {"SHELLHOOK", 254},       {"APPINIT_DLL", 255},      {"NOTIFY", 256},
};

std::string text_of(int code) {
    for (const auto& [text, value] : kTypeTexts) {
        if (value == code) return std::string(text);
    }
    return {};
}

ExpectedRow live(std::string title, std::string command, std::string company, int code, std::string detected,
                 bool rundll = false) {
    return {std::move(title), std::move(command), std::move(company), text_of(code), std::move(detected), code, rundll};
}

ExpectedRow disabled(std::string title, std::string command, std::string company, int marker, std::string detected) {
    return {std::move(title), std::move(command), std::move(company), "   Disabled", std::move(detected), marker, false};
}

std::string file_part(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A padded Run value's command as listed: cut to 259 characters, shown from its file name on.
std::string padded_command(std::size_t length) {
    constexpr std::size_t kCommandMax = 259;
    const std::string data = demo::padded(demo::kWingtipHelperPath, length);
    return file_part(data.substr(0, std::min(data.size(), kCommandMax)));
}

// The long HKCU Run value name; titles longer than 128 characters keep their first 127.
std::string long_northwind_title() {
    constexpr std::size_t kTitleLimit = 128;
    constexpr std::size_t kTitleKept = 127;
    for (const demo::RegValue& value : demo::kRunValues) {
        const std::string name = value.name;
        if (name.rfind("Northwind Traders Update Service", 0) == 0) {
            return name.size() > kTitleLimit ? name.substr(0, kTitleKept) : name;
        }
    }
    return {};
}

}  // namespace

std::vector<ExpectedRow> expected_startup_rows(bool special) {
    std::vector<ExpectedRow> rows = {
        // HKLM Run, in registry order. The default value (a one-character name) is skipped.
        live("Contoso Sync", "ContosoSync.exe /background", kContoso, 1, kContosoDate),
        live("FabTray", "FabTray.exe", kFabrikam, 1, kFabTrayDate),
        live("NwHelper", "RunDLL32.exe NwHelper.dll,StartHelper", kNorthwind, 1, kNwHelperDate, true),
        live("NwUpdate", "NwUpdate.exe /tray", kNorthwind, 1, kNwUpdateDate),
        live("ShellServices", "WingtipHelper.exe -embedding", kWingtip, 1, kSystemWingtipDate),
        live("Tailspin Launcher", "TailspinLauncher.exe -autorun", kTailspin, 1, kTailspinDate),
        // HKLM RunOnce: "Tailspin Launcher" repeats the value just before it and is skipped.
        live("Wingtip Setup", "WingtipHelper.exe /finishsetup", kWingtip, 2, kWingtipDate),
        live("LitwareFirstRun", "LitwareAgent.exe /firstrun", kNone, 3, kNone),
        live("ProseSpellService", "ProseSpell.exe -service", kProseware, 4, kProseSpellDate),
        // Put there by every Wine prefix.
        live("winemenubuilder", "winemenubuilder.exe -a -r", kNone, 4, kNone),
        live("FabrikamSetup", "FabTray.exe /register", kFabrikam, 5, kFabTrayDate),
        live("Northwind Setup", "NwUpdate.exe /setup", kNorthwind, 6, kNwUpdateDate),
        // Wine keeps one policies\Explorer\Run key for both registry views, so the 32-bit view's
        // value shows up here and this one there.
        live("AwClock", "AwClock.exe", kAdventure, 7, kNone),
        live("AwClockPolicy", "AwClock.exe /policy", kAdventure, 7, kAwClock32Date),

        // HKCU Run: "A" (one character), ContosoCounter (a number), LongCommand (600 characters,
        // longer than the read buffer), OnlyColon and ShortData (under 5 characters) and the name
        // beginning with a byte above 127 are skipped; commands are cut to 259 characters.
        live("Command259", padded_command(259), kWingtip, 11, kWingtipDate),
        live("Command260", padded_command(260), kWingtip, 11, kWingtipDate),
        live("Command300", padded_command(300), kWingtip, 11, kWingtipDate),
        live("EndsInExe", "TAILSPINLAUNCHER.EXE", kTailspin, 11, kTailspinDate),
        live("LitwareAgent", "LitwareAgent.exe", kNone, 11, kNone),
        live(long_northwind_title(), "NwUpdate.exe", kNorthwind, 11, kNwUpdateDate),
        live("NoTerminator", "TailspinLauncher.exe", kTailspin, 11, kTailspinDate),
        live("OnlyQuotes", "", kNone, 11, kNone),
        live("ProseHook", "RunDLL32.exe ProseHook.dll,SpellCheckStart", kProseware, 11, kProseHookDate, true),
        live("ProseSpell", "ProseSpell.exe -tray", kProseware, 11, kProseSpellDate),
        live("QuickTask", "qtask.exe", kNone, 11, kNone),
        live("TruncatedExt", "FabTray.ex", kNone, 11, kNone),
        live("WingtipHelper", "WingtipHelper.exe", kWingtip, 11, kWingtipDate),
        live("ContosoFirstRun", "ContosoSync.exe /firstrun", kContoso, 12, kContosoDate),
        live("TailspinPatch", "TailspinLauncher.exe /patch", kTailspin, 13, kTailspinDate),
        live("QuickTaskService", "qtask.exe -service", kNone, 14, kNone),
        live("AwClockSetup", "AwClock.exe /setup", kAdventure, 15, kNone),
        live("LitwareSetup", "LitwareAgent.exe /setup", kNone, 16, kNone),
        live("NwPolicyUpdate", "NwUpdate.exe /policy", kNorthwind, 17, kNwUpdateDate),

        // The 32-bit view.
        live("AwClock", "AwClock.exe", kAdventure, 21, kAwClock32Date),
        live("AwClockUpdate", "AwClock.exe /update", kAdventure, 22, kAwClock32Date),
        live("AwClockRegister", "AwClock.exe /register", kAdventure, 23, kAwClock32Date),
        live("AwClockService", "AwClock.exe -service", kAdventure, 24, kAwClock32Date),
        live("AwClockServiceSetup", "AwClock.exe -service -install", kAdventure, 25, kAwClock32Date),
        live("AwClockSetup32", "AwClock.exe /setup", kAdventure, 26, kAwClock32Date),
        live("AwClock", "AwClock.exe", kAdventure, 27, kNone),
        live("AwClockPolicy", "AwClock.exe /policy", kAdventure, 27, kAwClock32Date),

        // The all-users startup folder, then the user's, in name order; desktop.ini, the subfolder
        // and the file that is no shell link are left out. A shortcut without a description takes
        // the target's FileDescription, else ProductName, else the file name.
        live("Contoso Sync", "ContosoSync.exe", kContoso, 200, kContosoDate),
        live("LitwareAgent", "LitwareAgent.exe", kNone, 200, kNone),
        live("Contoso Sync", "Contoso Sync.pif", kNone, 200, kNone),
        live("Fabrikam Tray Icon", "FabTray.exe", kFabrikam, 200, kFabTrayDate),
        live("Check for Northwind updates", "NwUpdate.exe", kNorthwind, 200, kNwUpdateDate),
        live("Startup notes", "Startup notes.txt", kNone, 200, kNone),
        live("Wingtip Shell Helper", "WingtipHelper.exe", kWingtip, 200, kNone),

        // win.ini: run before load; titles are ProductName ("Operating System" gives way to the
        // FileDescription), else the key name.
        live("Tailspin Game Launcher", "TailspinLauncher.exe", kTailspin, 101, kTailspinDate),
        live("run", "qtask.exe", kNone, 101, kNone),
        live("Fabrikam Tray Monitor", "FabTray.exe", kFabrikam, 100, kFabTrayDate),
        live("Wingtip Shell Helper", "WingtipHelper.exe", kWingtip, 100, kWingtipDate),

        // The disabled store: LitwareBeta's marker is no number, FabrikamService has none, and
        // NorthwindLegacy has no stored command, so only these three are listed.
        disabled("ContosoUpdater", "ContosoSync.exe /update", kContoso, 11, kContosoDate),
        disabled("Proseware Spell Checker", "ProseSpell.exe", kProseware, 101, kProseSpellDate),
        disabled("Adventure Works Clock", "AwClock.exe", kAdventure, 200, kNone),
    };
    if (!special) return rows;
    const std::vector<ExpectedRow> more = {
        live("Winlogon Userinit", "ProseSpell.exe", kProseware, 250, kProseSpellDate),
        live("Winlogon Shell", "FabTray.exe", kFabrikam, 251, kFabTrayDate),
        live("ContosoSso", "ContosoSso.dll", kContoso, 252, kNone),
        live("ShellSvcExt", "shsvcx.dll", kMicrosoft, 252, kNone),
        live("Tailspin Task Preloader", "TailTask.dll", kTailspin, 253, kNone),
        live("Litware Execute Hook", "LitHook.dll", kLitware, 254, kNone),
        live("Proseware Spell Hook Class", "ProseHook.dll", kProseware, 254, kProseHookDate),
        live("Proseware Spell Hook", "ProseHook.dll", kProseware, 255, kProseHookDate),
        live("Wingtip Input Extensions", "WingInit.dll", kWingtip, 255, kNone),
        live("Shell Service Extensions Library", "shsvcx.dll", kMicrosoft, 255, kNone),
        live("FabNotify", "FabNotify.dll", kFabrikam, 256, kNone),
        live("ShellSvcNotify", "shsvcx.dll", kMicrosoft, 256, kNone),
    };
    rows.insert(rows.end(), more.begin(), more.end());
    return rows;
}

Row cells(const ExpectedRow& row) { return {row.title, row.command, row.company, row.type, row.detected}; }

int type_code_of(const std::string& type_text) {
    for (const auto& [text, value] : kTypeTexts) {
        if (text == type_text) return value;
    }
    return -1;
}

}  // namespace sx::e2e::test
