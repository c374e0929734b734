// Facts about the system: the adapter under Wine (LANG=C, TZ=UTC) and FakeSystem must agree on all of this.
#include <regex>
#include <string>

#include "common/text.h"
#include "res/string_table.h"
#include "tests/contract/contract_env.h"

namespace sx::contract {
namespace {

using SystemContract = ContractTest;

TEST_F(SystemContract, FoldersProgramFileAndVersion) {
    EXPECT_EQ(os().system.windows_folder(), "C:\\windows");
    EXPECT_EQ(os().system.system_folder(), "C:\\windows\\system32");
    // The user's own, with the closing backslash GetTempPathA gives.
    EXPECT_TRUE(std::regex_match(os().system.temp_folder(), std::regex(R"(C:\\users\\[^\\]+\\Temp\\)")))
        << os().system.temp_folder();
    EXPECT_TRUE(std::regex_match(os().system.program_file(), std::regex(R"(.*\\.*\.exe)", std::regex::icase)))
        << os().system.program_file();
    EXPECT_EQ(os().system.version().platform, 2) << "the NT family";
    EXPECT_GE(os().system.version().major, 5);
    // The temporary folder's user, as a file name may take it.
    const std::string user = os().system.user_name();
    EXPECT_TRUE(std::regex_match(user, std::regex(R"([^\\/:*?"<>|]+)"))) << user;
    EXPECT_NE(os().system.temp_folder().find("\\" + user + "\\"), std::string::npos) << user;
}

TEST_F(SystemContract, ExpandReplacesKnownVariablesOnly) {
    const std::string long_text(5000, 'a');
    const std::pair<std::string, std::string> kCases[] = {
        {"%SystemRoot%\\system32\\probe.exe", "C:\\windows\\system32\\probe.exe"},
        {"%windir%", "C:\\windows"},
        {"%ProgramFiles%\\App\\app.exe", "C:\\Program Files\\App\\app.exe"},
        {"%SYSTEMROOT%", "C:\\windows"},  // names ignore case
        {"%NOSUCHVAR%\\x", "%NOSUCHVAR%\\x"},
        {"100% sure", "100% sure"},
        {"", ""},
        {long_text, long_text},
    };
    for (const auto& [text, expanded] : kCases) EXPECT_EQ(os().system.expand(text), expanded) << text.substr(0, 20);
}

TEST_F(SystemContract, ToAnsiUsesCodePage1252) {
    EXPECT_EQ(os().system.to_ansi(u""), "");
    EXPECT_EQ(os().system.to_ansi(u"\u4e2d"), "?") << "no such character in the code page";
    EXPECT_EQ(os().system.to_ansi(u"a\U0001F600b"), "a??b") << "one byte per UTF-16 unit";
    EXPECT_EQ(os().system.to_ansi(std::u16string(u"a\0b", 3)), std::string("a\0b", 3));
    // Code page 1252 from 0x80 on: 0x80-0x9F as below (U+FFFF marks the five unused places, which stand
    // for themselves), then Latin-1. The C1 control at a used place has no place of its own.
    const std::u16string kHigh = u"\u20ac\uffff\u201a\u0192\u201e\u2026\u2020\u2021\u02c6\u2030\u0160\u2039\u0152"
                                 u"\uffff\u017d\uffff\uffff\u2018\u2019\u201c\u201d\u2022\u2013\u2014\u02dc\u2122"
                                 u"\u0161\u203a\u0153\uffff\u017e\u0178";
    for (int byte = 0x80; byte < 0x100; ++byte) {
        const char16_t own = static_cast<char16_t>(byte);
        const char16_t mapped = byte < 0xA0 && kHigh[byte - 0x80] != u'\uffff' ? kHigh[byte - 0x80] : own;
        const std::string ansi(1, static_cast<char>(byte));
        EXPECT_EQ(os().system.to_ansi(std::u16string(1, mapped)), ansi) << byte;
        EXPECT_EQ(os().system.to_ansi(std::u16string(1, own)), mapped == own ? ansi : "?") << "U+" << byte;
    }
}

std::string text_of(const std::optional<platform::LocalTime>& t) {
    return t ? format("%04d-%02d-%02d %02d:%02d:%02d", t->year, t->month, t->day, t->hour, t->minute, t->second)
             : "none";
}

// File times in UTC, from the first tick up to 2^63; now() is a real date too.
TEST_F(SystemContract, ToLocalConvertsFileTimes) {
    constexpr uint64_t kUnixEpochInTicks = 116444736000000000;
    const std::pair<uint64_t, std::string> kCases[] = {
        {kUnixEpochInTicks + 1709647629ull * 10000000, "2024-03-05 14:07:09"},
        {0, "1601-01-01 00:00:00"},
        {0x8000000000000000ull, "none"},
        {0xFFFFFFFFFFFFFFFFull, "none"},
    };
    for (const auto& [ticks, text] : kCases) EXPECT_EQ(text_of(os().system.to_local(ticks)), text) << ticks;
    EXPECT_TRUE(os().system.to_local(0x7FFFFFFFFFFFFFFFull).has_value());
    const platform::LocalTime now = os().system.now();
    EXPECT_TRUE(now.year >= 2020 && now.month >= 1 && now.month <= 12 && now.day >= 1 && now.day <= 31 &&
                now.hour >= 0 && now.hour <= 23 && now.minute >= 0 && now.minute <= 59 && now.second >= 0 &&
                now.second <= 59)
        << text_of(now);
}

TEST_F(SystemContract, ResourceStringsAreTheStringTable) {
    for (const res::StringEntry& entry : res::string_table()) {
        EXPECT_EQ(os().system.resource_string(entry.id).value_or(""), entry.text) << "string " << entry.id;
    }
    EXPECT_EQ(os().system.resource_string(64999), std::nullopt);
}

// What the reports print about the machine: the true version, memory beyond 32 bits, the user.
TEST_F(SystemContract, MachineFacts) {
    const platform::OsDetails v = os().system.os_details();
    EXPECT_EQ(v.platform, 2);
    EXPECT_GE(v.major, 6);
    EXPECT_GT(v.build, 0u);
    EXPECT_TRUE(v.product_type >= 1 && v.product_type <= 3) << v.product_type;
    const platform::MemoryStatus m = os().system.memory();
    EXPECT_LE(m.load, 100u);
    EXPECT_GT(m.available_physical, 0u);
    EXPECT_GT(m.available_virtual, uint64_t{1} << 32) << "a 64-bit process";
    EXPECT_EQ(os().system.boot_mode(), 0);
}

TEST_F(SystemContract, ToUtf16IsTheReverseOfToAnsi) {
    std::string every;
    for (int byte = 1; byte < 0x100; ++byte) every += static_cast<char>(byte);
    const std::u16string wide = os().system.to_utf16(every);
    ASSERT_EQ(wide.size(), every.size());
    EXPECT_EQ(os().system.to_ansi(wide), every);
    EXPECT_EQ(wide[0x80 - 1], u'\u20ac');
    EXPECT_EQ(os().system.to_utf16(""), u"");
}

}  // namespace
}  // namespace sx::contract
