// core/DecisionDlg.h -- TDecisionDlg: what the two decision dialogs of the scan share
//
// Modal, with no close box, and closed only by "Ok" (Button18): a close from the system menu or
// the keyboard is refused until "Ok" has set the Ok-pressed flag of the dialog's own unit, which
// FormCreate clears. It names one program, by file name and folder; "Ok" writes the answer into
// hidden check boxes of the main window that owns it, which reads them once the dialog is gone.
#pragma once
#include "desktop/Form.h"

class TButton;
class TLabel;
class Teditor;

class TDecisionDlg : public TForm {
public:
    // Filled from each dialog's own description names (ns_name and ns_path, bs_name and bs_path).
    TLabel* ProgramName = nullptr;
    TLabel* ProgramFolder = nullptr;
    TButton* Button18 = nullptr;          // "Ok"

    // Whether "Ok" ended the last dialog of this class; false when the program ended it.
    bool OkPressed() const noexcept { return FOkPressed; }

    void FormCreate(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);
    void Button18Click(TObject* sender);

protected:
    // okPressed: the flag of the dialog's unit, shared by every dialog of its class.
    TDecisionDlg(Teditor* owner, bool& okPressed);
    Teditor& Editor() const noexcept { return FEditor; }
    // The answer, copied into the main window's hidden check boxes when "Ok" is clicked.
    virtual void WriteAnswer() = 0;

private:
    Teditor& FEditor;
    bool& FOkPressed;
};

// Registers TDecisionDlg (not creatable by a description) with what both descriptions bind.
void RegisterDecisionDlgClass();
