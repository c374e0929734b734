// The program's message boxes and small dialogs, and the prompts the logic asks through.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/prompts.h"
#include "ui/win32/frame.h"

namespace sx::ui {

// Questions of the logic as message boxes owned by the page on show (else the main window).
class WindowPrompts : public platform::Prompts {
public:
    void attach(Frame& frame) { frame_ = &frame; }
    bool ask(std::string_view text, platform::Icon icon) override;
    void tell(std::string_view text, platform::Icon icon) override;
    bool confirm_special_removal(std::string_view title, std::string_view command, bool microsoft_file) override;

private:
    HWND owner() const;
    Frame* frame_ = nullptr;
};

// The error dialog with one string of the string table.
void show_error(Frame& frame, unsigned string_id);

// Moves a window to its stored top-left corner, or centres it when none is stored.
void place_window_at(Frame& frame, HWND window, std::string_view left, std::string_view top);
// Moves the sheet to its stored position and size (nothing when none is stored).
void place_window(Frame& frame, HWND window, std::string_view left, std::string_view top, std::string_view width,
                  std::string_view height);
void centre_window(HWND window);

}  // namespace sx::ui
