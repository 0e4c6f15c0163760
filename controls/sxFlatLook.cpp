// controls/sxFlatLook.cpp
#include "sxFlatLook.h"

#include "shell/sxGraphics.h"
#include "desktop/GdiGuards.h"

bool TsxFlatLook::Active() const {
    HWND focus = GetFocus();
    HWND own = FControl.WindowHandle();
    return own && focus && (focus == own || IsChild(own, focus));
}

void TsxFlatLook::DrawRings(HDC dc, RECT r) const {
    bool highlighted = Highlighted();
    TControl* parent = FControl.Parent();
    TColor ring = highlighted || !parent ? clBtnFace : parent->EffectiveColor();
    if (highlighted) {
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    } else {
        FrameRectSolid(dc, r, ring);
        InflateRect(&r, -1, -1);
    }
    FrameRectSolid(dc, r, ring);
    InflateRect(&r, -1, -1);
    FrameRectSolid(dc, r, clWindow);
}

void TsxFlatLook::Redraw(const std::function<void(HDC)>& draw) const {
    HWND window = FControl.WindowHandle();
    if (!FFlat || !window) return;
    TScopedGetDC dc(window, TDCArea::Window);
    if (dc.Get()) draw(dc.Get());
}

void TsxFlatLook::SetFlat(bool value) {
    if (value == FFlat) return;
    if (FControl.Enabled()) {
        FFlat = value;
        return;
    }
    if (FFlat) EnabledChanged(true);
    FFlat = value;
    if (FFlat) EnabledChanged(false);
}

void TsxFlatLook::EnabledChanged() { EnabledChanged(FControl.Enabled()); }

void TsxFlatLook::EnabledChanged(bool enabled) {
    if (!FFlat) return;
    if (enabled) {
        FControl.SetColor(FSavedColor);
        FControl.SetParentColor(FSavedParentColor);
    } else {
        FSavedColor = FControl.Color();
        FSavedParentColor = FControl.ParentColor();
        FControl.SetParentColor(true);
    }
}
