// controls/sxImage.cpp
#include "sxImage.h"

#include "desktop/Classes.h"

TsxImage::TsxImage(TComponent* owner) : TImage(owner) {}

TsxImage::~TsxImage() {
    if (FImageList) {
        FImageList->UnRegisterChanges(TNotifyEvent(this, &TsxImage::ImageListChanged));
        FImageList->RemoveFreeNotification(this);
    }
}

void TsxImage::SetCaptionVisible(bool value) {
    if (value == FCaptionVisible) return;
    FCaptionVisible = value;
    Invalidate();
}

void TsxImage::SetCaptionWhenEmpty(bool value) {
    if (value == FCaptionWhenEmpty) return;
    FCaptionWhenEmpty = value;
    Invalidate();
}

void TsxImage::SetImageIndex(int value) {
    FImageIndex = value;
    UpdateFromImageList();
}

void TsxImage::SetImageListAsIcon(bool value) {
    FImageListAsIcon = value;
    UpdateFromImageList();
}

void TsxImage::SetImageList(TImageList* value) {
    if (value == FImageList) return;
    if (FImageList) {
        FImageList->UnRegisterChanges(TNotifyEvent(this, &TsxImage::ImageListChanged));
        FImageList->RemoveFreeNotification(this);
    }
    FImageList = value;
    if (FImageList) {
        FImageList->FreeNotification(this);
        FImageList->RegisterChanges(TNotifyEvent(this, &TsxImage::ImageListChanged));
    }
    UpdateFromImageList();
}

void TsxImage::SetCaption(const std::string& text) {
    TImage::SetCaption(text);
    Invalidate();
}

bool TsxImage::PictureFromImageList() const {
    return FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count();
}

void TsxImage::UpdateFromImageList() {
    if (!PictureFromImageList()) return;
    if (FImageListAsIcon) Picture().SetIcon(FImageList->GetIcon(FImageIndex));
    else Picture().SetBitmap(FImageList->GetBitmap(FImageIndex, ColorToRGB(EffectiveColor())));
    Repaint();
}

void TsxImage::ImageListChanged(TObject*) { UpdateFromImageList(); }

void TsxImage::Notification(TComponent* component, TOperation operation) {
    TImage::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FImageList) {
        // The list is going: its change link goes with it, the last picture stays.
        FImageList = nullptr;
    }
}

bool TsxImage::ShowsCaption() const {
    if (FCaption.empty()) return false;
    return FCaptionVisible || (FCaptionWhenEmpty && const_cast<TsxImage*>(this)->Picture().Empty());
}

void TsxImage::Paint(TCanvas& canvas) {
    TImage::Paint(canvas);
    if (!ShowsCaption()) return;
    canvas.SetFont(Font());
    SIZE s = canvas.TextExtent(FCaption);
    int x = (ClientWidth() - s.cx) / 2, y = (ClientHeight() - s.cy) / 2;
    canvas.SetTransparent(true);
    canvas.TextOut(x, y, FCaption);
}

LRESULT TsxImage::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PRINTCLIENT) {
        TCanvas canvas(reinterpret_cast<HDC>(wParam));
        canvas.SetFont(Font());
        Paint(canvas);
        return 0;
    }
    return TImage::WndProc(msg, wParam, lParam);
}

void TsxImage::Loaded() {
    TImage::Loaded();
    if (FImageListName.empty()) return;
    TComponent* root = Owner();
    auto* list = root ? dynamic_cast<TImageList*>(root->FindComponent(FImageListName)) : nullptr;
    if (!list) throw EDescriptionError(Format("%s.ImageList: %s is not an image list of %s", Name().c_str(),
                                              FImageListName.c_str(), root ? root->Name().c_str() : "the window"));
    FImageListName.clear();
    SetImageList(list);
}
