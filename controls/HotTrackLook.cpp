// controls/HotTrackLook.cpp -- the hover look of the hot-track buttons
#include "HotTrackLook.h"

#include "desktop/Application.h"

void THotTrackLook::Apply(TControl& control, TColor hintColor, const TFont* hotFont) {
    if (FActive) return;
    if (Application) {
        FSavedHintColor = Application->HintColor();
        Application->SetHintColor(hintColor);
    }
    if (hotFont) {
        FSavedFont.Assign(control.Font());
        control.Font().Assign(*hotFont);
        FFontSwapped = true;
    }
    FActive = true;
}

void THotTrackLook::Restore(TControl& control) {
    if (!FActive) return;
    if (Application) Application->SetHintColor(FSavedHintColor);
    if (FFontSwapped) {
        control.Font().Assign(FSavedFont);
        FFontSwapped = false;
    }
    FActive = false;
}
