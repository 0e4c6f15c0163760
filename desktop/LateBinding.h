// desktop/LateBinding.h -- functions of system DLLs bound at their first call, not at load
//
// Every DLL in a program's import table is loaded, with all it imports in turn, before WinMain
// runs. The network, sound, file-dialog and version-resource DLLs serve calls most runs never
// make, and loading them up front was a fifth of the main program's start-up under Wine: their
// users bind the few functions they call through this instead. A DLL bound stays loaded.
#pragma once
#include <windows.h>

// The function, or null when the DLL or the function cannot be had (GetLastError says which).
// Safe from any thread.
FARPROC BindLate(const char* module, const char* function) noexcept;

// Typed: BindLate<decltype(PlaySoundA)>("winmm.dll", "PlaySoundA").
template <class F>
F* BindLate(const char* module, const char* function) noexcept {
    // Through the generic function pointer type, which converts to any other without a warning.
    return reinterpret_cast<F*>(reinterpret_cast<void (*)()>(BindLate(module, function)));
}
