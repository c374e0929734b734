// Browser add-ons and ActiveX controls on the fake platform: the rules of the helper list and of the
// control lists in both registry views, removing a helper, the kill bit, and every scan of the scan log.
#include <gtest/gtest.h>

#include <functional>

#include "common/state.h"
#include "inventory/activex.h"
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
const std::string kWowCompat = in_view(kCompatibilityKey, View::wow32);
const std::string kHistory = "C:\\Program Files\\Sentrix\\history.txt";

class Browser : public ::testing::Test {
protected:
    fake::FakePlatform fake;
    AppState app{fake.os};

    void SetUp() override {
        app.settings.history = 1;
        fake.files.add_folder("C:\\Program Files\\Sentrix");
    }
    void put(Root root, std::string_view key, std::string_view name, std::string_view text) {
        fake.registry.put_text(root, key, name, text);
    }
    // A class in a view, with its program file (version texts as given) when `file` is set.
    void klass(std::string_view id, std::string_view name, std::string_view dll, View view = View::native,
               const fake::VersionInfo* file = nullptr) {
        const std::string key = std::string(view == View::wow32 ? "Wow6432Node\\CLSID\\" : "CLSID\\") + std::string(id);
        if (!name.empty()) put(kClasses, key, "", name);
        if (!dll.empty()) put(kClasses, key + "\\InprocServer32", "", dll);
        if (file) fake.program(dll, *file);
    }
    static std::string text(const StartupEntry& e) {
        return e.title + "|" + e.command + "|" + e.location + "|" + e.description + "|" + std::to_string(e.type) + "|" +
               std::to_string(e.flag) + (e.view == View::wow32 ? "|32" : "");
    }
    Rows list() const {
        Rows out;
        for (const StartupEntry& e : app.items.entries()) out.push_back(text(e));
        return out;
    }
    static Rows list(const ScanRows& rows) {
        Rows out;
        for (const StartupEntry& e : rows) out.push_back(text(e));
        return out;
    }
    uint32_t flags(std::string_view key) {
        platform::RegValue v;
        if (fake.registry.query(kMachine, key, kFlagsValue, v) != platform::RegStatus::ok || v.data.size() != 4) return 0xDEAD;
        return static_cast<unsigned char>(v.data[0]) | static_cast<unsigned char>(v.data[1]) << 8 |
               static_cast<unsigned char>(v.data[2]) << 16 | static_cast<uint32_t>(static_cast<unsigned char>(v.data[3])) << 24;
    }
};

const fake::VersionInfo kNorthwind{"Northwind Bar", "Northwind Traders", "", "4.2"};
const fake::VersionInfo kNoProduct{"", "Fabrikam, Inc."};

// ---- The IE Helpers list ----

