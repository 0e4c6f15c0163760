// desktop/Controls.h -- TControl: a component that is a real Win32 window
//
// Every control is a window of its own (labels too), so a test driver or a
// screen reader can find it and read its text. A control's window is made once,
// with its final values: when it gets a parent that has one, or, read from a
// description, once all of the description's properties are read; until then its
// properties are only stored. A hidden control's window waits until it shows, and a
// container may defer its children's windows until it is needed (a tab sheet until
// first shown); Handle() makes one early. A window made late takes its place in
// child order.
// Standard controls (BUTTON, STATIC, LISTBOX, ...) are subclassed: our window
// procedure sees every message and hands the rest to theirs. Notifications a
// parent receives (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM,
// WM_MEASUREITEM) are reflected to the child object they are about. A
// settings change that reaches a form (WM_SETTINGCHANGE) is passed on to
// every control on it.
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

#include "Component.h"
#include "Events.h"
#include "Graphics.h"
#include "Message.h"

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// The library's own control messages, sent from control to control (or to itself).
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;   // to each child window once its parent's colour changed
constexpr UINT CM_CTL3DCHANGED = CM_BASE + 16;        // the 3-D look changed; nothing in this library changes it
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;          // ends a control's hover state as WM_MOUSELEAVE would

// Sent to a form (by a test driver, say), it makes every window the form still keeps for later,
// such as the controls of pages not shown yet, without showing anything. Answer: 1.
UINT CreateAllWindowsMessage();
// Sent to a form (by a test driver, say), it makes the process publish each control's component
// name on its window, from then on for every window made; until asked, no name is published
// (each costs two trips to the window server). Answer: 1.
UINT PublishNamesMessage();

// A window-procedure method leaves its answer in the message's Result.
using TWndMethod = TBoundMethod<void(TMessage& message)>;

struct TCreateParams {
    const char* ClassName = "SxWindow";   // our own class unless a standard control subclasses
    DWORD Style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD ExStyle = 0;
    HWND Parent = nullptr;
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    void SetName(const std::string& name) override;   // also published on the window once asked
    TControl* Parent() const noexcept { return FParent; }
    virtual void SetParent(TControl* parent);
    int ControlCount() const noexcept { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(static_cast<size_t>(index)); }

