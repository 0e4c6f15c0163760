// controls/sxImage.h -- TsxImage: the picture control whose picture may come from an entry of
// an image list (as an icon or a bitmap, following the list's changes), and which draws its
// caption centred when asked to or when it has no picture
#pragma once
#include <string>

#include "desktop/Image.h"
#include "desktop/ImageList.h"

class TsxImage : public TImage {
public:
    explicit TsxImage(TComponent* owner);

    const std::string& About() const noexcept { return FAbout; }
    void SetAbout(const std::string& value) { FAbout = value; }
    bool CaptionVisible() const noexcept { return FCaptionVisible; }
    void SetCaptionVisible(bool value);
    bool CaptionWhenEmpty() const noexcept { return FCaptionWhenEmpty; }
    void SetCaptionWhenEmpty(bool value);
    int ImageIndex() const noexcept { return FImageIndex; }
    void SetImageIndex(int value);                // re-reads the entry even when unchanged
    bool ImageListAsIcon() const noexcept { return FImageListAsIcon; }
    void SetImageListAsIcon(bool value);
    TImageList* ImageList() const noexcept { return FImageList.List(); }
    void SetImageList(TImageList* value);         // not owned; forgotten when it is freed
    void SetCaption(const std::string& text) override;
    void SetImageListName(const std::string& name) { FImageListName = name; }   // a description's reference, resolved in Loaded
    void Loaded() override;

    bool PictureFromImageList() const;            // a list is set and ImageIndex is one of its entries
    bool PictureStored() const { return !PictureFromImageList(); }

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void Paint(TCanvas& canvas) override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual void UpdateFromImageList();
    virtual void ImageListChanged(TObject* sender);
    bool ShowsCaption() const;

private:
    std::string FAbout;
    bool FCaptionVisible = false;
    bool FCaptionWhenEmpty = true;
    int FImageIndex = 0;
    bool FImageListAsIcon = true;
    TImageListLink FImageList{*this, TNotifyEvent(this, &TsxImage::ImageListChanged)};
    std::string FImageListName;
};

// Registers TsxCustomImage, the class that carries the published properties.
void RegisterSxCustomImageClass();
// Registers TsxImage; TsxCustomImage comes first.
void RegisterSxImageClass();
