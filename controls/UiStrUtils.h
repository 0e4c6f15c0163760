// controls/UiStrUtils.h -- the text an edit would hold after a key, and the OS-result check
#pragma once
#include <string>

// text with selLength characters removed at selStart (0-based) and ch inserted there (not when ch is 0).
std::string ChangedText(const std::string& text, int selStart, int selLength, char ch);
void CheckOSResult(bool success);         // false: throws EWin32Error with GetLastError()
