// shell/sxThreadTimer.h -- TsxThreadTimer: OnTimer every Interval milliseconds on a worker thread
#pragma once
#include <windows.h>

#include "shell/sxThreadComponent.h"
#include "shell/sxTimerThread.h"

class TsxCustomThreadTimer : public TsxCustomThreadComponent {
public:
    explicit TsxCustomThreadTimer(TComponent* owner);  // outside design mode: a held timer thread
    ~TsxCustomThreadTimer() override;                  // Enabled False first

protected:
    DWORD Interval() const;
    void SetInterval(DWORD intervalMs);  // a running wait starts again, without a tick
    bool Enabled() const { return !Suspended(); }
    void SetEnabled(bool value) { SetSuspended(!value); }
    TNotifyEvent OnTimer() const { return OnExecute(); }
    void SetOnTimer(const TNotifyEvent& value) { SetOnExecute(value); }

    TsxEventThread* NewThread() override;
    void ApplySuspended(bool suspended) override;  // holds or releases the ticks; never suspends a running thread
    bool IsThreadSuspended() const override;       // held or not yet started
    TsxTimerThread* TimerThread() const;

private:
    DWORD FIntervalMs = 1000;
};

class TsxThreadTimer : public TsxCustomThreadTimer {
public:
    using TsxCustomThreadTimer::TsxCustomThreadTimer;
    using TsxCustomThreadTimer::Interval;
    using TsxCustomThreadTimer::SetInterval;
    using TsxCustomThreadTimer::Priority;
    using TsxCustomThreadTimer::SetPriority;
    using TsxCustomThreadTimer::Synchronized;
    using TsxCustomThreadTimer::SetSynchronized;
    using TsxCustomThreadTimer::OnTimer;
    using TsxCustomThreadTimer::SetOnTimer;
    using TsxCustomThreadTimer::Enabled;
    using TsxCustomThreadTimer::SetEnabled;
    using TsxCustomThreadTimer::OnException;
    using TsxCustomThreadTimer::SetOnException;
};

// Registers TsxCustomThreadTimer and TsxThreadTimer; the thread components come first.
void RegisterThreadTimerClasses();
