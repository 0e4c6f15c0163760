// desktop/Label.cpp -- static text
#include "Label.h"

#include "GdiGuards.h"

TLabel::TLabel(TComponent* owner) : TControl(owner) {
    SetBounds(0, 0, 65, 13);
    SetParentColor(true);
}

TLabel::~TLabel() {
    if (FParentBrush) DeleteObject(FParentBrush);
}

void TLabel::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.ClassName = "STATIC";
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | SS_NOTIFY | SS_NOPREFIX | TextStyle();
    params.ExStyle = 0;
}

void TLabel::SetCaption(const std::string& text) {
    TControl::SetCaption(text);
    if (!IsLoading()) AdjustSize();
}

// The STATIC type: only a left-aligned text can be kept on one line.
DWORD TLabel::TextStyle() const {
    return FAlignment == TAlignment::taRightJustify ? SS_RIGHT
           : FAlignment == TAlignment::taCenter     ? SS_CENTER
           : FWordWrap                              ? SS_LEFT
                                                    : SS_LEFTNOWORDWRAP;
}

void TLabel::ApplyTextStyle() {
    const DWORD type = TextStyle();
    ApplyStyle(type, SS_TYPEMASK & ~type);
    Invalidate();
}

void TLabel::SetAlignment(TAlignment value) {
    FAlignment = value;
    ApplyTextStyle();
}

void TLabel::SetAutoSize(bool value) {
    FAutoSize = value;
    if (!IsLoading()) AdjustSize();
}

void TLabel::SetWordWrap(bool value) {
    if (FWordWrap == value) return;
    FWordWrap = value;
    ApplyTextStyle();
    if (!IsLoading()) AdjustSize();
}

void TLabel::SetTransparent(bool value) {
    FTransparent = value;
    Invalidate();
}

// Fitted before its window is made, a label is made at its final size and not moved again in
// its load step (a move costs several trips to the window server under Wine).
void TLabel::CreateWnd() {
    if (IsLoading()) AdjustSize();
    TControl::CreateWnd();
}

void TLabel::Loaded() {
    TControl::Loaded();
    AdjustSize();
}

// Auto size fits a one-line label to its text; a word-wrapped one keeps its width.
void TLabel::AdjustSize() {
    if (!FAutoSize || Align() != TAlign::alNone) return;
    FitLabelToCaption(*this, FCaption, FAlignment, FWordWrap, DT_NOPREFIX);
}

void TLabel::CNCommand(WORD code) {
    if (code == STN_CLICKED) Click();
    else if (code == STN_DBLCLK && OnDblClick) OnDblClick(this);
}

HBRUSH TLabel::CNCtlColor(HDC dc) {
    if (!FTransparent || !Parent()) return TControl::CNCtlColor(dc);
    // The label is a window of its own and its parent clips it out, so a hollow brush would
    // leave whatever was on the screen: the parent's colour stands in for seeing through.
    ::SetTextColor(dc, ColorToRGB(Font().Color()));
    SetBkMode(dc, TRANSPARENT);
    TColor color = Parent()->EffectiveColor();
    if (!FParentBrush || FParentBrushColor != color) {
        if (FParentBrush) DeleteObject(FParentBrush);
        FParentBrush = CreateSolidBrush(ColorToRGB(color));
        FParentBrushColor = color;
    }
    return FParentBrush;
}

void FitLabelToCaption(TControl& label, const std::string& caption, TAlignment alignment, bool wordWrap, UINT flags) {
    RECT r{0, 0, wordWrap ? label.Width() : 0, 0};
    {
        const HDC dc = ScreenMeasuringDC();
        TScopedSelectObject font(dc, label.Font().Handle());
        std::string text = caption.empty() ? " " : caption;
        DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | flags | (wordWrap ? DT_WORDBREAK : 0));
    }
    int w = wordWrap ? label.Width() : r.right;
    int left = alignment == TAlignment::taRightJustify ? label.Left() + label.Width() - w : label.Left();
    label.SetBounds(left, label.Top(), w, r.bottom);
}
