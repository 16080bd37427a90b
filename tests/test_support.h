// What the tests share: the harness, real input, and starting programs with a
// test failure when they do not start.
#pragma once

#include <initializer_list>

#include <doctest.h>

#include "harness.h"

// Real input through the system's input queue, as a user would type and click.
// Keys are virtual-key codes, pressed in order and released in reverse order.
void PressKeys(std::initializer_list<WORD> keys);
void ClickAt(POINT screenPoint, int clicks = 1);
POINT CentreOf(HWND window);

// LaunchProgram, failing the test when the program does not start.
Process StartProgram(const char* exeName, const std::string& arguments = "");
