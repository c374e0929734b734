// Removing a browser helper and setting or clearing a kill bit lose nothing when any one platform
// call fails: each registration and each compatibility value is afterwards as it was or as the step
// meant, what a step reports is what happened, and whatever was left undone is told to the user.
#include <gtest/gtest.h>

#include "common/state.h"
#include "inventory/activex.h"
#include "inventory/ie_helpers.h"
#include "inventory/views.h"
#include "tests/support/fake_platform.h"

namespace sx::inventory {
namespace {

using platform::Root;

constexpr Root kMachine = Root::local_machine;
const std::string kDll = "C:\\Program Files\\Tailspin\\search.dll";

// A fake platform whose every registry, file and shell call counts, and the `fail_at`-th fails.
struct Env {
    fake::FakePlatform fake;
    AppState app{fake.os};
    long calls = 0;
    long fail_at = -1;

    Env() {
        app.settings.history = 1;
        fake.files.add_folder("C:\\Program Files\\Sentrix");
        auto rule = [this](std::string_view, std::string_view) { return calls++ == fail_at; };
        for (fake::FaultPlan* plan : {&fake.registry.faults, &fake.files.faults, &fake.shell.faults}) plan->fail_when(rule);
    }
    // Runs `step` with call `k` of it failing (-1: none); returns how many calls it made.
    template <typename Step>
    long run(long k, Step step) {
        const long before = calls;
        fail_at = k < 0 ? -1 : before + k;
        step();
        fail_at = -1;
        return calls - before;
    }
};

// A helper object and a toolbar of one DLL, each in its own view, and a helper of another DLL.
struct Helpers : Env {
    const std::string bho = std::string(kBhoKey) + "\\{S1}";
    const std::string toolbar = in_view(kToolbarKey, View::wow32);
    const std::string kept = std::string(kBhoKey) + "\\{K1}";

