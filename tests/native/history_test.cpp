// The history file: what is written, how the dialog reads it back, and the undo of its records.
#include <gtest/gtest.h>

#include "common/state.h"
#include "inventory/undo.h"
#include "startup/history.h"
#include "tests/support/fake_platform.h"

namespace sx::startup {
namespace {

using platform::Root;

constexpr std::string_view kFile = "C:\\Program Files\\Sentrix\\history.txt";

class History : public ::testing::Test {
protected:
    fake::FakePlatform fake;
    AppState app{fake.os};
    void SetUp() override { fake.shell_folders(); }
};

TEST_F(History, AppendsOnlyWhileHistoryIsOn) {
    EXPECT_EQ(AppendHistory(app, "T", "C:\\t.exe", "", 11, event::start_remove), 0);
    EXPECT_FALSE(fake.files.exists(kFile));
    app.settings.history = 1;
    fake.system.clock = {2026, 3, 5, 0, 7, 0};
    EXPECT_EQ(AppendHistory(app, "T", "C:\\t.exe", "loc", 11, event::start_remove), 1);
    fake.system.clock = {2026, 12, 31, 12, 30, 0};
    EXPECT_EQ(AppendHistory(app, "U", "C:\\u.exe", "", 16, 12), 1);
    fake.system.clock = {2026, 1, 2, 23, 59, 0};
    EXPECT_EQ(AppendHistory(app, "V", "C:\\v.exe", "", 600, 27), 1);
    EXPECT_EQ(fake.files.content(kFile),
              "03/05/2026  12:07 AM\t*START_Remove\tCURRENT_RUN\tT\tC:\\t.exe\tloc\r\n"
              "12/31/2026  12:30 PM\tSERVICE_Disabled\tTYPE_UNKNOWN\tU\tC:\\u.exe\t\r\n"
              "01/02/2026  11:59 PM\t\tINFO_TASK\tV\tC:\\v.exe\t\r\n");
    EXPECT_EQ(history_date(app, {0, 0, 0, 5, 5, 0}), "Never");
}

TEST_F(History, OneRecordIsOneLineWhateverItsFields) {
    app.settings.history = 1;
    AppendHistory(app, std::string(2000, 't'), "C:\\t.exe", "", 11, event::start_remove);
    const std::string content = fake.files.content(kFile);
    EXPECT_EQ(content.size(), 1023u);
    EXPECT_EQ(content.substr(content.size() - 2), "\r\n");
}

TEST_F(History, ParsesRecordsAsTheDialogListsThem) {
    const std::string file =
        "03/05/2026  12:07 AM\t*START_Remove\tCURRENT_RUN\tTitle\tC:\\t.exe\tC:\\loc.lnk\r\n"
        "bad date that is far too long for the field\tstart_enable\tnot a type\t\t\r\n"
        "only\ttwo\n"
        "x\t*HIDDEN_DeleteFile\tTYPE_HIDDEN\t" + std::string(128, 'T') + "\t" + std::string(260, 'c') + "\t\n"
        "last line without a line feed\t*START_Remove\tWIN_RUN\tz\tC:\\z.exe\t";
    const std::vector<HistoryRecord> r = parse_history(file);
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0].date, "03/05/2026  12:07 AM");
    EXPECT_EQ(r[0].event, event::start_remove);
    EXPECT_EQ(r[0].type, 11);
    EXPECT_EQ(r[0].title, "Title");
    EXPECT_EQ(r[0].command, "C:\\t.exe");
    EXPECT_EQ(r[0].location, "C:\\loc.lnk");
    EXPECT_EQ(r[1].date, "");
    EXPECT_EQ(r[1].event, event::start_enable);
    EXPECT_EQ(r[1].type, kUnknownType);
    EXPECT_EQ(r[2].date, "only");
    EXPECT_EQ(r[2].event, event::log_unknown);
    EXPECT_EQ(r[2].location, "");
    EXPECT_EQ(r[3].event, event::hidden_delete_file);
    EXPECT_EQ(r[3].type, 370);
    EXPECT_EQ(r[3].title, "");    // 128 characters are too many
    EXPECT_EQ(r[3].command, "");  // so are 260
}

