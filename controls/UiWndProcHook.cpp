// controls/UiWndProcHook.cpp -- hook records, the registry and the releaser
//
// A control is hooked by swapping its WindowProc method for the record's; a bare window by
// subclassing it (GWLP_WNDPROC), the record and the procedure before ours kept in window
// properties. Hooks run inside the window's own message handling, so they may attach, detach
// or free things while a chain is being walked: the record counts the WindowProc calls under
// way, and nodes unlinked meanwhile (and the record itself, when its control is freed by a
// hook) are only freed when the outermost call returns. A bare window's record leaves the
// registry at WM_DESTROY and is freed by the releaser at a later message, outside its own
// window procedure. GUI thread only.
#include "UiWndProcHook.h"

#include <algorithm>
#include <memory>

#include "desktop/SysUtils.h"

namespace {

// Properties of a subclassed bare window: its record, and the procedure ours replaced.
const char* const InfosProp = "SxHookInfos";
const char* const PrevProcProp = "SxHookPrevProc";
const char* const ReleaserClass = "SxHookReleaser";

bool ValidOrder(TUiHookOrder order) { return order == hoBefore || order == hoAfter; }

// Subclassing reaches only this thread's windows, and the control property of a window of
// another process would be a pointer into that process.
bool OwnWindow(HWND window) {
    return IsWindow(window) && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

} // namespace

// Counts one WindowProc call; the last one to return frees what waited for it.
class TUiHookInfos::TCall {
public:
    explicit TCall(TUiHookInfos& infos) : FInfos(infos) { ++FInfos.FCallDepth; }
    ~TCall() {
        if (--FInfos.FCallDepth == 0) FInfos.Idle();
    }
    TCall(const TCall&) = delete;
    TCall& operator=(const TCall&) = delete;

private:
    TUiHookInfos& FInfos;
};

TUiHookInfos::TUiHookInfos(TUiWndProcHook* registry, TControl* control) : FRegistry(registry), FControl(control) {}

TUiHookInfos::TUiHookInfos(TUiWndProcHook* registry, HWND window) : FRegistry(registry), FWindow(window) {}

TUiHookInfos::~TUiHookInfos() {
    Remove();
    for (TChain& chain : FChains)
        for (TNode* node = chain.Head; node;) {
            TNode* next = node->Next;
            delete node;
            node = next;
        }
    for (TNode* node : FRemovedNodes) delete node;
}

int TUiHookInfos::HookCount(TUiHookOrder order) const {
    int count = 0;
    for (TNode* node = FChains[order].Head; node; node = node->Next) ++count;
    return count;
}

void TUiHookInfos::AddHook(TUiHookOrder order, const TUiHookMethod& hook) {
    auto* node = new TNode{hook};
    TChain& chain = FChains[order];
    if (chain.Tail)
        chain.Tail->Next = node;
    else
        chain.Head = node;
    chain.Tail = node;
}

bool TUiHookInfos::RemoveHook(TUiHookOrder order, const TUiHookMethod& hook) {
    TChain& chain = FChains[order];
    TNode* prev = nullptr;
    for (TNode* node = chain.Head; node; prev = node, node = node->Next) {
        if (!(node->Hook == hook)) continue;
        (prev ? prev->Next : chain.Head) = node->Next;
        if (chain.Tail == node) chain.Tail = prev;
        if (FCallDepth > 0) {
            // A chain being walked may hold this node as its next step; its Next stays valid.
            node->Removed = true;
            FRemovedNodes.push_back(node);
        } else {
            delete node;
        }
        return true;
    }
    return false;
}

bool TUiHookInfos::Install() {
    if (FHooked) return true;
    if (FControl) {
        FSavedMethod = FControl->WindowProc;
        FControl->WindowProc = TWndMethod(this, &TUiHookInfos::WindowProc);
        FHooked = true;
        return true;
    }
    if (!FWindow || !IsWindow(FWindow)) return false;
    if (HANDLE prev = GetPropA(FWindow, PrevProcProp)) {
        // Our subclass procedure never left the window (another came after it): take it up
        // again rather than stack a second one that would call the first in a circle.
        FSavedProc = reinterpret_cast<WNDPROC>(prev);
    } else {
        LONG_PTR old = SetWindowLongPtrA(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc));
        if (!old) return false;
        FSavedProc = reinterpret_cast<WNDPROC>(old);
        SetPropA(FWindow, PrevProcProp, reinterpret_cast<HANDLE>(old));
    }
    SetPropA(FWindow, InfosProp, this);
    FHooked = true;
    return true;
}

