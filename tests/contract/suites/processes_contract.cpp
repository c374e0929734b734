// The process walk and termination: the adapter under Wine and FakeProcesses must agree on all of this.
#include <optional>
#include <string>
#include <vector>

#include "common/text.h"
#include "tests/contract/contract_env.h"

namespace sx::contract {
namespace {

using platform::ProcessEntry;

using ProcessesContract = ContractTest;

std::optional<ProcessEntry> walk_to(platform::Processes& processes, uint32_t pid) {
    std::optional<ProcessEntry> found;
    EXPECT_TRUE(processes.walk([&](const ProcessEntry& p) {
        if (p.pid == pid) found = p;
        return true;
    }));
    return found;
}

TEST_F(ProcessesContract, WalkSeesChildrenUntilTheyAreTerminatedWithOrWithoutWaiting) {
    const uint32_t children[] = {env().start_child(), env().start_child()};
    int calls = 0;
    EXPECT_TRUE(os().processes.walk([&](const ProcessEntry&) { return ++calls, false; }));
    EXPECT_EQ(calls, 1) << "the walk stops when the visitor says so";
    for (const bool wait : {true, false}) {
        SCOPED_TRACE(wait);
        const uint32_t child = children[wait ? 0 : 1];
        ASSERT_NE(child, 0u);
        const std::optional<ProcessEntry> entry = walk_to(os().processes, child);
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->task, 0u) << "an ordinary process";
        EXPECT_TRUE(iequals(entry->file, env().child_program())) << entry->file;
        EXPECT_TRUE(os().processes.terminate(child, wait));
        EXPECT_TRUE(env().child_ended(child));
        EXPECT_FALSE(walk_to(os().processes, child));
        EXPECT_FALSE(os().processes.terminate(child, wait)) << "no such process any more";
    }
    // Process ids are multiples of four, so this one never names a process.
    EXPECT_FALSE(os().processes.terminate(0xFFFFFFF1u, true));
}

TEST_F(ProcessesContract, LaunchStartsTheNamedFileItselfWhateverBlanksItsPathHas) {
    const std::string folder = env().scratch_folder() + "\\Program Files";
    const std::string program = folder + "\\child copy.exe";
    ASSERT_TRUE(os().files.make_folder(folder));
    ASSERT_TRUE(os().files.copy(env().child_program(), program, true));
    // What the line would start if the program were looked for in it.
    const std::string planted = env().scratch_folder() + "\\Program.exe";
    ASSERT_TRUE(os().files.copy(env().child_program(), planted, true));

    ASSERT_TRUE(os().processes.launch(program, "\"" + program + "\" " + kChildArgument, folder, platform::kShowNormal));
    uint32_t pid = 0;
    bool planted_ran = false;
    for (int look = 0; look < 50 && pid == 0; ++look) {
        EXPECT_TRUE(os().processes.walk([&](const ProcessEntry& p) {
            if (iequals(p.file, program)) pid = p.pid;
            planted_ran = planted_ran || iequals(p.file, planted);
            return true;
        }));
    }
    EXPECT_NE(pid, 0u) << "the launched program is not running";
    EXPECT_FALSE(planted_ran);
    EXPECT_TRUE(pid == 0 || os().processes.terminate(pid, true));

    EXPECT_FALSE(os().processes.launch(folder + "\\missing.exe", "\"" + folder + "\\missing.exe\"", folder,
                                       platform::kShowNormal));
}

}  // namespace
}  // namespace sx::contract
