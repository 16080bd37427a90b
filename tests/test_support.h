// What the tests share: pumping and polling, real input, and starting programs.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

#include <doctest.h>

// How long a test waits for a change that should come at once (a window
// appearing, a show state arriving from another thread) before calling it missing.
const DWORD kPatience = 10000;

// Handles this thread's messages for about the given time. A test of the
// program's own window sets the filter that its message loop applies.
void PumpMessages(DWORD milliseconds = 50);
void SetMessageFilter(bool (*filter)(const MSG* message));

// Pumps messages until the condition holds or the patience runs out; returns
// whether it held.
template <typename Condition>
bool WaitFor(Condition condition, DWORD patience = kPatience) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > patience) return false;
        PumpMessages(20);
    }
    return true;
}

// Real input through the system's input queue, as a user would type and click.
// Keys are virtual-key codes, pressed in order and released in reverse order.
void PressKeys(std::initializer_list<WORD> keys);
void ClickAt(POINT screenPoint, int clicks = 1);
POINT CentreOf(HWND window);

// Where a program of this build lies.
std::string ProgramPath(const char* exeName);

// A program of this build, started in its own process.
struct Process {
    HANDLE handle;
    DWORD id;
};
Process StartProgram(const char* exeName, const std::string& arguments = "");
// Waits for the process to end and returns its exit code, or STILL_ACTIVE
// when it has not ended within the patience.
DWORD WaitForExit(const Process& process, DWORD patience = kPatience);
void EndProcess(Process& process);

// The first top-level window of a class and title, waited for, or NULL.
HWND WaitForWindow(const char* className, const char* title);
// The first top-level window of a class that belongs to the given process.
HWND WaitForProcessWindow(DWORD processId, const char* className);

// The exact bytes of a window's text.
std::string WindowText(HWND window);

// What the tests expect of the program and the stand-in, written out once for all of them.
extern const char kProgramExe[];
extern const char kMainWindowClass[];
extern const int kCheckBoxId;
extern const char kCaption[];
extern const char kStandInExe[];
extern const char kStandInClass[];
extern const char kStandInTitle[];
// The stand-in's show command as the system records it (SW_SHOWNORMAL, ...).
UINT ShowCommand(HWND window);
