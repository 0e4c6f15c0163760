// core/Updated.cpp -- the update-finishing window
#include "core/Updated.h"

#include "desktop/Classes.h"

Tupdated::Tupdated(TComponent* owner) : TForm(owner) { InitDescription("Tupdated"); }

void RegisterUpdatedClasses() { TClassRegistration<Tupdated>("Tupdated", "TForm"); }
