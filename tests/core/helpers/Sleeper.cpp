// tests/core/helpers/Sleeper.cpp -- sxsleeper.exe: a program that only runs until it is stopped
//
// The tests copy it under other names and folders to have real processes to list,
// stop and trash. A GUI-subsystem program, so no console window comes with it.
// With a number as first argument it ends by itself after that many milliseconds.
#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    DWORD ms = INFINITE;
    if (__argc > 1) ms = static_cast<DWORD>(std::strtoul(__argv[1], nullptr, 10));
    Sleep(ms);
    return 0;
}
