// Prompts for tests and tools that run the real platform without a window: every question is
// answered No, and messages go nowhere.
#pragma once

#include "platform/prompts.h"

namespace sx::fake {

class SilentPrompts : public platform::Prompts {
public:
    bool ask(std::string_view, platform::Icon) override { return false; }
    void tell(std::string_view, platform::Icon) override {}
    bool confirm_special_removal(std::string_view, std::string_view, bool) override { return false; }
};

}  // namespace sx::fake
