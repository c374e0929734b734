// Stand-in for a third-party service: registers with the service control manager, reports itself
// running and accepting a stop, and ends when it is stopped (or after ten minutes, so a test that
// forgets it leaves nothing behind for long). Without the C runtime, like the other demo programs.
#include <windows.h>

namespace {

constexpr DWORD kLongestRunMs = 10 * 60 * 1000;

SERVICE_STATUS_HANDLE g_handle = nullptr;
HANDLE g_stop = nullptr;

void report(DWORD state, DWORD accepted) {
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = accepted;
    SetServiceStatus(g_handle, &status);
}

DWORD WINAPI on_control(DWORD control, DWORD, void*, void*) {
    if (control == SERVICE_CONTROL_STOP) {
        report(SERVICE_STOP_PENDING, 0);
        SetEvent(g_stop);
    }
    return NO_ERROR;
}

void WINAPI service_main(DWORD, LPSTR*) {
    g_handle = RegisterServiceCtrlHandlerExA("", on_control, nullptr);
    if (!g_handle) return;
    report(SERVICE_RUNNING, SERVICE_ACCEPT_STOP);
    WaitForSingleObject(g_stop, kLongestRunMs);
    report(SERVICE_STOPPED, 0);
}

}  // namespace

extern "C" void DemoEntry() {
    g_stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SERVICE_TABLE_ENTRYA table[] = {{const_cast<char*>(""), service_main}, {nullptr, nullptr}};
    StartServiceCtrlDispatcherA(table);
    ExitProcess(0);
}
