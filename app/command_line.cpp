#include "app/command_line.h"

#include <array>
#include <utility>

#include "common/text.h"
#include "res/resource_ids.h"

namespace sx::app {

namespace {

// Tested in this order; a later match overrides an earlier one.
constexpr std::array<std::pair<std::string_view, int>, 16> kPageOptions = {{
    {"-START", CMD_STARTUP},
    {"-SERVICE", CMD_SERVICES},
    {"-BHO", CMD_IE_HELPERS},
    {"-COOKIE", CMD_VIEW_COOKIES},
    {"-NUT", CMD_COOKIES},
    {"-OPTION", CMD_OPTIONS},
    {"-SCHEDULE", CMD_SCHEDULED_TASKS},
    {"-TASK", CMD_ACTIVE_TASKS},
    {"-DELAY", CMD_DELAY},
    {"-FILETYPE", CMD_FILE_TYPES},
    {"-HIDDEN", CMD_HIDDEN_FILES},
    {"-ACTIVEX", CMD_ACTIVEX},
    {"-MONITOR", CMD_MONITOR},
    {"-BLACKLIST", CMD_BLACKLIST},
    {"-EXIT", CMD_EXIT},
    {"-RESTART", CMD_OPTIONS},
}};

}  // namespace

CommandLine parse_command_line(std::string_view text, int start_tab) {
    CommandLine result;
    result.page_command = start_tab < CMD_STARTUP ? CMD_STARTUP : start_tab;
    // `matches` refuses texts over its limit, so an over-long command line selects nothing.
    if (text.empty()) return result;
    if (matches(text, "-Restore")) {
        result.maintenance = Maintenance::restore;
        return result;
    }
    if (matches(text, "-AUOption")) {
        result.maintenance = Maintenance::au_option;
        return result;
    }
    if (matches(text, "-SetPrefix")) {
        result.maintenance = Maintenance::set_prefix;
        return result;
    }
    for (const auto& [option, command] : kPageOptions) {
        if (matches(text, option)) result.page_command = command;
    }
    result.quit = matches(text, "-Q");
    return result;
}

}  // namespace sx::app
