// Measures what the program costs against the bare baseline program, side by
// side on the same machine: start-up, click handling, memory and size, and an
// endurance run of many clicks with the point-of-sale stand-in restarted
// along the way. Prints a table and writes the same figures as JSON.
//
//   bench.exe [--starts N] [--clicks N] [--endurance N] [--restart-every N] [--json FILE]
//   bench.exe --endurance-only [--endurance N] [--restart-every N]
//
// --endurance-only runs just the endurance run's correctness checks (the
// display's visibility matches the box after every click, the program still
// answers, its objects and memory do not grow) and exits with 1 if one fails.
#include <windows.h>
#include <psapi.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "baseline_window.h"
#include "harness.h"
#include "ui/main_window.h"

namespace {

struct Options {
    int starts = 20;
    int clicks = 500;
    int endurance = 5000;
    int restartEvery = 500;
    bool enduranceOnly = false;
    const char* json = NULL;
};

// A program measured, ours or the baseline: started as a process of its own,
// or its window opened in this process to time its click handling alone.
struct Subject {
    const char* exe;
    const char* windowClass;
    HWND (*openHere)();
};

HWND OpenOursHere() {
    return OpenMainWindow(GetModuleHandleA(NULL)) ? FindWindowExA(NULL, NULL, kMainWindowClass, NULL) : NULL;
}

HWND OpenBaselineHere() {
    return OpenBaselineWindow(GetModuleHandleA(NULL));
}

const Subject kOurs = {kProgramExe, kMainWindowClass, OpenOursHere};
const Subject kBaseline = {"baseline.exe", kBaselineWindowClass, OpenBaselineHere};

// Memory growth that the endurance run still counts as noise.
const SIZE_T kMemoryNoiseBytes = 256 * 1024;
// Clicks before the endurance run takes its first reading, so that what the
// system sets up on first use is not counted as growth.
const int kWarmUpClicks = 50;

double NowMs() {
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The value below which the given fraction of the samples lie (nearest rank).
double Percentile(std::vector<double> samples, double fraction) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    size_t rank = static_cast<size_t>(fraction * static_cast<double>(samples.size()) + 0.999999);
    return samples[std::min(samples.size(), std::max<size_t>(rank, 1)) - 1];
}

struct Running {
    Process process;
    HWND window;
    HWND checkBox;
    double startupMs;
};

bool Answers(HWND window, DWORD timeoutMs) {
    DWORD_PTR result;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

// Starts a program and times it until its window is visible and answers.
bool Start(const Subject& subject, Running* running) {
    double start = NowMs();
    running->process = LaunchProgram(subject.exe);
    if (!running->process.handle) return false;
    for (;;) {
        HWND window = FindProcessWindow(running->process.id, subject.windowClass);
        if (window && IsWindowVisible(window) && Answers(window, kPatience)) {
            running->startupMs = NowMs() - start;
            running->window = window;
            running->checkBox = GetDlgItem(window, kCheckBoxId);
            return running->checkBox != NULL;
        }
        if (NowMs() - start > kPatience) return false;
        Sleep(1);
    }
}

void Stop(Running& running) {
    PostMessageA(running.window, WM_CLOSE, 0, 0);
    WaitForExit(running.process);
    EndProcess(running.process);
}

struct StandIn {
    Process process;
    HWND window;
};

bool StartStandIn(const char* arguments, StandIn* standIn) {
    standIn->process = LaunchProgram(kStandInExe, arguments);
    standIn->window = standIn->process.handle ? WaitForProcessWindow(standIn->process.id, kStandInClass) : NULL;
    return standIn->window != NULL;
}

void StopStandIn(StandIn& standIn) {
    PostMessageA(standIn.window, WM_CLOSE, 0, 0);
    WaitForExit(standIn.process, 2000);
    EndProcess(standIn.process);
}

// What the system says a process holds.
struct Holdings {
    SIZE_T residentBytes;
    SIZE_T privateBytes;
    DWORD handles;
    DWORD gdiObjects;
    DWORD userObjects;
};

// Committed memory that belongs to the process alone (heaps, stacks, its own
// allocations), summed over its address space. The system's own figure for it
// (PrivateUsage) is not filled in under Wine; this one reads the same there
// and on Windows.
SIZE_T PrivateCommittedBytes(HANDLE process) {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const char* address = NULL;
         VirtualQueryEx(process, address, &region, sizeof region) == sizeof region;
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    }
    return total;
}

// Wine does not count GDI objects for GetGuiResources (it returns 0), but it
// keeps each process's GDI handles in a table that the process's PEB points
// to (GdiSharedHandleTable), 65536 entries of 24 bytes with the object type at
// byte 14; a used entry has a type. Counting those is the closest measure.
DWORD WineGdiObjects(HANDLE process) {
    typedef LONG(WINAPI * QueryInformationProcess)(HANDLE, int, void*, ULONG, ULONG*);
    struct BasicInformation {
        LONG exitStatus;
        void* peb;
        ULONG_PTR affinity, basePriority, processId, parentProcessId;
    } basic = {};
    const size_t kGdiSharedHandleTableOffset = 0x94;  // in a 32-bit PEB
    const size_t kEntries = 0x10000, kEntrySize = 24, kTypeOffset = 14;
    QueryInformationProcess query = reinterpret_cast<QueryInformationProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    const char* table = NULL;
    if (!query || query(process, 0, &basic, sizeof basic, NULL) != 0 ||
        !ReadProcessMemory(process, static_cast<char*>(basic.peb) + kGdiSharedHandleTableOffset, &table,
                           sizeof table, NULL) ||
        !table)
        return 0;
    std::vector<unsigned char> entries(kEntries * kEntrySize);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size(), NULL)) return 0;
    DWORD used = 0;
    for (size_t i = 0; i < kEntries; ++i) used += entries[i * kEntrySize + kTypeOffset] != 0;
    return used;
}

