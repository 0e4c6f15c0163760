// core/DecisionDlg.cpp -- TDecisionDlg
#include "core/DecisionDlg.h"

#include "core/Editor.h"
#include "desktop/Button.h"
#include "desktop/CheckBox.h"
#include "desktop/Label.h"

TDecisionDlg::TDecisionDlg(Teditor* owner, bool& okPressed) : TForm(owner), FEditor(*owner), FOkPressed(okPressed) {}

void TDecisionDlg::FormCreate(TObject*) { FOkPressed = false; }

void TDecisionDlg::FormCloseQuery(TObject*, bool& canClose) { canClose = FOkPressed; }

void TDecisionDlg::Button18Click(TObject*) {
    WriteAnswer();
    FOkPressed = true;
    // The modal loop asks FormCloseQuery before it lets go. A modal result, unlike Close(),
    // also wakes a loop that is waiting for messages: a click sent from another process
    // (a test driver, an accessibility tool) brings no posted message after it.
    SetModalResult(mrOk);
}

void TDecisionDlg::RoadClick(TObject* sender) {
    for (const TRoad& road : Roads()) {
        if (road.Choice != sender || !road.Choice->Checked()) continue;
        for (const auto& [box, enabled] : road.Boxes) box->SetEnabled(enabled);
    }
}

void RegisterDecisionDlgClass() {
    TClassRegistration<TDecisionDlg>("TDecisionDlg", "TForm", true)
        .Field("Button18", &TDecisionDlg::Button18)
        .Handler("FormCreate", &TDecisionDlg::FormCreate)
        .Handler("FormCloseQuery", &TDecisionDlg::FormCloseQuery)
        .Handler("Button18Click", &TDecisionDlg::Button18Click);
}
