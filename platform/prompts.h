// Questions and messages that the logic puts to the user. The window layer answers them with real
// message boxes and dialogs; tests answer them from a script.
#pragma once

#include <string_view>

namespace sx::platform {

enum class Icon { none, information, question, exclamation, stop };

class Prompts {
public:
    virtual ~Prompts() = default;

    // A Yes/No question; true for Yes.
    virtual bool ask(std::string_view text, Icon icon) = 0;
    // A message with an OK button.
    virtual void tell(std::string_view text, Icon icon) = 0;
    // The warning before a special startup entry is removed: true only when the user ticked
    // "really remove" and pressed OK.
    virtual bool confirm_special_removal(std::string_view title, std::string_view command,
                                         bool microsoft_file) = 0;
};

}  // namespace sx::platform
