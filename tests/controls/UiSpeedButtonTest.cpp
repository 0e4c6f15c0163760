// tests/controls/UiSpeedButtonTest.cpp -- the hot-track speed button: hot glyph and font while
// hovered, ending a modal window with its ModalResult, or else dropping its menu
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "../desktop/ModalDriver.h"
#include "ControlTestHost.h"
#include "RecordingMenu.h"
#include "controls/UiSpeedButton.h"
#include "desktop/Application.h"
#include "desktop/Form.h"

namespace {

// A solid bitmap of one colour, to tell glyphs apart.
void SetSolid(TPicture& picture, int size, unsigned rgb) {
    picture.LoadFromData(sxtest::MakeBmp(size, size, 24, [rgb](int, int) { return rgb; }));
}

class UiSpeedButtonTest : public ::testing::Test {
protected:
    TControlHost Host;
    TUiSpeedButton* B = nullptr;
    TColor AppHintColor = clInfoBk;

    void SetUp() override {
        AppHintColor = Application->HintColor();
        B = Host.Add<TUiSpeedButton>(10, 10, 80, 25);
        B->SetCaption("Go");
        SetSolid(B->HotGlyph(), 16, 0xFF0000);
    }
    void TearDown() override { Application->SetHintColor(AppHintColor); }
    void Enter() { SendMessageA(B->WindowHandle(), WM_MOUSEMOVE, 0, PointParam(5, 5)); }
    void Leave() { SendMessageA(B->WindowHandle(), WM_MOUSELEAVE, 0, 0); }
    COLORREF GlyphPixel() { return B->Glyph().Empty() ? CLR_INVALID : sxtest::PixelOfDrawing(16, 16, 8, 8, [&](HDC dc) {
        B->Glyph().Draw(dc, RECT{0, 0, 16, 16}, false);
    }); }
};

TEST_F(UiSpeedButtonTest, TheHotGlyphShowsWhileHoveredAndTheButtonsOwnComesBack) {
    SetSolid(B->Glyph(), 16, 0x0000FF);
    Enter();
    EXPECT_TRUE(B->MouseInControl());
    EXPECT_EQ(GlyphPixel(), RGB(255, 0, 0));
    Leave();
    EXPECT_FALSE(B->MouseInControl());
    EXPECT_EQ(GlyphPixel(), RGB(0, 0, 255));
}

TEST_F(UiSpeedButtonTest, AButtonWithoutAGlyphOfItsOwnIsLeftWithoutOneAfterTheHover) {
    Enter();
    EXPECT_FALSE(B->Glyph().Empty());
    Leave();
    EXPECT_TRUE(B->Glyph().Empty());
}

TEST_F(UiSpeedButtonTest, HotTrackFontAndHintColourWhileHovered) {
    B->SetHotTrack(true);
    B->HotTrackFont().SetName("Arial");
    B->Font().SetName("Tahoma");
    B->SetHintColor(clLime);
    Application->SetHintColor(clYellow);
    Enter();
    EXPECT_EQ(B->Font().Name(), "Arial");
    EXPECT_EQ(Application->HintColor(), clLime);
    Leave();
    EXPECT_EQ(B->Font().Name(), "Tahoma");
    EXPECT_EQ(Application->HintColor(), clYellow);
}

TEST_F(UiSpeedButtonTest, AModalResultEndsTheModalWindowWithIt) {
    TForm form(nullptr);
    form.SetBounds(100, 100, 200, 100);
    auto* button = new TUiSpeedButton(&form);
    button->SetBounds(10, 10, 75, 25);
    button->SetParent(&form);
    button->SetModalResult(2);
    auto* menu = new TRecordingMenu(&form);
    button->SetDropDownMenu(menu);
    sxtest::TModalDriver driver([&] {
        if (!form.IsModal()) return false;
        // A real press and release inside the button.
        SendMessageA(button->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(5, 5));
        SendMessageA(button->WindowHandle(), WM_LBUTTONUP, 0, PointParam(5, 5));
        return true;
    });
    EXPECT_EQ(form.ShowModal(), 2);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_TRUE(menu->Popups.empty());             // the modal result wins over the menu
}

TEST_F(UiSpeedButtonTest, WithoutAModalResultTheMenuOpensUnderTheLowerLeftCorner) {
    auto* menu = new TRecordingMenu(&Host.Form());
    B->SetDropDownMenu(menu);
    Enter();
    B->Click();
    ASSERT_EQ(menu->Popups.size(), 1u);
    EXPECT_EQ(menu->Popups[0], BelowLowerLeft(*B));
    EXPECT_FALSE(B->MouseOver());
    EXPECT_TRUE(B->Glyph().Empty());
}

TEST_F(UiSpeedButtonTest, AReleaseOutsideTheButtonIsNoClick) {
    int clicks = 0;
    struct TCounter : TObject { int* N; void Click(TObject*) { ++*N; } } counter;
    counter.N = &clicks;
    B->OnClick = TNotifyEvent(&counter, &TCounter::Click);
    SendMessageA(B->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(5, 5));
    SendMessageA(B->WindowHandle(), WM_LBUTTONUP, 0, PointParam(200, 5));
    EXPECT_EQ(clicks, 0);
    SendMessageA(B->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(5, 5));
    SendMessageA(B->WindowHandle(), WM_LBUTTONUP, 0, PointParam(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_NE(GetFocus(), B->WindowHandle());          // a speed button never takes the focus
}

} // namespace
