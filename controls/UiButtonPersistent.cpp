// controls/UiButtonPersistent.cpp -- button settings and their copy into a button
#include "UiButtonPersistent.h"

#include "UiButton.h"
#include "UiSpeedButton.h"

namespace {

// Stores value and reports a change only when it differs.
template <class T>
bool Store(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}

} // namespace

void TUiButtonPersistent::Changed() {
    if (OnChange) OnChange(this);
}

void TUiButtonPersistent::SetEnabled(bool value) { if (Store(FEnabled, value)) Changed(); }
void TUiButtonPersistent::SetVisible(bool value) { if (Store(FVisible, value)) Changed(); }
void TUiButtonPersistent::SetCaption(const std::string& value) { if (Store(FCaption, value)) Changed(); }
void TUiButtonPersistent::SetFlat(bool value) { if (Store(FFlat, value)) Changed(); }
void TUiButtonPersistent::SetHotTrack(bool value) { if (Store(FHotTrack, value)) Changed(); }
void TUiButtonPersistent::SetHint(const std::string& value) { if (Store(FHint, value)) Changed(); }
void TUiButtonPersistent::SetShowHint(bool value) { if (Store(FShowHint, value)) Changed(); }

void TUiButtonPersistent::SetHotTrackFont(const TFont& font) {
    if (&font == &FHotTrackFont) return;
    FHotTrackFont.Assign(font);
    Changed();
}

void TUiButtonPersistent::Assign(const TUiButtonPersistent& other) {
    if (&other == this) return;
    FVisible = other.FVisible;
    FFlat = other.FFlat;
    FEnabled = other.FEnabled;
    FCaption = other.FCaption;
    FHotTrack = other.FHotTrack;
    FHint = other.FHint;
    FShowHint = other.FShowHint;
    FHotTrackFont.Assign(other.FHotTrackFont);
    Changed();
}

void TUiButtonPersistent::AssignTo(TObject& dest) const {
    auto* control = dynamic_cast<TControl*>(&dest);
    auto* speed = dynamic_cast<TSpeedButton*>(&dest);
    if (!dynamic_cast<TButton*>(&dest) && !speed) {
        TPersistent::AssignTo(dest);
        return;
    }
    control->SetEnabled(FEnabled);
    control->SetVisible(FVisible);
    control->SetCaption(FCaption);
    control->SetHint(FHint);
    control->SetShowHint(FShowHint);
    if (speed) speed->SetFlat(FFlat);
    if (auto* b = dynamic_cast<TUiButton*>(&dest)) {
        b->SetHotTrack(FHotTrack);
        b->SetHotTrackFont(FHotTrackFont);
    } else if (auto* s = dynamic_cast<TUiSpeedButton*>(&dest)) {
        s->SetHotTrack(FHotTrack);
        s->SetHotTrackFont(FHotTrackFont);
    }
}
