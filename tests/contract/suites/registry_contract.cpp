// The registry as the program sees it: the adapter under Wine and FakeRegistry must agree on all of this.
#include <algorithm>
#include <string>
#include <vector>

#include "tests/contract/contract_env.h"

namespace sx::contract {
namespace {

using platform::RegStatus;
using platform::RegValue;
using platform::Root;
namespace reg_type = platform::reg_type;

using RegistryContract = ContractTest;

std::vector<std::string> names_of(const std::vector<RegValue>& values) {
    std::vector<std::string> names;
    for (const RegValue& v : values) names.push_back(v.name);
    return names;
}

TEST_F(RegistryContract, TextReadsBackWithTerminatingZeroEvenWhenStoredWithout) {
    const std::string key = env().scratch_key();
    ASSERT_EQ(os().registry.set(Root::current_user, key, "noterm", reg_type::sz, "abc"), RegStatus::ok);
    ASSERT_EQ(os().registry.set(Root::current_user, key, "term", reg_type::sz, std::string("abc", 4)),
              RegStatus::ok);
    ASSERT_EQ(os().registry.set(Root::current_user, key, "expand", reg_type::expand_sz, "%SystemRoot%\\x.exe"),
              RegStatus::ok);

    for (const char* name : {"noterm", "term"}) {
        RegValue value;
        ASSERT_EQ(os().registry.query(Root::current_user, key, name, value), RegStatus::ok) << name;
        EXPECT_EQ(value.type, reg_type::sz) << name;
        EXPECT_EQ(value.data, std::string("abc", 4)) << name;
    }
    RegValue expand;
    ASSERT_EQ(os().registry.query(Root::current_user, key, "expand", expand), RegStatus::ok);
    EXPECT_EQ(expand.type, reg_type::expand_sz);
    EXPECT_EQ(expand.data, std::string("%SystemRoot%\\x.exe") + '\0') << "stored unexpanded";

    std::vector<RegValue> all;
    ASSERT_EQ(os().registry.values(Root::current_user, key, all), RegStatus::ok);
    ASSERT_EQ(all.size(), 3u);
    for (const RegValue& v : all) {
        ASSERT_FALSE(v.data.empty()) << v.name;
        EXPECT_EQ(v.data.back(), '\0') << v.name;
    }
}

TEST_F(RegistryContract, DwordAndBinaryBytesReadBackExactly) {
    const std::string key = env().scratch_key();
    const std::string dword("\x78\x56\x34\x12", 4);  // 0x12345678, little-endian
    const std::string binary("\x01\x00\xff\x00\x02", 5);
    ASSERT_EQ(os().registry.set(Root::current_user, key, "dword", reg_type::dword, dword), RegStatus::ok);
    ASSERT_EQ(os().registry.set(Root::current_user, key, "binary", reg_type::binary, binary), RegStatus::ok);

    RegValue value;
    ASSERT_EQ(os().registry.query(Root::current_user, key, "dword", value), RegStatus::ok);
    EXPECT_EQ(value.type, reg_type::dword);
    EXPECT_EQ(value.data, dword);
    ASSERT_EQ(os().registry.query(Root::current_user, key, "binary", value), RegStatus::ok);
    EXPECT_EQ(value.type, reg_type::binary);
    EXPECT_EQ(value.data, binary);
}

TEST_F(RegistryContract, SetReplacesTypeAndDataAndKeepsTheFirstSpellingOfTheName) {
    const std::string key = env().scratch_key();
    ASSERT_EQ(os().registry.set(Root::current_user, key, "MixedCase", reg_type::sz, std::string("one", 4)),
              RegStatus::ok);
    ASSERT_EQ(os().registry.set(Root::current_user, key, "MIXEDCASE", reg_type::dword, std::string(4, '\x07')),
              RegStatus::ok);
    RegValue value;
    ASSERT_EQ(os().registry.query(Root::current_user, key, "mixedcase", value), RegStatus::ok);
    EXPECT_EQ(value.type, reg_type::dword);
    EXPECT_EQ(value.data, std::string(4, '\x07'));

    std::vector<RegValue> all;
    ASSERT_EQ(os().registry.values(Root::current_user, key, all), RegStatus::ok);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].name, "MixedCase");
}

