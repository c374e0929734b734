#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "programinfo/first_detected.h"
#include "tests/support/fake_platform.h"

namespace sx::programinfo {
namespace {

using platform::Root;

constexpr const char* kStartupKey = "Software\\Orvane\\Detected\\Startup";
constexpr const char* kActiveTasksKey = "Software\\Orvane\\Detected\\ActiveTasks";

TEST(DetectedCategory, EveryTypeCodeHasOne) {
    struct Row {
        int type;
        const char* category;
    };
    const Row rows[] = {
        {-1, "Startup"},       {0, "Startup"},        {1, "Startup"},          {7, "Startup"},
        {27, "Startup"},       {100, "Startup"},      {200, "Startup"},        {250, "Startup"},
        {256, "Startup"},      {299, "Startup"},      {300, "ActiveTasks"},    {370, "Hidden"},
        {400, "FileTypes"},    {500, "ActiveTasks"},  {504, "ActiveTasks"},    {600, "ActiveTasks"},
        {700, "Services"},     {701, "Services"},     {702, "ActiveTasks"},    {800, "Tasks"},
        {900, "IEHelper"},     {901, "IEHelper"},     {902, "IEHelper"},       {903, "ActiveTasks"},
        {1200, "ActiveX"},     {3000, "ActiveTasks"}, {INT_MAX, "ActiveTasks"}, {INT_MIN, "Startup"},
    };
    for (const Row& row : rows) EXPECT_EQ(detected_category(row.type), row.category) << row.type;
}

class FirstDetected : public ::testing::Test {
protected:
    fake::FakePlatform fp;
    platform::Platform& os = fp.os;
};

TEST_F(FirstDetected, TypesOfOneCategoryShareItsValues) {
    fp.registry.put_text(Root::current_user, kStartupKey, "C:\\A.EXE", "12/06/2026 8:22 PM");
    EXPECT_EQ(ReadFirstDetected(os, "C:\\A.EXE", 250), "12/06/2026 8:22 PM");
    EXPECT_EQ(ReadFirstDetected(os, "c:\\a.exe", 7), "12/06/2026 8:22 PM");
    EXPECT_EQ(ReadFirstDetected(os, "C:\\A.EXE", 600), "");

    fp.registry.put_text(Root::current_user, kActiveTasksKey, "C:\\B.EXE", "01/01/2025 1:00 AM");
    EXPECT_EQ(ReadFirstDetected(os, "C:\\B.EXE", 600), "01/01/2025 1:00 AM");
    EXPECT_EQ(ReadFirstDetected(os, "C:\\B.EXE", 3000), "01/01/2025 1:00 AM");
    EXPECT_EQ(ReadFirstDetected(os, "C:\\B.EXE", 7), "");
}

TEST_F(FirstDetected, TextsMustFitTheBuffer) {
    const std::string t23(23, '7');
    fp.registry.put_text(Root::current_user, kStartupKey, "exact", t23);
    fp.registry.put_text(Root::current_user, kStartupKey, "one more", std::string(24, '8'));
    fp.registry.put_text(Root::current_user, kStartupKey, "long", std::string(30, '9'));
    EXPECT_EQ(ReadFirstDetected(os, "exact", 1), t23);
    EXPECT_EQ(ReadFirstDetected(os, "one more", 1), "");
    EXPECT_EQ(ReadFirstDetected(os, "long", 1), "");
}

TEST_F(FirstDetected, OddValuesReadAsTheirBytesUpToAZero) {
    // Without a terminating zero: 23 characters still fit, 24 do not.
    ASSERT_EQ(fp.registry.set(Root::current_user, kStartupKey, "bare23", platform::reg_type::sz,
                              std::string(23, 'x')),
              platform::RegStatus::not_found);  // the key does not exist yet
    fp.registry.create_key(Root::current_user, kStartupKey);
    fp.registry.set(Root::current_user, kStartupKey, "bare23", platform::reg_type::sz, std::string(23, 'x'));
    fp.registry.set(Root::current_user, kStartupKey, "bare24", platform::reg_type::sz, std::string(24, 'y'));
    EXPECT_EQ(ReadFirstDetected(os, "bare23", 1), std::string(23, 'x'));
    EXPECT_EQ(ReadFirstDetected(os, "bare24", 1), "");
    // A DWORD is read as its bytes up to the first zero.
    fp.registry.put_dword(Root::current_user, kStartupKey, "dword0", 0);
    fp.registry.put_dword(Root::current_user, kStartupKey, "dword", 0x3231);
    EXPECT_EQ(ReadFirstDetected(os, "dword0", 1), "");
    EXPECT_EQ(ReadFirstDetected(os, "dword", 1), "12");
}

TEST_F(FirstDetected, MissingTreeCategoryOrValueGiveEmptyText) {
    EXPECT_EQ(ReadFirstDetected(os, "C:\\A.EXE", 1), "");
    fp.registry.create_key(Root::current_user, "Software\\Orvane\\Detected");
    EXPECT_EQ(ReadFirstDetected(os, "C:\\A.EXE", 1), "");
    fp.registry.create_key(Root::current_user, kStartupKey);
    EXPECT_EQ(ReadFirstDetected(os, "C:\\A.EXE", 1), "");
}

TEST_F(FirstDetected, AnEmptyKeyDoesNotReadTheDefaultValue) {
    fp.registry.put_text(Root::current_user, kStartupKey, "", "default text");
    EXPECT_EQ(ReadFirstDetected(os, "", 1), "");
}

TEST_F(FirstDetected, RecordingWritesNothing) {
    EXPECT_EQ(RecordFirstDetected(), 0);
    EXPECT_EQ(first_detected_text(os, "C:\\Tools\\none.exe", 1), "");
    EXPECT_FALSE(fp.registry.has_key(Root::current_user, "Software\\Orvane"));
}

TEST_F(FirstDetected, ListFillsFindTheValueOfTheResolvedPath) {
    fp.registry.put_text(Root::current_user, kStartupKey, "C:\\Program Files\\Acme\\acme.exe", "03/05/2024 2:07 PM");
    EXPECT_EQ(first_detected_text(os, "\"C:\\Program Files\\Acme\\acme.exe\" /tray", 11), "03/05/2024 2:07 PM");
    EXPECT_EQ(first_detected_text(os, "%ProgramFiles%\\Acme\\acme.exe", 1), "03/05/2024 2:07 PM");

    // A command without its folder is looked up under the full path of the file it names.
    fp.files.add_file("C:\\windows\\system32\\helper.exe");
    fp.registry.put_text(Root::current_user, kActiveTasksKey, "C:\\windows\\system32\\helper.exe", "01/02/2025 3:04 AM");
    EXPECT_EQ(first_detected_text(os, "helper.exe -service", 600), "01/02/2025 3:04 AM");
    EXPECT_EQ(first_detected_text(os, "helper.exe", 7), "");
}

}  // namespace
}  // namespace sx::programinfo
