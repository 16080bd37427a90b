// Measures what the program costs against the bare baseline program, side by
// side on the same machine: start-up, click handling, memory and size, and an
// endurance run of many clicks with the point-of-sale stand-in restarted
// along the way. Prints a table and writes the same figures as JSON.
//
//   bench.exe [--starts N] [--clicks N] [--endurance N] [--restart-every N] [--json FILE]
//
// It measures and reports; what must hold of the endurance run is checked by
// the endurance test.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "baseline_window.h"
#include "endurance.h"
#include "harness.h"
#include "ui/main_window.h"

namespace {

struct Options {
    int starts = 20;
    int clicks = 500;
    int endurance = 5000;
    int restartEvery = 500;
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

// The value below which the given fraction of the samples lie (nearest rank).
double Percentile(std::vector<double> samples, double fraction) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    size_t rank = static_cast<size_t>(fraction * static_cast<double>(samples.size()) + 0.999999);
    return samples[std::min(samples.size(), std::max<size_t>(rank, 1)) - 1];
}

// Starts a program and times it until its window is visible and answers.
bool Start(const Subject& subject, ProgramWindow* program, double* startupMs) {
    double start = NowMs();
    *program = LaunchProgramWindow(subject.exe, subject.windowClass);
    *startupMs = NowMs() - start;
    return program->checkBox != NULL;
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
            ProgramWindow program;
            double startupMs;
            if (!Start(*subjects[s], &program, &startupMs)) return false;
            figures[s]->startups.push_back(startupMs);
            CloseProgramWindow(program);
        }
    }
    return true;
}

bool MeasureMemoryAndSize(const Subject& subject, SubjectFigures* figures) {
    figures->sizeBytes = FileSize(ProgramPath(subject.exe));
    ProgramWindow program;
    double startupMs;
    if (!Start(subject, &program, &startupMs)) return false;
    Sleep(1000);  // idle
    figures->idle = HoldingsOf(program.process.handle, program.process.id);
    CloseProgramWindow(program);
    return true;
}

// Both windows open here at once and clicked in turn, so that whatever else
// the machine does falls on both alike.
bool MeasureClicks(const Options& options, SubjectFigures* ours, SubjectFigures* baseline) {
    const char* standIns[] = {"", "--hang 3600"};
    for (int hung = 0; hung < 2; ++hung) {
        StandIn standIn = LaunchStandIn(standIns[hung]);
        if (!standIn.window) return false;
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

void PrintEndurance(const Endurance& run, int restartEvery) {
    printf("endurance: %d clicks (%d with the display present), the display restarted every %d, %d mismatches; "
           "answered %s in %.3f ms\n",
           run.clicks, run.checkedClicks, restartEvery, run.mismatches, run.answered ? "yes" : "NO", run.answerMs);
    for (const EnduranceFigure& figure : EnduranceFigures(run))
        printf("  %-46s %12lld -> %lld\n", figure.label, figure.before, figure.after);
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

void WriteJson(const char* path, const Options& options, const std::vector<Row>& rows, const Endurance& run) {
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
            "\"mismatches\": %d, \"answered\": %s, \"answer_ms\": %.4f",
            run.clicks, options.restartEvery, run.checkedClicks, run.mismatches, run.answered ? "true" : "false",
            run.answerMs);
    for (const EnduranceFigure& figure : EnduranceFigures(run))
        fprintf(file, ",\n    \"%s\": [%lld, %lld]", figure.key, figure.before, figure.after);
    fprintf(file, "}\n}\n");
    fclose(file);
    printf("wrote %s\n", path);
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (strcmp(option, "--starts") == 0) options.starts = atoi(value), ++i;
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
    SubjectFigures ours, baseline;
    if (!MeasureStartups(options, &ours, &baseline) || !MeasureMemoryAndSize(kOurs, &ours) ||
        !MeasureMemoryAndSize(kBaseline, &baseline) || !MeasureClicks(options, &ours, &baseline)) {
        printf("FAILED: a program did not start or answer\n");
        return 1;
    }
    Endurance endurance = RunEndurance(options.endurance, options.restartEvery);
    if (!endurance.started) {
        printf("FAILED: the programs of the endurance run did not start\n");
        return 1;
    }
    std::vector<Row> rows = Rows(ours, baseline);
    PrintTable(rows);
    PrintEndurance(endurance, options.restartEvery);
    if (options.json) WriteJson(options.json, options, rows, endurance);
    return 0;
}
