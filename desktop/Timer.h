// desktop/Timer.h -- TTimer: OnTimer every Interval ms, through a hidden window of its own
#pragma once
#include <windows.h>

#include "Component.h"
#include "Events.h"

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

    bool IsRunning() const noexcept { return FRunning; }
    HWND WindowHandle() const noexcept { return FHandle; }   // owned; message-only
    void Loaded() override;                       // starts the timer set up by the description

protected:
    virtual void Timer();                         // one tick: fires OnTimer

private:
    void UpdateTimer();
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND FHandle = nullptr;
    bool FEnabled = true;
    unsigned FIntervalMs = 1000;
    bool FRunning = false;
    bool FShowingError = false;
};

void RegisterTimerClass();
