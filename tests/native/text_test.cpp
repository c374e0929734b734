#include <gtest/gtest.h>

#include "common/text.h"

namespace sx {
namespace {

TEST(Matches, FindsTokenAnywhereIgnoringCase) {
    EXPECT_TRUE(matches("prog.exe -task -service", "-TASK"));
    EXPECT_FALSE(matches("", ""));
    EXPECT_TRUE(matches("x", ""));
    EXPECT_FALSE(matches("ab", "abc"));
    EXPECT_FALSE(matches(std::string(773, 'a') + "-q", "-q"));
    EXPECT_TRUE(matches(std::string(770, 'a') + "-q", "-q"));
}

}  // namespace
}  // namespace sx
