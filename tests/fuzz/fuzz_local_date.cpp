// The date formatter on arbitrary patterns and numbers: the text never exceeds its limit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/system.h"
#include "programinfo/file_facts.h"

// Input: six 32-bit numbers (year, month, day, hour, minute, second), then the short-date pattern
// and the time pattern separated by a zero byte.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int32_t fields[6];
    if (size < sizeof(fields)) return 0;
    std::memcpy(fields, data, sizeof(fields));
    const sx::platform::LocalTime t{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
    const std::string_view rest(reinterpret_cast<const char*>(data) + sizeof(fields), size - sizeof(fields));
    const size_t zero = rest.find('\0');
    const std::string_view time = zero == std::string_view::npos ? std::string_view() : rest.substr(zero + 1);

    const std::string text = sx::programinfo::format_local_date(rest.substr(0, zero), time, t);
    if (text.size() > sx::programinfo::kFactTextMax || text.find(' ') == std::string::npos) std::abort();
    return 0;
}
