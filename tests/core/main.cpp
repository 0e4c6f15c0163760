// tests/core/main.cpp -- the test program's application object, as a program body makes it
#include <gtest/gtest.h>

#include "desktop/Application.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    TApplication app;
    Application = &app;
    app.Initialize();
    app.SetTitle("core_tests");
    int result = RUN_ALL_TESTS();
    Application = nullptr;
    return result;
}
