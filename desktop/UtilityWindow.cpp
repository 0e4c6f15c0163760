// desktop/UtilityWindow.cpp -- the one window procedure of every hidden helper window of the program
#include "UtilityWindow.h"

#include <set>
#include <string>

#include "SysUtils.h"

void RegisterWindowClassOnce(const WNDCLASSA& windowClass) {
    // The names registered so far.
    static std::set<std::string> registered;
    if (registered.count(windowClass.lpszClassName)) return;
    if (!RegisterClassA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw EWin32Error(Format("RegisterClassA(%s)", windowClass.lpszClassName), GetLastError());
    registered.insert(windowClass.lpszClassName);
}

TUtilityWindow::TUtilityWindow(const char* className, TUtilityWindowKind kind, THandler handler)
    : FHandler(std::move(handler)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &TUtilityWindow::WndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterWindowClassOnce(wc);
    bool topLevel = kind == TUtilityWindowKind::TopLevel;
    FHandle = CreateWindowExA(topLevel ? WS_EX_TOOLWINDOW : 0, className, "", topLevel ? WS_POPUP : 0, 0, 0, 0, 0,
                              topLevel ? nullptr : HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!FHandle) throw EWin32Error(Format("CreateWindowExA(%s)", className), GetLastError());
    // Messages of the creation itself get the default processing: the handler's object is not whole yet.
    SetWindowLongPtrA(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TUtilityWindow::~TUtilityWindow() {
    SetWindowLongPtrA(FHandle, GWLP_USERDATA, 0);
    DestroyWindow(FHandle);
}

LRESULT TUtilityWindow::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return DefWindowProcA(FHandle, msg, wParam, lParam);
}

LRESULT CALLBACK TUtilityWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TUtilityWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self || !self->FHandler) return DefWindowProcA(hwnd, msg, wParam, lParam);
    try {
        return self->FHandler(msg, wParam, lParam);
    } catch (...) {
        HandleCallbackException();
        return 0;
    }
}
