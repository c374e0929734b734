// The demo seeder. A tool, not product code: it calls the Win32 API directly.
#include "tools/demo/demo_system.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
// The Task Scheduler's identifiers are defined here; no library of this toolchain carries them all.
#include <initguid.h>
#include <mstask.h>
#include <oleauto.h>
#include <taskschd.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <set>
#include <utility>

#include "platform/win32/handles.h"

namespace sx::demo {
namespace {

constexpr char kJournalFolderName[] = "Sentrix Demo";
constexpr char kJournalFile[] = "journal.txt";
constexpr char kScheduleKey[] = "SYSTEM\\CurrentControlSet\\Services\\Schedule";
constexpr char kBulkJournalFile[] = "bulk-journal.txt";
constexpr char kBackupFolder[] = "backup";
constexpr char kFallbackCommonAppData[] = "C:\\ProgramData";
constexpr char kBinsMarker[] = NWUPDATE_FILE;  // a folder holding it is a folder of demo binaries
constexpr char kBuildDirVariable[] = "SX_BUILD_DIR";
constexpr char kBulkDate[] = "03/07/2009 9:05 AM";
constexpr int kMaxBulk = 10000;
constexpr int kBulkDigits = 4;
constexpr int kBulkPerFolder = 256;
constexpr DWORD kProfileBuffer = 32768;
constexpr char kProfileAbsent[] = "\x01(absent)";  // a default no real line can equal
constexpr char kNone[] = "-";
constexpr char kFieldSeparator = '\t';
constexpr std::size_t kLogTextLimit = 160;  // longer data is shortened in the log


// ---------------------------------------------------------------------------------------------
// Small helpers

HKEY root_of(Hive hive) { return hive == Hive::machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }
const char* root_name(Hive hive) { return hive == Hive::machine ? "HKLM" : "HKCU"; }

std::optional<Hive> hive_named(std::string_view name) {
    if (name == "HKLM") return Hive::machine;
    if (name == "HKCU") return Hive::user;
    return std::nullopt;
}

std::string code_text(DWORD code) { return "error " + std::to_string(code); }

std::string to_hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        out += kDigits[c >> 4];
        out += kDigits[c & 0xF];
    }
    return out;
}

std::optional<std::string> from_hex(std::string_view hex) {
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    if (hex.size() % 2 != 0) return std::nullopt;
    std::string out;
    out.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = digit(hex[i]);
        const int low = digit(hex[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
    }
    return out;
}

std::vector<std::string> split(const std::string& line, char separator) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(separator, start);
        fields.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return fields;
        start = end + 1;
    }
}

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Data for the log: control and non-ASCII bytes as \xNN, long texts shortened.
std::string printable(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes.substr(0, kLogTextLimit)) {
        if (c < 0x20 || c >= 0x7F) {
            out += "\\x";
            out += kDigits[c >> 4];
            out += kDigits[c & 0xF];
        } else {
            out += static_cast<char>(c);
        }
    }
    if (bytes.size() > kLogTextLimit) out += "... (" + std::to_string(bytes.size()) + " bytes)";
    return out;
}

std::string value_for_log(DWORD type, std::string_view bytes) {
    if (type == REG_DWORD && bytes.size() == sizeof(DWORD)) {
        DWORD number = 0;
        std::memcpy(&number, bytes.data(), sizeof number);
        return "dword:" + std::to_string(number);
    }
    std::string_view text = bytes;
    if ((type == REG_SZ || type == REG_EXPAND_SZ) && !text.empty() && text.back() == '\0')
        text.remove_suffix(1);
    const char* prefix = type == REG_EXPAND_SZ ? "expand:" : type == REG_BINARY ? "binary:" : "";
    return prefix + std::string("\"") + printable(text) + "\"";
}

std::string key_for_log(Hive hive, const std::string& key) { return std::string(root_name(hive)) + "\\" + key; }

bool file_exists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool folder_exists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string parent_of(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The help pages in a folder: its .html files and their style sheet.
std::vector<std::string> help_files(const std::string& folder) {
    std::vector<std::string> names;
    for (const char* pattern : {"\\*.html", "\\help.css"}) {
        WIN32_FIND_DATAA found{};
        HANDLE find = FindFirstFileA((folder + pattern).c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) continue;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    return names;
}

std::string full_path(const std::string& path) {
    char buffer[MAX_PATH * 4];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    if (length == 0 || length >= sizeof buffer) return path;
    return std::string(buffer, length);
}

std::string module_folder() {
    char buffer[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return {};
    return parent_of(std::string(buffer, length));
}

std::optional<std::string> environment(const char* name) {
    char buffer[MAX_PATH * 4];
    const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return std::nullopt;
    return std::string(buffer, length);
}

std::wstring widen(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

// An automation text, freed when it goes.
class Bstr {
public:
    explicit Bstr(const std::string& text) : text_(SysAllocString(widen(text).c_str())) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(text_); }
    BSTR get() const { return text_; }

private:
    BSTR text_;
};

// The root folder of the Task Scheduler's second interface; empty when it cannot be reached.
win32::ComPtr<ITaskFolder> task_root() {
    win32::ComPtr<ITaskService> service;
    win32::ComPtr<ITaskFolder> root;
    VARIANT none;
    VariantInit(&none);
    const Bstr slash("\\");
    if (SUCCEEDED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                   service.put_void())) &&
        SUCCEEDED(service->Connect(none, none, none, none))) {
        service->GetFolder(slash.get(), root.put());
    }
    return root;
}

// A Shell Folders value (expanded when it is REG_EXPAND_SZ), else the shell's answer.
std::string shell_folder(Hive hive, const char* name, int csidl) {
    win32::UniqueHkey key;
    if (RegOpenKeyExA(root_of(hive), kShellFoldersKey, 0, KEY_READ, key.put()) == ERROR_SUCCESS) {
        char buffer[MAX_PATH * 4];
        DWORD size = sizeof buffer - 1;
        DWORD type = 0;
        if (RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
                ERROR_SUCCESS &&
            (type == REG_SZ || type == REG_EXPAND_SZ) && size > 1) {
            buffer[size] = '\0';
            std::string text(buffer);
            if (type == REG_EXPAND_SZ) {
                char expanded[MAX_PATH * 4];
                const DWORD length = ExpandEnvironmentStringsA(text.c_str(), expanded, sizeof expanded);
                if (length > 0 && length <= sizeof expanded) text = expanded;
            }
            if (!text.empty()) return text;
        }
    }
    char buffer[MAX_PATH];
    if (SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, buffer))) return buffer;
    return {};
}

