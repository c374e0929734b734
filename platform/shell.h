// Shell links and shell execution.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sx::platform {

struct Shortcut {
    std::string target;
    std::string arguments;
    std::string working_folder;
    std::string description;
    std::string icon;
    int icon_index = 0;
};

// ShowWindow commands the logic passes on.
inline constexpr int kShowNormal = 1;   // SW_SHOWNORMAL
inline constexpr int kShow = 5;         // SW_SHOW
inline constexpr int kShowDefault = 10; // SW_SHOWDEFAULT

// An owner window as an opaque number, so logic can pass it through without <windows.h>.
using WindowRef = uintptr_t;

class Shell {
public:
    virtual ~Shell() = default;

    // Loads and resolves a shortcut file without user interface; empty when it cannot be loaded.
    virtual std::optional<Shortcut> read_shortcut(std::string_view path) = 0;
    virtual bool save_shortcut(std::string_view path, const Shortcut& link) = 0;
    // ShellExecuteA; true when the system reports success.
    virtual bool execute(WindowRef owner, std::string_view verb, std::string_view file,
                         std::string_view parameters, std::string_view folder, int show) = 0;
    // The file's property sheet (ShellExecuteExA, verb "properties", SEE_MASK_INVOKEIDLIST).
    virtual bool properties(WindowRef owner, std::string_view file, std::string_view folder) = 0;
    // Starts a command line (WinExec); true when it started.
    virtual bool run(std::string_view command_line, int show) = 0;
    // Opens a file with its "open" verb and waits, up to `wait_ms`, until the program the shell
    // started for it has ended, so that a file made only for it can be deleted afterwards. True when
    // the shell reports success.
    virtual bool open_and_wait(WindowRef owner, std::string_view file, unsigned wait_ms) = 0;
    // An Internet shortcut file to `address` (the shell's Internet-shortcut object); true when saved.
    virtual bool save_internet_shortcut(std::string_view path, std::string_view address) = 0;
    // Whether a top-level window of this class and caption exists.
    virtual bool find_window(std::string_view class_name, std::string_view caption) = 0;
    // Repaints the taskbar, so the icons of programs that were just stopped disappear.
    virtual void refresh_taskbar() {}
};

}  // namespace sx::platform
