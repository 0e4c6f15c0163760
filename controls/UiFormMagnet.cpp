// controls/UiFormMagnet.cpp -- the snapping rules and the glue
//
// Each WM_MOVING of the form carries the rectangle the drag proposes. Per direction of the
// move, an edge within Area pixels of a reference edge is placed on it, and the placement is
// stamped with the time: for the next 250 ms the edge is held there (the recent rules); after
// that, pulling on past it pushes the window Area pixels beyond it (the stale rules), so the
// user can get out of the magnetic zone. The range tests [lo..Area] count in whole numbers 0 to
// 255 and take Area modulo 256; the less-than-Area tests take Area as it is.
#include "UiFormMagnet.h"

#include <cstdlib>
#include <vector>

#include "desktop/Application.h"
#include "desktop/Form.h"
#include "ControlPropertiesP.h"

namespace {

constexpr int64_t RecentForMs = 250;   // how long a placement holds its edge

// The form that holds owner: owner itself, or the top of its parent chain when that is a form.
TForm* FormOf(TComponent* owner) {
    auto* control = dynamic_cast<TControl*>(owner);
    if (!control) return nullptr;
    while (control->Parent()) control = control->Parent();
    return dynamic_cast<TForm*>(control);
}

// One axis of the proposed rectangle (left-right or top-bottom). Its length is taken when the
// snap step starts and kept by every placement; each placement stamps the edge it placed.
class TSpan {
public:
    TSpan(LONG& lo, LONG& hi, int64_t& loStamp, int64_t& hiStamp, int64_t nowMs)
        : FLo(lo), FHi(hi), FLength(hi - lo), FLoStamp(loStamp), FHiStamp(hiStamp), FNowMs(nowMs) {}
    int64_t Lo() const { return FLo; }
    int64_t Hi() const { return FHi; }
    void PlaceLo(int64_t x) {
        FLo = static_cast<LONG>(x);
        FHi = static_cast<LONG>(x + FLength);
        FLoStamp = FNowMs;
    }
    void PlaceHi(int64_t x) {
        FHi = static_cast<LONG>(x);
        FLo = static_cast<LONG>(x - FLength);
        FHiStamp = FNowMs;
    }

private:
    LONG& FLo;
    LONG& FHi;
    int64_t FLength;
    int64_t& FLoStamp;
    int64_t& FHiStamp;
    int64_t FNowMs;
};

// The rules of one move, with the magnet's Area.
class TRules {
public:
    explicit TRules(uint32_t area) : FArea(area) {}
    // x in [lo..Area]: whole numbers 0 to 255 only, Area taken modulo 256.
    bool In(int64_t x, int64_t lo) const { return x >= lo && x <= (FArea % 256) && x >= 0 && x <= 255; }
    bool Within(int64_t x) const { return x < static_cast<int64_t>(FArea); }
    int64_t A() const { return FArea; }

