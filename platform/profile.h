// Profile files (win.ini, system.ini and other .ini files).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sx::platform {

class Profile {
public:
    virtual ~Profile() = default;

    // GetProfileStringA (empty `file`) or GetPrivateProfileStringA; at most `size` - 1 characters.
    virtual std::string read(std::string_view file, std::string_view section, std::string_view key,
                             size_t size) = 0;
    // WriteProfileStringA / WritePrivateProfileStringA; no value deletes the key.
    virtual bool write(std::string_view file, std::string_view section, std::string_view key,
                       std::optional<std::string_view> value) = 0;
};

}  // namespace sx::platform
