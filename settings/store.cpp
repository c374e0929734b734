#include "settings/store.h"

#include <array>
#include <optional>

#include "common/text.h"

namespace sx::settings {

using platform::RegStatus;
using platform::RegValue;

namespace {

// The longest key path delete_tree works with; deeper trees are left in place.
constexpr size_t kTreePathMax = 519;
constexpr size_t kSubkeyNameMax = 260;
constexpr size_t kExpandedMax = 1023;

std::string with_zero(std::string_view text) {
    std::string data(text);
    data += '\0';
    return data;
}

// A queried value as read_text reads it.
std::string value_text(platform::Platform& os, const RegValue& value, size_t size) {
    if (value.data.size() > kValueBuffer) return {};
    std::string text(until_zero(value.data));
    if (value.type == platform::reg_type::expand_sz) {
        text = os.system.expand(text);
        // An expansion that does not fit its buffer reads like any value that does not fit.
        if (text.size() > kExpandedMax) return {};
    }
    if (text.size() >= size) return {};
    return text;
}

}  // namespace

bool create_key(platform::Platform& os, Root root, std::string_view path) {
    return os.registry.create_key(root, path) == RegStatus::ok;
}

std::string read_text(platform::Platform& os, Root root, std::string_view path, std::string_view name,
                      size_t size) {
    RegValue value;
    if (os.registry.query(root, path, name, value) != RegStatus::ok) return {};
    return value_text(os, value, size);
}

std::string shown_text(platform::Platform& os, Root root, std::string_view path, std::string_view name,
                       std::string text) {
    if (text.empty() || text[0] != '@') return text;
    std::optional<std::string> loaded = os.registry.indirect_text(root, path, name);
    return loaded ? std::move(*loaded) : text;
}

bool KeyTexts::NoCaseLess::operator()(std::string_view a, std::string_view b) const { return icompare(a, b) < 0; }

KeyTexts::KeyTexts(platform::Platform& os, Root root, std::string_view path, size_t size) {
    std::vector<RegValue> values;
    if (os.registry.values(root, path, values) != RegStatus::ok) return;
    for (const RegValue& value : values) texts_.emplace(value.name, value_text(os, value, size));
}

std::string KeyTexts::text(std::string_view name) const {
    auto found = texts_.find(name);
    return found == texts_.end() ? std::string() : found->second;
}

bool write_text(platform::Platform& os, Root root, std::string_view path, std::string_view name,
                std::string_view text) {
    const std::string data = with_zero(text);
    if (os.registry.set(root, path, name, platform::reg_type::sz, data) == RegStatus::ok) return true;
    if (!create_key(os, root, path)) return false;
    return os.registry.set(root, path, name, platform::reg_type::sz, data) == RegStatus::ok;
}

bool write_dword(platform::Platform& os, Root root, std::string_view path, std::string_view name,
                 uint32_t value) {
    const std::string data{static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
                           static_cast<char>((value >> 16) & 0xFF), static_cast<char>((value >> 24) & 0xFF)};
    if (os.registry.set(root, path, name, platform::reg_type::dword, data) == RegStatus::ok) return true;
    if (!create_key(os, root, path)) return false;
    return os.registry.set(root, path, name, platform::reg_type::dword, data) == RegStatus::ok;
}

int read_word(platform::Platform& os, Root root, std::string_view path, std::string_view name) {
    RegValue value;
    if (os.registry.query(root, path, name, value) != RegStatus::ok) return 0;
    if (value.data.size() > kValueBuffer) return 0;
    auto byte = [&](size_t i) -> int {
        return i < value.data.size() ? static_cast<int>(static_cast<signed char>(value.data[i])) : 0;
    };
    return 256 * byte(1) + byte(0);
}

bool delete_value(platform::Platform& os, Root root, std::string_view path, std::string_view name) {
    return os.registry.remove_value(root, path, name) == RegStatus::ok;
}

bool delete_tree(platform::Platform& os, Root root, std::string_view path) {
    if (path.size() > kTreePathMax) return false;
    if (os.registry.remove_key(root, path) == RegStatus::ok) return true;
    RegStatus opened = os.registry.open(root, path);
    if (opened != RegStatus::ok) return opened == RegStatus::not_found;

    std::string base(path);
    if (base.empty() || base.back() != '\\') base += '\\';
    for (;;) {
        std::vector<std::string> names;
        if (os.registry.subkeys(root, path, names) != RegStatus::ok || names.empty()) break;
        if (names.front().size() > kSubkeyNameMax) break;
        if (!delete_tree(os, root, base + names.front())) break;
    }
    return os.registry.remove_key(root, path) == RegStatus::ok;
}

int read_option(platform::Platform& os, std::string_view name, int fallback) {
    std::string text = read_text(os, Root::current_user, kOptionsKey, name, 128);
    if (text.empty()) return fallback;
    return to_int(text);
}

void reset_own_values(platform::Platform& os) {
    for (int n = 0; n <= 1165; ++n) {
        delete_value(os, Root::local_machine, kSentrixKey, format("LString%d", n));
    }
    static constexpr std::array<std::string_view, 28> kPositions = {
        "xPos",         "yPos",         "dxPos",           "dyPos",
        "xInfo",        "yInfo",        "dxInfo",          "dyInfo",
        "xDefaultWarning", "yDefaultWarning", "dxDefaultWarning", "dyDefaultWarning",
        "xPosAlert",    "yPosAlert",    "dxAlert",         "dyAlert",
        "xPosSysFiles", "yPosSysFiles", "dxSysFiles",      "dySysFiles",
        "xCookie",      "yCookie",      "dxCookie",        "dyCookie",
        "xPosAddFileType", "yPosAddFileType", "dxPosAddFileType", "dyPosAddFileType",
    };
    for (std::string_view name : kPositions) delete_value(os, Root::current_user, kSentrixKey, name);
}

}  // namespace sx::settings
