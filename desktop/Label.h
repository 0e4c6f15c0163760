// desktop/Label.h -- TLabel: static text in a window of its own
#pragma once
#include "Controls.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TControl {
public:
    explicit TLabel(TComponent* owner);
    ~TLabel() override;
    void SetCaption(const std::string& text) override;
    TAlignment Alignment() const noexcept { return FAlignment; }
    void SetAlignment(TAlignment value);
    void SetAutoSize(bool value);
    void SetWordWrap(bool value);
    void SetTransparent(bool value);              // the parent's colour behind the text, whatever Color says
    void Loaded() override;
protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void CNCommand(WORD code) override;
    HBRUSH CNCtlColor(HDC dc) override;
    void AdjustSize();
private:
    DWORD TextStyle() const;
    void ApplyTextStyle();
    TAlignment FAlignment = TAlignment::taLeftJustify;
    bool FAutoSize = true;
    bool FWordWrap = false;
    bool FTransparent = false;
    HBRUSH FParentBrush = nullptr;                // transparent: the parent's colour, made when it changes
    TColor FParentBrushColor = 0;
};

// Sizes an auto-sized label to its caption (a space when empty) as DrawTextA measures it with
// flags in the label's font, on a DC like the screen's (its window need not exist): one line fits the text, a word-wrapped label keeps its width, a
// right-aligned one keeps its right edge.
void FitLabelToCaption(TControl& label, const std::string& caption, TAlignment alignment, bool wordWrap, UINT flags);
