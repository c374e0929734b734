// Hidden files on the fake platform: what the walk lists, and unhiding, deleting and restoring, each
// with every one of its platform calls failing in turn.
#include <gtest/gtest.h>

#include <cstdio>

#include "common/text.h"
#include "inventory/hidden_files.h"
#include "inventory/undo.h"
#include "startup/history.h"
#include "tests/support/fake_platform.h"

namespace sx::inventory {
namespace {

namespace attr = platform::attr;
using Rows = std::vector<std::string>;
using platform::Root;

constexpr uint32_t kHidden = attr::hidden | attr::archive, kSystem = kHidden | attr::system;
const std::string kSys = "C:\\windows\\system32\\";

// Each depth of the walk is checked on the demo system, through the window (tests/e2e).
TEST(Hidden, AFolderNamedTwiceListsOnceOneThatCannotBeListedAddsNothingAndNotepadGetsTheQuotedPath) {
    fake::FakePlatform fake;
    AppState app{fake.os};
    fake.system.temp = "C:\\";  // the drive root again, one level down
    for (const char* path : {"C:\\root.sys", "C:\\Sub\\below.sys", "C:\\windows\\win.dat"}) fake.files.add_file(path).attributes = kSystem;
    fake.files.faults.fail_when([](std::string_view op, std::string_view at) { return op == "files.list" && at == "C:\\windows"; });
    ASSERT_EQ(ListHiddenFiles(app), 2);
    EXPECT_EQ(app.items.at(0)->command + "|" + app.items.at(1)->command + "|" + app.items.at(1)->title,
              "C:\\root.sys|C:\\Sub\\below.sys|below");
    EXPECT_TRUE(ViewInNotepad(app, "C:\\a b\\x.dat"));
    EXPECT_EQ(fake.shell.calls, Rows{"run|C:\\windows\\notepad.exe \"C:\\a b\\x.dat\""});
}

// One file or vault copy and one action on it; `done` is the action's result without faults.
struct Case { const char* name; uint32_t attributes; bool locked, vault, there_again; int (*act)(AppState&, const std::string&); int done; };
const std::string kPath = kSys + "Drv\\spy.exe", kCopy = "C:\\users\\root\\AppData\\Roaming\\Sentrix\\vault\\spy.exe";
int unhide(AppState& app, const std::string& path) { return UnhideFile(app, path); }
int erase(AppState& app, const std::string& path) { return DeleteHiddenFile(app, "Spy", path); }
int on_reboot(AppState& app, const std::string& path) { return DeleteHiddenFileOnReboot(app, path); }
int restore(AppState& app, const std::string&) { return UndoHistoryRecord(app, 0); }  // as the History dialog does
const Case kCases[] = {
    {"unhide read-only", kSystem | attr::readonly, false, false, false, unhide, 1},
    {"unhide in use", kHidden, true, false, false, unhide, 1},
    {"delete", kSystem, false, false, false, erase, 1},
    {"delete read-only", kSystem | attr::readonly, false, false, false, erase, 1},
    {"delete in use", kSystem | attr::readonly, true, false, false, erase, 0},
    {"delete on reboot", kSystem | attr::readonly, false, false, false, on_reboot, 1},
    {"restore a read-only copy from a read-only vault", kHidden | attr::readonly, false, true, false, restore, 1},
    {"restore a copy in use", kHidden, true, true, false, restore, 0},
    {"restore over a file there again", kHidden, false, true, true, restore, 0},
    {"restore without a copy or vault", kHidden, false, false, false, restore, 0},
};

// Whichever one call fails, the file or its vault copy stays whole, a failure is told and changes
// nothing, and a step that no fault struck does all it should.
TEST(HiddenSweep, NoSingleFailingCallLosesAFileOrItsCopy) {
    long faulted = 0;
    for (const Case& c : kCases) {
        for (long k = -1, calls = 1; k < calls; ++k) {
            SCOPED_TRACE(std::string(c.name) + ", call " + std::to_string(k) + " failing");
            fake::FakePlatform fake;
            AppState app{fake.os};
            fake.shell_folders();
            app.settings.history = 1;
            const std::string record = "\t*HIDDEN_DeleteFile\tTYPE_HIDDEN\tSpy\t" + kPath + "\t\r\n";
            if (c.act == restore) fake.files.write(startup::history_path(app), "d" + record);
            startup::LoadHistoryList(app);
            fake::FakeFiles::Node& node = fake.files.add_file(c.vault ? kCopy : kPath, "data");
            std::tie(node.attributes, node.locked) = std::pair(c.attributes, c.locked);
            // Windows lets the files of a read-only folder go: a vault that is so changes nothing.
            if (c.vault) fake.files.set_attributes(folder_part(kCopy), attr::readonly);
            if (c.there_again) fake.files.add_file(kPath, "again");
            fake.files.add_folder(folder_part(kPath));
            fake.processes.start(kPath);
            fake.registry.put_text(Root::current_user, kKnownHiddenKey, kPath, "d");
            long count = 0;
            fake::FaultPlan* plans[] = {&fake.registry.faults, &fake.files.faults, &fake.processes.faults, &fake.shell.faults};
            for (fake::FaultPlan* plan : plans) plan->fail_when([&](auto, auto) { return count++ == k; });
            const int result = c.act(app, kPath);
            for (fake::FaultPlan* plan : plans) plan->clear();
            faulted += k >= 0;
            if (k < 0) calls = count;
            if (k < 0) EXPECT_EQ(result, c.done);
            EXPECT_EQ(result == 0, !fake.prompts.told.empty()) << "failures and only failures are told";
            const std::string& kept = result == 0 && c.vault ? kCopy : kPath;
            if (c.act != erase || result == 0) EXPECT_EQ(fake.files.content(kept), "data");
            if (result == 0 && !c.vault) EXPECT_EQ(fake.files.attributes(kPath), c.attributes) << "nothing changed";
            const std::string known = fake.registry.text(Root::current_user, kKnownHiddenKey, kPath);
            if (c.act == restore && result == 0) EXPECT_EQ(known, "d") << "nothing is recorded as restored";
            if (c.act == unhide && result == 1) EXPECT_EQ(fake.files.attributes(kPath), attr::archive);
            if (c.act == on_reboot && result == 1) EXPECT_EQ(fake.files.reboot_deletions, Rows{kPath});
            if (k >= 0) continue;
            if (c.act == restore && result == 1) {
                EXPECT_EQ(std::to_string(fake.files.attributes(kPath)) + " " + known,
                          std::to_string(kHidden) + " 12/06/2026 8:22 PM");
                EXPECT_FALSE(fake.files.exists(kCopy));
            }
            if (c.act != erase) continue;
            EXPECT_EQ(known, "") << "the known value goes whether or not the file did";
            EXPECT_TRUE(fake.processes.list.empty()) << "its program was stopped";
            EXPECT_EQ(fake.files.content(startup::history_path(app)).ends_with(record), result == 1);
        }
    }
    std::printf("hidden files: %ld single-fault steps, no file lost\n", faulted);
    EXPECT_GE(faulted, 65);
}

}  // namespace
}  // namespace sx::inventory
