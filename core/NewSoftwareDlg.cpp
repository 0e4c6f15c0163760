// core/NewSoftwareDlg.cpp -- TnewSoftwareDlg
#include "core/NewSoftwareDlg.h"

#include "core/Editor.h"
#include "desktop/Button.h"
#include "desktop/CheckBox.h"
#include "desktop/Classes.h"
#include "desktop/Label.h"

namespace {

// Set by "Ok" only: a close from the system menu or the keyboard is refused while it is clear.
bool gNewSoftwareOkPressed = false;

} // namespace

TnewSoftwareDlg::TnewSoftwareDlg(Teditor* owner) : TForm(owner), FEditor(*owner) { InitDescription("TnewSoftwareDlg"); }

bool TnewSoftwareDlg::OkPressed() { return gNewSoftwareOkPressed; }

void TnewSoftwareDlg::FormCreate(TObject*) { gNewSoftwareOkPressed = false; }

void TnewSoftwareDlg::FormCloseQuery(TObject*, bool& canClose) { canClose = gNewSoftwareOkPressed; }

void TnewSoftwareDlg::lns_keepClick(TObject*) {
    // The ticks stay as they are; only "Remove from autostart" reads them.
    if (!lns_keep->Checked()) return;
    lns_black->SetEnabled(false);
    lns_delete->SetEnabled(false);
}

void TnewSoftwareDlg::ns_notkeepClick(TObject*) {
    if (!ns_notkeep->Checked()) return;
    lns_black->SetEnabled(true);
    lns_delete->SetEnabled(true);
}

void TnewSoftwareDlg::Button18Click(TObject*) {
    FEditor.ns_keep->SetChecked(lns_keep->Checked());
    if (ns_notkeep->Checked()) {
        FEditor.ns_black->SetChecked(lns_black->Checked());
        FEditor.ns_delete->SetChecked(lns_delete->Checked());
    }
    gNewSoftwareOkPressed = true;
    // The modal loop asks FormCloseQuery before it lets go. A modal result, unlike Close(),
    // also wakes a loop that is waiting for messages: a click sent from another process
    // (a test driver, an accessibility tool) brings no posted message after it.
    SetModalResult(mrOk);
}

void RegisterNewSoftwareDlgClasses() {
    TClassRegistration<TnewSoftwareDlg>("TnewSoftwareDlg", "TForm")
        .Field("ns_name", &TnewSoftwareDlg::ns_name)
        .Field("ns_path", &TnewSoftwareDlg::ns_path)
        .Field("lns_keep", &TnewSoftwareDlg::lns_keep)
        .Field("ns_notkeep", &TnewSoftwareDlg::ns_notkeep)
        .Field("lns_black", &TnewSoftwareDlg::lns_black)
        .Field("lns_delete", &TnewSoftwareDlg::lns_delete)
        .Field("Button18", &TnewSoftwareDlg::Button18)
        .Handler("FormCreate", &TnewSoftwareDlg::FormCreate)
        .Handler("FormCloseQuery", &TnewSoftwareDlg::FormCloseQuery)
        .Handler("lns_keepClick", &TnewSoftwareDlg::lns_keepClick)
        .Handler("ns_notkeepClick", &TnewSoftwareDlg::ns_notkeepClick)
        .Handler("Button18Click", &TnewSoftwareDlg::Button18Click);
}
