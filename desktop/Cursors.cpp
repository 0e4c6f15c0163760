// desktop/Cursors.cpp -- the screen's cursor table
#include "Cursors.h"

HCURSOR ScreenCursor(int index) {
    static const struct { int Index; LPCSTR Id; } table[] = {
        {crArrow, IDC_ARROW}, {crCross, IDC_CROSS}, {crIBeam, IDC_IBEAM}, {crSizeNESW, IDC_SIZENESW},
        {crSizeNS, IDC_SIZENS}, {crSizeNWSE, IDC_SIZENWSE}, {crSizeWE, IDC_SIZEWE}, {crUpArrow, IDC_UPARROW},
        {crHourGlass, IDC_WAIT}, {crNo, IDC_NO}, {crAppStart, IDC_APPSTARTING}, {crHelp, IDC_HELP},
        {crHandPoint, IDC_HAND}, {crSizeAll, IDC_SIZEALL},
    };
    if (index == crNone) return nullptr;
    for (const auto& entry : table)
        if (entry.Index == index) return LoadCursorA(nullptr, entry.Id);
    return LoadCursorA(nullptr, IDC_ARROW);
}
