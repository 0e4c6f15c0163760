// desktop/Button.cpp -- push button
#include "Button.h"

#include "Form.h"

TButton::TButton(TComponent* owner) : TControl(owner) {
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.ClassName = "BUTTON";
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | (FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    params.ExStyle = 0;
}

void TButton::SetDefault(bool value) {
    if (FDefault == value) return;
    FDefault = value;
    if (FHandle) SendMessageA(FHandle, BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    if (FModalResult != 0)
        if (TForm* form = ParentForm(Parent())) form->SetModalResult(FModalResult);
    TControl::Click();
}

void TButton::CNCommand(WORD code) {
    if (code == BN_CLICKED) Click();
}
