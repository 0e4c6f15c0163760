// controls/FxControl.h -- TFxControl: a window of our own class that paints itself, answers
// WM_PRINTCLIENT with the same painting, and fires mouse enter and leave
#pragma once
#include <string>

#include "FxTypes.h"
#include "MouseHover.h"
#include "desktop/Controls.h"

// Moves rect down so that caption, as DrawTextA lays it out with flags in dc's font, sits at
// the top, centre or bottom of rect; rect's height becomes the text's.
void PlaceCaptionVertically(HDC dc, const std::string& caption, UINT flags, TVerticalAlignment alignment, RECT& rect);

class TFxControl : public TControl {
public:
    explicit TFxControl(TComponent* owner) : TControl(owner) {}

    TNotifyEvent OnMouseEnter, OnMouseLeave;
    void SetOnMouseEnter(const TNotifyEvent& e) { OnMouseEnter = e; }
    void SetOnMouseLeave(const TNotifyEvent& e) { OnMouseLeave = e; }

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    bool OwnPaint() const override { return true; }
    virtual void NotifyMouseEnter();              // OnMouseEnter
    virtual void NotifyMouseLeave();              // OnMouseLeave

private:
    TMouseHover FHover;
};
