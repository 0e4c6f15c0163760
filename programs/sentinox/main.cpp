// programs/sentinox/main.cpp -- the main program's body
#include <windows.h>

#include "controls/ControlClasses.h"
#include "core/Editor.h"
#include "core/Updated.h"
#include "desktop/Application.h"
#include "desktop/SysUtils.h"
#include "shared/SharedClasses.h"
#include "shell/ShellComponentClasses.h"
#include "shell/ShellUtilityClasses.h"
#include "shell/sxTrayIcon.h"

void RegisterMonitorClasses();  // shell/MonitorClasses.cpp

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    TApplication app;
    Application = &app;
    try {
        app.Initialize();
        // Every class the window descriptions name, folder by folder, the window classes last.
        RegisterSharedClasses();
        RegisterShellUtilityClasses();
        RegisterTrayClasses();
        RegisterMonitorClasses();
        RegisterShellComponentClasses();
        RegisterFxControlClasses();
        RegisterCoreClasses();
        app.SetTitle("Sentinox");
        app.CreateForm<Teditor>();
        app.CreateForm<Tupdated>();
        app.Run();
    } catch (...) {
        HandleCallbackException();
        return 1;
    }
    return 0;
}
