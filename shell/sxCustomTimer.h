// shell/sxCustomTimer.h -- TsxCustomTimer: a timer that owns a hidden window, which its descendants
// also use for messages of their own (the tray icon's callbacks arrive there)
#pragma once
#include <windows.h>
#include <string>

#include "desktop/Component.h"
#include "desktop/Events.h"
#include "desktop/SysUtils.h"
#include "desktop/TickWindow.h"

// The system has no timer left to give.
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

class TsxCustomTimer : public TComponent {
public:
    explicit TsxCustomTimer(TComponent* owner);   // throws EWin32Error when the hidden window cannot be made
    ~TsxCustomTimer() override;

    // Descendants decide which of these they publish, and under which names.
    bool Enabled() const noexcept { return FEnabled; }
    void SetEnabled(bool value);                  // throws EOutOfResources
    unsigned Interval() const noexcept { return FIntervalMs; }
    void SetInterval(unsigned intervalMs);        // 0 stops the timer; throws EOutOfResources
    const TNotifyEvent& OnTimer() const noexcept { return FOnTimer; }
    void SetOnTimer(const TNotifyEvent& event);   // the timer runs only while one is assigned

    HWND WindowHandle() const noexcept { return FTick.Handle(); }   // owned; hidden, top-level
    bool IsTimerRunning() const noexcept { return FTick.IsRunning(); }

protected:
    // The hidden window's procedure: all goes to DefaultHandler, where timer 1's WM_TIMER runs Timer.
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void Timer();                         // one tick: fires OnTimer
    LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);
    void UpdateTimer();                           // re-arms timer 1 from Enabled, Interval and OnTimer

private:
    bool FEnabled = true;
    unsigned FIntervalMs = 1000;
    TNotifyEvent FOnTimer;
    TTickWindow FTick;
};

// Registers TsxCustomTimer for window descriptions.
void RegisterCustomTimerClass();
