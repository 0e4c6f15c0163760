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
