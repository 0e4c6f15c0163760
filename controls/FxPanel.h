// controls/FxPanel.h -- TFxPanel: a panel with bevels on chosen sides, a border colour of its
// own and a vertically aligned caption; fires mouse enter and leave
#pragma once
#include "FxTypes.h"
#include "FxControl.h"
#include "desktop/Label.h"
#include "desktop/Panel.h"

class TFxPanel : public TFxControl {
public:
    explicit TFxPanel(TComponent* owner);

    bool BevelCtl3D() const noexcept { return FBevelCtl3D; }
    void SetBevelCtl3D(bool value);               // on: BevelWidth 2, off: 1
    TSides BevelSides() const noexcept { return FBevelSides; }
    void SetBevelSides(TSides value);
    TColor BorderColor() const noexcept { return FBorderColor; }
    void SetBorderColor(TColor value);
    TVerticalAlignment VerticalAlignment() const noexcept { return FVerticalAlignment; }
    void SetVerticalAlignment(TVerticalAlignment value);

    TBevelCut BevelOuter() const noexcept { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value);
    TBevelCut BevelInner() const noexcept { return FBevelInner; }
    void SetBevelInner(TBevelCut value);
    int BevelWidth() const noexcept { return FBevelWidth; }
    void SetBevelWidth(int value);
    int BorderWidth() const noexcept { return FBorderWidth; }
    void SetBorderWidth(int value);
    TAlignment Alignment() const noexcept { return FAlignment; }
    void SetAlignment(TAlignment value);

protected:
    void Paint(TCanvas& canvas) override;

private:
    void Ring(HDC dc, RECT& r, TColor topLeft, TColor bottomRight);
    void Frame(HDC dc, RECT& r, TColor topLeft, TColor bottomRight, int width);
    void Bevel(HDC dc, RECT& r, TBevelCut cut);
    bool FBevelCtl3D = false;
    TSides FBevelSides = AllSides;
    TColor FBorderColor = clBtnFace;
    TVerticalAlignment FVerticalAlignment = TVerticalAlignment::vaCenter;
    TBevelCut FBevelOuter = TBevelCut::bvRaised;
    TBevelCut FBevelInner = TBevelCut::bvNone;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TAlignment FAlignment = TAlignment::taCenter;
};

// Registers TFxPanel for window descriptions.
void RegisterFxPanelClass();