    // Work area, moving toward the low end (left, up): d = lo - R.lo, e = R.hi - hi.
    void AreaTowardLow(TSpan& n, int64_t rLo, int64_t rHi, bool stale) const {
        const int64_t d = n.Lo() - rLo, e = rHi - n.Hi();
        if (stale) {
            if (In(d, 2) || std::llabs(d) == 1) n.PlaceLo(rLo);
            else if (In(std::llabs(d), 2)) n.PlaceLo(rLo - A());
            else if (In(e, 2)) n.PlaceHi(rHi - A());
            else if (In(std::llabs(e), 1)) n.PlaceHi(rHi);
        } else if (Within(std::llabs(d))) {
            n.PlaceLo(rLo);
        } else if (Within(std::llabs(e))) {
            n.PlaceHi(rHi);
        }
    }
    // Work area, moving right: e = R.Right - N.Right, d = R.Left - N.Left.
    void AreaRight(TSpan& n, int64_t rLo, int64_t rHi, bool stale) const {
        const int64_t e = rHi - n.Hi(), d = rLo - n.Lo();
        if (stale) {
            if (In(e, 2) || std::llabs(e) == 1) n.PlaceHi(rHi);
            else if (In(std::llabs(e), 2)) n.PlaceHi(rHi + A());
            else if (In(d, 2)) n.PlaceLo(rLo);
            else if (In(std::llabs(d), 1)) n.PlaceLo(rLo + A());
        } else if (Within(std::llabs(e))) {
            n.PlaceHi(rHi);
        } else if (Within(std::llabs(d))) {
            n.PlaceLo(rLo);
        }
    }
    // Work area, moving down: the top edge is tested first, and a recent bottom is pushed out.
    void AreaDown(TSpan& n, int64_t rLo, int64_t rHi, bool stale) const {
        const int64_t d = n.Lo() - rLo, e = rHi - n.Hi();
        if (stale) {
            if (In(d, 2)) n.PlaceLo(rLo + A());
            else if (Within(std::llabs(d))) n.PlaceLo(rLo);
            else if (In(e, 2)) n.PlaceHi(rHi);
            else if (In(std::llabs(e), 1)) n.PlaceHi(rHi + A());
        } else if (Within(std::llabs(d))) {
            n.PlaceLo(rLo);
        } else if (Within(std::llabs(e))) {
            n.PlaceHi(rHi + A());
        }
    }
    // Main window, moving up or left: d = N.lo - R.hi, e = N.hi - R.lo.
    void MainTowardLow(TSpan& n, int64_t rLo, int64_t rHi, bool stale) const {
        const int64_t d = n.Lo() - rHi, e = n.Hi() - rLo;
        if (stale) {
            if (In(d, 2)) n.PlaceLo(rHi);
            else if (In(-d, 2)) n.PlaceLo(rHi - A());
            else if (In(e, 2)) n.PlaceHi(rLo);
            else if (In(-e, 2)) n.PlaceHi(rLo - A());
        } else if (Within(std::llabs(d))) {
            n.PlaceLo(rHi);
        } else if (Within(std::llabs(e))) {
            n.PlaceHi(rLo);
        }
    }
    // Main window, moving down: d = N.Top - R.Bottom, e = N.Bottom - R.Top.
    void MainDown(TSpan& n, int64_t rLo, int64_t rHi, bool stale) const {
        const int64_t d = n.Lo() - rHi, e = n.Hi() - rLo;
        if (stale) {
            if (In(d, 2)) n.PlaceLo(rHi + A());
            else if (In(-d, 2)) n.PlaceLo(rHi);
            else if (In(e, 1)) n.PlaceHi(rLo);
            else if (In(std::llabs(e), 2)) n.PlaceHi(rLo + A());
        } else if (Within(std::llabs(d))) {
            n.PlaceLo(rHi);
        } else if (Within(std::llabs(e))) {
            // Near only: a window far above the main window stays where the drag puts it.
            n.PlaceHi(rLo);
        }
    }
    // Main window, moving right: d = R.Left - N.Right, e = R.Right - N.Left.
    void MainRight(TSpan& n, int64_t rLo, int64_t rHi, bool stale) const {
        const int64_t d = rLo - n.Hi(), e = rHi - n.Lo();
        if (stale) {
            if (In(d, 2)) n.PlaceHi(rLo);
            else if (In(std::llabs(d), 2)) n.PlaceHi(rLo + A());
            else if (In(e, 2)) n.PlaceLo(rHi);
            else if (In(std::llabs(e), 2)) n.PlaceLo(rHi + A());
        } else if (Within(std::llabs(d))) {
            n.PlaceHi(rLo);
        } else if (Within(std::llabs(e))) {
            n.PlaceLo(rHi);
        }
    }

private:
    uint32_t FArea;
};

// a and b overlap along one axis: b's low end strictly inside a, or a's inside b.
bool Overlap(int64_t aLo, int64_t aHi, int64_t bLo, int64_t bHi) {
    return (aLo < bLo && bLo < aHi) || (bLo < aLo && aLo < bHi);
}

bool OwnedByApplication(const TComponent* component) {
    if (!Application) return false;
    for (int i = 0; i < Application->ComponentCount(); ++i)
        if (Application->Components(i) == component) return true;
    return false;
}

} // namespace

TUiFormMagnet::TUiFormMagnet(TComponent* owner) : TUiComponent(owner), FForm(FormOf(owner)) {
    if (!FForm) return;
    // Told when the form goes, so a magnet that outlives it never touches it again.
    FForm->FreeNotification(this);
    if (!IsDesigning()) AttachWindowHook(FForm, hoBefore, TUiHookMethod(this, &TUiFormMagnet::FormHook));
}

TUiFormMagnet::~TUiFormMagnet() {
    if (FForm && !IsDesigning()) DetachWindowHook(FForm, hoBefore, TUiHookMethod(this, &TUiFormMagnet::FormHook));
}

void TUiFormMagnet::Notification(TComponent* component, TOperation operation) {
    TUiComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FForm) FForm = nullptr;
}

bool TUiFormMagnet::FormHook(TMessage& message) {
    if (!FActive || message.Msg != WM_MOVING || !FForm || !message.LParam) return false;
    auto* proposed = reinterpret_cast<RECT*>(message.LParam);
    RECT n = *proposed;
    const RECT old{FForm->Left(), FForm->Top(), FForm->Left() + FForm->Width(), FForm->Top() + FForm->Height()};
    SnapRect(old, n);
    *proposed = n;
    return false;
}

