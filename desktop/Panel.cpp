// desktop/Panel.cpp -- panels and group boxes
#include "Panel.h"

void Frame3D(HDC dc, RECT& rect, TColor topColor, TColor bottomColor, int width) {
    HPEN top = CreatePen(PS_SOLID, 1, ColorToRGB(topColor));
    HPEN bottom = CreatePen(PS_SOLID, 1, ColorToRGB(bottomColor));
    HGDIOBJ old = SelectObject(dc, top);
    for (int i = 0; i < width; ++i) {
        SelectObject(dc, top);
        MoveToEx(dc, rect.left, rect.bottom - 1, nullptr);
        LineTo(dc, rect.left, rect.top);
        LineTo(dc, rect.right - 1, rect.top);
        SelectObject(dc, bottom);
        LineTo(dc, rect.right - 1, rect.bottom - 1);
        LineTo(dc, rect.left - 1, rect.bottom - 1);
        InflateRect(&rect, -1, -1);
    }
    SelectObject(dc, old);
    DeleteObject(top);
    DeleteObject(bottom);
}

TPanel::TPanel(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 185, 41); }

void TPanel::Paint(TCanvas& canvas) {
    RECT r;
    GetClientRect(FHandle, &r);
    auto bevel = [&](TBevelCut cut) {
        if (cut == TBevelCut::bvNone) return;
        if (cut == TBevelCut::bvSpace) { InflateRect(&r, -FBevelWidth, -FBevelWidth); return; }
        bool raised = cut == TBevelCut::bvRaised;
        Frame3D(canvas.Handle(), r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, FBevelWidth);
    };
    bevel(FBevelOuter);
    InflateRect(&r, -FBorderWidth, -FBorderWidth);
    bevel(FBevelInner);
    if (!FCaption.empty()) {
        canvas.SetTransparent(true);
        canvas.SetTextColor(Font().Color());
        UINT align = FAlignment == TAlignment::taLeftJustify ? DT_LEFT : FAlignment == TAlignment::taRightJustify ? DT_RIGHT : DT_CENTER;
        canvas.TextRect(r, FCaption, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

TGroupBox::TGroupBox(TComponent* owner) : TControl(owner) {
    SetBounds(0, 0, 185, 105);
    SetParentColor(true);
}

void TGroupBox::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.ClassName = "BUTTON";
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | BS_GROUPBOX;
    params.ExStyle = WS_EX_CONTROLPARENT;
}

// The system's group box draws its frame and caption only: the parent, which does not paint
// under its children, would leave the inside unpainted.
LRESULT TGroupBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(FHandle, &r);
        ::FillRect(reinterpret_cast<HDC>(wParam), &r, BackgroundBrush());
        return 1;
    }
    return TControl::WndProc(msg, wParam, lParam);
}
