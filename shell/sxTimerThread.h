// shell/sxTimerThread.h -- TsxTimerThread: a worker that calls its event every Interval milliseconds
#pragma once
#include <windows.h>

#include <atomic>

#include "desktop/Handle.h"
#include "shell/sxEventThread.h"

class TsxTimerThread : public TsxEventThread {
public:
    explicit TsxTimerThread(bool createSuspended);  // throws EWin32Error
    ~TsxTimerThread() override;                     // wakes it and waits for it

    DWORD Interval() const noexcept { return FIntervalMs; }
    void SetInterval(DWORD intervalMs);  // a running wait starts again with the new value, without a tick
    // Holding stops the ticks without suspending the thread: a thread suspended from
    // outside may be stopped inside the heap lock and block every other thread.
    bool Ticking() const noexcept { return FTicking; }
    void SetTicking(bool value);
    virtual void Wake();  // ends the current wait without a tick and resumes a suspended thread

protected:
    void Execute() override;  // until terminated: wait Interval, then one tick

private:
    std::atomic<DWORD> FIntervalMs{1000};
    std::atomic<bool> FTicking{true};
    THandle FWakeEvent;  // auto reset
};