std::string system_folder() {
    char buffer[MAX_PATH];
    const UINT length = GetSystemDirectoryA(buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return "C:\\windows\\system32";
    return std::string(buffer, length);
}

std::string short_path(const std::string& path) {
    char buffer[MAX_PATH * 4];
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return path;
    return std::string(buffer, length);
}

std::string temp_folder() {
    char buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer) return "C:\\windows\\Temp";
    return parent_of(std::string(buffer, length));  // without the closing backslash
}

std::string common_files_folder() {
    char buffer[MAX_PATH];
    DWORD size = sizeof buffer;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "CommonFilesDir",
                     RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) {
        return "C:\\Program Files\\Common Files";
    }
    return buffer;
}

std::optional<std::string> place(std::string_view token) {
    constexpr std::string_view kShort = "short:";
    if (token == "Startup") return shell_folder(Hive::user, "Startup", CSIDL_STARTUP);
    if (token == "CommonStartup") return shell_folder(Hive::machine, "Common Startup", CSIDL_COMMON_STARTUP);
    if (token == "ProgramFolder") return std::string(kProgramFolder);
    if (token == "System") return system_folder();
    if (token == "Temp") return temp_folder();
    if (token == "CommonFiles") return common_files_folder();
    if (token == "Vault") return shell_folder(Hive::user, "AppData", CSIDL_APPDATA) + "\\Sentrix\\vault";
    if (token.substr(0, kShort.size()) == kShort) return short_path(std::string(token.substr(kShort.size())));
    return std::nullopt;
}

struct RegData {
    DWORD type = REG_NONE;
    std::string bytes;
};

std::optional<RegData> query_value(HKEY key, const std::string& name) {
    RegData data;
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &data.type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.bytes.assign(size, '\0');
    if (size > 0 && RegQueryValueExA(key, name.c_str(), nullptr, &data.type,
                                     reinterpret_cast<BYTE*>(data.bytes.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.bytes.resize(size);
    return data;
}

bool gone(LSTATUS status) {
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

// ---------------------------------------------------------------------------------------------
// The journal: one line per change, tab-separated, texts hex-encoded (names may hold any byte).
//   key     HIVE hex(path)                                 a key that did not exist
//   value   HIVE hex(key) hex(name) TYPE|- hex(old data)   a value written (old value or none)
//   profile hex(section) hex(key) 1|- hex(old line)        a win.ini line written
//   file    hex(path) hex(backup)|-                        a file written (its former content saved)
//   dir     hex(path)                                      a folder that did not exist
//   attr    hex(path) ATTRIBUTES                           a file's or folder's attributes before they were set

class Journal {
public:
    explicit Journal(std::string file) : file_(std::move(file)) {}

    const std::string& file() const { return file_; }

    bool open(Result& result) {
        const std::string folder = parent_of(file_);
        if (!folder_exists(folder) && !CreateDirectoryA(folder.c_str(), nullptr)) {
            result.errors.push_back("cannot create the journal folder " + folder + ": " + code_text(GetLastError()));
            result.ok = false;
            return false;
        }
        out_.open(file_, std::ios::binary | std::ios::app);
        if (!out_) {
            result.errors.push_back("cannot open the journal " + file_);
            result.ok = false;
            return false;
        }
        return true;
    }

    void add(const std::vector<std::string>& fields) {
        std::string line;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) line += kFieldSeparator;
            line += fields[i];
        }
        out_ << line << '\n';
        out_.flush();
    }

    // Entries of an existing journal, in the order they were made.
    std::vector<std::vector<std::string>> entries() const {
        std::vector<std::vector<std::string>> list;
        std::ifstream in(file_, std::ios::binary);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty()) list.push_back(split(line, kFieldSeparator));
        }
        return list;
    }

    bool exists() const { return file_exists(file_); }

private:
    std::string file_;
    std::ofstream out_;
};

std::string backup_folder() { return journal_folder() + "\\" + kBackupFolder; }

// ---------------------------------------------------------------------------------------------
// Making changes, each recorded before it is made

class Seeder {
public:
    Seeder(Journal& journal, Result& result, std::string backup_prefix)
        : journal_(journal), result_(result), backup_prefix_(std::move(backup_prefix)) {}

    void fail(const std::string& what) {
        result_.errors.push_back(what);
        result_.ok = false;
    }

