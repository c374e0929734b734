#include <gtest/gtest.h>

#include "app/command_line.h"
#include "res/resource_ids.h"

namespace sx::app {
namespace {

TEST(CommandLine, StartTabWhenNothingIsNamed) {
    EXPECT_EQ(parse_command_line("", 6029).page_command, CMD_ACTIVE_TASKS);
    EXPECT_EQ(parse_command_line("", 6000).page_command, CMD_STARTUP);
    EXPECT_EQ(parse_command_line("-unknown", 6052).page_command, CMD_HIDDEN_FILES);
}

TEST(CommandLine, TheLastMatchingOptionOfTheListWins) {
    EXPECT_EQ(parse_command_line("-task -service", 6026).page_command, CMD_ACTIVE_TASKS);
    EXPECT_EQ(parse_command_line("-SERVICE -Task", 6026).page_command, CMD_ACTIVE_TASKS);
    EXPECT_EQ(parse_command_line("-RESTART", 6026).page_command, CMD_OPTIONS);
    EXPECT_EQ(parse_command_line("-option", 6026).page_command, CMD_OPTIONS);
    EXPECT_EQ(parse_command_line("-filetype", 6026).page_command, CMD_FILE_TYPES);
    EXPECT_EQ(parse_command_line("-EXIT", 6026).page_command, CMD_EXIT);
    // "-COOKIE" is tested before "-NUT"; "-nutcookie" holds both.
    EXPECT_EQ(parse_command_line("-nutcookie", 6026).page_command, CMD_COOKIES);
}

TEST(CommandLine, MaintenanceOptionsComeFirst) {
    EXPECT_EQ(parse_command_line("-task -restore", 6026).maintenance, Maintenance::restore);
    EXPECT_EQ(parse_command_line("-AUOPTION", 6026).maintenance, Maintenance::au_option);
    EXPECT_EQ(parse_command_line("x-setprefixy", 6026).maintenance, Maintenance::set_prefix);
    EXPECT_EQ(parse_command_line("-restart", 6026).maintenance, Maintenance::none);
}

TEST(CommandLine, QuitIsASubstringTest) {
    EXPECT_TRUE(parse_command_line("-quiet", 6026).quit);
    EXPECT_TRUE(parse_command_line("-Q", 6026).quit);
    EXPECT_FALSE(parse_command_line("-task", 6026).quit);
}

TEST(CommandLine, OverLongCommandLinesMatchNothing) {
    const std::string padding(772, ' ');
    EXPECT_EQ(parse_command_line(padding + "-task", 6026).page_command, CMD_STARTUP);
    EXPECT_FALSE(parse_command_line(padding + "-q", 6026).quit);
    EXPECT_EQ(parse_command_line(padding + "-restore", 6026).maintenance, Maintenance::none);
    EXPECT_EQ(parse_command_line(std::string(767, ' ') + "-task", 6026).page_command, CMD_ACTIVE_TASKS);
}

}  // namespace
}  // namespace sx::app
