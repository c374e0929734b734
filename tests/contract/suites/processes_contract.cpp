// The process walk and termination: the adapter under Wine and FakeProcesses must agree on all of this.
#include <string>
#include <vector>

#include "common/text.h"
#include "tests/contract/contract_env.h"

namespace sx::contract {
namespace {

using platform::ProcessEntry;

using ProcessesContract = ContractTest;

std::vector<ProcessEntry> walk_all(platform::Processes& processes) {
    std::vector<ProcessEntry> seen;
    EXPECT_TRUE(processes.walk([&](const ProcessEntry& p) {
        seen.push_back(p);
        return true;
    }));
    return seen;
}

const ProcessEntry* find_pid(const std::vector<ProcessEntry>& seen, uint32_t pid) {
    for (const ProcessEntry& p : seen) {
        if (p.pid == pid) return &p;
    }
    return nullptr;
}

TEST_F(ProcessesContract, WalkSeesAChildWithItsProgramFile) {
    const uint32_t child = env().start_child();
    ASSERT_NE(child, 0u);
    const std::vector<ProcessEntry> seen = walk_all(os().processes);
    const ProcessEntry* entry = find_pid(seen, child);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->task, 0u) << "an ordinary process";
    EXPECT_TRUE(iequals(entry->file, env().child_program())) << entry->file;
}

TEST_F(ProcessesContract, TerminateEndsTheChildAndFailsOnceItHasGone) {
    const uint32_t child = env().start_child();
    ASSERT_NE(child, 0u);
    EXPECT_TRUE(os().processes.terminate(child, true));
    EXPECT_TRUE(env().child_ended(child));
    EXPECT_EQ(find_pid(walk_all(os().processes), child), nullptr);
    EXPECT_FALSE(os().processes.terminate(child, false)) << "no such process any more";
}

TEST_F(ProcessesContract, TerminateWithoutWaitingEndsTheChildToo) {
    const uint32_t child = env().start_child();
    ASSERT_NE(child, 0u);
    EXPECT_TRUE(os().processes.terminate(child, false));
    EXPECT_TRUE(env().child_ended(child));
}

TEST_F(ProcessesContract, TerminateOfAnUnknownProcessFails) {
    // Process ids are multiples of four, so this one never names a process.
    EXPECT_FALSE(os().processes.terminate(0xFFFFFFF1u, true));
}

TEST_F(ProcessesContract, WalkStopsWhenTheVisitorSaysSo) {
    ASSERT_NE(env().start_child(), 0u);
    ASSERT_NE(env().start_child(), 0u);
    int calls = 0;
    EXPECT_TRUE(os().processes.walk([&](const ProcessEntry&) {
        ++calls;
        return false;
    }));
    EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace sx::contract
