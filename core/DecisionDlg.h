// core/DecisionDlg.h -- TDecisionDlg: what the two decision dialogs of the scan share
//
// Modal, with no close box, and closed only by "Ok" (Button18): a close from the system menu or
// the keyboard is refused until "Ok" has set the Ok-pressed flag of the dialog's own unit, which
// FormCreate clears. It names one program, by file name and folder, and offers two roads (radio
// buttons), each enabling or disabling the check boxes that go with it. "Ok" writes the answer
// into hidden check boxes of the main window that owns it, which reads them once it is gone.
#pragma once
#include <string>
#include <vector>

#include "desktop/Classes.h"
#include "desktop/Form.h"

class TButton;
class TCheckBox;
class TLabel;
class TRadioButton;
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
    // OnClick of a road's radio button: once it is chosen, the boxes of the road are enabled or
    // disabled; their ticks stay as they are.
    void RoadClick(TObject* sender);

protected:
    struct TRoad {
        TRadioButton* Choice;
        std::vector<std::pair<TCheckBox*, bool>> Boxes;   // the box, and whether this road enables it
    };

    // okPressed: the flag of the dialog's unit, shared by every dialog of its class.
    TDecisionDlg(Teditor* owner, bool& okPressed);
    Teditor& Editor() const noexcept { return FEditor; }
    virtual std::vector<TRoad> Roads() const = 0;
    // The answer, copied into the main window's hidden check boxes when "Ok" is clicked.
    virtual void WriteAnswer() = 0;

private:
    Teditor& FEditor;
    bool& FOkPressed;
};

// Registers TDecisionDlg (not creatable by a description) with what every description binds.
void RegisterDecisionDlgClass();

// Registers a decision dialog's class: the description names of its two labels and the OnClick
// handlers of its roads. The caller adds the dialog's own fields.
template <class TDialog>
TClassRegistration<TDialog> RegisterDecisionDlg(const std::string& className, const std::string& nameLabel,
                                                const std::string& folderLabel,
                                                const std::vector<std::string>& roadClicks) {
    RegisterDecisionDlgClass();
    TClassRegistration<TDialog> registration(className, "TDecisionDlg");
    registration.Field(nameLabel, static_cast<TLabel* TDialog::*>(&TDecisionDlg::ProgramName))
        .Field(folderLabel, static_cast<TLabel* TDialog::*>(&TDecisionDlg::ProgramFolder));
    for (const std::string& handler : roadClicks)
        registration.Handler(handler, static_cast<void (TDialog::*)(TObject*)>(&TDecisionDlg::RoadClick));
    return registration;
}
