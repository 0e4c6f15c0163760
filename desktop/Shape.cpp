// desktop/Shape.cpp -- the rectangle shape
#include "Shape.h"

#include <algorithm>

#include "Classes.h"

TShape::TShape(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 65, 65); }

void TShape::SetBrushColor(TColor value) {
    if (value == FBrushColor) return;
    FBrushColor = value;
    Invalidate();
}

void TShape::SetPenColor(TColor value) {
    if (value == FPenColor) return;
    FPenColor = value;
    Invalidate();
}

void TShape::SetPenWidth(int value) {
    value = std::max(value, 0);
    if (value == FPenWidth) return;
    FPenWidth = value;
    Invalidate();
}

void TShape::Paint(TCanvas& canvas) {
    RECT r;
    GetClientRect(FHandle, &r);
    canvas.SetBrushColor(FBrushColor);
    canvas.FillRect(r);
    // A frame wider than half the shape fills it: the bands below simply overlap.
    canvas.SetBrushColor(FPenColor);
    int w = std::min({FPenWidth, static_cast<int>(r.right), static_cast<int>(r.bottom)});
    if (w <= 0) return;
    canvas.FillRect(RECT{0, 0, r.right, w});
    canvas.FillRect(RECT{0, r.bottom - w, r.right, r.bottom});
    canvas.FillRect(RECT{0, 0, w, r.bottom});
    canvas.FillRect(RECT{r.right - w, 0, r.right, r.bottom});
}

void RegisterShapeClass() {
    TClassRegistration<TShape>("TShape", "TControl")
        .Custom("Brush.Color", [](TShape& s, const TPropValue& v, TLoadContext&) { s.SetBrushColor(ColorFromValue(v)); })
        .Custom("Pen.Color", [](TShape& s, const TPropValue& v, TLoadContext&) { s.SetPenColor(ColorFromValue(v)); })
        .Int("Pen.Width", &TShape::SetPenWidth);
}
