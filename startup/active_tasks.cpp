#include "startup/active_tasks.h"

#include <set>
#include <string>

#include "common/text.h"
#include "programinfo/resolve.h"
#include "programinfo/version_texts.h"
#include "res/resource_ids.h"
#include "settings/strings.h"
#include "startup/history.h"
#include "startup/item_list.h"
#include "startup/type_codes.h"

namespace sx::startup {

namespace {

struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const { return icompare(a, b) < 0; }
};

}  // namespace

int ListProcesses(AppState& app) {
    ClearItems(app);
    std::set<std::string, NoCaseLess> seen;
    app.os.processes.walk([&](const platform::ProcessEntry& p) {
        if (p.file.empty()) return true;
        const std::string path = programinfo::ResolveProgramPath(app.os, p.file);
        if (path.empty() || !seen.insert(path).second) return true;
        const VersionTexts& v = programinfo::cached_version_texts(app, path);
        AddItem(app, v.FileDescription, path, {}, {}, code::process, static_cast<int>(p.pid));
        return true;
    });
    return static_cast<int>(app.items.count());
}

uint32_t FindProcessOf(AppState& app, std::string_view command) {
    const std::string wanted = programinfo::ResolveProgramPath(app.os, command);
    if (wanted.empty()) return 0;
    uint32_t found = 0;
    app.os.processes.walk([&](const platform::ProcessEntry& p) {
        if (p.file.empty()) return true;
        const std::string path = programinfo::long_path_form(app.os, programinfo::ResolveProgramPath(app.os, p.file));
        if (iequals(path, wanted) || iequals(wanted, file_part(p.file))) {
            found = p.pid;
            return false;
        }
        return true;
    });
    return found;
}

uint32_t StopProgram(AppState& app, std::string_view command, std::string_view title, bool ask) {
    const uint32_t pid = FindProcessOf(app, command);
    if (pid == 0) return 0;
    if (ask) {
        const std::string question =
            fill_in(settings::load_string(app, IDS_CONFIRM_STOP_PROGRAM), title.empty() ? command : title);
        if (!app.os.prompts.ask(question, platform::Icon::question)) return 0;
    }
    if (!app.os.processes.terminate(pid, true)) return 0;
    AppendHistory(app, title, command, {}, code::process, event::task_kill);
    app.os.shell.refresh_taskbar();
    return pid;
}

bool RunProgram(AppState& app, const StartupEntry& entry) {
    platform::Platform& os = app.os;
    const programinfo::CommandParts parts = programinfo::SplitCommand(os, entry.command);
    std::string file = parts.program;
    bool started = false;
    if (!file.empty() && programinfo::ProgramFileExists(os, file)) {
        if (file.find('\\') == std::string::npos) file = programinfo::ProgramFolder(os, file) + "\\" + file;
        const std::string folder = programinfo::ProgramFolder(os, file);
        // RUNDLL32 takes the DLL and its entry point as one word: "file",Entry arguments.
        const bool hosted = entry.flag == 1;
        const std::string program = hosted ? os.system.system_folder() + "\\rundll32.exe" : file;
        std::string line = "\"" + program + "\"";
        if (hosted) line += " \"" + file + "\"";
        if (!parts.arguments.empty()) {
            if (!(hosted && parts.arguments.front() == ',')) line += ' ';
            line += parts.arguments;
        }
        started = os.processes.launch(program, line, folder, platform::kShowNormal);
    }
    if (!started) {
        os.prompts.tell(fill_in(settings::load_string(app, IDS_RUN_FAILED), entry.title.empty() ? entry.command : entry.title),
                        platform::Icon::exclamation);
    }
    return started;
}

bool KillProcess(AppState& app, uint32_t pid) { return app.os.processes.terminate(pid, false); }

}  // namespace sx::startup
