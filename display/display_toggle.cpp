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

void CustomerDisplayToggle() {
    HWND display = FindCustomerDisplayWindow();
    // The handle is read as a signed 32-bit value; 0 means there is no such
    // window, and 1 cannot be one either.
    if (static_cast<LONG>(reinterpret_cast<LONG_PTR>(display)) <= 1) return;
    // Asynchronous, so that a busy or hung point-of-sale application never
    // blocks this window; its result tells nothing that would change what we do.
    ShowWindowAsync(display, GetDisplayCheckState() == 1 ? SW_HIDE : SW_SHOWNORMAL);
}
