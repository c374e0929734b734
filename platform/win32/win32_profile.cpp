#include "platform/win32/win32_profile.h"

#include <windows.h>

#include <algorithm>
#include <limits>

namespace sx::win32 {

std::string Win32Profile::read(std::string_view file, std::string_view section, std::string_view key, size_t size) {
    // A zero-sized buffer cannot hold even the terminating zero.
    if (size == 0) return {};
    std::string buffer(std::min<size_t>(size, std::numeric_limits<DWORD>::max()), '\0');
    const std::string section_text(section), key_text(key), file_text(file);
    const DWORD length =
        file.empty() ? GetProfileStringA(section_text.c_str(), key_text.c_str(), "", buffer.data(),
                                         static_cast<DWORD>(buffer.size()))
                     : GetPrivateProfileStringA(section_text.c_str(), key_text.c_str(), "", buffer.data(),
                                                static_cast<DWORD>(buffer.size()), file_text.c_str());
    buffer.resize(std::min<size_t>(length, buffer.size() - 1));
    return buffer;
}

bool Win32Profile::write(std::string_view file, std::string_view section, std::string_view key,
                         std::optional<std::string_view> value) {
    const std::string section_text(section), key_text(key), file_text(file);
    const std::string value_text(value.value_or(std::string_view()));
    const char* data = value ? value_text.c_str() : nullptr;
    const BOOL done = file.empty()
                          ? WriteProfileStringA(section_text.c_str(), key_text.c_str(), data)
                          : WritePrivateProfileStringA(section_text.c_str(), key_text.c_str(), data, file_text.c_str());
    return done != 0;
}

}  // namespace sx::win32
