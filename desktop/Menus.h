// desktop/Menus.h -- TMenuItem and TPopupMenu: a tree of items shown with TrackPopupMenu
//
// The Win32 menu is rebuilt from the item tree whenever the tree changed, so
// items can be edited at any time. Every item has a command id of its own;
// WM_COMMAND with that id, arriving at the popup menu's window, clicks it.
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

#include "Component.h"
#include "Events.h"
#include "SysUtils.h"
#include "UtilityWindow.h"

class TPopupMenu;
class TImageList;

class EMenuError : public Exception {
public:
    using Exception::Exception;
};

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;                        // leaves its parent; frees the children nobody owns

    const std::string& Caption() const noexcept { return FCaption; }
    void SetCaption(const std::string& value);    // "-" is a separator
    bool IsLine() const { return FCaption == "-"; }
    bool Checked() const noexcept { return FChecked; }
    void SetChecked(bool value);
    bool Enabled() const noexcept { return FEnabled; }
    void SetEnabled(bool value);
    bool Visible() const noexcept { return FVisible; }
    void SetVisible(bool value);
    bool Default() const noexcept { return FDefault; }
    void SetDefault(bool value);                  // shown bold
    bool RadioItem() const noexcept { return FRadioItem; }
    void SetRadioItem(bool value);                // checked mark is a dot
    bool AutoCheck() const noexcept { return FAutoCheck; }
    void SetAutoCheck(bool value);                // a click toggles Checked
    int ImageIndex() const noexcept { return FImageIndex; }
    void SetImageIndex(int value);                // in the menu's Images; -1 none
    const std::string& Hint() const noexcept { return FHint; }
    void SetHint(const std::string& value) { FHint = value; }
    TNotifyEvent OnClick;
    void SetOnClick(const TNotifyEvent& event) { OnClick = event; }

    // Children: a non-empty item is a submenu.
    int Count() const noexcept { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const;            // throws EMenuError out of range
    TMenuItem* Parent() const noexcept { return FParent; }
    void Add(TMenuItem* item);                    // also takes an item from another parent
    void Insert(int index, TMenuItem* item);      // throws EMenuError out of range
    void Remove(TMenuItem* item);                 // detaches, does not free
    void Delete(int index);                       // detaches and frees
    void Clear();                                 // frees every child
    int IndexOf(const TMenuItem* item) const;     // -1 when not a child
    TMenuItem* Find(const std::string& caption) const;   // a direct child, ignoring '&' and case

    WORD Command() const noexcept { return FCommand; }
    TPopupMenu* Menu() const;                     // the popup menu of the tree, or null
    virtual void Click();                         // AutoCheck, then OnClick

    void SetParentComponent(TComponent* parent) override;

private:
    friend class TPopupMenu;
    void Changed();
    TMenuItem* FindCommand(WORD command);
    void AppendTo(HMENU menu, TImageList* images, std::vector<HBITMAP>& bitmaps) const;

    std::string FCaption;
    std::string FHint;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    bool FRadioItem = false;
    bool FAutoCheck = false;
    int FImageIndex = -1;
    WORD FCommand = 0;
    TMenuItem* FParent = nullptr;
    TPopupMenu* FMenu = nullptr;                  // set on the root item of a popup menu only
    std::vector<TMenuItem*> FItems;
};

enum class TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);      // throws EWin32Error when its window cannot be made
    ~TPopupMenu() override;

    TMenuItem* Items() const noexcept { return FItems; }   // the invisible root; owned
    TImageList* Images() const noexcept { return FImages; }
    void SetImages(TImageList* images);           // not owned; cleared when the list is freed
    bool AutoPopup() const noexcept { return FAutoPopup; }
    void SetAutoPopup(bool value) { FAutoPopup = value; }
    TPopupAlignment Alignment() const noexcept { return FAlignment; }
    void SetAlignment(TPopupAlignment value) { FAlignment = value; }
    TComponent* PopupComponent() const noexcept { return FPopupComponent; }
    void SetPopupComponent(TComponent* component);   // who asked for the menu; cleared when freed
    TNotifyEvent OnPopup;                         // before the menu appears
    void SetOnPopup(const TNotifyEvent& event) { OnPopup = event; }

    // Shows the menu at screen point (x, y) and returns when it closes; the chosen
    // item's OnClick runs from the WM_COMMAND that follows, in the message loop.
    virtual void Popup(int x, int y);
    HMENU Handle();                               // owned; rebuilt after the items changed
    HWND WindowHandle() { return Window().Handle(); }   // receives the menu's WM_COMMAND; made when first needed
    bool DispatchCommand(WORD command);           // clicks the item with that id; false: none has it
    TMenuItem* FindItem(WORD command) const;
    void Loaded() override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TMenuItem;
    void ItemsChanged() { FDirty = true; }
    void DestroyMenu();
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    TUtilityWindow& Window();

    TMenuItem* FItems = nullptr;
    TImageList* FImages = nullptr;
    std::string FImagesName;                      // a reference read from the description, resolved in Loaded
    bool FAutoPopup = true;
    TPopupAlignment FAlignment = TPopupAlignment::paLeft;
    TComponent* FPopupComponent = nullptr;
    // A hidden top-level window costs a few milliseconds to make; most menus never open.
    std::unique_ptr<TUtilityWindow> FWindow;
    HMENU FHandle = nullptr;
    std::vector<HBITMAP> FBitmaps;                // item images of FHandle
    bool FDirty = true;

    friend void RegisterMenuClasses();
};

// Strips the '&' that marks an access key ("&&" stays one '&').
std::string StripHotkey(const std::string& caption);

void RegisterMenuClasses();
