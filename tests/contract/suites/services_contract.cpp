// The service control manager and the Task Scheduler: the adapters under Wine and the fakes must
// agree on all of this.
#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "common/text.h"
#include "tests/contract/contract_env.h"

namespace sx::contract {
namespace {

using namespace platform::service_state;
using platform::ServiceState;

using ServicesContract = ContractTest;
using SchedulerContract = ContractTest;

constexpr int kStateWaits = 100;  // a real service takes a moment to get where it was sent
constexpr unsigned kStateWaitMs = 50;

uint32_t state_of(platform::Services& services, const std::string& name, uint32_t want) {
    std::optional<ServiceState> s;
    for (int i = 0; i < kStateWaits; ++i) {
        s = services.query(name);
        if (!s || s->state == want) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(kStateWaitMs));
    }
    return s ? s->state : 0;
}

TEST_F(ServicesContract, AServiceIsListedNamedStartedStoppedAndReconfigured) {
    const std::string name = env().scratch_service();
    ASSERT_FALSE(name.empty());
    std::vector<ServiceState> all;
    ASSERT_TRUE(os().services.list(all));
    const ServiceState* listed = nullptr;
    for (const ServiceState& s : all) listed = iequals(s.name, name) ? &s : listed;
    ASSERT_NE(listed, nullptr);
    EXPECT_EQ(listed->state, stopped);
    EXPECT_TRUE(iequals(os().services.key_name(listed->display_name), name));
    EXPECT_EQ(os().services.display_name(name), listed->display_name);
    EXPECT_EQ(os().services.key_name("No Such Service At All"), "");
    EXPECT_EQ(os().services.query("NoSuchServiceAtAll"), std::nullopt);
    EXPECT_FALSE(os().services.stop(name)) << "a stopped service is not stopped again";

    ASSERT_TRUE(os().services.start(name));
    EXPECT_EQ(state_of(os().services, name, running), running);
    EXPECT_TRUE(os().services.query(name)->controls_accepted & platform::kAcceptStop);
    EXPECT_TRUE(os().services.stop(name));
    EXPECT_EQ(state_of(os().services, name, stopped), stopped);

    // The manager keeps a new start type in the service's key, where the list reads it.
    const std::string key = "SYSTEM\\CurrentControlSet\\Services\\" + name;
    for (uint32_t start : {platform::service_start::disabled, platform::service_start::automatic}) {
        ASSERT_TRUE(os().services.set_start_type(name, start));
        platform::RegValue value;
        ASSERT_EQ(os().registry.query(platform::Root::local_machine, key, "Start", value), platform::RegStatus::ok);
        EXPECT_EQ(static_cast<unsigned char>(value.data[0]), start);
    }
    EXPECT_FALSE(os().services.set_start_type("NoSuchServiceAtAll", platform::service_start::manual));
}

TEST_F(SchedulerContract, AWorkItemIsListedOpenedWithOrWithoutItsExtensionAndRemoved) {
    const std::string name = env().scratch_work_item("C:\\sxcontract\\task.exe");
    ASSERT_FALSE(name.empty());
    EXPECT_TRUE(name.size() > 4 && iequals(name.substr(name.size() - 4), ".job")) << name;
    std::vector<std::string> names;
    ASSERT_TRUE(os().scheduler.names(names));
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end());
    for (const std::string& asked : {name, name.substr(0, name.size() - 4)}) {
        SCOPED_TRACE(asked);
        const std::optional<platform::WorkItem> item = os().scheduler.item(asked);
        ASSERT_TRUE(item);
        EXPECT_TRUE(iequals(item->application, "C:\\sxcontract\\task.exe")) << item->application;
        EXPECT_EQ(item->last_run.year + item->last_run.month + item->last_run.day, 0) << "it has never run";
    }
    EXPECT_TRUE(os().scheduler.remove(name));
    ASSERT_TRUE(os().scheduler.names(names));
    EXPECT_EQ(std::find(names.begin(), names.end(), name), names.end());
    EXPECT_EQ(os().scheduler.item(name), std::nullopt);
    EXPECT_FALSE(os().scheduler.remove(name));
}

// The second interface lists tasks of every folder, hidden ones too, once each, and deletes them by path.
TEST_F(SchedulerContract, ATaskOfTheSecondInterfaceIsListedWithItsFolderAndRemoved) {
    const std::string path = env().scratch_task("C:\\sxcontract\\task2.exe");
    ASSERT_FALSE(path.empty());
    std::vector<platform::Task> tasks;
    auto listed = [&] { return std::find_if(tasks.begin(), tasks.end(), [&](const auto& t) { return t.path == path; }); };
    ASSERT_TRUE(os().scheduler.tasks(tasks));
    ASSERT_NE(listed(), tasks.end()) << path;
    const platform::Task t = *listed();
    EXPECT_EQ(std::count_if(tasks.begin(), tasks.end(), [&](const auto& o) { return iequals(o.path, path); }), 1);
    EXPECT_EQ(std::tie(t.hidden, t.state, t.description),
              std::make_tuple(true, platform::task_state::ready, std::string("Contract task")));
    EXPECT_EQ(t.last_run.value_or(platform::LocalTime{1}).year, 0) << "it has never run";
    // Wine's keeps no exec action (docs/wine-facts.md).
    if (!t.programs.empty()) EXPECT_EQ(t.programs, std::vector<std::string>{"C:\\sxcontract\\task2.exe"});
    EXPECT_TRUE(os().scheduler.remove_task(path));
    ASSERT_TRUE(os().scheduler.tasks(tasks));
    EXPECT_EQ(listed(), tasks.end());
    for (const std::string& gone : {path, std::string("\\SxNoSuchFolder\\Task"), std::string("NoSlash"), std::string()}) {
        EXPECT_FALSE(os().scheduler.remove_task(gone)) << gone;
    }
}

}  // namespace
}  // namespace sx::contract
