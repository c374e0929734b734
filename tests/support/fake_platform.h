// In-memory fakes of every platform interface, bundled into one Platform for logic tests.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/fake_files.h"
#include "tests/support/fake_registry.h"

namespace sx::fake {

// win.ini's [windows] section lives in the registry, as Wine maps it; everything else in memory.
class FakeProfile : public platform::Profile {
public:
    explicit FakeProfile(FakeRegistry& registry) : registry_(registry) {}
    std::string read(std::string_view file, std::string_view section, std::string_view key, size_t size) override;
    bool write(std::string_view file, std::string_view section, std::string_view key,
               std::optional<std::string_view> value) override;
    FaultPlan faults;

    static constexpr std::string_view kWindowsSectionKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

private:
    FakeRegistry& registry_;
    std::map<std::string, std::string, NoCaseLess> values_;  // by "file|section|key"
};

// Shortcuts are files of the fake file system holding their fields, so moving, deleting and
// listing them works like any file.
class FakeShell : public platform::Shell {
public:
    explicit FakeShell(FakeFiles& files) : files_(files) {}
    std::optional<platform::Shortcut> read_shortcut(std::string_view path) override;
    bool save_shortcut(std::string_view path, const platform::Shortcut& link) override;
    bool execute(platform::WindowRef owner, std::string_view verb, std::string_view file,
                 std::string_view parameters, std::string_view folder, int show) override;
    bool properties(platform::WindowRef owner, std::string_view file, std::string_view folder) override;
    bool run(std::string_view command_line, int show) override;
    bool open_and_wait(platform::WindowRef owner, std::string_view file, unsigned wait_ms) override;
    bool save_internet_shortcut(std::string_view path, std::string_view address) override;
    bool find_window(std::string_view class_name, std::string_view caption) override;

    // Every call, as "verb|file|parameters|folder", "run|command line" or "open-wait|file|content"
    // (the content of the file when it is an Internet shortcut, as a handler would read it).
    std::vector<std::string> calls;
    // Top-level windows that exist, as "class|caption".
    std::vector<std::string> windows;
    FaultPlan faults;

private:
    FakeFiles& files_;
};

class FakeProcesses : public platform::Processes {
public:
    FakeProcesses() = default;
    explicit FakeProcesses(FakeFiles* file_system) : files(file_system) {}
    bool walk(const std::function<bool(const platform::ProcessEntry&)>& visit) override;
    bool terminate(uint32_t pid, bool wait) override;
    // A process of the application when the file exists in `files`.
    bool launch(std::string_view application, std::string_view command_line, std::string_view folder,
                int show) override;

    uint32_t start(std::string file);  // adds a running process, returns its id
    bool running(uint32_t pid) const;
    std::vector<platform::ProcessEntry> list;
    // Every launch, as "application|command line|folder".
    std::vector<std::string> launched;
    FaultPlan faults;
    FakeFiles* files = nullptr;

private:
    uint32_t next_pid_ = 100;
};

class FakeSystem : public platform::System {
public:
    std::string windows_folder() override { return windows; }
    std::string system_folder() override { return system; }
    std::string temp_folder() override { return temp; }
    std::string program_file() override { return program; }
    std::string user_name() override { return user; }
    std::string expand(std::string_view text) override;
    platform::LocalTime now() override { return clock; }
    std::optional<platform::LocalTime> to_local(uint64_t file_time) override;
    platform::OsVersion version() override { return os_version; }
    std::string to_ansi(std::u16string_view text) override;
    std::optional<std::string> resource_string(unsigned id) override;
    std::u16string to_utf16(std::string_view text) override;
    platform::OsDetails os_details() override { return details; }
    platform::MemoryStatus memory() override { return memory_status; }
    int boot_mode() override { return boot; }

