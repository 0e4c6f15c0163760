// desktop/TickWindow.h -- TTickWindow: the one Win32 timer of a utility window, and the rules
// every tick keeps; what both timer components are built on
#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "UtilityWindow.h"

class TTickWindow {
public:
    // Every message goes to handler (null: DefaultHandler). Throws EWin32Error when the window
    // cannot be made.
    TTickWindow(const char* className, TUtilityWindowKind kind, std::function<void()> tick,
                TUtilityWindow::THandler handler = nullptr);
    ~TTickWindow();
    TTickWindow(const TTickWindow&) = delete;
    TTickWindow& operator=(const TTickWindow&) = delete;

    bool Start(unsigned intervalMs);   // (re)starts the count from now; false: no timer left (GetLastError)
    void Stop();
    bool IsRunning() const noexcept { return FRunning; }
    HWND Handle() const noexcept { return FWindow.Handle(); }
    // The timer's own WM_TIMER runs tick (unless stopped meanwhile); the rest gets the system's processing.
    LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void Tick();

    std::function<void()> FTick;
    TUtilityWindow::THandler FHandler;
    bool FRunning = false;
    bool FShowingError = false;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);   // false once freed
    TUtilityWindow FWindow;                                         // last: made once the rest is set
};
