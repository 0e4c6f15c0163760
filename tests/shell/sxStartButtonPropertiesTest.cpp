// tests/shell/sxStartButtonPropertiesTest.cpp -- TsxStartButtonProperties without a taskbar, and on a
// taskbar of the test's own making (a top-level "Shell_TrayWnd" holding a "Button")
#include <gtest/gtest.h>
#include <windows.h>

#include "shell/sxStartButtonProperties.h"

namespace {

// Wine's explorer keeps a hidden "Shell_TrayWnd" with no button in it.
bool HasStartButton() {
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    return taskbar && FindWindowExA(taskbar, nullptr, "Button", nullptr);
}

TEST(StartButtonPropertiesTest, WithoutATaskbarReadsAreEmptyAndWritesDoNothing) {
    if (HasStartButton()) GTEST_SKIP() << "this desktop has a Start button";
    TsxStartButtonProperties start(nullptr);
    EXPECT_EQ(start.ButtonHandle(), nullptr);
    EXPECT_EQ(start.ButtonLeft(), 0);
    EXPECT_EQ(start.ButtonTop(), 0);
    EXPECT_EQ(start.ButtonWidth(), 0);
    EXPECT_EQ(start.ButtonHeight(), 0);
    EXPECT_FALSE(start.Enabled());
    EXPECT_FALSE(start.Visible());
    start.SetButtonLeft(10);
    start.SetEnabled(false);
    start.SetVisible(true);
    EXPECT_EQ(start.ButtonLeft(), 0);
}

// A stand-in taskbar, made once for the suite (a shown window costs Wine a while): a window of
// class "Shell_TrayWnd" with a "Button" child, put back at (5, 6), 70 x 20, before each test.
class FakeTaskbarTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (HasStartButton()) return;
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "Shell_TrayWnd";
        RegisterClassA(&wc);
        // Topmost, so that it comes before a hidden taskbar of the system in the search.
        FTaskbar = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "Shell_TrayWnd", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                   400, 40, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        FButton = CreateWindowExA(0, "Button", "Start", WS_CHILD | WS_VISIBLE, 5, 6, 70, 20, FTaskbar, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    }
    static void TearDownTestSuite() {
        if (FTaskbar) DestroyWindow(FTaskbar);
        FTaskbar = FButton = nullptr;
        UnregisterClassA("Shell_TrayWnd", GetModuleHandleA(nullptr));
    }
    void SetUp() override {
        if (!FTaskbar && HasStartButton()) GTEST_SKIP() << "this desktop has a Start button";
        ASSERT_NE(FButton, nullptr);
        ASSERT_EQ(FindWindowA("Shell_TrayWnd", nullptr), FTaskbar);
        MoveWindow(FButton, 5, 6, 70, 20, FALSE);
        EnableWindow(FButton, TRUE);
        ShowWindow(FButton, SW_SHOW);
    }
    RECT ButtonRect() const {
        RECT r{};
        GetWindowRect(FButton, &r);
        MapWindowPoints(nullptr, FTaskbar, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    static inline HWND FTaskbar = nullptr, FButton = nullptr;
};

TEST_F(FakeTaskbarTest, TheFirstButtonOfTheTaskbarIsFoundAndRead) {
    TsxStartButtonProperties start(nullptr);
    EXPECT_EQ(start.ButtonHandle(), FButton);
    EXPECT_EQ(start.ButtonLeft(), 5);
    EXPECT_EQ(start.ButtonTop(), 6);
    EXPECT_EQ(start.ButtonWidth(), 70);
    EXPECT_EQ(start.ButtonHeight(), 20);
    EXPECT_TRUE(start.Enabled());
    EXPECT_TRUE(start.Visible());
}

TEST_F(FakeTaskbarTest, WritesMoveTheButtonKeepingTheOtherValuesAsLastRead) {
    TsxStartButtonProperties start(nullptr);
    start.SetButtonLeft(40);
    EXPECT_EQ(ButtonRect().left, 40);
    EXPECT_EQ(ButtonRect().top, 6);
    EXPECT_EQ(start.ButtonLeft(), 40);   // the read refreshes the cache
    start.SetButtonWidth(90);
    start.SetButtonHeight(25);
    // The second write keeps the first: it does not put back the width as read before it.
    RECT r = ButtonRect();
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.right - r.left, 90);
    EXPECT_EQ(r.bottom - r.top, 25);
}

TEST_F(FakeTaskbarTest, WritingTheValueJustReadChangesNothing) {
    TsxStartButtonProperties start(nullptr);
    int left = start.ButtonLeft();
    // Moved behind the component's back: a write of the cached value is no change to it.
    MoveWindow(FButton, 30, 6, 70, 20, FALSE);
    start.SetButtonLeft(left);
    EXPECT_EQ(ButtonRect().left, 30);
}

TEST_F(FakeTaskbarTest, EnabledAndVisibleActOnTheButton) {
    TsxStartButtonProperties start(nullptr);
    start.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(FButton));
    EXPECT_FALSE(start.Enabled());
    start.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(FButton));
    EXPECT_FALSE(start.Visible());
    start.SetEnabled(true);
    start.SetVisible(true);
    EXPECT_TRUE(IsWindowEnabled(FButton));
    EXPECT_TRUE(IsWindowVisible(FButton));
}

} // namespace
