#include "startup/delayed.h"

#include "common/text.h"
#include "programinfo/resolve.h"
#include "programinfo/version_texts.h"
#include "settings/store.h"
#include "startup/disabled_store.h"
#include "startup/item_list.h"
#include "startup/type_codes.h"

namespace sx::startup {

using platform::RegStatus;
using platform::RegValue;
using platform::Root;

namespace {

constexpr size_t kNameMax = 255;
constexpr size_t kTextSize = 256;

std::string sub(std::string_view name) { return std::string(kDelayKey) + "\\" + std::string(name); }

std::string read_record_text(AppState& app, Root hive, std::string_view subkey, std::string_view command) {
    return settings::read_text(app.os, hive, sub(subkey), command, kTextSize);
}

}  // namespace

std::vector<DelayRecord> read_delay_records(AppState& app) {
    std::vector<DelayRecord> records;
    const std::pair<Root, int> hives[] = {{Root::local_machine, 0}, {Root::current_user, 1}};
    for (const auto& [hive, index] : hives) {
        std::vector<RegValue> values;
        if (app.os.registry.values(hive, kDelayKey, values) != RegStatus::ok) continue;
        for (const RegValue& value : values) {
            if (value.name.empty() || value.name.size() > kNameMax) continue;
            DelayRecord r;
            r.hive = hive;
            r.hive_index = index;
            r.command = value.name;
            const VersionTexts& v =
                programinfo::cached_version_texts(app, programinfo::full_program_path(app.os, r.command));
            r.title = read_record_text(app, hive, "Title", r.command);
            if (r.title.empty()) r.title = v.ProductName;
            if (r.title.empty()) r.title = std::string(file_part(r.command));
            if (matches(r.title, "Microsoft\xAE Windows\xAE")) r.title = v.FileDescription;
            r.type = to_int(until_zero(value.data));
            r.location = r.type == code::startup_group ? read_record_text(app, hive, "Shortcuts", r.command) : r.title;
            r.description = v.FileDescription;
            records.push_back(std::move(r));
        }
    }
    return records;
}

int EnumerateDelayed(AppState& app) {
    ClearItems(app);
    for (const DelayRecord& r : read_delay_records(app)) {
        AddItem(app, r.title, r.command, r.location, r.description, r.type, r.hive_index);
    }
    return static_cast<int>(app.items.count());
}

int RestoreAllDelayed(AppState& app) {
    int restored = 0;
    for (const DelayRecord& r : read_delay_records(app)) {
        // The record is read from, and deleted in, the hive it was found in.
        const std::string parameters = read_record_text(app, r.hive, "Parameters", r.command);
        const std::string applet = read_record_text(app, r.hive, "Applet", r.command);
        std::string line = r.command;
        if (!parameters.empty()) line += " " + parameters;
        if (!applet.empty()) line = applet + " " + line;
        if (RestoreStartupEntry(app, r.title, line, r.location, r.type) == 0) continue;  // the record stays
        DeleteDelayRecord(app, r.hive, r.command);
        ++restored;
    }
    return restored;
}

void DeleteDelayRecord(AppState& app, Root hive, std::string_view command) {
    settings::delete_value(app.os, hive, kDelayKey, command);
    for (std::string_view subkey : {"Time", "Parameters", "Shortcuts", "Applet", "Title"}) {
        settings::delete_value(app.os, hive, sub(subkey), command);
    }
}

}  // namespace sx::startup