    // Opens the key for writing, creating it; the topmost key that did not exist is recorded.
    win32::UniqueHkey ensure_key(Hive hive, const std::string& path) {
        win32::UniqueHkey key;
        if (ensured_.count({hive, upper(path)}) == 0) {
            std::size_t end = 0;
            while (end != std::string::npos) {
                end = path.find('\\', end + 1);
                const std::string prefix = path.substr(0, end);
                win32::UniqueHkey probe;
                if (RegOpenKeyExA(root_of(hive), prefix.c_str(), 0, KEY_READ, probe.put()) != ERROR_SUCCESS) {
                    journal_.add({"key", root_name(hive), to_hex(prefix)});
                    result_.log.push_back("created key " + key_for_log(hive, prefix));
                    break;
                }
            }
        }
        const LSTATUS status = RegCreateKeyExA(root_of(hive), path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                               nullptr, key.put(), nullptr);
        if (status != ERROR_SUCCESS) {
            fail("cannot create " + key_for_log(hive, path) + ": " + code_text(static_cast<DWORD>(status)));
            return win32::UniqueHkey();
        }
        ensured_.insert({hive, upper(path)});
        return key;
    }

    // Records a value as it is now, for a reset to put back, without changing it; returns it.
    std::optional<RegData> keep_value(Hive hive, const std::string& path, const std::string& name) {
        win32::UniqueHkey key;
        if (RegOpenKeyExA(root_of(hive), path.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) return {};
        const std::optional<RegData> old = query_value(key.get(), name);
        if (old) journal_.add({"value", root_name(hive), to_hex(path), to_hex(name), std::to_string(old->type), to_hex(old->bytes)});
        return old;
    }

    void set_value(Hive hive, const std::string& path, const std::string& name, DWORD type,
                   const std::string& bytes) {
        win32::UniqueHkey key = ensure_key(hive, path);
        if (!key) return;
        const std::optional<RegData> old = query_value(key.get(), name);
        journal_.add({"value", root_name(hive), to_hex(path), to_hex(name),
                      old ? std::to_string(old->type) : kNone, old ? to_hex(old->bytes) : kNone});
        const LSTATUS status = RegSetValueExA(key.get(), name.c_str(), 0, type,
                                              reinterpret_cast<const BYTE*>(bytes.data()),
                                              static_cast<DWORD>(bytes.size()));
        if (status != ERROR_SUCCESS) {
            fail("cannot write " + key_for_log(hive, path) + " [" + printable(name) + "]: " +
                 code_text(static_cast<DWORD>(status)));
            return;
        }
        result_.log.push_back(key_for_log(hive, path) + " [" + printable(name) + "] = " + value_for_log(type, bytes));
    }

    void set_profile(const std::string& section, const std::string& key, const std::string& line) {
        // The section is kept in the registry, per user; a key created for it is ours to remove.
        ensure_key(Hive::user, kProfileMappedKey);
        std::string old(kProfileBuffer, '\0');
        const DWORD length =
            GetProfileStringA(section.c_str(), key.c_str(), kProfileAbsent, old.data(), kProfileBuffer);
        old.resize(length);
        const bool had = old != kProfileAbsent;
        journal_.add({"profile", to_hex(section), to_hex(key), had ? "1" : kNone, had ? to_hex(old) : kNone});
        if (!WriteProfileStringA(section.c_str(), key.c_str(), line.c_str())) {
            fail("cannot write win.ini [" + section + "] " + key + ": " + code_text(GetLastError()));
            return;
        }
        result_.log.push_back("win.ini [" + section + "] " + key + "=" + printable(line));
    }

    bool ensure_folder(const std::string& path) {
        if (path.empty() || folder_exists(path)) return true;
        const std::string parent = parent_of(path);
        if (!parent.empty() && parent.size() < path.size() && !ensure_folder(parent)) return false;
        journal_.add({"dir", to_hex(path)});
        if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            fail("cannot create folder " + path + ": " + code_text(GetLastError()));
            return false;
        }
        result_.log.push_back("created folder " + path);
        return true;
    }

    void set_attributes(const std::string& path, DWORD attributes) {
        journal_.add({"attr", to_hex(path), std::to_string(GetFileAttributesA(path.c_str()))});
        if (!SetFileAttributesA(path.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL)) {
            fail("cannot set the attributes of " + path + ": " + code_text(GetLastError()));
            return;
        }
        result_.log.push_back("attributes of " + path + " = " + std::to_string(attributes));
    }

    // The folder exists and the former content of the file, if any, is saved and recorded.
    bool prepare_file(const std::string& path) {
        if (!ensure_folder(parent_of(path))) return false;
        std::string backup = kNone;
        if (file_exists(path)) {
            if (!ensure_backup_folder()) return false;
            std::string saved = backup_folder() + "\\" + backup_prefix_ + std::to_string(++backups_) + ".bak";
            if (!CopyFileA(path.c_str(), saved.c_str(), FALSE)) {
                fail("cannot save " + path + ": " + code_text(GetLastError()));
                return false;
            }
            result_.log.push_back("saved " + path + " as " + saved);
            backup = to_hex(saved);
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // so it can be overwritten
        }
        journal_.add({"file", to_hex(path), backup});
        return true;
    }

    void copy_file(const std::string& source, const std::string& path, bool quiet = false) {
        if (!prepare_file(path)) return;
        if (!CopyFileA(source.c_str(), path.c_str(), FALSE)) {
            fail("cannot copy " + source + " to " + path + ": " + code_text(GetLastError()));
            return;
        }
        if (!quiet) result_.log.push_back("copied " + path);
    }

