// core/BadSoftwareDlg.h -- TbadSoftwareDlg: let a running black-listed program run, or stop it
//
// Modal, closed only by "Ok"; the answer goes into the hidden check boxes bs_white, bs_letrun,
// bs_stop and bs_delete of the main window that owns it.
#pragma once
#include "desktop/Form.h"

class TButton;
class TCheckBox;
class TLabel;
class TRadioButton;
class Teditor;

class TbadSoftwareDlg : public TForm {
public:
    explicit TbadSoftwareDlg(Teditor* owner);

    TLabel* bs_name = nullptr;
    TLabel* bs_path = nullptr;
    TRadioButton* lbs_letrun = nullptr;
    TCheckBox* lbs_white = nullptr;
    TRadioButton* lbs_stop = nullptr;
    TCheckBox* lbs_delete = nullptr;
    TButton* Button18 = nullptr;          // "Ok"

    // Whether "Ok" ended the last dialog of this class; false when the program ended it.
    static bool OkPressed();

    void FormCreate(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);
    void lbs_letrunClick(TObject* sender);
    void lbs_stopClick(TObject* sender);
    void Button18Click(TObject* sender);

private:
    Teditor& FEditor;
};

void RegisterBadSoftwareDlgClasses();
