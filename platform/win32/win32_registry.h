// The registry through the ANSI advapi32 calls.
#pragma once

#include "platform/registry.h"

namespace sx::win32 {

class Win32Registry : public platform::Registry {
public:
    platform::RegStatus open(platform::Root root, std::string_view path) override;
    platform::RegStatus create_key(platform::Root root, std::string_view path) override;
    platform::RegStatus query(platform::Root root, std::string_view path, std::string_view name,
                              platform::RegValue& out) override;
    platform::RegStatus set(platform::Root root, std::string_view path, std::string_view name, uint32_t type,
                            std::string_view data) override;
    platform::RegStatus remove_value(platform::Root root, std::string_view path, std::string_view name) override;
    platform::RegStatus remove_key(platform::Root root, std::string_view path) override;
    platform::RegStatus values(platform::Root root, std::string_view path,
                               std::vector<platform::RegValue>& out) override;
    platform::RegStatus subkeys(platform::Root root, std::string_view path, std::vector<std::string>& out) override;
    std::optional<std::string> indirect_text(platform::Root root, std::string_view path, std::string_view name) override;
};

}  // namespace sx::win32
