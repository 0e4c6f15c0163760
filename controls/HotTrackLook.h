// controls/HotTrackLook.h -- THotTrackLook: what a hot-track button changes while the pointer
// is over it (the application's hint colour, its font) and puts back when the pointer leaves
#pragma once
#include "desktop/Controls.h"

class THotTrackLook {
public:
    bool Active() const noexcept { return FActive; }
    // Saves the application's hint colour and sets hintColor; with a hotFont, also saves the
    // control's font and uses hotFont. Once active, a second Apply changes nothing.
    void Apply(TControl& control, TColor hintColor, const TFont* hotFont);
    // Puts back what Apply changed (keyed to the change itself, not to the button's current
    // HotTrack, so switching that while hovered cannot leave the hot font on for good).
    void Restore(TControl& control);

private:
    bool FActive = false;
    TColor FSavedHintColor = clInfoBk;
    TFont FSavedFont;
    bool FFontSwapped = false;
};
