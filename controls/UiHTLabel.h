// controls/UiHTLabel.h -- TUiHTLabel: a label whose lines may carry <b> <i> <u> and <c:NAME>
// tags, sized to its widest rendered line; and the tagged-text renderer behind it
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "FxTypes.h"
#include "FxControl.h"
#include "desktop/Label.h"

// Draws (or with measureOnly, only measures) text from rect.left + 2, rect.top, in the DC's
// current font; CR LF starts a new line. dc may be null: then only plainOut is produced.
// The rectangle is first filled with the DC's current brush. The DC's font and text colour
// are restored afterwards, so no tag carries over to the next call. itemState takes
// ODS_SELECTED from list-style callers: a selected item keeps its colour unless keepColors.
void RenderTaggedText(HDC dc, const RECT& rect, UINT itemState, const std::string& text, bool keepColors,
                      std::string& plainOut, int& widthOut, bool measureOnly);
void DrawTaggedText(HDC dc, const RECT& rect, const std::string& text);
int MeasureTaggedText(HDC dc, const std::string& text);    // run widths + 4

// The index-th item of text split at separator; empty for a negative index, an empty text,
// an index past the end, or an item that begins with the separator.
std::string ExtractSeparatedItem(const std::string& text, int index, const std::string& separator);
// NAME of a colour tag: "Red" -> clRed (cl + NAME, ignoring case), "$FF0000" -> hexadecimal
// with red in the low byte; false for anything else (decimal numbers included).
bool ColorFromTagName(const std::string& name, TColor& colorOut);

class TUiHTLabel : public TFxControl {
public:
    explicit TUiHTLabel(TComponent* owner);

    TAlignment Alignment() const noexcept { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const noexcept { return FAutoSize; }
    void SetAutoSize(bool value);
    TTextLayout Layout() const noexcept { return FLayout; }
    void SetLayout(TTextLayout value);
    bool Transparent() const noexcept { return FTransparent; }
    void SetTransparent(bool value);
    void SetCaption(const std::string& text) override;
    void Loaded() override;

protected:
    void Paint(TCanvas& canvas) override;
    virtual void AdjustBounds();

private:
    void FontChanged(TObject* sender);
    TAlignment FAlignment = TAlignment::taLeftJustify;
    bool FAutoSize = true;
    TTextLayout FLayout = TTextLayout::tlTop;
    bool FTransparent = false;
    TNotifyEvent FInheritedFontChanged;
};

// Caption lines split at CR LF, LF or CR; a final line break starts no further line.
std::vector<std::string> CaptionLines(const std::string& caption);

// Registers TUiHTLabel for window descriptions.
void RegisterUiHTLabelClass();
