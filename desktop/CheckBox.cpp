// desktop/CheckBox.cpp -- check boxes and radio buttons
#include "CheckBox.h"

TCheckBox::TCheckBox(TComponent* owner) : TControl(owner) {
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
    SetParentColor(true);
}

void TCheckBox::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.ClassName = "BUTTON";
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | BS_AUTOCHECKBOX;
    params.ExStyle = 0;
}

void TCheckBox::CreateWnd() {
    TControl::CreateWnd();
    if (FChecked) SendMessageA(FHandle, BM_SETCHECK, BST_CHECKED, 0);
}

void TCheckBox::DestroyWnd() {
    if (FHandle) FChecked = Checked();
    TControl::DestroyWnd();
}

bool TCheckBox::Checked() const {
    if (FHandle) return SendMessageA(FHandle, BM_GETCHECK, 0, 0) == BST_CHECKED;
    return FChecked;
}

void TCheckBox::SetChecked(bool value) {
    bool changed = Checked() != value;
    FChecked = value;
    if (FHandle) SendMessageA(FHandle, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (changed && !IsLoading()) Click();
}

void TCheckBox::CNCommand(WORD code) {
    if (code != BN_CLICKED) return;
    FChecked = Checked();
    Click();
}

TRadioButton::TRadioButton(TComponent* owner) : TCheckBox(owner) {}

void TRadioButton::CreateParams(TCreateParams& params) {
    TCheckBox::CreateParams(params);
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | BS_RADIOBUTTON;
}

void TRadioButton::SetChecked(bool value) {
    bool changed = Checked() != value;
    FChecked = value;
    if (FHandle) SendMessageA(FHandle, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (value && Parent()) {
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            auto* other = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
            if (other && other != this && other->Checked()) other->SetChecked(false);
        }
    }
    if (changed && value && !IsLoading()) Click();
}

void TRadioButton::CNCommand(WORD code) {
    // A plain radio button style: we tick it ourselves so the rule above holds for the user too.
    if (code == BN_CLICKED && !Checked()) SetChecked(true);
}
