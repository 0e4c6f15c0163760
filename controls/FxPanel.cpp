// controls/FxPanel.cpp -- bevels on chosen sides, border colour, vertical caption alignment
#include "FxPanel.h"

#include "desktop/GdiGuards.h"
#include "ControlPropertiesP.h"

namespace {

UINT AlignmentFlag(TAlignment a) {
    return a == TAlignment::taRightJustify ? DT_RIGHT : a == TAlignment::taCenter ? DT_CENTER : DT_LEFT;
}

} // namespace

TFxPanel::TFxPanel(TComponent* owner) : TFxControl(owner) { SetBounds(0, 0, 185, 41); }

void TFxPanel::SetBevelCtl3D(bool value) {
    FBevelCtl3D = value;
    FBevelWidth = value ? 2 : 1;
    Invalidate();
}

void TFxPanel::SetBevelSides(TSides value) {
    value &= AllSides;
    if (value == FBevelSides) return;
    FBevelSides = value;
    Invalidate();
}

void TFxPanel::SetBorderColor(TColor value) {
    if (value == FBorderColor) return;
    FBorderColor = value;
    Invalidate();
}

void TFxPanel::SetVerticalAlignment(TVerticalAlignment value) {
    if (value == FVerticalAlignment) return;
    FVerticalAlignment = value;
    Invalidate();
}

void TFxPanel::SetBevelOuter(TBevelCut value) { FBevelOuter = value; Invalidate(); }
void TFxPanel::SetBevelInner(TBevelCut value) { FBevelInner = value; Invalidate(); }
// With BevelCtl3D the bevel is always two pixels wide.
void TFxPanel::SetBevelWidth(int value) { FBevelWidth = FBevelCtl3D ? 2 : (value < 1 ? 1 : value); Invalidate(); }
void TFxPanel::SetBorderWidth(int value) { FBorderWidth = value < 0 ? 0 : value; Invalidate(); }
void TFxPanel::SetAlignment(TAlignment value) { FAlignment = value; Invalidate(); }

void TFxPanel::Ring(HDC dc, RECT& r, TColor topLeft, TColor bottomRight) {
    {
        TAutoDeleteObject pen(CreatePen(PS_SOLID, 1, ColorToRGB(topLeft)));
        TScopedSelectObject selected(dc, pen.Get());
        if (FBevelSides & sdLeft) { MoveToEx(dc, r.left, r.top, nullptr); LineTo(dc, r.left, r.bottom); }
        if (FBevelSides & sdTop) { MoveToEx(dc, r.left, r.top, nullptr); LineTo(dc, r.right, r.top); }
    }
    {
        TAutoDeleteObject pen(CreatePen(PS_SOLID, 1, ColorToRGB(bottomRight)));
        TScopedSelectObject selected(dc, pen.Get());
        if (FBevelSides & sdRight) { MoveToEx(dc, r.right - 1, r.top, nullptr); LineTo(dc, r.right - 1, r.bottom); }
        if (FBevelSides & sdBottom) { MoveToEx(dc, r.left, r.bottom - 1, nullptr); LineTo(dc, r.right, r.bottom - 1); }
    }
    if (FBevelSides & sdLeft) ++r.left;
    if (FBevelSides & sdTop) ++r.top;
    if (FBevelSides & sdRight) --r.right;
    if (FBevelSides & sdBottom) --r.bottom;
}

void TFxPanel::Frame(HDC dc, RECT& r, TColor topLeft, TColor bottomRight, int width) {
    for (int i = 0; i < width; ++i) Ring(dc, r, topLeft, bottomRight);
}

void TFxPanel::Bevel(HDC dc, RECT& r, TBevelCut cut) {
    if (cut == TBevelCut::bvNone) return;
    TColor outerTL, outerBR, innerTL, innerBR;
    switch (cut) {
    case TBevelCut::bvLowered:
        outerTL = clBtnShadow; outerBR = clBtnHighlight; innerTL = clBtnText; innerBR = cl3DLight;
        break;
    case TBevelCut::bvRaised:
        outerTL = clBtnHighlight; outerBR = FBevelCtl3D ? clBtnText : clBtnShadow; innerTL = cl3DLight; innerBR = clBtnShadow;
        break;
    default:
        // A spacing bevel takes room in the panel's own colour.
        outerTL = outerBR = innerTL = innerBR = EffectiveColor();
        break;
    }
    if (FBevelCtl3D) {
        Ring(dc, r, outerTL, outerBR);
        Ring(dc, r, innerTL, innerBR);
    } else {
        Frame(dc, r, outerTL, outerBR, FBevelWidth);
    }
}

void TFxPanel::Paint(TCanvas& canvas) {
    HDC dc = canvas.Handle();
    RECT r;
    GetClientRect(FHandle, &r);
    Bevel(dc, r, FBevelOuter);
    Frame(dc, r, FBorderColor, FBorderColor, FBorderWidth);
    Bevel(dc, r, FBevelInner);
    canvas.SetBrushColor(EffectiveColor());
    canvas.FillRect(r);
    canvas.SetTransparent(true);
    canvas.SetTextColor(Font().Color());
    UINT flags = AlignmentFlag(FAlignment) | DT_EXPANDTABS | DT_WORDBREAK;
    PlaceCaptionVertically(dc, FCaption, flags, FVerticalAlignment, r);
    DrawTextA(dc, FCaption.c_str(), -1, &r, flags);
}

// ---- for window descriptions

namespace {

using namespace controls_internal;

TSides Sides(const TPropValue& v, const TLoadContext& ctx) {
    return static_cast<TSides>(Flags<TSide>(v, ctx, {{"sdLeft", sdLeft}, {"sdTop", sdTop}, {"sdRight", sdRight}, {"sdBottom", sdBottom}}, "side"));
}

} // namespace

void RegisterFxPanelClass() {
    using namespace controls_internal;
    TClassRegistration<TFxPanel>("TFxPanel", "TControl")
        .Bool("BevelCtl3D", &TFxPanel::SetBevelCtl3D)
        .Custom("BevelSides", [](TFxPanel& p, const TPropValue& v, TLoadContext& ctx) { p.SetBevelSides(Sides(v, ctx)); })
        .Custom("BorderColor", ColorProperty(&TFxPanel::SetBorderColor))
        .Enum<TVerticalAlignment>("VerticalAlignment", &TFxPanel::SetVerticalAlignment, VerticalAlignmentNames())
        .Enum<TBevelCut>("BevelOuter", &TFxPanel::SetBevelOuter, BevelCutNames())
        .Enum<TBevelCut>("BevelInner", &TFxPanel::SetBevelInner, BevelCutNames())
        .Int("BevelWidth", &TFxPanel::SetBevelWidth)
        .Int("BorderWidth", &TFxPanel::SetBorderWidth)
        .Enum<TAlignment>("Alignment", &TFxPanel::SetAlignment, AlignmentNames())
        .Event<TNotifyEvent>("OnMouseEnter", &TFxPanel::SetOnMouseEnter)
        .Event<TNotifyEvent>("OnMouseLeave", &TFxPanel::SetOnMouseLeave)
        .Ignore("BorderStyle")
        .Ignore("FullRepaint")
        .Ignore("Locked");
}
