// An in-memory registry that behaves like the Win32 adapter under Wine (the contract suite checks
// this): case-insensitive names, values and subkeys enumerated in case-insensitive order with the
// default value first, HKEY_CLASSES_ROOT as a view of HKLM\Software\Classes, text values read back
// with a terminating zero, key paths of more than 260 characters refused as `failed`.
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/text.h"
#include "platform/registry.h"
#include "tests/support/fault_plan.h"

namespace sx::fake {

struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const { return icompare(a, b) < 0; }
};

class FakeRegistry : public platform::Registry {
public:
    FakeRegistry();

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

    // Test conveniences: create the key when missing and store a text (with its zero) or a DWORD.
    void put_text(platform::Root root, std::string_view path, std::string_view name, std::string_view text,
                  uint32_t type = platform::reg_type::sz);
    void put_dword(platform::Root root, std::string_view path, std::string_view name, uint32_t value);
    // The text of a value without its terminating zero; empty when missing.
    std::string text(platform::Root root, std::string_view path, std::string_view name);
    bool has_value(platform::Root root, std::string_view path, std::string_view name);
    bool has_key(platform::Root root, std::string_view path);

    FaultPlan faults;
    // The string tables of files, for indirect texts: by the file's path (environment variables
    // replaced by `expand`) and the string's number, as "C:\\x.dll,101".
    std::map<std::string, std::string, NoCaseLess> string_resources;
    std::function<std::string(std::string_view)> expand = [](std::string_view text) { return std::string(text); };

private:
    struct Key {
        std::map<std::string, platform::RegValue, NoCaseLess> values;
        std::map<std::string, std::unique_ptr<Key>, NoCaseLess> subkeys;
        std::string name;
    };
    // The key at `path`; with `create`, missing keys on the way are made. `parent` gets the key above it.
    Key* find(platform::Root root, std::string_view path, bool create = false, Key** parent = nullptr);
    // A planned fault (on `subject`, the path by default), or a key path longer than the ANSI calls take.
    std::optional<platform::RegStatus> refused(const char* op, std::string_view path, std::string_view subject = {});
    platform::RegValue* value(platform::Root root, std::string_view path, std::string_view name);
    void put(platform::Root root, std::string_view path, std::string_view name, uint32_t type, std::string data);

    Key machine_;
    Key user_;
};

}  // namespace sx::fake
