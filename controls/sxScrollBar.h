// controls/sxScrollBar.h -- TsxScrollBar: two arrow buttons without a thumb; the first steps
// Position down, the second up, once per click and repeatedly while held (a repeat timer)
#pragma once
#include <memory>

#include "sxGraphicControl.h"
#include "shell/sxCustomTimer.h"

enum class TScrollBarKind { sbHorizontal, sbVertical };
enum class TsxScrollButton { First, Second };   // up or left; down or right

class TsxCustomScrollBar : public TsxGraphicControl {
public:
    explicit TsxCustomScrollBar(TComponent* owner);   // throws EWin32Error when the timer cannot be made
    ~TsxCustomScrollBar() override;                   // the repeat timer stops with it

    bool AutoSize() const noexcept { return FAutoSize; }
    virtual void SetAutoSize(bool value);             // the system's scroll-bar thickness and arrow length
    bool HideButtons() const noexcept { return FHideButtons; }
    void SetHideButtons(bool value);                  // a button that cannot step is not shown
    TScrollBarKind Kind() const noexcept { return FKind; }
    void SetKind(TScrollBarKind value);               // turns the control by a quarter
    int Margin() const noexcept { return FMargin; }
    void SetMargin(int value);                        // empty space before the first and after the second button
    int Max() const noexcept { return FMax; }
    void SetMax(int value);                           // Min and Position follow it down
    int Min() const noexcept { return FMin; }
    void SetMin(int value);                           // never above Max; Position follows it up
    int Position() const noexcept { return FPosition; }
    void SetPosition(int value);                      // kept within Min .. Max; OnChange when it changes
    unsigned TimerInterval() const { return FTimer->Interval(); }
    void SetTimerInterval(unsigned intervalMs) { FTimer->SetInterval(intervalMs); }
    bool Transparent() const noexcept { return FTransparent; }
    void SetTransparent(bool value);                  // the parent shows through around the buttons
    bool Repeating() const { return FTimer->Enabled(); }   // a button is held

    TNotifyEvent OnChange;
    void SetOnChange(const TNotifyEvent& e) { OnChange = e; }

    virtual void AdjustSize();
    virtual RECT ButtonRect(TsxScrollButton button) const;   // empty when there is no room
    virtual bool StepPosition();                      // one step in the held button's direction; false: at the end

    void Loaded() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void Paint(TCanvas& canvas) override;
    void Resized() override;
    void SettingsChanged(WPARAM flag) override;
    virtual void DrawButton(HDC dc, TsxScrollButton button, bool pushed);
    virtual void RepeatTick(TObject* sender);         // steps while the cursor is on the held button

private:
    TsxScrollButton HeldButton() const { return FStepDown ? TsxScrollButton::First : TsxScrollButton::Second; }
    bool ButtonShown(TsxScrollButton button) const;
    bool InButton(TsxScrollButton button, POINT p) const;
    void MouseDown(POINT p);
    void MouseMove(POINT p);
    void MouseUp(POINT p);
    void StopTracking();

    std::unique_ptr<TsxCustomTimer> FTimer;
    int FButtonLength = 0;
    bool FAutoSize = true;
    bool FHideButtons = true;
    TScrollBarKind FKind = TScrollBarKind::sbVertical;
    int FMargin = 0;
    int FMax = 100;
    int FMin = 0;
    int FPosition = 0;
    bool FTransparent = false;
    bool FStepDown = true;        // the held button is the first
    bool FPressedInside = false;  // the cursor is on the held button
    bool FTracking = false;       // a button is held
};

// What window descriptions place.
class TsxScrollBar : public TsxCustomScrollBar {
public:
    using TsxCustomScrollBar::TsxCustomScrollBar;
};

// Registers TsxCustomScrollBar, the class that carries the published properties.
void RegisterSxCustomScrollBarClass();
// Registers TsxScrollBar; TsxCustomScrollBar comes first.
void RegisterSxScrollBarClass();
