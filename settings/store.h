// The settings store: the few registry operations every other part of the program reaches the
// registry through, and the keys of the program's own tree.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace sx::settings {

using platform::Root;

inline constexpr std::string_view kSentrixKey = "Software\\Orvane\\Sentrix";
inline constexpr std::string_view kOptionsKey = "Software\\Orvane\\Sentrix\\Options";
inline constexpr std::string_view kDetectedKey = "Software\\Orvane\\Detected";
inline constexpr std::string_view kKnownEntriesKey = "Software\\Orvane\\Sentrix\\Run";

// Size of the buffer a value is queried into: longer data reads as empty.
inline constexpr size_t kValueBuffer = 1024;

bool create_key(platform::Platform& os, Root root, std::string_view path);
// The text of a value when it is shorter than `size`; empty otherwise and on any failure.
// REG_EXPAND_SZ is expanded; any other type is read as the bytes up to the first zero.
std::string read_text(platform::Platform& os, Root root, std::string_view path, std::string_view name,
                      size_t size);
bool write_text(platform::Platform& os, Root root, std::string_view path, std::string_view name,
                std::string_view text);
// `text`, read from the value `name`, as the system shows it: an indirect text ("@file,-id") becomes
// the text it names in its file; one that cannot be loaded, and any other text, stays as it is.
std::string shown_text(platform::Platform& os, Root root, std::string_view path, std::string_view name,
                       std::string text);

// Every value of one key read at once, each as read_text would read it: for a list fill that would
// otherwise query the same key once per row.
class KeyTexts {
public:
    KeyTexts() = default;
    KeyTexts(platform::Platform& os, Root root, std::string_view path, size_t size);
    // read_text(os, root, path, name, size) as it was when the key was read.
    std::string text(std::string_view name) const;
    void set(std::string_view name, std::string_view text) { texts_[std::string(name)] = std::string(text); }

private:
    struct NoCaseLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    std::map<std::string, std::string, NoCaseLess> texts_;
};
bool write_dword(platform::Platform& os, Root root, std::string_view path, std::string_view name,
                 uint32_t value);
// 256 times the second byte plus the first, each taken as signed 8-bit; 0 when unreadable.
int read_word(platform::Platform& os, Root root, std::string_view path, std::string_view name);
bool delete_value(platform::Platform& os, Root root, std::string_view path, std::string_view name);
// Deletes the key with all its subkeys; true when the key is gone.
bool delete_tree(platform::Platform& os, Root root, std::string_view path);

// An option of HKCU Software\Orvane\Sentrix\Options as a decimal number; `fallback` when the value is
// absent or empty.
int read_option(platform::Platform& os, std::string_view name, int fallback);

// Deletes the per-string overrides and every stored window position ("-Restore").
void reset_own_values(platform::Platform& os);

}  // namespace sx::settings
