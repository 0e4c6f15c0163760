// controls/FxLabel.cpp -- rotated, shifted and shadowed label text
#include "FxLabel.h"

#include <cmath>

#include "desktop/GdiGuards.h"
#include "ControlPropertiesP.h"

namespace {

constexpr int MaxShadowValue = 1280;
constexpr double Pi = 3.14159265358979323846;

// The font for a rotated caption; the caller deletes it.
HFONT CreateRotatedFont(HFONT base, int angle) {
    LOGFONTA lf{};
    GetObjectA(base, sizeof(lf), &lf);
    lf.lfEscapement = angle * 10;             // tenths of a degree; orientation stays as it was
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;   // raster fonts cannot rotate
    return CreateFontIndirectA(&lf);
}

UINT AlignmentFlag(TAlignment a) {
    switch (a) {
    case TAlignment::taRightJustify: return DT_RIGHT;
    case TAlignment::taCenter: return DT_CENTER;
    case TAlignment::taLeftJustify: break;
    }
    return DT_LEFT;
}

void Shift(RECT& r, TDirection d, int steps) {
    TStep s = DirectionStep(d);
    OffsetRect(&r, s.Dx * steps, s.Dy * steps);
}

int Clamp16(int v) { return v < 0 ? 0 : v > MaxShadowValue ? MaxShadowValue : v; }

} // namespace

TShadowPreset ShadowPreset(TShadowStyle style) {
    using D = TDirection;
    switch (style) {
    case TShadowStyle::ssNone: return {true, D::drNone, 0, D::drNone, 0, 0, false};
    case TShadowStyle::ssCustom: return {false, D::drNone, 0, D::drNone, 0, 0, false};
    case TShadowStyle::ssRaised: return {true, D::drUpLeft, 1, D::drNone, 0, 0, false};
    case TShadowStyle::ssRaisedColor: return {true, D::drUpLeft, 1, D::drDownRight, 1, 1, true};
    case TShadowStyle::ssRaisedShadow: return {true, D::drUpLeft, 1, D::drDownRight, 1, 1, false};
    case TShadowStyle::ssRaisedThickShadow: return {true, D::drUpLeft, 1, D::drDownRight, 1, 4, false};
    case TShadowStyle::ssRecessed: return {true, D::drDownRight, 1, D::drNone, 0, 0, false};
    case TShadowStyle::ssRecessedColor: return {true, D::drDownRight, 1, D::drUpLeft, 1, 1, true};
    case TShadowStyle::ssRecessedShadow: return {true, D::drDownRight, 1, D::drUpLeft, 1, 1, false};
    case TShadowStyle::ssShadow: return {true, D::drNone, 0, D::drDownRight, 2, 1, false};
    case TShadowStyle::ssThickShadow: return {true, D::drNone, 0, D::drDownRight, 1, 4, false};
    }
    return {false, D::drNone, 0, D::drNone, 0, 0, false};
}

TFxLabel::TFxLabel(TComponent* owner) : TFxControl(owner) {
    SetBounds(0, 0, 65, 13);
    SetColor(clWindow);
    SetParentColor(true);
}

void TFxLabel::Changed() { Invalidate(); }

void TFxLabel::EffectChanged() {
    if (!FApplyingPreset) FShadowStyle = TShadowStyle::ssCustom;
    Changed();
}

void TFxLabel::SetAngle(int value) {
    int a = value % 360;
    if (a < 0) a += 360;
    if (a == FAngle) return;
    FAngle = a;
    FCos = std::cos(a * Pi / 180.0);
    FSin = std::sin(a * Pi / 180.0);
    if (a > 0 && FAutoSize) FAutoSize = false;
    Changed();
}

void TFxLabel::SetOffsetX(int value) {
    if (value == FOffsetX) return;
    FOffsetX = value;
    if (value > 0) FAutoSize = false;
    Changed();
}

void TFxLabel::SetOffsetY(int value) {
    if (value == FOffsetY) return;
    FOffsetY = value;
    if (value > 0) FAutoSize = false;
    Changed();
}

void TFxLabel::SetHighlightDirection(TDirection value) {
    if (value == FHighlightDirection) return;
    FHighlightDirection = value;
    EffectChanged();
}

void TFxLabel::SetHighlightDepth(int value) {
    if (value == FHighlightDepth) return;
    FHighlightDepth = value;
    EffectChanged();
}

void TFxLabel::SetHighlightColor(TColor value) {
    if (value == FHighlightColor) return;
    FHighlightColor = value;
    EffectChanged();
}

void TFxLabel::SetShadowDirection(TDirection value) {
    if (value == FShadowDirection) return;
    FShadowDirection = value;
    EffectChanged();
}

void TFxLabel::SetShadowDepth(int value) {
    value = Clamp16(value);
    if (value == FShadowDepth) return;
    FShadowDepth = value;
    EffectChanged();
}

void TFxLabel::SetShadowSize(int value) {
    value = Clamp16(value);
    if (value == FShadowSize) return;
    FShadowSize = value;
    EffectChanged();
}

