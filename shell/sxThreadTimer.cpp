// shell/sxThreadTimer.cpp -- TsxCustomThreadTimer
#include "sxThreadTimer.h"
#include "desktop/Classes.h"

TsxCustomThreadTimer::TsxCustomThreadTimer(TComponent* owner) : TsxCustomThreadComponent(owner) {
    RecreateThread();
}

TsxCustomThreadTimer::~TsxCustomThreadTimer() {
    try {
        SetEnabled(false);
    } catch (...) {
        // Freed either way by the base destructor.
    }
}

TsxEventThread* TsxCustomThreadTimer::NewThread() {
    auto* thread = new TsxTimerThread(true);
    thread->SetInterval(FIntervalMs);
    thread->SetTicking(!SuspendedCopy());
    return thread;
}

TsxTimerThread* TsxCustomThreadTimer::TimerThread() const { return static_cast<TsxTimerThread*>(Thread()); }

void TsxCustomThreadTimer::ApplySuspended(bool suspended) {
    TsxTimerThread* timer = TimerThread();
    timer->SetTicking(!suspended);
    if (!suspended && timer->Suspended()) timer->Start();
}

bool TsxCustomThreadTimer::IsThreadSuspended() const {
    TsxTimerThread* timer = TimerThread();
    return !timer->Ticking() || timer->Suspended();
}

DWORD TsxCustomThreadTimer::Interval() const { return IsLive() ? TimerThread()->Interval() : FIntervalMs; }

void TsxCustomThreadTimer::SetInterval(DWORD intervalMs) {
    FIntervalMs = intervalMs;
    if (IsLive()) TimerThread()->SetInterval(intervalMs);
}

void RegisterThreadTimerClasses() {
    TClassRegistration<TsxCustomThreadTimer>("TsxCustomThreadTimer", "TsxCustomThreadComponent", true);
    TClassRegistration<TsxThreadTimer>("TsxThreadTimer", "TsxCustomThreadTimer")
        .Custom("Interval", [](TsxThreadTimer& t, const TPropValue& v, TLoadContext&) {
            t.SetInterval(static_cast<DWORD>(v.AsInteger()));
        })
        .Enum<TThreadPriority>("Priority", &TsxThreadTimer::SetPriority, ThreadPriorityNames())
        .Bool("Synchronized", &TsxThreadTimer::SetSynchronized)
        .Event<TNotifyEvent>("OnTimer", &TsxThreadTimer::SetOnTimer)
        .Bool("Enabled", &TsxThreadTimer::SetEnabled);
}