void TUiFormMagnet::SnapRect(const RECT& old, RECT& proposed) {
    if (FScreenMagnet) {
        RECT area;
        if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) SnapToWorkArea(old, proposed, area);
    }
    if (FFormGlue) MoveGluedForms(proposed);
    if (FMainFormMagnet && Application && Application->MainForm()) {
        const TForm* main = Application->MainForm();
        const RECT r{main->Left(), main->Top(), main->Left() + main->Width(), main->Top() + main->Height()};
        SnapToMainForm(old, proposed, r);
    }
}

void TUiFormMagnet::SnapToWorkArea(const RECT& o, RECT& n, const RECT& r) {
    const int64_t now = NowMs();
    const TRules rules(FArea);
    TSpan h(n.left, n.right, tLeft, tRight, now), v(n.top, n.bottom, tTop, tBottom, now);
    if (n.left < o.left) rules.AreaTowardLow(h, r.left, r.right, Stale(tLeft));
    if (o.left < n.left) rules.AreaRight(h, r.left, r.right, Stale(tRight));
    if (n.top < o.top) rules.AreaTowardLow(v, r.top, r.bottom, Stale(tTop));
    if (o.top < n.top) rules.AreaDown(v, r.top, r.bottom, Stale(tBottom));
}

void TUiFormMagnet::SnapToMainForm(const RECT& o, RECT& n, const RECT& r) {
    const int64_t now = NowMs();
    const TRules rules(FArea);
    // Vertical placements stamp tTop, horizontal ones tRight, whichever edge they place.
    TSpan v(n.top, n.bottom, tTop, tTop, now), h(n.left, n.right, tRight, tRight, now);
    if (n.top < o.top && Overlap(r.left, r.right, n.left, n.right)) rules.MainTowardLow(v, r.top, r.bottom, Stale(tTop));
    if (o.top < n.top && Overlap(r.left, r.right, n.left, n.right)) rules.MainDown(v, r.top, r.bottom, Stale(tTop));
    if (n.left < o.left && Overlap(r.top, r.bottom, n.top, n.bottom)) rules.MainTowardLow(h, r.left, r.right, Stale(tRight));
    if (o.left < n.left && Overlap(r.top, r.bottom, n.top, n.bottom)) rules.MainRight(h, r.left, r.right, Stale(tRight));
}

void TUiFormMagnet::MoveGluedForms(const RECT& proposed) {
    if (!FForm || !Application) return;
    const int left = FForm->Left(), top = FForm->Top();
    const int right = left + FForm->Width(), bottom = top + FForm->Height();
    // One equal edge coordinate glues, hidden windows included.
    std::vector<TForm*> glued;
    for (int i = 0; i < Application->ComponentCount(); ++i) {
        auto* g = dynamic_cast<TForm*>(Application->Components(i));
        if (!g || g == FForm) continue;
        if (right == g->Left() || bottom == g->Top() || left == g->Left() + g->Width() || g->Top() + g->Height() == top)
            glued.push_back(g);
    }
    for (TForm* g : glued) {
        // Moving one window runs its handlers, which may free another (or this one).
        if (OwnedByApplication(g)) g->SetLeft(proposed.left - left + g->Left());
        if (OwnedByApplication(g)) g->SetTop(proposed.top - top + g->Top());
    }
}

int64_t TUiFormMagnet::NowMs() const {
    SYSTEMTIME local;
    GetLocalTime(&local);
    FILETIME ft;
    SystemTimeToFileTime(&local, &ft);
    ULARGE_INTEGER t;
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    return static_cast<int64_t>(t.QuadPart / 10000);
}

bool TUiFormMagnet::Stale(int64_t stamp) const { return std::llabs(NowMs() - stamp) > RecentForMs; }

// ---- for window descriptions

void RegisterUiFormMagnetClass() {
    using namespace controls_internal;
    TClassRegistration<TUiFormMagnet>("TUiFormMagnet", "TUiComponent")
        .Bool("Active", &TUiFormMagnet::SetActive)
        .Bool("ScreenMagnet", &TUiFormMagnet::SetScreenMagnet)
        .Custom("Area", [](TUiFormMagnet& m, const TPropValue& v, TLoadContext& ctx) {
            if (v.Kind != TPropValue::TKind::Integer || v.Int < 0 || v.Int > 0xFFFFFFFFLL)
                throw EDescriptionError(ctx.Where + ": Area must be a number of pixels from 0 to 4294967295");
            m.SetArea(static_cast<uint32_t>(v.Int));
        })
        .Bool("FormGlue", &TUiFormMagnet::SetFormGlue)
        .Bool("MainFormMagnet", &TUiFormMagnet::SetMainFormMagnet);
}
