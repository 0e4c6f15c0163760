// tests/controls/sxComboBoxTest.cpp -- line heights with pictures, lines drawn through
// WM_DRAWITEM, the dropped list's width, and the flat drop-down button and border
#include <gtest/gtest.h>

#include "ControlTestHost.h"
#include "controls/sxComboBox.h"
#include "desktop/GdiGuards.h"
#include "desktop/Panel.h"

namespace {

constexpr COLORREF Red = RGB(255, 0, 0), Green = RGB(0, 255, 0), Blue = RGB(0, 0, 255);
constexpr COLORREF TextColor = RGB(255, 0, 255);
constexpr COLORREF PanelColor = RGB(0, 128, 0);

int ScreenTextHeight(const TFont& font) {
    TScopedGetDC screenGuard;
    HDC screen = screenGuard.Get();
    TScopedSelectObject selected(screen, font.Handle());
    TEXTMETRICA tm{};
    GetTextMetricsA(screen, &tm);
    return tm.tmHeight;
}

class sxComboBoxTest : public ::testing::Test {
protected:
    TControlHost Host;
    TPanel* Panel = nullptr;
    TImageList* List = nullptr;
    TsxComboBox* Combo = nullptr;

    void SetUp() override {
        Panel = Host.Add<TPanel>(0, 0, 300, 200);
        Panel->SetColor(PanelColor);
        List = new TImageList(&Host.Form());
        for (COLORREF c : {Red, Green, Blue}) {
            HICON icon = SolidIcon(c);
            List->AddIcon(icon);
            DestroyIcon(icon);
        }
        Combo = new TsxComboBox(&Host.Form());
        Combo->SetBounds(10, 10, 150, 21);
        Combo->SetParent(Panel);
        Combo->Font().SetColor(TextColor);
        Combo->SetItems({"zero", "one", "two", "three", "four", "five"});
    }
    int ItemHeight() const { return static_cast<int>(SendMessageA(Combo->WindowHandle(), CB_GETITEMHEIGHT, 0, 0)); }
    TSnapshot DrawLine(int index, const RECT& rect) {
        HWND combo = Combo->WindowHandle();
        return TSnapshot(rect.right, rect.bottom, [&](HDC dc) {
            DRAWITEMSTRUCT item{ODT_COMBOBOX, static_cast<UINT>(GetDlgCtrlID(combo)), static_cast<UINT>(index),
                                ODA_DRAWENTIRE, 0, combo, dc, rect, 0};
            SendMessageA(GetParent(combo), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
        });
    }
};

TEST_F(sxComboBoxTest, LinesAreAsHighAsThePicturesOrTheFontWhicheverIsTaller) {
    Combo->Font().SetSize(8);
    Combo->SetImageList(List);
    ASSERT_LT(ScreenTextHeight(Combo->Font()) + 2, 16);
    EXPECT_EQ(ItemHeight(), 16);
    Combo->Font().SetHeight(-30);
    EXPECT_EQ(ItemHeight(), ScreenTextHeight(Combo->Font()) + 2);
    // Tiny pictures and a tiny font: never below 7.
    auto* tiny = new TImageList(&Host.Form());
    tiny->SetWidth(4);
    tiny->SetHeight(4);
    Combo->SetImageList(tiny);
    Combo->Font().SetHeight(-3);
    ASSERT_LT(ScreenTextHeight(Combo->Font()) + 2, 7);
    EXPECT_EQ(ItemHeight(), 7);
}

TEST_F(sxComboBoxTest, ImageListMakesTheLinesOwnerDrawnAndKeepsTheSelection) {
    Combo->SetItemIndex(4);
    Combo->SetImageList(List);
    EXPECT_TRUE(GetWindowLongA(Combo->WindowHandle(), GWL_STYLE) & CBS_OWNERDRAWFIXED);
    EXPECT_EQ(Combo->ItemIndex(), 4);
    EXPECT_EQ(Combo->Text(), "four");
    delete List;                            // the lines go back to plain text
    List = nullptr;
    EXPECT_EQ(Combo->ImageList(), nullptr);
    EXPECT_FALSE(GetWindowLongA(Combo->WindowHandle(), GWL_STYLE) & CBS_OWNERDRAWFIXED);
}

TEST_F(sxComboBoxTest, LineShowsItsPictureAndALineBeyondThePicturesKeepsTheIndent) {
    Combo->SetImageList(List);
    const RECT line{0, 0, 150, 16};
    for (bool asIcon : {true, false}) {
        SCOPED_TRACE(asIcon ? "as icon" : "as bitmap");
        Combo->SetImageListAsIcon(asIcon);
        TSnapshot one = DrawLine(1, line);
        EXPECT_EQ(one.Count(Green, RECT{2, 0, 18, 16}), 16 * 16);
        TSnapshot five = DrawLine(5, line);
        const int textLeft = 2 + 16 + 2;
        EXPECT_EQ(five.Count(GetSysColor(COLOR_WINDOW), RECT{0, 0, textLeft, 16}), textLeft * 16);
        EXPECT_GT(five.Count(TextColor, RECT{textLeft, 0, 150, 16}), 0);
    }
}

TEST_F(sxComboBoxTest, DroppedListTakesItsWidthAndKeepsItInANewWindow) {
    Combo->SetListWidth(300);
    EXPECT_EQ(Combo->ListWidth(), 300);
    Combo->SetImageList(List);              // a new window
    EXPECT_EQ(Combo->ListWidth(), 300);
    Combo->SetListWidth(20);                // never narrower than the control
    EXPECT_GE(Combo->ListWidth(), Combo->Width());
}

TEST_F(sxComboBoxTest, FlatButtonAndBorderLightUpWhileTheMouseIsOver) {
    Combo->SetFlat(true);
    RECT button = Combo->DropDownButtonRect();
    auto look = [this] { return TSnapshot(Combo->WindowHandle()); };
    TSnapshot quiet = look();
    EXPECT_EQ(quiet.Pixel(0, 0), PanelColor);
    EXPECT_EQ(quiet.Pixel(1, 1), PanelColor);
    EXPECT_EQ(quiet.Pixel(button.left, button.top), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(quiet.Pixel(button.right - 1, button.bottom - 1), GetSysColor(COLOR_BTNHIGHLIGHT));

    SendMessageA(Combo->WindowHandle(), WM_MOUSEMOVE, 0, PointParam(5, 5));
    TSnapshot lit = look();
    EXPECT_EQ(lit.Pixel(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(lit.Pixel(button.left, button.top), GetSysColor(COLOR_3DLIGHT));       // raised
    EXPECT_EQ(lit.Pixel(button.right - 1, button.bottom - 1), GetSysColor(COLOR_3DDKSHADOW));
    Combo->SetEtched(true);
    EXPECT_EQ(look().Pixel(button.left, button.top), GetSysColor(COLOR_BTNSHADOW));   // etched

    SendMessageA(Combo->WindowHandle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(look() == quiet);
}

} // namespace
