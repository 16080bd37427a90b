// The endurance run and the holdings of a process.
#include "endurance.h"

#include <psapi.h>

#include "harness.h"

namespace {

// Clicks before the run takes its first reading, so that what the system sets
// up on first use is not counted as growth.
const int kWarmUpClicks = 50;
// How long the display may take to follow a click; it changes on its own thread.
const DWORD kDisplayFollowsMs = 2000;

// Committed memory that belongs to the process alone (heaps, stacks, its own
// allocations), summed over its address space. The system's own figure for it
// (PrivateUsage) is not filled in under Wine; this one reads the same there
// and on Windows.
SIZE_T PrivateCommittedBytes(HANDLE process) {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const char* address = NULL; VirtualQueryEx(process, address, &region, sizeof region) == sizeof region;
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

// Waits for the display's visibility to match the box after a click.
bool DisplayMatches(HWND display, bool ticked) {
    DWORD start = GetTickCount();
    while ((IsWindowVisible(display) != FALSE) == ticked) {
        if (GetTickCount() - start > kDisplayFollowsMs) return false;
        Sleep(0);
    }
    return true;
}

}  // namespace

Holdings HoldingsOf(HANDLE process, DWORD processId) {
    Holdings holdings = {};
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, &memory, sizeof memory)) holdings.residentBytes = memory.WorkingSetSize;
    holdings.privateBytes = PrivateCommittedBytes(process);
    GetProcessHandleCount(process, &holdings.handles);
    holdings.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    if (!holdings.gdiObjects) holdings.gdiObjects = WineGdiObjects(process);
    holdings.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    holdings.windows = WindowsOf(processId);
    return holdings;
}

Endurance RunEndurance(int clicks, int restartEvery) {
    Endurance run = {};
    StandIn standIn = LaunchStandIn();
    ProgramWindow program = LaunchProgramWindow(kProgramExe, kMainWindowClass);
    run.started = standIn.window && program.checkBox;
    for (int i = 0; run.started && i < kWarmUpClicks; ++i) SendMessageA(program.checkBox, BM_CLICK, 0, 0);
    Sleep(500);
    if (run.started) run.before = HoldingsOf(program.process.handle, program.process.id);
    for (int i = 1; run.started && i <= clicks; ++i) {
        SendMessageA(program.checkBox, BM_CLICK, 0, 0);
        ++run.clicks;
        bool ticked = SendMessageA(program.checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (IsWindow(standIn.window)) {
            ++run.checkedClicks;
            if (!DisplayMatches(standIn.window, ticked)) ++run.mismatches;
        }
        if (i % restartEvery == 0) {
            StopStandIn(standIn);
            standIn = LaunchStandIn();
            run.started = standIn.window != NULL;
        }
    }
    if (run.started) {
        Sleep(500);
        double start = NowMs();
        run.answered = Answers(program.window, 1000);
        run.answerMs = NowMs() - start;
        run.after = HoldingsOf(program.process.handle, program.process.id);
    }
    CloseProgramWindow(program);
    StopStandIn(standIn);
    return run;
}

std::vector<EnduranceFigure> EnduranceFigures(const Endurance& run) {
    const Holdings& b = run.before;
    const Holdings& a = run.after;
    EnduranceFigure figures[] = {
        {"private_kib", "private memory (KiB)", static_cast<long long>(b.privateBytes / 1024),
         static_cast<long long>(a.privateBytes / 1024)},
        {"resident_kib", "resident memory (KiB)", static_cast<long long>(b.residentBytes / 1024),
         static_cast<long long>(a.residentBytes / 1024)},
        {"handles", "handles", b.handles, a.handles},
        {"windows", "windows", b.windows, a.windows},
        {"gdi_objects", "GDI objects", b.gdiObjects, a.gdiObjects},
        {"user_objects", "USER objects", b.userObjects, a.userObjects},
    };
    return std::vector<EnduranceFigure>(figures, figures + sizeof figures / sizeof figures[0]);
}
