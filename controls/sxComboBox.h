// controls/sxComboBox.h -- TsxComboBox: the combo box with an optional flat look, pictures from
// an image list before its lines, and a settable width of its dropped list
#pragma once
#include <string>

#include "sxFlatLook.h"
#include "desktop/ImageList.h"
#include "desktop/ListBox.h"

class TsxCustomComboBox : public TComboBox {
public:
    explicit TsxCustomComboBox(TComponent* owner);

    const std::string& About() const noexcept { return FAbout; }
    void SetAbout(const std::string& value) { FAbout = value; }
    bool Flat() const noexcept { return FLook.Flat(); }
    virtual void SetFlat(bool value);
    bool Etched() const noexcept { return FEtched; }
    virtual void SetEtched(bool value);           // the lit drop-down button's edge: etched, else raised
    bool FocusBorder() const noexcept { return FLook.FocusBorder; }
    virtual void SetFocusBorder(bool value);
    bool ImageListAsIcon() const noexcept { return FImageListAsIcon; }
    virtual void SetImageListAsIcon(bool value);
    TImageList* ImageList() const noexcept { return FImageList.List(); }
    virtual void SetImageList(TImageList* value); // not owned; lines become owner-drawn; re-creates the window
    void SetImageListName(const std::string& name) { FImageListName = name; }   // a description's reference, resolved in Loaded
    int ListWidth() const;                        // of the dropped list, in pixels
    void SetListWidth(int value);                 // the system keeps it at least as wide as the control
    bool MouseOver() const noexcept { return FLook.MouseOver(); }
    bool Highlighted() const { return FLook.Highlighted(); }
    void SetEnabled(bool value) override;         // a disabled flat combo box takes its parent's colour

    virtual void AdjustItemHeight();              // the font's, or the pictures' when taller; never below 7
    virtual int WantedItemHeight() const;
    virtual int DropDownButtonWidth() const;
    virtual RECT DropDownButtonRect() const;      // in client coordinates
    // The flat drop-down button and border, over the control's own (dc: of the client area).
    virtual void DrawFlatBorder(HDC dc);
    virtual void RedrawFlatBorder();              // when Flat, on the window itself

    TDrawItemEvent OnDrawItem;
    void SetOnDrawItem(const TDrawItemEvent& e) { OnDrawItem = e; }

    void Loaded() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void CNCommand(WORD code) override;
    bool CNDrawItem(DRAWITEMSTRUCT& item) override;
    void SettingsChanged(WPARAM flag) override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual void DrawItem(TCanvas& canvas, int index, const RECT& rect, UINT state);   // OnDrawItem, else ours

private:
    void ImageListChanged(TObject* sender);
    void FontChanged(TObject* sender);
    void PaintFlat(HDC given);

    std::string FAbout;
    TsxFlatLook FLook{*this};
    bool FEtched = false;
    bool FImageListAsIcon = true;
    int FListWidth = 0;                           // applied to every new window
    TImageListLink FImageList{*this, TNotifyEvent(this, &TsxCustomComboBox::ImageListChanged)};
    std::string FImageListName;
    TNotifyEvent FInheritedFontChanged;
};

// What window descriptions place.
class TsxComboBox : public TsxCustomComboBox {
public:
    using TsxCustomComboBox::TsxCustomComboBox;
};

// Registers TsxCustomComboBox, the class that carries the published properties.
void RegisterSxCustomComboBoxClass();
// Registers TsxComboBox; TsxCustomComboBox comes first.
void RegisterSxComboBoxClass();
