// shell/sxGraphics.h -- the sx graphics unit: rectangles painted in one solid colour, and the named
// colours window descriptions may use besides the standard ones
#pragma once
#include <windows.h>

#include <string>

#include "desktop/Graphics.h"

// Each paints with a brush of its own, made for the call and deleted whatever happens, so
// nothing selected into the device context changes. System colours (clBtnFace, ...) are
// resolved to their current RGB. false: nothing was painted (no brush, or GDI refused).
bool FillRectSolid(HDC dc, const RECT& rect, TColor color);
bool FrameRectSolid(HDC dc, const RECT& rect, TColor color);   // a one-pixel frame inside rect

// ---- Named colours (red in the low byte, then green, then blue) ------------

constexpr TColor RgbColor(int red, int green, int blue) {
    return static_cast<TColor>(red) | static_cast<TColor>(green) << 8 | static_cast<TColor>(blue) << 16;
}
constexpr TColor clBrown = RgbColor(144, 48, 0), clOliveGreen = RgbColor(48, 48, 0), clDarkGreen = RgbColor(0, 48, 0),
                 clDarkTeal = RgbColor(0, 48, 96), clIndigo = RgbColor(48, 48, 144), clNight = RgbColor(48, 48, 48),
                 clOrange = RgbColor(255, 104, 0), clBlueGray = RgbColor(96, 96, 144),
                 clLightOrange = RgbColor(255, 152, 0), clSeaGreen = RgbColor(48, 152, 96),
                 clLightBlue = RgbColor(48, 104, 255), clMetal = RgbColor(144, 144, 144), clGold = RgbColor(255, 200, 0),
                 clPlum = RgbColor(144, 48, 96), clRose = RgbColor(255, 152, 208), clTan = RgbColor(255, 200, 160),
                 clLightYellow = RgbColor(255, 255, 144), clLightGreen = RgbColor(208, 255, 208),
                 clLightTurquoise = RgbColor(192, 255, 255), clPaleBlue = RgbColor(144, 200, 255),
                 clLavender = RgbColor(192, 152, 255);

// The names above first, then the standard ones (clRed, clBtnFace, ...); false: no such name/colour.
bool ColorToIdentEx(TColor color, std::string& identOut);
bool IdentToColorEx(const std::string& ident, TColor& colorOut);

// Makes IdentToColorEx the colour reader of window descriptions until program end; safe to call
// more than once.
void RegisterColorIdentsEx();
