// The first-detected store: the date and time each item was first seen, kept by the resident monitor
// below HKCU Software\Orvane\Detected\<category>, one text value per item named by its key text.
// This program only reads it.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "settings/store.h"

namespace sx::programinfo {

// The buffer a first-detected value is read into: a stored text must be shorter to be shown.
inline constexpr size_t kDetectedBuffer = 24;

// The category subkey of a type code ("Startup" for every code below 300, "ActiveTasks" for
// processes and any code of 300 or more that has no category of its own).
std::string_view detected_category(int type);

// The key of the category of `type` ("Software\Orvane\Detected\Startup").
std::string category_key(int type);

// The stored text for `key` in the category of `type`; empty when the tree, the category or the
// value is missing, when the text has kDetectedBuffer characters or more, and for an empty key.
std::string ReadFirstDetected(platform::Platform& os, std::string_view key, int type);

// First-detected texts for a list fill: each category's key is read once, when first asked for;
// text(path, type) is ReadFirstDetected(os, path, type) as it was then.
class DetectedTexts {
public:
    explicit DetectedTexts(platform::Platform& os) : os_(os) {}
    std::string text(std::string_view path, int type);

private:
    const settings::KeyTexts& category(int type);
    platform::Platform& os_;
    std::map<std::string_view, settings::KeyTexts> categories_;
};

// The monitor records first-detected dates; this program records nothing.
int RecordFirstDetected();

// What a list fill shows in its first-detected column for an item's command: the command is
// resolved to its program's full path, the store read, and read once more after RecordFirstDetected
// when nothing was found.
std::string first_detected_text(platform::Platform& os, std::string_view command, int type);

}  // namespace sx::programinfo