TEST_F(RegistryContract, DefaultValueHasTheEmptyName) {
    const std::string key = env().scratch_key();
    ASSERT_EQ(os().registry.set(Root::current_user, key, "", reg_type::sz, std::string("dflt", 5)), RegStatus::ok);
    RegValue value;
    ASSERT_EQ(os().registry.query(Root::current_user, key, "", value), RegStatus::ok);
    EXPECT_EQ(value.data, std::string("dflt", 5));
    std::vector<RegValue> all;
    ASSERT_EQ(os().registry.values(Root::current_user, key, all), RegStatus::ok);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].name, "");
}

// Wine enumerates in this order (Windows in creation order); the fake copies Wine so fake tests see
// what Wine tests see. The program's logic must not depend on either order.
TEST_F(RegistryContract, EnumerationIsSortedCaseInsensitivelyDefaultFirstButLogicMustNotRelyOnIt) {
    const std::string key = env().scratch_key();
    for (const char* name : {"zeta", "alpha", "Mid", "beta", "", "noterm"}) {
        ASSERT_EQ(os().registry.set(Root::current_user, key, name, reg_type::sz, std::string("v", 2)), RegStatus::ok);
    }
    for (const char* sub : {"b", "C", "a"}) {
        ASSERT_EQ(os().registry.create_key(Root::current_user, key + "\\" + sub), RegStatus::ok);
    }
    std::vector<RegValue> values;
    ASSERT_EQ(os().registry.values(Root::current_user, key, values), RegStatus::ok);
    EXPECT_EQ(names_of(values), (std::vector<std::string>{"", "alpha", "beta", "Mid", "noterm", "zeta"}));
    std::vector<std::string> subkeys;
    ASSERT_EQ(os().registry.subkeys(Root::current_user, key, subkeys), RegStatus::ok);
    EXPECT_EQ(subkeys, (std::vector<std::string>{"a", "b", "C"}));
}

TEST_F(RegistryContract, LongDataAndLongNamesReadWhole) {
    const std::string key = env().scratch_key();
    std::string big_text(3000, 'x');
    for (size_t i = 0; i < big_text.size(); ++i) big_text[i] = static_cast<char>('a' + i % 26);
    big_text += '\0';
    std::string big_binary(5000, '\0');
    for (size_t i = 0; i < big_binary.size(); ++i) big_binary[i] = static_cast<char>(i * 7);
    const std::string long_name(300, 'n');
    const std::string long_subkey(150, 'k');  // the whole path stays within 260 characters

    ASSERT_EQ(os().registry.set(Root::current_user, key, "text", reg_type::sz, big_text), RegStatus::ok);
    ASSERT_EQ(os().registry.set(Root::current_user, key, "binary", reg_type::binary, big_binary), RegStatus::ok);
    ASSERT_EQ(os().registry.set(Root::current_user, key, long_name, reg_type::sz, std::string("x", 2)),
              RegStatus::ok);
    ASSERT_EQ(os().registry.create_key(Root::current_user, key + "\\" + long_subkey), RegStatus::ok);

    RegValue value;
    ASSERT_EQ(os().registry.query(Root::current_user, key, "text", value), RegStatus::ok);
    EXPECT_EQ(value.data, big_text);
    ASSERT_EQ(os().registry.query(Root::current_user, key, "binary", value), RegStatus::ok);
    EXPECT_EQ(value.data, big_binary);

    std::vector<RegValue> values;
    ASSERT_EQ(os().registry.values(Root::current_user, key, values), RegStatus::ok);
    ASSERT_EQ(values.size(), 3u);
    for (const RegValue& v : values) {
        if (v.name == "text") EXPECT_EQ(v.data, big_text);
        else if (v.name == "binary") EXPECT_EQ(v.data, big_binary);
        else EXPECT_EQ(v.name, long_name);
    }
    std::vector<std::string> subkeys;
    ASSERT_EQ(os().registry.subkeys(Root::current_user, key, subkeys), RegStatus::ok);
    EXPECT_EQ(subkeys, std::vector<std::string>{long_subkey});
}

