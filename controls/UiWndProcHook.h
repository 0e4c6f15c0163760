// controls/UiWndProcHook.h -- TUiWndProcHook: the process-wide registry of message hooks that
// run before and after the window procedure of a control or a bare window, TUiHookInfos (one
// hooked window) and TUiReleaser (frees the records of destroyed bare windows a message later)
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "desktop/Component.h"
#include "desktop/Controls.h"
#include "desktop/UtilityWindow.h"

// A hook sees the message record and may change it; true: handled, nothing after it runs.
using TUiHookMethod = TBoundMethod<bool(TMessage& message)>;

enum TUiHookOrder : int { hoBefore = 0, hoAfter = 1 };

class TUiWndProcHook;

// One hooked control or bare window: two chains of hooks around the procedure it replaced.
class TUiHookInfos : public TObject {
public:
    TUiHookInfos(TUiWndProcHook* registry, TControl* control);
    TUiHookInfos(TUiWndProcHook* registry, HWND window);
    ~TUiHookInfos() override;                          // Remove(), then every node is freed

    TControl* Control() const noexcept { return FControl; }   // borrowed; null for a bare window
    HWND Window() const noexcept { return FWindow; }          // null for a control
    bool Hooked() const noexcept { return FHooked; }
    int HookCount(TUiHookOrder order) const;
    bool Empty() const noexcept { return !FChains[hoBefore].Head && !FChains[hoAfter].Head; }

    void AddHook(TUiHookOrder order, const TUiHookMethod& hook);      // at the tail; twice gives two nodes
    bool RemoveHook(TUiHookOrder order, const TUiHookMethod& hook);   // the first equal node; false: none
    bool Install();                                    // installing twice does nothing; false: the window refused
    void Remove();                                     // the saved procedure goes back
    void ForgetControl();                              // the control is being freed: never touch it again
    void Free();                                       // now, or when the WindowProc call under way returns

    // The replacement procedure: before-hooks, the saved procedure, after-hooks.
    void WindowProc(TMessage& message);

private:
    struct TNode {
        TUiHookMethod Hook;
        TNode* Next = nullptr;
        bool Removed = false;                          // unlinked while a call was under way
    };
    struct TChain {
        TNode* Head = nullptr;
        TNode* Tail = nullptr;
    };
    class TCall;
    void Dispatch(TMessage& message);
    bool RunChain(TUiHookOrder order, TMessage& message);   // true: a hook handled it
    void CallSaved(TMessage& message);
    void ReleaseDestroyedWindow();
    void Idle();
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    TUiWndProcHook* FRegistry;
    TControl* FControl = nullptr;
    HWND FWindow = nullptr;
    TChain FChains[2];
    TWndMethod FSavedMethod;                           // a control's procedure before ours
    WNDPROC FSavedProc = nullptr;                      // a bare window's procedure before ours
    bool FHooked = false;
    bool FReleased = false;                            // a bare window's record handed to the releaser
    int FCallDepth = 0;                                // WindowProc calls under way (messages nest)
    bool FFreeWhenIdle = false;
    std::vector<TNode*> FRemovedNodes;                 // freed when the last call returns
};

// The registry: one record per hooked control or window, in the order of their first hook.
class TUiWndProcHook : public TComponent {
public:
    TUiWndProcHook();                                  // no owner
    ~TUiWndProcHook() override;                        // frees every record, which puts every procedure back

    // False when there is no control or no hook (or order is neither hoBefore nor hoAfter).
    bool Attach(TControl* control, TUiHookOrder order, const TUiHookMethod& hook);
    // Removes the first equal hook of the chain; both chains empty: the procedure goes back.
    // Answers whether the control has a record, also when the hook was not there.
    bool Detach(TControl* control, TUiHookOrder order, const TUiHookMethod& hook);
    // A bare window of this thread, subclassed; a window of one of our controls goes to its control.
    bool Attach(HWND window, TUiHookOrder order, const TUiHookMethod& hook);
    bool Detach(HWND window, TUiHookOrder order, const TUiHookMethod& hook);

    TUiHookInfos* FindInfos(const TControl* control) const;
    TUiHookInfos* FindInfos(HWND window) const;        // bare windows only
    int Count() const noexcept { return static_cast<int>(FList.size()); }
    void Forget(TUiHookInfos* infos);                  // out of the list, not freed

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::vector<TUiHookInfos*> FList;                  // owned
};

// Frees objects at a later message of its hidden window, so that a record is never freed
// inside its own window procedure.
class TUiReleaser {
public:
    static constexpr UINT ReleaseMessage = 0xB021;     // wParam: the object to free
    TUiReleaser() = default;
    ~TUiReleaser();                                    // frees what is still waiting
    TUiReleaser(const TUiReleaser&) = delete;
    TUiReleaser& operator=(const TUiReleaser&) = delete;

    void Release(TObject* object);                     // owned from now on
    HWND Handle() const noexcept { return FWindow ? FWindow->Handle() : nullptr; }   // null until the first Release
    int PendingCount() const noexcept { return static_cast<int>(FPending.size()); }

private:
    void AllocateHandle();
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<TUtilityWindow> FWindow;
    std::vector<TObject*> FPending;                    // only these are freed by the message
};

// The process-wide registry and releaser, made on first use and freed at program end.
TUiWndProcHook* WindowHookRegistry();
TUiReleaser* HookReleaser();
bool AttachWindowHook(TControl* control, TUiHookOrder order, const TUiHookMethod& hook);
bool DetachWindowHook(TControl* control, TUiHookOrder order, const TUiHookMethod& hook);
bool AttachWindowHook(HWND window, TUiHookOrder order, const TUiHookMethod& hook);
bool DetachWindowHook(HWND window, TUiHookOrder order, const TUiHookMethod& hook);
