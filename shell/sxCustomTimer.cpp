// shell/sxCustomTimer.cpp -- SetTimer on a hidden top-level window of the component's own
#include "shell/sxCustomTimer.h"

namespace {

constexpr UINT_PTR TimerId = 1;
const char* const WindowClassName = "SxCustomTimerWindow";

void RegisterWindowClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;   // replaced per window once the object is attached
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = WindowClassName;
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw EWin32Error("TsxCustomTimer: RegisterClassA", GetLastError());
    registered = true;
}

} // namespace

TsxCustomTimer::TsxCustomTimer(TComponent* owner) : TComponent(owner) {
    RegisterWindowClass();
    // Top-level rather than message-only: broadcasts such as "TaskbarCreated" reach top-level windows only.
    FHandle = CreateWindowExA(WS_EX_TOOLWINDOW, WindowClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (!FHandle) throw EWin32Error("TsxCustomTimer: CreateWindowExA", GetLastError());
    SetWindowLongPtrA(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TsxCustomTimer::WndProcThunk));
}

TsxCustomTimer::~TsxCustomTimer() {
    if (FRunning) KillTimer(FHandle, TimerId);
    SetWindowLongPtrA(FHandle, GWLP_USERDATA, 0);
    DestroyWindow(FHandle);
}

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
    if (FRunning) {
        KillTimer(FHandle, TimerId);
        FRunning = false;
    }
    if (FIntervalMs == 0 || !FEnabled || !FOnTimer || IsDesigning()) return;
    if (!SetTimer(FHandle, TimerId, FIntervalMs, nullptr)) throw EOutOfResources("Not enough timers available");
    FRunning = true;
}

LRESULT TsxCustomTimer::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(FHandle, msg, wParam, lParam);
}

LRESULT TsxCustomTimer::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == TimerId) {
        // A tick already queued when the timer was stopped must not run the handler; nor do ticks
        // while this timer's error box is up, or one failing handler floods the screen with boxes.
        if (!FRunning || FShowingError) return 0;
        HWND hwnd = FHandle;
        try {
            Timer();
        } catch (...) {
            FShowingError = true;
            HandleCallbackException();
            // The box ran a message loop: the component may have been freed meanwhile.
            if (reinterpret_cast<TsxCustomTimer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)) == this) FShowingError = false;
        }
        return 0;
    }
    return DefaultHandler(msg, wParam, lParam);
}

LRESULT CALLBACK TsxCustomTimer::WndProcThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TsxCustomTimer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    try {
        return self->WndProc(msg, wParam, lParam);
    } catch (...) {
        HandleCallbackException();
        return 0;
    }
}