void TUiHookInfos::Remove() {
    if (!FHooked) return;
    if (FControl) {
        // A method put in after ours still calls ours on: stay, passing every message through.
        if (!(FControl->WindowProc == TWndMethod(this, &TUiHookInfos::WindowProc))) return;
        FControl->WindowProc = FSavedMethod;
        FHooked = false;
        return;
    }
    if (FWindow && IsWindow(FWindow)) {
        RemovePropA(FWindow, InfosProp);
        // Only when ours is on top; otherwise SubclassProc stays in the chain and forwards.
        if (GetWindowLongPtrA(FWindow, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SubclassProc)) {
            SetWindowLongPtrA(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FSavedProc));
            RemovePropA(FWindow, PrevProcProp);
        }
    }
    FHooked = false;
}

void TUiHookInfos::ForgetControl() {
    // Called from the control's free notification, after its destructor: its WindowProc
    // member no longer exists, so nothing is put back.
    FControl = nullptr;
    FHooked = false;
}

void TUiHookInfos::Free() {
    if (FCallDepth == 0) {
        delete this;
        return;
    }
    Remove();
    FFreeWhenIdle = true;
}

void TUiHookInfos::Idle() {
    for (TNode* node : FRemovedNodes) delete node;
    FRemovedNodes.clear();
    if (FFreeWhenIdle) delete this;
}

void TUiHookInfos::WindowProc(TMessage& message) {
    TCall call(*this);
    message.Result = 0;
    const bool destroying = message.Msg == WM_DESTROY || message.Msg == WM_NCDESTROY;
    try {
        Dispatch(message);
    } catch (...) {
        if (destroying) ReleaseDestroyedWindow();
        throw;
    }
    // Also when a hook handled it: the record must not outlive its window.
    if (destroying) ReleaseDestroyedWindow();
}

void TUiHookInfos::Dispatch(TMessage& message) {
    if (RunChain(hoBefore, message)) return;
    // A hook may have freed the control: nothing of it is left to call.
    if (!FControl && !FWindow) return;
    CallSaved(message);
    if (!FControl && !FWindow) return;
    RunChain(hoAfter, message);
}

bool TUiHookInfos::RunChain(TUiHookOrder order, TMessage& message) {
    for (TNode* node = FChains[order].Head; node && (FControl || FWindow);) {
        TNode* next = node->Next;   // read first: the hook may detach itself
        if (!node->Removed && node->Hook(message)) return true;
        node = next;
    }
    return false;
}

void TUiHookInfos::CallSaved(TMessage& message) {
    if (FWindow)
        message.Result = CallWindowProcA(FSavedProc ? FSavedProc : DefWindowProcA, FWindow, message.Msg, message.WParam,
                                         message.LParam);
    else if (FSavedMethod)
        FSavedMethod(message);
    else
        FControl->OwnWindowProc(message);
}

void TUiHookInfos::ReleaseDestroyedWindow() {
    if (!FWindow || FReleased) return;
    FReleased = true;
    FRegistry->Forget(this);
    Remove();
    HookReleaser()->Release(this);
}

LRESULT CALLBACK TUiHookInfos::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* infos = static_cast<TUiHookInfos*>(GetPropA(hwnd, InfosProp));
    if (!infos) {
        auto prev = reinterpret_cast<WNDPROC>(GetPropA(hwnd, PrevProcProp));
        if (msg == WM_NCDESTROY) RemovePropA(hwnd, PrevProcProp);
        return prev ? CallWindowProcA(prev, hwnd, msg, wParam, lParam) : DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    try {
        TMessage message{msg, wParam, lParam, 0};
        infos->WindowProc(message);
        return message.Result;
    } catch (...) {
        HandleCallbackException();
        return 0;
    }
}

TUiWndProcHook::TUiWndProcHook() : TComponent(nullptr) {}

TUiWndProcHook::~TUiWndProcHook() {
    std::vector<TUiHookInfos*> list;
    list.swap(FList);
    for (TUiHookInfos* infos : list) infos->Free();
}

bool TUiWndProcHook::Attach(TControl* control, TUiHookOrder order, const TUiHookMethod& hook) {
    if (!control || !hook || !ValidOrder(order)) return false;
    TUiHookInfos* infos = FindInfos(control);
    if (!infos) {
        infos = new TUiHookInfos(this, control);
        FList.push_back(infos);
        control->FreeNotification(this);
    }
    infos->AddHook(order, hook);
    infos->Install();
    return true;
}

bool TUiWndProcHook::Detach(TControl* control, TUiHookOrder order, const TUiHookMethod& hook) {
    if (!control || !hook || !ValidOrder(order)) return false;
    TUiHookInfos* infos = FindInfos(control);
    if (!infos) return false;
    infos->RemoveHook(order, hook);
    if (infos->Empty()) infos->Remove();
    return true;
}

