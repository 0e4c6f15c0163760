// controls/FxCursors.h -- the five hand cursors of the styled controls, by cursor id
//
// Each is a 32 x 32 monochrome CURSOR resource of the program (controls/res/*.cur, named
// FX_HANDPOINT ...). A program built without them gets the system hand or arrow instead.
#pragma once
#include <windows.h>

constexpr int crDefault = 0;
constexpr int crFxHandPoint = 15000;
constexpr int crFxSmallHandPoint = 15001;
constexpr int crFxGrabHand = 15002;
constexpr int crFxGrabHandArrow = 15003;
constexpr int crFxDragHand = 15004;

HCURSOR FxCursor(int id);                 // shared handle, loaded at the first call, never destroyed;
                                          // the arrow for unknown ids
bool FxCursorFromResource(int id);        // true when id's image came from the program's resources
