// shell/sxColorPicker.h -- TsxColorPicker: a timer that reads the colour of the screen pixel under
// the mouse and, on each tick, after OnTimer, sets the mouse cursor it was given
#pragma once
#include <windows.h>

#include "desktop/Graphics.h"
#include "shell/sxCustomTimer.h"

class TsxColorPicker : public TsxCustomTimer {
public:
    explicit TsxColorPicker(TComponent* owner);   // Interval 100 ms

    using TsxCustomTimer::Enabled;
    using TsxCustomTimer::SetEnabled;
    using TsxCustomTimer::Interval;
    using TsxCustomTimer::SetInterval;
    using TsxCustomTimer::OnTimer;
    using TsxCustomTimer::SetOnTimer;

    short Cursor() const noexcept { return FCursor; }   // an index of the screen's cursor table; 0: none
    virtual void SetCursor(short value);                // applied at once when it changes
    TColor Color() const { return ColorUnderCursor(); }

    virtual void ApplyCursor();
    // clNone when the pixel cannot be read (no cursor position, or outside the screen).
    virtual TColor ColorUnderCursor() const;

protected:
    void Timer() override;                              // OnTimer, then ApplyCursor

private:
    short FCursor = 0;
};

// Registers TsxColorPicker; TsxCustomTimer comes first.
void RegisterColorPickerClass();