    int Left() const noexcept { return FLeft; }
    int Top() const noexcept { return FTop; }
    int Width() const noexcept { return FWidth; }
    int Height() const noexcept { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientWidth(int v);
    void SetClientHeight(int v);

    bool Visible() const noexcept { return FVisible; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Showing() const;                          // visible and every parent visible
    bool Enabled() const noexcept { return FEnabled; }
    virtual void SetEnabled(bool value);
    virtual std::string Caption() const;
    virtual void SetCaption(const std::string& text);
    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }
    TAlign Align() const noexcept { return FAlign; }
    void SetAlign(TAlign value);
    TColor Color() const noexcept { return FColor; }
    virtual void SetColor(TColor value);
    TColor EffectiveColor() const;                  // the parent's colour while ParentColor holds
    bool ParentColor() const noexcept { return FParentColor; }
    void SetParentColor(bool value);
    TFont& Font() { return FFont; }
    bool ParentFont() const noexcept { return FParentFont; }
    void SetParentFont(bool value);
    int Tag() const noexcept { return FTag; }
    void SetTag(int v) { FTag = v; }
    const std::string& Hint() const noexcept { return FHint; }
    void SetHint(const std::string& v) { FHint = v; }
    bool ShowHint() const noexcept { return FShowHint; }
    void SetShowHint(bool v) { FShowHint = v; }      // kept only: this library draws no hint window
    bool TabStop() const noexcept { return FTabStop; }
    void SetTabStop(bool value);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    void SetOnClick(const TNotifyEvent& e) { OnClick = e; }
    void SetOnDblClick(const TNotifyEvent& e) { OnDblClick = e; }

    HWND Handle();                                  // makes the window if it can
    // Makes every window of this control and the controls inside that its parents allow and
    // that is not made yet (after a description is read: each made once, with its final values).
    // evenDeferred: also those a container keeps for later (the controls of a page not shown yet).
    virtual void CreateMissingWindows(bool evenDeferred = false);
    HWND WindowHandle() const noexcept { return FHandle; }   // null when not made
    bool HandleAllocated() const noexcept { return FHandle != nullptr; }
    void Invalidate();
    void Repaint();
    void BringToFront();
    void SetFocus();
    void Realign();

    static TControl* FromHandle(HWND hwnd);        // null for windows that are not ours

    // The replaceable entry of every message of the window: the thunk calls it. It starts out as
    // OwnWindowProc; a component may save it, put a method of its own in and pass messages on.
    TWndMethod WindowProc;
    void OwnWindowProc(TMessage& message) { message.Result = WndProc(message.Msg, message.WParam, message.LParam); }
    // The control's own handling of every message; the one try/catch sits in the thunk.
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    virtual void Click();
    // Reflected from the parent: WM_COMMAND notification code, WM_NOTIFY, colour messages.
    virtual void CNCommand(WORD code);
    virtual LRESULT CNNotify(NMHDR* header);
    virtual HBRUSH CNCtlColor(HDC dc);
    // Owner-drawn items (WM_DRAWITEM, WM_MEASUREITEM); true: handled. Neither arrives while
    // the window is being made: the control is known to its parent only once it exists.
    virtual bool CNDrawItem(DRAWITEMSTRUCT& item);
    virtual bool CNMeasureItem(MEASUREITEMSTRUCT& item);
    // The form got WM_SETTINGCHANGE (flag: the SPI_ value); the default passes it to the children.
    virtual void SettingsChanged(WPARAM flag);
    virtual void Paint(TCanvas& canvas);            // our own windows: WM_PAINT after the background
    virtual bool OwnPaint() const { return false; } // true: Paint() draws our own class's window
    LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);
    void UpdateFont();
    HBRUSH BackgroundBrush();
    virtual void Resized() {}
    void ApplyStyle(DWORD add, DWORD remove);
    // A new window with the same text, children and place among its siblings, for
    // styles that only take effect when the window is made.
    void RecreateWnd();
    void SetBoundsRaw(int left, int top, int width, int height);   // no realign of the parent
    // A container whose children's windows wait until it is first needed: they are made by
    // CreateDeferredChildren, or one by one as code asks for their handles.
    void DeferChildren() noexcept { FChildrenDeferred = true; }
    bool ChildrenDeferred() const noexcept { return FChildrenDeferred; }
    void CreateDeferredChildren();
    void PublishNames();   // the names of this control and all it holds, and of every window made later

    std::string FCaption;
    HWND FHandle = nullptr;

private:
    static LRESULT CALLBACK WndProcThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void FontChanged(TObject* sender);
    void InsertControl(TControl* child);
    void RemoveControl(TControl* child);
    void CreateChildren();
    void PlaceInChildOrder();   // a window made after later siblings' goes back among them
    void PublishName(bool freshWindow = false);   // a window just made has no name to take back

    TControl* FParent = nullptr;
    std::vector<TControl*> FControls;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    bool FParentFont = true;
    bool FTabStop = false;
    bool FParentColor = false;
    TAlign FAlign = TAlign::alNone;
    TColor FColor = clBtnFace;
    TFont FFont;
    int FTag = 0;
    std::string FHint;
    bool FShowHint = false;
    WNDPROC FDefWndProc = nullptr;
    HBRUSH FBrush = nullptr;
    TColor FBrushColor = 0;
    bool FRealigning = false;
    bool FChildrenDeferred = false;
    friend class TForm;
};

using TWinControl = TControl;

// Registers TControl's properties; called by RegisterDesktopClasses.
void RegisterControlClasses();
// Shared by the property tables of every control: Color = clBtnFace or a number.
TColor ColorFromValue(const struct TPropValue& value);
