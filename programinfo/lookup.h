// The vendor's web site, where help pages live and program-information requests go, and the request
// about one program: its address in either format, and opening it in the user's browser.
#pragma once

#include <string>
#include <string_view>

#include "common/state.h"
#include "common/versions.h"
#include "programinfo/file_facts.h"

namespace sx::programinfo {

// The site's root, ending in "/". A user points the program elsewhere with a text value of this name
// under HKCU Software\Orvane\Sentrix holding another http or https address.
inline constexpr std::string_view kVendorSite = "https://www.orvane.com/";
inline constexpr std::string_view kVendorSiteValue = "VendorSite";
// The request scripts of the two formats, below the site's root.
inline constexpr std::string_view kRequestScript = "cgi-bin/zentrainfo.pl";
inline constexpr std::string_view kRequestScript2 = "cgi-bin/zentrainfo12.pl";
// The second format opens the address through an Internet shortcut of this name in the user's
// temporary folder; it is deleted once the program that opened it has ended, or after this long.
inline constexpr std::string_view kShortcutFile = "temp.url";
inline constexpr unsigned kShortcutWaitMs = 10000;
inline constexpr std::string_view kIexploreAppPathKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";
inline constexpr size_t kSiteMax = 259;

// The site's root: the setting when it is an http or https address without blanks, quotes or control
// characters (a "/" added when it lacks one), else kVendorSite.
std::string vendor_site(platform::Platform& os);

// Every byte outside the unreserved characters of RFC 3986 (letters, digits, "-", ".", "_", "~") as
// "%" and two upper-case hex digits, so no text can end or add a query parameter.
std::string percent_encode(std::string_view text);

// What a request tells about a program.
struct LookupFacts {
    int type = 0;
    std::string command;  // as given
    std::string program;  // the file-name part of the resolved command
    VersionTexts versions;
    FileFactTexts facts;
    std::string build;          // this program's own ProductVersion
    uint16_t language_id = 0;   // the interface language
    std::string language_code;  // string 634
};
LookupFacts lookup_facts(AppState& app, int type, std::string_view command);
// The request address below `site` in the first format or, with `second_format`, the second.
std::string lookup_address(std::string_view site, const LookupFacts& facts, bool second_format);

// An AOL browser window is open, whose own program must be given web addresses.
bool aol_browser_running(platform::Platform& os);
// The AOL program (from AppPath of win.ini's [WAOL]) with "-u" and the address, both quoted.
std::string aol_command_line(platform::Platform& os, std::string_view address);
// Internet Explorer by its full path from its App Paths entry, started with the address; false
// (nothing started) when the entry has no path.
bool OpenInInternetExplorer(AppState& app, std::string_view address);

// Opens the program-information request for a program in the user's browser, in the format the
// information-format setting chooses. Nothing is asked for a command that names no file. When no
// browser opens it, the user is told. True when it was opened.
bool LookupProgramOnline(AppState& app, int type, std::string_view command, platform::WindowRef owner = 0);

}  // namespace sx::programinfo
