// The Task Scheduler as the logic sees it: the work items of its first interface, and the tasks of
// its second one (Task Scheduler 2.0), where current systems keep almost all of them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system.h"

namespace sx::platform {

constexpr int32_t kTaskRunning = 0x00041301, kTaskNotScheduled = 0x00041305;

struct WorkItem {
    std::string application;  // the program the task starts
    LocalTime next_run;       // all zero: none
    LocalTime last_run;       // all zero: never
    int32_t status = 0;       // as the scheduler reports it (kTaskRunning, kTaskNotScheduled, ...)
    std::string comment;
};

namespace task_state {
constexpr uint32_t unknown = 0, disabled = 1, queued = 2, ready = 3, running = 4;
}  // namespace task_state

// A task of the second interface, from any folder, hidden or not.
struct Task {
    std::string path;                   // "\\Folder\\Name"; one of the root folder "\\Name"
    bool hidden = false;
    std::vector<std::string> programs;  // the program of each exec action, in order
    // All zero: none (never run, nothing scheduled); nothing: the scheduler did not say.
    std::optional<LocalTime> next_run;
    std::optional<LocalTime> last_run;
    uint32_t state = task_state::unknown;
    std::string description;
};

class Scheduler {
public:
    virtual ~Scheduler() = default;

    // The names of the work items in the scheduler's order, as it gives them ("Backup.job"); false
    // when the scheduler cannot be reached.
    virtual bool names(std::vector<std::string>& out) = 0;
    // A work item by the name `names` gave; nothing when it cannot be opened.
    virtual std::optional<WorkItem> item(std::string_view name) = 0;
    // Deletes a work item by the name `names` gave; true when the scheduler deleted it.
    virtual bool remove(std::string_view name) = 0;

    // Every task of the second interface, hidden ones too, folder by folder from the root (a folder's
    // tasks before its subfolders'); false when that interface cannot be reached.
    virtual bool tasks(std::vector<Task>& out) = 0;
    // Deletes a task of the second interface by its path; true when the scheduler deleted it.
    virtual bool remove_task(std::string_view path) = 0;
};

}  // namespace sx::platform
