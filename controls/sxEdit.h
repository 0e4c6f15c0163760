// controls/sxEdit.h -- TsxEdit: the one-line edit with a text alignment and an optional flat
// look (a border that shows only while the mouse is over it or it has the focus)
#pragma once
#include <string>

#include "UiCustomEdit.h"
#include "sxFlatLook.h"
#include "desktop/Edit.h"
#include "desktop/Label.h"

class TsxCustomEdit : public TEdit {
public:
    explicit TsxCustomEdit(TComponent* owner);

    const std::string& About() const noexcept { return FAbout; }
    void SetAbout(const std::string& value) { FAbout = value; }
    TAlignment Alignment() const noexcept { return FAlignment; }
    virtual void SetAlignment(TAlignment value);  // re-creates the window
    bool Flat() const noexcept { return FLook.Flat(); }
    virtual void SetFlat(bool value);             // re-creates the window
    bool FocusBorder() const noexcept { return FLook.FocusBorder; }
    virtual void SetFocusBorder(bool value);      // false: the flat border never shows
    bool AutoSelect() const noexcept { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }
    bool MouseOver() const noexcept { return FLook.MouseOver(); }
    bool Highlighted() const { return FLook.Highlighted(); }
    void SetEnabled(bool value) override;         // a disabled flat edit takes its parent's colour

    // A typed character on its way in; the handler sets it to 0 to drop it.
    TUiKeyPressEvent OnKeyPress;
    void SetOnKeyPress(const TUiKeyPressEvent& e) { OnKeyPress = e; }

    // The flat border, over the window's own edge (dc: of the whole window).
    virtual void DrawFlatBorder(HDC dc);
    virtual void RedrawFlatBorder();              // when Flat, on the window itself

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    void FocusEntered();
    std::string FAbout;
    TAlignment FAlignment = TAlignment::taLeftJustify;
    bool FAutoSelect = true;
    TsxFlatLook FLook{*this};
};

// What window descriptions place.
class TsxEdit : public TsxCustomEdit {
public:
    using TsxCustomEdit::TsxCustomEdit;
};

// Registers TsxCustomEdit, the class that carries the published properties.
void RegisterSxCustomEditClass();
// Registers TsxEdit; TsxCustomEdit comes first.
void RegisterSxEditClass();
