// desktop/UpDown.cpp -- comctl32's up-down control; it writes its buddy's text itself
// (UDS_SETBUDDYINT) and reads it back when asked for its position
#include "UpDown.h"

#include <commctrl.h>

#include "Classes.h"

TUpDown::TUpDown(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 16, 24); }

void TUpDown::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.ClassName = UPDOWN_CLASSA;
    // No alignment style: the buddy keeps its place and size, whoever lays them out decides.
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | UDS_SETBUDDYINT | UDS_ARROWKEYS | (FThousands ? 0 : UDS_NOTHOUSANDS);
    params.ExStyle = 0;
}

void TUpDown::CreateWnd() {
    TControl::CreateWnd();
    SendMessageA(FHandle, UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
    ApplyBuddy();
}

void TUpDown::ApplyBuddy() {
    if (!FHandle) return;
    HWND buddy = FAssociate ? FAssociate->WindowHandle() : nullptr;
    SendMessageA(FHandle, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageA(FHandle, UDM_SETPOS32, 0, FPosition);
}

void TUpDown::SetRange(int min, int max) {
    FMin = min;
    FMax = max;
    if (FHandle) SendMessageA(FHandle, UDM_SETRANGE32, static_cast<WPARAM>(min), max);
}

void TUpDown::SetMin(int value) { SetRange(value, FMax); }
void TUpDown::SetMax(int value) { SetRange(FMin, value); }

int TUpDown::Position() const {
    if (!FHandle) return FPosition;
    return static_cast<int>(SendMessageA(FHandle, UDM_GETPOS32, 0, 0));
}

bool TUpDown::PositionShown() const {
    if (!FHandle) return true;
    BOOL failed = FALSE;
    SendMessageA(FHandle, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed));
    return !failed;
}

void TUpDown::SetPosition(int value) {
    FPosition = value < FMin ? FMin : value > FMax ? FMax : value;
    if (FHandle) SendMessageA(FHandle, UDM_SETPOS32, 0, FPosition);
}

void TUpDown::SetThousands(bool value) {
    if (value == FThousands) return;
    FThousands = value;
    if (FHandle) FPosition = Position();
    RecreateWnd();
}

void TUpDown::SetAssociate(TControl* buddy) {
    if (buddy == FAssociate) return;
    if (FAssociate) FAssociate->RemoveFreeNotification(this);
    FAssociate = buddy;
    if (FAssociate) FAssociate->FreeNotification(this);
    ApplyBuddy();
}

void TUpDown::AssociateRecreated() {
    if (FHandle) FPosition = Position();
    ApplyBuddy();
}

void TUpDown::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FAssociate) {
        FAssociate = nullptr;
        if (FHandle) SendMessageA(FHandle, UDM_SETBUDDY, 0, 0);
    }
}

void RegisterUpDownClass() {
    TClassRegistration<TUpDown>("TUpDown", "TControl")
        .Int("Min", &TUpDown::SetMin)
        .Int("Max", &TUpDown::SetMax)
        .Int("Position", &TUpDown::SetPosition)
        .Bool("Thousands", &TUpDown::SetThousands)
        .Ignore("ArrowKeys")
        .Ignore("Orientation");
}
