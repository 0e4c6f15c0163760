// tests/controls/UiPageControlTest.cpp -- Ctrl+Tab cycling through real key messages, clicks
// on disabled tabs, hidden tabs and the client border
#include <gtest/gtest.h>

#include "ControlTestHost.h"

#include <commctrl.h>
#include "controls/UiPageControl.h"

namespace {

// Holds Ctrl (and Shift) down in this thread's keyboard state for one key message.
class THeldKeys {
public:
    THeldKeys(bool ctrl, bool shift) {
        GetKeyboardState(FOld);
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CONTROL] = ctrl ? 0x80 : 0;
        state[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(state);
    }
    ~THeldKeys() { SetKeyboardState(FOld); }
private:
    BYTE FOld[256];
};

class UiPageControlTest : public ::testing::Test {
protected:
    TControlHost Host;
    TUiPageControl* P = nullptr;
    TTabSheet *A = nullptr, *B = nullptr, *C = nullptr;
    int Changes = 0;
    void Changed(TObject*) { ++Changes; }
    void SetUp() override {
        P = Host.Add<TUiPageControl>(0, 0, 300, 200);
        A = Page("A");
        B = Page("B");
        C = Page("C");
        P->SetActivePage(A);
        P->OnChange = TNotifyEvent(this, &UiPageControlTest::Changed);
    }
    TTabSheet* Page(const char* caption) {
        auto* page = new TTabSheet(&Host.Form());
        page->SetCaption(caption);
        page->SetParent(P);
        return page;
    }
    void CtrlTab(bool shift = false) {
        THeldKeys keys(true, shift);
        SendMessageA(P->WindowHandle(), WM_KEYDOWN, VK_TAB, 1);
    }
    void ClickTab(int tabIndex) {
        RECT r{};
        SendMessageA(P->WindowHandle(), TCM_GETITEMRECT, static_cast<WPARAM>(tabIndex), reinterpret_cast<LPARAM>(&r));
        LPARAM at = PointParam((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageA(P->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(P->WindowHandle(), WM_LBUTTONUP, 0, at);
    }
};

TEST_F(UiPageControlTest, CtrlTabSkipsDisabledPagesBothWays) {
    P->SetHandleGlobalTab(true);
    B->SetEnabled(false);
    CtrlTab();
    EXPECT_EQ(P->ActivePage(), C);
    EXPECT_EQ(Changes, 1);
    CtrlTab();
    EXPECT_EQ(P->ActivePage(), A);          // wraps around
    CtrlTab(true);                          // backward from A: C (B is disabled)
    EXPECT_EQ(P->ActivePage(), C);
    CtrlTab(true);
    EXPECT_EQ(P->ActivePage(), A);
}

TEST_F(UiPageControlTest, CtrlTabDoesNothingUnlessHandleGlobalTabIsOn) {
    CtrlTab();
    EXPECT_EQ(P->ActivePage(), A);
    EXPECT_EQ(Changes, 0);
}

TEST_F(UiPageControlTest, TabWithoutCtrlIsNotCycling) {
    P->SetHandleGlobalTab(true);
    SendMessageA(P->WindowHandle(), WM_KEYDOWN, VK_TAB, 1);
    EXPECT_EQ(P->ActivePage(), A);
}

TEST_F(UiPageControlTest, CtrlTabWithNoVisibleTabLeavesTheActivePage) {
    P->SetHandleGlobalTab(true);
    P->SetHideAllTabs(true);
    CtrlTab();
    EXPECT_EQ(P->ActivePage(), A);
    EXPECT_EQ(Changes, 0);
}

TEST_F(UiPageControlTest, CtrlTabHonoursARefusedChange) {
    struct TRefuse { void Changing(TObject*, bool& allow) { allow = false; } } refuse;
    P->SetHandleGlobalTab(true);
    P->OnChanging = TTabChangingEvent(&refuse, &TRefuse::Changing);
    CtrlTab();
    EXPECT_EQ(P->ActivePage(), A);
    EXPECT_EQ(Changes, 0);
}

TEST_F(UiPageControlTest, ClickOnADisabledTabIsRefusedOnAnEnabledOneSwitches) {
    B->SetEnabled(false);
    ClickTab(1);
    EXPECT_EQ(P->ActivePage(), A);
    EXPECT_EQ(Changes, 0);
    ClickTab(2);
    EXPECT_EQ(P->ActivePage(), C);
    EXPECT_EQ(Changes, 1);
}

TEST_F(UiPageControlTest, HideAllTabsKeepsTheActivePageAndDropsTheTabStop) {
    P->SetActivePage(B);
    P->SetHideAllTabs(true);
    EXPECT_EQ(SendMessageA(P->WindowHandle(), TCM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(P->ActivePage(), B);
    EXPECT_FALSE(P->TabStop());
    P->SetHideAllTabs(false);
    EXPECT_EQ(SendMessageA(P->WindowHandle(), TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(P->ActivePage(), B);
}

TEST_F(UiPageControlTest, ClientBorderWidthGrowsOrShrinksThePageArea) {
    int width4 = A->Width(), height4 = A->Height();
    P->SetClientBorderWidth(0);
    EXPECT_EQ(A->Width(), width4 + 8);
    EXPECT_EQ(A->Height(), height4 + 8);
    P->SetClientBorderWidth(6);
    EXPECT_EQ(A->Width(), width4 - 4);
}

} // namespace
