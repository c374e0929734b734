// A small machine on the fakes with something in every place the reports look: autostarts whose
// titles hold markup, commas, quotes and line breaks, the browser's add-ons and settings, services,
// tasks, hidden files, file types, cookies, a hosts file and the program's own settings.
#pragma once

#include <string>

#include "common/state.h"
#include "tests/support/fake_platform.h"

namespace sx::reports::test {

inline constexpr char kProgramFolder[] = "C:\\Program Files\\Sentrix";
inline constexpr char kUserFolder[] = "C:\\users\\root\\AppData\\Roaming\\Sentrix";
inline constexpr char kUpdater[] = "C:\\Program Files\\Northwind\\NwUpdate.exe";
inline constexpr char kMarkupTitle[] = "Northwind <script>alert('x')</script> & \"Update\"";
inline constexpr char kAwkwardTitle[] = "Tailspin, \"Launcher\"\r\nsecond line";
inline constexpr char kHiddenFile[] = "C:\\windows\\SxHidden.dat";

struct ReportMachine {
    fake::FakePlatform fake;
    AppState app{fake.os};
    ReportMachine();
    // Regenerates the golden file when SX_UPDATE_GOLDEN is set; else its bytes.
    static std::string golden(const std::string& name, const std::string& produced);
};

}  // namespace sx::reports::test
