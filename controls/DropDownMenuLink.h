// controls/DropDownMenuLink.h -- TDropDownMenuLink: the menu a hot-track button drops below itself
#pragma once
#include <string>

#include "desktop/Controls.h"

class TPopupMenu;

// The drop-down menu a hot-track button borrows: set directly or named by a description and
// found at load among the button owner's components; forgotten when the menu is freed.
class TDropDownMenuLink {
public:
    explicit TDropDownMenuLink(TControl& button) : FButton(button) {}
    TPopupMenu* Menu() const noexcept { return FMenu; }
    void Set(TPopupMenu* menu);
    void SetName(const std::string& name) { FName = name; }
    void Resolve();                                // from the button's Loaded
    void Forget(TComponent* component) noexcept;   // from its Notification
    // Pops the menu up under the button's lower-left corner, then drops the button's hover
    // state with CM_MOUSELEAVE (the pointer is on the menu now, and the menu swallowed the leave).
    void DropDown();

private:
    TControl& FButton;
    TPopupMenu* FMenu = nullptr;
    std::string FName;
};
