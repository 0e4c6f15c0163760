// desktop/Timer.h -- TTimer: OnTimer every Interval ms, through a hidden window of its own
#pragma once
#include <windows.h>

#include "Component.h"
#include "Events.h"
#include "TickWindow.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);           // throws EWin32Error when the hidden window cannot be made
    ~TTimer() override;

    bool Enabled() const noexcept { return FEnabled; }
    void SetEnabled(bool value);
    unsigned Interval() const noexcept { return FIntervalMs; }
    void SetInterval(unsigned intervalMs);        // 0 stops the timer
    TNotifyEvent OnTimer;                         // WM_TIMER; the timer runs only while one is assigned
    void SetOnTimer(const TNotifyEvent& event);

    bool IsRunning() const noexcept { return FTick.IsRunning(); }
    HWND WindowHandle() const noexcept { return FTick.Handle(); }   // owned; message-only
    void Loaded() override;                       // starts the timer set up by the description

protected:
    virtual void Timer();                         // one tick: fires OnTimer

private:
    void UpdateTimer();

    bool FEnabled = true;
    unsigned FIntervalMs = 1000;
    TTickWindow FTick;
};

void RegisterTimerClass();
