#include "tests/support/fake_platform.h"

#include <algorithm>
#include <cstdint>

#include "common/text.h"
#include "res/string_table.h"

namespace sx::fake {

namespace {

std::string folded(std::string_view text) {
    std::string out;
    for (char c : text) out += fold_ascii(c);
    return out;
}

constexpr std::string_view kShortcutMagic = "SXLNK\n";

}  // namespace

// ---- FakeProfile ----

std::string FakeProfile::read(std::string_view file, std::string_view section, std::string_view key, size_t size) {
    if (size == 0 || faults.should_fail("profile.read", key)) return {};
    std::string value;
    if (file.empty() && iequals(section, "windows")) {
        // Read from the registry as it is stored: no blanks or quotes are taken off.
        value = registry_.text(platform::Root::current_user, kWindowsSectionKey, key);
    } else {
        auto it = values_.find(folded(file) + "|" + folded(section) + "|" + folded(key));
        if (it != values_.end()) value = file_value(it->second);
    }
    return cut(value, size - 1);
}

std::string FakeProfile::file_value(std::string_view raw) {
    // As GetPrivateProfileStringA reads a line of a file: white space around the value goes, then one
    // pair of matching outer quotes (double or single).
    constexpr std::string_view kBlanks = " \t\r\n\v\f";
    const size_t first = raw.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    std::string_view value = raw.substr(first, raw.find_last_not_of(kBlanks) - first + 1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

bool FakeProfile::write(std::string_view file, std::string_view section, std::string_view key,
                        std::optional<std::string_view> value) {
    if (faults.should_fail("profile.write", key)) return false;
    if (file.empty() && iequals(section, "windows")) {
        if (!value) {
            registry_.remove_value(platform::Root::current_user, kWindowsSectionKey, key);
        } else {
            registry_.put_text(platform::Root::current_user, kWindowsSectionKey, key, *value);
        }
        return true;
    }
    const std::string k = folded(file) + "|" + folded(section) + "|" + folded(key);
    if (!value) {
        values_.erase(k);
    } else {
        values_[k] = std::string(*value);
    }
    return true;
}

// ---- FakeShell ----

std::optional<platform::Shortcut> FakeShell::read_shortcut(std::string_view path) {
    if (faults.should_fail("shell.read_shortcut", path)) return std::nullopt;
    std::optional<std::string> content = files_.read(path, 1 << 20);
    if (!content || content->compare(0, kShortcutMagic.size(), kShortcutMagic) != 0) return std::nullopt;
    std::vector<std::string> fields;
    std::string field;
    for (size_t i = kShortcutMagic.size(); i < content->size(); ++i) {
        if ((*content)[i] == '\n') {
            fields.push_back(field);
            field.clear();
        } else {
            field += (*content)[i];
        }
    }
    fields.resize(6);
    platform::Shortcut link;
    link.target = fields[0];
    link.arguments = fields[1];
    link.working_folder = fields[2];
    link.description = fields[3];
    link.icon = fields[4];
    link.icon_index = to_int(fields[5]);
    return link;
}

bool FakeShell::save_shortcut(std::string_view path, const platform::Shortcut& link) {
    if (faults.should_fail("shell.save_shortcut", path)) return false;
    std::string content(kShortcutMagic);
    for (const std::string* f : {&link.target, &link.arguments, &link.working_folder, &link.description, &link.icon}) {
        content += *f + "\n";
    }
    content += std::to_string(link.icon_index) + "\n";
    return files_.write(path, content);
}

bool FakeShell::execute(platform::WindowRef, std::string_view verb, std::string_view file,
                        std::string_view parameters, std::string_view folder, int) {
    calls.push_back(std::string(verb) + "|" + std::string(file) + "|" + std::string(parameters) + "|" +
                    std::string(folder));
    return execute_result && !faults.should_fail("shell.execute", file);
}

bool FakeShell::properties(platform::WindowRef, std::string_view file, std::string_view folder) {
    calls.push_back("properties|" + std::string(file) + "||" + std::string(folder));
    return execute_result && !faults.should_fail("shell.properties", file);
}

bool FakeShell::run(std::string_view command_line, int) {
    calls.push_back("run|" + std::string(command_line));
    return !faults.should_fail("shell.run", command_line);
}

// ---- FakeProcesses ----

bool FakeProcesses::walk(const std::function<bool(const platform::ProcessEntry&)>& visit) {
    if (!can_walk || faults.should_fail("processes.walk", "")) return false;
    const std::vector<platform::ProcessEntry> snapshot = list;
    for (const platform::ProcessEntry& p : snapshot) {
        if (!visit(p)) break;
    }
    return true;
}

bool FakeProcesses::terminate(uint32_t pid, bool) {
    if (faults.should_fail("processes.terminate", std::to_string(pid))) return false;
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->pid == pid) {
            list.erase(it);
            return true;
        }
    }
    return false;
}

uint32_t FakeProcesses::start(std::string file) {
    uint32_t pid = next_pid_;
    next_pid_ += 4;
    list.push_back({pid, 0, std::move(file)});
    return pid;
}

bool FakeProcesses::running(uint32_t pid) const {
    for (const auto& p : list) {
        if (p.pid == pid) return true;
    }
    return false;
}

// ---- FakeSystem ----

std::string FakeSystem::expand(std::string_view text) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '%') {
            size_t end = text.find('%', i + 1);
            if (end != std::string_view::npos) {
                auto it = environment.find(folded(text.substr(i + 1, end - i - 1)));
                if (it != environment.end()) {
                    out += it->second;
                    i = end + 1;
                    continue;
                }
            }
        }
        out += text[i++];
    }
    return out;
}

