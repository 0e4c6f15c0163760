// bench/tools/StartupBench.cpp -- start-up of the main program against a bare window of ours
//
// Both programs are started by CreateProcess from here, in turns, and timed from
// just before that call until their start-up has visibly ended:
// - sentinox.exe: its main window shows, and its Home page list (the window's one
//   visible list box) holds the lines the start-up sequence writes last. The list is read with
//   LB_GETCOUNT, a sent message: while the start-up sequence runs, the GUI thread
//   answers nothing, so the answer also says it is back in its message loop.
// - the bare window: it shows, and answers WM_NULL (back in its loop, too).
// Then, after a short settling time, the peak working set (under Wine: the Linux
// process's high-water mark of resident memory, so Wine's own share is in both),
// and the process is ended. The first round of each is a warm-up, not counted.
#include "Benches.h"

#include "Figures.h"
#include "Launch.h"
#include "Text.h"

#include <windows.h>
#include <psapi.h>

namespace {

struct TSample {
    double Ms;
    double PeakMb;
};

TSample LaunchOnce(const TLaunchSubject& subject, DWORD settleMs) {
    TStopwatch watch;
    TLaunchedProcess process(subject);
    process.AwaitStartupEnd(subject);
    const double ms = watch.ElapsedMs();
    Sleep(settleMs);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(process.Process(), &counters, sizeof(counters)))
        throw EDriver("GetProcessMemoryInfo failed, error " + std::to_string(GetLastError()));
    return {ms, static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0)};
}

struct TSeries {
    std::vector<double> Ms;
    std::vector<double> PeakMb;
    void Add(const TSample& sample) {
        Ms.push_back(sample.Ms);
        PeakMb.push_back(sample.PeakMb);
    }
};

void PrintSeries(const std::string& what, const TSeries& series) {
    PrintLine("startup: " + what + ": " + DescribeMs(series.Ms) + ", peak working set median " +
              FormatMb(Median(series.PeakMb)) + " (" + FormatMb(Smallest(series.PeakMb)) + " .. " +
              FormatMb(Largest(series.PeakMb)) + ")");
}

} // namespace

int BenchStartup(const TArgs& args) {
    TLaunchSubject product{"the product", args.Require("product"), args.Require("product-window"),
                     args.Require("product-list"), static_cast<LRESULT>(args.Number("product-lines", 1))};
    TLaunchSubject bare{"the bare window", args.Require("bare"), args.Require("bare-window"), std::nullopt, 0};
    const int rounds = static_cast<int>(args.Number("rounds", 7));
    const DWORD settleMs = static_cast<DWORD>(args.Number("settle-ms", 1000));
    if (rounds < 1) throw EUsage("--rounds must be at least 1");

    LaunchOnce(product, 0);
    LaunchOnce(bare, 0);
    TSeries productSeries, bareSeries;
    for (int round = 0; round < rounds; ++round) {
        productSeries.Add(LaunchOnce(product, settleMs));
        bareSeries.Add(LaunchOnce(bare, settleMs));
    }
    PrintSeries("sentinox.exe, launch to its Home page lines", productSeries);
    PrintSeries("bare window, launch to its window shown", bareSeries);
    const double timeRatio = Median(productSeries.Ms) / Median(bareSeries.Ms);
    const double memoryRatio = Median(productSeries.PeakMb) / Median(bareSeries.PeakMb);
    PrintLine("startup: ratio time " + FormatRatio(timeRatio) + " (goal: at most 2.50x), memory " +
              FormatRatio(memoryRatio) + " (goal: at most 2.00x)");
    return 0;
}
