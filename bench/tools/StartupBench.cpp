// bench/tools/StartupBench.cpp -- start-up of the main program against a bare window of ours
//
// Both programs are started by CreateProcess from here, in turns, and timed from
// just before that call until their start-up has visibly ended:
// - sentinox.exe: its main window shows, and its Home page list ("notifications")
//   holds the lines the start-up sequence writes last. The list is read with
//   LB_GETCOUNT, a sent message: while the start-up sequence runs, the GUI thread
//   answers nothing, so the answer also says it is back in its message loop.
// - the bare window: it shows, and answers WM_NULL (back in its loop, too).
// Then, after a short settling time, the peak working set (under Wine: the Linux
// process's high-water mark of resident memory, so Wine's own share is in both),
// and the process is ended. The first round of each is a warm-up, not counted.
#include "Benches.h"

#include "Figures.h"
#include "Text.h"
#include "WindowFinder.h"

#include <windows.h>
#include <psapi.h>

#include <optional>

namespace {

constexpr DWORD StartTimeoutMs = 60000;   // a loaded machine starts windows late
constexpr DWORD AnswerTimeoutMs = 20000;

struct TSubject {
    std::string Label;
    std::wstring CommandLine;
    std::wstring Caption;
    std::optional<std::wstring> ListName;  // none: the window showing and answering is the end
    LRESULT Lines = 0;
};

struct TSample {
    double Ms;
    double PeakMb;
};

// Waits until the desktop's thread answers again. A program's end takes its tray icon
// with it, and Wine's desktop process then hides its tray window; without a window
// manager (Xvfb) it waits 2 s for that to be confirmed, and every program starting
// meanwhile waits, too, in its first CreateWindow (which asks the desktop). The next
// launch must not pay for the previous one.
void AwaitDesktop() {
    constexpr DWORD TrayReactionMs = 250;
    for (int look = 0; look < 2; ++look) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(GetDesktopWindow(), WM_NULL, 0, 0, SMTO_NORMAL, AnswerTimeoutMs, &result);
        Sleep(TrayReactionMs);
    }
}

// Whether the start-up of the process has ended, looked at once.
bool StartupEnded(const TSubject& subject, DWORD pid) {
    TWindowQuery query;
    query.Caption = subject.Caption;
    query.Pid = pid;
    for (HWND top : TopWindows(query, false)) {
        if (!subject.ListName) {
            SendWithTimeout(top, WM_NULL, 0, 0, AnswerTimeoutMs);
            return true;
        }
        TControlQuery list;
        list.Name = *subject.ListName;
        for (HWND control : Controls(top, list))
            if (SendWithTimeout(control, LB_GETCOUNT, 0, 0, AnswerTimeoutMs) >= subject.Lines) return true;
    }
    return false;
}

TSample LaunchOnce(const TSubject& subject, DWORD settleMs) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = subject.CommandLine;  // CreateProcessW may write into it
    TStopwatch watch;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        throw EDriver("cannot start " + ToUtf8(subject.CommandLine) + ", error " + std::to_string(GetLastError()));
    CloseHandle(info.hThread);
    struct TEnd {  // the process goes, whatever happens here
        HANDLE Process;
        ~TEnd() {
            TerminateProcess(Process, 0);
            WaitForSingleObject(Process, 10000);
            CloseHandle(Process);
            AwaitDesktop();
        }
    } end{info.hProcess};

    while (!StartupEnded(subject, info.dwProcessId)) {
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0)
            throw EDriver(subject.Label + " ended during its start-up");
        if (watch.ElapsedMs() > StartTimeoutMs)
            throw EDriver(subject.Label + ": start-up not ended within " + std::to_string(StartTimeoutMs) + " ms");
        Sleep(1);
    }
    const double ms = watch.ElapsedMs();
    Sleep(settleMs);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(info.hProcess, &counters, sizeof(counters)))
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
    TSubject product{"the product", args.Require("product"), args.Require("product-window"),
                     args.Require("product-list"), static_cast<LRESULT>(args.Number("product-lines", 1))};
    TSubject bare{"the bare window", args.Require("bare"), args.Require("bare-window"), std::nullopt, 0};
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
    PrintLine("startup: ratio time " + FormatRatio(timeRatio) + " (goal: at most 1.50x), memory " +
              FormatRatio(memoryRatio) + " (goal: at most 2.00x)");
    return 0;
}
