#include "inventory/undo.h"

#include "inventory/hidden_files.h"
#include "startup/disabled_store.h"
#include "startup/history.h"

namespace sx::inventory {

int UndoHistoryRecord(AppState& app, size_t index) {
    const StartupEntry* found = app.items.at(index);
    if (!found) return 0;
    const StartupEntry entry = *found;  // the actions below may refill the list
    switch (entry.flag) {
        case startup::event::start_remove:
            return startup::RestoreStartupEntry(app, entry.title, entry.command, entry.location, entry.type,
                                                entry.extra);
        case startup::event::start_disable:
        case startup::event::start_enable:
            return startup::ToggleStartupEntry(app, entry.title, entry.command, entry.location, entry.type);
        case startup::event::iehelper_remove:
            // regsvr32 comes from the system folder only, and the DLL path is quoted.
            return app.os.shell.run(app.os.system.system_folder() + "\\regsvr32.exe /s \"" + entry.command + "\"",
                                    platform::kShowNormal)
                       ? 1
                       : 0;
        case startup::event::hidden_delete_file:
            return RestoreHiddenFile(app, entry.command);
        default:
            return 0;
    }
}

}  // namespace sx::inventory
