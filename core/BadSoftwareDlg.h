// core/BadSoftwareDlg.h -- TbadSoftwareDlg: let a running black-listed program run, or stop it
//
// Its answer goes into the hidden check boxes bs_white, bs_letrun, bs_stop and bs_delete of
// the main window.
#pragma once
#include "core/DecisionDlg.h"

class TbadSoftwareDlg : public TDecisionDlg {
public:
    explicit TbadSoftwareDlg(Teditor* owner);

    TRadioButton *lbs_letrun = nullptr, *lbs_stop = nullptr;   // the roads: let it run, or stop it
    TCheckBox *lbs_white = nullptr, *lbs_delete = nullptr;     // with them: White List, Trashcan

protected:
    std::vector<TRoad> Roads() const override;
    void WriteAnswer() override;
};

void RegisterBadSoftwareDlgClasses();
