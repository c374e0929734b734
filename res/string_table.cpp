#include "res/string_table.h"

#include <algorithm>
#include <array>

#include "res/resource_ids.h"

namespace sx::res {
namespace {

constexpr StringEntry kUnsorted[] = {
#include "strings_table.inc"
};

constexpr auto sorted_table() {
    std::array<StringEntry, std::size(kUnsorted)> table{};
    std::copy(std::begin(kUnsorted), std::end(kUnsorted), table.begin());
    std::sort(table.begin(), table.end(), [](const StringEntry& a, const StringEntry& b) { return a.id < b.id; });
    return table;
}

constexpr auto kTable = sorted_table();

constexpr bool ids_unique() {
    for (size_t i = 1; i < kTable.size(); ++i) {
        if (kTable[i - 1].id == kTable[i].id) return false;
    }
    return true;
}
static_assert(ids_unique(), "res/strings.rc holds a string id twice");

}  // namespace

std::span<const StringEntry> string_table() { return kTable; }

std::optional<std::string_view> find_string(unsigned id) {
    auto it = std::lower_bound(kTable.begin(), kTable.end(), id,
                               [](const StringEntry& e, unsigned v) { return e.id < v; });
    if (it == kTable.end() || it->id != id) return std::nullopt;
    return it->text;
}

}  // namespace sx::res
