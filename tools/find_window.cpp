// Waits for a visible top-level window of a class (and title, if given) and
// prints its outer rectangle as "left top right bottom"; for scripts that take
// screenshots of the program under Wine.
//
//   find-window.exe CLASS [TITLE]     exit code 0 when found, 1 after 15 s without it
#include <windows.h>

#include <stdio.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: find-window CLASS [TITLE]\n");
        return 2;
    }
    const DWORD kPatience = 15000;
    DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindWindowExA(NULL, NULL, argv[1], argc > 2 ? argv[2] : NULL);
        if (window && IsWindowVisible(window)) {
            RECT rect;
            GetWindowRect(window, &rect);
            printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
            return 0;
        }
        if (GetTickCount() - start > kPatience) return 1;
        Sleep(50);
    }
}
