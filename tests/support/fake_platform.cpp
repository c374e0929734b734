#include "tests/support/fake_platform.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <chrono>
#include <sstream>

#include "common/text.h"
#include "programinfo/version_block.h"
#include "res/string_table.h"

namespace sx::fake {

namespace {

constexpr std::string_view kShortcutMagic = "SXLNK\n";

std::string profile_key(std::string_view file, std::string_view section, std::string_view key) {
    return std::string(file) + "|" + std::string(section) + "|" + std::string(key);
}

// As GetPrivateProfileStringA reads a line of a file: white space around the value goes, then one
// pair of matching outer quotes (double or single).
std::string file_value(std::string_view raw) {
    constexpr std::string_view kBlanks = " \t\r\n\v\f";
    const size_t first = raw.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    std::string_view value = raw.substr(first, raw.find_last_not_of(kBlanks) - first + 1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

}  // namespace

std::string FakeProfile::read(std::string_view file, std::string_view section, std::string_view key, size_t size) {
    if (size == 0 || faults.should_fail("profile.read", key)) return {};
    std::string value;
    if (file.empty() && iequals(section, "windows")) {
        // Read from the registry as it is stored: no blanks or quotes are taken off.
        value = registry_.text(platform::Root::current_user, kWindowsSectionKey, key);
    } else if (auto it = values_.find(profile_key(file, section, key)); it != values_.end()) {
        value = file_value(it->second);
    }
    return cut(value, size - 1);
}

bool FakeProfile::write(std::string_view file, std::string_view section, std::string_view key,
                        std::optional<std::string_view> value) {
    if (faults.should_fail("profile.write", key)) return false;
    const bool windows = file.empty() && iequals(section, "windows");
    if (windows && value) registry_.put_text(platform::Root::current_user, kWindowsSectionKey, key, *value);
    if (windows && !value) registry_.remove_value(platform::Root::current_user, kWindowsSectionKey, key);
    if (!windows && value) values_[profile_key(file, section, key)] = std::string(*value);
    if (!windows && !value) values_.erase(profile_key(file, section, key));
    return true;
}

std::optional<platform::Shortcut> FakeShell::read_shortcut(std::string_view path) {
    if (faults.should_fail("shell.read_shortcut", path)) return std::nullopt;
    std::optional<std::string> content = files_.read(path, 1 << 20);
    if (!content || !content->starts_with(kShortcutMagic)) return std::nullopt;
    std::istringstream lines(content->substr(kShortcutMagic.size()));
    platform::Shortcut link;
    std::string index;
    for (std::string* field : {&link.target, &link.arguments, &link.working_folder, &link.description, &link.icon, &index}) {
        std::getline(lines, *field);
    }
    link.icon_index = to_int(index);
    return link;
}

bool FakeShell::save_shortcut(std::string_view path, const platform::Shortcut& link) {
    if (faults.should_fail("shell.save_shortcut", path)) return false;
    std::string content(kShortcutMagic);
    for (const std::string* f : {&link.target, &link.arguments, &link.working_folder, &link.description, &link.icon}) {
        content += *f + "\n";
    }
    return files_.write(path, content + std::to_string(link.icon_index) + "\n");
}

bool FakeShell::execute(platform::WindowRef, std::string_view verb, std::string_view file,
                        std::string_view parameters, std::string_view folder, int) {
    calls.push_back(std::string(verb) + "|" + std::string(file) + "|" + std::string(parameters) + "|" +
                    std::string(folder));
    return !faults.should_fail("shell.execute", file);
}

bool FakeShell::properties(platform::WindowRef, std::string_view file, std::string_view folder) {
    calls.push_back("properties|" + std::string(file) + "||" + std::string(folder));
    return !faults.should_fail("shell.properties", file);
}

bool FakeShell::run(std::string_view command_line, int) {
    calls.push_back("run|" + std::string(command_line));
    return !faults.should_fail("shell.run", command_line);
}

bool FakeShell::open_and_wait(platform::WindowRef, std::string_view file, unsigned) {
    // What the handler reads, without a call of the file system's own that a fault could strike.
    const bool exists = files_.exists(file);
    calls.push_back("open-wait|" + std::string(file) + "|" + (exists ? files_.content(file) : std::string()));
    return exists && !faults.should_fail("shell.open_and_wait", file);
}

bool FakeShell::save_internet_shortcut(std::string_view path, std::string_view address) {
    if (faults.should_fail("shell.save_internet_shortcut", path)) return false;
    return files_.write(path, "[InternetShortcut]\r\nURL=" + std::string(address) + "\r\n");
}

bool FakeShell::find_window(std::string_view class_name, std::string_view caption) {
    const std::string wanted = std::string(class_name) + "|" + std::string(caption);
    return std::find(windows.begin(), windows.end(), wanted) != windows.end();
}

bool FakeProcesses::walk(const std::function<bool(const platform::ProcessEntry&)>& visit) {
    if (faults.should_fail("processes.walk", "")) return false;
    for (const platform::ProcessEntry& p : std::vector(list)) {
        if (!visit(p)) break;
    }
    return true;
}

bool FakeProcesses::terminate(uint32_t pid, bool) {
    if (faults.should_fail("processes.terminate", std::to_string(pid))) return false;
    return std::erase_if(list, [pid](const platform::ProcessEntry& p) { return p.pid == pid; }) > 0;
}

bool FakeProcesses::launch(std::string_view application, std::string_view command_line, std::string_view folder,
                           int) {
    launched.push_back(std::string(application) + "|" + std::string(command_line) + "|" + std::string(folder));
    if (faults.should_fail("processes.launch", application)) return false;
    const uint32_t attributes = files ? files->attributes(application) : platform::attr::invalid;
    if (attributes == platform::attr::invalid || (attributes & platform::attr::directory)) return false;
    start(std::string(application));
    return true;
}

uint32_t FakeProcesses::start(std::string file) {
    list.push_back({next_pid_ += 4, 0, std::move(file)});
    return list.back().pid;
}

bool FakeProcesses::running(uint32_t pid) const {
    return std::any_of(list.begin(), list.end(), [pid](const platform::ProcessEntry& p) { return p.pid == pid; });
}

std::string FakeSystem::expand(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t end = text[i] == '%' ? text.find('%', i + 1) : std::string_view::npos;
        auto it = end == std::string_view::npos ? environment.end()
                                                : environment.find(std::string(text.substr(i + 1, end - i - 1)));
        if (it == environment.end()) {
            out += text[i];
        } else {
            out += it->second;
            i = end;
        }
    }
    return out;
}

std::optional<platform::LocalTime> FakeSystem::to_local(uint64_t file_time) {
    // FileTimeToSystemTime takes times up to 2^63 - 1; 0 is 1601-01-01 00:00:00. The time zone is UTC,
    // as the tests pin it under Wine.
    using namespace std::chrono;
    if (file_time > static_cast<uint64_t>(INT64_MAX)) return std::nullopt;
    const sys_seconds time{seconds(static_cast<int64_t>(file_time / 10000000) - 11644473600LL)};
    const sys_days day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss<seconds> clock{time - day};
    return platform::LocalTime{int(date.year()), int(unsigned(date.month())), int(unsigned(date.day())),
                               int(clock.hours().count()), int(clock.minutes().count()), int(clock.seconds().count())};
}

std::string FakeSystem::to_ansi(std::u16string_view text) {
    // Code page 1252: Latin-1, except that 0x80-0x9F hold typographic characters instead of the C1
    // controls; the five unused places stand for themselves, and anything else becomes '?'.
    static constexpr char16_t kHighHalf[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D,
        0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A,
        0x0153, 0x009D, 0x017E, 0x0178};
    std::string out;
    for (char16_t c : text) {
        const char16_t* at = std::find(std::begin(kHighHalf), std::end(kHighHalf), c);
        if (c < 0x80 || (c >= 0xA0 && c < 0x100)) {
            out += static_cast<char>(c);
        } else {
            out += at == std::end(kHighHalf) ? '?' : static_cast<char>(0x80 + (at - std::begin(kHighHalf)));
        }
    }
    return out;
}

std::u16string FakeSystem::to_utf16(std::string_view text) {
    // The reverse of to_ansi: each byte's own character, except where another character maps to it.
    static const std::array<char16_t, 256> kWide = [this] {
        std::array<char16_t, 256> wide{};
        for (size_t b = 0; b < wide.size(); ++b) wide[b] = static_cast<char16_t>(b);
        for (char16_t c = 0x100; c < 0x2200; ++c) {
            const std::string ansi = to_ansi(std::u16string_view(&c, 1));
            if (ansi != "?") wide[static_cast<unsigned char>(ansi[0])] = c;
        }
        return wide;
    }();
    std::u16string out;
    for (char c : text) out += kWide[static_cast<unsigned char>(c)];
    return out;
}


std::optional<std::string> FakeSystem::resource_string(unsigned id) {
    if (std::optional<std::string_view> text = res::find_string(id)) return std::string(*text);
    return std::nullopt;
}

bool FakePrompts::ask(std::string_view text, platform::Icon) {
    asked.emplace_back(text);
    const bool answer = answers.empty() || answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
}

void FakePrompts::tell(std::string_view text, platform::Icon) { told.emplace_back(text); }

bool FakePrompts::confirm_special_removal(std::string_view title, std::string_view, bool) {
    return ask(title, platform::Icon::exclamation);
}

void FakePlatform::shell_folders() {
    constexpr std::string_view key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    registry.put_text(platform::Root::current_user, key, "Startup", kUserStartup);
    registry.put_text(platform::Root::current_user, key, "AppData", "C:\\users\\root\\AppData\\Roaming");
    registry.put_text(platform::Root::local_machine, key, "Common Startup", kCommonStartup);
    files.add_folder(kUserStartup);
    files.add_folder(kCommonStartup);
    files.add_folder("C:\\Program Files\\Sentrix");
}

void FakePlatform::program(std::string_view path, const VersionInfo& info) {
    FakeFiles::Node& node = files.add_file(path, "MZ");
    programinfo::VersionStringTable table{"040904E4", {}};
    const std::pair<const char*, const std::string*> names[] = {
        {"ProductName", &info.product}, {"ProductVersion", &info.version}, {"CompanyName", &info.company},
        {"FileDescription", &info.description}, {"LegalCopyright", &info.copyright}};
    for (const auto& [name, text] : names) {
        std::u16string wide;
        for (unsigned char c : *text) wide += c;
        if (!wide.empty()) table.strings.emplace_back(name, wide);
    }
    if (!table.strings.empty()) node.version = programinfo::make_version_block({{0x409, 1252}}, {table});
}

void FakePlatform::shortcut(std::string_view path, std::string_view target, std::string_view description) {
    files.add_folder(folder_part(path));
    platform::Shortcut link;
    link.target = std::string(target);
    link.description = std::string(description);
    shell.save_shortcut(path, link);
}

void FakePlatform::clsid(std::string_view class_id, std::string_view name, std::string_view server) {
    const std::string key = "CLSID\\" + std::string(class_id);
    registry.put_text(platform::Root::classes_root, key, "", name);
    registry.put_text(platform::Root::classes_root, key + "\\InprocServer32", "", server);
}

// ---- Services ----

namespace {
constexpr std::string_view kServicesKey = "SYSTEM\\CurrentControlSet\\Services";
}

platform::ServiceState* FakeServices::find(std::string_view name) {
    for (platform::ServiceState& s : services) {
        if (iequals(s.name, name)) return &s;
    }
    return nullptr;
}

void FakeServices::add(std::string name, std::string display) {
    services.push_back({std::move(name), std::move(display), platform::service_state::stopped, 0x10, 0});
}

bool FakeServices::list(std::vector<platform::ServiceState>& out) {
    out.clear();
    if (faults.should_fail("services.list", {})) return false;
    out = services;
    return true;
}

std::optional<platform::ServiceState> FakeServices::query(std::string_view name) {
    platform::ServiceState* s = faults.should_fail("services.query", name) ? nullptr : find(name);
    if (!s) return std::nullopt;
    platform::ServiceState state = *s;
    state.display_name.clear();  // as a query of one service gives it
    return state;
}

std::string FakeServices::key_name(std::string_view display_name) {
    if (faults.should_fail("services.key_name", display_name)) return {};
    for (const platform::ServiceState& s : services) {
        if (iequals(s.display_name, display_name)) return s.name;
    }
    return {};
}

std::string FakeServices::display_name(std::string_view name) {
    platform::ServiceState* s = faults.should_fail("services.display_name", name) ? nullptr : find(name);
    return s ? s->display_name : std::string();
}

bool FakeServices::stop(std::string_view name) {
    platform::ServiceState* s = faults.should_fail("services.stop", name) ? nullptr : find(name);
    if (!s || s->state != platform::service_state::running || !(s->controls_accepted & platform::kAcceptStop)) {
        return false;
    }
    s->state = platform::service_state::stopped;
    s->controls_accepted = 0;
    return true;
}

bool FakeServices::start(std::string_view name) {
    platform::ServiceState* s = faults.should_fail("services.start", name) ? nullptr : find(name);
    if (!s || s->state != platform::service_state::stopped) return false;
    s->state = platform::service_state::running;
    s->controls_accepted = platform::kAcceptStop;
    return true;
}

bool FakeServices::set_start_type(std::string_view name, uint32_t start) {
    platform::ServiceState* s = faults.should_fail("services.set_start_type", name) ? nullptr : find(name);
    if (!s || start > platform::service_start::disabled) return false;
    registry_.put_dword(platform::Root::local_machine, std::string(kServicesKey) + "\\" + s->name, "Start", start);
    return true;
}

// ---- Scheduler ----

std::pair<std::string, platform::WorkItem>* FakeScheduler::find(std::string_view name) {
    auto plain = [](std::string_view n) {
        return n.size() > 4 && iequals(n.substr(n.size() - 4), ".job") ? n.substr(0, n.size() - 4) : n;
    };
    for (auto& item : items) {
        if (iequals(plain(item.first), plain(name))) return &item;
    }
    return nullptr;
}

bool FakeScheduler::names(std::vector<std::string>& out) {
    out.clear();
    if (faults.should_fail("scheduler.names", {})) return false;
    for (const auto& item : items) out.push_back(item.first);
    return true;
}

std::optional<platform::WorkItem> FakeScheduler::item(std::string_view name) {
    auto* found = faults.should_fail("scheduler.item", name) ? nullptr : find(name);
    if (!found) return std::nullopt;
    return found->second;
}

bool FakeScheduler::remove(std::string_view name) {
    auto* found = faults.should_fail("scheduler.remove", name) ? nullptr : find(name);
    if (!found) return false;
    items.erase(items.begin() + (found - items.data()));
    return true;
}

bool FakeScheduler::tasks(std::vector<platform::Task>& out) {
    const bool ok = !faults.should_fail("scheduler.tasks", {});
    out = ok ? registered : std::vector<platform::Task>{};
    return ok;
}

bool FakeScheduler::remove_task(std::string_view path) {
    if (faults.should_fail("scheduler.remove_task", path)) return false;
    return std::erase_if(registered, [&](const platform::Task& t) { return iequals(t.path, path); }) > 0;
}

}  // namespace sx::fake
