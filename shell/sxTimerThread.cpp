// shell/sxTimerThread.cpp -- TsxTimerThread
#include "sxTimerThread.h"

#include "desktop/SysUtils.h"

TsxTimerThread::TsxTimerThread(bool createSuspended)
    : TsxEventThread(true), FWakeEvent(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
    if (!FWakeEvent.IsValid()) throw EWin32Error("TsxTimerThread: CreateEventA", GetLastError());
    if (!createSuspended) Start();
}

TsxTimerThread::~TsxTimerThread() {
    if (Finished() || GetCurrentThreadId() == ThreadID()) return;
    Terminate();
    try {
        Wake();
        while (Suspended()) Resume();
        WaitFor();
    } catch (...) {
        // A destructor cannot report; the thread is left to the process end.
    }
}

void TsxTimerThread::SetInterval(DWORD intervalMs) {
    if (intervalMs == FIntervalMs) return;
    FIntervalMs = intervalMs;
    SetEvent(FWakeEvent.Get());
}

void TsxTimerThread::SetTicking(bool value) {
    FTicking = value;
    SetEvent(FWakeEvent.Get());
}

void TsxTimerThread::Wake() {
    SetEvent(FWakeEvent.Get());
    try {
        while (Suspended()) Resume();
    } catch (...) {
        // Waking is best effort: a thread that cannot be resumed keeps waiting.
    }
}

void TsxTimerThread::Execute() {
    while (!Terminated()) {
        DWORD result = WaitForSingleObject(FWakeEvent.Get(), FTicking ? FIntervalMs.load() : INFINITE);
        if (result == WAIT_FAILED) return;
        // A wake (a new interval, a stop) is no tick.
        if (result == WAIT_TIMEOUT && FTicking && !Terminated()) TsxEventThread::Execute();
    }
}
