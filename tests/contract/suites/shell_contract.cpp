// Shell links: the adapter under Wine and FakeShell must agree on all of this.
#include <string>

#include "tests/contract/contract_env.h"

namespace sx::contract {
namespace {

using ShellContract = ContractTest;

TEST_F(ShellContract, ShortcutRoundTripsEveryField) {
    const std::string folder = env().scratch_folder();
    const std::string target = folder + "\\target app.exe";
    ASSERT_TRUE(os().files.write(target, "MZ"));
    platform::Shortcut link;
    link.target = target;
    link.arguments = "/min -x \"quoted arg\"";
    link.working_folder = folder;
    link.description = "Contract shortcut";
    link.icon = "C:\\windows\\system32\\shell32.dll";
    link.icon_index = 3;
    const std::string path = folder + "\\Contract.lnk";
    ASSERT_TRUE(os().shell.save_shortcut(path, link));
    EXPECT_NE(os().files.attributes(path), platform::attr::invalid) << "the link is a file";

    std::optional<platform::Shortcut> read = os().shell.read_shortcut(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->target, link.target);
    EXPECT_EQ(read->arguments, link.arguments);
    EXPECT_EQ(read->working_folder, link.working_folder);
    EXPECT_EQ(read->description, link.description);
    EXPECT_EQ(read->icon, link.icon);
    EXPECT_EQ(read->icon_index, link.icon_index);
}

TEST_F(ShellContract, ShortcutToAMissingTargetStillReads) {
    const std::string folder = env().scratch_folder();
    platform::Shortcut link;
    link.target = folder + "\\gone.exe";
    const std::string path = folder + "\\Gone.lnk";
    ASSERT_TRUE(os().files.write(link.target, "MZ"));
    ASSERT_TRUE(os().shell.save_shortcut(path, link));
    ASSERT_TRUE(os().files.remove(link.target));
    std::optional<platform::Shortcut> read = os().shell.read_shortcut(path);
    ASSERT_TRUE(read) << "resolving without user interface does not search for the target";
    EXPECT_EQ(read->target, link.target);
}

TEST_F(ShellContract, NonShortcutAndMissingFilesReadEmpty) {
    EXPECT_EQ(os().shell.read_shortcut(env().plain_file()), std::nullopt);
    EXPECT_EQ(os().shell.read_shortcut(env().scratch_folder() + "\\missing.lnk"), std::nullopt);
}

TEST_F(ShellContract, ExecuteOpensAFileThroughItsAssociation) {
    // Test prefixes send every association to a logger, so nothing visible starts.
    const std::string file = env().scratch_folder() + "\\opened.txt";
    ASSERT_TRUE(os().files.write(file, "text"));
    // No working folder: a handler still running in the scratch folder would keep it from being removed.
    EXPECT_TRUE(os().shell.execute(0, "open", file, "", "", 1));
}

}  // namespace
}  // namespace sx::contract
