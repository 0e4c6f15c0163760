// controls/UiButton.h -- TUiButton: a push button that takes a hot-track font and its own hint
// colour while the pointer is over it, wraps long captions and can drop a menu below itself
#pragma once
#include <string>

#include "DropDownMenuLink.h"
#include "HotTrackLook.h"
#include "MouseHover.h"
#include "desktop/Button.h"

class TUiButton : public TButton {
public:
    explicit TUiButton(TComponent* owner);

    const std::string& AboutInfo() const noexcept { return FAboutInfo; }
    void SetAboutInfo(const std::string& value) { FAboutInfo = value; }   // kept, no effect
    TColor HintColor() const noexcept { return FHintColor; }
    void SetHintColor(TColor value) noexcept { FHintColor = value; }      // the application's while hovered
    TPopupMenu* DropDownMenu() const noexcept { return FDropDownMenu.Menu(); }
    void SetDropDownMenu(TPopupMenu* menu) { FDropDownMenu.Set(menu); }   // borrowed
    void SetDropDownMenuName(const std::string& name) { FDropDownMenu.SetName(name); }
    bool HotTrack() const noexcept { return FHotTrack; }
    void SetHotTrack(bool value) noexcept { FHotTrack = value; }
    TFont& HotTrackFont() noexcept { return FHotTrackFont; }
    void SetHotTrackFont(const TFont& font) { FHotTrackFont.Assign(font); }
    bool MouseOver() const noexcept { return FLook.Active(); }

    TNotifyEvent OnMouseEnter, OnMouseLeave, OnCtl3DChanged, OnParentColorChange;
    void SetOnMouseEnter(const TNotifyEvent& e) { OnMouseEnter = e; }
    void SetOnMouseLeave(const TNotifyEvent& e) { OnMouseLeave = e; }
    void SetOnCtl3DChanged(const TNotifyEvent& e) { OnCtl3DChanged = e; }
    void SetOnParentColorChange(const TNotifyEvent& e) { OnParentColorChange = e; }

    // The inherited click (modal result, OnClick), then the drop-down menu when there is one.
    void Click() override;
    void Loaded() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void CreateParams(TCreateParams& params) override;   // BS_MULTILINE: long captions wrap
    void Notification(TComponent* component, TOperation operation) override;
    virtual void MouseEnter();
    virtual void MouseLeave();

private:
    std::string FAboutInfo;
    TColor FHintColor = clInfoBk;
    TDropDownMenuLink FDropDownMenu{*this};
    bool FHotTrack = false;
    TFont FHotTrackFont;
    THotTrackLook FLook;
    TMouseHover FHover;
};

// Registers TUiButton for window descriptions.
void RegisterUiButtonClass();
