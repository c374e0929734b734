// The contract environment on the in-memory fakes: a fresh FakePlatform for every test.
#include "tests/contract/contract_env.h"
#include "tests/support/fake_platform.h"

namespace sx::contract {

std::string contract_version_block();  // version_fixture.cpp

namespace {

constexpr std::string_view kChildProgram = "C:\\sxcontract\\sx_contract_fake.exe";

class FakeEnv : public Env {
public:
    explicit FakeEnv(const std::string& test_name)
        : key_("Software\\SentrixContract\\" + test_name),
          class_("SentrixContract." + test_name),
          folder_("C:\\sxcontract\\" + test_name),
          test_(test_name) {
        fake_.registry.create_key(platform::Root::current_user, key_);
        fake_.files.add_folder(folder_);
        fake_.files.add_file(kChildProgram, "MZ");
    }

    platform::Platform& os() override { return fake_.os; }
    std::string scratch_key() override { return key_; }
    std::string scratch_class() override { return class_; }
    std::string scratch_folder() override { return folder_; }

    std::string version_file() override {
        const std::string path = folder_ + "\\versioned.exe";
        fake_.files.add_file(path, "MZ").version = contract_version_block();
        return path;
    }

    std::string string_file() override {
        const std::string path = folder_ + "\\strings.exe";
        fake_.files.add_file(path, "MZ");
        fake_.registry.string_resources[path + ",686"] = "Never";  // the program's text the suites read
        return path;
    }

    std::string long_named_folder() override {
        const std::string path = folder_ + "\\A Folder With A Long Name";
        fake_.files.add_folder(path);
        // The alias has the form Wine gives (a hashed 8.3 name) but is made up here.
        fake_.files.add_short_name(path, "C:\\SXCO~QX4\\SHORT~1\\AFOL~K2D");
        return path;
    }

    void hold_open_unshared(const std::string& path) override {
        fake_.files.add_file(path, fake_.files.content(path)).locked = true;
    }

    uint32_t start_child() override { return fake_.processes.start(std::string(kChildProgram)); }
    std::string child_program() override { return std::string(kChildProgram); }
    bool child_ended(uint32_t pid) override { return !fake_.processes.running(pid); }

    std::string scratch_service() override {
        const std::string name = "SxContract." + test_;
        fake_.services.add(name, "Sentrix Contract " + test_);
        const std::string key = "SYSTEM\\CurrentControlSet\\Services\\" + name;
        fake_.registry.put_dword(platform::Root::local_machine, key, "Start", platform::service_start::manual);
        fake_.registry.put_text(platform::Root::local_machine, key, "ImagePath", "C:\\sxcontract\\service.exe");
        return name;
    }

    std::string scratch_work_item(const std::string& application) override {
        platform::WorkItem item;
        item.application = application;
        std::string plain = "SxContract_" + test_;
        for (char& c : plain) c = c == '.' ? '_' : c;
        fake_.scheduler.items.emplace_back(plain + ".job", item);
        return fake_.scheduler.items.back().first;
    }

    std::string scratch_task(const std::string& application) override {
        fake_.scheduler.registered.push_back({"\\SxContract\\" + test_, true, {application}, platform::LocalTime{},
                                              platform::LocalTime{}, platform::task_state::ready, "Contract task"});
        return fake_.scheduler.registered.back().path;
    }

    void forget_reboot_operations() override { fake_.files.reboot_deletions.clear(); }

private:
    fake::FakePlatform fake_;
    std::string key_;
    std::string class_;
    std::string folder_;
    std::string test_;
};

}  // namespace

std::unique_ptr<Env> make_env(const std::string& test_name) { return std::make_unique<FakeEnv>(test_name); }

}  // namespace sx::contract
