// No entry is ever lost by a failed step, and a step that no fault struck does what it reports. Every
// location type goes through disable, enable, remove and restore while one registry, file, profile or shell
// operation fails: each single fault position of each step in turn, then a long random walk with random
// faults. Without faults an entry is either live (no marker, no stored copy) or disabled (marker and copy,
// nothing live), or has left no trace after a removal; a step that reports failure changed nothing, and a
// switch that fails tells the user. Windows' own startup switch of an entry is switched on with it, goes
// with its removal and comes back from the history record as it was.
#include <gtest/gtest.h>

#include <random>
#include <utility>

#include "common/state.h"
#include "startup/catalogue.h"
#include "startup/disabled_store.h"
#include "startup/history.h"
#include "startup/windows_switch.h"
#include "tests/support/fake_platform.h"

namespace sx::startup {
namespace {

using platform::Root;

const std::string kUserStartup(fake::FakePlatform::kUserStartup), kCommonStartup(fake::FakePlatform::kCommonStartup);
const std::string kParked = "C:\\Program Files\\Sentrix\\Disabled\\";
// What follows a win.ini item in its line, beyond the line buffer of the enumeration.
const std::string kRestOfLine = ";C:\\other\\stays.exe;" + std::string(600, 'x');

// One entry. Its type code says where it lives: a Run key, a win.ini line (`key` names both), a
// startup folder or a Winlogon Notify subkey. `data` is what it holds there, `command` what the list shows;
// `windows_switch` the bytes of Windows' own startup switch of it (none when empty).
struct Subject {
    const char *title, *key, *store, *data, *command;
    int type;
    Root root = Root::current_user;
    uint32_t value_type = platform::reg_type::sz;
    std::string windows_switch = {};
};

// Switched off on 2024-03-05 14:07:09, and a switch that is on.
const std::string kOff("\x03\0\0\0\x80\xa4\x6b\x69\x06\x6f\xda\x01", 12);
const std::string kOn("\x02\0\0\0\0\0\0\0\0\0\0\0", 12);

const Subject kSubjects[] = {
    {"MachineApp", "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Run", "C:\\m\\machine.exe /silent",
     "C:\\m\\machine.exe /silent", 1, Root::local_machine, platform::reg_type::sz, kOn},
    // Quoted and expandable: the value moves byte for byte, the list shows it without quotes.
    {"UserApp", "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Run", "\"C:\\u\\user app.exe\" -x",
     "C:\\u\\user app.exe -x", 11, Root::current_user, platform::reg_type::expand_sz, kOff},
    {"OnceApp", "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "RunOnce", "C:\\o\\once.exe", "C:\\o\\once.exe", 12},
    {"WowApp", "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run", "Run", "C:\\w\\wow.exe", "C:\\w\\wow.exe",
     21, Root::local_machine, platform::reg_type::sz, kOff},
    // Quoted in its line, stored and written back without quotes.
    {"Item run", "run", "WinRun", "\"C:\\ini\\a b\\run.exe\"", "C:\\ini\\a b\\run.exe", 101},
    {"Item load", "load", "WinLoad", "C:\\ini\\load.exe", "C:\\ini\\load.exe", 100},
    {"Linked Tool", "", "", "C:\\apps\\linked.exe", "C:\\apps\\linked.exe", 200, Root::current_user, platform::reg_type::sz, kOff},
    {"NotifyPack", "", "WinNotify", "C:\\n\\notify.dll", "C:\\n\\notify.dll", 256, Root::local_machine},
};

bool is_run(const Subject& s) { return s.type < 100; }
bool is_ini(const Subject& s) { return s.type == 100 || s.type == 101; }
std::string notify_key(const Subject& s) { return std::string(kNotifyKey) + "\\" + s.title; }
std::string link_name(const Subject& s) { return std::string("\\") + s.title + ".lnk"; }
// Where Windows keeps the subject's switch: in its own hive, by value name or shortcut name.
std::string switch_key(const Subject& s) {
    return std::string(kApprovedKey) + (s.type == 21 ? "\\Run32" : s.type == 200 ? "\\StartupFolder" : "\\Run");
}
std::string switch_name(const Subject& s) { return s.type == 200 ? link_name(s).substr(1) : s.title; }

struct Env {
    fake::FakePlatform fake;
    AppState app{fake.os};
    long calls = 0;  // fallible calls so far
    long fail_at = -1;
    long step_calls = 0;  // those of the last step

    Env() {
        fake.shell_folders();
        app.settings.history = 1;
        auto rule = [this](std::string_view, std::string_view) { return calls++ == fail_at; };
        for (fake::FaultPlan* plan : {&fake.registry.faults, &fake.files.faults, &fake.profile.faults, &fake.shell.faults})
            plan->fail_when(rule);
    }

    // A value as "type:text"; empty when missing.
    std::string value(Root root, std::string_view key, std::string_view name) {
        platform::RegValue v;
        if (fake.registry.query(root, key, name, v) != platform::RegStatus::ok) return {};
        return std::to_string(v.type) + ":" + std::string(until_zero(v.data));
    }
    std::string target(const std::string& link) {
        const std::optional<platform::Shortcut> read = fake.shell.read_shortcut(link);
        return read ? read->target : std::string();
    }
    void seed(const Subject& s) {
        if (is_run(s)) fake.registry.put_text(s.root, s.key, s.title, s.data, s.value_type);
        if (is_ini(s)) fake.win_ini(s.key, s.data + kRestOfLine);
        if (s.type == 200) fake.shortcut(kUserStartup + link_name(s), s.data, s.title);
        if (s.type == 256) fake.registry.put_text(s.root, notify_key(s), "DllName", s.data);
        if (!s.windows_switch.empty()) {
            fake.registry.create_key(s.root, switch_key(s));
            fake.registry.set(s.root, switch_key(s), switch_name(s), platform::reg_type::binary, s.windows_switch);
        }
    }
    // Windows' switch of the entry, its bytes; empty when there is none.
    std::string windows_switch(const Subject& s) {
        platform::RegValue v;
        return fake.registry.query(s.root, switch_key(s), switch_name(s), v) == platform::RegStatus::ok ? v.data : "";
    }
    std::string history() { return fake.files.content(history_path(app)); }
    // What is live of the entry ("type:text" for a Run value), empty when nothing is.
    std::string live(const Subject& s) {
        if (is_run(s)) return value(s.root, s.key, s.title);
        if (s.type == 256) return fake.registry.text(s.root, notify_key(s), "DllName");
        if (s.type == 200) {
            const std::string user = target(kUserStartup + link_name(s));
            // Switched back on, a shortcut goes to the first startup folder found, which may be the common one.
            return user.empty() ? target(kCommonStartup + link_name(s)) : user;
        }
        const std::string line = ";" + fake.win_ini(s.key) + ";";
        for (const std::string& item : {std::string(s.data), std::string(s.command)}) {
            if (line.find(";" + item + ";") != std::string::npos) return item;
        }
        return {};
    }
    std::string stored(const Subject& s) {
        if (s.type == 200) return target(kParked + link_name(s).substr(1));
        const std::string store = std::string(kDisabledKey) + "\\" + s.store;
        const std::string copy = fake.registry.text(Root::local_machine, store, s.title);
        if (s.type == 256 && copy != fake.registry.text(s.root, notify_key(s), "OldName")) return "OldName differs";
        return copy;
    }
    bool marked(const Subject& s) { return fake.registry.has_value(Root::local_machine, kDisabledKey, s.title); }
    // The rest of the entry's win.ini line is still there.
    bool neighbour_kept(const Subject& s) {
        return !is_ini(s) || fake.win_ini(s.key).find(kRestOfLine.substr(1)) != std::string::npos;
    }
};

// toggle: the page's Enable on an entry switched off here or by Windows, else its Disable; disable: its
// Disable whatever Windows' switch says.
enum class Op { toggle, remove, restore, disable };
enum class State { live, disabled, removed };

// The location the list shows for an entry: a shortcut is where its file is now.
std::string listed_location(Env& e, const Subject& s) {
    for (const std::string& folder : {kUserStartup, kCommonStartup, kParked.substr(0, kParked.size() - 1)}) {
        if (s.type == 200 && e.fake.files.exists(folder + link_name(s))) return folder + link_name(s);
    }
    return {};
}

struct Tracker {
    State state = State::live;
    bool exact = true;  // the entry is known to be in `state` and nowhere else
    // The live form and the stored copy: a restore writes back the command the list showed, as text.
    std::string want_live, want_stored;
    // Windows' switch: as it is meant to be now, and as it was before the last step.
    std::string want_switch, switch_before;
    std::string record;  // the further field of the last removal's record, as an undo from the History dialog uses it

    explicit Tracker(const Subject& s)
        : want_live(is_run(s) ? std::to_string(s.value_type) + ":" + s.data : s.data),
          want_stored(is_ini(s) ? s.command : s.data),
          want_switch(s.windows_switch) {}

    bool switched_off() const { return !want_switch.empty() && (want_switch[0] & 1); }

    // Runs one step, then checks with faults off. From a known state, a step that no fault struck does
    // exactly what it reports, and one that reports failure changes nothing (but a Notify entry whose
    // switch-off failed keeps the OldName it was given). A fault that struck a step reporting success may
    // leave the entry in its old place or its new one, or in both, but never loses or changes it.
    ::testing::AssertionResult step(Env& e, const Subject& s, Op op) {
        e.fake.prompts.told.clear();
        // The page's Enable acts on an entry switched off here or by Windows; Disable on one that is on.
        const bool enable = op == Op::toggle && (state == State::disabled || switched_off());
        if (op == Op::disable) op = Op::toggle;
        const size_t written = op == Op::remove ? e.history().size() : 0;
        const long before = e.calls;
        int result = 0;
        if (op == Op::toggle && enable) result = EnableStartupEntry(e.app, s.title, s.command, listed_location(e, s), s.type);
        if (op == Op::toggle && !enable) result = ToggleStartupEntry(e.app, s.title, s.command, listed_location(e, s), s.type);
        if (op == Op::remove) result = RemoveStartupEntry(e.app, s.title, s.command, listed_location(e, s), s.type);
        if (op == Op::restore) {
            const std::string location = s.type == 200 ? kUserStartup + link_name(s) : "";
            result = RestoreStartupEntry(e.app, s.title, s.command, location, s.type, record);
        }
        const bool struck = e.fail_at >= before && e.fail_at < e.calls;
        e.step_calls = e.calls - before;
        e.fail_at = -1;
        if (result == 0 && op == Op::toggle && e.fake.prompts.told.empty()) {
            return ::testing::AssertionFailure() << s.title << ": a failed switch told the user nothing";
        }
        switch_before = want_switch;
        if (result == 1 && enable && switched_off()) want_switch = switched_on(want_switch);
        if (result == 1 && op == Op::toggle) state = enable ? State::live : State::disabled;
        if (result == 1 && op == Op::toggle && state == State::live && is_ini(s)) want_live = s.command;
        if (result == 1 && op == Op::remove) {
            const std::string history = e.history();
            record.clear();
            for (const HistoryRecord& r : parse_history(history.substr(std::min(written, history.size())))) {
                if (r.event == event::start_remove) record = r.extra;
            }
            if (!struck && record != switch_record_of(want_switch)) {
                return ::testing::AssertionFailure() << s.title << ": the removal's record does not keep Windows' switch";
            }
            state = State::removed;
            want_switch.clear();
        }
        if (result == 1 && op == Op::restore) {
            state = State::live;
            want_live = is_run(s) ? "1:" + std::string(s.command) : s.command;
            want_stored = s.command;
            want_switch = switch_from_record(record).value_or("");
        }
        if (exact && (!struck || (result == 0 && s.type != 256))) return check(e, s);
        return settle(e, s);
    }

    static std::string switch_record_of(const std::string& bytes) { return bytes.empty() ? "" : switch_record(bytes); }

    // The entry is exactly in `state`.
    ::testing::AssertionResult check(Env& e, const Subject& s) const {
        const std::string live = e.live(s), stored = e.stored(s);
        const bool marked = e.marked(s);
        const char* wrong = nullptr;
        if (state == State::live && (live != want_live || !stored.empty() || marked)) wrong = "live";
        if (state == State::disabled && (!live.empty() || stored != want_stored || !marked)) wrong = "disabled";
        if (state == State::removed && (!live.empty() || !stored.empty() || marked)) wrong = "removed";
        if (!e.neighbour_kept(s)) wrong = "beside the rest of its line";
        if (e.windows_switch(s) != want_switch) wrong = "with Windows' switch as meant";
        if (!wrong) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << s.title << " should be " << wrong << ": live \"" << live
                                             << "\", stored \"" << stored << "\", marker " << marked
                                             << ", switch " << switch_record_of(e.windows_switch(s));
    }

    // Nothing is lost: the entry is live or disabled as it was before or as the step meant, byte for byte;
    // a removed entry is neither live nor marked (a stored copy without its marker is never listed and may
    // stay behind). What is found becomes the known state again.
    ::testing::AssertionResult settle(Env& e, const Subject& s) {
        exact = false;
        // Windows' switch is as it was before the step or as the step meant.
        if (e.windows_switch(s) == switch_before) want_switch = switch_before;
        if (state == State::removed && (!e.live(s).empty() || e.marked(s))) return check(e, s);
        if (state == State::removed) {
            exact = check(e, s);
            return ::testing::AssertionSuccess();
        }
        for (State found : {State::live, State::disabled}) {
            state = found;
            if (check(e, s)) exact = true;
            if (exact) return ::testing::AssertionSuccess();
        }
        if (e.live(s) == want_live || (e.stored(s) == want_stored && e.marked(s))) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << s.title << " is neither live nor disabled as it was";
    }
};

std::vector<Op> plan_for(const Subject& s) {
    if (s.type == 256) return {Op::toggle, Op::toggle, Op::toggle, Op::toggle};  // Notify entries are never removed
    // Removed live and put back (as Windows' switch had it), then disabled whatever that switch says, enabled
    // (switching it on), disabled, removed so and put back.
    return {Op::remove, Op::restore, Op::disable, Op::toggle, Op::toggle, Op::remove, Op::restore, Op::toggle};
}

TEST(Reliability, EverySingleFaultOfEveryStepLosesNothing) {
    long faulted_steps = 0;
    for (const Subject& subject : kSubjects) {
        const std::vector<Op> plan = plan_for(subject);
        for (size_t i = 0; i < plan.size(); ++i) {
            // How many fallible calls step i makes when nothing fails, then each of them failing in turn.
            long calls = 1;
            for (long k = -1; k < calls; ++k) {
                Env e;
                Tracker t(subject);
                e.seed(subject);
                for (size_t j = 0; j < i; ++j) ASSERT_TRUE(t.step(e, subject, plan[j])) << "fault-free step " << j;
                e.fail_at = k < 0 ? -1 : e.calls + k;
                ASSERT_TRUE(t.step(e, subject, plan[i])) << "step " << i << " with call " << k << " failing";
                if (k < 0) {
                    calls = e.step_calls;
                    continue;
                }
                ++faulted_steps;
                // Whatever state the fault left, the remaining steps still work; a removed entry is no longer
                // listed, so the only way back is its history record.
                for (size_t j = i + 1; j < plan.size(); ++j) {
                    const Op next = t.state == State::removed ? Op::restore : plan[j];
                    if ((t.state != State::removed && next == Op::restore) || (t.state != State::live && next == Op::disable)) {
                        continue;
                    }
                    ASSERT_TRUE(t.step(e, subject, next)) << "after step " << j << ", the fault was in step " << i
                                                          << " call " << k;
                }
            }
        }
    }
    std::printf("reliability: %ld single-fault steps, no entry lost\n", faulted_steps);
    EXPECT_GE(faulted_steps, 300);
}

TEST(Reliability, ARandomWalkWithRandomFaultsLosesNothing) {
    std::mt19937 random(20261206);
    Env e;
    std::vector<Tracker> trackers;
    for (const Subject& s : kSubjects) {
        e.seed(s);
        trackers.emplace_back(s);
    }
    long faulted = 0;
    for (int step = 0; step < 6000; ++step) {
        const size_t which = random() % std::size(kSubjects);
        const Subject& s = kSubjects[which];
        Tracker& t = trackers[which];
        Op op = Op::toggle;
        if (s.type != 256) op = t.state == State::removed ? Op::restore : (random() % 4 == 0 ? Op::remove : Op::toggle);
        if (op == Op::toggle && t.state == State::live && random() % 3 == 0) op = Op::disable;
        const bool fault = random() % 3 != 0;
        if (fault) e.fail_at = e.calls + static_cast<long>(random() % 24);
        const long fail_at = fault ? e.fail_at - e.calls : -1;
        ASSERT_TRUE(t.step(e, s, op)) << "random step " << step << " op " << static_cast<int>(op) << " fault " << fail_at;
        // Only a fault that struck during the step counts.
        if (fault && fail_at < e.step_calls) ++faulted;
        for (size_t other = 0; other < trackers.size(); ++other) {
            Tracker& o = trackers[other];
            ASSERT_TRUE(o.exact ? o.check(e, kSubjects[other]) : o.settle(e, kSubjects[other]));
        }
    }
    std::printf("reliability: %ld random faulted steps, no entry lost\n", faulted);
    EXPECT_GE(faulted, 1000);
}

}  // namespace
}  // namespace sx::startup
