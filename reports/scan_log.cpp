#include "reports/scan_log.h"

#include "common/text.h"
#include "inventory/activex.h"
#include "inventory/browser_scans.h"
#include "inventory/hidden_files.h"
#include "inventory/services.h"
#include "inventory/tasks.h"
#include "programinfo/file_facts.h"
#include "programinfo/resolve.h"
#include "programinfo/version_texts.h"
#include "res/resource_ids.h"
#include "reports/cookies.h"
#include "reports/file_types.h"
#include "reports/gather.h"
#include "reports/report_text.h"
#include "settings/store.h"
#include "settings/strings.h"
#include "startup/active_tasks.h"
#include "startup/catalogue.h"
#include "startup/delayed.h"
#include "startup/item_list.h"

namespace sx::reports {

namespace {

using platform::Root;

constexpr size_t kStartPageBuffer = 256, kProfileBuffer = 512, kUserLoadBuffer = 1024, kValueBuffer = 512,
                 kComponentSourceBuffer = 1024, kUrlBuffer = 1024, kLongestHostsLine = 500, kShortestHostsLine = 5;
constexpr unsigned kAutoUpdateTexts = 1050;  // the string of setting n is 1050 + n
constexpr int kDesktopComponents = 9;

constexpr std::string_view kMainKeyText = "\\Software\\Microsoft\\Internet Explorer\\Main,";
constexpr std::string_view kControlSets[][2] = {{"SYSTEM\\ControlSet001", "CS1"},
                                                {"SYSTEM\\CurrentControlSet", "CCS"},
                                                {"SYSTEM\\ControlSet002", "CS2"},
                                                {"SYSTEM\\ControlSet003", "CS3"}};
constexpr std::string_view kPoliciesSystemKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr std::string_view kUrlPrefixKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\DefaultPrefix";
constexpr std::string_view kUrlPrefixesKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\Prefixes";
constexpr std::string_view kAutoUpdateKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update";
constexpr std::string_view kDesktopComponentsKey = "Software\\Microsoft\\Internet Explorer\\Desktop\\Components";
constexpr std::string_view kIeResetFile = "C:\\WINDOWS\\inf\\iereset.inf";

std::string reg(AppState& app, Root root, std::string_view key, std::string_view name) {
    return settings::read_text(app.os, root, key, name, settings::kValueBuffer);
}

std::string profile(AppState& app, std::string_view file, std::string_view section, std::string_view key) {
    // Read past every buffer the log uses: a longer value then does not fit and counts as absent.
    return app.os.profile.read(file, section, key, settings::kValueBuffer + 1);
}

std::string raw_value(AppState& app, Root root, std::string_view key, std::string_view name) {
    platform::RegValue v;
    return app.os.registry.query(root, key, name, v) == platform::RegStatus::ok ? v.data : std::string();
}

// The lines of a text as the log walks them: bytes below 0x20 other than the line feed dropped, a line
// feed ends a line. `last` takes the line no line feed ended.
template <typename Line>
void walk_lines(std::string_view bytes, bool last, Line line) {
    std::string current;
    for (char c : bytes) {
        if (c == '\n') {
            line(current);
            current.clear();
        } else if (static_cast<unsigned char>(c) >= 0x20) {
            current += c;
        }
    }
    if (last && !current.empty()) line(current);
}

// The value in one line of the log.
std::string v(std::string_view value) { return one_line(value); }

struct Out {
    std::string text;
    void line(const std::string& content) { text += content + "\r\n"; }
    void blank() { text += "\r\n"; }
};

std::string run_line(const StartupEntry& e) {
    static constexpr std::pair<int, const char*> kCodes[] = {
        {1, "HKLM\\..\\Run"},        {2, "HKLM\\..\\RunOnce"},          {3, "HKLM\\..\\RunOnceEx"},
        {4, "HKLM\\..\\RunServices"}, {5, "HKLM\\..\\RunServicesOnce"}, {6, "HKLM\\..\\RunOnceSetup"},
        {7, "HKLM\\..\\Policies\\Explorer\\Run"},
        {11, "HKCU\\..\\Run"},        {12, "HKCU\\..\\RunOnce"},         {13, "HKCU\\..\\RunOnceEx"},
        {14, "HKCU\\..\\RunServices"}, {15, "HKCU\\..\\RunServicesOnce"}, {16, "HKCU\\..\\RunOnceSetup"},
        {21, "HKU\\..\\Run"},         {22, "HKU\\..\\RunOnce"},          {23, "HKU\\..\\RunOnceEx"},
        {24, "HKU\\..\\RunService"},  {25, "HKU\\..\\RunServicesOnce"},  {26, "HKU\\..\\RunOnceSetup"}};
    const char* place = "Other Run";
    for (const auto& [type, text] : kCodes) {
        if (type == e.type) place = text;
    }
    return format("O4 - %s: [%s]%s", place, v(e.title).c_str(), v(e.command).c_str());
}

void header(Out& out, const ScanLogRecords& r) {
    const Environment& env = r.env;
    out.line(format("Log created by %s version %s", v(env.caption).c_str(), v(env.version).c_str()));
    out.line(format("Scan saved at %s, on %s", clock_text(env.now).c_str(), date_text(env.now).c_str()));
    out.line(format("Platform: %s", v(env.platform).c_str()));
}

void ie_line(Out& out, const Environment& env) {
    if (env.ie) {
        out.line(format("MSIE: %s (%s)", v(env.ie->FileDescription).c_str(), v(env.ie->ProductVersion).c_str()));
    } else {
        out.line("MSIE: Internet Explorer Not found.");
    }
}

void start_and_profile(Out& out, const ScanLogRecords& r) {
    const StartPages& p = r.env.pages;
    const std::tuple<const char*, const char*, const char*, const std::string*> kPages[] = {
        {"R1 - ", "HKCU", "Default_Page_URL = ", &p.user_default_page},
        {"R0 - ", "HKCU", "Start Page = ", &p.user_start_page},
        {"R1 - ", "HKLM", "Default_Page_URL = ", &p.machine_default_page},
        {"R0 - ", "HKLM", "Start Page = ", &p.machine_start_page},
        {"R1 - ", "HKCU", "Window Title = ", &p.user_window_title},
        {"R0 - ", "HKLM", "Window Title = ", &p.machine_window_title}};
    for (const auto& [code, root, name, value] : kPages) {
        if (fits(*value, kStartPageBuffer)) out.line(std::string(code) + root + std::string(kMainKeyText) + name + v(*value));
    }
    if (fits(r.system_shell, kProfileBuffer) && !iequals(r.system_shell, "Explorer.exe")) {
        out.line("F0 - system.ini: Shell=" + v(r.system_shell));
    }
    if (fits(r.win_run, kProfileBuffer)) out.line("F1 - win.ini: run=" + v(r.win_run));
    if (fits(r.win_load, kProfileBuffer)) out.line("F1 - win.ini: load=" + v(r.win_load));
    if (fits(r.system_userinit, kProfileBuffer)) out.line("F2 - REG: system.ini: UserInit=" + v(r.system_userinit));
    if (fits(r.user_load, kUserLoadBuffer)) out.line("F3 - HKCU Load=" + v(r.user_load));
    if (fits(r.user_run, kUserLoadBuffer)) out.line("F3 - HKCU Run=" + v(r.user_run));
}

void browser_and_system(Out& out, const ScanLogRecords& r) {
    if (r.hosts) {
        for (const std::string& line : hosts_lines(*r.hosts)) out.text += "O1 - Hosts: " + line;
    }
    for (const StartupEntry& e : r.helpers) {
        out.line(format("O2 - BHO: %s - %s - %s", v(e.title).c_str(), v(e.location).c_str(), v(e.command).c_str()));
    }
    for (const StartupEntry& e : r.toolbars) {
        out.line(format("O3 - Toolbar: %s - %s - %s", v(e.title).c_str(), v(e.location).c_str(), v(e.command).c_str()));
    }
    for (const StartupEntry& e : r.run_entries) out.line(run_line(e));
    for (const StartupEntry& e : r.folder_entries) {
        out.line(format("O4 - %s: %s=%s", e.flag != 0 ? "Startup" : "Global Startup", v(file_part(e.location)).c_str(),
                        v(e.command).c_str()));
    }
    if (fits(r.dont_load_inetcpl, kValueBuffer) && matches(r.dont_load_inetcpl, "no")) {
        out.line("O5 - control.ini: inetcpl.cpl=" + v(r.dont_load_inetcpl));
    }
    if (r.restrictions) out.line("O6 - HKCU\\Software\\Policies\\Microsoft\\Internet Explorer\\Restrictions present");
    if (r.control_panel) out.line("O6 - HKCU\\Software\\Policies\\Microsoft\\Internet Explorer\\Control Panel present");
    static constexpr const char* kTools[] = {"DisableRegistryTools =", "DisableRegEdit=", "DisableTaskMgr ="};
    for (size_t i = 0; i < r.disable_tools.size(); ++i) {
        const int first = r.disable_tools[i].empty() ? 0 : static_cast<signed char>(r.disable_tools[i][0]);
        if (first >= 1 && first <= 127) {
            out.line(format("O7 - HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System, %s%d", kTools[i], first));
        }
    }
    for (const StartupEntry& e : r.menu_items) {
        out.line(format("O8 - Extra context menu item: %s - %s", v(e.title).c_str(), v(e.command).c_str()));
    }
    for (const StartupEntry& e : r.buttons) {
        out.line(format("O9 - %s: %s - %s - %s", e.type == 1 ? "Extra button" : "Extra 'Tools' menuitem", v(e.title).c_str(),
                        v(e.location).c_str(), v(e.command).c_str()));
    }
    for (const StartupEntry& e : r.options_groups) {
        out.line(format("O11 - Options group: [%s] %s - %s", v(e.title).c_str(), v(e.title).c_str(), v(e.location).c_str()));
    }
    for (const StartupEntry& e : r.plugins) out.line(format("O12 - Plugin for %s: %s", v(e.title).c_str(), v(e.command).c_str()));
    if (fits(r.default_prefix, kValueBuffer) && r.default_prefix.size() > 7) out.line("O13 - DefaultPrefix: " + v(r.default_prefix));
    if (fits(r.www_prefix, kValueBuffer) && r.www_prefix.size() > 7) out.line("O13 - WWW Prefix: " + v(r.www_prefix));
    if (fits(r.www_dot_prefix, kValueBuffer) && r.www_dot_prefix.size() > 7) out.line("O13 -  WWW. Prefix: " + v(r.www_dot_prefix));
    if (fits(r.ie_reset_start, kValueBuffer)) out.line("O14 - IERESET.INF: START_PAGE_URL = " + v(r.ie_reset_start));
    if (fits(r.ie_reset_search, kValueBuffer)) out.line("O14 - IERESET.INF: SEARCH_PAGE_URL = " + v(r.ie_reset_search));
    if (r.ie_reset) {
        for (const std::string& line : ie_reset_lines(*r.ie_reset)) out.line(line);
    }
    for (const StartupEntry& e : r.zones) out.line("O15 - Trusted Zone: " + v(e.title));
    for (const StartupEntry& e : r.downloaded) {
        out.line(format("O16 - DPF: %s (%s) - %s", v(e.description).c_str(), v(e.title).c_str(), v(e.command).c_str()));
    }
    for (const ControlSetValues& cs : r.control_sets) {
        if (fits(cs.search_list, kValueBuffer)) out.line(format("O17 - HKLM\\%s: SearchList = %s", cs.short_name.c_str(), v(cs.search_list).c_str()));
    }
    for (const ControlSetValues& cs : r.control_sets) {
        if (fits(cs.name_server, kValueBuffer)) out.line(format("O17 - HKLM\\%s: NameServer = %s", cs.short_name.c_str(), v(cs.name_server).c_str()));
    }
    for (const ControlSetValues& cs : r.control_sets) {
        if (fits(cs.vxd_domain, kValueBuffer)) {
            out.line(format("O17 - HKLM\\System\\%s\\Services\\VxD\\MSTCP: Domain = %s", cs.short_name.c_str(), v(cs.vxd_domain).c_str()));
        }
    }
    for (const ControlSetValues& cs : r.control_sets) {
        if (fits(cs.tcpip_domain, kValueBuffer)) {
            out.line(format("O17 - HKLM\\System\\%s\\Services\\Tcpip\\Parameters: Domain = %s", cs.short_name.c_str(),
                            v(cs.tcpip_domain).c_str()));
        }
    }
    if (!r.user_stylesheet.empty()) out.line("O19 -  User style sheet: " + v(r.user_stylesheet));
    if (!r.appinit_dlls.empty()) {
        out.line("O20 - AppInit_DLLs: " + v(r.appinit_dlls));
        out.blank();
    }
    for (const StartupEntry& e : r.delay_loads) {
        if (inventory::IsWellKnownClsid(e.location)) continue;
        out.line(format("O21 - %s - %s - %s - %s", v(e.description).c_str(), v(e.title).c_str(), v(e.location).c_str(),
                        v(e.command).c_str()));
    }
    for (const StartupEntry& e : r.task_schedulers) {
        if (matches(e.command, "browseui.dll")) continue;
        out.line(format("O22 - SharedTaskScheduler: (%s) - %s - %s", v(e.title).c_str(), v(e.location).c_str(),
                        v(e.command).c_str()));
    }
    for (const ScanLogRecords::Service& s : r.services) {
        out.line("O23 - Service: " + v(s.entry.title) + " - " + v(s.company) + " - " + v(s.entry.command));
    }
    for (size_t i = 0; i < r.desktop_components.size(); ++i) {
        const auto& [name, source] = r.desktop_components[i];
        if (!fits(name, kValueBuffer) || matches(name, "Current Home Page")) continue;
        const std::string shown = fits(source, kComponentSourceBuffer) ? v(source) : std::string();
        out.line(format("O24 -  Desktop Component %d: %s - %s", static_cast<int>(i), v(name).c_str(), shown.c_str()));
    }
}

void additional(Out& out, const ScanLogRecords& r) {
    const Environment& env = r.env;
    out.blank();
    out.line("---  Additional Sentrix Info  ---");
    if (env.browser) {
        out.line(format("Default Browser: %s - %s version %s", v(env.browser->ProductName).c_str(),
                        v(env.browser->FileDescription).c_str(), v(env.browser->ProductVersion).c_str()));
    } else {
        out.line("Browser: Unable to find default browser.");
    }
    ie_line(out, env);
    if (env.aol_window && env.aol) {
        out.line(format("America Online version %s running %s", v(env.aol->version).c_str(), v(env.aol->folder).c_str()));
    }
    const std::pair<const char*, const std::optional<AppPathProgram>*> kOthers[] = {
        {"Firefox", &env.firefox}, {"Mozilla", &env.mozilla}, {"Netscape", &env.netscape}};
    for (const auto& [name, found] : kOthers) {
        if (*found) out.line(format("%s %s installed in %s.", name, v((*found)->version).c_str(), v((*found)->folder).c_str()));
    }
    if (r.ie_cookies) out.line(format("%d IE Cookies in Folder: %s", r.ie_cookies->count, v(r.ie_cookies->folder).c_str()));
    if (r.mozilla_cookies) {
        out.line(format("%d Mozilla Cookies in Folder: %s", r.mozilla_cookies->count, v(r.mozilla_cookies->folder).c_str()));
    }
    out.blank();
}

// A group of lines followed by a blank line when it wrote any.
template <typename Each>
void group(Out& out, const std::vector<StartupEntry>& entries, Each each) {
    bool any = false;
    for (const StartupEntry& e : entries) {
        std::string line = each(e);
        if (line.empty()) continue;
        out.line(line);
        any = true;
    }
    if (any) out.blank();
}

void further_checks(Out& out, const ScanLogRecords& r) {
    bool any = false;
    for (const ControlSetValues& cs : r.control_sets) {
        if (fits(cs.boot_execute, settings::kValueBuffer)) {
            out.line(format("WP00 - HKLM\\%s: BootExecute = %s", cs.short_name.c_str(), v(cs.boot_execute).c_str()));
            any = true;
        }
    }
    for (const ControlSetValues& cs : r.control_sets) {
        if (fits(cs.pending_renames, settings::kValueBuffer)) {
            out.line(format("WP01 - HKLM\\%s: PendingFileRenameOperations = %s", cs.short_name.c_str(),
                            v(cs.pending_renames).c_str()));
            any = true;
        }
    }
    if (!r.comspec.empty()) {
        out.line("WP02 - HKLM\\CCS: Command = " + v(r.comspec));
        any = true;
    }
    if (any) out.blank();
    if (r.au_options != 0) {
        out.line(format("WP03 - Windows Automatic Update = %d:%s", static_cast<int>(r.au_options), v(r.au_text).c_str()));
        out.blank();
    }
    group(out, r.delayed, [](const StartupEntry& e) {
        return format("WP06 - Delayed Start: [%s]%s", v(e.title).c_str(), v(e.command).c_str());
    });
    bool prefixes = false;
    if (fits(r.url_default_prefix, kUrlBuffer)) {
        out.line(format("WP08 - HKLM\\%s: Default = %s", kUrlPrefixKey.data(), v(r.url_default_prefix).c_str()));
        prefixes = true;
    }
    if (fits(r.url_www, settings::kValueBuffer)) {
        out.line(format("WP08 - HKLM\\%s: %s = %s", kUrlPrefixesKey.data(), "www", v(r.url_www).c_str()));
        prefixes = true;
    }
    if (prefixes) out.blank();
    group(out, r.tasks, [](const StartupEntry& e) {
        return format("WP31 - Scheduled Tasks: [%s]%s %s", v(e.title).c_str(), v(e.command).c_str(), v(e.description).c_str());
    });
    group(out, r.activex, [](const StartupEntry& e) {
        if (static_cast<uint32_t>(e.flag) & inventory::kKillBit) return std::string();
        return format("WP16 - ActiveX: %s [%s] %s %s", v(e.location).c_str(), v(e.title).c_str(), v(e.command).c_str(),
                      v(e.description).c_str());
    });
    size_t hidden = 0;
    group(out, r.hidden_files, [&hidden](const StartupEntry& e) {
        return hidden++ < kMostHiddenFileLines ? "WP32 - Hidden File: " + v(e.command) : std::string();
    });
    group(out, r.file_types, [](const StartupEntry& e) {
        return format("WP33 - File Type %s: [%s]%s", v(e.description).c_str(), v(e.title).c_str(), v(e.command).c_str());
    });
}

void memory(Out& out, const platform::MemoryStatus& m) {
    using programinfo::group_thousands;
    out.line("Memory currently in use: " + group_thousands(m.load) + "%");
    out.line("Physical Memory Free: " + group_thousands(m.available_physical / 1024) + " KB");
    out.line("Paging File Free: " + group_thousands(m.available_page_file / 1024) + " KB");
    out.line("Virtual Memory Free: " + group_thousands(m.available_virtual / 1024) + " KB");
    out.blank();
    out.blank();
    out.line("--");
    out.line("End of file");
}

}  // namespace

std::vector<std::string> hosts_lines(std::string_view bytes) {
    std::vector<std::string> lines;
    walk_lines(bytes.substr(0, std::min(bytes.size(), kHostsLimit)), true, [&](const std::string& line) {
        const std::string ended = line + "\r\n";
        if (line.starts_with('#') || ended.size() >= kLongestHostsLine || ended.size() < kShortestHostsLine) return;
        const std::string text = "O1 - Hosts: " + ended;
        if (matches(text, "127.0.0.1") || matches(text, "::1") || matches(text, "0.0.0")) return;
        lines.push_back(ended);
    });
    return lines;
}

std::vector<std::string> ie_reset_lines(std::string_view bytes) {
    static constexpr std::string_view kKeywords[] = {"Start Page", "Default_Page_URL", "Default_Search_URL", "Search Page"};
    std::vector<std::string> lines;
    walk_lines(bytes.substr(0, std::min(bytes.size(), kIeResetLimit)), false, [&](const std::string& line) {
        for (std::string_view keyword : kKeywords) {
            if (ifind(line, keyword) == std::string::npos) continue;
            const size_t comma = line.rfind(',');
            if (comma == std::string::npos || comma == 0) continue;
            const char* prefix = ifind(line, "HKCU") != std::string::npos   ? "HKCU,"
                                 : ifind(line, "HKLM") != std::string::npos ? "HKLM,"
                                                                            : "";
            lines.push_back(format("O14 - IERESET.INF:%s %s = %s", prefix, std::string(keyword).c_str(),
                                   line.substr(comma + 1).c_str()));
        }
    });
    return lines;
}

std::string scan_log_text(const ScanLogRecords& r) {
    Out out;
    header(out, r);
    ie_line(out, r.env);
    static constexpr const char* kBoot[] = {"Normal", "Safe", "Safe with Network"};
    out.line(std::string("Boot mode: ") + (r.boot_mode >= 0 && r.boot_mode <= 2 ? kBoot[r.boot_mode] : "Unknown"));
    out.blank();
    out.line(r.processes_label);
    for (const std::string& command : r.processes) out.line(v(command));
    out.blank();
    start_and_profile(out, r);
    browser_and_system(out, r);
    additional(out, r);
    further_checks(out, r);
    memory(out, r.env.memory);
    return out.text;
}

ScanLogRecords GatherScanLog(AppState& app) {
    ReportState state(app);
    AppState& s = *state;
    platform::Platform& os = app.os;
    ScanLogRecords r;
    r.env = GatherEnvironment(s);
    r.boot_mode = os.system.boot_mode();
    r.processes_label = settings::load_string(s, IDS_RUNNING_PROCESSES);
    startup::ListProcesses(s);
    for (const StartupEntry& e : s.items.entries()) r.processes.push_back(e.command);

    const std::string windows = os.system.windows_folder();
    r.system_shell = profile(s, windows + "\\system.ini", "Boot", "Shell");
    r.win_run = profile(s, {}, "Windows", "run");
    r.win_load = profile(s, {}, "Windows", "load");
    r.system_userinit = profile(s, windows + "\\system.ini", "Boot", "UserInit");
    r.user_load = reg(s, Root::current_user, startup::kWindowsNtKey, "Load");
    r.user_run = reg(s, Root::current_user, startup::kWindowsNtKey, "Run");

    const bool nt = os.system.version().platform == 2;
    const std::string hosts = nt ? os.system.system_folder() + "\\drivers\\etc\\HOSTS" : windows + "\\HOSTS";
    r.hosts = os.files.read(hosts, kHostsLimit);
    r.helpers = inventory::ScanBrowserHelperObjects(s);
    r.toolbars = inventory::ScanToolbars(s);
    startup::ClearItems(s);
    startup::EnumerateRunKeys(s);
    r.run_entries = listed(s);
    startup::ClearItems(s);
    startup::EnumerateStartupFolders(s);
    r.folder_entries = listed(s);
    r.dont_load_inetcpl = reg(s, Root::current_user, "Control Panel\\don't load", "inetcpl.cpl");
    r.restrictions = !reg(s, Root::current_user, "Software\\Policies\\Microsoft\\Internet Explorer\\Restrictions", "").empty();
    r.control_panel = !reg(s, Root::current_user, "Software\\Policies\\Microsoft\\Internet Explorer\\Control Panel", "").empty();
    static constexpr const char* kToolValues[] = {"DisableRegistryTools", "DisableRegEdit", "DisableTaskMgr"};
    for (size_t i = 0; i < r.disable_tools.size(); ++i) r.disable_tools[i] = raw_value(s, Root::current_user, kPoliciesSystemKey, kToolValues[i]);
    r.menu_items = inventory::ScanMenuExtensions(s);
    r.buttons = inventory::ScanExtensionButtons(s);
    r.options_groups = inventory::ScanAdvancedOptions(s);
    r.plugins = inventory::ScanPlugins(s);
    r.default_prefix = reg(s, Root::local_machine, kUrlPrefixKey, "");
    r.www_prefix = reg(s, Root::local_machine, kUrlPrefixesKey, "www");
    r.www_dot_prefix = reg(s, Root::local_machine, kUrlPrefixesKey, "www.");
    const std::string ie_reset = windows + "\\inf\\iereset.inf";
    r.ie_reset_start = profile(s, ie_reset, "Strings", "START_PAGE_URL");
    r.ie_reset_search = profile(s, ie_reset, "Strings", "SEARCH_PAGE_URL");
    r.ie_reset = os.files.read(kIeResetFile, kIeResetLimit);
    r.zones = inventory::ScanZoneDomains(s);
    r.downloaded = inventory::ScanDownloadedControls(s);
    for (const auto& [path, name] : kControlSets) {
        ControlSetValues cs;
        cs.short_name = std::string(name);
        const std::string tcpip = std::string(path) + "\\Services\\Tcpip\\Parameters";
        const std::string session = std::string(path) + "\\Control\\Session Manager\\";
        cs.search_list = reg(s, Root::local_machine, tcpip, "SearchList");
        cs.name_server = reg(s, Root::local_machine, tcpip, "NameServer");
        cs.vxd_domain = reg(s, Root::local_machine, std::string(path) + "\\Services\\VxD\\MSTCP", "Domain");
        cs.tcpip_domain = reg(s, Root::local_machine, tcpip, "Domain");
        cs.boot_execute = reg(s, Root::local_machine, session, "BootExecute");
        cs.pending_renames = reg(s, Root::local_machine, session, "PendingFileRenameOperations");
        r.control_sets.push_back(std::move(cs));
    }
    r.user_stylesheet = reg(s, Root::current_user, "Software\\Microsoft\\Internet Explorer\\Styles", "User Stylesheet");
    r.appinit_dlls = reg(s, Root::local_machine, startup::kWindowsNtKey, "AppInit_DLLs");
    r.delay_loads = inventory::ScanDelayLoadObjects(s);
    r.task_schedulers = inventory::ScanSharedTaskSchedulers(s);
    inventory::ListServices(s);
    for (const StartupEntry& e : s.items.entries()) {
        const std::string file = programinfo::ResolveProgramPath(os, e.command);
        r.services.push_back({e, programinfo::cached_version_texts(s, file).CompanyName});
    }
    for (int i = 0; i < kDesktopComponents; ++i) {
        const std::string key = std::string(kDesktopComponentsKey) + "\\" + std::to_string(i);
        std::string name = reg(s, Root::current_user, key, "FriendlyName");
        if (!fits(name, kValueBuffer)) break;
        r.desktop_components.emplace_back(std::move(name), reg(s, Root::current_user, key, "Source"));
    }

    if (FoundFolder ie = FindIECookieFolder(s); ie.found) r.ie_cookies = BrowserCookies{CountIECookies(s), ie.folder};
    if (FoundFolder moz = FindMozillaProfileFolder(s); moz.found) {
        r.mozilla_cookies = BrowserCookies{CountMozillaCookies(s), moz.folder};
    }

    r.comspec = reg(s, Root::local_machine, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment", "ComSpec");
    platform::RegValue au;
    if (os.registry.query(Root::local_machine, kAutoUpdateKey, "AUOptions", au) == platform::RegStatus::ok &&
        au.type == platform::reg_type::dword && au.data.size() == 4) {
        for (size_t i = 0; i < 4; ++i) r.au_options |= static_cast<uint32_t>(static_cast<unsigned char>(au.data[i])) << (8 * i);
    }
    if (r.au_options != 0 && r.au_options < 0x10000) r.au_text = settings::load_string(s, kAutoUpdateTexts + r.au_options);
    startup::EnumerateDelayed(s);
    r.delayed = listed(s);
    r.url_default_prefix = reg(s, Root::local_machine, kUrlPrefixKey, "");
    r.url_www = reg(s, Root::local_machine, kUrlPrefixesKey, "www");
    inventory::ListScheduledTasks(s);
    r.tasks = listed(s);
    inventory::ListAllActiveXControls(s);
    r.activex = listed(s);
    inventory::ListHiddenFiles(s);
    r.hidden_files = listed(s);
    BuildAssociationList(s);
    r.file_types = listed(s);
    return r;
}

}  // namespace sx::reports
