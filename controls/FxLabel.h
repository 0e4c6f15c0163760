// controls/FxLabel.h -- TFxLabel: a label that draws its caption rotated, shifted, and with
// shadow and highlight copies; fires mouse enter and leave
#pragma once
#include "FxTypes.h"
#include "FxControl.h"
#include "desktop/Label.h"

class TFxLabel : public TFxControl {
public:
    explicit TFxLabel(TComponent* owner);

    int Angle() const noexcept { return FAngle; }
    void SetAngle(int value);                     // degrees, kept in 0..359
    int OffsetX() const noexcept { return FOffsetX; }
    void SetOffsetX(int value);
    int OffsetY() const noexcept { return FOffsetY; }
    void SetOffsetY(int value);
    TDirection HighlightDirection() const noexcept { return FHighlightDirection; }
    void SetHighlightDirection(TDirection value);
    int HighlightDepth() const noexcept { return FHighlightDepth; }
    void SetHighlightDepth(int value);
    TColor HighlightColor() const noexcept { return FHighlightColor; }
    void SetHighlightColor(TColor value);
    TShadowStyle ShadowStyle() const noexcept { return FShadowStyle; }
    void SetShadowStyle(TShadowStyle value);      // writes the style's preset through the setters below
    TDirection ShadowDirection() const noexcept { return FShadowDirection; }
    void SetShadowDirection(TDirection value);
    int ShadowDepth() const noexcept { return FShadowDepth; }
    void SetShadowDepth(int value);               // 0..1280
    int ShadowSize() const noexcept { return FShadowSize; }
    void SetShadowSize(int value);                // number of shadow copies, 0..1280
    TColor ShadowColor() const noexcept { return FShadowColor; }
    void SetShadowColor(TColor value);
    TVerticalAlignment VerticalAlignment() const noexcept { return FVerticalAlignment; }
    void SetVerticalAlignment(TVerticalAlignment value);
    TTextLayout Layout() const noexcept { return static_cast<TTextLayout>(FVerticalAlignment); }
    void SetLayout(TTextLayout value) { SetVerticalAlignment(static_cast<TVerticalAlignment>(value)); }

    TAlignment Alignment() const noexcept { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const noexcept { return FAutoSize; }
    void SetAutoSize(bool value);
    bool WordWrap() const noexcept { return FWordWrap; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const noexcept { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    bool Transparent() const noexcept { return FTransparent; }
    void SetTransparent(bool value);
    void SetCaption(const std::string& text) override;
    void SetEnabled(bool value) override;
    void Loaded() override;

protected:
    void CreateWnd() override;
    void Paint(TCanvas& canvas) override;
    // One copy of the caption in the canvas's current text colour: plain text output at
    // rect's top-left when rotated, formatted drawing into rect otherwise.
    virtual void DrawCaption(TCanvas& canvas, const RECT& rect, UINT flags);
    void AdjustSize();
    bool IsPresetRunning() const noexcept { return FApplyingPreset; }

private:
    void Changed();                               // a drawn property changed: repaint
    void EffectChanged();                         // a shadow/highlight value changed by hand
    int FAngle = 0;
    double FCos = 1.0, FSin = 0.0;
    int FOffsetX = 0, FOffsetY = 0;
    TDirection FHighlightDirection = TDirection::drNone;
    int FHighlightDepth = 0;
    TColor FHighlightColor = clBtnHighlight;
    TShadowStyle FShadowStyle = TShadowStyle::ssNone;
    TDirection FShadowDirection = TDirection::drNone;
    int FShadowDepth = 0;
    int FShadowSize = 0;
    TColor FShadowColor = clBtnShadow;
    TVerticalAlignment FVerticalAlignment = TVerticalAlignment::vaTop;
    TAlignment FAlignment = TAlignment::taLeftJustify;
    bool FAutoSize = true;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    bool FTransparent = false;
    bool FApplyingPreset = false;
};

// The preset row a shadow style writes (ssCustom writes nothing: Writes is false).
struct TShadowPreset {
    bool Writes;
    TDirection HighlightDirection;
    int HighlightDepth;
    TDirection ShadowDirection;
    int ShadowDepth;
    int ShadowSize;
    bool SetsFontColor;                           // the font becomes clBtnFace
};
TShadowPreset ShadowPreset(TShadowStyle style);

// Registers TFxLabel for window descriptions.
void RegisterFxLabelClass();
