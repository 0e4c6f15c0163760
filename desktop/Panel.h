// desktop/Panel.h -- TPanel and TGroupBox: containers for other controls
#pragma once
#include "Controls.h"
#include "Label.h"

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TControl {
public:
    explicit TPanel(TComponent* owner);
    void SetBevelOuter(TBevelCut value) { FBevelOuter = value; Invalidate(); }
    void SetBevelInner(TBevelCut value) { FBevelInner = value; Invalidate(); }
    void SetBevelWidth(int value) { FBevelWidth = value; Invalidate(); }
    int BorderWidth() const noexcept { return FBorderWidth; }
    void SetBorderWidth(int value) { FBorderWidth = value; Invalidate(); }
    void SetAlignment(TAlignment value) { FAlignment = value; Invalidate(); }
protected:
    bool OwnPaint() const override { return true; }
    void Paint(TCanvas& canvas) override;
private:
    TBevelCut FBevelOuter = TBevelCut::bvRaised;
    TBevelCut FBevelInner = TBevelCut::bvNone;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TAlignment FAlignment = TAlignment::taCenter;
};

class TGroupBox : public TControl {
public:
    explicit TGroupBox(TComponent* owner);
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
protected:
    void CreateParams(TCreateParams& params) override;
};

// Draws a 3-D frame of width pixels into rect and shrinks rect by it.
void Frame3D(HDC dc, RECT& rect, TColor topColor, TColor bottomColor, int width);
