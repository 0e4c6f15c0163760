// controls/UiSpeedButton.h -- TUiSpeedButton: a speed button that swaps in a hot glyph, a
// hot-track font and its own hint colour while the pointer is over it, ends a modal window
// with its ModalResult or else drops a menu below itself
#pragma once
#include <string>

#include "UiButton.h"
#include "desktop/SpeedButton.h"

class TUiSpeedButton : public TSpeedButton {
public:
    explicit TUiSpeedButton(TComponent* owner);

    const std::string& AboutInfo() const noexcept { return FAboutInfo; }
    void SetAboutInfo(const std::string& value) { FAboutInfo = value; }   // kept, no effect
    TColor HintColor() const noexcept { return FHintColor; }
    void SetHintColor(TColor value) noexcept { FHintColor = value; }
    TPicture& HotGlyph() noexcept { return FHotGlyph; }
    void SetHotGlyph(const TPicture& picture) { FHotGlyph.Assign(picture); }
    TPopupMenu* DropDownMenu() const noexcept { return FDropDownMenu.Menu(); }
    void SetDropDownMenu(TPopupMenu* menu) { FDropDownMenu.Set(menu); }   // borrowed
    void SetDropDownMenuName(const std::string& name) { FDropDownMenu.SetName(name); }
    int ModalResult() const noexcept { return FModalResult; }
    void SetModalResult(int value) noexcept { FModalResult = value; }
    bool HotTrack() const noexcept { return FHotTrack; }
    void SetHotTrack(bool value) noexcept { FHotTrack = value; }
    TFont& HotTrackFont() noexcept { return FHotTrackFont; }
    void SetHotTrackFont(const TFont& font) { FHotTrackFont.Assign(font); }
    bool MouseOver() const noexcept { return FLook.Active(); }

    TNotifyEvent OnMouseEnter, OnMouseLeave, OnParentColorChange;
    void SetOnMouseEnter(const TNotifyEvent& e) { OnMouseEnter = e; }
    void SetOnMouseLeave(const TNotifyEvent& e) { OnMouseLeave = e; }
    void SetOnParentColorChange(const TNotifyEvent& e) { OnParentColorChange = e; }

    // OnClick, then: a ModalResult other than 0 goes to the form; else the drop-down menu opens.
    void Click() override;
    void Loaded() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    std::string FAboutInfo;
    TColor FHintColor = clInfoBk;
    TPicture FHotGlyph;
    TPicture FSavedGlyph;
    bool FGlyphSwapped = false;                    // the hot glyph is on: the leave puts FSavedGlyph back
    TDropDownMenuLink FDropDownMenu{*this};
    int FModalResult = 0;
    bool FHotTrack = false;
    TFont FHotTrackFont;
    THotTrackLook FLook;
};

// Registers TUiSpeedButton for window descriptions.
void RegisterUiSpeedButtonClass();
