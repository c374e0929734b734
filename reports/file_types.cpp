#include "reports/file_types.h"

#include "common/text.h"
#include "programinfo/resolve.h"
#include "programinfo/version_texts.h"
#include "settings/store.h"
#include "startup/item_list.h"

namespace sx::reports {

namespace {

using platform::Root;

constexpr size_t kListBuffer = 1024, kTokenMax = 256, kKeyPathMax = 254, kCommandBuffer = 261,
                 kDescriptionBuffer = 1024;

std::string read(AppState& app, Root root, std::string_view key, std::string_view name, size_t size) {
    return settings::read_text(app.os, root, key, name, size);
}

}  // namespace

bool ResolveAssociation(AppState& app, std::string_view extension, int source, Association& out) {
    const std::string ext = extension.starts_with('.') ? std::string(extension) : "." + std::string(extension);
    const std::string user_choice = std::string(kFileExtsKey) + "\\" + ext;
    std::string handler, command_key;
    Root command_root = Root::classes_root;
    switch (source) {
        case 1:
            handler = read(app, Root::local_machine, "Software\\Classes\\" + ext, "", settings::kValueBuffer);
            command_root = Root::local_machine;
            command_key = "Software\\Classes\\" + handler;
            break;
        case 2:
            handler = read(app, Root::current_user, user_choice, "Application", settings::kValueBuffer);
            command_key = "Applications\\" + handler;
            break;
        case 3:
            handler = read(app, Root::current_user, user_choice, "ProgID", settings::kValueBuffer);
            command_key = handler;
            break;
        case 4:
            handler = read(app, Root::classes_root, ext, "", settings::kValueBuffer);
            command_key = handler;
            break;
        default: return false;
    }
    if (handler.empty()) return false;
    command_key = cut(command_key + "\\shell\\open\\command", kKeyPathMax);
    const std::string command = read(app, command_root, command_key, "", kCommandBuffer);
    if (command.empty()) return false;
    out = {cut(handler, programinfo::kPathMax + 1), command};
    return true;
}

int BuildAssociationList(AppState& app) {
    startup::ClearItems(app);
    int count = 0;
    const std::string list = read(app, Root::current_user, kClassListKey, "", kListBuffer);
    size_t at = 0;
    while (at < list.size()) {
        const size_t end = std::min(list.find(';', at), list.size());
        const std::string extension = "." + cut(std::string_view(list).substr(at, end - at), kTokenMax);
        at = end + 1;
        for (int source = 1; source <= 3; ++source) {
            Association found;
            if (!ResolveAssociation(app, extension, source, found) || found.handler.empty()) continue;
            std::string title = read(app, Root::local_machine, "Software\\Classes\\" + found.handler, "", kDescriptionBuffer);
            std::string location = found.handler;
            if (title.empty()) {
                VersionTexts texts;
                programinfo::ReadVersionTexts(app.os, programinfo::ResolveProgramPath(app.os, found.command), texts);
                title = texts.ProductName;
                location = texts.FileDescription;
            }
            count += startup::AddItem(app, title, found.command, location, extension, code::file_type, source);
        }
    }
    return count;
}

}  // namespace sx::reports
