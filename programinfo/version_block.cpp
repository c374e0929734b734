#include "programinfo/version_block.h"

#include "common/text.h"

namespace sx::programinfo {

namespace {

constexpr size_t kHeaderBytes = 6;  // wLength, wValueLength, wType
constexpr size_t kUnitBytes = 2;
constexpr size_t kAlignment = 4;
constexpr size_t kTranslationBytes = 4;
constexpr uint16_t kTextType = 1;
constexpr uint16_t kBinaryType = 0;
constexpr size_t kNodeMax = 0xFFFF;

constexpr std::string_view kRootKey = "VS_VERSION_INFO";
constexpr std::string_view kStringFileInfo = "StringFileInfo";
constexpr std::string_view kVarFileInfo = "VarFileInfo";
constexpr std::string_view kTranslationName = "Translation";

constexpr uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr uint32_t kFixedInfoVersion = 0x00010000;
constexpr size_t kFixedInfoBytes = 52;

size_t align_up(size_t offset) { return (offset + kAlignment - 1) / kAlignment * kAlignment; }

char16_t fold_unit(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }

}  // namespace

std::string translation_key(Translation translation) {
    return format("%04x%04x", static_cast<unsigned>(translation.language),
                  static_cast<unsigned>(translation.code_page));
}

VersionBlock::VersionBlock(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > kVersionBlockMax) return;
    bytes_ = std::string(bytes);
    std::optional<Node> root = node_at(0, bytes.size());
    if (!root || !key_equals(*root, kRootKey)) return;
    root_ = *root;
    valid_ = true;
}

uint16_t VersionBlock::word_at(size_t offset) const {
    if (offset > bytes_.size() || bytes_.size() - offset < kUnitBytes) return 0;
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes_[offset]) |
                                 (static_cast<unsigned char>(bytes_[offset + 1]) << 8));
}

std::optional<VersionBlock::Node> VersionBlock::node_at(size_t offset, size_t limit) const {
    if (limit > bytes_.size() || offset > limit || limit - offset < kHeaderBytes) return std::nullopt;
    Node n;
    n.begin = offset;
    const size_t length = word_at(offset);
    if (length < kHeaderBytes || length > limit - offset) return std::nullopt;
    n.end = offset + length;
    n.value_length = word_at(offset + 2);
    n.type = word_at(offset + 4);

    n.key_begin = offset + kHeaderBytes;
    size_t at = n.key_begin;
    while (true) {
        if (n.end - at < kUnitBytes) return std::nullopt;  // the key has no terminating zero
        if (word_at(at) == 0) break;
        at += kUnitBytes;
    }
    n.key_units = (at - n.key_begin) / kUnitBytes;

    n.value_begin = align_up(at + kUnitBytes);
    const size_t value_bytes = n.type == kTextType ? size_t{n.value_length} * kUnitBytes : n.value_length;
    if (value_bytes > 0) {
        if (n.value_begin > n.end || n.end - n.value_begin < value_bytes) return std::nullopt;
        n.value_end = n.value_begin + value_bytes;
    } else {
        n.value_end = n.value_begin;
    }
    n.children_begin = align_up(n.value_end);
    return n;
}

bool VersionBlock::key_equals(const Node& node, std::string_view key) const {
    if (node.key_units != key.size()) return false;
    for (size_t i = 0; i < key.size(); ++i) {
        const char16_t unit = word_at(node.key_begin + i * kUnitBytes);
        if (fold_unit(unit) != fold_unit(static_cast<char16_t>(static_cast<unsigned char>(key[i])))) return false;
    }
    return true;
}

std::optional<VersionBlock::Node> VersionBlock::child(const Node& parent, std::string_view key) const {
    size_t offset = parent.children_begin;
    while (offset < parent.end) {
        std::optional<Node> n = node_at(offset, parent.end);
        // A broken child hides everything after it: where the next one starts is unknown.
        if (!n) return std::nullopt;
        if (key_equals(*n, key)) return n;
        offset = align_up(n->end);
    }
    return std::nullopt;
}

