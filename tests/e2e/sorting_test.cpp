// Sorting the Startup Programs list by a click on a column header: the first click sorts ascending,
// the second descending, in the order the list's comparison defines. The order read back is checked
// pair by pair with that comparison, computed here from the rows' own texts.
#include <algorithm>
#include <string>
#include <vector>

#include "demo_expectations.h"
#include "e2e_support.h"

namespace sx::e2e::test {
namespace {

constexpr std::size_t kKeyMax = 511;
constexpr char kRunDllPrefix[] = "RunDLL32.exe ";
constexpr char kAscendingMark[] = "zzz";   // disabled entries after the others while ascending
constexpr char kDescendingMark[] = "aaa";  // and while descending
constexpr int kLastMarkedColumn = 3;       // the date column carries no disabled mark
constexpr std::size_t kShortDate = 11;     // a date text this short has no key

// "MM/DD/YYYY h:mm ..." as "YYYYMMDDhhmm": year at 6-9, month at 0-1, day at 3-4, then the hour of
// one or two digits from position 11 up to the colon (two digits, a "0" before a single one) and
// the two minute digits after it.
std::string date_key(const std::string& text) {
    if (text.size() <= kShortDate) return " ";
    auto part = [&](std::size_t from, std::size_t count) {
        return from < text.size() ? text.substr(from, count) : std::string();
    };
    std::string key = part(6, 4) + part(0, 2) + part(3, 2);
    const std::size_t colon = text.find(':', kShortDate);
    const std::string hour = colon == std::string::npos ? part(kShortDate, 2) : text.substr(kShortDate, colon - kShortDate);
    if (hour.size() == 1) key += '0';
    key += hour.substr(0, 2);
    if (colon != std::string::npos) key += part(colon + 1, 2);
    return key;
}

bool is_disabled(const Row& row) { return row[kType] == kDisabledText; }

// The entry's type code: from the Type text, or for a disabled row from its marker, which the
// demo system's table knows by title.
int type_code(const Row& row) {
    if (!is_disabled(row)) return type_code_of(row[kType]);
    for (const ExpectedRow& expected : expected_startup_rows(true)) {
        if (expected.title == row[kTitle] && expected.type == kDisabledText) return expected.type_code;
    }
    return -1;
}

std::string sort_key(const Row& row, int column) {
    switch (column) {
        case kTitle: return row[kTitle];
        case kCommand: {
            const std::string& shown = row[kCommand];
            const std::string prefix = kRunDllPrefix;
            return shown.rfind(prefix, 0) == 0 ? shown.substr(prefix.size()) : shown;
        }
        case kCompany: return row[kCompany];
        case kType: return std::to_string(type_code(row));
        case kDetected: return date_key(row[kDetected]);
        default: return {};
    }
}

// The Startup list's comparison: disabled mark, keys cut to the shorter one, the system's
// case-insensitive order, arguments swapped while descending.
int compare(const Row& a, const Row& b, int column, bool descending) {
    std::string ka = sort_key(a, column).substr(0, kKeyMax);
    std::string kb = sort_key(b, column).substr(0, kKeyMax);
    if (column <= kLastMarkedColumn) {
        const char* mark = descending ? kDescendingMark : kAscendingMark;
        if (is_disabled(a)) ka = mark + ka;
        if (is_disabled(b)) kb = mark + kb;
    }
    const std::size_t n = std::min(ka.size(), kb.size());
    ka.resize(n);
    kb.resize(n);
    return descending ? lstrcmpiA(kb.c_str(), ka.c_str()) : lstrcmpiA(ka.c_str(), kb.c_str());
}

// Every neighbour pair in order; the message names the first pair that is not.
::testing::AssertionResult in_order(const std::vector<Row>& rows, int column, bool descending) {
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
        if (compare(rows[i], rows[i + 1], column, descending) > 0) {
            return ::testing::AssertionFailure()
                   << "rows " << i << " and " << i + 1 << " are out of " << (descending ? "descending" : "ascending")
                   << " order by column " << column << ": keys \"" << sort_key(rows[i], column) << "\" and \""
                   << sort_key(rows[i + 1], column) << "\"\n" << describe(rows);
        }
    }
    return ::testing::AssertionSuccess();
}

std::vector<Row> sorted_copy(std::vector<Row> rows) {
    std::sort(rows.begin(), rows.end());
    return rows;
}

class Sorting : public EndToEnd, public ::testing::WithParamInterface<int> {};

TEST_P(Sorting, FirstClickSortsAscendingSecondDescending) {
    const int column = GetParam();
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    HWND list = list_of(s.sheet);
    const std::vector<Row> listed = read_rows(list);
    ASSERT_GT(listed.size(), 40u);

    ASSERT_TRUE(click_header(list, column));
    const std::vector<Row> ascending = read_rows(list);
    EXPECT_EQ(sorted_copy(ascending), sorted_copy(listed)) << "sorting must only reorder the rows";
    EXPECT_TRUE(in_order(ascending, column, false));

    ASSERT_TRUE(click_header(list, column));
    const std::vector<Row> descending = read_rows(list);
    EXPECT_EQ(sorted_copy(descending), sorted_copy(listed));
    EXPECT_TRUE(in_order(descending, column, true));
    EXPECT_FALSE(in_order(descending, column, false)) << "the second click must turn the order round";

    // A third click sorts ascending again.
    ASSERT_TRUE(click_header(list, column));
    const std::vector<Row> again = read_rows(list);
    EXPECT_TRUE(in_order(again, column, false));
    quit(s);
}

std::string column_name(const ::testing::TestParamInfo<int>& info) {
    static const char* const kNames[] = {"Title", "Command", "Company", "Type", "FirstDetected"};
    return kNames[info.param];
}

INSTANTIATE_TEST_SUITE_P(StartupColumns, Sorting, ::testing::Values(kTitle, kCommand, kCompany, kType, kDetected),
                         column_name);

class StartupSorting : public EndToEnd {};

TEST_F(StartupSorting, ByTitlePutsDisabledEntriesLastInBothDirections) {
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    HWND list = list_of(s.sheet);
    for (bool descending : {false, true}) {
        ASSERT_TRUE(click_header(list, kTitle));
        const std::vector<Row> rows = read_rows(list);
        const auto first_disabled = std::find_if(rows.begin(), rows.end(), is_disabled);
        ASSERT_NE(first_disabled, rows.end());
        EXPECT_TRUE(std::all_of(first_disabled, rows.end(), is_disabled))
            << (descending ? "descending" : "ascending") << ":\n" << describe(rows);
        EXPECT_EQ(rows.end() - first_disabled, 3);
    }
    quit(s);
}

// The date column compares the rewritten date: 2008 before 2009 before 2010, and 9:05 before 9:06
// on the same day; an empty date (a single blank key) first.
TEST_F(StartupSorting, ByFirstDetectedFollowsTheDateNotTheText) {
    Session s = open();
    ASSERT_NE(s.sheet, nullptr);
    HWND list = list_of(s.sheet);
    ASSERT_TRUE(click_header(list, kDetected));
    const std::vector<Row> rows = read_rows(list);
    auto position = [&](const std::string& title) { return find_row(rows, kTitle, title); };
    EXPECT_EQ(rows.front()[kDetected], "") << describe(rows);
    EXPECT_LT(position("ProseSpell"), position("NwUpdate")) << "06/21/2008 before 03/07/2009";
    EXPECT_LT(position("NwUpdate"), position("NwHelper")) << "9:05 AM before 9:06 AM";
    EXPECT_LT(position("NwHelper"), position("ShellServices")) << "03/07/2009 before 09/09/2009";
    EXPECT_LT(position("ShellServices"), position("ContosoFirstRun")) << "2009 before 11/12/2010";
    quit(s);
}

}  // namespace
}  // namespace sx::e2e::test
