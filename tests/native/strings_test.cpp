// The string table as the build generates it from res/strings.rc: the texts whose blanks, line breaks
// and backslashes are easy to lose on the way through the resource script.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "res/resource_ids.h"
#include "res/string_table.h"

namespace sx::res {
namespace {

std::string text(unsigned id) {
    std::optional<std::string_view> found = find_string(id);
    return found ? std::string(*found) : "<no string " + std::to_string(id) + ">";
}

TEST(StringTable, KeepsLeadingTrailingAndDoubleBlanks) {
    EXPECT_EQ(text(IDS_DISABLED_MARK), "   Disabled");
    EXPECT_EQ(text(626), "   Disabled");
    EXPECT_EQ(text(IDS_SHOW_ALL_STARTUP), "  Display Secret Startup Locations   ( Advanced mode )");
    EXPECT_EQ(text(IDS_TAB_OPTIONS), " Options  ");
    EXPECT_EQ(text(IDS_TAB_ACTIVEX), " ActiveX ");
    EXPECT_EQ(text(IDS_STARTUP_LOCATION), "Startup Location: ");
    EXPECT_EQ(text(IDS_CONFIRM_SPECIAL_REMOVE), "  Yes, I really know what I'm doing. Please remove.");
    EXPECT_EQ(text(IDS_SYSTEM_NOT_NORMAL),
              "ERROR: Your system is not in its normal condition.  We recommend rebooting to resolve this problem.");
    EXPECT_EQ(text(IDS_IE_HELPERS_HEADER),
              "\nBodo the Windows Watch Dog reports the following IE Helper programs or links  have been installed "
              "and are available to your Internet Explorer browser.");
}

TEST(StringTable, TurnsEscapesIntoLineBreaks) {
    EXPECT_EQ(text(IDS_CONFIRM_REMOVE_STARTUP),
              "\nYou have chosen to remove %s\n\nThis file will not be deleted from your hard drive but it will no "
              "longer run automatically when you start Windows.  \n\nAre you sure you want to remove this startup "
              "entry?");
    EXPECT_EQ(text(IDS_NO_SELECTION),
              "\nNo selection has been made.\n\nClick on the title in the left most column that represents the item "
              "you'd like to learn more about.\nThen click on the Info button or just press the Enter key.");
    EXPECT_EQ(text(IDS_CONFIRM_DELETE_ON_REBOOT),
              "\nIs this known Adware or Spyware?\nThis option should only be used in situations where files can not "
              "be removed using normal tools.      \n \nDeletion will occur the next time you reboot before Windows "
              "is fully loaded.     \nThere is no recovery of files deleted this way.  \n\nAre you sure you want "
              "this file deleted?\n\n");
    EXPECT_EQ(text(IDS_WININIT_LEGEND),
              "NUL=   Indicates the file will be deleted on restart\nREN=   Indicates the file will be renamed.");
    EXPECT_EQ(text(IDS_DEFAULT_CONDITION_WARNING),
              "This setting may be a default condition for Windows to operate normally.\n\nFor your protection it "
              "can not be removed.");
    // Shown in a multi-line edit box, which breaks lines only at CR LF.
    EXPECT_EQ(text(IDS_MICROSOFT_SYSTEM_FILE_NOTE),
              "The file %s appears to be a valid Microsoft system file.  It was found in an undocumented system "
              "startup location and may be critical to your system.\r\n\r\n");
}

TEST(StringTable, KeepsSingleBackslashesOfKeyPaths) {
    EXPECT_EQ(text(IDS_KEY_HTTP_OPEN), "SOFTWARE\\Classes\\HTTP\\shell\\open\\command");
    EXPECT_EQ(text(IDS_KEY_IEXPLORE_APP_PATH),
              "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE");
    EXPECT_EQ(text(IDS_KEY_IE_MAIN), "Software\\Microsoft\\Internet Explorer\\Main");
}

TEST(StringTable, HoldsTheIdentityAndProgramStrings) {
    EXPECT_EQ(text(IDS_MONITOR_NAME), "Sentrix");
    EXPECT_EQ(text(IDS_CLASS_NAME), "SentrixEx");
    EXPECT_EQ(text(IDS_LANGUAGE_CODE), "us");
    EXPECT_EQ(text(IDS_LOADING), "Loading...");
    EXPECT_EQ(text(IDS_SHEET_CAPTION), "SentrixToGo Zentra");
    EXPECT_EQ(text(IDS_ROAM_CAPTION), "Sentrix Roam Edition");
    EXPECT_EQ(text(IDS_FILE_MOVE_FAILED),
              "%s could not be moved into the Disabled folder, so it still starts with Windows.");
    // The automatic-update texts are found by adding the option's value to 1050.
    EXPECT_EQ(text(1050 + 1), "Turn off Automatic Updates.");
    EXPECT_EQ(text(1050 + 4), "Automatically download recommended updates for my computer and install them.");
    EXPECT_FALSE(find_string(1050).has_value());
}

TEST(StringTable, IsSortedWithUniqueIdsAndNoEmptyText) {
    const auto table = string_table();
    ASSERT_GT(table.size(), 150u);
    for (size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(table[i].id);
        EXPECT_FALSE(table[i].text.empty());
        if (i > 0) EXPECT_LT(table[i - 1].id, table[i].id);
        EXPECT_EQ(find_string(table[i].id), table[i].text);
    }
    EXPECT_FALSE(find_string(0).has_value());
    EXPECT_FALSE(find_string(65535).has_value());
}

// A quote written \" or an escape the generator does not translate (\r aside, used above on purpose)
// would reach the program as a backslash followed by a letter or a quote.
TEST(StringTable, NoTextHoldsAStrayEscape) {
    for (const StringEntry& entry : string_table()) {
        SCOPED_TRACE(entry.id);
        for (size_t i = 0; i + 1 < entry.text.size(); ++i) {
            if (entry.text[i] != '\\') continue;
            const char next = entry.text[i + 1];
            EXPECT_NE(next, '"');
            EXPECT_NE(next, 'n');
            EXPECT_NE(next, 't');
            EXPECT_NE(next, 'r');
            EXPECT_NE(next, '\\');
        }
        EXPECT_NE(entry.text.front(), '"');
        EXPECT_NE(entry.text.back(), '\\');
    }
}

}  // namespace
}  // namespace sx::res
