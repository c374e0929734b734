#include "tests/contract/version_fixture.h"

#include <cstdint>
#include <string_view>

#include "tests/contract/contract_env.h"

namespace sx::contract {

namespace {

// Node types of a version resource: binary value or text value.
constexpr uint16_t kBinary = 0;
constexpr uint16_t kText = 1;
constexpr uint32_t kFixedSignature = 0xFEEF04BD;
constexpr uint32_t kFixedStructVersion = 0x00010000;
constexpr uint32_t kFileFlagsMask = 0x3F;
constexpr uint32_t kOsNtWindows32 = 0x00040004;
constexpr uint32_t kTypeApp = 1;

void put16(std::string& out, uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

void put32(std::string& out, uint32_t v) {
    put16(out, static_cast<uint16_t>(v & 0xFFFF));
    put16(out, static_cast<uint16_t>(v >> 16));
}

void pad4(std::string& out) {
    while (out.size() % 4 != 0) out += '\0';
}

std::string utf16z(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) put16(out, static_cast<uint16_t>(c));
    put16(out, 0);
    return out;
}

std::u16string widen(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// One node: length, value length (bytes, or characters for text), type, key, padding, value, padding,
// children. The length covers everything but the padding after the last child.
std::string node(std::string_view key, uint16_t type, const std::string& value, uint16_t value_length,
                 const std::string& children) {
    std::string out(6, '\0');
    out += utf16z(widen(key));
    pad4(out);
    out += value;
    if (!children.empty()) {
        pad4(out);
        out += children;
    }
    const uint16_t length = static_cast<uint16_t>(out.size());
    out[0] = static_cast<char>(length & 0xFF);
    out[1] = static_cast<char>(length >> 8);
    out[2] = static_cast<char>(value_length & 0xFF);
    out[3] = static_cast<char>(value_length >> 8);
    out[4] = static_cast<char>(type & 0xFF);
    out[5] = static_cast<char>(type >> 8);
    return out;
}

std::string padded(std::string child) {
    pad4(child);
    return child;
}

std::string string_node(std::string_view name, std::u16string_view text) {
    return padded(node(name, kText, utf16z(text), static_cast<uint16_t>(text.size() + 1), {}));
}

uint32_t high_low(const uint16_t (&v)[4], int first) {
    return static_cast<uint32_t>(v[first]) << 16 | v[first + 1];
}

}  // namespace

std::string contract_version_block() {
    std::string fixed;
    put32(fixed, kFixedSignature);
    put32(fixed, kFixedStructVersion);
    put32(fixed, high_low(kFileVersion, 0));
    put32(fixed, high_low(kFileVersion, 2));
    put32(fixed, high_low(kProductVersion, 0));
    put32(fixed, high_low(kProductVersion, 2));
    put32(fixed, kFileFlagsMask);
    put32(fixed, 0);  // flags
    put32(fixed, kOsNtWindows32);
    put32(fixed, kTypeApp);
    put32(fixed, 0);  // subtype
    put32(fixed, 0);  // date, high
    put32(fixed, 0);  // date, low

    const std::string strings = string_node("CompanyName", kCompanyName) +
                                string_node("FileDescription", kFileDescription) +
                                string_node("ProductName", kProductName) + string_node("ProductVersion", u"5.6");
    const std::string table = padded(node(kVersionTable, kText, {}, 0, strings));
    const std::string string_info = padded(node("StringFileInfo", kText, {}, 0, table));

    std::string translation;
    put16(translation, kVersionLanguage);
    put16(translation, kVersionCodePage);
    const std::string var = padded(node("Translation", kBinary, translation, 4, {}));
    const std::string var_info = padded(node("VarFileInfo", kText, {}, 0, var));

    return node("VS_VERSION_INFO", kBinary, fixed, static_cast<uint16_t>(fixed.size()), string_info + var_info);
}

}  // namespace sx::contract
