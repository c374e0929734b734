#include <gtest/gtest.h>

#include "res/resource_ids.h"

#include <climits>
#include <string>

#include "common/state.h"
#include "programinfo/file_facts.h"
#include "res/string_table.h"
#include "settings/store.h"
#include "settings/strings.h"
#include "tests/support/fake_platform.h"

namespace sx::programinfo {
namespace {

using platform::LocalTime;
using platform::Root;

constexpr LocalTime kMarch5{2024, 3, 5, 14, 7, 9};
// 2024-03-05 14:07:09, 2023-12-31 00:15:00 and 2001-07-04 12:30:00 UTC as file times.
constexpr uint64_t kMarch5Ticks = 133541212290000000ULL;
constexpr uint64_t kNewYearsEveTicks = 133484553000000000ULL;
constexpr uint64_t kJuly4Ticks = 126387234000000000ULL;

TEST(FormatLocalDate, EveryShortDatePattern) {
    struct Row {
        const char* pattern;
        const char* date;
    };
    const Row rows[] = {
        {"M/d/yyyy", "03/05/2024"},  {"M/d/yy", "03/05/2024"},   {"MM/dd/yy", "03/05/2024"},
        {"MM/dd/yyyy", "03/05/2024"}, {"yy/MM/dd", "2024/03/05"}, {"yyyy-MM-dd", "2024-03-05"},
        {"dd-MMM-yy", "05-Mar-2024"}, {"d.M.yyyy", "03/05/2024"}, {"", "03/05/2024"},
        {"m/d/yyyy", "03/05/2024"},   {"YYYY-MM-DD", "03/05/2024"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(format_local_date(row.pattern, "HH:mm:ss", kMarch5), std::string(row.date) + " 14:07") << row.pattern;
    }
}

TEST(FormatLocalDate, MonthAbbreviations) {
    const char* names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int month = 1; month <= 12; ++month) {
        LocalTime t{1999, month, 9, 8, 5, 0};
        EXPECT_EQ(format_local_date("dd-MMM-yy", "H:mm:ss", t), std::string("09-") + names[month - 1] + "-1999 8:05");
    }
}

TEST(FormatLocalDate, EveryTimePattern) {
    const LocalTime morning{2024, 3, 5, 9, 5, 0};
    EXPECT_EQ(format_local_date("yyyy-MM-dd", "h:mm:ss tt", morning), "2024-03-05 9:05 AM");
    EXPECT_EQ(format_local_date("yyyy-MM-dd", "hh:mm:ss tt", morning), "2024-03-05 09:05 AM");
    EXPECT_EQ(format_local_date("yyyy-MM-dd", "H:mm:ss", morning), "2024-03-05 9:05");
    EXPECT_EQ(format_local_date("yyyy-MM-dd", "HH:mm:ss", morning), "2024-03-05 09:05");
    // Any other pattern is the first one.
    EXPECT_EQ(format_local_date("yyyy-MM-dd", "HH.mm", morning), "2024-03-05 9:05 AM");
    EXPECT_EQ(format_local_date("yyyy-MM-dd", "", morning), "2024-03-05 9:05 AM");
    EXPECT_EQ(format_local_date("yyyy-MM-dd", "HH:mm:ss ", morning), "2024-03-05 9:05 AM");
}

TEST(FormatLocalDate, TwelveHourFormsAroundNoonAndMidnight) {
    struct Row {
        int hour, minute;
        const char* h;
        const char* hh;
    };
    const Row rows[] = {
        {0, 15, "12:15 AM", "12:15 AM"}, {1, 0, "1:00 AM", "01:00 AM"},   {11, 59, "11:59 AM", "11:59 AM"},
        {12, 30, "12:30 PM", "12:30 PM"}, {13, 0, "1:00 PM", "01:00 PM"}, {23, 59, "11:59 PM", "11:59 PM"},
    };
    for (const Row& row : rows) {
        const LocalTime t{2024, 3, 5, row.hour, row.minute, 0};
        EXPECT_EQ(format_local_date("M/d/yyyy", "h:mm:ss tt", t), std::string("03/05/2024 ") + row.h) << row.hour;
        EXPECT_EQ(format_local_date("M/d/yyyy", "hh:mm:ss tt", t), std::string("03/05/2024 ") + row.hh) << row.hour;
    }
    EXPECT_EQ(format_local_date("M/d/yyyy", "HH:mm:ss", LocalTime{2024, 3, 5, 0, 15, 0}), "03/05/2024 00:15");
}

TEST(FormatLocalDate, NumbersOutsideTheCalendarStayWithinTheLimit) {
    const LocalTime bad[] = {
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN},
        {-1, 0, 0, -1, -1, -1},
        {2024, 13, 40, 25, 61, 61},
    };
    for (const LocalTime& t : bad) {
        for (const char* date : {"M/d/yyyy", "dd-MMM-yy", "yyyy-MM-dd"}) {
            for (const char* time : {"h:mm:ss tt", "HH:mm:ss"}) {
                EXPECT_LE(format_local_date(date, time, t).size(), kFactTextMax);
            }
        }
    }
    EXPECT_EQ(format_local_date("dd-MMM-yy", "HH:mm:ss", LocalTime{2024, 13, 5, 9, 5, 0}), "05--2024 09:05");
    EXPECT_EQ(format_local_date("M/d/yyyy", "h:mm:ss tt", LocalTime{2024, 3, 5, -1, 5, 0}), "03/05/2024 11:05 AM");
}

class FactsOnPlatform : public ::testing::Test {
protected:
    void use_formats(std::string_view date, std::string_view time) {
        fp.registry.put_text(Root::current_user, kInternationalKey, kShortDateValue, date);
        fp.registry.put_text(Root::current_user, kInternationalKey, kTimeFormatValue, time);
    }

