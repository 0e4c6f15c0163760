// core/ControlPaintHold.cpp -- TControlPaintHold
#include "core/ControlPaintHold.h"

#include <commctrl.h>

#include <algorithm>

#include "desktop/GdiGuards.h"
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
    ForgetBarEnds();
}

void TControlPaintHold::Release() {
    PassOnKept();   // still held: its paint is one of those made up for below
    FHeld = false;
    const HWND hwnd = FControl.WindowHandle();
    if (!FMissed || !hwnd) return;
    FMissed = false;
    if (FKeepsPosition && PaintBarEnd(hwnd)) return;
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
}

bool TControlPaintHold::PaintBarEnd(HWND hwnd) {
    if (!IsWindowVisible(hwnd)) return false;
    PBRANGE range{};
    SendMessageA(hwnd, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    const int position = static_cast<int>(SendMessageA(hwnd, PBM_GETPOS, 0, 0));
    if (range.iHigh <= range.iLow || (position != range.iLow && position != range.iHigh)) return false;
    RECT client{};
    GetClientRect(hwnd, &client);
    const SIZE size{client.right, client.bottom};
    if (size.cx <= 0 || size.cy <= 0) return false;

    const TScopedGetDC dc(hwnd);
    if (!dc.Get()) return false;
    TBarImage& image = FBarEnds[position == range.iHigh ? 1 : 0];
    if (image.Bitmap && (image.Size.cx != size.cx || image.Size.cy != size.cy)) ForgetBarEnds();
    const bool made = !image.Bitmap;
    if (made) image = {CreateCompatibleBitmap(dc.Get(), size.cx, size.cy), size};
    if (!image.Bitmap) return false;
    const TBitmapDC memory(image.Bitmap);
    if (!memory.Get()) {
        ForgetBarEnds();   // never drawn into: not an image of the bar
        return false;
    }
    if (made) SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT | PRF_ERASEBKGND);
    if (!BitBlt(dc.Get(), 0, 0, size.cx, size.cy, memory.Get(), 0, 0, SRCCOPY)) return false;
    ValidateRect(hwnd, nullptr);
    return true;
}

void TControlPaintHold::ForgetBarEnds() {
    for (TBarImage& image : FBarEnds) {
        if (image.Bitmap) DeleteObject(image.Bitmap);
        image = TBarImage{};
    }
}

void TControlPaintHold::WindowProc(TMessage& message) {
    switch (message.Msg) {
    // What changes how the bar looks at its ends, or the background it is painted over.
    case WM_WINDOWPOSCHANGED:
    case WM_ENABLE:
    case WM_STYLECHANGED:
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_DESTROY:
    case PBM_SETBARCOLOR:
    case PBM_SETBKCOLOR:
        ForgetBarEnds();
        break;
    default:
        break;
    }
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
