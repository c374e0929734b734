// Files marked hidden in the system's own folders: listing them, and unhiding, deleting and restoring
// them. A file is deleted only by the user's choice; nothing else these operations do loses a file or
// its copy in the vault, and every failure is told to the user.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/state.h"

namespace sx::inventory {

// The known hidden-file list: one value per file, named by its path, holding when it was recorded.
inline constexpr std::string_view kKnownHiddenKey = "Software\\Orvane\\Sentrix\\Hidden";
inline constexpr std::string_view kCommonFilesValue = "CommonFilesDir";
// What the "Type" column shows for a file with the system attribute.
inline constexpr std::string_view kSystemText = "SYSTEM";

struct WalkFolder {
    std::string path;
    int depth;  // 0: the folder's own entries; 1: those of its direct subfolders too
};

// The folders ListHiddenFiles walks, in its order: "C:\", the Windows folder, the system folder, the
// common-files folder and the temporary folder (the last two when known).
std::vector<WalkFolder> hidden_file_folders(AppState& app);

// Hands every entry of `folder` to `visit` with its full path, after walking into it when it is a
// folder whose name does not begin with "." and `depth` is above 0. A visitor result other than 0
// ends the walk of that folder. Paths longer than a path can be are passed over: no call could name them.
using WalkVisitor = std::function<int(const std::string& path, const platform::DirEntry& entry)>;
void walk_folder(platform::Files& files, std::string_view folder, int depth, const WalkVisitor& visit);

// Empties the shared item list and lists every hidden file of the walk once (type 370, flag 1 for a
// system file); returns the number of records.
int ListHiddenFiles(AppState& app);

// The "Last Written" text of a listed file: its last-write time without its seconds, or "File in Use"
// when the file cannot be opened.
std::string last_written_text(AppState& app, std::string_view path);

// Clears every attribute of the file (FILE_ATTRIBUTE_NORMAL); 1 when done, else 0 and the user is told.
int UnhideFile(AppState& app, std::string_view path);

// Stops the file's program when it runs and deletes the file (a read-only one once its attributes are
// cleared); a file that stays keeps its attributes and the user is told. A deletion is recorded in the
// history. The file's value in the known hidden-file list goes either way. 1 when the file was deleted.
int DeleteHiddenFile(AppState& app, std::string_view title, std::string_view path);

// Schedules the file's deletion at the next start; 1 when scheduled, else 0 and the user is told.
int DeleteHiddenFileOnReboot(AppState& app, std::string_view path);

// Opens the file in the Windows folder's Notepad; true when it started.
bool ViewInNotepad(AppState& app, std::string_view path);

// Where the vault copy of the file at `path` is: the vault folder of the user's data folder, then the
// file's name.
std::string vault_copy_path(AppState& app, std::string_view path);

// Copies the vault copy of `path` back (never over a file that is there again), hides it, deletes the
// vault copy and records the file as known. When the copy cannot be put back, the vault copy stays,
// nothing is recorded and the user is told. 1 when the file is back in its place.
int RestoreHiddenFile(AppState& app, std::string_view path);

}  // namespace sx::inventory