bool TUiWndProcHook::Attach(HWND window, TUiHookOrder order, const TUiHookMethod& hook) {
    if (!window || !hook || !ValidOrder(order) || !OwnWindow(window)) return false;
    if (TControl* control = TControl::FromHandle(window)) return Attach(control, order, hook);
    TUiHookInfos* infos = FindInfos(window);
    std::unique_ptr<TUiHookInfos> created;
    if (!infos) {
        created = std::make_unique<TUiHookInfos>(this, window);
        infos = created.get();
    }
    if (!infos->Install()) return false;
    if (created) FList.push_back(created.release());
    infos->AddHook(order, hook);
    return true;
}

bool TUiWndProcHook::Detach(HWND window, TUiHookOrder order, const TUiHookMethod& hook) {
    if (!window || !hook || !ValidOrder(order)) return false;
    if (TControl* control = OwnWindow(window) ? TControl::FromHandle(window) : nullptr) return Detach(control, order, hook);
    TUiHookInfos* infos = FindInfos(window);
    if (!infos) return false;
    infos->RemoveHook(order, hook);
    if (infos->Empty()) infos->Remove();
    return true;
}

TUiHookInfos* TUiWndProcHook::FindInfos(const TControl* control) const {
    if (!control) return nullptr;
    for (TUiHookInfos* infos : FList)
        if (infos->Control() == control) return infos;
    return nullptr;
}

TUiHookInfos* TUiWndProcHook::FindInfos(HWND window) const {
    if (!window) return nullptr;
    for (TUiHookInfos* infos : FList)
        if (infos->Window() == window) return infos;
    return nullptr;
}

void TUiWndProcHook::Forget(TUiHookInfos* infos) {
    FList.erase(std::remove(FList.begin(), FList.end(), infos), FList.end());
}

void TUiWndProcHook::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    for (auto it = FList.begin(); it != FList.end(); ++it) {
        if ((*it)->Control() != component) continue;
        TUiHookInfos* infos = *it;
        FList.erase(it);
        infos->ForgetControl();
        infos->Free();
        return;
    }
}

TUiReleaser::~TUiReleaser() {
    FWindow.reset();
    for (TObject* object : FPending) delete object;
}

void TUiReleaser::Release(TObject* object) {
    if (!object) return;
    FPending.push_back(object);
    AllocateHandle();
    // When the post fails the object waits for the releaser's own end: late, but freed once.
    if (FWindow) PostMessageA(FWindow->Handle(), ReleaseMessage, reinterpret_cast<WPARAM>(object), 0);
}

void TUiReleaser::AllocateHandle() {
    if (FWindow) return;
    try {
        FWindow = std::make_unique<TUtilityWindow>(ReleaserClass, TUtilityWindowKind::MessageOnly,
                                                   [this](UINT msg, WPARAM wParam, LPARAM lParam) {
                                                       return WndProc(msg, wParam, lParam);
                                                   });
    } catch (const EWin32Error&) {
        // No window: what waits is freed with the releaser itself.
    }
}

LRESULT TUiReleaser::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != ReleaseMessage) return FWindow->DefaultHandler(msg, wParam, lParam);
    // Only what Release was given: any process on the desktop can post this number to us.
    auto* object = reinterpret_cast<TObject*>(wParam);
    auto it = std::find(FPending.begin(), FPending.end(), object);
    if (it == FPending.end()) return 0;
    FPending.erase(it);
    delete object;
    return 0;
}

TUiWndProcHook* WindowHookRegistry() {
    static std::unique_ptr<TUiWndProcHook> registry;
    if (!registry) registry = std::make_unique<TUiWndProcHook>();
    return registry.get();
}

TUiReleaser* HookReleaser() {
    static std::unique_ptr<TUiReleaser> releaser;
    if (!releaser) releaser = std::make_unique<TUiReleaser>();
    return releaser.get();
}

bool AttachWindowHook(TControl* control, TUiHookOrder order, const TUiHookMethod& hook) {
    return WindowHookRegistry()->Attach(control, order, hook);
}

bool DetachWindowHook(TControl* control, TUiHookOrder order, const TUiHookMethod& hook) {
    return WindowHookRegistry()->Detach(control, order, hook);
}

bool AttachWindowHook(HWND window, TUiHookOrder order, const TUiHookMethod& hook) {
    return WindowHookRegistry()->Attach(window, order, hook);
}

bool DetachWindowHook(HWND window, TUiHookOrder order, const TUiHookMethod& hook) {
    return WindowHookRegistry()->Detach(window, order, hook);
}
