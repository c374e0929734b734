#include "ui/sorting.h"

#include <algorithm>

#include "common/text.h"

namespace sx::ui {

namespace {

constexpr size_t kKeyMax = 511;

bool has_key(SortList list, int column) {
    switch (list) {
        case SortList::history: return false;
        case SortList::startup:
        case SortList::ie_helpers:
        case SortList::scheduled_tasks:
        case SortList::hidden_files: return column <= 4;
        case SortList::active_tasks: return column <= 3;
        case SortList::services:
        case SortList::activex: return column <= 5;
    }
    return false;
}

}  // namespace

void SortFlags::clear(int columns) {
    for (int i = 0; i < columns && i < kSortColumns; ++i) descending[static_cast<size_t>(i)] = false;
}

std::string date_key(std::string_view t) {
    if (t.size() <= 11) return " ";
    auto part = [&](size_t from, size_t count) -> std::string_view {
        if (from >= t.size()) return {};
        return t.substr(from, std::min(count, t.size() - from));
    };
    std::string key;
    key += part(6, 4);
    key += part(0, 2);
    key += part(3, 2);
    size_t colon = t.find(':', 11);
    std::string_view hour = colon == std::string_view::npos ? part(11, 2) : t.substr(11, colon - 11);
    if (hour.size() == 1) key += '0';
    key += hour.substr(0, 2);
    if (colon != std::string_view::npos) key += part(colon + 1, 2);
    return key;
}

int clickable_columns(SortList list) {
    return (list == SortList::activex || list == SortList::services) ? 6 : 5;
}

int compare_rows(SortList list, const RowKeys& a, const RowKeys& b, int column, const SortFlags& flags,
                 TextCompare compare) {
    if (column < 0 || column >= kSortColumns || !has_key(list, column)) return 0;
    const bool descending = flags.descending[static_cast<size_t>(column)];
    if (list == SortList::hidden_files && column == 4) {
        const long long d = descending ? b.number - a.number : a.number - b.number;
        return d < 0 ? -1 : (d > 0 ? 1 : 0);
    }
    std::string_view ka(a.text[static_cast<size_t>(column)]);
    std::string_view kb(b.text[static_cast<size_t>(column)]);
    ka = ka.substr(0, std::min(ka.size(), kKeyMax));
    kb = kb.substr(0, std::min(kb.size(), kKeyMax));
    if (list == SortList::startup) {
        // The disabled mark: "zzz" before the key while ascending, "aaa" while descending.
        std::string ma, mb;
        if (column <= 3 && (a.disabled || b.disabled)) {
            const char* mark = descending ? "aaa" : "zzz";
            if (a.disabled) ka = ma = mark + std::string(ka);
            if (b.disabled) kb = mb = mark + std::string(kb);
        }
        // A key that begins another compares equal to it.
        const size_t n = std::min(ka.size(), kb.size());
        ka = ka.substr(0, n);
        kb = kb.substr(0, n);
        return descending ? compare(kb, ka) : compare(ka, kb);
    }
    return descending ? compare(kb, ka) : compare(ka, kb);
}

int compare_ascii_nocase(std::string_view a, std::string_view b) { return icompare(a, b); }

}  // namespace sx::ui
