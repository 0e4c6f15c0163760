// shell/sxWndProcHook.h -- TsxWndProcHook: shows every message of one window to an event before and
// one after the window's own processing, and can turn a left-button press into a window drag
//
// Several hook components on one window form one chain: the most recently created sees each
// message first, then the one created before it, and so on down to the window's own procedure,
// whatever order they were switched on or off in. The chain is kept in TsxWndProcHookList, the
// list of every hook component in creation order. All of it belongs to the GUI thread.
#pragma once
#include <windows.h>

#include <string>

#include "desktop/Component.h"
#include "desktop/Controls.h"
#include "desktop/Events.h"
#include "desktop/Message.h"

// Sender, the message (its fields may be changed on the way), Handled: true keeps the message
// from the rest of the chain and the window.
using TsxMessageEvent = TBoundMethod<void(TObject* sender, TMessage& msg, bool& handled)>;

class TsxCustomWndProcHook : public TComponent {
public:
    explicit TsxCustomWndProcHook(TComponent* owner);
    ~TsxCustomWndProcHook() override;   // leaves the chain

    bool Active() const noexcept { return FActive; }
    virtual void SetActive(bool value);
    bool AutoDrag() const noexcept { return FAutoDrag; }
    void SetAutoDrag(bool value) noexcept { FAutoDrag = value; }
    // The control whose window is hooked: the one given, else the owner when it is a control.
    virtual TWinControl* WinControl() const;
    virtual void SetWinControl(TWinControl* value);
    // A window description names the control; the name is looked up among the owner's components
    // in Loaded, when every component of the description exists (EDescriptionError when none fits).
    void SetWinControlName(const std::string& name) { FWinControlName = name; }
    // The window in use: the one given by SetHandle, else WinControl's (made when it has none yet,
    // except while it is read or destroyed); NoWindow() when there is none.
    virtual HWND Handle();
    static HWND NoWindow() noexcept { return reinterpret_cast<HWND>(INVALID_HANDLE_VALUE); }
    virtual void SetHandle(HWND value);   // null or INVALID_HANDLE_VALUE: none, WinControl decides
    // The window this component is subclassing now; null when it hooks nothing (Active can still
    // be true: no window was there, or the window was destroyed meanwhile).
    HWND HookedWindow() const noexcept { return FHookedWindow; }

    const TNotifyEvent& OnChangeHandle() const noexcept { return FOnChangeHandle; }
    void SetOnChangeHandle(const TNotifyEvent& value) { FOnChangeHandle = value; }
    const TNotifyEvent& OnChangeWinControl() const noexcept { return FOnChangeWinControl; }
    void SetOnChangeWinControl(const TNotifyEvent& value) { FOnChangeWinControl = value; }
    const TsxMessageEvent& OnMessageBefore() const noexcept { return FOnMessageBefore; }
    void SetOnMessageBefore(const TsxMessageEvent& value) { FOnMessageBefore = value; }
    const TsxMessageEvent& OnMessageAfter() const noexcept { return FOnMessageAfter; }
    void SetOnMessageAfter(const TsxMessageEvent& value) { FOnMessageAfter = value; }

    void Loaded() override;             // resolves WinControl, then activates when Active

protected:
    virtual void Activate();            // joins the chain of the window in use
    virtual void Deactivate();          // leaves it
    // This component's turn with msg: OnMessageBefore, then (unless handled) the drag or the rest
    // of the chain, whose result lands in msg.Result, then OnMessageAfter.
    virtual void HookWndProc(TMessage& msg);
    void Notification(TComponent* component, TOperation operation) override;

private:
    static LRESULT CALLBACK ChainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static void CallChain(HWND hwnd, unsigned below, TMessage& msg);
    static bool IsAlive(const TsxCustomWndProcHook* hook, unsigned serial);
    static bool HasHookOn(HWND hwnd);
    static void ReleaseWindow(HWND hwnd);
    static void ForgetWindow(HWND hwnd);
    void Insert();
    void Remove();
    void ResolveWinControlName();

    bool FActive = false;
    bool FAutoDrag = false;
    TWinControl* FWinControl = nullptr;   // borrowed; cleared when it is freed
    HWND FHandle = nullptr;               // borrowed
    HWND FHookedWindow = nullptr;         // borrowed: the window whose chain holds this component
    unsigned FSerial = 0;                 // creation order: higher serials see messages first
    TNotifyEvent FOnChangeHandle;
    TNotifyEvent FOnChangeWinControl;
    TsxMessageEvent FOnMessageBefore;
    TsxMessageEvent FOnMessageAfter;

    std::string FWinControlName;          // see SetWinControlName
};

class TsxWndProcHook : public TsxCustomWndProcHook {
public:
    using TsxCustomWndProcHook::TsxCustomWndProcHook;
};

// Every hook component in creation order (the one list the chains are built from); empty when
// there is none.
int TsxWndProcHookListCount();
TsxCustomWndProcHook* TsxWndProcHookListItem(int index);

// Registers TsxCustomWndProcHook for window descriptions.
void RegisterCustomWndProcHookClass();

// Registers TsxWndProcHook; its base comes first.
void RegisterWndProcHookClass();
