// Starting and ending the program and the stand-in for a test.
#include "program_session.h"

Session::Session(bool withStandIn, const std::string& standInArguments) {
    if (withStandIn) {
        standIn = StartProgram(kStandInExe, standInArguments);
        display = WaitForWindow(kStandInClass, kStandInTitle);
        REQUIRE_MESSAGE(display, "the stand-in's window did not appear");
    }
    program = StartProgram(kProgramExe);
    window = WaitForProcessWindow(program.id, kMainWindowClass);
    REQUIRE_MESSAGE(window, "the program's window did not appear");
    REQUIRE_MESSAGE(WaitFor([&] { return IsWindowVisible(window) && GetForegroundWindow() == window; }),
                    "the program's window was not shown and activated");
    checkBox = GetDlgItem(window, kCheckBoxId);
    REQUIRE(checkBox);
}

Session::~Session() {
    EndProcess(program);
    EndProcess(standIn);
}

bool Session::Ticked() const {
    return SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND Session::Focus() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, NULL), &info);
    return info.hwndFocus;
}

bool Session::WaitForTicked(bool ticked) const {
    return WaitFor([&] { return Ticked() == ticked && (!display || !IsWindowVisible(display) == ticked); });
}
