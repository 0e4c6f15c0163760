// desktop/Timer.cpp -- TTimer over SetTimer on a message-only window
#include "Timer.h"

#include "Classes.h"
#include "SysUtils.h"

namespace {

constexpr UINT_PTR TimerId = 1;
const char* const TimerWindowClass = "SxTimerWindow";

void RegisterTimerWindowClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;   // replaced per window once the object is attached
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = TimerWindowClass;
    RegisterClassA(&wc);
    registered = true;
}

} // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    RegisterTimerWindowClass();
    FHandle = CreateWindowExA(0, TimerWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
    if (!FHandle) throw EWin32Error("TTimer: CreateWindowExA", GetLastError());
    SetWindowLongPtrA(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TTimer::WndProc));
}

TTimer::~TTimer() {
    if (FRunning) KillTimer(FHandle, TimerId);
    SetWindowLongPtrA(FHandle, GWLP_USERDATA, 0);
    DestroyWindow(FHandle);
}

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
    if (FRunning) {
        KillTimer(FHandle, TimerId);
        FRunning = false;
    }
    if (!FEnabled || FIntervalMs == 0 || !OnTimer || IsLoading() || IsDesigning() || IsDestroying()) return;
    if (!SetTimer(FHandle, TimerId, FIntervalMs, nullptr))
        throw EWin32Error(Format("%s: SetTimer", Name().c_str()), GetLastError());
    FRunning = true;
}

LRESULT CALLBACK TTimer::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == TimerId) {
        auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        // A tick already queued when the timer was stopped must not run the handler; nor do
        // ticks while this timer's error box is up, or one failing handler floods the screen.
        if (timer && timer->FRunning && !timer->FShowingError) {
            try {
                timer->Timer();
            } catch (...) {
                timer->FShowingError = true;
                HandleCallbackException();
                // The box ran a message loop: the timer may have been freed meanwhile.
                if (reinterpret_cast<TTimer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)) == timer)
                    timer->FShowingError = false;
            }
        }
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
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
