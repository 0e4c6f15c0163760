// shell/sxShellIcon.cpp -- ExtractShellIcon over ExtractIconExA
#include "shell/sxShellIcon.h"

#include <windows.h>
#include <shellapi.h>

#include "desktop/Image.h"
#include "shell/sxSysUtils.h"

bool ExtractShellIcon(int index, TPicture* largeOut, TPicture* smallOut) {
    HICON large = nullptr, small = nullptr;
    std::string library = SystemFolder() + "shell32.dll";
    // Only the icons a picture waits for are asked for, so none is left over to destroy.
    if (largeOut || smallOut) {
        UINT extracted =
            ExtractIconExA(library.c_str(), index, largeOut ? &large : nullptr, smallOut ? &small : nullptr, 1);
        // Only a count above 0 makes the handles icons: on a miss Wine leaves stack garbage in them.
        if (extracted == 0) large = small = nullptr;
    }
    if (largeOut) largeOut->SetIcon(large);
    if (smallOut) smallOut->SetIcon(small);
    return (!largeOut || large) && (!smallOut || small);
}
