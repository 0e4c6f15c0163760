// controls/sxEdit.cpp
//
// The border is drawn in the non-client area, over the client edge the window has: after the
// system paints that edge (WM_NCPAINT), after every paint of the text (which sends itself
// WM_NCPAINT), and whenever the mouse comes or goes or the focus does.
#include "sxEdit.h"

#include "desktop/Form.h"
#include "shell/sxSysUtils.h"
#include "ControlPropertiesP.h"

TsxCustomEdit::TsxCustomEdit(TComponent* owner) : TEdit(owner) {}

void TsxCustomEdit::CreateParams(TCreateParams& params) {
    TEdit::CreateParams(params);
    params.ExStyle |= WS_EX_CLIENTEDGE;
    params.Style |= WS_CLIPCHILDREN;
    switch (FAlignment) {
    case TAlignment::taLeftJustify: params.Style |= ES_LEFT; break;
    case TAlignment::taRightJustify: params.Style |= ES_RIGHT; break;
    case TAlignment::taCenter: params.Style |= ES_CENTER; break;
    }
    // One-line edits of Windows 95 and NT 4 ignore the alignment styles; multi-line ones honour them.
    if (!IsWin98OrLater() && !IsWin2000OrLater() && FAlignment != TAlignment::taLeftJustify)
        params.Style |= ES_MULTILINE;
}

void TsxCustomEdit::SetAlignment(TAlignment value) {
    if (value == FAlignment) return;
    FAlignment = value;
    RecreateWnd();
}

void TsxCustomEdit::SetFlat(bool value) {
    if (value == Flat()) return;
    FLook.SetFlat(value);
    RecreateWnd();
}

void TsxCustomEdit::SetFocusBorder(bool value) {
    if (value == FLook.FocusBorder) return;
    FLook.FocusBorder = value;
    RedrawFlatBorder();
}

void TsxCustomEdit::SetEnabled(bool value) {
    if (value == Enabled()) return;
    TEdit::SetEnabled(value);
    FLook.EnabledChanged();
}

void TsxCustomEdit::DrawFlatBorder(HDC dc) {
    if (IsLoading() || IsDestroying()) return;
    FLook.DrawRings(dc, RECT{0, 0, Width(), Height()});
}

void TsxCustomEdit::RedrawFlatBorder() {
    FLook.Redraw([this](HDC dc) { DrawFlatBorder(dc); });
}

// Centred and right-aligned text is taken whole when the focus comes other than by a click.
void TsxCustomEdit::FocusEntered() {
    if (FAutoSelect && FAlignment != TAlignment::taLeftJustify && GetKeyState(VK_LBUTTON) >= 0)
        SendMessageA(FHandle, EM_SETSEL, 0, -1);
}

LRESULT TsxCustomEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEMOVE:
        if (FLook.MouseMoved()) RedrawFlatBorder();
        break;
    case WM_MOUSELEAVE:
        if (FLook.MouseLeft()) RedrawFlatBorder();
        break;
    case WM_CHAR:
        if (OnKeyPress) {
            char key = static_cast<char>(wParam);
            OnKeyPress(this, key);
            if (key == 0) return 0;
            wParam = static_cast<unsigned char>(key);
        }
        // A multi-line window would take Enter as a line break and keep Escape: the form's
        // default and cancel buttons get them first, and no line break goes in.
        if ((wParam == VK_RETURN || wParam == VK_ESCAPE) && (GetWindowLongA(FHandle, GWL_STYLE) & ES_MULTILINE)) {
            for (TControl* c = Parent(); c; c = c->Parent())
                if (auto* form = dynamic_cast<TForm*>(c)) {
                    form->DialogKey(static_cast<WORD>(wParam));
                    break;
                }
            if (wParam == VK_RETURN) return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_NCPAINT: {
        LRESULT result = TEdit::WndProc(msg, wParam, lParam);
        if (msg == WM_SETFOCUS) FocusEntered();
        if (!IsDesigning()) RedrawFlatBorder();
        return result;
    }
    case WM_PAINT: {
        LRESULT result = TEdit::WndProc(msg, wParam, lParam);
        SendMessageA(FHandle, WM_NCPAINT, 1, 0);
        return result;
    }
    default:
        break;
    }
    return TEdit::WndProc(msg, wParam, lParam);
}

// ---- for window descriptions

void RegisterSxCustomEditClass() {
    using namespace controls_internal;
    using C = TsxCustomEdit;
    TClassRegistration<C>("TsxCustomEdit", "TEdit")
        .String("About", &C::SetAbout)
        .Enum<TAlignment>("Alignment", &C::SetAlignment, AlignmentNames())
        .Bool("AutoSelect", &C::SetAutoSelect)
        .Bool("Flat", &C::SetFlat)
        .Bool("FocusBorder", &C::SetFocusBorder)
        .Ignore("AutoSize")
        .Ignore("BorderStyle")
        .Ignore("CharCase")
        .Ignore("HideSelection")
        .Ignore("OEMConvert");
}

void RegisterSxEditClass() {
    using namespace controls_internal;
    TClassRegistration<TsxEdit>("TsxEdit", "TsxCustomEdit");
}
