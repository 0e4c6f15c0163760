// controls/sxImageListBox.cpp
#include "sxImageListBox.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "desktop/GdiGuards.h"
#include "ControlPropertiesP.h"

namespace {

constexpr UINT TextFlags = DT_WORDBREAK | DT_VCENTER | DT_NOPREFIX;
// The text starts this far right of the line's left edge, besides the margin.
constexpr int TextIndent = 2;

} // namespace

TsxCustomImageListBox::TsxCustomImageListBox(TComponent* owner) : TListBox(owner) {
    FInheritedFontChanged = Font().OnChange;
    Font().OnChange = TNotifyEvent(this, &TsxCustomImageListBox::FontChanged);
}

void TsxCustomImageListBox::CreateParams(TCreateParams& params) {
    TListBox::CreateParams(params);
    params.Style |= LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;
}

void TsxCustomImageListBox::SetImageLayout(TTextLayout value) {
    if (value == FImageLayout) return;
    FImageLayout = value;
    Invalidate();
}

void TsxCustomImageListBox::SetImageIndexByObject(bool value) {
    if (value == FImageIndexByObject) return;
    FImageIndexByObject = value;
    Invalidate();
}

void TsxCustomImageListBox::SetMargin(int value) {
    value = std::max(value, 0);
    if (value == FMargin) return;
    FMargin = value;
    RecreateWnd();
}

void TsxCustomImageListBox::SetSpacing(int value) {
    value = std::max(value, 0);
    if (value == FSpacing) return;
    FSpacing = value;
    RecreateWnd();
}

void TsxCustomImageListBox::SetHideSelection(bool value) {
    if (value == FHideSelection) return;
    FHideSelection = value;
    Invalidate();
}

void TsxCustomImageListBox::SetImageListAsIcon(bool value) {
    if (value == FImageListAsIcon) return;
    FImageListAsIcon = value;
    Invalidate();
}

void TsxCustomImageListBox::SetImageList(TImageList* value) {
    if (!FImageList.Set(value)) return;
    // The lines are measured when they go into the window: a new window measures them anew.
    RecreateWnd();
}

void TsxCustomImageListBox::Loaded() {
    TListBox::Loaded();
    if (FImageListName.empty()) return;
    TImageList* list = FindOwnersImageList(*this, FImageListName);
    FImageListName.clear();
    SetImageList(list);
}

void TsxCustomImageListBox::Notification(TComponent* component, TOperation operation) {
    TListBox::Notification(component, operation);
    if (FImageList.Forgets(component, operation)) RecreateWnd();
}

void TsxCustomImageListBox::ImageListChanged(TObject*) { Invalidate(); }

void TsxCustomImageListBox::FontChanged(TObject* sender) {
    FInheritedFontChanged(sender);
    RecreateWnd();
}

void TsxCustomImageListBox::SettingsChanged(WPARAM flag) {
    TListBox::SettingsChanged(flag);
    RecreateWnd();
}

int TsxCustomImageListBox::GetItemImageIndex(int index) const {
    if (!FImageIndexByObject) return index;
    if (index < 0 || index >= Items().Count()) return -1;
    auto value = reinterpret_cast<intptr_t>(Items().Objects(index));
    if (value < INT_MIN || value > INT_MAX) return -1;
    return static_cast<int>(value);
}

// The text is measured at the width it is drawn at: the line less indent, margins and picture,
// and less a scroll bar that is not there yet but may come with later lines.
int TsxCustomImageListBox::TextWidth() const {
    RECT client{0, 0, Width(), Height()};
    if (FHandle) {
        GetClientRect(FHandle, &client);
        if (!(GetWindowLongA(FHandle, GWL_STYLE) & WS_VSCROLL)) client.right -= GetSystemMetrics(SM_CXVSCROLL);
    }
    int width = client.right - TextIndent - 2 * FMargin;
    if (ImageList()) width -= ImageList()->Width() + FSpacing;
    return std::max(width, 1);
}

