// tests/desktop/WindowHistory.h -- what happens to this thread's top-level windows of one class:
// their position changes (with the SWP_ flags) and their destruction, in order
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace sxtest {

class TWindowHistory {
public:
    struct TEntry {
        UINT Message;     // WM_WINDOWPOSCHANGED or WM_DESTROY
        UINT Flags;       // WM_WINDOWPOSCHANGED: the change's SWP_ flags
        bool Visible;     // the window's WS_VISIBLE at that moment
    };

    explicit TWindowHistory(const char* className) {
        ClassName() = className;
        Entries().clear();
        FHook = SetWindowsHookExA(WH_CALLWNDPROCRET, &Record, nullptr, GetCurrentThreadId());
    }
    ~TWindowHistory() { Stop(); }
    TWindowHistory(const TWindowHistory&) = delete;
    TWindowHistory& operator=(const TWindowHistory&) = delete;

    bool Hooked() const { return FHook != nullptr; }
    void Stop() {
        if (FHook) UnhookWindowsHookEx(FHook);
        FHook = nullptr;
    }
    bool AnyFlag(UINT flag) const {
        for (const TEntry& e : Entries())
            if (e.Flags & flag) return true;
        return false;
    }
    // Empty when the window was shown and then destroyed, no longer visible, without a hide
    // first; else what was not so.
    std::string FaultOfAnEndWithoutAHide() const {
        const auto& entries = Entries();
        if (entries.empty()) return "no window seen";
        if (!AnyFlag(SWP_SHOWWINDOW)) return "never shown";
        if (AnyFlag(SWP_HIDEWINDOW)) return "hidden before its destruction";
        if (entries.back().Message != WM_DESTROY) return "not destroyed";
        if (entries.back().Visible) return "still visible when destroyed";
        return {};
    }

    // Empty when the window was shown once and not resized from then on; else what was not so.
    std::string FaultOfAResizeAfterTheShow() const {
        bool shown = false;
        for (const TEntry& e : Entries()) {
            if (e.Message != WM_WINDOWPOSCHANGED) continue;
            if (shown && (e.Flags & SWP_SHOWWINDOW)) return "shown twice";
            if (shown && !(e.Flags & SWP_NOSIZE)) return "resized after it was shown";
            shown = shown || (e.Flags & SWP_SHOWWINDOW);
        }
        return shown ? "" : "never shown";
    }

private:
    static std::string& ClassName() {
        static std::string name;
        return name;
    }
    static std::vector<TEntry>& Entries() {
        static std::vector<TEntry> entries;
        return entries;
    }
    static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
        const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        char cls[64] = {};
        GetClassNameA(call->hwnd, cls, sizeof(cls));
        const bool topLevel = !(GetWindowLongA(call->hwnd, GWL_STYLE) & WS_CHILD);
        if (code == HC_ACTION && topLevel && ClassName() == cls &&
            (call->message == WM_WINDOWPOSCHANGED || call->message == WM_DESTROY)) {
            const UINT flags =
                call->message == WM_WINDOWPOSCHANGED ? reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags : 0;
            Entries().push_back({call->message, flags, (GetWindowLongA(call->hwnd, GWL_STYLE) & WS_VISIBLE) != 0});
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK FHook = nullptr;
};

} // namespace sxtest
