// Sorting 4096 Startup Programs rows by Company and by First Detected in a real list view, against
// sorting the same 4096 precomputed key texts. Run it under Wine (tools/bench/run.sh); the time to
// the first page listed is bench_fill's.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "ui/sorting.h"
#include "ui/win32/list_view.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRows = 4096;

double ms_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Rows {
    std::vector<sx::ui::RowKeys> keys;
    int column = 0;
    sx::ui::SortFlags flags;
};

int CALLBACK compare_rows(LPARAM a, LPARAM b, LPARAM context) {
    const Rows& rows = *reinterpret_cast<const Rows*>(context);
    return sx::ui::compare_rows(sx::ui::SortList::startup, rows.keys[static_cast<size_t>(a)],
                                rows.keys[static_cast<size_t>(b)], rows.column, rows.flags, sx::ui::system_compare);
}

int CALLBACK compare_texts(LPARAM a, LPARAM b, LPARAM context) {
    const Rows& rows = *reinterpret_cast<const Rows*>(context);
    const size_t c = static_cast<size_t>(rows.column);
    return sx::ui::system_compare(rows.keys[static_cast<size_t>(a)].text[c], rows.keys[static_cast<size_t>(b)].text[c]);
}

// Rows as a busy machine lists them: a few dozen vendors, dates over years (some unknown), and one
// row in twenty switched off.
Rows make_rows() {
    static const char* const kVendors[] = {"Northwind Traders", "Contoso Ltd.", "Fabrikam, Inc.", "Litware",
                                          "Tailspin Toys", "Proseware, Inc.", "Wingtip Toys", "Adventure Works",
                                          "Woodgrove Bank", "Alpine Ski House", "Coho Winery", "Fourth Coffee",
                                          "", "Graphic Design Institute", "Humongous Insurance", "Lucerne Publishing"};
    std::mt19937 random(4096);
    Rows rows;
    rows.keys.resize(kRows);
    for (int i = 0; i < kRows; ++i) {
        sx::ui::RowKeys& k = rows.keys[static_cast<size_t>(i)];
        char title[32], date[32];
        std::snprintf(title, sizeof(title), "Entry %04d", static_cast<int>(random() % 10000));
        const int month = 1 + static_cast<int>(random() % 12), day = 1 + static_cast<int>(random() % 28);
        const int year = 2005 + static_cast<int>(random() % 20), hour = 1 + static_cast<int>(random() % 12);
        std::snprintf(date, sizeof(date), "%02d/%02d/%04d %d:%02d %s", month, day, year, hour,
                      static_cast<int>(random() % 60), random() % 2 ? "AM" : "PM");
        k.text[0] = title;
        k.text[1] = std::string(title) + ".exe";
        k.text[2] = kVendors[random() % std::size(kVendors)];
        k.text[3] = "11";
        k.text[4] = random() % 10 == 0 ? std::string(" ") : sx::ui::date_key(date);
        k.disabled = random() % 20 == 0;
    }
    return rows;
}

HWND make_list() {
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 600, 400, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 100;
    column.pszText = const_cast<char*>("Title");
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    SendMessageA(list, LVM_SETITEMCOUNT, kRows, 0);
    for (int i = 0; i < kRows; ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = i;
        item.pszText = const_cast<char*>("row");
        item.lParam = i;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    return list;
}

double sort_ms(HWND list, PFNLVCOMPARE compare, Rows& rows) {
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        // Start each round from the same order.
        SendMessageA(list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&rows),
                     reinterpret_cast<LPARAM>(+[](LPARAM a, LPARAM b, LPARAM) -> int {
                         return static_cast<int>(a - b);
                     }));
        const auto start = Clock::now();
        SendMessageA(list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&rows), reinterpret_cast<LPARAM>(compare));
        best = std::min(best, ms_since(start));
    }
    return best;
}

void sorting() {
    InitCommonControls();
    Rows rows = make_rows();
    HWND list = make_list();
    std::printf("Sorting %d Startup Programs rows in a list view (best of 5)\n", kRows);
    std::printf("%16s %12s %14s %8s\n", "column", "rows ms", "key texts ms", "ratio");
    for (const auto& [name, column] : {std::pair{"Company", 2}, std::pair{"First Detected", 4}}) {
        rows.column = column;
        const double by_rows = sort_ms(list, compare_rows, rows);
        const double by_texts = sort_ms(list, compare_texts, rows);
        std::printf("%16s %12.2f %14.2f %8.2f\n", name, by_rows, by_texts, by_rows / by_texts);
    }
    DestroyWindow(list);
}

}  // namespace

int main() {
    sorting();
    return 0;
}
