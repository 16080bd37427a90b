// The endurance run: the program clicked many times beside the stand-in, which
// is closed and started again along the way, with what the program holds read
// before and after. The endurance test checks it; the benchmark reports it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What the system says a process holds.
struct Holdings {
    SIZE_T residentBytes;
    SIZE_T privateBytes;
    DWORD handles;
    DWORD gdiObjects;
    DWORD userObjects;
    int windows;
};
Holdings HoldingsOf(HANDLE process, DWORD processId);

struct Endurance {
    bool started;       // the program and the stand-in came up every time
    int clicks;
    int checkedClicks;  // clicks after which the display existed and was compared
    int mismatches;     // of those, how many left the display's visibility unlike the box
    bool answered;      // the program still answered at the end
    double answerMs;
    Holdings before, after;
};
Endurance RunEndurance(int clicks, int restartEvery);

// The run's figures, one per line, as the benchmark prints and stores them.
struct EnduranceFigure {
    const char* key;
    const char* label;
    long long before, after;
};
std::vector<EnduranceFigure> EnduranceFigures(const Endurance& run);
