// desktop/Button.h -- TButton: a push button; its ModalResult ends a modal form
#pragma once
#include "Controls.h"

class TButton : public TControl {
public:
    explicit TButton(TComponent* owner);
    bool Default() const noexcept { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const noexcept { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    int ModalResult() const noexcept { return FModalResult; }
    void SetModalResult(int value) { FModalResult = value; }
    void Click() override;                         // as if the user clicked it
protected:
    void CreateParams(TCreateParams& params) override;
    void CNCommand(WORD code) override;
private:
    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = 0;
};
