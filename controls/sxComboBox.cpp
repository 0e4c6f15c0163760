// controls/sxComboBox.cpp
//
// A flat combo box paints itself as the system would, then its own drop-down button and border
// over that (DrawFlatBorder), on every paint and whenever the mouse or the focus comes or goes.
#include "sxComboBox.h"

#include <algorithm>

#include "shell/sxGraphics.h"
#include "desktop/GdiGuards.h"
#include "ControlPropertiesP.h"

namespace {

constexpr int MinItemHeight = 7;

} // namespace

TsxCustomComboBox::TsxCustomComboBox(TComponent* owner) : TComboBox(owner) {
    FInheritedFontChanged = Font().OnChange;
    Font().OnChange = TNotifyEvent(this, &TsxCustomComboBox::FontChanged);
}

void TsxCustomComboBox::CreateParams(TCreateParams& params) {
    TComboBox::CreateParams(params);
    if (ImageList()) {
        if (!(params.Style & CBS_OWNERDRAWVARIABLE)) params.Style |= CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
        AdjustItemHeight();
    }
}

void TsxCustomComboBox::CreateWnd() {
    TComboBox::CreateWnd();
    if (FListWidth > 0) SendMessageA(FHandle, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(FListWidth), 0);
}

void TsxCustomComboBox::Loaded() {
    TComboBox::Loaded();
    if (!FImageListName.empty()) {
        TImageList* list = FindOwnersImageList(*this, FImageListName);
        FImageListName.clear();
        SetImageList(list);
    }
    AdjustItemHeight();
    Invalidate();
}

int TsxCustomComboBox::WantedItemHeight() const {
    TEXTMETRICA tm{};
    {
        const HDC screen = ScreenMeasuringDC();
        TScopedSelectObject font(screen, const_cast<TsxCustomComboBox*>(this)->Font().Handle());
        GetTextMetricsA(screen, &tm);
    }
    int height = std::max(static_cast<int>(tm.tmHeight) + 2, MinItemHeight);
    if (ImageList()) height = std::max(height, ImageList()->Height());
    return height;
}

void TsxCustomComboBox::AdjustItemHeight() { SetItemHeight(WantedItemHeight()); }

void TsxCustomComboBox::SetImageList(TImageList* value) {
    if (FImageList.Set(value)) RecreateWnd();
}

void TsxCustomComboBox::Notification(TComponent* component, TOperation operation) {
    TComboBox::Notification(component, operation);
    if (FImageList.Forgets(component, operation)) RecreateWnd();
}

void TsxCustomComboBox::ImageListChanged(TObject*) {
    AdjustItemHeight();
    Invalidate();
}

void TsxCustomComboBox::FontChanged(TObject* sender) {
    FInheritedFontChanged(sender);
    AdjustItemHeight();
}

void TsxCustomComboBox::SettingsChanged(WPARAM flag) {
    TComboBox::SettingsChanged(flag);
    if (flag == SPI_SETNONCLIENTMETRICS) RecreateWnd();
}

int TsxCustomComboBox::ListWidth() const {
    if (FHandle) return static_cast<int>(SendMessageA(FHandle, CB_GETDROPPEDWIDTH, 0, 0));
    return FListWidth;
}

void TsxCustomComboBox::SetListWidth(int value) {
    FListWidth = value;
    if (FHandle) SendMessageA(FHandle, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(value), 0);
}

void TsxCustomComboBox::SetFlat(bool value) {
    if (value == Flat()) return;
    FLook.SetFlat(value);
    Invalidate();
}

void TsxCustomComboBox::SetEtched(bool value) {
    if (value == FEtched) return;
    FEtched = value;
    Invalidate();
}

void TsxCustomComboBox::SetFocusBorder(bool value) {
    if (value == FLook.FocusBorder) return;
    FLook.FocusBorder = value;
    Invalidate();
}

void TsxCustomComboBox::SetImageListAsIcon(bool value) {
    if (value == FImageListAsIcon) return;
    FImageListAsIcon = value;
    Invalidate();
}

void TsxCustomComboBox::SetEnabled(bool value) {
    if (value == Enabled()) return;
    TComboBox::SetEnabled(value);
    FLook.EnabledChanged();
}

int TsxCustomComboBox::DropDownButtonWidth() const { return GetSystemMetrics(SM_CXVSCROLL); }

RECT TsxCustomComboBox::DropDownButtonRect() const {
    RECT r{0, 0, Width(), Height()};
    if (FHandle) GetClientRect(FHandle, &r);
    r.left = r.right - DropDownButtonWidth() - 4;
    InflateRect(&r, -2, -2);
    return r;
}

void TsxCustomComboBox::DrawFlatBorder(HDC dc) {
    if (IsLoading() || IsDestroying() || !FHandle) return;
    int saved = SaveDC(dc);
    if (Style() != TComboBoxStyle::csSimple) {
        RECT button = DropDownButtonRect();
        DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT);
        // The glyph stays; only the button's two outer pixels get the look.
        ExcludeClipRect(dc, button.left + 2, button.top + 2, button.right - 2, button.bottom - 2);
        if (FLook.MouseOver() || FLook.Active()) {
            DrawEdge(dc, &button, FEtched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT | (DroppedDown() ? BF_FLAT : 0));
        } else {
            FillRectSolid(dc, button, clBtnFace);
            FrameRectSolid(dc, button, clBtnHighlight);
        }
        ExcludeClipRect(dc, button.left, button.top, button.right, button.bottom);
    }
    RECT client;
    GetClientRect(FHandle, &client);
    FLook.DrawRings(dc, client);
    RestoreDC(dc, saved);
}

