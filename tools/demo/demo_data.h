// What the demo seeder puts into a Wine prefix, as tables: the binaries and their version texts, the
// files it installs, the registry values and the win.ini lines. The seeder walks these tables, and
// tests read them to know what to expect.
//
// Texts may hold place holders that the seeder expands at run time (sx::demo::expand):
//   <Startup>        the user's startup folder ("Startup" of HKCU ...\Explorer\Shell Folders)
//   <CommonStartup>  the all-users startup folder ("Common Startup" of HKLM ...\Shell Folders)
//   <ProgramFolder>  C:\Program Files\Sentrix, the folder SentrixEx.exe is installed into
//   <System>         the system folder (C:\windows\system32)
//   <CommonFiles>    CommonFilesDir of HKLM SOFTWARE\Microsoft\Windows\CurrentVersion
//   <Temp>           the temporary folder (GetTempPathA) without its closing backslash
//   <Vault>          the program's vault of deleted hidden files: <AppData>\Sentrix\vault
//   <short:PATH>     the short (8.3) form of PATH, which must exist
#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "tools/demo/programs/demo_versions.h"

namespace sx::demo {

// ---------------------------------------------------------------------------------------------
// Binaries built into <build>/demo

// The five texts in the order the program reads them; nullptr = the name is absent.
struct VersionTexts {
    const char* product;
    const char* version;
    const char* company;
    const char* description;
    const char* copyright;
};

enum class Translations {
    one,    // one block, 0x409 / 1252
    two,    // 0x407 / 1200 (partial) then 0x409 / 1200
    empty,  // string block present, translation table empty
    none,   // no version resource at all
};

struct DemoBinary {
    const char* file;
    bool program;  // else a DLL
    Translations translations;
    VersionTexts texts;  // of the 0x409 block
    bool icon;
};

inline constexpr DemoBinary kBinaries[] = {
    {NWUPDATE_FILE, true, Translations::one,
     {NWUPDATE_PRODUCT, NWUPDATE_VERSION, NWUPDATE_COMPANY, NWUPDATE_DESCRIPTION, NWUPDATE_COPYRIGHT},
     NWUPDATE_ICON != 0},
    {CONTOSOSYNC_FILE, true, Translations::two,
     {CONTOSOSYNC_PRODUCT, CONTOSOSYNC_VERSION, CONTOSOSYNC_COMPANY, CONTOSOSYNC_DESCRIPTION,
      CONTOSOSYNC_COPYRIGHT},
     CONTOSOSYNC_ICON != 0},
    {FABTRAY_FILE, true, Translations::one,
     {FABTRAY_PRODUCT, FABTRAY_VERSION, FABTRAY_COMPANY, FABTRAY_DESCRIPTION, FABTRAY_COPYRIGHT},
     FABTRAY_ICON != 0},
    {LITWAREAGENT_FILE, true, Translations::empty,
     {LITWAREAGENT_PRODUCT, LITWAREAGENT_VERSION, LITWAREAGENT_COMPANY, LITWAREAGENT_DESCRIPTION,
      LITWAREAGENT_COPYRIGHT},
     LITWAREAGENT_ICON != 0},
    {TAILSPIN_FILE, true, Translations::one,
     {TAILSPIN_PRODUCT, TAILSPIN_VERSION, TAILSPIN_COMPANY, TAILSPIN_DESCRIPTION, TAILSPIN_COPYRIGHT},
     TAILSPIN_ICON != 0},
    {PROSESPELL_FILE, true, Translations::one,
     {PROSESPELL_PRODUCT, PROSESPELL_VERSION, PROSESPELL_COMPANY, PROSESPELL_DESCRIPTION,
      PROSESPELL_COPYRIGHT},
     PROSESPELL_ICON != 0},
    {WINGTIPHELPER_FILE, true, Translations::one,
     {WINGTIPHELPER_PRODUCT, WINGTIPHELPER_VERSION, WINGTIPHELPER_COMPANY, WINGTIPHELPER_DESCRIPTION,
      WINGTIPHELPER_COPYRIGHT},
     WINGTIPHELPER_ICON != 0},
    {AWCLOCK_FILE, true, Translations::one,
     {AWCLOCK_PRODUCT, AWCLOCK_VERSION, AWCLOCK_COMPANY, AWCLOCK_DESCRIPTION, AWCLOCK_COPYRIGHT},
     AWCLOCK_ICON != 0},
    {QTASK_FILE, true, Translations::none, {nullptr, nullptr, nullptr, nullptr, nullptr}, false},
    {NWHELPER_FILE, false, Translations::one,
     {NWHELPER_PRODUCT, NWHELPER_VERSION, NWHELPER_COMPANY, NWHELPER_DESCRIPTION, NWHELPER_COPYRIGHT},
     NWHELPER_ICON != 0},
    {CONTOSOSSO_FILE, false, Translations::one,
     {CONTOSOSSO_PRODUCT, CONTOSOSSO_VERSION, CONTOSOSSO_COMPANY, CONTOSOSSO_DESCRIPTION,
      CONTOSOSSO_COPYRIGHT},
     CONTOSOSSO_ICON != 0},
    {FABNOTIFY_FILE, false, Translations::one,
     {FABNOTIFY_PRODUCT, FABNOTIFY_VERSION, FABNOTIFY_COMPANY, FABNOTIFY_DESCRIPTION,
      FABNOTIFY_COPYRIGHT},
     FABNOTIFY_ICON != 0},
    {LITHOOK_FILE, false, Translations::one,
     {LITHOOK_PRODUCT, LITHOOK_VERSION, LITHOOK_COMPANY, LITHOOK_DESCRIPTION, LITHOOK_COPYRIGHT},
     LITHOOK_ICON != 0},
    {TAILTASK_FILE, false, Translations::one,
     {TAILTASK_PRODUCT, TAILTASK_VERSION, TAILTASK_COMPANY, TAILTASK_DESCRIPTION, TAILTASK_COPYRIGHT},
     TAILTASK_ICON != 0},
    {PROSEHOOK_FILE, false, Translations::one,
     {PROSEHOOK_PRODUCT, PROSEHOOK_VERSION, PROSEHOOK_COMPANY, PROSEHOOK_DESCRIPTION,
      PROSEHOOK_COPYRIGHT},
     PROSEHOOK_ICON != 0},
    {WINGINIT_FILE, false, Translations::one,
     {WINGINIT_PRODUCT, WINGINIT_VERSION, WINGINIT_COMPANY, WINGINIT_DESCRIPTION, WINGINIT_COPYRIGHT},
     WINGINIT_ICON != 0},
    {SHSVCX_FILE, false, Translations::one,
     {SHSVCX_PRODUCT, SHSVCX_VERSION, SHSVCX_COMPANY, SHSVCX_DESCRIPTION, SHSVCX_COPYRIGHT},
     SHSVCX_ICON != 0},
    {TAILSEARCH_FILE, false, Translations::one,
     {TAILSEARCH_PRODUCT, TAILSEARCH_VERSION, TAILSEARCH_COMPANY, TAILSEARCH_DESCRIPTION, TAILSEARCH_COPYRIGHT},
     TAILSEARCH_ICON != 0},
};

// The German block of ContosoSync.exe (translation 0x407 / 1200), listed first in its table.
inline constexpr VersionTexts kContosoSyncGerman = {CONTOSOSYNC_DE_PRODUCT, CONTOSOSYNC_DE_VERSION,
                                                    CONTOSOSYNC_DE_COMPANY, nullptr, nullptr};

// The binary every bulk entry copies: it has a version resource and an icon.
inline constexpr const char* kBulkBinary = FABTRAY_FILE;

// ---------------------------------------------------------------------------------------------
// Places

inline constexpr char kProgramFolder[] = "C:\\Program Files\\Sentrix";
inline constexpr char kProgramFile[] = "C:\\Program Files\\Sentrix\\SentrixEx.exe";
inline constexpr char kDisabledFolder[] = "C:\\Program Files\\Sentrix\\Disabled";
inline constexpr char kDefaultBulkFolder[] = "C:\\Program Files\\Sentrix Bulk";

// Installed copies of the demo binaries.
inline constexpr char kNwUpdatePath[] = "C:\\Program Files\\Northwind Traders\\Update\\NwUpdate.exe";
inline constexpr char kNwHelperPath[] = "C:\\Program Files\\Northwind Traders\\Update\\NwHelper.dll";
inline constexpr char kContosoSyncPath[] = "C:\\Program Files\\Contoso\\Sync\\ContosoSync.exe";
inline constexpr char kContosoSsoPath[] = "C:\\Program Files\\Contoso\\Sync\\ContosoSso.dll";
inline constexpr char kFabTrayPath[] = "C:\\Program Files\\Fabrikam\\Tray\\FabTray.exe";
inline constexpr char kFabNotifyPath[] = "C:\\Program Files\\Fabrikam\\Notify\\FabNotify.dll";
inline constexpr char kLitwareAgentPath[] = "C:\\Program Files\\Litware\\Agent\\LitwareAgent.exe";
inline constexpr char kLitHookPath[] = "C:\\Program Files\\Litware\\Hook\\LitHook.dll";
inline constexpr char kTailspinPath[] = "C:\\Program Files\\Tailspin Toys\\Launcher\\TailspinLauncher.exe";
inline constexpr char kTailTaskPath[] = "C:\\Program Files\\Tailspin Toys\\Launcher\\TailTask.dll";
inline constexpr char kProseSpellPath[] = "C:\\Program Files\\Proseware\\Spell\\ProseSpell.exe";
inline constexpr char kProseHookPath[] = "C:\\Program Files\\Proseware\\Spell\\ProseHook.dll";
inline constexpr char kWingtipHelperPath[] = "C:\\Program Files\\Wingtip Toys\\Helper\\WingtipHelper.exe";
inline constexpr char kWingInitPath[] = "C:\\Program Files\\Wingtip Toys\\Helper\\WingInit.dll";
inline constexpr char kAwClockPath[] = "C:\\Program Files\\Adventure Works\\Clock\\AwClock.exe";
inline constexpr char kAwClock32Path[] = "C:\\Program Files (x86)\\Adventure Works\\Clock\\AwClock.exe";
inline constexpr char kQuickTaskPath[] = "C:\\Program Files\\Shared Tools\\QuickTask\\qtask.exe";
inline constexpr char kAwSyncSvcPath[] = "C:\\Program Files\\Adventure Works\\Sync\\AwSyncSvc.exe";
inline constexpr char kSystemWingtipPath[] = "<System>\\WingtipHelper.exe";
inline constexpr char kSystemShsvcxPath[] = "<System>\\shsvcx.dll";
inline constexpr char kTailSearchPath[] = "C:\\Program Files\\Tailspin Toys\\Search\\TailSearch.dll";
inline constexpr char kFabNotify32Path[] = "C:\\Program Files (x86)\\Fabrikam\\Notify\\FabNotify.dll";
// Browser add-ons point here; nothing is installed there.
inline constexpr char kMissingHelperPath[] = "C:\\Program Files\\Litware\\OldAgent\\LitLink.dll";
// A shortcut points here; nothing is installed there.
inline constexpr char kMissingTargetPath[] = "C:\\Program Files\\Litware\\OldAgent\\LitAgent.exe";

// ---------------------------------------------------------------------------------------------
// Which option of SeedOptions leaves an entry out

enum class Extra {
    none,
    skipped,   // an entry the program must skip by its rules
    bad_data,  // malformed data, broken files, inconsistent records
};

enum class Section { programs, run, startup, special, disabled, delayed, detected, browser };

// ---------------------------------------------------------------------------------------------
// Files

enum class FileKind {
    copy,      // source = a binary's file name in the demo folder
    shortcut,  // source = the target path; description and arguments as given
    bytes,     // source = the file's content
};

struct DemoFile {
    Section section;
    const char* path;
    FileKind kind;
    const char* source;
    const char* description = "";
    const char* arguments = "";
    Extra extra = Extra::none;
};

inline constexpr DemoFile kFiles[] = {
    {Section::programs, kAwSyncSvcPath, FileKind::copy, AWSYNCSVC_FILE},
    {Section::programs, kNwUpdatePath, FileKind::copy, NWUPDATE_FILE},
    {Section::programs, kNwHelperPath, FileKind::copy, NWHELPER_FILE},
    {Section::programs, kContosoSyncPath, FileKind::copy, CONTOSOSYNC_FILE},
    {Section::programs, kContosoSsoPath, FileKind::copy, CONTOSOSSO_FILE},
    {Section::programs, kFabTrayPath, FileKind::copy, FABTRAY_FILE},
    {Section::programs, kFabNotifyPath, FileKind::copy, FABNOTIFY_FILE},
    {Section::programs, kLitwareAgentPath, FileKind::copy, LITWAREAGENT_FILE},
    {Section::programs, kLitHookPath, FileKind::copy, LITHOOK_FILE},
    {Section::programs, kTailspinPath, FileKind::copy, TAILSPIN_FILE},
    {Section::programs, kTailTaskPath, FileKind::copy, TAILTASK_FILE},
    {Section::programs, kProseSpellPath, FileKind::copy, PROSESPELL_FILE},
    {Section::programs, kProseHookPath, FileKind::copy, PROSEHOOK_FILE},
    {Section::programs, kWingtipHelperPath, FileKind::copy, WINGTIPHELPER_FILE},
    {Section::programs, kWingInitPath, FileKind::copy, WINGINIT_FILE},
    {Section::programs, kAwClockPath, FileKind::copy, AWCLOCK_FILE},
    {Section::programs, kAwClock32Path, FileKind::copy, AWCLOCK_FILE},
    {Section::programs, kQuickTaskPath, FileKind::copy, QTASK_FILE},
    {Section::programs, kSystemWingtipPath, FileKind::copy, WINGTIPHELPER_FILE},
    {Section::programs, kSystemShsvcxPath, FileKind::copy, SHSVCX_FILE},
    {Section::browser, kTailSearchPath, FileKind::copy, TAILSEARCH_FILE},
    {Section::browser, kFabNotify32Path, FileKind::copy, FABNOTIFY_FILE},

    // The user's startup folder.
    {Section::startup, "<Startup>\\Northwind Update.lnk", FileKind::shortcut, kNwUpdatePath,
     "Check for Northwind updates", "/tray"},
    {Section::startup, "<Startup>\\Fabrikam Tray.lnk", FileKind::shortcut, kFabTrayPath},
    {Section::startup, "<Startup>\\Old Litware Agent.lnk", FileKind::shortcut, kMissingTargetPath,
     "Litware Agent (old version)", "", Extra::bad_data},
    {Section::startup, "<Startup>\\Broken.lnk", FileKind::bytes,
     "L\x01\x02\x03\xFE\xFF this is not a shell link", "", "", Extra::bad_data},
    {Section::startup, "<Startup>\\WingtipHelper.exe", FileKind::copy, WINGTIPHELPER_FILE},
    {Section::startup, "<Startup>\\Contoso Sync.pif", FileKind::bytes,
     "Contoso Sync program information\r\n"},
    {Section::startup, "<Startup>\\Startup notes.txt", FileKind::bytes,
     "Programs in this folder start when you log on.\r\n"},
    {Section::startup, "<Startup>\\desktop.ini", FileKind::bytes,
     "[.ShellClassInfo]\r\nLocalizedResourceName=@%SystemRoot%\\system32\\shell32.dll,-21787\r\n", "", "",
     Extra::skipped},
    {Section::startup, "<Startup>\\Tools\\Read me.txt", FileKind::bytes,
     "A subfolder of the startup folder; nothing in it starts.\r\n", "", "", Extra::skipped},

    // The all-users startup folder.
    {Section::startup, "<CommonStartup>\\Contoso Sync.lnk", FileKind::shortcut, kContosoSyncPath,
     "Contoso Sync", "/minimized"},
    {Section::startup, "<CommonStartup>\\Litware Agent.lnk", FileKind::shortcut, kLitwareAgentPath},

    // A startup shortcut the program has switched off (its marker is in kDisabledValues).
    {Section::disabled, "C:\\Program Files\\Sentrix\\Disabled\\Adventure Works Clock.lnk",
     FileKind::shortcut, kAwClockPath, "Adventure Works Clock"},
};

// ---------------------------------------------------------------------------------------------
// Hidden files: at each depth of the program's walk (the drive root and the Windows folder with their
// own entries, the system, common-files and temporary folders one level down), beside and below it,
// and a copy of one in the vault the program restores deleted hidden files from.

inline constexpr unsigned kReadOnly = 0x1, kHidden = 0x2, kSystem = 0x4, kFolder = 0x10;

struct HiddenFile {
    const char* path;
    unsigned attributes;  // with kFolder a folder, otherwise a file
    bool listed;          // on the Hidden Files page
    const char* source = nullptr;  // a binary of the demo folder; otherwise a line of text
    std::size_t length = 0;        // > 0: the path is padded with "x" to exactly this many characters
    Extra extra = Extra::none;
};

inline constexpr char kWinHiddenPath[] = "C:\\windows\\SxWinHidden.dat";          // with a vault copy
inline constexpr char kSharedHiddenPath[] = "<CommonFiles>\\SxDemo\\SxShared.dat";  // read-only as well
inline constexpr char kInUsePath[] = "<Temp>\\SxInUse\\SxInUse.dat";                // tests hold it open

inline constexpr HiddenFile kHiddenFiles[] = {
    {"C:\\SxRoot.sys", kHidden | kSystem, true},
    {"C:\\SxDemo\\SxBelowRoot.dat", kHidden, false},
    {kWinHiddenPath, kHidden, true},
    {"C:\\windows\\SxDemo\\SxBelowWindows.dat", kHidden | kSystem, false},
    {"<System>\\SxHelper.dll", kHidden | kSystem, true, FABNOTIFY_FILE},
    {"<System>\\SxDemo\\SxDirect.exe", kHidden, true, QTASK_FILE},
    {"<System>\\SxDemo\\SxDeeper\\SxTooDeep.dat", kHidden, false},
    {"<System>\\.SxDot\\SxInDot.dat", kHidden, false},
    {"<System>\\SxHiddenFolder", kHidden | kFolder, false},
    {kSharedHiddenPath, kHidden | kReadOnly, true},
    {"<Temp>\\SxTemp.tmp", kHidden, true},
    {kInUsePath, kHidden, true},
    {"<Temp>\\SxLong\\SxLong", kHidden, true, nullptr, 259, Extra::bad_data},
    {"<Temp>\\SxLong\\SxLonger", kHidden, false, nullptr, 260, Extra::bad_data},  // over MAX_PATH - 1
    // A read-only copy (Wine keeps no read-only bit on a folder, so the vault itself cannot be made so).
    {"<Vault>\\SxWinHidden.dat", kReadOnly, false},
};

// ---------------------------------------------------------------------------------------------
// Registry values

enum class Hive { machine, user };

enum class Data {
    text,              // REG_SZ
    expand_text,       // REG_EXPAND_SZ
    text_unterminated, // REG_SZ stored without its terminating zero
    dword,             // REG_DWORD, data = decimal text
    binary_text,       // REG_BINARY holding the text's bytes, no zero
    dword_bytes,       // REG_DWORD holding the text's bytes, no zero (a DWORD of the wrong size)
    binary_hex,        // REG_BINARY, data = its bytes in hex digits
};

struct RegValue {
    Hive hive;
    const char* key;
    const char* name;  // "" = the key's default value
    Data kind;
    const char* data;
    Extra extra = Extra::none;
    std::size_t length = 0;  // > 0: the data is padded with kPadding to exactly this many characters
};

// Fills a padded command: repeated options after the program.
inline constexpr char kPadding[] = " /option:value";

inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline constexpr char kRunOnceExKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx";
inline constexpr char kRunServicesKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";
inline constexpr char kRunServicesOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce";
inline constexpr char kRunSetupKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup";
inline constexpr char kPolicyRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\policies\\Explorer\\Run";
inline constexpr char kWowRunKey[] = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kWowRunOnceKey[] = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline constexpr char kWowRunOnceExKey[] = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx";
inline constexpr char kWowRunServicesKey[] =
    "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunServices";
inline constexpr char kWowRunServicesOnceKey[] =
    "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce";
inline constexpr char kWowRunSetupKey[] =
    "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup";
inline constexpr char kWowPolicyRunKey[] =
    "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\policies\\Explorer\\Run";

// The seven keys of the Run family, in the order the program walks them.
inline constexpr const char* kRunFamily[] = {kRunKey, kRunOnceKey, kRunOnceExKey, kRunServicesKey,
                                             kRunServicesOnceKey, kRunSetupKey, kPolicyRunKey};
inline constexpr const char* kWowRunFamily[] = {kWowRunKey, kWowRunOnceKey, kWowRunOnceExKey,
                                                kWowRunServicesKey, kWowRunServicesOnceKey,
                                                kWowRunSetupKey, kWowPolicyRunKey};

inline constexpr char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr char kWinlogonKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline constexpr char kNotifyKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify";
inline constexpr char kDelayLoadKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad";
inline constexpr char kSharedTaskSchedulerKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\SharedTaskScheduler";
inline constexpr char kShellExecuteHooksKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ShellExecuteHooks";
inline constexpr char kWindowsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
inline constexpr char kClsidKey[] = "Software\\Classes\\CLSID";
inline constexpr char kOrvaneKey[] = "Software\\Orvane";
inline constexpr char kDisabledKey[] = "Software\\Orvane\\Sentrix\\Disabled";
inline constexpr char kDelayKey[] = "Software\\Orvane\\Sentrix\\Delay";
inline constexpr char kDetectedStartupKey[] = "Software\\Orvane\\Detected\\Startup";
inline constexpr char kDetectedActiveTasksKey[] = "Software\\Orvane\\Detected\\ActiveTasks";
inline constexpr char kDetectedHiddenKey[] = "Software\\Orvane\\Detected\\Hidden";

// Written in registry order (sorted, the default value first) so the order is the same whether
// values enumerate sorted (Wine) or in creation order (Windows).
inline constexpr RegValue kRunValues[] = {
    // HKLM Run (code 1). "Tailspin Launcher" sorts last, so together with the first value of HKLM
    // RunOnce it forms a consecutive pair of equal name and data.
    {Hive::machine, kRunKey, "", Data::text, kAwClockPath, Extra::skipped},
    {Hive::machine, kRunKey, "Contoso Sync", Data::text,
     "%PROGRAMFILES%\\Contoso\\Sync\\ContosoSync.exe /background"},
    {Hive::machine, kRunKey, "FabTray", Data::text, kFabTrayPath},
    {Hive::machine, kRunKey, "NwHelper", Data::text,
     "RUNDLL32.EXE C:\\Program Files\\Northwind Traders\\Update\\NwHelper.dll,StartHelper"},
    {Hive::machine, kRunKey, "NwUpdate", Data::text,
     "\"C:\\Program Files\\Northwind Traders\\Update\\NwUpdate.exe\" /tray"},
    {Hive::machine, kRunKey, "ShellServices", Data::text, "\\SystemRoot\\System32\\WingtipHelper.exe -embedding"},
    {Hive::machine, kRunKey, "Tailspin Launcher", Data::text,
     "C:\\Program Files\\Tailspin Toys\\Launcher\\TailspinLauncher.exe -autorun"},

    // HKLM RunOnce (code 2).
    {Hive::machine, kRunOnceKey, "Tailspin Launcher", Data::text,
     "C:\\Program Files\\Tailspin Toys\\Launcher\\TailspinLauncher.exe -autorun", Extra::skipped},
    {Hive::machine, kRunOnceKey, "Wingtip Setup", Data::text,
     "\"C:\\Program Files\\Wingtip Toys\\Helper\\WingtipHelper.exe\" /finishsetup"},

    // HKLM RunOnceEx, RunServices, RunServicesOnce, RunOnce\Setup, policies\Explorer\Run (3-7).
    {Hive::machine, kRunOnceExKey, "LitwareFirstRun", Data::text,
     "C:\\Program Files\\Litware\\Agent\\LitwareAgent.exe /firstrun"},
    {Hive::machine, kRunServicesKey, "ProseSpellService", Data::text,
     "C:\\Program Files\\Proseware\\Spell\\ProseSpell.exe -service"},
    {Hive::machine, kRunServicesOnceKey, "FabrikamSetup", Data::text,
     "C:\\Program Files\\Fabrikam\\Tray\\FabTray.exe /register"},
    {Hive::machine, kRunSetupKey, "Northwind Setup", Data::text,
     "C:\\Program Files\\Northwind Traders\\Update\\NwUpdate.exe /setup"},
    {Hive::machine, kPolicyRunKey, "AwClock", Data::text, kAwClockPath},

    // HKCU Run (code 11): ordinary entries, entries to skip and malformed data.
    {Hive::user, kRunKey, "A", Data::text, kFabTrayPath, Extra::skipped},
    {Hive::user, kRunKey, "Command259", Data::text, kWingtipHelperPath, Extra::bad_data, 259},
    {Hive::user, kRunKey, "Command260", Data::text, kWingtipHelperPath, Extra::bad_data, 260},
    {Hive::user, kRunKey, "Command300", Data::text, kWingtipHelperPath, Extra::bad_data, 300},
    {Hive::user, kRunKey, "ContosoCounter", Data::dword, "66", Extra::bad_data},
    {Hive::user, kRunKey, "EndsInExe", Data::text,
     "C:\\PROGRAM FILES\\TAILSPIN TOYS\\LAUNCHER\\TAILSPINLAUNCHER.EXE", Extra::bad_data},
    {Hive::user, kRunKey, "FabrikamBinary", Data::binary_text, kFabTrayPath, Extra::bad_data},
    {Hive::user, kRunKey, "LitwareAgent", Data::text, kLitwareAgentPath},
    {Hive::user, kRunKey, "LongCommand", Data::text, kLitwareAgentPath, Extra::bad_data, 600},
    {Hive::user, kRunKey, "NoTerminator", Data::text_unterminated, kTailspinPath, Extra::bad_data},
    {Hive::user, kRunKey,
     "Northwind Traders Update Service - keeps all Northwind Traders desktop products current with the "
     "latest fixes, drivers and security updates.",
     Data::text, kNwUpdatePath},
    {Hive::user, kRunKey, "OnlyColon", Data::text, ":", Extra::bad_data},
    {Hive::user, kRunKey, "OnlyQuotes", Data::text, "\"\"\"\"\"\"", Extra::bad_data},
    {Hive::user, kRunKey, "ProseHook", Data::text,
     "C:\\windows\\system32\\rundll32.exe \"C:\\Program Files\\Proseware\\Spell\\ProseHook.dll\","
     "SpellCheckStart"},
    {Hive::user, kRunKey, "ProseSpell", Data::expand_text,
     "%PROGRAMFILES%\\Proseware\\Spell\\ProseSpell.exe -tray"},
    {Hive::user, kRunKey, "QuickTask", Data::text, kQuickTaskPath},
    {Hive::user, kRunKey, "ShortData", Data::text, "C:\\a", Extra::skipped},
    {Hive::user, kRunKey, "TruncatedExt", Data::text, "C:\\Program Files\\Fabrikam\\Tray\\FabTray.ex",
     Extra::bad_data},
    {Hive::user, kRunKey, "WingtipHelper", Data::text, kWingtipHelperPath},
    {Hive::user, kRunKey, "\xC9" "clair Sync", Data::text, kContosoSyncPath, Extra::skipped},

    // HKCU RunOnce ... policies\Explorer\Run (codes 12-17).
    {Hive::user, kRunOnceKey, "ContosoFirstRun", Data::text,
     "\"C:\\Program Files\\Contoso\\Sync\\ContosoSync.exe\" /firstrun"},
    {Hive::user, kRunOnceExKey, "TailspinPatch", Data::text,
     "C:\\Program Files\\Tailspin Toys\\Launcher\\TailspinLauncher.exe /patch"},
    {Hive::user, kRunServicesKey, "QuickTaskService", Data::text,
     "C:\\Program Files\\Shared Tools\\QuickTask\\qtask.exe -service"},
    {Hive::user, kRunServicesOnceKey, "AwClockSetup", Data::text,
     "C:\\Program Files\\Adventure Works\\Clock\\AwClock.exe /setup"},
    {Hive::user, kRunSetupKey, "LitwareSetup", Data::text,
     "C:\\Program Files\\Litware\\Agent\\LitwareAgent.exe /setup"},
    {Hive::user, kPolicyRunKey, "NwPolicyUpdate", Data::text,
     "C:\\Program Files\\Northwind Traders\\Update\\NwUpdate.exe /policy"},

    // The 32-bit view (codes 21-27); a fresh 64-bit prefix lacks its Run key.
    {Hive::machine, kWowRunKey, "AwClock", Data::text, kAwClock32Path},
    {Hive::machine, kWowRunOnceKey, "AwClockUpdate", Data::text,
     "\"C:\\Program Files (x86)\\Adventure Works\\Clock\\AwClock.exe\" /update"},
    {Hive::machine, kWowRunOnceExKey, "AwClockRegister", Data::text,
     "C:\\Program Files (x86)\\Adventure Works\\Clock\\AwClock.exe /register"},
    {Hive::machine, kWowRunServicesKey, "AwClockService", Data::text,
     "C:\\Program Files (x86)\\Adventure Works\\Clock\\AwClock.exe -service"},
    {Hive::machine, kWowRunServicesOnceKey, "AwClockServiceSetup", Data::text,
     "C:\\Program Files (x86)\\Adventure Works\\Clock\\AwClock.exe -service -install"},
    {Hive::machine, kWowRunSetupKey, "AwClockSetup32", Data::text,
     "C:\\Program Files (x86)\\Adventure Works\\Clock\\AwClock.exe /setup"},
    {Hive::machine, kWowPolicyRunKey, "AwClockPolicy", Data::text,
     "C:\\Program Files (x86)\\Adventure Works\\Clock\\AwClock.exe /policy"},
};

// Windows' own startup switches (StartupApproved): the first byte odd is off, bytes 4-11 the time it
// was switched off (2024-03-05 14:07:09 UTC). Exactly the entries named in kSwitchedOffByWindows are off.
inline constexpr char kApprovedRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
inline constexpr char kApprovedRun32Key[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run32";
inline constexpr char kApprovedFolderKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";
inline constexpr char kOffSince[] = "0300000080A46B69066FDA01";
inline constexpr char kOn[] = "020000000000000000000000";
inline constexpr RegValue kApprovedValues[] = {
    {Hive::machine, kApprovedRunKey, "Contoso Sync", Data::binary_hex, kOffSince},
    {Hive::machine, kApprovedRunKey, "Tailspin Launcher", Data::binary_hex, kOn},
    {Hive::user, kApprovedRunKey, "ProseHook", Data::binary_hex, kOffSince},
    {Hive::user, kApprovedRunKey, "QuickTask", Data::binary_hex, "06000000"},  // even: on
    {Hive::user, kApprovedRunKey, "No Such Entry", Data::binary_hex, kOffSince},
    {Hive::machine, kApprovedRun32Key, "AwClock", Data::binary_hex, "03000000"},  // off, no time
    {Hive::machine, kApprovedFolderKey, "Litware Agent.lnk", Data::binary_hex, kOffSince},
    {Hive::user, kApprovedFolderKey, "Fabrikam Tray.lnk", Data::binary_hex, kOn},
};
// The entries switched off there, by title and type code; the one "Enable" switches on in the tests.
inline constexpr std::pair<const char*, int> kSwitchedOffByWindows[] = {
    {"Contoso Sync", 1}, {"ProseHook", 11}, {"AwClock", 21}, {"LitwareAgent", 200}};

// Class ids of the demo shell extensions.
inline constexpr char kContosoSsoClsid[] = "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E01}";
inline constexpr char kShellSvcClsid[] = "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E02}";
inline constexpr char kTailTaskClsid[] = "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E03}";
inline constexpr char kLitHookClsid[] = "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E04}";
inline constexpr char kProseHookClsid[] = "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E05}";

inline constexpr RegValue kSpecialValues[] = {
    // Winlogon: a second program after userinit's comma, a second program after the shell.
    {Hive::machine, kWinlogonKey, "Userinit", Data::text,
     "C:\\windows\\system32\\userinit.exe,C:\\Program Files\\Proseware\\Spell\\ProseSpell.exe"},
    {Hive::machine, kWinlogonKey, "Shell", Data::text,
     "Explorer.exe C:\\Program Files\\Fabrikam\\Tray\\FabTray.exe"},

    // Winlogon notification packages.
    {Hive::machine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\EmptyNotify",
     "DllName", Data::text, "", Extra::skipped},
    {Hive::machine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\FabNotify",
     "Asynchronous", Data::dword, "0"},
    {Hive::machine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\FabNotify",
     "DllName", Data::text, kFabNotifyPath},
    {Hive::machine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\FabNotify",
     "Impersonate", Data::dword, "1"},
    {Hive::machine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\FabNotify",
     "Logon", Data::text, "FabLogonEvent"},
    {Hive::machine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\ShellSvcNotify",
     "DllName", Data::text, "shsvcx.dll"},
    {Hive::machine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\ShellSvcNotify",
     "Startup", Data::text, "ShellSvcStartup"},

    // Shell service objects: one class id with braces, one without.
    {Hive::machine, kDelayLoadKey, "ContosoSso", Data::text, kContosoSsoClsid},
    {Hive::machine, kDelayLoadKey, "ShellSvcExt", Data::text, "4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E02"},

    // Value name = class id, data = title (empty: the class's name is the title).
    {Hive::machine, kSharedTaskSchedulerKey, kTailTaskClsid, Data::text, "Tailspin Task Preloader"},
    {Hive::machine, kShellExecuteHooksKey, kLitHookClsid, Data::text, "Litware Execute Hook"},
    {Hive::machine, kShellExecuteHooksKey, kProseHookClsid, Data::text, ""},

    // Three DLLs, separated by a comma and by two blanks.
    {Hive::machine, kWindowsKey, "AppInit_DLLs", Data::text,
     "<short:C:\\Program Files\\Proseware\\Spell\\ProseHook.dll>,"
     "<short:C:\\Program Files\\Wingtip Toys\\Helper\\WingInit.dll>  shsvcx.dll"},

    // The classes behind them.
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E01}", "", Data::text,
     "Contoso Sync Shell Service"},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E01}\\InprocServer32", "",
     Data::text, kContosoSsoPath},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E01}\\InprocServer32",
     "ThreadingModel", Data::text, "Apartment"},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E02}", "", Data::text,
     "Shell Service Extensions"},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E02}\\InprocServer32", "",
     Data::text, "C:\\windows\\system32\\shsvcx.dll"},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E02}\\InprocServer32",
     "ThreadingModel", Data::text, "Both"},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E03}", "", Data::text,
     "Tailspin Task Preloader"},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E03}\\InprocServer32", "",
     Data::text, kTailTaskPath},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E04}", "", Data::text,
     "Litware Execute Hook"},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E04}\\InprocServer32", "",
     Data::text, kLitHookPath},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E05}", "", Data::text,
     "Proseware Spell Hook Class"},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E05}\\InprocServer32", "",
     Data::text, kProseHookPath},
};

