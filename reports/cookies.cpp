#include "reports/cookies.h"

#include <cstdint>
#include <optional>

#include "common/text.h"
#include "programinfo/file_facts.h"
#include "res/resource_ids.h"
#include "reports/environment.h"
#include "settings/store.h"
#include "settings/strings.h"
#include "startup/item_list.h"

namespace sx::reports {

namespace {

using platform::Root;

constexpr int kIeCookieType = 500, kMozillaCookieType = 504;
// The buffer of each field, terminating zero included; fields without a size of their own are short.
constexpr size_t kFieldBuffers[7] = {512, 16, 260, 16, 24, 256, 512};

std::string without_closing_slash(std::string folder) {
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

bool exists(AppState& app, const std::string& path) {
    return app.os.files.attributes(path) != platform::attr::invalid;
}

// A candidate folder that holds index.dat, with the backslash it ends with.
std::optional<std::string> probe(AppState& app, std::string folder) {
    if (folder.size() > 250 || folder.size() < 3) return std::nullopt;
    if (folder.back() == '\\') return exists(app, folder + "index.dat") ? std::optional(folder) : std::nullopt;
    return exists(app, folder + "\\index.dat") ? std::optional(folder + "\\") : std::nullopt;
}

std::string setting(AppState& app, std::string_view name) {
    return settings::read_text(app.os, Root::current_user, settings::kSentrixKey, name, settings::kValueBuffer);
}

std::string shell_folder(AppState& app, std::string_view subkey, std::string_view name) {
    return settings::read_text(app.os, Root::current_user, std::string(kExplorerKey) + "\\" + std::string(subkey), name,
                               settings::kValueBuffer);
}

bool ends_with_ci(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && iequals(text.substr(text.size() - end.size()), end);
}

// The first entry of `folder` whose name `wanted` accepts; empty when none.
template <typename Wanted>
std::string first_entry(AppState& app, const std::string& folder, Wanted wanted) {
    std::vector<platform::DirEntry> entries;
    if (!app.os.files.list(without_closing_slash(folder), entries)) return {};
    for (const platform::DirEntry& e : entries) {
        if (e.name != "." && e.name != ".." && wanted(e)) return e.name;
    }
    return {};
}

// The local date text of decimal seconds since 1970; empty when it is no time.
std::string expiry_text(AppState& app, std::string_view seconds) {
    constexpr uint64_t kUnixEpochTicks = 116444736000000000ULL, kTicksPerSecond = 10000000ULL;
    constexpr size_t kMostDigits = 12;  // beyond the last time a file time can hold
    uint64_t value = 0;
    size_t digits = 0;
    for (char c : seconds) {
        if (c < '0' || c > '9') break;
        if (++digits > kMostDigits) return {};
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    const std::optional<platform::LocalTime> local = app.os.system.to_local(kUnixEpochTicks + value * kTicksPerSecond);
    return local ? programinfo::FormatLocalDate(app.os, *local) : std::string();
}

}  // namespace

FoundFolder FindIECookieFolder(AppState& app) {
    const std::string candidates[] = {setting(app, "IECookieFolder"), shell_folder(app, "Shell Folders", "Cookies"),
                                      shell_folder(app, "User Shell Folders", "Cookies"),
                                      app.os.system.windows_folder() + "\\Cookies"};
    for (const std::string& candidate : candidates) {
        if (std::optional<std::string> folder = probe(app, candidate)) return {true, *folder};
    }
    return {false, settings::load_string(app, IDS_COOKIE_FOLDER_NOT_FOUND)};
}

int CountIECookies(AppState& app) {
    startup::ClearItems(app);
    const FoundFolder found = FindIECookieFolder(app);
    if (!found.found) return 0;
    std::vector<platform::DirEntry> entries;
    app.os.files.list(without_closing_slash(found.folder), entries);
    for (const platform::DirEntry& e : entries) {
        if ((e.attributes & platform::attr::directory) || (e.attributes & platform::attr::system)) continue;
        if (!ends_with_ci(e.name, ".txt")) continue;
        const std::string path = found.folder + e.name;
        std::string created;
        if (const std::optional<platform::FileFacts> facts = app.os.files.facts(path)) {
            if (const std::optional<platform::LocalTime> t = app.os.system.to_local(facts->created)) {
                created = format("%04d/%02d/%02d %02d:%02d", t->year, t->month, t->day, t->hour, t->minute);
            }
        }
        if (!startup::AddItem(app, e.name, path, {}, created, kIeCookieType, 0)) break;
    }
    return static_cast<int>(app.items.count());
}

int BrowserKind(std::string_view path) {
    static constexpr std::pair<std::string_view, int> kKinds[] = {
        {"iexplore", 1}, {"netscp", 2}, {"maxthon", 4}, {"avant", 5}, {"mozilla", 6}, {"firefox", 3}};
    for (const auto& [token, kind] : kKinds) {
        if (ifind(path, token) != std::string_view::npos) return kind;
    }
    return 1;
}

FoundFolder FindMozillaProfileFolder(AppState& app) {
    const std::string chosen = setting(app, "CookieFolder");
    if (!chosen.empty()) return {true, chosen};
    const std::string app_data = shell_folder(app, "Shell Folders", "AppData");
    FoundFolder result;
    if (!app_data.empty()) {
        const std::string profiles = app_data + "\\Mozilla\\FireFox\\Profiles\\";
        std::string name = first_entry(app, profiles, [](const platform::DirEntry& e) { return ends_with_ci(e.name, ".default"); });
        if (name.empty()) {
            name = first_entry(app, profiles, [](const platform::DirEntry& e) {
                return e.name.size() >= 8 && iequals(std::string_view(e.name).substr(0, 8), "default.");
            });
        }
        if (!name.empty()) result = {true, profiles + name};
    }
    if (BrowserKind(DefaultBrowserProgram(app)) != 2) return result;
    const std::string old_profiles = app_data + "\\Mozilla\\Profiles\\default\\";
    const uint32_t attributes = app.os.files.attributes(without_closing_slash(old_profiles));
    if (app_data.empty() || attributes == platform::attr::invalid || !(attributes & platform::attr::directory)) return {};
    const std::string sub = first_entry(app, old_profiles, [](const platform::DirEntry& e) {
        return (e.attributes & platform::attr::directory) && e.name.front() != '.';
    });
    return sub.empty() ? result : FoundFolder{true, old_profiles + sub};
}

MozillaCookies parse_mozilla_cookies(std::string_view bytes, size_t keep) {
    MozillaCookies out;
    bytes = bytes.substr(0, std::min(bytes.size(), kCookieFileLimit));
    std::string fields[7];
    size_t field = 0;
    auto end_line = [&] {
        // The domain is kept only once a tab ends it: a line without one has none.
        const std::string_view domain = field > 0 ? std::string_view(fields[0]) : std::string_view();
        if (!domain.empty() && domain.front() != '#') {
            ++out.count;
            if (out.cookies.size() < keep) {
                MozillaCookie c;
                c.domain = domain.front() == '.' ? std::string(domain.substr(1)) : std::string(domain);
                c.subdomains = fields[1].find("TRUE") != std::string::npos;
                c.path = fields[2];
                c.secure = fields[3].find("TRUE") != std::string::npos;
                c.expiry = fields[4];
                c.name = fields[5];
                c.value = fields[6];
                out.cookies.push_back(std::move(c));
            }
        }
        for (std::string& f : fields) f.clear();
        field = 0;
    };
    for (char c : bytes) {
        if (c == '\n') {
            end_line();
        } else if (c == '\t') {
            ++field;
        } else if (field < 7 && fields[field].size() + 1 < kFieldBuffers[field]) {
            fields[field] += c;
        }
    }
    return out;
}

int CountMozillaCookies(AppState& app) {
    startup::ClearItems(app);
    const FoundFolder found = FindMozillaProfileFolder(app);
    if (!found.found) return 0;
    const std::string file = without_closing_slash(found.folder) + "\\cookies.txt";
    const std::optional<std::string> bytes = app.os.files.read(file, kCookieFileLimit);
    if (!bytes || bytes->empty()) return 0;
    const MozillaCookies parsed = parse_mozilla_cookies(*bytes, ItemList::kCapacity);
    for (const MozillaCookie& c : parsed.cookies) {
        startup::AddItem(app, c.domain + " - " + c.name, c.path, c.value, expiry_text(app, c.expiry),
                         kMozillaCookieType, c.secure ? 1 : 0);
    }
    return parsed.count;
}

}  // namespace sx::reports
