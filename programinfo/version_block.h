// The raw VS_VERSIONINFO resource of a program file, read without the system's version functions:
// a tree of nodes {wLength, wValueLength, wType, UTF-16 key, value, children}, each starting on a
// 32-bit boundary counted from the start of the block. Every length is checked against the node that
// holds it; a truncated or inconsistent block finds nothing and never reads outside its bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sx::programinfo {

// A version resource larger than this counts as none at all.
inline constexpr size_t kVersionBlockMax = 8191;

// One entry of VarFileInfo\Translation.
struct Translation {
    uint16_t language = 0;
    uint16_t code_page = 0;
};

// The name of a translation's string table: "%04x%04x" (language, code page), lower-case hex.
std::string translation_key(Translation translation);

class VersionBlock {
public:
    // Keeps its own copy of `bytes` (at most kVersionBlockMax of them are ever kept).
    explicit VersionBlock(std::string_view bytes);

    // False for an empty, oversized or malformed block (and then nothing is found).
    bool valid() const { return valid_; }

    // VarFileInfo\Translation in table order; empty when missing.
    std::vector<Translation> translations() const;

    // StringFileInfo\<table>\<name>, keys compared case-insensitively (as the system does, so the
    // lower-case "040904e4" finds a table written "040904E4"). The text ends at its first zero;
    // empty optional when any step is missing.
    std::optional<std::u16string> string_value(std::string_view table, std::string_view name) const;

private:
    struct Node {
        size_t begin = 0;           // offset of wLength
        size_t end = 0;             // begin + wLength
        uint16_t value_length = 0;  // wValueLength as stored
        uint16_t type = 0;          // 1: text value, 0: binary
        size_t key_begin = 0;       // first UTF-16 unit of the key
        size_t key_units = 0;       // key length without its zero
        size_t value_begin = 0;
        size_t value_end = 0;
        size_t children_begin = 0;
    };

    // The node at `offset`, which must lie wholly inside [offset, limit).
    std::optional<Node> node_at(size_t offset, size_t limit) const;
    // The first child of `parent` whose key equals `key` (ASCII case folded).
    std::optional<Node> child(const Node& parent, std::string_view key) const;
    bool key_equals(const Node& node, std::string_view key) const;
    uint16_t word_at(size_t offset) const;

    std::string bytes_;
    Node root_;
    bool valid_ = false;
};

// A version resource made natively, for tests and fuzz seeds.
struct VersionStringTable {
    std::string key;  // "040904E4"
    std::vector<std::pair<std::string, std::u16string>> strings;  // name, text
};

// A well-formed block: the root "VS_VERSION_INFO" with a fixed-info value, a StringFileInfo with
// the tables in order, and a VarFileInfo\Translation holding `translations` (omitted when
// `with_translation_table` is false). Empty when a node would exceed 65535 bytes.
std::string make_version_block(const std::vector<Translation>& translations,
                               const std::vector<VersionStringTable>& tables,
                               bool with_translation_table = true);

}  // namespace sx::programinfo