// The program's disabled store: markers (title = type code) and the stored commands.
inline constexpr RegValue kDisabledValues[] = {
    {Hive::machine, kDisabledKey, "Adventure Works Clock", Data::text, "200"},
    {Hive::machine, kDisabledKey, "ContosoUpdater", Data::text, "11"},
    {Hive::machine, kDisabledKey, "LitwareBeta", Data::text, "beta", Extra::bad_data},
    {Hive::machine, kDisabledKey, "NorthwindLegacy", Data::text, "11", Extra::bad_data},
    {Hive::machine, kDisabledKey, "Proseware Spell Checker", Data::text, "101"},
    {Hive::machine, "Software\\Orvane\\Sentrix\\Disabled\\Run", "ContosoUpdater", Data::text,
     "\"C:\\Program Files\\Contoso\\Sync\\ContosoSync.exe\" /update"},
    {Hive::machine, "Software\\Orvane\\Sentrix\\Disabled\\Run", "LitwareBeta", Data::text,
     "C:\\Program Files\\Litware\\Agent\\LitwareAgent.exe /beta", Extra::bad_data},
    {Hive::machine, "Software\\Orvane\\Sentrix\\Disabled\\RunServices", "FabrikamService", Data::text,
     "C:\\Program Files\\Fabrikam\\Tray\\FabTray.exe -service", Extra::bad_data},
    {Hive::machine, "Software\\Orvane\\Sentrix\\Disabled\\WinRun", "Proseware Spell Checker", Data::text,
     kProseSpellPath},
};

