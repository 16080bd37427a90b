// A stand-in for the point-of-sale application: opens its customer-display window
// (class "Qt5QWindowOwnDCIcon", title "RetailPos") and pumps its messages.
//
//   pos-standin.exe [--minimized | --maximized] [--windows N] [--hang SECONDS] [--log FILE]
//
//   --minimized     show the window(s) minimised
//   --maximized     show the window(s) maximised
//   --windows N     open N such windows instead of one
//   --hang SECONDS  once the windows are up, stop pumping messages for that long,
//                   as a hung application does
//   --log FILE      append a line "shown" or "hidden" to FILE each time a window
//                   is shown or hidden after start-up
#include <windows.h>

#include <stdlib.h>
#include <string.h>

namespace {

const char kDisplayClass[] = "Qt5QWindowOwnDCIcon";
const char kDisplayTitle[] = "RetailPos";
const int kLeft = 24;
const int kTop = 24;
const int kWidth = 640;
const int kHeight = 400;
const int kCascade = 40;  // offset of each further window
const COLORREF kBackground = RGB(0x12, 0x2B, 0x4A);
const COLORREF kText = RGB(0xFF, 0xFF, 0xFF);
// "欢迎光临" (welcome) and "合计 ¥ 36.50" (total) in code page 936.
const char kWelcome[] = "\xBB\xB6\xD3\xAD\xB9\xE2\xC1\xD9";
const char kTotal[] = "\xBA\xCF\xBC\xC6  \xA3\xA4 36.50";

struct Options {
    int showCommand;
    int windows;
    int hangSeconds;
    const char* log;
};

// Where --log writes; NULL when it is not given.
const char* logPath;

Options ParseOptions() {
    Options options = {SW_SHOWNORMAL, 1, 0, NULL};
    for (int i = 1; i < __argc; ++i) {
        if (strcmp(__argv[i], "--minimized") == 0) options.showCommand = SW_SHOWMINIMIZED;
        else if (strcmp(__argv[i], "--maximized") == 0) options.showCommand = SW_SHOWMAXIMIZED;
        else if (strcmp(__argv[i], "--log") == 0 && i + 1 < __argc) options.log = __argv[++i];
        else if (strcmp(__argv[i], "--windows") == 0 && i + 1 < __argc) options.windows = atoi(__argv[++i]);
        else if (strcmp(__argv[i], "--hang") == 0 && i + 1 < __argc) options.hangSeconds = atoi(__argv[++i]);
    }
    return options;
}

void DrawLine(HDC dc, const RECT& area, const char* text, int height, int weight) {
    HFONT font = CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, NULL);
    HGDIOBJ old = SelectObject(dc, font);
    RECT box = area;
    DrawTextA(dc, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    DeleteObject(font);
}

// A customer display: a greeting above the running total.
void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    HBRUSH background = CreateSolidBrush(kBackground);
    FillRect(dc, &client, background);
    DeleteObject(background);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kText);
    RECT upper = client, lower = client;
    upper.bottom = lower.top = client.bottom / 2;
    DrawLine(dc, upper, kWelcome, 64, FW_BOLD);
    DrawLine(dc, lower, kTotal, 48, FW_NORMAL);
    EndPaint(window, &paint);
}

void OnShowWindow(bool shown) {
    if (!logPath) return;
    HANDLE log = CreateFileA(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, NULL);
    if (log == INVALID_HANDLE_VALUE) return;
    const char* line = shown ? "shown\n" : "hidden\n";
    DWORD written;
    WriteFile(log, line, lstrlenA(line), &written, NULL);
    CloseHandle(log);
}

LRESULT CALLBACK DisplayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: OnPaint(window); return 0;
    case WM_SHOWWINDOW: OnShowWindow(wParam != FALSE); break;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Options options = ParseOptions();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DisplayWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.lpszClassName = kDisplayClass;
    if (!RegisterClassA(&windowClass)) return 1;
    for (int i = 0; i < options.windows; ++i) {
        HWND window = CreateWindowExA(0, kDisplayClass, kDisplayTitle, WS_OVERLAPPEDWINDOW, kLeft + i * kCascade,
                                      kTop + i * kCascade, kWidth, kHeight, NULL, NULL, instance, NULL);
        if (!window) return 1;
        ShowWindow(window, options.showCommand);
        UpdateWindow(window);
    }
    logPath = options.log;
    if (options.hangSeconds > 0) Sleep(options.hangSeconds * 1000);

    // Closing any one window ends the stand-in.
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
