// The shared item list's rules for the records it takes.
#include <gtest/gtest.h>

#include "common/state.h"
#include "startup/item_list.h"
#include "tests/support/fake_platform.h"

namespace sx::startup {
namespace {

class Items : public ::testing::Test {
protected:
    fake::FakePlatform fake;
    AppState app{fake.os};
    const StartupEntry& last() { return *app.items.at(app.items.count() - 1); }
};

TEST_F(Items, CutsEveryFieldToItsLimit) {
    ASSERT_EQ(AddItem(app, std::string(200, 't'), std::string(300, 'c'), std::string(300, 'l'),
                      std::string(2000, 'd'), 1, 0),
              1);
    EXPECT_EQ(last().title.size(), kTitleMax);
    EXPECT_EQ(last().command.size(), kCommandMax);
    EXPECT_EQ(last().location.size(), kLocationMax);
    EXPECT_EQ(last().description.size(), kDescriptionMax);
    // A title of exactly 128 characters is cut too: the field holds 127.
    AddItem(app, std::string(128, 't'), "x", "", "", 1, 0);
    EXPECT_EQ(last().title.size(), kTitleMax);
}

TEST_F(Items, RemovesQuotesAndTakesTheLongPathForm) {
    fake.files.add_file("C:\\Program Files\\Vendor\\App.exe");
    fake.files.add_short_name("C:\\Program Files\\Vendor\\App.exe", "C:\\PROGRA~1\\VENDOR\\APP.EXE");
    AddItem(app, "t", "\"C:\\PROGRA~1\\VENDOR\\APP.EXE\"", "C:\\PROGRA~1\\VENDOR\\APP.EXE", "", 11, 0);
    EXPECT_EQ(last().command, "C:\\Program Files\\Vendor\\App.exe");
    EXPECT_EQ(last().location, "C:\\Program Files\\Vendor\\App.exe");
    // Commands under four characters keep their form; the location follows the command's length.
    AddItem(app, "t", "\"a~\"", "C:\\PROGRA~1\\VENDOR\\APP.EXE", "", 11, 0);
    EXPECT_EQ(last().command, "a~");
    EXPECT_EQ(last().location, "C:\\PROGRA~1\\VENDOR\\APP.EXE");
    // A long-path lookup that fails keeps the text.
    AddItem(app, "t", "C:\\MISSIN~1\\X.EXE", "", "", 11, 0);
    EXPECT_EQ(last().command, "C:\\MISSIN~1\\X.EXE");
    AddItem(app, "t", "\"\"\"\"", "", "", 11, 0);
    EXPECT_EQ(last().command, "");
}

TEST_F(Items, DerivesAndReplacesTitles) {
    AddItem(app, "", "C:\\tools\\abc.exe -x", "", "", 1, 0);
    EXPECT_EQ(last().title, "abc.ex");  // the last four characters go, whatever they are
    AddItem(app, "", "C:\\tools\\abc.exe", "", "", 1, 0);
    EXPECT_EQ(last().title, "abc");
    AddItem(app, "", "ab", "", "", 1, 0);
    EXPECT_EQ(last().title, "");
    app.caption = "SentrixToGo Zentra";
    AddItem(app, "my sentrix helper", "x.exe", "", "", 1, 0);
    EXPECT_EQ(last().title, "SentrixToGo Zentra");
}

TEST_F(Items, RefusesThe4097thRecordAndCookiesOverTheLimit) {
    for (int i = 0; i < 4096; ++i) ASSERT_EQ(AddItem(app, "t", "c", "", "", 1, i), 1);
    EXPECT_EQ(AddItem(app, "t", "c", "", "", 1, 0), 0);
    EXPECT_EQ(app.items.count(), 4096u);
    EXPECT_EQ(app.items.at(4095)->flag, 4095);
    ClearItems(app);
    EXPECT_EQ(app.items.count(), 0u);
    EXPECT_EQ(app.items.at(0), nullptr);
    app.settings.max_cookie = 2;
    EXPECT_EQ(AddItem(app, "a", "c", "", "", 500, 0), 1);
    EXPECT_EQ(AddItem(app, "b", "c", "", "", 500, 0), 1);
    EXPECT_EQ(AddItem(app, "c", "c", "", "", 500, 0), 0);
    EXPECT_EQ(AddItem(app, "d", "c", "", "", 600, 0), 1);
}

}  // namespace
}  // namespace sx::startup
