// The running processes through the process-status functions (kernel32's K32 entry points, or
// PSAPI.DLL from the system folder where they are missing).
#pragma once

#include "platform/processes.h"
#include "platform/win32/handles.h"

namespace sx::win32 {

class Win32Processes : public platform::Processes {
public:
    bool walk(const std::function<bool(const platform::ProcessEntry&)>& visit) override;
    bool terminate(uint32_t pid, bool wait) override;
    bool launch(std::string_view application, std::string_view command_line, std::string_view folder,
                int show) override;

private:
    using EnumProcessesFn = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
    using EnumProcessModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
    using GetModuleFileNameExFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);

    bool load_functions();

    UniqueModule psapi_;
    EnumProcessesFn enum_processes_ = nullptr;
    EnumProcessModulesFn enum_modules_ = nullptr;
    GetModuleFileNameExFn module_file_name_ = nullptr;
};

}  // namespace sx::win32
