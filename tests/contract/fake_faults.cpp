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
constexpr std::string_view kFolder = "C:\\faults";

struct World {
    World() {
        fake.registry.put_text(Root::current_user, kKey, "v", "text");
        fake.registry.create_key(Root::current_user, std::string(kKey) + "\\sub");
        fake.registry.create_key(Root::current_user, std::string(kKey) + "\\empty");
        fake.files.add_file(std::string(kFolder) + "\\a.txt", "abc");
        fake.files.add_file(std::string(kFolder) + "\\b.txt", "b");
        fake.files.add_file(std::string(kFolder) + "\\v.exe", "MZ").version = std::string("block");
        fake.shell.save_shortcut(std::string(kFolder) + "\\l.lnk", {"C:\\x.exe", "", "", "", "", 0});
        fake.profile.write(std::string(kFolder) + "\\p.ini", "s", "k", "value");
        pid = fake.processes.start("C:\\x.exe");
    }
    FakePlatform fake;
    uint32_t pid = 0;
};

struct Operation {
    std::string name;  // as the fault plan names it
    std::function<FaultPlan&(World&)> plan;
    std::function<bool(World&)> succeeds;
};

std::string in_folder(std::string_view name) { return std::string(kFolder) + "\\" + std::string(name); }

std::vector<Operation> operations() {
    auto reg = [](World& w) -> FaultPlan& { return w.fake.registry.faults; };
    auto files = [](World& w) -> FaultPlan& { return w.fake.files.faults; };
    auto profile = [](World& w) -> FaultPlan& { return w.fake.profile.faults; };
    auto shell = [](World& w) -> FaultPlan& { return w.fake.shell.faults; };
    auto processes = [](World& w) -> FaultPlan& { return w.fake.processes.faults; };
    const std::string key(kKey);
    platform::RegValue value;
    std::vector<platform::RegValue> values;
    std::vector<std::string> names;
    std::vector<platform::DirEntry> entries;
    return {
        {"registry.open", reg,
         [=](World& w) { return w.fake.registry.open(Root::current_user, key) == RegStatus::ok; }},
        {"registry.create_key", reg,
         [=](World& w) { return w.fake.registry.create_key(Root::current_user, key + "\\new") == RegStatus::ok; }},
        {"registry.query", reg,
         [=](World& w) mutable { return w.fake.registry.query(Root::current_user, key, "v", value) == RegStatus::ok; }},
        {"registry.set", reg,
         [=](World& w) {
             return w.fake.registry.set(Root::current_user, key, "n", platform::reg_type::sz, "x") == RegStatus::ok;
         }},
        {"registry.remove_value", reg,
         [=](World& w) { return w.fake.registry.remove_value(Root::current_user, key, "v") == RegStatus::ok; }},
        {"registry.remove_key", reg,
         [=](World& w) { return w.fake.registry.remove_key(Root::current_user, key + "\\empty") == RegStatus::ok; }},
        {"registry.values", reg,
         [=](World& w) mutable { return w.fake.registry.values(Root::current_user, key, values) == RegStatus::ok; }},
        {"registry.subkeys", reg,
         [=](World& w) mutable { return w.fake.registry.subkeys(Root::current_user, key, names) == RegStatus::ok; }},

        {"files.attributes", files,
         [](World& w) { return w.fake.files.attributes(in_folder("a.txt")) != platform::attr::invalid; }},
        {"files.set_attributes", files,
         [](World& w) { return w.fake.files.set_attributes(in_folder("a.txt"), platform::attr::hidden); }},
        {"files.list", files, [=](World& w) mutable { return w.fake.files.list(std::string(kFolder), entries); }},
        {"files.move", files, [](World& w) { return w.fake.files.move(in_folder("a.txt"), in_folder("m.txt")); }},
        {"files.copy", files,
         [](World& w) { return w.fake.files.copy(in_folder("a.txt"), in_folder("c.txt"), true); }},
        {"files.remove", files, [](World& w) { return w.fake.files.remove(in_folder("a.txt")); }},
        {"files.make_folder", files, [](World& w) { return w.fake.files.make_folder(in_folder("sub")); }},
        {"files.read", files, [](World& w) { return w.fake.files.read(in_folder("a.txt"), 10).has_value(); }},
        {"files.write", files, [](World& w) { return w.fake.files.write(in_folder("a.txt"), "new"); }},
        {"files.append", files, [](World& w) { return w.fake.files.append(in_folder("a.txt"), "more"); }},
        {"files.facts", files, [](World& w) { return w.fake.files.facts(in_folder("a.txt")).has_value(); }},
        {"files.version_block", files,
         [](World& w) { return w.fake.files.version_block(in_folder("v.exe")).has_value(); }},
        {"files.long_path", files, [](World& w) { return !w.fake.files.long_path(in_folder("a.txt")).empty(); }},
        {"files.short_path", files, [](World& w) { return !w.fake.files.short_path(in_folder("a.txt")).empty(); }},
        {"files.delete_on_reboot", files, [](World& w) { return w.fake.files.delete_on_reboot(in_folder("a.txt")); }},

        {"profile.write", profile,
         [](World& w) { return w.fake.profile.write(in_folder("p.ini"), "s", "k", "value"); }},
        {"profile.read", profile,
         [](World& w) { return w.fake.profile.read(in_folder("p.ini"), "s", "k", 100) == "value"; }},

        {"shell.read_shortcut", shell,
         [](World& w) { return w.fake.shell.read_shortcut(in_folder("l.lnk")).has_value(); }},
        {"shell.save_shortcut", shell,
         [](World& w) { return w.fake.shell.save_shortcut(in_folder("n.lnk"), {"C:\\y.exe", "", "", "", "", 0}); }},
        {"shell.execute", shell,
         [](World& w) { return w.fake.shell.execute(0, "open", in_folder("a.txt"), "", "", 1); }},
        {"shell.properties", shell, [](World& w) { return w.fake.shell.properties(0, in_folder("a.txt"), ""); }},
        {"shell.run", shell, [](World& w) { return w.fake.shell.run("C:\\x.exe /y", 1); }},

        {"processes.walk", processes,
         [](World& w) { return w.fake.processes.walk([](const platform::ProcessEntry&) { return true; }); }},
        {"processes.terminate", processes, [](World& w) { return w.fake.processes.terminate(w.pid, false); }},
    };
}

