// programs/sentinox/main.cpp -- the main program's body
#include <windows.h>

#include "core/Editor.h"
#include "core/Updated.h"
#include "desktop/Application.h"
#include "desktop/SysUtils.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    TApplication app;
    Application = &app;
    try {
        app.Initialize();
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
