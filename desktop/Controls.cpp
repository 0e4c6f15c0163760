// desktop/Controls.cpp -- windows, subclassing, reflection and alignment
#include "Controls.h"

#include "Classes.h"
#include "FontProperties.h"
#include "SysUtils.h"
#include "UtilityWindow.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>

namespace {

// Every window of ours with its control, kept within the process: found at every message, and
// a window property or user data would cost a trip to the window server under Wine for each
// window made and destroyed (and a property at each look-up too).
class TWindowTable {
public:
    void Add(HWND hwnd, TControl* control) {
        std::lock_guard<std::mutex> lock(FMutex);
        FControls[hwnd] = control;
    }
    void Remove(HWND hwnd) {
        std::lock_guard<std::mutex> lock(FMutex);
        FControls.erase(hwnd);
    }
    TControl* Find(HWND hwnd) {
        std::lock_guard<std::mutex> lock(FMutex);
        const auto it = FControls.find(hwnd);
        return it == FControls.end() ? nullptr : it->second;
    }

private:
    std::mutex FMutex;
    std::unordered_map<HWND, TControl*> FControls;
};

// Never destroyed: a control may outlive the statics of this file at the program's end.
TWindowTable& Windows() {
    static TWindowTable* const table = new TWindowTable;
    return *table;
}

// The component's name as a global atom, so another process can find a control by name; set
// once a process asked for names (PublishNamesMessage).
const char* const NameProp = "SentinoxName";
bool gNamesAsked = false;
int gNextControlId = 1000;

void RegisterWindowClass() {
    // Asked for by every window made: the class (and its cursor) is looked up once.
    static bool registered = false;
    if (registered) return;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcA;   // replaced per window in CreateWnd
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
    wc.lpszClassName = "SxWindow";
    RegisterWindowClassOnce(wc);
    registered = true;
}

} // namespace

UINT CreateAllWindowsMessage() {
    static const UINT message = RegisterWindowMessageA("SentinoxCreateAllWindows");
    return message;
}

UINT PublishNamesMessage() {
    static const UINT message = RegisterWindowMessageA("SentinoxPublishNames");
    return message;
}

TControl::TControl(TComponent* owner) : TComponent(owner), WindowProc(this, &TControl::OwnWindowProc) {
    FFont.OnChange = TNotifyEvent(this, &TControl::FontChanged);
}

TControl::~TControl() {
    for (TControl* child : FControls) child->FParent = nullptr;
    FControls.clear();
    if (FParent) FParent->RemoveControl(this);
    DestroyWnd();
    if (FBrush) DeleteObject(FBrush);
}

TControl* TControl::FromHandle(HWND hwnd) {
    return hwnd ? Windows().Find(hwnd) : nullptr;
}

void TControl::SetParent(TControl* parent) {
    if (parent == FParent) return;
    if (FParent) FParent->RemoveControl(this);
    FParent = parent;
    if (!parent) return;
    parent->InsertControl(this);
    if (FParentFont) {
        FFont.Assign(parent->FFont);
        FParentFont = true;
    }
    // A control read from a description gets its window once all its properties are read,
    // made with its final style, bounds, text and font (CreateMissingWindows); one placed in a
    // container that defers its children, once that needs them; a hidden one, once it shows.
    if (FHandle)
        ::SetParent(FHandle, parent->FHandle);
    else if (FVisible && parent->FHandle && !IsLoading() && !parent->FChildrenDeferred)
        CreateWnd();
    if (FAlign != TAlign::alNone) parent->Realign();
}

void TControl::SetName(const std::string& name) {
    TComponent::SetName(name);
    PublishName();
}

void TControl::PublishName(bool freshWindow) {
    if (!FHandle || !gNamesAsked) return;
    if (!freshWindow)
        if (ATOM old = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(RemovePropA(FHandle, NameProp)))) GlobalDeleteAtom(old);
    if (Name().empty()) return;
    if (ATOM atom = GlobalAddAtomA(Name().c_str()))
        SetPropA(FHandle, NameProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
}

void TControl::PublishNames() {
    gNamesAsked = true;
    PublishName();
    for (TControl* child : FControls) child->PublishNames();
}

void TControl::InsertControl(TControl* child) { FControls.push_back(child); }

void TControl::RemoveControl(TControl* child) {
    for (auto it = FControls.begin(); it != FControls.end(); ++it)
        if (*it == child) { FControls.erase(it); break; }
    if (child->FAlign != TAlign::alNone) Realign();
}

