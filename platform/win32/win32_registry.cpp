#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <limits>
#include <optional>
#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/text_buffer.h"

namespace sx::win32 {

using platform::RegStatus;
using platform::RegValue;
using platform::Root;

namespace {

// Longest value or key name the registry allows, in characters without the terminating zero.
constexpr DWORD kNameMax = 16383;
// Data buffers start here when the key cannot say how long its longest value is.
constexpr DWORD kFirstDataBuffer = 1024;
// A value that changes while it is read can ask for more room again; after this many larger buffers
// the read is given up.
constexpr DWORD kGrowAttempts = 16;

HKEY root_key(Root root) {
    switch (root) {
        case Root::classes_root: return HKEY_CLASSES_ROOT;
        case Root::current_user: return HKEY_CURRENT_USER;
        case Root::local_machine: return HKEY_LOCAL_MACHINE;
    }
    return HKEY_CURRENT_USER;
}

RegStatus status_of(LONG error) {
    switch (error) {
        case ERROR_SUCCESS: return RegStatus::ok;
        case ERROR_FILE_NOT_FOUND: return RegStatus::not_found;
        case ERROR_ACCESS_DENIED: return RegStatus::access_denied;
        default: return RegStatus::failed;
    }
}

LONG open_key(Root root, std::string_view path, REGSAM access, UniqueHkey& key) {
    return RegOpenKeyExA(root_key(root), std::string(path).c_str(), 0, access, key.put());
}

bool is_text(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// Text data stored without its terminating zero is given one, so every reader can rely on it.
void repair_text(RegValue& value) {
    if (is_text(value.type) && (value.data.empty() || value.data.back() != '\0')) value.data += '\0';
}

struct KeyInfo {
    DWORD subkey_name_max = 0;
    DWORD value_name_max = 0;
    DWORD data_max = 0;
};

KeyInfo key_info(HKEY key) {
    KeyInfo info;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, &info.subkey_name_max, nullptr, nullptr,
                         &info.value_name_max, &info.data_max, nullptr, nullptr) != ERROR_SUCCESS) {
        return {};
    }
    return info;
}

DWORD grown(DWORD size, DWORD needed) { return std::max(size * 2, needed); }

}  // namespace

RegStatus Win32Registry::open(Root root, std::string_view path) {
    UniqueHkey key;
    return status_of(open_key(root, path, KEY_READ, key));
}

RegStatus Win32Registry::create_key(Root root, std::string_view path) {
    UniqueHkey key;
    return status_of(RegCreateKeyA(root_key(root), std::string(path).c_str(), key.put()));
}

RegStatus Win32Registry::query(Root root, std::string_view path, std::string_view name, RegValue& out) {
    UniqueHkey key;
    if (LONG error = open_key(root, path, KEY_QUERY_VALUE, key); error != ERROR_SUCCESS) return status_of(error);
    const std::string value_name(name);
    std::string data(kFirstDataBuffer, '\0');
    for (DWORD attempt = 0; attempt < kGrowAttempts; ++attempt) {
        DWORD type = REG_NONE;
        DWORD size = static_cast<DWORD>(data.size());
        LONG error = RegQueryValueExA(key.get(), value_name.c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(data.data()), &size);
        if (error == ERROR_MORE_DATA) {
            data.assign(grown(static_cast<DWORD>(data.size()), size), '\0');
            continue;
        }
        if (error != ERROR_SUCCESS) return status_of(error);
        data.resize(size);
        out.name = value_name;
        out.type = type;
        out.data = std::move(data);
        repair_text(out);
        return RegStatus::ok;
    }
    return RegStatus::failed;
}

RegStatus Win32Registry::set(Root root, std::string_view path, std::string_view name, uint32_t type,
                             std::string_view data) {
    if (data.size() > std::numeric_limits<DWORD>::max()) return RegStatus::failed;
    UniqueHkey key;
    if (LONG error = open_key(root, path, KEY_SET_VALUE, key); error != ERROR_SUCCESS) return status_of(error);
    return status_of(RegSetValueExA(key.get(), std::string(name).c_str(), 0, type,
                                    reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size())));
}

RegStatus Win32Registry::remove_value(Root root, std::string_view path, std::string_view name) {
    UniqueHkey key;
    if (LONG error = open_key(root, path, KEY_SET_VALUE, key); error != ERROR_SUCCESS) return status_of(error);
    return status_of(RegDeleteValueA(key.get(), std::string(name).c_str()));
}

