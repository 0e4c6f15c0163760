// desktop/CheckBox.h -- TCheckBox and TRadioButton: OnClick follows every change of Checked,
// the user's and the program's alike
#pragma once
#include "Controls.h"

class TCheckBox : public TControl {
public:
    explicit TCheckBox(TComponent* owner);
    bool Checked() const;
    virtual void SetChecked(bool value);
protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;                     // a tick set before the window shows in it
    void DestroyWnd() override;                    // and one the window had stays for the next
    void CNCommand(WORD code) override;
    bool FChecked = false;
};

class TRadioButton : public TCheckBox {
public:
    explicit TRadioButton(TComponent* owner);
    void SetChecked(bool value) override;          // unticks the other radio buttons of the parent
protected:
    void CreateParams(TCreateParams& params) override;
    void CNCommand(WORD code) override;
};