void TControl::CreateParams(TCreateParams& params) {
    RegisterWindowClass();
    params.ClassName = "SxWindow";
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    params.ExStyle = WS_EX_CONTROLPARENT;
    params.Parent = FParent ? FParent->FHandle : nullptr;
}

void TControl::CreateWnd() {
    if (FHandle) return;
    TCreateParams p;
    CreateParams(p);
    DWORD style = p.Style;
    if (FVisible) style |= WS_VISIBLE;
    if (!FEnabled) style |= WS_DISABLED;
    if (FTabStop) style |= WS_TABSTOP;
    bool ours = std::string(p.ClassName) == "SxWindow";
    HMENU id = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(gNextControlId++)) : nullptr;
    HWND h = CreateWindowExA(p.ExStyle, p.ClassName, FCaption.c_str(), style, FLeft, FTop, FWidth, FHeight, p.Parent, id,
                             GetModuleHandleA(nullptr), nullptr);
    if (!h) throw EWin32Error(Format("%s: CreateWindowExA(%s)", Name().c_str(), p.ClassName), GetLastError());
    FHandle = h;
    Windows().Add(h, this);
    PublishName(true);
    WNDPROC old = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WndProcThunk)));
    FDefWndProc = ours ? DefWindowProcA : old;
    // No repaint asked for: a window just made is drawn whole when it first shows.
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), FALSE);
    RECT r;
    GetWindowRect(h, &r);
    if (p.Parent) MapWindowPoints(nullptr, p.Parent, reinterpret_cast<POINT*>(&r), 2);
    FLeft = r.left; FTop = r.top; FWidth = r.right - r.left; FHeight = r.bottom - r.top;
    PlaceInChildOrder();
    CreateChildren();
    Realign();
}

void TControl::CreateChildren() {
    if (FChildrenDeferred) return;
    // Hidden ones wait: some never show (state kept for dialogs), and each window costs several
    // trips to the window server under Wine.
    for (TControl* child : FControls)
        if (!child->FHandle && child->FVisible) child->CreateWnd();
}

void TControl::PlaceInChildOrder() {
    if (!FParent) return;
    const auto& siblings = FParent->FControls;
    const auto self = std::find(siblings.begin(), siblings.end(), this);
    if (self == siblings.end() || std::none_of(self + 1, siblings.end(), [](TControl* c) { return c->FHandle; })) return;
    if (!(GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD)) return;
    // Windows follow the child order from the top: this one goes right under the last earlier
    // sibling that has a window, or on top.
    HWND after = HWND_TOP;
    for (auto it = siblings.begin(); it != self; ++it)
        if ((*it)->FHandle) after = (*it)->FHandle;
    SetWindowPos(FHandle, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TControl::CreateDeferredChildren() {
    if (!FChildrenDeferred || !FHandle) return;
    FChildrenDeferred = false;
    // Children made early, for a handle code asked for, keep their place: each one made now
    // takes its own among them (PlaceInChildOrder).
    CreateChildren();
    Realign();
}

void TControl::CreateMissingWindows(bool evenDeferred) {
    if (!FHandle) {
        if (FParent && (!FParent->FHandle || (!FVisible && !evenDeferred))) return;
        CreateWnd();
        if (!evenDeferred) return;
    }
    if (evenDeferred) CreateDeferredChildren();
    for (TControl* child : FControls) child->CreateMissingWindows(evenDeferred);
}

void TControl::DestroyWnd() {
    if (!FHandle) return;
    HWND h = FHandle;
    // Hand the window back to its own procedure first: once our object is gone,
    // the last messages (WM_DESTROY, WM_NCDESTROY) must not reach it.
    if (FDefWndProc && FDefWndProc != DefWindowProcA)
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefWndProc));
    else
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
    Windows().Remove(h);
    if (gNamesAsked)
        if (ATOM atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(RemovePropA(h, NameProp)))) GlobalDeleteAtom(atom);
    FHandle = nullptr;
    // A shown top-level window is destroyed without being hidden first: Wine, hiding a window a
    // window manager looks after, waits up to 2 s for the manager's word (for ever absent on a
    // bare X server) and leaves it on the screen meanwhile. Destroying it takes it off at once.
    const LONG style = GetWindowLongA(h, GWL_STYLE);
    if (!(style & WS_CHILD) && (style & WS_VISIBLE)) SetWindowLongA(h, GWL_STYLE, style & ~WS_VISIBLE);
    DestroyWindow(h);
}

