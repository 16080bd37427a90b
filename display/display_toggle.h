// Hides or shows the point-of-sale application's customer-display window.
#pragma once

#include <windows.h>

// The point-of-sale application's top-level customer-display window, or NULL
// when it has none open.
HWND FindCustomerDisplayWindow();

// Whether a handle that FindCustomerDisplayWindow returned names a window: a
// window handle is an unsigned 32-bit value greater than 1.
bool IsCustomerDisplayHandle(HWND window);

// The check box's click handler: hides the customer display when the box is
// ticked and shows it again when the box is cleared. The window is looked up
// afresh on every click, and the change is handed to the point-of-sale
// application's own thread without waiting for it.
void CustomerDisplayToggle();
