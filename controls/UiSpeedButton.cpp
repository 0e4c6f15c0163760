// controls/UiSpeedButton.cpp -- the hot-track speed button
#include "UiSpeedButton.h"

#include "desktop/Form.h"
#include "ControlPropertiesP.h"

TUiSpeedButton::TUiSpeedButton(TComponent* owner) : TSpeedButton(owner) {}

void TUiSpeedButton::Notification(TComponent* component, TOperation operation) {
    TSpeedButton::Notification(component, operation);
    if (operation == TOperation::opRemove) FDropDownMenu.Forget(component);
}

void TUiSpeedButton::Loaded() {
    TSpeedButton::Loaded();
    FDropDownMenu.Resolve();
}

void TUiSpeedButton::Click() {
    TSpeedButton::Click();
    TForm* form = FModalResult != 0 ? ParentForm(Parent()) : nullptr;
    if (form)
        form->SetModalResult(FModalResult);
    else
        FDropDownMenu.DropDown();
}

void TUiSpeedButton::MouseEnter() {
    TSpeedButton::MouseEnter();
    if (IsDesigning()) return;
    if (!FLook.Active()) {
        FLook.Apply(*this, FHintColor, FHotTrack ? &FHotTrackFont : nullptr);
        if (!FHotGlyph.Empty()) {
            FSavedGlyph.Assign(Glyph());
            Glyph().Assign(FHotGlyph);
            FGlyphSwapped = true;
        }
    }
    if (OnMouseEnter) OnMouseEnter(this);
}

void TUiSpeedButton::MouseLeave() {
    TSpeedButton::MouseLeave();
    if (IsDesigning()) return;
    // An empty saved glyph goes back too: a button without a glyph of its own must not keep
    // showing the hot one once the pointer has gone.
    if (FLook.Active() && FGlyphSwapped) {
        Glyph().Assign(FSavedGlyph);
        FGlyphSwapped = false;
    }
    FLook.Restore(*this);
    if (OnMouseLeave) OnMouseLeave(this);
}

LRESULT TUiSpeedButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == CM_PARENTCOLORCHANGED) {
        LRESULT result = TSpeedButton::WndProc(msg, wParam, lParam);
        if (OnParentColorChange) OnParentColorChange(this);
        return result;
    }
    return TSpeedButton::WndProc(msg, wParam, lParam);
}

// ---- for window descriptions

void RegisterUiSpeedButtonClass() {
    using namespace controls_internal;
    TClassRegistration<TUiSpeedButton> speed("TUiSpeedButton", "TSpeedButton");
    AddHotTrackButtonProperties(speed);
    speed.Int("ModalResult", &TUiSpeedButton::SetModalResult);
}