    void write_file(const std::string& path, std::string_view bytes) {
        if (!prepare_file(path)) return;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            fail("cannot write " + path);
            return;
        }
        result_.log.push_back("wrote " + path + " (" + std::to_string(bytes.size()) + " bytes)");
    }

    void make_shortcut(const std::string& path, const std::string& target, const std::string& arguments,
                       const std::string& description) {
        if (!prepare_file(path)) return;
        win32::ComPtr<IShellLinkA> link;
        HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                      link.put_void());
        if (SUCCEEDED(hr)) hr = link->SetPath(target.c_str());
        if (SUCCEEDED(hr)) hr = link->SetArguments(arguments.c_str());
        if (SUCCEEDED(hr)) hr = link->SetDescription(description.c_str());
        if (SUCCEEDED(hr)) hr = link->SetWorkingDirectory(parent_of(target).c_str());
        if (SUCCEEDED(hr)) hr = link->SetIconLocation(target.c_str(), 0);
        win32::ComPtr<IPersistFile> file;
        if (SUCCEEDED(hr)) hr = link->QueryInterface(IID_IPersistFile, file.put_void());
        if (SUCCEEDED(hr)) hr = file->Save(widen(path).c_str(), TRUE);
        if (FAILED(hr)) {
            fail("cannot save the shortcut " + path + ": hresult " + std::to_string(static_cast<unsigned long>(hr)));
            return;
        }
        result_.log.push_back("shortcut " + path + " -> " + target +
                              (arguments.empty() ? "" : " " + arguments) +
                              (description.empty() ? "" : " (\"" + description + "\")"));
    }

    // A service installed through the manager, with its description and, for a hosted one, its
    // ServiceDll; recorded first, so a reset deletes it.
    void create_service(const DemoService& service) {
        journal_.add({"service", to_hex(service.name)});
        win32::UniqueService scm(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CREATE_SERVICE));
        const bool hosted = *service.service_dll != '\0';
        win32::UniqueService made(CreateServiceA(
            scm.get(), service.name, service.display, SERVICE_ALL_ACCESS,
            hosted ? SERVICE_WIN32_SHARE_PROCESS : SERVICE_WIN32_OWN_PROCESS, service.start, SERVICE_ERROR_IGNORE,
            service.image, nullptr, nullptr, nullptr, nullptr, nullptr));
        if (!made) {
            fail(std::string("cannot create the service ") + service.name + ": " + code_text(GetLastError()));
            return;
        }
        result_.log.push_back(std::string("service ") + service.name + " (" + service.display + ")");
        const std::string key = std::string(kServicesKey) + "\\" + service.name;
        set_value(Hive::machine, key, "Description", REG_SZ, std::string(service.description) + '\0');
        if (hosted) set_value(Hive::machine, key + "\\Parameters", "ServiceDll", REG_EXPAND_SZ,
                              std::string(service.service_dll) + '\0');
    }

    // A work item made through the Task Scheduler; recorded first, so a reset deletes it.
    void add_work_item(const DemoTask& task) {
        journal_.add({"task", to_hex(task.name)});
        win32::ComPtr<ITaskScheduler> scheduler;
        win32::ComPtr<ITask> item;
        HRESULT hr = CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                                      scheduler.put_void());
        if (SUCCEEDED(hr)) {
            hr = scheduler->NewWorkItem(widen(task.name).c_str(), CLSID_CTask, IID_ITask,
                                        reinterpret_cast<IUnknown**>(item.put_void()));
        }
        if (SUCCEEDED(hr)) hr = item->SetApplicationName(widen(task.application).c_str());
        if (SUCCEEDED(hr)) hr = item->SetParameters(widen(task.parameters).c_str());
        if (SUCCEEDED(hr)) hr = item->SetComment(widen(task.comment).c_str());
        if (SUCCEEDED(hr) && task.daily) {
            WORD index = 0;
            win32::ComPtr<ITaskTrigger> trigger;
            hr = item->CreateTrigger(&index, reinterpret_cast<ITaskTrigger**>(trigger.put_void()));
            TASK_TRIGGER t{};
            t.cbTriggerSize = sizeof(t);
            t.wBeginYear = 2026, t.wBeginMonth = 1, t.wBeginDay = 1, t.wStartHour = 3;
            t.TriggerType = TASK_TIME_TRIGGER_DAILY;
            t.Type.Daily.DaysInterval = 1;
            if (SUCCEEDED(hr)) hr = trigger->SetTrigger(&t);
        }
        win32::ComPtr<IPersistFile> file;
        if (SUCCEEDED(hr)) hr = item->QueryInterface(IID_IPersistFile, file.put_void());
        if (SUCCEEDED(hr)) hr = file->Save(nullptr, TRUE);
        if (FAILED(hr)) {
            fail(std::string("cannot make the work item ") + task.name + ": hresult " +
                 std::to_string(static_cast<unsigned long>(hr)));
            return;
        }
        result_.log.push_back(std::string("work item ") + task.name + " -> " + task.application);
    }

    // A task made through the scheduler's second interface, in its folder (made, and recorded, when
    // missing); recorded first, so a reset deletes it.
    void add_task2(const DemoTask2& task) {
        // Registering a task with a trigger sets the Schedule service to start automatically. The demo
        // system leaves the service as it was, so what the pages show of it does not depend on
        // whether the tasks were registered just now; the journal keeps it for a reset as well.
        if (!schedule_start_) schedule_start_ = keep_value(Hive::machine, kScheduleKey, "Start");
        const win32::ComPtr<ITaskFolder> root = task_root();
        if (!root) {
            fail("cannot reach the Task Scheduler 2.0");
            return;
        }
        std::string folder;
        for (const std::string& part : split(task.folder, '\\')) {
            folder += "\\" + part;
            win32::ComPtr<ITaskFolder> probe;
            const Bstr path(folder);
            if (SUCCEEDED(root->GetFolder(path.get(), probe.put()))) continue;
            journal_.add({"taskfolder", to_hex(folder)});
            VARIANT none;
            VariantInit(&none);
            if (FAILED(root->CreateFolder(path.get(), none, probe.put()))) {
                fail("cannot make the task folder " + folder);
                return;
            }
        }
        const std::string full = folder + "\\" + task.name;
        journal_.add({"task2", to_hex(full)});
        const std::string xml =
            std::string("<?xml version=\"1.0\"?>\n<Task version=\"1.2\" "
                        "xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\n") +
            "  <RegistrationInfo><Description>" + task.description + "</Description></RegistrationInfo>\n"
            "  <Triggers><CalendarTrigger><StartBoundary>2026-01-01T03:00:00</StartBoundary>"
            "<ScheduleByDay><DaysInterval>1</DaysInterval></ScheduleByDay></CalendarTrigger></Triggers>\n"
            "  <Settings><Hidden>" + (task.hidden ? "true" : "false") + "</Hidden><Enabled>true</Enabled></Settings>\n"
            "  <Actions><Exec><Command>" + task.program + "</Command><Arguments>" + task.arguments +
            "</Arguments></Exec></Actions>\n</Task>\n";
        win32::ComPtr<ITaskFolder> target;
        win32::ComPtr<IRegisteredTask> made;
        VARIANT none;
        VariantInit(&none);
        const Bstr folder_path(folder), name(task.name), text(xml);
        HRESULT hr = root->GetFolder(folder_path.get(), target.put());
        if (SUCCEEDED(hr)) {
            hr = target->RegisterTask(name.get(), text.get(), TASK_CREATE_OR_UPDATE, none, none,
                                      TASK_LOGON_INTERACTIVE_TOKEN, none, made.put());
        }
        if (FAILED(hr)) {
            fail("cannot make the task " + full + ": hresult " + std::to_string(static_cast<unsigned long>(hr)));
            return;
        }
        result_.log.push_back("task " + full + (task.hidden ? " (hidden)" : "") + " -> " + task.program);
        win32::UniqueHkey schedule;
        if (schedule_start_ && RegOpenKeyExA(HKEY_LOCAL_MACHINE, kScheduleKey, 0, KEY_SET_VALUE, schedule.put()) == ERROR_SUCCESS) {
            RegSetValueExA(schedule.get(), "Start", 0, schedule_start_->type,
                           reinterpret_cast<const BYTE*>(schedule_start_->bytes.data()),
                           static_cast<DWORD>(schedule_start_->bytes.size()));
        }
    }

