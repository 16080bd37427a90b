// Starting and ending the program and the stand-in for a test.
#include "program_session.h"

Session::Session(bool withStandIn, const std::string& standInArguments) {
    if (withStandIn) {
        standIn.reset(new ScopedStandIn(standInArguments));
        display = standIn->window;
    }
    program = StartProgram(kProgramExe);
    window = WaitForProcessWindow(program.id, kMainWindowClass);
    REQUIRE_MESSAGE(window, "the program's window did not appear");
    // Keys reach the window that has the focus; until the program has handled
    // its activation and passed the focus to the box, a key typed at it is lost.
    REQUIRE_MESSAGE(WaitFor([&] {
                        checkBox = GetDlgItem(window, kCheckBoxId);
                        return IsWindowVisible(window) && GetForegroundWindow() == window && checkBox &&
                               Focus() == checkBox;
                    }),
                    "the program's window was not shown and activated with the focus on the box");
}

Session::~Session() {
    EndProcess(program);
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
