// core/NewSoftwareDlg.h -- TnewSoftwareDlg: keep a new autostart program or remove it
//
// Its answer goes into the hidden check boxes ns_keep, ns_black and ns_delete of the main window.
#pragma once
#include "core/DecisionDlg.h"

class TnewSoftwareDlg : public TDecisionDlg {
public:
    explicit TnewSoftwareDlg(Teditor* owner);

    TRadioButton *lns_keep = nullptr, *ns_notkeep = nullptr;   // the roads: keep it, or remove it
    TCheckBox *lns_black = nullptr, *lns_delete = nullptr;     // with removing: Black List, Trashcan

protected:
    std::vector<TRoad> Roads() const override;
    void WriteAnswer() override;
};

void RegisterNewSoftwareDlgClasses();