void TsxCustomComboBox::RedrawFlatBorder() {
    FLook.Redraw([this](HDC dc) { DrawFlatBorder(dc); });
}

void TsxCustomComboBox::CNCommand(WORD code) {
    TComboBox::CNCommand(code);
    if (!FHandle) return;
    switch (code) {
    case CBN_DROPDOWN:
    case CBN_CLOSEUP: {
        RECT r;
        GetClientRect(FHandle, &r);
        r.left = r.right - DropDownButtonWidth() - 2;
        InvalidateRect(FHandle, &r, FALSE);
        break;
    }
    // The focus may be on the edit field inside: the combo box hears of it this way either way.
    case CBN_SETFOCUS:
    case CBN_KILLFOCUS:
        if (!IsDesigning()) RedrawFlatBorder();
        break;
    default:
        break;
    }
}

bool TsxCustomComboBox::CNDrawItem(DRAWITEMSTRUCT& item) {
    {
        TCanvas canvas(item.hDC);
        canvas.SetFont(Font());
        if (item.itemState & ODS_SELECTED) {
            canvas.SetBrushColor(clHighlight);
            canvas.SetTextColor(clHighlightText);
        } else {
            canvas.SetBrushColor(EffectiveColor());
        }
        int index = static_cast<int>(item.itemID);
        if (index < 0) canvas.FillRect(item.rcItem);
        else DrawItem(canvas, index, item.rcItem, item.itemState);
    }
    if (Flat()) RedrawFlatBorder();
    return true;
}

void TsxCustomComboBox::DrawItem(TCanvas& canvas, int index, const RECT& rect, UINT state) {
    if (OnDrawItem) {
        OnDrawItem(this, canvas, index, rect, state);
        return;
    }
    canvas.FillRect(rect);
    if (index >= Items().Count()) return;
    canvas.SetTransparent(true);
    const std::string& text = Items()[index];
    TImageList* list = ImageList();
    if (!list) {
        canvas.TextOut(rect.left + 2, rect.top, text);
        return;
    }
    int imageHeight = list->Height(), textHeight = canvas.TextHeight(text);
    int line = std::max(imageHeight, textHeight);
    int x = rect.left + 2;
    if (index < list->Count()) {
        int y = rect.top + (line - imageHeight) / 2;
        if (FImageListAsIcon) list->DrawAsIcon(canvas.Handle(), x, y, index);
        else list->Draw(canvas.Handle(), x, y, index);
    }
    x += list->Width() + 2;
    canvas.TextOut(x, rect.top + (line - textHeight) / 2, text);
}

void TsxCustomComboBox::PaintFlat(HDC given) {
    PAINTSTRUCT ps;
    HDC dc = given ? given : BeginPaint(FHandle, &ps);
    DefaultHandler(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    DrawFlatBorder(dc);
    if (!given) EndPaint(FHandle, &ps);
}

LRESULT TsxCustomComboBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEMOVE:
        if (FLook.MouseMoved()) RedrawFlatBorder();
        break;
    case WM_MOUSELEAVE:
        if (FLook.MouseLeft()) RedrawFlatBorder();
        break;
    case WM_PAINT:
        if (Flat()) {
            PaintFlat(reinterpret_cast<HDC>(wParam));
            return 0;
        }
        break;
    case WM_PRINTCLIENT: {
        LRESULT result = TComboBox::WndProc(msg, wParam, lParam);
        if (Flat()) DrawFlatBorder(reinterpret_cast<HDC>(wParam));
        return result;
    }
    case WM_NCPAINT: {
        LRESULT result = TComboBox::WndProc(msg, wParam, lParam);
        RedrawFlatBorder();
        return result;
    }
    default:
        break;
    }
    return TComboBox::WndProc(msg, wParam, lParam);
}

// ---- for window descriptions

void RegisterSxCustomComboBoxClass() {
    using namespace controls_internal;
    using C = TsxCustomComboBox;
    TClassRegistration<C>("TsxCustomComboBox", "TComboBox")
        .String("About", &C::SetAbout)
        .Bool("Etched", &C::SetEtched)
        .Bool("Flat", &C::SetFlat)
        .Bool("FocusBorder", &C::SetFocusBorder)
        .Custom("ImageList", [](C& c, const TPropValue& v, TLoadContext&) { c.SetImageListName(v.AsIdent()); })
        .Bool("ImageListAsIcon", &C::SetImageListAsIcon)
        .Int("ListWidth", &C::SetListWidth)
        .Event<TDrawItemEvent>("OnDrawItem", &C::SetOnDrawItem)
        .Ignore("AutoComplete")
        .Ignore("AutoDropDown")
        .Ignore("CharCase")
        .Ignore("MaxLength");
}

void RegisterSxComboBoxClass() {
    using namespace controls_internal;
    TClassRegistration<TsxComboBox>("TsxComboBox", "TsxCustomComboBox");
}
