// The settings export read back by the registry editor: "regedit /s" imports it into a wiped tree,
// and every value comes back with its type and bytes, at every key level.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "common/state.h"
#include "platform/win32/win32_platform.h"
#include "programinfo/resolve.h"
#include "reports/output.h"
#include "reports/registry_export.h"
#include "settings/store.h"
#include "tests/support/fake_platform.h"

namespace sx::reports {
namespace {

using platform::Root;
namespace type = platform::reg_type;

// Every value below `path` as "key|name" -> type and bytes.
void snapshot(platform::Registry& reg, const std::string& path, std::map<std::string, std::string>& out) {
    std::vector<platform::RegValue> values;
    reg.values(Root::current_user, path, values);
    for (const platform::RegValue& v : values) out[path + "|" + v.name] = std::to_string(v.type) + ":" + v.data;
    std::vector<std::string> subkeys;
    reg.subkeys(Root::current_user, path, subkeys);
    for (const std::string& name : subkeys) snapshot(reg, path + "\\" + name, out);
}

TEST(SettingsExport, TheRegistryEditorReadsEveryValueBack) {
    fake::FakePrompts prompts;
    win32::Win32Platform real(prompts);
    AppState app(real.os());
    platform::Registry& reg = real.os().registry;
    const std::string base(settings::kSentrixKey), deep = base + "\\Delay\\Time\\Third";
    ASSERT_EQ(reg.create_key(Root::current_user, deep), platform::RegStatus::ok);
    const std::tuple<std::string, std::string, uint32_t, std::string> kValues[] = {
        {base, "", type::sz, std::string("C:\\Temp\0", 8)},
        {base, "Count", type::dword, std::string("\x2a\0\0\x80", 4)},
        {base, "Placement", type::binary, std::string("\x01\0\xff\x7f", 4)},
        {base, "Fonts", type::multi_sz, std::string("Arial\0Verdana \xe9\0\0", 16)},
        {base, "Long", type::sz, std::string(1000, 'L') + '\0'},
        {base + "\\Delay", "say \"hi\" \\ there", type::sz, std::string("\"C:\\a b\\x.exe\" -q\r\nnext \x80\0", 27)},
        {base + "\\Delay\\Time", "Folder", type::expand_sz, std::string("%AppData%\\Sentrix\0", 18)},
        {deep, "Deepest", type::sz, std::string("three levels\0", 13)},
    };
    for (const auto& [key, name, value_type, data] : kValues) {
        ASSERT_EQ(reg.set(Root::current_user, key, name, value_type, data), platform::RegStatus::ok) << name;
    }
    std::map<std::string, std::string> before, after;
    snapshot(reg, base, before);
    ASSERT_GE(before.size(), std::size(kValues));

    ASSERT_TRUE(ExportSettings(app));
    const std::string file = programinfo::own_folder(real.os()) + "\\" + real.os().system.user_name() + "-Sentrix.reg";
    ASSERT_TRUE(settings::delete_tree(real.os(), Root::current_user, base));

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string command = "C:\\windows\\regedit.exe /s \"" + file + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    DeleteFileA(file.c_str());

    snapshot(reg, base, after);
    EXPECT_EQ(after, before);
    settings::delete_tree(real.os(), Root::current_user, base);
}

}  // namespace
}  // namespace sx::reports
