// The main window and its check box, opened in this process so that their
// properties, colours, focus, keys and click notifications can be read directly.
#include <vector>

#include "test_support.h"
#include "ui/main_window.h"

namespace {

// What the window's click handler was asked to do; it stands in for the
// display toggle, so these tests touch no other application.
int toggleCalls;
int checkStateAtLastToggle = -1;

// The window opened in this process, closed again with the test.
struct OpenWindow {
    HWND window = NULL;
    HWND checkBox = NULL;

    OpenWindow() {
        toggleCalls = 0;
        checkStateAtLastToggle = -1;
        SetMessageFilter(PreTranslateMainWindowKey);
        REQUIRE(OpenMainWindow(GetModuleHandleA(NULL)) == 1);
        window = FindWindowExA(NULL, NULL, kMainWindowClass, NULL);
        REQUIRE(window);
        checkBox = GetDlgItem(window, kCheckBoxId);
        REQUIRE(checkBox);
        REQUIRE(WaitFor([&] { return GetForegroundWindow() == window; }));
    }
    ~OpenWindow() {
        if (IsWindow(window)) DestroyWindow(window);
        PumpMessages();
    }
};

struct BitmapPixels {
    int width, height;
    std::vector<DWORD> argb;  // top-down rows
};

BitmapPixels PixelsOf(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    BitmapPixels pixels = {info.bmWidth, info.bmHeight, std::vector<DWORD>(info.bmWidth * info.bmHeight)};
    BITMAPINFO request = {};
    request.bmiHeader.biSize = sizeof request.bmiHeader;
    request.bmiHeader.biWidth = info.bmWidth;
    request.bmiHeader.biHeight = -info.bmHeight;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    HDC dc = GetDC(NULL);
    GetDIBits(dc, bitmap, 0, info.bmHeight, pixels.argb.data(), &request, DIB_RGB_COLORS);
    ReleaseDC(NULL, dc);
    return pixels;
}

COLORREF BrushColour(HBRUSH brush) {
    LOGBRUSH info = {};
    REQUIRE(GetObjectA(brush, sizeof info, &info) == sizeof info);
    CHECK(info.lbStyle == BS_SOLID);
    return info.lbColor;
}

// Fails window creation for one window class on this thread, as the system
// does when it runs out of resources.
const char* refusedClass;
LRESULT CALLBACK RefuseCreation(int code, WPARAM wParam, LPARAM lParam) {
    char className[32];
    if (code == HCBT_CREATEWND && GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className) &&
        lstrcmpiA(className, refusedClass) == 0)
        return 1;
    return CallNextHookEx(NULL, code, wParam, lParam);
}

}  // namespace

// The click handler that the window calls; see toggleCalls.
void CustomerDisplayToggle() {
    ++toggleCalls;
    checkStateAtLastToggle = GetDisplayCheckState();
}

TEST_CASE("key codes") {
    struct Case {
        UINT key;
        bool ctrl, shift, alt;
        int code;
    };
    const Case cases[] = {
        {VK_ESCAPE, false, false, false, 0x1B},
        {VK_ESCAPE, false, true, false, 0x401B},
        {VK_TAB, false, false, false, 0x09},
        {VK_TAB, false, true, false, 0x4009},
        {VK_NUMPAD0, false, false, false, '0'},
        {VK_NUMPAD9, false, false, false, '9'},
        {VK_NUMPAD5, true, false, true, 0xA035},
        {'5', false, false, false, '5'},
        {VK_F4, false, false, true, 0x8073},
        {VK_RETURN, true, true, true, 0xE00D},
        {VK_MULTIPLY, false, false, false, VK_MULTIPLY},  // keypad keys other than digits stay as they are
    };
    for (const Case& c : cases) {
        CAPTURE(c.key);
        CHECK(MainWindowKeyCode(c.key, c.ctrl, c.shift, c.alt) == c.code);
    }
}

TEST_CASE("centring truncates toward zero") {
    struct Case {
        int screenWidth, screenHeight, x, y;
    };
    const Case cases[] = {
        {1920, 1080, 797, 459},
        {1024, 768, 349, 303},
        {320, 240, -2, 39},
        {324, 160, 0, 0},  // -1 / 2 is 0, not -1
        {325, 161, 0, 0},
    };
    for (const Case& c : cases) {
        CAPTURE(c.screenWidth);
        POINT origin = CenteredWindowOrigin(c.screenWidth, c.screenHeight, 325, 161);
        CHECK(origin.x == c.x);
        CHECK(origin.y == c.y);
    }
}

