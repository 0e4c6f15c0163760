// shell/TrayClasses.cpp -- RegisterTrayClasses: the timer base and the tray icon for window
// descriptions, in order; each class's file holds its own property table
#include "desktop/Classes.h"
#include "shell/sxCustomTimer.h"
#include "shell/sxTrayIcon.h"

void RegisterTrayClasses() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    RegisterDesktopClasses();
    // Registered before any icon exists, so the first broadcast after a shell restart is understood.
    TaskbarCreatedMessage();
    RegisterCustomTimerClass();
    RegisterTrayIconClass();
}
