// core/NewSoftwareDlg.cpp -- TnewSoftwareDlg
#include "core/NewSoftwareDlg.h"

#include "core/Editor.h"
#include "desktop/CheckBox.h"

namespace {

bool gNewSoftwareOkPressed = false;

} // namespace

TnewSoftwareDlg::TnewSoftwareDlg(Teditor* owner) : TDecisionDlg(owner, gNewSoftwareOkPressed) {
    InitDescription("TnewSoftwareDlg");
}

// Keeping greys the boxes out with their ticks; only "Remove from autostart" reads them.
std::vector<TDecisionDlg::TRoad> TnewSoftwareDlg::Roads() const {
    return {{lns_keep, {{lns_black, false}, {lns_delete, false}}},
            {ns_notkeep, {{lns_black, true}, {lns_delete, true}}}};
}

void TnewSoftwareDlg::WriteAnswer() {
    Editor().ns_keep->SetChecked(lns_keep->Checked());
    if (ns_notkeep->Checked()) {
        Editor().ns_black->SetChecked(lns_black->Checked());
        Editor().ns_delete->SetChecked(lns_delete->Checked());
    }
}

void RegisterNewSoftwareDlgClasses() {
    RegisterDecisionDlg<TnewSoftwareDlg>("TnewSoftwareDlg", "ns_name", "ns_path", {"lns_keepClick", "ns_notkeepClick"})
        .Field("lns_keep", &TnewSoftwareDlg::lns_keep)
        .Field("ns_notkeep", &TnewSoftwareDlg::ns_notkeep)
        .Field("lns_black", &TnewSoftwareDlg::lns_black)
        .Field("lns_delete", &TnewSoftwareDlg::lns_delete);
}
