// desktop/TickWindow.cpp -- timer 1 on a utility window
#include "TickWindow.h"

#include "SysUtils.h"

namespace {

constexpr UINT_PTR TimerId = 1;

} // namespace

TTickWindow::TTickWindow(const char* className, TUtilityWindowKind kind, std::function<void()> tick,
                         TUtilityWindow::THandler handler)
    : FTick(std::move(tick)), FHandler(std::move(handler)),
      FWindow(className, kind, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
          return FHandler ? FHandler(msg, wParam, lParam) : DefaultHandler(msg, wParam, lParam);
      }) {}

TTickWindow::~TTickWindow() {
    *FAlive = false;
    Stop();
}

bool TTickWindow::Start(unsigned intervalMs) {
    Stop();
    if (!SetTimer(FWindow.Handle(), TimerId, intervalMs, nullptr)) return false;
    FRunning = true;
    return true;
}

void TTickWindow::Stop() {
    if (!FRunning) return;
    KillTimer(FWindow.Handle(), TimerId);
    FRunning = false;
}

LRESULT TTickWindow::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_TIMER || wParam != TimerId) return FWindow.DefaultHandler(msg, wParam, lParam);
    Tick();
    return 0;
}

void TTickWindow::Tick() {
    // A tick already queued when the timer was stopped must not run; nor do ticks while this
    // timer's error box is up, or one failing handler floods the screen with boxes.
    if (!FRunning || FShowingError) return;
    std::shared_ptr<bool> alive = FAlive;
    try {
        FTick();
    } catch (...) {
        FShowingError = true;
        HandleCallbackException();
        // The box ran a message loop: the owner may have been freed meanwhile.
        if (*alive) FShowingError = false;
    }
}
