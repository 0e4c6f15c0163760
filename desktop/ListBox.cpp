// desktop/ListBox.cpp -- list boxes, combo boxes and their items
#include "ListBox.h"

#include <algorithm>
#include <vector>

#include "SysUtils.h"

namespace {
int CompareText(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str());
}
} // namespace

int TListItems::Add(const std::string& text) { return AddObject(text, nullptr); }

int TListItems::AddObject(const std::string& text, TObject* object) {
    int index = Count();
    if (FSorted) {
        auto it = std::upper_bound(FItems.begin(), FItems.end(), text,
                                   [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
        index = static_cast<int>(it - FItems.begin());
    }
    InsertObject(index, text, object);
    return index;
}

void TListItems::Insert(int index, const std::string& text) { InsertObject(index, text, nullptr); }

void TListItems::InsertObject(int index, const std::string& text, TObject* object) {
    if (index < 0 || index > Count()) throw Exception(Format("List index out of bounds (%d)", index));
    FItems.insert(FItems.begin() + index, text);
    FObjects.insert(FObjects.begin() + index, object);
    if (HWND h = FOwner.WindowHandle())
        SendMessageA(h, Msg(LB_INSERTSTRING, CB_INSERTSTRING), static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

void TListItems::Delete(int index) {
    if (index < 0 || index >= Count()) throw Exception(Format("List index out of bounds (%d)", index));
    FItems.erase(FItems.begin() + index);
    FObjects.erase(FObjects.begin() + index);
    if (HWND h = FOwner.WindowHandle()) SendMessageA(h, Msg(LB_DELETESTRING, CB_DELETESTRING), static_cast<WPARAM>(index), 0);
}

void TListItems::Clear() {
    FItems.clear();
    FObjects.clear();
    if (HWND h = FOwner.WindowHandle()) SendMessageA(h, Msg(LB_RESETCONTENT, CB_RESETCONTENT), 0, 0);
}

int TListItems::IndexOf(const std::string& text) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareText(FItems[static_cast<size_t>(i)], text) == 0) return i;
    return -1;
}

void TListItems::Assign(const std::vector<std::string>& lines) {
    Clear();
    for (const std::string& s : lines) Add(s);
}

void TListItems::SetSorted(bool value) {
    if (FSorted == value) return;
    FSorted = value;
    if (value) {
        auto lines = FItems;
        auto objects = FObjects;
        Clear();
        for (size_t i = 0; i < lines.size(); ++i) AddObject(lines[i], objects[i]);
    }
}

void TListItems::FillWindow() {
    HWND h = FOwner.WindowHandle();
    if (!h) return;
    SendMessageA(h, Msg(LB_RESETCONTENT, CB_RESETCONTENT), 0, 0);
    for (const std::string& s : FItems)
        SendMessageA(h, Msg(LB_ADDSTRING, CB_ADDSTRING), 0, reinterpret_cast<LPARAM>(s.c_str()));
}

TListBox::TListBox(TComponent* owner) : TControl(owner), FItems(*this, false) {
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    SetTabStop(true);
}

void TListBox::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.ClassName = "LISTBOX";
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | LBS_NOTIFY | (FIntegralHeight ? 0 : LBS_NOINTEGRALHEIGHT) |
                   (FMultiSelect ? LBS_EXTENDEDSEL : 0);
    params.ExStyle = WS_EX_CLIENTEDGE;
}

void TListBox::CreateWnd() {
    TControl::CreateWnd();
    if (FItemHeight > 0) SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, FItemHeight);
    FItems.FillWindow();
    if (FSavedItemIndex >= 0) SetItemIndex(FSavedItemIndex);
    FSavedItemIndex = -1;
}

void TListBox::DestroyWnd() {
    if (FHandle) FSavedItemIndex = ItemIndex();
    TControl::DestroyWnd();
}

int TListBox::ItemIndex() const {
    if (!FHandle) return FSavedItemIndex;
    if (FMultiSelect) return static_cast<int>(SendMessageA(FHandle, LB_GETCARETINDEX, 0, 0));
    return static_cast<int>(SendMessageA(FHandle, LB_GETCURSEL, 0, 0));
}

