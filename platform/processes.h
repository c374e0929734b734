// The running processes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace sx::platform {

struct ProcessEntry {
    uint32_t pid = 0;
    uint16_t task = 0;  // 16-bit task handle; 0 for ordinary processes
    std::string file;   // program file name as the walk gives it; empty when the process cannot be opened
};

class Processes {
public:
    virtual ~Processes() = default;

    // Calls `visit` for every process until it returns false; false when no walk could be made.
    virtual bool walk(const std::function<bool(const ProcessEntry&)>& visit) = 0;
    // Opens the process with all access and terminates it with its own exit code. With `wait`, polls
    // the exit code up to five times, 10 ms apart, until the process has ended.
    virtual bool terminate(uint32_t pid, bool wait) = 0;
    // Starts `application` (a full path: never searched for) with `command_line`, which begins with
    // the application's quoted path, in `folder` (empty: the caller's), shown as `show`. True when the
    // process was created.
    virtual bool launch(std::string_view application, std::string_view command_line, std::string_view folder,
                        int show) = 0;
};

}  // namespace sx::platform
