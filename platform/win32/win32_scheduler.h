// The Task Scheduler's work items through its first COM interface (ITaskScheduler), and its tasks
// through the second (ITaskService). The calling thread has COM initialised.
#pragma once

#include "platform/scheduler.h"

namespace sx::win32 {

class Win32Scheduler : public platform::Scheduler {
public:
    bool names(std::vector<std::string>& out) override;
    std::optional<platform::WorkItem> item(std::string_view name) override;
    bool remove(std::string_view name) override;
    bool tasks(std::vector<platform::Task>& out) override;
    bool remove_task(std::string_view path) override;
};

}  // namespace sx::win32
