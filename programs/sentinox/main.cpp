// programs/sentinox/main.cpp -- the main program's body
#include <windows.h>

#include "controls/ControlClasses.h"
#include "controls/RichTextModule.h"
#include "core/Editor.h"
#include "core/Updated.h"
#include "desktop/Application.h"
#include "desktop/Classes.h"
#include "desktop/SysUtils.h"
#include "shared/SharedClasses.h"
#include "shell/MonitorClasses.h"
#include "shell/ShellComponentClasses.h"
#include "shell/ShellUtilityClasses.h"
#include "shell/sxOneInstance.h"
#include "shell/sxTrayIcon.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Module start-up, before any window: the rich-edit library with the rich-text clipboard
    // formats (freed after the last window), then the control family's classes.
    TRichTextModuleScope richText;
    TApplication app;
    Application = &app;
    try {
        RegisterDesktopClasses();
        RegisterFxControlClasses();
        app.Initialize();
        // Every other class the window descriptions name, folder by folder, the window classes last.
        RegisterSharedClasses();
        RegisterShellUtilityClasses();
        RegisterTrayClasses();
        RegisterMonitorClasses();
        RegisterShellComponentClasses();
        RegisterCoreClasses();
        app.SetTitle("Sentinox");
        // A second copy ends here, before a window of its own exists; in the first one the main
        // window's guard `once` then finds no other instance.
        if (CheckOneInstance()) return 0;
        app.CreateForm<Teditor>();
        // Never shown: made once the start-up sequence has run.
        app.CreateFormWhenIdle<Tupdated>();
        app.Run();
    } catch (...) {
        HandleCallbackException();
        return 1;
    }
    return 0;
}
