// Version texts read once per distinct program file. A list fill asks for the same file's texts for
// several columns and often for many rows; each Files::version_block call maps the file, which is
// what makes a long list slow.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "programinfo/version_texts.h"

namespace sx::programinfo {

class VersionCache {
public:
    // More distinct files than this in one fill start the cache afresh.
    static constexpr size_t kMaxFiles = 8192;

    // The texts of `file` (paths compared case-insensitively), read on first use.
    const VersionTexts& get(platform::Platform& os, std::string_view file);
    // As ReadVersionTexts: true when ProductName is not empty.
    bool read(platform::Platform& os, std::string_view file, VersionTexts& out);

    void clear() { entries_.clear(); }
    size_t size() const { return entries_.size(); }

private:
    struct NoCaseLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    std::map<std::string, VersionTexts, NoCaseLess> entries_;
};

}  // namespace sx::programinfo
