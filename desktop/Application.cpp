// desktop/Application.cpp -- message loop, idle processing and exception display
#include "Application.h"

#include <windows.h>
#include <commctrl.h>
#include <algorithm>

#include "Classes.h"
#include "Form.h"
#include "SysUtils.h"
#include "SystemMessageBox.h"
#include "Thread.h"
#include "UtilityWindow.h"

TApplication* Application = nullptr;

namespace {

// Posted to the application window at the main loop's idle moment: the forms made when idle
// come after whatever was sent to the thread meanwhile.
constexpr UINT WM_SX_CREATE_FORMS = WM_APP + 0x41;

} // namespace

void HandleCallbackException() noexcept {
    try {
        if (Application) {
            Application->HandleException(std::current_exception());
            return;
        }
        try { throw; } catch (const std::exception& e) {
            MessageBoxA(nullptr, e.what(), "Error", MB_OK | MB_ICONERROR);
        }
    } catch (...) {
        // An exception while showing an exception: nothing sensible is left to do.
    }
}

TApplication::TApplication() : TComponent(nullptr) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    FTitle = ExtractFileName(path);
    size_t dot = FTitle.rfind('.');
    if (dot != std::string::npos) FTitle.erase(dot);
}

TApplication::~TApplication() {
    // Forms go first, while the application window they are owned by still exists.
    while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
    if (FHandle) DestroyWindow(FHandle);
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    RegisterDesktopClasses();
    TThread::InitGuiThread();
    if (FHandle) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = &TApplication::WndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = LoadIconA(wc.hInstance, "MAINICON");
    wc.lpszClassName = "SxApplication";
    RegisterWindowClassOnce(wc);
    FHandle = CreateWindowExA(0, "SxApplication", FTitle.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
                              0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    if (!FHandle) throw EWin32Error("TApplication: CreateWindowExA", GetLastError());
}

void TApplication::SetTitle(const std::string& title) {
    FTitle = title;
    if (FHandle) SetWindowTextA(FHandle, title.c_str());
}

std::string TApplication::ExeName() const {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

LRESULT CALLBACK TApplication::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SX_CREATE_FORMS && Application) {
        try {
            Application->CreateFormsWhenIdle();
        } catch (...) {
            HandleCallbackException();
        }
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void TApplication::CreateFormsWhenIdle() {
    auto factories = std::move(FFormsWhenIdle);
    FFormsWhenIdle.clear();
    for (auto& create : factories) create();
}

void TApplication::Run() {
    FRunning = true;
    // A main form its description makes visible shows at the first idle moment.
    if (FMainForm && ShowMainForm && !FMainForm->ShowsWhenIdle()) FMainForm->SetVisible(true);
    while (!FTerminated) HandleMessage();
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    bool handled = false;
    if (OnMessage) {
        try { OnMessage(msg, handled); } catch (...) { HandleCallbackException(); }
    }
    if (!handled) {
        // Tab, arrows, Enter and Escape move between the controls of the active form.
        HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        TForm* form = root ? dynamic_cast<TForm*>(TControl::FromHandle(root)) : nullptr;
        if (!(form && msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && IsDialogMessageA(root, &msg))) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return true;
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg)) {
        Idle();
        if (!FTerminated) WaitMessage();
    }
    FreeReleased();
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
    FreeReleased();
}

void TApplication::Idle() {
    if (FTerminated) return;
    bool done = true;
    if (OnIdle) {
        try { OnIdle(this, done); } catch (...) { HandleCallbackException(); }
    }
    ShowFormsWhenIdle();
    // Not done: the handler wants another call as soon as the queue is empty again.
    if (!done && !FTerminated) PostMessageA(FHandle, WM_NULL, 0, 0);
    if (FRunning && !FFormsWhenIdle.empty() && !FTerminated) PostMessageA(FHandle, WM_SX_CREATE_FORMS, 0, 0);
}

void TApplication::ShowFormWhenIdle(TForm* form) { FShowsWhenIdle.push_back(form); }

void TApplication::ForgetShowWhenIdle(TForm* form) {
    FShowsWhenIdle.erase(std::remove(FShowsWhenIdle.begin(), FShowsWhenIdle.end(), form), FShowsWhenIdle.end());
}

void TApplication::ShowFormsWhenIdle() {
    // One at a time off the list: showing a form runs its handlers, and a form they free
    // leaves the list itself.
    while (!FShowsWhenIdle.empty() && !FTerminated) {
        TForm* form = FShowsWhenIdle.front();
        FShowsWhenIdle.erase(FShowsWhenIdle.begin());
        try {
            form->ShowWhenIdle();
        } catch (...) {
            HandleCallbackException();
        }
    }
}

void TApplication::Terminate() {
    if (FTerminated) return;
    FTerminated = true;
    PostQuitMessage(0);
}

void TApplication::HandleException(std::exception_ptr error) {
    if (!error) return;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        if (OnException) OnException(this, e); else ShowException(e);
    } catch (...) {
        ShowException(Exception("Unknown error"));
    }
}

void TApplication::ShowException(const std::exception& error) {
    std::string text = error.what();
    if (!text.empty() && text.back() != '.') text += '.';
    MessageBox(text, FTitle, MB_OK | MB_ICONERROR);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    HWND owner = FActiveForm && FActiveForm->WindowHandle() && IsWindowVisible(FActiveForm->WindowHandle())
                     ? FActiveForm->WindowHandle()
                     : FHandle;
    return SystemMessageBox(owner, text, caption, flags);
}

void TApplication::Minimize() {
    if (FMainForm && FMainForm->WindowHandle()) ShowWindow(FMainForm->WindowHandle(), SW_MINIMIZE);
    // The application window is never shown (each form has its own taskbar button), so it gets no
    // WM_SIZE of its own; it is told here, after the form, for the components that hook it.
    if (FHandle) SendMessageA(FHandle, WM_SIZE, SIZE_MINIMIZED, 0);
    if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
    if (FMainForm && FMainForm->WindowHandle()) ShowWindow(FMainForm->WindowHandle(), SW_RESTORE);
    if (OnRestore) OnRestore(this);
}

void TApplication::ReleaseForm(TForm* form) {
    if (std::find(FReleased.begin(), FReleased.end(), form) == FReleased.end()) FReleased.push_back(form);
}

void TApplication::FreeReleased() {
    auto released = std::move(FReleased);
    FReleased.clear();
    for (TForm* f : released) delete f;
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::opRemove) {
        if (component == FMainForm) FMainForm = nullptr;
        if (component == FActiveForm) FActiveForm = nullptr;
    }
    TComponent::Notification(component, operation);
}
