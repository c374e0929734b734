#include "inventory/item_info.h"

#include "common/text.h"
#include "inventory/activex.h"
#include "inventory/ie_helpers.h"
#include "inventory/services.h"
#include "inventory/tasks.h"
#include "programinfo/resolve.h"
#include "programinfo/version_texts.h"
#include "res/resource_ids.h"
#include "settings/strings.h"
#include "startup/active_tasks.h"
#include "startup/catalogue.h"

namespace sx::inventory {

namespace {

bool is_service(int type) { return type == code::service_exe || type == code::service_host; }
bool is_special(int type) { return type >= code::userinit && type <= code::notify; }
bool is_helper(int type) { return type >= code::bho && type <= code::extension; }

bool starts_with_nocase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && iequals(text.substr(0, prefix.size()), prefix);
}

bool is_file(AppState& app, const std::string& path) {
    const uint32_t attributes = path.empty() ? platform::attr::invalid : app.os.files.attributes(path);
    return attributes != platform::attr::invalid && !(attributes & platform::attr::directory);
}

std::string location_line(AppState& app, const StartupEntry& e, size_t index) {
    switch (e.type) {
        case code::hidden_file:
        case code::process: return {};
        case code::file_type: return settings::load_string(app, IDS_FILE_TYPE_EXTENSION) + e.description;
        case code::activex: return settings::load_string(app, IDS_CLSID) + ": " + ClsidText(e);
        default: break;
    }
    if (is_helper(e.type)) return settings::load_string(app, IDS_LOCATION) + ": \"" + RegistrationText(e) + "\"";
    return settings::load_string(app, IDS_STARTUP_LOCATION) + startup::LocationText(app, index);
}

void read_service_state(AppState& app, const StartupEntry& e, size_t index, ItemInfo& info) {
    info.location_shown = false;
    info.service = !e.location.empty();
    info.status_shown = info.kill_shown = info.service;
    const uint32_t word = QueryServiceRunState(app, index);
    if (word != 0) info.status = ServiceStatusText(app, word);
    info.stop_enabled = word != 0 || QueryServiceControlsAccepted(app, index) != 0;
    if (!info.service) return;
    static constexpr unsigned kTypes[] = {IDS_START_AUTOMATIC, IDS_START_MANUAL, IDS_START_DISABLED};
    for (int k = 0; k < 3; ++k) {
        if (starts_with_nocase(settings::load_string(app, kTypes[k]), e.location)) {
            info.start_type = k;
            break;
        }
    }
}

void read_program_state(AppState& app, const StartupEntry& e, ItemInfo& info) {
    if (e.type == code::hidden_file || e.type >= code::bho) {
        info.status_shown = false;
        return;
    }
    const bool runs = info.file_exists && startup::FindProcessOf(app, e.command) != 0;
    info.status = settings::load_string(app, runs ? IDS_STATE_RUNNING
                                                  : info.file_exists ? IDS_READY : IDS_LOCAL_FILE_NOT_FOUND);
    // The special locations' programs are part of the system's start: neither stopped nor started here.
    if (is_special(e.type)) return;
    info.kill_shown = runs;
    info.run_shown = info.file_exists && !runs;
}

std::string default_note(AppState& app, const StartupEntry& e, const ItemInfo& info) {
    const std::string local_only = settings::load_string(app, IDS_LOCAL_INFO_ONLY);
    if (is_special(e.type)) {
        std::string service = FindServiceDescription(app, info.path);
        if (!service.empty()) return service;
        if (matches(info.versions.LegalCopyright, "Microsoft")) {
            return fill_in(settings::load_string(app, IDS_MICROSOFT_SYSTEM_FILE_NOTE), e.title) + local_only;
        }
        return local_only;
    }
    if (is_helper(e.type)) return local_only;
    if (e.type == code::activex) return info.location;
    if (e.type == code::scheduled_task) {
        const std::string status = GetScheduledTaskStatus(app, e.title);
        const std::string text = status + (status.empty() ? "" : "\r\n") + GetScheduledTaskComment(app, e.title);
        if (!text.empty()) return text;
    }
    if (e.type == code::process) {
        std::string service = FindServiceDescription(app, info.path);
        if (!service.empty()) return service;
    }
    return e.description.empty() || e.type == code::scheduled_task ? local_only : e.description;
}

}  // namespace

ItemInfo ReadItemInfo(AppState& app, size_t index) {
    ItemInfo info;
    const StartupEntry* found = app.items.at(index);
    if (!found) return info;
    const StartupEntry e = *found;  // the calls below may read other lists, never this one
    platform::Platform& os = app.os;
    info.found = true;
    info.type = e.type;
    info.title = e.title;
    info.path = programinfo::ResolveProgramPath(os, e.command);
    std::string exists = info.path;
    info.file_exists = !exists.empty() && programinfo::ProgramFileExists(os, exists);
    const std::string file = programinfo::full_program_path(os, e.command);
    if (info.file_exists) {
        programinfo::ReadVersionTexts(os, file, info.versions);
        programinfo::ReadFileFacts(app, file, e.type, info.facts);
        info.icon_file = file;
    }
    if (info.versions.FileDescription.empty()) info.versions.FileDescription = e.title;
    // A toolbar button names its own icon file.
    if (e.type == code::toolbar || e.type == code::extension) {
        const std::string icon = programinfo::full_program_path(os, e.description);
        if (is_file(app, icon)) info.icon_file = icon;
    }

    info.location = location_line(app, e, index);
    if (is_service(e.type)) {
        read_service_state(app, e, index, info);
    } else {
        read_program_state(app, e, info);
    }

    info.note_path = programinfo::NotePath(os, e.command);
    info.note_exists = os.files.attributes(info.note_path) != platform::attr::invalid;
    if (info.note_exists) {
        const std::optional<programinfo::NoteText> note = programinfo::ReadNote(os, info.note_path);
        // A note that cannot be read is never written over.
        info.note = note ? *note : programinfo::NoteText{{}, false};
    } else {
        info.note_default = default_note(app, e, info);
    }
    return info;
}

}  // namespace sx::inventory
