// Stand-in for a third-party startup program: a GUI-subsystem program without a window. It exits at
// once, unless started with "-wait N": then it sleeps up to N seconds (at most 300) before it exits,
// so tests have a running program to find and stop.
//
// Built without the C runtime (its own entry point, kernel32 only) so each copy is a few kilobytes:
// the benchmarks copy it thousands of times.
#include <windows.h>

namespace {

constexpr unsigned kMaxWaitSeconds = 300;
constexpr DWORD kMillisecondsPerSecond = 1000;
constexpr char kWaitSwitch[] = "-wait";

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// The command line after the program name (quoted or not) and the blanks that follow it.
const char* after_program_name(const char* p) {
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p && !is_blank(*p)) ++p;
    }
    while (is_blank(*p)) ++p;
    return p;
}

// The number of seconds after "-wait" anywhere in the arguments, capped; 0 when there is none.
unsigned wait_seconds(const char* p) {
    while (*p) {
        const char* s = kWaitSwitch;
        const char* q = p;
        while (*s && *q == *s) {
            ++s;
            ++q;
        }
        if (!*s && (is_blank(*q) || !*q)) {
            while (is_blank(*q)) ++q;
            unsigned seconds = 0;
            while (*q >= '0' && *q <= '9') {
                seconds = seconds * 10 + static_cast<unsigned>(*q - '0');
                if (seconds > kMaxWaitSeconds) return kMaxWaitSeconds;
                ++q;
            }
            return seconds;
        }
        ++p;
    }
    return 0;
}

}  // namespace

extern "C" void DemoEntry() {
    const unsigned seconds = wait_seconds(after_program_name(GetCommandLineA()));
    if (seconds > 0) Sleep(seconds * kMillisecondsPerSecond);
    ExitProcess(0);
}
