// tests/controls/sxEditTest.cpp -- the flat border (drawn into a bitmap the window's size),
// colours of a disabled flat edit, alignment styles, Enter and Escape of a multi-line edit
#include <gtest/gtest.h>

#include "ControlTestHost.h"
#include "controls/sxEdit.h"
#include "desktop/Button.h"
#include "desktop/Panel.h"

namespace {

constexpr COLORREF PanelColor = RGB(0, 128, 0);

// An edit whose window has the multi-line style, as Windows 95 and NT 4 give an aligned one.
class TMultiLineEdit : public TsxEdit {
public:
    using TsxEdit::TsxEdit;
protected:
    void CreateParams(TCreateParams& params) override {
        TsxEdit::CreateParams(params);
        params.Style |= ES_MULTILINE;
    }
};

class sxEditTest : public ::testing::Test {
protected:
    TControlHost Host;
    TPanel* Panel = nullptr;
    TsxEdit* Edit = nullptr;

    void SetUp() override {
        Panel = Host.Add<TPanel>(0, 0, 300, 200);
        Panel->SetColor(PanelColor);
        Edit = new TsxEdit(&Host.Form());
        Edit->SetBounds(10, 10, 120, 21);
        Edit->SetParent(Panel);
        Edit->SetFlat(true);
    }
    TSnapshot Border() {
        return TSnapshot(Edit->Width(), Edit->Height(), [this](HDC dc) { Edit->DrawFlatBorder(dc); });
    }
    // The two outer rings blend with the parent: no border to be seen.
    static bool Invisible(const TSnapshot& s) {
        int w = s.Width(), h = s.Height();
        return s.Pixel(0, 0) == PanelColor && s.Pixel(w - 1, h - 1) == PanelColor && s.Pixel(1, 1) == PanelColor &&
               s.Pixel(w - 2, h - 2) == PanelColor && s.Pixel(2, 2) == GetSysColor(COLOR_WINDOW);
    }
    // A sunken edge: shadow above and left, light below and right.
    static bool Sunken(const TSnapshot& s) {
        int w = s.Width(), h = s.Height();
        return s.Pixel(0, 0) == GetSysColor(COLOR_BTNSHADOW) && s.Pixel(w - 1, h - 1) == GetSysColor(COLOR_BTNHIGHLIGHT) &&
               s.Pixel(1, 1) == GetSysColor(COLOR_BTNFACE);
    }
};

TEST_F(sxEditTest, FlatBorderShowsOnlyWhileTheMouseIsOver) {
    EXPECT_TRUE(Invisible(Border()));
    SendMessageA(Edit->WindowHandle(), WM_MOUSEMOVE, 0, PointParam(5, 5));
    EXPECT_TRUE(Edit->MouseOver());
    EXPECT_TRUE(Sunken(Border()));
    SendMessageA(Edit->WindowHandle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(Invisible(Border()));

    Edit->SetFocusBorder(false);
    SendMessageA(Edit->WindowHandle(), WM_MOUSEMOVE, 0, PointParam(5, 5));
    EXPECT_TRUE(Invisible(Border()));
}

TEST_F(sxEditTest, FlatBorderShowsWhileTheEditHasTheFocus) {
    SetFocus(Edit->WindowHandle());
    ASSERT_EQ(GetFocus(), Edit->WindowHandle());
    EXPECT_TRUE(Sunken(Border()));
    SetFocus(Host.Form().WindowHandle());
    EXPECT_TRUE(Invisible(Border()));
}

TEST_F(sxEditTest, DisabledFlatEditTakesItsParentsColourAndGetsItsOwnBack) {
    Edit->SetColor(RGB(250, 250, 200));
    Edit->SetEnabled(false);
    EXPECT_EQ(ColorToRGB(Edit->EffectiveColor()), PanelColor);
    Edit->SetEnabled(true);
    EXPECT_EQ(Edit->Color(), RGB(250, 250, 200));
    EXPECT_FALSE(Edit->ParentColor());

    Edit->SetEnabled(false);
    Edit->SetFlat(false);                   // no longer flat: its own colour again
    EXPECT_EQ(ColorToRGB(Edit->EffectiveColor()), RGB(250, 250, 200));
    Edit->SetFlat(true);
    EXPECT_EQ(ColorToRGB(Edit->EffectiveColor()), PanelColor);
}

TEST_F(sxEditTest, AlignedTextIsOneLineOnWindows2000AndLater) {
    const std::pair<TAlignment, DWORD> cases[] = {
        {TAlignment::taLeftJustify, ES_LEFT}, {TAlignment::taRightJustify, ES_RIGHT}, {TAlignment::taCenter, ES_CENTER}};
    for (const auto& [alignment, style] : cases) {
        Edit->SetAlignment(alignment);
        DWORD actual = static_cast<DWORD>(GetWindowLongA(Edit->WindowHandle(), GWL_STYLE));
        EXPECT_EQ(actual & (ES_LEFT | ES_RIGHT | ES_CENTER), style);
        EXPECT_FALSE(actual & ES_MULTILINE);
    }
}

TEST_F(sxEditTest, EnterAndEscapeOfAMultiLineEditReachTheFormsButtonsAndEnterAddsNoLine) {
    auto* edit = new TMultiLineEdit(&Host.Form());
    edit->SetParent(Panel);
    edit->SetText("text");
    TEventCounter ok, cancel;
    auto* okButton = new TButton(&Host.Form());
    okButton->SetParent(Panel);
    okButton->SetDefault(true);
    okButton->OnClick = ok.Event();
    auto* cancelButton = new TButton(&Host.Form());
    cancelButton->SetParent(Panel);
    cancelButton->SetCancel(true);
    cancelButton->OnClick = cancel.Event();

    SendMessageA(edit->WindowHandle(), WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(ok.Count, 1);
    EXPECT_EQ(edit->Text(), "text");
    SendMessageA(edit->WindowHandle(), WM_CHAR, VK_ESCAPE, 0);
    EXPECT_EQ(cancel.Count, 1);
    EXPECT_EQ(ok.Count, 1);
}

TEST_F(sxEditTest, CentredTextIsSelectedWholeWhenTheFocusComes) {
    Edit->SetAlignment(TAlignment::taCenter);
    Edit->SetText("12345");
    SetFocus(Edit->WindowHandle());
    DWORD start = 0, end = 0;
    SendMessageA(Edit->WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);
}

} // namespace
