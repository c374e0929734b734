// The catalogue of autostart locations and the enumeration that fills the shared item list from it.
#pragma once

#include <string>
#include <string_view>

#include "common/state.h"
#include "settings/store.h"

namespace sx::startup {

inline constexpr std::string_view kDisabledKey = "Software\\Orvane\\Sentrix\\Disabled";
// The subkeys of the disabled store that keep switched-off entries, in the order they are listed.
inline constexpr std::string_view kDisabledStores[] = {"Run",      "RunOnce", "RunOnceEx", "RunServices", "RunServicesOnce",
                                                       "RunSetup", "Policy",  "WinLoad",   "WinRun"};
inline constexpr std::string_view kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr std::string_view kWinlogonKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline constexpr std::string_view kNotifyKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify";
inline constexpr std::string_view kWindowsNtKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
inline constexpr std::string_view kDelayLoadKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad";
inline constexpr std::string_view kTaskSchedulerKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\SharedTaskScheduler";
inline constexpr std::string_view kShellHooksKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ShellExecuteHooks";
inline constexpr std::string_view kWow64RunKey = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";

// Empties the list and lists every autostart entry. With `filtered` the special locations are left
// out unless the run-time setting ShowAllStartup is on. Returns the number of entries.
int EnumerateStartups(AppState& app, bool filtered);
// The Run family of every hive, appended to the list.
void EnumerateRunKeys(AppState& app);
// The startup folders named by the Shell Folders keys, appended to the list.
void EnumerateStartupFolders(AppState& app);

// The long location text of entry `index`, with the disabled mark for a disabled entry.
std::string LocationText(AppState& app, size_t index);
// The type code stored in the disabled marker of entry `index`'s title; 0 when there is none.
int DisabledTypeOf(AppState& app, size_t index);
// The command of a Run value started through "RUNDLL32.EXE": the text after "RUNDLL32.EXE" and one
// blank. False when the data names no RUNDLL32 (the command is then the whole data).
bool rundll32_command(std::string_view data, std::string& command);

// The disabled marker of a title, as its number; 0 when there is none or it is not a positive number.
int disabled_marker(AppState& app, std::string_view title);

// Every disabled marker read at once, for a list fill: of(title) is disabled_marker(app, title) as it
// was when the fill began.
class DisabledMarks {
public:
    explicit DisabledMarks(AppState& app);
    int of(std::string_view title) const;
    // After the program wrote a marker itself.
    void set(std::string_view title, int type) { markers_.set(title, std::to_string(type)); }

private:
    settings::KeyTexts markers_;
};

struct ClassInfo {
    std::string name;
    std::string server;  // InprocServer32 path
};
// The class registered under HKCR\CLSID for a class id, braces added when missing; in the 32-bit
// view, under HKCR\Wow6432Node\CLSID.
ClassInfo ResolveClsid(AppState& app, std::string_view class_id, View view = View::native);

// The program's own "Disabled" folder (inside the program folder).
std::string disabled_folder(AppState& app);

}  // namespace sx::startup
