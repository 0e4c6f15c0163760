// desktop/SpeedButton.cpp -- the speed button, drawn by ourselves on a window of our own class
#include "SpeedButton.h"

#include "Classes.h"

namespace {
constexpr int GlyphSpacing = 4;   // pixels between the glyph and the caption
}

TSpeedButton::TSpeedButton(TComponent* owner) : TControl(owner) {
    SetBounds(0, 0, 23, 22);
    FGlyph.OnChange = TNotifyEvent(this, &TSpeedButton::GlyphChanged);
}

void TSpeedButton::SetFlat(bool value) {
    if (value == FFlat) return;
    FFlat = value;
    Invalidate();
}

void TSpeedButton::GlyphChanged(TObject*) { Invalidate(); }

void TSpeedButton::Click() { TControl::Click(); }

void TSpeedButton::MouseEnter() {
    FMouseInControl = true;
    if (FFlat && Enabled()) Invalidate();
}

void TSpeedButton::MouseLeave() {
    FMouseInControl = false;
    if (FFlat && Enabled()) Invalidate();
}

LRESULT TSpeedButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEMOVE:
        if (!FMouseInControl) {
            // Win32 has no enter message: the first move is the enter, and the leave has to be asked for.
            TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE, FHandle, 0};
            TrackMouseEvent(&t);
            MouseEnter();
        }
        break;
    case WM_MOUSELEAVE:
        if (FMouseInControl) MouseLeave();
        break;
    case CM_MOUSELEAVE:
        MouseLeave();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // Our own class: no focus is taken, the button only looks pressed while the mouse is held.
        FPressed = true;
        SetCapture(FHandle);
        Invalidate();
        return 0;
    case WM_LBUTTONUP:
        if (FPressed) {
            FPressed = false;
            ReleaseCapture();
            Invalidate();
        }
        break;   // TControl clicks when the release is inside
    case WM_CAPTURECHANGED:
        if (FPressed) { FPressed = false; Invalidate(); }
        break;
    default:
        break;
    }
    return TControl::WndProc(msg, wParam, lParam);
}

void TSpeedButton::Paint(TCanvas& canvas) {
    RECT r;
    GetClientRect(FHandle, &r);
    bool down = FPressed && FMouseInControl;
    if (down)
        DrawEdge(canvas.Handle(), &r, FFlat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
    else if (!FFlat)
        DrawEdge(canvas.Handle(), &r, EDGE_RAISED, BF_RECT);
    else if (FMouseInControl && Enabled())
        DrawEdge(canvas.Handle(), &r, BDR_RAISEDINNER, BF_RECT);

    // Glyph and caption side by side, the pair centred; one pixel down and right while pressed.
    std::string text = Caption();
    SIZE textSize = text.empty() ? SIZE{0, 0} : canvas.TextExtent(text);
    int glyphWidth = FGlyph.Empty() ? 0 : FGlyph.Width();
    int total = glyphWidth + (glyphWidth && textSize.cx ? GlyphSpacing : 0) + textSize.cx;
    int x = (r.right - total) / 2 + (down ? 1 : 0);
    int offsetY = down ? 1 : 0;
    if (glyphWidth) {
        int y = (r.bottom - FGlyph.Height()) / 2 + offsetY;
        FGlyph.Draw(canvas.Handle(), RECT{x, y, x + glyphWidth, y + FGlyph.Height()}, true);
        x += glyphWidth + GlyphSpacing;
    }
    if (!text.empty()) {
        canvas.SetTransparent(true);
        canvas.SetTextColor(Enabled() ? Font().Color() : clGrayText);
        canvas.TextRect(RECT{x, offsetY, r.right, r.bottom + offsetY}, text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
}

void RegisterSpeedButtonClass() {
    TClassRegistration<TSpeedButton>("TSpeedButton", "TControl").Bool("Flat", &TSpeedButton::SetFlat);
}
