// What a list fill reads from a program file without loading it is what the system's loader finds:
// the version resource, and the icon the system picks for the small size from the first icon group.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/win32_files.h"
#include "programinfo/icon_image.h"
#include "tools/demo/demo_system.h"

namespace sx {
namespace {

std::optional<std::string> loaded_resource(HMODULE module, LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(module, name, type);
    HGLOBAL data = found ? LoadResource(module, found) : nullptr;
    if (!data) return std::nullopt;
    return std::string(static_cast<const char*>(LockResource(data)), SizeofResource(module, found));
}

platform::ProgramResources as_the_loader_finds(const std::string& path) {
    platform::ProgramResources found;
    win32::UniqueModule module(
        LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module) return found;
    found.version = loaded_resource(module.get(), MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
    std::string group;
    EnumResourceNamesA(
        module.get(), RT_GROUP_ICON,
        [](HMODULE m, LPCSTR, LPSTR name, LONG_PTR out) -> BOOL {
            *reinterpret_cast<std::string*>(out) = loaded_resource(m, name, RT_GROUP_ICON).value_or(std::string());
            return FALSE;
        },
        reinterpret_cast<LONG_PTR>(&group));
    if (group.empty()) return found;
    const int id = LookupIconIdFromDirectoryEx(reinterpret_cast<PBYTE>(group.data()), TRUE,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                               LR_DEFAULTCOLOR);
    found.icon = loaded_resource(module.get(), MAKEINTRESOURCEA(id), RT_ICON).value_or(std::string());
    return found;
}

TEST(ProgramResources, AreWhatTheLoaderFindsInEveryDemoBinary) {
    const std::string folder = demo::default_bins_folder();
    ASSERT_FALSE(folder.empty());
    win32::Win32Files files;
    int compared = 0, with_icon = 0;
    WIN32_FIND_DATAA entry{};
    win32::UniqueFind find(FindFirstFileA((folder + "\\*.*").c_str(), &entry));
    ASSERT_TRUE(find);
    do {
        const std::string name = entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::string path = folder + "\\" + name;
        SCOPED_TRACE(name);
        const platform::ProgramResources expected = as_the_loader_finds(path);
        const platform::ProgramResources read = files.program_resources(path, 0);
        EXPECT_EQ(read.version, expected.version);
        EXPECT_EQ(read.icon, expected.icon);
        if (!read.icon.empty()) {
            ++with_icon;
            EXPECT_TRUE(programinfo::decode_icon(read.icon, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON)));
        }
        ++compared;
    } while (FindNextFileA(find.get(), &entry));
    EXPECT_GE(compared, 15);
    EXPECT_GE(with_icon, 5) << "the demo programs with icons";
}

}  // namespace
}  // namespace sx