private:
    bool ensure_backup_folder() {
        const std::string folder = backup_folder();
        if (folder_exists(folder)) return true;
        if (!CreateDirectoryA(folder.c_str(), nullptr)) {
            fail("cannot create " + folder + ": " + code_text(GetLastError()));
            return false;
        }
        return true;
    }

    Journal& journal_;
    Result& result_;
    std::string backup_prefix_;
    std::optional<RegData> schedule_start_;  // the Schedule service's start type before any task
    int backups_ = 0;
    std::set<std::pair<Hive, std::string>> ensured_;
};

// ---------------------------------------------------------------------------------------------
// Undoing a journal

// Undoes one entry; false when it could not be undone (it stays in the journal).
bool undo_entry(const std::vector<std::string>& e, Result& result) {
    auto bad = [&]() {
        result.errors.push_back("unreadable journal entry: " + printable(e.empty() ? "" : e[0]));
        result.ok = false;
        return false;
    };
    const std::string& kind = e.empty() ? std::string() : e[0];
    if (kind == "key" && e.size() == 3) {
        const std::optional<Hive> hive = hive_named(e[1]);
        const std::optional<std::string> path = from_hex(e[2]);
        if (!hive || !path) return bad();
        const LSTATUS status = RegDeleteTreeA(root_of(*hive), path->c_str());
        if (!gone(status)) {
            result.errors.push_back("cannot delete " + key_for_log(*hive, *path) + ": " + code_text(static_cast<DWORD>(status)));
            result.ok = false;
            return false;
        }
        result.log.push_back("deleted key " + key_for_log(*hive, *path));
        return true;
    }
    if (kind == "value" && e.size() == 6) {
        const std::optional<Hive> hive = hive_named(e[1]);
        const std::optional<std::string> path = from_hex(e[2]);
        const std::optional<std::string> name = from_hex(e[3]);
        if (!hive || !path || !name) return bad();
        const std::string where = key_for_log(*hive, *path) + " [" + printable(*name) + "]";
        if (e[4] == kNone) {
            win32::UniqueHkey key;
            LSTATUS status = RegOpenKeyExA(root_of(*hive), path->c_str(), 0, KEY_SET_VALUE, key.put());
            if (status == ERROR_SUCCESS) status = RegDeleteValueA(key.get(), name->c_str());
            if (!gone(status)) {
                result.errors.push_back("cannot delete " + where + ": " + code_text(static_cast<DWORD>(status)));
                result.ok = false;
                return false;
            }
            result.log.push_back("deleted " + where);
            return true;
        }
        const std::optional<std::string> old = from_hex(e[5]);
        char* end = nullptr;
        const unsigned long type = std::strtoul(e[4].c_str(), &end, 10);
        if (!old || end == e[4].c_str() || *end != '\0') return bad();
        win32::UniqueHkey key;
        LSTATUS status = RegCreateKeyExA(root_of(*hive), path->c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                         key.put(), nullptr);
        if (status == ERROR_SUCCESS)
            status = RegSetValueExA(key.get(), name->c_str(), 0, static_cast<DWORD>(type),
                                    reinterpret_cast<const BYTE*>(old->data()), static_cast<DWORD>(old->size()));
        if (status != ERROR_SUCCESS) {
            result.errors.push_back("cannot restore " + where + ": " + code_text(static_cast<DWORD>(status)));
            result.ok = false;
            return false;
        }
        result.log.push_back("restored " + where + " = " + value_for_log(static_cast<DWORD>(type), *old));
        return true;
    }
    if (kind == "profile" && e.size() == 5) {
        const std::optional<std::string> section = from_hex(e[1]);
        const std::optional<std::string> key = from_hex(e[2]);
        const std::optional<std::string> old = e[3] == kNone ? std::optional<std::string>("") : from_hex(e[4]);
        if (!section || !key || !old) return bad();
        const bool had = e[3] != kNone;
        if (!WriteProfileStringA(section->c_str(), key->c_str(), had ? old->c_str() : nullptr) && had) {
            result.errors.push_back("cannot restore win.ini [" + *section + "] " + *key + ": " +
                                    code_text(GetLastError()));
            result.ok = false;
            return false;
        }
        result.log.push_back((had ? "restored win.ini [" : "deleted win.ini [") + *section + "] " + *key);
        return true;
    }
    if (kind == "file" && e.size() == 3) {
        const std::optional<std::string> path = from_hex(e[1]);
        const std::optional<std::string> backup = e[2] == kNone ? std::optional<std::string>("") : from_hex(e[2]);
        if (!path || !backup) return bad();
        if (!backup->empty()) {
            SetFileAttributesA(path->c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!CopyFileA(backup->c_str(), path->c_str(), FALSE)) {
                result.errors.push_back("cannot put back " + *path + ": " + code_text(GetLastError()));
                result.ok = false;
                return false;
            }
            DeleteFileA(backup->c_str());
            result.log.push_back("put back " + *path);
            return true;
        }
        if (!DeleteFileA(path->c_str())) {
            DWORD code = GetLastError();
            if (code == ERROR_ACCESS_DENIED) {  // read-only, perhaps
                SetFileAttributesA(path->c_str(), FILE_ATTRIBUTE_NORMAL);
                code = DeleteFileA(path->c_str()) ? ERROR_SUCCESS : GetLastError();
            }
            if (code != ERROR_SUCCESS && code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND) {
                result.errors.push_back("cannot delete " + *path + ": " + code_text(code));
                result.ok = false;
                return false;
            }
        }
        result.log.push_back("deleted " + *path);
        return true;
    }
    if (kind == "service" && e.size() == 2) {
        const std::optional<std::string> name = from_hex(e[1]);
        if (!name) return bad();
        win32::UniqueService scm(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
        win32::UniqueService service(OpenServiceA(scm.get(), name->c_str(), SERVICE_STOP | SERVICE_QUERY_STATUS | DELETE));
        if (service) {
            SERVICE_STATUS status{};
            ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
            for (int i = 0; i < 100 && QueryServiceStatus(service.get(), &status) &&
                            status.dwCurrentState != SERVICE_STOPPED;
                 ++i) {
                Sleep(50);
            }
            if (!DeleteService(service.get()) && GetLastError() != ERROR_SERVICE_MARKED_FOR_DELETE) {
                result.errors.push_back("cannot delete the service " + *name + ": " + code_text(GetLastError()));
                result.ok = false;
                return false;
            }
        }
        result.log.push_back("deleted service " + *name);
        return true;
    }
    if (kind == "task" && e.size() == 2) {
        const std::optional<std::string> name = from_hex(e[1]);
        if (!name) return bad();
        win32::ComPtr<ITaskScheduler> scheduler;
        if (SUCCEEDED(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                                       scheduler.put_void()))) {
            scheduler->Delete(widen(*name).c_str());  // a work item deleted meanwhile is gone as well
        }
        result.log.push_back("deleted work item " + *name);
        return true;
    }
    if ((kind == "task2" || kind == "taskfolder") && e.size() == 2) {
        const std::optional<std::string> path = from_hex(e[1]);
        const std::size_t slash = path ? path->rfind('\\') : std::string::npos;
        if (!path || slash == std::string::npos) return bad();
        // A task or folder that is gone meanwhile is gone as well.
        if (const win32::ComPtr<ITaskFolder> root = task_root()) {
            if (kind == "taskfolder") {
                root->DeleteFolder(Bstr(*path).get(), 0);
            } else {
                win32::ComPtr<ITaskFolder> folder;
                if (SUCCEEDED(root->GetFolder(Bstr(slash == 0 ? "\\" : path->substr(0, slash)).get(), folder.put()))) {
                    folder->DeleteTask(Bstr(path->substr(slash + 1)).get(), 0);
                }
            }
        }
        result.log.push_back("deleted " + std::string(kind == "task2" ? "task " : "task folder ") + *path);
        return true;
    }
    if (kind == "attr" && e.size() == 3) {
        const std::optional<std::string> path = from_hex(e[1]);
        char* end = nullptr;
        const unsigned long attributes = std::strtoul(e[2].c_str(), &end, 10);
        if (!path || end == e[2].c_str() || *end != '\0') return bad();
        // What is gone since (a file the program deleted) needs nothing back.
        const DWORD old = static_cast<DWORD>(attributes);
        if (old != INVALID_FILE_ATTRIBUTES && !SetFileAttributesA(path->c_str(), old)) {
            const DWORD code = GetLastError();
            if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND) {
                result.errors.push_back("cannot put back the attributes of " + *path + ": " + code_text(code));
                result.ok = false;
                return false;
            }
        }
        result.log.push_back("put back the attributes of " + *path);
        return true;
    }
    if (kind == "dir" && e.size() == 2) {
        const std::optional<std::string> path = from_hex(e[1]);
        if (!path) return bad();
        if (!RemoveDirectoryA(path->c_str())) {
            const DWORD code = GetLastError();
            if (code == ERROR_DIR_NOT_EMPTY) {
                // Something not ours was put there; it stays, and so does the folder.
                result.log.push_back("kept folder " + *path + " (it holds files the demo did not make)");
                return true;
            }
            if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND) {
                result.errors.push_back("cannot remove folder " + *path + ": " + code_text(code));
                result.ok = false;
                return false;
            }
        }
        result.log.push_back("removed folder " + *path);
        return true;
    }
    return bad();
}

