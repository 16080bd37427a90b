// Process entry: opens the window and runs the message loop until it is closed.
#include <windows.h>

#include "app/dll_search.h"
#include "ui/main_window.h"

namespace {

const int kExitOpenFailed = -1;

// Runs until WM_QUIT and returns the exit code that it carries.
int RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        if (PreTranslateMainWindowKey(&message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RestrictDllSearchToSystemFolder();
    if (!OpenMainWindow(instance)) return kExitOpenFailed;
    return RunMessageLoop();
}
