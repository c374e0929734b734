#include "app/process_state.h"

#include <array>
#include <utility>

#include "common/text.h"
#include "res/resource_ids.h"
#include "settings/strings.h"
#include "startup/catalogue.h"
#include "startup/item_list.h"

namespace sx::app {

namespace {

constexpr std::array<std::pair<std::string_view, uint16_t>, 20> kLanguages = {{
    {"us", 9},  {"de", 7},  {"fr", 12}, {"es", 10}, {"it", 16}, {"se", 29}, {"\xEA\xE0\xEA", 25},
    {"ru", 25}, {"pt", 22}, {"pl", 21}, {"no", 20}, {"gr", 8},  {"nl", 19}, {"br", 22},
    {"sq", 28}, {"tr", 31}, {"ar", 1},  {"fi", 11}, {"cn", 4},  {"", 0},
}};

}  // namespace

uint16_t language_id_of(std::string_view code) {
    if (code.empty()) return 0;
    for (const auto& [name, id] : kLanguages) {
        if (!name.empty() && iequals(name, code)) return id;
    }
    return 0;
}

void initialise_process_state(AppState& app) {
    app.language_id = 0;
    std::string code;
    settings::load_string(app, IDS_LANGUAGE_CODE, code, 8);
    app.language_id = language_id_of(code);
    startup::ClearItems(app);
    app.wow64 = app.os.registry.open(platform::Root::local_machine, startup::kWow64RunKey) == platform::RegStatus::ok;
}

}  // namespace sx::app
