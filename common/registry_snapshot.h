// Registry keys read ahead, off the UI thread, for a list fill. While a snapshot is held, reading
// one of its keys costs no round trip: a fill that enumerates thousands of values then leaves the
// window free to answer. A key's values are handed over once (a fill lists them once) and the key
// is read from the registry after that; anything written through this registry drops the keys it
// touches, so a fill that changes what it reads (an entry switched off again) sees its own change.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace sx {

struct RegistryKey {
    platform::Root root;
    std::string path;
};

class SnapshotRegistry final : public platform::Registry {
public:
    struct Entry {
        RegistryKey key;
        platform::RegStatus status = platform::RegStatus::failed;
        std::vector<platform::RegValue> values;
    };
    using Snapshot = std::vector<Entry>;

    explicit SnapshotRegistry(platform::Registry& real) : real_(real) {}

    // The registry underneath, for reading ahead.
    platform::Registry& real() { return real_; }
    // The values of `keys` as `registry` gives them; runs on any thread when `registry` may.
    static Snapshot read(platform::Registry& registry, const std::vector<RegistryKey>& keys);
    void hold(Snapshot snapshot) { held_ = std::move(snapshot); }
    void release() { held_.clear(); }

    platform::RegStatus open(platform::Root root, std::string_view path) override;
    platform::RegStatus create_key(platform::Root root, std::string_view path) override;
    platform::RegStatus query(platform::Root root, std::string_view path, std::string_view name,
                              platform::RegValue& out) override;
    platform::RegStatus set(platform::Root root, std::string_view path, std::string_view name, uint32_t type,
                            std::string_view data) override;
    platform::RegStatus remove_value(platform::Root root, std::string_view path, std::string_view name) override;
    platform::RegStatus remove_key(platform::Root root, std::string_view path) override;
    platform::RegStatus values(platform::Root root, std::string_view path,
                               std::vector<platform::RegValue>& out) override;
    platform::RegStatus subkeys(platform::Root root, std::string_view path, std::vector<std::string>& out) override;
    std::optional<std::string> indirect_text(platform::Root root, std::string_view path, std::string_view name) override;

private:
    Entry* held(platform::Root root, std::string_view path);
    // Forgets the key (and, for a removed key, every key below it).
    void drop(platform::Root root, std::string_view path, bool below);

    platform::Registry& real_;
    Snapshot held_;
};

}  // namespace sx
