// The command line: one page command, or one of the maintenance options that run and exit.
#pragma once

#include <string_view>

namespace sx::app {

enum class Maintenance { none, restore, au_option, set_prefix };

struct CommandLine {
    Maintenance maintenance = Maintenance::none;
    int page_command = 0;
    bool quit = false;  // "-Q": tell a running instance to quit, or do nothing
};

// `start_tab` is the option StartTab; values below the Startup Programs command count as that command.
CommandLine parse_command_line(std::string_view text, int start_tab);

}  // namespace sx::app
