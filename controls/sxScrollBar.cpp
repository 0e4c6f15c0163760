// controls/sxScrollBar.cpp
//
// A press on a button that can step holds it: the control captures the mouse and starts the
// repeat timer. Each tick steps while the cursor is on the held button; the release steps once
// more when it is on it. So a short click steps once, on release. The hold ends on release and
// also when the capture is taken away (a box popping up, another window grabbing the mouse),
// which sends no release: the timer would otherwise step on and on.
#include "sxScrollBar.h"
#include "ControlPropertiesP.h"

namespace {

constexpr unsigned DefaultTimerIntervalMs = 100;

POINT PointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

} // namespace

TsxCustomScrollBar::TsxCustomScrollBar(TComponent* owner)
    : TsxGraphicControl(owner), FTimer(std::make_unique<TsxCustomTimer>(nullptr)) {
    FTimer->SetEnabled(false);
    FTimer->SetInterval(DefaultTimerIntervalMs);
    FTimer->SetOnTimer(TNotifyEvent(this, &TsxCustomScrollBar::RepeatTick));
    SetBounds(Left(), Top(), 100, 100);
    SetColor(clBtnFace);
    AdjustSize();
}

TsxCustomScrollBar::~TsxCustomScrollBar() { FTimer->SetEnabled(false); }

void TsxCustomScrollBar::Loaded() {
    TsxGraphicControl::Loaded();
    AdjustSize();
}

void TsxCustomScrollBar::AdjustSize() {
    if (!FAutoSize) return;
    if (FKind == TScrollBarKind::sbVertical) {
        FButtonLength = GetSystemMetrics(SM_CYVSCROLL);
        SetWidth(GetSystemMetrics(SM_CXVSCROLL));
    } else {
        FButtonLength = GetSystemMetrics(SM_CXHSCROLL);
        SetHeight(GetSystemMetrics(SM_CYHSCROLL));
    }
}

void TsxCustomScrollBar::Resized() { AdjustSize(); }

void TsxCustomScrollBar::SettingsChanged(WPARAM flag) {
    TsxGraphicControl::SettingsChanged(flag);
    if (flag == SPI_SETNONCLIENTMETRICS) AdjustSize();
}

RECT TsxCustomScrollBar::ButtonRect(TsxScrollButton button) const {
    bool vertical = FKind == TScrollBarKind::sbVertical;
    int length = (vertical ? Height() : Width()) - 2 * FMargin;
    int edge = 0;
    if (length >= 1) {
        int b = length > 2 * FButtonLength ? FButtonLength : length / 2;
        edge = b > 0 ? b + FMargin : 0;
    }
    if (edge == 0) return RECT{0, 0, 0, 0};
    if (vertical)
        return button == TsxScrollButton::First ? RECT{0, FMargin, Width(), edge}
                                                : RECT{0, Height() - edge, Width(), Height() - FMargin};
    return button == TsxScrollButton::First ? RECT{FMargin, 0, edge, Height()}
                                            : RECT{Width() - edge, 0, Width() - FMargin, Height()};
}

bool TsxCustomScrollBar::ButtonShown(TsxScrollButton button) const {
    if (!FHideButtons) return true;
    return button == TsxScrollButton::First ? FPosition > FMin : FPosition < FMax;
}

bool TsxCustomScrollBar::InButton(TsxScrollButton button, POINT p) const {
    RECT r = ButtonRect(button);
    return PtInRect(&r, p) != FALSE;
}

void TsxCustomScrollBar::DrawButton(HDC dc, TsxScrollButton button, bool pushed) {
    RECT r = ButtonRect(button);
    if (IsRectEmpty(&r)) return;
    bool first = button == TsxScrollButton::First;
    UINT glyph = FKind == TScrollBarKind::sbVertical ? (first ? DFCS_SCROLLUP : DFCS_SCROLLDOWN)
                                                     : (first ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT);
    DrawFrameControl(dc, &r, DFC_SCROLL, glyph | (pushed ? DFCS_PUSHED : 0));
}

void TsxCustomScrollBar::Paint(TCanvas& canvas) {
    RECT client;
    GetClientRect(FHandle, &client);
    if (!FTransparent) {
        canvas.SetBrushColor(EffectiveColor());
        canvas.FillRect(client);
    }
    if (IsDesigning()) {
        DrawButton(canvas.Handle(), TsxScrollButton::First, false);
        DrawButton(canvas.Handle(), TsxScrollButton::Second, false);
        return;
    }
    for (TsxScrollButton b : {TsxScrollButton::First, TsxScrollButton::Second})
        if (ButtonShown(b)) DrawButton(canvas.Handle(), b, FTracking && FPressedInside && b == HeldButton());
}

bool TsxCustomScrollBar::StepPosition() {
    if (FStepDown) {
        if (FPosition <= FMin) return false;
        SetPosition(FPosition - 1);
    } else {
        if (FPosition >= FMax) return false;
        SetPosition(FPosition + 1);
    }
    return true;
}

