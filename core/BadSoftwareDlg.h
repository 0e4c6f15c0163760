// core/BadSoftwareDlg.h -- TbadSoftwareDlg: let a running black-listed program run, or stop it
//
// Its answer goes into the hidden check boxes bs_white, bs_letrun, bs_stop and bs_delete of
// the main window.
#pragma once
#include "core/DecisionDlg.h"

class TCheckBox;
class TRadioButton;

class TbadSoftwareDlg : public TDecisionDlg {
public:
    explicit TbadSoftwareDlg(Teditor* owner);

    TRadioButton* lbs_letrun = nullptr;
    TCheckBox* lbs_white = nullptr;
    TRadioButton* lbs_stop = nullptr;
    TCheckBox* lbs_delete = nullptr;

    void lbs_letrunClick(TObject* sender);
    void lbs_stopClick(TObject* sender);

protected:
    void WriteAnswer() override;
};

void RegisterBadSoftwareDlgClasses();
