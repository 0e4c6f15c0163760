// desktop/PageControl.cpp -- tabbed pages and the progress bar
#include "PageControl.h"

#include <commctrl.h>
#include <algorithm>

#include "SysUtils.h"

// A page's controls get their windows when it is first shown (or code asks for one's handle):
// most pages of a window are never looked at in a session.
TTabSheet::TTabSheet(TComponent* owner) : TControl(owner) {
    SetVisible(false);
    DeferChildren();
}

void TTabSheet::SetVisible(bool value) {
    // Made before the page shows, so it appears whole.
    if (value) CreateDeferredChildren();
    TControl::SetVisible(value);
}

void TTabSheet::CreateWnd() {
    TControl::CreateWnd();
    if (Visible()) CreateDeferredChildren();
}

TTabSheet::~TTabSheet() {
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetParent(TControl* parent) {
    if (FPageControl && FPageControl != parent) FPageControl->RemovePage(this);
    TControl::SetParent(parent);
    auto* pc = dynamic_cast<TPageControl*>(parent);
    if (pc && pc != FPageControl) pc->InsertPage(this);
}

void TTabSheet::SetCaption(const std::string& text) {
    TControl::SetCaption(text);
    if (FPageControl) FPageControl->RebuildTabs();
}

void TTabSheet::SetTabVisible(bool value) {
    if (FTabVisible == value) return;
    FTabVisible = value;
    if (FPageControl) FPageControl->RebuildTabs();
}

int TTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    auto& pages = FPageControl->FPages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

int TTabSheet::TabIndex() const {
    if (!FPageControl || !FTabVisible) return -1;
    int n = 0;
    for (TTabSheet* p : FPageControl->FPages) {
        if (p == this) return n;
        if (p->FTabVisible) ++n;
    }
    return -1;
}

TPageControl::TPageControl(TComponent* owner) : TControl(owner) {
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

void TPageControl::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.ClassName = WC_TABCONTROLA;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (FMultiLine ? TCS_MULTILINE : 0) |
                   (FHotTrack ? TCS_HOTTRACK : 0);
    params.ExStyle = WS_EX_CONTROLPARENT;
}

void TPageControl::CreateWnd() {
    TControl::CreateWnd();
    DWORD style = (FMultiLine ? TCS_MULTILINE : 0) | (FHotTrack ? TCS_HOTTRACK : 0);
    if (style) ApplyStyle(style, 0);
    RebuildTabs();
}

void TPageControl::SetMultiLine(bool value) {
    FMultiLine = value;
    if (value) ApplyStyle(TCS_MULTILINE, 0); else ApplyStyle(0, TCS_MULTILINE);
    PlacePages();
}

void TPageControl::SetHotTrack(bool value) {
    FHotTrack = value;
    if (value) ApplyStyle(TCS_HOTTRACK, 0); else ApplyStyle(0, TCS_HOTTRACK);
}

void TPageControl::InsertPage(TTabSheet* page) {
    page->FPageControl = this;
    FPages.push_back(page);
    if (!FActivePageName.empty() && SameTextAscii(page->Name(), FActivePageName)) FActivePage = page;
    RebuildTabs();
}

void TPageControl::RemovePage(TTabSheet* page) {
    FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
    page->FPageControl = nullptr;
    if (FActivePage == page) FActivePage = nullptr;
    RebuildTabs();
}

void TPageControl::RebuildTabs() {
    if (!FHandle) return;
    SendMessageA(FHandle, TCM_DELETEALLITEMS, 0, 0);
    int n = 0;
    for (TTabSheet* p : FPages) {
        if (!p->FTabVisible) continue;
        std::string text = p->Caption();
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageA(FHandle, TCM_INSERTITEMA, static_cast<WPARAM>(n++), reinterpret_cast<LPARAM>(&item));
    }
    ShowActive();
}

void TPageControl::PlacePages() {
    if (!FHandle) return;
    RECT r;
    GetClientRect(FHandle, &r);
    SendMessageA(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    for (TTabSheet* p : FPages) p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TPageControl::ShowActive() {
    if (!FHandle) return;
    PlacePages();
    int tab = FActivePage ? FActivePage->TabIndex() : -1;
    SendMessageA(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
    for (TTabSheet* p : FPages) p->SetVisible(p == FActivePage);
}

void TPageControl::Resized() { PlacePages(); }

void TPageControl::Loaded() {
    TControl::Loaded();
    ShowActive();
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->FPageControl != this) return;
    FActivePage = page;
    ShowActive();
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? FPages[static_cast<size_t>(index)] : nullptr);
}

TTabSheet* TPageControl::PageForTab(int tabIndex) const {
    for (TTabSheet* p : FPages)
        if (p->TabIndex() == tabIndex && tabIndex >= 0) return p;
    return nullptr;
}

void TPageControl::SelectNextPage(bool forward) {
    std::vector<TTabSheet*> tabs;
    for (TTabSheet* p : FPages) if (p->FTabVisible) tabs.push_back(p);
    if (tabs.empty()) return;
    auto it = std::find(tabs.begin(), tabs.end(), FActivePage);
    int i = it == tabs.end() ? -1 : static_cast<int>(it - tabs.begin());
    int n = static_cast<int>(tabs.size());
    int next = ((forward ? i + 1 : i - 1) % n + n) % n;
    if (!CanChange()) return;
    SetActivePage(tabs[static_cast<size_t>(next)]);
    Change();
}

bool TPageControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TPageControl::Change() {
    if (OnChange) OnChange(this);
}

LRESULT TPageControl::CNNotify(NMHDR* header) {
    switch (header->code) {
    case TCN_SELCHANGING:
        return CanChange() ? FALSE : TRUE;
    case TCN_SELCHANGE: {
        int tab = static_cast<int>(SendMessageA(FHandle, TCM_GETCURSEL, 0, 0));
        FActivePage = PageForTab(tab);
        ShowActive();
        Change();
        return 0;
    }
    default:
        return 0;
    }
}

TProgressBar::TProgressBar(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.ClassName = PROGRESS_CLASSA;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    params.ExStyle = 0;
}

void TProgressBar::CreateWnd() {
    TControl::CreateWnd();
    SendMessageA(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
    SendMessageA(FHandle, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::SetMin(int value) {
    FMin = value;
    if (FHandle) SendMessageA(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

void TProgressBar::SetMax(int value) {
    FMax = value;
    if (FHandle) SendMessageA(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

void TProgressBar::SetPosition(int value) {
    FPosition = std::clamp(value, FMin, std::max(FMin, FMax));
    if (FHandle) SendMessageA(FHandle, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}