void TFxLabel::SetShadowColor(TColor value) {
    if (value == FShadowColor) return;
    FShadowColor = value;
    EffectChanged();
}

void TFxLabel::SetShadowStyle(TShadowStyle value) {
    if (value == FShadowStyle) return;
    FShadowStyle = value;
    TShadowPreset p = ShadowPreset(value);
    if (p.Writes) {
        FApplyingPreset = true;
        SetHighlightDirection(p.HighlightDirection);
        SetHighlightDepth(p.HighlightDepth);
        SetHighlightColor(clBtnHighlight);
        SetShadowDirection(p.ShadowDirection);
        SetShadowDepth(p.ShadowDepth);
        SetShadowSize(p.ShadowSize);
        SetShadowColor(clBtnShadow);
        if (p.SetsFontColor) Font().SetColor(clBtnFace);
        FApplyingPreset = false;
    }
    Changed();
}

void TFxLabel::SetVerticalAlignment(TVerticalAlignment value) {
    if (value == FVerticalAlignment) return;
    FVerticalAlignment = value;
    Changed();
}

void TFxLabel::SetAlignment(TAlignment value) {
    if (value == FAlignment) return;
    FAlignment = value;
    Changed();
}

void TFxLabel::SetAutoSize(bool value) {
    if (value == FAutoSize) return;
    FAutoSize = value;
    if (!IsLoading()) AdjustSize();
}

void TFxLabel::SetWordWrap(bool value) {
    if (value == FWordWrap) return;
    FWordWrap = value;
    Changed();
}

void TFxLabel::SetShowAccelChar(bool value) {
    if (value == FShowAccelChar) return;
    FShowAccelChar = value;
    Changed();
}

void TFxLabel::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    Changed();
}

void TFxLabel::SetCaption(const std::string& text) {
    TControl::SetCaption(text);
    if (!IsLoading()) AdjustSize();
}

void TFxLabel::SetEnabled(bool value) {
    TControl::SetEnabled(value);
    Invalidate();
}

// Fitted before its window is made: made at its final size, not moved again in its load step.
void TFxLabel::CreateWnd() {
    if (IsLoading()) AdjustSize();
    TFxControl::CreateWnd();
}

void TFxLabel::Loaded() {
    TControl::Loaded();
    AdjustSize();
}

// Auto size fits the unrotated caption; a word-wrapped label keeps its width.
void TFxLabel::AdjustSize() {
    if (!FAutoSize || Align() != TAlign::alNone) return;
    FitLabelToCaption(*this, FCaption, FAlignment, FWordWrap, DT_EXPANDTABS | (FShowAccelChar ? 0 : DT_NOPREFIX));
}

void TFxLabel::DrawCaption(TCanvas& canvas, const RECT& rect, UINT flags) {
    if (FAngle != 0) {
        canvas.TextOut(rect.left, rect.top, FCaption);
    } else {
        RECT r = rect;
        DrawTextA(canvas.Handle(), FCaption.c_str(), -1, &r, flags);
    }
}

void TFxLabel::Paint(TCanvas& canvas) {
    HDC dc = canvas.Handle();
    UINT flags = AlignmentFlag(FAlignment) | DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) |
                 (FShowAccelChar ? 0 : DT_NOPREFIX);
    RECT r;
    GetClientRect(FHandle, &r);
    if (!FTransparent) {
        canvas.SetBrushColor(EffectiveColor());
        canvas.FillRect(r);
    }
    canvas.SetTransparent(true);

    // Made for this paint only and deselected and deleted with it, so no rotated font outlives it.
    TAutoDeleteObject rotatedFont(FAngle != 0 ? CreateRotatedFont(Font().Handle(), FAngle) : nullptr);
    TScopedSelectObject selectedFont(dc, rotatedFont.Get());
    if (FAngle != 0) {
        SIZE ext{};
        GetTextExtentPoint32A(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &ext);
        int wc = static_cast<int>(std::trunc(ext.cx * FCos)), ws = static_cast<int>(std::trunc(ext.cx * FSin));
        int hc = static_cast<int>(std::trunc(ext.cy * FCos)), hs = static_cast<int>(std::trunc(ext.cy * FSin));
        int w, h;
        if (FAngle < 90) { w = wc + hs; h = ws + hc; }
        else if (FAngle < 180) { w = hs - wc; h = ws - hc; }
        else if (FAngle < 270) { w = -wc - hs; h = -ws - hc; }
        else { w = wc - hs; h = hc - ws; }
        if (w > r.right) w = r.right;
        if (h > r.bottom) h = r.bottom;
        RECT old = r;
        r = RECT{old.left, old.top, old.left + w, old.top + h};
        if (FAlignment == TAlignment::taCenter) OffsetRect(&r, (old.right - w) / 2, 0);
        else if (FAlignment == TAlignment::taRightJustify) OffsetRect(&r, old.right - w, 0);
        if (FVerticalAlignment == TVerticalAlignment::vaCenter) OffsetRect(&r, 0, (old.bottom - h) / 2);
        else if (FVerticalAlignment == TVerticalAlignment::vaBottom) OffsetRect(&r, 0, old.bottom - h);
        if (FAngle < 90) OffsetRect(&r, 0, ws);
        else if (FAngle < 180) OffsetRect(&r, -wc, h);
        else if (FAngle < 270) OffsetRect(&r, w, -hc);
        else OffsetRect(&r, -hs, 0);
    } else {
        PlaceCaptionVertically(dc, FCaption, flags, FVerticalAlignment, r);
    }
    OffsetRect(&r, FOffsetX, FOffsetY);

    if (Enabled()) {
        if (FShadowStyle != TShadowStyle::ssNone) {
            RECT saved = r;
            Shift(r, FShadowDirection, FShadowDepth);
            canvas.SetTextColor(FShadowColor);
            for (int i = 0; i < FShadowSize; ++i) {
                DrawCaption(canvas, r, flags);
                Shift(r, FShadowDirection, 1);
            }
            r = saved;
            Shift(r, FHighlightDirection, FHighlightDepth);
            canvas.SetTextColor(FHighlightColor);
            DrawCaption(canvas, r, flags);
            r = saved;
        }
        canvas.SetTextColor(Font().Color());
        DrawCaption(canvas, r, flags);
    } else {
        OffsetRect(&r, 1, 1);
        canvas.SetTextColor(clBtnHighlight);
        DrawCaption(canvas, r, flags);
        OffsetRect(&r, -1, -1);
        canvas.SetTextColor(clBtnShadow);
        DrawCaption(canvas, r, flags);
    }
}

