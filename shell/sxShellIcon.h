// shell/sxShellIcon.h -- ExtractShellIcon: one of the icons of the system's shell32.dll
#pragma once

class TPicture;

// Extracts the large and the small icon at index from shell32.dll in the system folder into
// the pictures given (either may be null; each takes ownership of its icon, and is emptied
// when there is none). false: a given picture got no icon (an index beyond the library's
// icons, or no library).
bool ExtractShellIcon(int index, TPicture* largeOut, TPicture* smallOut);
