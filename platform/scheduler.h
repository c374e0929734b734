// The Task Scheduler's work items (the scheduler's first interface), as the logic sees them.
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
};

}  // namespace sx::platform
