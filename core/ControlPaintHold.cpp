// core/ControlPaintHold.cpp -- TControlPaintHold
#include "core/ControlPaintHold.h"

#include <windows.h>

#include "desktop/Label.h"

TControlPaintHold::TControlPaintHold(TControl& control)
    : FControl(control), FSaved(control.WindowProc), FTextPaintsAtOnce(dynamic_cast<TLabel*>(&control) != nullptr) {
    FControl.WindowProc = TWndMethod(this, &TControlPaintHold::WindowProc);
}

TControlPaintHold::~TControlPaintHold() { FControl.WindowProc = FSaved; }

void TControlPaintHold::Release() {
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
    PassOn(message);
}

void TControlPaintHold::PassOn(TMessage& message) {
    if (FSaved)
        FSaved(message);
    else
        FControl.OwnWindowProc(message);
}
