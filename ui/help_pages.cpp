#include "ui/help_pages.h"

#include <array>
#include <utility>

#include "common/text.h"
#include "res/resource_ids.h"

namespace sx::ui {

namespace {

constexpr std::array<std::pair<int, std::string_view>, 12> kPages = {{
    {CMD_STARTUP, "startup.html"},
    {CMD_COOKIES, "cookies.html"},
    {CMD_ACTIVE_TASKS, "tasks.html"},
    {CMD_OPTIONS, "options.html"},
    {CMD_SERVICES, "services.html"},
    {CMD_SCHEDULED_TASKS, "scheduler.html"},
    {CMD_IE_HELPERS, "bho.html"},
    {CMD_FILE_TYPES, "filetype.html"},
    {CMD_HELPME, "helpme.html"},
    {CMD_HIDDEN_FILES, "hidden.html"},
    {CMD_DELAY, "delay.html"},
    {CMD_ACTIVEX, "activex.html"},
}};

}  // namespace

std::string_view help_page(int page_command) {
    for (const auto& [command, page] : kPages) {
        if (command == page_command) return page;
    }
    return "features.html";
}

std::string help_page_name(std::string_view language_code, int page_command) {
    std::string name;
    if (!iequals(language_code, "us")) {
        name = std::string(language_code) + "_";
    }
    return name + std::string(help_page(page_command));
}

}  // namespace sx::ui
