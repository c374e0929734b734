// What a contract suite needs from the platform it checks. The suites are written once against the
// platform interfaces and run twice: on the in-memory fakes (env_fake.cpp, natively) and on the Win32
// adapters under Wine (env_win32.cpp). Each test gets its own environment, so keys, files and
// processes never leak from one test into the next.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace sx::contract {

// The version resource of the version file (tests/contract/contract_version.rc and the fake's block).
inline constexpr const char* kVersionTable = "040904E4";
inline constexpr uint16_t kVersionLanguage = 0x0409;
inline constexpr uint16_t kVersionCodePage = 1252;
inline constexpr const char16_t* kCompanyName = u"Sentrix Contract Co.";
inline constexpr const char16_t* kProductName = u"Sentrix Contract";
inline constexpr const char16_t* kFileDescription = u"Contract test program";
// The child program (child_program()) started with this argument stays alive for a minute.
inline constexpr const char* kChildArgument = "--sx-contract-child";

class Env {
public:
    virtual ~Env() = default;

    virtual platform::Platform& os() = 0;

    // "Software\SentrixContract\<test>": exists and is empty under HKEY_CURRENT_USER; may be created under
    // HKEY_LOCAL_MACHINE. Both are deleted afterwards.
    virtual std::string scratch_key() = 0;
    // A class key "SentrixContract.<test>" for HKEY_CLASSES_ROOT, not yet created; deleted afterwards.
    virtual std::string scratch_class() = 0;
    // "C:\sxcontract\<test>": exists and is empty; deleted afterwards.
    virtual std::string scratch_folder() = 0;

    // A program file with the version resource described above.
    virtual std::string version_file() = 0;
    // A file on drive C: whose string table is the program's (res/strings.rc).
    virtual std::string string_file() = 0;
    // A new folder with a long name inside the scratch folder, which the system gives an 8.3 alias.
    virtual std::string long_named_folder() = 0;
    // Keeps the file open without sharing until the test ends, as a program that has it in use.
    virtual void hold_open_unshared(const std::string& path) = 0;

    // Starts a process that stays alive until it is terminated (at most a minute); 0 when it fails.
    virtual uint32_t start_child() = 0;
    // The program file a process walk reports for the child.
    virtual std::string child_program() = 0;
    // Waits (a few seconds at most) for the child to end and lets its id go; false when it still runs.
    virtual bool child_ended(uint32_t pid) = 0;

    // A demand-start service named after the test, stopped, that the test may start, stop and
    // reconfigure, with the key the manager made for it; its key name. Deleted afterwards.
    virtual std::string scratch_service() = 0;
    // A work item named after the test that starts `application` and has never run; its name as the
    // scheduler lists it. Deleted afterwards.
    virtual std::string scratch_work_item(const std::string& application) = 0;
    // A hidden, never run task "\SxContract\<test>" of the second interface, described "Contract task",
    // starting `application`; its path. Deleted afterwards, with the folder.
    virtual std::string scratch_task(const std::string& application) = 0;

    // Drops the deletions scheduled for the next system start, so none run when the prefix restarts.
    virtual void forget_reboot_operations() = 0;
};

// The environment for one test, named after it; COM is initialised for the calling thread while it lives.
std::unique_ptr<Env> make_env(const std::string& test_name);

class ContractTest : public ::testing::Test {
protected:
    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        env_ = make_env(std::string(info->test_suite_name()) + "." + info->name());
        ASSERT_TRUE(env_);
    }

    Env& env() { return *env_; }
    platform::Platform& os() { return env_->os(); }

private:
    std::unique_ptr<Env> env_;
};

}  // namespace sx::contract
