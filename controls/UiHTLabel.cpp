// controls/UiHTLabel.cpp -- the tagged-text renderer and the label drawn with it
#include "UiHTLabel.h"

#include <algorithm>
#include <cctype>

#include "desktop/SysUtils.h"
#include "desktop/GdiGuards.h"
#include "ControlPropertiesP.h"

namespace {

bool StartsWithText(const std::string& text, size_t at, const char* prefix) {
    for (size_t i = 0; prefix[i]; ++i) {
        if (at + i >= text.size()) return false;
        if (std::tolower(static_cast<unsigned char>(text[at + i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

// Fonts of one rendering, one per style mix, made from the DC's font as it was; the DC gets its
// font and text colour back and every font made here is deleted when the rendering ends.
class TTaggedFonts {
public:
    explicit TTaggedFonts(HDC dc) : FDC(dc) {
        if (!dc) return;
        FOriginal = GetCurrentObject(dc, OBJ_FONT);
        FOriginalColor = GetTextColor(dc);
        GetObjectA(FOriginal, sizeof(FBase), &FBase);
    }
    ~TTaggedFonts() {
        if (!FDC) return;
        SelectObject(FDC, FOriginal);
        ::SetTextColor(FDC, FOriginalColor);
        for (HFONT f : FFonts) if (f) DeleteObject(f);
    }
    TTaggedFonts(const TTaggedFonts&) = delete;
    TTaggedFonts& operator=(const TTaggedFonts&) = delete;

    COLORREF OriginalColor() const { return FOriginalColor; }
    void Select(unsigned style) {
        if (!FDC) return;
        if (style == FBaseStyle()) { SelectObject(FDC, FOriginal); return; }
        HFONT& f = FFonts[style & 7];
        if (!f) {
            LOGFONTA lf = FBase;
            lf.lfWeight = (style & fsBold) ? FW_BOLD : FW_NORMAL;
            lf.lfItalic = (style & fsItalic) != 0;
            lf.lfUnderline = (style & fsUnderline) != 0;
            f = CreateFontIndirectA(&lf);
        }
        if (f) SelectObject(FDC, f);
    }
    unsigned FBaseStyle() const {
        return (FBase.lfWeight >= FW_BOLD ? fsBold : 0u) | (FBase.lfItalic ? fsItalic : 0u) | (FBase.lfUnderline ? fsUnderline : 0u);
    }

private:
    HDC FDC;
    HGDIOBJ FOriginal = nullptr;
    COLORREF FOriginalColor = 0;
    LOGFONTA FBase{};
    HFONT FFonts[8] = {};
};

} // namespace

bool ColorFromTagName(const std::string& name, TColor& colorOut) {
    std::string text = !name.empty() && name[0] != '$' ? "cl" + name : name;
    if (IdentToColor(text, colorOut)) return true;
    // Otherwise an integer: only the "$" hexadecimal form can be one, since "cl..." never is.
    if (text.size() < 2 || text[0] != '$' || text.size() > 9) return false;
    TColor v = 0;
    for (size_t i = 1; i < text.size(); ++i) {
        int c = std::tolower(static_cast<unsigned char>(text[i]));
        int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (d < 0) return false;
        v = (v << 4) | static_cast<TColor>(d);
    }
    colorOut = v;
    return true;
}

std::string ExtractSeparatedItem(const std::string& text, int index, const std::string& separator) {
    if (index < 0 || text.empty() || separator.empty()) return {};
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        size_t at = text.find(separator, start);
        if (at == std::string::npos) return {};
        start = at + separator.size();
    }
    if (start > text.size()) return {};
    if (StartsWithText(text, start, separator.c_str())) return {};
    size_t end = text.find(separator, start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

void RenderTaggedText(HDC dc, const RECT& rect, UINT itemState, const std::string& text, bool keepColors,
                      std::string& plainOut, int& widthOut, bool measureOnly) {
    plainOut.clear();
    TTaggedFonts fonts(dc);
    HBRUSH windowBrush = nullptr;
    HGDIOBJ oldBrush = nullptr;
    if (dc) {
        if (keepColors) {
            windowBrush = CreateSolidBrush(ColorToRGB(clWindow));
            oldBrush = SelectObject(dc, windowBrush);
            ::SetTextColor(dc, ColorToRGB(clWindowText));
        }
        ::FillRect(dc, &rect, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
    }
    unsigned style = fonts.FBaseStyle();
    int x = rect.left + 2, y = rect.top;
    std::string run;
    auto output = [&] {
        if (dc && !run.empty()) {
            if (!measureOnly) TextOutA(dc, x, y, run.c_str(), static_cast<int>(run.size()));
            SIZE s{};
            GetTextExtentPoint32A(dc, run.c_str(), static_cast<int>(run.size()), &s);
            x += s.cx;
        }
        plainOut += run;
    };
    auto setStyle = [&](unsigned bit, bool on) {
        style = on ? style | bit : style & ~bit;
        fonts.Select(style);
    };
    for (size_t i = 0; i < text.size(); ++i) {
        char ch = text[i];
        if (ch == '<') {
            static const struct { const char* Tag; unsigned Bit; bool On; } styleTags[] = {
                {"b>", fsBold, true}, {"/b>", fsBold, false}, {"i>", fsItalic, true},
                {"/i>", fsItalic, false}, {"u>", fsUnderline, true}, {"/u>", fsUnderline, false}};
            bool matched = false;
            for (const auto& t : styleTags)
                if (StartsWithText(text, i + 1, t.Tag)) {
                    output();
                    run.clear();
                    setStyle(t.Bit, t.On);
                    i += std::char_traits<char>::length(t.Tag);
                    matched = true;
                    break;
                }
            if (matched) continue;
            if (StartsWithText(text, i + 1, "c:")) {
                output();
                run.clear();
                std::string name = ExtractSeparatedItem(text.substr(i + 3), 0, ">");
                bool selected = (itemState & ODS_SELECTED) != 0;
                TColor color;
                if (dc && !(selected && !keepColors) && ColorFromTagName(name, color) && color != clNone)
                    ::SetTextColor(dc, color == clDefault ? fonts.OriginalColor() : ColorToRGB(color));
                i += 2 + name.size();
                if (i + 1 < text.size() && text[i + 1] == '>') ++i;
                continue;
            }
        } else if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            output();
            SIZE s{};
            if (dc) GetTextExtentPoint32A(dc, run.empty() ? " " : run.c_str(), run.empty() ? 1 : static_cast<int>(run.size()), &s);
            x = rect.left + 2;
            y += s.cy;
            run.clear();
            ++i;
            continue;
        }
        run += ch;
    }
    output();
    widthOut = (x - rect.left) + 2;
    if (oldBrush) SelectObject(dc, oldBrush);
    if (windowBrush) DeleteObject(windowBrush);
}

void DrawTaggedText(HDC dc, const RECT& rect, const std::string& text) {
    std::string plain;
    int width = 0;
    RenderTaggedText(dc, rect, 0, text, false, plain, width, false);
}

int MeasureTaggedText(HDC dc, const std::string& text) {
    std::string plain;
    int width = 0;
    RECT r{0, 0, 0, 0};
    RenderTaggedText(dc, r, 0, text, false, plain, width, true);
    return width;
}

std::vector<std::string> CaptionLines(const std::string& caption) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < caption.size()) {
        size_t end = caption.find_first_of("\r\n", start);
        if (end == std::string::npos) { lines.push_back(caption.substr(start)); break; }
        lines.push_back(caption.substr(start, end - start));
        start = end + ((caption[end] == '\r' && end + 1 < caption.size() && caption[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

TUiHTLabel::TUiHTLabel(TComponent* owner) : TFxControl(owner) {
    SetBounds(0, 0, 65, 13);
    SetColor(clWindow);
    SetParentColor(true);
    FInheritedFontChanged = Font().OnChange;
    Font().OnChange = TNotifyEvent(this, &TUiHTLabel::FontChanged);
}

void TUiHTLabel::FontChanged(TObject* sender) {
    FInheritedFontChanged(sender);
    AdjustBounds();
}

void TUiHTLabel::SetAlignment(TAlignment value) {
    if (value == FAlignment) return;
    FAlignment = value;
    Invalidate();
}

void TUiHTLabel::SetAutoSize(bool value) {
    if (value == FAutoSize) return;
    FAutoSize = value;
    AdjustBounds();
}

void TUiHTLabel::SetLayout(TTextLayout value) {
    if (value == FLayout) return;
    FLayout = value;
    Invalidate();
}

void TUiHTLabel::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    Invalidate();
}

void TUiHTLabel::SetCaption(const std::string& text) {
    TControl::SetCaption(text);
    AdjustBounds();
    Invalidate();
}

void TUiHTLabel::Loaded() {
    TControl::Loaded();
    AdjustBounds();
}

void TUiHTLabel::AdjustBounds() {
    if (!FAutoSize || IsLoading()) return;
    SIZE w{};
    std::vector<std::string> lines = CaptionLines(FCaption);
    int width = 0;
    {
        const HDC dc = ScreenMeasuringDC();
        TScopedSelectObject font(dc, Font().Handle());
        GetTextExtentPoint32A(dc, "W", 1, &w);
        for (const std::string& line : lines) width = std::max(width, MeasureTaggedText(dc, line));
    }
    int height = w.cy * static_cast<int>(lines.size());
    int left = Left();
    if (FAlignment == TAlignment::taRightJustify) left += Width() - width;
    SetBounds(left, Top(), width, height);
}

void TUiHTLabel::Paint(TCanvas& canvas) {
    HDC dc = canvas.Handle();
    RECT client;
    GetClientRect(FHandle, &client);
    HBRUSH solid = FTransparent ? nullptr : CreateSolidBrush(ColorToRGB(EffectiveColor()));
    HGDIOBJ oldBrush = SelectObject(dc, solid ? static_cast<HGDIOBJ>(solid) : GetStockObject(NULL_BRUSH));
    ::FillRect(dc, &client, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SIZE w{};
    GetTextExtentPoint32A(dc, "W", 1, &w);
    int lineHeight = w.cy;
    std::vector<std::string> lines = CaptionLines(FCaption);
    int n = static_cast<int>(lines.size());
    for (int i = 0; i < n; ++i) {
        RECT r = client;
        switch (FLayout) {
        case TTextLayout::tlTop: r.top += i * lineHeight; break;
        case TTextLayout::tlCenter: r.top = (client.bottom - n * lineHeight) / 2 + i * lineHeight; break;
        case TTextLayout::tlBottom: r.top = r.bottom - lineHeight * (n - i); break;
        }
        int measured = MeasureTaggedText(dc, lines[static_cast<size_t>(i)]);
        if (FAlignment == TAlignment::taRightJustify) r.left = r.right - measured;
        else if (FAlignment == TAlignment::taCenter) r.left += (r.right - r.left - measured) / 2;
        DrawTaggedText(dc, r, lines[static_cast<size_t>(i)]);
    }
    SelectObject(dc, oldBrush);
    if (solid) DeleteObject(solid);
}

// ---- for window descriptions

void RegisterUiHTLabelClass() {
    using namespace controls_internal;
    TClassRegistration<TUiHTLabel>("TUiHTLabel", "TControl")
        .Enum<TAlignment>("Alignment", &TUiHTLabel::SetAlignment, AlignmentNames())
        .Bool("AutoSize", &TUiHTLabel::SetAutoSize)
        .Enum<TTextLayout>("Layout", &TUiHTLabel::SetLayout, LayoutNames())
        .Bool("Transparent", &TUiHTLabel::SetTransparent);
}
