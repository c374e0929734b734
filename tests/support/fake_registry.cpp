#include "tests/support/fake_registry.h"

#include <algorithm>
#include <cctype>

namespace sx::fake {

using platform::RegStatus;
using platform::RegValue;
using platform::Root;

namespace {

// The ANSI calls convert a key path in a buffer of this many characters; Wine refuses longer paths
// (ERROR_MORE_DATA), which the adapter reports as `failed`.
constexpr size_t kAnsiPathMax = 260;

bool too_long(std::string_view path) { return path.size() > kAnsiPathMax; }

char fold(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::vector<std::string> split_path(std::string_view path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty()) parts.push_back(std::move(part));
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(std::move(part));
    return parts;
}

bool is_text(uint32_t type) {
    return type == platform::reg_type::sz || type == platform::reg_type::expand_sz ||
           type == platform::reg_type::multi_sz;
}

}  // namespace

bool NoCaseLess::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return fold(x) < fold(y); });
}

FakeRegistry::FakeRegistry() {
    // The keys every prefix has, so code that creates values below them behaves as on Wine.
    make(Root::local_machine, "Software\\Classes");
    make(Root::local_machine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    make(Root::current_user, "Software\\Microsoft\\Windows\\CurrentVersion\\Run");
}

bool FakeRegistry::fail(const char* op, std::string_view path) { return faults.should_fail(op, path); }

FakeRegistry::Key* FakeRegistry::find(Root root, std::string_view path, Key** parent, std::string* leaf) {
    std::vector<std::string> parts = split_path(path);
    Key* key = root == Root::current_user ? &user_ : &machine_;
    if (root == Root::classes_root) {
        parts.insert(parts.begin(), {"Software", "Classes"});
    }
    Key* above = nullptr;
    for (const std::string& part : parts) {
        auto it = key->subkeys.find(part);
        if (it == key->subkeys.end()) return nullptr;
        above = key;
        key = it->second.get();
    }
    if (parent) *parent = above;
    if (leaf) *leaf = parts.empty() ? std::string() : parts.back();
    return key;
}

FakeRegistry::Key* FakeRegistry::make(Root root, std::string_view path) {
    std::vector<std::string> parts = split_path(path);
    Key* key = root == Root::current_user ? &user_ : &machine_;
    if (root == Root::classes_root) parts.insert(parts.begin(), {"Software", "Classes"});
    for (const std::string& part : parts) {
        auto& slot = key->subkeys[part];
        if (!slot) {
            slot = std::make_unique<Key>();
            slot->name = part;
        }
        key = slot.get();
    }
    return key;
}

RegStatus FakeRegistry::open(Root root, std::string_view path) {
    if (fail("registry.open", path)) return RegStatus::access_denied;
    if (too_long(path)) return RegStatus::failed;
    return find(root, path) ? RegStatus::ok : RegStatus::not_found;
}

RegStatus FakeRegistry::create_key(Root root, std::string_view path) {
    if (fail("registry.create_key", path)) return RegStatus::access_denied;
    if (too_long(path)) return RegStatus::failed;
    make(root, path);
    return RegStatus::ok;
}

RegStatus FakeRegistry::query(Root root, std::string_view path, std::string_view name, RegValue& out) {
    if (fail("registry.query", path)) return RegStatus::access_denied;
    if (too_long(path)) return RegStatus::failed;
    Key* key = find(root, path);
    if (!key) return RegStatus::not_found;
    auto it = key->values.find(std::string(name));
    if (it == key->values.end()) return RegStatus::not_found;
    out = it->second;
    if (is_text(out.type) && (out.data.empty() || out.data.back() != '\0')) out.data += '\0';
    return RegStatus::ok;
}

RegStatus FakeRegistry::set(Root root, std::string_view path, std::string_view name, uint32_t type,
                            std::string_view data) {
    if (fail("registry.set", std::string(path) + "\\" + std::string(name))) return RegStatus::access_denied;
    if (too_long(path)) return RegStatus::failed;
    Key* key = find(root, path);
    if (!key) return RegStatus::not_found;
    RegValue& value = key->values[std::string(name)];
    if (value.name.empty()) value.name = std::string(name);
    value.type = type;
    value.data = std::string(data);
    return RegStatus::ok;
}

RegStatus FakeRegistry::remove_value(Root root, std::string_view path, std::string_view name) {
    if (fail("registry.remove_value", std::string(path) + "\\" + std::string(name))) {
        return RegStatus::access_denied;
    }
    if (too_long(path)) return RegStatus::failed;
    Key* key = find(root, path);
    if (!key) return RegStatus::not_found;
    return key->values.erase(std::string(name)) ? RegStatus::ok : RegStatus::not_found;
}

RegStatus FakeRegistry::remove_key(Root root, std::string_view path) {
    if (fail("registry.remove_key", path)) return RegStatus::access_denied;
    if (too_long(path)) return RegStatus::failed;
    Key* parent = nullptr;
    std::string leaf;
    Key* key = find(root, path, &parent, &leaf);
    if (!key) return RegStatus::not_found;
    if (!parent) return RegStatus::access_denied;  // a root key
    if (!key->subkeys.empty()) return RegStatus::access_denied;
    parent->subkeys.erase(leaf);
    return RegStatus::ok;
}

RegStatus FakeRegistry::values(Root root, std::string_view path, std::vector<RegValue>& out) {
    out.clear();
    if (fail("registry.values", path)) return RegStatus::access_denied;
    if (too_long(path)) return RegStatus::failed;
    Key* key = find(root, path);
    if (!key) return RegStatus::not_found;
    for (const auto& [unused, value] : key->values) {
        RegValue copy = value;
        if (is_text(copy.type) && (copy.data.empty() || copy.data.back() != '\0')) copy.data += '\0';
        out.push_back(std::move(copy));
    }
    return RegStatus::ok;
}

RegStatus FakeRegistry::subkeys(Root root, std::string_view path, std::vector<std::string>& out) {
    out.clear();
    if (fail("registry.subkeys", path)) return RegStatus::access_denied;
    if (too_long(path)) return RegStatus::failed;
    Key* key = find(root, path);
    if (!key) return RegStatus::not_found;
    for (const auto& [unused, sub] : key->subkeys) out.push_back(sub->name);
    return RegStatus::ok;
}

void FakeRegistry::put_text(Root root, std::string_view path, std::string_view name, std::string_view text,
                            uint32_t type) {
    RegValue& value = make(root, path)->values[std::string(name)];
    value.name = std::string(name);
    value.type = type;
    value.data = std::string(text) + '\0';
}

void FakeRegistry::put_dword(Root root, std::string_view path, std::string_view name, uint32_t v) {
    RegValue& value = make(root, path)->values[std::string(name)];
    value.name = std::string(name);
    value.type = platform::reg_type::dword;
    value.data = std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                             static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
}

std::string FakeRegistry::text(Root root, std::string_view path, std::string_view name) {
    Key* key = find(root, path);
    if (!key) return {};
    auto it = key->values.find(std::string(name));
    if (it == key->values.end()) return {};
    const std::string& data = it->second.data;
    return data.substr(0, data.find('\0'));
}

bool FakeRegistry::has_value(Root root, std::string_view path, std::string_view name) {
    Key* key = find(root, path);
    return key && key->values.count(std::string(name));
}

bool FakeRegistry::has_key(Root root, std::string_view path) { return find(root, path) != nullptr; }

void FakeRegistry::dump_key(const Key& key, const std::string& path, std::vector<std::string>& out) {
    for (const auto& [unused, value] : key.values) out.push_back(path + "\\" + value.name + "=" + value.data);
    for (const auto& [unused, sub] : key.subkeys) dump_key(*sub, path + "\\" + sub->name, out);
}

std::vector<std::string> FakeRegistry::dump(Root root) {
    std::vector<std::string> out;
    dump_key(root == Root::current_user ? user_ : machine_, "", out);
    return out;
}

}  // namespace sx::fake
