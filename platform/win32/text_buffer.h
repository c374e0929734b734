// The one grow-to-fit loop for the *A calls that write a text into a caller's buffer, and the one
// conversion between ANSI text and the UTF-16 of the *W and COM calls.
#pragma once

#include <windows.h>

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>

namespace sx::win32 {

inline constexpr DWORD kFirstTextBuffer = MAX_PATH;
// Far beyond any path, environment text or string resource; a call that still wants more is taken as
// failed rather than followed further.
inline constexpr DWORD kLargestTextBuffer = 1u << 20;

// `call(buffer, size)` returns the text's length, 0 on failure, and, when the buffer is too small,
// either the size it needs or a cut text of size - 1 or size characters. A result that does not leave
// room to spare is therefore retried with a larger buffer until the text fits. Empty on failure.
template <typename Call>
std::string text_from(Call call) {
    std::string buffer(kFirstTextBuffer, '\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = call(buffer.data(), size);
        if (length == 0) return {};
        if (length + 1 < size) {
            buffer.resize(length);
            return buffer;
        }
        if (size >= kLargestTextBuffer) return {};
        buffer.assign(std::min<DWORD>(std::max<DWORD>(size * 2, length + 1), kLargestTextBuffer), '\0');
    }
}

// NULL for an empty text, for the arguments where the API gives NULL its own meaning (default verb,
// no parameters, current folder).
inline const char* or_null(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// ANSI text (the system's code page) as UTF-16, and back; empty for a text that is empty, too long for
// the calls or cannot be converted.
inline std::wstring wide(std::string_view text) {
    if (text.empty() || text.size() > static_cast<size_t>(std::numeric_limits<int>::max())) return {};
    const int count = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), count, nullptr, 0);
    if (length <= 0) return {};
    std::wstring out(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), count, out.data(), length);
    return out;
}

inline std::string ansi(std::wstring_view text) {
    if (text.empty() || text.size() > static_cast<size_t>(std::numeric_limits<int>::max())) return {};
    const int count = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), count, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string out(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), count, out.data(), length, nullptr, nullptr);
    return out;
}

// A text a COM call returned, which may be NULL.
inline std::string ansi(const wchar_t* text) { return text ? ansi(std::wstring_view(text)) : std::string(); }

}  // namespace sx::win32
