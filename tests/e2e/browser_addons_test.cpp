// The IE Helpers and ActiveX pages on the demo system: every column of their lists, the 32-bit
// registry view told apart, removing a helper together with its DLL's classes, and switching kill
// bits with every other compatibility flag kept.
#include <string>
#include <vector>

#include "e2e_support.h"

namespace sx::e2e::test {
namespace {

constexpr int kRemoveButton = 1003;
constexpr int kEnableButton = 10;
constexpr int kDisableButton = 11;
constexpr int kNonMicrosoftOnly = 1014;
constexpr int kListAll = 1015;
constexpr int kTypeColumn = 3;
constexpr char kFlags[] = "Compatibility Flags";

bool key_exists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::string class_key(const char* id) { return std::string(demo::kClsidKey) + "\\" + id; }
std::string compat(const char* key, const char* id) { return std::string(key) + "\\" + id; }

class BrowserAddOns : public EndToEnd {
protected:
    void SetUp() override {
        EndToEnd::SetUp();
        if (HasFatalFailure()) return;
        s_ = open();
        ASSERT_NE(s_.sheet, nullptr);
    }

    HWND show(int tab) {
        page_ = select_tab(s_.sheet, tab);
        list_ = page_ ? GetDlgItem(page_, kListId) : nullptr;
        return page_;
    }

    int row_of(int column, const std::string& text) const { return find_row(read_rows(list_), column, text); }

    // The message box the program shows next, answered with `button`; its text.
    std::string answer_next(int button) const {
        HWND box = nullptr;
        wait_until([&] { return (box = other_dialog(s_.process.id(), s_.sheet)) != nullptr; });
        const std::string text = box ? message_text(box) : std::string("(no message)");
        EXPECT_TRUE(box && answer(box, button)) << "no message came";
        return text;
    }

    ::testing::AssertionResult rows_are(const std::vector<Row>& want) const {
        const std::vector<Row> rows = wait_rows(list_, [&](const std::vector<Row>& now) { return now == want; });
        if (rows == want) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the list reads:\n" << describe(rows) << "instead of:\n" << describe(want);
    }