    std::string windows = "C:\\windows";
    std::string system = "C:\\windows\\system32";
    std::string temp = "C:\\users\\root\\Temp\\";
    std::string program = "C:\\Program Files\\Sentrix\\SentrixEx.exe";
    std::string user = "root";
    platform::LocalTime clock{2026, 12, 6, 20, 22, 53};
    platform::OsVersion os_version;
    // Wine 8's answers in a 64-bit prefix; the virtual memory of a 64-bit process is beyond 32 bits.
    platform::OsDetails details{2, 10, 0, 19045, "", 0, 1, 0x100, false};
    platform::MemoryStatus memory_status{37, 6442450944ULL, 13958643712ULL, 140737354006528ULL};
    int boot = 0;
    std::map<std::string, std::string, NoCaseLess> environment{
        {"SystemRoot", "C:\\windows"}, {"SystemDrive", "C:"}, {"windir", "C:\\windows"}, {"ProgramFiles", "C:\\Program Files"},
        {"UserProfile", "C:\\users\\root"}, {"AppData", "C:\\users\\root\\AppData\\Roaming"},
        {"Temp", "C:\\users\\root\\Temp"}};
};

// Answers questions from a script and remembers what was asked.
class FakePrompts : public platform::Prompts {
public:
    bool ask(std::string_view text, platform::Icon icon) override;
    void tell(std::string_view text, platform::Icon icon) override;
    bool confirm_special_removal(std::string_view title, std::string_view command, bool microsoft_file) override;

    std::deque<bool> answers;  // consumed in order; yes when empty
    std::vector<std::string> asked;
    std::vector<std::string> told;
};

// Services by key name; a start type the manager takes is written to the service's key, as the
// manager does.
class FakeServices : public platform::Services {
public:
    explicit FakeServices(FakeRegistry& registry) : registry_(registry) {}
    bool list(std::vector<platform::ServiceState>& out) override;
    std::optional<platform::ServiceState> query(std::string_view name) override;
    std::string key_name(std::string_view display_name) override;
    std::string display_name(std::string_view name) override;
    bool stop(std::string_view name) override;
    bool start(std::string_view name) override;
    bool set_start_type(std::string_view name, uint32_t start) override;

    // A stopped service the manager knows, accepting a stop while it runs.
    void add(std::string name, std::string display);
    std::vector<platform::ServiceState> services;
    FaultPlan faults;

private:
    platform::ServiceState* find(std::string_view name);
    FakeRegistry& registry_;
};

// Work items by their enumerated names ("Backup.job"); opened and deleted with or without ".job".
// The tasks of the second interface in the order it walks them; the two stores are apart, as under
// Wine (on Windows a work item is also a task of the root folder).
class FakeScheduler : public platform::Scheduler {
public:
    bool names(std::vector<std::string>& out) override;
    std::optional<platform::WorkItem> item(std::string_view name) override;
    bool remove(std::string_view name) override;
    bool tasks(std::vector<platform::Task>& out) override;
    bool remove_task(std::string_view path) override;

    std::vector<std::pair<std::string, platform::WorkItem>> items;
    std::vector<platform::Task> registered;
    FaultPlan faults;

private:
    std::pair<std::string, platform::WorkItem>* find(std::string_view name);
};

struct VersionInfo {
    std::string product, company, description, version, copyright;
};

// Every fake, wired together, and the Platform that logic takes; with builders for startup entries.
struct FakePlatform {
    FakePlatform() { registry.expand = [this](std::string_view text) { return system.expand(text); }; }
    FakePlatform(const FakePlatform&) = delete;  // the registry's `expand` points at this one

    FakeRegistry registry;
    FakeFiles files;
    FakeProfile profile{registry};
    FakeShell shell{files};
    FakeProcesses processes{&files};
    FakeSystem system;
    FakeServices services{registry};
    FakeScheduler scheduler;
    FakePrompts prompts;
    platform::Platform os{registry, files, profile, shell, processes, system, services, scheduler, prompts};

    static constexpr std::string_view kUserStartup =
        "C:\\users\\root\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";
    static constexpr std::string_view kCommonStartup = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";

    // The Shell Folders values of a fresh Wine prefix, with their folders.
    void shell_folders();
    // A program file, with a version resource holding the texts given (empty ones left out) when there are any.
    void program(std::string_view path, const VersionInfo& info = {});
    void shortcut(std::string_view path, std::string_view target, std::string_view description = {});
    void win_ini(std::string_view key, std::string_view line) { profile.write({}, "windows", key, line); }
    std::string win_ini(std::string_view key) { return profile.read({}, "windows", key, 32768); }
    void clsid(std::string_view class_id, std::string_view name, std::string_view server);
};

}  // namespace sx::fake
