// controls/FxUrlLabel.cpp -- link label colour states, hand cursor and shell open
#include "FxUrlLabel.h"

#include <shellapi.h>

#include "desktop/Application.h"
#include "ControlPropertiesP.h"

void ShellOpen(const std::string& target) {
    if (target.empty()) return;
    HWND owner = Application ? Application->Handle() : nullptr;
    ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, SW_SHOW);
}

TFxUrlLabel::TFxUrlLabel(TComponent* owner) : TFxLabel(owner) {
    // Chain the font's change handler: the base keeps its own handling, ours follows.
    FInheritedFontChanged = Font().OnChange;
    Font().OnChange = TNotifyEvent(this, &TFxUrlLabel::FontChanged);
    Font().SetColor(FUnvisitedColor);
    Font().SetStyle(Font().Style() | fsUnderline);
}

bool TFxUrlLabel::ShowsIdleColor() const { return !FPressed && !(FCanHover && FHovering); }

// Both colours are always stored; the font shows the new one only when it is the state on
// display (writing through the font alone would lose the value while hovering is on).
void TFxUrlLabel::SetUnvisitedColor(TColor value) {
    if (value == FUnvisitedColor) return;
    FUnvisitedColor = value;
    if (!FVisited && ShowsIdleColor()) Font().SetColor(value);
}

void TFxUrlLabel::SetVisitedColor(TColor value) {
    if (value == FVisitedColor) return;
    FVisitedColor = value;
    if (FVisited && ShowsIdleColor()) Font().SetColor(value);
}

void TFxUrlLabel::SetCanHover(bool value) {
    FCanHover = value;
    SetUnderline(!value);
}

void TFxUrlLabel::SetUnderline(bool on) {
    unsigned style = Font().Style();
    Font().SetStyle(on ? style | fsUnderline : style & ~static_cast<unsigned>(fsUnderline));
}

// The font colour doubles as the colour of the idle state it shows.
void TFxUrlLabel::FontChanged(TObject* sender) {
    FInheritedFontChanged(sender);
    if (FCanHover || FPressed) return;
    if (FVisited) FVisitedColor = Font().Color();
    else FUnvisitedColor = Font().Color();
}

void TFxUrlLabel::NotifyMouseEnter() {
    TFxLabel::NotifyMouseEnter();
    FHovering = true;
    if (FCanHover) SetUnderline(true);
    if (FPressed) Font().SetColor(FActivatedColor);
    else if (FCanHover) Font().SetColor(FHoveredColor);
}

void TFxUrlLabel::NotifyMouseLeave() {
    TFxLabel::NotifyMouseLeave();
    FHovering = false;
    if (FCanHover) SetUnderline(false);
    Font().SetColor(FVisited ? FVisitedColor : FUnvisitedColor);
}

void TFxUrlLabel::MouseDown() {
    FPressed = true;
    Font().SetColor(FActivatedColor);
}

void TFxUrlLabel::MouseUp(int x, int y) {
    bool inside = x >= 0 && y >= 0 && x <= ClientWidth() && y <= ClientHeight();
    if (!inside) {
        Font().SetColor(FVisited ? FVisitedColor : FUnvisitedColor);
    } else if (FPressed) {
        FVisited = true;
        Font().SetColor(FCanHover ? FHoveredColor : FVisitedColor);
        std::string target = !FURL.empty() ? FURL : OnClick ? std::string() : FCaption;
        if (!target.empty()) OpenTarget(target);
    }
    FPressed = false;
}

void TFxUrlLabel::OpenTarget(const std::string& target) { ShellOpen(target); }

LRESULT TFxUrlLabel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        // Capture, so the release arrives here also when it happens outside the label.
        SetCapture(FHandle);
        MouseDown();
        return 0;
    case WM_LBUTTONUP: {
        if (GetCapture() == FHandle) ReleaseCapture();
        int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
        bool inside = x >= 0 && y >= 0 && x <= ClientWidth() && y <= ClientHeight();
        // The click event comes first, then the state change and the shell call.
        if (inside && FPressed) Click();
        MouseUp(x, y);
        return 0;
    }
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(FxCursor(FCursor));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return TFxLabel::WndProc(msg, wParam, lParam);
}

// ---- for window descriptions

namespace {

using namespace controls_internal;

int Cursor(const TPropValue& v, const TLoadContext& ctx) {
    if (v.Kind == TPropValue::TKind::Integer) return v.AsInteger();
    static const std::pair<const char*, int> names[] = {{"crDefault", crDefault}, {"crHandPoint", crFxHandPoint}};
    for (const auto& [n, id] : names)
        if (SameTextAscii(n, v.AsIdent())) return id;
    throw EDescriptionError(ctx.Where + ": unknown cursor " + v.Str);
}

} // namespace

void RegisterFxUrlLabelClass() {
    using namespace controls_internal;
    TClassRegistration<TFxUrlLabel>("TFxUrlLabel", "TFxLabel")
        .String("URL", &TFxUrlLabel::SetURL)
        .Custom("UnvisitedColor", ColorProperty(&TFxUrlLabel::SetUnvisitedColor))
        .Custom("ActivatedColor", ColorProperty(&TFxUrlLabel::SetActivatedColor))
        .Custom("VisitedColor", ColorProperty(&TFxUrlLabel::SetVisitedColor))
        .Custom("HoveredColor", ColorProperty(&TFxUrlLabel::SetHoveredColor))
        .Bool("CanHover", &TFxUrlLabel::SetCanHover)
        .Custom("Cursor", [](TFxUrlLabel& l, const TPropValue& v, TLoadContext& ctx) { l.SetCursor(Cursor(v, ctx)); });
}
