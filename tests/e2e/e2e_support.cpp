#include "e2e_support.h"

#include <tlhelp32.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tools/demo/demo_system.h"

namespace sx::e2e::test {

namespace {

namespace fs = std::filesystem;

constexpr char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kProgramName[] = "SentrixEx.exe";

// Ends every process started from one of these file names: whatever an earlier test that was cut
// short left running, so that no stray instance answers this test's commands.
void end_processes(const std::vector<std::string>& file_names) {
    for (const std::string& name : file_names) {
        for (DWORD id : process_ids(name)) {
            if (id == GetCurrentProcessId()) continue;
            if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
                TerminateProcess(process, 1);
                WaitForSingleObject(process, kDefaultTimeout);
                CloseHandle(process);
            }
        }
    }
}

void empty_folder(const std::string& folder) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) fs::remove_all(entry.path(), error);
}

}  // namespace

std::optional<std::string> read_text(HKEY root, const std::string& key, const std::string& name) {
    char data[4096];
    DWORD size = sizeof(data);
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr,
                     data, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(data);
}

std::optional<DWORD> read_dword(HKEY root, const std::string& key, const std::string& name) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

bool write_value(HKEY root, const std::string& key, const std::string& name, DWORD type, const void* data,
                 DWORD size) {
    return RegSetKeyValueA(root, key.c_str(), name.c_str(), type, data, size) == ERROR_SUCCESS;
}

bool write_text(HKEY root, const std::string& key, const std::string& name, const std::string& text) {
    return write_value(root, key, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

bool delete_value(HKEY root, const std::string& key, const std::string& name) {
    const LSTATUS status = RegDeleteKeyValueA(root, key.c_str(), name.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool file_exists(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool write_file(const std::string& path, const std::string& bytes) {
    return static_cast<bool>(std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes);
}

std::vector<DWORD> process_ids(const std::string& file_name) {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, file_name.c_str()) == 0) ids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string user_startup_folder() { return read_text(HKEY_CURRENT_USER, kShellFoldersKey, "Startup").value_or(""); }

void EndToEnd::SetUp() {
    std::vector<std::string> programs{kProgramName};
    for (const demo::DemoBinary& binary : demo::kBinaries) {
        if (binary.program) programs.emplace_back(binary.file);
    }
    end_processes(programs);
    demo::reset();
    demo::reset_bulk();
    // What the program or an earlier test added beside the demo's own changes goes too: the
    // program's trees and folder, the startup folders' files, the system values the options and the
    // main window's commands write, and the Run values "-Restore" writes back under the delayed
    // programs' titles.
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        RegDeleteTreeA(root, "Software\\Orvane");
        RegDeleteKeyA(root, "Software\\Orvane");
        for (const demo::RegValue& value : demo::kDelayedValues) {
            if (!std::string_view(value.key).ends_with("\\Delay\\Title")) continue;
            delete_value(root, kRunKey, value.data);
            delete_value(root, "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run", value.data);
        }
    }
    std::error_code error;
    fs::remove_all(demo::kProgramFolder, error);
    empty_folder(user_startup_folder());
    empty_folder(read_text(HKEY_LOCAL_MACHINE, kShellFoldersKey, "Common Startup").value_or(""));
    write_text(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\Prefixes", "www", "http://");
    write_text(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\DefaultPrefix", "", "http://");
    delete_value(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update",
                 "AUOptions");
    delete_value(HKEY_LOCAL_MACHINE, kRunKey, "Sentrix");
    for (const char* file : {kWinInitProgram, kWinInitFile}) {
        SetFileAttributesA(file, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(file);
    }

    const char* build = std::getenv("SX_BUILD_DIR");  // set by the test wrapper
    ASSERT_TRUE(build && *build) << "SX_BUILD_DIR is not set; run the tests through ctest";
    demo::SeedOptions options;
    options.program = windows_path(build) + "\\" + kProgramName;
    const demo::Result seeded = demo::seed(options);
    std::string errors;
    for (const std::string& line : seeded.errors) errors += line + "\n";
    ASSERT_TRUE(seeded.ok) << "seeding the demo system failed:\n" << errors;
    ASSERT_TRUE(file_exists(demo::kProgramFile)) << "SentrixEx.exe was not installed from " << options.program;
}

void EndToEnd::TearDown() {
    helpers_.clear();
    end_processes({kProgramName});
}

Process EndToEnd::start(const std::string& arguments) {
    Process process;
    EXPECT_TRUE(process.start(demo::kProgramFile, arguments, demo::kProgramFolder))
        << "cannot start SentrixEx.exe " << arguments << ": error " << GetLastError();
    return process;
}

Session EndToEnd::open(const std::string& arguments, bool sheet, bool filled) {
    Session session;
    session.process = start(arguments);
    session.main = wait_main_window(session.process.id());
    EXPECT_NE(session.main, nullptr) << "no main window";
    if (!sheet) return session;
    session.sheet = wait_sheet(session.process.id());
    EXPECT_NE(session.sheet, nullptr) << "no property sheet";
    if (filled) {
        EXPECT_TRUE(session.sheet && wait_sheet_filled(session.sheet)) << "the first page was not filled";
    }
    return session;
}

void EndToEnd::quit(Session& session) {
    ASSERT_TRUE(post_command(session.main, 6030));
    expect_clean_exit(session.process);
}

void EndToEnd::expect_clean_exit(const Process& process) {
    EXPECT_EQ(process.wait_exit(), std::optional<DWORD>(0)) << "the program did not end, or not with code 0";
}

void EndToEnd::run_without_window(const std::string& arguments) {
    SCOPED_TRACE(arguments);
    Process process = start(arguments);
    bool window_seen = false;
    EXPECT_TRUE(wait_until([&] {
        window_seen = window_seen || main_window(process.id()) != nullptr;
        return !process.running();
    })) << "it did not end";
    EXPECT_FALSE(window_seen) << "it made a main window";
    EXPECT_EQ(process.wait_exit(0), std::optional<DWORD>(0));
}

Process& EndToEnd::start_demo_program(const std::string& path) {
    Process& process = helpers_.emplace_back();
    EXPECT_TRUE(process.start(path, "-wait " + std::to_string(kWaitSeconds))) << "cannot start " << path;
    return process;
}

HWND other_dialog(DWORD process, HWND sheet) {
    return find_top_window(process, kDialogClass, nullptr, [sheet](HWND window) { return window != sheet; });
}

std::string describe(const std::vector<Row>& rows) {
    std::string text;
    for (const Row& row : rows) {
        text += " ";
        for (const std::string& cell : row) text += " [" + cell + "]";
        text += "\n";
    }
    return text;
}

}  // namespace sx::e2e::test
