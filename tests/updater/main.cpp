// tests/updater/main.cpp -- the test program's application object, as the updater's body makes it
#include <gtest/gtest.h>
#include <windows.h>

#include "desktop/Application.h"
#include "updater/Main.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // A user key of the tests' own: their settings file cannot be taken for a real user's.
    SetEnvironmentVariableA("SENTINOX_TEST_USERNAME", "sxUpdaterTest");
    TApplication app;
    Application = &app;
    app.Initialize();
    RegisterUpdaterClasses();
    app.SetTitle("Update");
    int result = RUN_ALL_TESTS();
    Application = nullptr;
    return result;
}
