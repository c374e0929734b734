// Profile files through GetProfileStringA and its relatives.
#pragma once

#include "platform/profile.h"

namespace sx::win32 {

class Win32Profile : public platform::Profile {
public:
    std::string read(std::string_view file, std::string_view section, std::string_view key, size_t size) override;
    bool write(std::string_view file, std::string_view section, std::string_view key,
               std::optional<std::string_view> value) override;
};

}  // namespace sx::win32
