// Builders for startup entries in the fake platform: program files with version resources, Run
// values, shortcuts, profile lines, special keys.
#pragma once

#include <string>
#include <string_view>

#include "common/state.h"
#include "tests/support/fake_platform.h"

namespace sx::fake {

struct VersionInfo {
    std::string product, company, description, version, copyright;
};

// A version resource with one English table holding the texts given (empty texts are left out).
std::string version_block(const VersionInfo& info);

class StartupScenario {
public:
    explicit StartupScenario(FakePlatform& fake) : fake_(fake) {}

    static constexpr std::string_view kUserStartup =
        "C:\\users\\root\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";
    static constexpr std::string_view kCommonStartup = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";

    // A program file, with a version resource when `info` has a product name or other text.
    void program(std::string_view path, const VersionInfo& info = {});
    void run_value(platform::Root root, std::string_view key, std::string_view name, std::string_view data,
                   uint32_t type = platform::reg_type::sz);
    void shortcut(std::string_view path, std::string_view target, std::string_view description = {});
    // The Shell Folders values of a fresh Wine prefix, with their folders.
    void shell_folders();
    void win_ini(std::string_view key, std::string_view line);
    std::string win_ini(std::string_view key);
    void clsid(std::string_view class_id, std::string_view name, std::string_view server);

private:
    FakePlatform& fake_;
};

}  // namespace sx::fake
