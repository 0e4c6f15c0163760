// shell/sxOneInstance.cpp -- TsxOneInstance and the previous-instance window helpers
#include "sxOneInstance.h"

#include "desktop/Application.h"
#include "desktop/Handle.h"
#include "desktop/SysUtils.h"
#include "sxSysUtils.h"
#include "desktop/Classes.h"

namespace {

// The instance mutex this process owns: set by the first successful test, released at program end.
struct TInstanceMutexSlot {
    THandle Mutex;
    std::string Name;
    ~TInstanceMutexSlot() { ReleaseOneInstanceMutex(); }
};
TInstanceMutexSlot gInstanceMutex;

struct TPrevWindowSearch {
    std::string ClassName;
    std::string Title;
    HWND Found = nullptr;
};

BOOL CALLBACK VisitTopLevel(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<TPrevWindowSearch*>(param);
    char className[256] = {}, title[1024] = {};
    GetClassNameA(hwnd, className, sizeof(className));
    if (search->ClassName != className) return TRUE;
    GetWindowTextA(hwnd, title, sizeof(title));
    if (search->Title != title) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == GetCurrentProcessId()) return TRUE;
    search->Found = hwnd;
    return FALSE;
}

} // namespace

void ReleaseOneInstanceMutex() {
    if (!gInstanceMutex.Mutex.IsValid()) return;
    ReleaseMutex(gInstanceMutex.Mutex.Get());
    gInstanceMutex.Mutex.Reset();
    gInstanceMutex.Name.clear();
}

HWND FindPrevInstanceWindow() {
    if (!Application || !Application->Handle()) return nullptr;
    char className[256] = {};
    if (!GetClassNameA(Application->Handle(), className, sizeof(className))) return nullptr;
    TPrevWindowSearch search{className, Application->Title()};
    EnumWindows(&VisitTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

bool ActivatePrevInstanceWindow() {
    HWND previous = FindPrevInstanceWindow();
    if (!previous || !IsWindow(previous)) return false;
    if (IsIconic(previous)) {
        ShowWindow(previous, SW_RESTORE);
        return true;
    }
    // The application window itself stays hidden; what the user sees is the form it owns
    // that was active last (the main form, or a dialog in front of it).
    HWND popup = GetLastActivePopup(previous);
    HWND target = popup && IsWindowVisible(popup) ? popup : previous;
    if (IsIconic(target)) ShowWindow(target, SW_RESTORE);
    SetForegroundWindow(target);
    return true;
}

std::string TsxOneInstance::MutexBaseName() const {
    std::string base;
    if (FExeNameAsIdentifier) base = UpperCaseAscii(Application ? Application->ExeName() : std::string());
    else base = Application ? Application->Title() : std::string();
    base += FIdentifier + ".OneInstance.";
    // Backslashes are the namespace separators of kernel object names ("Global\...").
    ReplaceChar(base, '\\', '/');
    return base;
}

bool TsxOneInstance::IsAnotherInstance() {
    if (IsDesigning()) return false;
    std::string base = MutexBaseName();
    // This process is the instance already (the program body tested before the window's guard):
    // a newcomer testing at this moment holds the lock, which must not end us too.
    if (gInstanceMutex.Mutex.IsValid() && gInstanceMutex.Name == base + "Default") return false;
    THandle lock(CreateMutexA(nullptr, TRUE, (base + "CriticalSection").c_str()));
    // Failures count as another instance, so the guard errs towards ending the newcomer.
    if (!lock.IsValid() || GetLastError() == ERROR_ALREADY_EXISTS) return true;
    bool another = true;
    THandle instance(CreateMutexA(nullptr, FALSE, (base + "Default").c_str()));
    if (instance.IsValid()) {
        DWORD wait = WaitForSingleObject(instance.Get(), 0);
        another = wait == WAIT_TIMEOUT;
        bool owned = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
        if (owned && !gInstanceMutex.Mutex.IsValid()) {
            gInstanceMutex.Mutex = std::move(instance);
            gInstanceMutex.Name = base + "Default";
        } else if (owned) {
            // A second guard in the same program: the first slot already holds the ownership.
            ReleaseMutex(instance.Get());
        }
    }
    ReleaseMutex(lock.Get());
    return another;
}

bool TsxOneInstance::CheckInstance() {
    if (!IsAnotherInstance()) return false;
    FTerminate = true;
    bool showMainForm = Application ? Application->ShowMainForm : true;
    if (Application) Application->ShowMainForm = false;
    if (FShowMessage) ShowAlreadyRunning();
    if (FActivatePrevInstance) ActivatePrevious();
    if (Application) {
        if (FTerminate) Application->Terminate();
        else Application->ShowMainForm = showMainForm;
    }
    return true;
}

bool CheckOneInstance() {
    TsxOneInstance guard(nullptr);
    return guard.CheckInstance();
}

void TsxOneInstance::ActivatePrevious() { ActivatePrevInstanceWindow(); }

void TsxOneInstance::ShowAlreadyRunning() {
    if (FOnShowMessage) {
        FOnShowMessage(this, FTerminate);
        return;
    }
    std::string title = Application ? Application->Title() : std::string();
    std::string text = !FMessage.empty() ? FMessage : Format("Application \"%s\" is already running.", title.c_str());
    MessageBoxExA(Application ? Application->Handle() : nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION, 0);
}

void TsxOneInstance::Loaded() {
    TComponent::Loaded();
    CheckInstance();
}

void RegisterOneInstanceClass() {
    TClassRegistration<TsxOneInstance>("TsxOneInstance", "TComponent")
        .Ignore("About")
        .Bool("ActivatePrevInstance", &TsxOneInstance::SetActivatePrevInstance)
        .Bool("ExeNameAsIdentifier", &TsxOneInstance::SetExeNameAsIdentifier)
        .String("Message", &TsxOneInstance::SetMessage)
        .String("Identifier", &TsxOneInstance::SetIdentifier)
        .Bool("ShowMessage", &TsxOneInstance::SetShowMessage)
        .Event<TsxOneInstanceShowMessage>("OnShowMessage", &TsxOneInstance::SetOnShowMessage);
}
