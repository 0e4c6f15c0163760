// controls/UiButton.cpp -- the hot-track push button
//
// Hover comes from WM_MOUSEMOVE / WM_MOUSELEAVE (TMouseHover) and from CM_MOUSELEAVE, which
// the button sends itself once its drop-down menu has closed. Enter and leave pair up through
// THotTrackLook, so a second enter never overwrites the saved font or hint colour.
#include "UiButton.h"
#include "ControlPropertiesP.h"


TUiButton::TUiButton(TComponent* owner) : TButton(owner) {}

void TUiButton::CreateParams(TCreateParams& params) {
    TButton::CreateParams(params);
    params.Style |= BS_MULTILINE;
}

void TUiButton::Notification(TComponent* component, TOperation operation) {
    TButton::Notification(component, operation);
    if (operation == TOperation::opRemove) FDropDownMenu.Forget(component);
}

void TUiButton::Loaded() {
    TButton::Loaded();
    FDropDownMenu.Resolve();
}

void TUiButton::Click() {
    TButton::Click();
    FDropDownMenu.DropDown();
}

void TUiButton::MouseEnter() {
    if (!FLook.Active()) {
        if (IsDesigning()) return;
        FLook.Apply(*this, FHintColor, FHotTrack ? &FHotTrackFont : nullptr);
    }
    if (OnMouseEnter) OnMouseEnter(this);
}

void TUiButton::MouseLeave() {
    FLook.Restore(*this);
    if (OnMouseLeave) OnMouseLeave(this);
}

LRESULT TUiButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEMOVE:
        if (FHover.Moved(FHandle)) MouseEnter();
        break;
    case WM_MOUSELEAVE:
        if (FHover.Left()) MouseLeave();
        break;
    case CM_MOUSELEAVE:
        FHover.Left();
        MouseLeave();
        return 0;
    case CM_CTL3DCHANGED:
    case CM_PARENTCOLORCHANGED: {
        LRESULT result = TButton::WndProc(msg, wParam, lParam);
        const TNotifyEvent& event = msg == CM_CTL3DCHANGED ? OnCtl3DChanged : OnParentColorChange;
        if (event) event(this);
        return result;
    }
    default:
        break;
    }
    return TButton::WndProc(msg, wParam, lParam);
}

// ---- for window descriptions

void RegisterUiButtonClass() {
    using namespace controls_internal;
    TClassRegistration<TUiButton> button("TUiButton", "TButton");
    AddHotTrackButtonProperties(button);
    button.Event<TNotifyEvent>("OnCtl3DChanged", &TUiButton::SetOnCtl3DChanged);
}
