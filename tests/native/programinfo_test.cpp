// Program facts: how a command resolves to its program file, where its note lives, the first-detected
// store and the date texts.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "common/pe_resources.h"
#include "programinfo/file_facts.h"
#include "programinfo/first_detected.h"
#include "programinfo/icon_image.h"
#include "programinfo/notes.h"
#include "programinfo/program_facts.h"
#include "programinfo/version_block.h"
#include "programinfo/resolve.h"
#include "tests/support/fake_platform.h"

namespace sx::programinfo {
namespace {

using platform::LocalTime;
using platform::Root;

class ProgramInfo : public ::testing::Test {
protected:
    fake::FakePlatform fake;
    platform::Platform& os = fake.os;

    void put(Root root, std::string_view key, std::string_view name, std::string_view text) {
        fake.registry.put_text(root, key, name, text);
    }
};

// ---- Resolving a command ----

TEST(ResolveCommand, Forms) {
    const std::pair<std::string, std::string> cases[] = {
        // The kernel form starts in the Windows folder and takes the rest from the twelfth character, whatever
        // comes before the token; without a twelfth character, the folder alone.
        {"\\SystemRoot\\System32\\drivers\\beep.sys", "C:\\WINDOWS\\SYSTEM32\\DRIVERS\\BEEP.SYS"},
        {"\\systemroot\\system32\\smss.exe -x", "C:\\WINDOWS\\SYSTEM32\\SMSS.EXE"},
        {"%SystemRoot%\\notepad.exe", "C:\\WINDOWS%\\NOTEPAD.EXE"}, {"SYSTEMROOT", "C:\\WINDOWS"},
        {"\\SystemRoot", "C:\\WINDOWS"},
        // The program-files form; SYSTEMROOT is looked for first.
        {"%ProgramFiles%\\Acme\\acme.exe /tray", "D:\\APPS\\ACME\\ACME.EXE"}, {"%PROGRAMFILES%", "D:\\APPS"},
        {"\\SystemRoot\\%ProgramFiles%.exe", "C:\\WINDOWS\\%PROGRAMFILES%.EXE"},
        // Quotes and arguments go; a colon after the extension belongs to the arguments.
        {"\"C:\\Program Files\\Acme Tools\\acme.exe\" /background", "C:\\PROGRAM FILES\\ACME TOOLS\\ACME.EXE"},
        {"c:\\tools\\helper.dll,EntryPoint 1", "C:\\TOOLS\\HELPER.DLL"}, {"C:\\a\\b.exe /log:D:\\x.txt", "C:\\A\\B.EXE"},
        // Without a drive letter the text is taken from its start, a leading quote too.
        {"acme.exe -q", "ACME.EXE"}, {"tools\\acme.exe", "TOOLS\\ACME.EXE"}, {"\"acme.exe\" -q", "\"ACME.EXE"},
        // The last drive letter before the extension starts the path.
        {"C:\\loader.bat D:\\real\\app.exe /x", "D:\\REAL\\APP.EXE"}, {"x C:\\a.exe", "C:\\A.EXE"},
        // Only a dot whose second following character is X or L ends the path.
        {"C:\\my.files\\app.exe -a", "C:\\MY.FILES\\APP.EXE"}, {"C:\\beep.sys arg", "C:\\BEEP.SYS ARG"},
        {"C:\\v1.xl\\app.exe", "C:\\V1.XL\\"}, {"C:\\APP.EXE", "C:\\APP.EXE"},
        // Short and odd commands stay inside the text.
        {"", ""}, {".", "."}, {"C:\\app.", "C:\\APP."}, {"C:\\app.e", "C:\\APP.E"}, {"C:\\app.ex", "C:\\APP.EX"},
        {".ex", ".EX"}, {":", ":"}, {":app.exe", ":APP.EXE"}, {"a:", "A:"}, {"\"\"", "\"\""}, {"\"", "\""},
        {"C:\\caf\xE9.exe", "C:\\CAF\xE9.EXE"},
        // Long commands are limited to a path: the extension just past the limit is cut with the rest, and a
        // drive letter beyond it is never seen.
        {"C:\\" + std::string(kPathMax - 7, 'a') + ".exe", "C:\\" + std::string(kPathMax - 7, 'A') + ".EXE"},
        {"C:\\" + std::string(300, 'b') + ".exe", "C:\\" + std::string(kPathMax - 3, 'B')},
        {"C:\\" + std::string(kPathMax - 6, 'c') + ".exe", "C:\\" + std::string(kPathMax - 6, 'C') + ".EX"},
        {std::string(kPathMax, 'd') + "E:\\x.exe", std::string(kPathMax, 'D')},
    };
    for (const auto& [command, path] : cases) EXPECT_EQ(resolve_command(command, "C:\\windows", "D:\\Apps"), path) << command;
    // A long folder put before a long rest is cut too.
    EXPECT_EQ(resolve_command("\\SystemRoot\\" + std::string(200, 'r'), std::string(200, 'w'), {}).size(), kPathMax);
}

TEST_F(ProgramInfo, TheFoldersComeFromThisSystemAndProgramFilesAreFoundInThem) {
    EXPECT_EQ(ResolveProgramPath(os, "%ProgramFiles%\\Acme\\acme.exe"), "C:\\PROGRAM FILES\\ACME\\ACME.EXE");
    // Stored without a terminating zero it reads the same; a value too long for the buffer counts as missing.
    fake.registry.create_key(Root::local_machine, kCurrentVersionKey);
    fake.registry.set(Root::local_machine, kCurrentVersionKey, kProgramFilesValue, platform::reg_type::sz, "F:\\P");
    EXPECT_EQ(ResolveProgramPath(os, "%ProgramFiles%\\a.exe"), "F:\\P\\A.EXE");
    put(Root::local_machine, kCurrentVersionKey, kProgramFilesValue, std::string(kPathMax + 1, 'p'));
    EXPECT_EQ(program_files_dir(os), "C:\\Program Files");
    fake.system.windows = "D:\\WINNT";
    EXPECT_EQ(ResolveProgramPath(os, "\\SystemRoot\\System32\\drivers\\x.sys"), "D:\\WINNT\\SYSTEM32\\DRIVERS\\X.SYS");
    fake.system.windows = "C:\\windows";
    // Program files are found as given or in the Windows folders.
    fake.files.add_file("C:\\Tools\\acme.exe");
    fake.files.add_file("C:\\windows\\regedit.exe");
    fake.files.add_file("C:\\windows\\system32\\Long Helper Name.exe");
    fake.files.add_short_name("C:\\windows\\system32\\Long Helper Name.exe", "C:\\windows\\system32\\LONGHE~1.EXE");
    fake.files.add_file("C:\\windows\\system32\\plain.exe");
    // Only names shorter than 32 characters are looked for in the Windows folders.
    const std::string name31 = std::string(27, 'n') + ".exe", name32 = std::string(28, 'n') + ".exe";
    fake.files.add_file("C:\\windows\\system32\\" + name31);
    fake.files.add_file("C:\\windows\\system32\\" + name32);
    // The Windows folder leaves the text as it was; the system folder gives the short path, which for a name
    // that is short already is the file's own spelling. Folders and empty texts are no program files.
    const std::tuple<std::string, std::string, std::string, bool> cases[] = {  // given, path found, folder, exists
        {"C:\\TOOLS\\ACME.EXE", "C:\\TOOLS\\ACME.EXE", "C:\\TOOLS", true},
        {"REGEDIT.EXE", "REGEDIT.EXE", "C:\\windows", true},
        {"LONG HELPER NAME.EXE", "C:\\windows\\system32\\LONGHE~1.EXE", "C:\\windows\\system32", true},
        {"PLAIN.EXE", "C:\\windows\\system32\\plain.exe", "C:\\windows\\system32", true},
        {name31, "C:\\windows\\system32\\" + name31, "C:\\windows\\system32", true},
        {name32, name32, "", false}, {"MISSING.EXE", "MISSING.EXE", "", false},
        {"C:\\windows", "C:\\windows", "C:\\", false},
        {"system32", "system32", "", false}, {"", "", "", false},
    };
    for (const auto& [given, found, folder, exists] : cases) {
        std::string path = given;
        EXPECT_EQ(ProgramFileExists(os, path), exists) << given;
        EXPECT_EQ(path, found);
        EXPECT_EQ(ProgramFolder(os, given), folder) << given;
    }
    EXPECT_EQ(ProgramFolder(os, "C:\\acme.exe"), "C:\\");
    EXPECT_EQ(ProgramFolder(os, "\\acme.exe"), "\\");
    EXPECT_EQ(full_program_path(os, "plain.exe /x"), "C:\\windows\\system32\\PLAIN.EXE");
    EXPECT_EQ(full_program_path(os, "\"C:\\Tools\\a.exe\" -b"), "C:\\TOOLS\\A.EXE");
    EXPECT_EQ(full_program_path(os, "nowhere.exe"), "NOWHERE.EXE");
    // This program's own folder has no trailing backslash.
    for (auto [program, folder] : {std::pair{"C:\\Program Files\\Sentrix\\SentrixEx.exe", "C:\\Program Files\\Sentrix"},
                                   {"C:\\SentrixEx.exe", "C:"}, {"SentrixEx.exe", ""}}) {
        fake.system.program = program;
        EXPECT_EQ(own_folder(os), folder);
    }
}

// ---- Notes ----

TEST_F(ProgramInfo, NoteNameAndPath) {
    for (auto [command, name] : {std::pair{"\"C:\\Program Files\\Acme\\acme.exe\" /tray", "ACME"}, {"C:\\x\\a=b.exe", "A:B"},
                                 {"helper.dll,Run", "HELPER"}, {"C:\\x\\.exe", ""}, {"C:\\x\\ab", ""}, {"", ""}}) {
        EXPECT_EQ(note_program_name(os, command), name) << command;
    }
    // The note lives beside this program or in the user folder.
    const std::string app_data = "C:\\users\\root\\AppData\\Roaming", user = app_data + "\\Sentrix";
    fake.files.add_folder(app_data);
    // Without AppData, the program folder.
    EXPECT_EQ(NotePath(os, "C:\\Tools\\tool.exe"), "C:\\Program Files\\Sentrix\\note_TOOL.txt");
    // A note beside this program is used first, and no user folder is made for it.
    put(Root::current_user, kShellFoldersKey, kAppDataValue, app_data + "\\");
    fake.files.add_file("C:\\Program Files\\Sentrix\\note_acme.txt", "mine");
    EXPECT_EQ(NotePath(os, "C:\\Tools\\acme.exe -q"), "C:\\Program Files\\Sentrix\\note_ACME.txt");
    EXPECT_FALSE(fake.files.exists(user));
    // Otherwise the user folder is made with its vault (a trailing backslash of AppData changes nothing) ...
    EXPECT_EQ(NotePath(os, "C:\\Tools\\tool.exe"), user + "\\note_TOOL.txt");
    EXPECT_TRUE(fake.files.exists(user + "\\vault"));
    // ... and a missing vault is made beside an existing user folder.
    fake.files.add_folder("D:\\Data\\Sentrix");
    put(Root::current_user, kShellFoldersKey, kAppDataValue, "D:\\Data");
    EXPECT_EQ(NotePath(os, "C:\\Tools\\tool.exe"), "D:\\Data\\Sentrix\\note_TOOL.txt");
    EXPECT_TRUE(fake.files.exists("D:\\Data\\Sentrix\\vault"));
}

// ---- First detected ----

constexpr std::string_view kDetectedStartup = "Software\\Orvane\\Detected\\Startup";
constexpr std::string_view kDetectedTasks = "Software\\Orvane\\Detected\\ActiveTasks";

TEST_F(ProgramInfo, FirstDetectedTexts) {
    EXPECT_EQ(ReadFirstDetected(os, "C:\\A.EXE", 1), "");  // no tree at all
    // Every code below 300 is a startup location; codes without a category of their own are active tasks.
    for (auto [type, category] : {std::pair{INT_MIN, "Startup"}, {299, "Startup"}, {300, "ActiveTasks"}, {701, "Services"},
                                  {702, "ActiveTasks"}, {INT_MAX, "ActiveTasks"}}) {
        EXPECT_EQ(detected_category(type), category) << type;
    }
    put(Root::current_user, kDetectedStartup, "C:\\A.EXE", "12/06/2026 8:22 PM");
    put(Root::current_user, kDetectedStartup, "exact", std::string(23, '7'));
    put(Root::current_user, kDetectedStartup, "one more", std::string(24, '8'));
    fake.registry.set(Root::current_user, kDetectedStartup, "bare23", platform::reg_type::sz, std::string(23, 'x'));
    fake.registry.set(Root::current_user, kDetectedStartup, "bare24", platform::reg_type::sz, std::string(24, 'y'));
    // A DWORD is read as its bytes up to the first zero; an empty key does not read the default value.
    fake.registry.put_dword(Root::current_user, kDetectedStartup, "dword", 0x3231);
    put(Root::current_user, kDetectedStartup, "", "default text");
    put(Root::current_user, kDetectedTasks, "C:\\B.EXE", "01/01/2025 1:00 AM");
    for (auto [key, type, text] : {std::tuple{"C:\\A.EXE", 250, "12/06/2026 8:22 PM"},
                                   {"c:\\a.exe", 7, "12/06/2026 8:22 PM"},
                                   {"C:\\A.EXE", 600, ""}, {"C:\\B.EXE", 3000, "01/01/2025 1:00 AM"}, {"C:\\B.EXE", 7, ""},
                                   {"exact", 1, "77777777777777777777777"}, {"one more", 1, ""},
                                   {"bare23", 1, "xxxxxxxxxxxxxxxxxxxxxxx"}, {"bare24", 1, ""}, {"dword", 1, "12"},
                                   {"", 1, ""}, {"missing", 1, ""}}) {
        EXPECT_EQ(ReadFirstDetected(os, key, type), text) << key;
    }
    // A listed command's date is that of its resolved path.
    put(Root::current_user, kDetectedStartup, "C:\\Program Files\\Acme\\acme.exe", "03/05/2024 2:07 PM");
    EXPECT_EQ(first_detected_text(os, "\"C:\\Program Files\\Acme\\acme.exe\" /tray", 11), "03/05/2024 2:07 PM");
    EXPECT_EQ(first_detected_text(os, "%ProgramFiles%\\Acme\\acme.exe", 1), "03/05/2024 2:07 PM");
    // A command without its folder is looked up under the full path of the file it names.
    fake.files.add_file("C:\\windows\\system32\\helper.exe");
    put(Root::current_user, kDetectedTasks, "C:\\windows\\system32\\helper.exe", "01/02/2025 3:04 AM");
    EXPECT_EQ(first_detected_text(os, "helper.exe -service", 600), "01/02/2025 3:04 AM");
    EXPECT_EQ(first_detected_text(os, "helper.exe", 7), "");
    // Only the monitor records dates.
    EXPECT_EQ(RecordFirstDetected(), 0);
    EXPECT_EQ(first_detected_text(os, "C:\\Tools\\none.exe", 1), "");
    EXPECT_FALSE(fake.registry.has_value(Root::current_user, kDetectedStartup, "C:\\TOOLS\\NONE.EXE"));
}

// ---- Dates ----
// Only the date texts: ReadFileFacts and group_thousands are called by no page yet.

constexpr LocalTime kMarch5{2024, 3, 5, 14, 7, 9};

TEST(FormatLocalDate, EveryDateAndTimePattern) {
    // Any other pattern is the first one.
    for (auto [pattern, date] : {std::pair{"M/d/yyyy", "03/05/2024"}, {"M/d/yy", "03/05/2024"}, {"MM/dd/yy", "03/05/2024"},
                                 {"MM/dd/yyyy", "03/05/2024"}, {"yy/MM/dd", "2024/03/05"}, {"yyyy-MM-dd", "2024-03-05"},
                                 {"dd-MMM-yy", "05-Mar-2024"}, {"d.M.yyyy", "03/05/2024"}, {"", "03/05/2024"},
                                 {"m/d/yyyy", "03/05/2024"}, {"YYYY-MM-DD", "03/05/2024"}}) {
        EXPECT_EQ(format_local_date(pattern, "HH:mm:ss", kMarch5), std::string(date) + " 14:07") << pattern;
    }
    EXPECT_EQ(format_local_date("dd-MMM-yy", "H:mm:ss", LocalTime{1999, 12, 9, 8, 5, 0}), "09-Dec-1999 8:05");
    // Numbers outside the calendar stay within the text's limit.
    EXPECT_EQ(format_local_date("dd-MMM-yy", "HH:mm:ss", LocalTime{2024, 13, 5, 9, 5, 0}), "05--2024 09:05");
    EXPECT_EQ(format_local_date("M/d/yyyy", "h:mm:ss tt", LocalTime{2024, 3, 5, -1, 5, 0}), "03/05/2024 11:05 AM");
    // Any other time pattern is the first one too.
    for (auto [pattern, time] : {std::pair{"h:mm:ss tt", "9:05 AM"}, {"hh:mm:ss tt", "09:05 AM"}, {"H:mm:ss", "9:05"},
                                 {"HH:mm:ss", "09:05"}, {"HH.mm", "9:05 AM"}, {"", "9:05 AM"}, {"HH:mm:ss ", "9:05 AM"}}) {
        const LocalTime morning{2024, 3, 5, 9, 5, 0};
        EXPECT_EQ(format_local_date("yyyy-MM-dd", pattern, morning), std::string("2024-03-05 ") + time) << pattern;
    }
    // The twelve-hour forms around noon and midnight.
    for (auto [hour, minute, h, hh] : {std::tuple{0, 15, "12:15 AM", "12:15 AM"}, {1, 0, "1:00 AM", "01:00 AM"},
                                       {11, 59, "11:59 AM", "11:59 AM"}, {12, 30, "12:30 PM", "12:30 PM"},
                                       {13, 0, "1:00 PM", "01:00 PM"}, {23, 59, "11:59 PM", "11:59 PM"}}) {
        const LocalTime t{2024, 3, 5, hour, minute, 0};
        EXPECT_EQ(format_local_date("M/d/yyyy", "h:mm:ss tt", t), std::string("03/05/2024 ") + h) << hour;
        EXPECT_EQ(format_local_date("M/d/yyyy", "hh:mm:ss tt", t), std::string("03/05/2024 ") + hh) << hour;
    }
    EXPECT_EQ(format_local_date("M/d/yyyy", "HH:mm:ss", LocalTime{2024, 3, 5, 0, 15, 0}), "03/05/2024 00:15");
}

TEST_F(ProgramInfo, FormatLocalDateUsesTheUsersPatterns) {
    auto use = [&](std::string_view date, std::string_view time) {
        put(Root::current_user, kInternationalKey, kShortDateValue, date);
        put(Root::current_user, kInternationalKey, kTimeFormatValue, time);
    };
    EXPECT_EQ(FormatLocalDate(os, kMarch5), "03/05/2024 2:07 PM");
    use("yyyy-MM-dd", "HH:mm:ss");
    EXPECT_EQ(FormatLocalDate(os, kMarch5), "2024-03-05 14:07");
    // Patterns up to 24 characters are read; a longer one reads as missing.
    use("yyyy-MM-dd", "HH:mm:ss" + std::string(16, ' '));
    EXPECT_EQ(FormatLocalDate(os, kMarch5), "2024-03-05 2:07 PM");
    fake.registry.put_dword(Root::current_user, kInternationalKey, kShortDateValue, 7);
    EXPECT_EQ(FormatLocalDate(os, kMarch5), "03/05/2024 2:07 PM");
}

// ---- Icons as list rows show them ----

void put16(std::string& d, uint16_t v) { d += static_cast<char>(v & 0xFF), d += static_cast<char>(v >> 8); }
void put32(std::string& d, uint32_t v) { put16(d, static_cast<uint16_t>(v)), put16(d, static_cast<uint16_t>(v >> 16)); }

// An icon image as a file stores it: a DIB whose rows run from the bottom, then its mask. `colour`
// gives a palette index or a pixel value at (x, y from the top); `clear` the mask bit.
std::string icon_dib(int w, int h, int bits, const std::vector<uint32_t>& palette,
                     const std::function<uint32_t(int, int)>& colour, const std::function<bool(int, int)>& clear) {
    std::string d;
    for (uint32_t v : {40u, static_cast<uint32_t>(w), static_cast<uint32_t>(2 * h)}) put32(d, v);
    put16(d, 1), put16(d, static_cast<uint16_t>(bits));
    for (int i = 0; i < 4; ++i) put32(d, 0);
    put32(d, static_cast<uint32_t>(palette.size())), put32(d, 0);
    for (uint32_t c : palette) put32(d, c);
    // The mask is a one-bit image of its own.
    const auto put_rows = [&](int depth, const std::function<uint32_t(int, int)>& value) {
        for (int y = h - 1; y >= 0; --y) {
            std::string row(static_cast<size_t>((w * depth + 31) / 32 * 4), '\0');
            for (int x = 0; x < w; ++x) {
                const uint32_t v = value(x, y);
                const size_t bit = static_cast<size_t>(x * depth);
                if (depth <= 8) row[bit / 8] = static_cast<char>(row[bit / 8] | (v << (8 - depth - bit % 8)));
                for (int b = 0; depth > 8 && b < depth / 8; ++b) row[bit / 8 + static_cast<size_t>(b)] = static_cast<char>(v >> (8 * b));
            }
            d += row;
        }
    };
    put_rows(bits, colour);
    put_rows(1, [&](int x, int y) { return clear(x, y) ? 1u : 0u; });
    return d;
}

TEST(DecodeIcon, EveryDepthWithItsMaskOrAlphaAndNothingForIncompleteOnes) {
    const auto corner_clear = [](int x, int y) { return x == 0 && y == 0; };
    const auto none_clear = [](int, int) { return false; };
    const auto stripes = [](int x, int) { return static_cast<uint32_t>(x % 2); };
    struct Case {
        const char* name;
        std::string dib;
        uint32_t at_1_0, at_0_0, at_2_15;  // pixels at (1,0), (0,0) and (2,15)
    } cases[] = {
        {"1 bit", icon_dib(16, 16, 1, {0x000000, 0xFFFFFF}, stripes, corner_clear), 0xFFFFFFFF, 0, 0xFF000000},
        {"4 bits", icon_dib(16, 16, 4, std::vector<uint32_t>(16, 0x112233), stripes, corner_clear), 0xFF112233, 0,
         0xFF112233},
        {"8 bits", icon_dib(16, 16, 8, {0x0000FF, 0x00FF00}, stripes, corner_clear), 0xFF00FF00, 0, 0xFF0000FF},
        {"24 bits", icon_dib(16, 16, 24, {}, [](int x, int y) { return uint32_t(x * 16 + y); }, corner_clear),
         0xFF000010, 0, 0xFF00002F},
        // 32 bits with alpha: the mask is ignored; without any alpha, the mask decides.
        {"32 bits, alpha", icon_dib(16, 16, 32, {}, [](int x, int) { return 0x80000000u | uint32_t(x); }, corner_clear),
         0x80000001, 0x80000000, 0x80000002},
        {"32 bits, mask", icon_dib(16, 16, 32, {}, [](int x, int) { return uint32_t(x); }, corner_clear), 0xFF000001, 0,
         0xFF000002},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<IconPixels> icon = decode_icon(c.dib, 16, 16);
        ASSERT_TRUE(icon);
        ASSERT_EQ(icon->argb.size(), 256u);
        EXPECT_EQ(icon->argb[1], c.at_1_0);
        EXPECT_EQ(icon->argb[0], c.at_0_0);
        EXPECT_EQ(icon->argb[15 * 16 + 2], c.at_2_15) << "rows are stored from the bottom";
    }
    // A 32x32 image shrinks to 16x16: each pixel averages four, weighted by their alpha.
    const std::string big = icon_dib(32, 32, 32, {}, [](int x, int) { return x % 2 ? 0xFF0000C8u : 0u; }, none_clear);
    const std::optional<IconPixels> small = decode_icon(big, 16, 16);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->argb[0], 0x7F0000C8u);
    // What is no complete DIB gives nothing.
    const std::string good = icon_dib(16, 16, 8, {0}, [](int, int) { return 0u; }, [](int, int) { return false; });
    std::string compressed = good, wide = good, sixteen = good;
    compressed[16] = 1;
    wide[4] = 0, wide[5] = 2;  // 512 pixels wide
    sixteen[14] = 16;
    ASSERT_TRUE(decode_icon(good, 16, 16));
    for (const std::string& bad : {good.substr(0, good.size() - 1), good.substr(0, 39), compressed, wide, sixteen,
                                   std::string("\x89PNG\r\n\x1a\n") + std::string(64, '\0')}) {
        EXPECT_FALSE(decode_icon(bad, 16, 16));
    }
    EXPECT_FALSE(decode_icon(good, 0, 16));
}

TEST(BestIconId, ClosestSizeThenClosestDepth) {
    auto group = [](std::initializer_list<std::tuple<int, int, int>> entries) {  // size, bits, id
        std::string d;
        put16(d, 0), put16(d, 1), put16(d, static_cast<uint16_t>(entries.size()));
        for (auto [size, bits, id] : entries) {
            d += static_cast<char>(size == 256 ? 0 : size), d += static_cast<char>(size == 256 ? 0 : size);
            d += '\0', d += '\0';
            put16(d, 1), put16(d, static_cast<uint16_t>(bits)), put32(d, 100), put16(d, static_cast<uint16_t>(id));
        }
        return d;
    };
    const std::string icons = group({{32, 32, 1}, {16, 8, 2}, {16, 32, 3}, {256, 32, 4}});
    EXPECT_EQ(best_icon_id(icons, 16, 16), 3);
    EXPECT_EQ(best_icon_id(icons, 32, 32), 1);
    EXPECT_EQ(best_icon_id(icons, 200, 200), 4);
    EXPECT_EQ(best_icon_id(icons, 16, 16, 8), 2);
    EXPECT_EQ(best_icon_id(icons.substr(0, 6 + 14), 16, 16), 1) << "only the entries present count";
    std::string cursors = icons;
    cursors[2] = 2;
    EXPECT_EQ(best_icon_id(cursors, 16, 16), 0);
}

TEST_F(ProgramInfo, ProgramFactsReadTextsAndIconOnce) {
    auto& file = fake.files.add_file("C:\\Tools\\acme.exe", "MZ");
    file.version = make_version_block({{0x0409, 0x04E4}}, {{"040904E4", {{"ProductName", u"Acme Tools"}, {"CompanyName", u"Acme"}}}});
    file.icon = icon_dib(32, 32, 24, {}, [](int, int) { return 0xABCDEFu; }, [](int, int) { return false; });
    const ProgramFacts facts = ReadProgramFacts(os, "C:\\Tools\\acme.exe", {0, 16, 16});
    EXPECT_EQ(facts.versions.CompanyName, "Acme");
    ASSERT_TRUE(facts.icon);
    EXPECT_EQ(facts.icon->argb[0], 0xFFABCDEFu);
    EXPECT_TRUE(facts.icon_resource.empty());
    EXPECT_FALSE(ReadProgramFacts(os, "C:\\Tools\\acme.exe", {-1, 16, 16}).icon) << "no icon was asked for";
    file.icon = "\x89PNG";
    EXPECT_EQ(ReadProgramFacts(os, "C:\\Tools\\acme.exe", {0, 16, 16}).icon_resource, "\x89PNG")
        << "what cannot be decoded here goes to the window as it is";
    EXPECT_EQ(ReadProgramFacts(os, "C:\\Tools\\gone.exe", {0, 16, 16}).versions, VersionTexts{});
}

}  // namespace
}  // namespace sx::programinfo
