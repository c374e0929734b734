// SentrixEx.exe: shows what starts automatically on this machine.
#include <windows.h>

#include "app/win32/main_window.h"
#include "common/state.h"
#include "platform/win32/win32_platform.h"
#include "ui/win32/dialogs.h"
#include "ui/win32/frame.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
    sx::ui::WindowPrompts prompts;
    sx::win32::Win32Platform platform(prompts);
    // The logic reaches the registry through a layer that can hold keys a list fill read ahead.
    sx::SnapshotRegistry registry(platform.os().registry);
    sx::platform::Platform& base = platform.os();
    sx::platform::Platform os{registry,      base.files,    base.profile,   base.shell, base.processes,
                              base.system,   base.services, base.scheduler, base.prompts};
    sx::AppState app(os);
    app.snapshots = &registry;
    sx::ui::Frame frame(app, instance);
    prompts.attach(frame);
    return sx::app::run(frame, command_line ? command_line : "");
}