// ---- for window descriptions

namespace {

using namespace controls_internal;

const std::vector<std::pair<std::string, TDirection>> Directions = {
    {"drNone", TDirection::drNone}, {"drUp", TDirection::drUp}, {"drDown", TDirection::drDown},
    {"drLeft", TDirection::drLeft}, {"drRight", TDirection::drRight}, {"drUpLeft", TDirection::drUpLeft},
    {"drUpRight", TDirection::drUpRight}, {"drDownLeft", TDirection::drDownLeft}, {"drDownRight", TDirection::drDownRight}};
const std::vector<std::pair<std::string, TShadowStyle>> ShadowStyles = {
    {"ssNone", TShadowStyle::ssNone}, {"ssCustom", TShadowStyle::ssCustom}, {"ssRaised", TShadowStyle::ssRaised},
    {"ssRaisedColor", TShadowStyle::ssRaisedColor}, {"ssRaisedShadow", TShadowStyle::ssRaisedShadow},
    {"ssRaisedThickShadow", TShadowStyle::ssRaisedThickShadow}, {"ssRecessed", TShadowStyle::ssRecessed},
    {"ssRecessedColor", TShadowStyle::ssRecessedColor}, {"ssRecessedShadow", TShadowStyle::ssRecessedShadow},
    {"ssShadow", TShadowStyle::ssShadow}, {"ssThickShadow", TShadowStyle::ssThickShadow}};

} // namespace

void RegisterFxLabelClass() {
    using namespace controls_internal;
    TClassRegistration<TFxLabel>("TFxLabel", "TControl")
        .Int("Angle", &TFxLabel::SetAngle)
        .Int("OffsetX", &TFxLabel::SetOffsetX)
        .Int("OffsetY", &TFxLabel::SetOffsetY)
        .Enum<TDirection>("HighlightDirection", &TFxLabel::SetHighlightDirection, Directions)
        .Int("HighlightDepth", &TFxLabel::SetHighlightDepth)
        .Custom("HighlightColor", ColorProperty(&TFxLabel::SetHighlightColor))
        .Enum<TShadowStyle>("ShadowStyle", &TFxLabel::SetShadowStyle, ShadowStyles)
        .Enum<TDirection>("ShadowDirection", &TFxLabel::SetShadowDirection, Directions)
        .Int("ShadowDepth", &TFxLabel::SetShadowDepth)
        .Int("ShadowSize", &TFxLabel::SetShadowSize)
        .Custom("ShadowColor", ColorProperty(&TFxLabel::SetShadowColor))
        .Enum<TVerticalAlignment>("VerticalAlignment", &TFxLabel::SetVerticalAlignment, VerticalAlignmentNames())
        .Enum<TTextLayout>("Layout", &TFxLabel::SetLayout, LayoutNames())
        .Enum<TAlignment>("Alignment", &TFxLabel::SetAlignment, AlignmentNames())
        .Bool("AutoSize", &TFxLabel::SetAutoSize)
        .Bool("WordWrap", &TFxLabel::SetWordWrap)
        .Bool("ShowAccelChar", &TFxLabel::SetShowAccelChar)
        .Bool("Transparent", &TFxLabel::SetTransparent)
        .Event<TNotifyEvent>("OnMouseEnter", &TFxLabel::SetOnMouseEnter)
        .Event<TNotifyEvent>("OnMouseLeave", &TFxLabel::SetOnMouseLeave)
        .Ignore("FocusControl");
}
