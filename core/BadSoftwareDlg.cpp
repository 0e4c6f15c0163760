// core/BadSoftwareDlg.cpp -- TbadSoftwareDlg
#include "core/BadSoftwareDlg.h"

#include "core/Editor.h"
#include "desktop/CheckBox.h"

namespace {

bool gBadSoftwareOkPressed = false;

} // namespace

TbadSoftwareDlg::TbadSoftwareDlg(Teditor* owner) : TDecisionDlg(owner, gBadSoftwareOkPressed) {
    InitDescription("TbadSoftwareDlg");
}

void TbadSoftwareDlg::WriteAnswer() {
    // All four, enabled or not: the main window reads only what belongs to the chosen road.
    Editor().bs_white->SetChecked(lbs_white->Checked());
    Editor().bs_letrun->SetChecked(lbs_letrun->Checked());
    Editor().bs_stop->SetChecked(lbs_stop->Checked());
    Editor().bs_delete->SetChecked(lbs_delete->Checked());
}

std::vector<TDecisionDlg::TRoad> TbadSoftwareDlg::Roads() const {
    return {{lbs_letrun, {{lbs_white, true}, {lbs_delete, false}}},
            {lbs_stop, {{lbs_white, false}, {lbs_delete, true}}}};
}

void RegisterBadSoftwareDlgClasses() {
    RegisterDecisionDlg<TbadSoftwareDlg>("TbadSoftwareDlg", "bs_name", "bs_path", {"lbs_letrunClick", "lbs_stopClick"})
        .Field("lbs_letrun", &TbadSoftwareDlg::lbs_letrun)
        .Field("lbs_white", &TbadSoftwareDlg::lbs_white)
        .Field("lbs_stop", &TbadSoftwareDlg::lbs_stop)
        .Field("lbs_delete", &TbadSoftwareDlg::lbs_delete);
}