TEST(FakeFaults, NamingAnOperationMakesExactlyThatOperationFail) {
    for (const Operation& op : operations()) {
        {
            World world;
            EXPECT_TRUE(op.succeeds(world)) << op.name << " works without a fault";
        }
        {
            World world;
            op.plan(world).fail_when([&](std::string_view name, std::string_view) { return name == op.name; });
            EXPECT_FALSE(op.succeeds(world)) << op.name << " fails when named";
        }
        {
            World world;
            op.plan(world).fail_when([&](std::string_view name, std::string_view) { return name != op.name; });
            EXPECT_TRUE(op.succeeds(world)) << op.name << " is not failed by faults of other operations";
        }
    }
}

TEST(FakeFaults, FailNthFailsOnlyThatCall) {
    World world;
    world.fake.files.faults.fail_nth("files.read", 1);
    const std::string path = in_folder("a.txt");
    EXPECT_TRUE(world.fake.files.read(path, 10).has_value());
    EXPECT_TRUE(world.fake.files.attributes(path) != platform::attr::invalid) << "other operations do not count";
    EXPECT_FALSE(world.fake.files.read(path, 10).has_value());
    EXPECT_TRUE(world.fake.files.read(path, 10).has_value());
}

TEST(FakeFaults, SubjectsNameTheKeyOrFile) {
    World world;
    world.fake.files.faults.fail_when(
        [](std::string_view, std::string_view subject) { return subject.find("b.txt") != std::string_view::npos; });
    EXPECT_TRUE(world.fake.files.read(in_folder("a.txt"), 10).has_value());
    EXPECT_FALSE(world.fake.files.read(in_folder("b.txt"), 10).has_value());

    world.fake.registry.faults.fail_when(
        [](std::string_view op, std::string_view subject) { return op == "registry.set" && subject.ends_with("\\n"); });
    EXPECT_EQ(world.fake.registry.set(Root::current_user, kKey, "n", platform::reg_type::sz, "x"),
              RegStatus::access_denied);
    EXPECT_EQ(world.fake.registry.set(Root::current_user, kKey, "m", platform::reg_type::sz, "x"), RegStatus::ok);
}

TEST(FakeFaults, ClearEndsTheFaults) {
    World world;
    world.fake.processes.faults.fail_when([](std::string_view, std::string_view) { return true; });
    EXPECT_FALSE(world.fake.processes.walk([](const platform::ProcessEntry&) { return true; }));
    world.fake.processes.faults.clear();
    EXPECT_TRUE(world.fake.processes.walk([](const platform::ProcessEntry&) { return true; }));
}

}  // namespace
}  // namespace sx::fake
