// The display toggle on its own, against the point-of-sale stand-in running in
// a process of its own; the check box's state is set by each test.
#include <ios>

#include "display/display_toggle.h"
#include "test_support.h"

namespace {

// The state that the check box reports to the toggle.
int checkState;

void Toggle(int state) {
    checkState = state;
    CustomerDisplayToggle();
}

bool WaitForVisible(HWND window, bool visible, DWORD patience = kPatience) {
    return WaitFor([&] { return (IsWindowVisible(window) != FALSE) == visible; }, patience);
}

}  // namespace

int GetDisplayCheckState() {
    return checkState;
}

TEST_CASE("ticking hides the display and clearing shows it in its normal size") {
    const std::string starts[] = {"", "--minimized", "--maximized"};
    for (const std::string& start : starts) {
        INFO("started with \"" << start << "\"");
        ScopedStandIn standIn(start);
        REQUIRE(FindCustomerDisplayWindow() == standIn.window);
        Toggle(1);
        CHECK_MESSAGE(WaitForVisible(standIn.window, false), "ticking did not hide the display");
        Toggle(0);
        CHECK_MESSAGE(WaitForVisible(standIn.window, true), "clearing did not show the display");
        CHECK(ShowCommand(standIn.window) == SW_SHOWNORMAL);
        CHECK_FALSE(IsIconic(standIn.window));
        CHECK_FALSE(IsZoomed(standIn.window));
    }
}

TEST_CASE("a handle names a window when it is above 1 as an unsigned 32-bit value") {
    struct Case {
        ULONG_PTR handle;
        bool isWindow;
    };
    const Case cases[] = {
        {0, false},
        {1, false},
        {2, true},
        {0x0001007C, true},
        {0x8001007C, true},  // top bit set, as Wine and Windows hand out after many reuses of a slot
        {0xFFFFFFFE, true},
    };
    for (const Case& c : cases)
        CHECK_MESSAGE(IsCustomerDisplayHandle(reinterpret_cast<HWND>(c.handle)) == c.isWindow,
                      "handle 0x" << std::hex << c.handle << ": expected " << (c.isWindow ? "a window" : "none"));
}

TEST_CASE("only a window of both the class and the title is the display") {
    WNDCLASSA displayClass = {};
    displayClass.lpfnWndProc = DefWindowProcA;
    displayClass.lpszClassName = kStandInClass;
    REQUIRE(RegisterClassA(&displayClass));
    HWND otherTitle = CreateWindowExA(0, kStandInClass, "RetailPos 2", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                      100, NULL, NULL, NULL, NULL);
    HWND otherClass = CreateWindowExA(0, "STATIC", kStandInTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                      NULL, NULL, NULL, NULL);
    REQUIRE(otherTitle);
    REQUIRE(otherClass);

    CHECK(FindCustomerDisplayWindow() == NULL);
    Toggle(1);
    PumpMessages(200);
    CHECK(IsWindowVisible(otherTitle));
    CHECK(IsWindowVisible(otherClass));

    DestroyWindow(otherTitle);
    DestroyWindow(otherClass);
    UnregisterClassA(kStandInClass, NULL);
}

TEST_CASE("a display that was restarted between clicks is found afresh") {
    {
        ScopedStandIn first;
        Toggle(1);
        CHECK(WaitForVisible(first.window, false));
    }
    ScopedStandIn second;
    Toggle(1);
    CHECK_MESSAGE(WaitForVisible(second.window, false), "the restarted display was not hidden");
}

TEST_CASE("of two displays, only the first one found changes") {
    ScopedStandIn standIn("--windows 2");
    HWND first = NULL, second = NULL;
    REQUIRE_MESSAGE(WaitFor([&] {
                        first = FindWindowExA(NULL, NULL, kStandInClass, kStandInTitle);
                        second = FindWindowExA(NULL, first, kStandInClass, kStandInTitle);
                        return second && IsWindowVisible(second);
                    }),
                    "the stand-in's second window did not appear");
    CHECK(FindCustomerDisplayWindow() == first);
    Toggle(1);
    CHECK(WaitForVisible(first, false));
    PumpMessages(300);
    CHECK_MESSAGE(IsWindowVisible(second), "the second display was hidden too");
}

TEST_CASE("a hung display does not hold up the click") {
    ScopedStandIn standIn("--hang 8");
    Toggle(1);
    // Had the toggle waited for the stand-in, the window would be hidden by now.
    CHECK_MESSAGE(IsWindowVisible(standIn.window), "the toggle waited for the hung application");
    CHECK_MESSAGE(WaitForVisible(standIn.window, false, 20000), "the display was not hidden once it answered");
}
