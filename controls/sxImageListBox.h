// controls/sxImageListBox.h -- TsxImageListBox: a list box of owner-drawn lines of varying
// height, each an optional picture from an image list to the left of its word-wrapped text
#pragma once
#include <string>

#include "FxTypes.h"
#include "desktop/ImageList.h"
#include "desktop/ListBox.h"

class TsxCustomImageListBox : public TListBox {
public:
    explicit TsxCustomImageListBox(TComponent* owner);

    const std::string& About() const noexcept { return FAbout; }
    void SetAbout(const std::string& value) { FAbout = value; }
    TTextLayout ImageLayout() const noexcept { return FImageLayout; }
    void SetImageLayout(TTextLayout value);
    bool ImageIndexByObject() const noexcept { return FImageIndexByObject; }
    void SetImageIndexByObject(bool value);       // the line's object, taken as a number, picks its picture
    int Margin() const noexcept { return FMargin; }
    void SetMargin(int value);                    // around each line; negative counts as 0
    int Spacing() const noexcept { return FSpacing; }
    void SetSpacing(int value);                   // between picture and text; negative counts as 0
    bool HideSelection() const noexcept { return FHideSelection; }
    void SetHideSelection(bool value);            // selected lines look like the others
    bool ImageListAsIcon() const noexcept { return FImageListAsIcon; }
    void SetImageListAsIcon(bool value);
    TImageList* ImageList() const noexcept { return FImageList.List(); }
    void SetImageList(TImageList* value);         // not owned; forgotten when it is freed
    void SetImageListName(const std::string& name) { FImageListName = name; }   // a description's reference, resolved in Loaded

    // The picture of line index: the index itself, or its object when ImageIndexByObject; -1 for none.
    virtual int GetItemImageIndex(int index) const;

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;
    void SetOnDrawItem(const TDrawItemEvent& e) { OnDrawItem = e; }
    void SetOnMeasureItem(const TMeasureItemEvent& e) { OnMeasureItem = e; }

    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    bool CNMeasureItem(MEASUREITEMSTRUCT& item) override;
    bool CNDrawItem(DRAWITEMSTRUCT& item) override;
    void SettingsChanged(WPARAM flag) override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual void MeasureItem(int index, int& height);   // OnMeasureItem, else the text's height
    virtual void DrawItem(TCanvas& canvas, int index, const RECT& rect, UINT state);   // OnDrawItem, else ours

private:
    int TextWidth() const;                        // what a line's text is wrapped to
    void ImageListChanged(TObject* sender);
    void FontChanged(TObject* sender);

    std::string FAbout;
    TTextLayout FImageLayout = TTextLayout::tlCenter;
    bool FImageIndexByObject = false;
    int FMargin = 2;
    int FSpacing = 4;
    bool FHideSelection = false;
    bool FImageListAsIcon = true;
    TImageListLink FImageList{*this, TNotifyEvent(this, &TsxCustomImageListBox::ImageListChanged)};
    std::string FImageListName;
    TNotifyEvent FInheritedFontChanged;
};

// What window descriptions place.
class TsxImageListBox : public TsxCustomImageListBox {
public:
    using TsxCustomImageListBox::TsxCustomImageListBox;
};

// Registers TsxCustomImageListBox, the class that carries the published properties.
void RegisterSxCustomImageListBoxClass();
// Registers TsxImageListBox; TsxCustomImageListBox comes first.
void RegisterSxImageListBoxClass();
