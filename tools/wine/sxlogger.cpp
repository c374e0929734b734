// Stands in for every browser, editor and folder window in test prefixes: the shell associations
// point here, and each start appends its command line to C:\sxtest\shell.log for the tests to read.
// For an Internet shortcut ("url" first) the line also gets " URL=" and the address the shortcut
// holds, read as a browser would read it before the program that made it deletes it.
#include <windows.h>

namespace {

constexpr char kLogFile[] = "C:\\sxtest\\shell.log";
constexpr char kShortcutArgument[] = " url \"";

void write(HANDLE log, const char* text) {
    DWORD written = 0;
    WriteFile(log, text, static_cast<DWORD>(lstrlenA(text)), &written, nullptr);
}

// The quoted path after "url" on the command line; false when there is none.
bool shortcut_path(const char* line, char* path, int size) {
    const char* at = nullptr;
    for (const char* p = line; *p && !at; ++p) {
        int i = 0;
        while (kShortcutArgument[i] && p[i] == kShortcutArgument[i]) ++i;
        if (!kShortcutArgument[i]) at = p + i;
    }
    if (!at) return false;
    int n = 0;
    while (at[n] && at[n] != '"' && n + 1 < size) {
        path[n] = at[n];
        ++n;
    }
    path[n] = '\0';
    return n > 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    HANDLE log = CreateFileA(kLogFile, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return 1;
    const char* line = GetCommandLineA();
    write(log, line);
    char path[MAX_PATH] = {};
    if (shortcut_path(line, path, MAX_PATH)) {
        char address[4096] = {};
        GetPrivateProfileStringA("InternetShortcut", "URL", "", address, sizeof(address), path);
        write(log, " URL=");
        write(log, address);
    }
    write(log, "\r\n");
    CloseHandle(log);
    return 0;
}
