// tests/support/MessagePump.h -- a bounded message loop of the tests' own, and the bound on a wait
#pragma once
#include <windows.h>
#include <functional>

namespace sxtest {

// How long a test waits for something that should happen before it counts as not happening:
// generous, since the machine may be loaded, and bounded, so a fault fails a test instead of
// hanging it.
constexpr DWORD WatchdogMs = 10000;

// Serves this thread's messages (Synchronize and sent messages included) until done() or
// timeoutMs have passed; false: timed out.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = WatchdogMs) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// Serves this thread's messages for ms: what falls due in that time is delivered.
inline void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

} // namespace sxtest
