// The five texts of a program file's version resource that the lists, the information window and the
// reports show, and the cache that reads each distinct file once.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace sx {

// A version text longer than this counts as empty.
inline constexpr size_t kVersionTextMax = 127;

struct VersionTexts {
    std::string ProductName;
    std::string ProductVersion;
    std::string CompanyName;
    std::string FileDescription;
    std::string LegalCopyright;

    static constexpr size_t kCount = 5;
    // The resource names, in slot order.
    static constexpr std::array<std::string_view, kCount> kNames = {
        "ProductName", "ProductVersion", "CompanyName", "FileDescription", "LegalCopyright"};
    // Slot i of the five, in kNames order; i is taken modulo kCount.
    std::string& slot(size_t i);
    const std::string& slot(size_t i) const;

    bool operator==(const VersionTexts&) const = default;
};

// Version texts read once per distinct program file. A list fill asks for the same file's texts for
// several columns and often for many rows; reading a file maps it, which is what makes a long list slow.
class VersionCache {
public:
    using Reader = std::function<void(std::string_view file, VersionTexts& out)>;
    // More distinct files than this in one fill start the cache afresh.
    static constexpr size_t kMaxFiles = 8192;

    // The texts of `file` (paths compared case-insensitively), read by `read` on first use.
    const VersionTexts& get(std::string_view file, const Reader& read);

    void clear() { entries_.clear(); }
    size_t size() const { return entries_.size(); }

private:
    struct NoCaseLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    std::map<std::string, VersionTexts, NoCaseLess> entries_;
};

}  // namespace sx
