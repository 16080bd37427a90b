// MainWindow and its one control, DisplayCheckBox: creation, painting, keys and the click.
#include "main_window.h"

#include "display/display_toggle.h"

namespace {

// The window class and the window.
const char kMainWindowClass[] = "KXWindow";
const UINT kMainWindowClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
const DWORD kMainWindowExStyle = 0;
// A fixed frame with only the close button; WS_VISIBLE comes later, with SW_SHOW.
const DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;
const char kMainWindowTitle[] = "";
const int kMainWindowWidth = 325;   // outer size, frame and title bar included
const int kMainWindowHeight = 161;

// The check box, in pixels of the window's client area.
const char kCheckBoxClass[] = "BUTTON";
const DWORD kCheckBoxExStyle = 0;
const DWORD kCheckBoxStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_AUTOCHECKBOX |
                             BS_MULTILINE | BS_FLAT | BS_LEFT | BS_VCENTER;
const int kCheckBoxId = 100;
const int kCheckBoxLeft = 32;
const int kCheckBoxTop = 32;
const int kCheckBoxWidth = 184;
const int kCheckBoxHeight = 40;
// "青禾铺副屏隐藏" (hide the secondary screen) in code page 936, for the ANSI functions.
const char kCheckBoxCaption[] = "\xC7\xE0\xBA\xCC\xC6\xCC\xB8\xB1\xC6\xC1\xD2\xFE\xB2\xD8";
const COLORREF kCheckBoxTextColour = RGB(0, 0, 0);

// The icon group in the resources; its one image is 32 x 32.
const char kIconGroupName[] = "DEFAULT_ICON";
const int kIconSize = 32;
const int kSmallIconFallbackSize = 16;
const DWORD kIconResourceVersion = 0x00030000;  // the icon format CreateIconFromResourceEx reads

const int kKeyEscape = VK_ESCAPE;
const int kKeyTab = VK_TAB;
const int kKeyShiftTab = kKeyShift | VK_TAB;

// The program's one piece of global state.
HWND MainWindow;

HWND DisplayCheckBox() {
    return GetDlgItem(MainWindow, kCheckBoxId);
}

// The box keeps its own background brush in its user data, so that the brush
// lives exactly as long as the box.
HBRUSH CheckBoxBrush(HWND checkBox) {
    return reinterpret_cast<HBRUSH>(GetWindowLongPtrA(checkBox, GWLP_USERDATA));
}

// The window remembers in its user data which child held the focus when it was
// last deactivated, as a dialog does.
HWND RememberedFocus(HWND window) {
    return reinterpret_cast<HWND>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Makes an icon straight from the one image of the icon group, at its full size:
// the executable carries the pixels once, and the system scales the small icon.
HICON CreateIconFromGroup(HINSTANCE instance) {
    HRSRC group = FindResourceA(instance, kIconGroupName, RT_GROUP_ICON);
    HGLOBAL groupData = group ? LoadResource(instance, group) : NULL;
    if (!groupData) return NULL;
    int imageId = LookupIconIdFromDirectoryEx(static_cast<PBYTE>(LockResource(groupData)), TRUE,
                                              kIconSize, kIconSize, LR_DEFAULTCOLOR);
    HRSRC image = imageId ? FindResourceA(instance, MAKEINTRESOURCEA(imageId), RT_ICON) : NULL;
    HGLOBAL imageData = image ? LoadResource(instance, image) : NULL;
    if (!imageData) return NULL;
    return CreateIconFromResourceEx(static_cast<PBYTE>(LockResource(imageData)), SizeofResource(instance, image),
                                    TRUE, kIconResourceVersion, kIconSize, kIconSize, LR_DEFAULTCOLOR);
}

HICON LoadGroupIcon(HINSTANCE instance, int size) {
    return static_cast<HICON>(LoadImageA(instance, kIconGroupName, IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

void SetWindowIcons(HWND window, HINSTANCE instance) {
    HICON bigIcon = CreateIconFromGroup(instance);
    HICON smallIcon = CreateIconFromGroup(instance);
    if (!bigIcon && !smallIcon) {
        bigIcon = LoadGroupIcon(instance, kIconSize);
        smallIcon = LoadGroupIcon(instance, kSmallIconFallbackSize);
    }
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
}

void SetDefaultGuiFont(HWND window) {
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
}

// Creates the check box, hidden and cleared, with its background brush.
HWND CreateDisplayCheckBox(HWND parent, HINSTANCE instance) {
    HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    HWND checkBox = CreateWindowExA(kCheckBoxExStyle, kCheckBoxClass, kCheckBoxCaption, kCheckBoxStyle,
                                    kCheckBoxLeft, kCheckBoxTop, kCheckBoxWidth, kCheckBoxHeight, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCheckBoxId)), instance, NULL);
    if (!checkBox) {
        DeleteObject(brush);
        return NULL;
    }
    SetWindowLongPtrA(checkBox, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(brush));
    SetDefaultGuiFont(checkBox);
    SendMessageA(checkBox, BM_SETCHECK, BST_UNCHECKED, 0);
    return checkBox;
}

// Raised once the window is complete and before it is first shown; the
// program has nothing to do at that point.
void OnMainWindowCreated(HWND) {}

// Fills what needs painting with the button face colour of this moment; the
// class brush is empty, and WS_CLIPCHILDREN keeps the fill off the check box.
void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
    EndPaint(window, &paint);
}

// Black text on the button face, over the box's own brush.
LRESULT OnControlColour(HDC dc, HWND control) {
    SetTextColor(dc, kCheckBoxTextColour);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(CheckBoxBrush(control));
}

void OnCommand(int controlId, int notification) {
    if (controlId == kCheckBoxId && notification == BN_CLICKED) CustomerDisplayToggle();
}

// Remembers the focused child on deactivation, so that it gets the focus back.
void OnActivate(HWND window, int state) {
    if (state != WA_INACTIVE) return;
    HWND focus = GetFocus();
    if (focus && IsChild(window, focus)) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(focus));
}

// The window never keeps the focus itself: it hands it to the remembered child,
// or else to the first tab stop.
void OnSetFocus(HWND window) {
    HWND child = RememberedFocus(window);
    if (!child || !IsChild(window, child)) child = GetNextDlgTabItem(window, NULL, FALSE);
    if (child) SetFocus(child);
}

// The window goes with its check box: release what was made for them, then end
// the program, since no window of it is left.
void OnDestroy(HWND window) {
    DeleteObject(CheckBoxBrush(GetDlgItem(window, kCheckBoxId)));
    DestroyIcon(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0)));
    DestroyIcon(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0)));
    MainWindow = NULL;
    PostQuitMessage(0);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: OnPaint(window); return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_ACTIVATE: OnActivate(window, LOWORD(wParam)); break;
    case WM_SETFOCUS: OnSetFocus(window); return 0;
    case WM_DESTROY: OnDestroy(window); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(instance, kMainWindowClass, &windowClass)) return true;
    windowClass.style = kMainWindowClassStyle;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassExA(&windowClass) != 0;
}

