#include <gtest/gtest.h>

#include <string>

#include "programinfo/notes.h"
#include "tests/support/fake_platform.h"

namespace sx::programinfo {
namespace {

using platform::Root;

constexpr const char* kAppData = "C:\\users\\root\\AppData\\Roaming";

class Notes : public ::testing::Test {
protected:
    void SetUp() override {
        fp.files.add_folder("C:\\Program Files\\Sentrix");
        fp.files.add_folder(kAppData);
        fp.registry.put_text(Root::current_user, kShellFoldersKey, kAppDataValue, kAppData);
    }

    fake::FakePlatform fp;
    platform::Platform& os = fp.os;
};

TEST_F(Notes, ProgramNameComesFromTheResolvedPath) {
    EXPECT_EQ(note_program_name(os, "\"C:\\Program Files\\Acme\\acme.exe\" /tray"), "ACME");
    EXPECT_EQ(note_program_name(os, "C:\\x\\a=b.exe"), "A:B");
    EXPECT_EQ(note_program_name(os, "helper.dll,Run"), "HELPER");
    EXPECT_EQ(note_program_name(os, "C:\\x\\.exe"), "");
    EXPECT_EQ(note_program_name(os, "C:\\x\\ab"), "");
    EXPECT_EQ(note_program_name(os, ""), "");
}

TEST_F(Notes, ANoteBesideThisProgramIsUsedFirst) {
    fp.files.add_file("C:\\Program Files\\Sentrix\\note_acme.txt", "mine");
    EXPECT_EQ(NotePath(os, "C:\\Tools\\acme.exe -q"), "C:\\Program Files\\Sentrix\\note_ACME.txt");
    EXPECT_FALSE(fp.files.exists(std::string(kAppData) + "\\Sentrix"));
}

TEST_F(Notes, OtherwiseTheUserFolderIsUsedAndCreated) {
    EXPECT_EQ(NotePath(os, "C:\\Tools\\acme.exe"), std::string(kAppData) + "\\Sentrix\\note_ACME.txt");
    EXPECT_TRUE(fp.files.exists(std::string(kAppData) + "\\Sentrix"));
    EXPECT_TRUE(fp.files.exists(std::string(kAppData) + "\\Sentrix\\vault"));
}

TEST_F(Notes, AMissingVaultIsCreatedBesideAnExistingUserFolder) {
    fp.files.add_folder(std::string(kAppData) + "\\Sentrix");
    EXPECT_EQ(NotePath(os, "C:\\Tools\\acme.exe"), std::string(kAppData) + "\\Sentrix\\note_ACME.txt");
    EXPECT_TRUE(fp.files.exists(std::string(kAppData) + "\\Sentrix\\vault"));
}

TEST_F(Notes, AppDataWithATrailingBackslash) {
    fp.registry.put_text(Root::current_user, kShellFoldersKey, kAppDataValue, std::string(kAppData) + "\\");
    EXPECT_EQ(NotePath(os, "C:\\Tools\\acme.exe"), std::string(kAppData) + "\\Sentrix\\note_ACME.txt");
}

TEST_F(Notes, WithoutAppDataTheProgramFolderIsUsed) {
    fp.registry.remove_value(Root::current_user, kShellFoldersKey, kAppDataValue);
    EXPECT_EQ(NotePath(os, "C:\\Tools\\acme.exe"), "C:\\Program Files\\Sentrix\\note_ACME.txt");
    EXPECT_FALSE(fp.files.exists(std::string(kAppData) + "\\Sentrix"));
}

}  // namespace
}  // namespace sx::programinfo
