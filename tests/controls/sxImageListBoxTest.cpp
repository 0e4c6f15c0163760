// tests/controls/sxImageListBoxTest.cpp -- line heights measured by the list box through
// WM_MEASUREITEM, lines drawn through WM_DRAWITEM into a bitmap of our own
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlTestHost.h"
#include "controls/sxImageListBox.h"
#include "desktop/GdiGuards.h"

namespace {

constexpr COLORREF Red = RGB(255, 0, 0), Green = RGB(0, 255, 0), Blue = RGB(0, 0, 255);
constexpr COLORREF TextColor = RGB(255, 0, 255);

const char* const LongText =
    "A long line of text that cannot fit on one line of a narrow list box and is wrapped at word "
    "boundaries onto as many lines as it needs, each of them shown in full.";

class TRecorder : public TObject {
public:
    void Measure(TObject*, int, int& height) { height = 40; }
    void Draw(TObject*, TCanvas&, int index, const RECT&, UINT) { Drawn.push_back(index); }
    std::vector<int> Drawn;
};

class sxImageListBoxTest : public ::testing::Test {
protected:
    TControlHost Host;
    TImageList* List = nullptr;
    TsxImageListBox* Box = nullptr;

    void SetUp() override {
        List = new TImageList(&Host.Form());
        for (COLORREF c : {Red, Green, Blue}) {
            HICON icon = SolidIcon(c);
            List->AddIcon(icon);
            DestroyIcon(icon);
        }
        Box = Host.Add<TsxImageListBox>(10, 10, 200, 200);
        Box->Font().SetColor(TextColor);
    }

