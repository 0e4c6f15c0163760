// controls/sxFlatLook.h -- TsxFlatLook: the flat look TsxEdit and TsxComboBox share, a thin
// border that is invisible against the parent until the mouse is over the control or the
// control has the focus; the controls draw it themselves over their own edge
#pragma once
#include <windows.h>

#include <functional>

#include "MouseHover.h"
#include "desktop/Controls.h"

class TsxFlatLook {
public:
    explicit TsxFlatLook(TControl& control) : FControl(control) {}

    bool Flat() const noexcept { return FFlat; }
    // While disabled, the colours go back or to the parent's as the old and the new look want.
    void SetFlat(bool value);
    bool FocusBorder = true;
    bool MouseOver() const noexcept { return FHover.Inside(); }
    bool Active() const;                          // the focus is on the control or inside it
    bool Highlighted() const { return (MouseOver() || Active()) && FocusBorder; }

    // Three one-pixel rings inside r: highlighted, a sunken edge, then the button face, then
    // the window colour; otherwise the parent's colour twice, then the window colour.
    void DrawRings(HDC dc, RECT r) const;
    // When Flat and the window exists: draw into a device context of the whole window.
    void Redraw(const std::function<void(HDC)>& draw) const;

    // From WM_MOUSEMOVE and WM_MOUSELEAVE: true when the pointer came in or went out. A leave
    // counts while disabled too: a control disabled under the pointer would stay lit for good.
    bool MouseMoved() { return FControl.Enabled() && FHover.Moved(FControl.WindowHandle()); }
    bool MouseLeft() { return FHover.Left(); }

    // After the control's Enabled changed: a disabled flat control takes its parent's colour
    // and gets its own back when enabled.
    void EnabledChanged();

private:
    void EnabledChanged(bool enabled);
    TControl& FControl;
    bool FFlat = false;
    TMouseHover FHover;
    TColor FSavedColor = clWindow;
    bool FSavedParentColor = false;
};
