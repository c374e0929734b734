// Putting a deleted hidden file back from the program's vault folder (the undo of a deletion that the
// history recorded).
#pragma once

#include <string_view>

#include "common/state.h"

namespace sx::inventory {

inline constexpr std::string_view kKnownHiddenKey = "Software\\Orvane\\Sentrix\\Hidden";

// Copies the vault copy of `path` back, hides it, deletes the vault copy and records the file as
// known. Non-zero when the file was restored.
int RestoreHiddenFile(AppState& app, std::string_view path);

}  // namespace sx::inventory
