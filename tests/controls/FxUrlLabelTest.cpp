// tests/controls/FxUrlLabelTest.cpp -- link-label colour states through real mouse messages,
// what a click opens, the stored colours, and the hand cursors
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlTestHost.h"
#include "controls/FxUrlLabel.h"

namespace {

constexpr TColor Unvisited = 12080455, Visited = 7429194, Hovered = 5425660, Activated = 255;

// Records what the label would hand to the shell.
class TTestUrlLabel : public TFxUrlLabel {
public:
    using TFxUrlLabel::TFxUrlLabel;
    std::vector<std::string> Opened;
protected:
    void OpenTarget(const std::string& target) override { Opened.push_back(target); }
};

class FxUrlLabelTest : public ::testing::Test {
protected:
    TControlHost Host;
    TTestUrlLabel* L = nullptr;
    void SetUp() override {
        L = Host.Add<TTestUrlLabel>(10, 10, 80, 16);
        L->SetCaption("Home");
        L->SetAutoSize(false);
        L->SetBounds(10, 10, 80, 16);
        L->SetUnvisitedColor(Unvisited);
        L->SetVisitedColor(Visited);
        L->SetHoveredColor(Hovered);
    }
    void Send(UINT msg, int x = 5, int y = 5) { SendMessageA(L->WindowHandle(), msg, 0, PointParam(x, y)); }
    void Enter() { Send(WM_MOUSEMOVE); }
    void Leave() { SendMessageA(L->WindowHandle(), WM_MOUSELEAVE, 0, 0); }
    void Press() { Send(WM_LBUTTONDOWN); }
    void Release(int x = 5, int y = 5) { Send(WM_LBUTTONUP, x, y); }
    bool Underlined() { return (L->Font().Style() & fsUnderline) != 0; }
};

TEST_F(FxUrlLabelTest, ColourFollowsEachStepOfAClickWithoutHover) {
    EXPECT_EQ(L->Font().Color(), Unvisited);
    Enter();
    EXPECT_EQ(L->Font().Color(), Unvisited);
    Press();
    EXPECT_EQ(L->Font().Color(), Activated);
    Release();
    EXPECT_EQ(L->Font().Color(), Visited);
    EXPECT_TRUE(L->Visited());
    EXPECT_FALSE(L->Pressed());
    Leave();
    EXPECT_EQ(L->Font().Color(), Visited);
    EXPECT_TRUE(Underlined());
    ASSERT_EQ(L->Opened.size(), 1u);
    EXPECT_EQ(L->Opened[0], "Home");          // no URL: the caption is opened
}

TEST_F(FxUrlLabelTest, WithHoverTheLabelStaysHoveredAfterAClickUntilThePointerLeaves) {
    L->SetCanHover(true);
    EXPECT_FALSE(Underlined());
    Enter();
    EXPECT_EQ(L->Font().Color(), Hovered);
    EXPECT_TRUE(Underlined());
    Press();
    EXPECT_EQ(L->Font().Color(), Activated);
    Release();
    EXPECT_EQ(L->Font().Color(), Hovered);
    Leave();
    EXPECT_EQ(L->Font().Color(), Visited);
    EXPECT_FALSE(Underlined());
}

TEST_F(FxUrlLabelTest, ReleasesThatAreNotCompletedClicksOpenNothing) {
    struct { const char* Name; bool Press; int X, Y; TColor Colour; } cases[] = {
        {"dragged out left", true, -1, 5, Unvisited},
        {"dragged out below", true, 5, 17, Unvisited},
        {"press started elsewhere", false, 5, 5, Unvisited},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        if (c.Press) Press();
        Release(c.X, c.Y);
        EXPECT_EQ(L->Font().Color(), c.Colour);
        EXPECT_FALSE(L->Pressed());
        EXPECT_FALSE(L->Visited());
        EXPECT_TRUE(L->Opened.empty());
    }
}

TEST_F(FxUrlLabelTest, ReleaseOnTheRightAndBottomEdgeCountsAsInside) {
    Press();
    Release(80, 16);
    EXPECT_TRUE(L->Visited());
    EXPECT_EQ(L->Opened.size(), 1u);
}

TEST_F(FxUrlLabelTest, RightButtonChangesNothing) {
    Send(WM_RBUTTONDOWN);
    Send(WM_RBUTTONUP);
    EXPECT_EQ(L->Font().Color(), Unvisited);
    EXPECT_TRUE(L->Opened.empty());
}

TEST_F(FxUrlLabelTest, TheUrlIsOpenedRatherThanTheCaption) {
    L->SetURL("http://update.example/");
    Press();
    Release();
    ASSERT_EQ(L->Opened.size(), 1u);
    EXPECT_EQ(L->Opened[0], "http://update.example/");
}

TEST_F(FxUrlLabelTest, EmptyUrlAndEmptyCaptionOpenNothing) {
    L->SetCaption("");
    Press();
    Release();
    EXPECT_TRUE(L->Opened.empty());
    EXPECT_TRUE(L->Visited());
}

// The main window's menu labels: OnClick switches the page, the shell is not asked.
TEST_F(FxUrlLabelTest, AClickHandlerRunsFirstAndReplacesOpeningTheCaption) {
    struct TProbe {
        TTestUrlLabel* Label;
        bool VisitedDuringClick = true;
        int Clicks = 0;
        void Click(TObject*) { ++Clicks; VisitedDuringClick = Label->Visited(); }
    } probe{L};
    L->OnClick = TNotifyEvent(&probe, &TProbe::Click);
    Press();
    Release();
    EXPECT_EQ(probe.Clicks, 1);
    EXPECT_FALSE(probe.VisitedDuringClick);
    EXPECT_TRUE(L->Visited());
    EXPECT_TRUE(L->Opened.empty());
    Release();                                 // a release without a press is no click
    EXPECT_EQ(probe.Clicks, 1);
}

TEST_F(FxUrlLabelTest, FontColourDoublesAsTheIdleColourOnlyWithoutHover) {
    L->Font().SetColor(clGreen);
    EXPECT_EQ(L->UnvisitedColor(), clGreen);
    L->SetCanHover(true);
    L->Font().SetColor(clPurple);
    EXPECT_EQ(L->UnvisitedColor(), clGreen);
}

TEST_F(FxUrlLabelTest, BothColoursAreStoredAlsoWhileHoverIsOn) {
    TTestUrlLabel label(nullptr);
    label.SetCanHover(true);
    label.SetUnvisitedColor(Unvisited);
    label.SetVisitedColor(Visited);
    EXPECT_EQ(label.UnvisitedColor(), Unvisited);
    EXPECT_EQ(label.VisitedColor(), Visited);
    EXPECT_EQ(label.Font().Color(), Unvisited);
}

TEST_F(FxUrlLabelTest, PointerOverTheLabelShowsTheHandCursorOfOurOwnDrawing) {
    SendMessageA(L->WindowHandle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(L->WindowHandle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), FxCursor(crFxHandPoint));
}

TEST_F(FxUrlLabelTest, TheFiveCursorsComeFromTheProgramWithTheirHotSpots) {
    struct { int Id; DWORD X, Y; } cursors[] = {
        {crFxHandPoint, 6, 0}, {crFxSmallHandPoint, 13, 9}, {crFxGrabHand, 4, 2}, {crFxGrabHandArrow, 0, 0}, {crFxDragHand, 0, 0}};
    for (const auto& c : cursors) {
        SCOPED_TRACE(c.Id);
        EXPECT_TRUE(FxCursorFromResource(c.Id));
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(FxCursor(c.Id), &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(info.xHotspot, c.X);
        EXPECT_EQ(info.yHotspot, c.Y);
        BITMAP bm{};
        GetObjectA(info.hbmMask, sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, 32);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
}

} // namespace
