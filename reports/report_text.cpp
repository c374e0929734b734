#include "reports/report_text.h"

#include "common/text.h"

namespace sx::reports {

std::string clock_text(const platform::LocalTime& t) {
    const int hour = t.hour % 12 == 0 ? 12 : t.hour % 12;
    return format("%2d:%02d:%02d %s", hour, t.minute, t.second, t.hour < 12 ? "AM" : "PM");
}

std::string date_text(const platform::LocalTime& t) { return format("%2d/%02d/%4d", t.month, t.day, t.year); }

std::string one_line(std::string_view value) {
    std::string out(value);
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    }
    return out;
}

bool fits(std::string_view value, size_t buffer) { return !value.empty() && value.size() < buffer; }

std::string html_escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}


std::string csv_field(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace sx::reports
