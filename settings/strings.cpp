#include "settings/strings.h"

#include "common/text.h"
#include "settings/store.h"

namespace sx::settings {

namespace {

std::string replace_line_marks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

int load_string(const AppState& app, unsigned id, std::string& out, int size) {
    out.clear();
    if (size <= 0) return 0;
    const size_t room = static_cast<size_t>(size) - 1;
    if (app.language_id != kLanguageEnglish) {
        std::string override_text =
            read_text(app.os, Root::local_machine, kSentrixKey, format("LString%u", id), kOverrideBuffer);
        if (!override_text.empty()) {
            size_t limit = size < kOverrideBuffer ? static_cast<size_t>(size) : kOverrideBuffer - 1;
            std::string cut_text = cut(override_text, limit);
            out = cut(replace_line_marks(cut_text), room);
            return static_cast<int>(cut_text.size());
        }
    }
    std::optional<std::string> resource = app.os.system.resource_string(id);
    if (!resource) return 0;
    out = cut(*resource, room);
    return static_cast<int>(out.size());
}

std::string load_string(const AppState& app, unsigned id) {
    std::string out;
    load_string(app, id, out, 1024);
    return out;
}

}  // namespace sx::settings
