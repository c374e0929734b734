// Read-only scans of the browser and shell add-on locations, for the system scan log and the
// comma-separated report. Each returns its rows (title, command, location, description, type code,
// the view read) in the order found; none touches the shared item list. The helper, toolbar and
// extension keys of HKLM are read in both registry views, each with the classes of its own view; a
// 32-bit registration that reads exactly like the native one is the same one seen twice and is
// returned once.
#pragma once

#include <string_view>
#include <vector>

#include "common/state.h"

namespace sx::inventory {

using ScanRows = std::vector<StartupEntry>;

inline constexpr std::string_view kMenuExtKey = "Software\\Microsoft\\Internet Explorer\\MenuExt";
inline constexpr std::string_view kPluginsKey = "SOFTWARE\\Microsoft\\Internet Explorer\\Plugins\\Extension";
inline constexpr std::string_view kDistributionUnitsKey = "SOFTWARE\\Microsoft\\Code Store Database\\Distribution Units";
inline constexpr std::string_view kAdvancedOptionsKey = "SOFTWARE\\Microsoft\\Internet Explorer\\AdvancedOptions";
inline constexpr std::string_view kZoneDomainsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\Domains";

// Every helper object: class name / DLL / class id / - / 900; one without a server too.
ScanRows ScanBrowserHelperObjects(AppState& app);
// Every toolbar: class name / DLL / class id / the DLL's CompanyName / 900.
ScanRows ScanToolbars(AppState& app);
// HKCU context-menu entries with a target: name / target / name / - / 0.
ScanRows ScanMenuExtensions(AppState& app);
// Extension buttons (type 1) and their Tools menu items (type 2) of HKLM, then HKCU, whose command
// is " (HKCU)"-marked: text / command / class id / - / 1 or 2.
ScanRows ScanExtensionButtons(AppState& app);
// Plug-ins with a location: extension / location / extension / - / 0.
ScanRows ScanPlugins(AppState& app);
// Downloaded controls with a code base: class name / code base / DLL / class id / 0.
ScanRows ScanDownloadedControls(AppState& app);
// Delay-loaded shell objects with a server: class name / DLL / class id / value name / 0.
ScanRows ScanDelayLoadObjects(AppState& app);
// Shared task schedulers with a server and a title: class name / DLL / class id / title / 0.
ScanRows ScanSharedTaskSchedulers(AppState& app);
// Advanced-options entries not of the browser's own help: text / help id / bitmap folder / - / 0.
ScanRows ScanAdvancedOptions(AppState& app);
// Domains of HKLM then HKCU whose zone is decided as 5: domain / - / - / - / 0.
ScanRows ScanZoneDomains(AppState& app);

// True for the class ids of the shell's own delay-loaded objects (case-insensitive).
bool IsWellKnownClsid(std::string_view text);

}  // namespace sx::inventory
