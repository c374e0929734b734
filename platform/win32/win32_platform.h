// The real operating system behind the platform interfaces: one adapter of each kind, gathered into the
// Platform that the logic takes. The window layer supplies the prompts.
#pragma once

#include "platform/platform.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_scheduler.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"

namespace sx::win32 {

class Win32Platform {
public:
    explicit Win32Platform(platform::Prompts& prompts);
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    platform::Platform& os() { return os_; }

private:
    Win32Registry registry_;
    Win32Files files_;
    Win32Profile profile_;
    Win32Shell shell_;
    Win32Processes processes_;
    Win32System system_;
    Win32Services services_;
    Win32Scheduler scheduler_;
    platform::Platform os_;
};

}  // namespace sx::win32
