// desktop/ClassList.cpp -- registers every class of this library for window descriptions
#include "Classes.h"
#include "ClassList.h"

void RegisterDesktopClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterControlClasses();
    RegisterFormClasses();
    RegisterStandardControlClasses();
    RegisterMenuAndDialogClasses();
    RegisterScrollBoxClass();
}
