// shell/sxGraphics.cpp -- the sx graphics unit
#include "shell/sxGraphics.h"

namespace {

// One brush per call: a cached brush would keep the colour a system colour had when it was made.
template <class Paint>
bool PaintWithSolidBrush(TColor color, Paint paint) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
    if (!brush) return false;
    bool painted = paint(brush) != 0;
    DeleteObject(brush);
    return painted;
}

} // namespace

bool FillRectSolid(HDC dc, const RECT& rect, TColor color) {
    return PaintWithSolidBrush(color, [&](HBRUSH brush) { return FillRect(dc, &rect, brush); });
}

bool FrameRectSolid(HDC dc, const RECT& rect, TColor color) {
    return PaintWithSolidBrush(color, [&](HBRUSH brush) { return FrameRect(dc, &rect, brush); });
}
