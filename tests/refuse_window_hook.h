// A system-wide hook that refuses the creation of the program's main window,
// so that a test can see the program fail to open it. The hook lives in this
// DLL, which the system loads into every process that creates a window.
#pragma once

#include <windows.h>

#ifdef REFUSE_WINDOW_HOOK_BUILD
#define REFUSE_WINDOW_HOOK_API __declspec(dllexport)
#else
#define REFUSE_WINDOW_HOOK_API __declspec(dllimport)
#endif

// Sets the hook for every desktop process; UnhookWindowsHookEx removes it.
REFUSE_WINDOW_HOOK_API HHOOK SetRefuseWindowHook();
