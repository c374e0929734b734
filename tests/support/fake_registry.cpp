#include "tests/support/fake_registry.h"

namespace sx::fake {

using platform::RegStatus;
using platform::RegValue;
using platform::Root;

namespace {

// The ANSI calls convert a key path in a buffer of this many characters; Wine refuses longer paths
// (ERROR_MORE_DATA), which the adapter reports as `failed`.
constexpr size_t kAnsiPathMax = 260;

bool is_text(uint32_t type) {
    return type == platform::reg_type::sz || type == platform::reg_type::expand_sz ||
           type == platform::reg_type::multi_sz;
}

// As the ANSI calls read it back: a text value always ends in a zero.
RegValue as_read(RegValue value) {
    if (is_text(value.type) && (value.data.empty() || value.data.back() != '\0')) value.data += '\0';
    return value;
}

}  // namespace

FakeRegistry::FakeRegistry() {
    // The keys every prefix has, so code that creates values below them behaves as on Wine.
    find(Root::local_machine, "Software\\Classes", true);
    find(Root::local_machine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", true);
    find(Root::current_user, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", true);
}

FakeRegistry::Key* FakeRegistry::find(Root root, std::string_view path, bool create, Key** parent) {
    Key* key = root == Root::current_user ? &user_ : &machine_;
    std::string rest = root == Root::classes_root ? "Software\\Classes\\" + std::string(path) : std::string(path);
    Key* above = nullptr;
    for (size_t start = 0; start < rest.size();) {
        const size_t end = std::min(rest.find('\\', start), rest.size());
        const std::string part = rest.substr(start, end - start);
        start = end + 1;
        if (part.empty()) continue;
        auto& slot = key->subkeys[part];
        if (!slot && !create) {
            key->subkeys.erase(part);
            return nullptr;
        }
        if (!slot) slot = std::make_unique<Key>(Key{{}, {}, part});
        above = key;
        key = slot.get();
    }
    if (parent) *parent = above;
    return key;
}

std::optional<RegStatus> FakeRegistry::refused(const char* op, std::string_view path, std::string_view subject) {
    if (faults.should_fail(op, subject.empty() ? path : subject)) return RegStatus::access_denied;
    if (path.size() > kAnsiPathMax) return RegStatus::failed;
    return std::nullopt;
}

RegValue* FakeRegistry::value(Root root, std::string_view path, std::string_view name) {
    Key* key = find(root, path);
    if (!key) return nullptr;
    auto it = key->values.find(std::string(name));
    return it == key->values.end() ? nullptr : &it->second;
}

RegStatus FakeRegistry::open(Root root, std::string_view path) {
    if (auto status = refused("registry.open", path)) return *status;
    return find(root, path) ? RegStatus::ok : RegStatus::not_found;
}

RegStatus FakeRegistry::create_key(Root root, std::string_view path) {
    if (auto status = refused("registry.create_key", path)) return *status;
    find(root, path, true);
    return RegStatus::ok;
}

RegStatus FakeRegistry::query(Root root, std::string_view path, std::string_view name, RegValue& out) {
    if (auto status = refused("registry.query", path)) return *status;
    RegValue* found = value(root, path, name);
    if (!found) return RegStatus::not_found;
    out = as_read(*found);
    return RegStatus::ok;
}

RegStatus FakeRegistry::set(Root root, std::string_view path, std::string_view name, uint32_t type,
                            std::string_view data) {
    if (auto status = refused("registry.set", path, std::string(path) + "\\" + std::string(name))) return *status;
    if (!find(root, path)) return RegStatus::not_found;
    put(root, path, name, type, std::string(data));
    return RegStatus::ok;
}

RegStatus FakeRegistry::remove_value(Root root, std::string_view path, std::string_view name) {
    if (auto status = refused("registry.remove_value", path, std::string(path) + "\\" + std::string(name))) return *status;
    Key* key = find(root, path);
    return key && key->values.erase(std::string(name)) ? RegStatus::ok : RegStatus::not_found;
}

RegStatus FakeRegistry::remove_key(Root root, std::string_view path) {
    if (auto status = refused("registry.remove_key", path)) return *status;
    Key* parent = nullptr;
    Key* key = find(root, path, false, &parent);
    if (!key) return RegStatus::not_found;
    // A root key, or one with subkeys, stays.
    if (!parent || !key->subkeys.empty()) return RegStatus::access_denied;
    parent->subkeys.erase(key->name);
    return RegStatus::ok;
}

RegStatus FakeRegistry::values(Root root, std::string_view path, std::vector<RegValue>& out) {
    out.clear();
    if (auto status = refused("registry.values", path)) return *status;
    Key* key = find(root, path);
    if (!key) return RegStatus::not_found;
    for (const auto& [unused, value] : key->values) out.push_back(as_read(value));
    return RegStatus::ok;
}

RegStatus FakeRegistry::subkeys(Root root, std::string_view path, std::vector<std::string>& out) {
    out.clear();
    if (auto status = refused("registry.subkeys", path)) return *status;
    Key* key = find(root, path);
    if (!key) return RegStatus::not_found;
    for (const auto& [unused, sub] : key->subkeys) out.push_back(sub->name);
    return RegStatus::ok;
}

// As RegLoadMUIStringW reads a value: "@" + file + ",-" + number, anything after a ";" left out.
std::optional<std::string> FakeRegistry::indirect_text(Root root, std::string_view path, std::string_view name) {
    const RegValue* found = refused("registry.indirect_text", path) ? nullptr : value(root, path, name);
    if (!found || (found->type != platform::reg_type::sz && found->type != platform::reg_type::expand_sz)) return {};
    std::string_view text = until_zero(found->data);
    text = text.substr(0, text.find(';'));
    const size_t comma = text.rfind(",-");
    const std::string_view number = comma == std::string_view::npos ? "" : text.substr(comma + 2);
    if (!text.starts_with('@') || number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos) {
        return {};
    }
    auto it = string_resources.find(expand(text.substr(1, comma - 1)) + "," + std::string(number));
    return it == string_resources.end() ? std::nullopt : std::optional<std::string>(it->second);
}

void FakeRegistry::put(Root root, std::string_view path, std::string_view name, uint32_t type, std::string data) {
    // The first spelling of a name stays, as on Wine.
    RegValue& value = find(root, path, true)->values[std::string(name)];
    if (value.name.empty()) value.name = std::string(name);
    value.type = type;
    value.data = std::move(data);
}

void FakeRegistry::put_text(Root root, std::string_view path, std::string_view name, std::string_view text,
                            uint32_t type) {
    put(root, path, name, type, std::string(text) + '\0');
}

void FakeRegistry::put_dword(Root root, std::string_view path, std::string_view name, uint32_t v) {
    put(root, path, name, platform::reg_type::dword,
        {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)});
}

std::string FakeRegistry::text(Root root, std::string_view path, std::string_view name) {
    RegValue* found = value(root, path, name);
    return found ? std::string(until_zero(found->data)) : std::string();
}

bool FakeRegistry::has_value(Root root, std::string_view path, std::string_view name) {
    return value(root, path, name) != nullptr;
}

bool FakeRegistry::has_key(Root root, std::string_view path) { return find(root, path) != nullptr; }

}  // namespace sx::fake
