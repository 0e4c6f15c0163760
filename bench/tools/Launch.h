// bench/tools/Launch.h -- a program started from the benchmark, waited for until its start-up ends
#pragma once

#include <windows.h>

#include <optional>
#include <string>

struct TLaunchSubject {
    std::string Label;                     // for messages: "the product"
    std::wstring CommandLine;
    std::wstring Caption;                  // of the window that shows when the start-up ends
    std::optional<std::wstring> ListClass; // none: that window showing and answering is the end
    LRESULT Lines = 0;                     // a visible list of this class holds at least this many lines
};

// A started process; ended (if still running) and waited for when it goes out of scope, so the
// next launch does not pay for this one.
class TLaunchedProcess {
public:
    explicit TLaunchedProcess(const TLaunchSubject& subject);   // throws EDriver
    ~TLaunchedProcess();
    TLaunchedProcess(const TLaunchedProcess&) = delete;
    TLaunchedProcess& operator=(const TLaunchedProcess&) = delete;

    HANDLE Process() const noexcept { return FInfo.hProcess; }
    // Polls until the start-up has visibly ended; the window of the end. Throws EDriver when
    // the process ends first or it takes longer than a loaded machine could explain.
    HWND AwaitStartupEnd(const TLaunchSubject& subject) const;

private:
    PROCESS_INFORMATION FInfo{};
};

// Waits until the desktop's thread answers again. A program's end takes its tray icon with it,
// and Wine's desktop process then hides its tray window; without a window manager (Xvfb) it
// waits 2 s for that to be confirmed, and every program starting meanwhile waits, too, in its
// first CreateWindow (which asks the desktop).
void AwaitDesktop();