TEST_F(Browser, HelpersOfBothViewsInKindOrderEachRegistrationOnce) {
    klass("{B1}", "Northwind Helper", "C:\\nw\\nwbar.dll", View::native, &kNorthwind);
    klass("{B2}", "No Product", "C:\\fab\\fab.dll", View::wow32, &kNoProduct);
    klass("{B3}", "Serverless", "");
    klass("{B4}", "Same In Both", "C:\\both\\both.dll");
    klass("{B4}", "Same In Both", "C:\\both\\both.dll", View::wow32);
    klass("{T1}", "Toolbar Without Braces", "C:\\nw\\nwbar.dll");
    klass("{T2}", "Toolbar Without Server", "", View::wow32);
    for (const std::string& key : {std::string(kBhoKey) + "\\{B1}", std::string(kBhoKey) + "\\{B3}",
                                   std::string(kBhoKey) + "\\{B4}", kWowBho + "\\{B2}", kWowBho + "\\{B4}"}) {
        fake.registry.create_key(kMachine, key);
    }
    put(kMachine, kToolbarKey, "T1", "");
    put(kMachine, kWowToolbar, "{T2}", "");
    const std::string ext = std::string(kExtensionsKey) + "\\", wow_ext = kWowExtensions + "\\";
    fake.program("C:\\nw\\notes.exe", kNorthwind);
    put(kMachine, ext + "{E1}", "ButtonText", "Northwind Notes");
    put(kMachine, ext + "{E1}", "Exec", "C:\\nw\\notes.exe");
    put(kMachine, ext + "{E2}", "ButtonText", "@C:\\windows\\system32\\SHDOCLC.DLL,-100");
    put(kMachine, ext + "{E2}", "script", "C:\\windows\\web\\related.htm");
    put(kMachine, ext + "{E2}", "HotIcon", "C:\\windows\\web\\related.ico");
    put(kMachine, ext + "{E3}", "Exec", "C:\\nw\\notes.exe");  // no ButtonText: not a button
    put(kMachine, wow_ext + "{E4}", "ButtonText", "Research");
    put(kMachine, wow_ext + "{E4}", "Exec", "C:\\x86\\research.exe");

    EXPECT_EQ(ListIEHelpers(app), 8);
    EXPECT_EQ(list(), (Rows{
        "Northwind Bar|C:\\nw\\nwbar.dll|{B1}|4.2|900|0",
        "both.dll|C:\\both\\both.dll|{B4}||900|0",  // listed once, titled by its file without a product name
        "fab.dll|C:\\fab\\fab.dll|{B2}||900|0|32",
        "Northwind Bar|C:\\nw\\nwbar.dll|T1|4.2|901|0",
        "Toolbar Without Server||{T2}||901|0|32",
        "Northwind Bar|C:\\nw\\notes.exe|{E1}|C:\\nw\\notes.exe|902|0",
        "Related|C:\\windows\\web\\related.htm|{E2}|C:\\windows\\web\\related.ico|902|0",
        "Research|C:\\x86\\research.exe|{E4}|C:\\x86\\research.exe|902|0|32",
    }));
}

// Two rows share a DLL, each registered in its own view: both registrations go, the DLL is
// unregistered once by the system's regsvr32 with its path quoted, and each removal is recorded.
TEST_F(Browser, RemovingAHelperDeletesEveryRegistrationOfItsDllInItsOwnView) {
    const std::string dll = "C:\\Program Files\\Tailspin\\search.dll";
    fake.program(dll, kNorthwind);
    klass("{S1}", "Search Helper", dll);
    klass("{S2}", "Search Bar", dll, View::wow32);
    klass("{K1}", "Kept", "C:\\kept.dll");
    klass("{M1}", "Gone Program", "C:\\gone\\gone.dll");
    fake.registry.create_key(kMachine, std::string(kBhoKey) + "\\{S1}");
    fake.registry.create_key(kMachine, std::string(kBhoKey) + "\\{K1}");
    fake.registry.create_key(kMachine, std::string(kBhoKey) + "\\{M1}");
    put(kMachine, kWowToolbar, "{S2}", "");
    ListIEHelpers(app);
    ASSERT_EQ(app.items.count(), 4u);
    ASSERT_EQ(app.items.at(2)->location, "{S1}");

    EXPECT_EQ(RemoveIEHelper(app, dll, 2), 2);
    EXPECT_FALSE(fake.registry.has_key(kMachine, std::string(kBhoKey) + "\\{S1}"));
    EXPECT_FALSE(fake.registry.has_value(kMachine, kWowToolbar, "{S2}"));
    EXPECT_TRUE(fake.registry.has_key(kMachine, std::string(kBhoKey) + "\\{K1}"));
    EXPECT_EQ(fake.shell.calls, Rows{"run|\"C:\\windows\\system32\\regsvr32.exe\" /u /s \"" + dll + "\""});
    const std::string history = fake.files.content(kHistory);
    for (const std::string& key : {std::string(kBhoKey) + "\\{S1}", kWowToolbar + "\\{S2}"}) {
        EXPECT_NE(history.find("IEHELPER_Remove\tTYPE_BHO\tsearch.dll\t" + dll + "\t" + key + "\r\n"), std::string::npos)
            << history;
    }
    EXPECT_TRUE(fake.prompts.told.empty());

    // A DLL that is no longer there is not handed to regsvr32.
    fake.shell.calls.clear();
    ListIEHelpers(app);
    EXPECT_EQ(RemoveIEHelper(app, "C:\\gone\\gone.dll", 1), 1);
    EXPECT_FALSE(fake.registry.has_key(kMachine, std::string(kBhoKey) + "\\{M1}"));
    EXPECT_TRUE(fake.shell.calls.empty());
}