    Helpers() {
        fake.program(kDll, {"Tailspin Search"});
        fake.clsid("{S1}", "Search Helper", kDll);
        fake.registry.put_text(Root::classes_root, "Wow6432Node\\CLSID\\{S2}", "", "Search Bar");
        fake.registry.put_text(Root::classes_root, "Wow6432Node\\CLSID\\{S2}\\InprocServer32", "", kDll);
        fake.clsid("{K1}", "Kept", "C:\\kept.dll");
        fake.clsid("{M1}", "Gone", "C:\\gone\\gone.dll");
        fake.registry.create_key(kMachine, std::string(kBhoKey) + "\\{M1}");
        fake.registry.put_dword(kMachine, bho, "NoExplorer", 1);
        fake.registry.put_text(kMachine, toolbar, "{S2}", "");
        fake.registry.create_key(kMachine, kept);
        ListIEHelpers(app);
    }
    bool bho_there() { return fake.registry.has_value(kMachine, bho, "NoExplorer"); }
    bool toolbar_there() { return fake.registry.has_value(kMachine, toolbar, "{S2}"); }
    size_t row_of(std::string_view dll) {
        for (size_t i = 0; i < app.items.count(); ++i) if (app.items.at(i)->command == dll) return i;
        return 0;
    }
};

TEST(BrowserReliability, RemovingAHelperLosesNothingWhateverCallFails) {
    long calls = 1, faulted = 0;
    for (long k = -1; k < calls; ++k) {
        SCOPED_TRACE("call " + std::to_string(k) + " failing");
        Helpers e;
        int removed = 0;
        const long made = e.run(k, [&] { removed = RemoveIEHelper(e.app, kDll, e.row_of(kDll)); });
        if (k < 0) calls = made;
        if (k >= 0 && k < made) ++faulted;
        const int gone = !e.bho_there() + !e.toolbar_there();
        EXPECT_EQ(e.fake.registry.has_key(kMachine, e.bho), e.bho_there()) << "a registration went only in part";
        EXPECT_EQ(removed, gone) << "what it reports is what it deleted";
        EXPECT_TRUE(e.fake.registry.has_key(kMachine, e.kept)) << "a helper of another program was touched";
        EXPECT_FALSE(e.fake.registry.text(Root::classes_root, "CLSID\\{S1}\\InprocServer32", "").empty());
        const bool unregistered = !e.fake.shell.calls.empty();
        if (gone < 2) {
            EXPECT_FALSE(unregistered) << "the DLL was unregistered while a registration of it stays";
            EXPECT_FALSE(e.fake.prompts.told.empty()) << "a registration stayed and the user was not told";
        }
        if (k < 0) {
            // Without a fault: both went, each recorded, and the system's regsvr32 got the DLL quoted.
            EXPECT_EQ(gone, 2);
            EXPECT_TRUE(e.fake.prompts.told.empty());
            EXPECT_EQ(e.fake.shell.calls, std::vector<std::string>{"run|\"C:\\windows\\system32\\regsvr32.exe\" /u /s \"" + kDll + "\""});
            const std::string history = e.fake.files.content("C:\\Program Files\\Sentrix\\history.txt");
            for (const std::string& key : {e.bho, e.toolbar + "\\{S2}"}) {
                EXPECT_NE(history.find("IEHELPER_Remove\tTYPE_BHO\tsearch.dll\t" + kDll + "\t" + key + "\r\n"), std::string::npos);
            }
            // A DLL that is no longer there is not handed to regsvr32.
            e.fake.shell.calls.clear();
            ListIEHelpers(e.app);
            EXPECT_EQ(RemoveIEHelper(e.app, "C:\\gone\\gone.dll", e.row_of("C:\\gone\\gone.dll")), 1);
            EXPECT_TRUE(e.fake.shell.calls.empty());
        }
        // regsvr32 is the last call: when it did not start, that is told too.
        if (unregistered && k == made - 1) EXPECT_EQ(e.fake.prompts.told.size(), 1u);
    }
    EXPECT_GE(faulted, 6);
}

// A value as written and read here: "-" none, "dword:N", "sz:TEXT", "bytes:N" (a REG_DWORD of N bytes).
struct KillBitSubject {
    const char* name;
    bool disable;
    const char* native;
    const char* wow;
};

const KillBitSubject kSubjects[] = {
    {"DisableBoth", true, "dword:65536", "dword:8388608"},
    {"DisableWithoutKeys", true, "-", "-"},
    {"EnableBoth", false, "dword:66560", "dword:1024"},
    {"EnableWithoutKeys", false, "dword:1024", "-"},
    {"DisableBesideText", true, "sz:1024", "dword:0"},
    {"EnableBesideEightBytes", false, "bytes:8", "dword:1024"},
};

struct KillBits : Env {
    static constexpr std::string_view kId = "{A1}";
    std::string key(View view) { return in_view(kCompatibilityKey, view) + "\\" + std::string(kId); }
    void write(View view, std::string_view given) {
        const std::string v(given.substr(given.find(':') + 1));
        if (given.starts_with("dword:")) fake.registry.put_dword(kMachine, key(view), kFlagsValue, std::stoul(v));
        if (given.starts_with("sz:")) fake.registry.put_text(kMachine, key(view), kFlagsValue, v);
        if (given.starts_with("bytes:")) {
            fake.registry.create_key(kMachine, key(view));
            fake.registry.set(kMachine, key(view), kFlagsValue, platform::reg_type::dword, std::string(std::stoul(v), '\4'));
        }
    }
    std::string read(View view) {
        platform::RegValue v;
        if (fake.registry.query(kMachine, key(view), kFlagsValue, v) != platform::RegStatus::ok) return "-";
        if (v.type != platform::reg_type::dword) return "sz:" + std::string(until_zero(v.data));
        if (v.data.size() != 4) return "bytes:" + std::to_string(v.data.size());
        uint32_t n = 0;
        for (size_t i = 4; i-- > 0;) n = (n << 8) | static_cast<unsigned char>(v.data[i]);
        return "dword:" + std::to_string(n);
    }
    // What a value becomes where the step succeeds: only the kill bit changes; no key is made to
    // clear a bit, and what is no number stays as it is.
    static std::string wanted(std::string_view given, bool disable) {
        if (!given.starts_with("dword:") && given != "-") return std::string(given);
        const uint32_t old = given == "-" ? 0 : static_cast<uint32_t>(std::stoul(std::string(given.substr(6))));
        const uint32_t now = disable ? old | kKillBit : old & ~kKillBit;
        return given == "-" && now == 0 ? "-" : "dword:" + std::to_string(now);
    }
};

TEST(BrowserReliability, SettingOrClearingAKillBitLosesNoCompatibilityValue) {
    long faulted = 0;
    for (const KillBitSubject& s : kSubjects) {
        long calls = 1;
        for (long k = -1; k < calls; ++k) {
            SCOPED_TRACE(std::string(s.name) + ", call " + std::to_string(k) + " failing");
            KillBits e;
            e.write(View::native, s.native);
            e.write(View::wow32, s.wow);
            int result = 0;
            const long made = e.run(k, [&] { result = s.disable ? DisableActiveX(e.app, KillBits::kId)
                                                                : EnableActiveX(e.app, KillBits::kId); });
            if (k < 0) calls = made;
            if (k >= 0 && k < made) ++faulted;
            bool all_changed = true;
            for (const auto& [view, before] : {std::pair{View::native, s.native}, std::pair{View::wow32, s.wow}}) {
                const std::string now = e.read(view), want = KillBits::wanted(before, s.disable);
                EXPECT_TRUE(now == before || now == want) << "a value became " << now;
                all_changed = all_changed && now == want && (before == std::string_view("-") ||
                                                             std::string_view(before).starts_with("dword:"));
            }
            // A failed read may hide that nothing needed changing there; it is reported all the same.
            EXPECT_TRUE(result == 0 || all_changed) << "it reported what it did not do";
            EXPECT_EQ(e.fake.prompts.told.empty(), result == 1) << "what was left undone is told";
            if (k < 0) EXPECT_EQ(result, all_changed ? 1 : 0);
            if (k < 0) EXPECT_EQ(IsActiveXEnabled(e.app, KillBits::kId), s.disable ? 0 : 1);
        }
    }
    EXPECT_GE(faulted, 10);
}

}  // namespace
}  // namespace sx::inventory
