// The string loader: string-table texts with the per-string overrides of the registry.
#pragma once

#include <string>

#include "common/state.h"

namespace sx::settings {

inline constexpr uint16_t kLanguageEnglish = 9;
// The override buffer: an override must be shorter than this to be used.
inline constexpr int kOverrideBuffer = 772;

// Loads string `id` as a buffer of `size` bytes would hold it (at most size - 1 characters).
// Returns the length found, 0 when there is no text.
int load_string(const AppState& app, unsigned id, std::string& out, int size);
// The whole text of string `id` (up to 1023 characters).
std::string load_string(const AppState& app, unsigned id);

}  // namespace sx::settings
