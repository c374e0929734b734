// The settings export: the program's keys with every value and every subkey level, in the text form
// the registry editor reads back to the same types and bytes ("Windows Registry Editor Version 5.00").
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace sx::reports {

inline constexpr std::string_view kRegistryHeader = "Windows Registry Editor Version 5.00";
inline constexpr std::string_view kSettingsExportSuffix = "-Sentrix.reg";
inline constexpr size_t kUserNameMax = 227;

struct ExportKey {
    platform::Root root;
    std::string path;
    int depth = 0;       // 0 for a key asked for, 1 for its subkeys and so on
    bool opened = false;
    bool complete = true;  // false when its values or subkeys could not be read

    std::vector<platform::RegValue> values;
};

// The key, then each of its subkeys with theirs, depth first, in the order the registry lists them.
std::vector<ExportKey> GatherExportKey(platform::Registry& registry, platform::Root root, std::string_view path);

using ToUtf16 = std::function<std::u16string(std::string_view)>;
std::string root_name(platform::Root root);
// One value line: a text as a quoted string when it holds no control character, else each type as
// the registry editor writes it (dword:, hex:, hex(1):, hex(2):, hex(7):, hex(N):). Text types in
// their UTF-16 form, as the editor's version 5 files hold them.
std::string export_value_line(const platform::RegValue& value, const ToUtf16& to_utf16);
// The header line, a blank line, then every key block.
std::string registry_export_text(const std::vector<ExportKey>& keys, const ToUtf16& to_utf16);
// The file as a version 5 file is kept: UTF-16 with its byte-order mark. The registry editor reads the
// hex(1), hex(2) and hex(7) data of a single-byte file as single-byte text on Wine but as UTF-16 on
// Windows; in UTF-16 both read back the same types and bytes.
std::string registry_file_bytes(std::string_view text, const ToUtf16& to_utf16);

}  // namespace sx::reports
