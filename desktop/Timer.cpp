// desktop/Timer.cpp -- TTimer over the timer of a message-only utility window
#include "Timer.h"

#include "Classes.h"
#include "SysUtils.h"

TTimer::TTimer(TComponent* owner)
    : TComponent(owner), FTick("SxTimerWindow", TUtilityWindowKind::MessageOnly, [this] { Timer(); }) {}

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned intervalMs) {
    if (intervalMs == FIntervalMs) return;
    FIntervalMs = intervalMs;
    UpdateTimer();
}

void TTimer::SetOnTimer(const TNotifyEvent& event) {
    OnTimer = event;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}

// Re-arming restarts the count: a new Interval or Enabled counts from now.
void TTimer::UpdateTimer() {
    FTick.Stop();
    if (!FEnabled || FIntervalMs == 0 || !OnTimer || IsLoading() || IsDesigning() || IsDestroying()) return;
    if (!FTick.Start(FIntervalMs)) throw EWin32Error(Format("%s: SetTimer", Name().c_str()), GetLastError());
}

void RegisterTimerClass() {
    TClassRegistration<TTimer>("TTimer", "TComponent")
        .Bool("Enabled", &TTimer::SetEnabled)
        .Custom("Interval", [](TTimer& t, const TPropValue& v, TLoadContext& ctx) {
            int ms = v.AsInteger();
            if (ms < 0) throw EDescriptionError(ctx.Where + ": the interval cannot be negative");
            t.SetInterval(static_cast<unsigned>(ms));
        })
        .Event<TNotifyEvent>("OnTimer", &TTimer::SetOnTimer);
}