// Undoes a journal, newest entry first. Entries that could not be undone are kept in the journal,
// so a later reset can try again; the journal goes when it is empty.
void undo(Journal& journal, Result& result) {
    if (!journal.exists()) return;
    const std::vector<std::vector<std::string>> entries = journal.entries();
    std::vector<std::vector<std::string>> kept;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        if (!undo_entry(*it, result)) kept.insert(kept.begin(), *it);
    if (kept.empty()) {
        DeleteFileA(journal.file().c_str());
    } else {
        std::ofstream out(journal.file(), std::ios::binary | std::ios::trunc);
        for (const auto& fields : kept) {
            for (std::size_t i = 0; i < fields.size(); ++i) out << (i ? "\t" : "") << fields[i];
            out << '\n';
        }
    }
    RemoveDirectoryA(backup_folder().c_str());  // only when empty
    RemoveDirectoryA(journal_folder().c_str());
}

// ---------------------------------------------------------------------------------------------
// Seeding from the tables

bool wanted(const SeedOptions& options, Section section, Extra extra) {
    if (extra == Extra::skipped && !options.skipped_entries) return false;
    if (extra == Extra::bad_data && !options.bad_data) return false;
    if (section == Section::disabled && !options.disabled_store) return false;
    if (section == Section::delayed && !options.delayed_start) return false;
    if (section == Section::detected && !options.first_detected) return false;
    return true;
}

