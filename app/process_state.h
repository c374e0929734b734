// The process state set at start-up (and again when the Options page is initialised).
#pragma once

#include <cstdint>
#include <string_view>

#include "common/state.h"

namespace sx::app {

// The Windows primary language id of a language code of the string table; 0 when unknown.
uint16_t language_id_of(std::string_view code);
// Language id, an empty shared item list, the 32-bit view flag.
void initialise_process_state(AppState& app);

}  // namespace sx::app
