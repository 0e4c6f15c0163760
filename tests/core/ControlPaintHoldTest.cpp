// tests/core/ControlPaintHoldTest.cpp -- a held control takes every value at once and paints
// only at Release, on a form that is on screen
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

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

// The bar's client area as it is on screen, one 32-bit value per pixel.
std::vector<DWORD> ScreenPixels(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC memory = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(memory, dib);
    const HDC dc = GetDC(hwnd);
    BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
    GdiFlush();
    const DWORD* first = static_cast<const DWORD*>(bits);
    std::vector<DWORD> pixels(first, first + client.right * client.bottom);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(dib);
    return pixels;
}

// The bar as it paints itself, at position.
std::vector<DWORD> OwnPainting(TProgressBar& bar, int position) {
    bar.SetPosition(position);
    RedrawWindow(bar.WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return ScreenPixels(bar.WindowHandle());
}

std::vector<DWORD> HeldPainting(TProgressBar& bar, TControlPaintHold& hold, int position) {
    hold.Hold();
    bar.SetPosition(position);
    hold.Release();
    EXPECT_FALSE(GetUpdateRect(bar.WindowHandle(), nullptr, FALSE));
    return ScreenPixels(bar.WindowHandle());
}

// At either end of its range a released bar is painted from an image the bar made of that end:
// what shows is what the bar paints itself, the bar paints each end once, and anything that
// changes its look or size makes it paint that end afresh.
TEST(ControlPaintHoldProgressTest, EndsOfTheRangePaintFromTheBarsOwnImage) {
    TForm form(nullptr);
    form.SetBounds(40, 40, 480, 120);
    auto& bar = static_cast<TProgressBar&>(*Put<TProgressBar>(form));
    bar.SetBounds(8, 20, 432, 16);
    bar.SetMax(200);
    form.Show();
    const HWND hwnd = bar.Handle();
    ASSERT_TRUE(sxtest::PumpUntil([&] { return IsWindowVisible(hwnd) && !GetUpdateRect(hwnd, nullptr, FALSE); }));
    const std::vector<DWORD> full = OwnPainting(bar, 200), empty = OwnPainting(bar, 0), middle = OwnPainting(bar, 90);
    ASSERT_NE(full, empty);

    TOwnMessages own(bar);
    TControlPaintHold hold(bar);
    EXPECT_EQ(HeldPainting(bar, hold, 200), full);
    EXPECT_EQ(HeldPainting(bar, hold, 0), empty);
    EXPECT_EQ(own.Of(WM_PRINTCLIENT), 2);
    const int paints = own.Of(WM_PAINT);
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(HeldPainting(bar, hold, 200), full);
        EXPECT_EQ(HeldPainting(bar, hold, 0), empty);
    }
    EXPECT_EQ(own.Of(WM_PRINTCLIENT), 2);
    EXPECT_EQ(own.Of(WM_PAINT), paints);
    EXPECT_EQ(HeldPainting(bar, hold, 90), middle) << "between the ends the bar paints itself";
    EXPECT_GT(own.Of(WM_PAINT), paints);

    // A colour of its own (which a themed bar may ignore), then a narrower bar.
    SendMessageA(hwnd, PBM_SETBARCOLOR, 0, RGB(200, 0, 0));
    const std::vector<DWORD> coloured = HeldPainting(bar, hold, 200);
    EXPECT_EQ(own.Of(WM_PRINTCLIENT), 3);
    EXPECT_EQ(coloured, OwnPainting(bar, 200));

    bar.SetBounds(8, 20, 300, 16);
    ASSERT_TRUE(sxtest::PumpUntil([&] { return !GetUpdateRect(hwnd, nullptr, FALSE); }));
    const std::vector<DWORD> narrowEmpty = HeldPainting(bar, hold, 0);
    const std::vector<DWORD> narrowFull = HeldPainting(bar, hold, 200);
    EXPECT_EQ(own.Of(WM_PRINTCLIENT), 5);
    EXPECT_EQ(narrowFull, OwnPainting(bar, 200));
    EXPECT_EQ(narrowEmpty, OwnPainting(bar, 0));
}

std::wstring StoredText(HWND hwnd) {
    wchar_t text[256] = {};
    InternalGetWindowText(hwnd, text, 256);   // what the window holds, asking no window procedure
    return text;
}

std::wstring WideText(HWND hwnd, WPARAM room) {
    std::wstring text(room, L'\0');
    const LRESULT copied = SendMessageW(hwnd, WM_GETTEXT, room, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::max<LRESULT>(0, copied)));
    return text;
}

// A held static keeps its new text and answers it to any reader, narrow or wide, the driver's
// way included; the window stores it at Release, or before any message that may depend on it.
TEST(ControlPaintHoldLabelTest, KeptTextIsAnsweredAndReachesTheWindowAtRelease) {
    TForm form(nullptr);
    form.SetBounds(40, 40, 300, 120);
    auto& label = static_cast<TLabel&>(*Put<TLabel>(form));
    label.SetAutoSize(false);   // as the scan's status: a new text moves nothing
    label.SetCaption("Initializing scan...");
    form.Show();
    const HWND hwnd = label.Handle();
    {
        TControlPaintHold hold(label);
        hold.Hold();
        label.SetCaption("Checking processes: 7(8)");
        EXPECT_EQ("Checking processes: 7(8)", WindowText(hwnd));
        EXPECT_EQ(L"Checking processes: 7(8)", WideText(hwnd, 64));
        EXPECT_EQ(L"Chec", WideText(hwnd, 5)) << "cut to the reader's buffer";
        EXPECT_EQ(24, SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
        EXPECT_EQ(L"Initializing scan...", StoredText(hwnd)) << "not stored while held";
        hold.Release();
        EXPECT_EQ(L"Checking processes: 7(8)", StoredText(hwnd));

        hold.Hold();
        label.SetCaption("Checking processes: 8(8)");
        SendMessageA(hwnd, WM_SETFONT, SendMessageA(hwnd, WM_GETFONT, 0, 0), FALSE);
        EXPECT_EQ(L"Checking processes: 8(8)", StoredText(hwnd)) << "passed on before the font";
        label.SetCaption("Scan finished.");
    }
    EXPECT_EQ(L"Scan finished.", StoredText(hwnd)) << "passed on when the hold ends";
    EXPECT_EQ("Scan finished.", WindowText(hwnd));
}

INSTANTIATE_TEST_SUITE_P(Controls, ControlPaintHoldTest, testing::ValuesIn(HoldCases),
                         [](const testing::TestParamInfo<THoldCase>& info) { return std::string(info.param.Name); });

} // namespace
