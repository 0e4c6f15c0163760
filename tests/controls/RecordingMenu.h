// tests/controls/RecordingMenu.h -- a popup menu that records where it was asked to open
// instead of running a menu loop
#pragma once
#include <utility>
#include <vector>

#include "desktop/Controls.h"
#include "desktop/Menus.h"

class TRecordingMenu : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    std::vector<std::pair<int, int>> Popups;      // screen points, in call order
    void Popup(int x, int y) override { Popups.emplace_back(x, y); }
};

// Where a drop-down menu belongs: the screen point of the control's lower-left corner.
inline std::pair<int, int> BelowLowerLeft(TControl& control) {
    POINT origin{0, 0};
    ClientToScreen(control.WindowHandle(), &origin);
    return {origin.x, origin.y + control.Height()};
}
