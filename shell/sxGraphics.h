// shell/sxGraphics.h -- the sx graphics unit: rectangles painted in one solid colour
#pragma once
#include <windows.h>

#include "desktop/Graphics.h"

// Each paints with a brush of its own, made for the call and deleted whatever happens, so
// nothing selected into the device context changes. System colours (clBtnFace, ...) are
// resolved to their current RGB. false: nothing was painted (no brush, or GDI refused).
bool FillRectSolid(HDC dc, const RECT& rect, TColor color);
bool FrameRectSolid(HDC dc, const RECT& rect, TColor color);   // a one-pixel frame inside rect
