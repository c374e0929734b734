#include "tests/support/startup_scenario.h"

#include "programinfo/version_block.h"

namespace sx::fake {

namespace {

std::u16string widen(std::string_view text) {
    std::u16string out;
    for (char c : text) out += static_cast<char16_t>(static_cast<unsigned char>(c));
    return out;
}

}  // namespace

std::string version_block(const VersionInfo& info) {
    programinfo::VersionStringTable table;
    table.key = "040904E4";
    const std::pair<const char*, const std::string*> names[] = {
        {"ProductName", &info.product},      {"ProductVersion", &info.version},
        {"CompanyName", &info.company},      {"FileDescription", &info.description},
        {"LegalCopyright", &info.copyright},
    };
    for (const auto& [name, text] : names) {
        if (!text->empty()) table.strings.emplace_back(name, widen(*text));
    }
    return programinfo::make_version_block({{0x409, 1252}}, {table});
}

void StartupScenario::program(std::string_view path, const VersionInfo& info) {
    FakeFiles::Node& node = fake_.files.add_file(path, "MZ");
    if (!info.product.empty() || !info.company.empty() || !info.description.empty()) {
        node.version = version_block(info);
    }
}

void StartupScenario::run_value(platform::Root root, std::string_view key, std::string_view name,
                                std::string_view data, uint32_t type) {
    fake_.registry.put_text(root, key, name, data, type);
}

void StartupScenario::shortcut(std::string_view path, std::string_view target, std::string_view description) {
    fake_.files.add_folder(std::string(path.substr(0, path.rfind('\\'))));
    platform::Shortcut link;
    link.target = std::string(target);
    link.description = std::string(description);
    fake_.shell.save_shortcut(path, link);
}

void StartupScenario::shell_folders() {
    constexpr std::string_view key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    fake_.registry.put_text(platform::Root::current_user, key, "Startup", kUserStartup);
    fake_.registry.put_text(platform::Root::current_user, key, "AppData", "C:\\users\\root\\AppData\\Roaming");
    fake_.registry.put_text(platform::Root::local_machine, key, "Common Startup", kCommonStartup);
    fake_.files.add_folder(kUserStartup);
    fake_.files.add_folder(kCommonStartup);
    fake_.files.add_folder("C:\\Program Files\\Sentrix");
}

void StartupScenario::win_ini(std::string_view key, std::string_view line) {
    fake_.profile.write({}, "windows", key, line);
}

std::string StartupScenario::win_ini(std::string_view key) { return fake_.profile.read({}, "windows", key, 32768); }

void StartupScenario::clsid(std::string_view class_id, std::string_view name, std::string_view server) {
    const std::string key = "CLSID\\" + std::string(class_id);
    fake_.registry.put_text(platform::Root::classes_root, key, "", name);
    fake_.registry.put_text(platform::Root::classes_root, key + "\\InprocServer32", "", server);
}

}  // namespace sx::fake
