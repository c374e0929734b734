#include <gtest/gtest.h>

#include <string>

#include "programinfo/resolve.h"
#include "tests/support/fake_platform.h"

namespace sx::programinfo {
namespace {

using platform::Root;

std::string core(std::string_view command) { return resolve_command(command, "C:\\windows", "C:\\Program Files"); }

TEST(ResolveCommand, KernelFormStartsInTheWindowsFolder) {
    EXPECT_EQ(core("\\SystemRoot\\System32\\drivers\\beep.sys"), "C:\\WINDOWS\\SYSTEM32\\DRIVERS\\BEEP.SYS");
    EXPECT_EQ(core("\\systemroot\\system32\\smss.exe -x"), "C:\\WINDOWS\\SYSTEM32\\SMSS.EXE");
    // The rest is taken from the twelfth character whatever comes before the token.
    EXPECT_EQ(core("%SystemRoot%\\notepad.exe"), "C:\\WINDOWS%\\NOTEPAD.EXE");
    // Too short to have a twelfth character: the folder alone.
    EXPECT_EQ(core("SYSTEMROOT"), "C:\\WINDOWS");
    EXPECT_EQ(core("\\SystemRoot"), "C:\\WINDOWS");
}

TEST(ResolveCommand, ProgramFilesFormUsesTheGivenFolder) {
    EXPECT_EQ(resolve_command("%ProgramFiles%\\Acme\\acme.exe /tray", "C:\\windows", "D:\\Apps"),
              "D:\\APPS\\ACME\\ACME.EXE");
    EXPECT_EQ(resolve_command("%PROGRAMFILES%", "C:\\windows", "D:\\Apps"), "D:\\APPS");
    // SYSTEMROOT is looked for first.
    EXPECT_EQ(resolve_command("\\SystemRoot\\%ProgramFiles%.exe", "C:\\windows", "D:\\Apps"),
              "C:\\WINDOWS\\%PROGRAMFILES%.EXE");
}

TEST(ResolveCommand, QuotesAndArgumentsAreDropped) {
    EXPECT_EQ(core("\"C:\\Program Files\\Acme Tools\\acme.exe\" /background"),
              "C:\\PROGRAM FILES\\ACME TOOLS\\ACME.EXE");
    EXPECT_EQ(core("c:\\tools\\helper.dll,EntryPoint 1"), "C:\\TOOLS\\HELPER.DLL");
    // A colon after the extension belongs to the arguments.
    EXPECT_EQ(core("C:\\a\\b.exe /log:D:\\x.txt"), "C:\\A\\B.EXE");
}

TEST(ResolveCommand, WithoutDriveLetterTheTextIsTakenFromItsStart) {
    EXPECT_EQ(core("acme.exe -q"), "ACME.EXE");
    EXPECT_EQ(core("tools\\acme.exe"), "TOOLS\\ACME.EXE");
    // No drive letter to start from, so a leading quote stays.
    EXPECT_EQ(core("\"acme.exe\" -q"), "\"ACME.EXE");
}

TEST(ResolveCommand, TheLastDriveLetterBeforeTheExtensionStartsThePath) {
    EXPECT_EQ(core("C:\\loader.bat D:\\real\\app.exe /x"), "D:\\REAL\\APP.EXE");
    EXPECT_EQ(core("x C:\\a.exe"), "C:\\A.EXE");
}

TEST(ResolveCommand, OnlyADotWhoseSecondFollowingCharacterIsXOrLEndsThePath) {
    EXPECT_EQ(core("C:\\my.files\\app.exe -a"), "C:\\MY.FILES\\APP.EXE");
    EXPECT_EQ(core("C:\\beep.sys arg"), "C:\\BEEP.SYS ARG");
    EXPECT_EQ(core("C:\\v1.xl\\app.exe"), "C:\\V1.XL\\");
    EXPECT_EQ(core("C:\\APP.EXE"), "C:\\APP.EXE");
}

TEST(ResolveCommand, ShortAndOddCommandsStayInsideTheText) {
    EXPECT_EQ(core(""), "");
    EXPECT_EQ(core("."), ".");
    EXPECT_EQ(core("C:\\app."), "C:\\APP.");
    EXPECT_EQ(core("C:\\app.e"), "C:\\APP.E");
    EXPECT_EQ(core("C:\\app.ex"), "C:\\APP.EX");
    EXPECT_EQ(core(".ex"), ".EX");
    EXPECT_EQ(core(":"), ":");
    EXPECT_EQ(core(":app.exe"), ":APP.EXE");
    EXPECT_EQ(core("a:"), "A:");
    EXPECT_EQ(core("\"\""), "\"\"");
    EXPECT_EQ(core("\""), "\"");
    EXPECT_EQ(core("C:\\caf\xE9.exe"), "C:\\CAF\xE9.EXE");
}

TEST(ResolveCommand, LongCommandsAreLimitedToAPath) {
    const std::string exact = "C:\\" + std::string(252, 'a') + ".exe";
    ASSERT_EQ(exact.size(), kPathMax);
    EXPECT_EQ(core(exact), "C:\\" + std::string(252, 'A') + ".EXE");

    const std::string longer = "C:\\" + std::string(300, 'b') + ".exe";
    EXPECT_EQ(core(longer), "C:\\" + std::string(kPathMax - 3, 'B'));

    // The extension just past the limit is cut with the rest.
    const std::string past = "C:\\" + std::string(253, 'c') + ".exe";
    EXPECT_EQ(core(past), "C:\\" + std::string(253, 'C') + ".EX");

    // A drive letter beyond the limit is never seen.
    const std::string late_drive = std::string(kPathMax, 'd') + "E:\\x.exe";
    EXPECT_EQ(core(late_drive), std::string(kPathMax, 'D'));

    // A long folder put before a long rest is cut too.
    const std::string folder(200, 'w');
    EXPECT_EQ(resolve_command("\\SystemRoot\\" + std::string(200, 'r'), folder, {}).size(), kPathMax);
}

class ResolveOnPlatform : public ::testing::Test {
protected:
    fake::FakePlatform fp;
    platform::Platform& os = fp.os;
};

TEST_F(ResolveOnPlatform, ProgramFilesFolderComesFromTheRegistry) {
    EXPECT_EQ(ResolveProgramPath(os, "%ProgramFiles%\\Acme\\acme.exe"), "C:\\PROGRAM FILES\\ACME\\ACME.EXE");
    fp.registry.put_text(Root::local_machine, kCurrentVersionKey, kProgramFilesValue, "E:\\Programs");
    EXPECT_EQ(ResolveProgramPath(os, "%ProgramFiles%\\Acme\\acme.exe"), "E:\\PROGRAMS\\ACME\\ACME.EXE");
    // Stored without a terminating zero it reads the same.
    ASSERT_EQ(fp.registry.set(Root::local_machine, kCurrentVersionKey, kProgramFilesValue, platform::reg_type::sz,
                              "F:\\P"),
              platform::RegStatus::ok);
    EXPECT_EQ(ResolveProgramPath(os, "%ProgramFiles%\\a.exe"), "F:\\P\\A.EXE");
    // A value too long for the buffer counts as missing.
    fp.registry.put_text(Root::local_machine, kCurrentVersionKey, kProgramFilesValue, std::string(kPathMax + 1, 'p'));
    EXPECT_EQ(program_files_dir(os), "C:\\Program Files");
}

TEST_F(ResolveOnPlatform, KernelFormUsesThisSystemsWindowsFolder) {
    fp.system.windows = "D:\\WINNT";
    EXPECT_EQ(ResolveProgramPath(os, "\\SystemRoot\\System32\\drivers\\x.sys"), "D:\\WINNT\\SYSTEM32\\DRIVERS\\X.SYS");
}

TEST_F(ResolveOnPlatform, FileExistsAsGivenOrInTheWindowsFolders) {
    fp.files.add_file("C:\\Tools\\acme.exe");
    fp.files.add_file("C:\\windows\\regedit.exe");
    fp.files.add_file("C:\\windows\\system32\\Long Helper Name.exe");
    fp.files.add_short_name("C:\\windows\\system32\\Long Helper Name.exe", "C:\\windows\\system32\\LONGHE~1.EXE");
    fp.files.add_file("C:\\windows\\system32\\plain.exe");

    std::string path = "C:\\TOOLS\\ACME.EXE";
    EXPECT_TRUE(ProgramFileExists(os, path));
    EXPECT_EQ(path, "C:\\TOOLS\\ACME.EXE");

    path = "REGEDIT.EXE";
    EXPECT_TRUE(ProgramFileExists(os, path));
    EXPECT_EQ(path, "REGEDIT.EXE");  // the Windows folder leaves the text as it was

    path = "LONG HELPER NAME.EXE";
    EXPECT_TRUE(ProgramFileExists(os, path));
    EXPECT_EQ(path, "C:\\windows\\system32\\LONGHE~1.EXE");

    // The short path of a name that is already short is the file's own spelling.
    path = "PLAIN.EXE";
    EXPECT_TRUE(ProgramFileExists(os, path));
    EXPECT_EQ(path, "C:\\windows\\system32\\plain.exe");

    path = "MISSING.EXE";
    EXPECT_FALSE(ProgramFileExists(os, path));
    EXPECT_EQ(path, "MISSING.EXE");
}

TEST_F(ResolveOnPlatform, OnlyNamesShorterThan32AreLookedForInTheWindowsFolders) {
    const std::string name31 = std::string(27, 'n') + ".exe";
    const std::string name32 = std::string(28, 'n') + ".exe";
    fp.files.add_file("C:\\windows\\system32\\" + name31);
    fp.files.add_file("C:\\windows\\system32\\" + name32);
    std::string path = name31;
    EXPECT_TRUE(ProgramFileExists(os, path));
    path = name32;
    EXPECT_FALSE(ProgramFileExists(os, path));
    EXPECT_EQ(ProgramFolder(os, name31), "C:\\windows\\system32");
    EXPECT_EQ(ProgramFolder(os, name32), "");
}

TEST_F(ResolveOnPlatform, FoldersAndEmptyTextsAreNoProgramFiles) {
    std::string path = "C:\\windows";
    EXPECT_FALSE(ProgramFileExists(os, path));
    path = "system32";  // a folder inside the Windows folder
    EXPECT_FALSE(ProgramFileExists(os, path));
    path.clear();
    EXPECT_FALSE(ProgramFileExists(os, path));
    EXPECT_EQ(ProgramFolder(os, ""), "");
    EXPECT_EQ(ProgramFolder(os, "system32"), "");
}

TEST_F(ResolveOnPlatform, ProgramFolderOfPathsAndBareNames) {
    fp.files.add_file("C:\\windows\\regedit.exe");
    fp.files.add_file("C:\\windows\\system32\\plain.exe");
    EXPECT_EQ(ProgramFolder(os, "C:\\Tools\\Acme\\acme.exe"), "C:\\Tools\\Acme");
    EXPECT_EQ(ProgramFolder(os, "C:\\acme.exe"), "C:\\");
    EXPECT_EQ(ProgramFolder(os, "\\acme.exe"), "\\");
    EXPECT_EQ(ProgramFolder(os, "REGEDIT.EXE"), "C:\\windows");
    EXPECT_EQ(ProgramFolder(os, "PLAIN.EXE"), "C:\\windows\\system32");
    EXPECT_EQ(ProgramFolder(os, "NOWHERE.EXE"), "");
}

TEST_F(ResolveOnPlatform, FullProgramPathPutsTheFolderBeforeABareName) {
    fp.files.add_file("C:\\windows\\system32\\plain.exe");
    EXPECT_EQ(full_program_path(os, "plain.exe /x"), "C:\\windows\\system32\\PLAIN.EXE");
    EXPECT_EQ(full_program_path(os, "\"C:\\Tools\\a.exe\" -b"), "C:\\TOOLS\\A.EXE");
    EXPECT_EQ(full_program_path(os, "nowhere.exe"), "NOWHERE.EXE");
}

TEST_F(ResolveOnPlatform, OwnFolderHasNoTrailingBackslash) {
    EXPECT_EQ(own_folder(os), "C:\\Program Files\\Sentrix");
    fp.system.program = "C:\\SentrixEx.exe";
    EXPECT_EQ(own_folder(os), "C:");
    fp.system.program = "SentrixEx.exe";
    EXPECT_EQ(own_folder(os), "");
}

}  // namespace
}  // namespace sx::programinfo
