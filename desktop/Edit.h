// desktop/Edit.h -- TEdit: a one-line edit field
#pragma once
#include "Controls.h"

class TEdit : public TControl {
public:
    explicit TEdit(TComponent* owner);
    std::string Caption() const override;          // what the window holds now
    bool ReadOnly() const noexcept { return FReadOnly; }
    void SetReadOnly(bool value);
    void SetMaxLength(int value);
    void SetPasswordChar(const std::string& value);
    TNotifyEvent OnChange;
    void SetOnChange(const TNotifyEvent& e) { OnChange = e; }
protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void CNCommand(WORD code) override;
    virtual void Change();
private:
    bool FReadOnly = false;
    int FMaxLength = 0;
    char FPasswordChar = 0;
};
