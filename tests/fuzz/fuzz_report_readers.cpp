// The readers of outside files the scan log prints, on arbitrary bytes: the Mozilla cookie lines
// with every field within its buffer, the hosts lines and the iereset.inf lines within their limits.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "reports/cookies.h"
#include "reports/scan_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const sx::reports::MozillaCookies cookies = sx::reports::parse_mozilla_cookies(bytes, 64);
    if (cookies.cookies.size() > 64 || static_cast<size_t>(cookies.count) > size) __builtin_trap();
    for (const sx::reports::MozillaCookie& c : cookies.cookies) {
        if (c.domain.size() >= 512 || c.path.size() >= 260 || c.name.size() >= 256 ||
            c.value.size() >= 512 || c.expiry.size() >= 24) {
            __builtin_trap();
        }
    }
    for (const std::string& line : sx::reports::hosts_lines(bytes)) {
        if (line.size() >= 500 || line.size() < 5 || line.find('\n') != line.size() - 1) __builtin_trap();
    }
    for (const std::string& line : sx::reports::ie_reset_lines(bytes)) {
        if (line.size() > 16384 + 64 || line.find_first_of("\r\n") != std::string::npos) __builtin_trap();
    }
    return 0;
}