TEST_F(RegistryContract, MissingKeysAndValuesAreNotFound) {
    const std::string key = env().scratch_key();
    const std::string missing = key + "\\missing\\deeper";
    RegValue value;
    std::vector<RegValue> values;
    std::vector<std::string> subkeys;
    EXPECT_EQ(os().registry.open(Root::current_user, missing), RegStatus::not_found);
    EXPECT_EQ(os().registry.query(Root::current_user, missing, "x", value), RegStatus::not_found);
    EXPECT_EQ(os().registry.query(Root::current_user, key, "x", value), RegStatus::not_found);
    EXPECT_EQ(os().registry.set(Root::current_user, missing, "x", reg_type::sz, std::string("v", 2)),
              RegStatus::not_found);
    EXPECT_EQ(os().registry.remove_value(Root::current_user, key, "x"), RegStatus::not_found);
    EXPECT_EQ(os().registry.remove_value(Root::current_user, missing, "x"), RegStatus::not_found);
    EXPECT_EQ(os().registry.values(Root::current_user, missing, values), RegStatus::not_found);
    EXPECT_EQ(os().registry.subkeys(Root::current_user, missing, subkeys), RegStatus::not_found);
    EXPECT_EQ(os().registry.remove_key(Root::current_user, missing), RegStatus::not_found);
    EXPECT_EQ(os().registry.open(Root::current_user, key), RegStatus::ok);
}

// The ANSI calls take key paths of at most 260 characters (Wine converts them in a buffer of that size);
// a longer path fails, whatever the call.
TEST_F(RegistryContract, KeyPathsLongerThan260CharactersFail) {
    std::string at_limit = env().scratch_key();
    while (at_limit.size() < 260) at_limit += "\\" + std::string(std::min<size_t>(100, 260 - at_limit.size() - 1), 'p');
    ASSERT_EQ(at_limit.size(), 260u);
    ASSERT_EQ(os().registry.create_key(Root::current_user, at_limit), RegStatus::ok);
    ASSERT_EQ(os().registry.set(Root::current_user, at_limit, "v", reg_type::sz, std::string("x", 2)), RegStatus::ok);
    EXPECT_EQ(os().registry.open(Root::current_user, at_limit), RegStatus::ok);

    const std::string over = at_limit + "\\q";
    RegValue value;
    std::vector<RegValue> values;
    std::vector<std::string> subkeys;
    EXPECT_EQ(os().registry.create_key(Root::current_user, over), RegStatus::failed);
    EXPECT_EQ(os().registry.open(Root::current_user, over), RegStatus::failed);
    EXPECT_EQ(os().registry.query(Root::current_user, over, "v", value), RegStatus::failed);
    EXPECT_EQ(os().registry.set(Root::current_user, over, "v", reg_type::sz, std::string("x", 2)), RegStatus::failed);
    EXPECT_EQ(os().registry.remove_value(Root::current_user, over, "v"), RegStatus::failed);
    EXPECT_EQ(os().registry.remove_key(Root::current_user, over), RegStatus::failed);
    EXPECT_EQ(os().registry.values(Root::current_user, over, values), RegStatus::failed);
    EXPECT_EQ(os().registry.subkeys(Root::current_user, over, subkeys), RegStatus::failed);
    // The same key by a longer spelling is out of reach too.
    EXPECT_EQ(os().registry.query(Root::current_user, at_limit + "\\", "v", value), RegStatus::failed);
}

TEST_F(RegistryContract, RemoveKeyRefusesARoot) {
    EXPECT_EQ(os().registry.remove_key(Root::current_user, ""), RegStatus::access_denied);
    EXPECT_EQ(os().registry.open(Root::current_user, env().scratch_key()), RegStatus::ok);
}

TEST_F(RegistryContract, CreateKeyCreatesParentsAndAcceptsAnExistingKey) {
    const std::string key = env().scratch_key();
    ASSERT_EQ(os().registry.create_key(Root::current_user, key + "\\a\\b\\c"), RegStatus::ok);
    EXPECT_EQ(os().registry.open(Root::current_user, key + "\\a"), RegStatus::ok);
    EXPECT_EQ(os().registry.open(Root::current_user, key + "\\a\\b"), RegStatus::ok);
    EXPECT_EQ(os().registry.open(Root::current_user, key + "\\A\\B\\C"), RegStatus::ok) << "names ignore case";
    EXPECT_EQ(os().registry.create_key(Root::current_user, key + "\\a\\b\\c"), RegStatus::ok);
}

