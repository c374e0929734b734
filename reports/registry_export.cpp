#include "reports/registry_export.h"

#include "common/text.h"

namespace sx::reports {

namespace {

namespace type = platform::reg_type;

// Deeper than the registry allows keys to nest.
constexpr int kDeepest = 512;
// Hex data wraps before this column, as the registry editor wraps it.
constexpr size_t kWrapColumn = 77;

std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out;
}

std::string quoted_name(std::string_view name) { return name.empty() ? "@" : "\"" + escaped(name) + "\""; }

// A text that reads back as itself from a quoted string: one terminating zero at most, and no control
// character (a line break would end the line).
bool plain_text(std::string_view data) {
    if (!data.empty() && data.back() == '\0') data.remove_suffix(1);
    for (char c : data) {
        if (static_cast<unsigned char>(c) < 0x20) return false;
    }
    return true;
}

std::string hex_line(std::string prefix, std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = std::move(prefix);
    size_t column = out.size();
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out += kHex[b >> 4];
        out += kHex[b & 0xF];
        column += 2;
        if (i + 1 == bytes.size()) break;
        out += ',';
        ++column;
        if (column >= kWrapColumn) {
            out += "\\\r\n  ";
            column = 2;
        }
    }
    return out + "\r\n";
}

}  // namespace

std::string utf16_bytes(std::string_view data, const ToUtf16& to_utf16) {
    std::string out;
    for (char16_t c : to_utf16(data)) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

namespace {

void gather(platform::Registry& registry, platform::Root root, const std::string& path, int depth,
            std::vector<ExportKey>& out) {
    // A key that is not there has nothing to lose; one that cannot be read would leave the export short.
    const auto readable = [](platform::RegStatus status) {
        return status == platform::RegStatus::ok || status == platform::RegStatus::not_found;
    };
    ExportKey key{root, path, depth, false, true, {}};
    const platform::RegStatus values = registry.values(root, path, key.values);
    key.opened = values == platform::RegStatus::ok;
    key.complete = readable(values);
    out.push_back(std::move(key));
    std::vector<std::string> subkeys;
    if (depth >= kDeepest) return;
    const platform::RegStatus listed = registry.subkeys(root, path, subkeys);
    if (!readable(listed)) out.back().complete = false;
    for (const std::string& name : subkeys) gather(registry, root, path + "\\" + name, depth + 1, out);
}

}  // namespace

std::vector<ExportKey> GatherExportKey(platform::Registry& registry, platform::Root root, std::string_view path) {
    std::vector<ExportKey> keys;
    gather(registry, root, std::string(path), 0, keys);
    return keys;
}

std::string root_name(platform::Root root) {
    switch (root) {
        case platform::Root::classes_root: return "HKEY_CLASSES_ROOT";
        case platform::Root::current_user: return "HKEY_CURRENT_USER";
        default: return "HKEY_LOCAL_MACHINE";
    }
}

std::string export_value_line(const platform::RegValue& value, const ToUtf16& to_utf16) {
    const std::string name = quoted_name(value.name) + "=";
    const std::string_view data = value.data;
    switch (value.type) {
        case type::sz:
            if (plain_text(data)) return name + "\"" + escaped(until_zero(data)) + "\"\r\n";
            return hex_line(name + "hex(1):", utf16_bytes(data, to_utf16));
        case type::expand_sz: return hex_line(name + "hex(2):", utf16_bytes(data, to_utf16));
        case type::multi_sz: return hex_line(name + "hex(7):", utf16_bytes(data, to_utf16));
        case type::binary: return hex_line(name + "hex:", data);
        case type::dword:
            if (data.size() == 4) {
                uint32_t number = 0;
                for (size_t i = 0; i < 4; ++i) number |= static_cast<uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
                return name + format("dword:%08x\r\n", number);
            }
            [[fallthrough]];
        default: return hex_line(name + format("hex(%x):", value.type), data);
    }
}

std::string registry_file_bytes(std::string_view text, const ToUtf16& to_utf16) {
    return "\xff\xfe" + utf16_bytes(text, to_utf16);
}

std::string registry_export_text(const std::vector<ExportKey>& keys, const ToUtf16& to_utf16) {
    std::string out = std::string(kRegistryHeader) + "\r\n\r\n";
    for (const ExportKey& key : keys) {
        if (key.depth > 0) out += "\r\n";
        out += "[" + root_name(key.root) + "\\" + key.path + "]\r\n";
        for (const platform::RegValue& value : key.values) out += export_value_line(value, to_utf16);
    }
    return out;
}

}  // namespace sx::reports