// Delayed-start records; every value is named by the program's command.
inline constexpr RegValue kDelayedValues[] = {
    // A HKCU Run program with parameters (code 11).
    {Hive::user, kDelayKey, kNwUpdatePath, Data::text, "11"},
    {Hive::user, "Software\\Orvane\\Sentrix\\Delay\\Title", kNwUpdatePath, Data::text, "NwUpdateDelayed"},
    {Hive::user, "Software\\Orvane\\Sentrix\\Delay\\Time", kNwUpdatePath, Data::text, "60"},
    {Hive::user, "Software\\Orvane\\Sentrix\\Delay\\Parameters", kNwUpdatePath, Data::text,
     "/silent /check"},
    {Hive::user, "Software\\Orvane\\Sentrix\\Delay\\OpenAs", kNwUpdatePath, Data::text, "1"},
    // A startup-folder shortcut (code 200).
    {Hive::user, kDelayKey, kTailspinPath, Data::text, "200"},
    {Hive::user, "Software\\Orvane\\Sentrix\\Delay\\Title", kTailspinPath, Data::text, "Tailspin Launcher"},
    {Hive::user, "Software\\Orvane\\Sentrix\\Delay\\Time", kTailspinPath, Data::text, "30"},
    {Hive::user, "Software\\Orvane\\Sentrix\\Delay\\Shortcuts", kTailspinPath, Data::text,
     "<Startup>\\Tailspin Launcher.lnk"},
    {Hive::user, "Software\\Orvane\\Sentrix\\Delay\\OpenAs", kTailspinPath, Data::text, "2"},
    // A DLL started through a host program (code 1).
    {Hive::machine, kDelayKey, "C:\\Program Files\\Northwind Traders\\Update\\NwHelper.dll,StartHelper",
     Data::text, "1"},
    {Hive::machine, "Software\\Orvane\\Sentrix\\Delay\\Title",
     "C:\\Program Files\\Northwind Traders\\Update\\NwHelper.dll,StartHelper", Data::text, "NwHelperDelayed"},
    {Hive::machine, "Software\\Orvane\\Sentrix\\Delay\\Time",
     "C:\\Program Files\\Northwind Traders\\Update\\NwHelper.dll,StartHelper", Data::text, "120"},
    {Hive::machine, "Software\\Orvane\\Sentrix\\Delay\\Applet",
     "C:\\Program Files\\Northwind Traders\\Update\\NwHelper.dll,StartHelper", Data::text,
     "C:\\windows\\system32\\rundll32.exe"},
    // A program of the 32-bit view (code 21).
    {Hive::machine, kDelayKey, kAwClock32Path, Data::text, "21"},
    {Hive::machine, "Software\\Orvane\\Sentrix\\Delay\\Title", kAwClock32Path, Data::text, "AwClockDelayed"},
    {Hive::machine, "Software\\Orvane\\Sentrix\\Delay\\Time", kAwClock32Path, Data::text, "45"},
};

