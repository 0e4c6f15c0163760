// desktop/Graphics.h -- colours, fonts, brushes, pens and the canvas over a GDI device context
#pragma once
#include <windows.h>
#include <string>

#include "Events.h"

// 32 bits: red in the low byte, then green, then blue; top byte 0xFF names a system colour by its index.
using TColor = unsigned int;
constexpr TColor clSystemColor = 0xFF000000u;
constexpr TColor SystemColor(int index) { return clSystemColor | static_cast<TColor>(index); }
constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = SystemColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SystemColor(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = SystemColor(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = SystemColor(COLOR_MENU);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = SystemColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = SystemColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SystemColor(COLOR_CAPTIONTEXT);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SystemColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = SystemColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = SystemColor(COLOR_INFOBK);
constexpr TColor clActiveBorder = SystemColor(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = SystemColor(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = SystemColor(COLOR_APPWORKSPACE);
constexpr TColor clInactiveCaptionText = SystemColor(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clHotLight = SystemColor(COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = SystemColor(COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = SystemColor(COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = SystemColor(COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = SystemColor(COLOR_MENUBAR);
constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
                 clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF, clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

COLORREF ColorToRGB(TColor color);
bool IdentToColor(const std::string& ident, TColor& colorOut);   // "clBtnFace", "clRed", ...
bool ColorToIdent(TColor color, std::string& identOut);          // false: a colour without a name

// The colour names of window descriptions: a program may put a converter of its own in place of
// the standard names above (null restores them); the reader asks DescriptionIdentToColor.
using TIdentToColorProc = bool (*)(const std::string& ident, TColor& colorOut);
void RegisterIdentToColor(TIdentToColorProc identToColor);

// A memory DC like the screen's, for measuring text and fonts on the GUI thread: made at the
// first call and kept (each GetDC of the screen is a trip to the window server under Wine).
// A font selected into it is deselected again by whoever selected it.
HDC ScreenMeasuringDC();
bool DescriptionIdentToColor(const std::string& ident, TColor& colorOut);

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TFont {
public:
    TFont();
    ~TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;
    void Assign(const TFont& other);

    const std::string& Name() const { return FName; }
    void SetName(const std::string& name);
    int Height() const { return FHeight; }            // negative: character height in pixels
    void SetHeight(int height);
    int Size() const;                                 // points
    void SetSize(int points);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    unsigned Style() const { return FStyle; }
    void SetStyle(unsigned style);
    HFONT Handle() const;                             // owned by the font, made on first use

    TNotifyEvent OnChange;
private:
    void Changed();
    std::string FName = "Tahoma";
    int FHeight = -11;
    TColor FColor = clWindowText;
    unsigned FStyle = 0;
    mutable HFONT FHandle = nullptr;
};

class TCanvas {
public:
    explicit TCanvas(HDC dc);                         // borrowed: the caller releases it
    ~TCanvas();                                       // restores the objects it selected
    TCanvas(const TCanvas&) = delete;
    HDC Handle() const { return FDC; }

    void SetFont(const TFont& font);
    void SetBrushColor(TColor color);
    void SetPenColor(TColor color);
    void SetTextColor(TColor color);
    void SetTransparent(bool transparent);           // text background mode

    void FillRect(const RECT& rect);
    void FrameRect(const RECT& rect);
    void Rectangle(const RECT& rect);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void TextOut(int x, int y, const std::string& text);
    void TextRect(RECT rect, const std::string& text, UINT format);   // DrawTextA flags
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }

private:
    HDC FDC;
    HBRUSH FBrush = nullptr;
    HPEN FPen = nullptr;
    HGDIOBJ FOldFont = nullptr, FOldBrush = nullptr, FOldPen = nullptr;
    bool FSelected = false;
};
