// core/NewSoftwareDlg.h -- TnewSoftwareDlg: keep a new autostart program or remove it
//
// Modal, closed only by "Ok"; the answer goes into the hidden check boxes ns_keep, ns_black
// and ns_delete of the main window that owns it.
#pragma once
#include "desktop/Form.h"

class TButton;
class TCheckBox;
class TLabel;
class TRadioButton;
class Teditor;

class TnewSoftwareDlg : public TForm {
public:
    explicit TnewSoftwareDlg(Teditor* owner);

    TLabel* ns_name = nullptr;
    TLabel* ns_path = nullptr;
    TRadioButton* lns_keep = nullptr;
    TRadioButton* ns_notkeep = nullptr;
    TCheckBox* lns_black = nullptr;
    TCheckBox* lns_delete = nullptr;
    TButton* Button18 = nullptr;          // "Ok"

    // Whether "Ok" ended the last dialog of this class; false when the program ended it.
    static bool OkPressed();

    void FormCreate(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);
    void lns_keepClick(TObject* sender);
    void ns_notkeepClick(TObject* sender);
    void Button18Click(TObject* sender);

private:
    Teditor& FEditor;
};

void RegisterNewSoftwareDlgClasses();
