// tests/controls/UiButtonTest.cpp -- the hot-track push button through real mouse messages:
// font and hint colour while hovered, the drop-down menu, wrapping and its notifications
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "ControlTestHost.h"
#include "RecordingMenu.h"
#include "controls/UiButton.h"
#include "desktop/Application.h"

namespace {

class TEventLog : public TObject {
public:
    std::vector<std::string> Seen;
    void Enter(TObject*) { Seen.push_back("enter"); }
    void Leave(TObject*) { Seen.push_back("leave"); }
    void Click(TObject*) { Seen.push_back("click"); }
    void Ctl3D(TObject*) { Seen.push_back("ctl3d"); }
    void ParentColor(TObject*) { Seen.push_back("parentcolor"); }
};

class UiButtonTest : public ::testing::Test {
protected:
    TControlHost Host;
    TUiButton* B = nullptr;
    TEventLog Log;
    TColor AppHintColor = clInfoBk;

    void SetUp() override {
        AppHintColor = Application->HintColor();
        B = Host.Add<TUiButton>(10, 10, 90, 25);
        B->SetCaption("Go");
        B->Font().SetName("Tahoma");
        B->Font().SetHeight(-11);
        B->HotTrackFont().SetName("Arial");
        B->HotTrackFont().SetHeight(-14);
        B->HotTrackFont().SetStyle(fsBold | fsUnderline);
        B->HotTrackFont().SetColor(clRed);
        B->OnMouseEnter = TNotifyEvent(&Log, &TEventLog::Enter);
        B->OnMouseLeave = TNotifyEvent(&Log, &TEventLog::Leave);
    }
    void TearDown() override { Application->SetHintColor(AppHintColor); }
    void Enter() { SendMessageA(B->WindowHandle(), WM_MOUSEMOVE, 0, PointParam(5, 5)); }
    void Leave() { SendMessageA(B->WindowHandle(), WM_MOUSELEAVE, 0, 0); }
    HFONT WindowFont() { return reinterpret_cast<HFONT>(SendMessageA(B->WindowHandle(), WM_GETFONT, 0, 0)); }
};

TEST_F(UiButtonTest, HotTrackFontWhileHoveredAndTheOldFontAfterLeaving) {
    B->SetHotTrack(true);
    Enter();
    EXPECT_TRUE(B->MouseOver());
    EXPECT_EQ(B->Font().Name(), "Arial");
    EXPECT_EQ(B->Font().Style(), unsigned(fsBold | fsUnderline));
    EXPECT_EQ(B->Font().Color(), clRed);
    EXPECT_EQ(WindowFont(), B->Font().Handle());      // the window draws with it
    Enter();                                           // further moves are no new enter
    Leave();
    EXPECT_FALSE(B->MouseOver());
    EXPECT_EQ(B->Font().Name(), "Tahoma");
    EXPECT_EQ(B->Font().Height(), -11);
    EXPECT_EQ(B->Font().Style(), 0u);
    EXPECT_EQ(Log.Seen, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(UiButtonTest, AFontChangedWhileHoveredGivesWayToThePreHoverFont) {
    B->SetHotTrack(true);
    Enter();
    B->Font().SetName("Courier New");
    Leave();
    EXPECT_EQ(B->Font().Name(), "Tahoma");
}

TEST_F(UiButtonTest, WithoutHotTrackTheFontStaysButTheHintColourStillSwitches) {
    B->SetHintColor(clLime);
    Application->SetHintColor(clYellow);
    Enter();
    EXPECT_EQ(B->Font().Name(), "Tahoma");
    EXPECT_EQ(Application->HintColor(), clLime);
    Leave();
    EXPECT_EQ(Application->HintColor(), clYellow);
    EXPECT_EQ(Log.Seen, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(UiButtonTest, HotTrackSwitchedOffWhileHoveredStillGivesTheFontBack) {
    B->SetHotTrack(true);
    Enter();
    B->SetHotTrack(false);
    Leave();
    EXPECT_EQ(B->Font().Name(), "Tahoma");
    // And switched on while hovered, nothing was saved: the leave leaves the font alone.
    Enter();
    B->SetHotTrack(true);
    B->Font().SetName("Verdana");
    Leave();
    EXPECT_EQ(B->Font().Name(), "Verdana");
}

TEST_F(UiButtonTest, ALeaveWithoutAnEnterRestoresNothing) {
    B->SetHotTrack(true);
    Application->SetHintColor(clYellow);
    Leave();
    EXPECT_EQ(B->Font().Name(), "Tahoma");
    EXPECT_EQ(Application->HintColor(), clYellow);
    EXPECT_TRUE(Log.Seen.empty());
}

TEST_F(UiButtonTest, LongCaptionsWrap) {
    EXPECT_TRUE(GetWindowLongA(B->WindowHandle(), GWL_STYLE) & BS_MULTILINE);
}

TEST_F(UiButtonTest, AClickOpensTheDropDownMenuBelowTheButtonAndDropsTheHoverState) {
    auto* menu = new TRecordingMenu(&Host.Form());
    B->SetDropDownMenu(menu);
    B->SetHotTrack(true);
    B->OnClick = TNotifyEvent(&Log, &TEventLog::Click);
    Enter();
    B->Click();
    ASSERT_EQ(menu->Popups.size(), 1u);
    EXPECT_EQ(menu->Popups[0], BelowLowerLeft(*B));
    EXPECT_FALSE(B->MouseOver());
    EXPECT_EQ(B->Font().Name(), "Tahoma");
    EXPECT_EQ(Log.Seen, (std::vector<std::string>{"enter", "click", "leave"}));
    // The next move over the button is an enter again.
    Enter();
    EXPECT_TRUE(B->MouseOver());
}

TEST_F(UiButtonTest, AFreedDropDownMenuIsForgotten) {
    auto* menu = new TRecordingMenu(&Host.Form());
    B->SetDropDownMenu(menu);
    delete menu;
    EXPECT_EQ(B->DropDownMenu(), nullptr);
    B->Click();                                        // no menu, no crash
}

TEST_F(UiButtonTest, ParentColourAnd3DLookChangesAreReported) {
    B->OnParentColorChange = TNotifyEvent(&Log, &TEventLog::ParentColor);
    B->OnCtl3DChanged = TNotifyEvent(&Log, &TEventLog::Ctl3D);
    Host.Form().SetColor(clAqua);
    Host.Form().SetColor(clAqua);                      // the same colour again: no change
    SendMessageA(B->WindowHandle(), CM_CTL3DCHANGED, 0, 0);
    EXPECT_EQ(Log.Seen, (std::vector<std::string>{"parentcolor", "ctl3d"}));
}

} // namespace