// Moves the focus to the next (or previous) tab stop of the window.
void MoveFocus(bool previous) {
    HWND focus = GetFocus();
    if (!IsChild(MainWindow, focus)) focus = NULL;
    HWND next = GetNextDlgTabItem(MainWindow, focus, previous);
    if (next) SetFocus(next);
}

int CurrentKeyCode(UINT virtualKey) {
    return MainWindowKeyCode(virtualKey, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0,
                             GetKeyState(VK_MENU) < 0);
}

}  // namespace

int MainWindowKeyCode(UINT virtualKey, bool ctrl, bool shift, bool alt) {
    int code = static_cast<int>(virtualKey);
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) code = '0' + static_cast<int>(virtualKey - VK_NUMPAD0);
    if (ctrl) code |= kKeyCtrl;
    if (shift) code |= kKeyShift;
    if (alt) code |= kKeyAlt;
    return code;
}

POINT CenteredWindowOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
    POINT origin = {(screenWidth - windowWidth) / 2, (screenHeight - windowHeight) / 2};
    return origin;
}

int OpenMainWindow(HINSTANCE instance) {
    if (!RegisterMainWindowClass(instance)) return 0;
    POINT origin = CenteredWindowOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                        kMainWindowWidth, kMainWindowHeight);
    HWND window = CreateWindowExA(kMainWindowExStyle, kMainWindowClass, kMainWindowTitle, kMainWindowStyle,
                                  origin.x, origin.y, kMainWindowWidth, kMainWindowHeight, NULL, NULL, instance,
                                  NULL);
    if (!window) return 0;
    MainWindow = window;

    RECT outer;
    GetWindowRect(window, &outer);
    if (outer.right - outer.left != kMainWindowWidth || outer.bottom - outer.top != kMainWindowHeight)
        MoveWindow(window, origin.x, origin.y, kMainWindowWidth, kMainWindowHeight, TRUE);
    SetWindowIcons(window, instance);
    SetDefaultGuiFont(window);

    HWND checkBox = CreateDisplayCheckBox(window, instance);
    if (!checkBox) {
        DestroyWindow(window);
        return 0;
    }
    ShowWindow(checkBox, SW_SHOWNA);
    OnMainWindowCreated(window);
    ShowWindow(window, SW_SHOW);
    return 1;
}

bool PreTranslateMainWindowKey(const MSG* message) {
    if (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN) return false;
    if (!MainWindow || (message->hwnd != MainWindow && !IsChild(MainWindow, message->hwnd))) return false;
    switch (CurrentKeyCode(static_cast<UINT>(message->wParam))) {
    case kKeyEscape: SendMessageA(MainWindow, WM_CLOSE, 0, 0); return true;
    case kKeyTab: MoveFocus(false); return true;
    case kKeyShiftTab: MoveFocus(true); return true;
    }
    return false;
}

int GetDisplayCheckState() {
    return SendMessageA(DisplayCheckBox(), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}