void TListBox::SetItemIndex(int index) {
    if (!FHandle) {
        FSavedItemIndex = index;
        return;
    }
    if (FMultiSelect) {
        SendMessageA(FHandle, LB_SETSEL, FALSE, -1);
        if (index >= 0) SendMessageA(FHandle, LB_SETSEL, TRUE, index);
        SendMessageA(FHandle, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
    } else {
        SendMessageA(FHandle, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

bool TListBox::Selected(int index) const {
    if (!FHandle) return false;
    if (!FMultiSelect) return ItemIndex() == index;
    return SendMessageA(FHandle, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void TListBox::SetSelected(int index, bool value) {
    if (!FHandle) return;
    if (FMultiSelect) SendMessageA(FHandle, LB_SETSEL, value, index);
    else if (value) SetItemIndex(index);
    else if (ItemIndex() == index) SetItemIndex(-1);
}

int TListBox::SelCount() const {
    if (!FHandle) return 0;
    if (!FMultiSelect) return ItemIndex() >= 0 ? 1 : 0;
    return static_cast<int>(SendMessageA(FHandle, LB_GETSELCOUNT, 0, 0));
}

int TListBox::ItemHeight() const {
    if (FHandle) return static_cast<int>(SendMessageA(FHandle, LB_GETITEMHEIGHT, 0, 0));
    return FItemHeight;
}

void TListBox::SetItemHeight(int value) {
    FItemHeight = value;
    if (FHandle && value > 0) SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, value);
}

void TListBox::CNCommand(WORD code) {
    if (code == LBN_SELCHANGE) Click();
    else if (code == LBN_DBLCLK && OnDblClick) OnDblClick(this);
}

TComboBox::TComboBox(TComponent* owner) : TControl(owner), FItems(*this, true) {
    SetBounds(0, 0, 145, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

void TComboBox::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.ClassName = "COMBOBOX";
    DWORD kind = CBS_DROPDOWN;
    switch (FStyle) {
    case TComboBoxStyle::csDropDown: kind = CBS_DROPDOWN; break;
    case TComboBoxStyle::csSimple: kind = CBS_SIMPLE; break;
    case TComboBoxStyle::csDropDownList: kind = CBS_DROPDOWNLIST; break;
    case TComboBoxStyle::csOwnerDrawFixed: kind = CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS; break;
    case TComboBoxStyle::csOwnerDrawVariable: kind = CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS; break;
    }
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | CBS_AUTOHSCROLL | kind;
    params.ExStyle = 0;
}

void TComboBox::SetStyle(TComboBoxStyle value) {
    if (value == FStyle) return;
    FStyle = value;
    RecreateWnd();
}

// The window's height includes the dropped list; the control's height is the closed part,
// which the system sets from the font.
void TComboBox::SetBounds(int left, int top, int width, int height) {
    TControl::SetBounds(left, top, width, height);
    ApplyDropDownHeight();
}

void TComboBox::ApplyDropDownHeight() {
    if (!FHandle || FStyle == TComboBoxStyle::csSimple) return;
    int list = ItemHeight() * FDropDownCount + 2;
    MoveWindow(FHandle, Left(), Top(), Width(), Height() + list, TRUE);
}

void TComboBox::SetDropDownCount(int value) {
    FDropDownCount = value < 1 ? 1 : value;
    ApplyDropDownHeight();
}

int TComboBox::ItemHeight() const {
    if (FHandle) return static_cast<int>(SendMessageA(FHandle, CB_GETITEMHEIGHT, 0, 0));
    return FItemHeight;
}

void TComboBox::SetItemHeight(int value) {
    FItemHeight = value;
    if (FHandle && value > 0) {
        SendMessageA(FHandle, CB_SETITEMHEIGHT, 0, value);
        ApplyDropDownHeight();
    }
}

bool TComboBox::DroppedDown() const {
    return FHandle && SendMessageA(FHandle, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TComboBox::CreateWnd() {
    TControl::CreateWnd();
    if (FItemHeight > 0) SendMessageA(FHandle, CB_SETITEMHEIGHT, 0, FItemHeight);
    ApplyDropDownHeight();
    FItems.FillWindow();
    if (FItemIndex >= 0) SetItemIndex(FItemIndex);
}

void TComboBox::DestroyWnd() {
    if (FHandle) FItemIndex = ItemIndex();
    TControl::DestroyWnd();
}

int TComboBox::ItemIndex() const {
    return FHandle ? static_cast<int>(SendMessageA(FHandle, CB_GETCURSEL, 0, 0)) : FItemIndex;
}

void TComboBox::SetItemIndex(int index) {
    FItemIndex = index;
    if (FHandle) SendMessageA(FHandle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string TComboBox::Caption() const {
    if (!FHandle) return FCaption;
    int n = GetWindowTextLengthA(FHandle);
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    GetWindowTextA(FHandle, buf.data(), n + 1);
    return std::string(buf.data());
}

void TComboBox::CNCommand(WORD code) {
    if (IsLoading()) return;
    if (code == CBN_SELCHANGE) Click();
    if ((code == CBN_SELCHANGE || code == CBN_EDITCHANGE) && OnChange) OnChange(this);
}
