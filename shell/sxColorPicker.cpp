// shell/sxColorPicker.cpp -- TsxColorPicker
#include "shell/sxColorPicker.h"

#include "desktop/Cursors.h"
#include "desktop/GdiGuards.h"
#include "desktop/Classes.h"

namespace {

constexpr unsigned PickIntervalMs = 100;

} // namespace

TsxColorPicker::TsxColorPicker(TComponent* owner) : TsxCustomTimer(owner) { SetInterval(PickIntervalMs); }

void TsxColorPicker::SetCursor(short value) {
    if (value == FCursor) return;
    FCursor = value;
    ApplyCursor();
}

void TsxColorPicker::ApplyCursor() {
    if (FCursor != 0) ::SetCursor(ScreenCursor(FCursor));
}

TColor TsxColorPicker::ColorUnderCursor() const {
    POINT position{};
    if (!GetCursorPos(&position)) return clNone;
    TScopedGetDC dc(GetDesktopWindow());
    if (!dc.Get()) return clNone;
    COLORREF pixel = GetPixel(dc.Get(), position.x, position.y);
    // CLR_INVALID has the top byte set and would read as a system colour.
    return pixel == CLR_INVALID ? clNone : static_cast<TColor>(pixel);
}

void TsxColorPicker::Timer() {
    TsxCustomTimer::Timer();
    ApplyCursor();
}

void RegisterColorPickerClass() {
    TClassRegistration<TsxColorPicker>("TsxColorPicker", "TsxCustomTimer")
        .Bool("Enabled", &TsxColorPicker::SetEnabled)
        .Custom("Interval", [](TsxColorPicker& p, const TPropValue& v, TLoadContext& ctx) {
            p.SetInterval(NonNegative(v, ctx));
        })
        .Event<TNotifyEvent>("OnTimer", &TsxColorPicker::SetOnTimer);
}
