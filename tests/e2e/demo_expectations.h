// What the Startup Programs page must show on the seeded demo system, written down row by row from
// the seeding tables and the program's listing rules, and the type codes behind the Type column.
#pragma once

#include <string>
#include <vector>

#include "tools/e2e/driver.h"

namespace sx::e2e::test {

struct ExpectedRow {
    std::string title;
    std::string command;   // the Command column
    std::string company;
    std::string type;      // the Type column text
    std::string detected;  // the First Detected column
    int type_code;         // the entry's type code (for a disabled entry: its marker)
    bool rundll;           // the command was started through RUNDLL32.EXE (flag 1)
};

// Every row in listing order; `special` adds the special locations (check box 1014 ticked).
std::vector<ExpectedRow> expected_startup_rows(bool special);

// The row's cells as the list view shows them.
Row cells(const ExpectedRow& row);

// The type code named by a Type column text ("HKCU_RUN" -> 11); -1 for any other text.
int type_code_of(const std::string& type_text);

// Titles of rows whose presence the program and the listing rules disagree about (see the tests
// named after them); the full-table comparison leaves them out.
inline constexpr char kBrokenShortcutTitle[] = "Litware Agent (old version)";
inline constexpr char kBinaryRunValueTitle[] = "FabrikamBinary";

}  // namespace sx::e2e::test
