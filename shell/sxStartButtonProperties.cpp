// shell/sxStartButtonProperties.cpp -- TsxStartButtonProperties
#include "shell/sxStartButtonProperties.h"
#include "desktop/Classes.h"

TsxStartButtonProperties::TsxStartButtonProperties(TComponent* owner) : TComponent(owner) {
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    FButton = taskbar ? FindWindowExA(taskbar, nullptr, "Button", nullptr) : nullptr;
    ReadPlacement();
}

void TsxStartButtonProperties::ReadPlacement() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    // Without a button the record stays zero, as the system leaves it for no window.
    if (FButton) GetWindowPlacement(FButton, &placement);
    const RECT& r = placement.rcNormalPosition;
    FLeft = r.left;
    FTop = r.top;
    FWidth = r.right - r.left;
    FHeight = r.bottom - r.top;
}

void TsxStartButtonProperties::SetPlacement(int left, int top, int height, int width) {
    if (left == FLeft && top == FTop && height == FHeight && width == FWidth) return;
    if (!FButton || !SetWindowPos(FButton, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE)) return;
    // Keep what was written, or the next write (of another of the four) would put the old value back.
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
}

int TsxStartButtonProperties::ButtonLeft() {
    ReadPlacement();
    return FLeft;
}

int TsxStartButtonProperties::ButtonTop() {
    ReadPlacement();
    return FTop;
}

int TsxStartButtonProperties::ButtonWidth() {
    ReadPlacement();
    return FWidth;
}

int TsxStartButtonProperties::ButtonHeight() {
    ReadPlacement();
    return FHeight;
}

bool TsxStartButtonProperties::Enabled() const { return FButton && IsWindowEnabled(FButton); }

void TsxStartButtonProperties::SetEnabled(bool value) {
    if (FButton) EnableWindow(FButton, value);
}

bool TsxStartButtonProperties::Visible() const { return FButton && IsWindowVisible(FButton); }

void TsxStartButtonProperties::SetVisible(bool value) {
    if (FButton) ShowWindow(FButton, value ? SW_SHOW : SW_HIDE);
}

void RegisterStartButtonPropertiesClass() {
    using S = TsxStartButtonProperties;
    TClassRegistration<S>("TsxStartButtonProperties", "TComponent")
        .Ignore("About")
        .Int("ButtonLeft", &S::SetButtonLeft)
        .Int("ButtonTop", &S::SetButtonTop)
        .Int("ButtonWidth", &S::SetButtonWidth)
        .Int("ButtonHeight", &S::SetButtonHeight)
        .Bool("Enabled", &S::SetEnabled)
        .Bool("Visible", &S::SetVisible);
}
