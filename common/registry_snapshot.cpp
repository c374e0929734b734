#include "common/registry_snapshot.h"

#include <algorithm>

#include "common/text.h"

namespace sx {

using platform::RegStatus;
using platform::RegValue;
using platform::Root;

SnapshotRegistry::Snapshot SnapshotRegistry::read(platform::Registry& registry, const std::vector<RegistryKey>& keys) {
    Snapshot snapshot;
    snapshot.reserve(keys.size());
    for (const RegistryKey& key : keys) {
        Entry entry{key, RegStatus::failed, {}};
        entry.status = registry.values(key.root, key.path, entry.values);
        snapshot.push_back(std::move(entry));
    }
    return snapshot;
}

SnapshotRegistry::Entry* SnapshotRegistry::held(Root root, std::string_view path) {
    for (Entry& e : held_) {
        if (e.key.root == root && iequals(e.key.path, path)) return &e;
    }
    return nullptr;
}

void SnapshotRegistry::drop(Root root, std::string_view path, bool below) {
    std::erase_if(held_, [&](const Entry& e) {
        if (e.key.root != root) return false;
        if (iequals(e.key.path, path)) return true;
        return below && e.key.path.size() > path.size() && e.key.path[path.size()] == '\\' &&
               iequals(std::string_view(e.key.path).substr(0, path.size()), path);
    });
}

RegStatus SnapshotRegistry::open(Root root, std::string_view path) {
    Entry* e = held(root, path);
    return e ? e->status : real_.open(root, path);
}

RegStatus SnapshotRegistry::create_key(Root root, std::string_view path) {
    drop(root, path, false);
    return real_.create_key(root, path);
}

RegStatus SnapshotRegistry::query(Root root, std::string_view path, std::string_view name, RegValue& out) {
    Entry* e = held(root, path);
    if (!e) return real_.query(root, path, name, out);
    if (e->status != RegStatus::ok) return e->status;
    for (const RegValue& value : e->values) {
        if (iequals(value.name, name)) {
            out = value;
            return RegStatus::ok;
        }
    }
    return RegStatus::not_found;
}

RegStatus SnapshotRegistry::set(Root root, std::string_view path, std::string_view name, uint32_t type,
                                std::string_view data) {
    drop(root, path, false);
    return real_.set(root, path, name, type, data);
}

RegStatus SnapshotRegistry::remove_value(Root root, std::string_view path, std::string_view name) {
    drop(root, path, false);
    return real_.remove_value(root, path, name);
}

RegStatus SnapshotRegistry::remove_key(Root root, std::string_view path) {
    drop(root, path, true);
    return real_.remove_key(root, path);
}

RegStatus SnapshotRegistry::values(Root root, std::string_view path, std::vector<RegValue>& out) {
    Entry* e = held(root, path);
    if (!e) return real_.values(root, path, out);
    // A fill lists a key's values once: they are handed over, not copied, and the key is read from
    // the registry again after that.
    const RegStatus status = e->status;
    out = status == RegStatus::ok ? std::move(e->values) : std::vector<RegValue>{};
    drop(root, path, false);
    return status;
}

RegStatus SnapshotRegistry::subkeys(Root root, std::string_view path, std::vector<std::string>& out) {
    return real_.subkeys(root, path, out);
}

std::optional<std::string> SnapshotRegistry::indirect_text(Root root, std::string_view path, std::string_view name) {
    return real_.indirect_text(root, path, name);
}

}  // namespace sx