// First-detected texts, named by the resolved upper-case program path.
inline constexpr RegValue kDetectedValues[] = {
    {Hive::user, kDetectedStartupKey, "C:\\PROGRAM FILES (X86)\\ADVENTURE WORKS\\CLOCK\\AWCLOCK.EXE",
     Data::text, "10/31/2011 11:11 PM"},
    {Hive::user, kDetectedStartupKey, "C:\\PROGRAM FILES\\CONTOSO\\SYNC\\CONTOSOSYNC.EXE", Data::text,
     "11/12/2010 10:05 PM"},
    {Hive::user, kDetectedStartupKey, "C:\\PROGRAM FILES\\FABRIKAM\\TRAY\\FABTRAY.EXE", Data::text,
     "2012-08-15 23:45:12 UTC"},  // exactly 23 characters
    {Hive::user, kDetectedStartupKey, "C:\\PROGRAM FILES\\LITWARE\\AGENT\\LITWAREAGENT.EXE", Data::text,
     "Tuesday, March 3, 2009 9:05 AM", Extra::bad_data},  // 30 characters: too long to show
    {Hive::user, kDetectedStartupKey, "C:\\PROGRAM FILES\\NORTHWIND TRADERS\\UPDATE\\NWHELPER.DLL",
     Data::text, "03/07/2009 9:06 AM"},
    {Hive::user, kDetectedStartupKey, "C:\\PROGRAM FILES\\NORTHWIND TRADERS\\UPDATE\\NWUPDATE.EXE",
     Data::text, "03/07/2009 9:05 AM"},
    {Hive::user, kDetectedStartupKey, "C:\\PROGRAM FILES\\PROSEWARE\\SPELL\\PROSEHOOK.DLL", Data::text,
     "04/01/2012 4:01 PM"},
    {Hive::user, kDetectedStartupKey, "C:\\PROGRAM FILES\\PROSEWARE\\SPELL\\PROSESPELL.EXE", Data::text,
     "06/21/2008 12:00 PM"},
    {Hive::user, kDetectedStartupKey, "C:\\PROGRAM FILES\\TAILSPIN TOYS\\LAUNCHER\\TAILSPINLAUNCHER.EXE",
     Data::text, "01/15/2011 8:30 AM"},
    {Hive::user, kDetectedStartupKey, "C:\\PROGRAM FILES\\WINGTIP TOYS\\HELPER\\WINGTIPHELPER.EXE",
     Data::text, "12/25/2010 7:45 AM"},
    {Hive::user, kDetectedStartupKey, "C:\\WINDOWS\\SYSTEM32\\WINGTIPHELPER.EXE", Data::text,
     "09/09/2009 9:09 AM"},
    {Hive::user, kDetectedActiveTasksKey, "C:\\PROGRAM FILES\\ADVENTURE WORKS\\CLOCK\\AWCLOCK.EXE",
     Data::text, "2012-08-15 23:45:12 UTC"},
    {Hive::user, kDetectedActiveTasksKey, "C:\\PROGRAM FILES\\FABRIKAM\\TRAY\\FABTRAY.EXE", Data::text,
     "11/12/2010 10:05 PM"},
    {Hive::user, kDetectedActiveTasksKey, "C:\\PROGRAM FILES\\NORTHWIND TRADERS\\UPDATE\\NWUPDATE.EXE",
     Data::text, "03/07/2009 9:05 AM"},
    {Hive::user, kDetectedHiddenKey, "C:\\WINDOWS\\SXWINHIDDEN.DAT", Data::text, "05/05/2015 5:05 AM"},
    {Hive::user, kDetectedHiddenKey, "<System>\\SXHELPER.DLL", Data::text, "10/31/2011 11:11 PM"},
};

