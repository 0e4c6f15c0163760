// controls/UiPageControl.cpp
#include "UiPageControl.h"
#include "ControlPropertiesP.h"

#include <commctrl.h>

namespace {
constexpr int PlatformBorderWidth = 4;
bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }
} // namespace

TUiPageControl::TUiPageControl(TComponent* owner) : TPageControl(owner) {}

void TUiPageControl::SetClientBorderWidth(int value) {
    if (value == FClientBorderWidth) return;
    FClientBorderWidth = value;
    // The pages are placed through TCM_ADJUSTRECT, which now answers differently.
    if (FHandle) { RECT r; GetClientRect(FHandle, &r); SendMessageA(FHandle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.right, r.bottom)); }
}

void TUiPageControl::SetDrawTabShadow(bool value) {
    if (value == FDrawTabShadow) return;
    FDrawTabShadow = value;
    Invalidate();
}

void TUiPageControl::SetHideAllTabs(bool value) {
    FHideAllTabs = value;
    if (IsDesigning() || IsLoading() || !FHandle) return;
    ApplyHideAllTabs();
}

void TUiPageControl::ApplyHideAllTabs() {
    TTabSheet* active = ActivePage();
    for (int i = 0; i < PageCount(); ++i) Pages(i)->SetTabVisible(!FHideAllTabs);
    SetActivePage(active);
    if (FHideAllTabs) SetTabStop(false);
}

void TUiPageControl::Loaded() {
    TPageControl::Loaded();
    if (FHideAllTabs && !IsDesigning()) ApplyHideAllTabs();
}

bool TUiPageControl::CyclePage(bool forward) {
    int n = PageCount();
    if (n == 0) return false;
    int start = ActivePageIndex();
    int i = start;
    TTabSheet* found = nullptr;
    for (int step = 0; step < n; ++step) {
        i = start < 0 && step == 0 ? (forward ? 0 : n - 1) : ((forward ? i + 1 : i - 1) % n + n) % n;
        if (i == start) break;
        TTabSheet* p = Pages(i);
        if (p->TabVisible() && p->Enabled()) { found = p; break; }
    }
    // No page with a visible, enabled tab (all tabs hidden, say): nothing changes.
    if (!found || found == ActivePage()) return false;
    if (!CanChange()) return false;
    SetActivePage(found);
    Change();
    return true;
}

bool TUiPageControl::IsDisabledTabAt(int x, int y) {
    TCHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    int tab = static_cast<int>(SendMessageA(FHandle, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (tab < 0 || !(hit.flags & (TCHT_ONITEMICON | TCHT_ONITEMLABEL))) return false;
    for (int i = 0; i < PageCount(); ++i)
        if (Pages(i)->TabIndex() == tab) return !Pages(i)->Enabled();
    return false;
}

LRESULT TUiPageControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE:
        // Let Ctrl+Tab through the dialog manager to this control.
        if (FHandleGlobalTab && KeyDown(VK_CONTROL)) return TPageControl::WndProc(msg, wParam, lParam) | DLGC_WANTTAB;
        break;
    case WM_KEYDOWN:
        if (FHandleGlobalTab && wParam == VK_TAB && KeyDown(VK_CONTROL)) {
            CyclePage(!KeyDown(VK_SHIFT));
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        if (!IsDesigning() && IsDisabledTabAt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))))
            return 0;
        break;
    case TCM_ADJUSTRECT: {
        LRESULT r = TPageControl::WndProc(msg, wParam, lParam);
        if (!wParam && FClientBorderWidth != PlatformBorderWidth && lParam) {
            int grow = PlatformBorderWidth - FClientBorderWidth;
            InflateRect(reinterpret_cast<RECT*>(lParam), grow, grow);
        }
        return r;
    }
    case WM_MOUSEMOVE:
        if (FHover.Moved(FHandle) && !IsDesigning() && OnMouseEnter) OnMouseEnter(this);
        break;
    case WM_MOUSELEAVE:
        if (FHover.Left() && OnMouseLeave) OnMouseLeave(this);
        break;
    default:
        break;
    }
    return TPageControl::WndProc(msg, wParam, lParam);
}

// ---- for window descriptions

void RegisterUiPageControlClass() {
    using namespace controls_internal;
    TClassRegistration<TUiPageControl>("TUiPageControl", "TPageControl")
        .Bool("HandleGlobalTab", &TUiPageControl::SetHandleGlobalTab)
        .Int("ClientBorderWidth", &TUiPageControl::SetClientBorderWidth)
        .Bool("DrawTabShadow", &TUiPageControl::SetDrawTabShadow)
        .Bool("HideAllTabs", &TUiPageControl::SetHideAllTabs)
        .Custom("HintColor", ColorProperty(&TUiPageControl::SetHintColor))
        .Event<TNotifyEvent>("OnMouseEnter", &TUiPageControl::SetOnMouseEnter)
        .Event<TNotifyEvent>("OnMouseLeave", &TUiPageControl::SetOnMouseLeave);
}
