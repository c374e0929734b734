// What the reports say about the machine before any list: the platform, the default browser and
// the other browsers, memory, the start pages and the logon values. Gathered once from the system
// into records; the header lines are written from the records alone.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/state.h"
#include "common/versions.h"
#include "programinfo/lookup.h"

namespace sx::reports {

inline constexpr std::string_view kAppPathsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
inline constexpr std::string_view kQ246009Key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009";
inline constexpr std::string_view kProductOptionsKey = "SYSTEM\\CurrentControlSet\\Control\\ProductOptions";

// The operating system's name, service pack, edition and build, from the version the system itself
// reports. `q246009`: the hotfix key that makes NT 4.0's Service Pack 6 read "6a".
std::string platform_text(const platform::OsDetails& os, bool q246009);

// The program file of the default browser's open command: the quoted token it begins with, else the
// text up to and including ".exe"; empty when it names neither.
std::string browser_program_from_command(std::string_view command);

// Where a program of the App Paths keys is: its ProductVersion and the key's Path value.
struct AppPathProgram {
    std::string version;
    std::string folder;
};
// Empty when the key names no file that exists.
std::optional<AppPathProgram> LookupAppPath(AppState& app, std::string_view executable);

// The Internet Explorer file the App Paths key names ("Path" + "\IExplore.exe"); empty when there is none.
std::string InternetExplorerPath(AppState& app);
// The default browser's program file; the Internet Explorer file when the open command names none.
std::string DefaultBrowserProgram(AppState& app);
// ProductVersion of this program's own file.
std::string ProgramVersion(AppState& app);

// The start-page values of HKCU and HKLM ...\Internet Explorer\Main, each read whole; a report prints
// a value only when it fits the buffer that report reads it into.
struct StartPages {
    std::string user_default_page, user_start_page, user_window_title;
    std::string machine_default_page, machine_start_page, machine_window_title;
};

struct Environment {
    std::string caption;  // the program's window title
    std::string version;  // the program's version text
    platform::LocalTime now;
    std::string platform;
    std::optional<VersionTexts> browser;  // the default browser program, when it exists
    platform::MemoryStatus memory;
    std::optional<VersionTexts> ie;       // Internet Explorer, when it exists
    std::string ie_cookie_folder;         // the folder, or the not-found text
    std::optional<AppPathProgram> aol, firefox, mozilla, netscape;
    bool aol_window = false;              // an America Online main window is open
    StartPages pages;
    std::string logon_user, logon_domain, logon_shell, logon_userinit;
    std::string language;                 // string 634, "en" when empty
    std::string site{programinfo::kVendorSite};  // the vendor's site root, as the user has set it
};

Environment GatherEnvironment(AppState& app);

// The header block of the HTML report.
std::string report_header_html(const Environment& env);

}  // namespace sx::reports
