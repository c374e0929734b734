// Which help page belongs to a page command.
#pragma once

#include <string>
#include <string_view>

namespace sx::ui {

// The vendor's web site root, where help pages live when they are not beside the program.
inline constexpr std::string_view kHelpWebAddress = "https://www.orvane.com/sentrix/";

std::string_view help_page(int page_command);
// The help file name for a language code: "startup.html" in English ("us"), "de_startup.html" else.
std::string help_page_name(std::string_view language_code, int page_command);

}  // namespace sx::ui
