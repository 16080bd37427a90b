// The utility's one window and its check box: opening, keys and the box's state.
#pragma once

#include <windows.h>

// Registers the window class when the module lacks it, creates the window with
// its check box and shows it centred on the primary screen. Returns 1 when the
// window is up, 0 when it could not be created (nothing is shown then).
int OpenMainWindow(HINSTANCE instance);

// Lets the window handle Esc (close) and Tab / Shift+Tab (focus) before the
// message is translated and dispatched. Returns true when it consumed the message.
bool PreTranslateMainWindowKey(const MSG* message);

// 1 when the check box is ticked, otherwise 0; asks the control every time.
int GetDisplayCheckState();

// The key code that PreTranslateMainWindowKey matches: the virtual-key code,
// keypad digits read as the digits '0'..'9', plus the modifier bits below.
enum MainWindowKeyModifier {
    kKeyCtrl = 0x2000,
    kKeyShift = 0x4000,
    kKeyAlt = 0x8000,
};
int MainWindowKeyCode(UINT virtualKey, bool ctrl, bool shift, bool alt);

// Top-left corner of a window of the given outer size centred on a screen of
// the given size; the halves truncate toward zero, as C++ integer division does.
POINT CenteredWindowOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight);
