// The scan log of the demo system against the enumerations it runs: what writing the log adds to
// listing what it lists (the environment, the registry and profile values, the version texts of the
// services, the text and the file). Run it under Wine (tools/bench/run.sh).
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "common/state.h"
#include "inventory/activex.h"
#include "inventory/browser_scans.h"
#include "inventory/hidden_files.h"
#include "inventory/services.h"
#include "inventory/tasks.h"
#include "platform/win32/win32_platform.h"
#include "reports/cookies.h"
#include "reports/file_types.h"
#include "reports/output.h"
#include "reports/scan_log.h"
#include "startup/active_tasks.h"
#include "startup/catalogue.h"
#include "startup/delayed.h"
#include "startup/item_list.h"
#include "tests/support/silent_prompts.h"
#include "tools/demo/demo_system.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRounds = 7;

double ms_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Every enumeration the scan log runs, in its order, and nothing else.
void enumerations(sx::AppState& app) {
    using namespace sx;
    startup::ListProcesses(app);
    inventory::ScanBrowserHelperObjects(app);
    inventory::ScanToolbars(app);
    startup::ClearItems(app);
    startup::EnumerateRunKeys(app);
    startup::ClearItems(app);
    startup::EnumerateStartupFolders(app);
    inventory::ScanMenuExtensions(app);
    inventory::ScanExtensionButtons(app);
    inventory::ScanAdvancedOptions(app);
    inventory::ScanPlugins(app);
    inventory::ScanZoneDomains(app);
    inventory::ScanDownloadedControls(app);
    inventory::ScanDelayLoadObjects(app);
    inventory::ScanSharedTaskSchedulers(app);
    inventory::ListServices(app);
    reports::CountIECookies(app);
    reports::CountMozillaCookies(app);
    startup::EnumerateDelayed(app);
    inventory::ListScheduledTasks(app);
    inventory::ListAllActiveXControls(app);
    inventory::ListHiddenFiles(app);
    reports::BuildAssociationList(app);
}

}  // namespace

int main() {
    CoInitialize(nullptr);
    const sx::demo::Result seeded = sx::demo::seed();
    if (!seeded.ok) {
        std::printf("demo seed failed: %s\n", seeded.errors.empty() ? "" : seeded.errors[0].c_str());
        return 1;
    }
    sx::fake::SilentPrompts prompts;
    sx::win32::Win32Platform real(prompts);
    sx::AppState app(real.os());
    app.caption = "SentrixToGo Zentra";
    std::vector<double> listing, logging;
    size_t bytes = 0;
    for (int round = 0; round < kRounds; ++round) {
        sx::AppState own(real.os());
        Clock::time_point start = Clock::now();
        enumerations(own);
        listing.push_back(ms_since(start));
        start = Clock::now();
        const std::string text = sx::reports::scan_log_text(sx::reports::GatherScanLog(app));
        if (!sx::reports::WriteReportFile(app, sx::reports::kScanLogName, text)) {
            std::printf("the scan log could not be written\n");
            return 1;
        }
        logging.push_back(ms_since(start));
        bytes = text.size();
    }
    const double list_ms = median(listing), log_ms = median(logging);
    std::printf("scan log of the demo system (%zu bytes), median of %d rounds:\n", bytes, kRounds);
    std::printf("  enumerations it runs:  %8.1f ms\n", list_ms);
    std::printf("  whole log, written:    %8.1f ms\n", log_ms);
    std::printf("  log / enumerations:    %8.2fx (at most 2x)\n", log_ms / list_ms);
    sx::demo::reset();
    CoUninitialize();
    return log_ms <= 2 * list_ms ? 0 : 2;
}
