#include "inventory/activex.h"

#include <vector>

#include "common/text.h"
#include "inventory/ie_helpers.h"
#include "inventory/views.h"
#include "programinfo/resolve.h"
#include "programinfo/version_texts.h"
#include "res/resource_ids.h"
#include "settings/store.h"
#include "settings/strings.h"
#include "startup/catalogue.h"
#include "startup/item_list.h"

namespace sx::inventory {

using platform::RegStatus;
using platform::RegValue;
using platform::Root;

namespace {

// An AlternateCLSID is read into a buffer of this size; a longer one reads as none.
constexpr size_t kAlternateBuffer = 128;

std::string compatibility_key(std::string_view class_id, View view) {
    return in_view(kCompatibilityKey, view) + "\\" + std::string(class_id);
}

// A REG_DWORD of four bytes; nothing for any other value, and for a missing one.
std::optional<uint32_t> dword_of(const RegValue& v) {
    if (v.type != platform::reg_type::dword || v.data.size() != 4) return std::nullopt;
    uint32_t n = 0;
    for (size_t i = 4; i-- > 0;) n = (n << 8) | static_cast<unsigned char>(v.data[i]);
    return n;
}

std::vector<std::string> subkey_names(AppState& app, Root root, const std::string& path) {
    std::vector<std::string> names;
    app.os.registry.subkeys(root, path, names);
    std::erase_if(names, [](const std::string& name) { return name.empty() || name.size() > kNameMax; });
    return names;
}

// A control's class as one view registers it.
struct Control {
    std::string id;
    startup::ClassInfo info;
    View view;
};

// Adds the row of a control whose class has a server; false when it was left out.
bool add_control(AppState& app, const Control& c) {
    if (c.info.server.empty()) return false;
    const std::string path = programinfo::full_program_path(app.os, c.info.server);
    const VersionTexts& v = programinfo::cached_version_texts(app, path);
    std::string title = c.info.name;
    for (const std::string* next : {&v.FileDescription, &v.ProductName}) {
        if (title.empty()) title = *next;
    }
    if (title.empty()) title = std::string(file_part(path));
    if (app.settings.hide_microsoft_activex > 0 && matches(v.CompanyName, "Microsoft")) return false;
    const int flags = static_cast<int>(ReadCompatibilityFlags(app, c.id, c.view));
    if (!startup::AddItem(app, title, path, c.id, v.ProductVersion, code::activex, flags)) return false;
    app.items.at(app.items.count() - 1)->view = c.view;
    return true;
}

// The class of `id` in each view; the 32-bit view's only when it is not the native one seen again.
std::vector<Control> classes_of(AppState& app, const std::string& id) {
    std::vector<Control> found;
    for (View view : kViews) {
        Control c{id, startup::ResolveClsid(app, id, view), view};
        const bool again = view == View::wow32 && !found.empty() && iequals(found.front().info.name, c.info.name) &&
                           iequals(found.front().info.server, c.info.server);
        if (!again) found.push_back(std::move(c));
    }
    return found;
}

int set_kill_bit(AppState& app, std::string_view class_id, bool on) {
    bool all = true;
    for (View view : kViews) {
        const std::string key = compatibility_key(class_id, view);
        RegValue v;
        const RegStatus read = app.os.registry.query(Root::local_machine, key, kFlagsValue, v);
        std::optional<uint32_t> old = read == RegStatus::not_found ? std::optional<uint32_t>(0) : std::nullopt;
        if (read == RegStatus::ok) old = dword_of(v);
        if (!old) {
            all = false;  // what cannot be read is not overwritten
            continue;
        }
        const uint32_t wanted = on ? (*old | kKillBit) : (*old & ~kKillBit);
        if (wanted == *old) continue;  // nothing to change, and no key made for nothing
        if (!settings::write_dword(app.os, Root::local_machine, key, kFlagsValue, wanted)) all = false;
    }
    if (!all) {
        app.os.prompts.tell(fill_in(settings::load_string(app, IDS_KILL_BIT_FAILED), class_id),
                            platform::Icon::exclamation);
    }
    return all ? 1 : 0;
}

}  // namespace

std::optional<uint32_t> compatibility_flags(AppState& app, std::string_view class_id, View view) {
    RegValue v;
    const RegStatus read = app.os.registry.query(Root::local_machine, compatibility_key(class_id, view), kFlagsValue, v);
    if (read == RegStatus::not_found) return 0;
    if (read != RegStatus::ok) return std::nullopt;
    return dword_of(v);
}

uint32_t ReadCompatibilityFlags(AppState& app, std::string_view class_id, View view) {
    return compatibility_flags(app, class_id, view).value_or(0);
}

int IsActiveXEnabled(AppState& app, std::string_view class_id) {
    for (View view : kViews) {
        if (ReadCompatibilityFlags(app, class_id, view) & kKillBit) return 0;
    }
    return 1;
}

int DisableActiveX(AppState& app, std::string_view class_id) { return set_kill_bit(app, class_id, true); }
int EnableActiveX(AppState& app, std::string_view class_id) { return set_kill_bit(app, class_id, false); }

int ListBrowserActiveXControls(AppState& app, int append) {
    if (append == 0) startup::ClearItems(app);
    for (const std::string& id : subkey_names(app, Root::current_user, std::string(kExtStatsKey))) {
        const std::string browser = std::string(kExtStatsKey) + "\\" + id + "\\iexplore";
        RegValue type;
        std::optional<uint32_t> used = uint32_t{0};  // no Type: 0
        if (app.os.registry.query(Root::current_user, browser, "Type", type) == RegStatus::ok) used = dword_of(type);
        if (!used || *used > 1) continue;
        for (const Control& c : classes_of(app, id)) add_control(app, c);
    }
    return static_cast<int>(app.items.count());
}

int ListAllActiveXControls(AppState& app) {
    startup::ClearItems(app);
    ListBrowserActiveXControls(app, 1);
    std::vector<Control> native;
    for (View view : kViews) {
        const std::string key = in_view(kCompatibilityKey, view);
        for (const std::string& name : subkey_names(app, Root::local_machine, key)) {
            std::string id = settings::read_text(app.os, Root::local_machine, key + "\\" + name, "AlternateCLSID",
                                                 kAlternateBuffer);
            if (id.empty()) id = name;
            Control c{id, startup::ResolveClsid(app, id, view), view};
            // A 32-bit entry that reads like a native one is that one (an entry that stands for
            // another class id is listed under it as often as it occurs).
            bool again = false;
            for (const Control& n : native) {
                again = again || (view == View::wow32 && iequals(n.id, c.id) && iequals(n.info.name, c.info.name) &&
                                  iequals(n.info.server, c.info.server));
            }
            if (again) continue;
            if (view == View::native) native.push_back(c);
            add_control(app, c);
        }
    }
    return static_cast<int>(app.items.count());
}

std::string ClsidText(const StartupEntry& row) { return row.location + std::string(view_mark(row.view)); }

}  // namespace sx::inventory
