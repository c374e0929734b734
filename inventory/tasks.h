// The Task Scheduler's tasks: the work items of its first interface and the tasks of its second one
// (every folder, hidden ones too), listed with their program and run times, their status and
// comment for the information window, and removed. The scheduler is started when it does not run,
// and stopped again afterwards when this program started it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/state.h"
#include "platform/system.h"

namespace sx::inventory {

inline constexpr std::string_view kKnownTasksKey = "Software\\Orvane\\Sentrix\\Tasks";
inline constexpr std::string_view kSchedulerService = "Schedule";

// 0 when the scheduler runs (started now if need be), else non-zero.
int EnsureTaskScheduler(AppState& app);
// Stops the scheduler when this program started it.
void ReleaseTaskScheduler(AppState& app);

// "MM/DD/YYYY  h:mm AM"; "Never" when year, month and day are all 0.
std::string RunTimeText(AppState& app, const platform::LocalTime& time);
// "Status: Running", "Status: Not Scheduled", else "Status: Ready".
std::string TaskStatusText(AppState& app, int32_t status);

// Empties the shared item list and lists every work item that opens: its name (with ".job"), its
// program, the next and the last run time texts, 800. Then every task of the second interface that
// is not one of those work items, a row for the program of each of its exec actions (one row
// without a program when it has none): its path without the leading backslash ("Folder\Name"), the
// program, the run time texts (empty where the scheduler does not tell), 800, and its full path in
// the record's id. Returns the number of tasks listed.
int ListScheduledTasks(AppState& app);
// The comment (at most 1023 characters) and the status text of a work item, or of a task of the
// second interface by its path (with or without the leading backslash); empty when it is not found.
std::string GetScheduledTaskComment(AppState& app, std::string_view name);
std::string GetScheduledTaskStatus(AppState& app, std::string_view name);
// Deletes a work item by name; true when the scheduler deleted it.
bool DeleteScheduledTask(AppState& app, std::string_view name);
// Deletes a task of the second interface by its full path; true when the scheduler deleted it.
bool DeleteRegisteredTask(AppState& app, std::string_view path);
// Removes the task of row `index` after asking; its known-task value goes only once the task is
// gone. 1 when removed; a refusal is told.
int RemoveScheduledTask(AppState& app, size_t index);

// The name a list shows: without its four-character extension when it is longer than that.
std::string shown_task_name(std::string_view name);
// The name the list shows for a row: a work item's as above, a task's of the second interface whole.
std::string shown_task_name(const StartupEntry& row);

}  // namespace sx::inventory
