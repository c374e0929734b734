// Every scan of the scan log on the fake platform. The lists of both pages are checked column by
// column on the demo system (tests/e2e/browser_addons_test.cpp); removing a helper and the kill bit
// by the fault sweep (browser_reliability_test.cpp).
#include <gtest/gtest.h>

#include "common/state.h"
#include "inventory/browser_scans.h"
#include "inventory/ie_helpers.h"
#include "inventory/views.h"
#include "startup/catalogue.h"
#include "tests/support/fake_platform.h"

namespace sx::inventory {
namespace {

using platform::Root;
using Rows = std::vector<std::string>;

constexpr Root kMachine = Root::local_machine, kUser = Root::current_user, kClasses = Root::classes_root;
const std::string kWowBho = in_view(kBhoKey, View::wow32), kWowToolbar = in_view(kToolbarKey, View::wow32);
const std::string kWowExtensions = in_view(kExtensionsKey, View::wow32);

struct ScanCase {
    const char* name;
    ScanRows (*scan)(AppState&);
    Rows rows;
};

const ScanCase kScanCases[] = {
    // Registry names come sorted; "NotAClsid" sorts before the braced ones. {H1} of the 32-bit view
    // reads exactly like the native one and is that one.
    {"HelperObjects", ScanBrowserHelperObjects,
     {"||NotAClsid||900|0", "Helper|C:\\h.dll|{H1}||900|0", "Bare Class||{H2}||900|0"}},
    {"Toolbars", ScanToolbars, {"Bar|C:\\bar.dll|H3|Bar Co.|900|0", "Helper|C:\\h.dll|{H1}||900|0|32"}},
    {"MenuExtensions", ScanMenuExtensions, {"&Translate|C:\\t.htm|&Translate||0|0"}},
    {"ExtensionButtons", ScanExtensionButtons,
     {"(no name)|C:\\h.dll|{H1}||1|0", "Notes|C:\\notes.htm|{X1}||1|0", "Notes in Tools|C:\\notes.htm|{X1}||2|0",
      "Mine|C:\\mine.exe (HKCU)|{X2}||1|0"}},
    {"Plugins", ScanPlugins, {".pdfx|C:\\plug.dll|.pdfx||0|0"}},
    {"DownloadedControls", ScanDownloadedControls, {"Helper|http://x/h.cab|C:\\h.dll|{H1}|0|0"}},
    {"DelayLoadObjects", ScanDelayLoadObjects, {"Helper|C:\\h.dll|{H1}|Loader|0|0"}},
    {"SharedTaskSchedulers", ScanSharedTaskSchedulers, {"Helper|C:\\h.dll|{H1}|Preloader|0|0"}},
    {"AdvancedOptions", ScanAdvancedOptions, {"Plain|p.hlp|bitmap.bmp||0|0", "Sync|sync.hlp#1|C:\\Program Files\\Sync||0|0"}},
    {"ZoneDomains", ScanZoneDomains, {"trusted.example||||0|0", "user.example||||0|0"}},
};

class Scans : public ::testing::TestWithParam<ScanCase> {
protected:
    fake::FakePlatform fake;
    AppState app{fake.os};

