// shell/sxGraphics.cpp -- the sx graphics unit
#include "shell/sxGraphics.h"

#include "desktop/SysUtils.h"

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

namespace {

const struct { const char* Name; TColor Value; } gNamedColors[] = {
    {"clBrown", clBrown}, {"clOliveGreen", clOliveGreen}, {"clDarkGreen", clDarkGreen},
    {"clDarkTeal", clDarkTeal}, {"clIndigo", clIndigo}, {"clNight", clNight},
    {"clOrange", clOrange}, {"clBlueGray", clBlueGray}, {"clLightOrange", clLightOrange},
    {"clSeaGreen", clSeaGreen}, {"clLightBlue", clLightBlue}, {"clMetal", clMetal},
    {"clGold", clGold}, {"clPlum", clPlum}, {"clRose", clRose},
    {"clTan", clTan}, {"clLightYellow", clLightYellow}, {"clLightGreen", clLightGreen},
    {"clLightTurquoise", clLightTurquoise}, {"clPaleBlue", clPaleBlue}, {"clLavender", clLavender},
};

// Takes the converter back at program end, after every window is gone.
struct TColorIdentsRegistration {
    TColorIdentsRegistration() { RegisterIdentToColor(&IdentToColorEx); }
    ~TColorIdentsRegistration() { RegisterIdentToColor(nullptr); }
};

} // namespace

bool ColorToIdentEx(TColor color, std::string& identOut) {
    for (const auto& n : gNamedColors)
        if (n.Value == color) { identOut = n.Name; return true; }
    return ColorToIdent(color, identOut);
}

bool IdentToColorEx(const std::string& ident, TColor& colorOut) {
    for (const auto& n : gNamedColors)
        if (SameTextAscii(n.Name, ident)) { colorOut = n.Value; return true; }
    return IdentToColor(ident, colorOut);
}

void RegisterColorIdentsEx() { static TColorIdentsRegistration registration; }
