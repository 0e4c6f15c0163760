// core/ControlPaintHold.cpp -- TControlPaintHold
#include "core/ControlPaintHold.h"

#include <commctrl.h>

#include "desktop/Label.h"
#include "desktop/PageControl.h"

TControlPaintHold::TControlPaintHold(TControl& control)
    : FControl(control), FSaved(control.WindowProc), FTextPaintsAtOnce(dynamic_cast<TLabel*>(&control) != nullptr),
      FKeepsPosition(dynamic_cast<TProgressBar*>(&control) != nullptr) {
    FControl.WindowProc = TWndMethod(this, &TControlPaintHold::WindowProc);
}

TControlPaintHold::~TControlPaintHold() {
    FHeld = false;
    PassOnPosition();
    FControl.WindowProc = FSaved;
}

void TControlPaintHold::Release() {
    PassOnPosition();   // still held: its paint is one of those made up for below
    FHeld = false;
    const HWND hwnd = FControl.WindowHandle();
    if (!FMissed || !hwnd) return;
    FMissed = false;
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
}

void TControlPaintHold::WindowProc(TMessage& message) {
    const HWND hwnd = FControl.WindowHandle();
    if (FHeld && hwnd) {
        switch (message.Msg) {
        case PBM_SETPOS:
            if (FKeepsPosition) {
                // The previous position, as the bar answers it.
                message.Result = FPosition ? static_cast<LRESULT>(*FPosition) : SendMessageA(hwnd, PBM_GETPOS, 0, 0);
                FPosition = message.WParam;
                return;
            }
            break;
        case PBM_GETPOS:
            if (FPosition) {
                message.Result = static_cast<LRESULT>(*FPosition);
                return;
            }
            break;
        case WM_PAINT:
            ValidateRect(hwnd, nullptr);
            FMissed = true;
            message.Result = 0;
            return;
        case WM_ERASEBKGND:
            FMissed = true;
            message.Result = 1;
            return;
        case WM_SETTEXT:
            if (FTextPaintsAtOnce) {
                // The static draws through its own DC inside WM_SETTEXT; the window's own text
                // handling stores it without drawing, and the static paints from that text.
                message.Result = DefWindowProcA(hwnd, WM_SETTEXT, message.WParam, message.LParam);
                FMissed = true;
                return;
            }
            break;
        default:
            break;
        }
    }
    // Anything else may depend on the position (a range that clamps it, a step from it).
    if (message.Msg != WM_PAINT && message.Msg != WM_ERASEBKGND) PassOnPosition();
    PassOn(message);
}

void TControlPaintHold::PassOnPosition() {
    if (!FPosition) return;
    TMessage message;
    message.Msg = PBM_SETPOS;
    message.WParam = *FPosition;
    FPosition.reset();
    // Straight to the bar, past this method, which would keep it again while held.
    if (FControl.WindowHandle()) PassOn(message);
}

void TControlPaintHold::PassOn(TMessage& message) {
    if (FSaved)
        FSaved(message);
    else
        FControl.OwnWindowProc(message);
}
