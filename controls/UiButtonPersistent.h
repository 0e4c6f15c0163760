// controls/UiButtonPersistent.h -- TUiButtonPersistent: a button's appearance as one object
// (the tips dialog keeps one per button), copied into a push or speed button with AssignTo
#pragma once
#include <string>

#include "desktop/Events.h"
#include "desktop/Graphics.h"
#include "desktop/Persistent.h"

class TUiButtonPersistent : public TPersistent {
public:
    TUiButtonPersistent() = default;

    bool Enabled() const noexcept { return FEnabled; }
    void SetEnabled(bool value);
    bool Visible() const noexcept { return FVisible; }
    void SetVisible(bool value);
    const std::string& Caption() const noexcept { return FCaption; }
    void SetCaption(const std::string& value);
    bool Flat() const noexcept { return FFlat; }
    void SetFlat(bool value);
    bool HotTrack() const noexcept { return FHotTrack; }
    void SetHotTrack(bool value);
    TFont& HotTrackFont() noexcept { return FHotTrackFont; }
    void SetHotTrackFont(const TFont& font);       // copies the values unless font is the owned one
    const std::string& Hint() const noexcept { return FHint; }
    void SetHint(const std::string& value);
    bool ShowHint() const noexcept { return FShowHint; }
    void SetShowHint(bool value);

    TNotifyEvent OnChange;                         // after a setter stored a new value

    // Copies every setting from other (this object's own kind of copy).
    void Assign(const TUiButtonPersistent& other);
    // A push button gets Enabled, Visible, Caption, Hint and ShowHint (a TUiButton also HotTrack
    // and HotTrackFont); a speed button those and Flat (a TUiSpeedButton also the hot-track
    // pair). Anything else: EConvertError.
    void AssignTo(TObject& dest) const override;

private:
    void Changed();
    bool FVisible = true;
    bool FFlat = true;
    bool FEnabled = true;
    std::string FCaption;
    bool FHotTrack = true;
    std::string FHint;
    bool FShowHint = false;
    TFont FHotTrackFont;
};
