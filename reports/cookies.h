// Where the browsers keep their cookies and how many each holds: the Internet Explorer cookie folder
// (one file per cookie group) and the Mozilla profile's cookies.txt (one cookie per line).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/state.h"

namespace sx::reports {

inline constexpr std::string_view kExplorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
inline constexpr size_t kCookieFileLimit = 0x41800;

struct FoundFolder {
    bool found = false;
    std::string folder;
};

// The first candidate that holds an index.dat, with a closing backslash; else string 968.
FoundFolder FindIECookieFolder(AppState& app);
// Empties the shared item list and lists the cookie files (".txt", not system) while the list takes
// them: it takes a cookie only below the run-time setting MaxCookie, which starts at 0. Returns the
// number listed.
int CountIECookies(AppState& app);

// The Mozilla profile folder (CookieFolder, then the Firefox profiles, then the old profiles for
// Netscape); not found: empty.
FoundFolder FindMozillaProfileFolder(AppState& app);
// Empties the shared item list, lists the cookie lines of cookies.txt and returns their number.
int CountMozillaCookies(AppState& app);

// The default browser's kind by its path: iexplore 1, netscp 2, firefox 3, maxthon 4, avant 5, mozilla 6.
int BrowserKind(std::string_view browser_path);

// One line of cookies.txt, each field cut to the size of its buffer.
struct MozillaCookie {
    std::string domain;  // without its leading "."
    bool subdomains = false;
    std::string path;
    bool secure = false;
    std::string expiry;  // decimal seconds since 1970, as written
    std::string name;
    std::string value;
};
struct MozillaCookies {
    int count = 0;  // lines with a domain that a line feed ended
    std::vector<MozillaCookie> cookies;  // the first of them, at most `keep`
};
// Reads at most kCookieFileLimit bytes of the file's text; fields past the seventh are ignored.
MozillaCookies parse_mozilla_cookies(std::string_view bytes, size_t keep);

}  // namespace sx::reports