std::optional<platform::LocalTime> FakeSystem::to_local(uint64_t file_time) {
    // FileTimeToSystemTime takes times up to 2^63 - 1; 0 is 1601-01-01 00:00:00.
    if (file_time > static_cast<uint64_t>(INT64_MAX)) return std::nullopt;
    // Time zone UTC, as the tests pin it under Wine.
    int64_t seconds = static_cast<int64_t>(file_time / 10000000ULL) - 11644473600LL;
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    // Civil date from days since 1970-01-01 (Howard Hinnant's algorithm).
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    platform::LocalTime t;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2 ? 1 : 0));
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

std::string FakeSystem::to_ansi(std::u16string_view text) {
    // Code page 1252: Latin-1, except that 0x80-0x9F hold typographic characters instead of the C1
    // controls; the five unused places stand for themselves, and anything else becomes '?'.
    static constexpr char16_t kHighHalf[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    constexpr char16_t kHighFirst = 0x80;
    constexpr char16_t kHighEnd = 0xA0;
    std::string out;
    for (char16_t c : text) {
        if (c < kHighFirst || (c >= kHighEnd && c < 0x100)) {
            out += static_cast<char>(c);
            continue;
        }
        const char16_t* at = std::find(std::begin(kHighHalf), std::end(kHighHalf), c);
        out += at == std::end(kHighHalf) ? '?' : static_cast<char>(kHighFirst + (at - std::begin(kHighHalf)));
    }
    return out;
}

std::optional<std::string> FakeSystem::resource_string(unsigned id) {
    std::optional<std::string_view> text = res::find_string(id);
    if (!text) return std::nullopt;
    return std::string(*text);
}

// ---- FakePrompts ----

bool FakePrompts::ask(std::string_view text, platform::Icon) {
    asked.emplace_back(text);
    if (answers.empty()) return default_answer;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakePrompts::tell(std::string_view text, platform::Icon) { told.emplace_back(text); }

bool FakePrompts::confirm_special_removal(std::string_view title, std::string_view, bool) {
    return ask(title, platform::Icon::exclamation);
}

FakePlatform::FakePlatform() = default;

}  // namespace sx::fake
