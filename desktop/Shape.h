// desktop/Shape.h -- TShape: a filled rectangle with a frame, as a window of its own
#pragma once
#include "Controls.h"

class TShape : public TControl {
public:
    explicit TShape(TComponent* owner);

    TColor BrushColor() const noexcept { return FBrushColor; }
    void SetBrushColor(TColor value);
    TColor PenColor() const noexcept { return FPenColor; }
    void SetPenColor(TColor value);
    int PenWidth() const noexcept { return FPenWidth; }
    void SetPenWidth(int value);                   // the frame always lies inside the bounds; 0: no frame

protected:
    bool OwnPaint() const override { return true; }
    void Paint(TCanvas& canvas) override;

private:
    TColor FBrushColor = clWhite;
    TColor FPenColor = clBlack;
    int FPenWidth = 1;
};

void RegisterShapeClass();
