// tests/controls/sxScrollBarTest.cpp -- button geometry, Min/Max/Position rules, and stepping
// driven by mouse messages with the real cursor placed where the repeat timer looks for it
#include <gtest/gtest.h>

#include <cstring>

#include "ControlTestHost.h"
#include "controls/sxScrollBar.h"
#include "tests/support/MessagePump.h"

namespace {

constexpr COLORREF Background = RGB(0, 128, 0);

BOOL CALLBACK CountTimerWindow(HWND hwnd, LPARAM counter) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof(name));
    if (std::strcmp(name, "SxCustomTimerWindow") == 0) ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

int TimerWindowsOfThisThread() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountTimerWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

class sxScrollBarTest : public ::testing::Test {
protected:
    TControlHost Host;
    TsxScrollBar* Bar = nullptr;
    TEventCounter Changes;

    void SetUp() override {
        Bar = Host.Add<TsxScrollBar>(10, 10, 17, 100);
        Bar->SetColor(Background);
        Bar->SetPosition(50);
        Bar->SetOnChange(Changes.Event());
    }
    void TearDown() override {
        if (GetCapture()) ReleaseCapture();
    }
    HWND Window() const { return Bar->WindowHandle(); }
    POINT Centre(TsxScrollButton button) const {
        RECT r = Bar->ButtonRect(button);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    POINT Middle() const { return POINT{Bar->Width() / 2, Bar->Height() / 2}; }
    void CursorTo(POINT client) const {
        ClientToScreen(Window(), &client);
        SetCursorPos(client.x, client.y);
    }
    void Press(POINT p) const { SendMessageA(Window(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(p.x, p.y)); }
    void Move(POINT p) const { SendMessageA(Window(), WM_MOUSEMOVE, MK_LBUTTON, PointParam(p.x, p.y)); }
    void Release(POINT p) const { SendMessageA(Window(), WM_LBUTTONUP, 0, PointParam(p.x, p.y)); }
    // The bar's look where one button is.
    TSnapshot ButtonLook(TsxScrollButton button) const {
        RECT r = Bar->ButtonRect(button);
        TSnapshot whole(Window());
        return TSnapshot(r.right - r.left, r.bottom - r.top, [&](HDC dc) {
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) SetPixel(dc, x - r.left, y - r.top, whole.Pixel(x, y));
        });
    }
};

TEST_F(sxScrollBarTest, ButtonsTakeTheArrowLengthOrShareWhatThereIs) {
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    ASSERT_EQ(Bar->Width(), width);
    ASSERT_GE(arrow, 15);
    struct Case { int Height, Margin; RECT First, Second; };
    const Case cases[] = {
        {100, 0, {0, 0, width, arrow}, {0, 100 - arrow, width, 100}},
        {30, 0, {0, 0, width, 15}, {0, 15, width, 30}},
        {100, 5, {0, 5, width, arrow + 5}, {0, 95 - arrow, width, 95}},
        {41, 5, {0, 5, width, 20}, {0, 21, width, 36}},
        {1, 1, {0, 0, 0, 0}, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "height " << c.Height << ", margin " << c.Margin);
        Bar->SetHeight(c.Height);
        Bar->SetMargin(c.Margin);
        RECT first = Bar->ButtonRect(TsxScrollButton::First), second = Bar->ButtonRect(TsxScrollButton::Second);
        EXPECT_TRUE(EqualRect(&first, &c.First));
        EXPECT_TRUE(EqualRect(&second, &c.Second));
    }
}

TEST_F(sxScrollBarTest, ChangingKindTurnsTheControlByAQuarter) {
    Bar->SetKind(TScrollBarKind::sbHorizontal);
    EXPECT_EQ(Bar->Width(), 100);
    EXPECT_EQ(Bar->Height(), GetSystemMetrics(SM_CYHSCROLL));
    RECT first = Bar->ButtonRect(TsxScrollButton::First);
    RECT expected{0, 0, GetSystemMetrics(SM_CXHSCROLL), Bar->Height()};
    EXPECT_TRUE(EqualRect(&first, &expected));
}

TEST_F(sxScrollBarTest, MaxBelowMinPullsMinAndPositionDownAndMinNeverPassesMax) {
    Bar->SetMin(10);
    Bar->SetMax(5);
    EXPECT_EQ(Bar->Max(), 5);
    EXPECT_EQ(Bar->Min(), 5);
    EXPECT_EQ(Bar->Position(), 5);
    EXPECT_EQ(Changes.Count, 1);
    Bar->SetMin(20);
    EXPECT_EQ(Bar->Min(), 5);
    Bar->SetPosition(-7);
    Bar->SetPosition(99);
    EXPECT_EQ(Bar->Position(), 5);
    EXPECT_EQ(Changes.Count, 1);
}

TEST_F(sxScrollBarTest, ShortClickStepsOnceOnRelease) {
    for (auto [button, expected] : {std::pair{TsxScrollButton::First, 49}, std::pair{TsxScrollButton::Second, 50}}) {
        Press(Centre(button));
        EXPECT_EQ(Bar->Position(), button == TsxScrollButton::First ? 50 : 49);
        EXPECT_TRUE(Bar->Repeating());
        EXPECT_EQ(GetCapture(), Window());
        Release(Centre(button));
        EXPECT_EQ(Bar->Position(), expected);
        EXPECT_FALSE(Bar->Repeating());
        EXPECT_EQ(GetCapture(), nullptr);
    }
    Press(Middle());                        // between the buttons: nothing
    EXPECT_FALSE(Bar->Repeating());
    Release(Middle());
    EXPECT_EQ(Bar->Position(), 50);
}

TEST_F(sxScrollBarTest, ButtonThatCannotStepIsHiddenOrDoesNothing) {
    RECT second = Bar->ButtonRect(TsxScrollButton::Second);
    const int area = (second.right - second.left) * (second.bottom - second.top);
    Bar->SetPosition(100);
    EXPECT_EQ(TSnapshot(Window()).Count(Background, second), area);
    Bar->SetHideButtons(false);
    EXPECT_EQ(TSnapshot(Window()).Count(Background, second), 0);
    Press(Centre(TsxScrollButton::Second));
    EXPECT_FALSE(Bar->Repeating());
    Release(Centre(TsxScrollButton::Second));
    EXPECT_EQ(Bar->Position(), 100);
}

TEST_F(sxScrollBarTest, HoldingStepsOnEveryTickAndOnceMoreOnRelease) {
    Bar->SetTimerInterval(20);
    CursorTo(Centre(TsxScrollButton::Second));
    Press(Centre(TsxScrollButton::Second));
    ASSERT_TRUE(sxtest::PumpUntil([&] { return Bar->Position() >= 53; }));
    int held = Bar->Position();
    Release(Centre(TsxScrollButton::Second));
    EXPECT_EQ(Bar->Position(), held + 1);
    EXPECT_EQ(Changes.Count, held + 1 - 50);
}

TEST_F(sxScrollBarTest, DraggingOutOfTheHeldButtonStopsSteppingAndShowsItReleased) {
    const TsxScrollButton first = TsxScrollButton::First;
    Bar->SetTimerInterval(10);
    TSnapshot released = ButtonLook(first);
    CursorTo(Centre(first));
    Press(Centre(first));
    EXPECT_FALSE(ButtonLook(first) == released);
    ASSERT_TRUE(sxtest::PumpUntil([&] { return Bar->Position() < 50; }));

    CursorTo(Middle());
    Move(Middle());
    EXPECT_TRUE(ButtonLook(first) == released);
    int outside = Bar->Position();
    sxtest::PumpFor(300);   // ticks come, and step nothing
    EXPECT_EQ(Bar->Position(), outside);

    CursorTo(Centre(first));
    Move(Centre(first));
    EXPECT_FALSE(ButtonLook(first) == released);
    EXPECT_TRUE(sxtest::PumpUntil([&] { return Bar->Position() < outside; }));
    Release(Centre(first));
    EXPECT_TRUE(ButtonLook(first) == released);
}

TEST_F(sxScrollBarTest, LosingTheMouseToAnotherWindowEndsTheHold) {
    Press(Centre(TsxScrollButton::First));
    ASSERT_TRUE(Bar->Repeating());
    SetCapture(Host.Form().WindowHandle());
    EXPECT_FALSE(Bar->Repeating());
    ReleaseCapture();
    EXPECT_EQ(Bar->Position(), 50);
}

TEST_F(sxScrollBarTest, FreeingAHeldBarStopsAndFreesItsTimer) {
    int timers = TimerWindowsOfThisThread();
    CursorTo(Centre(TsxScrollButton::First));
    Bar->SetTimerInterval(10);
    Press(Centre(TsxScrollButton::First));
    delete Bar;
    Bar = nullptr;
    EXPECT_EQ(TimerWindowsOfThisThread(), timers - 1);
    EXPECT_EQ(GetCapture(), nullptr);
    sxtest::PumpFor(100);   // no tick reaches the freed bar
}

} // namespace
