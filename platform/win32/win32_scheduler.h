// The Task Scheduler's work items through its first COM interface (ITaskScheduler). The calling
// thread has COM initialised.
#pragma once

#include "platform/scheduler.h"

namespace sx::win32 {

class Win32Scheduler : public platform::Scheduler {
public:
    bool names(std::vector<std::string>& out) override;
    std::optional<platform::WorkItem> item(std::string_view name) override;
    bool remove(std::string_view name) override;
};

}  // namespace sx::win32
