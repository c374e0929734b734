// The text rules of startup entries on arbitrary input: the RUNDLL32 split and the title an entry
// gets. Neither may read outside its text, and both keep their limits.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "startup/catalogue.h"
#include "startup/item_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string command;
    if (sx::startup::rundll32_command(input, command) && command.size() > input.size()) __builtin_trap();
    // Split the input into a title and a command at its first zero.
    const size_t zero = input.find('\0');
    const std::string_view title = input.substr(0, zero);
    const std::string_view rest = zero == std::string_view::npos ? std::string_view() : input.substr(zero + 1);
    const std::string made = sx::entry_title(title, rest, "Caption");
    if (made.size() > sx::kTitleMax) __builtin_trap();
    return 0;
}
