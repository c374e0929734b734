// The service control manager of this machine, as the logic sees it: services by their key names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sx::platform {

namespace service_state {
constexpr uint32_t stopped = 1, start_pending = 2, stop_pending = 3, running = 4, continue_pending = 5,
                   pause_pending = 6, paused = 7;
}  // namespace service_state

namespace service_start {
constexpr uint32_t boot = 0, system = 1, automatic = 2, manual = 3, disabled = 4;
}  // namespace service_start

constexpr uint32_t kAcceptStop = 0x1;

struct ServiceState {
    std::string name;          // key name
    std::string display_name;  // as the manager gives it
    uint32_t state = 0;        // service_state
    uint32_t type = 0;         // SERVICE_WIN32_OWN_PROCESS and the like
    uint32_t controls_accepted = 0;
};

class Services {
public:
    virtual ~Services() = default;

    // Every service the manager knows, with its state, in one call; false when it cannot be asked.
    virtual bool list(std::vector<ServiceState>& out) = 0;
    // One service's state; nothing when it cannot be asked.
    virtual std::optional<ServiceState> query(std::string_view name) = 0;
    // The key name of a display name and the display name of a key name; empty when unknown.
    virtual std::string key_name(std::string_view display_name) = 0;
    virtual std::string display_name(std::string_view name) = 0;
    // Asks the service to stop, opening it only for stopping and querying; true when the manager
    // accepted the request.
    virtual bool stop(std::string_view name) = 0;
    virtual bool start(std::string_view name) = 0;
    // Changes only the start type (service_start), through the manager; true when it took it.
    virtual bool set_start_type(std::string_view name, uint32_t start) = 0;
};

}  // namespace sx::platform
