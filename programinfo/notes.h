// Where the personal note about a program is kept: "note_" + program name + ".txt", beside this
// program when it is there, else in the user's application-data folder.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace sx::programinfo {

// A note holds at most this many characters.
inline constexpr size_t kNoteMax = 16384;

inline constexpr std::string_view kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr std::string_view kAppDataValue = "AppData";
inline constexpr std::string_view kUserFolderName = "Sentrix";
inline constexpr std::string_view kVaultFolderName = "vault";

// The program name notes are named by: the file-name part of the resolved command with "=" replaced
// by ":" and the last four characters (the extension) removed.
std::string note_program_name(platform::Platform& os, std::string_view command);

// The note file's path, for reading and for creating. Looking in the user folder creates it and its
// "vault" subfolder when they are missing.
std::string NotePath(platform::Platform& os, std::string_view command);

// A note file's text as the information window shows it: at most kNoteMax characters; `whole` is
// false when the file holds more, so the text shown is only its beginning.
struct NoteText {
    std::string text;
    bool whole = true;
};
// Nothing when the file cannot be read.
std::optional<NoteText> ReadNote(platform::Platform& os, std::string_view path);
// Writes `text` as the whole note file. Refused (false, nothing written) for a text longer than
// kNoteMax, which could never be read back whole; false when the write fails.
bool SaveNote(platform::Platform& os, std::string_view path, std::string_view text);

// The per-user data folder (AppData + "\Sentrix"), created with its "vault" subfolder when missing;
// the program's own folder when there is no AppData folder or the vault cannot be made.
std::string user_data_folder(platform::Platform& os);

}  // namespace sx::programinfo
