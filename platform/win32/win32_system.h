// Facts about the running system and this program's own process.
#pragma once

#include "platform/system.h"

namespace sx::win32 {

class Win32System : public platform::System {
public:
    std::string windows_folder() override;
    std::string system_folder() override;
    std::string temp_folder() override;
    std::string program_file() override;
    std::string user_name() override;
    std::string expand(std::string_view text) override;
    platform::LocalTime now() override;
    std::optional<platform::LocalTime> to_local(uint64_t file_time) override;
    platform::OsVersion version() override;
    std::string to_ansi(std::u16string_view text) override;
    std::optional<std::string> resource_string(unsigned id) override;
    std::u16string to_utf16(std::string_view text) override;
    platform::OsDetails os_details() override;
    platform::MemoryStatus memory() override;
    int boot_mode() override;
};

}  // namespace sx::win32