void TsxCustomImageListBox::MeasureItem(int index, int& height) {
    if (OnMeasureItem) {
        OnMeasureItem(this, index, height);
        return;
    }
    if (index < 0 || index >= Items().Count()) return;
    const std::string& text = Items()[index];
    RECT r{0, 0, TextWidth(), height};
    {
        TScopedGetDC dc(FHandle);
        TScopedSelectObject font(dc.Get(), Font().Handle());
        DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r, TextFlags | DT_CALCRECT);
    }
    TImageList* list = ImageList();
    int content = list ? std::max(static_cast<int>(r.bottom), list->Height()) : static_cast<int>(r.bottom);
    height = content + 2 * FMargin;
}

bool TsxCustomImageListBox::CNMeasureItem(MEASUREITEMSTRUCT& item) {
    int height = static_cast<int>(item.itemHeight);
    MeasureItem(static_cast<int>(item.itemID), height);
    // A line of a varying-height list box is at most 255 pixels high.
    item.itemHeight = static_cast<UINT>(std::clamp(height, 1, 255));
    return true;
}

bool TsxCustomImageListBox::CNDrawItem(DRAWITEMSTRUCT& item) {
    TCanvas canvas(item.hDC);
    canvas.SetFont(Font());
    canvas.SetBrushColor(EffectiveColor());
    int index = static_cast<int>(item.itemID);
    if (index < 0) canvas.FillRect(item.rcItem);
    else DrawItem(canvas, index, item.rcItem, item.itemState);
    return true;
}

void TsxCustomImageListBox::DrawItem(TCanvas& canvas, int index, const RECT& rect, UINT state) {
    if (OnDrawItem) {
        OnDrawItem(this, canvas, index, rect, state);
        return;
    }
    if (index >= Items().Count()) return;
    if ((state & ODS_SELECTED) && !FHideSelection) {
        canvas.SetBrushColor(clHighlight);
        canvas.SetTextColor(clHighlightText);
    }
    canvas.FillRect(rect);
    canvas.SetTransparent(true);
    RECT r = rect;
    r.left += TextIndent;
    InflateRect(&r, -FMargin, -FMargin);
    const std::string& text = Items()[index];
    TImageList* list = ImageList();
    if (!list) {
        canvas.TextRect(r, text, TextFlags);
        return;
    }
    int image = GetItemImageIndex(index);
    if (image >= 0 && image < list->Count()) {
        int height = list->Height();
        int top = FImageLayout == TTextLayout::tlTop      ? r.top
                  : FImageLayout == TTextLayout::tlBottom ? r.bottom - height
                                                          : r.top + (r.bottom - r.top - height) / 2;
        if (FImageListAsIcon) list->DrawAsIcon(canvas.Handle(), r.left, top, image);
        else list->Draw(canvas.Handle(), r.left, top, image);
    }
    RECT textRect = r;
    textRect.left += list->Width() + FSpacing;
    canvas.TextRect(textRect, text, TextFlags);
    if ((state & ODS_FOCUS) && !FHideSelection) DrawFocusRect(canvas.Handle(), &rect);
}

// ---- for window descriptions

void RegisterSxCustomImageListBoxClass() {
    using namespace controls_internal;
    using C = TsxCustomImageListBox;
    TClassRegistration<C>("TsxCustomImageListBox", "TListBox")
        .String("About", &C::SetAbout)
        .Enum<TTextLayout>("ImageLayout", &C::SetImageLayout, LayoutNames())
        .Bool("ImageIndexByObject", &C::SetImageIndexByObject)
        .Int("Margin", &C::SetMargin)
        .Int("Spacing", &C::SetSpacing)
        .Bool("HideSelection", &C::SetHideSelection)
        .Bool("ImageListAsIcon", &C::SetImageListAsIcon)
        .Custom("ImageList", [](C& l, const TPropValue& v, TLoadContext&) { l.SetImageListName(v.AsIdent()); })
        .Event<TDrawItemEvent>("OnDrawItem", &C::SetOnDrawItem)
        .Event<TMeasureItemEvent>("OnMeasureItem", &C::SetOnMeasureItem)
        // Always owner-drawn lines of varying height.
        .Ignore("Style")
        .Ignore("AutoComplete")
        .Ignore("ScrollWidth")
        .Ignore("TabWidth");
}

void RegisterSxImageListBoxClass() {
    using namespace controls_internal;
    TClassRegistration<TsxImageListBox>("TsxImageListBox", "TsxCustomImageListBox");
}
