// Shell links: the adapter under Wine and FakeShell must agree on all of this.
#include <string>
#include <tuple>

#include "tests/contract/contract_env.h"

namespace sx::contract {
namespace {

using ShellContract = ContractTest;

auto fields(const platform::Shortcut& s) {
    return std::tie(s.target, s.arguments, s.working_folder, s.description, s.icon, s.icon_index);
}

TEST_F(ShellContract, ShortcutRoundTripsEveryFieldAndStillReadsWhenItsTargetIsGone) {
    const std::string folder = env().scratch_folder();
    const platform::Shortcut link{folder + "\\target app.exe", "/min -x \"quoted arg\"", folder, "Contract shortcut",
                                  "C:\\windows\\system32\\shell32.dll", 3};
    const std::string path = folder + "\\Contract.lnk";
    ASSERT_TRUE(os().files.write(link.target, "MZ"));
    ASSERT_TRUE(os().shell.save_shortcut(path, link));
    EXPECT_EQ(os().shell.read_shortcut(link.target), std::nullopt) << "not a shortcut";
    // Resolving without user interface does not search for a missing target.
    for (bool target_gone : {false, true}) {
        SCOPED_TRACE(target_gone);
        if (target_gone) {
            ASSERT_TRUE(os().files.remove(link.target));
        }
        std::optional<platform::Shortcut> read = os().shell.read_shortcut(path);
        ASSERT_TRUE(read);
        EXPECT_EQ(fields(*read), fields(link));
    }
    EXPECT_EQ(os().shell.read_shortcut(folder + "\\missing.lnk"), std::nullopt);
}

TEST_F(ShellContract, ExecuteOpensAFileThroughItsAssociation) {
    // Test prefixes send every association to a logger, so nothing visible starts.
    const std::string file = env().scratch_folder() + "\\opened.txt";
    ASSERT_TRUE(os().files.write(file, "text"));
    // No working folder: a handler still running in the scratch folder would keep it from being removed.
    EXPECT_TRUE(os().shell.execute(0, "open", file, "", "", 1));
}

TEST_F(ShellContract, InternetShortcutHoldsTheAddressAndOpensThroughItsAssociation) {
    const std::string path = env().scratch_folder() + "\\lookup.url";
    const std::string address = "https://example.test/cgi-bin/info.pl?program=a%20b.exe&vendor=A%26B";
    ASSERT_TRUE(os().shell.save_internet_shortcut(path, address));
    const std::string content = os().files.read(path, 4096).value_or("");
    EXPECT_NE(content.find("[InternetShortcut]"), std::string::npos) << content;
    EXPECT_NE(content.find("URL=" + address + "\r\n"), std::string::npos) << content;
    // The shortcut's handler is the shell logger of the test prefix, which ends at once.
    EXPECT_TRUE(os().shell.open_and_wait(0, path, 10000));
    EXPECT_FALSE(os().shell.open_and_wait(0, env().scratch_folder() + "\\missing.url", 10000));
    EXPECT_FALSE(os().shell.find_window("Sentrix Contract No Such Class", "No such window"));
}

}  // namespace
}  // namespace sx::contract
