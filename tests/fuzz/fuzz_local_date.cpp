// The date formatter on arbitrary patterns and numbers: the text never exceeds its limit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/system.h"
#include "programinfo/file_facts.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

constexpr size_t kFieldBytes = 4;
constexpr size_t kFields = 6;

int take_int(const uint8_t* data) {
    uint32_t value = 0;
    std::memcpy(&value, data, kFieldBytes);
    return static_cast<int>(value);
}

}  // namespace

// Input: six 32-bit numbers (year, month, day, hour, minute, second), then the short-date pattern
// and the time pattern separated by a zero byte.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kFields * kFieldBytes) return 0;
    sx::platform::LocalTime t;
    t.year = take_int(data);
    t.month = take_int(data + 4);
    t.day = take_int(data + 8);
    t.hour = take_int(data + 12);
    t.minute = take_int(data + 16);
    t.second = take_int(data + 20);
    const std::string_view rest(reinterpret_cast<const char*>(data) + kFields * kFieldBytes,
                                size - kFields * kFieldBytes);
    const size_t zero = rest.find('\0');
    const std::string_view date = rest.substr(0, zero);
    const std::string_view time = zero == std::string_view::npos ? std::string_view() : rest.substr(zero + 1);

    const std::string text = sx::programinfo::format_local_date(date, time, t);
    check(text.size() <= sx::programinfo::kFactTextMax);
    check(text.find(' ') != std::string::npos);
    return 0;
}
