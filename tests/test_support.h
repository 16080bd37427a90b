// What the tests share: the harness, real input, and starting programs with a
// test failure when they do not start.
#pragma once

#include <initializer_list>
#include <string>

#include <doctest.h>

#include "harness.h"

// Real input through the system's input queue, as a user would type and click.
// Keys are virtual-key codes, pressed in order and released in reverse order.
void PressKeys(std::initializer_list<WORD> keys);
void ClickAt(POINT screenPoint, int clicks = 1);
POINT CentreOf(HWND window);

// LaunchProgram, failing the test when the program does not start.
Process StartProgram(const char* exeName, const std::string& arguments = "");

// The point-of-sale stand-in for the length of a scope; the test fails when
// its window does not come.
struct ScopedStandIn : StandIn {
    explicit ScopedStandIn(const std::string& arguments = "");
    ~ScopedStandIn();
};

// A flag of a style, named: it is set when the bits under its mask equal its
// value (a button's type, BS_AUTOCHECKBOX, is a value in the low bits).
struct Flag {
    DWORD value;
    const char* name;
    DWORD mask;
};
#define FLAG(name) {name, #name, name}
#define FLAG_IN(name, mask) {name, #name, mask}
// The flags that a value holds, by name in the table's order and joined with
// " | ", bits that no flag names in hex at the end: what a failed style check
// shows instead of two bare numbers.
std::string FlagNames(DWORD value, std::initializer_list<Flag> flags);