// ---- The kill bit ----

// A value as the test writes and reads it: "-" none, "dword:N", "sz:TEXT", "bytes:N" (a REG_DWORD of N bytes).
struct KillBitCase {
    const char* name;
    const char* native;
    const char* wow;
    bool disable;
    const char* native_after;
    const char* wow_after;
    int result;
};

const KillBitCase kKillBitCases[] = {
    {"DisableMakesBothKeys", "-", "-", true, "dword:1024", "dword:1024", 1},
    {"DisableKeepsOtherBits", "dword:65536", "dword:66560", true, "dword:66560", "dword:66560", 1},
    {"EnableKeepsOtherBitsAndMakesNoKey", "dword:8389632", "-", false, "dword:8388608", "-", 1},
    {"EnableWritesZeroAndKeepsTheKey", "dword:1024", "dword:1024", false, "dword:0", "dword:0", 1},
    {"TextValueIsLeftAlone", "sz:1024", "-", true, "sz:1024", "dword:1024", 0},
    {"EightByteValueIsLeftAlone", "dword:1024", "bytes:8", false, "dword:0", "bytes:8", 0},
};

class KillBit : public Browser, public ::testing::WithParamInterface<KillBitCase> {
protected:
    static constexpr std::string_view kId = "{A1}";
    std::string key(View view) { return in_view(kCompatibilityKey, view) + "\\" + std::string(kId); }
    void write(View view, std::string_view spec) {
        const std::string v(spec.substr(spec.find(':') + 1));
        if (spec.starts_with("dword:")) fake.registry.put_dword(kMachine, key(view), kFlagsValue, std::stoul(v));
        if (spec.starts_with("sz:")) put(kMachine, key(view), kFlagsValue, v);
        if (spec.starts_with("bytes:")) {
            fake.registry.create_key(kMachine, key(view));
            fake.registry.set(kMachine, key(view), kFlagsValue, platform::reg_type::dword, std::string(std::stoul(v), '\4'));
        }
    }
    std::string read(View view) {
        platform::RegValue v;
        if (fake.registry.query(kMachine, key(view), kFlagsValue, v) != platform::RegStatus::ok) {
            return fake.registry.has_key(kMachine, key(view)) ? "key only" : "-";
        }
        if (v.type == platform::reg_type::sz) return "sz:" + std::string(until_zero(v.data));
        if (v.data.size() != 4) return "bytes:" + std::to_string(v.data.size());
        return "dword:" + std::to_string(flags(key(view)));
    }
};

