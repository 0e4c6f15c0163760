// controls/FxCursors.cpp -- the cursor table
#include "FxCursors.h"

namespace {

struct TCursorEntry {
    int Id;
    const char* ResourceName;
    HCURSOR Handle;
    bool FromResource;
};

TCursorEntry gCursors[] = {
    {crFxHandPoint, "FX_HANDPOINT", nullptr, false},
    {crFxSmallHandPoint, "FX_SMALLHANDPOINT", nullptr, false},
    {crFxGrabHand, "FX_GRABHAND", nullptr, false},
    {crFxGrabHandArrow, "FX_GRABHANDARROW", nullptr, false},
    {crFxDragHand, "FX_DRAGHAND", nullptr, false},
};

HCURSOR SystemCursor(int id) { return LoadCursorA(nullptr, MAKEINTRESOURCEA(id)); }
constexpr int IdcArrow = 32512, IdcHand = 32649;

// Loaded when first asked for: making a cursor from a resource costs several trips to the
// window server, and most runs never hover a hand-cursor control.
const TCursorEntry* Entry(int id) {
    for (TCursorEntry& e : gCursors) {
        if (e.Id != id) continue;
        if (!e.Handle) {
            e.Handle = LoadCursorA(GetModuleHandleA(nullptr), e.ResourceName);
            e.FromResource = e.Handle != nullptr;
            if (!e.Handle) e.Handle = SystemCursor(e.Id == crFxGrabHandArrow ? IdcArrow : IdcHand);
        }
        return &e;
    }
    return nullptr;
}

} // namespace

HCURSOR FxCursor(int id) {
    const TCursorEntry* e = Entry(id);
    return e ? e->Handle : SystemCursor(IdcArrow);
}

bool FxCursorFromResource(int id) {
    const TCursorEntry* e = Entry(id);
    return e && e->FromResource;
}
