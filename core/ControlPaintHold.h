// core/ControlPaintHold.h -- TControlPaintHold: a control's painting held back while values are
// set in quick succession, and made up for in one go
//
// Static, progress and edit controls paint inside the setter (a static draws its new text at
// once, a progress bar updates its window). While held, the control's window method answers
// WM_PAINT and WM_ERASEBKGND without drawing and takes a static's WM_SETTEXT as a plain text
// change; the value itself is set as always, so a reader of the control sees it. A progress
// bar's new position is kept and answered to PBM_GETPOS, and reaches the bar before any other
// message or at Release; each one would otherwise invalidate and update the bar's window.
// A static's new text is kept the same way and answered to WM_GETTEXT and WM_GETTEXTLENGTH:
// storing it in the window costs a round trip to the window server at every step.
// Release() paints the control once if anything was missed. A bar at either end of its range
// (the first and last step of a loop) is painted from an image of that end, made by the bar
// itself the first time: its own painting is far dearer than copying the image back.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "desktop/Controls.h"

class TControlPaintHold {
public:
    // Puts itself in front of control's window method until destroyed; control must outlive it.
    explicit TControlPaintHold(TControl& control);
    ~TControlPaintHold();
    TControlPaintHold(const TControlPaintHold&) = delete;
    TControlPaintHold& operator=(const TControlPaintHold&) = delete;

    void Hold() noexcept { FHeld = true; }
    void Release();                                  // paints now what was held back

private:
    void WindowProc(TMessage& message);
    void PassOn(TMessage& message);
    void PassOnPosition();                           // the kept progress position, if any
    void PassOnText();                               // the kept static text, if any
    bool AnswerKeptText(TMessage& message) const;    // WM_GETTEXT(LENGTH) from the kept text
    void PassOnKept() { PassOnPosition(); PassOnText(); }
    bool PaintBarEnd(HWND hwnd);                     // false: not at an end, the bar paints itself
    void ForgetBarEnds();

    // The bar's client area as it paints itself at one end of its range.
    struct TBarImage {
        HBITMAP Bitmap = nullptr;
        SIZE Size{};
    };

    TControl& FControl;
    TWndMethod FSaved;                               // the window method before ours; empty: the control's own
    bool FHeld = false;
    bool FMissed = false;                            // a paint was held back since the last Release
    const bool FTextPaintsAtOnce;                    // a TLabel: a static control
    const bool FKeepsPosition;                       // a TProgressBar
    std::optional<WPARAM> FPosition;                 // kept while held, not yet passed on
    std::optional<std::string> FText;                // likewise
    TBarImage FBarEnds[2];                           // at its minimum, at its maximum
};