void write_value(Seeder& seeder, const RegValue& value) {
    const std::string key = expand(value.key);
    const std::string name = value_name(value);
    const std::string text = value_text(value);
    switch (value.kind) {
    case Data::text:
        seeder.set_value(value.hive, key, name, REG_SZ, text + '\0');
        break;
    case Data::expand_text:
        seeder.set_value(value.hive, key, name, REG_EXPAND_SZ, text + '\0');
        break;
    case Data::text_unterminated:
        seeder.set_value(value.hive, key, name, REG_SZ, text);
        break;
    case Data::dword: {
        const DWORD number = static_cast<DWORD>(std::strtoul(text.c_str(), nullptr, 10));
        std::string bytes(sizeof number, '\0');
        std::memcpy(bytes.data(), &number, sizeof number);
        seeder.set_value(value.hive, key, name, REG_DWORD, bytes);
        break;
    }
    case Data::binary_text:
        seeder.set_value(value.hive, key, name, REG_BINARY, text);
        break;
    case Data::dword_bytes:
        seeder.set_value(value.hive, key, name, REG_DWORD, text);
        break;
    case Data::binary_hex: {
        std::string bytes;
        for (std::size_t i = 0; i + 1 < text.size(); i += 2)
            bytes += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
        seeder.set_value(value.hive, key, name, REG_BINARY, bytes);
        break;
    }
    }
}

template <std::size_t N>
void write_values(Seeder& seeder, const SeedOptions& options, Section section, const RegValue (&values)[N]) {
    for (const RegValue& value : values)
        if (wanted(options, section, value.extra)) write_value(seeder, value);
}

void install(Seeder& seeder, const DemoFile& file, const std::string& bins) {
    const std::string path = expand(file.path);
    switch (file.kind) {
    case FileKind::copy:
        seeder.copy_file(bins + "\\" + file.source, path);
        break;
    case FileKind::shortcut:
        seeder.make_shortcut(path, expand(file.source), file.arguments, file.description);
        break;
    case FileKind::bytes:
        seeder.write_file(path, file.source);
        break;
    }
}

void install(Seeder& seeder, const HiddenFile& file, const std::string& bins) {
    const std::string path = hidden_file_path(file);
    if (file.attributes & kFolder) {
        seeder.ensure_folder(path);
    } else if (file.source) {
        seeder.copy_file(bins + "\\" + file.source, path);
    } else {
        seeder.write_file(path, "A hidden file of the Sentrix demo system.\r\n");
    }
    seeder.set_attributes(path, file.attributes & ~kFolder);
}

std::string resolve_bins(const std::string& given, Result& result) {
    const std::string bins = given.empty() ? default_bins_folder() : full_path(wine_path(given));
    if (bins.empty() || !file_exists(bins + "\\" + kBinsMarker)) {
        result.errors.push_back("no demo binaries (" + std::string(kBinsMarker) + ") in " +
                                (bins.empty() ? std::string("any default folder") : bins));
        result.ok = false;
        return {};
    }
    return bins;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

std::string journal_folder() {
    char buffer[MAX_PATH];
    std::string base = kFallbackCommonAppData;
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, buffer))) base = buffer;
    return base + "\\" + kJournalFolderName;
}

std::string wine_path(std::string_view path) {
    if (path.empty() || path.front() != '/') return std::string(path);
    std::string out = "Z:";
    for (char c : path) out += c == '/' ? '\\' : c;
    return out;
}

