#include "programinfo/notes.h"

#include "common/text.h"
#include "programinfo/resolve.h"
#include "settings/store.h"

namespace sx::programinfo {

namespace {

constexpr std::string_view kNotePrefix = "note_";
constexpr std::string_view kNoteSuffix = ".txt";
constexpr size_t kExtensionWithDot = 4;
// Buffer for the AppData value: a longer value reads as missing.
constexpr size_t kFolderValueBuffer = kPathMax + 1;

bool exists(platform::Platform& os, std::string_view path) {
    return os.files.attributes(path) != platform::attr::invalid;
}

void make_folder_if_missing(platform::Platform& os, std::string_view path) {
    if (!exists(os, path)) os.files.make_folder(path);
}

}  // namespace

std::string note_program_name(platform::Platform& os, std::string_view command) {
    std::string name(file_part(ResolveProgramPath(os, command)));
    for (char& c : name) {
        if (c == '=') c = ':';
    }
    name.resize(name.size() > kExtensionWithDot ? name.size() - kExtensionWithDot : 0);
    return name;
}

std::string NotePath(platform::Platform& os, std::string_view command) {
    std::string file(kNotePrefix);
    file += note_program_name(os, command);
    file += kNoteSuffix;

    const std::string beside_program = own_folder(os) + "\\" + file;
    if (exists(os, beside_program)) return beside_program;

    return user_data_folder(os) + "\\" + file;
}

std::optional<NoteText> ReadNote(platform::Platform& os, std::string_view path) {
    // One character more than a note holds tells a longer file.
    std::optional<std::string> bytes = os.files.read(path, kNoteMax + 1);
    if (!bytes) return std::nullopt;
    NoteText note;
    note.whole = bytes->size() <= kNoteMax;
    note.text = cut(*bytes, kNoteMax);
    return note;
}

bool SaveNote(platform::Platform& os, std::string_view path, std::string_view text) {
    return text.size() <= kNoteMax && os.files.write(path, text);
}

std::string user_data_folder(platform::Platform& os) {
    std::string app_data = settings::read_text(os, platform::Root::current_user, kShellFoldersKey, kAppDataValue,
                                               kFolderValueBuffer);
    while (!app_data.empty() && app_data.back() == '\\') app_data.pop_back();
    if (app_data.empty()) return own_folder(os);
    const std::string user_folder = app_data + "\\" + std::string(kUserFolderName);
    make_folder_if_missing(os, user_folder);
    const std::string vault = user_folder + "\\" + std::string(kVaultFolderName);
    make_folder_if_missing(os, vault);
    if (!exists(os, vault)) return own_folder(os);
    return user_folder;
}

}  // namespace sx::programinfo
