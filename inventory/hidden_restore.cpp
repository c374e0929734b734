#include "inventory/hidden_restore.h"

#include "common/text.h"
#include "programinfo/file_facts.h"
#include "programinfo/notes.h"
#include "settings/store.h"

namespace sx::inventory {

int RestoreHiddenFile(AppState& app, std::string_view path) {
    const std::string vault_copy = programinfo::user_data_folder(app.os) + "\\vault\\" + std::string(file_part(path));
    // The vault copy is deleted only once the file is in place again.
    bool deleted = false;
    if (app.os.files.copy(vault_copy, path, false)) {
        app.os.files.set_attributes(path, platform::attr::hidden);
        app.os.files.set_attributes(vault_copy, platform::attr::normal);
        deleted = app.os.files.remove(vault_copy);
    }
    settings::write_text(app.os, platform::Root::current_user, kKnownHiddenKey, path,
                         programinfo::FormatLocalDate(app.os, app.os.system.now()));
    return deleted ? 1 : 0;
}

}  // namespace sx::inventory
