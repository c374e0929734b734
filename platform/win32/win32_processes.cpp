#include "platform/win32/win32_processes.h"

#include <windows.h>

#include <vector>

#include "platform/win32/text_buffer.h"

namespace sx::win32 {

namespace {

constexpr DWORD kFirstIdBuffer = 1024;  // bytes
// A stopped process is looked at this many times, this far apart, before the stop is taken as done.
constexpr int kExitPolls = 5;
constexpr DWORD kExitPollMs = 10;

template <typename Fn>
Fn function_of(HMODULE module, const char* name) {
    // GetProcAddress gives every function the same type; the caller names the real one.
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace

bool Win32Processes::load_functions() {
    if (enum_processes_ && enum_modules_ && module_file_name_) return true;
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    enum_processes_ = function_of<EnumProcessesFn>(kernel, "K32EnumProcesses");
    enum_modules_ = function_of<EnumProcessModulesFn>(kernel, "K32EnumProcessModules");
    module_file_name_ = function_of<GetModuleFileNameExFn>(kernel, "K32GetModuleFileNameExA");
    if (enum_processes_ && enum_modules_ && module_file_name_) return true;

    // Older systems keep them in PSAPI.DLL. It is loaded from the system folder by its full path only,
    // so a file of that name beside the program or in the current folder is never picked up.
    if (!psapi_) {
        const std::string folder =
            text_from([](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); });
        if (folder.empty()) return false;
        psapi_.reset(LoadLibraryA((folder + "\\PSAPI.DLL").c_str()));
    }
    enum_processes_ = function_of<EnumProcessesFn>(psapi_.get(), "EnumProcesses");
    enum_modules_ = function_of<EnumProcessModulesFn>(psapi_.get(), "EnumProcessModules");
    module_file_name_ = function_of<GetModuleFileNameExFn>(psapi_.get(), "GetModuleFileNameExA");
    return enum_processes_ && enum_modules_ && module_file_name_;
}

bool Win32Processes::walk(const std::function<bool(const platform::ProcessEntry&)>& visit) {
    if (!load_functions()) return false;
    std::vector<DWORD> ids(kFirstIdBuffer / sizeof(DWORD));
    DWORD bytes = 0;
    for (;;) {
        const DWORD size = static_cast<DWORD>(ids.size() * sizeof(DWORD));
        if (!enum_processes_(ids.data(), size, &bytes)) return false;
        if (bytes < size) break;
        ids.resize(ids.size() * 2);  // a full buffer may have cut the list
    }
    ids.resize(bytes / sizeof(DWORD));

    for (DWORD id : ids) {
        platform::ProcessEntry entry;
        entry.pid = id;
        UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
        if (process) {
            // The first module is the program file.
            HMODULE first = nullptr;
            DWORD needed = 0;
            if (!enum_modules_(process.get(), &first, sizeof(first), &needed)) first = nullptr;
            entry.file = text_from([&](char* buffer, DWORD size) {
                return module_file_name_(process.get(), first, buffer, size);
            });
        }
        if (!visit(entry)) break;
    }
    return true;
}

bool Win32Processes::terminate(uint32_t pid, bool wait) {
    UniqueHandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid));
    if (!process) return false;
    DWORD code = 0;
    if (!GetExitCodeProcess(process.get(), &code)) return false;
    const bool terminated = TerminateProcess(process.get(), code) != 0;
    if (wait) {
        for (int poll = 0; poll < kExitPolls; ++poll) {
            if (!GetExitCodeProcess(process.get(), &code) || code != STILL_ACTIVE) break;
            Sleep(kExitPollMs);
        }
    }
    return terminated;
}

bool Win32Processes::launch(std::string_view application, std::string_view command_line, std::string_view folder,
                            int show) {
    const std::string program(application), directory(folder);
    // CreateProcessA may write into the command line.
    std::string line(command_line);
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, or_null(directory),
                        &startup, &info)) {
        return false;
    }
    UniqueHandle process(info.hProcess), thread(info.hThread);
    return true;
}

}  // namespace sx::win32
