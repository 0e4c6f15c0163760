// desktop/ImageList.h -- TImageList: equally sized images over a comctl32 image list
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <string>
#include <vector>

#include "Component.h"
#include "Events.h"
#include "SysUtils.h"

class TCanvas;

class EImageListError : public Exception {
public:
    using Exception::Exception;
};

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner);      // 16 x 16; throws EWin32Error when comctl32 refuses
    ~TImageList() override;

    int Width() const noexcept { return FWidth; }
    int Height() const noexcept { return FHeight; }
    void SetWidth(int value);                     // a new size empties the list
    void SetHeight(int value);
    int Count() const;
    HIMAGELIST Handle() const noexcept { return FHandle; }   // owned (ILC_COLOR32 | ILC_MASK)

    int AddIcon(HICON icon);                      // scaled to the list's size; the caller keeps icon; returns the index
    int AddBitmap(HBITMAP image, HBITMAP mask);   // a strip of Width-wide images; mask may be null (opaque)
    int AddMasked(HBITMAP image, COLORREF transparent);   // a strip; pixels of that colour are transparent
    void LoadResource(const std::string& name);   // an ICON, else a BITMAP resource of the program
    void LoadBitmapData(const std::vector<unsigned char>& bmpFile);   // a strip; its bottom-left colour is transparent
    void Delete(int index);
    void Clear();

    HICON GetIcon(int index) const;               // the caller owns it (DestroyIcon)
    HBITMAP GetBitmap(int index, COLORREF background) const;   // the caller owns it (DeleteObject)
    void Draw(HDC dc, int x, int y, int index) const;   // throws EImageListError out of range
    void Draw(TCanvas& canvas, int x, int y, int index) const;
    // The entry made into an icon first and drawn as one (controls that show entries as icons).
    void DrawAsIcon(HDC dc, int x, int y, int index) const;   // throws EImageListError out of range

    // Told after every change of the images; a listener unregisters before it goes.
    TNotifyEvent OnChange;
    void RegisterChanges(const TNotifyEvent& listener);
    void UnRegisterChanges(const TNotifyEvent& listener);

    void Loaded() override;

private:
    friend void RegisterImageListClass();
    void Recreate();
    void CheckIndex(int index) const;
    void Changed();

    int FWidth = 16;
    int FHeight = 16;
    HIMAGELIST FHandle = nullptr;
    std::vector<TNotifyEvent> FListeners;
    // Images named by the description wait for Loaded, when Width and Height are final.
    std::vector<std::function<void()>> FPending;
};

void RegisterImageListClass();

// A component's hold on an image list it does not own: the list's changes go to onChange, and
// the list's end makes the holder forget it (through Forgets, called from its Notification).
class TImageListLink {
public:
    TImageListLink(TComponent& holder, const TNotifyEvent& onChange) : FHolder(holder), FOnChange(onChange) {}
    ~TImageListLink() { Set(nullptr); }
    TImageListLink(const TImageListLink&) = delete;
    TImageListLink& operator=(const TImageListLink&) = delete;

    TImageList* List() const noexcept { return FList; }
    bool Set(TImageList* list);                   // false: it is the list held already
    // True when component is the held list, now being freed: it is forgotten without a word
    // to it (what it would unregister from is gone by then).
    bool Forgets(TComponent* component, TOperation operation);

private:
    TComponent& FHolder;
    TNotifyEvent FOnChange;
    TImageList* FList = nullptr;
};

// The image list a description names for component: one of the components of its owner.
// Throws EDescriptionError when there is no image list of that name.
TImageList* FindOwnersImageList(const TComponent& component, const std::string& name);
