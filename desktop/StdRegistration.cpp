// desktop/StdRegistration.cpp -- property tables of the standard controls
#include "Button.h"
#include "CheckBox.h"
#include "ClassList.h"
#include "Classes.h"
#include "Edit.h"
#include "EnumNames.h"
#include "Label.h"
#include "ListBox.h"
#include "Form.h"
#include "PageControl.h"
#include "Panel.h"

const std::vector<std::pair<std::string, TAlignment>>& AlignmentNames() {
    static const std::vector<std::pair<std::string, TAlignment>> names = {
        {"taLeftJustify", TAlignment::taLeftJustify}, {"taRightJustify", TAlignment::taRightJustify},
        {"taCenter", TAlignment::taCenter}};
    return names;
}

const std::vector<std::pair<std::string, TBevelCut>>& BevelCutNames() {
    static const std::vector<std::pair<std::string, TBevelCut>> names = {
        {"bvNone", TBevelCut::bvNone}, {"bvLowered", TBevelCut::bvLowered}, {"bvRaised", TBevelCut::bvRaised},
        {"bvSpace", TBevelCut::bvSpace}};
    return names;
}

namespace {

const auto& Alignments = AlignmentNames();
const auto& BevelCuts = BevelCutNames();

int ModalResultFromValue(const TPropValue& v) {
    if (v.Kind == TPropValue::TKind::Integer) return v.AsInteger();
    static const std::pair<const char*, int> names[] = {{"mrNone", 0}, {"mrOk", IDOK}, {"mrCancel", IDCANCEL},
        {"mrAbort", IDABORT}, {"mrRetry", IDRETRY}, {"mrIgnore", IDIGNORE}, {"mrYes", IDYES}, {"mrNo", IDNO},
        {"mrAll", mrAll}, {"mrNoToAll", mrNoToAll}, {"mrYesToAll", mrYesToAll}};
    for (const auto& [n, r] : names)
        if (SameTextAscii(n, v.AsIdent())) return r;
    throw EDescriptionError("unknown modal result " + v.Str);
}

} // namespace

void RegisterStandardControlClasses() {
    TClassRegistration<TButton>("TButton", "TControl")
        .Bool("Default", &TButton::SetDefault)
        .Bool("Cancel", &TButton::SetCancel)
        .Custom("ModalResult", [](TButton& b, const TPropValue& v, TLoadContext&) { b.SetModalResult(ModalResultFromValue(v)); });
    TClassRegistration<TCheckBox>("TCheckBox", "TControl").Bool("Checked", &TCheckBox::SetChecked).Ignore("State");
    TClassRegistration<TRadioButton>("TRadioButton", "TCheckBox");
    TClassRegistration<TLabel>("TLabel", "TControl")
        .Enum<TAlignment>("Alignment", &TLabel::SetAlignment, Alignments)
        .Bool("AutoSize", &TLabel::SetAutoSize)
        .Bool("WordWrap", &TLabel::SetWordWrap)
        .Bool("Transparent", &TLabel::SetTransparent)
        .Ignore("Layout");
    TClassRegistration<TEdit>("TEdit", "TControl")
        .Bool("ReadOnly", &TEdit::SetReadOnly)
        .Int("MaxLength", &TEdit::SetMaxLength)
        .String("PasswordChar", &TEdit::SetPasswordChar)
        .Event<TNotifyEvent>("OnChange", &TEdit::SetOnChange);
    TClassRegistration<TListBox>("TListBox", "TControl")
        .Strings("Items.Strings", &TListBox::SetItems)
        .Int("ItemIndex", &TListBox::SetItemIndex)
        .Bool("Sorted", &TListBox::SetSorted)
        .Bool("MultiSelect", &TListBox::SetMultiSelect)
        .Bool("ExtendedSelect", &TListBox::SetMultiSelect)
        .Bool("IntegralHeight", &TListBox::SetIntegralHeight)
        .Int("ItemHeight", &TListBox::SetItemHeight);
    TClassRegistration<TComboBox>("TComboBox", "TControl")
        .Strings("Items.Strings", &TComboBox::SetItems)
        .Bool("Sorted", &TComboBox::SetSorted)
        .Int("ItemIndex", &TComboBox::SetItemIndex)
        .Enum<TComboBoxStyle>("Style", &TComboBox::SetStyle,
                              {{"csDropDown", TComboBoxStyle::csDropDown}, {"csSimple", TComboBoxStyle::csSimple},
                               {"csDropDownList", TComboBoxStyle::csDropDownList},
                               {"csOwnerDrawFixed", TComboBoxStyle::csOwnerDrawFixed},
                               {"csOwnerDrawVariable", TComboBoxStyle::csOwnerDrawVariable}})
        .Int("DropDownCount", &TComboBox::SetDropDownCount)
        .Int("ItemHeight", &TComboBox::SetItemHeight)
        .Event<TNotifyEvent>("OnChange", &TComboBox::SetOnChange);
    TClassRegistration<TPanel>("TPanel", "TControl")
        .Enum<TBevelCut>("BevelOuter", &TPanel::SetBevelOuter, BevelCuts)
        .Enum<TBevelCut>("BevelInner", &TPanel::SetBevelInner, BevelCuts)
        .Int("BevelWidth", &TPanel::SetBevelWidth)
        .Int("BorderWidth", &TPanel::SetBorderWidth)
        .Enum<TAlignment>("Alignment", &TPanel::SetAlignment, Alignments);
    TClassRegistration<TGroupBox>("TGroupBox", "TControl");
    TClassRegistration<TTabSheet>("TTabSheet", "TControl").Bool("TabVisible", &TTabSheet::SetTabVisible).Ignore("PageControl");
    TClassRegistration<TPageControl>("TPageControl", "TControl")
        .Custom("ActivePage", [](TPageControl& pc, const TPropValue& v, TLoadContext&) {
            pc.FActivePageName = v.AsIdent();
            for (TTabSheet* p : pc.FPages)
                if (SameTextAscii(p->Name(), pc.FActivePageName)) pc.SetActivePage(p);
        })
        .Bool("MultiLine", &TPageControl::SetMultiLine)
        .Bool("HotTrack", &TPageControl::SetHotTrack)
        .Event<TNotifyEvent>("OnChange", &TPageControl::SetOnChange)
        .Event<TTabChangingEvent>("OnChanging", &TPageControl::SetOnChanging);
    TClassRegistration<TProgressBar>("TProgressBar", "TControl")
        .Int("Min", &TProgressBar::SetMin)
        .Int("Max", &TProgressBar::SetMax)
        .Int("Position", &TProgressBar::SetPosition)
        .Int("Step", &TProgressBar::SetStep)
        .Ignore("Smooth");
}
