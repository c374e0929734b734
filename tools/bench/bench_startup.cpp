// How long the startup listing takes per entry, against a plain loop that only does what any
// listing must: enumerate the Run values, read each program's version resource for its company,
// and query its first-detected value. 100, 1000 and 4096 Run values, each naming its own program
// file. Run it under Wine in a prefix of its own (tools/bench/run.sh).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "common/state.h"
#include "common/text.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"
#include "programinfo/first_detected.h"
#include "programinfo/resolve.h"
#include "programinfo/version_texts.h"
#include "startup/catalogue.h"
#include "tests/support/silent_prompts.h"
#include "tools/demo/demo_system.h"

namespace {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The plain loop: what every Run value costs at the least. Returns the number of values.
int plain_loop(std::string& sink) {
    sx::win32::UniqueHkey run;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_READ, run.put()) !=
        ERROR_SUCCESS) {
        return 0;
    }
    sx::win32::UniqueHkey detected;
    RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvane\\Detected\\Startup", 0, KEY_READ, detected.put());
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
            if (GetFileVersionInfoA(path, 0, size, block.data())) {
                WORD* translation = nullptr;
                UINT length = 0;
                if (VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                                   &length) &&
                    length >= 4) {
                    char query[64];
                    std::snprintf(query, sizeof(query), "\\StringFileInfo\\%04x%04x\\CompanyName", translation[0],
                                  translation[1]);
                    char* company = nullptr;
                    if (VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&company), &length)) sink = company;
                }
            }
        }
        char when[64];
        DWORD when_size = sizeof(when);
        const std::string key = sx::upper(path);
        if (RegQueryValueExA(detected.get(), key.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(when), &when_size) ==
            ERROR_SUCCESS) {
            sink += when;
        }
    }
    return values;
}

// What the Startup Programs list needs: the enumeration, and per row the company and the
// first-detected text. Returns the number of rows.
int program_listing(sx::AppState& app, std::string& sink) {
    const int rows = sx::startup::EnumerateStartups(app, false);
    for (const sx::StartupEntry& e : app.items.entries()) {
        sink = sx::programinfo::cached_version_texts(app, sx::programinfo::full_program_path(app.os, e.command)).CompanyName;
        sink += sx::programinfo::first_detected_text(app.os, e.command, e.type);
    }
    return rows;
}

}  // namespace

int main() {
    sx::win32::CoInit com;
    sx::fake::SilentPrompts prompts;
    sx::win32::Win32Platform platform(prompts);
    std::printf("Startup listing, per entry, against the plain loop (RegEnumValueA + GetFileVersionInfoSizeA/"
                "GetFileVersionInfoA/VerQueryValueA for the company + RegQueryValueExA for the first-detected value)\n");
    std::printf("%8s %12s %12s %14s %14s %8s\n", "entries", "loop ms", "listing ms", "loop ms/entry",
                "listing ms/entry", "ratio");
    for (int n : {100, 1000, 4096}) {
        const sx::demo::Result seeded = sx::demo::seed_bulk(n);
        if (!seeded.ok) {
            std::printf("bulk seed of %d failed: %s\n", n, seeded.errors.empty() ? "" : seeded.errors[0].c_str());
            return 1;
        }
        std::string sink;
        std::vector<double> loop_times, listing_times;
        int loop_values = 0, listing_rows = 0;
        // Alternate the two so neither gains from the other's warm file cache; keep the best of three.
        for (int round = 0; round < 3; ++round) {
            auto start = Clock::now();
            loop_values = plain_loop(sink);
            loop_times.push_back(ms_since(start));
            sx::AppState app(platform.os());
            app.caption = "SentrixToGo Zentra";
            start = Clock::now();
            listing_rows = program_listing(app, sink);
            listing_times.push_back(ms_since(start));
        }
        const double loop = *std::min_element(loop_times.begin(), loop_times.end());
        const double listing = *std::min_element(listing_times.begin(), listing_times.end());
        const double loop_each = loop / std::max(loop_values, 1);
        const double listing_each = listing / std::max(listing_rows, 1);
        std::printf("%8d %12.1f %12.1f %14.3f %14.3f %8.2f\n", n, loop, listing, loop_each, listing_each,
                    listing_each / loop_each);
    }
    sx::demo::reset_bulk();
    return 0;
}
