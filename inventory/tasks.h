// The Task Scheduler's work items: listed with their program and run times, their status and
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
// program, the next and the last run time texts, 800. Returns the number listed.
int ListScheduledTasks(AppState& app);
// The comment (at most 1023 characters) and the status text of a work item; empty when it is not
// found.
std::string GetScheduledTaskComment(AppState& app, std::string_view name);
std::string GetScheduledTaskStatus(AppState& app, std::string_view name);
// Deletes a work item by name; true when the scheduler deleted it.
bool DeleteScheduledTask(AppState& app, std::string_view name);
// Removes the task of row `index` after asking; its known-task value goes only once the task is
// gone. 1 when removed; a refusal is told.
int RemoveScheduledTask(AppState& app, size_t index);

// The name a list shows: without its four-character extension when it is longer than that.
std::string shown_task_name(std::string_view name);

}  // namespace sx::inventory
