// core/ControlPaintHold.cpp -- TControlPaintHold
#include "core/ControlPaintHold.h"

#include <commctrl.h>

#include <algorithm>

#include "desktop/Label.h"
#include "desktop/PageControl.h"

TControlPaintHold::TControlPaintHold(TControl& control)
    : FControl(control), FSaved(control.WindowProc), FTextPaintsAtOnce(dynamic_cast<TLabel*>(&control) != nullptr),
      FKeepsPosition(dynamic_cast<TProgressBar*>(&control) != nullptr) {
    FControl.WindowProc = TWndMethod(this, &TControlPaintHold::WindowProc);
}

TControlPaintHold::~TControlPaintHold() {
    FHeld = false;
    PassOnKept();
    FControl.WindowProc = FSaved;
}

void TControlPaintHold::Release() {
    PassOnKept();   // still held: its paint is one of those made up for below
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
                // The static draws through its own DC inside WM_SETTEXT: kept here, the text is
                // stored without drawing when passed on, and the static paints from it.
                FText = message.LParam ? reinterpret_cast<const char*>(message.LParam) : "";
                FMissed = true;
                message.Result = TRUE;
                return;
            }
            break;
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
            if (AnswerKeptText(message)) return;
            break;
        default:
            break;
        }
    }
    // Anything else may depend on the kept values (a range that clamps the position, a step from it).
    if (message.Msg != WM_PAINT && message.Msg != WM_ERASEBKGND) PassOnKept();
    PassOn(message);
}

bool TControlPaintHold::AnswerKeptText(TMessage& message) const {
    if (!FText) return false;
    if (message.Msg == WM_GETTEXTLENGTH) {
        message.Result = static_cast<LRESULT>(FText->size());
        return true;
    }
    char* const buffer = reinterpret_cast<char*>(message.LParam);
    const size_t room = static_cast<size_t>(message.WParam);
    if (!buffer || room == 0) {
        message.Result = 0;
        return true;
    }
    const size_t copied = std::min(FText->size(), room - 1);
    FText->copy(buffer, copied);
    buffer[copied] = '\0';
    message.Result = static_cast<LRESULT>(copied);
    return true;
}

void TControlPaintHold::PassOnText() {
    if (!FText) return;
    const std::string text = std::move(*FText);
    FText.reset();
    // The window's own text handling, past the static's, which would draw it at once.
    if (const HWND hwnd = FControl.WindowHandle()) DefWindowProcA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
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
