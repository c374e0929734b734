// Text rules every report shares: the clock and date of their headers, what a value may hold in a
// line, and how HTML, links and CSV fields carry any text safely.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/system.h"
#include "programinfo/lookup.h"

namespace sx::reports {

inline constexpr std::string_view kCrLf = "\r\n";

// "%2d:%02d:%02d %s" on the 12-hour clock (hours 0 and 12 show as 12) and "%2d/%02d/%4d".
std::string clock_text(const platform::LocalTime& time);
std::string date_text(const platform::LocalTime& time);

// A value inside one line: every control character (a line break too) becomes a blank, so no value
// can start a line of its own.
std::string one_line(std::string_view value);
// True when the text is present and shorter than `buffer` (a value read into a buffer of that size).
bool fits(std::string_view value, size_t buffer);

// & < > " ' as character references.
std::string html_escape(std::string_view text);
// The information window's request rule serves the report's links too.
using programinfo::percent_encode;
// An RFC 4180 field: quoted, with its quotes doubled, when it holds a comma, a quote, CR or LF.
std::string csv_field(std::string_view text);

}  // namespace sx::reports