TEST_CASE("the window class") {
    OpenWindow opened;
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    REQUIRE(GetClassInfoExA(GetModuleHandleA(NULL), kMainWindowClass, &windowClass));
    CHECK(FlagNames(windowClass.style, {FLAG(CS_VREDRAW), FLAG(CS_HREDRAW), FLAG(CS_DBLCLKS)}) ==
          "CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS");
    CHECK(windowClass.cbClsExtra == 0);
    CHECK(windowClass.cbWndExtra == 0);
    CHECK(windowClass.hIcon == NULL);
    CHECK(windowClass.hCursor == LoadCursorA(NULL, IDC_ARROW));
    CHECK(windowClass.hbrBackground == GetStockObject(NULL_BRUSH));
    CHECK(windowClass.lpszMenuName == NULL);
}

TEST_CASE("the window") {
    OpenWindow opened;
    HWND window = opened.window;
    // Windows adds WS_CLIPSIBLINGS to every top-level window, WS_VISIBLE comes
    // with showing it and WS_EX_WINDOWEDGE with its caption.
    CHECK(FlagNames(GetWindowLongA(window, GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPSIBLINGS),
                    {FLAG(WS_CLIPCHILDREN), FLAG(WS_CAPTION), FLAG(WS_SYSMENU)}) ==
          "WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU");
    CHECK(IsWindowVisible(window));
    CHECK((GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE) == 0);
    CHECK(WindowText(window) == "");
    CHECK(GetParent(window) == NULL);
    CHECK(GetWindow(window, GW_OWNER) == NULL);
    CHECK(GetMenu(window) == NULL);
    RECT outer;
    GetWindowRect(window, &outer);
    CHECK(outer.right - outer.left == 325);
    CHECK(outer.bottom - outer.top == 161);
    CHECK(outer.left == (GetSystemMetrics(SM_CXSCREEN) - 325) / 2);
    CHECK(outer.top == (GetSystemMetrics(SM_CYSCREEN) - 161) / 2);
    CHECK(SendMessageA(window, WM_GETFONT, 0, 0) == 0);  // a plain window keeps no font
}

TEST_CASE("the icons are the 32 x 32 face, opaque, for both sizes") {
    OpenWindow opened;
    const WPARAM sizes[] = {ICON_BIG, ICON_SMALL};
    for (WPARAM size : sizes) {
        CAPTURE(size);
        HICON icon = reinterpret_cast<HICON>(SendMessageA(opened.window, WM_GETICON, size, 0));
        REQUIRE(icon);
        ICONINFO info = {};
        REQUIRE(GetIconInfo(icon, &info));
        BitmapPixels colour = PixelsOf(info.hbmColor);
        BitmapPixels mask = PixelsOf(info.hbmMask);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        CHECK(colour.width == 32);
        CHECK(colour.height == 32);
        int transparent = 0, masked = 0;
        for (DWORD pixel : colour.argb) transparent += (pixel >> 24) != 0xFF;
        for (DWORD pixel : mask.argb) masked += (pixel & 0xFFFFFF) != 0;
        CHECK(transparent == 0);
        CHECK(masked == 0);
        CHECK((colour.argb[0] & 0xFFFFFF) == 0xE60A48);             // crimson corner
        CHECK((colour.argb[4 * 32 + 16] & 0xFFFFFF) == 0xF1F546);    // yellow forehead
    }
}