Holdings HoldingsOf(HANDLE process) {
    Holdings holdings = {};
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, &memory, sizeof memory)) holdings.residentBytes = memory.WorkingSetSize;
    holdings.privateBytes = PrivateCommittedBytes(process);
    GetProcessHandleCount(process, &holdings.handles);
    holdings.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    if (!holdings.gdiObjects) holdings.gdiObjects = WineGdiObjects(process);
    holdings.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    return holdings;
}

void DrainMessages() {
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// A click on a box whose window lives in this thread, timed from the click
// reaching the box until its handler has returned and the box has repainted:
// what one click costs the message loop, without the cost of reaching another
// process.
double TimeClick(HWND checkBox) {
    double start = NowMs();
    SendMessageA(checkBox, BM_CLICK, 0, 0);
    UpdateWindow(checkBox);
    double time = NowMs() - start;
    DrainMessages();
    return time;
}

// The click notification alone, as the box sends it to the window: the
// program's own handler, without the button's input handling and repaint.
// The box is flipped first, untimed, so that the display is hidden and shown
// in turn as with real clicks.
double TimeHandler(HWND window, HWND checkBox) {
    bool ticked = SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
    SendMessageA(checkBox, BM_SETCHECK, ticked ? BST_UNCHECKED : BST_CHECKED, 0);
    double start = NowMs();
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(kCheckBoxId, BN_CLICKED), reinterpret_cast<LPARAM>(checkBox));
    double time = NowMs() - start;
    DrainMessages();
    return time;
}

struct SubjectFigures {
    std::vector<double> startups;
    std::vector<double> clicks[2], handlers[2];  // [0] display responsive, [1] display hung
    Holdings idle;
    LONGLONG sizeBytes;
};

LONGLONG FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool MeasureStartups(const Options& options, SubjectFigures* ours, SubjectFigures* baseline) {
    // Alternate the two, so that whatever else the machine does falls on both.
    for (int i = 0; i < options.starts; ++i) {
        const Subject* subjects[] = {&kOurs, &kBaseline};
        SubjectFigures* figures[] = {ours, baseline};
        for (int s = 0; s < 2; ++s) {
            Running running;
            if (!Start(*subjects[s], &running)) return false;
            figures[s]->startups.push_back(running.startupMs);
            Stop(running);
        }
    }
    return true;
}

