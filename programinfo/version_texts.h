// The five texts of a program file's version resource that the lists, the information window and the
// reports show.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "common/versions.h"
#include "platform/platform.h"

namespace sx {
struct AppState;
}

namespace sx::programinfo {

using AnsiConverter = std::function<std::string(std::u16string_view)>;

// The pure core of ReadVersionTexts, on the raw resource bytes. For each translation in table order,
// the five names are queried in order:
// - a translation without ProductName ends there and changes nothing;
// - a name the translation has replaces that slot (a text over kVersionTextMax characters replaces
//   it with empty text);
// - a name the translation lacks leaves the slot as earlier translations set it.
// So the last translation that has a name decides that name's text. Finally a ProductName containing
// "Operating System" (any case) becomes the FileDescription. `out` starts empty.
// True when ProductName is not empty.
bool version_texts_from_block(std::string_view block, const AnsiConverter& to_ansi, VersionTexts& out);

// The version texts of `file`; all empty when it has no readable resource.
bool ReadVersionTexts(platform::Platform& os, std::string_view file, VersionTexts& out);

// The version texts of `file` from the process's cache, read on first use.
const VersionTexts& cached_version_texts(AppState& app, std::string_view file);

}  // namespace sx::programinfo
