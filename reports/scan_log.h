// The system scan log (HijackSentrix.log): one finding per line, each line starting with the code of
// the kind of place it was found in. Its line texts are read by people and tools that know them, so
// every line keeps its exact form. The records are gathered from the system first, and the log is
// written from the records alone.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/state.h"
#include "reports/environment.h"

namespace sx::reports {

inline constexpr std::string_view kScanLogName = "HijackSentrix.log";
inline constexpr size_t kHostsLimit = 0x9F5EC;
inline constexpr size_t kIeResetLimit = 16384;
inline constexpr size_t kMostHiddenFileLines = 41;

// The values read for one control set of the table (CS1, CCS, CS2, CS3), each whole.
struct ControlSetValues {
    std::string short_name;
    std::string search_list, name_server, vxd_domain, tcpip_domain;
    std::string boot_execute;          // a multi-string shows its first string
    std::string pending_renames;
};

struct BrowserCookies {
    int count = 0;
    std::string folder;
};

struct ScanLogRecords {
    Environment env;
    int boot_mode = 0;
    std::string processes_label;         // string 818
    std::vector<std::string> processes;  // their commands
    // Profile files and their registry mirrors, each read whole.
    std::string system_shell, win_run, win_load, system_userinit, user_load, user_run;
    std::optional<std::string> hosts;     // the file's first bytes; none when it cannot be opened
    std::vector<StartupEntry> helpers, toolbars, run_entries, folder_entries, menu_items, buttons, options_groups,
        plugins, zones, downloaded, delay_loads, task_schedulers;
    std::string dont_load_inetcpl;
    bool restrictions = false, control_panel = false;  // the policies' unnamed values are present
    std::array<std::string, 3> disable_tools;          // DisableRegistryTools, DisableRegEdit, DisableTaskMgr (raw)
    std::string default_prefix, www_prefix, www_dot_prefix;
    std::string ie_reset_start, ie_reset_search;
    std::optional<std::string> ie_reset;  // the first bytes of C:\WINDOWS\inf\iereset.inf
    std::vector<ControlSetValues> control_sets;
    std::string user_stylesheet, appinit_dlls;
    struct Service {
        StartupEntry entry;
        std::string company;
    };
    std::vector<Service> services;
    std::vector<std::pair<std::string, std::string>> desktop_components;  // name, source, up to the first unnamed
    std::string comspec;
    uint32_t au_options = 0;
    std::string au_text;
    std::vector<StartupEntry> delayed, tasks, activex, hidden_files, file_types;
    std::string url_default_prefix, url_www;  // for WP08, each whole
    std::optional<BrowserCookies> ie_cookies, mozilla_cookies;
};

// The hosts lines the log shows: control bytes dropped, comments and short, long or loopback lines
// left out; each ends with CR LF.
std::vector<std::string> hosts_lines(std::string_view bytes);
// The O14 lines of an iereset.inf text: each line that names a start or search page, with the text
// after its last comma.
std::vector<std::string> ie_reset_lines(std::string_view bytes);

// Runs every enumeration the log needs, on a list of its own: the shared item list is left alone.
ScanLogRecords GatherScanLog(AppState& app);
std::string scan_log_text(const ScanLogRecords& records);

}  // namespace sx::reports
