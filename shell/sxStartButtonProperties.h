// shell/sxStartButtonProperties.h -- TsxStartButtonProperties: reads and changes the taskbar's Start
// button: its position and size, whether it is enabled and whether it is shown
//
// The button is the first child of class "Button" of the top-level "Shell_TrayWnd", looked up once
// at construction. Without a taskbar the handle is null: reads give what the system says of no
// window and writes do nothing.
#pragma once
#include <windows.h>

#include "desktop/Component.h"

class TsxStartButtonProperties : public TComponent {
public:
    explicit TsxStartButtonProperties(TComponent* owner);

    HWND ButtonHandle() const noexcept { return FButton; }   // borrowed: the shell's window

    // Each read re-reads the placement; each write passes the new value and the other three as last
    // read or written.
    int ButtonLeft();
    void SetButtonLeft(int value) { SetPlacement(value, FTop, FHeight, FWidth); }
    int ButtonTop();
    void SetButtonTop(int value) { SetPlacement(FLeft, value, FHeight, FWidth); }
    int ButtonWidth();
    void SetButtonWidth(int value) { SetPlacement(FLeft, FTop, FHeight, value); }
    int ButtonHeight();
    void SetButtonHeight(int value) { SetPlacement(FLeft, FTop, value, FWidth); }
    bool Enabled() const;
    void SetEnabled(bool value);
    bool Visible() const;
    void SetVisible(bool value);

    // The normal-position rectangle of the button into the cache (left, top, width, height).
    virtual void ReadPlacement();
    // Moves and sizes the button, no z-order change, no activation; nothing when all four equal the
    // cache, which then holds the four written.
    virtual void SetPlacement(int left, int top, int height, int width);

private:
    HWND FButton = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
};

// Registers TsxStartButtonProperties for window descriptions.
void RegisterStartButtonPropertiesClass();
