// controls/FxControl.h -- TFxControl: a window of our own class that paints itself, answers
// WM_PRINTCLIENT with the same painting, and fires mouse enter and leave
#pragma once
#include "MouseHover.h"
#include "desktop/Controls.h"

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
