// desktop/Graphics.cpp -- colours, fonts and the canvas
#include "Graphics.h"

#include "SysUtils.h"
#include "GdiGuards.h"

COLORREF ColorToRGB(TColor color) {
    if ((color & 0xFF000000u) == clSystemColor) return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFFu;
}

namespace {

const struct { const char* Name; TColor Value; } gColorNames[] = {
    {"clScrollBar", clScrollBar}, {"clBackground", clBackground}, {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption}, {"clMenu", clMenu}, {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame}, {"clMenuText", clMenuText}, {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText}, {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace}, {"clBtnShadow", clBtnShadow}, {"clGrayText", clGrayText},
    {"clBtnText", clBtnText}, {"clBtnHighlight", clBtnHighlight}, {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight}, {"clInfoText", clInfoText}, {"clInfoBk", clInfoBk},
    {"clActiveBorder", clActiveBorder}, {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace}, {"clInactiveCaptionText", clInactiveCaptionText},
    {"clHotLight", clHotLight}, {"clGradientActiveCaption", clGradientActiveCaption},
    {"clGradientInactiveCaption", clGradientInactiveCaption}, {"clMenuHighlight", clMenuHighlight},
    {"clMenuBar", clMenuBar},
    {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
    {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
    {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
    {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
    {"clMoneyGreen", clMoneyGreen}, {"clSkyBlue", clSkyBlue}, {"clCream", clCream},
    {"clMedGray", clMedGray}, {"clNone", clNone}, {"clDefault", clDefault},
};

TIdentToColorProc gIdentToColor = nullptr;   // set at program start, before any description is read

// The screen's resolution does not change while a program runs (a new one takes a new logon).
int ScreenPixelsPerInch() {
    static const int pixels = GetDeviceCaps(ScreenMeasuringDC(), LOGPIXELSY);
    return pixels;
}

} // namespace

HDC ScreenMeasuringDC() {
    static const HDC dc = CreateCompatibleDC(nullptr);
    return dc;
}

bool IdentToColor(const std::string& ident, TColor& colorOut) {
    for (const auto& n : gColorNames)
        if (SameTextAscii(n.Name, ident)) { colorOut = n.Value; return true; }
    return false;
}

bool ColorToIdent(TColor color, std::string& identOut) {
    for (const auto& n : gColorNames)
        if (n.Value == color) { identOut = n.Name; return true; }
    return false;
}

void RegisterIdentToColor(TIdentToColorProc identToColor) { gIdentToColor = identToColor; }

bool DescriptionIdentToColor(const std::string& ident, TColor& colorOut) {
    return gIdentToColor ? gIdentToColor(ident, colorOut) : IdentToColor(ident, colorOut);
}

TFont::TFont() = default;
TFont::~TFont() { if (FHandle) DeleteObject(FHandle); }

void TFont::Assign(const TFont& other) {
    FName = other.FName;
    FHeight = other.FHeight;
    FColor = other.FColor;
    FStyle = other.FStyle;
    Changed();
}

void TFont::SetName(const std::string& name) { if (name != FName) { FName = name; Changed(); } }
void TFont::SetHeight(int height) { if (height != FHeight) { FHeight = height; Changed(); } }
void TFont::SetColor(TColor color) { if (color != FColor) { FColor = color; Changed(); } }
void TFont::SetStyle(unsigned style) { if (style != FStyle) { FStyle = style; Changed(); } }

int TFont::Size() const { return MulDiv(-FHeight, 72, ScreenPixelsPerInch()); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72)); }

HFONT TFont::Handle() const {
    if (!FHandle) {
        LOGFONTA lf{};
        lf.lfHeight = FHeight;
        lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (FStyle & fsItalic) != 0;
        lf.lfUnderline = (FStyle & fsUnderline) != 0;
        lf.lfStrikeOut = (FStyle & fsStrikeOut) != 0;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynA(lf.lfFaceName, FName.c_str(), LF_FACESIZE);
        FHandle = CreateFontIndirectA(&lf);
    }
    return FHandle;
}

void TFont::Changed() {
    if (FHandle) { DeleteObject(FHandle); FHandle = nullptr; }
    if (OnChange) OnChange(nullptr);
}

TCanvas::TCanvas(HDC dc) : FDC(dc) {}

TCanvas::~TCanvas() {
    if (FOldFont) SelectObject(FDC, FOldFont);
    if (FOldBrush) SelectObject(FDC, FOldBrush);
    if (FOldPen) SelectObject(FDC, FOldPen);
    if (FBrush) DeleteObject(FBrush);
    if (FPen) DeleteObject(FPen);
}

void TCanvas::SetFont(const TFont& font) {
    HGDIOBJ old = SelectObject(FDC, font.Handle());
    if (!FOldFont) FOldFont = old;
    ::SetTextColor(FDC, ColorToRGB(font.Color()));
}

void TCanvas::SetBrushColor(TColor color) {
    HBRUSH b = CreateSolidBrush(ColorToRGB(color));
    HGDIOBJ old = SelectObject(FDC, b);
    if (!FOldBrush) FOldBrush = old;
    if (FBrush) DeleteObject(FBrush);
    FBrush = b;
    SetBkColor(FDC, ColorToRGB(color));
}

void TCanvas::SetPenColor(TColor color) {
    HPEN p = CreatePen(PS_SOLID, 1, ColorToRGB(color));
    HGDIOBJ old = SelectObject(FDC, p);
    if (!FOldPen) FOldPen = old;
    if (FPen) DeleteObject(FPen);
    FPen = p;
}

void TCanvas::SetTextColor(TColor color) { ::SetTextColor(FDC, ColorToRGB(color)); }
void TCanvas::SetTransparent(bool transparent) { SetBkMode(FDC, transparent ? TRANSPARENT : OPAQUE); }

void TCanvas::FillRect(const RECT& rect) {
    ::FillRect(FDC, &rect, FBrush ? FBrush : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void TCanvas::FrameRect(const RECT& rect) {
    ::FrameRect(FDC, &rect, FBrush ? FBrush : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void TCanvas::Rectangle(const RECT& rect) { ::Rectangle(FDC, rect.left, rect.top, rect.right, rect.bottom); }
void TCanvas::MoveTo(int x, int y) { MoveToEx(FDC, x, y, nullptr); }
void TCanvas::LineTo(int x, int y) { ::LineTo(FDC, x, y); }
void TCanvas::TextOut(int x, int y, const std::string& text) {
    ::TextOutA(FDC, x, y, text.c_str(), static_cast<int>(text.size()));
}
void TCanvas::TextRect(RECT rect, const std::string& text, UINT format) {
    DrawTextA(FDC, text.c_str(), static_cast<int>(text.size()), &rect, format);
}
SIZE TCanvas::TextExtent(const std::string& text) {
    SIZE s{};
    GetTextExtentPoint32A(FDC, text.c_str(), static_cast<int>(text.size()), &s);
    return s;
}
