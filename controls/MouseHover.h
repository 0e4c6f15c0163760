// controls/MouseHover.h -- TMouseHover: turns WM_MOUSEMOVE / WM_MOUSELEAVE into enter and leave
//
// Win32 has no enter message: the first move over a window starts TrackMouseEvent,
// which posts WM_MOUSELEAVE once the pointer is gone; tracking then has to be re-armed.
#pragma once
#include <windows.h>

class TMouseHover {
public:
    bool Inside() const noexcept { return FInside; }
    // From WM_MOUSEMOVE: true when this move is the enter.
    bool Moved(HWND window) {
        if (FInside) return false;
        FInside = true;
        TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE, window, 0};
        TrackMouseEvent(&t);
        return true;
    }
    // From WM_MOUSELEAVE: true when the pointer was inside.
    bool Left() {
        bool was = FInside;
        FInside = false;
        return was;
    }
private:
    bool FInside = false;
};
