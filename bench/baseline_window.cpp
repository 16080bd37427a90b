// The baseline's window: one window, one automatic check box, and on each
// click the same lookup and ShowWindowAsync as the program; no icons, fonts,
// colours, keys or version resource.
#include "baseline_window.h"

namespace {

LRESULT CALLBACK BaselineWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kBaselineCheckBoxId && HIWORD(wParam) == BN_CLICKED) {
            HWND display = FindWindowExA(NULL, NULL, "Qt5QWindowOwnDCIcon", "RetailPos");
            bool ticked = SendMessageA(reinterpret_cast<HWND>(lParam), BM_GETCHECK, 0, 0) == BST_CHECKED;
            if (display) ShowWindowAsync(display, ticked ? SW_HIDE : SW_SHOWNORMAL);
        }
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND OpenBaselineWindow(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = BaselineWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kBaselineWindowClass;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, kBaselineWindowClass, "", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 325, 161, NULL, NULL, instance, NULL);
    CreateWindowExA(0, "BUTTON", "Hide", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 32, 32, 184, 40,
                    window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBaselineCheckBoxId)), instance, NULL);
    ShowWindow(window, SW_SHOW);
    return window;
}
