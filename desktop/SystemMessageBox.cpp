// desktop/SystemMessageBox.cpp -- a CBT hook for the length of the call finds the box as it is
// activated and subclasses it; the subclass turns the hide the answer asks for into a plain
// "not visible" style, so the box's destruction, which follows at once, removes it.
#include "SystemMessageBox.h"

#include <commctrl.h>
#include <cstring>

namespace {

constexpr UINT_PTR BoxSubclassId = 0x53784d42;

LRESULT CALLBACK BoxSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_WINDOWPOSCHANGING) {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (pos->flags & SWP_HIDEWINDOW) {
            pos->flags &= ~SWP_HIDEWINDOW;
            SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) & ~WS_VISIBLE);
        }
    } else if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &BoxSubclassProc, BoxSubclassId);
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

bool IsDialogWindow(HWND hwnd) {
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof(name));
    return std::strcmp(name, "#32770") == 0;
}

LRESULT CALLBACK BoxFinderProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        if (IsDialogWindow(hwnd)) SetWindowSubclass(hwnd, &BoxSubclassProc, BoxSubclassId, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The hook of this thread for as long as the box is shown.
class TBoxFinder {
public:
    TBoxFinder() : FHook(SetWindowsHookExA(WH_CBT, &BoxFinderProc, nullptr, GetCurrentThreadId())) {}
    ~TBoxFinder() { if (FHook) UnhookWindowsHookEx(FHook); }
    TBoxFinder(const TBoxFinder&) = delete;
    TBoxFinder& operator=(const TBoxFinder&) = delete;
private:
    HHOOK FHook;
};

} // namespace

int SystemMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    TBoxFinder finder;
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}