TEST_P(KillBit, ChangesOnlyTheKillBitOfEveryViewItCanRead) {
    const KillBitCase& c = GetParam();
    write(View::native, c.native);
    write(View::wow32, c.wow);
    const int result = c.disable ? DisableActiveX(app, kId) : EnableActiveX(app, kId);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(read(View::native), c.native_after);
    EXPECT_EQ(read(View::wow32), c.wow_after);
    EXPECT_EQ(fake.prompts.told.size(), c.result ? 0u : 1u) << "a view left unchanged is told";
    EXPECT_EQ(IsActiveXEnabled(app, kId), c.disable ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Values, KillBit, ::testing::ValuesIn(kKillBitCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- The ActiveX lists ----

TEST_F(Browser, ControlsOfTheBrowserAndOfTheCompatibilityKeys) {
    const std::string stats = std::string(kExtStatsKey) + "\\";
    auto used = [&](std::string_view id, int type) {
        if (type < 0) fake.registry.create_key(kUser, stats + std::string(id));
        else fake.registry.put_dword(kUser, stats + std::string(id) + "\\iexplore", "Type", static_cast<uint32_t>(type));
    };
    const fake::VersionInfo media{"Media Suite", "Contoso Ltd.", "Contoso Media Control", "2.0"};
    klass("{C1}", "Contoso Player", "C:\\c\\player.ocx", View::native, &media);
    klass("{C2}", "", "C:\\c\\described.ocx", View::native, &media);
    klass("{C3}", "", "C:\\c\\plain.ocx");
    klass("{C4}", "Only 32-bit", "C:\\x86\\old.ocx", View::wow32);
    klass("{C6}", "No Server", "");
    used("{C1}", 1);
    used("{C2}", 2);
    used("{C3}", -1);
    used("{C4}", 0);
    used("{C6}", 0);
    fake.registry.put_dword(kMachine, std::string(kCompatibilityKey) + "\\{C2}", kFlagsValue, 0x10000);
    fake.registry.put_dword(kMachine, kWowCompat + "\\{C4}", kFlagsValue, 0x400);
    put(kMachine, std::string(kCompatibilityKey) + "\\{C9}", "AlternateCLSID", "{C2}");

    EXPECT_EQ(ListBrowserActiveXControls(app, 0), 3);
    const Rows browser{
        "Contoso Player|C:\\C\\PLAYER.OCX|{C1}|2.0|1200|0",
        "PLAIN.OCX|C:\\C\\PLAIN.OCX|{C3}||1200|0",
        "Only 32-bit|C:\\X86\\OLD.OCX|{C4}||1200|1024|32",
    };
    EXPECT_EQ(list(), browser);
    EXPECT_EQ(IsActiveXEnabled(app, "{C4}"), 0) << "the 32-bit view's kill bit counts";
    EXPECT_EQ(ClsidText(*app.items.at(2)), "{C4} (32-bit)");

    // Then the compatibility keys: a control of both sources is listed twice, an entry with an
    // AlternateCLSID under that class id.
    EXPECT_EQ(ListAllActiveXControls(app), 6);
    Rows all = browser;
    all.push_back("Contoso Media Control|C:\\C\\DESCRIBED.OCX|{C2}|2.0|1200|65536");
    all.push_back("Contoso Media Control|C:\\C\\DESCRIBED.OCX|{C2}|2.0|1200|65536");
    all.push_back(browser[2]);
    EXPECT_EQ(list(), all);

    app.settings.hide_microsoft_activex = 1;
    const fake::VersionInfo microsoft{"Player", "Microsoft Corporation"};
    klass("{C1}", "Contoso Player", "C:\\c\\player.ocx", View::native, &microsoft);
    app.versions.clear();
    EXPECT_EQ(ListBrowserActiveXControls(app, 0), 2);
}

// ---- The scans ----

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

class Scans : public Browser, public ::testing::WithParamInterface<ScanCase> {
protected:
    void SetUp() override {
        Browser::SetUp();
        const fake::VersionInfo bar{"Bar", "Bar Co."};
        klass("{H1}", "Helper", "C:\\h.dll");
        klass("{H2}", "Bare Class", "");
        klass("{H3}", "Bar", "C:\\bar.dll", View::native, &bar);
        klass("{H1}", "Helper", "C:\\h.dll", View::wow32);
        for (const char* name : {"{H1}", "NotAClsid", "{H2}"}) fake.registry.create_key(kMachine, std::string(kBhoKey) + "\\" + name);
        fake.registry.create_key(kMachine, kWowBho + "\\{H1}");
        put(kMachine, kToolbarKey, "", "the key's own value");
        put(kMachine, kToolbarKey, "H3", "");
        put(kMachine, kWowToolbar, "{H1}", "");
        put(kUser, std::string(kMenuExtKey) + "\\&Translate", "", "C:\\t.htm");
        fake.registry.create_key(kUser, std::string(kMenuExtKey) + "\\Empty");
        const std::string ext = std::string(kExtensionsKey) + "\\";
        for (const std::string& base : {ext, kWowExtensions + "\\"}) {
            put(kMachine, base + "{X1}", "ButtonText", "Notes");
            put(kMachine, base + "{X1}", "script", "C:\\notes.htm");
            put(kMachine, base + "{X1}", "Exec", "C:\\ignored.exe");
        }
        put(kMachine, ext + "{X1}", "MenuText", "Notes in Tools");
        fake.registry.create_key(kMachine, ext + "{H1}");     // no script, no exec: the class's DLL
        fake.registry.create_key(kMachine, ext + "{Gone}");   // nothing at all: left out
        put(kUser, ext + "{X2}", "ButtonText", "Mine");
        put(kUser, ext + "{X2}", "exec", "C:\\mine.exe");
        put(kMachine, std::string(kPluginsKey) + "\\.pdfx", "Location", "C:\\plug.dll");
        put(kMachine, std::string(kPluginsKey) + "\\.none", "Location", "");
        const std::string units = std::string(kDistributionUnitsKey) + "\\";
        put(kMachine, units + "{H1}\\DownloadInformation", "CODEBASE", "http://x/h.cab");
        put(kMachine, units + "{H2}\\DownloadInformation", "INF", "h.inf");
        const std::string delay(startup::kDelayLoadKey), tasks(startup::kTaskSchedulerKey);
        put(kMachine, delay, "Loader", "{H1}");
        put(kMachine, delay, "NoServer", "{H2}");
        put(kMachine, delay, "TooLong", std::string(128, 'x'));
        put(kMachine, tasks, "{H1}", "Preloader");
        put(kMachine, tasks, "{H2}", "No Server");
        put(kMachine, tasks, "{H3}", "");
        const std::string options = std::string(kAdvancedOptionsKey) + "\\";
        put(kMachine, options + "SYNC", "Text", "Sync");
        put(kMachine, options + "SYNC", "HelpID", "sync.hlp#1");
        put(kMachine, options + "SYNC", "Bitmap", "C:\\Program Files\\Sync\\sync.bmp");
        put(kMachine, options + "BROWSER", "Text", "Browsing");
        put(kMachine, options + "BROWSER", "HelpID", "IEXPLORE.HLP#50");
        put(kMachine, options + "PLAIN", "Text", "Plain");
        put(kMachine, options + "PLAIN", "HelpID", "p.hlp");
        put(kMachine, options + "PLAIN", "Bitmap", "bitmap.bmp");
        const std::string domains = std::string(kZoneDomainsKey) + "\\";
        // The first subkey whose "*" is 4 or 5 decides, in the order the registry lists them.
        fake.registry.put_dword(kMachine, domains + "trusted.example\\a", "*", 2);
        fake.registry.put_dword(kMachine, domains + "trusted.example\\b", "*", 0x105);
        fake.registry.put_dword(kMachine, domains + "trusted.example\\c", "*", 4);
        fake.registry.put_dword(kMachine, domains + "restricted.example\\www", "*", 4);
        fake.registry.put_dword(kMachine, domains + "restricted.example\\x", "*", 5);
        fake.registry.put_dword(kMachine, domains + "plain.example", "*", 5);
        fake.registry.put_dword(kUser, domains + "user.example\\www", "*", 5);
    }
};

TEST_P(Scans, ListWhatTheirKeysHold) {
    EXPECT_EQ(list(GetParam().scan(app)), GetParam().rows);
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
