// The property sheet: its tabs, the captions, the status bar as pages change, and closing a page,
// which ends the program.
#include <string>
#include <vector>

#include "e2e_support.h"

namespace sx::e2e::test {
namespace {

constexpr int kPageCloseButton = 1004;

class Sheet : public EndToEnd {};

TEST_F(Sheet, TabsCaptionsStatusBarAndClosing) {
    Session s = open("-TASK");
    ASSERT_NE(s.sheet, nullptr);
    EXPECT_EQ(window_text(s.sheet), kSheetCaption);
    EXPECT_EQ(tab_texts(s.sheet),
              (std::vector<std::string>{"Startup Programs", " ActiveX ", " IE Helpers ", " Scheduled Tasks ", " Services ",
                                        " Active Tasks ", " Hidden Files ", " Options  "}));
    EXPECT_EQ(window_text(s.main), kSheetCaption);

    // Showing Startup Programs selects its first row, which gives the program its second caption.
    HWND startup = select_tab(s.sheet, kStartupTab);
    ASSERT_NE(startup, nullptr);
    EXPECT_EQ(selected_rows(GetDlgItem(startup, kListId)), std::vector<int>{0});
    EXPECT_EQ(window_text(s.main), kRoamCaption);
    ASSERT_TRUE(select_rows(GetDlgItem(startup, kListId), {1}));
    EXPECT_NE(status_text(s.sheet), "");

    HWND options = select_tab(s.sheet, kOptionsTab);
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(status_text(s.sheet), "") << "a page that is shown starts with an empty status bar";
    EXPECT_TRUE(control_visible(options, kViewHistory));

    startup = select_tab(s.sheet, kStartupTab);
    ASSERT_TRUE(control_visible(startup, kPageCloseButton));
    ASSERT_TRUE(click_button(startup, kPageCloseButton));
    expect_clean_exit(s.process);
}

}  // namespace
}  // namespace sx::e2e::test
