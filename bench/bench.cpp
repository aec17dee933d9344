// appuntex-bench: times whole runs of programs, from CreateProcessA until the
// process has ended, as a script or a shortcut would start them, and prints
// medians and ratios. It gives figures, not verdicts: scripts/bench runs it.
//
//   appuntex-bench.exe RUNS APPUNTEX FLOOR
//
// Three command lines are timed RUNS times each: FLOOR (a program linked like
// appuntex that only opens and closes the clipboard), APPUNTEX with a 1-byte
// text and APPUNTEX with a 32,000-byte text. They run in rounds of one each,
// in an order that rotates from round to round, so that the machine getting
// faster or slower over the minutes weighs on all three alike.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kWarmUpRuns = 5;
constexpr int kBootstrapRounds = 2000;
constexpr DWORD kClipboardBusy = static_cast<DWORD>(-2);

struct Subject {
    const char* label;
    std::string program;
    std::string commandLine;
    std::vector<double> milliseconds = {};
    int busyRuns = 0;
};

double Now(const LARGE_INTEGER& frequency) {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Runs the subject once to its end and returns its exit code; the duration
// goes to milliseconds.
DWORD RunOnce(Subject& subject, const LARGE_INTEGER& frequency, double& milliseconds) {
    std::string commandLine = subject.commandLine;  // CreateProcessA may write to it
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const double start = Now(frequency);
    if (!CreateProcessA(subject.program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %s: error %lu\n", subject.program.c_str(), GetLastError());
        std::exit(2);
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    milliseconds = Now(frequency) - start;
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// One timed run that did the whole job. A run that found the clipboard held
// by someone else ended early and says nothing about the work, so it is
// counted and run again; any other failure ends the bench.
void TimeRun(Subject& subject, const LARGE_INTEGER& frequency) {
    for (;;) {
        double milliseconds = 0;
        const DWORD code = RunOnce(subject, frequency, milliseconds);
        if (code == 0) {
            subject.milliseconds.push_back(milliseconds);
            return;
        }
        if (code != kClipboardBusy) {
            std::fprintf(stderr, "%s ended with %d\n", subject.label, static_cast<int>(code));
            std::exit(2);
        }
        ++subject.busyRuns;
    }
}

// The value below which the given share of the samples lie (nearest rank).
double Quantile(std::vector<double> samples, double share) {
    std::sort(samples.begin(), samples.end());
    const auto last = static_cast<double>(samples.size() - 1);
    return samples[static_cast<size_t>(share * last + 0.5)];
}

double Median(const std::vector<double>& samples) { return Quantile(samples, 0.5); }

// A 95% interval for median(a) / median(b), from resampling both sets.
void RatioInterval(const std::vector<double>& a, const std::vector<double>& b, double& low, double& high) {
    std::mt19937 random(12345);
    std::vector<double> ratios;
    std::vector<double> resampledA(a.size()), resampledB(b.size());
    for (int round = 0; round < kBootstrapRounds; ++round) {
        std::uniform_int_distribution<size_t> pickA(0, a.size() - 1), pickB(0, b.size() - 1);
        for (double& x : resampledA) x = a[pickA(random)];
        for (double& x : resampledB) x = b[pickB(random)];
        ratios.push_back(Median(resampledA) / Median(resampledB));
    }
    low = Quantile(ratios, 0.025);
    high = Quantile(ratios, 0.975);
}

void PrintSubject(const Subject& subject) {
    std::printf("  %-40s %8.2f ms   (quartiles %.2f to %.2f)\n", subject.label, Median(subject.milliseconds),
                Quantile(subject.milliseconds, 0.25), Quantile(subject.milliseconds, 0.75));
}

void PrintRatio(const char* what, const Subject& subject, const Subject& base, double goal) {
    const double ratio = Median(subject.milliseconds) / Median(base.milliseconds);
    double low = 0, high = 0;
    RatioInterval(subject.milliseconds, base.milliseconds, low, high);
    std::printf("  %-40s %+6.1f%%   (95%% interval %+.1f%% to %+.1f%%; goal: within %.0f%%, %s)\n", what,
                100.0 * (ratio - 1.0), 100.0 * (low - 1.0), 100.0 * (high - 1.0), 100.0 * (goal - 1.0),
                ratio <= goal ? "met" : "missed");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: %s RUNS APPUNTEX FLOOR\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const std::string appuntex = argv[2];
    const std::string floor = argv[3];
    const std::string quoted = "\"" + appuntex + "\"";

    Subject subjects[] = {
        {"floor (opens and closes the clipboard)", floor, "\"" + floor + "\""},
        {"appuntex, 1-byte text", appuntex, quoted + " x"},
        {"appuntex, 32000-byte text", appuntex, quoted + " " + std::string(32000, 'x')},
    };
    const Subject& floorRuns = subjects[0];
    const Subject& shortText = subjects[1];
    const Subject& longText = subjects[2];
    constexpr int kSubjects = static_cast<int>(sizeof subjects / sizeof subjects[0]);

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);

    // Loads the programs and Wine's DLLs into the caches before anything counts.
    for (Subject& subject : subjects) {
        for (int i = 0; i < kWarmUpRuns; ++i) TimeRun(subject, frequency);
        subject.milliseconds.clear();
    }
    for (int round = 0; round < runs; ++round)
        for (int k = 0; k < kSubjects; ++k) TimeRun(subjects[(round + k) % kSubjects], frequency);

    std::printf("From CreateProcessA to the end of the process, %d runs each, interleaved; medians:\n", runs);
    for (const Subject& subject : subjects) PrintSubject(subject);
    std::printf("Ratios of the medians:\n");
    PrintRatio("1-byte text against the floor", shortText, floorRuns, 1.03);
    PrintRatio("32000-byte text against 1-byte text", longText, shortText, 1.05);
    for (const Subject& subject : subjects)
        if (subject.busyRuns > 0)
            std::printf("  (%s: %d runs found the clipboard busy and were run again)\n", subject.label,
                        subject.busyRuns);
    return 0;
}