HWND TControl::Handle() {
    if (!FHandle && (!FParent || FParent->Handle())) CreateWnd();
    return FHandle;
}

LRESULT CALLBACK TControl::WndProcThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TControl* control = FromHandle(hwnd);
    if (!control) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        WNDPROC def = control->FDefWndProc;
        Windows().Remove(hwnd);
        control->FHandle = nullptr;
        return CallWindowProcA(def ? def : DefWindowProcA, hwnd, msg, wParam, lParam);
    }
    try {
        TMessage message{msg, wParam, lParam, 0};
        if (control->WindowProc)
            control->WindowProc(message);
        else
            control->OwnWindowProc(message);
        return message.Result;
    } catch (...) {
        HandleCallbackException();
        return 0;
    }
}

LRESULT TControl::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(FDefWndProc ? FDefWndProc : DefWindowProcA, FHandle, msg, wParam, lParam);
}

LRESULT TControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (lParam) {
            if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
                child->CNCommand(HIWORD(wParam));
                return 0;
            }
        }
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (TControl* child = FromHandle(header->hwndFrom)) return child->CNNotify(header);
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam)))
            if (HBRUSH b = child->CNCtlColor(reinterpret_cast<HDC>(wParam))) return reinterpret_cast<LRESULT>(b);
        break;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU)
            if (TControl* child = FromHandle(item->hwndItem))
                if (child->CNDrawItem(*item)) return TRUE;
        break;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU)
            if (TControl* child = FromHandle(GetDlgItem(FHandle, static_cast<int>(item->CtlID))))
                if (child->CNMeasureItem(*item)) return TRUE;
        break;
    }
    case WM_SETTINGCHANGE:
        // Broadcasts reach top-level windows only; a form hands it on to what it holds.
        if (!(GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD)) SettingsChanged(wParam);
        break;
    case WM_NCPAINT: {
        // Without a frame, border or scroll bar there is nothing outside the client area to
        // paint, yet the default painting fetches a DC of the whole window for it: several trips
        // to the window server under Wine, for every window shown.
        RECT window, client;
        if (GetWindowRect(FHandle, &window) && GetClientRect(FHandle, &client) &&
            window.right - window.left == client.right && window.bottom - window.top == client.bottom)
            return 0;
        break;
    }
    case WM_ERASEBKGND:
        if (FDefWndProc == DefWindowProcA) {
            RECT r;
            GetClientRect(FHandle, &r);
            ::FillRect(reinterpret_cast<HDC>(wParam), &r, BackgroundBrush());
            return 1;
        }
        break;
    case WM_PAINT:
        if (OwnPaint()) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(FHandle, &ps);
            {
                TCanvas canvas(dc);
                canvas.SetFont(FFont);
                Paint(canvas);
            }
            EndPaint(FHandle, &ps);
            return 0;
        }
        break;
    case WM_SIZE:
    case WM_MOVE: {
        LRESULT r = DefaultHandler(msg, wParam, lParam);
        RECT wr;
        GetWindowRect(FHandle, &wr);
        HWND parent = GetParent(FHandle);
        if (parent && (GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD))
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&wr), 2);
        if (!IsIconic(FHandle)) {
            FLeft = wr.left; FTop = wr.top; FWidth = wr.right - wr.left; FHeight = wr.bottom - wr.top;
        }
        if (msg == WM_SIZE) { Realign(); Resized(); }
        return r;
    }
    case WM_LBUTTONUP:
        if (FDefWndProc == DefWindowProcA) {
            POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            RECT r;
            GetClientRect(FHandle, &r);
            if (PtInRect(&r, pt)) Click();
        }
        break;
    case WM_LBUTTONDBLCLK:
        if (OnDblClick) { OnDblClick(this); return 0; }
        break;
    case CM_PARENTCOLORCHANGED:
        // Clipped out of the parent's repaint, a child that shows the parent's colour repaints itself.
        if (FParentColor) Invalidate();
        return 0;
    default:
        break;
    }
    return DefaultHandler(msg, wParam, lParam);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::CNCommand(WORD) {}
LRESULT TControl::CNNotify(NMHDR*) { return 0; }
bool TControl::CNDrawItem(DRAWITEMSTRUCT&) { return false; }
bool TControl::CNMeasureItem(MEASUREITEMSTRUCT&) { return false; }

