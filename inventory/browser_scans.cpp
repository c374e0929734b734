#include "inventory/browser_scans.h"

#include <array>
#include <string>

#include "common/text.h"
#include "inventory/ie_helpers.h"
#include "inventory/views.h"
#include "programinfo/version_texts.h"
#include "settings/store.h"
#include "startup/catalogue.h"

namespace sx::inventory {

using platform::RegValue;
using platform::Root;

namespace {

constexpr size_t kTextBuffer = 512;
// The data of a delay-load or task-scheduler value is read into this; longer data reads as none.
constexpr size_t kDataBuffer = 128;

StartupEntry row(std::string_view title, std::string_view command, std::string_view location,
                 std::string_view description, int type, View view = View::native) {
    return {cut(title, kTitleMax), cut(command, kCommandMax), cut(location, kLocationMax),
            cut(description, kDescriptionMax), type, 0, view, {}, {}};
}

std::vector<std::string> subkeys(AppState& app, Root root, const std::string& path) {
    std::vector<std::string> names;
    app.os.registry.subkeys(root, path, names);
    std::erase_if(names, [](const std::string& name) { return name.size() > kNameMax; });
    return names;
}

std::vector<RegValue> values(AppState& app, Root root, const std::string& path) {
    std::vector<RegValue> found;
    app.os.registry.values(root, path, found);
    std::erase_if(found, [](const RegValue& v) { return v.name.size() > kNameMax; });
    return found;
}

std::string text(AppState& app, Root root, const std::string& path, std::string_view name,
                 size_t size = kTextBuffer) {
    return settings::read_text(app.os, root, path, name, size);
}

// A value's text as a buffer of `size` bytes takes it: none when it does not fit.
std::string data_text(const RegValue& v, size_t size) {
    const std::string_view t = until_zero(v.data);
    return t.size() < size ? std::string(t) : std::string();
}

// Adds `r` unless it is a 32-bit row that reads exactly like a native one already there.
void add_once(ScanRows& rows, StartupEntry r) {
    if (r.view == View::wow32) {
        for (const StartupEntry& n : rows) {
            if (n.view == View::native && n.type == r.type && iequals(n.title, r.title) &&
                iequals(n.command, r.command) && iequals(n.location, r.location) &&
                iequals(n.description, r.description)) {
                return;
            }
        }
    }
    rows.push_back(std::move(r));
}

void extension_buttons(AppState& app, Root root, View view, ScanRows& rows) {
    const std::string key = root == Root::current_user ? std::string(kExtensionsKey) : in_view(kExtensionsKey, view);
    for (const std::string& name : subkeys(app, root, key)) {
        const std::string path = key + "\\" + name;
        std::string command = text(app, root, path, "script");
        if (command.empty()) command = text(app, root, path, "exec");
        if (command.empty()) command = startup::ResolveClsid(app, name, view).server;
        if (command.empty()) continue;
        if (root == Root::current_user) command += " (HKCU)";
        std::string button = text(app, root, path, "ButtonText");
        if (button.empty()) button = "(no name)";
        add_once(rows, row(button, command, name, {}, 1, view));
        const std::string menu = text(app, root, path, "MenuText");
        if (!menu.empty()) add_once(rows, row(menu, command, name, {}, 2, view));
    }
}

// The first subkey of a domain whose "*" value's lowest byte is 4 or 5 decides its zone; 0 when none does.
int domain_zone(AppState& app, Root root, const std::string& domain) {
    for (const std::string& sub : subkeys(app, root, domain)) {
        RegValue v;
        if (app.os.registry.query(root, domain + "\\" + sub, "*", v) != platform::RegStatus::ok || v.data.empty()) continue;
        const int low = static_cast<unsigned char>(v.data[0]);
        if (low == 4 || low == 5) return low;
    }
    return 0;
}

}  // namespace

ScanRows ScanBrowserHelperObjects(AppState& app) {
    ScanRows rows;
    for (View view : kViews) {
        for (const std::string& name : subkeys(app, Root::local_machine, in_view(kBhoKey, view))) {
            const startup::ClassInfo info = startup::ResolveClsid(app, name, view);
            add_once(rows, row(info.name, info.server, name, {}, code::bho, view));
        }
    }
    return rows;
}

ScanRows ScanToolbars(AppState& app) {
    ScanRows rows;
    for (View view : kViews) {
        for (const RegValue& v : values(app, Root::local_machine, in_view(kToolbarKey, view))) {
            if (v.name.empty()) continue;  // the key's own value names no toolbar
            const startup::ClassInfo info = startup::ResolveClsid(app, v.name, view);
            const std::string& company = programinfo::cached_version_texts(app, info.server).CompanyName;
            add_once(rows, row(info.name, info.server, v.name, company, code::bho, view));
        }
    }
    return rows;
}

ScanRows ScanMenuExtensions(AppState& app) {
    ScanRows rows;
    const std::string key(kMenuExtKey);
    for (const std::string& name : subkeys(app, Root::current_user, key)) {
        const std::string target = text(app, Root::current_user, key + "\\" + name, "");
        if (!target.empty()) rows.push_back(row(name, target, name, {}, 0));
    }
    return rows;
}

ScanRows ScanExtensionButtons(AppState& app) {
    ScanRows rows;
    for (View view : kViews) extension_buttons(app, Root::local_machine, view, rows);
    extension_buttons(app, Root::current_user, View::native, rows);
    return rows;
}

ScanRows ScanPlugins(AppState& app) {
    ScanRows rows;
    const std::string key(kPluginsKey);
    for (const std::string& name : subkeys(app, Root::local_machine, key)) {
        const std::string location = text(app, Root::local_machine, key + "\\" + name, "Location");
        if (!location.empty()) rows.push_back(row(name, location, name, {}, 0));
    }
    return rows;
}

ScanRows ScanDownloadedControls(AppState& app) {
    ScanRows rows;
    const std::string key(kDistributionUnitsKey);
    for (const std::string& name : subkeys(app, Root::local_machine, key)) {
        const std::string codebase =
            text(app, Root::local_machine, key + "\\" + name + "\\DownloadInformation", "CODEBASE");
        if (codebase.empty()) continue;
        const startup::ClassInfo info = startup::ResolveClsid(app, name);
        rows.push_back(row(info.name, codebase, info.server, name, 0));
    }
    return rows;
}

ScanRows ScanDelayLoadObjects(AppState& app) {
    ScanRows rows;
    for (const RegValue& v : values(app, Root::local_machine, std::string(startup::kDelayLoadKey))) {
        const std::string id = data_text(v, kDataBuffer);
        if (id.empty()) continue;
        const startup::ClassInfo info = startup::ResolveClsid(app, id);
        if (!info.server.empty()) rows.push_back(row(info.name, info.server, id, v.name, 0));
    }
    return rows;
}

ScanRows ScanSharedTaskSchedulers(AppState& app) {
    ScanRows rows;
    for (const RegValue& v : values(app, Root::local_machine, std::string(startup::kTaskSchedulerKey))) {
        const std::string title = data_text(v, kDataBuffer);
        if (title.empty()) continue;
        const startup::ClassInfo info = startup::ResolveClsid(app, v.name);
        if (!info.server.empty()) rows.push_back(row(info.name, info.server, v.name, title, 0));
    }
    return rows;
}

ScanRows ScanAdvancedOptions(AppState& app) {
    ScanRows rows;
    const std::string key(kAdvancedOptionsKey);
    for (const std::string& name : subkeys(app, Root::local_machine, key)) {
        const std::string path = key + "\\" + name;
        const std::string help = text(app, Root::local_machine, path, "HelpID");
        if (matches(help, "iexplore.hlp")) continue;
        std::string bitmap = text(app, Root::local_machine, path, "Bitmap");
        if (bitmap.find('\\') != std::string::npos) bitmap = std::string(folder_part(bitmap));
        rows.push_back(row(text(app, Root::local_machine, path, "Text"), help, bitmap, {}, 0));
    }
    return rows;
}

ScanRows ScanZoneDomains(AppState& app) {
    ScanRows rows;
    const std::string key(kZoneDomainsKey);
    for (Root root : {Root::local_machine, Root::current_user}) {
        for (const std::string& domain : subkeys(app, root, key)) {
            if (domain_zone(app, root, key + "\\" + domain) == 5) rows.push_back(row(domain, {}, {}, {}, 0));
        }
    }
    return rows;
}

bool IsWellKnownClsid(std::string_view text) {
    static constexpr std::array<std::string_view, 4> kKnown = {
        "{7849596a-48ea-486e-8937-a2a3009f31a9}", "{fbeb8a05-beee-4442-804e-409d6c4515e9}",
        "{E6FB5E20-DE35-11CF-9C87-00AA005127ED}", "{35CEC8A3-2BE6-11D2-8773-92E220524153}"};
    for (std::string_view known : kKnown) {
        if (iequals(text, known)) return true;
    }
    return false;
}

}  // namespace sx::inventory
