// The floor that the program is measured against: the barest Win32 program
// that does the same work. One window, one automatic check box, and on each
// click the same lookup and ShowWindowAsync; no icons, fonts, colours, keys
// or version resource.
#include <windows.h>

namespace {

const int kCheckBoxId = 100;

LRESULT CALLBACK BaselineWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kCheckBoxId && HIWORD(wParam) == BN_CLICKED) {
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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = BaselineWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "BaselineWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "BaselineWindow", "", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 325, 161, NULL, NULL, instance, NULL);
    CreateWindowExA(0, "BUTTON", "Hide", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 32, 32, 184, 40,
                    window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCheckBoxId)), instance, NULL);
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