    fake::FakePlatform fp;
    platform::Platform& os = fp.os;
    AppState app{fp.os};
};

TEST_F(FactsOnPlatform, FormatLocalDateUsesTheUsersPatterns) {
    EXPECT_EQ(FormatLocalDate(os, kMarch5), "03/05/2024 2:07 PM");
    use_formats("yyyy-MM-dd", "HH:mm:ss");
    EXPECT_EQ(FormatLocalDate(os, kMarch5), "2024-03-05 14:07");
    // Patterns up to 24 characters are read; a longer one reads as missing.
    use_formats("yyyy-MM-dd", "HH:mm:ss" + std::string(16, ' '));
    EXPECT_EQ(FormatLocalDate(os, kMarch5), "2024-03-05 2:07 PM");
    fp.registry.put_dword(Root::current_user, kInternationalKey, kShortDateValue, 7);
    EXPECT_EQ(FormatLocalDate(os, kMarch5), "03/05/2024 2:07 PM");
}

TEST(GroupThousands, CommasBetweenGroupsOfThree) {
    EXPECT_EQ(group_thousands(0), "0");
    EXPECT_EQ(group_thousands(999), "999");
    EXPECT_EQ(group_thousands(1000), "1,000");
    EXPECT_EQ(group_thousands(100000), "100,000");
    EXPECT_EQ(group_thousands(1234567), "1,234,567");
    EXPECT_EQ(group_thousands(UINT64_MAX), "18,446,744,073,709,551,615");
}

TEST_F(FactsOnPlatform, TimesSizeAndFirstDetected) {
    use_formats("yyyy-MM-dd", "HH:mm:ss");
    auto& file = fp.files.add_file("C:\\Tools\\acme.exe");
    file.facts.created = kJuly4Ticks;
    file.facts.accessed = kMarch5Ticks;
    file.facts.written = kNewYearsEveTicks;
    file.facts.size = 1234567;
    fp.registry.put_text(Root::current_user, "Software\\Orvane\\Detected\\Services", "C:\\Tools\\acme.exe",
                         "2020-01-02 03:04");

    FileFactTexts facts;
    ASSERT_TRUE(ReadFileFacts(app, "C:\\Tools\\acme.exe", 700, facts));
    EXPECT_EQ(facts.created, "2001-07-04 12:30");
    EXPECT_EQ(facts.accessed, "2024-03-05 14:07");
    EXPECT_EQ(facts.written, "2023-12-31 00:15");
    EXPECT_EQ(facts.size, "1,234,567");
    EXPECT_EQ(facts.first_detected, "2020-01-02 03:04");

    // Another type code reads another category.
    ASSERT_TRUE(ReadFileFacts(app, "C:\\Tools\\acme.exe", 7, facts));
    EXPECT_EQ(facts.first_detected, "");
}

TEST_F(FactsOnPlatform, TimesTheSystemCannotConvertAreEmpty) {
    // FileTimeToSystemTime refuses times beyond 2^63 - 1; time 0 is a valid date.
    auto& file = fp.files.add_file("C:\\Tools\\acme.exe");
    file.facts.created = kJuly4Ticks;
    file.facts.accessed = UINT64_MAX;
    file.facts.written = 0;
    file.facts.size = 0;
    FileFactTexts facts;
    ASSERT_TRUE(ReadFileFacts(app, "C:\\Tools\\acme.exe", 7, facts));
    EXPECT_EQ(facts.created, "07/04/2001 12:30 PM");
    EXPECT_EQ(facts.accessed, "");
    EXPECT_EQ(facts.written, "01/01/1601 12:00 AM");
    EXPECT_EQ(facts.size, "0");
}

TEST_F(FactsOnPlatform, FilesThatDoNotOpenHaveNoFacts) {
    FileFactTexts facts;
    facts.size = "stale";
    EXPECT_FALSE(ReadFileFacts(app, "C:\\Tools\\missing.exe", 7, facts));
    EXPECT_EQ(facts.size, "");
    fp.files.add_file("C:\\Tools\\busy.exe").locked = true;
    EXPECT_FALSE(ReadFileFacts(app, "C:\\Tools\\busy.exe", 7, facts));
}

// A file system whose files open but never tell their size.
class SizelessFiles : public fake::FakeFiles {
public:
    std::optional<platform::FileFacts> facts(std::string_view path) override {
        std::optional<platform::FileFacts> f = FakeFiles::facts(path);
        if (f) f->size.reset();
        return f;
    }
};

TEST(FileFactsSize, UnreadableSizeShowsFileInUse) {
    fake::FakePlatform fp;
    SizelessFiles files;
    files.add_file("C:\\Tools\\acme.exe").facts.created = kMarch5Ticks;
    platform::Platform os{fp.registry, files, fp.profile, fp.shell, fp.processes, fp.system, fp.prompts};
    AppState app(os);

    // Through the string loader: an override applies in other languages.
    app.language_id = 7;
    fp.registry.put_text(Root::local_machine, settings::kSentrixKey, "LString923", "Datei belegt");
    FileFactTexts facts;
    ASSERT_TRUE(ReadFileFacts(app, "C:\\Tools\\acme.exe", 7, facts));
    EXPECT_EQ(facts.size, "Datei belegt");
    EXPECT_EQ(facts.created, "03/05/2024 2:07 PM");

    app.language_id = settings::kLanguageEnglish;
    ASSERT_TRUE(ReadFileFacts(app, "C:\\Tools\\acme.exe", 7, facts));
    EXPECT_EQ(facts.size, std::string(res::find_string(IDS_FILE_IN_USE).value_or("")).substr(0, kFactTextMax));
}

}  // namespace
}  // namespace sx::programinfo
