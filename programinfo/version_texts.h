// The five texts of a program file's version resource that the lists, the information window and the
// reports show.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace sx::programinfo {

// A version text longer than this counts as empty.
inline constexpr size_t kVersionTextMax = 127;

struct VersionTexts {
    std::string ProductName;
    std::string ProductVersion;
    std::string CompanyName;
    std::string FileDescription;
    std::string LegalCopyright;

    static constexpr size_t kCount = 5;
    // The resource names, in slot order.
    static constexpr std::array<std::string_view, kCount> kNames = {
        "ProductName", "ProductVersion", "CompanyName", "FileDescription", "LegalCopyright"};
    // Slot i of the five, in kNames order; i is taken modulo kCount.
    std::string& slot(size_t i);
    const std::string& slot(size_t i) const;

    bool operator==(const VersionTexts&) const = default;
};

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

}  // namespace sx::programinfo