bool MeasureMemoryAndSize(const Subject& subject, SubjectFigures* figures) {
    figures->sizeBytes = FileSize(ProgramPath(subject.exe));
    Running running;
    if (!Start(subject, &running)) return false;
    Sleep(1000);  // idle
    figures->idle = HoldingsOf(running.process.handle);
    Stop(running);
    return true;
}

// Both windows open here at once and clicked in turn, so that whatever else
// the machine does falls on both alike.
bool MeasureClicks(const Options& options, SubjectFigures* ours, SubjectFigures* baseline) {
    const char* standIns[] = {"", "--hang 3600"};
    for (int hung = 0; hung < 2; ++hung) {
        StandIn standIn;
        if (!StartStandIn(standIns[hung], &standIn)) return false;
        HWND windows[] = {kOurs.openHere(), kBaseline.openHere()};
        SubjectFigures* figures[] = {ours, baseline};
        if (!windows[0] || !windows[1]) return false;
        DrainMessages();
        for (int i = 0; i < options.clicks; ++i)
            for (int s = 0; s < 2; ++s) {
                HWND checkBox = GetDlgItem(windows[s], kCheckBoxId);
                figures[s]->clicks[hung].push_back(TimeClick(checkBox));
                figures[s]->handlers[hung].push_back(TimeHandler(windows[s], checkBox));
            }
        for (HWND window : windows) DestroyWindow(window);
        DrainMessages();
        EndProcess(standIn.process);
    }
    return true;
}

struct Endurance {
    int clicks;
    int checkedClicks;  // clicks after which the display existed and was compared
    int mismatches;
    bool answered;
    double answerMs;
    Holdings before, after;
    int windowsBefore, windowsAfter;
};

BOOL CALLBACK CountProcessWindow(HWND window, LPARAM parameter) {
    std::pair<DWORD, int>* count = reinterpret_cast<std::pair<DWORD, int>*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == count->first) {
        ++count->second;
        EnumChildWindows(window, CountProcessWindow, parameter);
    }
    return TRUE;
}

// The windows that a process owns: the closest measure of its USER objects
// where the system does not count them.
int WindowsOf(DWORD processId) {
    std::pair<DWORD, int> count(processId, 0);
    EnumWindows(CountProcessWindow, reinterpret_cast<LPARAM>(&count));
    return count.second;
}

// Waits for the display's visibility to match the box after a click; the
// display changes on its own thread, a moment after the click has returned.
bool DisplayMatches(HWND display, bool ticked) {
    double start = NowMs();
    while ((IsWindowVisible(display) != FALSE) == ticked) {
        if (NowMs() - start > 2000) return false;
        Sleep(0);
    }
    return true;
}

