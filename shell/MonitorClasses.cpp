// shell/MonitorClasses.cpp -- RegisterMonitorClasses: the registry and folder monitors and the
// thread components, in order; each class's file holds its own property table
#include "shell/MonitorClasses.h"

#include "desktop/Classes.h"
#include "shell/sxFolderMonitor.h"
#include "shell/sxRegistryMonitor.h"
#include "shell/sxThreadComponent.h"
#include "shell/sxThreadTimer.h"

// Safe to call more than once: a class registered already is left as it is.
void RegisterMonitorClasses() {
    RegisterDesktopClasses();
    if (!FindClassInfo("TsxFolderMonitor")) RegisterFolderMonitorClasses();
    if (!FindClassInfo("TsxRegistryMonitor")) RegisterRegistryMonitorClasses();
    if (!FindClassInfo("TsxThreadTimer")) {
        RegisterThreadComponentClasses();
        RegisterThreadTimerClasses();
    }
}
