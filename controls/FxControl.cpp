// controls/FxControl.cpp
#include "FxControl.h"

void TFxControl::NotifyMouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TFxControl::NotifyMouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}

LRESULT TFxControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEMOVE:
        if (FHover.Moved(FHandle)) NotifyMouseEnter();
        break;
    case WM_MOUSELEAVE:
        if (FHover.Left()) NotifyMouseLeave();
        return 0;
    case WM_PRINTCLIENT: {
        TCanvas canvas(reinterpret_cast<HDC>(wParam));
        canvas.SetFont(Font());
        Paint(canvas);
        return 0;
    }
    default:
        break;
    }
    return TControl::WndProc(msg, wParam, lParam);
}

void PlaceCaptionVertically(HDC dc, const std::string& caption, UINT flags, TVerticalAlignment alignment, RECT& rect) {
    if (alignment == TVerticalAlignment::vaTop) return;
    RECT m = rect;
    DrawTextA(dc, caption.c_str(), -1, &m, flags | DT_CALCRECT);
    int oldBottom = rect.bottom;
    rect.bottom = rect.top + (m.bottom - m.top);
    int diff = oldBottom - rect.bottom;
    OffsetRect(&rect, 0, alignment == TVerticalAlignment::vaCenter ? diff / 2 : diff);
}
