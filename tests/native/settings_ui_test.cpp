// The settings store on the fake registry (buffer limits, value types, options, trees, the reset of
// "-Restore", the string loader and its overrides), window placement, the generated string table, the
// command line, and the layout and sorting arithmetic of the sheet.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/command_line.h"
#include "common/registry_snapshot.h"
#include "common/state.h"
#include "common/text.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "settings/placement.h"
#include "settings/store.h"
#include "settings/strings.h"
#include "tests/support/fake_platform.h"
#include "ui/layout.h"
#include "ui/sorting.h"

namespace sx {
namespace {

using platform::Root;
using namespace settings;

// Texts and their buffers, words, options, trees, the string loader and window positions are checked on
// Wine's registry (tests/win32/settings_win32_test.cpp); these are the edges only the fake registry reaches.
class Settings : public ::testing::Test {
protected:
    fake::FakePlatform fake;
    AppState app{fake.os};
    static constexpr std::string_view kKey = "Software\\Test";
};

TEST_F(Settings, ValuesThatDoNotFitTheirBufferReadAsEmpty) {
    fake.registry.put_text(Root::current_user, kKey, "v31", std::string(31, 'a'));
    fake.registry.put_text(Root::current_user, kKey, "v1023", std::string(1023, 'c'));  // the store's own buffer
    fake.registry.put_text(Root::current_user, kKey, "v1024", std::string(1024, 'd'));
    fake.registry.set(Root::current_user, kKey, "bin", platform::reg_type::binary, std::string("hi\0there", 8));
    fake.system.environment["huge"] = std::string(1100, 'h');
    fake.registry.put_text(Root::current_user, kKey, "big", "%HUGE%", platform::reg_type::expand_sz);
    for (auto [name, size, text] : {std::tuple{"v31", 32, std::string(31, 'a')}, {"v31", 31, ""}, {"bin", 64, "hi"},
                                    {"v1023", 2000, std::string(1023, 'c')}, {"v1024", 2000, ""}, {"big", 4096, ""}}) {
        EXPECT_EQ(read_text(fake.os, Root::current_user, kKey, name, size), text) << name;
        // A list fill reads the whole key at once, by the same rules, names in any case.
        EXPECT_EQ(KeyTexts(fake.os, Root::current_user, kKey, size).text(upper(name)), text) << name;
    }
    // Options parse like atoi, clamped to an int.
    fake.registry.put_text(Root::current_user, kOptionsKey, "Huge", "99999999999");
    fake.registry.put_text(Root::current_user, kOptionsKey, "Empty", "");
    EXPECT_EQ(read_option(fake.os, "Huge", 7), 2147483647);
    EXPECT_EQ(read_option(fake.os, "Empty", 7), 7);
}

// Keys read ahead for a fill answer from memory until they are listed or written through.
TEST_F(Settings, KeysReadAheadAnswerUntilListedOrWritten) {
    constexpr std::string_view kA = "Software\\A", kB = "Software\\A\\B", kC = "Software\\C";
    for (std::string_view key : {kA, kB, kC}) fake.registry.put_text(Root::local_machine, key, "v", "then");
    SnapshotRegistry snapshots(fake.registry);
    snapshots.hold(SnapshotRegistry::read(fake.registry, {{Root::local_machine, std::string(kA)},
                                                          {Root::local_machine, std::string(kB)},
                                                          {Root::local_machine, std::string(kC)},
                                                          {Root::local_machine, "Software\\Missing"}}));
    for (std::string_view key : {kA, kB, kC}) fake.registry.put_text(Root::local_machine, key, "v", "now");
    auto text = [&](std::string_view key) {
        platform::RegValue v;
        return snapshots.query(Root::local_machine, key, "V", v) == platform::RegStatus::ok ? std::string(until_zero(v.data)) : std::string("-");
    };
    EXPECT_EQ(text("software\\a"), "then");
    EXPECT_EQ(snapshots.open(Root::local_machine, "Software\\Missing"), platform::RegStatus::not_found);
    std::vector<platform::RegValue> values;
    ASSERT_EQ(snapshots.values(Root::local_machine, kA, values), platform::RegStatus::ok);
    EXPECT_EQ(values.size(), 1u);
    EXPECT_EQ(text(kA), "now") << "listed once, a key is read from the registry again";
    EXPECT_EQ(snapshots.set(Root::local_machine, kC, "w", platform::reg_type::sz, std::string("x\0", 2)),
              platform::RegStatus::ok);
    EXPECT_EQ(text(kC), "now") << "a key written through is read from the registry again";
    EXPECT_EQ(text(kB), "then");
    EXPECT_EQ(snapshots.remove_key(Root::local_machine, kA), platform::RegStatus::access_denied);
    EXPECT_EQ(text(kB), "now") << "removing a key forgets the keys below it";
    snapshots.release();
}

TEST_F(Settings, WritesAndTreesStopWhereTheRegistryRefuses) {
    fake.registry.put_text(Root::current_user, "Software\\T\\keep\\inner", "v", "1");
    fake.registry.faults.fail_when([](std::string_view op, std::string_view subject) {
        return op == "registry.create_key" ||
               (op == "registry.remove_key" && subject.find("inner") != std::string_view::npos);
    });
    EXPECT_FALSE(delete_tree(fake.os, Root::current_user, "Software\\T"));
    EXPECT_TRUE(fake.registry.has_value(Root::current_user, "Software\\T\\keep\\inner", "v"));
    EXPECT_FALSE(write_text(fake.os, Root::current_user, "Software\\Refused", "t", "v"));
}

TEST_F(Settings, ResetDeletesOverridesAndPositionsOnly) {
    const std::tuple<Root, const char*, bool> values[] = {
        {Root::local_machine, "LString0", false}, {Root::local_machine, "LString1165", false},
        {Root::local_machine, "LString1166", true}, {Root::current_user, "xPos", false},
        {Root::current_user, "dyPosAddFileType", false}, {Root::current_user, "wwwPrefix", true}};
    for (auto [root, name, kept] : values) fake.registry.put_text(root, kSentrixKey, name, "x");
    reset_own_values(fake.os);
    for (auto [root, name, kept] : values) EXPECT_EQ(fake.registry.has_value(root, kSentrixKey, name), kept) << name;
}

TEST_F(Settings, TheStringLoaderCutsBeforeItReplacesLineBreaksAndIgnoresLongOverrides) {
    std::string out;
    app.language_id = 7;
    fake.registry.put_text(Root::local_machine, kSentrixKey, "LString833", "Lade%ngleich");
    EXPECT_EQ(load_string(app, IDS_LOADING, out, 64), 12);  // the length before "%n" became one character
    EXPECT_EQ(out, "Lade\ngleich");
    fake.registry.put_text(Root::local_machine, kSentrixKey, "LString833", "Lade%n");
    EXPECT_EQ(load_string(app, IDS_LOADING, out, 5), 5);
    EXPECT_EQ(out, "Lade");
    EXPECT_EQ(load_string(app, IDS_LOADING, out, -3), 0);
    // Overrides of 772 characters and more are ignored.
    for (auto [length, text] : {std::pair{772, std::string("Loading...")}, {771, std::string(771, 'o')}}) {
        fake.registry.put_text(Root::local_machine, kSentrixKey, "LString833", std::string(length, 'o'));
        EXPECT_EQ(load_string(app, IDS_LOADING), text) << length;
    }
}

TEST(Placement, AStoredCornerIsKeptOnTheScreen) {
    const ScreenMetrics screen{1024, 768, 0, 0, 1024, 768};
    EXPECT_FALSE(sheet_placement({"10", "", "", ""}, screen));
    const auto p = sheet_placement({"-500", "20", "800", "99999"}, screen);
    ASSERT_TRUE(p);
    EXPECT_EQ(std::tie(p->x, p->y, p->width, p->height), std::make_tuple(0, 20, 800, 0));
    for (auto [left, top, x, y] : {std::tuple{"", "", 312, 156}, {"5000", "-7", 512, 0}, {"30", "40", 30, 40}}) {
        const Placement c = corner_placement({left, top, "", ""}, screen, 400, 300);
        EXPECT_EQ(std::tie(c.x, c.y), std::tie(x, y)) << left;
    }
}

// ---- The string table as the build generates it from res/strings.rc ----
// Under Wine every string is compared with the compiled resource (tests/win32/resources_test.cpp).

TEST(StringTable, IsSortedWithUniqueIdsNoEmptyTextAndNoStrayEscape) {
    const auto table = res::string_table();
    ASSERT_GT(table.size(), 150u);
    for (size_t i = 0; i < table.size(); ++i) {
        const std::string_view t = table[i].text;
        SCOPED_TRACE(table[i].id);
        ASSERT_FALSE(t.empty());
        if (i > 0) EXPECT_LT(table[i - 1].id, table[i].id);
        EXPECT_EQ(res::find_string(table[i].id), t);
        // A quote written \" or an escape the generator does not translate would reach the program as a
        // backslash followed by a letter or a quote.
        for (size_t at = t.find('\\'); at != std::string_view::npos && at + 1 < t.size(); at = t.find('\\', at + 1)) {
            EXPECT_EQ(std::string_view("\"ntr\\").find(t[at + 1]), std::string_view::npos) << t;
        }
        EXPECT_NE(t.front(), '"');
        EXPECT_NE(t.back(), '\\');
    }
    EXPECT_FALSE(res::find_string(0).has_value());
    EXPECT_FALSE(res::find_string(65535).has_value());
    // The automatic-update texts are found by adding the option's value to 1050.
    EXPECT_FALSE(res::find_string(1050).has_value());
    EXPECT_EQ(res::find_string(1050 + 1), "Turn off Automatic Updates.");
}

// ---- The command line ----

TEST(CommandLine, PageMaintenanceAndQuitOptions) {
    // The start tab, the task beating the service, options in any case, quitting and the maintenance options
    // are checked end to end under Wine (tests/e2e/command_line_test.cpp). The last matching option of the
    // list wins ("-COOKIE" is tested before "-NUT"); a maintenance option keeps the start tab; command lines
    // too long to look into match nothing.
    const std::tuple<std::string, int, app::Maintenance, bool> cases[] = {  // line, page, maintenance, quit
        {"-unknown", CMD_STARTUP, app::Maintenance::none, false},
        {"-RESTART", CMD_OPTIONS, app::Maintenance::none, false},
        {"-filetype", CMD_FILE_TYPES, app::Maintenance::none, false},
        {"-EXIT", CMD_EXIT, app::Maintenance::none, false},
        {"-nutcookie", CMD_COOKIES, app::Maintenance::none, false},
        {"-task -restore", CMD_STARTUP, app::Maintenance::restore, false},
        {"x-setprefixy", CMD_STARTUP, app::Maintenance::set_prefix, false},
        {"-Q", CMD_STARTUP, app::Maintenance::none, true},
        {std::string(756, ' ') + "-task -q -restore", CMD_STARTUP, app::Maintenance::none, false},  // 773 characters
        {std::string(767, ' ') + "-task", CMD_ACTIVE_TASKS, app::Maintenance::none, false},
    };
    for (const auto& [line, page, maintenance, quit] : cases) {
        const app::CommandLine parsed = app::parse_command_line(line, CMD_STARTUP);
        EXPECT_EQ(std::tie(parsed.page_command, parsed.maintenance, parsed.quit), std::tie(page, maintenance, quit)) << line;
    }
    EXPECT_FALSE(matches("", ""));
    EXPECT_TRUE(matches("x", ""));
    EXPECT_FALSE(matches("ab", "abc"));
}

// ---- Layout and sorting ----

TEST(Layout, ColumnsSheetAndPage) {
    std::vector<int> widths;
    for (int c = -1; c < 6; ++c) widths.push_back(ui::column_width(CMD_STARTUP, c, 600, 17));
    EXPECT_EQ(widths, (std::vector<int>{0, 204, 145, 128, 87, 5, 0}));
    // Lists without the scroll-bar allowance divide the whole width.
    EXPECT_EQ(ui::column_width(CMD_SCHEDULED_TASKS, 0, 600, 17), 168);
    EXPECT_EQ(ui::column_width(CMD_ACTIVE_TASKS, 1, 600, 17), 244);
    EXPECT_EQ(ui::column_width(12345, 0, 600, 17), 0);
    const ui::SheetLayout s = ui::sheet_layout(700, 500, true);
    EXPECT_EQ(std::tie(s.tab_width, s.tab_height, s.close_x, s.close_y, s.page_height),
              std::make_tuple(680, 433, 608, 434, 398));
    EXPECT_EQ(ui::sheet_layout(700, 500, false).page_height, 388);

    ui::PageMeasures m{.sheet_width = 700, .sheet_height = 500, .margin_left = 11, .margin_top = 72, .margin_right = 21,
                       .margin_bottom = 146, .row_left = 11, .row_bottom = 57, .help_width = 24, .help_label_width = 30,
                       .button_width = 75, .button_height = 23, .buttons = 4};
    ui::PageLayout p = ui::page_layout(m);
    EXPECT_EQ(p.list, (ui::Rect{11, 77, 700 - 31 - 20, 500 - 219 + 5}));
    EXPECT_EQ(std::tie(p.help.x, p.help_label.x), std::make_tuple(700 - 72, 700 - 52));
    ASSERT_EQ(p.buttons.size(), 4u);
    // The buttons spread across the list; the last is narrower.
    const int step = 75 + (649 - 300) / 3;
    EXPECT_EQ(std::tie(p.buttons[1].x, p.buttons[3].x, p.buttons[3].width),
              std::make_tuple(11 + step, 11 + 3 * step + 25, 50));
    EXPECT_FALSE(p.move_alternate[3]);
    EXPECT_EQ(p.buttons[0].y, 500 - 156 + 11 + 14);
    m.buttons = 1;
    EXPECT_EQ(ui::page_layout(m).buttons.at(0).x, 350 - 37);
}

ui::RowKeys row(std::string text, int column = 0, long long number = 0) {
    ui::RowKeys k;
    k.text[static_cast<size_t>(column)] = std::move(text);
    k.number = number;
    return k;
}

TEST(Sorting, Comparisons) {
    using ui::SortList;
    // Disabled entries, keys cut to the shorter one and dates are sorted end to end under Wine
    // (tests/e2e/sorting_test.cpp). Startup keys that begin another compare equal; numbers compare as texts;
    // columns without keys, and the history, compare equal; the hidden files' column 4 is numeric.
    ui::SortFlags down;
    down.descending[4] = true;
    const struct {
        SortList list;
        ui::RowKeys a, b;
        int column, sign;
        ui::SortFlags flags;
    } cases[] = {
        {SortList::startup, row("Update"), row("Updater"), 0, 0, {}},
        {SortList::active_tasks, row("Update"), row("Updater"), 0, -1, {}},
        {SortList::startup, row("10", 3), row("9", 3), 3, -1, {}},
        {SortList::history, row("a"), row("b"), 0, 0, {}},
        {SortList::startup, row("a"), row("b"), 5, 0, {}},
        {SortList::active_tasks, row("a"), row("b"), 4, 0, {}},
        {SortList::hidden_files, row("", 0, 5), row("", 0, 40), 4, -1, {}},
        {SortList::hidden_files, row("", 0, 5), row("", 0, 40), 4, 1, down},
    };
    for (const auto& c : cases) {
        const int result = ui::compare_rows(c.list, c.a, c.b, c.column, c.flags, ui::compare_ascii_nocase);
        EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.a.text[0] << c.a.text[3] << " " << c.column;
    }
    // A page clears the flags of its own columns.
    ui::SortFlags flags;
    flags.descending.fill(true);
    flags.clear(4);
    EXPECT_FALSE(flags.descending[3]);
    EXPECT_TRUE(flags.descending[4]);
    EXPECT_EQ(ui::date_key("03/07/2009 10:05 PM"), "200903071005");
    EXPECT_EQ(ui::date_key("03/07/2009 1"), "2009030701");  // cut texts give what they have
}

}  // namespace
}  // namespace sx