std::string default_bins_folder() {
    std::vector<std::string> candidates;
    if (const std::optional<std::string> build = environment(kBuildDirVariable))
        candidates.push_back(wine_path(*build) + "\\demo");
    const std::string here = module_folder();
    if (!here.empty()) {
        candidates.push_back(here + "\\demo");
        candidates.push_back(here + "\\..\\demo");
        candidates.push_back(here);
    }
    for (const std::string& folder : candidates)
        if (file_exists(folder + "\\" + kBinsMarker)) return full_path(folder);
    return {};
}

std::string expand(std::string_view text) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '<') {
            const std::size_t end = text.find('>', i);
            if (end != std::string_view::npos) {
                if (const std::optional<std::string> value = place(text.substr(i + 1, end - i - 1))) {
                    out += *value;
                    i = end + 1;
                    continue;
                }
            }
        }
        out += text[i++];
    }
    return out;
}

std::string padded(std::string_view text, std::size_t length) {
    std::string out(text);
    const std::string_view filler = kPadding;
    while (out.size() < length) out += filler.substr(0, length - out.size());
    return out;
}

std::string hidden_file_path(const HiddenFile& file) {
    std::string path = expand(file.path);
    if (path.size() < file.length) path += std::string(file.length - path.size(), 'x');
    return path;
}

std::string value_name(const RegValue& value) { return expand(value.name); }

std::string value_text(const RegValue& value) {
    const std::string text = expand(value.data);
    return value.length > 0 ? padded(text, value.length) : text;
}

std::string bulk_name(int i) {
    std::string digits = std::to_string(i);
    if (digits.size() < kBulkDigits) digits.insert(0, kBulkDigits - digits.size(), '0');
    return "Bulk" + digits;
}

std::string bulk_path(const std::string& folder, int i) {
    return folder + "\\" + std::to_string(i / kBulkPerFolder) + "\\" + bulk_name(i) + ".exe";
}

Result reset() {
    Result result;
    const win32::CoInit com;  // work items are deleted through the Task Scheduler
    Journal journal(journal_folder() + "\\" + kJournalFile);
    undo(journal, result);
    return result;
}

Result reset_bulk() {
    Result result;
    Journal journal(journal_folder() + "\\" + kBulkJournalFile);
    undo(journal, result);
    return result;
}

Result seed(const SeedOptions& options) {
    Result result = reset();
    const std::string bins = resolve_bins(options.bins, result);
    if (bins.empty()) return result;

    Journal journal(journal_folder() + "\\" + kJournalFile);
    if (!journal.open(result)) return result;
    const win32::CoInit com;
    Seeder seeder(journal, result, "seed-");

    // Files first: the registry values name them, and short paths need them to exist.
    for (const DemoFile& file : kFiles)
        if (wanted(options, file.section, file.extra)) install(seeder, file, bins);
    if (!options.program.empty()) {
        const std::string program = full_path(wine_path(options.program));
        seeder.copy_file(program, kProgramFile);
        // The help pages the build puts beside the program go with it.
        const std::string source_folder = program.substr(0, program.find_last_of('\\'));
        for (const std::string& name : help_files(source_folder)) {
            seeder.copy_file(source_folder + "\\" + name, std::string(kProgramFolder) + "\\" + name, true);
        }
    }
    for (const HiddenFile& file : kHiddenFiles)
        if (wanted(options, Section::programs, file.extra)) install(seeder, file, bins);

    write_values(seeder, options, Section::run, kRunValues);
    write_values(seeder, options, Section::run, kApprovedValues);
    write_values(seeder, options, Section::special, kSpecialValues);
    write_values(seeder, options, Section::disabled, kDisabledValues);
    write_values(seeder, options, Section::delayed, kDelayedValues);
    write_values(seeder, options, Section::detected, kDetectedValues);
    write_values(seeder, options, Section::browser, kBrowserValues);
    for (const ProfileLine& line : kProfileLines) seeder.set_profile(kProfileSection, line.key, line.value);
    for (const DemoService& service : kServices) seeder.create_service(service);
    if (options.bad_data) {
        for (const RegValue& value : kServiceKeyValues) write_value(seeder, value);
    }
    for (const DemoTask& task : kTasks) seeder.add_work_item(task);
    for (const DemoTask2& task : kTasks2) seeder.add_task2(task);
    return result;
}

Result seed_bulk(int n, const std::string& folder, const std::string& bins, Hive hive) {
    Result result = reset_bulk();
    const std::string source_folder = resolve_bins(bins, result);
    if (source_folder.empty()) return result;
    if (n < 0 || n > kMaxBulk) {
        result.errors.push_back("bulk count " + std::to_string(n) + " outside 0.." + std::to_string(kMaxBulk));
        result.ok = false;
        return result;
    }
    const std::string target = folder.empty() ? std::string(kDefaultBulkFolder) : full_path(wine_path(folder));
    const std::string source = source_folder + "\\" + kBulkBinary;

    Journal journal(journal_folder() + "\\" + kBulkJournalFile);
    if (!journal.open(result)) return result;
    Seeder seeder(journal, result, "bulk-");
    seeder.ensure_folder(target);
    for (int i = 0; i < n; ++i) {
        const std::string path = bulk_path(target, i);
        seeder.copy_file(source, path, true);
        seeder.set_value(hive, kRunKey, bulk_name(i), REG_SZ, path + '\0');
        seeder.set_value(Hive::user, kDetectedStartupKey, upper(path), REG_SZ, std::string(kBulkDate) + '\0');
    }
    return result;
}

}  // namespace sx::demo
