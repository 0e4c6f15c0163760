// desktop/Menus.cpp -- menu item tree, command ids and the popup menu's window
#include "Menus.h"

#include <commctrl.h>
#include <algorithm>
#include <map>

#include "Application.h"
#include "Classes.h"
#include "GdiGuards.h"
#include "ImageList.h"

namespace {

const char* const MenuWindowClass = "SxPopupMenuWindow";

// Command ids of every live item: WM_COMMAND carries a 16-bit id, so ids are reused once freed.
std::map<WORD, TMenuItem*>& CommandItems() {
    static std::map<WORD, TMenuItem*> items;
    return items;
}

WORD AllocateCommand(TMenuItem* item) {
    static WORD next = 0;
    auto& items = CommandItems();
    if (items.size() >= 0xFFFE) throw EMenuError("Too many menu items");
    do {
        if (++next == 0) next = 1;
    } while (items.count(next));
    items[next] = item;
    return next;
}

// The item's picture on a bitmap of the menu's colour; Wine and XP draw hbmpItem as it is.
HBITMAP MenuBitmap(TImageList* images, int index) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = images->Width();
    bi.bmiHeader.biHeight = -images->Height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bmp) return nullptr;
    TBitmapDC dc(bmp);
    RECT r{0, 0, images->Width(), images->Height()};
    FillRect(dc.Get(), &r, GetSysColorBrush(COLOR_MENU));
    images->Draw(dc.Get(), 0, 0, index);
    return bmp;
}

} // namespace

std::string StripHotkey(const std::string& caption) {
    std::string s;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') s += '&', ++i;
            continue;
        }
        s += caption[i];
    }
    return s;
}

// ---------------------------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), FCommand(AllocateCommand(this)) {}

TMenuItem::~TMenuItem() {
    CommandItems().erase(FCommand);
    if (FParent) FParent->Remove(this);
    auto children = std::move(FItems);
    FItems.clear();
    for (TMenuItem* child : children) {
        child->FParent = nullptr;
        if (!child->Owner()) delete child;
    }
}

void TMenuItem::SetCaption(const std::string& value) {
    if (value == FCaption) return;
    FCaption = value;
    Changed();
}

void TMenuItem::SetChecked(bool value) {
    if (value == FChecked) return;
    FChecked = value;
    Changed();
}

void TMenuItem::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    Changed();
}

void TMenuItem::SetVisible(bool value) {
    if (value == FVisible) return;
    FVisible = value;
    Changed();
}

void TMenuItem::SetDefault(bool value) {
    if (value == FDefault) return;
    FDefault = value;
    Changed();
}

void TMenuItem::SetRadioItem(bool value) {
    if (value == FRadioItem) return;
    FRadioItem = value;
    Changed();
}

void TMenuItem::SetAutoCheck(bool value) { FAutoCheck = value; }

void TMenuItem::SetImageIndex(int value) {
    if (value == FImageIndex) return;
    FImageIndex = value;
    Changed();
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EMenuError(Format("%s: menu index %d out of range (%d items)", Name().c_str(), index, Count()));
    return FItems[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) throw EMenuError(Format("%s: no menu item to insert", Name().c_str()));
    for (const TMenuItem* p = this; p; p = p->FParent)
        if (p == item) throw EMenuError(Format("%s: a menu item cannot be inserted into itself", item->Name().c_str()));
    if (item->FParent == this && IndexOf(item) < index) --index;
    if (item->FParent) item->FParent->Remove(item);
    if (index < 0 || index > Count())
        throw EMenuError(Format("%s: menu index %d out of range (%d items)", Name().c_str(), index, Count()));
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end()) return;
    FItems.erase(it);
    item->FParent = nullptr;
    Changed();
}

void TMenuItem::Delete(int index) {
    TMenuItem* item = Items(index);
    Remove(item);
    delete item;
}

void TMenuItem::Clear() {
    while (!FItems.empty()) Delete(Count() - 1);
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
    std::string wanted = StripHotkey(caption);
    for (TMenuItem* item : FItems)
        if (SameTextAscii(StripHotkey(item->FCaption), wanted)) return item;
    return nullptr;
}

TPopupMenu* TMenuItem::Menu() const {
    const TMenuItem* root = this;
    while (root->FParent) root = root->FParent;
    return root->FMenu;
}

void TMenuItem::Click() {
    if (FAutoCheck) SetChecked(!FChecked);
    if (OnClick) OnClick(this);
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* menu = dynamic_cast<TPopupMenu*>(parent))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
    else
        throw EDescriptionError(Format("menu item %s must sit inside a TPopupMenu or a TMenuItem", Name().c_str()));
}

void TMenuItem::Changed() {
    if (TPopupMenu* menu = Menu()) menu->ItemsChanged();
}

TMenuItem* TMenuItem::FindCommand(WORD command) {
    if (FCommand == command) return this;
    for (TMenuItem* item : FItems)
        if (TMenuItem* found = item->FindCommand(command)) return found;
    return nullptr;
}

void TMenuItem::AppendTo(HMENU menu, TImageList* images, std::vector<HBITMAP>& bitmaps) const {
    for (const TMenuItem* item : FItems) {
        if (!item->FVisible) continue;
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        if (item->IsLine()) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
            InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
            continue;
        }
        std::string text = item->FCaption;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        info.fType = item->FRadioItem ? MFT_RADIOCHECK : 0;
        info.fState = (item->FChecked ? MFS_CHECKED : 0) | (item->FEnabled ? 0 : MFS_DISABLED) |
                      (item->FDefault ? MFS_DEFAULT : 0);
        info.wID = item->FCommand;
        info.dwTypeData = text.data();
        if (!item->FItems.empty()) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = CreatePopupMenu();
            item->AppendTo(info.hSubMenu, images, bitmaps);
        }
        if (images && item->FImageIndex >= 0 && item->FImageIndex < images->Count()) {
            if (HBITMAP bmp = MenuBitmap(images, item->FImageIndex)) {
                bitmaps.push_back(bmp);
                info.fMask |= MIIM_BITMAP;
                info.hbmpItem = bmp;
            }
        }
        InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
    }
}

