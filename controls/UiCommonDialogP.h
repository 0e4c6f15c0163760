// controls/UiCommonDialogP.h -- TUiCommonDialogP: the base of the Ui family's dialog components,
// whose one operation is to show their dialog
#pragma once
#include "shared/UiComponent.h"

class TUiCommonDialogP : public TUiComponent {
public:
    explicit TUiCommonDialogP(TComponent* owner) : TUiComponent(owner) {}

    virtual void ShowDialog() = 0;
};
