// Windows' own startup switch (Windows 8 and later): it switches a Run or startup-folder entry off
// without removing it, in a binary value named as the entry below ...\Explorer\StartupApproved\Run,
// \Run32 (the 32-bit view's Run key) or \StartupFolder, in the entry's hive. The lowest bit of the
// first byte is the switch (set: off); bytes 4-11, when there, are the time it was switched off.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/state.h"

namespace sx::startup {

inline constexpr std::string_view kApprovedKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved";
inline constexpr std::string_view kApprovedSubkeys[] = {"Run", "Run32", "StartupFolder"};
// A longer value is no switch Windows wrote: it is neither read as one nor removed with its entry.
inline constexpr size_t kSwitchValueMax = 64;

// Where the switch of an entry is.
struct SwitchSlot {
    platform::Root root;
    std::string path;
    std::string name;
};
// The slot of a Run entry of HKLM or HKCU (codes 1, 11), of the 32-bit view (21), or of a
// startup-folder file (200: by its file name, in the machine's hive for the all-users folder, the
// user's for any other). Nothing for other codes.
std::optional<SwitchSlot> switch_slot(AppState& app, int type, std::string_view title, std::string_view command,
                                      std::string_view location);

struct WindowsSwitch {
    bool off = false;
    uint64_t since = 0;  // FILETIME of switching off; 0 when the value does not tell
};
// What a value says; nothing when it is no switch (not binary, empty, longer than kSwitchValueMax).
std::optional<WindowsSwitch> parse_switch(const platform::RegValue& value);
// The bytes of a switch value switched on: the lowest bit of the first byte and the time cleared.
std::string switched_on(std::string_view bytes);

// A switch value's bytes as a history record carries them ("StartupApproved:0300..."), and back;
// nothing for a text that is no such record.
std::string switch_record(std::string_view bytes);
std::optional<std::string> switch_from_record(std::string_view text);

// Every switch value of both hives, read once for a list fill.
class WindowsSwitches {
public:
    explicit WindowsSwitches(AppState& app);
    // The switch of an entry as it was when the fill began; nothing when it has none.
    std::optional<WindowsSwitch> of(AppState& app, const StartupEntry& entry) const;

private:
    struct Read {
        platform::Root root;
        std::string path;
        std::vector<platform::RegValue> values;
    };
    std::vector<Read> keys_;
};

// The state of a listed startup entry: switched off by this program (its disabled marker), else by
// Windows, else on. For the reports' startup rows.
enum class EntryState { on, disabled, off_by_windows };
EntryState StartupEntryState(AppState& app, size_t index);
// "(switched off by Windows)" for an entry Windows has switched off, else empty: the word the
// reports add to a startup row.
std::string WindowsOffWord(AppState& app, const StartupEntry& entry);
// The status line's note that Windows switched entry `index` off, with the time when the value
// tells it; empty when Windows has not switched it off.
std::string WindowsSwitchText(AppState& app, size_t index);

}  // namespace sx::startup
