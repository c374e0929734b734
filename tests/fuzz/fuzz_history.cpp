// The history file reader on arbitrary bytes: every field limit and record end holds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "startup/history.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const sx::startup::HistoryRecord& r : sx::startup::parse_history(bytes)) {
        if (r.date.size() >= 32 || r.title.size() >= 128 || r.command.size() >= 260 || r.location.size() >= 260) {
            __builtin_trap();
        }
    }
    return 0;
}
