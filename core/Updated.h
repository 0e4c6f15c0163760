// core/Updated.h -- Tupdated: the update-finishing window, created once the start-up has run and never shown
#pragma once
#include "desktop/Form.h"

class Tupdated : public TForm {
public:
    explicit Tupdated(TComponent* owner);
};

void RegisterUpdatedClasses();
