// controls/sxGroupBox.cpp
#include "sxGroupBox.h"

#include <algorithm>

#include "desktop/GdiGuards.h"
#include "ControlPropertiesP.h"

namespace {

// Left of the check box, and what the box adds to the caption's width besides its glyph.
constexpr int CheckBoxLeft = 8;
constexpr int CheckBoxGap = 6;

} // namespace

TsxCustomGroupBox::TsxCustomGroupBox(TComponent* owner) : TGroupBox(owner), FCheckBox(new TCheckBox(this)) {
    FCheckBox->SetParent(this);
    FCheckBox->SetParentFont(true);
    FCheckBox->SetChecked(true);
    FCheckBox->OnClick = TNotifyEvent(this, &TsxCustomGroupBox::CheckBoxClick);
}

// The check box sits on the group box: children must not be painted over.
void TsxCustomGroupBox::CreateParams(TCreateParams& params) {
    TGroupBox::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
}

void TsxCustomGroupBox::CreateWnd() {
    TGroupBox::CreateWnd();
    PlaceCheckBox();
}

void TsxCustomGroupBox::SetAutoDisableControls(bool value) {
    FAutoDisableControls = value;
    ApplyCheckBoxState();
}

void TsxCustomGroupBox::SetCheckBoxChecked(bool value) {
    FCheckBox->SetChecked(value);
    ApplyCheckBoxState();
}

void TsxCustomGroupBox::SetCheckBoxVisible(bool value) {
    FCheckBox->SetVisible(value);
    PlaceCheckBox();
    Invalidate();
}

void TsxCustomGroupBox::SetCaption(const std::string& text) {
    TGroupBox::SetCaption(text);
    PlaceCheckBox();
}

// Controls described inside the group come after its CheckBoxChecked: they follow it now.
void TsxCustomGroupBox::Loaded() {
    TGroupBox::Loaded();
    ApplyCheckBoxState();
}

void TsxCustomGroupBox::PlaceCheckBox() {
    if (!FHandle || !FCheckBox->HandleAllocated()) return;
    FCheckBox->SetCaption(Caption());
    TScopedGetDC dc(FHandle);
    SIZE text{};
    {
        TScopedSelectObject font(dc.Get(), Font().Handle());
        GetTextExtentPoint32A(dc.Get(), Caption().c_str(), static_cast<int>(Caption().size()), &text);
    }
    FCheckBox->SetBounds(CheckBoxLeft, 0, text.cx + CheckBoxGlyphSize + CheckBoxGap,
                         std::max(static_cast<int>(text.cy), CheckBoxGlyphSize));
    // Only the check box's caption is to show where the group box wrote its own; a hidden
    // check box leaves the group box's caption in view.
    if (FCheckBox->Visible()) {
        RECT r{FCheckBox->Left(), FCheckBox->Top(), FCheckBox->Left() + FCheckBox->Width(),
               FCheckBox->Top() + FCheckBox->Height()};
        ::FillRect(dc.Get(), &r, BackgroundBrush());
    }
}

void TsxCustomGroupBox::ApplyCheckBoxState() {
    if (FAutoDisableControls) {
        bool state = Enabled();
        if (FCheckBox->Visible()) state = FCheckBox->Checked() && Enabled();
        for (int i = 0; i < ControlCount(); ++i)
            if (Controls(i) != FCheckBox) Controls(i)->SetEnabled(state);
    }
    Invalidate();
}

void TsxCustomGroupBox::CheckBoxClick(TObject*) {
    ApplyCheckBoxState();
    if (OnCheckBoxClick) OnCheckBoxClick(this);
}

LRESULT TsxCustomGroupBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        LRESULT result = TGroupBox::WndProc(msg, wParam, lParam);
        PlaceCheckBox();
        return result;
    }
    return TGroupBox::WndProc(msg, wParam, lParam);
}

// ---- for window descriptions

void RegisterSxCustomGroupBoxClass() {
    using namespace controls_internal;
    using C = TsxCustomGroupBox;
    TClassRegistration<C>("TsxCustomGroupBox", "TGroupBox")
        .String("About", &C::SetAbout)
        .Bool("AutoDisableControls", &C::SetAutoDisableControls)
        .Bool("CheckBoxChecked", &C::SetCheckBoxChecked)
        .Bool("CheckBoxVisible", &C::SetCheckBoxVisible)
        .Event<TNotifyEvent>("OnCheckBoxClick", &C::SetOnCheckBoxClick);
}

void RegisterSxGroupBoxClass() {
    using namespace controls_internal;
    TClassRegistration<TsxGroupBox>("TsxGroupBox", "TsxCustomGroupBox");
}
