// No entry is ever lost by a failed step. Every location type goes through disable, enable, remove
// and restore while one registry, file, profile or shell operation fails: each single fault position
// of each step in turn, then a long random walk with random faults. After every step each entry must
// be live or disabled, with its command intact, unless a removal reported success.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>

#include "common/state.h"
#include "startup/catalogue.h"
#include "startup/disabled_store.h"
#include "tests/support/fake_platform.h"

namespace sx::startup {
namespace {

using platform::Root;

constexpr std::string_view kStore = "Software\\Orvane\\Sentrix\\Disabled";

struct Env {
    fake::FakePlatform fake;
    AppState app{fake.os};
    std::shared_ptr<long> calls = std::make_shared<long>(0);
    long fail_at = -1;

    Env() {
        fake.shell_folders();
        app.settings.history = 1;
        auto rule = [calls = calls, this](std::string_view, std::string_view) { return (*calls)++ == fail_at; };
        fake.registry.faults.fail_when(rule);
        fake.files.faults.fail_when(rule);
        fake.profile.faults.fail_when(rule);
        fake.shell.faults.fail_when(rule);
    }
    void fail_call(long n) {
        fail_at = *calls + n;
    }
    void no_faults() { fail_at = -1; }
};

struct Subject {
    std::string name;
    std::string title, command, location;
    int type;
    bool removable;
    std::function<void(Env&)> seed;
    // Live with `data` in its place; switched off with `data` kept in the store.
    std::function<bool(Env&, const std::string& data)> live;
    std::function<bool(Env&, const std::string& data)> disabled;
    std::string data;  // what the entry holds where it lives
};

std::string text(Env& e, Root root, std::string_view key, std::string_view name) {
    return e.fake.registry.has_value(root, key, name) ? e.fake.registry.text(root, key, name) : std::string("\x01");
}

bool marker_is(Env& e, const std::string& title, int type) {
    return text(e, Root::local_machine, kStore, title) == std::to_string(type);
}

Subject run_subject(std::string name, Root root, std::string key, std::string store, std::string value, int type) {
    Subject s;
    s.name = name;
    s.title = name;
    s.command = value;
    s.type = type;
    s.removable = true;
    s.data = value;
    s.seed = [=](Env& e) { e.fake.registry.put_text(root, key, name, value); };
    s.live = [=](Env& e, const std::string& data) { return text(e, root, key, name) == data; };
    s.disabled = [=](Env& e, const std::string& data) {
        return marker_is(e, name, type) && text(e, Root::local_machine, std::string(kStore) + "\\" + store, name) == data;
    };
    return s;
}

std::vector<Subject> subjects() {
    std::vector<Subject> all;
    all.push_back(run_subject("MachineApp", Root::local_machine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Run",
                              "C:\\m\\machine.exe /silent", 1));
    all.push_back(run_subject("UserApp", Root::current_user, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Run",
                              "C:\\u\\user.exe", 11));
    all.push_back(run_subject("OnceApp", Root::current_user, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
                              "RunOnce", "C:\\o\\once.exe", 12));
    all.push_back(run_subject("WowApp", Root::local_machine, "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run",
                              "Run", "C:\\w\\wow.exe", 21));
    for (const auto& [key, type, store] : {std::tuple{"run", 101, "WinRun"}, std::tuple{"load", 100, "WinLoad"}}) {
        Subject s;
        s.name = std::string("win.ini ") + key;
        s.title = std::string("Item ") + key;
        s.command = std::string("C:\\ini\\") + key + ".exe";
        s.type = type;
        s.removable = true;
        s.data = s.command;
        const std::string k = key, st = store, title = s.title;
        s.seed = [k, cmd = s.command](Env& e) { e.fake.win_ini(k, "C:\\other\\stays.exe;" + cmd); };
        s.live = [k](Env& e, const std::string& data) {
            const std::string line = ";" + e.fake.win_ini(k) + ";";
            return line.find(";" + data + ";") != std::string::npos;
        };
        s.disabled = [title, st, type = s.type](Env& e, const std::string& data) {
            return marker_is(e, title, type) && text(e, Root::local_machine, std::string(kStore) + "\\" + st, title) == data;
        };
        all.push_back(s);
    }
    {
        Subject s;
        s.name = "startup shortcut";
        s.title = "Linked Tool";
        s.command = "C:\\apps\\linked.exe";
        s.location = std::string(fake::FakePlatform::kUserStartup) + "\\Linked Tool.lnk";
        s.type = 200;
        s.removable = true;
        s.data = s.command;
        s.seed = [loc = s.location, cmd = s.command](Env& e) { e.fake.shortcut(loc, cmd, "Linked Tool"); };
        auto target_at = [](Env& e, const std::string& path, const std::string& data) {
            std::optional<platform::Shortcut> link = e.fake.shell.read_shortcut(path);
            return link && link->target == data;
        };
        // Switched back on, a shortcut goes to the first startup folder found, which may be the
        // common one; in either folder it starts.
        s.live = [=, loc = s.location](Env& e, const std::string& data) {
            return target_at(e, loc, data) ||
                   target_at(e, std::string(fake::FakePlatform::kCommonStartup) + "\\Linked Tool.lnk", data);
        };
        s.disabled = [=](Env& e, const std::string& data) {
            return marker_is(e, "Linked Tool", 200) &&
                   target_at(e, "C:\\Program Files\\Sentrix\\Disabled\\Linked Tool.lnk", data);
        };
        all.push_back(s);
    }
    {
        Subject s;
        s.name = "Winlogon Notify";
        s.title = "NotifyPack";
        s.command = "C:\\n\\notify.dll";
        s.type = 256;
        s.removable = false;
        s.data = s.command;
        const std::string key = std::string(kNotifyKey) + "\\NotifyPack";
        s.seed = [key](Env& e) { e.fake.registry.put_text(Root::local_machine, key, "DllName", "C:\\n\\notify.dll"); };
        s.live = [key](Env& e, const std::string& data) { return text(e, Root::local_machine, key, "DllName") == data; };
        s.disabled = [key](Env& e, const std::string& data) {
            return marker_is(e, "NotifyPack", 256) && text(e, Root::local_machine, key, "OldName") == data &&
                   text(e, Root::local_machine, std::string(kStore) + "\\WinNotify", "NotifyPack") == data;
        };
        all.push_back(s);
    }
    return all;
}

enum class Op { toggle, remove, restore };

// The location the list shows for an entry, as a refill after every action finds it: a shortcut is
// where its file is now (a startup folder or the Disabled folder).
std::string listed_location(Env& e, const Subject& s) {
    if (s.type != 200) return s.location;
    const std::string name = "\\Linked Tool.lnk";
    for (std::string folder : {std::string(fake::FakePlatform::kUserStartup),
                               std::string(fake::FakePlatform::kCommonStartup),
                               std::string("C:\\Program Files\\Sentrix\\Disabled")}) {
        if (e.fake.files.exists(folder + name)) return folder + name;
    }
    return s.location;
}

struct Tracker {
    bool removed = false;

