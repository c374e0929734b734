// Profile files: the adapter under Wine and FakeProfile must agree on all of this.
#include <string>
#include <tuple>

#include "tests/contract/contract_env.h"

namespace sx::contract {
namespace {

using platform::Root;

using ProfileContract = ContractTest;

constexpr std::string_view kWindowsSectionKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr size_t kBuffer = 260;

TEST_F(ProfileContract, WindowsSectionRoundTripsThroughTheRegistryAsStored) {
    auto& profile = os().profile;
    ASSERT_TRUE(profile.write("", "windows", "run", "C:\\contract\\run.exe"));
    ASSERT_TRUE(profile.write("", "windows", "load", " \"C:\\contract\\load.exe\" /x "));
    EXPECT_EQ(profile.read("", "windows", "run", kBuffer), "C:\\contract\\run.exe");
    EXPECT_EQ(profile.read("", "Windows", "LOAD", kBuffer), " \"C:\\contract\\load.exe\" /x ")
        << "names ignore case; blanks and quotes stay";

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
    EXPECT_EQ(profile.read("", "windows", "load", kBuffer), "");
    EXPECT_EQ(os().registry.query(Root::current_user, kWindowsSectionKey, "run", value),
              platform::RegStatus::not_found);
}

TEST_F(ProfileContract, PrivateFileRoundTripAndDelete) {
    auto& profile = os().profile;
    const std::string file = env().scratch_folder() + "\\contract.ini";
    EXPECT_EQ(profile.read(file, "boot", "shell", kBuffer), "") << "no file yet";
    ASSERT_TRUE(profile.write(file, "boot", "shell", "explorer.exe"));
    ASSERT_TRUE(profile.write(file, "boot", "other", "x"));
    EXPECT_EQ(profile.read(file, "BOOT", "Shell", kBuffer), "explorer.exe") << "names ignore case";
    EXPECT_EQ(profile.read(file, "boot", "missing", kBuffer), "");
    EXPECT_EQ(profile.read(file, "nosection", "shell", kBuffer), "");

    ASSERT_TRUE(profile.write(file, "boot", "shell", std::nullopt));
    EXPECT_EQ(profile.read(file, "boot", "shell", kBuffer), "");
    EXPECT_EQ(profile.read(file, "boot", "other", kBuffer), "x");
}

// A value read from a file loses its surrounding blanks and one matching pair of quotes, and is then
// cut to the buffer less one.
TEST_F(ProfileContract, FileValuesAreTrimmedUnquotedAndCut) {
    const std::string file = env().scratch_folder() + "\\quotes.ini";
    const std::tuple<const char*, size_t, const char*> kCases[] = {
        {"\"quoted\"", kBuffer, "quoted"},   {"'single'", kBuffer, "single"},   {"\"open", kBuffer, "\"open"},
        {"close\"", kBuffer, "close\""},     {"\"\"", kBuffer, ""},             {"\"", kBuffer, "\""},
        {"  padded  ", kBuffer, "padded"},   {"\"  in quotes  \"", kBuffer, "  in quotes  "},
        {" \"sp quoted\" ", kBuffer, "sp quoted"}, {"a \"b\" c", kBuffer, "a \"b\" c"},
        {"'mixed\"", kBuffer, "'mixed\""},   {"tab\tx\t", kBuffer, "tab\tx"},
        {"http://www.example.com/", 5, "http"}, {"http://www.example.com/", 1, ""},
        {"http://www.example.com/", 0, ""},  {"http://www.example.com/", 24, "http://www.example.com/"},
        {"http://www.example.com/", 23, "http://www.example.com"}, {"\"http://x\"", 5, "http"},
    };
    for (const auto& [written, size, read] : kCases) {
        ASSERT_TRUE(os().profile.write(file, "s", "k", written)) << written;
        EXPECT_EQ(os().profile.read(file, "s", "k", size), read) << written << " in " << size;
    }
}

}  // namespace
}  // namespace sx::contract
