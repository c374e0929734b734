// The add-ons registered for Internet Explorer: browser helper objects, toolbars and toolbar buttons
// (extensions), listed for the IE Helpers page from both registry views, and removed on request.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/state.h"

namespace sx::inventory {

// Below HKLM, in the native view (in_view gives the 32-bit one).
inline constexpr std::string_view kBhoKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
inline constexpr std::string_view kToolbarKey = "SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar";
inline constexpr std::string_view kExtensionsKey = "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions";

// Longest subkey or value name the inventories read; longer names are passed over.
inline constexpr size_t kNameMax = 255;

// The key (below HKLM) a helper of `type` (900-902) is registered in, in `view`; empty for other codes.
std::string registration_key(int type, View view);
// Where a helper row is registered, for the user: "HKLM\" and its kind's key in its view.
std::string RegistrationText(const StartupEntry& row);
// The "Type" column text of a helper kind: "BHO", "TOOLBAR", "EXTENSION"; empty for other codes.
std::string_view helper_kind_text(int type);

// Empties the shared item list and fills it with the helpers of both views: helper objects,
// toolbars, extensions. A registration of the 32-bit view that reads exactly like the native one
// (the same name and program) is the same one seen twice and listed once. Returns the rows added.
int ListIEHelpers(AppState& app);

// Removes every helper row whose command is `command` (that of row `index`): each row's own
// registration in its own view, then, when all of them are gone and the DLL still exists, the DLL's
// class registration through "regsvr32 /u /s". A registration that cannot be deleted stays as it was
// and the user is told, and the DLL is then left registered. Returns the registrations deleted.
int RemoveIEHelper(AppState& app, std::string_view command, size_t index);

}  // namespace sx::inventory
