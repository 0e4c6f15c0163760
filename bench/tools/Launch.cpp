// bench/tools/Launch.cpp -- starting a program and seeing its start-up end
#include "Launch.h"

#include "Text.h"
#include "WindowFinder.h"

#include <vector>

namespace {

constexpr DWORD StartTimeoutMs = 60000;   // a loaded machine starts windows late
constexpr DWORD AnswerTimeoutMs = 20000;
constexpr DWORD EndTimeoutMs = 10000;

// The window whose showing ends the start-up, looked at once; null while it has not.
// The list is read with LB_GETCOUNT, a sent message: while the start-up sequence runs,
// the GUI thread answers nothing, so the answer also says it is back in its message loop.
// It is found by class, not by component name: the product publishes names only when asked,
// and asking would add that work to what is measured.
HWND StartupEndWindow(const TLaunchSubject& subject, DWORD pid) {
    TWindowQuery query;
    query.Caption = subject.Caption;
    query.Pid = pid;
    for (HWND top : TopWindows(query, false)) {
        if (!subject.ListClass) {
            SendWithTimeout(top, WM_NULL, 0, 0, AnswerTimeoutMs);
            return top;
        }
        for (HWND control : Controls(top, TControlQuery::OfClass(subject.ListClass->c_str())))
            if (IsWindowVisible(control) && SendWithTimeout(control, LB_GETCOUNT, 0, 0, AnswerTimeoutMs) >= subject.Lines)
                return top;
    }
    return nullptr;
}

} // namespace

TLaunchedProcess::TLaunchedProcess(const TLaunchSubject& subject) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = subject.CommandLine;  // CreateProcessW may write into it
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &FInfo))
        throw EDriver("cannot start " + ToUtf8(subject.CommandLine) + ", error " + std::to_string(GetLastError()));
    CloseHandle(FInfo.hThread);
}

TLaunchedProcess::~TLaunchedProcess() {
    if (WaitForSingleObject(FInfo.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(FInfo.hProcess, 0);
    WaitForSingleObject(FInfo.hProcess, EndTimeoutMs);
    CloseHandle(FInfo.hProcess);
    AwaitDesktop();
}

HWND TLaunchedProcess::AwaitStartupEnd(const TLaunchSubject& subject) const {
    const DWORD started = GetTickCount();
    for (;;) {
        if (HWND window = StartupEndWindow(subject, FInfo.dwProcessId)) return window;
        if (WaitForSingleObject(FInfo.hProcess, 0) == WAIT_OBJECT_0)
            throw EDriver(subject.Label + " ended during its start-up");
        if (GetTickCount() - started > StartTimeoutMs)
            throw EDriver(subject.Label + ": start-up not ended within " + std::to_string(StartTimeoutMs) + " ms");
        Sleep(1);
    }
}

void AwaitDesktop() {
    constexpr DWORD TrayReactionMs = 250;
    for (int look = 0; look < 2; ++look) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(GetDesktopWindow(), WM_NULL, 0, 0, SMTO_NORMAL, AnswerTimeoutMs, &result);
        Sleep(TrayReactionMs);
    }
}
