#include "programinfo/file_facts.h"

#include <array>
#include <optional>

#include "common/text.h"
#include "programinfo/first_detected.h"
#include "res/resource_ids.h"
#include "settings/store.h"
#include "settings/strings.h"

namespace sx::programinfo {

namespace {

enum class DateForm { month_day_year4, month_day_year2, year_month_day2, iso, day_month_name_year };
enum class TimeForm { hour12, hour12_padded, hour24, hour24_padded };

struct DatePattern {
    std::string_view pattern;
    DateForm form;
};
struct TimePattern {
    std::string_view pattern;
    TimeForm form;
};

constexpr std::array<DatePattern, 7> kDatePatterns = {{
    {"M/d/yyyy", DateForm::month_day_year4},
    {"M/d/yy", DateForm::month_day_year2},
    {"MM/dd/yy", DateForm::month_day_year2},
    {"MM/dd/yyyy", DateForm::month_day_year4},
    {"yy/MM/dd", DateForm::year_month_day2},
    {"yyyy-MM-dd", DateForm::iso},
    {"dd-MMM-yy", DateForm::day_month_name_year},
}};
constexpr DateForm kDefaultDateForm = DateForm::month_day_year4;

constexpr std::array<TimePattern, 4> kTimePatterns = {{
    {"h:mm:ss tt", TimeForm::hour12},
    {"hh:mm:ss tt", TimeForm::hour12_padded},
    {"H:mm:ss", TimeForm::hour24},
    {"HH:mm:ss", TimeForm::hour24_padded},
}};
constexpr TimeForm kDefaultTimeForm = TimeForm::hour12;

constexpr std::array<std::string_view, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr int kHoursHalfDay = 12;
constexpr size_t kDigitGroup = 3;

DateForm date_form(std::string_view pattern) {
    for (const DatePattern& p : kDatePatterns) {
        if (p.pattern == pattern) return p.form;
    }
    return kDefaultDateForm;
}

TimeForm time_form(std::string_view pattern) {
    for (const TimePattern& p : kTimePatterns) {
        if (p.pattern == pattern) return p.form;
    }
    return kDefaultTimeForm;
}

std::string month_name(int month) {
    if (month < 1 || month > static_cast<int>(kMonthNames.size())) return {};
    return std::string(kMonthNames[static_cast<size_t>(month - 1)]);
}

std::string date_text(DateForm form, const platform::LocalTime& t) {
    switch (form) {
    case DateForm::month_day_year4: return format("%02d/%02d/%04d", t.month, t.day, t.year);
    case DateForm::month_day_year2: return format("%02d/%02d/%02d", t.month, t.day, t.year);
    case DateForm::year_month_day2: return format("%02d/%02d/%02d", t.year, t.month, t.day);
    case DateForm::iso: return format("%04d-%02d-%02d", t.year, t.month, t.day);
    case DateForm::day_month_name_year:
        return format("%02d-%s-%02d", t.day, month_name(t.month).c_str(), t.year);
    }
    return {};
}

std::string time_text(TimeForm form, const platform::LocalTime& t) {
    // 0-11 are AM and 12-23 PM; 0 and 12 both read 12. Hours outside a day keep the same rule.
    int hour12 = ((t.hour % kHoursHalfDay) + kHoursHalfDay) % kHoursHalfDay;
    if (hour12 == 0) hour12 = kHoursHalfDay;
    const char* half = t.hour >= kHoursHalfDay ? "PM" : "AM";
    switch (form) {
    case TimeForm::hour12: return format("%d:%02d %s", hour12, t.minute, half);
    case TimeForm::hour12_padded: return format("%02d:%02d %s", hour12, t.minute, half);
    case TimeForm::hour24: return format("%d:%02d", t.hour, t.minute);
    case TimeForm::hour24_padded: return format("%02d:%02d", t.hour, t.minute);
    }
    return {};
}

std::string time_fact(platform::Platform& os, uint64_t file_time) {
    std::optional<platform::LocalTime> local = os.system.to_local(file_time);
    return local ? FormatLocalDate(os, *local) : std::string();
}

}  // namespace

std::string format_local_date(std::string_view short_date, std::string_view time_format,
                              const platform::LocalTime& time) {
    std::string text = cut(date_text(date_form(short_date), time), kDateTextMax);
    text += ' ';
    text += time_text(time_form(time_format), time);
    return cut(text, kFactTextMax);
}

std::string FormatLocalDate(platform::Platform& os, const platform::LocalTime& time) {
    const std::string short_date = settings::read_text(os, platform::Root::current_user, kInternationalKey,
                                                       kShortDateValue, kDatePatternMax + 1);
    const std::string time_format = settings::read_text(os, platform::Root::current_user, kInternationalKey,
                                                        kTimeFormatValue, kDatePatternMax + 1);
    return format_local_date(short_date, time_format, time);
}

std::string group_thousands(uint64_t value) {
    const std::string digits = format("%llu", static_cast<unsigned long long>(value));
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % kDigitGroup == 0) out += ',';
        out += digits[i];
    }
    return out;
}

bool ReadFileFacts(const AppState& app, std::string_view file, int type, FileFactTexts& out) {
    out = FileFactTexts{};
    std::optional<platform::FileFacts> facts = app.os.files.facts(file);
    if (!facts) return false;
    out.created = time_fact(app.os, facts->created);
    out.accessed = time_fact(app.os, facts->accessed);
    out.written = time_fact(app.os, facts->written);
    out.first_detected = programinfo::ReadFirstDetected(app.os, file, type);
    if (facts->size) {
        out.size = cut(group_thousands(*facts->size), kFactTextMax);
    } else {
        settings::load_string(app, IDS_FILE_IN_USE, out.size, static_cast<int>(kFactTextMax + 1));
    }
    return true;
}

}  // namespace sx::programinfo
