#include "programinfo/version_texts.h"

#include <optional>

#include "common/state.h"
#include "common/text.h"
#include "programinfo/version_block.h"

namespace sx::programinfo {

namespace {

constexpr std::string_view kOperatingSystem = "Operating System";
constexpr size_t kProductNameSlot = 0;

}  // namespace

bool version_texts_from_block(std::string_view block, const AnsiConverter& to_ansi, VersionTexts& out) {
    out = VersionTexts{};
    const VersionBlock version(block);
    if (!version.valid()) return false;

    for (const Translation& translation : version.translations()) {
        const std::string table = translation_key(translation);
        for (size_t i = 0; i < VersionTexts::kCount; ++i) {
            std::optional<std::u16string> text = version.string_value(table, VersionTexts::kNames[i]);
            if (!text) {
                if (i == kProductNameSlot) break;
                continue;
            }
            std::string ansi = to_ansi(*text);
            out.slot(i) = ansi.size() > kVersionTextMax ? std::string() : std::move(ansi);
        }
    }

    if (matches(out.ProductName, kOperatingSystem)) out.ProductName = out.FileDescription;
    return !out.ProductName.empty();
}

bool ReadVersionTexts(platform::Platform& os, std::string_view file, VersionTexts& out) {
    out = VersionTexts{};
    std::optional<std::string> block = os.files.version_block(file);
    if (!block) return false;
    return version_texts_from_block(*block, [&os](std::u16string_view text) { return os.system.to_ansi(text); },
                                    out);
}

const VersionTexts& cached_version_texts(AppState& app, std::string_view file) {
    return app.versions.get(file, [&app](std::string_view path, VersionTexts& out) { ReadVersionTexts(app.os, path, out); });
}

}  // namespace sx::programinfo
