// Starting programs, waiting for their windows, pumping and polling.
#include "harness.h"

const char kProgramExe[] = "customer-display-toggle.exe";
const char kMainWindowClass[] = "KXWindow";
const int kCheckBoxId = 100;
// "青禾铺副屏隐藏" in code page 936.
const char kCaption[] = "\xC7\xE0\xBA\xCC\xC6\xCC\xB8\xB1\xC6\xC1\xD2\xFE\xB2\xD8";
const char kStandInExe[] = "pos-standin.exe";
const char kStandInClass[] = "Qt5QWindowOwnDCIcon";
const char kStandInTitle[] = "RetailPos";

namespace {

// Names the program under test when it is not the one beside the tests.
const char kProgramUnderTest[] = "PROGRAM_UNDER_TEST";

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

}  // namespace

std::string ProgramPath(const char* exeName) {
    char path[MAX_PATH];
    if (lstrcmpA(exeName, kProgramExe) == 0 && GetEnvironmentVariableA(kProgramUnderTest, path, MAX_PATH))
        return path;
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

HWND FindProcessWindow(DWORD processId, const char* className) {
    ProcessWindowQuery query = {processId, className, NULL};
    EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND WaitForProcessWindow(DWORD processId, const char* className) {
    HWND window = NULL;
    WaitFor([&] { return (window = FindProcessWindow(processId, className)) != NULL; });
    return window;
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

Process LaunchProgram(const char* exeName, const std::string& arguments) {
    std::string commandLine = "\"" + ProgramPath(exeName) + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info)) {
        Process none = {NULL, 0};
        return none;
    }
    CloseHandle(info.hThread);
    Process process = {info.hProcess, info.dwProcessId};
    return process;
}

StandIn LaunchStandIn(const std::string& arguments) {
    StandIn standIn = {LaunchProgram(kStandInExe, arguments), NULL};
    if (!standIn.process.handle) return standIn;
    HWND window = WaitForProcessWindow(standIn.process.id, kStandInClass);
    if (window && WaitFor([&] { return IsWindowVisible(window) != FALSE; })) standIn.window = window;
    return standIn;
}

void StopStandIn(StandIn& standIn) {
    if (standIn.window) PostMessageA(standIn.window, WM_CLOSE, 0, 0);
    WaitForExit(standIn.process, 2000);
    EndProcess(standIn.process);
}

double NowMs() {
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool Answers(HWND window, DWORD timeoutMs) {
    DWORD_PTR result;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

ProgramWindow LaunchProgramWindow(const char* exeName, const char* windowClass) {
    ProgramWindow program = {LaunchProgram(exeName), NULL, NULL};
    if (!program.process.handle) return program;
    DWORD start = GetTickCount();
    do {
        HWND window = FindProcessWindow(program.process.id, windowClass);
        if (window && IsWindowVisible(window) && Answers(window, kPatience)) {
            program.window = window;
            program.checkBox = GetDlgItem(window, kCheckBoxId);
            break;
        }
        Sleep(1);
    } while (GetTickCount() - start < kPatience);
    return program;
}

void CloseProgramWindow(ProgramWindow& program) {
    if (program.window) PostMessageA(program.window, WM_CLOSE, 0, 0);
    WaitForExit(program.process);
    EndProcess(program.process);
}