void TsxCustomScrollBar::MouseDown(POINT p) {
    if (FPosition > FMin && InButton(TsxScrollButton::First, p)) FStepDown = true;
    else if (FPosition < FMax && InButton(TsxScrollButton::Second, p)) FStepDown = false;
    else return;
    FTracking = true;
    FPressedInside = true;
    SetCapture(FHandle);
    Invalidate();
    FTimer->SetEnabled(true);
}

void TsxCustomScrollBar::MouseMove(POINT p) {
    bool inside = InButton(HeldButton(), p);
    if (inside == FPressedInside) return;
    FPressedInside = inside;
    Invalidate();
}

void TsxCustomScrollBar::MouseUp(POINT p) {
    StopTracking();
    if (InButton(HeldButton(), p)) StepPosition();
}

void TsxCustomScrollBar::StopTracking() {
    FTimer->SetEnabled(false);
    FTracking = false;
    FPressedInside = false;
    Invalidate();
}

void TsxCustomScrollBar::RepeatTick(TObject*) {
    if (!FHandle) return;
    POINT p;
    if (!GetCursorPos(&p) || !ScreenToClient(FHandle, &p)) return;
    if (InButton(HeldButton(), p)) StepPosition();
}

LRESULT TsxCustomScrollBar::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:   // the second press of a quick double press comes as this one
        if (!IsDesigning()) MouseDown(PointOf(lParam));
        break;
    case WM_MOUSEMOVE:
        if (FTracking) MouseMove(PointOf(lParam));
        break;
    case WM_LBUTTONUP:
        if (FTracking) {
            MouseUp(PointOf(lParam));
            if (GetCapture() == FHandle) ReleaseCapture();
        }
        break;
    case WM_CAPTURECHANGED:
        if (FTracking && reinterpret_cast<HWND>(lParam) != FHandle) StopTracking();
        break;
    case WM_ERASEBKGND:
        if (FTransparent) return 1;
        break;
    default:
        break;
    }
    return TsxGraphicControl::WndProc(msg, wParam, lParam);
}

void TsxCustomScrollBar::SetAutoSize(bool value) {
    if (value == FAutoSize) return;
    FAutoSize = value;
    if (IsLoading()) return;
    AdjustSize();
    Invalidate();
}

void TsxCustomScrollBar::SetHideButtons(bool value) {
    if (value == FHideButtons) return;
    FHideButtons = value;
    Invalidate();
}

void TsxCustomScrollBar::SetKind(TScrollBarKind value) {
    if (value == FKind) return;
    FKind = value;
    if (IsLoading()) return;
    SetBounds(Left(), Top(), Height(), Width());
    AdjustSize();
}

void TsxCustomScrollBar::SetMargin(int value) {
    if (value == FMargin) return;
    FMargin = value;
    Invalidate();
}

void TsxCustomScrollBar::SetMax(int value) {
    if (value == FMax) return;
    FMax = value;
    if (FMax < FMin) FMin = FMax;
    if (FPosition > FMax) SetPosition(FMax);
    Invalidate();
}

void TsxCustomScrollBar::SetMin(int value) {
    if (value == FMin) return;
    FMin = value > FMax ? FMax : value;
    if (FPosition < FMin) SetPosition(FMin);
    Invalidate();
}

void TsxCustomScrollBar::SetPosition(int value) {
    if (value < FMin) value = FMin;
    if (value > FMax) value = FMax;
    if (value == FPosition) return;
    FPosition = value;
    if (OnChange) OnChange(this);
    Invalidate();
}

void TsxCustomScrollBar::SetTransparent(bool value) {
    FTransparent = value;
    Repaint();
}

// ---- for window descriptions

void RegisterSxCustomScrollBarClass() {
    using namespace controls_internal;
    using C = TsxCustomScrollBar;
    TClassRegistration<C>("TsxCustomScrollBar", "TControl")
        .String("About", &C::SetAbout)
        .Bool("AutoSize", &C::SetAutoSize)
        .Bool("HideButtons", &C::SetHideButtons)
        .Int("Margin", &C::SetMargin)
        .Int("Max", &C::SetMax)
        .Int("Min", &C::SetMin)
        .Enum<TScrollBarKind>("Kind", &C::SetKind,
                              {{"sbHorizontal", TScrollBarKind::sbHorizontal}, {"sbVertical", TScrollBarKind::sbVertical}})
        .Int("Position", &C::SetPosition)
        .Custom("TimerInterval", [](C& c, const TPropValue& v, TLoadContext& ctx) {
            if (v.AsInteger() < 0) throw EDescriptionError(ctx.Where + ": a negative interval");
            c.SetTimerInterval(static_cast<unsigned>(v.AsInteger()));
        })
        .Bool("Transparent", &C::SetTransparent)
        .Event<TNotifyEvent>("OnChange", &C::SetOnChange);
}

void RegisterSxScrollBarClass() {
    using namespace controls_internal;
    TClassRegistration<TsxScrollBar>("TsxScrollBar", "TsxCustomScrollBar");
}
