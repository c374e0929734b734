// What the file system tells about a program file (its times and size), and dates in the user's
// short-date and time formats.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/state.h"
#include "platform/platform.h"

namespace sx::programinfo {

// Each fact text is at most this long; so is a formatted date.
inline constexpr size_t kFactTextMax = 23;
// The date part of a formatted date is at most this long.
inline constexpr size_t kDateTextMax = 11;
// sShortDate and sTimeFormat are read up to this many characters; longer patterns read as empty.
inline constexpr size_t kDatePatternMax = 24;

inline constexpr std::string_view kInternationalKey = "Control Panel\\International";
inline constexpr std::string_view kShortDateValue = "sShortDate";
inline constexpr std::string_view kTimeFormatValue = "sTimeFormat";


struct FileFactTexts {
    std::string created;
    std::string accessed;
    std::string written;
    std::string first_detected;
    std::string size;
};

// The pure core of FormatLocalDate: `time` in the given short-date and time patterns. Unknown
// patterns use "M/d/yyyy" and "h:mm:ss tt". The year is printed in full; hours 0 and 12 show as 12
// on the 12-hour forms. At most kFactTextMax characters, whatever the numbers.
std::string format_local_date(std::string_view short_date, std::string_view time_format,
                              const platform::LocalTime& time);

// `time` in the user's formats (HKCU Control Panel\International).
std::string FormatLocalDate(platform::Platform& os, const platform::LocalTime& time);

// The size with "," between groups of three digits from the right (1234567 -> "1,234,567").
std::string group_thousands(uint64_t value);

// The facts of `file`, the first-detected text read with `type`. False, with `out` empty, when the
// file cannot be opened. A time the system cannot convert shows as empty text.
bool ReadFileFacts(const AppState& app, std::string_view file, int type, FileFactTexts& out);

}  // namespace sx::programinfo
