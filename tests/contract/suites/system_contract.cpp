// Facts about the system: the adapter under Wine (LANG=C, TZ=UTC) and FakeSystem must agree on all of this.
#include <string>

#include "common/text.h"
#include "res/string_table.h"
#include "tests/contract/contract_env.h"

namespace sx::contract {
namespace {

using SystemContract = ContractTest;

// 2024-03-05 14:07:09 UTC as FILETIME ticks.
constexpr uint64_t kTicksPerSecond = 10000000;
constexpr uint64_t kUnixEpochInTicks = 116444736000000000;
constexpr uint64_t kKnownTime = kUnixEpochInTicks + 1709647629 * kTicksPerSecond;

TEST_F(SystemContract, WindowsAndSystemFolders) {
    EXPECT_EQ(os().system.windows_folder(), "C:\\windows");
    EXPECT_EQ(os().system.system_folder(), "C:\\windows\\system32");
}

TEST_F(SystemContract, ProgramFileIsAnExecutablePath) {
    const std::string program = os().system.program_file();
    EXPECT_TRUE(iequals(program.substr(program.size() < 4 ? 0 : program.size() - 4), ".exe")) << program;
    EXPECT_NE(program.find('\\'), std::string::npos) << program;
}

TEST_F(SystemContract, ExpandReplacesKnownVariablesOnly) {
    EXPECT_EQ(os().system.expand("%SystemRoot%\\system32\\probe.exe"), "C:\\windows\\system32\\probe.exe");
    EXPECT_EQ(os().system.expand("%windir%"), "C:\\windows");
    EXPECT_EQ(os().system.expand("%ProgramFiles%\\App\\app.exe"), "C:\\Program Files\\App\\app.exe");
    EXPECT_EQ(os().system.expand("%SYSTEMROOT%"), "C:\\windows") << "names ignore case";
    EXPECT_EQ(os().system.expand("%NOSUCHVAR%\\x"), "%NOSUCHVAR%\\x");
    EXPECT_EQ(os().system.expand("100% sure"), "100% sure");
    EXPECT_EQ(os().system.expand("plain"), "plain");
    EXPECT_EQ(os().system.expand(""), "");
    const std::string long_text(5000, 'a');
    EXPECT_EQ(os().system.expand(long_text), long_text);
}

TEST_F(SystemContract, ToAnsiUsesCodePage1252) {
    EXPECT_EQ(os().system.to_ansi(u"A\u00e9\u2122"), "A\xe9\x99");
    EXPECT_EQ(os().system.to_ansi(u""), "");
    EXPECT_EQ(os().system.to_ansi(u"\u20ac\u201c\u201d\u2013\u0160\u0178"), "\x80\x93\x94\x96\x8a\x9f");
    EXPECT_EQ(os().system.to_ansi(u"\u4e2d"), "?") << "no such character in the code page";
    EXPECT_EQ(os().system.to_ansi(u"a\U0001F600b"), "a??b") << "one byte per UTF-16 unit";
    EXPECT_EQ(os().system.to_ansi(std::u16string(u"a\0b", 3)), std::string("a\0b", 3));
}

TEST_F(SystemContract, ToAnsiMapsTheWholeHighHalfOfCodePage1252) {
    // Characters 0x80-0x9F of code page 1252 in order; U+FFFF marks the five unused places.
    const char16_t kHigh[32] = {u'\u20ac', u'\uffff', u'\u201a', u'\u0192', u'\u201e', u'\u2026', u'\u2020',
                                u'\u2021', u'\u02c6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\uffff',
                                u'\u017d', u'\uffff', u'\uffff', u'\u2018', u'\u2019', u'\u201c', u'\u201d',
                                u'\u2022', u'\u2013', u'\u2014', u'\u02dc', u'\u2122', u'\u0161', u'\u203a',
                                u'\u0153', u'\uffff', u'\u017e', u'\u0178'};
    for (int i = 0; i < 32; ++i) {
        const std::string byte(1, static_cast<char>(0x80 + i));
        const std::u16string control(1, static_cast<char16_t>(0x80 + i));
        if (kHigh[i] == u'\uffff') {
            EXPECT_EQ(os().system.to_ansi(control), byte) << "an unused place stands for itself: " << i;
        } else {
            EXPECT_EQ(os().system.to_ansi(std::u16string(1, kHigh[i])), byte) << i;
            EXPECT_EQ(os().system.to_ansi(control), "?") << "the C1 control " << i << " has no place";
        }
    }
    std::u16string latin;
    std::string bytes;
    for (int c = 0xA0; c < 0x100; ++c) {
        latin += static_cast<char16_t>(c);
        bytes += static_cast<char>(c);
    }
    EXPECT_EQ(os().system.to_ansi(latin), bytes);
}

TEST_F(SystemContract, ToLocalConvertsFileTimesInUtc) {
    std::optional<platform::LocalTime> t = os().system.to_local(kKnownTime);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->year, 2024);
    EXPECT_EQ(t->month, 3);
    EXPECT_EQ(t->day, 5);
    EXPECT_EQ(t->hour, 14);
    EXPECT_EQ(t->minute, 7);
    EXPECT_EQ(t->second, 9);
}

TEST_F(SystemContract, ToLocalTakesTimesUpTo2Pow63) {
    std::optional<platform::LocalTime> start = os().system.to_local(0);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->year, 1601);
    EXPECT_EQ(start->month, 1);
    EXPECT_EQ(start->day, 1);
    EXPECT_EQ(start->hour, 0);
    EXPECT_EQ(start->second, 0);
    EXPECT_TRUE(os().system.to_local(0x7FFFFFFFFFFFFFFFull).has_value());
    EXPECT_EQ(os().system.to_local(0x8000000000000000ull), std::nullopt);
    EXPECT_EQ(os().system.to_local(0xFFFFFFFFFFFFFFFFull), std::nullopt);
}

TEST_F(SystemContract, NowIsAPlausibleDate) {
    const platform::LocalTime t = os().system.now();
    EXPECT_GE(t.year, 2020);
    EXPECT_GE(t.month, 1);
    EXPECT_LE(t.month, 12);
    EXPECT_GE(t.day, 1);
    EXPECT_LE(t.day, 31);
    EXPECT_LE(t.hour, 23);
    EXPECT_LE(t.minute, 59);
    EXPECT_LE(t.second, 59);
}

TEST_F(SystemContract, VersionIsTheNtFamily) {
    const platform::OsVersion v = os().system.version();
    EXPECT_EQ(v.platform, 2);
    EXPECT_GE(v.major, 5);
}

TEST_F(SystemContract, ResourceStringsAreTheStringTable) {
    for (const res::StringEntry& entry : res::string_table()) {
        EXPECT_EQ(os().system.resource_string(entry.id).value_or(""), entry.text) << "string " << entry.id;
    }
}

TEST_F(SystemContract, MissingResourceStringIsEmpty) {
    EXPECT_EQ(os().system.resource_string(64999), std::nullopt);
}

}  // namespace
}  // namespace sx::contract
