// The baseline's window, which the benchmark also opens in its own process.
#pragma once

#include <windows.h>

const char kBaselineWindowClass[] = "BaselineWindow";
const int kBaselineCheckBoxId = 100;

// Registers the class, creates the window with its check box and shows it.
HWND OpenBaselineWindow(HINSTANCE instance);