bool RunEndurance(const Options& options, Endurance* result) {
    StandIn standIn;
    Running running;
    if (!StartStandIn("", &standIn) || !Start(kOurs, &running)) return false;
    for (int i = 0; i < kWarmUpClicks; ++i) SendMessageA(running.checkBox, BM_CLICK, 0, 0);
    Sleep(500);
    *result = Endurance();
    result->before = HoldingsOf(running.process.handle);
    result->windowsBefore = WindowsOf(running.process.id);
    for (int i = 1; i <= options.endurance; ++i) {
        SendMessageA(running.checkBox, BM_CLICK, 0, 0);
        ++result->clicks;
        bool ticked = SendMessageA(running.checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (IsWindow(standIn.window)) {
            ++result->checkedClicks;
            if (!DisplayMatches(standIn.window, ticked)) ++result->mismatches;
        }
        if (i % options.restartEvery == 0) {
            StopStandIn(standIn);
            if (!StartStandIn("", &standIn)) return false;
        }
    }
    Sleep(500);
    double start = NowMs();
    result->answered = Answers(running.window, 1000);
    result->answerMs = NowMs() - start;
    result->after = HoldingsOf(running.process.handle);
    result->windowsAfter = WindowsOf(running.process.id);
    Stop(running);
    StopStandIn(standIn);
    return true;
}

long long Growth(SIZE_T before, SIZE_T after) {
    return static_cast<long long>(after) - static_cast<long long>(before);
}

// Prints what failed and returns whether the endurance run held up.
bool EnduranceHeld(const Endurance& e) {
    struct Check {
        bool ok;
        const char* what;
    };
    const Check checks[] = {
        {e.mismatches == 0, "the display's visibility matched the box after every click"},
        {e.answered, "the program still answered at the end"},
        {e.windowsAfter == e.windowsBefore, "the program's windows did not grow in number"},
        {e.after.handles <= e.before.handles, "the program's handles did not grow"},
        {e.after.gdiObjects <= e.before.gdiObjects, "the program's GDI objects did not grow"},
        {e.after.userObjects <= e.before.userObjects, "the program's USER objects did not grow"},
        {Growth(e.before.privateBytes, e.after.privateBytes) <= static_cast<long long>(kMemoryNoiseBytes),
         "the program's private memory did not grow beyond noise"},
    };
    int failed = 0;
    for (const Check& check : checks)
        if (!check.ok) {
            printf("FAILED: %s\n", check.what);
            ++failed;
        }
    int total = static_cast<int>(sizeof checks / sizeof checks[0]);
    printf("%d passed, %d failed\n", total - failed, failed);
    return failed == 0;
}

void PrintEndurance(const Endurance& e) {
    printf("endurance: %d clicks (%d with the display present), %d mismatches; answered %s in %.3f ms\n", e.clicks,
           e.checkedClicks, e.mismatches, e.answered ? "yes" : "NO", e.answerMs);
    printf("  private memory %lld -> %lld KiB, resident %lld -> %lld KiB, handles %lu -> %lu, windows %d -> %d, "
           "GDI objects %lu -> %lu, USER objects %lu -> %lu\n",
           static_cast<long long>(e.before.privateBytes / 1024), static_cast<long long>(e.after.privateBytes / 1024),
           static_cast<long long>(e.before.residentBytes / 1024),
           static_cast<long long>(e.after.residentBytes / 1024), e.before.handles, e.after.handles, e.windowsBefore,
           e.windowsAfter, e.before.gdiObjects, e.after.gdiObjects, e.before.userObjects, e.after.userObjects);
}

double Ratio(double ours, double baseline) {
    return baseline > 0 ? ours / baseline : 0;
}

// The figures as rows of the table and the JSON file.
struct Row {
    std::string key, label;
    double ours, baseline;
};

std::vector<Row> Rows(const SubjectFigures& ours, const SubjectFigures& baseline) {
    std::vector<Row> rows = {
        {"startup_median_ms", "start-up, median (ms)", Percentile(ours.startups, 0.5),
         Percentile(baseline.startups, 0.5)},
        {"startup_spread_ms", "start-up, spread p25..p75 (ms)",
         Percentile(ours.startups, 0.75) - Percentile(ours.startups, 0.25),
         Percentile(baseline.startups, 0.75) - Percentile(baseline.startups, 0.25)},
    };
    // The click timings: median and 99th percentile of each series.
    const struct {
        const char* key;
        const char* label;
        const std::vector<double>& ours;
        const std::vector<double>& baseline;
    } series[] = {
        {"click", "click, display responsive", ours.clicks[0], baseline.clicks[0]},
        {"click_hung", "click, display hung", ours.clicks[1], baseline.clicks[1]},
        {"handler", "click handler, display responsive", ours.handlers[0], baseline.handlers[0]},
        {"handler_hung", "click handler, display hung", ours.handlers[1], baseline.handlers[1]},
    };
    const struct {
        const char* name;
        double fraction;
    } percentiles[] = {{"median", 0.5}, {"p99", 0.99}};
    for (const auto& samples : series)
        for (const auto& percentile : percentiles) {
            Row row = {std::string(samples.key) + "_" + percentile.name + "_ms",
                       std::string(samples.label) + ", " + percentile.name + " (ms)",
                       Percentile(samples.ours, percentile.fraction), Percentile(samples.baseline, percentile.fraction)};
            rows.push_back(row);
        }
    const Row sizes[] = {
        {"resident_memory_kib", "resident memory, idle (KiB)", ours.idle.residentBytes / 1024.0,
         baseline.idle.residentBytes / 1024.0},
        {"private_memory_kib", "private memory, idle (KiB)", ours.idle.privateBytes / 1024.0,
         baseline.idle.privateBytes / 1024.0},
        {"size_bytes", "executable size (bytes)", static_cast<double>(ours.sizeBytes),
         static_cast<double>(baseline.sizeBytes)},
    };
    rows.insert(rows.end(), sizes, sizes + 3);
    return rows;
}

void PrintTable(const std::vector<Row>& rows) {
    printf("%-48s %12s %12s %8s\n", "figure", "ours", "baseline", "ratio");
    for (const Row& row : rows)
        printf("%-48s %12.3f %12.3f %8.3f\n", row.label.c_str(), row.ours, row.baseline, Ratio(row.ours, row.baseline));
}

void WriteJson(const char* path, const Options& options, const std::vector<Row>& rows, const Endurance& e,
               bool held) {
    FILE* file = fopen(path, "w");
    if (!file) {
        printf("could not write %s\n", path);
        return;
    }
    fprintf(file, "{\n  \"samples\": {\"starts\": %d, \"clicks\": %d},\n", options.starts, options.clicks);
    for (const Row& row : rows)
        fprintf(file, "  \"%s\": {\"ours\": %.4f, \"baseline\": %.4f, \"ratio\": %.4f},\n", row.key.c_str(), row.ours,
                row.baseline, Ratio(row.ours, row.baseline));
    fprintf(file,
            "  \"endurance\": {\"clicks\": %d, \"restart_every\": %d, \"clicks_with_display\": %d, "
            "\"mismatches\": %d, \"answered\": %s, \"answer_ms\": %.4f,\n"
            "    \"private_kib\": [%lld, %lld], \"resident_kib\": [%lld, %lld], \"handles\": [%lu, %lu], "
            "\"windows\": [%d, %d], \"gdi_objects\": [%lu, %lu], \"user_objects\": [%lu, %lu], \"held\": %s}\n}\n",
            e.clicks, options.restartEvery, e.checkedClicks, e.mismatches, e.answered ? "true" : "false",
            e.answerMs, static_cast<long long>(e.before.privateBytes / 1024),
            static_cast<long long>(e.after.privateBytes / 1024), static_cast<long long>(e.before.residentBytes / 1024),
            static_cast<long long>(e.after.residentBytes / 1024), e.before.handles, e.after.handles, e.windowsBefore,
            e.windowsAfter, e.before.gdiObjects, e.after.gdiObjects, e.before.userObjects, e.after.userObjects,
            held ? "true" : "false");
    fclose(file);
    printf("wrote %s\n", path);
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (strcmp(option, "--endurance-only") == 0) options.enduranceOnly = true;
        else if (strcmp(option, "--starts") == 0) options.starts = atoi(value), ++i;
        else if (strcmp(option, "--clicks") == 0) options.clicks = atoi(value), ++i;
        else if (strcmp(option, "--endurance") == 0) options.endurance = atoi(value), ++i;
        else if (strcmp(option, "--restart-every") == 0) options.restartEvery = atoi(value), ++i;
        else if (strcmp(option, "--json") == 0) options.json = value, ++i;
    }
    options.restartEvery = std::max(options.restartEvery, 1);
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    Options options = ParseOptions(argc, argv);
    Endurance endurance;
    if (options.enduranceOnly) {
        if (!RunEndurance(options, &endurance)) {
            printf("FAILED: the programs of the endurance run did not start\n");
            return 1;
        }
        PrintEndurance(endurance);
        return EnduranceHeld(endurance) ? 0 : 1;
    }

    SubjectFigures ours, baseline;
    if (!MeasureStartups(options, &ours, &baseline) || !MeasureMemoryAndSize(kOurs, &ours) ||
        !MeasureMemoryAndSize(kBaseline, &baseline) || !MeasureClicks(options, &ours, &baseline) ||
        !RunEndurance(options, &endurance)) {
        printf("FAILED: a program did not start or answer\n");
        return 1;
    }
    std::vector<Row> rows = Rows(ours, baseline);
    PrintTable(rows);
    PrintEndurance(endurance);
    bool held = EnduranceHeld(endurance);
    if (options.json) WriteJson(options.json, options, rows, endurance, held);
    return held ? 0 : 1;
}
