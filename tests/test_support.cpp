// Real input and starting programs for the tests.
#include "test_support.h"

#include <vector>

namespace {

void SendInputs(std::vector<INPUT>& inputs) {
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    REQUIRE_MESSAGE(sent == inputs.size(), "SendInput sent " << sent << " of " << inputs.size() << " events");
}

}  // namespace

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
    // Every event carries the position, so that a late pointer motion (seen
    // under Wine) cannot move a press or release off the target.
    INPUT at = {};
    at.type = INPUT_MOUSE;
    at.mi.dx = MulDiv(point.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    at.mi.dy = MulDiv(point.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    at.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    std::vector<INPUT> inputs(1, at);
    SendInputs(inputs);
    REQUIRE(WaitFor([&] {
        POINT cursor;
        return GetCursorPos(&cursor) && cursor.x == point.x && cursor.y == point.y;
    }));
    PumpMessages(100);
    // Each press and release waits until the system has taken it in, so that
    // a slow receiver cannot see them out of step.
    for (int i = 0; i < clicks; ++i) {
        const DWORD buttons[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
        for (DWORD button : buttons) {
            INPUT press = at;
            press.mi.dwFlags |= button;
            inputs.assign(1, press);
            SendInputs(inputs);
            bool down = button == MOUSEEVENTF_LEFTDOWN;
            REQUIRE(WaitFor([&] { return (GetAsyncKeyState(VK_LBUTTON) < 0) == down; }));
            PumpMessages(50);
        }
    }
}

POINT CentreOf(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    return centre;
}

Process StartProgram(const char* exeName, const std::string& arguments) {
    Process process = LaunchProgram(exeName, arguments);
    REQUIRE_MESSAGE(process.handle, "could not start " << exeName << " " << arguments << ", error " << GetLastError());
    return process;
}

ScopedStandIn::ScopedStandIn(const std::string& arguments) : StandIn(LaunchStandIn(arguments)) {
    if (!window) EndProcess(process);  // a constructor that fails is not followed by its destructor
    REQUIRE_MESSAGE(window, "the stand-in (" << arguments << ") did not start and show its window");
}

ScopedStandIn::~ScopedStandIn() {
    EndProcess(process);
}

std::string FlagNames(DWORD value, std::initializer_list<Flag> flags) {
    std::string names;
    DWORD named = 0;
    for (const Flag& flag : flags) {
        if ((value & flag.mask) != flag.value) continue;
        names += (names.empty() ? "" : " | ") + std::string(flag.name);
        named |= flag.mask;
    }
    if (value & ~named) {
        char rest[16];
        wsprintfA(rest, "0x%08lX", value & ~named);
        names += (names.empty() ? "" : " | ") + std::string(rest);
    }
    return names;
}