    // Runs one step; returns its result.
    int step(Env& e, const Subject& s, Op op) {
        switch (op) {
            case Op::toggle:
                return ToggleStartupEntry(e.app, s.title, s.command, listed_location(e, s), s.type);
            case Op::remove: {
                const int result = RemoveStartupEntry(e.app, s.title, s.command, listed_location(e, s), s.type);
                if (result == 1) removed = true;
                return result;
            }
            case Op::restore: {
                const int result = RestoreStartupEntry(e.app, s.title, s.command, s.location, s.type);
                if (result == 1) removed = false;
                return result;
            }
        }
        return 0;
    }

    // Nothing lost: live or disabled with the command intact, unless a removal succeeded.
    ::testing::AssertionResult intact(Env& e, const Subject& s) const {
        const bool live = s.live(e, s.data);
        const bool off = s.disabled(e, s.data);
        if (removed) {
            if (live || off) return ::testing::AssertionFailure() << s.name << " was reported removed but is still there";
            return ::testing::AssertionSuccess();
        }
        if (!live && !off) return ::testing::AssertionFailure() << s.name << " is neither live nor disabled";
        return ::testing::AssertionSuccess();
    }
};

std::vector<Op> plan_for(const Subject& s) {
    if (!s.removable) return {Op::toggle, Op::toggle, Op::toggle, Op::toggle};
    return {Op::toggle, Op::toggle, Op::remove, Op::restore, Op::toggle, Op::remove, Op::restore};
}

TEST(Reliability, EverySingleFaultOfEveryStepLosesNothing) {
    long faulted_steps = 0;
    for (const Subject& subject : subjects()) {
        const std::vector<Op> plan = plan_for(subject);
        for (size_t i = 0; i < plan.size(); ++i) {
            // How many fallible calls step i makes when nothing fails.
            long calls = 0;
            {
                Env e;
                Tracker t;
                subject.seed(e);
                for (size_t j = 0; j < i; ++j) t.step(e, subject, plan[j]);
                const long before = *e.calls;
                t.step(e, subject, plan[i]);
                calls = *e.calls - before;
            }
            for (long k = 0; k < calls; ++k) {
                Env e;
                Tracker t;
                subject.seed(e);
                for (size_t j = 0; j < i; ++j) t.step(e, subject, plan[j]);
                ASSERT_TRUE(t.intact(e, subject));
                e.fail_call(k);
                t.step(e, subject, plan[i]);
                e.no_faults();
                ++faulted_steps;
                ASSERT_TRUE(t.intact(e, subject)) << "step " << i << " with call " << k << " failing";
                // Whatever state the fault left, the remaining steps still work.
                for (size_t j = i + 1; j < plan.size(); ++j) {
                    // A removed entry is no longer listed: the only way back is its history record.
                    Op next = t.removed ? Op::restore : plan[j];
                    if (!t.removed && next == Op::restore) continue;
                    t.step(e, subject, next);
                    ASSERT_TRUE(t.intact(e, subject)) << "after step " << j << ", the fault was in step " << i << " call " << k;
                }
            }
        }
    }
    std::printf("reliability: %ld single-fault steps, no entry lost\n", faulted_steps);
    EXPECT_GE(faulted_steps, 300);
}

TEST(Reliability, ARandomWalkWithRandomFaultsLosesNothing) {
    std::mt19937 random(20261206);
    const std::vector<Subject> all = subjects();
    Env e;
    std::vector<Tracker> trackers(all.size());
    for (const Subject& s : all) s.seed(e);
    long faulted = 0;
    for (int step = 0; step < 4000; ++step) {
        const size_t which = random() % all.size();
        const Subject& s = all[which];
        Tracker& t = trackers[which];
        Op op = Op::toggle;
        if (s.removable) {
            const int pick = static_cast<int>(random() % 4);
            op = t.removed ? Op::restore : (pick == 0 ? Op::remove : Op::toggle);
        }
        const bool fault = random() % 3 != 0;
        if (fault) e.fail_call(static_cast<long>(random() % 24));
        const long fail_at = e.fail_at - *e.calls;
        t.step(e, s, op);
        // Only a fault that struck during the step counts.
        if (fault && *e.calls > e.fail_at) ++faulted;
        e.no_faults();
        ASSERT_TRUE(t.intact(e, s)) << "random step " << step << " op " << static_cast<int>(op) << " fault "
                                    << (fault ? fail_at : -1);
        for (size_t other = 0; other < all.size(); ++other) ASSERT_TRUE(trackers[other].intact(e, all[other]));
        e.fake.prompts.told.clear();
    }
    std::printf("reliability: %ld random faulted steps, no entry lost\n", faulted);
    EXPECT_GE(faulted, 1000);
}

}  // namespace
}  // namespace sx::startup
