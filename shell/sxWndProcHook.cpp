// shell/sxWndProcHook.cpp -- TsxCustomWndProcHook and the hook list
//
// One procedure of ours, ChainWndProc, stands on every hooked window; it hands each message to
// the hooked components of that window from the newest to the oldest (TsxWndProcHookList order,
// read at each step, so a component switched on or off, or freed, in a handler is honoured at
// once) and finally to the procedure the window had before. A window's chain therefore never
// depends on the order components were switched on or off in.
//
// Subclassing by swapping GWLP_WNDPROC is shared with other code. Our procedure is put back to
// the window's own only while it is still the one installed: when something else has subclassed
// the window on top of us since, ours stays as a pass-through below it (and takes itself out at
// the first message that finds it installed again and idle), so the other subclass is never cut
// off. WM_NCDESTROY ends a window's chain: its components stay Active but hook nothing, and a
// later handle of the same value is never touched.
#include "shell/sxWndProcHook.h"

#include <algorithm>
#include <climits>
#include <map>
#include <vector>

#include "desktop/Classes.h"
#include "desktop/SysUtils.h"

namespace {

// SC_MOVE with HTCAPTION: the move a press on the caption starts.
constexpr WPARAM DragMoveCommand = 61458;

// The hook list: made with the first component, freed with the last one and at program end.
// GUI thread only, like the window procedures that read it.
std::vector<TsxCustomWndProcHook*>* gHookList = nullptr;
struct THookListEnd {
    ~THookListEnd() {
        delete gHookList;
        gHookList = nullptr;
    }
} gHookListEnd;

// The procedure each window under ChainWndProc had before it.
std::map<HWND, WNDPROC> gOriginalProcs;
unsigned gNextSerial = 1;

HWND NoneForInvalid(HWND hwnd) { return hwnd == INVALID_HANDLE_VALUE ? nullptr : hwnd; }

bool IsWindowOfThisProcess(HWND hwnd) {
    DWORD pid = 0;
    return IsWindow(hwnd) && GetWindowThreadProcessId(hwnd, &pid) && pid == GetCurrentProcessId();
}

WNDPROC CurrentProc(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)); }

} // namespace

int TsxWndProcHookListCount() { return gHookList ? static_cast<int>(gHookList->size()) : 0; }

TsxCustomWndProcHook* TsxWndProcHookListItem(int index) { return gHookList->at(static_cast<size_t>(index)); }

TsxCustomWndProcHook::TsxCustomWndProcHook(TComponent* owner) : TComponent(owner), FSerial(gNextSerial++) {
    if (!gHookList) gHookList = new std::vector<TsxCustomWndProcHook*>();
    gHookList->push_back(this);
}

TsxCustomWndProcHook::~TsxCustomWndProcHook() {
    SetActive(false);
    Remove();   // hooked while designing is impossible, but never leave a dangling entry
    if (!gHookList) return;
    gHookList->erase(std::remove(gHookList->begin(), gHookList->end(), this), gHookList->end());
    if (gHookList->empty()) {
        delete gHookList;
        gHookList = nullptr;
    }
}

// ---- properties

void TsxCustomWndProcHook::SetActive(bool value) {
    if (value == FActive) return;
    if (value) Activate();
    else Deactivate();
}

TWinControl* TsxCustomWndProcHook::WinControl() const {
    return FWinControl ? FWinControl : dynamic_cast<TWinControl*>(Owner());
}

HWND TsxCustomWndProcHook::Handle() {
    if (FHandle) return FHandle;
    TWinControl* control = WinControl();
    if (!control) return NoWindow();
    if (control->HandleAllocated()) return control->WindowHandle();
    if (control->IsLoading() || control->IsDestroying()) return NoWindow();
    return control->Handle();
}

void TsxCustomWndProcHook::SetHandle(HWND value) {
    value = NoneForInvalid(value);
    if (value == FHandle) return;
    bool wasActive = FActive;
    Deactivate();
    FHandle = value;
    if (wasActive) Activate();
    if (FOnChangeHandle) FOnChangeHandle(this);
}

void TsxCustomWndProcHook::SetWinControl(TWinControl* value) {
    if (value == FWinControl) return;
    bool wasActive = FActive;
    Deactivate();
    FWinControl = value;
    if (value && value != Owner()) value->FreeNotification(this);
    if (wasActive) Activate();
    if (FOnChangeWinControl) FOnChangeWinControl(this);
}

void TsxCustomWndProcHook::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FWinControl) SetWinControl(nullptr);
}

void TsxCustomWndProcHook::ResolveWinControlName() {
    if (FWinControlName.empty()) return;
    TComponent* root = Owner();
    TComponent* found = nullptr;
    if (root) found = SameTextAscii(root->Name(), FWinControlName) ? root : root->FindComponent(FWinControlName);
    auto* control = dynamic_cast<TWinControl*>(found);
    if (!control)
        throw EDescriptionError(Format("%s.WinControl: %s is not a control of %s", Name().c_str(),
                                       FWinControlName.c_str(), root ? root->Name().c_str() : "the window"));
    FWinControlName.clear();
    SetWinControl(control);
}

void TsxCustomWndProcHook::Loaded() {
    TComponent::Loaded();
    ResolveWinControlName();
    if (FActive) Activate();
}

// ---- joining and leaving the chain

void TsxCustomWndProcHook::Activate() {
    if (!IsDesigning()) Insert();
    FActive = true;
}

void TsxCustomWndProcHook::Deactivate() {
    if (!IsDesigning()) Remove();
    FActive = false;
}

