// shell/ShellUtilityClasses.cpp -- the shell utility components, registered in order; each
// class's file holds its own property table
#include "ShellUtilityClasses.h"

#include "desktop/ApplicationEvents.h"
#include "desktop/Classes.h"
#include "sxApplicationProperties.h"
#include "sxAutoRun.h"
#include "sxOneInstance.h"
#include "sxShutdown.h"
#include "sxSysUtils.h"

void RegisterShellUtilityClasses() {
    RegisterDesktopClasses();
    RegisterApplicationEventsClasses();
    RegisterClassesIfMissing({
        {"TsxAutoRun", &RegisterAutoRunClass},
        {"TsxOneInstance", &RegisterOneInstanceClass},
        {"TsxShutdown", &RegisterShutdownClass},
        {"TsxApplicationProperties", &RegisterApplicationPropertiesClass},
    });
}
