// The one-shot maintenance options of the command line, and the monitor's autorun switch.
#pragma once

#include <string>

#include "common/state.h"

namespace sx::app {

// "-Restore": forget string overrides and window positions, put delayed programs back, remove the
// program's entry from the Explorer menu of executable files.
void run_restore(AppState& app);
// "-AUOption": copy the stored automatic-update option into Windows Update's key.
void run_au_option(AppState& app);
// "-SetPrefix": make the stored (or default) address prefix the browser's default.
void run_set_prefix(AppState& app);

// Switches the monitor's Run entry on or off; see the command CMD_TOGGLE_AUTORUN.
bool set_autorun(AppState& app, bool on);

// Deletes the portable launcher's stale prefetch files from the Windows folder's "Prefetch".
void delete_stale_prefetch(AppState& app);

// The ProductVersion text of this program's own version resource; empty when it has none.
std::string program_version(AppState& app);

}  // namespace sx::app
