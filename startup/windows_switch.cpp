#include "startup/windows_switch.h"

#include <algorithm>

#include "common/text.h"
#include "programinfo/file_facts.h"
#include "res/resource_ids.h"
#include "settings/store.h"
#include "settings/strings.h"
#include "startup/catalogue.h"

namespace sx::startup {

using platform::RegStatus;
using platform::RegValue;
using platform::Root;

namespace {

constexpr size_t kFolderPathSize = 260;
constexpr size_t kTimeAt = 4, kTimeSize = 8;
constexpr std::string_view kRecordTag = "StartupApproved:";

std::string subkey_path(std::string_view subkey) { return std::string(kApprovedKey) + "\\" + std::string(subkey); }

// The all-users startup folder, as either hive names it.
std::vector<std::string> common_startup_folders(AppState& app) {
    std::vector<std::string> folders;
    for (Root root : {Root::local_machine, Root::current_user}) {
        std::string folder = settings::read_text(app.os, root, kShellFoldersKey, "Common Startup", kFolderPathSize);
        if (!folder.empty()) folders.push_back(std::move(folder));
    }
    return folders;
}

std::optional<SwitchSlot> slot_of(int type, std::string_view title, std::string_view command,
                                  std::string_view location, const std::vector<std::string>& common_folders) {
    switch (type) {
        case code::run: return SwitchSlot{Root::local_machine, subkey_path("Run"), std::string(title)};
        case code::run + code::hive_user: return SwitchSlot{Root::current_user, subkey_path("Run"), std::string(title)};
        case code::run + code::hive_wow64: return SwitchSlot{Root::local_machine, subkey_path("Run32"), std::string(title)};
        case code::startup_group: {
            // Files other than shortcuts and programs are listed by their own path as the command.
            const std::string_view file = location.empty() ? command : location;
            if (file_part(file).empty()) return std::nullopt;
            bool common = false;
            for (const std::string& folder : common_folders) common = common || iequals(folder_part(file), folder);
            return SwitchSlot{common ? Root::local_machine : Root::current_user, subkey_path("StartupFolder"),
                              std::string(file_part(file))};
        }
        default: return std::nullopt;
    }
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<SwitchSlot> switch_slot(AppState& app, int type, std::string_view title, std::string_view command,
                                      std::string_view location) {
    if (type != code::startup_group) return slot_of(type, title, command, location, {});
    return slot_of(type, title, command, location, common_startup_folders(app));
}

std::optional<WindowsSwitch> parse_switch(const RegValue& value) {
    if (value.type != platform::reg_type::binary || value.data.empty() || value.data.size() > kSwitchValueMax) {
        return std::nullopt;
    }
    WindowsSwitch state;
    state.off = (static_cast<unsigned char>(value.data[0]) & 1) != 0;
    if (state.off && value.data.size() >= kTimeAt + kTimeSize) {
        for (size_t i = kTimeSize; i-- > 0;) state.since = (state.since << 8) | static_cast<unsigned char>(value.data[kTimeAt + i]);
    }
    return state;
}

std::string switched_on(std::string_view bytes) {
    std::string on(bytes);
    if (!on.empty()) on[0] = static_cast<char>(static_cast<unsigned char>(on[0]) & ~1u);
    for (size_t i = kTimeAt; i < on.size() && i < kTimeAt + kTimeSize; ++i) on[i] = '\0';
    return on;
}

std::string switch_record(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(kRecordTag);
    for (unsigned char c : bytes) {
        text += kDigits[c >> 4];
        text += kDigits[c & 0xF];
    }
    return text;
}

std::optional<std::string> switch_from_record(std::string_view text) {
    if (text.size() <= kRecordTag.size() || !iequals(text.substr(0, kRecordTag.size()), kRecordTag)) return std::nullopt;
    const std::string_view hex = text.substr(kRecordTag.size());
    if (hex.size() % 2 != 0 || hex.size() / 2 > kSwitchValueMax) return std::nullopt;
    std::string bytes;
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int high = hex_digit(hex[i]), low = hex_digit(hex[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

WindowsSwitches::WindowsSwitches(AppState& app) {
    for (Root root : {Root::local_machine, Root::current_user}) {
        for (std::string_view subkey : kApprovedSubkeys) {
            Read read{root, subkey_path(subkey), {}};
            if (app.os.registry.values(root, read.path, read.values) == RegStatus::ok) keys_.push_back(std::move(read));
        }
    }
}

std::optional<WindowsSwitch> WindowsSwitches::of(AppState& app, const StartupEntry& entry) const {
    if (keys_.empty()) return std::nullopt;
    const std::optional<SwitchSlot> slot = switch_slot(app, entry.type, entry.title, entry.command, entry.location);
    if (!slot) return std::nullopt;
    for (const Read& key : keys_) {
        if (key.root != slot->root || !iequals(key.path, slot->path)) continue;
        for (const RegValue& value : key.values) {
            if (iequals(value.name, slot->name)) return parse_switch(value);
        }
    }
    return std::nullopt;
}

namespace {

std::optional<WindowsSwitch> switch_of(AppState& app, const StartupEntry& e) {
    const std::optional<SwitchSlot> slot = switch_slot(app, e.type, e.title, e.command, e.location);
    RegValue value;
    if (!slot || app.os.registry.query(slot->root, slot->path, slot->name, value) != RegStatus::ok) return std::nullopt;
    return parse_switch(value);
}

}  // namespace

EntryState StartupEntryState(AppState& app, size_t index) {
    const StartupEntry* e = app.items.at(index);
    if (!e) return EntryState::on;
    if (DisabledTypeOf(app, index) != 0) return EntryState::disabled;
    const std::optional<WindowsSwitch> state = switch_of(app, *e);
    return state && state->off ? EntryState::off_by_windows : EntryState::on;
}

std::string WindowsOffWord(AppState& app, const StartupEntry& entry) {
    const std::optional<WindowsSwitch> state = switch_of(app, entry);
    if (!state || !state->off) return {};
    const std::string text = settings::load_string(app, IDS_WINDOWS_OFF);
    return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

std::string WindowsSwitchText(AppState& app, size_t index) {
    const StartupEntry* e = app.items.at(index);
    const std::optional<WindowsSwitch> state = e ? switch_of(app, *e) : std::nullopt;
    if (!state || !state->off) return {};
    const std::optional<platform::LocalTime> local =
        state->since ? app.os.system.to_local(state->since) : std::nullopt;
    if (!local) return settings::load_string(app, IDS_WINDOWS_OFF);
    return fill_in(settings::load_string(app, IDS_WINDOWS_OFF_SINCE), programinfo::FormatLocalDate(app.os, *local));
}

}  // namespace sx::startup
