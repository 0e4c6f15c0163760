// desktop/Cursors.h -- the screen's cursor table: the system's cursors under the class library's
// negative cursor indexes (crArrow, crCross, ...)
#pragma once
#include <windows.h>

constexpr int crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6, crSizeNS = -7,
              crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crNo = -18, crAppStart = -19,
              crHelp = -20, crHandPoint = -21, crSizeAll = -22;

// Shared system cursors, never destroyed. crNone gives null (no cursor shown); an index the table
// does not hold gives the arrow, as the default cursor stands in for it.
HCURSOR ScreenCursor(int index);
