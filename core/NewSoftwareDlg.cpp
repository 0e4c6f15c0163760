// core/NewSoftwareDlg.cpp -- TnewSoftwareDlg
#include "core/NewSoftwareDlg.h"

#include "core/Editor.h"
#include "desktop/CheckBox.h"
#include "desktop/Classes.h"
#include "desktop/Label.h"

namespace {

bool gNewSoftwareOkPressed = false;

} // namespace

TnewSoftwareDlg::TnewSoftwareDlg(Teditor* owner) : TDecisionDlg(owner, gNewSoftwareOkPressed) {
    InitDescription("TnewSoftwareDlg");
}

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

void TnewSoftwareDlg::WriteAnswer() {
    Editor().ns_keep->SetChecked(lns_keep->Checked());
    if (ns_notkeep->Checked()) {
        Editor().ns_black->SetChecked(lns_black->Checked());
        Editor().ns_delete->SetChecked(lns_delete->Checked());
    }
}

void RegisterNewSoftwareDlgClasses() {
    RegisterDecisionDlgClass();
    TClassRegistration<TnewSoftwareDlg>("TnewSoftwareDlg", "TDecisionDlg")
        .Field<TLabel>("ns_name", &TDecisionDlg::ProgramName)
        .Field<TLabel>("ns_path", &TDecisionDlg::ProgramFolder)
        .Field("lns_keep", &TnewSoftwareDlg::lns_keep)
        .Field("ns_notkeep", &TnewSoftwareDlg::ns_notkeep)
        .Field("lns_black", &TnewSoftwareDlg::lns_black)
        .Field("lns_delete", &TnewSoftwareDlg::lns_delete)
        .Handler("lns_keepClick", &TnewSoftwareDlg::lns_keepClick)
        .Handler("ns_notkeepClick", &TnewSoftwareDlg::ns_notkeepClick);
}
