#include "inventory/ie_helpers.h"

#include <vector>

#include "common/text.h"
#include "inventory/views.h"
#include "programinfo/resolve.h"
#include "programinfo/version_texts.h"
#include "res/resource_ids.h"
#include "settings/store.h"
#include "settings/strings.h"
#include "startup/catalogue.h"
#include "startup/history.h"
#include "startup/item_list.h"

namespace sx::inventory {

using platform::RegStatus;
using platform::Root;

namespace {

// Values are read into buffers of this size; longer texts read as empty.
constexpr size_t kTextBuffer = 512;

std::vector<std::string> subkey_names(AppState& app, const std::string& path) {
    std::vector<std::string> names;
    app.os.registry.subkeys(Root::local_machine, path, names);
    std::erase_if(names, [](const std::string& name) { return name.empty() || name.size() > kNameMax; });
    return names;
}

std::vector<std::string> value_names(AppState& app, const std::string& path) {
    std::vector<platform::RegValue> values;
    app.os.registry.values(Root::local_machine, path, values);
    std::vector<std::string> names;
    // A registration is named by its class id: the key's unnamed value is none.
    for (const platform::RegValue& v : values) {
        if (!v.name.empty() && v.name.size() <= kNameMax) names.push_back(v.name);
    }
    return names;
}

std::string text_of(AppState& app, const std::string& path, std::string_view name) {
    return settings::read_text(app.os, Root::local_machine, path, name, kTextBuffer);
}

// The title of a helper from its program's version texts: the product name, else the file name of
// the command; what else names it when neither does.
std::string helper_title(const VersionTexts& v, std::string_view command, std::string_view fallback) {
    if (!v.ProductName.empty()) return v.ProductName;
    if (!command.empty()) return std::string(file_part(command));
    return std::string(fallback);
}

// A helper found in one view, before it goes into the list.
struct Found {
    std::string title, command, location, description;
    int type;
    View view;
};

// The 32-bit view's registration that reads like a native one (name and program) is that one.
bool seen_natively(const std::vector<Found>& found, const Found& f) {
    if (f.view == View::native) return false;
    for (const Found& other : found) {
        if (other.view == View::native && other.type == f.type && iequals(other.location, f.location) &&
            iequals(other.command, f.command)) {
            return true;
        }
    }
    return false;
}

void list_objects(AppState& app, View view, std::vector<Found>& found) {
    const std::string classes = view == View::wow32 ? "Wow6432Node\\CLSID\\" : "CLSID\\";
    for (const std::string& name : subkey_names(app, in_view(kBhoKey, view))) {
        const std::string dll =
            settings::read_text(app.os, Root::classes_root, classes + name + "\\InprocServer32", "", kTextBuffer);
        if (dll.empty()) continue;  // no server: nothing the browser could load
        const VersionTexts& v = programinfo::cached_version_texts(app, dll);
        found.push_back({helper_title(v, dll, name), dll, name, v.ProductVersion, code::bho, view});
    }
}

void list_toolbars(AppState& app, View view, std::vector<Found>& found) {
    for (const std::string& name : value_names(app, in_view(kToolbarKey, view))) {
        const startup::ClassInfo info = startup::ResolveClsid(app, name, view);
        const VersionTexts& v = programinfo::cached_version_texts(app, info.server);
        // Listed without a server too: the registration is there.
        const std::string title = helper_title(v, info.server, info.name.empty() ? name : info.name);
        found.push_back({title, info.server, name, v.ProductVersion, code::toolbar, view});
    }
}

void list_extensions(AppState& app, View view, std::vector<Found>& found) {
    const std::string key = in_view(kExtensionsKey, view);
    for (const std::string& name : subkey_names(app, key)) {
        const std::string path = key + "\\" + name;
        std::string button = text_of(app, path, "ButtonText");
        if (button.empty()) continue;
        if (matches(button, "shdoclc.dll")) button = "Related";
        button = settings::shown_text(app.os, Root::local_machine, path, "ButtonText", button);
        std::string command = text_of(app, path, "Exec");
        if (command.empty()) command = text_of(app, path, "script");
        std::string icon = text_of(app, path, "HotIcon");
        if (icon.empty()) icon = command;
        const VersionTexts& v =
            programinfo::cached_version_texts(app, programinfo::full_program_path(app.os, command));
        const bool has_version = v != VersionTexts{};
        found.push_back({has_version ? helper_title(v, command, button) : button, command, name, icon,
                         code::extension, view});
    }
}

void tell(AppState& app, unsigned string_id, std::string_view title) {
    app.os.prompts.tell(fill_in(settings::load_string(app, string_id), title), platform::Icon::exclamation);
}

// Deletes a helper's own registration; `ok` when it was deleted, `not_found` when it was gone already.
RegStatus delete_registration(AppState& app, const StartupEntry& row) {
    const std::string key = registration_key(row.type, row.view);
    if (key.empty() || row.location.empty()) return RegStatus::failed;
    if (row.type == code::toolbar) return app.os.registry.remove_value(Root::local_machine, key, row.location);
    // A key with subkeys is refused, and stays whole.
    return app.os.registry.remove_key(Root::local_machine, key + "\\" + row.location);
}

}  // namespace

std::string registration_key(int type, View view) {
    switch (type) {
        case code::bho: return in_view(kBhoKey, view);
        case code::toolbar: return in_view(kToolbarKey, view);
        case code::extension: return in_view(kExtensionsKey, view);
        default: return {};
    }
}

std::string RegistrationText(const StartupEntry& row) {
    const std::string key = registration_key(row.type, row.view);
    return key.empty() ? std::string() : "HKLM\\" + key;
}

std::string_view helper_kind_text(int type) {
    switch (type) {
        case code::bho: return "BHO";
        case code::toolbar: return "TOOLBAR";
        case code::extension: return "EXTENSION";
        default: return {};
    }
}

int ListIEHelpers(AppState& app) {
    startup::ClearItems(app);
    std::vector<Found> found;
    for (auto lister : {list_objects, list_toolbars, list_extensions}) {
        for (View view : kViews) lister(app, view, found);
    }
    int added = 0;
    for (const Found& f : found) {
        if (seen_natively(found, f)) continue;
        if (!startup::AddItem(app, f.title, f.command, f.location, f.description, f.type, 0)) break;
        app.items.at(app.items.count() - 1)->view = f.view;
        ++added;
    }
    return added;
}

int RemoveIEHelper(AppState& app, std::string_view command, size_t index) {
    if (!app.items.at(index)) return 0;
    // The rows are copied first: what follows must not depend on the list.
    std::vector<StartupEntry> chosen;
    for (const StartupEntry& row : app.items.entries()) {
        if (row.type >= code::bho && row.type <= code::extension && iequals(row.command, command)) chosen.push_back(row);
    }
    int deleted = 0;
    bool all_gone = true;
    bool in_process_server = false;
    for (const StartupEntry& row : chosen) {
        const RegStatus status = delete_registration(app, row);
        if (status == RegStatus::ok) {
            ++deleted;
            const std::string key = registration_key(row.type, row.view) + "\\" + row.location;
            const std::string_view file = file_part(row.command);
            startup::AppendHistory(app, file.size() == row.command.size() ? std::string_view() : file, row.command,
                                   key, code::bho, startup::event::iehelper_remove);
        } else if (status != RegStatus::not_found) {
            all_gone = false;
            tell(app, IDS_REMOVE_FAILED, row.title);
        }
        // An extension's command is a program or a page, not a server that registers itself.
        in_process_server = in_process_server || row.type != code::extension;
    }
    // The DLL's classes go only with every registration that uses it, and only from a DLL that is there.
    std::string dll(command);
    if (all_gone && deleted > 0 && in_process_server && programinfo::ProgramFileExists(app.os, dll)) {
        const std::string line = "\"" + app.os.system.system_folder() + "\\regsvr32.exe\" /u /s \"" + dll + "\"";
        if (!app.os.shell.run(line, platform::kShow)) tell(app, IDS_UNREGISTER_FAILED, chosen.front().title);
    }
    return deleted;
}

}  // namespace sx::inventory
