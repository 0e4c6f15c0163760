// desktop/ImageList.cpp -- TImageList over ImageList_Create (ILC_COLOR32 | ILC_MASK)
#include "ImageList.h"

#include <algorithm>
#include <memory>

#include "Classes.h"
#include "Graphics.h"
#include "Image.h"
#include "GdiGuards.h"

namespace {

struct TIconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct TBitmapDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using TIconPtr = std::unique_ptr<std::remove_pointer_t<HICON>, TIconDeleter>;
using TBitmapPtr = std::unique_ptr<std::remove_pointer_t<HBITMAP>, TBitmapDeleter>;

COLORREF BottomLeftColor(HBITMAP bitmap) {
    BITMAP bm{};
    GetObjectA(bitmap, sizeof(bm), &bm);
    TBitmapDC dc(bitmap);
    return GetPixel(dc.Get(), 0, (bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight) - 1);
}

} // namespace

TImageList::TImageList(TComponent* owner) : TComponent(owner) { Recreate(); }

TImageList::~TImageList() {
    if (FHandle) ImageList_Destroy(FHandle);
}

void TImageList::Recreate() {
    HIMAGELIST h = ImageList_Create(FWidth, FHeight, ILC_COLOR32 | ILC_MASK, 4, 4);
    if (!h) throw EWin32Error(Format("%s: ImageList_Create(%d, %d)", Name().c_str(), FWidth, FHeight), GetLastError());
    if (FHandle) ImageList_Destroy(FHandle);
    FHandle = h;
    Changed();
}

void TImageList::SetWidth(int value) {
    if (value <= 0) throw EImageListError(Format("%s: image width %d is not positive", Name().c_str(), value));
    if (value == FWidth) return;
    FWidth = value;
    Recreate();
}

void TImageList::SetHeight(int value) {
    if (value <= 0) throw EImageListError(Format("%s: image height %d is not positive", Name().c_str(), value));
    if (value == FHeight) return;
    FHeight = value;
    Recreate();
}

int TImageList::Count() const { return ImageList_GetImageCount(FHandle); }

int TImageList::AddIcon(HICON icon) {
    int index = ImageList_ReplaceIcon(FHandle, -1, icon);
    if (index < 0) throw EImageListError(Format("%s: the icon cannot be added", Name().c_str()));
    Changed();
    return index;
}

int TImageList::AddBitmap(HBITMAP image, HBITMAP mask) {
    int index = ImageList_Add(FHandle, image, mask);
    if (index < 0) throw EImageListError(Format("%s: the bitmap cannot be added", Name().c_str()));
    Changed();
    return index;
}

int TImageList::AddMasked(HBITMAP image, COLORREF transparent) {
    int index = ImageList_AddMasked(FHandle, image, transparent);
    if (index < 0) throw EImageListError(Format("%s: the bitmap cannot be added", Name().c_str()));
    Changed();
    return index;
}

