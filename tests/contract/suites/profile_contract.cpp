// Profile files: the adapter under Wine and FakeProfile must agree on all of this.
#include <string>

#include "tests/contract/contract_env.h"

namespace sx::contract {
namespace {

using platform::Root;

using ProfileContract = ContractTest;

constexpr std::string_view kWindowsSectionKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr size_t kBuffer = 260;

TEST_F(ProfileContract, WindowsSectionRunAndLoadRoundTripThroughTheRegistry) {
    auto& profile = os().profile;
    ASSERT_TRUE(profile.write("", "windows", "run", "C:\\contract\\run.exe"));
    ASSERT_TRUE(profile.write("", "windows", "load", "C:\\contract\\load.exe /x"));
    EXPECT_EQ(profile.read("", "windows", "run", kBuffer), "C:\\contract\\run.exe");
    EXPECT_EQ(profile.read("", "Windows", "LOAD", kBuffer), "C:\\contract\\load.exe /x") << "names ignore case";

    // [windows] of win.ini lives in the registry: what one side writes, the other reads.
    platform::RegValue value;
    ASSERT_EQ(os().registry.query(Root::current_user, kWindowsSectionKey, "run", value), platform::RegStatus::ok);
    EXPECT_EQ(value.data, std::string("C:\\contract\\run.exe") + '\0');
    ASSERT_EQ(os().registry.set(Root::current_user, kWindowsSectionKey, "load", platform::reg_type::sz,
                                std::string("C:\\contract\\other.exe") + '\0'),
              platform::RegStatus::ok);
    EXPECT_EQ(profile.read("", "windows", "load", kBuffer), "C:\\contract\\other.exe");

    EXPECT_TRUE(profile.write("", "windows", "run", std::nullopt));
    EXPECT_TRUE(profile.write("", "windows", "load", std::nullopt));
    EXPECT_EQ(profile.read("", "windows", "run", kBuffer), "");
    EXPECT_EQ(profile.read("", "windows", "load", kBuffer), "");
    EXPECT_EQ(os().registry.query(Root::current_user, kWindowsSectionKey, "run", value),
              platform::RegStatus::not_found);
}

TEST_F(ProfileContract, PrivateFileRoundTripAndDelete) {
    auto& profile = os().profile;
    const std::string file = env().scratch_folder() + "\\contract.ini";
    ASSERT_TRUE(profile.write(file, "boot", "shell", "explorer.exe"));
    ASSERT_TRUE(profile.write(file, "boot", "other", "x"));
    EXPECT_EQ(profile.read(file, "boot", "shell", kBuffer), "explorer.exe");
    EXPECT_EQ(profile.read(file, "BOOT", "Shell", kBuffer), "explorer.exe") << "names ignore case";
    EXPECT_EQ(profile.read(file, "boot", "missing", kBuffer), "");
    EXPECT_EQ(profile.read(file, "nosection", "shell", kBuffer), "");

    ASSERT_TRUE(profile.write(file, "boot", "shell", std::nullopt));
    EXPECT_EQ(profile.read(file, "boot", "shell", kBuffer), "");
    EXPECT_EQ(profile.read(file, "boot", "other", kBuffer), "x");
}

TEST_F(ProfileContract, ReadIsCutToSizeMinusOne) {
    auto& profile = os().profile;
    const std::string file = env().scratch_folder() + "\\cut.ini";
    ASSERT_TRUE(profile.write(file, "start", "page", "http://www.example.com/"));
    EXPECT_EQ(profile.read(file, "start", "page", 5), "http");
    EXPECT_EQ(profile.read(file, "start", "page", 1), "");
    EXPECT_EQ(profile.read(file, "start", "page", 0), "");
    EXPECT_EQ(profile.read(file, "start", "page", 24), "http://www.example.com/");
    EXPECT_EQ(profile.read(file, "start", "page", 23), "http://www.example.com");
}

TEST_F(ProfileContract, FileValuesLoseSurroundingBlanksAndOneMatchingPairOfQuotes) {
    auto& profile = os().profile;
    const std::string file = env().scratch_folder() + "\\quotes.ini";
    const struct {
        const char* written;
        const char* read;
    } kCases[] = {
        {"\"quoted\"", "quoted"},           {"'single'", "single"},  {"\"open", "\"open"},
        {"close\"", "close\""},             {"\"\"", ""},            {"\"", "\""},
        {"  padded  ", "padded"},           {"\"  in quotes  \"", "  in quotes  "},
        {" \"sp quoted\" ", "sp quoted"},   {"a \"b\" c", "a \"b\" c"}, {"'mixed\"", "'mixed\""},
        {"tab\tx\t", "tab\tx"},
    };
    for (const auto& c : kCases) {
        ASSERT_TRUE(profile.write(file, "s", "k", c.written)) << c.written;
        EXPECT_EQ(profile.read(file, "s", "k", kBuffer), c.read) << c.written;
    }
    ASSERT_TRUE(profile.write(file, "s", "k", "\"http://x\""));
    EXPECT_EQ(profile.read(file, "s", "k", 5), "http") << "cut after the quotes are gone";

    // [windows] is read from the registry as stored.
    ASSERT_TRUE(profile.write("", "windows", "contractquoted", " \"as is\" "));
    EXPECT_EQ(profile.read("", "windows", "contractquoted", kBuffer), " \"as is\" ");
    EXPECT_TRUE(profile.write("", "windows", "contractquoted", std::nullopt));
}

TEST_F(ProfileContract, MissingFileReadsEmpty) {
    EXPECT_EQ(os().profile.read(env().scratch_folder() + "\\missing.ini", "boot", "shell", kBuffer), "");
}

}  // namespace
}  // namespace sx::contract