void TControl::SettingsChanged(WPARAM flag) {
    // A copy: a child may re-create its window, or its children, meanwhile.
    auto children = FControls;
    for (TControl* child : children) child->SettingsChanged(flag);
}

HBRUSH TControl::CNCtlColor(HDC dc) {
    ::SetTextColor(dc, ColorToRGB(FFont.Color()));
    SetBkColor(dc, ColorToRGB(EffectiveColor()));
    return BackgroundBrush();
}

void TControl::Paint(TCanvas&) {}

HBRUSH TControl::BackgroundBrush() {
    TColor color = EffectiveColor();
    if (!FBrush || FBrushColor != color) {
        if (FBrush) DeleteObject(FBrush);
        FBrush = CreateSolidBrush(ColorToRGB(color));
        FBrushColor = color;
    }
    return FBrush;
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    FLeft = left; FTop = top; FWidth = width; FHeight = height;
    if (FHandle) MoveWindow(FHandle, left, top, width, height, TRUE);
    if (FParent && FAlign != TAlign::alNone) FParent->Realign();
}

int TControl::ClientWidth() const {
    if (!FHandle) return FWidth;
    RECT r;
    GetClientRect(FHandle, &r);
    return r.right;
}

int TControl::ClientHeight() const {
    if (!FHandle) return FHeight;
    RECT r;
    GetClientRect(FHandle, &r);
    return r.bottom;
}

void TControl::SetClientWidth(int v) { SetWidth(v + (FWidth - ClientWidth())); }
void TControl::SetClientHeight(int v) { SetHeight(v + (FHeight - ClientHeight())); }

void TControl::SetVisible(bool value) {
    if (FVisible == value) return;
    FVisible = value;
    if (FHandle)
        ShowWindow(FHandle, value ? SW_SHOW : SW_HIDE);
    else if (value && FParent && FParent->FHandle && !FParent->FChildrenDeferred)
        // Also while its description's load steps run: its properties are all read by then
        // (a page control shows its active page in its own load step).
        CreateWnd();
    if (FParent && FAlign != TAlign::alNone) FParent->Realign();
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FVisible) return false;
    return FHandle && IsWindowVisible(FHandle);
}

void TControl::SetEnabled(bool value) {
    if (FEnabled == value) return;
    FEnabled = value;
    if (FHandle) EnableWindow(FHandle, value);
}

std::string TControl::Caption() const { return FCaption; }

void TControl::SetCaption(const std::string& text) {
    if (text == FCaption) return;
    FCaption = text;
    if (FHandle) {
        SetWindowTextA(FHandle, text.c_str());
        if (OwnPaint()) Invalidate();
    }
}

void TControl::SetAlign(TAlign value) {
    if (FAlign == value) return;
    FAlign = value;
    if (FParent) FParent->Realign();
}

void TControl::SetColor(TColor value) {
    FParentColor = false;
    if (FColor == value) return;
    FColor = value;
    Invalidate();
    for (TControl* child : FControls)
        if (child->FHandle) SendMessageA(child->FHandle, CM_PARENTCOLORCHANGED, 0, 0);
}

TColor TControl::EffectiveColor() const {
    return FParentColor && FParent ? FParent->EffectiveColor() : FColor;
}

void TControl::SetParentColor(bool value) {
    if (FParentColor == value) return;
    FParentColor = value;
    Invalidate();
}

void TControl::SetParentFont(bool value) {
    FParentFont = value;
    if (value && FParent) {
        FFont.Assign(FParent->FFont);
        FParentFont = true;
    }
}

void TControl::SetTabStop(bool value) {
    FTabStop = value;
    if (value) ApplyStyle(WS_TABSTOP, 0); else ApplyStyle(0, WS_TABSTOP);
}

void TControl::FontChanged(TObject*) {
    FParentFont = false;
    UpdateFont();
    for (TControl* child : FControls)
        if (child->FParentFont) {
            child->FFont.Assign(FFont);
            child->FParentFont = true;
        }
}

void TControl::UpdateFont() {
    if (!FHandle) return;
    SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), TRUE);
    Invalidate();
}