// ---------------------------------------------------------------------------------------------
// TPopupMenu

// A hidden top-level window: TrackPopupMenu needs one it can make the foreground window,
// which a message-only window cannot be.
TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner) {
    FItems = new TMenuItem(nullptr);
    FItems->FMenu = this;
}

TUtilityWindow& TPopupMenu::Window() {
    if (!FWindow)
        FWindow = std::make_unique<TUtilityWindow>(
            MenuWindowClass, TUtilityWindowKind::TopLevel,
            [this](UINT msg, WPARAM wParam, LPARAM lParam) { return WndProc(msg, wParam, lParam); });
    return *FWindow;
}

TPopupMenu::~TPopupMenu() {
    delete FItems;
    DestroyMenu();
}

void TPopupMenu::SetImages(TImageList* images) {
    if (images == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = images;
    if (FImages) FImages->FreeNotification(this);
    FDirty = true;
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
    if (component == FPopupComponent) return;
    if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
    FPopupComponent = component;
    if (FPopupComponent) FPopupComponent->FreeNotification(this);
}

void TPopupMenu::Loaded() {
    TComponent::Loaded();
    if (FImagesName.empty()) return;
    TComponent* root = Owner();
    auto* images = root ? dynamic_cast<TImageList*>(root->FindComponent(FImagesName)) : nullptr;
    if (!images) throw EDescriptionError(Format("%s.Images: %s is not an image list of %s", Name().c_str(),
                                                FImagesName.c_str(), root ? root->Name().c_str() : "the window"));
    FImagesName.clear();
    SetImages(images);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == FImages) {
        FImages = nullptr;
        FDirty = true;
    }
    if (component == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::DestroyMenu() {
    if (FHandle) ::DestroyMenu(FHandle);   // submenus go with it
    FHandle = nullptr;
    for (HBITMAP b : FBitmaps) DeleteObject(b);
    FBitmaps.clear();
}

HMENU TPopupMenu::Handle() {
    if (FHandle && !FDirty) return FHandle;
    DestroyMenu();
    FHandle = CreatePopupMenu();
    if (!FHandle) throw EWin32Error(Format("%s: CreatePopupMenu", Name().c_str()), GetLastError());
    FItems->AppendTo(FHandle, FImages, FBitmaps);
    FDirty = false;
    return FHandle;
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    HMENU menu = Handle();
    UINT align = FAlignment == TPopupAlignment::paRight    ? TPM_RIGHTALIGN
                 : FAlignment == TPopupAlignment::paCenter ? TPM_CENTERALIGN
                                                           : TPM_LEFTALIGN;
    // A menu opened for a notification-area icon closes on a click elsewhere only when its
    // window is the foreground window, and opens a second time only after a message has reached
    // that window once the menu is gone (both documented under TrackPopupMenu).
    HWND window = WindowHandle();
    SetForegroundWindow(window);
    TrackPopupMenu(menu, align | TPM_RIGHTBUTTON, x, y, 0, window, nullptr);
    PostMessageA(window, WM_NULL, 0, 0);
}

TMenuItem* TPopupMenu::FindItem(WORD command) const { return command ? FItems->FindCommand(command) : nullptr; }

bool TPopupMenu::DispatchCommand(WORD command) {
    TMenuItem* item = FindItem(command);
    if (!item || !item->Enabled() || !item->Visible()) return false;
    item->Click();
    return true;
}

LRESULT TPopupMenu::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // A menu command: notification code 0 and no control window.
    if (msg == WM_COMMAND && HIWORD(wParam) == 0 && lParam == 0) {
        DispatchCommand(LOWORD(wParam));
        return 0;
    }
    return FWindow->DefaultHandler(msg, wParam, lParam);
}

void RegisterMenuClasses() {
    TClassRegistration<TMenuItem>("TMenuItem", "TComponent")
        .String("Caption", &TMenuItem::SetCaption)
        .Bool("Checked", &TMenuItem::SetChecked)
        .Bool("Enabled", &TMenuItem::SetEnabled)
        .Bool("Visible", &TMenuItem::SetVisible)
        .Bool("Default", &TMenuItem::SetDefault)
        .Bool("RadioItem", &TMenuItem::SetRadioItem)
        .Bool("AutoCheck", &TMenuItem::SetAutoCheck)
        .Int("ImageIndex", &TMenuItem::SetImageIndex)
        .String("Hint", &TMenuItem::SetHint)
        .Event<TNotifyEvent>("OnClick", &TMenuItem::SetOnClick)
        .Ignore("ShortCut")
        .Ignore("GroupIndex")
        .Ignore("HelpContext");
    TClassRegistration<TPopupMenu>("TPopupMenu", "TComponent")
        .Custom("Images", [](TPopupMenu& m, const TPropValue& v, TLoadContext&) { m.FImagesName = v.AsIdent(); })
        .Bool("AutoPopup", &TPopupMenu::SetAutoPopup)
        .Enum<TPopupAlignment>("Alignment", &TPopupMenu::SetAlignment,
                               {{"paLeft", TPopupAlignment::paLeft}, {"paRight", TPopupAlignment::paRight},
                                {"paCenter", TPopupAlignment::paCenter}})
        .Event<TNotifyEvent>("OnPopup", &TPopupMenu::SetOnPopup)
        .Ignore("MenuAnimation")
        .Ignore("TrackButton");
}
