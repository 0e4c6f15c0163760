// programs/update/main.cpp -- the updater's body
#include <windows.h>

#include "desktop/Application.h"
#include "desktop/SysUtils.h"
#include "updater/Main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    TApplication app;
    Application = &app;
    try {
        app.Initialize();
        RegisterUpdaterClasses();
        app.SetTitle("Update");
        app.CreateForm<Tmain>();
        app.Run();
    } catch (...) {
        HandleCallbackException();
        return 1;
    }
    return 0;
}
