// The settings store and the string loader on Wine's real registry and this program's own string
// table: every registry operation with the edge cases that depend on what the system returns.
#include <gtest/gtest.h>

#include <windows.h>

#include "common/state.h"
#include "platform/win32/win32_platform.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "settings/placement.h"
#include "settings/store.h"
#include "settings/strings.h"
#include "tests/support/silent_prompts.h"

namespace sx::settings {
namespace {

using platform::Root;

class RealSettings : public ::testing::Test {
protected:
    fake::SilentPrompts prompts;
    win32::Win32Platform win{prompts};
    platform::Platform& os = win.os();
    AppState app{os};
    const std::string key = "Software\\SentrixSettingsTest\\" +
                            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name());

    void TearDown() override {
        delete_tree(os, Root::current_user, "Software\\SentrixSettingsTest");
        delete_tree(os, Root::local_machine, "Software\\SentrixSettingsTest");
        for (const char* name : {"LString833", "LString9"}) delete_value(os, Root::local_machine, kSentrixKey, name);
    }
    void raw(Root root, const std::string& name, DWORD type, const void* data, DWORD size) {
        HKEY h = nullptr;
        ASSERT_EQ(RegCreateKeyA(root == Root::current_user ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, key.c_str(), &h),
                  ERROR_SUCCESS);
        RegSetValueExA(h, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(h);
    }
};

TEST_F(RealSettings, TextsAndTheirBuffers) {
    ASSERT_TRUE(write_text(os, Root::current_user, key, "t32", std::string(32, 'a')));
    EXPECT_EQ(read_text(os, Root::current_user, key, "t32", 32), "");
    EXPECT_EQ(read_text(os, Root::current_user, key, "t32", 33), std::string(32, 'a'));
    raw(Root::current_user, "noterm", REG_SZ, "abc", 3);
    EXPECT_EQ(read_text(os, Root::current_user, key, "noterm", 16), "abc");
    const std::string long_text(1023, 'l');
    raw(Root::current_user, "long", REG_SZ, long_text.c_str(), 1024);
    EXPECT_EQ(read_text(os, Root::current_user, key, "long", 2048), long_text);
    const std::string longer(1024, 'l');
    raw(Root::current_user, "longer", REG_SZ, longer.c_str(), 1025);
    EXPECT_EQ(read_text(os, Root::current_user, key, "longer", 4096), "");
    raw(Root::current_user, "expand", REG_EXPAND_SZ, "%SystemRoot%\\p.exe", 19);
    EXPECT_EQ(read_text(os, Root::current_user, key, "expand", 260), "C:\\windows\\p.exe");
    const DWORD five = 5;
    raw(Root::current_user, "dword", REG_DWORD, &five, 4);
    EXPECT_EQ(read_text(os, Root::current_user, key, "dword", 64), "\x05");
}

TEST_F(RealSettings, WordsOptionsAndTrees) {
    for (const auto& [name, value, expected] : {std::tuple{"a", 200u, -56}, std::tuple{"b", 1024u, 1024},
                                                std::tuple{"c", 70000u, 4464}}) {
        ASSERT_TRUE(write_dword(os, Root::current_user, key, name, value));
        EXPECT_EQ(read_word(os, Root::current_user, key, name), expected) << name;
    }
    EXPECT_EQ(read_word(os, Root::current_user, key, "missing"), 0);

    const std::string options = "Software\\Orvane\\Sentrix\\Options";
    const DWORD five = 5;
    HKEY h = nullptr;
    RegCreateKeyA(HKEY_CURRENT_USER, options.c_str(), &h);
    RegSetValueExA(h, "SentrixTestDword", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&five), 4);
    RegSetValueExA(h, "SentrixTestText", 0, REG_SZ, reinterpret_cast<const BYTE*>(" -12x"), 6);
    RegCloseKey(h);
    EXPECT_EQ(read_option(os, "SentrixTestDword", 7), 0);
    EXPECT_EQ(read_option(os, "SentrixTestText", 7), -12);
    EXPECT_EQ(read_option(os, "SentrixTestMissing", 7), 7);
    delete_value(os, Root::current_user, options, "SentrixTestDword");
    delete_value(os, Root::current_user, options, "SentrixTestText");

    ASSERT_TRUE(write_text(os, Root::current_user, key + "\\a\\b\\c", "v", "1"));
    ASSERT_TRUE(write_text(os, Root::current_user, key + "\\d", "v", "1"));
    EXPECT_TRUE(delete_tree(os, Root::current_user, key));
    EXPECT_EQ(os.registry.open(Root::current_user, key), platform::RegStatus::not_found);
    EXPECT_TRUE(delete_tree(os, Root::current_user, key + "\\never"));
    EXPECT_TRUE(create_key(os, Root::local_machine, key));
    EXPECT_TRUE(delete_value(os, Root::local_machine, key, "x") == false);
}

TEST_F(RealSettings, StringLoaderWithOverrides) {
    // The test program carries the program's string table, so the loader reads real resources.
    for (const res::StringEntry& e : res::string_table()) {
        EXPECT_EQ(load_string(app, e.id), std::string(e.text)) << e.id;
    }
    ASSERT_TRUE(write_text(os, Root::local_machine, kSentrixKey, "LString833", "Chargement%nen cours"));
    app.language_id = 12;
    EXPECT_EQ(load_string(app, IDS_LOADING), "Chargement\nen cours");
    app.language_id = kLanguageEnglish;
    EXPECT_EQ(load_string(app, IDS_LOADING), "Loading...");
    app.language_id = 12;
    ASSERT_TRUE(write_text(os, Root::local_machine, kSentrixKey, "LString833", std::string(1000, 'o')));
    EXPECT_EQ(load_string(app, IDS_LOADING), "Loading...");
    std::string out;
    EXPECT_EQ(load_string(app, IDS_LOADING, out, 5), 4);
    EXPECT_EQ(out, "Load");
}

TEST_F(RealSettings, WindowPositionsOnTheRealScreen) {
    const ScreenMetrics screen{GetSystemMetrics(SM_CXSCREEN),        GetSystemMetrics(SM_CYSCREEN),
                               GetSystemMetrics(SM_XVIRTUALSCREEN),  GetSystemMetrics(SM_YVIRTUALSCREEN),
                               GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    ASSERT_GT(screen.virtual_width, 0);
    write_text(os, Root::current_user, kSentrixKey, "xPos", "99999");
    write_text(os, Root::current_user, kSentrixKey, "yPos", "-40");
    write_text(os, Root::current_user, kSentrixKey, "dxPos", "junk");
    auto p = sheet_placement(read_position(os, "xPos", "yPos", "dxPos", "dyPos"), screen);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->x, 0);
    EXPECT_EQ(p->y, 0);
    EXPECT_EQ(p->width, 0);
    reset_own_values(os);
    EXPECT_FALSE(sheet_placement(read_position(os, "xPos", "yPos", "dxPos", "dyPos"), screen));
    const Placement c = corner_placement(read_position(os, "xInfo", "yInfo"), screen, 400, 300);
    EXPECT_EQ(c.x, (screen.screen_width - 400) / 2);
    EXPECT_EQ(c.y, (screen.screen_height - 300) / 3);
}

}  // namespace
}  // namespace sx::settings
