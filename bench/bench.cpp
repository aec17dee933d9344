// appuntex-bench: times whole runs of programs, from CreateProcessA until the
// process has ended, as a script or a shortcut would start them, and prints
// medians and ratios. scripts/bench runs it; the goals it checks are figures
// to look at, not a test.
//
//   appuntex-bench.exe RUNS APPUNTEX FLOOR
//
// Four command lines are timed RUNS times each: APPUNTEX and FLOOR (a program
// linked like appuntex that only opens and closes the clipboard), each with a
// 1-byte and with a 32,000-byte text. FLOOR ignores its text, so its two
// lines tell what a long command line costs the launch itself, which no
// program can save. They run in rounds of one each, in an order that rotates
// from round to round, so that the machine getting faster or slower over the
// minutes weighs on all four alike.
//
// Under Wine a launch now and then stalls for 20 to 30 ms, whatever the
// program (one that only calls ExitProcess too), so the times fall in two
// clusters and a median may land on either side of the gap between them. The
// first quartile lies in the fast cluster and moves far less from one bench
// to the next, so each ratio is given for both.
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
constexpr double kFirstQuartile = 0.25;
constexpr double kMedian = 0.5;
constexpr double kThirdQuartile = 0.75;
constexpr DWORD kClipboardBusy = static_cast<DWORD>(-2);

struct Subject {
    const char* label;
    std::string program;
    std::string commandLine;
    std::vector<double> milliseconds = {};
    int busyRuns = 0;
};

std::string Quoted(const std::string& program) { return "\"" + program + "\""; }

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

// A 95% interval for quantile(a) / quantile(b), from resampling both sets.
void RatioInterval(const std::vector<double>& a, const std::vector<double>& b, double share, double& low,
                   double& high) {
    std::mt19937 random(12345);
    std::vector<double> ratios;
    std::vector<double> resampledA(a.size()), resampledB(b.size());
    for (int round = 0; round < kBootstrapRounds; ++round) {
        std::uniform_int_distribution<size_t> pickA(0, a.size() - 1), pickB(0, b.size() - 1);
        for (double& x : resampledA) x = a[pickA(random)];
        for (double& x : resampledB) x = b[pickB(random)];
        ratios.push_back(Quantile(resampledA, share) / Quantile(resampledB, share));
    }
    low = Quantile(ratios, 0.025);
    high = Quantile(ratios, 0.975);
}

void PrintSubject(const Subject& subject) {
    std::printf("  %-44s %8.2f %8.2f %8.2f\n", subject.label, Quantile(subject.milliseconds, kFirstQuartile),
                Quantile(subject.milliseconds, kMedian), Quantile(subject.milliseconds, kThirdQuartile));
}

// Prints how much longer the subject took than the base, at the median and
// at the first quartile. The goal is the largest ratio of the medians
// allowed, or 0 for a figure without one.
void PrintRatio(const char* what, const Subject& subject, const Subject& base, double goal) {
    std::printf("  %-44s", what);
    double medianRatio = 0;
    for (const double share : {kMedian, kFirstQuartile}) {
        const double ratio = Quantile(subject.milliseconds, share) / Quantile(base.milliseconds, share);
        double low = 0, high = 0;
        RatioInterval(subject.milliseconds, base.milliseconds, share, low, high);
        std::printf(" %+6.1f%% [%+5.1f, %+5.1f]", 100.0 * (ratio - 1.0), 100.0 * (low - 1.0), 100.0 * (high - 1.0));
        if (share == kMedian) medianRatio = ratio;
    }
    if (goal > 0)
        std::printf("   within %.0f%%: %s", 100.0 * (goal - 1.0), medianRatio <= goal ? "met" : "missed");
    std::printf("\n");
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
    const std::string shortText = " x";
    const std::string longText = " " + std::string(32000, 'x');

    Subject subjects[] = {
        {"floor, 1-byte text", floor, Quoted(floor) + shortText},
        {"appuntex, 1-byte text", appuntex, Quoted(appuntex) + shortText},
        {"floor, 32000-byte text", floor, Quoted(floor) + longText},
        {"appuntex, 32000-byte text", appuntex, Quoted(appuntex) + longText},
    };
    const Subject& floorShort = subjects[0];
    const Subject& appuntexShort = subjects[1];
    const Subject& floorLong = subjects[2];
    const Subject& appuntexLong = subjects[3];
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

    std::printf("From CreateProcessA to the end of the process, %d runs each, interleaved (ms):\n", runs);
    std::printf("  %-44s %8s %8s %8s\n", "", "1st qu.", "median", "3rd qu.");
    for (const Subject& subject : subjects) PrintSubject(subject);
    std::printf("How much longer, with 95%% intervals:\n");
    std::printf("  %-44s %-24s %-24s goal (median)\n", "", "  median", "  first quartile");
    PrintRatio("appuntex against the floor, 1-byte text", appuntexShort, floorShort, 1.03);
    PrintRatio("appuntex, 32000-byte against 1-byte text", appuntexLong, appuntexShort, 1.05);
    PrintRatio("floor, 32000-byte against 1-byte (launch)", floorLong, floorShort, 0);
    PrintRatio("appuntex against the floor, 32000-byte text", appuntexLong, floorLong, 0);
    for (const Subject& subject : subjects)
        if (subject.busyRuns > 0)
            std::printf("  (%s: %d runs found the clipboard busy and were run again)\n", subject.label,
                        subject.busyRuns);
    return 0;
}
