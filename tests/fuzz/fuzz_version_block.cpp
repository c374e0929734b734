// The version resource parser on arbitrary bytes: every query stays inside the block and the texts
// keep their limits. An input whose first byte is odd is read as patches to a realistic block, so a
// short run already reaches the deep nodes; any other input is parsed as it is.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "programinfo/version_block.h"
#include "programinfo/version_texts.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

std::string narrow(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) out += c < 0x100 ? static_cast<char>(c) : '?';
    return out;
}

// Two translations with their tables, as a resource compiler lays them out; made once.
const std::string& realistic_block() {
    using namespace sx;
    using namespace sx::programinfo;
    static const std::string block = make_version_block(
        {{0x0407, 0x04B0}, {0x0409, 0x04E4}},
        {{"040704B0", {{"ProductName", u"Werkzeug"}, {"CompanyName", u"Acme GmbH"}}},
         {"040904E4",
          {{"CompanyName", u"Acme Corp."},
           {"FileDescription", u"Acme Operating System helper"},
           {"ProductName", u"Acme Operating System"},
           {"ProductVersion", u"5.6"},
           {"LegalCopyright", u"\u00A9 Acme"}}}});
    return block;
}

// Each patch is three bytes: a 16-bit offset (taken modulo the block size) and a value XORed in.
constexpr size_t kPatchBytes = 3;

std::string patched(std::string_view patches) {
    std::string block = realistic_block();
    for (size_t i = 0; i + kPatchBytes <= patches.size(); i += kPatchBytes) {
        const size_t offset = (static_cast<unsigned char>(patches[i]) | static_cast<unsigned char>(patches[i + 1]) << 8) %
                              block.size();
        block[offset] = static_cast<char>(block[offset] ^ patches[i + 2]);
    }
    return block;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sx;
    using namespace sx::programinfo;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const bool patch_mode = size > 0 && (data[0] & 1) != 0;
    const std::string storage = patch_mode ? patched(input.substr(1)) : std::string(input);
    const std::string_view bytes = storage;

    const VersionBlock block(bytes);
    if (!block.valid()) check(block.translations().empty());
    for (const Translation& t : block.translations()) {
        const std::string key = translation_key(t);
        check(key.size() == 8);
        for (std::string_view name : VersionTexts::kNames) {
            const auto text = block.string_value(key, name);
            if (text) check(text->size() * 2 <= bytes.size());
        }
    }

    VersionTexts texts;
    const bool found = version_texts_from_block(bytes, narrow, texts);
    check(found == !texts.ProductName.empty());
    for (size_t i = 0; i < VersionTexts::kCount; ++i) check(texts.slot(i).size() <= kVersionTextMax);
    return 0;
}
