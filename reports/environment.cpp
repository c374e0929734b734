#include "reports/environment.h"

#include "common/text.h"
#include "programinfo/resolve.h"
#include "programinfo/version_texts.h"
#include "res/resource_ids.h"
#include "reports/cookies.h"
#include "reports/report_text.h"
#include "settings/store.h"
#include "settings/strings.h"
#include "startup/catalogue.h"

namespace sx::reports {

namespace {

using platform::Root;

constexpr uint32_t kSuiteEnterprise = 0x2, kSuiteDatacenter = 0x80, kSuitePersonal = 0x200, kSuiteBlade = 0x400;
constexpr int kWorkstation = 1;

std::string nt_name(const platform::OsDetails& v) {
    const bool server = v.product_type != kWorkstation;
    if (v.major >= 10) {
        if (server) return v.build >= 20348 ? "Windows Server 2022 " : v.build >= 17763 ? "Windows Server 2019 " : "Windows Server 2016 ";
        return v.build >= 22000 ? "Windows 11 " : "Windows 10 ";
    }
    if (v.major == 6) {
        switch (v.minor) {
            case 0: return server ? "Windows Server 2008 " : "Windows Vista ";
            case 1: return server ? "Windows Server 2008 R2 " : "Windows 7 ";
            case 2: return server ? "Windows Server 2012 " : "Windows 8 ";
            default: return server ? "Windows Server 2012 R2 " : "Windows 8.1 ";
        }
    }
    if (v.major == 5 && v.minor == 2) return "Windows Server 2003 family, ";
    if (v.major == 5 && v.minor == 1) return "Windows XP ";
    if (v.major == 5 && v.minor == 0) return "Windows 2000 ";
    if (v.major <= 4) return "Windows NT ";
    return {};
}

std::string edition(const platform::OsDetails& v) {
    const uint32_t suite = v.suite_mask;
    if (v.product_type == kWorkstation) {
        if (v.major == 4) return "Workstation 4.0 ";
        return (suite & kSuitePersonal) ? "Home Edition " : "";
    }
    if (v.major == 5 && v.minor == 2) {
        if (suite & kSuiteDatacenter) return "Datacenter Edition ";
        if (suite & kSuiteEnterprise) return "Enterprise Edition ";
        return suite == kSuiteBlade ? "Web Edition " : "Standard Edition ";
    }
    if (v.major == 5 && v.minor == 0) {
        if (suite & kSuiteDatacenter) return "Datacenter Server ";
        return (suite & kSuiteEnterprise) ? "Advanced Server " : "Server ";
    }
    // Later servers are named by their edition above.
    if (v.major <= 4) return (suite & kSuiteEnterprise) ? "Server 4.0, Enterprise Edition " : "Server 4.0 ";
    return {};
}

std::string text(AppState& app, Root root, std::string_view key, std::string_view name) {
    return settings::read_text(app.os, root, key, name, settings::kValueBuffer);
}

std::optional<VersionTexts> versions_if_present(AppState& app, std::string path) {
    if (path.empty() || !programinfo::ProgramFileExists(app.os, path)) return std::nullopt;
    VersionTexts texts;
    programinfo::ReadVersionTexts(app.os, path, texts);
    return texts;
}

}  // namespace

std::string platform_text(const platform::OsDetails& v, bool q246009) {
    if (v.platform == 0) return "Microsoft Win32s";
    if (v.platform == 1) {
        const char second = v.service_pack.size() > 1 ? v.service_pack[1] : '\0';
        if (v.minor == 0) return std::string("Microsoft Windows 95 ") + (second == 'C' || second == 'B' ? "OSR2 " : "");
        if (v.minor == 10) return std::string("Microsoft Windows 98 ") + (second == 'A' ? "SE " : "");
        if (v.minor == 90) return "Microsoft Windows Millennium Edition";
        return {};
    }
    std::string out = nt_name(v);
    if (v.service_pack_major >= 1 && v.service_pack_major <= 3) out += format("SP%d ", v.service_pack_major);
    if (v.tablet_pc) out += "Tablet PC Edition ";
    out += edition(v);
    const unsigned build = v.build & 0xFFFF;
    if (v.major == 4 && v.service_pack == "Service Pack 6" && q246009) return out + format("Service Pack 6a (Build %u)", build);
    return out + format("%s (Build %u)", v.service_pack.c_str(), build);
}

std::string browser_program_from_command(std::string_view command) {
    const size_t start = command.find_first_not_of(' ');
    if (start == std::string_view::npos) return {};
    command.remove_prefix(start);
    if (command.front() == '"') {
        const size_t close = command.find('"', 1);
        return close == std::string_view::npos ? std::string() : std::string(command.substr(1, close - 1));
    }
    const size_t exe = ifind(command, ".exe");
    return exe == std::string_view::npos ? std::string() : std::string(command.substr(0, exe + 4));
}

std::optional<AppPathProgram> LookupAppPath(AppState& app, std::string_view executable) {
    const std::string key = std::string(kAppPathsKey) + "\\" + std::string(executable);
    std::string file = without_quotes(text(app, Root::local_machine, key, ""));
    if (file.empty() || !programinfo::ProgramFileExists(app.os, file)) return std::nullopt;
    VersionTexts texts;
    programinfo::ReadVersionTexts(app.os, file, texts);
    return AppPathProgram{texts.ProductVersion, text(app, Root::local_machine, key, "Path")};
}

std::string InternetExplorerPath(AppState& app) {
    std::string folder = text(app, Root::local_machine, settings::load_string(app, IDS_KEY_IEXPLORE_APP_PATH), "Path");
    if (folder.empty()) return {};
    if (folder.back() == ';') folder.pop_back();
    return folder + "\\IExplore.exe";
}

std::string DefaultBrowserProgram(AppState& app) {
    const std::string command = text(app, Root::local_machine, settings::load_string(app, IDS_KEY_HTTP_OPEN), "");
    std::string path = browser_program_from_command(command);
    return path.empty() ? InternetExplorerPath(app) : path;
}

std::string ProgramVersion(AppState& app) {
    VersionTexts texts;
    programinfo::ReadVersionTexts(app.os, app.os.system.program_file(), texts);
    return texts.ProductVersion;
}

Environment GatherEnvironment(AppState& app) {
    Environment env;
    env.caption = app.caption;
    env.version = ProgramVersion(app);
    env.site = programinfo::vendor_site(app.os);
    env.now = app.os.system.now();
    const bool hotfix = app.os.registry.open(Root::local_machine, kQ246009Key) == platform::RegStatus::ok;
    env.platform = platform_text(app.os.system.os_details(), hotfix);
    env.browser = versions_if_present(app, DefaultBrowserProgram(app));
    env.memory = app.os.system.memory();
    env.ie = versions_if_present(app, InternetExplorerPath(app));
    env.ie_cookie_folder = FindIECookieFolder(app).folder;
    env.aol_window = programinfo::aol_browser_running(app.os);
    env.aol = LookupAppPath(app, "AOL.EXE");
    env.firefox = LookupAppPath(app, "firefox.exe");
    env.mozilla = LookupAppPath(app, "Mozilla.exe");
    env.netscape = LookupAppPath(app, "Netscp.exe");
    const std::string main = settings::load_string(app, IDS_KEY_IE_MAIN);
    StartPages& p = env.pages;
    p.user_default_page = text(app, Root::current_user, main, "Default_Page_URL");
    p.user_start_page = text(app, Root::current_user, main, "Start Page");
    p.user_window_title = text(app, Root::current_user, main, "Window Title");
    p.machine_default_page = text(app, Root::local_machine, main, "Default_Page_URL");
    p.machine_start_page = text(app, Root::local_machine, main, "Start Page");
    p.machine_window_title = text(app, Root::local_machine, main, "Window Title");
    env.logon_user = text(app, Root::local_machine, startup::kWinlogonKey, "DefaultUserName");
    env.logon_domain = text(app, Root::local_machine, startup::kWinlogonKey, "DefaultDomainName");
    env.logon_shell = text(app, Root::local_machine, startup::kWinlogonKey, "Shell");
    env.logon_userinit = text(app, Root::local_machine, startup::kWinlogonKey, "UserInit");
    settings::load_string(app, IDS_LANGUAGE_CODE, env.language, 8);
    if (env.language.empty()) env.language = "en";
    return env;
}

std::string report_header_html(const Environment& env) {
    constexpr std::string_view kEnd = "<br>\r\n";
    auto h = [](std::string_view value) { return html_escape(value); };
    std::string out = format("Report created by %s version %s", h(env.caption).c_str(), h(env.version).c_str());
    out += format(" at %s, on %s%s", clock_text(env.now).c_str(), date_text(env.now).c_str(), kEnd.data());
    out += kEnd;
    out += format("<b>Platform:</b> %s%s", h(env.platform).c_str(), kEnd.data());
    if (env.browser) {
        out += format("<b>Browser:</b> %s - <i>%s</i> version %s%s", h(env.browser->ProductName).c_str(),
                      h(env.browser->FileDescription).c_str(), h(env.browser->ProductVersion).c_str(), kEnd.data());
    } else {
        out += format("Browser: Unable to find default browser.%s", kEnd.data());
    }
    out += format("Memory currently in use: %u%%%s%s", env.memory.load, kEnd.data(), "<br>");
    if (env.ie) {
        out += format("MSIE: %s (%s)%s", h(env.ie->FileDescription).c_str(), h(env.ie->ProductVersion).c_str(), kEnd.data());
        out += format("IE Cookie Path: %s %s", h(env.ie_cookie_folder).c_str(), kEnd.data());
    } else {
        out += format("MSIE: Internet Explorer Not found.%s", kEnd.data());
    }
    out += kCrLf;
    if (env.aol) out += format("America Online version %s%s", h(env.aol->version).c_str(), kEnd.data());
    const std::pair<const char*, const std::optional<AppPathProgram>*> kOthers[] = {
        {"Firefox", &env.firefox}, {"Mozilla", &env.mozilla}, {"Netscape", &env.netscape}};
    for (const auto& [name, found] : kOthers) {
        if (*found) {
            out += format("%s %s installed in %s%s", name, h((*found)->version).c_str(), h((*found)->folder).c_str(),
                          kEnd.data());
        }
    }
    out += kEnd;
    const std::pair<const char*, const std::string*> kPages[] = {
        {"HKCU Window Title", &env.pages.user_window_title}, {"HKCU Default_Page_URL", &env.pages.user_default_page},
        {"HKLM Default_Page_URL", &env.pages.machine_default_page}, {"HKCU Start Page", &env.pages.user_start_page},
        {"HKLM Start Page", &env.pages.machine_start_page}};
    for (const auto& [label, value] : kPages) {
        if (!value->empty()) out += format("%s = %s%s", label, h(*value).c_str(), kEnd.data());
    }
    out += kEnd;
    const std::pair<const char*, const std::string*> kLogon[] = {
        {"DefaultUserName", &env.logon_user}, {"DefaultDomainName", &env.logon_domain},
        {"Shell", &env.logon_shell}, {"UserInit", &env.logon_userinit}};
    for (const auto& [name, value] : kLogon) {
        if (!value->empty()) out += format("WinLogon %s=%s%s", name, h(*value).c_str(), kEnd.data());
    }
    out += format("%s%s", kEnd.data(), "<br>");
    return out;
}

}  // namespace sx::reports
