// desktop/Cursors.cpp -- the screen's cursor table
#include "Cursors.h"

namespace {

// A shared system cursor, looked up once: each LoadCursor asks the window server about the
// display under Wine, and a cursor is set at every mouse move.
HCURSOR Shared(LPCSTR id, HCURSOR& cached) {
    if (!cached) cached = LoadCursorA(nullptr, id);
    return cached;
}

} // namespace

HCURSOR ScreenCursor(int index) {
    static const struct { int Index; LPCSTR Id; } table[] = {
        {crArrow, IDC_ARROW}, {crCross, IDC_CROSS}, {crIBeam, IDC_IBEAM}, {crSizeNESW, IDC_SIZENESW},
        {crSizeNS, IDC_SIZENS}, {crSizeNWSE, IDC_SIZENWSE}, {crSizeWE, IDC_SIZEWE}, {crUpArrow, IDC_UPARROW},
        {crHourGlass, IDC_WAIT}, {crNo, IDC_NO}, {crAppStart, IDC_APPSTARTING}, {crHelp, IDC_HELP},
        {crHandPoint, IDC_HAND}, {crSizeAll, IDC_SIZEALL},
    };
    static HCURSOR handles[sizeof(table) / sizeof(table[0])] = {};
    if (index == crNone) return nullptr;
    for (size_t i = 0; i < sizeof(table) / sizeof(table[0]); ++i)
        if (table[i].Index == index) return Shared(table[i].Id, handles[i]);
    return Shared(IDC_ARROW, handles[0]);
}
