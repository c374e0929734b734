// The fault plans of the fakes: naming an operation makes exactly that operation fail, so tests that
// inject faults elsewhere can trust what they inject. Fakes only; the Win32 adapters have no faults.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/fake_platform.h"

namespace sx::fake {
namespace {

using platform::RegStatus;
using platform::Root;

constexpr std::string_view kKey = "Software\\Faults";

struct World : FakePlatform {
    World() {
        registry.put_text(Root::current_user, kKey, "v", "text");
        registry.create_key(Root::current_user, std::string(kKey) + "\\empty");
        files.add_file(file("a.txt"), "abc");
        files.add_file(file("b.txt"), "b");
        files.add_file(file("v.exe"), "MZ").version = "block";
        shell.save_shortcut(file("l.lnk"), {"C:\\x.exe", "", "", "", "", 0});
        profile.write(file("p.ini"), "s", "k", "value");
        pid = processes.start("C:\\x.exe");
        services.add("svc", "Service");
        services.add("up", "Running Service");
        services.start("up");
        scheduler.items.push_back({"t.job", {}});
        scheduler.registered.push_back({"\\f\\t2", false, {}, {}, {}, 0, {}});
        registry.put_text(Root::current_user, kKey, "i", "@C:\\faults\\v.exe,-5");
        registry.string_resources["C:\\faults\\v.exe,5"] = "five";
    }
    static std::string file(std::string_view name) { return "C:\\faults\\" + std::string(name); }
    // The plan of the fake an operation belongs to ("files.read": the file system's).
    FaultPlan& plan(std::string_view op) {
        const std::string_view fake_name = op.substr(0, op.find('.'));
        return fake_name == "registry" ? registry.faults : fake_name == "files" ? files.faults
               : fake_name == "profile" ? profile.faults : fake_name == "shell" ? shell.faults
               : fake_name == "services" ? services.faults : fake_name == "scheduler" ? scheduler.faults
                                                                                         : processes.faults;
    }
    uint32_t pid = 0;
};

struct Operation {
    std::string name;  // as the fault plan names it
    std::function<bool(World&)> succeeds;
};

std::vector<Operation> operations() {
    constexpr Root user = Root::current_user;
    const std::string key(kKey);
    auto file = World::file;
    platform::RegValue value;
    std::vector<platform::RegValue> values;
    std::vector<std::string> names;
    std::vector<platform::DirEntry> entries;
    return {
        {"registry.open", [=](World& w) { return w.registry.open(user, key) == RegStatus::ok; }},
        {"registry.create_key", [=](World& w) { return w.registry.create_key(user, key + "\\new") == RegStatus::ok; }},
        {"registry.query", [=](World& w) mutable { return w.registry.query(user, key, "v", value) == RegStatus::ok; }},
        {"registry.set",
         [=](World& w) { return w.registry.set(user, key, "n", platform::reg_type::sz, "x") == RegStatus::ok; }},
        {"registry.remove_value", [=](World& w) { return w.registry.remove_value(user, key, "v") == RegStatus::ok; }},
        {"registry.remove_key", [=](World& w) { return w.registry.remove_key(user, key + "\\empty") == RegStatus::ok; }},
        {"registry.values", [=](World& w) mutable { return w.registry.values(user, key, values) == RegStatus::ok; }},
        {"registry.subkeys", [=](World& w) mutable { return w.registry.subkeys(user, key, names) == RegStatus::ok; }},
        {"registry.indirect_text", [=](World& w) { return w.registry.indirect_text(user, key, "i") == "five"; }},

        {"files.attributes", [=](World& w) { return w.files.attributes(file("a.txt")) != platform::attr::invalid; }},
        {"files.set_attributes", [=](World& w) { return w.files.set_attributes(file("a.txt"), 0); }},
        {"files.list", [=](World& w) mutable { return w.files.list("C:\\faults", entries); }},
        {"files.move", [=](World& w) { return w.files.move(file("a.txt"), file("m.txt")); }},
        {"files.copy", [=](World& w) { return w.files.copy(file("a.txt"), file("c.txt"), true); }},
        {"files.remove", [=](World& w) { return w.files.remove(file("a.txt")); }},
        {"files.make_folder", [=](World& w) { return w.files.make_folder(file("sub")); }},
        {"files.read", [=](World& w) { return w.files.read(file("a.txt"), 10).has_value(); }},
        {"files.write", [=](World& w) { return w.files.write(file("a.txt"), "new"); }},
        {"files.append", [=](World& w) { return w.files.append(file("a.txt"), "more"); }},
        {"files.facts", [=](World& w) { return w.files.facts(file("a.txt")).has_value(); }},
        {"files.version_block", [=](World& w) { return w.files.version_block(file("v.exe")).has_value(); }},
        {"files.program_resources",
         [=](World& w) { return w.files.program_resources(file("v.exe"), 0).version.has_value(); }},
        {"files.long_path", [=](World& w) { return !w.files.long_path(file("a.txt")).empty(); }},
        {"files.short_path", [=](World& w) { return !w.files.short_path(file("a.txt")).empty(); }},
        {"files.delete_on_reboot", [=](World& w) { return w.files.delete_on_reboot(file("a.txt")); }},

        {"profile.write", [=](World& w) { return w.profile.write(file("p.ini"), "s", "k", "value"); }},
        {"profile.read", [=](World& w) { return w.profile.read(file("p.ini"), "s", "k", 100) == "value"; }},

        {"shell.read_shortcut", [=](World& w) { return w.shell.read_shortcut(file("l.lnk")).has_value(); }},
        {"shell.save_shortcut",
         [=](World& w) { return w.shell.save_shortcut(file("n.lnk"), {"C:\\y.exe", "", "", "", "", 0}); }},
        {"shell.execute", [=](World& w) { return w.shell.execute(0, "open", file("a.txt"), "", "", 1); }},
        {"shell.properties", [=](World& w) { return w.shell.properties(0, file("a.txt"), ""); }},
        {"shell.run", [](World& w) { return w.shell.run("C:\\x.exe /y", 1); }},

        {"processes.walk", [](World& w) { return w.processes.walk([](const auto&) { return true; }); }},
        {"processes.terminate", [](World& w) { return w.processes.terminate(w.pid, false); }},

        {"services.list", [](World& w) { std::vector<platform::ServiceState> all; return w.services.list(all); }},
        {"services.query", [](World& w) { return w.services.query("svc").has_value(); }},
        {"services.key_name", [](World& w) { return !w.services.key_name("Service").empty(); }},
        {"services.display_name", [](World& w) { return !w.services.display_name("svc").empty(); }},
        {"services.stop", [](World& w) { return w.services.stop("up"); }},
        {"services.start", [](World& w) { return w.services.start("svc"); }},
        {"services.set_start_type", [](World& w) { return w.services.set_start_type("svc", 4); }},

        {"scheduler.names", [=](World& w) mutable { return w.scheduler.names(names); }},
        {"scheduler.item", [](World& w) { return w.scheduler.item("t").has_value(); }},
        {"scheduler.remove", [](World& w) { return w.scheduler.remove("t.job"); }},
        {"scheduler.tasks", [](World& w) { std::vector<platform::Task> all; return w.scheduler.tasks(all); }},
        {"scheduler.remove_task", [](World& w) { return w.scheduler.remove_task("\\f\\t2"); }},
    };
}

TEST(FakeFaults, NamingAnOperationMakesExactlyThatOperationFail) {
    for (const Operation& op : operations()) {
        SCOPED_TRACE(op.name);
        World world;
        EXPECT_TRUE(op.succeeds(world)) << "without a fault";
        for (const bool named : {true, false}) {
            World faulty;
            faulty.plan(op.name).fail_when([&](std::string_view name, auto) { return (name == op.name) == named; });
            EXPECT_EQ(op.succeeds(faulty), !named) << (named ? "when named" : "when other operations are named");
        }
    }
}

// Rules see the key or file an operation works on, and clear() takes them away.
TEST(FakeFaults, SubjectsNameTheKeyOrFileUntilCleared) {
    World world;
    world.files.faults.fail_when(
        [](std::string_view, std::string_view subject) { return subject.find("b.txt") != std::string_view::npos; });
    EXPECT_TRUE(world.files.read(World::file("a.txt"), 10).has_value());
    EXPECT_FALSE(world.files.read(World::file("b.txt"), 10).has_value());
    world.files.faults.clear();
    EXPECT_TRUE(world.files.read(World::file("b.txt"), 10).has_value());

    world.registry.faults.fail_when(
        [](std::string_view op, std::string_view subject) { return op == "registry.set" && subject.ends_with("\\n"); });
    EXPECT_EQ(world.registry.set(Root::current_user, kKey, "n", platform::reg_type::sz, "x"),
              RegStatus::access_denied);
    EXPECT_EQ(world.registry.set(Root::current_user, kKey, "m", platform::reg_type::sz, "x"), RegStatus::ok);
}

}  // namespace
}  // namespace sx::fake
