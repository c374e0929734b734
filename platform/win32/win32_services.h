// The service control manager through the ANSI advapi32 calls; each call opens what it needs with
// the least access that does the job, and closes it again.
#pragma once

#include "platform/services.h"

namespace sx::win32 {

class Win32Services : public platform::Services {
public:
    bool list(std::vector<platform::ServiceState>& out) override;
    std::optional<platform::ServiceState> query(std::string_view name) override;
    std::string key_name(std::string_view display_name) override;
    std::string display_name(std::string_view name) override;
    bool stop(std::string_view name) override;
    bool start(std::string_view name) override;
    bool set_start_type(std::string_view name, uint32_t start) override;
};

}  // namespace sx::win32
