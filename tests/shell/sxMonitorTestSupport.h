// tests/shell/sxMonitorTestSupport.h -- for the monitor and thread tests: a handler probe, the
// tests' bounded message pump, and another process to make changes as an intruder would
#pragma once
#include "tests/support/MessagePump.h"
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "desktop/Application.h"
#include "desktop/Events.h"
#include "desktop/Handle.h"

namespace sxtest {

// How long a change that should not be reported is given to show up anyway.
constexpr DWORD QuietMs = 600;

// Whether a message another thread sent (a worker's Synchronize) waits on this thread's queue.
inline bool IsSentMessageWaiting() {
    return (HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) != 0;
}

// Waits, without serving anything, until a worker blocks in Synchronize; false: none came in time.
inline bool WaitForBlockedSynchronize(DWORD timeoutMs = sxtest::WatchdogMs) {
    const DWORD start = GetTickCount();
    while (!IsSentMessageWaiting()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(5);   // a poll, not a settle time: the state is checked again at once
    }
    return true;
}

// Starts commandLine in a process of its own, hidden; the handle is invalid when it could not start.
inline THandle StartProcess(const std::string& commandLine) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &process))
        return THandle();
    CloseHandle(process.hThread);
    return THandle(process.hProcess);
}

// Runs commandLine in another process and waits for it (serving the GUI thread meanwhile);
// its exit code, or -1 when it did not start or did not end in time.
inline int RunProcess(const std::string& commandLine) {
    THandle process = StartProcess(commandLine);
    if (!process.IsValid()) return -1;
    if (!PumpUntil([&] { return WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0; })) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process.Get(), &code);
    return static_cast<int>(code);
}

// An OnChange handler that counts its calls and notes the thread it ran on.
struct TChangeProbe {
    std::atomic<int> Count{0};
    std::atomic<DWORD> Thread{0};
    std::function<void()> Action;  // runs inside the handler, after counting
    void Changed() {
        Thread = GetCurrentThreadId();
        ++Count;
        if (Action) Action();
    }
    TThreadMethod Method() { return TThreadMethod(this, &TChangeProbe::Changed); }
    // Waits until more than `seen` calls have been made.
    bool WaitBeyond(int seen, DWORD timeoutMs = WatchdogMs) {
        return PumpUntil([&] { return Count > seen; }, timeoutMs);
    }
};

// Takes the application's error display for its lifetime and counts what reaches it.
class TErrorCatcher {
public:
    TErrorCatcher() : FPrevious(Application->OnException) {
        Application->OnException = TExceptionEvent(this, &TErrorCatcher::Show);
    }
    ~TErrorCatcher() { Application->OnException = FPrevious; }
    TErrorCatcher(const TErrorCatcher&) = delete;
    TErrorCatcher& operator=(const TErrorCatcher&) = delete;
    int Count() const { return FCount; }
    const std::string& LastMessage() const { return FLastMessage; }

private:
    void Show(TObject*, const std::exception& error) {
        ++FCount;
        FLastMessage = error.what();
    }
    TExceptionEvent FPrevious;
    int FCount = 0;
    std::string FLastMessage;
};

}  // namespace sxtest
