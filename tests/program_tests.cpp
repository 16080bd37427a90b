// The program as a user meets it: started beside the point-of-sale stand-in,
// worked with real mouse clicks and key presses, and closed.
#include <fstream>
#include <sstream>

#include "program_session.h"
#include "refuse_window_hook.h"

namespace {

BOOL CALLBACK TakeFirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
    *reinterpret_cast<std::string*>(found) = IS_INTRESOURCE(name) ? "#" : name;
    return FALSE;
}

std::string ResourceText(HMODULE module, LPCSTR name, LPCSTR type) {
    HRSRC resource = FindResourceA(module, name, type);
    if (!resource) return "";
    return std::string(static_cast<const char*>(LockResource(LoadResource(module, resource))),
                       SizeofResource(module, resource));
}

std::string TempFilePath(const char* name) {
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    std::string path = std::string(directory) + name;
    DeleteFileA(path.c_str());
    return path;
}

std::string FileText(const std::string& path) {
    std::ifstream file(path.c_str());
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

TEST_CASE("the executable carries the icon, the manifest and the version") {
    HMODULE program = LoadLibraryExA(ProgramPath(kProgramExe).c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    REQUIRE(program);

    std::string firstGroup;
    EnumResourceNamesA(program, RT_GROUP_ICON, TakeFirstName, reinterpret_cast<LONG_PTR>(&firstGroup));
    CHECK(firstGroup == "DEFAULT_ICON");
    // The group directory: reserved, type 1 (icon), image count, then one entry.
    std::string group = ResourceText(program, "DEFAULT_ICON", RT_GROUP_ICON);
    REQUIRE(group.size() == 6 + 14);
    CHECK(*reinterpret_cast<const WORD*>(&group[4]) == 1);
    CHECK(static_cast<BYTE>(group[6]) == 32);                      // width
    CHECK(static_cast<BYTE>(group[7]) == 32);                      // height
    CHECK(*reinterpret_cast<const WORD*>(&group[12]) == 32);       // bits per pixel

    std::string manifest = ResourceText(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    CHECK(manifest.find("name=\"Microsoft.Windows.Common-Controls\"") != std::string::npos);
    CHECK(manifest.find("version=\"6.0.0.0\"") != std::string::npos);
    CHECK(manifest.find("publicKeyToken=\"6595b64144ccf1df\"") != std::string::npos);
    CHECK(manifest.find("language=\"*\"") != std::string::npos);
    CHECK(manifest.find("requestedExecutionLevel") == std::string::npos);
    CHECK(manifest.find("dpiAware") == std::string::npos);
    FreeLibrary(program);

    DWORD size = GetFileVersionInfoSizeA(ProgramPath(kProgramExe).c_str(), NULL);
    REQUIRE(size);
    std::string versionInfo(size, '\0');
    REQUIRE(GetFileVersionInfoA(ProgramPath(kProgramExe).c_str(), 0, size, &versionInfo[0]));
    VS_FIXEDFILEINFO* fixed = NULL;
    UINT fixedSize = 0;
    REQUIRE(VerQueryValueA(&versionInfo[0], "\\", reinterpret_cast<void**>(&fixed), &fixedSize));
    CHECK(fixed->dwFileVersionMS == 0x00010000);
    CHECK(fixed->dwFileVersionLS == 0);
    CHECK(fixed->dwProductVersionMS == 0x00010000);
    CHECK(fixed->dwProductVersionLS == 0);

    // The texts that a Chinese Windows shows in the file's properties.
    wchar_t* productName = NULL;
    UINT length = 0;
    REQUIRE(VerQueryValueW(&versionInfo[0], L"\\StringFileInfo\\080404B0\\ProductName",
                           reinterpret_cast<void**>(&productName), &length));
    CHECK(std::wstring(productName) == L"\u987E\u5BA2\u663E\u793A\u5C4F\u5F00\u5173");  // 顾客显示屏开关
}

TEST_CASE("the window is centred on the primary screen") {
    struct Case {
        int screenWidth, screenHeight;
        RECT outer;
    };
    // The halves truncate toward zero: on a screen 320 wide the left edge is -2, not -3.
    const Case cases[] = {
        {1920, 1080, {797, 459, 1122, 620}},
        {1024, 768, {349, 303, 674, 464}},  // the screen of a CI runner with Windows
        {320, 240, {-2, 39, 323, 200}},
    };
    Session session(false);
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const Case* expected = NULL;
    for (const Case& c : cases)
        if (c.screenWidth == width && c.screenHeight == height) expected = &c;
    REQUIRE_MESSAGE(expected, "no expectation for a screen of " << width << " x " << height);
    RECT outer;
    GetWindowRect(session.window, &outer);
    CHECK(outer.left == expected->outer.left);
    CHECK(outer.top == expected->outer.top);
    CHECK(outer.right == expected->outer.right);
    CHECK(outer.bottom == expected->outer.bottom);
}

TEST_CASE("at start the box is cleared and focused, and the display is left as it was") {
    Session session;
    CHECK(WindowText(session.window) == "");
    CHECK(WindowText(session.checkBox) == kCaption);
    CHECK_FALSE(session.Ticked());
    CHECK(session.Focus() == session.checkBox);
    PumpMessages(300);
    CHECK(IsWindowVisible(session.display));
    CHECK(ShowCommand(session.display) == SW_SHOWNORMAL);
}

TEST_CASE("a click hides the display and the next click shows it again" * doctest::test_suite("every_windows")) {
    Session session;
    ClickAt(CentreOf(session.checkBox));
    CHECK_MESSAGE(session.WaitForTicked(true), "the first click did not tick the box and hide the display");
    ClickAt(CentreOf(session.checkBox));
    CHECK_MESSAGE(session.WaitForTicked(false), "the second click did not clear the box and show the display");
    CHECK(ShowCommand(session.display) == SW_SHOWNORMAL);
}

TEST_CASE("without the point-of-sale application a click changes only the box") {
    Session session(false);
    ClickAt(CentreOf(session.checkBox));
    CHECK(session.WaitForTicked(true));
    ClickAt(CentreOf(session.checkBox));
    CHECK(session.WaitForTicked(false));
    CHECK(IsWindowVisible(session.window));
    CHECK(GetForegroundWindow() == session.window);  // no message box came up
}

TEST_CASE("the space bar toggles the box once, as a click does") {
    Session session;
    PressKeys({VK_SPACE});
    CHECK_MESSAGE(session.WaitForTicked(true), "space did not tick the box and hide the display");
    PressKeys({VK_SPACE});
    CHECK_MESSAGE(session.WaitForTicked(false), "space did not clear the box and show the display");
}

TEST_CASE("a double click counts as two clicks") {
    std::string log = TempFilePath("double-click.log");
    Session session(true, "--log \"" + log + "\"");
    ClickAt(CentreOf(session.checkBox), 2);
    CHECK_MESSAGE(WaitFor([&] { return FileText(log) == "hidden\nshown\n"; }),
                  "the stand-in saw \"" << FileText(log) << "\" instead of one hide and one show");
    CHECK_FALSE(session.Ticked());
    CHECK(IsWindowVisible(session.display));
}

TEST_CASE("keys" * doctest::test_suite("every_windows")) {
    struct Case {
        std::string name;
        std::initializer_list<WORD> keys;
        bool closes;
    };
    const Case cases[] = {
        {"Esc", {VK_ESCAPE}, true},
        {"Alt+F4", {VK_MENU, VK_F4}, true},
        {"Shift+Esc", {VK_SHIFT, VK_ESCAPE}, false},
        {"Enter", {VK_RETURN}, false},
        {"F1", {VK_F1}, false},
        {"Tab", {VK_TAB}, false},
        {"Shift+Tab", {VK_SHIFT, VK_TAB}, false},
        {"Down", {VK_DOWN}, false},
        {"Right", {VK_RIGHT}, false},
    };
    for (const Case& c : cases) {
        INFO(c.name);
        Session session;
        PressKeys(c.keys);
        if (c.closes) {
            CHECK(WaitForExit(session.program) == 0);
            continue;
        }
        // A space bar press behind the key shows that the key has been handled,
        // left the window open and the focus on the box, and not toggled it.
        PressKeys({VK_SPACE});
        CHECK_MESSAGE(session.WaitForTicked(true), "the box did not end up ticked by the space bar alone");
        CHECK(IsWindow(session.window));
        CHECK(session.Focus() == session.checkBox);
    }
}

TEST_CASE("the close button and the system menu end the program with exit code 0" *
          doctest::test_suite("every_windows")) {
    SUBCASE("close button") {
        Session session(false);
        RECT outer;
        GetWindowRect(session.window, &outer);
        POINT close = {outer.right - GetSystemMetrics(SM_CXFIXEDFRAME) - GetSystemMetrics(SM_CXSIZE) / 2,
                       outer.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
        REQUIRE(SendMessageA(session.window, WM_NCHITTEST, 0, MAKELPARAM(close.x, close.y)) == HTCLOSE);
        ClickAt(close);
        CHECK(WaitForExit(session.program) == 0);
    }
    SUBCASE("system menu") {
        Session session(false);
        PostMessageA(session.window, WM_SYSCOMMAND, SC_CLOSE, 0);
        CHECK(WaitForExit(session.program) == 0);
    }
}

TEST_CASE("closing while the box is ticked leaves the display hidden" * doctest::test_suite("every_windows")) {
    Session session;
    ClickAt(CentreOf(session.checkBox));
    REQUIRE(session.WaitForTicked(true));
    PressKeys({VK_ESCAPE});
    CHECK(WaitForExit(session.program) == 0);
    PumpMessages(300);
    CHECK_FALSE(IsWindowVisible(session.display));
}

TEST_CASE("starting the program twice opens two windows") {
    Session first(false);
    Session second(false);
    CHECK(first.window != second.window);
    CHECK(IsWindowVisible(first.window));
    CHECK(IsWindowVisible(second.window));
}

TEST_CASE("log-off and shut-down are never held up" * doctest::test_suite("every_windows")) {
    Session session;
    ClickAt(CentreOf(session.checkBox));
    REQUIRE(session.WaitForTicked(true));
    const LPARAM reasons[] = {0, static_cast<LPARAM>(ENDSESSION_LOGOFF)};  // shut-down, log-off
    for (LPARAM reason : reasons) {
        CAPTURE(reason);
        DWORD_PTR granted = 0;
        REQUIRE(SendMessageTimeoutA(session.window, WM_QUERYENDSESSION, 0, reason, SMTO_ABORTIFHUNG, kPatience,
                                    &granted));
        CHECK_MESSAGE(granted == TRUE, "the program answered " << granted << " to the end of the session");
    }
    // Ending the session for real would log a Windows test machine off; Wine's
    // wineboot ends just this prefix's session, as Windows does at log-off.
    if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) return;
    char commandLine[] = "wineboot.exe --end-session";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION endSession = {};
    REQUIRE(CreateProcessA(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &endSession));
    CHECK_MESSAGE(WaitForExit(session.program) == 0, "the program did not end with exit code 0 with the session");
    WaitForSingleObject(endSession.hProcess, kPatience);
    CloseHandle(endSession.hThread);
    CloseHandle(endSession.hProcess);
}

TEST_CASE("the program ends with exit code -1 when its window cannot be opened" *
          doctest::test_suite("every_windows")) {
    HHOOK hook = SetRefuseWindowHook();
    REQUIRE_MESSAGE(hook, "could not set the hook, error " << GetLastError());
    Process program = StartProgram(kProgramExe);
    DWORD exitCode = WaitForExit(program);
    UnhookWindowsHookEx(hook);
    CHECK_MESSAGE(exitCode == static_cast<DWORD>(-1), "expected exit code -1, got " << static_cast<LONG>(exitCode));
    CHECK_MESSAGE(FindProcessWindow(program.id, kMainWindowClass) == NULL, "a window of the program was left");
    EndProcess(program);
}
