// desktop/SpeedButton.h -- TSpeedButton: a button that never takes the focus, with a glyph
// beside its caption and a flat look that shows its frame only under the pointer
#pragma once
#include "Controls.h"
#include "Image.h"

class TSpeedButton : public TControl {
public:
    explicit TSpeedButton(TComponent* owner);

    bool Flat() const noexcept { return FFlat; }
    void SetFlat(bool value);
    TPicture& Glyph() noexcept { return FGlyph; }  // drawn left of the caption, see-through by its bottom-left pixel
    bool MouseInControl() const noexcept { return FMouseInControl; }
    void Click() override;                         // as if the user clicked it

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    bool OwnPaint() const override { return true; }
    void Paint(TCanvas& canvas) override;
    // The pointer came over the button / went away (WM_MOUSELEAVE or CM_MOUSELEAVE).
    virtual void MouseEnter();
    virtual void MouseLeave();

private:
    void GlyphChanged(TObject* sender);
    bool FFlat = false;
    TPicture FGlyph;
    bool FMouseInControl = false;
    bool FPressed = false;                         // left button went down here and is still held
};

void RegisterSpeedButtonClass();
