// Sorting the lists by a column. Each row's keys are built once, when the list is filled; a
// comparison then only compares texts, in the order the list view's sort callback asks for.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace sx::ui {

enum class SortList { startup, active_tasks, history, services, scheduled_tasks, ie_helpers, activex, hidden_files };

inline constexpr int kSortColumns = 6;

// Case-insensitive text comparison of the system (lstrcmpiA order), negative/zero/positive.
using TextCompare = int (*)(std::string_view, std::string_view);

// One direction flag per column index, shared by every list for the run: false ascending.
struct SortFlags {
    std::array<bool, kSortColumns> descending{};
    // A page clears the flags of its own columns when it is initialised.
    void clear(int columns);
};

struct RowKeys {
    std::array<std::string, kSortColumns> text;
    // Startup Programs: a disabled entry's keys sort after every enabled one in both directions.
    bool disabled = false;
    long long number = 0;  // the numeric column (Hidden Files, column 4)
};

// The key of a first-detected or file time "MM/DD/YYYY h:mm ..." as "YYYYMMDDhhmm"; a text of 11
// characters or fewer gives a single blank, which sorts before every date.
std::string date_key(std::string_view time_text);

// Columns a header click may sort by: 0-4, or 0-5 for ActiveX and Services.
int clickable_columns(SortList list);
int compare_rows(SortList list, const RowKeys& a, const RowKeys& b, int column, const SortFlags& flags,
                 TextCompare compare);

// ASCII case-insensitive comparison, for tests and for systems without a locale order.
int compare_ascii_nocase(std::string_view a, std::string_view b);

}  // namespace sx::ui