    void put(Root root, std::string_view key, std::string_view name, std::string_view text) {
        fake.registry.put_text(root, key, name, text);
    }
    void values(Root root, const std::string& key, std::initializer_list<std::pair<const char*, std::string>> named) {
        for (const auto& [name, text] : named) put(root, key, name, text);
    }
    // A class in a view.
    void klass(std::string_view id, std::string_view name, std::string_view dll, View view = View::native) {
        const std::string key = std::string(view == View::wow32 ? "Wow6432Node\\CLSID\\" : "CLSID\\") + std::string(id);
        if (!name.empty()) put(kClasses, key, "", name);
        if (!dll.empty()) put(kClasses, key + "\\InprocServer32", "", dll);
    }
    void SetUp() override {
        klass("{H1}", "Helper", "C:\\h.dll");
        klass("{H1}", "Helper", "C:\\h.dll", View::wow32);
        klass("{H2}", "Bare Class", "");
        klass("{H3}", "Bar", "C:\\bar.dll");
        fake.program("C:\\bar.dll", {"Bar", "Bar Co."});
        for (const char* name : {"{H1}", "NotAClsid", "{H2}"}) fake.registry.create_key(kMachine, std::string(kBhoKey) + "\\" + name);
        fake.registry.create_key(kMachine, kWowBho + "\\{H1}");
        values(kMachine, std::string(kToolbarKey), {{"", "the key's own value"}, {"H3", ""}});
        put(kMachine, kWowToolbar, "{H1}", "");
        put(kUser, std::string(kMenuExtKey) + "\\&Translate", "", "C:\\t.htm");
        fake.registry.create_key(kUser, std::string(kMenuExtKey) + "\\Empty");
        const std::string ext = std::string(kExtensionsKey) + "\\";
        for (const std::string& base : {ext, kWowExtensions + "\\"}) {
            values(kMachine, base + "{X1}", {{"ButtonText", "Notes"}, {"script", "C:\\notes.htm"}, {"Exec", "C:\\no.exe"}});
        }
        put(kMachine, ext + "{X1}", "MenuText", "Notes in Tools");
        fake.registry.create_key(kMachine, ext + "{H1}");    // no script, no exec: the class's DLL
        fake.registry.create_key(kMachine, ext + "{Gone}");  // nothing at all: left out
        values(kUser, ext + "{X2}", {{"ButtonText", "Mine"}, {"exec", "C:\\mine.exe"}});
        put(kMachine, std::string(kPluginsKey) + "\\.pdfx", "Location", "C:\\plug.dll");
        put(kMachine, std::string(kPluginsKey) + "\\.none", "Location", "");
        const std::string units = std::string(kDistributionUnitsKey) + "\\";
        put(kMachine, units + "{H1}\\DownloadInformation", "CODEBASE", "http://x/h.cab");
        put(kMachine, units + "{H2}\\DownloadInformation", "INF", "h.inf");
        values(kMachine, std::string(startup::kDelayLoadKey), {{"Loader", "{H1}"}, {"NoServer", "{H2}"},
                                                               {"TooLong", std::string(128, 'x')}});
        values(kMachine, std::string(startup::kTaskSchedulerKey), {{"{H1}", "Preloader"}, {"{H2}", "No Server"}, {"{H3}", ""}});
        const std::string options = std::string(kAdvancedOptionsKey) + "\\";
        values(kMachine, options + "SYNC", {{"Text", "Sync"}, {"HelpID", "sync.hlp#1"}, {"Bitmap", "C:\\Program Files\\Sync\\sync.bmp"}});
        values(kMachine, options + "BROWSER", {{"Text", "Browsing"}, {"HelpID", "IEXPLORE.HLP#50"}});
        values(kMachine, options + "PLAIN", {{"Text", "Plain"}, {"HelpID", "p.hlp"}, {"Bitmap", "bitmap.bmp"}});
        // The first subkey whose "*" is 4 or 5 decides, in the order the registry lists them.
        const std::string domains = std::string(kZoneDomainsKey) + "\\";
        for (const auto& [root, key, zone] : {std::tuple{kMachine, "trusted.example\\a", 2}, {kMachine, "trusted.example\\b", 0x105},
                                              {kMachine, "trusted.example\\c", 4}, {kMachine, "restricted.example\\www", 4},
                                              {kMachine, "restricted.example\\x", 5}, {kMachine, "plain.example", 5},
                                              {kUser, "user.example\\www", 5}}) {
            fake.registry.put_dword(root, domains + key, "*", static_cast<uint32_t>(zone));
        }
    }
};

TEST_P(Scans, ListWhatTheirKeysHold) {
    Rows rows;
    for (const StartupEntry& e : GetParam().scan(app)) {
        rows.push_back(e.title + "|" + e.command + "|" + e.location + "|" + e.description + "|" + std::to_string(e.type) +
                       "|" + std::to_string(e.flag) + (e.view == View::wow32 ? "|32" : ""));
    }
    EXPECT_EQ(rows, GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(Each, Scans, ::testing::ValuesIn(kScanCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WellKnownClsid, IsOneOfTheShellsOwnInAnyCase) {
    EXPECT_TRUE(IsWellKnownClsid("{7849596A-48EA-486E-8937-A2A3009F31A9}"));
    EXPECT_TRUE(IsWellKnownClsid("{35cec8a3-2be6-11d2-8773-92e220524153}"));
    EXPECT_FALSE(IsWellKnownClsid("{35cec8a3-2be6-11d2-8773-92e220524153} "));
    EXPECT_FALSE(IsWellKnownClsid(""));
}

}  // namespace
}  // namespace sx::inventory