std::vector<Translation> VersionBlock::translations() const {
    std::vector<Translation> out;
    if (!valid_) return out;
    std::optional<Node> var_info = child(root_, kVarFileInfo);
    if (!var_info) return out;
    std::optional<Node> table = child(*var_info, kTranslationName);
    if (!table) return out;
    for (size_t at = table->value_begin; table->value_end - at >= kTranslationBytes; at += kTranslationBytes) {
        out.push_back({word_at(at), word_at(at + 2)});
    }
    return out;
}

std::optional<std::u16string> VersionBlock::string_value(std::string_view table, std::string_view name) const {
    if (!valid_) return std::nullopt;
    std::optional<Node> info = child(root_, kStringFileInfo);
    if (!info) return std::nullopt;
    std::optional<Node> strings = child(*info, table);
    if (!strings) return std::nullopt;
    std::optional<Node> entry = child(*strings, name);
    if (!entry) return std::nullopt;
    std::u16string text;
    for (size_t at = entry->value_begin; entry->value_end - at >= kUnitBytes; at += kUnitBytes) {
        const char16_t unit = word_at(at);
        if (unit == 0) break;
        text += unit;
    }
    return text;
}

// ---- Builder ----

namespace {

class BlockWriter {
public:
    void word(uint16_t w) {
        out_ += static_cast<char>(w & 0xFF);
        out_ += static_cast<char>(w >> 8);
    }
    void dword(uint32_t d) {
        word(static_cast<uint16_t>(d & 0xFFFF));
        word(static_cast<uint16_t>(d >> 16));
    }
    void pad() {
        while (out_.size() % kAlignment != 0) out_ += '\0';
    }
    void text(std::u16string_view units) {
        for (char16_t c : units) word(c);
        word(0);
    }

    // Starts a node; its value is written by the caller, then its children, then end_node.
    size_t begin_node(std::string_view key, uint16_t value_length, uint16_t type) {
        pad();
        const size_t begin = out_.size();
        word(0);  // wLength, set by end_node
        word(value_length);
        word(type);
        std::u16string wide;
        for (char c : key) wide += static_cast<char16_t>(static_cast<unsigned char>(c));
        text(wide);
        pad();
        return begin;
    }
    void end_node(size_t begin) {
        const size_t length = out_.size() - begin;
        if (length > kNodeMax) {
            too_long_ = true;
            return;
        }
        out_[begin] = static_cast<char>(length & 0xFF);
        out_[begin + 1] = static_cast<char>(length >> 8);
    }

    std::string take() { return too_long_ ? std::string() : std::move(out_); }

private:
    std::string out_;
    bool too_long_ = false;
};

}  // namespace

std::string make_version_block(const std::vector<Translation>& translations,
                               const std::vector<VersionStringTable>& tables, bool with_translation_table) {
    BlockWriter w;
    const size_t root = w.begin_node(kRootKey, static_cast<uint16_t>(kFixedInfoBytes), kBinaryType);
    w.dword(kFixedInfoSignature);
    w.dword(kFixedInfoVersion);
    for (size_t i = 8; i < kFixedInfoBytes; i += 4) w.dword(0);

    const size_t info = w.begin_node(kStringFileInfo, 0, kTextType);
    for (const VersionStringTable& table : tables) {
        const size_t table_node = w.begin_node(table.key, 0, kTextType);
        for (const auto& [name, value] : table.strings) {
            const size_t units = value.size() + 1;
            const size_t entry = w.begin_node(name, static_cast<uint16_t>(units > kNodeMax ? kNodeMax : units),
                                              kTextType);
            w.text(value);
            w.end_node(entry);
        }
        w.end_node(table_node);
    }
    w.end_node(info);

    if (with_translation_table) {
        const size_t var_info = w.begin_node(kVarFileInfo, 0, kTextType);
        const size_t bytes = translations.size() * kTranslationBytes;
        const size_t var = w.begin_node(kTranslationName, static_cast<uint16_t>(bytes > kNodeMax ? kNodeMax : bytes),
                                        kBinaryType);
        for (const Translation& t : translations) {
            w.word(t.language);
            w.word(t.code_page);
        }
        w.end_node(var);
        w.end_node(var_info);
    }
    w.end_node(root);
    return w.take();
}

}  // namespace sx::programinfo
