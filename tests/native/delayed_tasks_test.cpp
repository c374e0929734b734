// Delayed-start records, running programs and the maintenance options, on the fake platform.
#include <gtest/gtest.h>

#include "app/maintenance.h"
#include "app/process_state.h"
#include "common/state.h"
#include "startup/active_tasks.h"
#include "startup/delayed.h"
#include "tests/support/fake_platform.h"

namespace sx::startup {
namespace {

using platform::Root;

constexpr std::string_view kHkcuRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class Delayed : public ::testing::Test {
protected:
    fake::FakePlatform fake;
    AppState app{fake.os};
    void SetUp() override { fake.shell_folders(); }

    void record(Root hive, std::string_view command, std::string_view type, std::string_view title = {},
                std::string_view parameters = {}, std::string_view applet = {}, std::string_view shortcut = {}) {
        fake.registry.put_text(hive, kDelayKey, command, type);
        const std::pair<std::string_view, std::string_view> subs[] = {
            {"Title", title}, {"Parameters", parameters}, {"Applet", applet}, {"Shortcuts", shortcut}};
        for (const auto& [sub, value] : subs) {
            if (!value.empty()) fake.registry.put_text(hive, std::string(kDelayKey) + "\\" + std::string(sub), command, value);
        }
        fake.registry.put_text(hive, std::string(kDelayKey) + "\\Time", command, "30");
    }
    bool has_record(Root hive, std::string_view command) { return fake.registry.has_value(hive, kDelayKey, command); }
};

TEST_F(Delayed, ListsBothHivesWithTheirTitles) {
    fake.program("C:\\apps\\named.exe", {"Named Product", "Acme", "Named Description"});
    fake.program("C:\\apps\\win.exe", {"Microsoft\xAE Windows\xAE Operating Thing", "Acme", "Win Description"});
    record(Root::local_machine, "C:\\apps\\titled.exe", "1", "Given Title");
    record(Root::local_machine, "C:\\apps\\named.exe", "2");
    record(Root::current_user, "C:\\apps\\plain.exe", "11");
    record(Root::current_user, "C:\\apps\\win.exe", "200", "", "", "", "C:\\start\\Win.lnk");
    EXPECT_EQ(EnumerateDelayed(app), 4);
    const auto& e = app.items.entries();
    EXPECT_EQ(e[0].title, "Named Product");
    EXPECT_EQ(e[0].description, "Named Description");
    EXPECT_EQ(e[0].flag, 0);
    EXPECT_EQ(e[1].title, "Given Title");
    EXPECT_EQ(e[1].location, "Given Title");
    EXPECT_EQ(e[2].title, "plain.exe");
    EXPECT_EQ(e[2].type, 11);
    EXPECT_EQ(e[2].flag, 1);
    EXPECT_EQ(e[3].title, "Win Description");
    EXPECT_EQ(e[3].location, "C:\\start\\Win.lnk");
}

TEST_F(Delayed, RestoreWritesProgramsBackBeforeDeletingTheirRecords) {
    fake.program("C:\\apps\\tool.exe");
    record(Root::current_user, "C:\\apps\\run.exe", "11", "Runner", "-quiet");
    record(Root::current_user, "C:\\apps\\tool.exe", "200", "Tool", "-min", "",
           std::string(fake::FakePlatform::kUserStartup) + "\\Tool.lnk");
    record(Root::local_machine, "C:\\apps\\hosted.dll", "1", "Hosted", "", "C:\\windows\\system32\\rundll32.exe");
    record(Root::local_machine, "C:\\apps\\wow.exe", "21", "Wow");
    EXPECT_EQ(RestoreAllDelayed(app), 4);
    EXPECT_EQ(fake.registry.text(Root::current_user, kHkcuRun, "Runner"), "C:\\apps\\run.exe -quiet");
    EXPECT_EQ(fake.registry.text(Root::local_machine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Hosted"),
              "C:\\windows\\system32\\rundll32.exe C:\\apps\\hosted.dll");
    EXPECT_EQ(fake.registry.text(Root::local_machine, "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run", "Wow"),
              "C:\\apps\\wow.exe");
    std::optional<platform::Shortcut> link =
        fake.shell.read_shortcut(std::string(fake::FakePlatform::kUserStartup) + "\\Tool.lnk");
    ASSERT_TRUE(link);
    EXPECT_EQ(link->target, "C:\\apps\\tool.exe");
    EXPECT_EQ(link->arguments, "-min");
    for (std::string_view command : {"C:\\apps\\run.exe", "C:\\apps\\tool.exe"}) {
        EXPECT_FALSE(has_record(Root::current_user, command));
        EXPECT_FALSE(fake.registry.has_value(Root::current_user, std::string(kDelayKey) + "\\Parameters", command));
    }
    EXPECT_FALSE(has_record(Root::local_machine, "C:\\apps\\wow.exe"));
}

TEST_F(Delayed, ARecordThatCannotBeWrittenBackStays) {
    record(Root::current_user, "C:\\apps\\run.exe", "11", "Runner");
    record(Root::current_user, "C:\\apps\\odd.exe", "600", "Odd");
    fake.registry.faults.fail_when([](std::string_view op, std::string_view subject) {
        return op == "registry.set" && subject.find("CurrentVersion\\Run") != std::string_view::npos;
    });
    EXPECT_EQ(RestoreAllDelayed(app), 0);
    EXPECT_TRUE(has_record(Root::current_user, "C:\\apps\\run.exe"));
    EXPECT_TRUE(has_record(Root::current_user, "C:\\apps\\odd.exe"));
    EXPECT_TRUE(fake.registry.has_value(Root::current_user, std::string(kDelayKey) + "\\Title", "C:\\apps\\run.exe"));
    // An empty Delay key restores nothing.
    fake.registry.faults.clear();
    fake.registry.remove_value(Root::current_user, kDelayKey, "C:\\apps\\run.exe");
    fake.registry.remove_value(Root::current_user, kDelayKey, "C:\\apps\\odd.exe");
    EXPECT_EQ(RestoreAllDelayed(app), 0);
}

class Tasks : public ::testing::Test {
protected:
    fake::FakePlatform fake;
    AppState app{fake.os};
    void SetUp() override {
        fake.shell_folders();
        app.settings.history = 1;
    }
};

TEST_F(Tasks, ListsEachProgramOnce) {
    fake.program("C:\\apps\\busy.exe", {"Busy Product", "Acme", "Busy Worker"});
    const uint32_t first = fake.processes.start("C:\\apps\\busy.exe");
    fake.processes.start("c:\\APPS\\busy.exe");
    fake.processes.start("");
    fake.processes.start("services.exe");
    EXPECT_EQ(ListProcesses(app), 2);
    const auto& e = app.items.entries();
    EXPECT_EQ(e[0].title, "Busy Worker");
    EXPECT_EQ(e[0].command, "C:\\APPS\\BUSY.EXE");
    EXPECT_EQ(e[0].flag, static_cast<int>(first));
    EXPECT_EQ(e[0].type, 600);
    EXPECT_EQ(e[1].command, "SERVICES.EXE");
    EXPECT_EQ(e[1].title, "SERVICES");
}

TEST_F(Tasks, FindsAndStopsTheProgramOfACommand) {
    const uint32_t pid = fake.processes.start("C:\\apps\\busy.exe");
    fake.processes.start("C:\\windows\\system32\\helper.exe");
    EXPECT_EQ(FindProcessOf(app, "\"C:\\apps\\busy.exe\" -x"), pid);
    EXPECT_NE(FindProcessOf(app, "helper.exe"), 0u);
    EXPECT_EQ(FindProcessOf(app, "C:\\apps\\idle.exe"), 0u);

    fake.prompts.answers = {false};
    EXPECT_EQ(StopProgram(app, "C:\\apps\\busy.exe", "Busy", true), 0u);
    EXPECT_TRUE(fake.processes.running(pid));
    ASSERT_EQ(fake.prompts.asked.size(), 1u);
    EXPECT_NE(fake.prompts.asked[0].find("Busy is currently an actively running program."), std::string::npos);

    EXPECT_EQ(StopProgram(app, "C:\\apps\\busy.exe", "", false), pid);
    EXPECT_FALSE(fake.processes.running(pid));
    EXPECT_NE(fake.files.content("C:\\Program Files\\Sentrix\\history.txt").find("\tTASK_Kill\tINFO_TASK\t\tC:\\apps\\busy.exe\t"),
              std::string::npos);
    // Nothing runs: nothing asked, nothing recorded.
    const std::string before = fake.files.content("C:\\Program Files\\Sentrix\\history.txt");
    EXPECT_EQ(StopProgram(app, "C:\\apps\\busy.exe", "Busy", true), 0u);
    EXPECT_EQ(fake.files.content("C:\\Program Files\\Sentrix\\history.txt"), before);
}

TEST_F(Tasks, AStopThatFailsIsNotRecorded) {
    fake.processes.start("C:\\apps\\tough.exe");
    fake.processes.faults.fail_when([](std::string_view op, std::string_view) { return op == "processes.terminate"; });
    EXPECT_EQ(StopProgram(app, "C:\\apps\\tough.exe", "Tough", false), 0u);
    EXPECT_FALSE(fake.files.exists("C:\\Program Files\\Sentrix\\history.txt"));
}

class Maintenance : public ::testing::Test {
protected:
    fake::FakePlatform fake;
    AppState app{fake.os};
    void SetUp() override { fake.shell_folders(); }
};

TEST_F(Maintenance, UpdateOptionAndAddressPrefix) {
    fake.registry.create_key(Root::current_user, "Software\\Orvane\\Sentrix");
    fake.registry.set(Root::current_user, "Software\\Orvane\\Sentrix", "AUOptions", platform::reg_type::binary,
                      std::string("\xC8\x00", 2));
    app::run_au_option(app);
    platform::RegValue v;
    ASSERT_EQ(fake.registry.query(Root::local_machine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update",
                                  "AUOptions", v),
              platform::RegStatus::ok);
    EXPECT_EQ(v.type, platform::reg_type::dword);
    EXPECT_EQ(v.data, std::string("\xC8\xFF\xFF\xFF", 4));  // -56

    app::run_set_prefix(app);
    EXPECT_EQ(fake.registry.text(Root::local_machine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\Prefixes", "www"),
              "http://");
    fake.registry.put_text(Root::current_user, "Software\\Orvane\\Sentrix", "wwwPrefix", "https://");
    app::run_set_prefix(app);
    EXPECT_EQ(fake.registry.text(Root::local_machine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\DefaultPrefix", ""),
              "https://");
}

TEST_F(Maintenance, RestoreResetsAndPutsDelayedProgramsBack) {
    fake.registry.put_text(Root::current_user, "Software\\Orvane\\Sentrix", "xPos", "10");
    fake.registry.put_text(Root::current_user, std::string(kDelayKey), "C:\\apps\\later.exe", "11");
    fake.registry.put_text(Root::current_user, std::string(kDelayKey) + "\\Title", "C:\\apps\\later.exe", "Later");
    fake.registry.put_text(Root::classes_root, "exefile\\shell\\Sentrix Zentra", "", "Zentra Info");
    fake.registry.put_text(Root::classes_root, "exefile\\shell\\Sentrix Zentra\\command", "", "x.exe %1");
    app::run_restore(app);
    EXPECT_FALSE(fake.registry.has_value(Root::current_user, "Software\\Orvane\\Sentrix", "xPos"));
    EXPECT_EQ(fake.registry.text(Root::current_user, kHkcuRun, "Later"), "C:\\apps\\later.exe");
    EXPECT_FALSE(fake.registry.has_key(Root::classes_root, "exefile\\shell\\Sentrix Zentra"));
}

TEST_F(Maintenance, MonitorAutorunOnAndOff) {
    fake.system.program = "C:\\Program Files\\Sentrix\\SentrixEx.exe";
    EXPECT_TRUE(app::set_autorun(app, true));
    EXPECT_TRUE(app.express_boot);
    const std::string command = "\"C:\\Program Files\\Sentrix\\sentrix.exe\" -expressboot";
    EXPECT_EQ(fake.registry.text(Root::local_machine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Sentrix"),
              command);
    EXPECT_EQ(fake.registry.text(Root::current_user, "Software\\Orvane\\Sentrix\\Run", command), "1");

    // The value is listed under the caption that replaces "Sentrix" titles, so the removals name it.
    fake.registry.put_text(Root::local_machine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                           "Sentrix System Monitor", "C:\\Program Files\\Sentrix\\Sentrix.exe");
    fake.registry.remove_value(Root::local_machine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Sentrix");
    EXPECT_TRUE(app::set_autorun(app, false));
    EXPECT_FALSE(app.express_boot);
    EXPECT_FALSE(fake.registry.has_value(Root::local_machine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                                         "Sentrix System Monitor"));
    EXPECT_FALSE(app::set_autorun(app, false));
}

TEST_F(Maintenance, StalePrefetchFilesGo) {
    fake.files.add_file("C:\\windows\\Prefetch\\SENTRIXUSB.EXE-1234.pf");
    fake.files.add_file("C:\\windows\\Prefetch\\OTHER.EXE-1.pf");
    fake.files.add_folder("C:\\windows\\Prefetch\\SentrixUSB.exe-dir");
    app::delete_stale_prefetch(app);
    EXPECT_FALSE(fake.files.exists("C:\\windows\\Prefetch\\SENTRIXUSB.EXE-1234.pf"));
    EXPECT_TRUE(fake.files.exists("C:\\windows\\Prefetch\\OTHER.EXE-1.pf"));
    EXPECT_TRUE(fake.files.exists("C:\\windows\\Prefetch\\SentrixUSB.exe-dir"));
}

TEST_F(Maintenance, ProcessStateTakesTheLanguageAndThe32BitView) {
    EXPECT_EQ(app::language_id_of("DE"), 7);
    EXPECT_EQ(app::language_id_of("\xEA\xE0\xEA"), 25);
    EXPECT_EQ(app::language_id_of("xx"), 0);
    app::initialise_process_state(app);
    EXPECT_EQ(app.language_id, 9);
    EXPECT_FALSE(app.wow64);
    fake.registry.create_key(Root::local_machine, "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run");
    app::initialise_process_state(app);
    EXPECT_TRUE(app.wow64);
}

}  // namespace
}  // namespace sx::startup
