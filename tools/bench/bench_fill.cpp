// What the user waits for: from starting "SentrixEx.exe -START" as a process until the Startup
// Programs list holds every row, for 100, 1000 and 4096 HKLM Run values that each name their own
// program file (with a version resource and an icon). Measured in the same run against
//  - the plain loop: RegEnumValueA, then GetFileVersionInfoSizeA + GetFileVersionInfoA +
//    VerQueryValueA for the company, then RegQueryValueExA for the first-detected date, per entry;
//  - the floor: a program that starts and shows an empty sheet (empty_sheet.exe).
// Prints per N the medians of three launches, the ratio (SentrixEx - floor) / loop, the cost per
// entry, SentrixEx's peak working set and the longest time its window left a WM_NULL unanswered
// during the fill; then the demo system's start-to-listed time. Run it with tools/bench/run.sh.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/process_state.h"
#include "common/state.h"
#include "common/text.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"
#include "startup/catalogue.h"
#include "tests/support/silent_prompts.h"
#include "tools/demo/demo_system.h"
#include "tools/e2e/driver.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr DWORD kBulkTimeoutMs = 180000;
constexpr DWORD kDemoTimeoutMs = 20000;
constexpr int kRounds = 3;

double ms_since(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

int plain_loop() {
    sx::win32::UniqueHkey run;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_READ,
                      run.put()) != ERROR_SUCCESS) {
        return 0;
    }
    sx::win32::UniqueHkey detected;
    RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvane\\Detected\\Startup", 0, KEY_READ, detected.put());
    std::string sink;
    int values = 0;
    for (DWORD i = 0;; ++i) {
        char name[512];
        BYTE data[1024];
        DWORD name_size = sizeof(name), data_size = sizeof(data) - 1, type = 0;
        const LONG r = RegEnumValueA(run.get(), i, name, &name_size, nullptr, &type, data, &data_size);
        if (r == ERROR_NO_MORE_ITEMS) break;
        if (r != ERROR_SUCCESS) continue;
        ++values;
        data[data_size] = 0;
        const char* path = reinterpret_cast<const char*>(data);
        DWORD unused = 0;
        const DWORD size = GetFileVersionInfoSizeA(path, &unused);
        if (size) {
            std::vector<char> block(size);
            WORD* translation = nullptr;
            UINT length = 0;
            if (GetFileVersionInfoA(path, 0, size, block.data()) &&
                VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length) &&
                length >= 4) {
                char query[64];
                std::snprintf(query, sizeof(query), "\\StringFileInfo\\%04x%04x\\CompanyName", translation[0],
                              translation[1]);
                char* company = nullptr;
                if (VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&company), &length)) sink = company;
            }
        }
        char when[64];
        DWORD when_size = sizeof(when);
        const std::string key = sx::upper(path);
        RegQueryValueExA(detected.get(), key.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(when), &when_size);
    }
    return values;
}

// The rows the page lists on this system, by the program's own enumeration.
int expected_rows(sx::platform::Platform& os) {
    sx::AppState app(os);
    sx::app::initialise_process_state(app);
    app.caption = "SentrixToGo Zentra";
    return sx::startup::EnumerateStartups(app, true);
}

struct Launch {
    double ms = -1;             // start to listed; -1 when it was not listed in time
    int rows_seen = -1;         // the last row count read
    double peak_mb = 0;         // peak working set
    double longest_wait_ms = 0; // longest WM_NULL round trip while the list fills
    double opening_wait_ms = 0; // the same from the first window until the list exists (the sheet is made)
};

// Any top-level window of the process, shown or not: a WM_NULL to it waits for the thread that owns
// every window of the program.
HWND any_window(DWORD process) {
    struct Search {
        DWORD process;
        HWND found;
    } search{process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s.process) return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Starts `program`, waits until the list of its sheet's page holds `rows` rows, and ends it.
Launch launch(const std::string& program, const std::string& arguments, int rows, DWORD timeout) {
    Launch result;
    sx::e2e::Process process;
    const Clock::time_point start = Clock::now();
    if (!process.start(program, arguments)) return result;
    HWND probed = nullptr, sheet = nullptr, list = nullptr;
    std::atomic<bool> filling{true};
    std::atomic<double> longest{0}, opening{0};
    std::atomic<bool> list_made{false};
    std::thread prober;
    const ULONGLONG end = GetTickCount64() + timeout;
    while (GetTickCount64() < end && process.running()) {
        if (!probed) {
            probed = any_window(process.id());
            if (probed) {
                // Another process's view of the program: how long a WM_NULL waits for an answer.
                prober = std::thread([&filling, &longest, &opening, &list_made, probed] {
                    while (filling) {
                        const Clock::time_point sent = Clock::now();
                        const bool filling_list = list_made;
                        DWORD_PTR answer = 0;
                        SendMessageTimeoutA(probed, WM_NULL, 0, 0, SMTO_NORMAL, kBulkTimeoutMs, &answer);
                        const double waited = ms_since(sent);
                        std::atomic<double>& worst = filling_list ? longest : opening;
                        if (waited > worst) worst = waited;
                        Sleep(5);
                    }
                });
            }
        }
        if (!sheet) sheet = sx::e2e::find_top_window(process.id(), "#32770", nullptr);
        if (sheet && !list) {
            HWND page = FindWindowExA(sheet, nullptr, "#32770", nullptr);
            if (page) list = GetDlgItem(page, sx::e2e::kListId);
            list_made = list != nullptr;
        }
        if (list) {
            DWORD_PTR count = 0;
            if (SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, timeout, &count)) {
                result.rows_seen = static_cast<int>(count);
                if (result.rows_seen == rows) {
                    result.ms = ms_since(start);
                    break;
                }
            }
        }
        Sleep(1);
    }
    filling = false;
    if (prober.joinable()) prober.join();
    result.longest_wait_ms = longest;
    result.opening_wait_ms = opening;
    PROCESS_MEMORY_COUNTERS memory{};
    if (GetProcessMemoryInfo(process.handle(), &memory, sizeof(memory))) {
        result.peak_mb = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    }
    process.kill();
    return result;
}

