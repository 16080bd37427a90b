// Pumping, polling, real input and child processes for the tests.
#include "test_support.h"

#include <vector>

const char kProgramExe[] = "customer-display-toggle.exe";
const char kMainWindowClass[] = "KXWindow";
const int kCheckBoxId = 100;
// "青禾铺副屏隐藏" in code page 936.
const char kCaption[] = "\xC7\xE0\xBA\xCC\xC6\xCC\xB8\xB1\xC6\xC1\xD2\xFE\xB2\xD8";
const char kStandInExe[] = "pos-standin.exe";
const char kStandInClass[] = "Qt5QWindowOwnDCIcon";
const char kStandInTitle[] = "RetailPos";

namespace {

bool (*messageFilter)(const MSG*);

struct ProcessWindowQuery {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM parameter) {
    ProcessWindowQuery* query = reinterpret_cast<ProcessWindowQuery*>(parameter);
    char className[64];
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != query->processId || !GetClassNameA(window, className, sizeof className) ||
        lstrcmpA(className, query->className) != 0)
        return TRUE;
    query->found = window;
    return FALSE;
}

void SendInputs(std::vector<INPUT>& inputs) {
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    REQUIRE_MESSAGE(sent == inputs.size(), "SendInput sent " << sent << " of " << inputs.size() << " events");
}

}  // namespace

std::string ProgramPath(const char* exeName) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of("\\/") + 1) + exeName;
}

void SetMessageFilter(bool (*filter)(const MSG*)) {
    messageFilter = filter;
}

void PumpMessages(DWORD milliseconds) {
    DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            if (messageFilter && messageFilter(&message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = keys.end(); key != keys.begin();) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInputs(inputs);
}

void ClickAt(POINT point, int clicks) {
    // Absolute mouse coordinates run from 0 to 65535 across the primary screen.
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(point.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    move.mi.dy = MulDiv(point.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    std::vector<INPUT> inputs(1, move);
    SendInputs(inputs);
    PumpMessages(100);
    for (int i = 0; i < clicks; ++i) {
        INPUT button = {};
        button.type = INPUT_MOUSE;
        button.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs.assign(1, button);
        SendInputs(inputs);
        PumpMessages(50);
        button.mi.dwFlags = MOUSEEVENTF_LEFTUP;
        inputs.assign(1, button);
        SendInputs(inputs);
    }
}

POINT CentreOf(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    return centre;
}

Process StartProgram(const char* exeName, const std::string& arguments) {
    std::string commandLine = "\"" + ProgramPath(exeName) + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    BOOL started = CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info);
    REQUIRE_MESSAGE(started, "could not start " << commandLine << ", error " << GetLastError());
    CloseHandle(info.hThread);
    Process process = {info.hProcess, info.dwProcessId};
    return process;
}

DWORD WaitForExit(const Process& process, DWORD patience) {
    WaitFor([&] { return WaitForSingleObject(process.handle, 0) == WAIT_OBJECT_0; }, patience);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.handle, &code);
    return code;
}

void EndProcess(Process& process) {
    if (!process.handle) return;
    if (WaitForSingleObject(process.handle, 0) != WAIT_OBJECT_0) {
        TerminateProcess(process.handle, 1);
        WaitForSingleObject(process.handle, kPatience);
    }
    CloseHandle(process.handle);
    process.handle = NULL;
}

HWND WaitForWindow(const char* className, const char* title) {
    HWND window = NULL;
    WaitFor([&] { return (window = FindWindowExA(NULL, NULL, className, title)) != NULL; });
    return window;
}

HWND WaitForProcessWindow(DWORD processId, const char* className) {
    ProcessWindowQuery query = {processId, className, NULL};
    WaitFor([&] {
        EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&query));
        return query.found != NULL;
    });
    return query.found;
}

std::string WindowText(HWND window) {
    char text[256];
    int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, length);
}

UINT ShowCommand(HWND window) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    return placement.showCmd;
}
