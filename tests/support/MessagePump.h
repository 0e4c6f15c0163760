// tests/support/MessagePump.h -- a bounded message loop of the tests' own
#pragma once
#include <windows.h>
#include <functional>

namespace sxtest {

// Serves this thread's messages (Synchronize and sent messages included) until done()
// or timeoutMs have passed; false: timed out. Every wait is bounded, so a fault fails
// a test instead of hanging it.
inline bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs) {
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

} // namespace sxtest
