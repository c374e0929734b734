// Adding records to the shared item list by its rules, and emptying it.
#pragma once

#include <string_view>

#include "common/items.h"

namespace sx {
struct AppState;
}

namespace sx::startup {

// Adds a record by the list's rules (limits, quote removal, long-path form, derived and replaced
// titles); 1 when added, 0 when refused.
int AddItem(AppState& app, std::string_view title, std::string_view command, std::string_view location,
            std::string_view description, int type, int flag);
void ClearItems(AppState& app);

}  // namespace sx::startup