// ---------------------------------------------------------------------------------------------
// Browser add-ons and ActiveX controls, in both registry views: the native one and the 32-bit one
// below Wow6432Node (HKCR\Wow6432Node\CLSID is HKLM Software\Classes\Wow6432Node\CLSID).

inline constexpr char kBhoKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
inline constexpr char kWowBhoKey[] =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
inline constexpr char kToolbarKey[] = "SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar";
inline constexpr char kWowToolbarKey[] = "SOFTWARE\\Wow6432Node\\Microsoft\\Internet Explorer\\Toolbar";
inline constexpr char kExtensionsKey[] = "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions";
inline constexpr char kWowExtensionsKey[] = "SOFTWARE\\Wow6432Node\\Microsoft\\Internet Explorer\\Extensions";
inline constexpr char kCompatibilityKey[] = "SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility";
inline constexpr char kWowCompatibilityKey[] =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Internet Explorer\\ActiveX Compatibility";
inline constexpr char kExtStatsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Stats";
inline constexpr char kWowClsidKey[] = "Software\\Classes\\Wow6432Node\\CLSID";
inline constexpr char kDetectedIeHelperKey[] = "Software\\Orvane\\Detected\\IEHelper";
inline constexpr char kDetectedActiveXKey[] = "Software\\Orvane\\Detected\\ActiveX";

