#include "startup/disabled_store.h"

#include <functional>
#include <optional>
#include <vector>

#include "common/text.h"
#include "programinfo/resolve.h"
#include "programinfo/version_texts.h"
#include "res/resource_ids.h"
#include "settings/store.h"
#include "settings/strings.h"
#include "startup/catalogue.h"
#include "startup/history.h"
#include "startup/type_codes.h"
#include "startup/windows_switch.h"

namespace sx::startup {

using platform::RegStatus;
using platform::RegValue;
using platform::Root;

namespace {

// Profile lines are edited whole: reading them through the enumeration's 511-character buffer and
// writing them back would cut off the items beyond it.
constexpr size_t kProfileEditSize = 32768;
constexpr size_t kAppInitMax = 254;
constexpr size_t kFolderPathSize = 260;

std::string store_path(std::string_view subkey) { return std::string(kDisabledKey) + "\\" + std::string(subkey); }

RegValue text_value(std::string_view name, std::string_view text) {
    RegValue v;
    v.name = std::string(name);
    v.type = platform::reg_type::sz;
    v.data = std::string(text) + '\0';
    return v;
}

bool is_text_type(uint32_t type) {
    return type == platform::reg_type::sz || type == platform::reg_type::expand_sz ||
           type == platform::reg_type::multi_sz;
}

bool same_value(const RegValue& a, const RegValue& b) {
    if (a.type != b.type) return false;
    if (is_text_type(a.type)) return until_zero(a.data) == until_zero(b.data);
    return a.data == b.data;
}

std::optional<RegValue> read_value(AppState& app, Root root, std::string_view path, std::string_view name) {
    RegValue v;
    if (app.os.registry.query(root, path, name, v) != RegStatus::ok) return std::nullopt;
    return v;
}

// A value as far as the registry tells: `known` is false when the read failed for another reason
// than the value (or its key) being absent. A step that would act on a guess refuses instead: a
// value taken for missing can be overwritten or left behind.
struct Lookup {
    bool known = false;
    std::optional<RegValue> value;
};

Lookup look_up(AppState& app, Root root, std::string_view path, std::string_view name) {
    RegValue v;
    const RegStatus status = app.os.registry.query(root, path, name, v);
    if (status == RegStatus::ok) return {true, std::move(v)};
    return {status == RegStatus::not_found, std::nullopt};
}

bool value_exists(AppState& app, Root root, std::string_view path, std::string_view name) {
    return read_value(app, root, path, name).has_value();
}

// Writes a value byte for byte (creating its key) and reads it back. A write that cannot be
// confirmed is taken back, so a failure leaves the value as it was.
bool write_checked(AppState& app, Root root, std::string_view path, std::string_view name, const RegValue& value) {
    const Lookup prior_read = look_up(app, root, path, name);
    if (!prior_read.known) return false;  // what is there could not be put back
    const std::optional<RegValue>& prior = prior_read.value;
    if (app.os.registry.set(root, path, name, value.type, value.data) != RegStatus::ok) {
        if (!settings::create_key(app.os, root, path)) return false;
        if (app.os.registry.set(root, path, name, value.type, value.data) != RegStatus::ok) return false;
    }
    std::optional<RegValue> back = read_value(app, root, path, name);
    if (back && same_value(*back, value)) return true;
    if (prior) {
        app.os.registry.set(root, path, name, prior->type, prior->data);
    } else {
        app.os.registry.remove_value(root, path, name);
    }
    return false;
}

bool write_text_checked(AppState& app, Root root, std::string_view path, std::string_view name,
                        std::string_view text) {
    return write_checked(app, root, path, name, text_value(name, text));
}

// Deletes a value and checks it is gone (a value that was not there counts as deleted).
bool delete_checked(AppState& app, Root root, std::string_view path, std::string_view name) {
    app.os.registry.remove_value(root, path, name);
    Lookup after = look_up(app, root, path, name);
    if (!after.known) after = look_up(app, root, path, name);  // one failed read is not an answer
    return after.known && !after.value;
}

std::string stored_text(AppState& app, std::string_view path, std::string_view name) {
    std::optional<RegValue> v = read_value(app, Root::local_machine, path, name);
    return v ? std::string(until_zero(v->data)) : std::string();
}

void tell(AppState& app, int string_id, std::string_view title) {
    app.os.prompts.tell(fill_in(settings::load_string(app, static_cast<unsigned>(string_id)), title),
                        platform::Icon::exclamation);
}

// Whether a disabled-store value may take `copy`: it is free, or already holds the same thing.
bool store_slot_free(AppState& app, std::string_view path, std::string_view title, const RegValue& copy) {
    const Lookup existing = look_up(app, Root::local_machine, path, title);
    return existing.known && (!existing.value || same_value(*existing.value, copy));
}

// Whether a line item names the listed command: the list shows commands without quotes and in their
// long-path form, so both forms of the item count.
bool same_item(AppState& app, std::string_view item, std::string_view command) {
    if (iequals(item, command)) return true;
    const std::string plain = without_quotes(item);
    if (iequals(plain, command)) return true;
    return iequals(programinfo::long_path_form(app.os, plain), command);
}

std::vector<std::string> split_items(std::string_view line, std::string_view separators) {
    std::vector<std::string> items;
    std::string item;
    for (char c : line) {
        if (separators.find(c) != std::string_view::npos) {
            items.push_back(std::move(item));
            item.clear();
        } else {
            item += c;
        }
    }
    items.push_back(std::move(item));
    return items;
}

bool line_has(AppState& app, std::string_view key, std::string_view command) {
    const std::string line = app.os.profile.read({}, "windows", key, kProfileEditSize);
    for (const std::string& item : split_items(line, ";")) {
        if (!item.empty() && same_item(app, item, command)) return true;
    }
    return false;
}

void clear_win_ini_readonly(AppState& app) {
    const std::string path = app.os.system.windows_folder() + "\\win.ini";
    const uint32_t attributes = app.os.files.attributes(path);
    if (attributes != platform::attr::invalid && (attributes & platform::attr::readonly)) {
        app.os.files.set_attributes(path, attributes & ~platform::attr::readonly);
    }
}

// The folder a switched-off startup-group file goes back to. Only a value that is not there passes
// on to the next: a read that failed must not send a user's shortcut to the all-users folder, where
// it would start for everyone. Empty when none is known.
std::string startup_folder(AppState& app) {
    static constexpr std::pair<Root, std::string_view> kNames[] = {
        {Root::current_user, "Startup"}, {Root::local_machine, "Startup"}, {Root::local_machine, "Common Startup"}};
    for (const auto& [root, name] : kNames) {
        RegValue value;
        const RegStatus status = app.os.registry.query(root, kShellFoldersKey, name, value);
        if (status != RegStatus::ok && status != RegStatus::not_found) return {};
        std::string folder(status == RegStatus::ok ? until_zero(value.data) : std::string_view());
        if (value.type == platform::reg_type::expand_sz) folder = app.os.system.expand(folder);
        if (!folder.empty() && folder.size() < kFolderPathSize) return folder;
    }
    return {};
}

bool file_exists(AppState& app, std::string_view path) {
    return !path.empty() && app.os.files.attributes(path) != platform::attr::invalid;
}

std::string notify_path(std::string_view title) { return std::string(kNotifyKey) + "\\" + std::string(title); }

std::string_view win_ini_key(int type) { return type == code::win_load ? "load" : "run"; }
std::string_view win_ini_store(int type) { return type == code::win_load ? "WinLoad" : "WinRun"; }

// ---- Run family ----

// Removes a win.ini item from its line, and its stored copy with the marker when the copy is this
// item's (titles of win.ini items are often shared: "run", "load").
bool remove_win_ini_entry(AppState& app, std::string_view title, std::string_view command, int type) {
    const std::string store = store_path(win_ini_store(type));
    const Lookup stored = look_up(app, Root::local_machine, store, title);
    const Lookup marker = look_up(app, Root::local_machine, kDisabledKey, title);
    if (!stored.known || !marker.known) return false;
    const bool ours = stored.value && same_item(app, until_zero(stored.value->data), command);
    const bool marked = marker.value && to_int(until_zero(marker.value->data)) == type;
    // The marker goes first: a copy without its marker is never listed, a marker without its copy
    // would make a live entry of this name look switched off.
    if ((ours || (!stored.value && marked)) && !delete_checked(app, Root::local_machine, kDisabledKey, title)) {
        return false;
    }
    if (ours && !delete_checked(app, Root::local_machine, store, title)) {
        if (marker.value) write_checked(app, Root::local_machine, kDisabledKey, title, *marker.value);
        return false;
    }
    return remove_from_win_ini(app, win_ini_key(type), command);
}

bool is_removable_run_code(int type) {
    // The 32-bit view's setup and policy keys have no disabled store, but their values can be deleted.
    RunSlot slot;
    return run_slot(type, slot);
}

bool is_toggle_run_code(int type) {
    RunSlot slot;
    return run_slot(type, slot) && !(type == 26 || type == 27);
}


int toggle_run(AppState& app, std::string_view title, std::string_view command, int type, bool enable) {
    RunSlot slot;
    run_slot(type, slot);
    const std::string live = run_key_path(slot);
    const std::string store = store_path(slot.key->store);

    if (enable) {
        // The stored copy is moved back byte for byte; the listed command lost its quotes.
        const Lookup stored = look_up(app, Root::local_machine, store, title);
        const Lookup was_live = look_up(app, slot.root, live, title);
        const RegValue value = stored.value ? *stored.value : text_value(title, command);
        const bool had_live = was_live.value.has_value();
        if (!stored.known || !was_live.known || !write_checked(app, slot.root, live, title, value)) {
            tell(app, IDS_ENABLE_FAILED, title);
            return 0;
        }
        // The marker goes before the copy: a copy without its marker is never listed, a marker
        // without its copy would make a live entry look switched off.
        if (!delete_checked(app, Root::local_machine, kDisabledKey, title)) {
            if (!had_live) app.os.registry.remove_value(slot.root, live, title);
            tell(app, IDS_ENABLE_FAILED, title);
            return 0;
        }
        delete_checked(app, Root::local_machine, store, title);
        return 1;
    }

    const Lookup live_read = look_up(app, slot.root, live, title);
    const std::optional<RegValue>& found = live_read.value;
    const RegValue copy = found ? *found : text_value(title, command);
    const Lookup copy_read = look_up(app, Root::local_machine, store, title);
    const bool had_copy = copy_read.value.has_value();
    if (!live_read.known || !copy_read.known || !store_slot_free(app, store, title, copy) ||
        !write_checked(app, Root::local_machine, store, title, copy)) {
        tell(app, IDS_DISABLE_FAILED, title);
        return 0;
    }
    auto undo = [&] {
        // The copy and marker go only while the live value is known to be there: otherwise they may be
        // all that is left of the entry.
        const Lookup still = look_up(app, slot.root, live, title);
        if (still.known && (still.value || !found)) {
            settings::delete_value(app.os, Root::local_machine, kDisabledKey, title);
            if (!had_copy) settings::delete_value(app.os, Root::local_machine, store, title);
        }
        tell(app, IDS_DISABLE_FAILED, title);
        return 0;
    };
    if (!write_text_checked(app, Root::local_machine, kDisabledKey, title, std::to_string(type))) return undo();
    if (found && !delete_checked(app, slot.root, live, title)) return undo();
    return 1;
}

// ---- win.ini ----

int toggle_win_ini(AppState& app, std::string_view title, std::string_view command, int type, bool enable) {
    const std::string store = store_path(win_ini_store(type));
    const std::string_view key = win_ini_key(type);
    if (enable) {
        std::string item = stored_text(app, store, title);
        if (item.empty()) item = std::string(command);
        const bool had_item = line_has(app, key, item);
        if (!add_to_win_ini(app, key, item)) {
            tell(app, IDS_ENABLE_FAILED, title);
            return 0;
        }
        if (!delete_checked(app, Root::local_machine, kDisabledKey, title)) {
            if (!had_item) remove_from_win_ini(app, key, item);
            tell(app, IDS_ENABLE_FAILED, title);
            return 0;
        }
        delete_checked(app, Root::local_machine, store, title);
        return 1;
    }

    const RegValue copy = text_value(title, command);
    const bool had_copy = value_exists(app, Root::local_machine, store, title);
    if (!store_slot_free(app, store, title, copy) || !write_checked(app, Root::local_machine, store, title, copy)) {
        tell(app, IDS_DISABLE_FAILED, title);
        return 0;
    }
    if (!write_text_checked(app, Root::local_machine, kDisabledKey, title, std::to_string(type)) ||
        !remove_from_win_ini(app, key, command)) {
        settings::delete_value(app.os, Root::local_machine, kDisabledKey, title);
        if (!had_copy) settings::delete_value(app.os, Root::local_machine, store, title);
        tell(app, IDS_DISABLE_FAILED, title);
        return 0;
    }
    return 1;
}

// ---- startup group ----

int toggle_group(AppState& app, std::string_view title, std::string_view command, std::string_view location,
                 bool enable) {
    // Files other than shortcuts and programs have no location: the command names the file itself.
    const std::string_view source = location.empty() ? command : location;
    const std::string name(file_part(source));
    const std::string disabled = disabled_folder(app);
    if (name.empty()) {
        tell(app, enable ? IDS_ENABLE_FAILED : IDS_FILE_MOVE_FAILED, title);
        return 0;
    }
    if (enable) {
        const std::string folder = startup_folder(app);
        const std::string parked = disabled + "\\" + name;
        const std::string back = folder + "\\" + name;
        if (folder.empty() || !app.os.files.move(parked, back)) {
            tell(app, IDS_ENABLE_FAILED, title);
            return 0;
        }
        if (!delete_checked(app, Root::local_machine, kDisabledKey, title)) {
            app.os.files.move(back, parked);
            tell(app, IDS_ENABLE_FAILED, title);
            return 0;
        }
        return 1;
    }

    if (app.os.files.attributes(disabled) == platform::attr::invalid) app.os.files.make_folder(disabled);
    const std::string target = disabled + "\\" + name;
    // A file that could not be moved still starts: it gets no marker.
    if (!app.os.files.move(source, target)) {
        tell(app, IDS_FILE_MOVE_FAILED, title);
        return 0;
    }
    if (!write_text_checked(app, Root::local_machine, kDisabledKey, title, std::to_string(code::startup_group))) {
        app.os.files.move(target, source);
        tell(app, IDS_DISABLE_FAILED, title);
        return 0;
    }
    return 1;
}

// ---- Winlogon Notify ----

int toggle_notify(AppState& app, std::string_view title, std::string_view command, bool enable) {
    const std::string key = notify_path(title);
    const std::string store = store_path("WinNotify");
    if (enable) {
        const std::string old_name = settings::read_text(app.os, Root::local_machine, key, "OldName",
                                                         settings::kValueBuffer);
        if (old_name.empty() || !write_text_checked(app, Root::local_machine, key, "DLLName", old_name)) {
            tell(app, IDS_ENABLE_FAILED, title);
            return 0;
        }
        if (!delete_checked(app, Root::local_machine, kDisabledKey, title)) {
            settings::write_text(app.os, Root::local_machine, key, "DLLName", "");
            tell(app, IDS_ENABLE_FAILED, title);
            return 0;
        }
        settings::write_text(app.os, Root::local_machine, key, "OldName", "");
        delete_checked(app, Root::local_machine, store, title);
        return 1;
    }

    // The subkey must be there: writing OldName into a missing one would invent an entry.
    const std::string dll = settings::read_text(app.os, Root::local_machine, key, "DLLName", settings::kValueBuffer);
    const RegValue copy = text_value(title, command);
    const bool had_copy = value_exists(app, Root::local_machine, store, title);
    if (dll.empty() || !store_slot_free(app, store, title, copy) ||
        !write_checked(app, Root::local_machine, store, title, copy)) {
        tell(app, IDS_DISABLE_FAILED, title);
        return 0;
    }
    if (!write_text_checked(app, Root::local_machine, kDisabledKey, title, std::to_string(code::notify)) ||
        !write_text_checked(app, Root::local_machine, key, "OldName", dll) ||
        !write_text_checked(app, Root::local_machine, key, "DLLName", "")) {
        settings::write_text(app.os, Root::local_machine, key, "DLLName", dll);
        settings::delete_value(app.os, Root::local_machine, kDisabledKey, title);
        if (!had_copy) settings::delete_value(app.os, Root::local_machine, store, title);
        tell(app, IDS_DISABLE_FAILED, title);
        return 0;
    }
    settings::write_text(app.os, Root::current_user, settings::kKnownEntriesKey, command,
                         std::to_string(code::notify));
    return 1;
}

// A shortcut for a command line: a program with arguments (a delayed program's parameters, an applet
// in front) becomes target and arguments, so the shortcut points at a file that exists.
platform::Shortcut shortcut_for(AppState& app, std::string_view command) {
    platform::Shortcut link;
    std::string target = without_quotes(command);
    if (!file_exists(app, target)) {
        const size_t at = ifind(command, ".exe ");
        if (at != std::string_view::npos) {
            target = without_quotes(command.substr(0, at + 4));
            link.arguments = std::string(command.substr(at + 5));
        }
    }
    link.target = target;
    link.working_folder = programinfo::ProgramFolder(app.os, target);
    link.icon = target;
    return link;
}

// Removes every trace of a Run entry: its live value, and its stored copy and marker when the marker
// belongs to this key. A value name is one entry of its key, whether it is live, disabled or (after
// an interrupted step) both.
bool remove_run_entry(AppState& app, std::string_view title, int type) {
    RunSlot slot;
    run_slot(type, slot);
    const std::string live = run_key_path(slot);
    const Lookup live_read = look_up(app, slot.root, live, title);
    const Lookup marker = look_up(app, Root::local_machine, kDisabledKey, title);
    if (!live_read.known || !marker.known) return false;
    const bool was_live = live_read.value.has_value();
    const bool owns_marker = marker.value && to_int(until_zero(marker.value->data)) == type && is_toggle_run_code(type);
    const std::string store = store_path(slot.key->store);
    const Lookup stored = owns_marker ? look_up(app, Root::local_machine, store, title) : Lookup{true, {}};
    if (!stored.known) return false;
    const bool was_stored = stored.value.has_value();
    if (!was_live && !was_stored && !owns_marker) return false;
    if (was_live && !delete_checked(app, slot.root, live, title)) return false;
    if (was_stored && !delete_checked(app, Root::local_machine, store, title)) return false;
    if (owns_marker && !delete_checked(app, Root::local_machine, kDisabledKey, title)) {
        // A marker without its copy would make any live entry of this name look switched off.
        if (was_stored) write_checked(app, Root::local_machine, store, title, *stored.value);
        return false;
    }
    return true;
}

// The folders whose files are startup-group entries: the startup folders and the Disabled folder.
bool in_group_folder(AppState& app, std::string_view path) {
    const std::string_view folder = folder_part(path);
    if (iequals(folder, disabled_folder(app))) return true;
    for (Root root : {Root::local_machine, Root::current_user}) {
        for (std::string_view value : {"Startup", "Common Startup"}) {
            const std::string named = settings::read_text(app.os, root, kShellFoldersKey, value, kFolderPathSize);
            if (!named.empty() && iequals(folder, named)) return true;
        }
    }
    return false;
}

// Whether a file is there. A file whose attributes cannot be read (access denied) is still found
// by listing its folder, so such a failure is not mistaken for the file being gone.
bool file_present(AppState& app, std::string_view path) {
    if (file_exists(app, path)) return true;
    std::vector<platform::DirEntry> entries;
    if (!app.os.files.list(folder_part(path), entries)) return false;
    for (const platform::DirEntry& entry : entries) {
        if (iequals(entry.name, file_part(path))) return true;
    }
    return false;
}

// Deletes a startup-group file: the shortcut or program in a startup folder, or its copy in the
// Disabled folder. Files elsewhere (a shortcut's target program above all) are never touched.
bool remove_group_file(AppState& app, std::string_view title, std::string_view command, std::string_view location) {
    const Lookup marker = look_up(app, Root::local_machine, kDisabledKey, title);
    if (!marker.known) return false;
    const bool owns_marker = marker.value && to_int(until_zero(marker.value->data)) == code::startup_group;
    std::string target(location.empty() ? command : location);
    if (!file_present(app, target) && owns_marker) target = disabled_folder(app) + "\\" + std::string(file_part(target));
    if (!file_present(app, target)) {
        // Already gone: nothing is left to remove but its marker.
        return !owns_marker || delete_checked(app, Root::local_machine, kDisabledKey, title);
    }
    if (!in_group_folder(app, target)) return false;
    // The marker goes first, as for every entry; it comes back when the file stays.
    if (owns_marker && !delete_checked(app, Root::local_machine, kDisabledKey, title)) return false;
    const uint32_t attributes = app.os.files.attributes(target);
    app.os.files.set_attributes(target, platform::attr::normal);
    if (!app.os.files.remove(target) || file_present(app, target)) {
        if (attributes != platform::attr::invalid) app.os.files.set_attributes(target, attributes);
        if (owns_marker) write_checked(app, Root::local_machine, kDisabledKey, title, *marker.value);
        return false;
    }
    return true;
}

// Writes a removed entry back into its live location (RestoreStartupEntry without Windows' switch).
int restore_entry(AppState& app, std::string_view title, std::string_view command, std::string_view location,
                  int type);

}  // namespace

int ToggleStartupEntry(AppState& app, std::string_view title, std::string_view command, std::string_view location,
                       int type) {
    // Which way to switch is the marker's to say: a marker that cannot be read says nothing.
    const Lookup marker = look_up(app, Root::local_machine, kDisabledKey, title);
    if (!marker.known) {
        tell(app, IDS_SWITCH_FAILED, title);
        return 0;
    }
    const bool enable = marker.value && to_int(until_zero(marker.value->data)) > 0;
    if (is_toggle_run_code(type)) return toggle_run(app, title, command, type, enable);
    switch (type) {
        case code::win_load:
        case code::win_run: return toggle_win_ini(app, title, command, type, enable);
        case code::startup_group: return toggle_group(app, title, command, location, enable);
        case code::notify: return toggle_notify(app, title, command, enable);
        default: return 0;
    }
}

int EnableStartupEntry(AppState& app, std::string_view title, std::string_view command, std::string_view location,
                       int type) {
    const Lookup marker = look_up(app, Root::local_machine, kDisabledKey, title);
    const std::optional<SwitchSlot> slot = switch_slot(app, type, title, command, location);
    const Lookup switch_value = slot ? look_up(app, slot->root, slot->path, slot->name) : Lookup{true, {}};
    if (!marker.known || !switch_value.known) {
        tell(app, IDS_SWITCH_FAILED, title);
        return 0;
    }
    const std::optional<WindowsSwitch> state = switch_value.value ? parse_switch(*switch_value.value) : std::nullopt;
    const bool off_by_windows = state && state->off;
    if (off_by_windows) {
        RegValue on = *switch_value.value;
        on.data = switched_on(on.data);
        if (!write_checked(app, slot->root, slot->path, slot->name, on)) {
            tell(app, IDS_WINDOWS_ON_FAILED, title);
            return 0;
        }
    }
    if (!marker.value || to_int(until_zero(marker.value->data)) <= 0) return 1;
    if (ToggleStartupEntry(app, title, command, location, type)) return 1;
    // Still switched off here: Windows' switch goes back to what it was.
    if (off_by_windows) write_checked(app, slot->root, slot->path, slot->name, *switch_value.value);
    return 0;
}

bool redisable_returned_entry(AppState& app, std::string_view name, int type) {
    if (!is_toggle_run_code(type)) return false;
    RunSlot slot;
    run_slot(type, slot);
    const std::string live = run_key_path(slot);
    const std::string store = store_path(slot.key->store);
    std::optional<RegValue> found = read_value(app, slot.root, live, name);
    if (!found) return false;
    // A different command under the same name would overwrite the stored one: then it stays live.
    std::optional<RegValue> stored = read_value(app, Root::local_machine, store, name);
    if (stored && !same_value(*stored, *found)) return false;
    if (!stored && !write_checked(app, Root::local_machine, store, name, *found)) return false;
    if (!write_text_checked(app, Root::local_machine, kDisabledKey, name, std::to_string(type))) return false;
    if (!delete_checked(app, slot.root, live, name)) return false;
    return true;
}

int RemoveStartupEntry(AppState& app, std::string_view title, std::string_view command, std::string_view location,
                       int type) {
    if (type >= code::userinit && type <= code::appinit) {
        return RemoveSpecialEntry(app, title, command, location, type);
    }
    // Windows' switch of the entry goes first and comes back when the entry stays; the history
    // record keeps it, so an undo puts it back as it was.
    const std::optional<SwitchSlot> slot = switch_slot(app, type, title, command, location);
    const Lookup switch_read = slot ? look_up(app, slot->root, slot->path, slot->name) : Lookup{true, {}};
    if (!switch_read.known) return 0;
    const std::optional<RegValue> switch_value =
        switch_read.value && parse_switch(*switch_read.value) ? switch_read.value : std::nullopt;
    if (switch_value && !delete_checked(app, slot->root, slot->path, slot->name)) return 0;
    bool removed = false;
    if (is_removable_run_code(type)) {
        removed = remove_run_entry(app, title, type);
    } else if (type == code::win_load || type == code::win_run) {
        removed = remove_win_ini_entry(app, title, command, type);
    } else if (type == code::startup_group) {
        removed = remove_group_file(app, title, command, location);
    }
    if (!removed) {
        if (switch_value) write_checked(app, slot->root, slot->path, slot->name, *switch_value);
        return 0;
    }
    if (!matches(command, "Sentrix")) {
        AppendHistory(app, title, command, location, type, event::start_remove,
                      switch_value ? switch_record(switch_value->data) : std::string());
    }
    settings::delete_value(app.os, Root::current_user, settings::kKnownEntriesKey, command);
    settings::delete_value(app.os, Root::current_user, settings::kKnownEntriesKey, title);
    return 1;
}

int RemoveSpecialEntry(AppState& app, std::string_view title, std::string_view command, std::string_view location,
                       int type) {
    bool done = false;
    int history_event = event::start_remove;
    switch (type) {
        case code::userinit: {
            const std::string reset = app.os.system.system_folder() + "\\Userinit.exe,";
            done = write_text_checked(app, Root::local_machine, kWinlogonKey, "Userinit", reset);
            if (done) settings::write_text(app.os, Root::local_machine, settings::kKnownEntriesKey, reset, "250");
            history_event = event::reset_userinit;
            break;
        }
        case code::shell:
            done = write_text_checked(app, Root::local_machine, kWinlogonKey, "Shell", "Explorer.exe");
            if (done) settings::write_text(app.os, Root::local_machine, settings::kKnownEntriesKey, "Explorer.exe", "251");
            history_event = event::reset_shell;
            break;
        case code::delay_load:
        case code::task_scheduler:
        case code::shell_hook:
        case code::appinit: {
            VersionTexts texts;
            programinfo::ReadVersionTexts(app.os, programinfo::ResolveProgramPath(app.os, command), texts);
            // Declined: nothing changes, and that is no failure.
            if (!app.os.prompts.confirm_special_removal(title, command, matches(texts.LegalCopyright, "Microsoft"))) {
                return 1;
            }
            settings::delete_value(app.os, Root::current_user, settings::kKnownEntriesKey, command);
            if (type == code::delay_load) {
                done = value_exists(app, Root::local_machine, kDelayLoadKey, title) &&
                       delete_checked(app, Root::local_machine, kDelayLoadKey, title);
                history_event = event::remove_delay_load;
            } else if (type == code::appinit) {
                done = remove_appinit_dll(app, command);
                history_event = event::start_remove;
            } else {
                const std::string_view key = type == code::task_scheduler ? kTaskSchedulerKey : kShellHooksKey;
                done = value_exists(app, Root::local_machine, key, location) &&
                       delete_checked(app, Root::local_machine, key, location);
                history_event = type == code::task_scheduler ? event::remove_task_scheduler : event::remove_shell_hook;
            }
            break;
        }
        default: return 0;
    }
    if (!done) return 0;
    AppendHistory(app, title, command, location, type, history_event);
    return 1;
}

int RestoreStartupEntry(AppState& app, std::string_view title, std::string_view command, std::string_view location,
                        int type, std::string_view extra) {
    // Windows' switch goes back first, as it was: the entry must not start where it was switched off.
    const std::optional<std::string> kept = switch_from_record(extra);
    const std::optional<SwitchSlot> switch_at = kept ? switch_slot(app, type, title, command, location) : std::nullopt;
    const Lookup switch_before = switch_at ? look_up(app, switch_at->root, switch_at->path, switch_at->name) : Lookup{};
    if (switch_at) {
        RegValue value;
        value.name = switch_at->name;
        value.type = platform::reg_type::binary;
        value.data = *kept;
        if (!write_checked(app, switch_at->root, switch_at->path, switch_at->name, value)) return 0;
    }
    const int restored = restore_entry(app, title, command, location, type);
    if (!restored && switch_at && switch_before.known) {
        if (switch_before.value) {
            write_checked(app, switch_at->root, switch_at->path, switch_at->name, *switch_before.value);
        } else {
            delete_checked(app, switch_at->root, switch_at->path, switch_at->name);
        }
    }
    return restored;
}

namespace {

int restore_entry(AppState& app, std::string_view title, std::string_view command, std::string_view location,
                  int type) {
    bool done = false;
    RunSlot slot;
    if (run_slot(type, slot)) {
        done = write_text_checked(app, slot.root, run_key_path(slot), title, command);
    } else {
        switch (type) {
            case code::win_load:
            case code::win_run: done = add_to_win_ini(app, win_ini_key(type), command); break;
            case code::startup_group: {
                // Never overwrite a file that is there now; restoring twice changes nothing.
                if (location.empty()) break;
                if (file_present(app, location)) {
                    done = true;
                    break;
                }
                platform::Shortcut link = shortcut_for(app, command);
                link.description = std::string(title);
                done = app.os.shell.save_shortcut(location, link) && file_present(app, location);
                break;
            }
            case code::delay_load: done = write_text_checked(app, Root::local_machine, kDelayLoadKey, title, location); break;
            case code::task_scheduler:
                done = write_text_checked(app, Root::local_machine, kTaskSchedulerKey, location, title);
                break;
            case code::shell_hook: done = write_text_checked(app, Root::local_machine, kShellHooksKey, location, title); break;
            case code::appinit: done = add_appinit_dll(app, command); break;
            case code::notify: {
                const std::string key = notify_path(title);
                const std::string old_name = settings::read_text(app.os, Root::local_machine, key, "OldName",
                                                                 settings::kValueBuffer);
                if (!old_name.empty()) settings::write_text(app.os, Root::local_machine, key, "DLLName", old_name);
                return 0;
            }
            default: return 0;
        }
    }
    if (!done) return 0;
    settings::write_text(app.os, Root::current_user, settings::kKnownEntriesKey, command, std::to_string(type));
    return 1;
}

int schedule_deletion(AppState& app, std::string_view path) {
    if (app.os.system.version().platform == 2) return app.os.files.delete_on_reboot(path) ? 1 : 0;

    const std::string short_path = app.os.files.short_path(path);
    if (short_path.empty()) return 0;
    const std::string file = app.os.system.windows_folder() + "\\wininit.ini";
    const std::string line = "NUL=" + short_path + "\r\n";
    std::string content = app.os.files.read(file, 1 << 20).value_or(std::string());
    // The line joins the [rename] section; whatever the file holds stays as it is.
    const size_t section = ifind(content, "[rename]");
    if (section == std::string::npos) {
        if (!content.empty() && content.back() != '\n') content += "\r\n";
        content += "[rename]\r\n" + line;
    } else {
        size_t after = content.find('\n', section);
        after = after == std::string::npos ? content.size() : after + 1;
        if (after == content.size() && content.back() != '\n') {
            content += "\r\n";
            after = content.size();
        }
        content.insert(after, line);
    }
    return app.os.files.write(file, content) ? 1 : 0;
}

}  // namespace

int DeleteOnReboot(AppState& app, std::string_view path) {
    const uint32_t before = app.os.files.attributes(path);
    app.os.files.set_attributes(path, platform::attr::normal);
    const int scheduled = schedule_deletion(app, path);
    // A file that stays keeps what it was (hidden, read-only).
    if (!scheduled && before != platform::attr::invalid) {
        app.os.files.set_attributes(path, before & platform::attr::settable);
    }
    return scheduled;
}

namespace {

// Writes a [windows] line and checks it with `holds`; a line that cannot be confirmed is put back.
// A win.ini line to be written back with a change. A failed read looks like an empty line, and an
// empty line written back would drop every other program on it: the line counts only when two
// reads agree.
std::optional<std::string> read_line(AppState& app, std::string_view key) {
    std::string first = app.os.profile.read({}, "windows", key, kProfileEditSize);
    if (app.os.profile.read({}, "windows", key, kProfileEditSize) != first) return std::nullopt;
    return first;
}

bool write_line_checked(AppState& app, std::string_view key, const std::string& old_line, const std::string& line,
                        const std::function<bool()>& confirmed) {
    clear_win_ini_readonly(app);
    app.os.profile.write({}, "windows", key, line);
    if (confirmed()) return true;
    app.os.profile.write({}, "windows", key, old_line);
    return false;
}

}  // namespace

bool remove_from_win_ini(AppState& app, std::string_view key, std::string_view command) {
    const std::optional<std::string> read = read_line(app, key);
    if (!read) return !line_has(app, key, command);  // what is not on the line needs no taking out
    const std::string& line = *read;
    if (line.size() + 1 >= kProfileEditSize) return false;  // possibly cut: writing it back would lose its end
    std::string kept;
    bool found = false;
    for (const std::string& item : split_items(line, ";")) {
        if (same_item(app, item, command)) {
            found = true;
        } else if (!item.empty()) {
            kept += item + ";";
        }
    }
    if (!found) return !line_has(app, key, command);
    return write_line_checked(app, key, line, kept, [&] { return !line_has(app, key, command); });
}

bool add_to_win_ini(AppState& app, std::string_view key, std::string_view command) {
    if (command.empty()) return false;
    if (line_has(app, key, command)) return true;
    const std::optional<std::string> read = read_line(app, key);
    if (!read) return false;
    const std::string& line = *read;
    if (line.size() + 1 >= kProfileEditSize) return false;
    return write_line_checked(app, key, line, line + ";" + std::string(command),
                              [&] { return line_has(app, key, command); });
}

bool remove_appinit_dll(AppState& app, std::string_view dll) {
    const std::string value =
        settings::read_text(app.os, Root::local_machine, kWindowsNtKey, "AppInit_Dlls", settings::kValueBuffer);
    std::string kept;
    bool found = false;
    for (const std::string& item : split_items(value, ", ")) {
        if (item.empty()) continue;
        if (same_item(app, item, dll)) {
            found = true;
            continue;
        }
        if (!kept.empty()) kept += ',';
        kept += item;
    }
    if (!found) return false;
    return write_text_checked(app, Root::local_machine, kWindowsNtKey, "AppInit_Dlls", kept);
}

bool add_appinit_dll(AppState& app, std::string_view dll) {
    const std::string value =
        settings::read_text(app.os, Root::local_machine, kWindowsNtKey, "AppInit_Dlls", settings::kValueBuffer);
    // A list too long to read would be replaced by the one DLL: leave it alone.
    if (value.empty() && !until_zero(stored_text(app, kWindowsNtKey, "AppInit_Dlls")).empty()) return false;
    for (const std::string& item : split_items(value, ", ")) {
        if (!item.empty() && same_item(app, item, dll)) return true;
    }
    std::string short_path = app.os.files.short_path(dll);
    if (short_path.empty()) short_path = std::string(dll);
    std::string updated = value;
    if (!updated.empty()) updated += ',';
    updated += short_path;
    // A list that does not fit would lose the end of its last name.
    if (updated.size() > kAppInitMax) return false;
    return write_text_checked(app, Root::local_machine, kWindowsNtKey, "AppInit_Dlls", updated);
}

}  // namespace sx::startup
