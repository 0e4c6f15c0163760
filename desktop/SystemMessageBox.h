// desktop/SystemMessageBox.h -- the platform's message box (MessageBoxA), off the screen at once
// when answered
#pragma once
#include <windows.h>

#include <string>

// MessageBoxA, but the box is taken off the screen by its destruction instead of a hide first:
// Wine, hiding a window that a window manager looks after, waits up to 2 s for the manager's
// word (never given on a bare X server), with the answered box still on the screen. Its answer.
int SystemMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);
