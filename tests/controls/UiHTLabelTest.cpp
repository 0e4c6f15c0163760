// tests/controls/UiHTLabelTest.cpp -- tag parsing and rendering, colour names, separated
// items, and the label's lines and size
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ControlTestHost.h"
#include "controls/UiHTLabel.h"
#include "desktop/GdiGuards.h"

namespace {

// A white 200 x 20 memory DC with the label font, for the renderer alone.
class TTextDC {
public:
    TTextDC() {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 200, -20, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        FDC = CreateCompatibleDC(nullptr);
        FBitmap = CreateDIBSection(FDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        FOldBitmap = SelectObject(FDC, FBitmap);
        FOldFont = SelectObject(FDC, FFont.Handle());
        FOldBrush = SelectObject(FDC, GetStockObject(WHITE_BRUSH));
        SetBkMode(FDC, TRANSPARENT);
        SetTextColor(FDC, RGB(0, 0, 0));
        RECT r{0, 0, 200, 20};
        FillRect(FDC, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~TTextDC() {
        SelectObject(FDC, FOldBrush);
        SelectObject(FDC, FOldFont);
        SelectObject(FDC, FOldBitmap);
        DeleteObject(FBitmap);
        DeleteDC(FDC);
    }
    HDC Get() const { return FDC; }
    int Count(COLORREF c) const {
        int n = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 200; ++x) n += GetPixel(FDC, x, y) == c;
        return n;
    }
    int Inked() const { return 200 * 20 - Count(RGB(255, 255, 255)); }
    // Glyph edges may be smoothed: count the inked pixels whose strongest channel is channel
    // (0 red, 1 green, 2 blue; -1 grey) by a clear margin.
    int Tinted(int channel) const {
        int n = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 200; ++x) {
                COLORREF c = GetPixel(FDC, x, y);
                if (c == RGB(255, 255, 255)) continue;
                int v[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
                if (channel < 0) { n += std::abs(v[0] - v[1]) < 30 && std::abs(v[1] - v[2]) < 30; continue; }
                bool strongest = true;
                for (int k = 0; k < 3; ++k)
                    if (k != channel && v[channel] < v[k] + 60) strongest = false;
                n += strongest;
            }
        return n;
    }

private:
    TFont FFont;
    HDC FDC;
    HBITMAP FBitmap;
    HGDIOBJ FOldBitmap, FOldFont, FOldBrush;
};

struct TRendered {
    std::string Plain;
    int Width;
};

TRendered Render(HDC dc, const std::string& text) {
    TRendered r{};
    RECT rect{0, 0, 200, 20};
    RenderTaggedText(dc, rect, 0, text, false, r.Plain, r.Width, false);
    return r;
}

TEST(UiHTLabelTags, PlainTextIsTheLineWithoutItsTags) {
    struct { const char* In; const char* Plain; } cases[] = {
        {"<B>bold</b> plain", "bold plain"},
        {"<i>it</I><u>u</u>", "itu"},
        {"a<b", "a<b"},
        {"<x>y", "<x>y"},
        {"<c:Red>red", "red"},
        {"<c:$FF0000>x", "x"},
        {"<c:Nonsense>x", "x"},
        {"<c:Red", ""},
        {"1 < 2 <b>", "1 < 2 "},
        {"", ""},
    };
    for (const auto& c : cases) {
        TRendered r{};
        RECT rect{0, 0, 0, 0};
        RenderTaggedText(nullptr, rect, 0, c.In, false, r.Plain, r.Width, true);
        EXPECT_EQ(r.Plain, c.Plain) << c.In;
    }
}

TEST(UiHTLabelTags, BoldRunIsWiderAndTheFontComesBackAfterTheLine) {
    TTextDC dc;
    HGDIOBJ font = GetCurrentObject(dc.Get(), OBJ_FONT);
    int plain = Render(dc.Get(), "WWWW").Width;
    int bold = Render(dc.Get(), "<b>WWWW").Width;
    EXPECT_GT(bold, plain);
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), font);       // no bold carried to the next line
    EXPECT_EQ(GetTextColor(dc.Get()), RGB(0, 0, 0));
    EXPECT_EQ(Render(dc.Get(), "WWWW").Width, plain);
}

TEST(UiHTLabelTags, WidthIsTheRunWidthsPlusFour) {
    TTextDC dc;
    SIZE s{};
    GetTextExtentPoint32A(dc.Get(), "ab", 2, &s);
    EXPECT_EQ(MeasureTaggedText(dc.Get(), "a<u>b</u>"), s.cx + 4);
    EXPECT_EQ(MeasureTaggedText(dc.Get(), ""), 4);
}

TEST(UiHTLabelTags, ColourTagsPaintInTheirColourAndBadNamesKeepThePreviousOne) {
    constexpr int Red = 0, Blue = 2, Grey = -1;
    struct { const char* Text; int Ink; } cases[] = {
        {"<c:Red>WWW", Red},
        {"<c:red>WWW", Red},
        {"<c:$FF0000>WWW", Blue},                  // red in the low byte: $FF0000 is blue
        {"<c:Blue><c:Nonsense>WWW", Blue},
        {"<c:Blue><c:255>WWW", Blue},              // decimal is looked up as cl255
        {"<c:Blue><c:clRed>WWW", Blue},            // "clclRed"
        {"WWW", Grey},
    };
    for (const auto& c : cases) {
        TTextDC dc;
        Render(dc.Get(), c.Text);
        int inked = dc.Inked();
        ASSERT_GT(inked, 0) << c.Text;
        EXPECT_GT(dc.Tinted(c.Ink), inked / 2) << c.Text;
    }
}

TEST(UiHTLabelTags, ColourNamesFollowTheTableAndOnlyHexNumbers) {
    struct { const char* Name; bool Ok; TColor Value; } cases[] = {
        {"Red", true, 255}, {"NAVY", true, 8388608}, {"MoneyGreen", true, 12639424}, {"BtnFace", true, clBtnFace},
        {"$FF0000", true, 16711680}, {"$ff", true, 255}, {"255", false, 0}, {"clRed", false, 0}, {"", false, 0},
        {"$", false, 0}, {"$12G", false, 0}, {"Nonsense", false, 0}, {"None", true, clNone}, {"Default", true, clDefault},
    };
    for (const auto& c : cases) {
        TColor v = 0;
        EXPECT_EQ(ColorFromTagName(c.Name, v), c.Ok) << c.Name;
        if (c.Ok) {
            EXPECT_EQ(v, c.Value) << c.Name;
        }
    }
}

TEST(UiHTLabelTags, SeparatedItems) {
    struct { const char* Text; int Index; const char* Item; } cases[] = {
        {"Red>rest", 0, "Red"}, {"a>b>c", 2, "c"}, {"a>b>c", 3, ""}, {"a>b", -1, ""}, {"", 0, ""},
        {">x", 0, ""}, {"a>>b", 1, ""}, {"last", 0, "last"},
    };
    for (const auto& c : cases) EXPECT_EQ(ExtractSeparatedItem(c.Text, c.Index, ">"), c.Item) << c.Text << " " << c.Index;
}

TEST(UiHTLabelTags, CaptionLinesSplitAtEveryKindOfBreak) {
    EXPECT_EQ(CaptionLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(CaptionLines("a\r\n"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(CaptionLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(CaptionLines("").empty());
}

class UiHTLabelTest : public ::testing::Test {
protected:
    TControlHost Host;
    int LineHeight(TUiHTLabel* l) {
        TScopedGetDC dcGuard;
        HDC dc = dcGuard.Get();
        TScopedSelectObject font(dc, l->Font().Handle());
        SIZE s{};
        GetTextExtentPoint32A(dc, "W", 1, &s);
        return s.cy;
    }
};

TEST_F(UiHTLabelTest, AutoSizeFitsTheWidestRenderedLineAndEveryLine) {
    auto* l = Host.Add<TUiHTLabel>(10, 10, 50, 50);
    l->SetCaption("<b>short</b>\r\na much longer line\r\nmid");
    int widest = 0;
    {
        TScopedGetDC dc;
        TScopedSelectObject font(dc.Get(), l->Font().Handle());
        widest = MeasureTaggedText(dc.Get(), "a much longer line");
    }
    EXPECT_EQ(l->Width(), widest);
    EXPECT_EQ(l->Height(), 3 * LineHeight(l));
}

TEST_F(UiHTLabelTest, EmptyCaptionSizesToNothing) {
    auto* l = Host.Add<TUiHTLabel>(10, 10, 50, 50);
    l->SetCaption("x");
    l->SetCaption("");
    EXPECT_EQ(l->Width(), 0);
    EXPECT_EQ(l->Height(), 0);
}

TEST_F(UiHTLabelTest, RightAlignedAutoSizeKeepsTheRightEdge) {
    auto* l = Host.Add<TUiHTLabel>(10, 10, 50, 20);
    l->SetAutoSize(false);
    l->SetBounds(10, 10, 50, 20);
    l->SetAlignment(TAlignment::taRightJustify);
    l->SetCaption("a fairly long caption");
    l->SetAutoSize(true);
    EXPECT_EQ(l->Left() + l->Width(), 60);
}

TEST_F(UiHTLabelTest, BottomLayoutPutsTheLastLineOnTheBottom) {
    auto* l = Host.Add<TUiHTLabel>(10, 10, 100, 80);
    l->SetAutoSize(false);
    l->SetBounds(10, 10, 100, 80);
    l->SetColor(RGB(255, 255, 255));
    l->Font().SetColor(RGB(0, 0, 0));
    l->SetLayout(TTextLayout::tlBottom);
    l->SetCaption("W\r\nW\r\nWWWWWWWW");
    TSnapshot shot(l->WindowHandle());
    int h = LineHeight(l);
    int firstInkedRow = -1, lastInkedRow = -1;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            if (shot.Pixel(x, y) != RGB(255, 255, 255)) {
                if (firstInkedRow < 0) firstInkedRow = y;
                lastInkedRow = y;
            }
    EXPECT_GE(firstInkedRow, 80 - 3 * h);
    EXPECT_LT(lastInkedRow, 80);
    EXPECT_GE(lastInkedRow, 80 - h);
}

} // namespace
