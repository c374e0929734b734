// A long list fills while the window keeps answering: rows come in as their files are read, and
// another page can be chosen or the program closed before the fill is over.
#include "tests/e2e/e2e_support.h"

#include <prsht.h>

#include <algorithm>

#include "tools/demo/demo_system.h"

namespace sx::e2e::test {
namespace {

constexpr int kEntries = 1500;
constexpr int kPageClose = 1004;
// Far above what the program takes between two messages (the benchmark measures that); a window
// that stopped answering for the whole fill would exceed it.
constexpr DWORD kAnswerBound = 1000;

class LongFill : public EndToEnd {
protected:
    void SetUp() override {
        EndToEnd::SetUp();
        ASSERT_TRUE(demo::seed_bulk(kEntries, {}, {}, demo::Hive::machine).ok);
    }
};

bool filling(HWND page) { return GetPropA(page, kFillingProperty) != nullptr; }

TEST_F(LongFill, TheWindowAnswersAndCanBeLeftOrClosedMidFill) {
    Session s = open("-START", true, false);
    HWND page = active_page(s.sheet);
    HWND list = GetDlgItem(page, kListId);
    DWORD longest = 0;
    int rows_seen_filling = 0;
    ASSERT_TRUE(wait_until([&] {
        const ULONGLONG sent = GetTickCount64();
        if (!send(s.sheet, WM_NULL)) return true;  // no answer within the send time-out: reported below
        longest = std::max(longest, static_cast<DWORD>(GetTickCount64() - sent));
        const int rows = item_count(list);
        if (filling(page)) rows_seen_filling = std::max(rows_seen_filling, rows);
        return !filling(page);
    }, 120000)) << "the fill did not end";
    EXPECT_LT(longest, kAnswerBound) << "the window left a message unanswered that long";
    EXPECT_GT(rows_seen_filling, 0) << "no rows came in before the fill ended";
    EXPECT_GE(item_count(list), kEntries);
    quit(s);

    // Another page mid-fill: it opens and fills; Close mid-fill ends the program cleanly.
    Session t = open("-START", true, false);
    page = active_page(t.sheet);
    ASSERT_TRUE(wait_until([&] { return item_count(GetDlgItem(page, kListId)) > 0 || !filling(page); }));
    ASSERT_TRUE(filling(page)) << "the fill ended before another page could be chosen";
    HWND tasks = select_tab(t.sheet, kActiveTasksTab);
    ASSERT_NE(tasks, nullptr);
    EXPECT_GT(item_count(GetDlgItem(tasks, kListId)), 0);
    ASSERT_TRUE(send(t.sheet, PSM_SETCURSEL, kStartupTab, 0));  // back, without waiting for its fill
    page = active_page(t.sheet);
    ASSERT_TRUE(page && filling(page));
    ASSERT_TRUE(post_button(page, kPageClose));
    expect_clean_exit(t.process);
}

}  // namespace
}  // namespace sx::e2e::test
