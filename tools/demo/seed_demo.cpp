// seed_demo.exe: puts the demo state into the current (Wine) Windows installation, or takes it out.
//
//   seed_demo.exe [--reset] [--program <SentrixEx.exe>] [--no-program] [--bins <folder>]
//                 [--bulk <n> [--bulk-folder <folder>]] [--reset-bulk] [--quiet]
//
// Without --program, a SentrixEx.exe found in the build folder (beside or above this program's
// folder) is installed; --no-program installs none. Exit code 0 on success, 1 on failure, 2 on a
// wrong command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/demo/demo_system.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr char kProgramName[] = "SentrixEx.exe";

struct CommandLine {
    bool reset = false;
    bool reset_bulk = false;
    bool quiet = false;
    bool no_program = false;
    int bulk = -1;
    std::string bulk_folder;
    sx::demo::SeedOptions options;
};

void usage() {
    std::fputs(
        "usage: seed_demo.exe [--reset] [--program <SentrixEx.exe>] [--no-program] [--bins <folder>]\n"
        "                     [--bulk <n> [--bulk-folder <folder>]] [--reset-bulk] [--quiet]\n",
        stderr);
}

bool parse(int argc, char** argv, CommandLine& line) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--reset") {
            line.reset = true;
        } else if (arg == "--reset-bulk") {
            line.reset_bulk = true;
        } else if (arg == "--quiet") {
            line.quiet = true;
        } else if (arg == "--no-program") {
            line.no_program = true;
        } else if (arg == "--program" && has_value) {
            line.options.program = argv[++i];
        } else if (arg == "--bins" && has_value) {
            line.options.bins = argv[++i];
        } else if (arg == "--bulk-folder" && has_value) {
            line.bulk_folder = argv[++i];
        } else if (arg == "--bulk" && has_value) {
            char* end = nullptr;
            const long n = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || n < 0) return false;
            line.bulk = static_cast<int>(n);
        } else {
            return false;
        }
    }
    return true;
}

// SentrixEx.exe of the build this tool belongs to (<build>/tools/seed_demo.exe, <build>/SentrixEx.exe).
std::string built_program() {
    char buffer[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return {};
    const std::string path(buffer, length);
    const std::size_t slash = path.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash);
    for (const std::string& candidate : {folder + "\\" + kProgramName, folder + "\\..\\" + kProgramName}) {
        if (GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) return candidate;
    }
    return {};
}

bool report(const char* what, const sx::demo::Result& result, bool quiet) {
    if (!quiet)
        for (const std::string& line : result.log) std::printf("  %s\n", line.c_str());
    for (const std::string& line : result.errors) std::fprintf(stderr, "seed_demo: %s\n", line.c_str());
    std::printf("%s: %s (%zu changes, %zu errors)\n", what, result.ok ? "done" : "FAILED", result.log.size(),
                result.errors.size());
    return result.ok;
}

}  // namespace

int main(int argc, char** argv) {
    CommandLine line;
    if (!parse(argc, argv, line)) {
        usage();
        return kExitUsage;
    }
    bool ok = true;
    if (line.reset_bulk) ok = report("reset bulk", sx::demo::reset_bulk(), line.quiet) && ok;
    if (line.bulk >= 0)
        ok = report("seed bulk", sx::demo::seed_bulk(line.bulk, line.bulk_folder, line.options.bins), true) && ok;
    if (line.reset) {
        ok = report("reset", sx::demo::reset(), line.quiet) && ok;
    } else if (line.bulk < 0 && !line.reset_bulk) {
        if (line.options.program.empty() && !line.no_program) line.options.program = built_program();
        if (!line.options.program.empty())
            std::printf("installing %s as %s\n", line.options.program.c_str(), sx::demo::kProgramFile);
        ok = report("seed", sx::demo::seed(line.options), line.quiet) && ok;
        std::printf("note: under Wine, a restart of the wine server runs the Run keys and the startup folder\n"
                    "      and empties HKLM RunOnce and RunServicesOnce; seed again after one.\n");
    }
    std::fflush(stdout);
    return ok ? kExitOk : kExitFailed;
}
