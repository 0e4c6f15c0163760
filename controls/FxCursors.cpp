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
bool gLoaded = false;

HCURSOR SystemCursor(int id) { return LoadCursorA(nullptr, MAKEINTRESOURCEA(id)); }
constexpr int IdcArrow = 32512, IdcHand = 32649;

} // namespace

void RegisterFxCursors() {
    if (gLoaded) return;
    HINSTANCE module = GetModuleHandleA(nullptr);
    for (TCursorEntry& e : gCursors) {
        e.Handle = LoadCursorA(module, e.ResourceName);
        e.FromResource = e.Handle != nullptr;
        if (!e.Handle) e.Handle = SystemCursor(e.Id == crFxGrabHandArrow ? IdcArrow : IdcHand);
    }
    gLoaded = true;
}

HCURSOR FxCursor(int id) {
    RegisterFxCursors();
    for (const TCursorEntry& e : gCursors)
        if (e.Id == id) return e.Handle;
    return SystemCursor(IdcArrow);
}

bool FxCursorFromResource(int id) {
    RegisterFxCursors();
    for (const TCursorEntry& e : gCursors)
        if (e.Id == id) return e.FromResource;
    return false;
}
