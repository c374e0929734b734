// The registry as the logic sees it: keys by root and path, values as raw bytes.
// No HKEY here; the Win32 adapter and the in-memory fake both implement it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sx::platform {

enum class Root : int { classes_root, current_user, local_machine };

// The Win32 results the logic tells apart; every other error is `failed`.
enum class RegStatus : int { ok, not_found, access_denied, failed };

namespace reg_type {
constexpr uint32_t none = 0;
constexpr uint32_t sz = 1;
constexpr uint32_t expand_sz = 2;
constexpr uint32_t binary = 3;
constexpr uint32_t dword = 4;
constexpr uint32_t multi_sz = 7;
}  // namespace reg_type

struct RegValue {
    std::string name;
    uint32_t type = reg_type::none;
    std::string data;  // the bytes as the ANSI API returns them, terminating zero included when stored
};

class Registry {
public:
    virtual ~Registry() = default;

    // Whether the key opens for reading.
    virtual RegStatus open(Root root, std::string_view path) = 0;
    // Creates the key and any missing parents (RegCreateKeyA).
    virtual RegStatus create_key(Root root, std::string_view path) = 0;
    // The whole value, however long; `not_found` when the key or value is missing.
    virtual RegStatus query(Root root, std::string_view path, std::string_view name, RegValue& out) = 0;
    // Stores a value in an existing key; `not_found` when the key is missing.
    virtual RegStatus set(Root root, std::string_view path, std::string_view name, uint32_t type,
                          std::string_view data) = 0;
    virtual RegStatus remove_value(Root root, std::string_view path, std::string_view name) = 0;
    // Deletes a key without subkeys; a key that has subkeys is refused with `access_denied`.
    virtual RegStatus remove_key(Root root, std::string_view path) = 0;
    // Values and subkeys in the order the system enumerates them.
    virtual RegStatus values(Root root, std::string_view path, std::vector<RegValue>& out) = 0;
    virtual RegStatus subkeys(Root root, std::string_view path, std::vector<std::string>& out) = 0;
    // The text an indirect value ("@file,-id", with environment variables and a ";comment" allowed)
    // names in its file's string table, through the system's loader of such texts, which reads the file
    // as data and never runs it. Nothing when the value is missing, no such text, or cannot be loaded.
    virtual std::optional<std::string> indirect_text(Root root, std::string_view path, std::string_view name) = 0;
};

}  // namespace sx::platform
