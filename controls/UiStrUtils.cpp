// controls/UiStrUtils.cpp
#include "UiStrUtils.h"

#include <windows.h>

#include "desktop/SysUtils.h"

std::string ChangedText(const std::string& text, int selStart, int selLength, char ch) {
    std::string result = text;
    size_t start = selStart < 0 ? 0 : static_cast<size_t>(selStart);
    if (start > result.size()) start = result.size();
    if (selLength > 0) result.erase(start, static_cast<size_t>(selLength));
    if (ch != '\0') result.insert(start, 1, ch);
    return result;
}

void CheckOSResult(bool success) {
    if (!success) throw EWin32Error("System call", GetLastError());
}
