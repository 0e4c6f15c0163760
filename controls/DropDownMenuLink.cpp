// controls/DropDownMenuLink.cpp -- finding, keeping and opening a button's drop-down menu
#include "DropDownMenuLink.h"

#include "desktop/Menus.h"

void TDropDownMenuLink::Set(TPopupMenu* menu) {
    if (menu == FMenu) return;
    if (FMenu) FMenu->RemoveFreeNotification(&FButton);
    FMenu = menu;
    if (menu) menu->FreeNotification(&FButton);
}

void TDropDownMenuLink::Forget(TComponent* component) noexcept {
    if (component == FMenu) FMenu = nullptr;
}

void TDropDownMenuLink::Resolve() {
    if (FName.empty() || !FButton.Owner()) return;
    if (auto* menu = dynamic_cast<TPopupMenu*>(FButton.Owner()->FindComponent(FName))) Set(menu);
}

void TDropDownMenuLink::DropDown() {
    if (!FMenu) return;
    POINT origin{0, 0};
    if (HWND h = FButton.WindowHandle()) ClientToScreen(h, &origin);
    FMenu->Popup(origin.x, origin.y + FButton.Height());
    if (HWND h = FButton.WindowHandle()) SendMessageA(h, CM_MOUSELEAVE, 0, 0);
}