inline constexpr char kTailSearchHelperClsid[] = TAILSEARCH_HELPER_CLSID;
inline constexpr char kTailSearchToolbarClsid[] = TAILSEARCH_TOOLBAR_CLSID;
inline constexpr char kMissingDllClsid[] = "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E11}";
inline constexpr char kNoServerClsid[] = "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E12}";
inline constexpr char kBothViewsClsid[] = "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E13}";
inline constexpr char kWowHelperClsid[] = "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E14}";
inline constexpr char kBracelessToolbar[] = "4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E16";
inline constexpr char kClasslessToolbarClsid[] = "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E17}";
inline constexpr char kPlayerClsid[] = "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E30}";
inline constexpr char kChartClsid[] = "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E31}";
inline constexpr char kNamelessClsid[] = "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E32}";
inline constexpr char kClock32Clsid[] = "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E33}";
inline constexpr char kTextFlagsClsid[] = "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E37}";
inline constexpr char kLongFlagsClsid[] = "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E38}";
// Wine's own HTML help control: its program file's company is "Microsoft Corporation".
inline constexpr char kHelpControlClsid[] = "{ADB880A6-D8FF-11CF-9377-00AA003B7A11}";

inline constexpr RegValue kBrowserValues[] = {
    // Helper objects. The first is the self-registering DLL's (it writes the same on registering);
    // the next names a DLL that is not there; "NotAClsid" and a class without a server are not
    // listed on the page; one is registered alike in both views.
    {Hive::machine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\NotAClsid",
     "NoExplorer", Data::dword, "1", Extra::bad_data},
    {Hive::machine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\"
     "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E10}", "", Data::text, TAILSEARCH_HELPER_NAME},
    {Hive::machine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\"
     "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E11}", "NoExplorer", Data::dword, "1"},
    {Hive::machine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\"
     "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E12}", "NoExplorer", Data::dword, "1", Extra::bad_data},
    {Hive::machine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\"
     "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E13}", "NoExplorer", Data::dword, "1"},
    {Hive::machine, "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\"
     "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E13}", "NoExplorer", Data::dword, "1"},
    {Hive::machine, "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\"
     "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E14}", "NoExplorer", Data::dword, "1"},

    // Toolbars: the self-registering DLL's, one named without braces, and in the 32-bit view one
    // whose class is not registered at all.
    {Hive::machine, kToolbarKey, kBracelessToolbar, Data::text, ""},
    {Hive::machine, kToolbarKey, TAILSEARCH_TOOLBAR_CLSID, Data::text, ""},
    {Hive::machine, kWowToolbarKey, "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E17}", Data::text, ""},

    // Toolbar buttons: a program with a version resource, the browser's own "related" page (its
    // text names shdoclc.dll), one without a button text but with a menu item, and a 32-bit one
    // whose program has no version resource; one of the user's own for the scan log.
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E18}",
     "ButtonText", Data::text, "Northwind Notes"},
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E18}",
     "Exec", Data::text, kNwUpdatePath},
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E18}",
     "HotIcon", Data::text, "C:\\Program Files\\Northwind Traders\\Update\\NwUpdate.exe,1"},
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E19}",
     "ButtonText", Data::text, "@C:\\windows\\system32\\shdoclc.dll,-10121"},
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E19}",
     "HotIcon", Data::text, "C:\\windows\\web\\related.ico"},
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E19}",
     "script", Data::text, "C:\\windows\\web\\related.htm"},
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E1A}",
     "Exec", Data::text, kNwUpdatePath},
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E1A}",
     "MenuText", Data::text, "Send to Northwind"},
    {Hive::machine,
     "SOFTWARE\\Wow6432Node\\Microsoft\\Internet Explorer\\Extensions\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E1B}",
     "ButtonText", Data::text, "Proseware Research"},
    {Hive::machine,
     "SOFTWARE\\Wow6432Node\\Microsoft\\Internet Explorer\\Extensions\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E1B}",
     "Exec", Data::text, kQuickTaskPath},
    {Hive::user, "Software\\Microsoft\\Internet Explorer\\Extensions\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E1C}",
     "ButtonText", Data::text, "My Notes"},
    {Hive::user, "Software\\Microsoft\\Internet Explorer\\Extensions\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E1C}",
     "Exec", Data::text, kWingtipHelperPath},

    // The other keys the scan log reads: context-menu entries, plug-ins, downloaded controls,
    // options groups and zone domains, each with one entry it leaves out.
    {Hive::user, "Software\\Microsoft\\Internet Explorer\\MenuExt\\&Translate with Litware", "", Data::text,
     "C:\\Program Files\\Litware\\Hook\\translate.htm"},
    {Hive::user, "Software\\Microsoft\\Internet Explorer\\MenuExt\\E&mpty", "Contexts", Data::dword, "1", Extra::skipped},
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\Plugins\\Extension\\.cpdf", "Location", Data::text,
     kContosoSsoPath},
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\Plugins\\Extension\\.none", "Location", Data::text, "",
     Extra::skipped},
    {Hive::machine, "SOFTWARE\\Microsoft\\Code Store Database\\Distribution Units\\"
     "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E30}\\DownloadInformation", "CODEBASE", Data::text,
     "http://download.contoso.example/player.cab"},
    {Hive::machine, "SOFTWARE\\Microsoft\\Code Store Database\\Distribution Units\\"
     "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E31}\\DownloadInformation", "INF", Data::text, "chart.inf", Extra::skipped},
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\AdvancedOptions\\CONTOSO_SYNC", "Bitmap", Data::text,
     "C:\\Program Files\\Contoso\\Sync\\sync.bmp"},
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\AdvancedOptions\\CONTOSO_SYNC", "HelpID", Data::text,
     "contoso.hlp#5010"},
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\AdvancedOptions\\CONTOSO_SYNC", "Text", Data::text,
     "Contoso Sync"},
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\AdvancedOptions\\BROWSE", "HelpID", Data::text,
     "iexplore.hlp#50159", Extra::skipped},
    {Hive::user, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\Domains\\"
     "contoso.example\\www", "*", Data::dword, "5"},
    {Hive::user, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\Domains\\"
     "fabrikam.example\\www", "*", Data::dword, "2", Extra::skipped},

    // ActiveX controls the browser used: Type 1 or less (none counts as 0); a Type of 2 is left out.
    {Hive::user, "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Stats\\NotAClsid\\iexplore", "Type",
     Data::dword, "1", Extra::bad_data},
    {Hive::user, "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Stats\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E30}"
     "\\iexplore", "Type", Data::dword, "1"},
    {Hive::user, "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Stats\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E31}"
     "\\iexplore", "Type", Data::dword, "2"},
    {Hive::user, "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Stats\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E32}"
     "\\iexplore", "Count", Data::dword, "3"},
    {Hive::user, "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Stats\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E33}"
     "\\iexplore", "Type", Data::dword, "1"},
    {Hive::user, "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Stats\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}"
     "\\iexplore", "Type", Data::dword, "0"},

    // Compatibility entries: kill bits set and clear beside other flags, an entry that stands for
    // another class id, a class without a server, and flags of the wrong type and size.
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility\\"
     "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E12}", "Compatibility Flags", Data::dword, "1024", Extra::bad_data},
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility\\"
     "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E30}", "Compatibility Flags", Data::dword, "8389632"},  // 0x800400
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility\\"
     "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E31}", "Compatibility Flags", Data::dword, "65536"},  // 0x10000
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility\\"
     "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E36}", "AlternateCLSID", Data::text, "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E30}"},
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility\\"
     "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E37}", "Compatibility Flags", Data::text, "1024", Extra::bad_data},
    {Hive::machine, "SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility\\"
     "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E38}", "Compatibility Flags", Data::dword_bytes, "1024 bit",
     Extra::bad_data},
    {Hive::machine, "SOFTWARE\\Wow6432Node\\Microsoft\\Internet Explorer\\ActiveX Compatibility\\"
     "{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E33}", "Compatibility Flags", Data::dword, "9216"},  // 0x2400

    // The classes behind them; the self-registering DLL's are written as it writes them.
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E10}", "", Data::text,
     TAILSEARCH_HELPER_NAME},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E10}\\InprocServer32", "",
     Data::text, kTailSearchPath},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E10}\\InprocServer32",
     "ThreadingModel", Data::text, "Apartment"},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E11}", "", Data::text,
     "Litware Link Helper"},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E11}\\InprocServer32", "",
     Data::text, kMissingHelperPath},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E12}", "", Data::text,
     "Proseware Orphan Helper", Extra::bad_data},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E13}", "", Data::text,
     "Northwind Shared Helper"},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E13}\\InprocServer32", "",
     Data::text, kNwHelperPath},
    {Hive::machine, "Software\\Classes\\Wow6432Node\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E13}", "", Data::text,
     "Northwind Shared Helper"},
    {Hive::machine, "Software\\Classes\\Wow6432Node\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E13}\\InprocServer32",
     "", Data::text, kNwHelperPath},
    {Hive::machine, "Software\\Classes\\Wow6432Node\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E14}", "", Data::text,
     "Fabrikam Page Helper"},
    {Hive::machine, "Software\\Classes\\Wow6432Node\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E14}\\InprocServer32",
     "", Data::text, kFabNotify32Path},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E15}", "", Data::text,
     TAILSEARCH_TOOLBAR_NAME},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E15}\\InprocServer32", "",
     Data::text, kTailSearchPath},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E15}\\InprocServer32",
     "ThreadingModel", Data::text, "Apartment"},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E16}", "", Data::text,
     "Contoso Sync Toolbar"},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E16}\\InprocServer32", "",
     Data::text, kContosoSsoPath},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E30}", "", Data::text,
     "Contoso Media Player"},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E30}\\InprocServer32", "",
     Data::text, kContosoSsoPath},
    // No class name: the control is titled by its file's description.
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E31}\\InprocServer32", "",
     Data::text, kLitHookPath},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E32}\\InprocServer32", "",
     Data::text, kQuickTaskPath},
    {Hive::machine, "Software\\Classes\\Wow6432Node\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E33}", "", Data::text,
     "Adventure Works Clock Control"},
    {Hive::machine, "Software\\Classes\\Wow6432Node\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E33}\\InprocServer32",
     "", Data::text, kAwClock32Path},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E37}", "", Data::text,
     "Fabrikam Notify Control"},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E37}\\InprocServer32", "",
     Data::text, kFabNotifyPath},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E38}", "", Data::text,
     "Wingtip Input Control"},
    {Hive::machine, "Software\\Classes\\CLSID\\{4C1D2E70-6A8B-4F1E-9C3D-0A1B2C3D4E38}\\InprocServer32", "",
     Data::text, kWingInitPath},

    // First-detected dates of two of them.
    {Hive::user, kDetectedIeHelperKey, "C:\\PROGRAM FILES\\TAILSPIN TOYS\\SEARCH\\TAILSEARCH.DLL", Data::text,
     "06/06/2011 6:06 PM"},
    {Hive::user, kDetectedActiveXKey, "C:\\PROGRAM FILES\\CONTOSO\\SYNC\\CONTOSOSSO.DLL", Data::text,
     "05/05/2011 5:05 PM"},
};

