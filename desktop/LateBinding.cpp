// desktop/LateBinding.cpp -- BindLate
#include "desktop/LateBinding.h"

FARPROC BindLate(const char* module, const char* function) noexcept {
    // Loaded once: later calls find it in the process and add no reference.
    HMODULE handle = GetModuleHandleA(module);
    if (!handle) handle = LoadLibraryA(module);
    return handle ? GetProcAddress(handle, function) : nullptr;
}