TEST_F(History, FilesWithoutLineFeedsOrOverTheLimit) {
    EXPECT_TRUE(parse_history("a\tb\tc\td\te\tf\rg\th\ti\tj\tk\tl\r").empty());
    std::string big;
    const std::string line = "01/01/2026  1:00 AM\t*START_Remove\tCURRENT_RUN\tT\tC:\\t.exe\t\r\n";
    while (big.size() + line.size() <= kHistoryReadLimit) big += line;
    const size_t whole = big.size() / line.size();
    big += line;  // crosses the limit: only the records wholly inside it are listed
    EXPECT_EQ(parse_history(big).size(), whole);
    EXPECT_TRUE(parse_history(std::string("\0\0\0\xff\xfe", 5)).empty());
}

TEST_F(History, ListsTheFileThroughTheItemListRules) {
    fake.files.write(kFile, "d\t*START_Remove\tCURRENT_RUN\t\tC:\\dir\\named.exe\t\r\n");
    EXPECT_EQ(LoadHistoryList(app), 1);
    const StartupEntry& e = *app.items.at(0);
    EXPECT_EQ(e.title, "named");
    EXPECT_EQ(e.description, "d");
    EXPECT_EQ(e.flag, event::start_remove);
    fake.files.remove(kFile);
    EXPECT_EQ(LoadHistoryList(app), 0);
}

TEST_F(History, UndoOfARemovalWritesTheEntryBack) {
    fake.files.write(kFile,
                     "d\t*START_Remove\tCURRENT_RUN\tBack Again\tC:\\back.exe\t\r\n"
                     "d\tTASK_Kill\tINFO_TASK\tKilled\tC:\\k.exe\t\r\n"
                     "d\tIEHELPER_Remove\tTYPE_BHO\tHelper\tC:\\Program Files\\h.dll\t\r\n"
                     "d\t*START_Remove\tTYPE_UNKNOWN\tStrange\tC:\\s.exe\t\r\n");
    LoadHistoryList(app);
    EXPECT_EQ(inventory::UndoHistoryRecord(app, 0), 1);
    EXPECT_EQ(fake.registry.text(Root::current_user, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Back Again"),
              "C:\\back.exe");
    EXPECT_EQ(inventory::UndoHistoryRecord(app, 0), 1);  // a second undo writes it again
    EXPECT_EQ(inventory::UndoHistoryRecord(app, 1), 0);
    EXPECT_EQ(inventory::UndoHistoryRecord(app, 2), 1);
    ASSERT_EQ(fake.shell.calls.size(), 1u);
    EXPECT_EQ(fake.shell.calls[0], "run|C:\\windows\\system32\\regsvr32.exe /s \"C:\\Program Files\\h.dll\"");
    EXPECT_EQ(inventory::UndoHistoryRecord(app, 3), 0);
    EXPECT_EQ(inventory::UndoHistoryRecord(app, 9), 0);
}

TEST_F(History, UndoOfAHiddenFileDeletionUsesTheVault) {
    const std::string vault = "C:\\users\\root\\AppData\\Roaming\\Sentrix\\vault\\secret.sys";
    fake.files.add_file(vault, "data");
    fake.files.write(kFile, "d\t*HIDDEN_DeleteFile\tTYPE_HIDDEN\tsecret\tC:\\windows\\secret.sys\t\r\n");
    LoadHistoryList(app);
    EXPECT_EQ(inventory::UndoHistoryRecord(app, 0), 1);
    EXPECT_EQ(fake.files.content("C:\\windows\\secret.sys"), "data");
    EXPECT_TRUE(fake.files.attributes("C:\\windows\\secret.sys") & platform::attr::hidden);
    EXPECT_FALSE(fake.files.exists(vault));
    // Without a vault copy nothing is restored and nothing is deleted.
    EXPECT_EQ(inventory::UndoHistoryRecord(app, 0), 0);
    EXPECT_EQ(fake.files.content("C:\\windows\\secret.sys"), "data");
}

TEST_F(History, ClearingDeletesTheFile) {
    fake.files.add_file(kFile, "x").attributes = platform::attr::readonly;
    EXPECT_TRUE(clear_history_file(app));
    EXPECT_FALSE(fake.files.exists(kFile));
}

}  // namespace
}  // namespace sx::startup
