// tests/controls/sxGroupBoxTest.cpp -- the caption's check box enabling and disabling the group
#include <gtest/gtest.h>

#include <string>

#include "ControlTestHost.h"
#include "controls/sxGroupBox.h"
#include "desktop/Button.h"
#include "desktop/Edit.h"
#include "desktop/GdiGuards.h"

namespace {

class sxGroupBoxTest : public ::testing::Test {
protected:
    TControlHost Host;
    TsxGroupBox* Group = nullptr;
    TEdit* Edit = nullptr;
    TButton* Button = nullptr;
    TEventCounter Counter;

    void SetUp() override {
        Group = Host.Add<TsxGroupBox>(10, 10, 200, 120);
        Group->SetCaption("Options");
        Edit = new TEdit(&Host.Form());
        Edit->SetBounds(10, 30, 100, 21);
        Edit->SetParent(Group);
        Button = new TButton(&Host.Form());
        Button->SetBounds(10, 60, 75, 25);
        Button->SetParent(Group);
        Group->SetOnCheckBoxClick(Counter.Event());
    }
    // What the user does: a click on the check box's window.
    void ClickCheckBox() { SendMessageA(Group->CheckBox().WindowHandle(), BM_CLICK, 0, 0); }
    bool ChildrenEnabled() const {
        return IsWindowEnabled(Edit->WindowHandle()) && IsWindowEnabled(Button->WindowHandle()) && Edit->Enabled() &&
               Button->Enabled();
    }
    bool ChildrenDisabled() const {
        return !IsWindowEnabled(Edit->WindowHandle()) && !IsWindowEnabled(Button->WindowHandle());
    }
};

TEST_F(sxGroupBoxTest, UntickingDisablesEveryChildAndTickingEnablesThemAgain) {
    ASSERT_TRUE(Group->CheckBoxChecked());
    ClickCheckBox();
    EXPECT_FALSE(Group->CheckBoxChecked());
    EXPECT_TRUE(ChildrenDisabled());
    EXPECT_TRUE(IsWindowEnabled(Group->CheckBox().WindowHandle()));
    EXPECT_EQ(Counter.Count, 1);
    EXPECT_EQ(Counter.Sender, Group);
    ClickCheckBox();
    EXPECT_TRUE(ChildrenEnabled());
    EXPECT_EQ(Counter.Count, 2);
}

TEST_F(sxGroupBoxTest, TickingLeavesChildrenDisabledWhileTheGroupBoxIsDisabled) {
    Group->SetCheckBoxChecked(false);
    EXPECT_EQ(Counter.Count, 1);            // a change from the program tells too
    Group->SetEnabled(false);
    Group->SetCheckBoxChecked(true);
    EXPECT_TRUE(ChildrenDisabled());
}

TEST_F(sxGroupBoxTest, WithoutVisibleCheckBoxChildrenFollowTheGroupBox) {
    Group->SetCheckBoxChecked(false);
    Group->SetCheckBoxVisible(false);
    Group->SetAutoDisableControls(true);
    EXPECT_TRUE(ChildrenEnabled());         // unticked, but the box is not shown
    Group->SetEnabled(false);
    Group->SetAutoDisableControls(true);
    EXPECT_TRUE(ChildrenDisabled());
}

TEST_F(sxGroupBoxTest, WithoutAutoDisableChildrenKeepTheirState) {
    Group->SetAutoDisableControls(false);
    ClickCheckBox();
    EXPECT_FALSE(Group->CheckBoxChecked());
    EXPECT_TRUE(ChildrenEnabled());
    EXPECT_EQ(Counter.Count, 1);
}

TEST_F(sxGroupBoxTest, InsideOfTheGroupIsPaintedInItsParentsColour) {
    Host.Form().SetColor(RGB(0, 128, 0));
    HWND group = Group->WindowHandle();
    TSnapshot inside(Group->Width(), Group->Height(), [group](HDC dc) { SendMessageA(group, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0); });
    EXPECT_EQ(inside.Count(RGB(0, 128, 0)), Group->Width() * Group->Height());
}

TEST_F(sxGroupBoxTest, CheckBoxCoversTheCaptionAndIsAsHighAsItsTextButNotBelowItsGlyph) {
    auto textSize = [this](const std::string& text) {
        TScopedGetDC dcGuard(Group->WindowHandle());
        HDC dc = dcGuard.Get();
        TScopedSelectObject font(dc, Group->Font().Handle());
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    };
    TCheckBox& box = Group->CheckBox();
    Group->Font().SetHeight(-20);
    Group->SetCaption("Scan archives");
    SIZE text = textSize("Scan archives");
    ASSERT_GE(text.cy, 20);
    EXPECT_EQ(box.Caption(), "Scan archives");
    EXPECT_EQ(box.Left(), 8);
    EXPECT_EQ(box.Top(), 0);
    EXPECT_EQ(box.Width(), text.cx + 13 + 6);
    EXPECT_EQ(box.Height(), text.cy);

    Group->Font().SetHeight(-7);
    Group->SetCaption("On");
    ASSERT_LT(textSize("On").cy, 13);
    EXPECT_EQ(box.Height(), 13);
}

} // namespace
