// Program facts: how a command resolves to its program file, where its note lives, the first-detected
// store and the date texts.
#include <gtest/gtest.h>

#include <climits>

#include "programinfo/file_facts.h"
#include "programinfo/first_detected.h"
#include "programinfo/notes.h"
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
    const std::pair<const char*, const char*> cases[] = {
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
    };
    for (auto [command, path] : cases) EXPECT_EQ(resolve_command(command, "C:\\windows", "D:\\Apps"), path) << command;
}

TEST(ResolveCommand, LongCommandsAreLimitedToAPath) {
    auto resolve = [](const std::string& command) { return resolve_command(command, "C:\\windows", "D:\\Apps"); };
    const std::string exact = "C:\\" + std::string(252, 'a') + ".exe";
    ASSERT_EQ(exact.size(), kPathMax);
    EXPECT_EQ(resolve(exact), "C:\\" + std::string(252, 'A') + ".EXE");
    EXPECT_EQ(resolve("C:\\" + std::string(300, 'b') + ".exe"), "C:\\" + std::string(kPathMax - 3, 'B'));
    // The extension just past the limit is cut with the rest; a drive letter beyond it is never seen.
    EXPECT_EQ(resolve("C:\\" + std::string(253, 'c') + ".exe"), "C:\\" + std::string(253, 'C') + ".EX");
    EXPECT_EQ(resolve(std::string(kPathMax, 'd') + "E:\\x.exe"), std::string(kPathMax, 'D'));
    // A long folder put before a long rest is cut too.
    EXPECT_EQ(resolve_command("\\SystemRoot\\" + std::string(200, 'r'), std::string(200, 'w'), {}).size(), kPathMax);
}

TEST_F(ProgramInfo, TheFoldersComeFromThisSystem) {
    EXPECT_EQ(ResolveProgramPath(os, "%ProgramFiles%\\Acme\\acme.exe"), "C:\\PROGRAM FILES\\ACME\\ACME.EXE");
    // Stored without a terminating zero it reads the same; a value too long for the buffer counts as missing.
    fake.registry.create_key(Root::local_machine, kCurrentVersionKey);
    fake.registry.set(Root::local_machine, kCurrentVersionKey, kProgramFilesValue, platform::reg_type::sz, "F:\\P");
    EXPECT_EQ(ResolveProgramPath(os, "%ProgramFiles%\\a.exe"), "F:\\P\\A.EXE");
    put(Root::local_machine, kCurrentVersionKey, kProgramFilesValue, std::string(kPathMax + 1, 'p'));
    EXPECT_EQ(program_files_dir(os), "C:\\Program Files");
    fake.system.windows = "D:\\WINNT";
    EXPECT_EQ(ResolveProgramPath(os, "\\SystemRoot\\System32\\drivers\\x.sys"), "D:\\WINNT\\SYSTEM32\\DRIVERS\\X.SYS");
}

TEST_F(ProgramInfo, ProgramFilesAreFoundAsGivenOrInTheWindowsFolders) {
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
    const struct {
        std::string given, path, folder;
        bool exists;
    } cases[] = {
        {"C:\\TOOLS\\ACME.EXE", "C:\\TOOLS\\ACME.EXE", "C:\\TOOLS", true},
        {"REGEDIT.EXE", "REGEDIT.EXE", "C:\\windows", true},
        {"LONG HELPER NAME.EXE", "C:\\windows\\system32\\LONGHE~1.EXE", "C:\\windows\\system32", true},
        {"PLAIN.EXE", "C:\\windows\\system32\\plain.exe", "C:\\windows\\system32", true},
        {name31, "C:\\windows\\system32\\" + name31, "C:\\windows\\system32", true},
        {name32, name32, "", false}, {"MISSING.EXE", "MISSING.EXE", "", false},
        {"C:\\windows", "C:\\windows", "C:\\", false},
        {"system32", "system32", "", false}, {"", "", "", false},
    };
    for (const auto& c : cases) {
        std::string path = c.given;
        EXPECT_EQ(ProgramFileExists(os, path), c.exists) << c.given;
        EXPECT_EQ(path, c.path);
        EXPECT_EQ(ProgramFolder(os, c.given), c.folder) << c.given;
    }
    EXPECT_EQ(ProgramFolder(os, "C:\\acme.exe"), "C:\\");
    EXPECT_EQ(ProgramFolder(os, "\\acme.exe"), "\\");
    EXPECT_EQ(full_program_path(os, "plain.exe /x"), "C:\\windows\\system32\\PLAIN.EXE");
    EXPECT_EQ(full_program_path(os, "\"C:\\Tools\\a.exe\" -b"), "C:\\TOOLS\\A.EXE");
    EXPECT_EQ(full_program_path(os, "nowhere.exe"), "NOWHERE.EXE");
}

TEST_F(ProgramInfo, OwnFolderHasNoTrailingBackslash) {
    for (auto [program, folder] : {std::pair{"C:\\Program Files\\Sentrix\\SentrixEx.exe", "C:\\Program Files\\Sentrix"},
                                   {"C:\\SentrixEx.exe", "C:"}, {"SentrixEx.exe", ""}}) {
        fake.system.program = program;
        EXPECT_EQ(own_folder(os), folder);
    }
}

// ---- Notes ----

TEST_F(ProgramInfo, NoteProgramNameComesFromTheResolvedPath) {
    for (auto [command, name] : {std::pair{"\"C:\\Program Files\\Acme\\acme.exe\" /tray", "ACME"}, {"C:\\x\\a=b.exe", "A:B"},
                                 {"helper.dll,Run", "HELPER"}, {"C:\\x\\.exe", ""}, {"C:\\x\\ab", ""}, {"", ""}}) {
        EXPECT_EQ(note_program_name(os, command), name) << command;
    }
}

TEST_F(ProgramInfo, NotePathBesideThisProgramOrInTheUserFolder) {
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

TEST(DetectedCategory, OfTypeCodes) {
    // Every code below 300 is a startup location; codes without a category of their own are active tasks.
    for (auto [type, category] : {std::pair{INT_MIN, "Startup"}, {299, "Startup"}, {300, "ActiveTasks"}, {701, "Services"},
                                  {702, "ActiveTasks"}, {INT_MAX, "ActiveTasks"}}) {
        EXPECT_EQ(detected_category(type), category) << type;
    }
}

TEST_F(ProgramInfo, FirstDetectedTextsOfACategoryMustFitTheBuffer) {
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
}

TEST_F(ProgramInfo, FirstDetectedOfAListedCommandIsThatOfItsResolvedPath) {
    EXPECT_EQ(ReadFirstDetected(os, "C:\\A.EXE", 1), "");  // no tree at all
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

TEST(FormatLocalDate, EveryShortDatePattern) {
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
}

TEST(FormatLocalDate, EveryTimePattern) {
    // Any other pattern is the first one.
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

}  // namespace
}  // namespace sx::programinfo
