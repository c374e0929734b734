#include "platform/win32/win32_services.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "platform/win32/handles.h"

namespace sx::win32 {

namespace {

constexpr DWORD kNameBuffer = 4096;
constexpr DWORD kListBufferMax = 4u << 20;

UniqueService manager(DWORD access) { return UniqueService(OpenSCManagerA(nullptr, nullptr, access)); }

UniqueService service(std::string_view name, DWORD access) {
    const UniqueService scm = manager(SC_MANAGER_CONNECT);
    if (!scm) return UniqueService();
    return UniqueService(OpenServiceA(scm.get(), std::string(name).c_str(), access));
}

platform::ServiceState state_of(const std::string& name, const std::string& display, const SERVICE_STATUS_PROCESS& s) {
    return {name, display, s.dwCurrentState, s.dwServiceType, s.dwControlsAccepted};
}

// GetServiceKeyNameA and GetServiceDisplayNameA: a text of at most kNameBuffer characters. Some
// systems leave the length unchanged on success, so the text ends at its zero.
template <typename Call>
std::string name_from(Call call) {
    const UniqueService scm = manager(SC_MANAGER_CONNECT);
    if (!scm) return {};
    std::string buffer(kNameBuffer + 1, '\0');
    DWORD size = kNameBuffer;
    if (!call(scm.get(), buffer.data(), &size)) return {};
    buffer.resize(std::strlen(buffer.c_str()));
    return buffer;
}

}  // namespace

bool Win32Services::list(std::vector<platform::ServiceState>& out) {
    out.clear();
    const UniqueService scm = manager(SC_MANAGER_ENUMERATE_SERVICE);
    if (!scm) return false;
    std::string buffer(64 * 1024, '\0');
    DWORD resume = 0;
    for (;;) {
        DWORD needed = 0, count = 0;
        const BOOL done = EnumServicesStatusExA(scm.get(), SC_ENUM_PROCESS_INFO, SERVICE_WIN32, SERVICE_STATE_ALL,
                                                reinterpret_cast<BYTE*>(buffer.data()), static_cast<DWORD>(buffer.size()),
                                                &needed, &count, &resume, nullptr);
        if (!done && GetLastError() != ERROR_MORE_DATA) return false;
        const auto* entries = reinterpret_cast<const ENUM_SERVICE_STATUS_PROCESSA*>(buffer.data());
        for (DWORD i = 0; i < count; ++i) {
            out.push_back(state_of(entries[i].lpServiceName ? entries[i].lpServiceName : "",
                                   entries[i].lpDisplayName ? entries[i].lpDisplayName : "",
                                   entries[i].ServiceStatusProcess));
        }
        if (done) return true;
        // More to come: with room for at least the next entry.
        if (needed > buffer.size()) {
            if (needed > kListBufferMax) return false;
            buffer.assign(needed, '\0');
        }
    }
}

std::optional<platform::ServiceState> Win32Services::query(std::string_view name) {
    const UniqueService s = service(name, SERVICE_QUERY_STATUS);
    SERVICE_STATUS_PROCESS status{};
    DWORD needed = 0;
    if (!s || !QueryServiceStatusEx(s.get(), SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status), sizeof(status),
                                    &needed)) {
        return std::nullopt;
    }
    return state_of(std::string(name), {}, status);
}

std::string Win32Services::key_name(std::string_view display_name) {
    const std::string display(display_name);
    return name_from([&](SC_HANDLE scm, char* out, DWORD* size) {
        return GetServiceKeyNameA(scm, display.c_str(), out, size);
    });
}

std::string Win32Services::display_name(std::string_view name) {
    const std::string key(name);
    return name_from([&](SC_HANDLE scm, char* out, DWORD* size) {
        return GetServiceDisplayNameA(scm, key.c_str(), out, size);
    });
}

bool Win32Services::stop(std::string_view name) {
    // Stopping needs only these rights: a user who may stop a service but not reconfigure it can.
    const UniqueService s = service(name, SERVICE_STOP | SERVICE_QUERY_STATUS);
    SERVICE_STATUS status{};
    return s && ControlService(s.get(), SERVICE_CONTROL_STOP, &status);
}

bool Win32Services::start(std::string_view name) {
    const UniqueService s = service(name, SERVICE_START);
    return s && StartServiceA(s.get(), 0, nullptr);
}

bool Win32Services::set_start_type(std::string_view name, uint32_t start) {
    const UniqueService s = service(name, SERVICE_CHANGE_CONFIG);
    return s && ChangeServiceConfigA(s.get(), SERVICE_NO_CHANGE, start, SERVICE_NO_CHANGE, nullptr, nullptr, nullptr,
                                     nullptr, nullptr, nullptr, nullptr);
}

}  // namespace sx::win32
