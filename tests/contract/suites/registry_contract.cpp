// The registry as the program sees it: the adapter under Wine and FakeRegistry must agree on all of this.
#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/contract/contract_env.h"

namespace sx::contract {
namespace {

using platform::RegStatus;
using platform::RegValue;
using platform::Root;
namespace reg_type = platform::reg_type;

using RegistryContract = ContractTest;

constexpr Root kUser = Root::current_user;

std::vector<std::string> names_of(const std::vector<RegValue>& values) {
    std::vector<std::string> names;
    for (const RegValue& v : values) names.push_back(v.name);
    return names;
}

// What every call but create_key answers for `path`, in a fixed order.
std::vector<RegStatus> statuses(platform::Registry& reg, const std::string& path) {
    RegValue value;
    std::vector<RegValue> values;
    std::vector<std::string> subkeys;
    return {reg.open(kUser, path),       reg.query(kUser, path, "v", value),
            reg.set(kUser, path, "v", reg_type::sz, std::string("x", 2)),
            reg.remove_value(kUser, path, "v"), reg.values(kUser, path, values),
            reg.subkeys(kUser, path, subkeys),  reg.remove_key(kUser, path)};
}

// Each value reads back whole, by query and by enumeration, however long its name or data: text gains
// its terminating zero when stored without, expandable text stays unexpanded, the rest is exact.
TEST_F(RegistryContract, ValuesReadBackAsStored) {
    const std::string key = env().scratch_key();
    std::string big_text(3000, 'x');
    for (size_t i = 0; i < big_text.size(); ++i) big_text[i] = static_cast<char>('a' + i % 26);
    std::string big_binary(5000, '\0');
    for (size_t i = 0; i < big_binary.size(); ++i) big_binary[i] = static_cast<char>(i * 7);
    using TypeAndData = std::pair<uint32_t, std::string>;
    const std::tuple<std::string, uint32_t, std::string, std::string> kCases[] = {
        {"noterm", reg_type::sz, "abc", std::string("abc", 4)},
        {"term", reg_type::sz, std::string("abc", 4), std::string("abc", 4)},
        {"", reg_type::sz, std::string("dflt", 5), std::string("dflt", 5)},  // the default value
        {"expand", reg_type::expand_sz, "%SystemRoot%\\x.exe", std::string("%SystemRoot%\\x.exe") + '\0'},
        {"dword", reg_type::dword, "\x78\x56\x34\x12", "\x78\x56\x34\x12"},
        {"binary", reg_type::binary, std::string("\x01\x00\xff\x00\x02", 5), std::string("\x01\x00\xff\x00\x02", 5)},
        {"text", reg_type::sz, big_text + '\0', big_text + '\0'},
        {"big", reg_type::binary, big_binary, big_binary},
        {std::string(300, 'n'), reg_type::sz, std::string("x", 2), std::string("x", 2)},
    };
    std::map<std::string, TypeAndData> expected, queried, listed;
    for (const auto& [name, type, written, read] : kCases) {
        ASSERT_EQ(os().registry.set(kUser, key, name, type, written), RegStatus::ok) << name;
        expected[name] = {type, read};
    }
    for (const auto& [name, stored] : expected) {
        RegValue value;
        EXPECT_EQ(os().registry.query(kUser, key, name, value), RegStatus::ok) << name;
        queried[name] = {value.type, value.data};
    }
    std::vector<RegValue> all;
    ASSERT_EQ(os().registry.values(kUser, key, all), RegStatus::ok);
    for (const RegValue& v : all) listed[v.name] = {v.type, v.data};
    EXPECT_EQ(queried, expected);
    EXPECT_EQ(listed, expected);
    const std::string long_subkey(150, 'k');  // the whole path stays within 260 characters
    ASSERT_EQ(os().registry.create_key(kUser, key + "\\" + long_subkey), RegStatus::ok);
    std::vector<std::string> subkeys;
    ASSERT_EQ(os().registry.subkeys(kUser, key, subkeys), RegStatus::ok);
    EXPECT_EQ(subkeys, std::vector<std::string>{long_subkey});
}

// Names ignore case: a second set replaces type and data but keeps the first spelling.
TEST_F(RegistryContract, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
    const std::string key = env().scratch_key();
    ASSERT_EQ(os().registry.set(kUser, key, "MixedCase", reg_type::sz, std::string("one", 4)), RegStatus::ok);
    ASSERT_EQ(os().registry.set(kUser, key, "MIXEDCASE", reg_type::dword, std::string(4, '\x07')), RegStatus::ok);
    ASSERT_EQ(os().registry.set(kUser, key, "drop", reg_type::sz, std::string("d", 2)), RegStatus::ok);
    EXPECT_EQ(os().registry.remove_value(kUser, key, "DROP"), RegStatus::ok);
    EXPECT_EQ(os().registry.remove_value(kUser, key, "drop"), RegStatus::not_found);
    RegValue value;
    ASSERT_EQ(os().registry.query(kUser, key, "mixedcase", value), RegStatus::ok);
    EXPECT_EQ(value.type, reg_type::dword);
    EXPECT_EQ(value.data, std::string(4, '\x07'));
    std::vector<RegValue> all;
    ASSERT_EQ(os().registry.values(kUser, key, all), RegStatus::ok);
    EXPECT_EQ(names_of(all), std::vector<std::string>{"MixedCase"});
}

// Wine enumerates in this order (Windows in creation order); the fake copies Wine so fake tests see
// what Wine tests see. The program's logic must not depend on either order.
TEST_F(RegistryContract, EnumerationIsSortedCaseInsensitivelyDefaultFirstButLogicMustNotRelyOnIt) {
    const std::string key = env().scratch_key();
    for (const char* name : {"zeta", "alpha", "Mid", "beta", "", "noterm"}) {
        ASSERT_EQ(os().registry.set(kUser, key, name, reg_type::sz, std::string("v", 2)), RegStatus::ok);
    }
    for (const char* sub : {"b", "C", "a"}) ASSERT_EQ(os().registry.create_key(kUser, key + "\\" + sub), RegStatus::ok);
    std::vector<RegValue> values;
    ASSERT_EQ(os().registry.values(kUser, key, values), RegStatus::ok);
    EXPECT_EQ(names_of(values), (std::vector<std::string>{"", "alpha", "beta", "Mid", "noterm", "zeta"}));
    std::vector<std::string> subkeys;
    ASSERT_EQ(os().registry.subkeys(kUser, key, subkeys), RegStatus::ok);
    EXPECT_EQ(subkeys, (std::vector<std::string>{"a", "b", "C"}));
}

// The ANSI calls take key paths of at most 260 characters (Wine converts them in a buffer of that size);
// a longer path fails, whatever the call.
TEST_F(RegistryContract, KeyPathsLongerThan260CharactersFail) {
    std::string at_limit = env().scratch_key();
    while (at_limit.size() < 260) at_limit += "\\" + std::string(std::min<size_t>(100, 260 - at_limit.size() - 1), 'p');
    ASSERT_EQ(at_limit.size(), 260u);
    ASSERT_EQ(os().registry.create_key(kUser, at_limit), RegStatus::ok);
    ASSERT_EQ(os().registry.set(kUser, at_limit, "v", reg_type::sz, std::string("x", 2)), RegStatus::ok);
    EXPECT_EQ(os().registry.open(kUser, at_limit), RegStatus::ok);

    EXPECT_EQ(os().registry.create_key(kUser, at_limit + "\\q"), RegStatus::failed);
    EXPECT_EQ(statuses(os().registry, at_limit + "\\q"), std::vector<RegStatus>(7, RegStatus::failed));
    // The same key by a longer spelling is out of reach too.
    RegValue value;
    EXPECT_EQ(os().registry.query(kUser, at_limit + "\\", "v", value), RegStatus::failed);
}

// create_key makes the missing parents; remove_key takes a key with its values but refuses roots and
// keys that have subkeys. What is gone, or never was, is not found by any call.
TEST_F(RegistryContract, KeysAreCreatedWithTheirParentsAndRemovedOnlyWithoutSubkeys) {
    const std::string parent = env().scratch_key() + "\\a";
    ASSERT_EQ(os().registry.create_key(kUser, parent + "\\b\\c"), RegStatus::ok);
    EXPECT_EQ(os().registry.open(kUser, parent), RegStatus::ok);
    EXPECT_EQ(os().registry.open(kUser, parent + "\\B\\C"), RegStatus::ok) << "names ignore case";
    EXPECT_EQ(os().registry.create_key(kUser, parent + "\\b\\c"), RegStatus::ok) << "an existing key";
    ASSERT_EQ(os().registry.set(kUser, parent + "\\b", "v", reg_type::sz, std::string("x", 2)), RegStatus::ok);
    EXPECT_EQ(os().registry.remove_key(kUser, ""), RegStatus::access_denied);
    EXPECT_EQ(os().registry.remove_key(kUser, parent + "\\b"), RegStatus::access_denied);
    EXPECT_EQ(os().registry.open(kUser, parent + "\\b\\c"), RegStatus::ok) << "nothing was removed";
    EXPECT_EQ(os().registry.remove_key(kUser, parent + "\\b\\c"), RegStatus::ok);
    EXPECT_EQ(os().registry.remove_key(kUser, parent + "\\b"), RegStatus::ok);
    for (const char* gone : {"\\b", "\\b\\c\\deeper"}) {
        EXPECT_EQ(statuses(os().registry, parent + gone), std::vector<RegStatus>(7, RegStatus::not_found)) << gone;
    }
}

TEST_F(RegistryContract, MachineKeysAreApartFromTheUsersAndHoldTheClassesRoot) {
    const std::string key = env().scratch_key();
    ASSERT_EQ(os().registry.create_key(Root::local_machine, key), RegStatus::ok);
    ASSERT_EQ(os().registry.set(Root::local_machine, key, "v", reg_type::sz, std::string("m", 2)), RegStatus::ok);
    RegValue value;
    ASSERT_EQ(os().registry.query(Root::local_machine, key, "v", value), RegStatus::ok);
    EXPECT_EQ(value.data, std::string("m", 2));
    EXPECT_EQ(os().registry.query(kUser, key, "v", value), RegStatus::not_found);

    const std::string cls = env().scratch_class();
    const std::string machine_path = "Software\\Classes\\" + cls;
    ASSERT_EQ(os().registry.create_key(Root::local_machine, machine_path), RegStatus::ok);
    ASSERT_EQ(os().registry.set(Root::local_machine, machine_path, "", reg_type::sz, std::string("fromLM", 7)),
              RegStatus::ok);
    ASSERT_EQ(os().registry.query(Root::classes_root, cls, "", value), RegStatus::ok);
    EXPECT_EQ(value.data, std::string("fromLM", 7));

    // And a key created through the classes root lands below the machine's classes.
    ASSERT_EQ(os().registry.create_key(Root::classes_root, cls + "\\shell\\open"), RegStatus::ok);
    EXPECT_EQ(os().registry.open(Root::local_machine, machine_path + "\\shell\\open"), RegStatus::ok);
    std::vector<std::string> subkeys;
    ASSERT_EQ(os().registry.subkeys(Root::classes_root, cls, subkeys), RegStatus::ok);
    EXPECT_EQ(subkeys, std::vector<std::string>{"shell"});
}

// An indirect text is loaded from its file's string table (the file is read, never run); anything
// else gives nothing.
TEST_F(RegistryContract, IndirectTextsAreLoadedFromTheirFilesStringTable) {
    const std::string key = env().scratch_key(), file = env().string_file();
    ASSERT_EQ(file.substr(0, 2), "C:");
    const std::tuple<const char*, std::string, uint32_t, std::optional<std::string>> kCases[] = {
        {"plain", "@" + file + ",-686", reg_type::sz, "Never"},
        {"commented", "@" + file + ",-686;v1", reg_type::sz, "Never"},
        {"variable", "@%SystemDrive%" + file.substr(2) + ",-686", reg_type::expand_sz, "Never"},
        {"variable in text", "@%SystemDrive%" + file.substr(2) + ",-686", reg_type::sz, "Never"},
        {"no such string", "@" + file + ",-64999", reg_type::sz, std::nullopt},
        {"no such file", "@C:\\sxcontract\\none.dll,-686", reg_type::sz, std::nullopt},
        {"positive number", "@" + file + ",686", reg_type::sz, std::nullopt},
        {"not indirect", "Never", reg_type::sz, std::nullopt},
        {"binary", "@" + file + ",-686", reg_type::binary, std::nullopt},
    };
    for (const auto& [name, data, type, text] : kCases) {
        ASSERT_EQ(os().registry.set(kUser, key, name, type, data + '\0'), RegStatus::ok) << name;
        EXPECT_EQ(os().registry.indirect_text(kUser, key, name), text) << name;
    }
    EXPECT_EQ(os().registry.indirect_text(kUser, key, "missing"), std::nullopt);
    EXPECT_EQ(os().registry.indirect_text(kUser, key + "\\missing", "plain"), std::nullopt);
}

}  // namespace
}  // namespace sx::contract
