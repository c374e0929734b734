// Stand-in for a third-party DLL (shell hook, notification package, helper started by RUNDLL32):
// it loads, refuses to hand out classes and does nothing. Built without the C runtime, like the
// demo program.
#include <windows.h>

extern "C" BOOL WINAPI DemoDllEntry(HINSTANCE, DWORD, LPVOID) { return TRUE; }

// Entry points named in the demo RUNDLL32 commands.
extern "C" void CALLBACK StartHelper(HWND, HINSTANCE, LPSTR, int) {}
extern "C" void CALLBACK SpellCheckStart(HWND, HINSTANCE, LPSTR, int) {}

// The two exports an in-process COM server is expected to have.
extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_OK; }

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(const GUID&, const GUID&, void** object) {
    if (object) *object = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}
