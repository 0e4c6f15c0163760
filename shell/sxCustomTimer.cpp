// shell/sxCustomTimer.cpp -- the timer of a hidden top-level utility window of the component's own
#include "shell/sxCustomTimer.h"

#include "desktop/Classes.h"

// Top-level rather than message-only: broadcasts such as "TaskbarCreated" reach top-level windows only.
TsxCustomTimer::TsxCustomTimer(TComponent* owner)
    : TComponent(owner),
      FTick("SxCustomTimerWindow", TUtilityWindowKind::TopLevel, [this] { Timer(); },
            [this](UINT msg, WPARAM wParam, LPARAM lParam) { return WndProc(msg, wParam, lParam); }) {}

TsxCustomTimer::~TsxCustomTimer() = default;

void TsxCustomTimer::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    UpdateTimer();
}

void TsxCustomTimer::SetInterval(unsigned intervalMs) {
    if (intervalMs == FIntervalMs) return;
    FIntervalMs = intervalMs;
    UpdateTimer();
}

void TsxCustomTimer::SetOnTimer(const TNotifyEvent& event) {
    FOnTimer = event;
    UpdateTimer();
}

void TsxCustomTimer::Timer() {
    if (FOnTimer) FOnTimer(this);
}

// Re-arming restarts the count: a new Interval or Enabled counts from now.
void TsxCustomTimer::UpdateTimer() {
    FTick.Stop();
    if (FIntervalMs == 0 || !FEnabled || !FOnTimer || IsDesigning()) return;
    if (!FTick.Start(FIntervalMs)) throw EOutOfResources("Not enough timers available");
}

LRESULT TsxCustomTimer::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
    return FTick.DefaultHandler(msg, wParam, lParam);
}

LRESULT TsxCustomTimer::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) { return DefaultHandler(msg, wParam, lParam); }

void RegisterCustomTimerClass() {
    TClassRegistration<TsxCustomTimer>("TsxCustomTimer", "TComponent").Ignore("About");
}
