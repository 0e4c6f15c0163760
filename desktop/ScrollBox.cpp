// desktop/ScrollBox.cpp
#include "ScrollBox.h"

#include <algorithm>

#include "Classes.h"

namespace {
// Posted from Loaded: the controls inside finish their own loading (and sizing) after ours.
constexpr UINT WM_SX_UPDATE_RANGE = WM_APP + 0x53;
}

TScrollBox::TScrollBox(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 185, 41); }

void TScrollBox::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.Style |= WS_VSCROLL | WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT | (FBorderSingle ? WS_EX_CLIENTEDGE : 0);
}

void TScrollBox::CreateWnd() {
    TControl::CreateWnd();
    UpdateScrollRange();
}

void TScrollBox::SetBorderSingle(bool value) {
    if (value == FBorderSingle) return;
    FBorderSingle = value;
    if (!FHandle) return;
    LONG ex = GetWindowLongA(FHandle, GWL_EXSTYLE);
    SetWindowLongA(FHandle, GWL_EXSTYLE, value ? (ex | WS_EX_CLIENTEDGE) : (ex & ~WS_EX_CLIENTEDGE));
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    UpdateScrollRange();
}

void TScrollBox::Loaded() {
    TControl::Loaded();
    if (FHandle) PostMessageA(FHandle, WM_SX_UPDATE_RANGE, 0, 0);
}

void TScrollBox::Resized() { UpdateScrollRange(); }

void TScrollBox::UpdateScrollRange() {
    if (FUpdating) return;
    FUpdating = true;
    int bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Visible()) bottom = std::max(bottom, c->Top() + c->Height());
    }
    FRange = bottom + FPosition;
    if (FHandle) {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = FRange > 0 ? FRange - 1 : 0;
        si.nPage = static_cast<UINT>(std::max(0, ClientHeight()));
        si.nPos = FPosition;
        // Showing or hiding the bar changes the client size: WM_SIZE comes back here, guarded.
        SetScrollInfo(FHandle, SB_VERT, &si, TRUE);
    }
    FUpdating = false;
    SetVertPosition(FPosition);   // the range may have shrunk below the position
}

void TScrollBox::SetVertPosition(int value) {
    int most = std::max(0, FRange - ClientHeight());
    value = std::clamp(value, 0, most);
    if (value != FPosition) ScrollBy(FPosition - value);
}

void TScrollBox::ScrollBy(int delta) {
    FPosition -= delta;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        c->SetBounds(c->Left(), c->Top() + delta, c->Width(), c->Height());
    }
    if (FHandle) {
        SetScrollPos(FHandle, SB_VERT, FPosition, TRUE);
        InvalidateRect(FHandle, nullptr, TRUE);
    }
}

LRESULT TScrollBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SX_UPDATE_RANGE:
        UpdateScrollRange();
        return 0;
    case WM_VSCROLL: {
        UpdateScrollRange();
        int page = ClientHeight();
        switch (LOWORD(wParam)) {
        case SB_LINEUP: SetVertPosition(FPosition - LineStep); break;
        case SB_LINEDOWN: SetVertPosition(FPosition + LineStep); break;
        case SB_PAGEUP: SetVertPosition(FPosition - page); break;
        case SB_PAGEDOWN: SetVertPosition(FPosition + page); break;
        case SB_TOP: SetVertPosition(0); break;
        case SB_BOTTOM: SetVertPosition(FRange); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO si{};
            si.cbSize = sizeof(si);
            si.fMask = SIF_TRACKPOS;
            GetScrollInfo(FHandle, SB_VERT, &si);
            SetVertPosition(si.nTrackPos);
            break;
        }
        default: break;
        }
        return 0;
    }
    case WM_MOUSEWHEEL: {
        UpdateScrollRange();
        int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
        SetVertPosition(FPosition - notches * 3 * LineStep);
        return 0;
    }
    default:
        return TControl::WndProc(msg, wParam, lParam);
    }
}

void RegisterScrollBoxClass() {
    TClassRegistration<TScrollBox>("TScrollBox", "TControl")
        .Custom("BorderStyle", [](TScrollBox& box, const TPropValue& v, TLoadContext& ctx) {
            if (SameTextAscii(v.AsIdent(), "bsNone")) box.SetBorderSingle(false);
            else if (SameTextAscii(v.AsIdent(), "bsSingle")) box.SetBorderSingle(true);
            else throw EDescriptionError(ctx.Where + ": unknown border style " + v.Str);
        });
}