    Session s_;
    HWND page_ = nullptr;
    HWND list_ = nullptr;
};

const std::vector<Row> kHelperRows = {
    {TAILSEARCH_PRODUCT, TAILSEARCH_FILE, TAILSEARCH_COMPANY, "BHO", "06/06/2011 6:06 PM"},
    {"LitLink.dll", "LitLink.dll", "", "BHO", ""},
    {NWHELPER_PRODUCT, NWHELPER_FILE, NWHELPER_COMPANY, "BHO", ""},
    {FABNOTIFY_PRODUCT, FABNOTIFY_FILE, FABNOTIFY_COMPANY, "BHO", ""},
    {CONTOSOSSO_PRODUCT, CONTOSOSSO_FILE, CONTOSOSSO_COMPANY, "TOOLBAR", ""},
    {TAILSEARCH_PRODUCT, TAILSEARCH_FILE, TAILSEARCH_COMPANY, "TOOLBAR", "06/06/2011 6:06 PM"},
    {demo::kClasslessToolbarClsid, "", "", "TOOLBAR", ""},
    {NWUPDATE_PRODUCT, NWUPDATE_FILE, NWUPDATE_COMPANY, "EXTENSION", ""},
    {"Related", "related.htm", "", "EXTENSION", ""},
    {"Proseware Research", QTASK_FILE, "", "EXTENSION", ""},
};

// The helpers of both views, each registration once; removing one asks first, then takes out every
// registration of its DLL and has the DLL unregister its classes for real.
TEST_F(BrowserAddOns, HelpersOfBothViewsAndRemovingOneWithItsDll) {
    ASSERT_NE(show(kIeHelpersTab), nullptr);
    EXPECT_EQ(column_titles(list_), (std::vector<std::string>{"Name", "Program", "Company", "Type", "First Detected"}));
    ASSERT_TRUE(rows_are(kHelperRows));
    ASSERT_TRUE(select_rows(list_, {3}));
    EXPECT_EQ(status_text(s_.sheet), "Location: HKLM\\" + std::string(demo::kWowBhoKey));
    ASSERT_TRUE(select_rows(list_, {0}));
    EXPECT_EQ(status_text(s_.sheet), "Location: HKLM\\" + std::string(demo::kBhoKey));

    const std::string helper = std::string(demo::kBhoKey) + "\\" + demo::kTailSearchHelperClsid;
    ASSERT_TRUE(post_button(page_, kRemoveButton));
    EXPECT_EQ(answer_next(IDNO).rfind("\nYou have chosen to remove Tailspin Search from the Windows registry.", 0), 0u);
    ASSERT_TRUE(flush_posted(list_));
    EXPECT_TRUE(key_exists(HKEY_LOCAL_MACHINE, helper)) << "No removes nothing";

    ASSERT_TRUE(post_button(page_, kRemoveButton));
    answer_next(IDYES);
    std::vector<Row> left = kHelperRows;
    left.erase(left.begin() + 5);
    left.erase(left.begin());
    EXPECT_TRUE(rows_are(left));
    EXPECT_FALSE(key_exists(HKEY_LOCAL_MACHINE, helper));
    EXPECT_FALSE(read_text(HKEY_LOCAL_MACHINE, demo::kToolbarKey, demo::kTailSearchToolbarClsid));
    EXPECT_TRUE(wait_until([] {
        return !key_exists(HKEY_LOCAL_MACHINE, class_key(demo::kTailSearchHelperClsid)) &&
               !key_exists(HKEY_LOCAL_MACHINE, class_key(demo::kTailSearchToolbarClsid));
    })) << "regsvr32 did not unregister the DLL's classes";
    EXPECT_TRUE(key_exists(HKEY_LOCAL_MACHINE, std::string(demo::kBhoKey) + "\\" + demo::kMissingDllClsid));
    EXPECT_TRUE(file_exists(demo::kTailSearchPath)) << "no file is deleted";
    quit(s_);
}

// The controls the browser used, their kill bits switched in both views; the lists behind the two
// check boxes; a compatibility value that is no number is left alone and the user is told.
TEST_F(BrowserAddOns, ActiveXControlsAndTheirKillBits) {
    ASSERT_NE(show(kActiveXTab), nullptr);
    EXPECT_EQ(column_titles(list_),
              (std::vector<std::string>{"Module", "Command", "Company", "Type", "First Detected", "CLSID"}));
    const std::string clock32 = std::string(demo::kClock32Clsid) + " (32-bit)";
    const Row player{"Contoso Media Player", "CONTOSOSSO.DLL", CONTOSOSSO_COMPANY, "Disabled", "05/05/2011 5:05 PM",
                     demo::kPlayerClsid};
    const Row nameless{"QTASK.EXE", "QTASK.EXE", "", "Enabled", "", demo::kNamelessClsid};
    const Row clock{"Adventure Works Clock Control", "AWCLOCK.EXE", AWCLOCK_COMPANY, "Disabled", "", clock32};
    const Row help{"HHCtrl Object", "HHCTRL.OCX", "Microsoft Corporation", "Enabled", "", demo::kHelpControlClsid};
    ASSERT_TRUE(rows_are({player, nameless, clock, help}));
    EXPECT_TRUE(control_visible(page_, kEnableButton) && !control_visible(page_, kDisableButton))
        << "the first row is switched off: Enable is offered";
    ASSERT_TRUE(select_rows(list_, {2}));
    EXPECT_EQ(status_text(s_.sheet), clock32);

    // Two switched off at once: asked about each, the second declined.
    ASSERT_TRUE(select_rows(list_, {1, 3}));
    EXPECT_TRUE(control_visible(page_, kDisableButton));
    ASSERT_TRUE(post_button(page_, kDisableButton));
    EXPECT_EQ(answer_next(IDYES).rfind("\nDisabling an ActiveX control may cause some applications to fail.", 0), 0u);
    answer_next(IDNO);
    Row nameless_off = nameless, player_on = player, clock_on = clock;
    nameless_off[kTypeColumn] = "Disabled";
    player_on[kTypeColumn] = clock_on[kTypeColumn] = "Enabled";
    EXPECT_TRUE(rows_are({player, nameless_off, clock, help}));
    EXPECT_FALSE(control_visible(page_, kEnableButton) || control_visible(page_, kDisableButton)) << "nothing is selected";
    for (const char* key : {demo::kCompatibilityKey, demo::kWowCompatibilityKey}) {
        EXPECT_EQ(read_dword(HKEY_LOCAL_MACHINE, compat(key, demo::kNamelessClsid), kFlags), 0x400u) << key;
    }
    EXPECT_FALSE(key_exists(HKEY_LOCAL_MACHINE, compat(demo::kCompatibilityKey, demo::kHelpControlClsid)));

    // Switched on again without a question; every other flag stays.
    ASSERT_TRUE(select_rows(list_, {0, 2}));
    ASSERT_TRUE(post_button(page_, kEnableButton));
    EXPECT_TRUE(rows_are({player_on, nameless_off, clock_on, help}));
    EXPECT_EQ(read_dword(HKEY_LOCAL_MACHINE, compat(demo::kCompatibilityKey, demo::kPlayerClsid), kFlags), 0x800000u);
    EXPECT_EQ(read_dword(HKEY_LOCAL_MACHINE, compat(demo::kWowCompatibilityKey, demo::kClock32Clsid), kFlags), 0x2000u);
    EXPECT_FALSE(key_exists(HKEY_LOCAL_MACHINE, compat(demo::kWowCompatibilityKey, demo::kPlayerClsid)))
        << "no key is made to clear a bit that is not set";

    ASSERT_TRUE(click_button(page_, kNonMicrosoftOnly));
    EXPECT_TRUE(rows_are({player_on, nameless_off, clock_on}));
    // Every control of the compatibility keys too: one listed there again, one standing for another
    // class id, and two whose flags are no number.
    ASSERT_TRUE(click_button(page_, kListAll));
    const Row chart{LITHOOK_DESCRIPTION, "LITHOOK.DLL", LITHOOK_COMPANY, "Enabled", "", demo::kChartClsid};
    const Row text_flags{"Fabrikam Notify Control", "FABNOTIFY.DLL", FABNOTIFY_COMPANY, "Enabled", "", demo::kTextFlagsClsid};
    const Row long_flags{"Wingtip Input Control", "WINGINIT.DLL", WINGINIT_COMPANY, "Enabled", "", demo::kLongFlagsClsid};
    ASSERT_TRUE(rows_are({player_on, nameless_off, clock_on, player_on, chart, nameless_off, player_on, text_flags,
                          long_flags, clock_on}));

    ASSERT_TRUE(select_rows(list_, {7}));
    ASSERT_TRUE(post_button(page_, kDisableButton));
    answer_next(IDYES);
    const std::string told = "The kill bit of " + std::string(demo::kTextFlagsClsid) + " could not be changed everywhere";
    EXPECT_EQ(answer_next(IDOK).rfind(told, 0), 0u);
    EXPECT_EQ(read_text(HKEY_LOCAL_MACHINE, compat(demo::kCompatibilityKey, demo::kTextFlagsClsid), kFlags), "1024");
    EXPECT_EQ(read_dword(HKEY_LOCAL_MACHINE, compat(demo::kWowCompatibilityKey, demo::kTextFlagsClsid), kFlags), 0x400u);
    Row text_flags_off = text_flags;
    text_flags_off[kTypeColumn] = "Disabled";  // the 32-bit browser's kill bit counts
    EXPECT_TRUE(rows_are({player_on, nameless_off, clock_on, player_on, chart, nameless_off, player_on, text_flags_off,
                          long_flags, clock_on}));
    quit(s_);
}

}  // namespace
}  // namespace sx::e2e::test
