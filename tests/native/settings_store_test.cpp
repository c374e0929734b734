// The settings store on the in-memory registry: buffer limits, value types, option parsing, the
// string loader with overrides, tree deletion and the reset of "-Restore".
#include <gtest/gtest.h>

#include "common/state.h"
#include "res/resource_ids.h"
#include "settings/placement.h"
#include "settings/store.h"
#include "settings/strings.h"
#include "tests/support/fake_platform.h"

namespace sx::settings {
namespace {

using platform::Root;

class SettingsStore : public ::testing::Test {
protected:
    fake::FakePlatform fake;
    AppState app{fake.os};
    static constexpr std::string_view kKey = "Software\\Test";
};

TEST_F(SettingsStore, ReadTextHonoursTheCallersBuffer) {
    fake.registry.put_text(Root::current_user, kKey, "v31", std::string(31, 'a'));
    fake.registry.put_text(Root::current_user, kKey, "v32", std::string(32, 'b'));
    EXPECT_EQ(read_text(fake.os, Root::current_user, kKey, "v31", 32), std::string(31, 'a'));
    EXPECT_EQ(read_text(fake.os, Root::current_user, kKey, "v32", 32), "");
    EXPECT_EQ(read_text(fake.os, Root::current_user, kKey, "missing", 32), "");
    EXPECT_EQ(read_text(fake.os, Root::current_user, "Software\\Nowhere", "v31", 32), "");
}

TEST_F(SettingsStore, ReadTextOfValuesLongerThanItsOwnBufferIsEmpty) {
    fake.registry.put_text(Root::current_user, kKey, "long", std::string(1023, 'x'));  // 1024 bytes with the zero
    fake.registry.put_text(Root::current_user, kKey, "longer", std::string(1024, 'x'));
    EXPECT_EQ(read_text(fake.os, Root::current_user, kKey, "long", 2000).size(), 1023u);
    EXPECT_EQ(read_text(fake.os, Root::current_user, kKey, "longer", 2000), "");
}

TEST_F(SettingsStore, ReadTextOfOtherTypesTakesBytesUpToTheFirstZero) {
    fake.registry.put_dword(Root::current_user, kKey, "dword", 0x00434241);
    EXPECT_EQ(read_text(fake.os, Root::current_user, kKey, "dword", 64), "ABC");
    fake.registry.set(Root::current_user, kKey, "noterm", platform::reg_type::sz, "abc");
    EXPECT_EQ(read_text(fake.os, Root::current_user, kKey, "noterm", 64), "abc");
    fake.registry.set(Root::current_user, kKey, "bin", platform::reg_type::binary, std::string("hi\0there", 8));
    EXPECT_EQ(read_text(fake.os, Root::current_user, kKey, "bin", 64), "hi");
}

TEST_F(SettingsStore, ReadTextExpandsExpandableValues) {
    fake.registry.put_text(Root::current_user, kKey, "exp", "%SystemRoot%\\x.exe", platform::reg_type::expand_sz);
    EXPECT_EQ(read_text(fake.os, Root::current_user, kKey, "exp", 260), "C:\\windows\\x.exe");
    fake.system.environment["huge"] = std::string(1100, 'h');
    fake.registry.put_text(Root::current_user, kKey, "big", "%HUGE%", platform::reg_type::expand_sz);
    EXPECT_EQ(read_text(fake.os, Root::current_user, kKey, "big", 4096), "");
}

TEST_F(SettingsStore, WritesCreateTheirKey) {
    EXPECT_TRUE(write_text(fake.os, Root::current_user, "Software\\New\\Deep", "t", "value"));
    EXPECT_EQ(fake.registry.text(Root::current_user, "Software\\New\\Deep", "t"), "value");
    EXPECT_TRUE(write_dword(fake.os, Root::local_machine, "Software\\New2", "d", 70000));
    EXPECT_EQ(read_word(fake.os, Root::local_machine, "Software\\New2", "d"), 4464);
    fake.registry.faults.fail_when([](std::string_view op, std::string_view) { return op == "registry.create_key"; });
    EXPECT_FALSE(write_text(fake.os, Root::current_user, "Software\\Refused", "t", "v"));
}

TEST_F(SettingsStore, ReadWordTakesTwoSignedBytes) {
    fake.registry.put_dword(Root::current_user, kKey, "a", 200);
    fake.registry.put_dword(Root::current_user, kKey, "b", 1024);
    fake.registry.put_dword(Root::current_user, kKey, "c", 70000);
    EXPECT_EQ(read_word(fake.os, Root::current_user, kKey, "a"), -56);
    EXPECT_EQ(read_word(fake.os, Root::current_user, kKey, "b"), 1024);
    EXPECT_EQ(read_word(fake.os, Root::current_user, kKey, "c"), 4464);
    EXPECT_EQ(read_word(fake.os, Root::current_user, kKey, "missing"), 0);
    fake.registry.set(Root::current_user, kKey, "one", platform::reg_type::binary, "\x05");
    EXPECT_EQ(read_word(fake.os, Root::current_user, kKey, "one"), 5);
}

TEST_F(SettingsStore, OptionsParseLikeAtoi) {
    auto put = [&](std::string_view name, std::string_view text) {
        fake.registry.put_text(Root::current_user, kOptionsKey, name, text);
    };
    put("Spaces", "  -42xyz");
    put("Empty", "");
    put("Words", "abc");
    put("Huge", "99999999999");
    fake.registry.put_dword(Root::current_user, kOptionsKey, "Dword", 5);
    EXPECT_EQ(read_option(fake.os, "Spaces", 7), -42);
    EXPECT_EQ(read_option(fake.os, "Empty", 7), 7);
    EXPECT_EQ(read_option(fake.os, "Missing", 7), 7);
    EXPECT_EQ(read_option(fake.os, "Words", 7), 0);
    EXPECT_EQ(read_option(fake.os, "Huge", 7), 2147483647);
    // A DWORD reads as a one-character text without digits: 0, not the default.
    EXPECT_EQ(read_option(fake.os, "Dword", 7), 0);
}

TEST_F(SettingsStore, DeleteTreeRemovesEverythingBelow) {
    fake.registry.put_text(Root::current_user, "Software\\T\\a\\b\\c", "v", "1");
    fake.registry.put_text(Root::current_user, "Software\\T\\d", "v", "1");
    EXPECT_TRUE(delete_tree(fake.os, Root::current_user, "Software\\T"));
    EXPECT_FALSE(fake.registry.has_key(Root::current_user, "Software\\T"));
    EXPECT_TRUE(fake.registry.has_key(Root::current_user, "Software"));
    EXPECT_TRUE(delete_tree(fake.os, Root::current_user, "Software\\NeverThere"));
}

TEST_F(SettingsStore, DeleteTreeStopsWhenASubkeyResists) {
    fake.registry.put_text(Root::current_user, "Software\\T\\keep\\inner", "v", "1");
    fake.registry.faults.fail_when([](std::string_view op, std::string_view subject) {
        return op == "registry.remove_key" && subject.find("inner") != std::string_view::npos;
    });
    EXPECT_FALSE(delete_tree(fake.os, Root::current_user, "Software\\T"));
    EXPECT_TRUE(fake.registry.has_value(Root::current_user, "Software\\T\\keep\\inner", "v"));
}

TEST_F(SettingsStore, ResetDeletesOverridesAndPositionsOnly) {
    fake.registry.put_text(Root::local_machine, kSentrixKey, "LString0", "x");
    fake.registry.put_text(Root::local_machine, kSentrixKey, "LString1165", "x");
    fake.registry.put_text(Root::local_machine, kSentrixKey, "LString1166", "kept");
    fake.registry.put_text(Root::current_user, kSentrixKey, "xPos", "1");
    fake.registry.put_text(Root::current_user, kSentrixKey, "dyPosAddFileType", "1");
    fake.registry.put_text(Root::current_user, kSentrixKey, "wwwPrefix", "kept");
    reset_own_values(fake.os);
    EXPECT_FALSE(fake.registry.has_value(Root::local_machine, kSentrixKey, "LString0"));
    EXPECT_FALSE(fake.registry.has_value(Root::local_machine, kSentrixKey, "LString1165"));
    EXPECT_TRUE(fake.registry.has_value(Root::local_machine, kSentrixKey, "LString1166"));
    EXPECT_FALSE(fake.registry.has_value(Root::current_user, kSentrixKey, "xPos"));
    EXPECT_FALSE(fake.registry.has_value(Root::current_user, kSentrixKey, "dyPosAddFileType"));
    EXPECT_TRUE(fake.registry.has_value(Root::current_user, kSentrixKey, "wwwPrefix"));
}

TEST_F(SettingsStore, StringLoaderUsesOverridesOutsideEnglish) {
    fake.registry.put_text(Root::local_machine, kSentrixKey, "LString833", "Lade%ngleich");
    app.language_id = 7;
    std::string out;
    EXPECT_EQ(load_string(app, IDS_LOADING, out, 64), 12);  // the length before "%n" became one character
    EXPECT_EQ(out, "Lade\ngleich");
    app.language_id = kLanguageEnglish;
    load_string(app, IDS_LOADING, out, 64);
    EXPECT_EQ(out, "Loading...");
}

TEST_F(SettingsStore, StringLoaderCutsToTheBuffer) {
    app.language_id = 0;
    std::string out;
    EXPECT_EQ(load_string(app, IDS_LOADING, out, 5), 4);
    EXPECT_EQ(out, "Load");
    EXPECT_EQ(load_string(app, IDS_LOADING, out, 0), 0);
    EXPECT_EQ(out, "");
    EXPECT_EQ(load_string(app, IDS_LOADING, out, -3), 0);
    fake.registry.put_text(Root::local_machine, kSentrixKey, "LString833", "Lade%n");
    EXPECT_EQ(load_string(app, IDS_LOADING, out, 5), 5);  // cut to the buffer before "%n" is replaced
    EXPECT_EQ(out, "Lade");
}

TEST_F(SettingsStore, OverridesOfSevenHundredSeventyTwoCharactersAreIgnored) {
    app.language_id = 0;
    fake.registry.put_text(Root::local_machine, kSentrixKey, "LString833", std::string(1000, 'o'));
    EXPECT_EQ(load_string(app, IDS_LOADING), "Loading...");
    fake.registry.put_text(Root::local_machine, kSentrixKey, "LString833", std::string(772, 'o'));
    EXPECT_EQ(load_string(app, IDS_LOADING), "Loading...");
    fake.registry.put_text(Root::local_machine, kSentrixKey, "LString833", std::string(771, 'o'));
    EXPECT_EQ(load_string(app, IDS_LOADING), std::string(771, 'o'));
}

TEST(Placement, SheetFromStoredPosition) {
    ScreenMetrics screen{1024, 768, 0, 0, 1920, 1080};
    EXPECT_FALSE(sheet_placement({"", "10", "", ""}, screen));
    EXPECT_FALSE(sheet_placement({"10", "", "", ""}, screen));
    auto p = sheet_placement({"99999", "20", "", ""}, screen);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->x, 0);
    EXPECT_EQ(p->y, 20);
    EXPECT_EQ(p->width, 0);
    p = sheet_placement({"-500", "abc", "800", "99999"}, screen);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->x, 0);  // left of the screen counts as its edge
    EXPECT_EQ(p->y, 0);  // not a number
    EXPECT_EQ(p->width, 800);
    EXPECT_EQ(p->height, 0);
}

TEST(Placement, CornerOrCentre) {
    ScreenMetrics screen{1024, 768, 0, 0, 1024, 768};
    Placement c = corner_placement({"", "", "", ""}, screen, 400, 300);
    EXPECT_EQ(c.x, 312);
    EXPECT_EQ(c.y, 156);
    c = corner_placement({"5000", "-7", "", ""}, screen, 400, 300);
    EXPECT_EQ(c.x, 512);
    EXPECT_EQ(c.y, 0);
    c = corner_placement({"30", "40", "", ""}, screen, 400, 300);
    EXPECT_EQ(c.x, 30);
    EXPECT_EQ(c.y, 40);
}

}  // namespace
}  // namespace sx::settings
