// The hook that refuses the program's main window, in a DLL of its own.
#define REFUSE_WINDOW_HOOK_BUILD
#include "refuse_window_hook.h"

namespace {

const char kRefusedClass[] = "KXWindow";

// Fails the creation of a window of the refused class, as the system does when
// it runs out of resources; every other window is let through.
LRESULT CALLBACK RefuseWindow(int code, WPARAM wParam, LPARAM lParam) {
    char className[32];
    if (code == HCBT_CREATEWND && GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className) &&
        lstrcmpiA(className, kRefusedClass) == 0)
        return 1;
    return CallNextHookEx(NULL, code, wParam, lParam);
}

}  // namespace

// The hook names this DLL, which the system loads into each process it hooks.
HHOOK SetRefuseWindowHook() {
    HMODULE hookModule = NULL;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&RefuseWindow), &hookModule);
    return SetWindowsHookExA(WH_CBT, RefuseWindow, hookModule, 0);
}
