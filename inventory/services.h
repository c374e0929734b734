// The Windows services that run a program file: listed from the service keys, with their state as
// the service control manager reports it; stopped and given another start type through the manager.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "common/state.h"
#include "platform/services.h"

namespace sx::inventory {

inline constexpr std::string_view kServicesKey = "SYSTEM\\CurrentControlSet\\Services";

// The Startup column's text of a Start value: "Automatic", "Manual", "Disabled", else "0".
std::string StartTypeText(AppState& app, std::optional<uint32_t> start);

// The run-state word: the state in the high 16 bits, the low 16 bits of the service type below; 0
// for a service that is stopped or does not answer.
uint32_t run_state_word(const std::optional<platform::ServiceState>& state);
// The status text of a run-state word ("Running"; "Stopped" for 0 and any state not named).
std::string ServiceStatusText(AppState& app, uint32_t word);

// Every service's state from one question to the manager, by key name: for a list fill.
class ServiceStates {
public:
    explicit ServiceStates(AppState& app);
    const platform::ServiceState* find(std::string_view name) const;

private:
    struct NoCaseLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    std::map<std::string, platform::ServiceState, NoCaseLess> states_;
};

// Empties the shared item list and lists every service whose ImagePath names a program (".exe")
// or the shared host ("svchost"): title, program file (a hosted service's ServiceDll), startup
// type text, description, 700 or 701; the key name in the record's id. Returns the count.
int ListServices(AppState& app);
// As ListServices, with the states it took from the manager.
int ListServices(AppState& app, const ServiceStates& states);

// The state of a listed service, asked now; 0 when it does not answer.
uint32_t QueryServiceRunState(AppState& app, size_t index);
// The controls the service accepts now; 0 when it does not answer.
uint32_t QueryServiceControlsAccepted(AppState& app, size_t index);
// The display name the manager gives a key name; empty when it knows none.
std::string GetServiceTitle(AppState& app, std::string_view name);

// Stops a listed service; 1 when the manager accepted, and only then a history record.
int StopService(AppState& app, size_t index);
// Gives a listed service the start type `start` (2, 3 or 4) through the manager. Refused: the user
// is told and nothing is recorded; done: a record of the type it had, then one of the new type, and
// the row's startup type text is the new one.
int SetServiceStartType(AppState& app, size_t index, uint32_t start);

// The description of the service whose program file is `path` (a hosted service's ServiceDll);
// empty when no service runs it. At most 1023 characters.
std::string FindServiceDescription(AppState& app, std::string_view path);

}  // namespace sx::inventory
