#include "inventory/hidden_files.h"

#include <set>

#include "common/text.h"
#include "programinfo/file_facts.h"
#include "programinfo/notes.h"
#include "programinfo/resolve.h"
#include "programinfo/version_texts.h"
#include "res/resource_ids.h"
#include "settings/store.h"
#include "settings/strings.h"
#include "startup/active_tasks.h"
#include "startup/disabled_store.h"
#include "startup/history.h"
#include "startup/item_list.h"

namespace sx::inventory {

namespace {

namespace attr = platform::attr;
using platform::Root;

constexpr std::string_view kRoot = "C:\\";
constexpr int kOwnEntries = 0, kWithSubfolders = 1;
// Buffer for the CommonFilesDir value: a longer value reads as missing.
constexpr size_t kFolderValueBuffer = programinfo::kPathMax + 1;

std::string without_trailing_backslashes(std::string_view path) {
    while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    return std::string(path);
}

void tell(AppState& app, unsigned string_id, std::string_view path) {
    app.os.prompts.tell(fill_in(settings::load_string(app, string_id), path), platform::Icon::exclamation);
}

bool is_hidden_file(uint32_t attributes) {
    return (attributes & attr::hidden) && !(attributes & attr::directory);
}

}  // namespace

std::vector<WalkFolder> hidden_file_folders(AppState& app) {
    platform::Platform& os = app.os;
    std::vector<WalkFolder> folders{{std::string(kRoot), kOwnEntries},
                                    {os.system.windows_folder(), kOwnEntries},
                                    {os.system.system_folder(), kWithSubfolders}};
    const std::string common = settings::read_text(os, Root::local_machine, programinfo::kCurrentVersionKey,
                                                   kCommonFilesValue, kFolderValueBuffer);
    if (!common.empty()) folders.push_back({common, kWithSubfolders});
    const std::string temp = without_trailing_backslashes(os.system.temp_folder());
    if (!temp.empty()) folders.push_back({temp, kWithSubfolders});
    return folders;
}

void walk_folder(platform::Files& files, std::string_view folder, int depth, const WalkVisitor& visit) {
    const std::string listed = without_trailing_backslashes(folder);
    if (listed.empty()) return;
    std::vector<platform::DirEntry> entries;
    if (!files.list(listed, entries)) return;
    for (const platform::DirEntry& entry : entries) {
        const std::string path = listed + "\\" + entry.name;
        if (entry.name.empty() || path.size() > programinfo::kPathMax) continue;
        const bool folder_entry = (entry.attributes & attr::directory) != 0;
        if (folder_entry && entry.name.front() != '.' && depth > 0) walk_folder(files, path, depth - 1, visit);
        if (visit(path, entry) != 0) return;
    }
}

int ListHiddenFiles(AppState& app) {
    startup::ClearItems(app);
    // A folder named twice (a temporary folder in the drive root) lists its files once.
    std::set<std::string> seen;
    for (const WalkFolder& folder : hidden_file_folders(app)) {
        walk_folder(app.os.files, folder.path, folder.depth, [&](const std::string& path, const platform::DirEntry& e) {
            if (!is_hidden_file(e.attributes) || app.items.full() || !seen.insert(upper(path)).second) return 0;
            const VersionTexts& texts = programinfo::cached_version_texts(app, path);
            startup::AddItem(app, texts.ProductName, path, path, {}, code::hidden_file,
                             (e.attributes & attr::system) ? 1 : 0);
            return 0;
        });
    }
    return static_cast<int>(app.items.count());
}

std::string last_written_text(AppState& app, std::string_view path) {
    const std::optional<platform::FileFacts> facts = app.os.files.facts(path);
    if (!facts) return settings::load_string(app, IDS_FILE_IN_USE);
    // The date has no seconds to drop: taking characters off its end would take the AM or PM.
    const std::optional<platform::LocalTime> local = app.os.system.to_local(facts->written);
    return local ? programinfo::FormatLocalDate(app.os, *local) : std::string();
}

int UnhideFile(AppState& app, std::string_view path) {
    if (app.os.files.set_attributes(path, attr::normal)) return 1;
    tell(app, IDS_HIDDEN_UNHIDE_FAILED, path);
    return 0;
}

int DeleteHiddenFile(AppState& app, std::string_view title, std::string_view path) {
    startup::StopProgram(app, path, title, false);
    // Only a read-only file needs its attributes cleared to go, and one that stays gets them back. A file
    // whose attributes cannot be read could not get them back: it is left alone.
    const uint32_t before = app.os.files.attributes(path);
    bool deleted = false;
    if (before != attr::invalid && !(before & attr::directory)) {
        deleted = app.os.files.remove(path);
        if (!deleted && (before & attr::readonly)) {
            app.os.files.set_attributes(path, attr::normal);
            deleted = app.os.files.remove(path);
            // Put back, once more when the first try fails: the file is not to lose what hid it.
            if (!deleted && !app.os.files.set_attributes(path, before & attr::settable)) {
                app.os.files.set_attributes(path, before & attr::settable);
            }
        }
    }
    if (deleted) startup::AppendHistory(app, title, path, {}, code::hidden_file, startup::event::hidden_delete_file);
    // The monitor reads a file without its value as one to watch anew, whether it went or not.
    app.os.registry.remove_value(Root::current_user, kKnownHiddenKey, path);
    if (!deleted) tell(app, IDS_HIDDEN_DELETE_FAILED, path);
    return deleted ? 1 : 0;
}

int DeleteHiddenFileOnReboot(AppState& app, std::string_view path) {
    if (startup::DeleteOnReboot(app, path)) return 1;
    tell(app, IDS_HIDDEN_REBOOT_FAILED, path);
    return 0;
}

bool ViewInNotepad(AppState& app, std::string_view path) {
    // By its full path, so no program named notepad elsewhere on the search path starts instead.
    const std::string command = app.os.system.windows_folder() + "\\notepad.exe \"" + std::string(path) + "\"";
    return app.os.shell.run(command, platform::kShowNormal);
}

std::string vault_copy_path(AppState& app, std::string_view path) {
    return programinfo::user_data_folder(app.os) + "\\" + std::string(programinfo::kVaultFolderName) + "\\" +
           std::string(file_part(path));
}

int RestoreHiddenFile(AppState& app, std::string_view path) {
    platform::Files& files = app.os.files;
    const std::string vault_copy = vault_copy_path(app, path);
    if (file_part(path).empty() || files.attributes(vault_copy) == attr::invalid) {
        tell(app, IDS_HIDDEN_NO_VAULT_COPY, path);
        return 0;
    }
    // A file that is there again is not replaced, and the vault copy is the only one until the copy is
    // in place (the vault copy itself is never copied onto: it exists).
    if (!files.copy(vault_copy, path, true)) {
        tell(app, IDS_HIDDEN_RESTORE_FAILED, path);
        return 0;
    }
    files.set_attributes(path, attr::hidden);
    files.set_attributes(vault_copy, attr::normal);
    files.remove(vault_copy);
    settings::write_text(app.os, Root::current_user, kKnownHiddenKey, path,
                         programinfo::FormatLocalDate(app.os, app.os.system.now()));
    return 1;
}

}  // namespace sx::inventory
