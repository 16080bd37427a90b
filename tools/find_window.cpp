// Waits for a visible top-level window of a class (and title, if given) and
// prints the outer rectangle of it, or of its child with the given control id,
// as "left top right bottom"; with --gone, waits until no such window is
// visible. For scripts that take screenshots of the program under Wine.
//
//   find-window.exe [--gone | --child ID] CLASS [TITLE]
//   exit code 0 when it saw what it waited for, 1 after 15 s without it
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv) {
    bool gone = false;
    int childId = 0;
    int next = 1;
    if (next < argc && strcmp(argv[next], "--gone") == 0) {
        gone = true;
        ++next;
    } else if (next + 1 < argc && strcmp(argv[next], "--child") == 0) {
        childId = atoi(argv[next + 1]);
        next += 2;
    }
    if (next >= argc) {
        fprintf(stderr, "usage: find-window [--gone | --child ID] CLASS [TITLE]\n");
        return 2;
    }
    const char* className = argv[next];
    const char* title = next + 1 < argc ? argv[next + 1] : NULL;

    const DWORD kPatience = 15000;
    DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindWindowExA(NULL, NULL, className, title);
        bool visible = window && IsWindowVisible(window);
        if (gone && !visible) return 0;
        if (!gone && visible) {
            HWND target = childId ? GetDlgItem(window, childId) : window;
            RECT rect;
            if (target && GetWindowRect(target, &rect)) {
                printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
                return 0;
            }
        }
        if (GetTickCount() - start > kPatience) return 1;
        Sleep(50);
    }
}
