// desktop/UtilityWindow.h -- TUtilityWindow: a hidden window of our own that hands each message
// to one handler, with exceptions stopped at its window procedure
#pragma once
#include <windows.h>

#include <functional>

// Registers a window class the first time its name comes; throws EWin32Error when that fails.
// GUI thread only.
void RegisterWindowClassOnce(const WNDCLASSA& windowClass);

enum class TUtilityWindowKind {
    MessageOnly,   // never shown, enumerated or reached by broadcasts
    TopLevel,      // a hidden tool window: reached by broadcasts, can be the foreground window
};

class TUtilityWindow {
public:
    // Every message once the window exists; an exception it raises goes to HandleCallbackException.
    using THandler = std::function<LRESULT(UINT msg, WPARAM wParam, LPARAM lParam)>;

    // The class is registered on first use (tools find the window by it); throws EWin32Error when
    // the class or the window cannot be made.
    TUtilityWindow(const char* className, TUtilityWindowKind kind, THandler handler);
    ~TUtilityWindow();
    TUtilityWindow(const TUtilityWindow&) = delete;
    TUtilityWindow& operator=(const TUtilityWindow&) = delete;

    HWND Handle() const noexcept { return FHandle; }   // owned
    LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) const;

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND FHandle = nullptr;
    THandler FHandler;
};