    int LineHeight(int index) const {
        return static_cast<int>(SendMessageA(Box->WindowHandle(), LB_GETITEMHEIGHT, static_cast<WPARAM>(index), 0));
    }
    int SingleTextLineHeight() {
        TScopedGetDC dcGuard(Box->WindowHandle());
        HDC dc = dcGuard.Get();
        TScopedSelectObject font(dc, Box->Font().Handle());
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        return tm.tmHeight;
    }
    // Line index drawn as its parent would have the list box draw it, into rect on a bitmap.
    TSnapshot DrawLine(int index, const RECT& rect, UINT state = 0) {
        HWND box = Box->WindowHandle();
        return TSnapshot(rect.right, rect.bottom, [&](HDC dc) {
            DRAWITEMSTRUCT item{ODT_LISTBOX, static_cast<UINT>(GetDlgCtrlID(box)), static_cast<UINT>(index),
                                ODA_DRAWENTIRE, state, box, dc, rect, 0};
            SendMessageA(GetParent(box), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
        });
    }
};

TEST_F(sxImageListBoxTest, LinesAreAsHighAsTheirPictureOrTheirWrappedTextPlusMargins) {
    Box->SetImageList(List);
    Box->Items().Add("Short");
    Box->Items().Add(LongText);
    EXPECT_EQ(LineHeight(0), 16 + 2 * 2);
    EXPECT_GT(LineHeight(1), 3 * SingleTextLineHeight());

    Box->SetImageList(nullptr);
    EXPECT_EQ(LineHeight(0), SingleTextLineHeight() + 2 * 2);
}

TEST_F(sxImageListBoxTest, WrappedTextFitsTheLineItIsDrawnIn) {
    Box->SetImageList(List);
    Box->Items().Add(LongText);
    for (int i = 0; i < 20; ++i) Box->Items().Add("more");   // the scroll bar comes after the first line
    RECT client;
    GetClientRect(Box->WindowHandle(), &client);
    // Drawn at: the line less the indent of 2, the margins of 2, the picture and the spacing.
    RECT text{0, 0, client.right - 2 - 2 * 2 - 16 - 4, 0};
    TScopedGetDC dcGuard(Box->WindowHandle());
    HDC dc = dcGuard.Get();
    TScopedSelectObject font(dc, Box->Font().Handle());
    DrawTextA(dc, LongText, -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_GE(LineHeight(0) - 2 * 2, text.bottom);
}

TEST_F(sxImageListBoxTest, NegativeMarginAndSpacingCountAsZeroAndLinesAreMeasuredAgain) {
    Box->SetImageList(List);
    Box->Items().Add("Short");
    Box->SetMargin(-3);
    Box->SetSpacing(-1);
    EXPECT_EQ(Box->Margin(), 0);
    EXPECT_EQ(Box->Spacing(), 0);
    EXPECT_EQ(LineHeight(0), 16);
}

TEST_F(sxImageListBoxTest, LineObjectPicksThePictureAndAMissingPictureKeepsTheTextIndent) {
    Box->SetImageList(List);
    Box->SetImageIndexByObject(true);
    Box->Items().AddObject("Blue", reinterpret_cast<TObject*>(2));
    Box->Items().AddObject("None", reinterpret_cast<TObject*>(5));
    EXPECT_EQ(Box->GetItemImageIndex(0), 2);
    EXPECT_EQ(Box->GetItemImageIndex(1), 5);
    EXPECT_EQ(Box->GetItemImageIndex(2), -1);
    const RECT line{0, 0, 120, 20};
    const int pictureLeft = 2 + 2, textLeft = pictureLeft + 16 + 4;
    for (bool asIcon : {true, false}) {
        SCOPED_TRACE(asIcon ? "as icon" : "as bitmap");
        Box->SetImageListAsIcon(asIcon);
        TSnapshot blue = DrawLine(0, line);
        EXPECT_EQ(blue.Count(Blue, RECT{pictureLeft, 2, pictureLeft + 16, 18}), 16 * 16);
        TSnapshot none = DrawLine(1, line);
        EXPECT_EQ(none.Count(GetSysColor(COLOR_WINDOW), RECT{0, 0, textLeft, 20}), textLeft * 20);
        EXPECT_GT(none.Count(TextColor, RECT{textLeft, 0, 120, 20}), 0);
    }
}

TEST_F(sxImageListBoxTest, PictureSitsAtTopCentreOrBottomOfATallLine) {
    Box->SetImageList(List);
    Box->Items().Add("Red");
    const RECT line{0, 0, 100, 60};
    // Margin 2 all round: the picture's room runs from 2 to 58.
    const std::pair<TTextLayout, int> cases[] = {{TTextLayout::tlTop, 2}, {TTextLayout::tlCenter, 22}, {TTextLayout::tlBottom, 42}};
    for (const auto& [layout, top] : cases) {
        Box->SetImageLayout(layout);
        TSnapshot shot = DrawLine(0, line);
        SCOPED_TRACE(top);
        EXPECT_EQ(shot.Pixel(10, top), Red);
        EXPECT_EQ(shot.Pixel(10, top + 15), Red);
        EXPECT_NE(shot.Pixel(10, top - 1), Red);
        EXPECT_NE(shot.Pixel(10, top + 16), Red);
    }
}

TEST_F(sxImageListBoxTest, SelectedLineIsHighlightedUnlessSelectionIsHidden) {
    Box->Items().Add("Line");
    const RECT line{0, 0, 100, 20};
    EXPECT_EQ(DrawLine(0, line, ODS_SELECTED).Pixel(99, 0), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(DrawLine(0, line, 0).Pixel(99, 0), GetSysColor(COLOR_WINDOW));
    Box->SetHideSelection(true);
    EXPECT_EQ(DrawLine(0, line, ODS_SELECTED).Pixel(99, 0), GetSysColor(COLOR_WINDOW));
}

TEST_F(sxImageListBoxTest, FreeingTheImageListForgetsItAndMeasuresTheLinesAgain) {
    Box->SetImageList(List);
    Box->Items().Add("Short");
    Box->Items().SetObject(0, nullptr);
    delete List;
    List = nullptr;
    EXPECT_EQ(Box->ImageList(), nullptr);
    EXPECT_EQ(LineHeight(0), SingleTextLineHeight() + 2 * 2);
    DrawLine(0, RECT{0, 0, 100, 20});   // draws the text alone
}

TEST_F(sxImageListBoxTest, LargerFontMakesTallerLines) {
    Box->Items().Add("Line");
    int before = LineHeight(0);
    Box->Font().SetHeight(-30);
    EXPECT_GT(LineHeight(0), before + 10);
    EXPECT_EQ(LineHeight(0), SingleTextLineHeight() + 2 * 2);
}

TEST_F(sxImageListBoxTest, HandlersDecideHeightAndDrawing) {
    TRecorder recorder;
    Box->SetOnMeasureItem(TMeasureItemEvent(&recorder, &TRecorder::Measure));
    Box->SetOnDrawItem(TDrawItemEvent(&recorder, &TRecorder::Draw));
    Box->Items().Add("Line");
    EXPECT_EQ(LineHeight(0), 40);
    TSnapshot shot = DrawLine(0, RECT{0, 0, 100, 20});
    EXPECT_EQ(recorder.Drawn, std::vector<int>{0});
    EXPECT_EQ(shot.Count(RGB(0, 0, 0)), 100 * 20);   // nothing drawn but by the handler
}

TEST_F(sxImageListBoxTest, SelectionAndLinesSurviveTheNewWindowOfAStyleChange) {
    Box->Items().Add("One");
    Box->Items().Add("Two");
    Box->SetItemIndex(1);
    HWND before = Box->WindowHandle();
    Box->SetImageList(List);
    EXPECT_NE(Box->WindowHandle(), before);
    EXPECT_EQ(SendMessageA(Box->WindowHandle(), LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(Box->ItemIndex(), 1);
}

} // namespace
