// updater/Main.h -- Tmain: the updater's window with its five steps
#pragma once
#include "desktop/Form.h"

class TLabel;
class TProgressBar;

class Tmain : public TForm {
public:
    explicit Tmain(TComponent* owner);
    void SetStatus(int step);                      // moves the arrow to the step's row

    TLabel* pos = nullptr;
    TLabel* luser = nullptr;
    TProgressBar* progr = nullptr;
};

void RegisterUpdaterClasses();
