// core/BadSoftwareDlg.cpp -- TbadSoftwareDlg
#include "core/BadSoftwareDlg.h"

#include "core/Editor.h"
#include "desktop/CheckBox.h"
#include "desktop/Classes.h"
#include "desktop/Label.h"

namespace {

bool gBadSoftwareOkPressed = false;

} // namespace

TbadSoftwareDlg::TbadSoftwareDlg(Teditor* owner) : TDecisionDlg(owner, gBadSoftwareOkPressed) {
    InitDescription("TbadSoftwareDlg");
}

void TbadSoftwareDlg::lbs_letrunClick(TObject*) {
    if (!lbs_letrun->Checked()) return;
    lbs_white->SetEnabled(true);
    lbs_delete->SetEnabled(false);
}

void TbadSoftwareDlg::lbs_stopClick(TObject*) {
    if (!lbs_stop->Checked()) return;
    lbs_white->SetEnabled(false);
    lbs_delete->SetEnabled(true);
}

void TbadSoftwareDlg::WriteAnswer() {
    // All four, enabled or not: the main window reads only what belongs to the chosen road.
    Editor().bs_white->SetChecked(lbs_white->Checked());
    Editor().bs_letrun->SetChecked(lbs_letrun->Checked());
    Editor().bs_stop->SetChecked(lbs_stop->Checked());
    Editor().bs_delete->SetChecked(lbs_delete->Checked());
}

void RegisterBadSoftwareDlgClasses() {
    RegisterDecisionDlgClass();
    TClassRegistration<TbadSoftwareDlg>("TbadSoftwareDlg", "TDecisionDlg")
        .Field<TLabel>("bs_name", &TDecisionDlg::ProgramName)
        .Field<TLabel>("bs_path", &TDecisionDlg::ProgramFolder)
        .Field("lbs_letrun", &TbadSoftwareDlg::lbs_letrun)
        .Field("lbs_white", &TbadSoftwareDlg::lbs_white)
        .Field("lbs_stop", &TbadSoftwareDlg::lbs_stop)
        .Field("lbs_delete", &TbadSoftwareDlg::lbs_delete)
        .Handler("lbs_letrunClick", &TbadSoftwareDlg::lbs_letrunClick)
        .Handler("lbs_stopClick", &TbadSoftwareDlg::lbs_stopClick);
}
