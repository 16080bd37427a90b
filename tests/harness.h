// Driving programs under test from another process: starting them, waiting for
// their windows, pumping and polling. Shared by the tests and the benchmark.
#pragma once

#include <windows.h>

#include <string>

// How long to wait for a change that should come at once (a window appearing,
// a show state arriving from another thread) before calling it missing.
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

// Where a program of this build lies: beside the running one. The program
// under test may be given elsewhere (a signed or an installed copy) by its
// full path in the environment variable PROGRAM_UNDER_TEST.
std::string ProgramPath(const char* exeName);

// A program of this build, started in its own process; handle is NULL when it
// could not be started.
struct Process {
    HANDLE handle;
    DWORD id;
};
Process LaunchProgram(const char* exeName, const std::string& arguments = "");
// Waits for the process to end and returns its exit code, or STILL_ACTIVE
// when it has not ended within the patience.
DWORD WaitForExit(const Process& process, DWORD patience = kPatience);
void EndProcess(Process& process);

// The first top-level window of a class that belongs to the given process,
// or NULL; FindProcessWindow looks once, WaitForProcessWindow waits for it.
HWND FindProcessWindow(DWORD processId, const char* className);
HWND WaitForProcessWindow(DWORD processId, const char* className);

// The point-of-sale stand-in, started in its own process, with its first
// window once that is up and visible. Every test and the benchmark start it
// here; window is NULL when it did not come.
struct StandIn {
    Process process;
    HWND window;
};
StandIn LaunchStandIn(const std::string& arguments = "");
// Closes the stand-in's window, as a user would, and ends it if it stays.
void StopStandIn(StandIn& standIn);

// A program of this build with its window shown and answering messages, and
// the check box in it; window is NULL when it did not come within the patience.
struct ProgramWindow {
    Process process;
    HWND window;
    HWND checkBox;
};
ProgramWindow LaunchProgramWindow(const char* exeName, const char* windowClass);
// Asks the window to close, as a user would, and ends the process if it stays.
void CloseProgramWindow(ProgramWindow& program);

// Milliseconds from the high-resolution counter, for timing.
double NowMs();

// Whether the window's thread answers a message within the time.
bool Answers(HWND window, DWORD timeoutMs);

// The exact bytes of a window's text.
std::string WindowText(HWND window);
// A window's show command as the system records it (SW_SHOWNORMAL, ...).
UINT ShowCommand(HWND window);

// What the tests expect of the program and the stand-in, written out once.
extern const char kProgramExe[];
extern const char kMainWindowClass[];
extern const int kCheckBoxId;
extern const char kCaption[];
extern const char kStandInExe[];
extern const char kStandInClass[];
extern const char kStandInTitle[];
