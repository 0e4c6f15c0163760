// tests/shell/sxColorPickerTest.cpp -- TsxColorPicker reading a window of the test's own painted in
// one colour under the mouse, and its tick: OnTimer, then the cursor
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "desktop/Classes.h"
#include "desktop/Cursors.h"
#include "desktop/DescriptionReader.h"
#include "shell/ShellComponentClasses.h"
#include "shell/sxColorPicker.h"
#include "tests/support/MessagePump.h"

namespace {

constexpr COLORREF Swatch = RGB(30, 160, 90);

// A topmost popup filled with Swatch, 120 x 120 at (200, 200).
class TSwatchWindow {
public:
    TSwatchWindow() {
        static HBRUSH brush = CreateSolidBrush(Swatch);
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = brush;
        wc.lpszClassName = "SxColorPickerSwatch";
        RegisterClassA(&wc);
        FHandle = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "SxColorPickerSwatch", "", WS_POPUP | WS_VISIBLE,
                                  200, 200, 120, 120, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        UpdateWindow(FHandle);
    }
    ~TSwatchWindow() { DestroyWindow(FHandle); }
    HWND Handle() const { return FHandle; }

private:
    HWND FHandle = nullptr;
};

class TTickRecorder : public TComponent {
public:
    TTickRecorder() : TComponent(nullptr) {}
    void pickerTimer(TObject*) {
        ++Ticks;
        // Put the arrow back: the tick sets the picker's cursor after this handler.
        ::SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    }
    int Ticks = 0;
};

TEST(ColorPickerTest, DefaultsAreAnEnabledTimerOfATenthOfASecond) {
    TsxColorPicker picker(nullptr);
    EXPECT_TRUE(picker.Enabled());
    EXPECT_EQ(picker.Interval(), 100u);
    EXPECT_EQ(picker.Cursor(), 0);
    EXPECT_FALSE(picker.IsTimerRunning());   // no OnTimer yet
}

TEST(ColorPickerTest, TheColourUnderTheMouseIsThePixelsOnScreen) {
    TSwatchWindow swatch;
    ASSERT_NE(swatch.Handle(), nullptr);
    ASSERT_TRUE(SetCursorPos(260, 260));
    TsxColorPicker picker(nullptr);
    // The window shows up on the X server a little later on a loaded machine.
    EXPECT_TRUE(sxtest::PumpUntil([&] { return picker.Color() == Swatch; }))
        << std::hex << picker.Color();
}

TEST(ColorPickerTest, EachTickRunsOnTimerAndThenSetsTheCursor) {
    TTickRecorder recorder;
    TsxColorPicker picker(nullptr);
    picker.SetCursor(static_cast<short>(crCross));
    EXPECT_EQ(GetCursor(), ScreenCursor(crCross));   // applied at once
    picker.SetOnTimer(TNotifyEvent(&recorder, &TTickRecorder::pickerTimer));
    ASSERT_TRUE(sxtest::PumpUntil([&] { return recorder.Ticks >= 2; }));
    picker.SetEnabled(false);
    EXPECT_EQ(GetCursor(), ScreenCursor(crCross));
}

TEST(ColorPickerTest, ADescriptionSetsTheTimer) {
    RegisterShellComponentClasses();
    static TClassInfo& rootClass = TClassRegistration<TTickRecorder>("TTickRecorder", "TComponent")
                                       .Handler("pickerTimer", &TTickRecorder::pickerTimer)
                                       .Info();
    TTickRecorder root;
    LoadDescription(&root, rootClass,
                    "object root: TTickRecorder\n"
                    "  object picker: TsxColorPicker\n"
                    "    Interval = 20\n"
                    "    OnTimer = pickerTimer\n"
                    "  end\n"
                    "end\n");
    auto* picker = dynamic_cast<TsxColorPicker*>(root.FindComponent("picker"));
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->Interval(), 20u);
    EXPECT_TRUE(sxtest::PumpUntil([&] { return root.Ticks >= 1; }));
}

} // namespace
