// Stand-in for a browser add-on DLL that registers itself: regsvr32 calls DllRegisterServer, which
// writes its two classes (a helper object and a toolbar, both served by this file) and their
// registrations with the browser, and DllUnregisterServer, which takes the classes out again. The
// registrations with the browser are left to whoever removes the add-on, so a test sees what each
// step did. Built without the C runtime, like the other demo binaries.
#include <windows.h>
#include <olectl.h>

#include "demo_versions.h"

namespace {

HINSTANCE self = nullptr;

constexpr char kClasses[] = "Software\\Classes\\CLSID\\";
constexpr char kHelpers[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\";
constexpr char kToolbars[] = "SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar";

// `a` followed by `b`, in `out` of kPath characters.
constexpr int kPath = 512;
void join(char* out, const char* a, const char* b) {
    lstrcpynA(out, a, kPath);
    const int used = lstrlenA(out);
    lstrcpynA(out + used, b, kPath - used);
}

bool set_text(const char* key, const char* name, const char* text) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG status = RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                       static_cast<DWORD>(lstrlenA(text) + 1));
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

bool register_class(const char* id, const char* name, const char* file) {
    char key[kPath], server[kPath];
    join(key, kClasses, id);
    join(server, key, "\\InprocServer32");
    return set_text(key, "", name) && set_text(server, "", file) && set_text(server, "ThreadingModel", "Apartment");
}

bool remove_class(const char* id) {
    char key[kPath];
    join(key, kClasses, id);
    const LONG status = RegDeleteTreeA(HKEY_LOCAL_MACHINE, key);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace

extern "C" BOOL WINAPI DemoDllEntry(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) self = instance;
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    char file[kPath];
    const DWORD length = GetModuleFileNameA(self, file, kPath);
    if (length == 0 || length >= kPath) return SELFREG_E_CLASS;
    char helper[kPath];
    join(helper, kHelpers, TAILSEARCH_HELPER_CLSID);
    const bool ok = register_class(TAILSEARCH_HELPER_CLSID, TAILSEARCH_HELPER_NAME, file) &&
                    register_class(TAILSEARCH_TOOLBAR_CLSID, TAILSEARCH_TOOLBAR_NAME, file) &&
                    set_text(helper, "", TAILSEARCH_HELPER_NAME) && set_text(kToolbars, TAILSEARCH_TOOLBAR_CLSID, "");
    return ok ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    const bool helper = remove_class(TAILSEARCH_HELPER_CLSID);
    const bool toolbar = remove_class(TAILSEARCH_TOOLBAR_CLSID);
    return helper && toolbar ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_OK; }

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(const GUID&, const GUID&, void** object) {
    if (object) *object = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}
