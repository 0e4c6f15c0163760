// desktop/ScrollBox.h -- TScrollBox: a container whose controls scroll up and down when they
// reach below its bottom edge
//
// Scrolling moves the controls themselves (their Top changes), so a control's position always
// says where it is on screen. The range is the lowest bottom edge of the visible controls at
// position 0; the vertical bar shows only while the range is taller than the client area.
#pragma once
#include "Controls.h"

class TScrollBox : public TControl {
public:
    explicit TScrollBox(TComponent* owner);

    bool BorderSingle() const noexcept { return FBorderSingle; }
    void SetBorderSingle(bool value);             // a sunken edge (bsSingle, the default) or none
    int VertPosition() const noexcept { return FPosition; }
    void SetVertPosition(int value);              // kept within 0 .. range - client height
    int VertRange() const noexcept { return FRange; }
    void UpdateScrollRange();                     // after controls moved, came or changed size

    void Loaded() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;                    // the range of the controls made with it
    void Resized() override;

private:
    static constexpr int LineStep = 8;            // pixels per arrow click; a wheel notch is three
    void ScrollBy(int delta);
    int FPosition = 0;
    int FRange = 0;
    bool FBorderSingle = true;
    bool FUpdating = false;
};

void RegisterScrollBoxClass();