TEST_F(RegistryContract, RemoveKeyRefusesAKeyWithSubkeys) {
    const std::string key = env().scratch_key();
    const std::string parent = key + "\\parent";
    ASSERT_EQ(os().registry.create_key(Root::current_user, parent + "\\child"), RegStatus::ok);
    EXPECT_EQ(os().registry.remove_key(Root::current_user, parent), RegStatus::access_denied);
    EXPECT_EQ(os().registry.open(Root::current_user, parent + "\\child"), RegStatus::ok) << "nothing was removed";
    EXPECT_EQ(os().registry.remove_key(Root::current_user, parent + "\\child"), RegStatus::ok);
    EXPECT_EQ(os().registry.remove_key(Root::current_user, parent), RegStatus::ok);
    EXPECT_EQ(os().registry.open(Root::current_user, parent), RegStatus::not_found);
    EXPECT_EQ(os().registry.remove_key(Root::current_user, parent), RegStatus::not_found);
}

TEST_F(RegistryContract, RemoveKeyTakesItsValuesWithIt) {
    const std::string key = env().scratch_key() + "\\withvalues";
    ASSERT_EQ(os().registry.create_key(Root::current_user, key), RegStatus::ok);
    ASSERT_EQ(os().registry.set(Root::current_user, key, "v", reg_type::sz, std::string("x", 2)), RegStatus::ok);
    EXPECT_EQ(os().registry.remove_key(Root::current_user, key), RegStatus::ok);
    EXPECT_EQ(os().registry.open(Root::current_user, key), RegStatus::not_found);
}

TEST_F(RegistryContract, RemoveValueRemovesOnlyThatValue) {
    const std::string key = env().scratch_key();
    ASSERT_EQ(os().registry.set(Root::current_user, key, "keep", reg_type::sz, std::string("k", 2)), RegStatus::ok);
    ASSERT_EQ(os().registry.set(Root::current_user, key, "drop", reg_type::sz, std::string("d", 2)), RegStatus::ok);
    EXPECT_EQ(os().registry.remove_value(Root::current_user, key, "DROP"), RegStatus::ok);
    std::vector<RegValue> values;
    ASSERT_EQ(os().registry.values(Root::current_user, key, values), RegStatus::ok);
    EXPECT_EQ(names_of(values), std::vector<std::string>{"keep"});
}

TEST_F(RegistryContract, ClassesRootIsTheMachineClassesKey) {
    const std::string cls = env().scratch_class();
    const std::string machine_path = "Software\\Classes\\" + cls;
    ASSERT_EQ(os().registry.create_key(Root::local_machine, machine_path), RegStatus::ok);
    ASSERT_EQ(os().registry.set(Root::local_machine, machine_path, "", reg_type::sz, std::string("fromLM", 7)),
              RegStatus::ok);
    RegValue value;
    ASSERT_EQ(os().registry.query(Root::classes_root, cls, "", value), RegStatus::ok);
    EXPECT_EQ(value.data, std::string("fromLM", 7));

    // And a key created through the classes root lands below the machine's classes.
    ASSERT_EQ(os().registry.create_key(Root::classes_root, cls + "\\shell\\open"), RegStatus::ok);
    EXPECT_EQ(os().registry.open(Root::local_machine, machine_path + "\\shell\\open"), RegStatus::ok);
    std::vector<std::string> subkeys;
    ASSERT_EQ(os().registry.subkeys(Root::classes_root, cls, subkeys), RegStatus::ok);
    EXPECT_EQ(subkeys, std::vector<std::string>{"shell"});
}

TEST_F(RegistryContract, MachineKeysAreWritable) {
    const std::string key = env().scratch_key();
    ASSERT_EQ(os().registry.create_key(Root::local_machine, key), RegStatus::ok);
    ASSERT_EQ(os().registry.set(Root::local_machine, key, "v", reg_type::sz, std::string("m", 2)), RegStatus::ok);
    RegValue value;
    ASSERT_EQ(os().registry.query(Root::local_machine, key, "v", value), RegStatus::ok);
    EXPECT_EQ(value.data, std::string("m", 2));
    RegValue user;
    EXPECT_EQ(os().registry.query(Root::current_user, key, "v", user), RegStatus::not_found) << "the hives are apart";
}

}  // namespace
}  // namespace sx::contract
