// controls/sxImage.cpp
#include "sxImage.h"

#include "desktop/Classes.h"
#include "ControlPropertiesP.h"

TsxImage::TsxImage(TComponent* owner) : TImage(owner) {}

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
    if (FImageList.Set(value)) UpdateFromImageList();
}

void TsxImage::SetCaption(const std::string& text) {
    TImage::SetCaption(text);
    Invalidate();
}

bool TsxImage::PictureFromImageList() const {
    return ImageList() && FImageIndex >= 0 && FImageIndex < ImageList()->Count();
}

void TsxImage::UpdateFromImageList() {
    if (!PictureFromImageList()) return;
    if (FImageListAsIcon) Picture().SetIcon(ImageList()->GetIcon(FImageIndex));
    else Picture().SetBitmap(ImageList()->GetBitmap(FImageIndex, ColorToRGB(EffectiveColor())));
    Repaint();
}

void TsxImage::ImageListChanged(TObject*) { UpdateFromImageList(); }

void TsxImage::Notification(TComponent* component, TOperation operation) {
    TImage::Notification(component, operation);
    // The list is going: the last picture stays.
    FImageList.Forgets(component, operation);
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
    TImageList* list = FindOwnersImageList(*this, FImageListName);
    FImageListName.clear();
    SetImageList(list);
}

// ---- for window descriptions

void RegisterSxCustomImageClass() {
    using namespace controls_internal;
    TClassRegistration<TsxImage>("TsxCustomImage", "TImage", true)
        .String("About", &TsxImage::SetAbout)
        .Bool("CaptionVisible", &TsxImage::SetCaptionVisible)
        .Bool("CaptionWhenEmpty", &TsxImage::SetCaptionWhenEmpty)
        .Custom("ImageList", [](TsxImage& i, const TPropValue& v, TLoadContext&) { i.SetImageListName(v.AsIdent()); })
        .Bool("ImageListAsIcon", &TsxImage::SetImageListAsIcon)
        .Int("ImageIndex", &TsxImage::SetImageIndex);
}

void RegisterSxImageClass() {
    using namespace controls_internal;
    TClassRegistration<TsxImage>("TsxImage", "TsxCustomImage");
}
