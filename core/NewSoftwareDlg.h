// core/NewSoftwareDlg.h -- TnewSoftwareDlg: keep a new autostart program or remove it
//
// Its answer goes into the hidden check boxes ns_keep, ns_black and ns_delete of the main window.
#pragma once
#include "core/DecisionDlg.h"

class TCheckBox;
class TRadioButton;

class TnewSoftwareDlg : public TDecisionDlg {
public:
    explicit TnewSoftwareDlg(Teditor* owner);

    TRadioButton* lns_keep = nullptr;
    TRadioButton* ns_notkeep = nullptr;
    TCheckBox* lns_black = nullptr;
    TCheckBox* lns_delete = nullptr;

    void lns_keepClick(TObject* sender);
    void ns_notkeepClick(TObject* sender);

protected:
    void WriteAnswer() override;
};

void RegisterNewSoftwareDlgClasses();
