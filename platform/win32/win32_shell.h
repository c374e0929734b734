// Shell links and shell execution through the shell's ANSI interfaces. Needs COM on the calling thread.
#pragma once

#include "platform/shell.h"

namespace sx::win32 {

class Win32Shell : public platform::Shell {
public:
    std::optional<platform::Shortcut> read_shortcut(std::string_view path) override;
    bool save_shortcut(std::string_view path, const platform::Shortcut& link) override;
    bool execute(platform::WindowRef owner, std::string_view verb, std::string_view file,
                 std::string_view parameters, std::string_view folder, int show) override;
    bool properties(platform::WindowRef owner, std::string_view file, std::string_view folder) override;
    bool run(std::string_view command_line, int show) override;
    bool open_and_wait(platform::WindowRef owner, std::string_view file, unsigned wait_ms) override;
    bool save_internet_shortcut(std::string_view path, std::string_view address) override;
    bool find_window(std::string_view class_name, std::string_view caption) override;
};

}  // namespace sx::win32