void TImageList::LoadResource(const std::string& name) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    if (FindResourceA(module, name.c_str(), RT_GROUP_ICON)) {
        // LoadImage picks the icon's image nearest to our size.
        TIconPtr icon(static_cast<HICON>(LoadImageA(module, name.c_str(), IMAGE_ICON, FWidth, FHeight, LR_DEFAULTCOLOR)));
        if (!icon) throw EWin32Error(Format("%s: LoadImageA(icon %s)", Name().c_str(), name.c_str()), GetLastError());
        AddIcon(icon.get());
        return;
    }
    if (FindResourceA(module, name.c_str(), RT_BITMAP)) {
        TBitmapPtr bmp(static_cast<HBITMAP>(LoadImageA(module, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        if (!bmp) throw EWin32Error(Format("%s: LoadImageA(bitmap %s)", Name().c_str(), name.c_str()), GetLastError());
        AddMasked(bmp.get(), BottomLeftColor(bmp.get()));
        return;
    }
    throw EImageListError(Format("%s: the program has no icon or bitmap resource named %s", Name().c_str(), name.c_str()));
}

void TImageList::LoadBitmapData(const std::vector<unsigned char>& bmpFile) {
    TBitmapPtr bmp;
    try {
        bmp.reset(BitmapFromBmpData(bmpFile.data(), bmpFile.size()));
    } catch (const EInvalidGraphic& e) {
        throw EImageListError(Name() + ": " + e.Message());
    }
    BITMAP bm{};
    GetObjectA(bmp.get(), sizeof(bm), &bm);
    int height = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    // A strip whose height or width does not fit would be cut into wrong pieces silently.
    if (height != FHeight || bm.bmWidth % FWidth != 0)
        throw EImageListError(Format("%s: a %d x %d bitmap is no strip of %d x %d images", Name().c_str(),
                                     static_cast<int>(bm.bmWidth), height, FWidth, FHeight));
    AddMasked(bmp.get(), BottomLeftColor(bmp.get()));
}

void TImageList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EImageListError(Format("%s: image index %d out of range (%d images)", Name().c_str(), index, Count()));
}

void TImageList::Delete(int index) {
    CheckIndex(index);
    ImageList_Remove(FHandle, index);
    Changed();
}

void TImageList::Clear() {
    ImageList_Remove(FHandle, -1);
    Changed();
}

HICON TImageList::GetIcon(int index) const {
    CheckIndex(index);
    HICON icon = ImageList_GetIcon(FHandle, index, ILD_NORMAL);
    if (!icon) throw EWin32Error(Format("%s: ImageList_GetIcon(%d)", Name().c_str(), index), GetLastError());
    return icon;
}

HBITMAP TImageList::GetBitmap(int index, COLORREF background) const {
    CheckIndex(index);
    HBITMAP bmp = CreateCompatibleBitmap(TScopedGetDC().Get(), FWidth, FHeight);
    if (!bmp) throw EWin32Error(Format("%s: CreateCompatibleBitmap", Name().c_str()), GetLastError());
    TBitmapDC dc(bmp);
    TAutoDeleteObject brush(CreateSolidBrush(background));
    RECT r{0, 0, FWidth, FHeight};
    FillRect(dc.Get(), &r, static_cast<HBRUSH>(brush.Get()));
    ImageList_Draw(FHandle, index, dc.Get(), 0, 0, ILD_NORMAL);
    return bmp;
}

void TImageList::Draw(HDC dc, int x, int y, int index) const {
    CheckIndex(index);
    ImageList_Draw(FHandle, index, dc, x, y, ILD_NORMAL);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const { Draw(canvas.Handle(), x, y, index); }

void TImageList::DrawAsIcon(HDC dc, int x, int y, int index) const {
    TIconPtr icon(GetIcon(index));
    DrawIconEx(dc, x, y, icon.get(), FWidth, FHeight, 0, nullptr, DI_NORMAL);
}

void TImageList::RegisterChanges(const TNotifyEvent& listener) {
    if (listener && std::find(FListeners.begin(), FListeners.end(), listener) == FListeners.end())
        FListeners.push_back(listener);
}

void TImageList::UnRegisterChanges(const TNotifyEvent& listener) {
    FListeners.erase(std::remove(FListeners.begin(), FListeners.end(), listener), FListeners.end());
}

void TImageList::Changed() {
    if (IsLoading()) return;
    if (OnChange) OnChange(this);
    // A copy: a listener may unregister itself (or another) while being told.
    auto listeners = FListeners;
    for (const auto& l : listeners)
        if (std::find(FListeners.begin(), FListeners.end(), l) != FListeners.end()) l(this);
}

void TImageList::Loaded() {
    TComponent::Loaded();
    auto pending = std::move(FPending);
    FPending.clear();
    for (auto& step : pending) step();
    Changed();
}

bool TImageListLink::Set(TImageList* list) {
    if (list == FList) return false;
    if (FList) {
        FList->UnRegisterChanges(FOnChange);
        FList->RemoveFreeNotification(&FHolder);
    }
    FList = list;
    if (FList) {
        FList->FreeNotification(&FHolder);
        FList->RegisterChanges(FOnChange);
    }
    return true;
}

bool TImageListLink::Forgets(TComponent* component, TOperation operation) {
    if (operation != TOperation::opRemove || !FList || component != FList) return false;
    FList = nullptr;
    return true;
}

TImageList* FindOwnersImageList(const TComponent& component, const std::string& name) {
    TComponent* root = component.Owner();
    auto* list = root ? dynamic_cast<TImageList*>(root->FindComponent(name)) : nullptr;
    if (!list) throw EDescriptionError(Format("%s.ImageList: %s is not an image list of %s", component.Name().c_str(),
                                              name.c_str(), root ? root->Name().c_str() : "the window"));
    return list;
}

void RegisterImageListClass() {
    TClassRegistration<TImageList>("TImageList", "TComponent")
        .Int("Width", &TImageList::SetWidth)
        .Int("Height", &TImageList::SetHeight)
        .Custom("Icons.Resources", [](TImageList& l, const TPropValue& v, TLoadContext& ctx) {
            HINSTANCE module = GetModuleHandleA(nullptr);
            for (const std::string& name : v.AsList()) {
                // Checked now for the line number; loaded in Loaded, at the final size.
                if (!FindResourceA(module, name.c_str(), RT_GROUP_ICON) && !FindResourceA(module, name.c_str(), RT_BITMAP))
                    throw EDescriptionError(ctx.Where + ": the program has no icon or bitmap resource named " + name);
                l.FPending.push_back([&l, name] { l.LoadResource(name); });
            }
        })
        .Custom("Bitmap", [](TImageList& l, const TPropValue& v, TLoadContext& ctx) {
            if (v.Kind != TPropValue::TKind::Binary) throw EDescriptionError(ctx.Where + ": binary data expected");
            l.FPending.push_back([&l, data = v.Data] { l.LoadBitmapData(data); });
        })
        .Ignore("AllocBy")
        .Ignore("BkColor")
        .Ignore("BlendColor")
        .Ignore("DrawingStyle")
        .Ignore("ImageType")
        .Ignore("Masked")
        .Ignore("ShareImages");
}