TEST_CASE("the check box") {
    OpenWindow opened;
    HWND box = opened.checkBox;
    char className[32] = {};
    GetClassNameA(box, className, sizeof className);
    CHECK(lstrcmpiA(className, "Button") == 0);
    CHECK(FlagNames(GetWindowLongA(box, GWL_STYLE) & ~WS_VISIBLE,
                    {FLAG(WS_CHILD), FLAG(WS_CLIPSIBLINGS), FLAG(WS_TABSTOP), FLAG_IN(BS_AUTOCHECKBOX, BS_TYPEMASK),
                     FLAG_IN(BS_LEFT, BS_CENTER), FLAG(BS_VCENTER), FLAG(BS_MULTILINE),
                     FLAG(BS_FLAT)}) ==
          "WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER | BS_MULTILINE | BS_FLAT");
    CHECK(IsWindowVisible(box));
    CHECK(IsWindowEnabled(box));
    CHECK(GetWindowLongA(box, GWL_EXSTYLE) == 0);
    CHECK(GetDlgCtrlID(box) == 100);
    RECT rect;
    GetWindowRect(box, &rect);
    MapWindowPoints(NULL, opened.window, reinterpret_cast<POINT*>(&rect), 2);
    CHECK(rect.left == 32);
    CHECK(rect.top == 32);
    CHECK(rect.right - rect.left == 184);
    CHECK(rect.bottom - rect.top == 40);
    CHECK(WindowText(box) == kCaption);
    CHECK(WindowText(box).size() == 14);
    CHECK(SendMessageA(box, WM_GETFONT, 0, 0) == reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
    CHECK(SendMessageA(box, BM_GETCHECK, 0, 0) == BST_UNCHECKED);
    CHECK(GetDisplayCheckState() == 0);
    CHECK(GetFocus() == box);
    PumpMessages(200);
    CHECK_MESSAGE(toggleCalls == 0, "the click handler ran at start-up");
}

TEST_CASE("the check box is drawn in black on the button face, over a brush of its own") {
    HBRUSH brush;
    {
        OpenWindow opened;
        HDC dc = CreateCompatibleDC(NULL);
        const UINT messages[] = {WM_CTLCOLORSTATIC, WM_CTLCOLORBTN};
        HBRUSH answers[2];
        for (int i = 0; i < 2; ++i) {
            CAPTURE(messages[i]);
            SetTextColor(dc, RGB(1, 2, 3));
            SetBkColor(dc, RGB(4, 5, 6));
            answers[i] = reinterpret_cast<HBRUSH>(SendMessageA(opened.window, messages[i],
                                                               reinterpret_cast<WPARAM>(dc),
                                                               reinterpret_cast<LPARAM>(opened.checkBox)));
            CHECK(GetTextColor(dc) == RGB(0, 0, 0));
            CHECK(GetBkColor(dc) == GetSysColor(COLOR_BTNFACE));
            REQUIRE(answers[i]);
            CHECK(BrushColour(answers[i]) == GetSysColor(COLOR_BTNFACE));
        }
        DeleteDC(dc);
        CHECK(answers[0] == answers[1]);
        CHECK(answers[0] != GetSysColorBrush(COLOR_BTNFACE));  // its own, not the system's
        brush = answers[0];
    }
    CHECK_MESSAGE(GetObjectType(brush) == 0, "the check box's brush outlived the window");
}

TEST_CASE("the icons go with the window") {
    HICON icons[2];
    {
        OpenWindow opened;
        icons[0] = reinterpret_cast<HICON>(SendMessageA(opened.window, WM_GETICON, ICON_BIG, 0));
        icons[1] = reinterpret_cast<HICON>(SendMessageA(opened.window, WM_GETICON, ICON_SMALL, 0));
    }
    for (HICON icon : icons) {
        ICONINFO info = {};
        CHECK_FALSE(GetIconInfo(icon, &info));
    }
}

TEST_CASE("a click, a space bar press and a double click reach the handler once per toggle") {
    OpenWindow opened;
    ClickAt(CentreOf(opened.checkBox));
    REQUIRE(WaitFor([] { return toggleCalls == 1; }));
    CHECK_MESSAGE(checkStateAtLastToggle == 1, "the handler ran before the box had ticked itself");

    PressKeys({VK_SPACE});
    REQUIRE(WaitFor([] { return toggleCalls == 2; }));
    CHECK(checkStateAtLastToggle == 0);

    ClickAt(CentreOf(opened.checkBox), 2);
    REQUIRE(WaitFor([] { return toggleCalls == 4; }));
    PumpMessages(200);
    CHECK(toggleCalls == 4);
    CHECK(GetDisplayCheckState() == 0);
}

TEST_CASE("which keys the window takes") {
    OpenWindow opened;
    struct Case {
        std::string name;
        UINT message;
        WPARAM key;
        bool toOurWindow;
        bool consumed;
    };
    const Case cases[] = {
        {"Tab", WM_KEYDOWN, VK_TAB, true, true},
        {"Enter", WM_KEYDOWN, VK_RETURN, true, false},
        {"F1", WM_KEYDOWN, VK_F1, true, false},
        {"Space", WM_KEYDOWN, VK_SPACE, true, false},
        {"Down", WM_KEYDOWN, VK_DOWN, true, false},
        {"Esc released", WM_KEYUP, VK_ESCAPE, true, false},
        {"Esc as a character", WM_CHAR, VK_ESCAPE, true, false},
        {"Esc to another window", WM_KEYDOWN, VK_ESCAPE, false, false},
    };
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    for (const Case& c : cases) {
        INFO(c.name);
        MSG message = {c.toOurWindow ? opened.checkBox : other, c.message, c.key, 0, 0, {0, 0}};
        CHECK(PreTranslateMainWindowKey(&message) == c.consumed);
        CHECK(IsWindow(opened.window));
        CHECK(GetFocus() == opened.checkBox);
    }
    DestroyWindow(other);

    MSG escape = {opened.checkBox, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    CHECK(PreTranslateMainWindowKey(&escape));
    CHECK_FALSE(IsWindow(opened.window));
    CHECK_FALSE(PreTranslateMainWindowKey(&escape));  // no window left to take it
}

TEST_CASE("the focus comes back to the child that had it") {
    OpenWindow opened;
    // A second tab stop, so that "the child that had the focus" and "the first
    // tab stop" are different windows.
    HWND second = CreateWindowExA(0, "BUTTON", "second", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 220,
                                  32, 60, 24, opened.window, reinterpret_cast<HMENU>(101), NULL, NULL);
    REQUIRE(second);
    HWND elsewhere = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 100, NULL, NULL, NULL,
                                     NULL);
    SetForegroundWindow(opened.window);
    REQUIRE(WaitFor([&] { return GetForegroundWindow() == opened.window && GetFocus() == opened.checkBox; }));
    auto switchAwayAndBack = [&] {
        SetForegroundWindow(elsewhere);
        REQUIRE(WaitFor([&] { return GetForegroundWindow() == elsewhere; }));
        SetForegroundWindow(opened.window);
        REQUIRE(WaitFor([&] { return GetForegroundWindow() == opened.window; }));
    };

    PressKeys({VK_TAB});
    CHECK(WaitFor([&] { return GetFocus() == second; }));
    PressKeys({VK_SHIFT, VK_TAB});
    CHECK(WaitFor([&] { return GetFocus() == opened.checkBox; }));
    PressKeys({VK_SHIFT, VK_TAB});
    CHECK(WaitFor([&] { return GetFocus() == second; }));

    switchAwayAndBack();
    CHECK_MESSAGE(GetFocus() == second, "the focus did not return to the child that had it");

    SetFocus(opened.window);
    CHECK_MESSAGE(GetFocus() == second, "the window kept the focus instead of passing it on");

    // The remembered child is gone: the focus goes to the first tab stop.
    switchAwayAndBack();
    SetForegroundWindow(elsewhere);
    REQUIRE(WaitFor([&] { return GetForegroundWindow() == elsewhere; }));
    DestroyWindow(second);
    SetForegroundWindow(opened.window);
    REQUIRE(WaitFor([&] { return GetForegroundWindow() == opened.window; }));
    CHECK(GetFocus() == opened.checkBox);
    DestroyWindow(elsewhere);
}

TEST_CASE("the window opens again once the class is registered") {
    { OpenWindow first; }
    OpenWindow second;
    CHECK(IsWindowVisible(second.window));
}

TEST_CASE("opening fails cleanly when a window cannot be created") {
    const std::string classes[] = {kMainWindowClass, "BUTTON"};
    for (const std::string& refused : classes) {
        INFO("refused: " << refused);
        refusedClass = refused.c_str();
        HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseCreation, NULL, GetCurrentThreadId());
        REQUIRE(hook);
        int opened = OpenMainWindow(GetModuleHandleA(NULL));
        UnhookWindowsHookEx(hook);
        CHECK(opened == 0);
        CHECK_MESSAGE(FindWindowExA(NULL, NULL, kMainWindowClass, NULL) == NULL, "a window was left behind");
        PumpMessages();
    }
}
