#include "reports/registry_export.h"

#include <optional>
#include <vector>

#include "common/text.h"
#include "programinfo/notes.h"
#include "programinfo/resolve.h"
#include "res/resource_ids.h"
#include "settings/store.h"
#include "settings/strings.h"

namespace sx::reports {

namespace {

using platform::Root;

constexpr std::string_view kLineEnd = "\r\n";
constexpr size_t kHexPerLine = 20;  // bytes of a hex value per line, as the registry editor writes them

std::string_view root_name(Root root) {
    switch (root) {
        case Root::classes_root: return "HKEY_CLASSES_ROOT";
        case Root::current_user: return "HKEY_CURRENT_USER";
        case Root::local_machine: break;
    }
    return "HKEY_LOCAL_MACHINE";
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

// The bytes as "hex:" (binary) or "hex(type):", continued over lines with "\" as the editor does.
std::string hex_data(uint32_t type, std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = type == platform::reg_type::binary ? "hex:" : format("hex(%x):", static_cast<unsigned>(type));
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out += kHex[byte >> 4];
        out += kHex[byte & 0xF];
        if (i + 1 < bytes.size()) {
            out += ',';
            if ((i + 1) % kHexPerLine == 0) out += "\\\r\n  ";
        }
    }
    return out;
}

// Files of this version hold the texts of expandable and multi-texts as UTF-16.
std::string as_utf16(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        out += c;
        out += '\0';
    }
    return out;
}

// False when the key or part of it could not be read: an export without it would lose settings.
bool append_key(platform::Platform& os, Root root, const std::string& path, std::string& out) {
    const platform::RegStatus opened = os.registry.open(root, path);
    if (opened == platform::RegStatus::not_found) return true;
    std::vector<platform::RegValue> values;
    std::vector<std::string> subkeys;
    if (opened != platform::RegStatus::ok || os.registry.values(root, path, values) != platform::RegStatus::ok ||
        os.registry.subkeys(root, path, subkeys) != platform::RegStatus::ok) {
        return false;
    }
    out += "[" + std::string(root_name(root)) + "\\" + path + "]" + std::string(kLineEnd);
    for (const platform::RegValue& value : values) out += registry_value_line(value);
    for (const std::string& name : subkeys) {
        out += kLineEnd;
        if (!append_key(os, root, path + "\\" + name, out)) return false;
    }
    return true;
}

}  // namespace

std::string registry_value_line(const platform::RegValue& value) {
    std::string line = value.name.empty() ? std::string("@") : quoted(value.name);
    line += '=';
    switch (value.type) {
        case platform::reg_type::sz: line += quoted(until_zero(value.data)); break;
        case platform::reg_type::dword:
            if (value.data.size() == 4) {
                uint32_t number = 0;
                for (size_t i = 0; i < 4; ++i) number |= static_cast<uint32_t>(static_cast<unsigned char>(value.data[i])) << (8 * i);
                line += format("dword:%08x", number);
                break;
            }
            line += hex_data(value.type, value.data);
            break;
        case platform::reg_type::expand_sz:
        case platform::reg_type::multi_sz: line += hex_data(value.type, as_utf16(value.data)); break;
        default: line += hex_data(value.type, value.data); break;
    }
    return line + std::string(kLineEnd);
}

std::optional<std::string> export_key(platform::Platform& os, Root root, std::string_view path) {
    std::string out;
    if (!append_key(os, root, std::string(path), out)) return std::nullopt;
    return out;
}

std::string settings_export_path(AppState& app) {
    std::string user = app.os.system.user_name();
    if (user.empty()) user = "Sentrix";
    return programinfo::user_data_folder(app.os) + "\\" + user + std::string(kExportSuffix);
}

int ExportSettings(AppState& app) {
    platform::Platform& os = app.os;
    const std::string path = settings_export_path(app);
    std::string content = std::string(kRegistryFileHeader) + std::string(kLineEnd) + std::string(kLineEnd);
    const std::optional<std::string> user = export_key(os, Root::current_user, settings::kSentrixKey);
    const std::optional<std::string> machine = export_key(os, Root::local_machine, "SOFTWARE\\Orvane");
    if (user) content += *user;
    if (machine && !machine->empty()) content += std::string(kLineEnd) + *machine;
    if (!user || !machine || !os.files.write(path, content)) {
        os.prompts.tell(fill_in(settings::load_string(app, IDS_EXPORT_FAILED), path), platform::Icon::exclamation);
        return 0;
    }
    os.prompts.tell(fill_in(settings::load_string(app, IDS_SETTINGS_EXPORTED), programinfo::long_path_form(os, path)),
                    platform::Icon::information);
    return 1;
}

}  // namespace sx::reports
