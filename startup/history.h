// The history file: one line per change the program made, appended to history.txt in the program
// folder, listed by the History dialog and undone from there.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/state.h"

namespace sx::startup {

namespace event {
constexpr int start_remove = 0, start_disable = 1, start_enable = 2, iehelper_remove = 3, task_kill = 5,
              service_stop = 9, service_automatic = 10, service_manual = 11, service_disabled = 12,
              service_from_automatic = 17, service_from_manual = 18, service_from_disabled = 19,
              reset_userinit = 21, reset_shell = 22, remove_task_scheduler = 23, remove_delay_load = 24,
              remove_shell_hook = 25, hidden_delete_file = 29, log_unknown = 31;
}  // namespace event

inline constexpr std::string_view kHistoryFile = "history.txt";
// Only this much of the file is read back.
inline constexpr size_t kHistoryReadLimit = 131072;
inline constexpr int kUnknownType = 3000;

// The first row's name for a code; empty for an event code without a row, "TYPE_UNKNOWN" for a type.
std::string_view event_name(int code);
std::string_view type_name(int code);
// The code of the first row whose name equals `name` (case-insensitive). An event name that is not
// in the table reads as LOG_UNKNOWN; a type name that is not reads as 3000.
int event_code(std::string_view name);
int type_code(std::string_view name);
bool reversible_event(int code);

// The date field: "MM/DD/YYYY  h:mm AM"; the "Never" string when year, month and day are all 0.
std::string history_date(const AppState& app, const platform::LocalTime& time);

std::string history_path(AppState& app);

// Appends one record while the run-time setting History is above 0; 1 when written. A non-empty
// `extra` follows the location as a seventh field.
int AppendHistory(AppState& app, std::string_view title, std::string_view command, std::string_view location,
                  int type, int event_code, std::string_view extra = {});

struct HistoryRecord {
    std::string date, title, command, location, extra;
    // A line that ends before its event or type field has none: it is no reversible record.
    int event = event::log_unknown;
    int type = kUnknownType;
};
// The records of a history file's bytes, as the History dialog lists them.
std::vector<HistoryRecord> parse_history(std::string_view bytes);

// Fills the shared item list from the file: date in the description, event code in the flag, a
// seventh field in the record's extra.
int LoadHistoryList(AppState& app);
// Deletes the history file; true when it is gone.
bool clear_history_file(AppState& app);

}  // namespace sx::startup
