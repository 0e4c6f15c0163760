// core/BadSoftwareDlg.cpp -- TbadSoftwareDlg
#include "core/BadSoftwareDlg.h"

#include "core/Editor.h"
#include "desktop/Button.h"
#include "desktop/CheckBox.h"
#include "desktop/Classes.h"
#include "desktop/Label.h"

namespace {

// Set by "Ok" only: a close from the system menu or the keyboard is refused while it is clear.
bool gBadSoftwareOkPressed = false;

} // namespace

TbadSoftwareDlg::TbadSoftwareDlg(Teditor* owner) : TForm(owner), FEditor(*owner) { InitDescription("TbadSoftwareDlg"); }

bool TbadSoftwareDlg::OkPressed() { return gBadSoftwareOkPressed; }

void TbadSoftwareDlg::FormCreate(TObject*) { gBadSoftwareOkPressed = false; }

void TbadSoftwareDlg::FormCloseQuery(TObject*, bool& canClose) { canClose = gBadSoftwareOkPressed; }

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

void TbadSoftwareDlg::Button18Click(TObject*) {
    gBadSoftwareOkPressed = true;
    // All four, enabled or not: the main window reads only what belongs to the chosen road.
    FEditor.bs_white->SetChecked(lbs_white->Checked());
    FEditor.bs_letrun->SetChecked(lbs_letrun->Checked());
    FEditor.bs_stop->SetChecked(lbs_stop->Checked());
    FEditor.bs_delete->SetChecked(lbs_delete->Checked());
    // The modal loop asks FormCloseQuery before it lets go. A modal result, unlike Close(),
    // also wakes a loop that is waiting for messages: a click sent from another process
    // (a test driver, an accessibility tool) brings no posted message after it.
    SetModalResult(mrOk);
}

void RegisterBadSoftwareDlgClasses() {
    TClassRegistration<TbadSoftwareDlg>("TbadSoftwareDlg", "TForm")
        .Field("bs_name", &TbadSoftwareDlg::bs_name)
        .Field("bs_path", &TbadSoftwareDlg::bs_path)
        .Field("lbs_letrun", &TbadSoftwareDlg::lbs_letrun)
        .Field("lbs_white", &TbadSoftwareDlg::lbs_white)
        .Field("lbs_stop", &TbadSoftwareDlg::lbs_stop)
        .Field("lbs_delete", &TbadSoftwareDlg::lbs_delete)
        .Field("Button18", &TbadSoftwareDlg::Button18)
        .Handler("FormCreate", &TbadSoftwareDlg::FormCreate)
        .Handler("FormCloseQuery", &TbadSoftwareDlg::FormCloseQuery)
        .Handler("lbs_letrunClick", &TbadSoftwareDlg::lbs_letrunClick)
        .Handler("lbs_stopClick", &TbadSoftwareDlg::lbs_stopClick)
        .Handler("Button18Click", &TbadSoftwareDlg::Button18Click);
}
