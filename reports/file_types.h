// The monitored file types: for each extension of the settings' list, the program that opens it in
// each place the registry keeps such a choice, as records of the shared item list.
#pragma once

#include <string>
#include <string_view>

#include "common/state.h"

namespace sx::reports {

inline constexpr std::string_view kClassListKey = "Software\\Orvane\\Sentrix\\Class";
inline constexpr std::string_view kFileExtsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";

struct Association {
    std::string handler;  // class, application or ProgID
    std::string command;  // the open command as read
};

// The association of `extension` (with or without its dot) in `source`: 1 machine classes, 2 the
// user's application choice, 3 the user's ProgID choice, 4 the merged classes root. False when the
// source has none.
bool ResolveAssociation(AppState& app, std::string_view extension, int source, Association& out);

// Empties the shared item list and lists the association of each monitored extension in sources 1
// to 3 (type 400, flag = source). Returns the number listed.
int BuildAssociationList(AppState& app);

}  // namespace sx::reports
