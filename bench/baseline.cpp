// The floor that the program is measured against: the barest Win32 program
// that does the same work, with a plain message loop.
#include "baseline_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    OpenBaselineWindow(instance);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
