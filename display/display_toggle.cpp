// The customer-display toggle: one lookup and one ShowWindowAsync per click.
#include "display_toggle.h"

#include "ui/main_window.h"

namespace {

// What the point-of-sale application names its customer-display window.
const char kCustomerDisplayClass[] = "Qt5QWindowOwnDCIcon";
const char kCustomerDisplayTitle[] = "RetailPos";

}  // namespace

HWND FindCustomerDisplayWindow() {
    return FindWindowExA(NULL, NULL, kCustomerDisplayClass, kCustomerDisplayTitle);
}

// 0 means that there is no such window, and 1 cannot be one either. The handle
// is read unsigned: a window handle may have its top bit set (64-bit Windows
// sign-extends it for that reason), and such a window is there all the same.
bool IsCustomerDisplayHandle(HWND window) {
    return static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(window)) > 1;
}

void CustomerDisplayToggle() {
    HWND display = FindCustomerDisplayWindow();
    if (!IsCustomerDisplayHandle(display)) return;
    // Asynchronous, so that a busy or hung point-of-sale application never
    // blocks this window; its result tells nothing that would change what we do.
    ShowWindowAsync(display, GetDisplayCheckState() == 1 ? SW_HIDE : SW_SHOWNORMAL);
}
