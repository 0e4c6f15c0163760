// bench/tools/CloseBench.cpp -- from WM_CLOSE of the main window to the end of the process
//
// sentinox.exe is started and waited for until its start-up has ended (as in the start-up
// benchmark); then WM_CLOSE is posted to its main window, as the caption's close button
// does, and two times are taken from there: until the window is no longer on the screen
// (not visible, or destroyed) and until the process has ended. The first round is a
// warm-up, not counted.
#include "Benches.h"

#include "Figures.h"
#include "Launch.h"
#include "Text.h"

#include <windows.h>

#include <vector>

namespace {

constexpr DWORD EndTimeoutMs = 30000;

struct TSample {
    double GoneMs;
    double EndedMs;
};

TSample CloseOnce(const TLaunchSubject& subject) {
    TLaunchedProcess process(subject);
    const HWND window = process.AwaitStartupEnd(subject);
    TStopwatch watch;
    if (!PostMessageW(window, WM_CLOSE, 0, 0))
        throw EDriver("PostMessage(WM_CLOSE) failed, error " + std::to_string(GetLastError()));
    double goneMs = -1;
    for (;;) {
        if (goneMs < 0 && (!IsWindow(window) || !IsWindowVisible(window))) goneMs = watch.ElapsedMs();
        if (WaitForSingleObject(process.Process(), 1) == WAIT_OBJECT_0) break;
        if (watch.ElapsedMs() > EndTimeoutMs)
            throw EDriver(subject.Label + " still runs " + std::to_string(EndTimeoutMs) + " ms after WM_CLOSE");
    }
    const double endedMs = watch.ElapsedMs();
    return {goneMs < 0 ? endedMs : goneMs, endedMs};
}

std::string MedianAndLargest(const std::vector<double>& samples) {
    return "median " + FormatMs(Median(samples)) + ", maximum " + FormatMs(Largest(samples)) + " (" +
           std::to_string(samples.size()) + " runs)";
}

} // namespace

int BenchClose(const TArgs& args) {
    TLaunchSubject product{"the product", args.Require("product"), args.Require("product-window"),
                           args.Require("product-list"), static_cast<LRESULT>(args.Number("product-lines", 1))};
    const int rounds = static_cast<int>(args.Number("rounds", 7));
    if (rounds < 1) throw EUsage("--rounds must be at least 1");

    CloseOnce(product);
    std::vector<double> gone, ended;
    for (int round = 0; round < rounds; ++round) {
        const TSample sample = CloseOnce(product);
        gone.push_back(sample.GoneMs);
        ended.push_back(sample.EndedMs);
    }
    PrintLine("close: WM_CLOSE to the window off the screen: " + MedianAndLargest(gone));
    PrintLine("close: WM_CLOSE to the end of the process: " + MedianAndLargest(ended) +
              " (goal: at most 500.0 ms)");
    return 0;
}
