// Command path resolution on arbitrary commands: the result stays a path-sized, upper-case slice of
// what it was given.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "programinfo/resolve.h"

namespace {

constexpr std::string_view kWindows = "C:\\windows";
constexpr std::string_view kProgramFiles = "C:\\Program Files";

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view command(reinterpret_cast<const char*>(data), size);
    const std::string path = sx::programinfo::resolve_command(command, kWindows, kProgramFiles);
    check(path.size() <= sx::programinfo::kPathMax);
    for (char c : path) check(c < 'a' || c > 'z');
    // Without a folder prefix the result is a piece of the command itself.
    if (sx::programinfo::command_prefix(command.substr(0, sx::programinfo::kPathMax)) ==
        sx::programinfo::CommandPrefix::none) {
        check(path.size() <= command.size());
    }
    // Resolving again changes nothing more than the first pass did.
    const std::string again = sx::programinfo::resolve_command(path, kWindows, kProgramFiles);
    check(again.size() <= sx::programinfo::kPathMax);
    return 0;
}