void TsxCustomWndProcHook::Insert() {
    if (FHookedWindow) return;
    HWND hwnd = Handle();
    // Only windows of this process can be subclassed; with no window Active still reads true.
    if (hwnd == NoWindow() || !IsWindowOfThisProcess(hwnd)) return;
    if (gOriginalProcs.find(hwnd) == gOriginalProcs.end()) {
        SetLastError(0);
        auto previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainWndProc)));
        if (!previous && GetLastError() != 0) return;
        gOriginalProcs[hwnd] = previous;
    }
    FHookedWindow = hwnd;
}

void TsxCustomWndProcHook::Remove() {
    HWND hwnd = FHookedWindow;
    if (!hwnd) return;
    FHookedWindow = nullptr;
    if (!HasHookOn(hwnd)) ReleaseWindow(hwnd);
}

bool TsxCustomWndProcHook::HasHookOn(HWND hwnd) {
    if (!gHookList) return false;
    return std::any_of(gHookList->begin(), gHookList->end(),
                       [hwnd](const TsxCustomWndProcHook* hook) { return hook->FHookedWindow == hwnd; });
}

// Gives the window its own procedure back, unless another subclass now stands on top of ours.
void TsxCustomWndProcHook::ReleaseWindow(HWND hwnd) {
    auto original = gOriginalProcs.find(hwnd);
    if (original == gOriginalProcs.end()) return;
    if (IsWindow(hwnd)) {
        if (CurrentProc(hwnd) != &ChainWndProc) return;
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original->second));
    }
    gOriginalProcs.erase(original);
}

void TsxCustomWndProcHook::ForgetWindow(HWND hwnd) {
    if (gHookList)
        for (TsxCustomWndProcHook* hook : *gHookList)
            if (hook->FHookedWindow == hwnd) hook->FHookedWindow = nullptr;
    gOriginalProcs.erase(hwnd);
}

// ---- the messages

bool TsxCustomWndProcHook::IsAlive(const TsxCustomWndProcHook* hook, unsigned serial) {
    // The pointer is compared before it is read: a freed component is no longer in the list.
    return gHookList && std::find(gHookList->begin(), gHookList->end(), hook) != gHookList->end() &&
           hook->FSerial == serial;
}

// Hands msg to the newest component hooked on hwnd that is older than serial `below`, or, when
// there is none, to the window's own procedure.
void TsxCustomWndProcHook::CallChain(HWND hwnd, unsigned below, TMessage& msg) {
    TsxCustomWndProcHook* next = nullptr;
    if (gHookList)
        for (TsxCustomWndProcHook* hook : *gHookList)
            if (hook->FHookedWindow == hwnd && hook->FSerial < below && (!next || hook->FSerial > next->FSerial))
                next = hook;
    if (next) {
        next->HookWndProc(msg);
        return;
    }
    auto original = gOriginalProcs.find(hwnd);
    WNDPROC proc = original != gOriginalProcs.end() && original->second ? original->second : &DefWindowProcA;
    msg.Result = CallWindowProcA(proc, hwnd, msg.Msg, msg.WParam, msg.LParam);
}

void TsxCustomWndProcHook::HookWndProc(TMessage& msg) {
    HWND hwnd = FHookedWindow;
    if (!hwnd) return;
    // A handler may free this component: after each event only locals are trusted until it is found alive.
    const unsigned serial = FSerial;
    bool handled = false;
    if (FOnMessageBefore) FOnMessageBefore(this, msg, handled);
    if (!IsAlive(this, serial)) {
        if (!handled) CallChain(hwnd, serial, msg);
        return;
    }
    if (!handled) {
        if (msg.Msg == WM_LBUTTONDOWN && FAutoDrag && IsWindow(hwnd)) {
            ReleaseCapture();
            SendMessageA(hwnd, WM_SYSCOMMAND, DragMoveCommand, 0);
        } else {
            CallChain(hwnd, serial, msg);
        }
    }
    if (IsAlive(this, serial) && FOnMessageAfter) FOnMessageAfter(this, msg, handled);
}

LRESULT CALLBACK TsxCustomWndProcHook::ChainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TMessage msg;
    msg.Msg = message;
    msg.WParam = wParam;
    msg.LParam = lParam;
    try {
        CallChain(hwnd, UINT_MAX, msg);
    } catch (...) {
        HandleCallbackException();
    }
    if (message == WM_NCDESTROY) ForgetWindow(hwnd);
    else if (!HasHookOn(hwnd)) ReleaseWindow(hwnd);
    return msg.Result;
}

void RegisterCustomWndProcHookClass() {
    TClassRegistration<TsxCustomWndProcHook>("TsxCustomWndProcHook", "TComponent").Ignore("About");
}

void RegisterWndProcHookClass() {
    using H = TsxWndProcHook;
    TClassRegistration<H>("TsxWndProcHook", "TsxCustomWndProcHook")
        .Bool("Active", &H::SetActive)
        .Bool("AutoDrag", &H::SetAutoDrag)
        .Custom("WinControl", [](H& hook, const TPropValue& v, TLoadContext&) { hook.SetWinControlName(v.AsIdent()); })
        .Event<TNotifyEvent>("OnChangeHandle", &H::SetOnChangeHandle)
        .Event<TNotifyEvent>("OnChangeWinControl", &H::SetOnChangeWinControl)
        .Event<TsxMessageEvent>("OnMessageAfter", &H::SetOnMessageAfter)
        .Event<TsxMessageEvent>("OnMessageBefore", &H::SetOnMessageBefore);
}
