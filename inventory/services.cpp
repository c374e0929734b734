#include "inventory/services.h"

#include <vector>

#include "common/text.h"
#include "programinfo/resolve.h"
#include "programinfo/version_texts.h"
#include "res/resource_ids.h"
#include "settings/store.h"
#include "settings/strings.h"
#include "startup/history.h"
#include "startup/item_list.h"

namespace sx::inventory {

using platform::RegStatus;
using platform::RegValue;
using platform::Root;

namespace {

constexpr size_t kKeyNameMax = 255;      // longer key names are not read
constexpr size_t kDescriptionBuffer = 4096;
constexpr size_t kDescriptionMax = 1023;
constexpr int kTypeExe = 700, kTypeHosted = 701;

std::string service_key(std::string_view name) { return std::string(kServicesKey) + "\\" + std::string(name); }

std::string read(AppState& app, std::string_view key, std::string_view name) {
    return settings::read_text(app.os, Root::local_machine, key, name, settings::kValueBuffer);
}

// A Description of up to kDescriptionBuffer - 1 characters; a longer one reads as empty.
std::string read_description(AppState& app, std::string_view key) {
    RegValue value;
    if (app.os.registry.query(Root::local_machine, key, "Description", value) != RegStatus::ok) return {};
    if (value.data.size() > kDescriptionBuffer) return {};
    std::string text(until_zero(value.data));
    if (value.type == platform::reg_type::expand_sz) text = app.os.system.expand(text);
    if (text.size() >= kDescriptionBuffer) return {};
    return settings::shown_text(app.os, Root::local_machine, key, "Description", text);
}

// The lowest byte of a DWORD Start value; nothing for a value of another type or none.
std::optional<uint32_t> read_start(AppState& app, std::string_view key) {
    RegValue value;
    if (app.os.registry.query(Root::local_machine, key, "Start", value) != RegStatus::ok) return std::nullopt;
    if (value.type != platform::reg_type::dword || value.data.empty()) return std::nullopt;
    return static_cast<unsigned char>(value.data[0]);
}

// The program a service key runs: its ServiceDll when it is hosted by svchost and names one, else
// its ImagePath.
struct ServiceProgram {
    std::string image;
    std::string command;
    bool hosted = false;
};

ServiceProgram program_of(AppState& app, std::string_view key) {
    ServiceProgram p;
    p.image = read(app, key, "ImagePath");
    p.command = p.image;
    p.hosted = matches(p.image, "svchost");
    if (p.hosted) {
        const std::string dll = read(app, std::string(key) + "\\Parameters", "ServiceDll");
        if (!dll.empty()) p.command = dll;
    }
    return p;
}

std::vector<std::string> service_names(AppState& app) {
    std::vector<std::string> names;
    app.os.registry.subkeys(Root::local_machine, kServicesKey, names);
    std::erase_if(names, [](const std::string& n) { return n.empty() || n.size() > kKeyNameMax; });
    return names;
}

void tell(AppState& app, unsigned id, std::string_view title) {
    app.os.prompts.tell(fill_in(settings::load_string(app, id), title), platform::Icon::exclamation);
}

}  // namespace

std::string StartTypeText(AppState& app, std::optional<uint32_t> start) {
    switch (start.value_or(0)) {
        case platform::service_start::automatic: return settings::load_string(app, IDS_START_AUTOMATIC);
        case platform::service_start::manual: return settings::load_string(app, IDS_START_MANUAL);
        case platform::service_start::disabled: return settings::load_string(app, IDS_START_DISABLED);
        default: return "0";
    }
}

uint32_t run_state_word(const std::optional<platform::ServiceState>& state) {
    if (!state || state->state == platform::service_state::stopped) return 0;
    return (state->state << 16) | (state->type & 0xFFFF);
}

std::string ServiceStatusText(AppState& app, uint32_t word) {
    static constexpr unsigned kTexts[] = {IDS_STATE_PENDING_START, IDS_STATE_PENDING_STOP, IDS_STATE_RUNNING,
                                          IDS_STATE_PENDING_CONTINUE, IDS_STATE_PENDING_PAUSE, IDS_STATE_PAUSED};
    const uint32_t state = word >> 16;
    const bool named = state >= platform::service_state::start_pending && state <= platform::service_state::paused;
    return settings::load_string(app, named ? kTexts[state - platform::service_state::start_pending] : IDS_STATE_STOPPED);
}

bool ServiceStates::NoCaseLess::operator()(std::string_view a, std::string_view b) const { return icompare(a, b) < 0; }

ServiceStates::ServiceStates(AppState& app) {
    std::vector<platform::ServiceState> all;
    app.os.services.list(all);
    for (platform::ServiceState& s : all) states_.emplace(s.name, std::move(s));
}

const platform::ServiceState* ServiceStates::find(std::string_view name) const {
    auto found = states_.find(name);
    return found == states_.end() ? nullptr : &found->second;
}

int ListServices(AppState& app) { return ListServices(app, ServiceStates(app)); }

int ListServices(AppState& app, const ServiceStates& states) {
    startup::ClearItems(app);
    for (const std::string& name : service_names(app)) {
        const std::string key = service_key(name);
        const ServiceProgram program = program_of(app, key);
        if (program.image.empty() || !(matches(program.image, ".exe") || program.hosted)) continue;
        const platform::ServiceState* known = states.find(name);
        std::string title = known ? known->display_name : std::string();
        if (title.empty()) title = read(app, key, "DisplayName");
        title = settings::shown_text(app.os, Root::local_machine, key, "DisplayName", title);
        if (app.settings.hide_microsoft_services > 0) {
            const std::string file = programinfo::full_program_path(app.os, program.command);
            if (matches(programinfo::cached_version_texts(app, file).CompanyName, "Microsoft")) continue;
        }
        if (startup::AddItem(app, title, program.command, StartTypeText(app, read_start(app, key)),
                             read_description(app, key), program.hosted ? kTypeHosted : kTypeExe, 0)) {
            app.items.at(app.items.count() - 1)->id = name;
        }
    }
    return static_cast<int>(app.items.count());
}

uint32_t QueryServiceRunState(AppState& app, size_t index) {
    const StartupEntry* e = app.items.at(index);
    return e && !e->id.empty() ? run_state_word(app.os.services.query(e->id)) : 0;
}

uint32_t QueryServiceControlsAccepted(AppState& app, size_t index) {
    const StartupEntry* e = app.items.at(index);
    if (!e || e->id.empty()) return 0;
    const std::optional<platform::ServiceState> state = app.os.services.query(e->id);
    return state ? state->controls_accepted : 0;
}

std::string GetServiceTitle(AppState& app, std::string_view name) { return app.os.services.display_name(name); }

int StopService(AppState& app, size_t index) {
    const StartupEntry* found = app.items.at(index);
    if (!found) return 0;
    const StartupEntry e = *found;
    if (e.id.empty() || !app.os.services.stop(e.id)) {
        tell(app, IDS_SERVICE_STOP_FAILED, e.title);
        return 0;
    }
    startup::AppendHistory(app, e.title, e.command, {}, e.type, startup::event::service_stop);
    return 1;
}

int SetServiceStartType(AppState& app, size_t index, uint32_t start) {
    const StartupEntry* found = app.items.at(index);
    if (!found) return 0;
    const StartupEntry e = *found;
    const bool known = start >= platform::service_start::automatic && start <= platform::service_start::disabled;
    const uint32_t before = e.id.empty() ? 0 : read_start(app, service_key(e.id)).value_or(0);
    if (!known || e.id.empty() || !app.os.services.set_start_type(e.id, start)) {
        tell(app, IDS_SERVICE_START_TYPE_FAILED, e.title);
        return 0;
    }
    // The records say what the type was and what it is now.
    if (before >= platform::service_start::automatic && before <= platform::service_start::disabled) {
        startup::AppendHistory(app, e.title, e.command, {}, e.type,
                               startup::event::service_from_automatic + static_cast<int>(before) - 2);
    }
    startup::AppendHistory(app, e.title, e.command, {}, e.type,
                           startup::event::service_automatic + static_cast<int>(start) - 2);
    // The row says what the manager keeps now, for whoever shows it again before the next fill.
    if (StartupEntry* row = app.items.at(index)) row->location = StartTypeText(app, start);
    return 1;
}

std::string FindServiceDescription(AppState& app, std::string_view path) {
    for (const std::string& name : service_names(app)) {
        const std::string key = service_key(name);
        const ServiceProgram program = program_of(app, key);
        if (program.command.empty()) continue;
        if (iequals(programinfo::ResolveProgramPath(app.os, program.command), path)) {
            return cut(read_description(app, key), kDescriptionMax);
        }
    }
    return {};
}

}  // namespace sx::inventory
