#include "startup/catalogue.h"

#include <vector>

#include "common/text.h"
#include "programinfo/resolve.h"
#include "programinfo/version_texts.h"
#include "res/resource_ids.h"
#include "settings/store.h"
#include "settings/strings.h"
#include "startup/disabled_store.h"
#include "startup/item_list.h"
#include "startup/type_codes.h"

namespace sx::startup {

using platform::RegStatus;
using platform::RegValue;
using platform::Root;

namespace {

// Buffers of the enumeration: longer names or data read as empty.
constexpr size_t kRunValueMax = 512;
constexpr size_t kSpecialValueMax = 255;
constexpr size_t kProfileLineSize = 512;
constexpr size_t kClassTextSize = 512;
constexpr size_t kMarkerSize = 256;
constexpr size_t kFolderPathSize = 260;

const VersionTexts& versions_of(AppState& app, std::string_view command) {
    return programinfo::cached_version_texts(app, programinfo::full_program_path(app.os, command));
}

// A Run value's data as the program reads it: text types only (Windows starts nothing else), up to
// the first zero, empty when it does not fit the buffer.
std::string run_value_text(const RegValue& value) {
    if (value.type != platform::reg_type::sz && value.type != platform::reg_type::expand_sz) return {};
    if (value.data.size() > kRunValueMax) return {};
    return std::string(until_zero(value.data));
}

struct PreviousValue {
    std::string name;
    std::string data;
    bool valid = false;
};

void enumerate_run_key(AppState& app, Root root, const std::string& path, int type, PreviousValue& previous,
                       DisabledMarks& marks) {
    std::vector<RegValue> values;
    if (app.os.registry.values(root, path, values) != RegStatus::ok) return;
    for (const RegValue& value : values) {
        const std::string name = value.name.size() > kRunValueMax ? std::string() : value.name;
        const std::string data = run_value_text(value);
        const bool repeated = previous.valid && iequals(previous.name, name) && iequals(previous.data, data);
        previous = {name, data, true};
        if (repeated) continue;

        // Switched off earlier but written back since: switched off again, it is listed from the
        // disabled store; when that would lose something it stays live and is listed here.
        if (!name.empty() && marks.of(name) != 0 && redisable_returned_entry(app, name, type)) {
            marks.set(name, type);
            continue;
        }
        if (name.size() < 2 || data.size() < 5 || static_cast<unsigned char>(name[0]) >= 128) continue;

        std::string command;
        int flag = 0;
        if (rundll32_command(data, command)) {
            flag = 1;
        } else {
            command = data;
        }
        AddItem(app, name, command, {}, {}, type, flag);
    }
}

bool has_extension(std::string_view name, std::string_view extension) {
    return name.size() >= extension.size() && iequals(name.substr(name.size() - extension.size()), extension);
}

// `own_records`: the program's Disabled folder, whose shortcuts are listed even when their target is
// gone, so a switched-off entry never drops out of sight.
void scan_folder(AppState& app, const std::string& folder, bool own_records = false) {
    std::vector<platform::DirEntry> entries;
    if (!app.os.files.list(folder, entries)) return;
    for (const platform::DirEntry& entry : entries) {
        if (entry.name.empty() || entry.name[0] == '.') continue;
        // Any folder is skipped, whatever other attributes it carries.
        if (entry.attributes & platform::attr::directory) continue;
        const std::string path = folder + "\\" + entry.name;
        if (has_extension(entry.name, "lnk")) {
            std::optional<platform::Shortcut> link = app.os.shell.read_shortcut(path);
            if (!link || link->target.empty()) continue;
            // A target that does not exist cannot be resolved (Wine's resolver does not notice).
            if (!own_records && app.os.files.attributes(link->target) == platform::attr::invalid) continue;
            std::string title = link->description;
            if (title.empty()) {
                const VersionTexts& v = versions_of(app, link->target);
                title = v.FileDescription.empty() ? v.ProductName : v.FileDescription;
            }
            AddItem(app, title, link->target, path, {}, code::startup_group, 0);
        } else if (has_extension(entry.name, "exe")) {
            const VersionTexts& v = versions_of(app, path);
            const std::string title = v.FileDescription.empty() ? v.ProductName : v.FileDescription;
            AddItem(app, title, path, path, {}, code::startup_group, 0);
        } else if (has_extension(entry.name, "ini")) {
            continue;  // folder settings (desktop.ini)
        } else {
            AddItem(app, {}, path, {}, {}, code::startup_group, 0);
        }
    }
}

void enumerate_win_ini(AppState& app) {
    static constexpr std::pair<std::string_view, int> kKeys[] = {{"run", code::win_run}, {"load", code::win_load}};
    for (const auto& [key, type] : kKeys) {
        const std::string line = app.os.profile.read({}, "windows", key, kProfileLineSize);
        size_t start = 0;
        while (start <= line.size()) {
            size_t end = line.find(';', start);
            if (end == std::string::npos) end = line.size();
            const std::string item = line.substr(start, end - start);
            start = end + 1;
            if (item.empty()) continue;
            const VersionTexts& v = versions_of(app, item);
            AddItem(app, v.ProductName.empty() ? key : std::string_view(v.ProductName), item, {}, {}, type, 0);
        }
    }
}

void enumerate_disabled_store(AppState& app, const DisabledMarks& marks) {
    for (std::string_view store : kDisabledStores) {
        std::vector<RegValue> values;
        const std::string path = std::string(kDisabledKey) + "\\" + std::string(store);
        if (app.os.registry.values(Root::local_machine, path, values) != RegStatus::ok) continue;
        for (const RegValue& value : values) {
            if (value.name.empty()) continue;
            const int marker = marks.of(value.name);
            if (marker <= 0) continue;
            const std::string command = value.data.size() > kSpecialValueMax + 1 ? std::string()
                                                                                 : std::string(until_zero(value.data));
            AddItem(app, value.name, command, {}, {}, marker, 0);
        }
    }
}

void enumerate_winlogon(AppState& app) {
    const std::string userinit = settings::read_text(app.os, Root::local_machine, kWinlogonKey, "UserInit",
                                                     settings::kValueBuffer);
    const size_t comma = userinit.find(',');
    if (comma != std::string::npos) {
        std::string command;
        if (comma + 1 == userinit.size()) {
            command = userinit.substr(0, comma);
        } else {
            size_t from = comma + 1;
            while (from < userinit.size() && userinit[from] == ' ') ++from;
            command = userinit.substr(from);
        }
        AddItem(app, "Winlogon Userinit", command, {}, {}, code::userinit, 0);
    }

    const std::string shell =
        settings::read_text(app.os, Root::local_machine, kWinlogonKey, "Shell", settings::kValueBuffer);
    if (!shell.empty()) {
        std::string command = shell;
        const size_t blank = shell.find(' ');
        if (blank != std::string::npos) {
            size_t from = blank + 1;
            while (from < shell.size() && shell[from] == ' ') ++from;
            // A blank at the very end is only dropped.
            command = from < shell.size() ? shell.substr(from) : shell.substr(0, blank);
        }
        AddItem(app, "Winlogon Shell", command, {}, {}, code::shell, 0);
    }
}

void enumerate_special(AppState& app) {
    std::vector<RegValue> values;
    if (app.os.registry.values(Root::local_machine, kDelayLoadKey, values) == RegStatus::ok) {
        for (const RegValue& value : values) {
            if (value.name.size() > kSpecialValueMax) continue;
            const std::string class_id(until_zero(value.data));
            const ClassInfo info = ResolveClsid(app, class_id);
            AddItem(app, value.name, info.server, class_id, versions_of(app, info.server).ProductVersion,
                    code::delay_load, 0);
        }
    }

    static constexpr std::pair<std::string_view, int> kHookKeys[] = {{kTaskSchedulerKey, code::task_scheduler},
                                                                    {kShellHooksKey, code::shell_hook}};
    for (const auto& [key, type] : kHookKeys) {
        if (app.os.registry.values(Root::local_machine, key, values) != RegStatus::ok) continue;
        for (const RegValue& value : values) {
            const ClassInfo info = ResolveClsid(app, value.name);
            std::string title = value.data.size() > kSpecialValueMax + 1 ? std::string()
                                                                         : std::string(until_zero(value.data));
            if (title.empty()) title = info.name;
            AddItem(app, title, info.server, value.name, versions_of(app, info.server).ProductVersion, type, 0);
        }
    }

    const std::string dlls =
        settings::read_text(app.os, Root::local_machine, kWindowsNtKey, "AppInit_Dlls", kSpecialValueMax + 1);
    std::string item;
    for (size_t i = 0; i <= dlls.size(); ++i) {
        if (i == dlls.size() || dlls[i] == ',' || dlls[i] == ' ') {
            if (!item.empty()) {
                const VersionTexts& v = versions_of(app, item);
                AddItem(app, v.ProductName, item, v.CompanyName, v.ProductVersion, code::appinit, 0);
            }
            item.clear();
        } else {
            item += dlls[i];
        }
    }

    std::vector<std::string> subkeys;
    if (app.os.registry.subkeys(Root::local_machine, kNotifyKey, subkeys) == RegStatus::ok) {
        for (const std::string& name : subkeys) {
            if (name.size() > kSpecialValueMax) continue;
            const std::string dll = settings::read_text(app.os, Root::local_machine,
                                                        std::string(kNotifyKey) + "\\" + name, "DllName",
                                                        settings::kValueBuffer);
            if (dll.empty()) continue;
            const VersionTexts& v = versions_of(app, dll);
            AddItem(app, name, dll, v.FileDescription, v.ProductVersion, code::notify, 0);
        }
    }
}

}  // namespace

bool rundll32_command(std::string_view data, std::string& command) {
    if (ifind(data, "RUNDLL32.EXE") == std::string_view::npos) return false;
    // "RUNDLL32" is found by its letters 0, 2 and 4 and its "3"; the command starts after
    // "RUNDLL32.EXE" and one blank.
    for (size_t p = 0; p + 7 <= data.size(); ++p) {
        if (fold_ascii(data[p]) == 'r' && fold_ascii(data[p + 2]) == 'n' && fold_ascii(data[p + 4]) == 'l' &&
            data[p + 6] == '3') {
            command = p + 13 <= data.size() ? std::string(data.substr(p + 13)) : std::string();
            return true;
        }
    }
    return false;
}

int disabled_marker(AppState& app, std::string_view title) {
    const int marker = to_int(settings::read_text(app.os, Root::local_machine, kDisabledKey, title, kMarkerSize));
    return marker > 0 ? marker : 0;
}

DisabledMarks::DisabledMarks(AppState& app) : markers_(app.os, Root::local_machine, kDisabledKey, kMarkerSize) {}

int DisabledMarks::of(std::string_view title) const {
    const int marker = to_int(markers_.text(title));
    return marker > 0 ? marker : 0;
}

std::string disabled_folder(AppState& app) { return programinfo::own_folder(app.os) + "\\Disabled"; }

ClassInfo ResolveClsid(AppState& app, std::string_view class_id, View view) {
    std::string key = view == View::wow32 ? "Wow6432Node\\CLSID\\" : "CLSID\\";
    if (!class_id.empty() && class_id.front() == '{') {
        key += class_id;
    } else {
        key += "{" + std::string(class_id) + "}";
    }
    ClassInfo info;
    info.name = settings::read_text(app.os, Root::classes_root, key, "", kClassTextSize);
    info.server = settings::read_text(app.os, Root::classes_root, key + "\\InprocServer32", "", kClassTextSize);
    return info;
}

namespace {

void enumerate_run_keys(AppState& app, DisabledMarks& marks) {
    struct Hive {
        Root root;
        std::string_view base;
        int offset;
    };
    std::vector<Hive> hives = {{Root::local_machine, kCurrentVersion, 0}, {Root::current_user, kCurrentVersion, 10}};
    if (app.wow64) hives.push_back({Root::local_machine, kWow64CurrentVersion, 20});

    PreviousValue previous;
    for (const Hive& hive : hives) {
        for (size_t k = 0; k < kRunKeys.size(); ++k) {
            const std::string path = std::string(hive.base) + "\\" + std::string(kRunKeys[k].key);
            enumerate_run_key(app, hive.root, path, hive.offset + static_cast<int>(k) + 1, previous, marks);
        }
    }
}

}  // namespace

void EnumerateRunKeys(AppState& app) {
    DisabledMarks marks(app);
    enumerate_run_keys(app, marks);
}

void EnumerateStartupFolders(AppState& app) {
    std::vector<std::string> scanned;
    for (Root root : {Root::local_machine, Root::current_user}) {
        for (std::string_view value : {"Startup", "Common Startup"}) {
            const std::string folder = settings::read_text(app.os, root, kShellFoldersKey, value, kFolderPathSize);
            if (folder.empty()) continue;
            // Both hives may name the same folder; its files are listed once.
            bool seen = false;
            for (const std::string& done : scanned) seen = seen || iequals(done, folder);
            if (seen) continue;
            scanned.push_back(folder);
            scan_folder(app, folder);
        }
    }
}

int EnumerateStartups(AppState& app, bool filtered) {
    ClearItems(app);
    app.versions.clear();
    // Each entry asks for its title's marker: the markers are read once.
    DisabledMarks marks(app);
    enumerate_run_keys(app, marks);
    EnumerateStartupFolders(app);
    enumerate_win_ini(app);
    enumerate_disabled_store(app, marks);
    scan_folder(app, disabled_folder(app), true);
    const bool special = !filtered || app.settings.show_all_startup > 0;
    if (special && app.os.system.version().platform == 2) enumerate_winlogon(app);
    if (special) enumerate_special(app);
    return static_cast<int>(app.items.count());
}

std::string LocationText(AppState& app, size_t index) {
    const StartupEntry* entry = app.items.at(index);
    if (!entry) return {};
    std::string text;
    switch (entry->type) {
        case code::scheduled_task: text = settings::load_string(app, IDS_LOCATION_TASK_SCHEDULER); break;
        case code::bho: text = settings::load_string(app, IDS_LOCATION_IE_BHO); break;
        case code::toolbar: text = settings::load_string(app, IDS_LOCATION_IE_TOOLBAR); break;
        default: text = entry->type > code::notify ? std::string() : long_location_text(entry->type); break;
    }
    if (DisabledTypeOf(app, index) != 0) {
        text = " * " + settings::load_string(app, IDS_DISABLED_MARK) + " * " + text;
    }
    return cut(text, 511);
}

int DisabledTypeOf(AppState& app, size_t index) {
    const StartupEntry* entry = app.items.at(index);
    return entry ? disabled_marker(app, entry->title) : 0;
}

}  // namespace sx::startup