// ---------------------------------------------------------------------------------------------
// win.ini, section [windows]: items separated by ";", each line with an empty item.

struct ProfileLine {
    const char* key;
    const char* value;
};

inline constexpr char kProfileSection[] = "windows";
inline constexpr ProfileLine kProfileLines[] = {
    {"run", "C:\\Program Files\\Tailspin Toys\\Launcher\\TailspinLauncher.exe;;"
            "C:\\Program Files\\Shared Tools\\QuickTask\\qtask.exe"},
    {"load", "C:\\Program Files\\Fabrikam\\Tray\\FabTray.exe;"
             "C:\\Program Files\\Wingtip Toys\\Helper\\WingtipHelper.exe;"},
};
// The key the profile section is mapped to in the registry (per user).
inline constexpr char kProfileMappedKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

// ---------------------------------------------------------------------------------------------
// Services, installed through the service control manager; and service keys the manager does not
// know, written straight into the registry, with the data the list must cope with.

struct DemoService {
    const char* name;
    const char* display;
    const char* image;
    unsigned start;             // 2 automatic, 3 on demand, 4 disabled
    const char* description;
    const char* service_dll;    // for a service hosted by svchost; empty for none
};

inline constexpr char kServicesKey[] = "SYSTEM\\CurrentControlSet\\Services";
inline constexpr char kDemoServiceName[] = "SxDemoAwSync";     // a real service: it starts and stops
inline constexpr char kDemoServiceDisplay[] = "Adventure Works Sync Service";
inline constexpr char kIndirectServiceName[] = "SxDemoWingtipUpd";
inline constexpr DemoService kServices[] = {
    {kDemoServiceName, kDemoServiceDisplay, "\"C:\\Program Files\\Adventure Works\\Sync\\AwSyncSvc.exe\"", 3,
     "Keeps the files of Adventure Works projects in step with the server.", ""},
    {"SxDemoFabNotify", "Fabrikam Notification Service", "%SystemRoot%\\system32\\svchost.exe -k FabrikamGroup", 4,
     "Delivers Fabrikam tray notifications.", kFabNotifyPath},
    // Named and described by texts of WingInit.dll's string table.
    {kIndirectServiceName, "@C:\\Program Files\\Wingtip Toys\\Helper\\WingInit.dll,-101",
     "\"C:\\Program Files\\Wingtip Toys\\Helper\\WingtipHelper.exe\" /service", 3,
     "@%ProgramFiles%\\Wingtip Toys\\Helper\\WingInit.dll,-102", ""},
};

