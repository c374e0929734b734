// The program's string table as data, generated from res/strings.rc, for code and tests that cannot
// load string resources (the native build) and to check the resources against it.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace sx::res {

struct StringEntry {
    unsigned id;
    std::string_view text;
};

// All entries, sorted by id.
std::span<const StringEntry> string_table();
std::optional<std::string_view> find_string(unsigned id);

}  // namespace sx::res
