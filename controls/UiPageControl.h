// controls/UiPageControl.h -- TUiPageControl: the page control plus Ctrl+Tab cycling done by
// the control itself, hiding all tabs, an adjustable client border, and refusal of clicks
// on the tabs of disabled pages
#pragma once
#include "MouseHover.h"
#include "desktop/PageControl.h"

class TUiPageControl : public TPageControl {
public:
    explicit TUiPageControl(TComponent* owner);

    bool HandleGlobalTab() const noexcept { return FHandleGlobalTab; }
    void SetHandleGlobalTab(bool value) { FHandleGlobalTab = value; }
    int ClientBorderWidth() const noexcept { return FClientBorderWidth; }
    void SetClientBorderWidth(int value);         // 4 is the platform's own border
    bool DrawTabShadow() const noexcept { return FDrawTabShadow; }
    void SetDrawTabShadow(bool value);
    bool HideAllTabs() const noexcept { return FHideAllTabs; }
    void SetHideAllTabs(bool value);
    TColor HintColor() const noexcept { return FHintColor; }
    void SetHintColor(TColor value) { FHintColor = value; }
    void Loaded() override;

    // Ctrl+Tab (Shift: backward) to the next enabled page with a visible tab; false when
    // there is none or the change was refused.
    bool CyclePage(bool forward);

    TNotifyEvent OnMouseEnter, OnMouseLeave;
    void SetOnMouseEnter(const TNotifyEvent& e) { OnMouseEnter = e; }
    void SetOnMouseLeave(const TNotifyEvent& e) { OnMouseLeave = e; }

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyHideAllTabs();
    bool IsDisabledTabAt(int x, int y);
    bool FHandleGlobalTab = false;
    int FClientBorderWidth = 4;
    bool FDrawTabShadow = false;
    bool FHideAllTabs = false;
    TColor FHintColor = clInfoBk;
    TMouseHover FHover;
};

// Registers TUiPageControl for window descriptions.
void RegisterUiPageControlClass();