// Keys below kServicesKey that no manager made: left out (no image, a driver), or listed with what can
// be read (a Start of another type reads as none, a ServiceDll or Description too long as empty).
inline constexpr RegValue kServiceKeyValues[] = {
    {Hive::machine, "SYSTEM\\CurrentControlSet\\Services\\SxDemoNoImage", "DisplayName", Data::text, "Sentrix Demo Without Image"},
    {Hive::machine, "SYSTEM\\CurrentControlSet\\Services\\SxDemoDriver", "ImagePath", Data::text,
     "system32\\drivers\\sxdemo.sys"},
    {Hive::machine, "SYSTEM\\CurrentControlSet\\Services\\SxDemoOddStart", "ImagePath", Data::text, kLitwareAgentPath},
    {Hive::machine, "SYSTEM\\CurrentControlSet\\Services\\SxDemoOddStart", "DisplayName", Data::text,
     "Litware Agent Service"},
    {Hive::machine, "SYSTEM\\CurrentControlSet\\Services\\SxDemoOddStart", "Start", Data::text, "2"},
    {Hive::machine, "SYSTEM\\CurrentControlSet\\Services\\SxDemoLongDll", "ImagePath", Data::text,
     "C:\\windows\\system32\\svchost.exe -k SxDemo"},
    {Hive::machine, "SYSTEM\\CurrentControlSet\\Services\\SxDemoLongDll", "DisplayName", Data::text,
     "Proseware Hosted Helper"},
    {Hive::machine, "SYSTEM\\CurrentControlSet\\Services\\SxDemoLongDll", "Description", Data::text, "D", Extra::none,
     5000},
    {Hive::machine, "SYSTEM\\CurrentControlSet\\Services\\SxDemoLongDll\\Parameters", "ServiceDll", Data::text,
     kProseHookPath, Extra::none, 4096},
};

// ---------------------------------------------------------------------------------------------
// Work items of the Task Scheduler.

struct DemoTask {
    const char* name;        // without ".job"
    const char* application;
    const char* parameters;
    const char* comment;
    bool daily;              // a trigger at 03:00 every day, so it has a next run time
};

inline constexpr char kDemoTaskToRemove[] = "Contoso Cleanup";
inline constexpr DemoTask kTasks[] = {
    {"Northwind Update Check", kNwUpdatePath, "/check", "Checks for Northwind updates every day.", true},
    {kDemoTaskToRemove, kContosoSyncPath, "/cleanup", "", false},
    {"Tailspin Report", "C:\\Program Files\\Tailspin Toys\\Reports\\Report.exe", "", "The program is gone.", false},
};

// Tasks of the Task Scheduler's second interface (Task Scheduler 2.0), made through it in folders
// below its root, each with a daily trigger at 03:00 and one exec action.
struct DemoTask2 {
    const char* folder;  // below the root, folders separated by "\\"
    const char* name;
    const char* program;
    const char* arguments;
    const char* description;
    bool hidden;
};

inline constexpr char kDemoTask2ToRemove[] = "Contoso Nightly Sync";
inline constexpr DemoTask2 kTasks2[] = {
    {"Contoso", kDemoTask2ToRemove, kContosoSyncPath, "/nightly", "Synchronises the Contoso folders every night.",
     false},
    {"Northwind\\Agents", "Northwind Telemetry", kNwUpdatePath, "/report", "Sends Northwind usage reports.", true},
};

}  // namespace sx::demo