struct Summary {
    double ms, peak_mb, longest_wait_ms, opening_wait_ms;
    bool ok;
};

Summary launches(const std::string& program, const std::string& arguments, int rows, DWORD timeout) {
    std::vector<double> times, peaks;
    double wait = 0, opening = 0;  // the worst of all launches
    bool ok = true;
    for (int round = 0; round < kRounds; ++round) {
        const Launch l = launch(program, arguments, rows, timeout);
        if (l.ms < 0) std::printf("  %s %s: %d of %d rows listed after %lu ms\n", program.c_str(), arguments.c_str(),
                                  l.rows_seen, rows, static_cast<unsigned long>(timeout));
        ok = ok && l.ms >= 0;
        times.push_back(l.ms);
        peaks.push_back(l.peak_mb);
        wait = std::max(wait, l.longest_wait_ms);
        opening = std::max(opening, l.opening_wait_ms);
    }
    return {median(times), *std::max_element(peaks.begin(), peaks.end()), wait, opening, ok};
}

std::string build_file(const char* name) {
    const char* build = std::getenv("SX_BUILD_DIR");
    return sx::e2e::windows_path(std::string(build ? build : ".") + name);
}

}  // namespace

// Arguments: the entry counts to measure and "demo" (default: 100 1000 4096 demo).
int main(int argc, char** argv) {
    std::vector<int> counts;
    bool demo_system = argc < 2;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "demo") demo_system = true;
        else counts.push_back(std::atoi(argv[i]));
    }
    if (argc < 2) counts = {100, 1000, 4096};
    sx::win32::CoInit com;
    sx::fake::SilentPrompts prompts;
    sx::win32::Win32Platform platform(prompts);
    const std::string program = build_file("/SentrixEx.exe");
    const std::string floor_program = build_file("/tools/empty_sheet.exe");

    std::printf("Start to the Startup Programs page listed (medians of %d launches), against the plain loop and an "
                "empty sheet\n",
                kRounds);
    // WM_NULL: the longest a message to the program waited while the list filled, and before, while the
    // sheet was made; the worst of the launches.
    std::printf("%6s %6s %9s %9s %11s %7s %11s %11s %9s %9s %12s %12s\n", "N", "rows", "loop ms", "empty ms",
                "SentrixEx ms", "ratio", "loop ms/e", "Sx ms/e", "empty MB", "peak MB", "WM_NULL ms", "opening ms");
    bool all_ok = true;
    for (int n : counts) {
        const sx::demo::Result seeded = sx::demo::seed_bulk(n, {}, {}, sx::demo::Hive::machine);
        if (!seeded.ok) {
            std::printf("bulk seed of %d failed: %s\n", n, seeded.errors.empty() ? "" : seeded.errors[0].c_str());
            return 1;
        }
        const int rows = expected_rows(platform.os());
        std::vector<double> loops;
        int values = 0;
        for (int round = 0; round < kRounds; ++round) {
            const Clock::time_point start = Clock::now();
            values = plain_loop();
            loops.push_back(ms_since(start));
        }
        const Summary floor = launches(floor_program, {}, 0, kDemoTimeoutMs);
        const Summary sx = launches(program, "-START", rows, kBulkTimeoutMs);
        all_ok = all_ok && floor.ok && sx.ok;
        const double loop = median(loops);
        std::printf("%6d %6d %9.0f %9.0f %11.0f %7.2f %11.3f %11.3f %9.1f %9.1f %12.0f %12.0f%s\n", n, rows, loop,
                    floor.ms, sx.ms, (sx.ms - floor.ms) / loop, loop / std::max(values, 1),
                    (sx.ms - floor.ms) / std::max(rows, 1), floor.peak_mb, sx.peak_mb, sx.longest_wait_ms,
                    sx.opening_wait_ms, sx.ok && floor.ok ? "" : "  (not listed in time)");
    }
    sx::demo::reset_bulk();
    if (!demo_system) return all_ok ? 0 : 1;

    const sx::demo::Result seeded = sx::demo::seed();
    if (!seeded.ok) {
        std::printf("demo seed failed: %s\n", seeded.errors.empty() ? "" : seeded.errors[0].c_str());
        return 1;
    }
    const int rows = expected_rows(platform.os());
    const Summary floor = launches(floor_program, {}, 0, kDemoTimeoutMs);
    const Summary demo = launches(program, "-START", rows, kDemoTimeoutMs);
    std::printf("Demo system: %d rows, start to listed %.0f ms (empty sheet %.0f ms), peak %.1f MB%s\n", rows, demo.ms,
                floor.ms, demo.peak_mb, demo.ok ? "" : "  (not listed in time)");
    sx::demo::reset();
    return all_ok && demo.ok ? 0 : 1;
}
