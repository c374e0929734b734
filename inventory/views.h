// The two registry views of a 64-bit system as the browser inventories read them. The 64-bit
// browser reads the native keys; the 32-bit one reads HKLM SOFTWARE\Wow6432Node\... and its classes
// below HKCR\Wow6432Node\CLSID. Most add-ons of a 64-bit system are registered for the 32-bit one.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "common/items.h"

namespace sx::inventory {

inline constexpr std::array<View, 2> kViews = {View::native, View::wow32};

// A path below HKLM "SOFTWARE\..." as `view` sees it: the 32-bit view puts "Wow6432Node" after the
// first component.
inline std::string in_view(std::string_view path, View view) {
    if (view == View::native) return std::string(path);
    const size_t slash = path.find('\\');
    if (slash == std::string_view::npos) return std::string(path) + "\\Wow6432Node";
    return std::string(path.substr(0, slash)) + "\\Wow6432Node" + std::string(path.substr(slash));
}

// What a location text adds for a record of the 32-bit view.
inline constexpr std::string_view kWow32Mark = " (32-bit)";
inline std::string_view view_mark(View view) { return view == View::wow32 ? kWow32Mark : std::string_view(); }

}  // namespace sx::inventory
