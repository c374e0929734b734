#include "e2e_support.h"

#include <tlhelp32.h>

#include <cstdlib>
#include <cstring>
#include <fstream>

#include "tools/demo/demo_system.h"

namespace sx::e2e::test {

namespace {

constexpr DWORD kExitWait = 15000;
constexpr DWORD kTerminateWait = 5000;
constexpr char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kUrlPrefixesKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\Prefixes";
constexpr char kUrlDefaultPrefixKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\DefaultPrefix";
constexpr char kAutoUpdateKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update";
constexpr char kFreshPrefix[] = "http://";  // what a fresh prefix holds in both URL values
constexpr char kProgramName[] = "SentrixEx.exe";

class Key {
public:
    Key(HKEY root, const std::string& path, REGSAM access) {
        if (RegOpenKeyExA(root, path.c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
};

std::optional<std::string> raw_value(HKEY root, const std::string& path, const std::string& name, DWORD* type) {
    Key key(root, path, KEY_READ);
    if (!key) return std::nullopt;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    std::string data(size, '\0');
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    data.resize(size);
    return data;
}

// Every file and folder inside `folder`; the folder itself stays.
void empty_folder(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            delete_folder(path);
        } else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::string join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

std::vector<std::string> demo_program_files() {
    std::vector<std::string> names{kProgramName};
    for (const demo::DemoBinary& binary : demo::kBinaries) {
        if (binary.program) names.emplace_back(binary.file);
    }
    return names;
}

}  // namespace

// ---- Registry and files ----

std::optional<std::string> read_text(HKEY root, const std::string& path, const std::string& name) {
    DWORD type = 0;
    std::optional<std::string> data = raw_value(root, path, name, &type);
    if (!data || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
    while (!data->empty() && data->back() == '\0') data->pop_back();
    return data;
}

std::optional<DWORD> read_dword(HKEY root, const std::string& path, const std::string& name) {
    DWORD type = 0;
    const std::optional<std::string> data = raw_value(root, path, name, &type);
    if (!data || type != REG_DWORD || data->size() != sizeof(DWORD)) return std::nullopt;
    DWORD value = 0;
    std::memcpy(&value, data->data(), sizeof(value));
    return value;
}

bool write_value(HKEY root, const std::string& path, const std::string& name, DWORD type, const void* data,
                 DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LSTATUS status = RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool write_text(HKEY root, const std::string& path, const std::string& name, const std::string& text) {
    return write_value(root, path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

bool delete_value(HKEY root, const std::string& path, const std::string& name) {
    Key key(root, path, KEY_ALL_ACCESS);
    if (!key) return true;
    const LSTATUS status = RegDeleteValueA(key.get(), name.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool delete_tree(HKEY root, const std::string& path) {
    const LSTATUS status = RegDeleteTreeA(root, path.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return false;
    return RegDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS || !Key(root, path, KEY_READ);
}

bool file_exists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool write_file(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

void delete_folder(const std::string& path) {
    empty_folder(path);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

std::string user_startup_folder() { return read_text(HKEY_CURRENT_USER, kShellFoldersKey, "Startup").value_or(""); }

std::string build_folder() {
    const char* variable = std::getenv("SX_BUILD_DIR");
    if (variable && *variable) return windows_path(variable);
    // <build>\tests\sx_e2e_tests.exe
    char buffer[MAX_PATH * 4] = {};
    const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof(buffer));
    std::string path(buffer, length < sizeof(buffer) ? length : 0);
    for (int up = 0; up < 2; ++up) {
        const std::size_t slash = path.find_last_of('\\');
        if (slash == std::string::npos) return {};
        path.resize(slash);
    }
    return path;
}

void end_processes(const std::vector<std::string>& file_names) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId()) continue;
        bool wanted = false;
        for (const std::string& name : file_names) wanted = wanted || lstrcmpiA(entry.szExeFile, name.c_str()) == 0;
        if (!wanted) continue;
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (!process) continue;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, kTerminateWait);
        CloseHandle(process);
    }
    CloseHandle(snapshot);
}

// ---- The fixture ----

void EndToEnd::SetUp() {
    end_processes(demo_program_files());
    const demo::Result undone = demo::reset();
    // Whatever the program or an earlier test added beside the demo's own changes goes too: the
    // program's trees, its folder, the startup folders' files and the system values tests change.
    delete_tree(HKEY_CURRENT_USER, "Software\\Orvane");
    delete_tree(HKEY_LOCAL_MACHINE, "Software\\Orvane");
    delete_folder(demo::kProgramFolder);
    const std::string user_startup = user_startup_folder();
    if (!user_startup.empty()) empty_folder(user_startup);
    const std::optional<std::string> common_startup =
        read_text(HKEY_LOCAL_MACHINE, kShellFoldersKey, "Common Startup");
    if (common_startup && !common_startup->empty()) empty_folder(*common_startup);
    // A "-Restore" of an earlier test wrote the delayed programs back under their titles; the demo's
    // own reset does not know those values.
    for (const demo::RegValue& value : demo::kDelayedValues) {
        if (std::string_view(value.key).find("\\Delay\\Title") == std::string_view::npos) continue;
        for (const char* run : {"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                                "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run"}) {
            delete_value(HKEY_LOCAL_MACHINE, run, value.data);
            delete_value(HKEY_CURRENT_USER, run, value.data);
        }
    }
    write_text(HKEY_LOCAL_MACHINE, kUrlPrefixesKey, "www", kFreshPrefix);
    write_text(HKEY_LOCAL_MACHINE, kUrlDefaultPrefixKey, "", kFreshPrefix);
    delete_value(HKEY_LOCAL_MACHINE, kAutoUpdateKey, "AUOptions");

    demo::SeedOptions options;
    options.program = build_folder() + "\\" + kProgramName;
    const demo::Result seeded = demo::seed(options);
    ASSERT_TRUE(seeded.ok) << "seeding the demo system failed:\n"
                           << join(seeded.errors) << "reset before it:\n"
                           << join(undone.errors);
    ASSERT_TRUE(file_exists(demo::kProgramFile)) << "SentrixEx.exe was not installed from " << options.program;
}

void EndToEnd::TearDown() {
    helpers_.clear();
    end_processes({kProgramName});
}

Process EndToEnd::start(const std::string& arguments) {
    Process process;
    EXPECT_TRUE(process.start(demo::kProgramFile, arguments, demo::kProgramFolder))
        << "cannot start " << demo::kProgramFile << " " << arguments << ": error " << GetLastError();
    return process;
}

Session EndToEnd::open(const std::string& arguments) {
    Session session;
    session.process = start(arguments);
    session.main = wait_main_window(session.process.id());
    EXPECT_NE(session.main, nullptr) << "no main window of class " << kMainClass;
    session.sheet = wait_sheet(session.process.id());
    EXPECT_NE(session.sheet, nullptr) << "no property sheet";
    // The first page has been filled once the sheet answers.
    if (session.sheet) send(session.sheet, WM_NULL);
    return session;
}

void EndToEnd::quit(Session& session) {
    ASSERT_TRUE(post_command(session.main, kCmdQuit));
    const std::optional<DWORD> code = session.process.wait_exit(kExitWait);
    ASSERT_TRUE(code.has_value()) << "the program did not end after command 6030";
    EXPECT_EQ(*code, 0u);
}

Process& EndToEnd::start_demo_program(const std::string& path, int seconds) {
    helpers_.emplace_back();
    Process& process = helpers_.back();
    EXPECT_TRUE(process.start(path, "-wait " + std::to_string(seconds)))
        << "cannot start " << path << ": error " << GetLastError();
    return process;
}

// ---- Rows ----

::testing::AssertionResult use_context_menu(HWND list, const std::vector<int>& rows, int position) {
    if (rows.empty()) return ::testing::AssertionFailure() << "no row to click";
    if (!select_rows(list, rows)) return ::testing::AssertionFailure() << "the rows could not be selected";
    HWND menu = right_click_row(list, rows.back());
    if (!menu) return ::testing::AssertionFailure() << "no context menu opened on row " << rows.back();
    if (!choose_menu_item(menu, position)) {
        return ::testing::AssertionFailure() << "menu item " << position << " could not be chosen";
    }
    return ::testing::AssertionSuccess();
}

HWND other_dialog(DWORD process, HWND sheet) {
    return find_top_window(process, kDialogClass, nullptr, [sheet](HWND window) { return window != sheet; });
}

int find_row(const std::vector<Row>& rows, int column, const std::string& text) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (static_cast<std::size_t>(column) < rows[i].size() && rows[i][static_cast<std::size_t>(column)] == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::vector<Row> wait_rows(HWND list, const std::function<bool(const std::vector<Row>&)>& ready, DWORD timeout) {
    std::vector<Row> rows;
    wait_until([&] {
        rows = read_rows(list);
        return ready(rows);
    }, timeout);
    return rows;
}

std::string describe(const std::vector<Row>& rows) {
    std::string text;
    for (const Row& row : rows) {
        text += "  [";
        for (std::size_t c = 0; c < row.size(); ++c) text += (c ? "] [" : "") + row[c];
        text += "]\n";
    }
    return text;
}

}  // namespace sx::e2e::test