void TControl::ApplyStyle(DWORD add, DWORD remove) {
    if (!FHandle) return;
    LONG style = GetWindowLongA(FHandle, GWL_STYLE);
    SetWindowLongA(FHandle, GWL_STYLE, static_cast<LONG>((style | add) & ~remove));
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TControl::RecreateWnd() {
    if (!FHandle) return;
    FCaption = Caption();
    HWND before = GetWindow(FHandle, GW_HWNDPREV);
    DestroyWnd();
    CreateWnd();
    if (FHandle && (GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD))
        SetWindowPos(FHandle, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TControl::Invalidate() {
    if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TControl::Repaint() {
    if (FHandle) { InvalidateRect(FHandle, nullptr, TRUE); UpdateWindow(FHandle); }
}

void TControl::BringToFront() {
    if (FHandle) SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TControl::SetFocus() {
    if (FHandle) ::SetFocus(FHandle);
}

// Top first, then bottom, left, right, and the client gets what is left, in child order.
void TControl::Realign() {
    if (!FHandle || FRealigning) return;
    FRealigning = true;
    RECT r;
    GetClientRect(FHandle, &r);
    const TAlign order[] = {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient};
    for (TAlign a : order) {
        for (TControl* c : FControls) {
            if (c->FAlign != a || !c->FVisible) continue;
            int w = r.right - r.left, h = r.bottom - r.top;
            switch (a) {
            case TAlign::alTop: c->SetBoundsRaw(r.left, r.top, w, c->FHeight); r.top += c->FHeight; break;
            case TAlign::alBottom: c->SetBoundsRaw(r.left, r.bottom - c->FHeight, w, c->FHeight); r.bottom -= c->FHeight; break;
            case TAlign::alLeft: c->SetBoundsRaw(r.left, r.top, c->FWidth, h); r.left += c->FWidth; break;
            case TAlign::alRight: c->SetBoundsRaw(r.right - c->FWidth, r.top, c->FWidth, h); r.right -= c->FWidth; break;
            case TAlign::alClient: c->SetBoundsRaw(r.left, r.top, w, h); break;
            case TAlign::alNone: break;
            }
        }
    }
    FRealigning = false;
}

void TControl::SetBoundsRaw(int left, int top, int width, int height) {
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    FLeft = left; FTop = top; FWidth = width; FHeight = height;
    if (FHandle) MoveWindow(FHandle, left, top, width, height, TRUE);
}

TColor ColorFromValue(const TPropValue& value) {
    if (value.Kind == TPropValue::TKind::Integer) return static_cast<TColor>(value.Int);
    TColor c;
    if (DescriptionIdentToColor(value.AsIdent(), c)) return c;
    throw EDescriptionError("unknown colour " + value.Str);
}

void RegisterControlClasses() {
    TClassRegistration<TComponent>("TComponent", "", true).Ignore("Tag").Ignore("DesignInfo");
    TClassRegistration<TControl> control("TControl", "TComponent", true);
    control.Int("Left", &TControl::SetLeft)
        .Int("Top", &TControl::SetTop)
        .Int("Width", &TControl::SetWidth)
        .Int("Height", &TControl::SetHeight)
        .Int("ClientWidth", &TControl::SetClientWidth)
        .Int("ClientHeight", &TControl::SetClientHeight)
        .Bool("Visible", &TControl::SetVisible)
        .Bool("Enabled", &TControl::SetEnabled)
        .String("Caption", &TControl::SetCaption)
        .String("Text", &TControl::SetCaption)
        .String("Hint", &TControl::SetHint)
        .Bool("TabStop", &TControl::SetTabStop)
        .Int("Tag", &TControl::SetTag)
        .Ignore("TabOrder")
        .Bool("ShowHint", &TControl::SetShowHint)
        .Ignore("ParentShowHint")
        .Bool("ParentColor", &TControl::SetParentColor)
        .Bool("ParentFont", &TControl::SetParentFont)
        .Enum<TAlign>("Align", &TControl::SetAlign,
                      {{"alNone", TAlign::alNone}, {"alTop", TAlign::alTop}, {"alBottom", TAlign::alBottom},
                       {"alLeft", TAlign::alLeft}, {"alRight", TAlign::alRight}, {"alClient", TAlign::alClient}})
        .Custom("Color", [](TControl& c, const TPropValue& v, TLoadContext&) { c.SetColor(ColorFromValue(v)); })
        .Event<TNotifyEvent>("OnClick", &TControl::SetOnClick)
        .Event<TNotifyEvent>("OnDblClick", &TControl::SetOnDblClick);
    AddFontProperties<TControl>(control, "Font", [](TControl& c) -> TFont& { return c.Font(); });
}
