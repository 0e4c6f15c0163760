// tests/core/ControlPaintHoldTest.cpp -- a held control takes every value at once and paints
// only at Release, on a form that is on screen
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "core/ControlPaintHold.h"
#include "desktop/Edit.h"
#include "desktop/Form.h"
#include "desktop/Label.h"
#include "desktop/PageControl.h"
#include "tests/support/MessagePump.h"

namespace {

// Counts what reaches the control's own handling, behind anything put in front later.
class TOwnMessages {
public:
    explicit TOwnMessages(TControl& control) : FControl(control) {
        FControl.WindowProc = TWndMethod(this, &TOwnMessages::WindowProc);
    }
    ~TOwnMessages() { FControl.WindowProc = TWndMethod(&FControl, &TControl::OwnWindowProc); }
    int Of(UINT msg) const {
        const auto found = FCounts.find(msg);
        return found == FCounts.end() ? 0 : found->second;
    }
    bool IsFirst() const { return FControl.WindowProc == TWndMethod(const_cast<TOwnMessages*>(this), &TOwnMessages::WindowProc); }

private:
    void WindowProc(TMessage& message) {
        ++FCounts[message.Msg];
        FControl.OwnWindowProc(message);
    }
    TControl& FControl;
    std::map<UINT, int> FCounts;
};

struct THoldCase {
    const char* Name;
    std::function<TControl*(TForm&)> Make;
    std::function<void(TControl&)> Set;           // sets a new value
    std::function<bool(TControl&)> ShowsNewValue;  // the window holds it
};

std::string WindowText(HWND hwnd) {
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof(text));
    return text;
}

template <class C>
TControl* Put(TForm& form) {
    C* control = new C(&form);
    control->SetBounds(10, 10, 200, 20);
    control->SetParent(&form);
    return control;
}

const THoldCase HoldCases[] = {
    {"Label", Put<TLabel>, [](TControl& c) { c.SetCaption("Checking registry values: 1 of 3"); },
     [](TControl& c) { return WindowText(c.WindowHandle()) == "Checking registry values: 1 of 3"; }},
    {"ProgressBar", Put<TProgressBar>, [](TControl& c) { static_cast<TProgressBar&>(c).SetPosition(40); },
     [](TControl& c) { return SendMessageA(c.WindowHandle(), PBM_GETPOS, 0, 0) == 40; }},
    {"Edit", Put<TEdit>, [](TControl& c) { c.SetCaption("17"); },
     [](TControl& c) { return WindowText(c.WindowHandle()) == "17"; }},
};

class ControlPaintHoldTest : public testing::TestWithParam<THoldCase> {};

// Held: the value is in the window at once and nothing reaches the control's painting, even
// when the window is painted from outside. Release paints once and leaves nothing to paint;
// from then on the control paints as always, and the hold's end leaves the chain as it was.
TEST_P(ControlPaintHoldTest, ValueAtOncePaintAtRelease) {
    const THoldCase& c = GetParam();
    TForm form(nullptr);
    form.SetBounds(40, 40, 300, 120);
    TControl& control = *c.Make(form);
    form.Show();
    const HWND hwnd = control.Handle();
    ASSERT_TRUE(sxtest::PumpUntil([&] { return IsWindowVisible(hwnd) && !GetUpdateRect(hwnd, nullptr, FALSE); }));

    TOwnMessages own(control);
    {
        TControlPaintHold hold(control);
        hold.Hold();
        c.Set(control);
        EXPECT_TRUE(c.ShowsNewValue(control));
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_EQ(own.Of(WM_PAINT), 0);
        if (dynamic_cast<TLabel*>(&control)) {
            EXPECT_EQ(own.Of(WM_SETTEXT), 0) << "a static draws its text inside WM_SETTEXT";
        }

        hold.Release();
        EXPECT_GE(own.Of(WM_PAINT), 1);
        EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));
        EXPECT_TRUE(c.ShowsNewValue(control));

        const int painted = own.Of(WM_PAINT);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_GT(own.Of(WM_PAINT), painted);
    }
    EXPECT_TRUE(own.IsFirst());
}

// A held bar keeps its new position from its window; what could depend on it comes after it.
TEST(ControlPaintHoldProgressTest, KeptPositionIsAnsweredAndReachesTheBarBeforeAnythingElse) {
    TForm form(nullptr);
    form.SetBounds(40, 40, 300, 120);
    auto& bar = static_cast<TProgressBar&>(*Put<TProgressBar>(form));
    form.Show();
    const HWND hwnd = bar.Handle();
    bar.SetPosition(5);
    TOwnMessages own(bar);
    TControlPaintHold hold(bar);
    hold.Hold();

    EXPECT_EQ(SendMessageA(hwnd, PBM_SETPOS, 60, 0), 5);   // the previous position
    EXPECT_EQ(SendMessageA(hwnd, PBM_SETPOS, 80, 0), 60);
    EXPECT_EQ(SendMessageA(hwnd, PBM_GETPOS, 0, 0), 80);
    EXPECT_EQ(own.Of(PBM_SETPOS), 0);
    // A narrower range clamps the position it follows.
    bar.SetMax(50);
    EXPECT_EQ(own.Of(PBM_SETPOS), 1);
    EXPECT_EQ(SendMessageA(hwnd, PBM_GETPOS, 0, 0), 50);

    bar.SetPosition(20);
    hold.Release();
    EXPECT_EQ(own.Of(PBM_SETPOS), 2);
    EXPECT_EQ(SendMessageA(hwnd, PBM_GETPOS, 0, 0), 20);
    bar.SetPosition(30);
    EXPECT_EQ(own.Of(PBM_SETPOS), 3);   // not held: straight through
}

INSTANTIATE_TEST_SUITE_P(Controls, ControlPaintHoldTest, testing::ValuesIn(HoldCases),
                         [](const testing::TestParamInfo<THoldCase>& info) { return std::string(info.param.Name); });

} // namespace