RegStatus Win32Registry::remove_key(Root root, std::string_view path) {
    return status_of(RegDeleteKeyA(root_key(root), std::string(path).c_str()));
}

RegStatus Win32Registry::values(Root root, std::string_view path, std::vector<RegValue>& out) {
    out.clear();
    UniqueHkey key;
    if (LONG error = open_key(root, path, KEY_READ, key); error != ERROR_SUCCESS) return status_of(error);
    const KeyInfo info = key_info(key.get());
    std::string name(std::min(info.value_name_max, kNameMax) + 1, '\0');
    std::string data(std::max(info.data_max, kFirstDataBuffer), '\0');
    for (DWORD index = 0, attempt = 0; attempt < kGrowAttempts;) {
        DWORD name_size = static_cast<DWORD>(name.size());
        DWORD data_size = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        LONG error = RegEnumValueA(key.get(), index, name.data(), &name_size, nullptr, &type,
                                   reinterpret_cast<BYTE*>(data.data()), &data_size);
        if (error == ERROR_NO_MORE_ITEMS) return RegStatus::ok;
        if (error == ERROR_MORE_DATA) {
            // Either buffer may be the short one, and only the data size is reported.
            if (name.size() <= kNameMax) name.assign(std::min<DWORD>(name.size() * 2, kNameMax + 1), '\0');
            data.assign(grown(static_cast<DWORD>(data.size()), data_size), '\0');
            ++attempt;
            continue;
        }
        if (error != ERROR_SUCCESS) return status_of(error);
        RegValue value;
        value.name.assign(name.data(), name_size);
        value.type = type;
        value.data.assign(data.data(), data_size);
        repair_text(value);
        out.push_back(std::move(value));
        ++index;
        attempt = 0;
    }
    return RegStatus::failed;
}

RegStatus Win32Registry::subkeys(Root root, std::string_view path, std::vector<std::string>& out) {
    out.clear();
    UniqueHkey key;
    if (LONG error = open_key(root, path, KEY_READ, key); error != ERROR_SUCCESS) return status_of(error);
    std::string name(std::min(key_info(key.get()).subkey_name_max, kNameMax) + 1, '\0');
    for (DWORD index = 0, attempt = 0; attempt < kGrowAttempts;) {
        DWORD name_size = static_cast<DWORD>(name.size());
        LONG error = RegEnumKeyExA(key.get(), index, name.data(), &name_size, nullptr, nullptr, nullptr, nullptr);
        if (error == ERROR_NO_MORE_ITEMS) return RegStatus::ok;
        if (error == ERROR_MORE_DATA && name.size() <= kNameMax) {
            name.assign(std::min<DWORD>(name.size() * 2, kNameMax + 1), '\0');
            ++attempt;
            continue;
        }
        if (error != ERROR_SUCCESS) return status_of(error);
        out.emplace_back(name.data(), name_size);
        ++index;
        attempt = 0;
    }
    return RegStatus::failed;
}

// The wide call: the ANSI one is not implemented under Wine (ERROR_CALL_NOT_IMPLEMENTED), and
// SHLoadIndirectString there loads the file as a library, running its code.
std::optional<std::string> Win32Registry::indirect_text(Root root, std::string_view path, std::string_view name) {
    UniqueHkey key;
    if (open_key(root, path, KEY_READ, key) != ERROR_SUCCESS) return std::nullopt;
    const std::wstring value_name = wide(name);
    std::wstring text(kFirstDataBuffer, L'\0');
    for (DWORD attempt = 0; attempt < kGrowAttempts; ++attempt) {
        const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        DWORD needed = 0;
        const LONG error =
            RegLoadMUIStringW(key.get(), value_name.c_str(), text.data(), bytes, &needed, 0, nullptr);
        if (error == ERROR_MORE_DATA && needed > bytes) {
            text.assign(needed / sizeof(wchar_t) + 1, L'\0');
            continue;
        }
        if (error != ERROR_SUCCESS) return std::nullopt;
        text.resize(wcsnlen(text.c_str(), text.size()));
        if (text.empty()) return std::nullopt;
        return ansi(text);
    }
    return std::nullopt;
}

}  // namespace sx::win32
