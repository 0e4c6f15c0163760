// desktop/Message.h -- TMessage: one window message as a window procedure receives it, with room
// for its result
#pragma once
#include <windows.h>

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};
