#include "startup/item_list.h"

#include "common/state.h"
#include "common/text.h"
#include "programinfo/resolve.h"

namespace sx::startup {

int AddItem(AppState& app, std::string_view title, std::string_view command, std::string_view location,
            std::string_view description, int type, int flag) {
    ItemList& items = app.items;
    if (items.full()) return 0;
    if (type == 500 && static_cast<long long>(items.count()) >= app.settings.max_cookie) return 0;

    StartupEntry entry;
    const std::string plain = without_quotes(cut(command, kCommandMax));
    const bool long_enough = plain.size() >= 4;
    entry.command = long_enough ? programinfo::long_path_form(app.os, plain) : plain;
    const std::string place = cut(location, kLocationMax);
    entry.location = long_enough ? programinfo::long_path_form(app.os, place) : place;
    // A long-path form can be longer than the short one it replaces.
    entry.command = cut(entry.command, kCommandMax);
    entry.location = cut(entry.location, kLocationMax);

    entry.title = entry_title(title, entry.command, app.caption);

    entry.description = cut(description, kDescriptionMax);
    entry.type = type;
    entry.flag = flag;
    items.push(std::move(entry));
    return 1;
}

void ClearItems(AppState& app) { app.items.clear(); }

}  // namespace sx::startup
