// Services and scheduled tasks on the fake platform: which service keys are listed and how, stopping
// a service and changing its start type through the manager with the records they leave, and the
// scheduler's work items: their order, run times and removal; each change with any one of its calls
// failing.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "common/state.h"
#include "common/text.h"
#include "inventory/services.h"
#include "inventory/tasks.h"
#include "tests/support/fake_platform.h"

namespace sx::inventory {
namespace {

using platform::Root;
using platform::reg_type::dword;
using platform::reg_type::expand_sz;
using platform::reg_type::sz;

constexpr std::string_view kHistory = "C:\\Program Files\\Sentrix\\history.txt";

struct World {
    fake::FakePlatform fake;
    AppState app{fake.os};
    World() { fake.files.add_folder("C:\\Program Files\\Sentrix"); }

    static std::string key(std::string_view service) { return std::string(kServicesKey) + "\\" + std::string(service); }
    void put(std::string_view service, std::string_view name, std::string_view text, uint32_t type = sz) {
        fake.registry.put_text(Root::local_machine, key(service), name, text, type);
    }
    void start(std::string_view service, uint32_t value) { fake.registry.put_dword(Root::local_machine, key(service), "Start", value); }
    const StartupEntry* row(std::string_view id) const {
        const auto& all = app.items.entries();
        const auto at = std::find_if(all.begin(), all.end(), [&](const StartupEntry& e) { return e.id == id; });
        return at == all.end() ? nullptr : &*at;
    }
    std::string history() { return fake.files.content(kHistory); }
    // Every fallible call of the fakes counts; the one numbered `at` fails.
    void fail_call(long at) {
        calls_ = 0;
        auto rule = [this, at](std::string_view, std::string_view) { return calls_++ == at; };
        for (fake::FaultPlan* plan : {&fake.registry.faults, &fake.services.faults, &fake.scheduler.faults, &fake.files.faults})
            plan->fail_when(rule);
    }
    long calls_ = 0;
};

class Inventory : public ::testing::Test, protected World {};

TEST_F(Inventory, ServicesAreTheKeysThatRunAProgram) {
    put("Plain", "ImagePath", "C:\\Acme\\plain.exe");
    put("Plain", "DisplayName", "Plain From The Key");
    put("Plain", "Description", "Does plain things.");
    start("Plain", 2);
    put("Known", "ImagePath", "\"C:\\Acme\\known.exe\" -service");
    fake.services.add("Known", "Known To The Manager");
    start("Known", 0x303);  // only the lowest byte counts
    put("Hosted", "ImagePath", "%SystemRoot%\\system32\\svchost.exe -k acme", expand_sz);
    put("Hosted\\Parameters", "ServiceDll", "C:\\Acme\\hosted.dll");
    start("Hosted", 4);
    put("HostedNoDll", "ImagePath", "C:\\windows\\system32\\svchost.exe -k acme");
    put("LongDll", "ImagePath", "C:\\windows\\system32\\svchost.exe -k acme");
    put("LongDll\\Parameters", "ServiceDll", "C:\\Acme\\" + std::string(4096, 'd') + ".dll");
    put("LongDll", "Description", std::string(5000, 'x'));
    put("OddStart", "ImagePath", "C:\\Acme\\odd.exe");
    put("OddStart", "Start", "2");
    put("Longest", "ImagePath", "C:\\Acme\\longest.exe");
    put("Longest", "Description", std::string(1500, 'y'));
    put("Driver", "ImagePath", "system32\\drivers\\acme.sys");
    put("NoImage", "DisplayName", "Nothing To Run");
    put(std::string(256, 'k'), "ImagePath", "C:\\Acme\\long-name.exe");
    // Indirect texts: shown as the file's string table has them; as they are when it cannot be loaded.
    put("Indirect", "ImagePath", "C:\\Acme\\indirect.exe");
    put("Indirect", "DisplayName", "@%SystemRoot%\\acme.dll,-101");
    put("Indirect", "Description", "@%SystemRoot%\\acme.dll,-102;v2", expand_sz);
    fake.registry.string_resources["C:\\windows\\acme.dll,101"] = "Acme Indirect Service";
    fake.registry.string_resources["C:\\windows\\acme.dll,102"] = "Does indirect things.";
    put("Unloadable", "ImagePath", "C:\\Acme\\unloadable.exe");
    put("Unloadable", "DisplayName", "@C:\\Acme\\gone.dll,-1");

    ASSERT_EQ(ListServices(app), 9);
    struct Want { const char *id, *title, *command, *start; size_t description; int type; } const wants[] = {
        {"Plain", "Plain From The Key", "C:\\Acme\\plain.exe", "Automatic", 18, 700},
        {"Known", "Known To The Manager", "C:\\Acme\\known.exe -service", "Manual", 0, 700},
        {"Hosted", "hosted", "C:\\Acme\\hosted.dll", "Disabled", 0, 701},
        // Without a name, the title is the command's file name without its last four characters.
        {"HostedNoDll", "svchost.exe -k ", "C:\\windows\\system32\\svchost.exe -k acme", "0", 0, 701},
        // A ServiceDll too long for its buffer reads as none; so does a Description.
        {"LongDll", "svchost.exe -k ", "C:\\windows\\system32\\svchost.exe -k acme", "0", 0, 701},
        {"OddStart", "odd", "C:\\Acme\\odd.exe", "0", 0, 700},
        {"Longest", "longest", "C:\\Acme\\longest.exe", "0", 1023, 700},
        {"Indirect", "Acme Indirect Service", "C:\\Acme\\indirect.exe", "0", 21, 700},
        {"Unloadable", "@C:\\Acme\\gone.dll,-1", "C:\\Acme\\unloadable.exe", "0", 0, 700},
    };
    for (const Want& w : wants) {
        const StartupEntry* e = row(w.id);
        ASSERT_NE(e, nullptr) << w.id;
        EXPECT_EQ(std::tuple(e->title, e->command, e->location, e->description.size(), e->type),
                  std::tuple(std::string(w.title), std::string(w.command), std::string(w.start), w.description, w.type));
    }

    // Services of Microsoft's programs are left out on request; a program without texts is not Microsoft's.
    fake.program("C:\\Acme\\plain.exe", {"Plain", "MICROSOFT Corporation"});
    fake.program("C:\\Acme\\odd.exe", {"Odd", "Acme"});
    app.settings.hide_microsoft_services = 1;
    EXPECT_EQ(ListServices(app), 8);
    EXPECT_EQ(row("Plain"), nullptr);
    EXPECT_NE(row("OddStart"), nullptr);

    EXPECT_EQ(FindServiceDescription(app, "C:\\ACME\\PLAIN.EXE"), "Does plain things.");
    EXPECT_EQ(FindServiceDescription(app, "C:\\Acme\\longest.exe").size(), 1023u);
    EXPECT_EQ(FindServiceDescription(app, "C:\\Acme\\none.exe"), "");
    EXPECT_EQ(FindServiceDescription(app, "C:\\Acme\\indirect.exe"), "Does indirect things.");
}

TEST_F(Inventory, RunStatesAndTheirTexts) {
    EXPECT_EQ(run_state_word(std::nullopt), 0u);
    // A stopped service shows a blank.
    EXPECT_EQ(run_state_word(platform::ServiceState{"s", "", platform::service_state::stopped, 0x10, 0}), 0u);
    EXPECT_EQ(run_state_word(platform::ServiceState{"s", "", platform::service_state::running, 0x10120, 0}), 0x40120u);
    for (auto [state, text] : {std::pair{0u, "Stopped"}, {2u, "Pending Start"}, {3u, "Pending Stop"}, {4u, "Running"},
                               {5u, "Pending Continue"}, {6u, "Pending Pause"}, {7u, "Paused"}, {9u, "Stopped"}}) {
        EXPECT_EQ(ServiceStatusText(app, state << 16), text) << state;
    }
}

// Stop and start type through the manager: what was done is recorded, what was refused is told and
// changes nothing, with any one call failing.
TEST_F(Inventory, StopAndStartTypeRecordOnlyWhatTheManagerDid) {
    struct Step {
        const char* name;
        std::function<int(AppState&)> act;
        std::vector<std::string> records;  // when done
    } const steps[] = {
        {"stop", [](AppState& a) { return StopService(a, 0); }, {"SERVICE_Stop"}},
        {"disable", [](AppState& a) { return SetServiceStartType(a, 0, 4); }, {"SERVICE_from_Manual", "SERVICE_Disabled"}},
    };
    for (const Step& step : steps) {
        for (long fail = -1;; ++fail) {
            SCOPED_TRACE(std::string(step.name) + " failing call " + std::to_string(fail));
            World w;
            w.app.settings.history = 1;
            w.fake.services.add("Svc", "Demo Service");
            w.fake.services.start("Svc");
            w.put("Svc", "ImagePath", "C:\\Acme\\svc.exe");
            w.start("Svc", 3);
            ASSERT_EQ(ListServices(w.app), 1);
            w.fail_call(fail);
            const int done = step.act(w.app);
            const long made = w.calls_;
            w.fail_call(-1);
            const bool stopped = w.fake.services.query("Svc")->state == platform::service_state::stopped;
            platform::RegValue start_value;
            w.fake.registry.query(Root::local_machine, key("Svc"), "Start", start_value);
            const bool disabled = start_value.data[0] == 4;
            EXPECT_EQ(done == 1, step.name[0] == 's' ? stopped : disabled) << "the result says what happened";
            if (done && fail < 0) {
                for (const std::string& record : step.records) EXPECT_NE(w.history().find(record), std::string::npos) << record;
            } else if (!done) {
                EXPECT_EQ(w.history().find("SERVICE_"), std::string::npos) << "nothing done, nothing recorded";
                EXPECT_EQ(w.fake.prompts.told.size(), 1u) << "a refusal is told";
            }
            if (fail >= made) break;
        }
    }
}

TEST_F(Inventory, WorkItemsInTheWalkOrderWithTheirRunTimes) {
    for (int i = 0; i < 7; ++i) {
        platform::WorkItem item;
        item.application = "C:\\Tasks\\t" + std::to_string(i) + ".exe";
        item.next_run = {2008, 7, 3, i == 1 ? 12 : 0, 5 + i, 0};
        item.comment = std::string(2000, 'c');
        fake.scheduler.items.emplace_back("t" + std::to_string(i) + ".job", item);
    }
    fake.services.add(std::string(kSchedulerService), "Task Scheduler");
    fake.scheduler.faults.fail_when([](std::string_view op, std::string_view name) {
        return op == "scheduler.item" && name == "t2.job";  // a work item that does not open
    });
    ASSERT_EQ(ListScheduledTasks(app), 6);
    // Five at a time, each five from its last to its first.
    std::vector<std::string> order;
    for (const StartupEntry& e : app.items.entries()) order.push_back(e.title);
    EXPECT_EQ(order, (std::vector<std::string>{"t4.job", "t3.job", "t1.job", "t0.job", "t6.job", "t5.job"}));
    const StartupEntry& t1 = app.items.entries()[2];
    EXPECT_EQ(t1.command + "|" + t1.location + "|" + t1.description + "|" + std::to_string(t1.type),
              "C:\\Tasks\\t1.exe|07/03/2008  12:06 PM|Never|800");
    for (auto [hour, text] : {std::pair{0, "07/03/2008  12:05 AM"}, {12, "07/03/2008  12:05 PM"},
                              {13, "07/03/2008  1:05 PM"}, {23, "07/03/2008  11:05 PM"}}) {
        EXPECT_EQ(RunTimeText(app, {2008, 7, 3, hour, 5, 0}), text);
    }
    EXPECT_EQ(GetScheduledTaskComment(app, "t1.JOB").size(), 1023u) << "a comment is bounded";
    EXPECT_EQ(GetScheduledTaskComment(app, "none.job"), "");
    EXPECT_EQ(shown_task_name("Backup.job") + "|" + shown_task_name("abcd"), "Backup|abcd");
    for (auto [status, text] : {std::pair{platform::kTaskRunning, "Status: Running"},
                                {platform::kTaskNotScheduled, "Status: Not Scheduled"}, {0, "Status: Ready"}}) {
        EXPECT_EQ(TaskStatusText(app, status), text);
    }
}

// The scheduler runs for a step: started when it did not run, and stopped again only then.
TEST_F(Inventory, TheSchedulerIsStoppedAgainOnlyWhenThisProgramStartedIt) {
    EXPECT_EQ(ListScheduledTasks(app), 0) << "no scheduler at all";
    fake.services.add(std::string(kSchedulerService), "Task Scheduler");
    fake.scheduler.items.emplace_back("t.job", platform::WorkItem{});
    for (const bool running_before : {false, true}) {
        if (running_before) fake.services.start(kSchedulerService);
        EXPECT_EQ(ListScheduledTasks(app), 1);
        EXPECT_EQ(fake.services.query(kSchedulerService)->state == platform::service_state::running, running_before);
        EXPECT_FALSE(app.scheduler_started);
    }
}

// Tasks of the second interface: every folder, hidden ones too, a row per program; a work item seen
// through both interfaces is listed once; their status and comment for the information window.
TEST_F(Inventory, TasksOfTheSecondInterfaceAreListedOnceWithARowPerProgram) {
    fake.services.add(std::string(kSchedulerService), "Task Scheduler");
    fake.scheduler.items.emplace_back("Both.job", platform::WorkItem{});
    const platform::LocalTime never{}, three{2026, 12, 7, 3, 0, 0};
    fake.scheduler.registered = {
        {"\\both", false, {"C:\\Tasks\\both.exe"}, three, never, platform::task_state::ready, ""},
        {"\\Vendor\\Agents\\Telemetry", true, {"C:\\Tasks\\a.exe", "\"C:\\Tasks\\b.exe\""}, std::nullopt, never,
         platform::task_state::running, "Reports usage."},
        {"\\Vendor\\Cleanup", false, {}, never, std::nullopt, platform::task_state::disabled, ""},
    };
    ASSERT_EQ(ListScheduledTasks(app), 3);
    using Row = std::tuple<std::string, std::string, std::string, std::string, std::string>;
    std::vector<Row> rows;
    for (const StartupEntry& e : app.items.entries()) rows.emplace_back(e.title, e.command, e.location, e.description, e.id);
    EXPECT_EQ(rows, (std::vector<Row>{
                        {"Both.job", "", "Never", "Never", ""},
                        {"Vendor\\Agents\\Telemetry", "C:\\Tasks\\a.exe", "", "Never", "\\Vendor\\Agents\\Telemetry"},
                        {"Vendor\\Agents\\Telemetry", "C:\\Tasks\\b.exe", "", "Never", "\\Vendor\\Agents\\Telemetry"},
                        {"Vendor\\Cleanup", "", "Never", "", "\\Vendor\\Cleanup"},
                    }));
    EXPECT_EQ(GetScheduledTaskStatus(app, "Vendor\\Agents\\Telemetry"), "Status: Running");
    EXPECT_EQ(GetScheduledTaskStatus(app, "\\Vendor\\Cleanup"), "Status: Not Scheduled");
    EXPECT_EQ(GetScheduledTaskComment(app, "Vendor\\Agents\\Telemetry"), "Reports usage.");
    fake.scheduler.faults.fail_when([](std::string_view op, auto) { return op == "scheduler.tasks"; });
    EXPECT_EQ(ListScheduledTasks(app), 1) << "the work items stay when the second interface cannot be reached";
}

// Removal asks; the known-task value goes only with the task, with any one call failing: a work item, and
// a task of the second interface through that interface, by its path; nothing else goes.
TEST_F(Inventory, ATaskIsRemovedAfterTheQuestionAndItsKnownValueOnlyWithIt) {
    auto listed = [&] {
        std::vector<std::string> titles;
        fail_call(-1);
        ListScheduledTasks(app);
        for (const StartupEntry& e : app.items.entries()) titles.push_back(e.title);
        return titles;
    };
    for (const std::string go : {"Go.job", "F\\Go"}) {
        for (long fail = -1;; ++fail) {
            SCOPED_TRACE(go + " failing call " + std::to_string(fail));
            fake.services.services.clear();
            fake.services.add(std::string(kSchedulerService), "Task Scheduler");
            fake.services.start(kSchedulerService);
            fake.scheduler.items = {{"Keep.job", {}}, {"Go.job", {}}};
            fake.scheduler.registered = {{"\\F\\Keep", false, {}, {}, {}, 3, {}}, {"\\F\\Go", false, {}, {}, {}, 3, {}}};
            fake.registry.put_text(Root::current_user, kKnownTasksKey, go, "1");
            fake.prompts.told.clear();
            const std::vector<std::string> all = listed();
            std::vector<std::string> rest = all;
            ASSERT_EQ(std::erase(rest, go), 1u);
            fake.prompts.answers = {true};
            fail_call(fail);
            const int removed = RemoveScheduledTask(app, std::find(all.begin(), all.end(), go) - all.begin());
            const long made = calls_;
            EXPECT_EQ(listed(), removed ? rest : all);
            if (!removed) EXPECT_TRUE(fake.registry.has_value(Root::current_user, kKnownTasksKey, go));
            if (fail < 0) EXPECT_FALSE(fake.registry.has_value(Root::current_user, kKnownTasksKey, go));
            if (!removed) EXPECT_EQ(fake.prompts.told.size(), 1u) << "a refused removal is told";
            if (fail >= made) break;
        }
        fake.prompts.answers = {false};
        EXPECT_EQ(RemoveScheduledTask(app, 0), 0);
        EXPECT_EQ(listed().size(), 3u) << "No keeps it";
    }
}

}  // namespace
}  // namespace sx::inventory
