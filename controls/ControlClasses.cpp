// controls/ControlClasses.cpp -- property tables of the controls and the family's start-up
#include "ControlClasses.h"

#include "FxCursors.h"
#include "FxPanel.h"
#include "FxUrlLabel.h"
#include "JpegFormat.h"
#include "UiButton.h"
#include "UiCharTables.h"
#include "UiFormMagnet.h"
#include "UiGraphicsTables.h"
#include "UiHTLabel.h"
#include "UiIntegerEdit.h"
#include "UiPageControl.h"
#include "UiSpeedButton.h"
#include "UiTipOfDay.h"
#include "UiSysInfo.h"
#include "desktop/Classes.h"
#include "desktop/EnumNames.h"
#include "desktop/UpDown.h"
#include "shared/SharedClasses.h"
#include "shell/sxSysUtils.h"
#include "sxComboBox.h"
#include "sxDatePanel.h"
#include "sxEdit.h"
#include "sxGroupBox.h"
#include "desktop/FontProperties.h"
#include "sxImage.h"
#include "sxImageListBox.h"
#include "sxScrollBar.h"

namespace {

const auto& Alignments = AlignmentNames();
const auto& BevelCuts = BevelCutNames();
const std::vector<std::pair<std::string, TDirection>> Directions = {
    {"drNone", TDirection::drNone}, {"drUp", TDirection::drUp}, {"drDown", TDirection::drDown},
    {"drLeft", TDirection::drLeft}, {"drRight", TDirection::drRight}, {"drUpLeft", TDirection::drUpLeft},
    {"drUpRight", TDirection::drUpRight}, {"drDownLeft", TDirection::drDownLeft}, {"drDownRight", TDirection::drDownRight}};
const std::vector<std::pair<std::string, TVerticalAlignment>> VerticalAlignments = {
    {"vaTop", TVerticalAlignment::vaTop}, {"vaCenter", TVerticalAlignment::vaCenter}, {"vaBottom", TVerticalAlignment::vaBottom}};
const std::vector<std::pair<std::string, TTextLayout>> Layouts = {
    {"tlTop", TTextLayout::tlTop}, {"tlCenter", TTextLayout::tlCenter}, {"tlBottom", TTextLayout::tlBottom}};
const std::vector<std::pair<std::string, TShadowStyle>> ShadowStyles = {
    {"ssNone", TShadowStyle::ssNone}, {"ssCustom", TShadowStyle::ssCustom}, {"ssRaised", TShadowStyle::ssRaised},
    {"ssRaisedColor", TShadowStyle::ssRaisedColor}, {"ssRaisedShadow", TShadowStyle::ssRaisedShadow},
    {"ssRaisedThickShadow", TShadowStyle::ssRaisedThickShadow}, {"ssRecessed", TShadowStyle::ssRecessed},
    {"ssRecessedColor", TShadowStyle::ssRecessedColor}, {"ssRecessedShadow", TShadowStyle::ssRecessedShadow},
    {"ssShadow", TShadowStyle::ssShadow}, {"ssThickShadow", TShadowStyle::ssThickShadow}};
const std::vector<std::pair<std::string, TEditBorderStyle>> BorderStyles = {
    {"bsNone", TEditBorderStyle::bsNone}, {"bsSingle", TEditBorderStyle::bsSingle}};

// Colours are stored as decimal numbers; the names of the full colour table are accepted too.
TColor Color(const TPropValue& v, const TLoadContext& ctx) {
    if (v.Kind == TPropValue::TKind::Integer) return static_cast<TColor>(v.Int);
    TColor c;
    if (IdentToColor(v.AsIdent(), c)) return c;
    throw EDescriptionError(ctx.Where + ": unknown colour " + v.Str);
}

template <class C>
auto ColorProperty(void (C::*set)(TColor)) {
    return [set](C& c, const TPropValue& v, TLoadContext& ctx) { (c.*set)(Color(v, ctx)); };
}

int Cursor(const TPropValue& v, const TLoadContext& ctx) {
    if (v.Kind == TPropValue::TKind::Integer) return v.AsInteger();
    static const std::pair<const char*, int> names[] = {{"crDefault", crDefault}, {"crHandPoint", crFxHandPoint}};
    for (const auto& [n, id] : names)
        if (SameTextAscii(n, v.AsIdent())) return id;
    throw EDescriptionError(ctx.Where + ": unknown cursor " + v.Str);
}

// A set of flags as a description writes it: [caCopy, caPaste].
template <class F>
unsigned Flags(const TPropValue& v, const TLoadContext& ctx, std::initializer_list<std::pair<const char*, F>> names,
               const char* what) {
    unsigned set = 0;
    for (const std::string& s : v.AsSet()) {
        bool known = false;
        for (const auto& [n, flag] : names)
            if (SameTextAscii(n, s)) { set |= flag; known = true; }
        if (!known) throw EDescriptionError(ctx.Where + ": unknown " + what + " " + s);
    }
    return set;
}

TSides Sides(const TPropValue& v, const TLoadContext& ctx) {
    return static_cast<TSides>(Flags<TSide>(v, ctx, {{"sdLeft", sdLeft}, {"sdTop", sdTop}, {"sdRight", sdRight}, {"sdBottom", sdBottom}}, "side"));
}

TUiClipBoardCommands ClipBoardCommands(const TPropValue& v, const TLoadContext& ctx) {
    return static_cast<TUiClipBoardCommands>(Flags<TUiClipBoardCommand>(
        v, ctx, {{"caCopy", caCopy}, {"caCut", caCut}, {"caPaste", caPaste}, {"caUndo", caUndo}}, "clipboard command"));
}

void RegisterLabelsAndPanel() {
    TClassRegistration<TFxPanel>("TFxPanel", "TControl")
        .Bool("BevelCtl3D", &TFxPanel::SetBevelCtl3D)
        .Custom("BevelSides", [](TFxPanel& p, const TPropValue& v, TLoadContext& ctx) { p.SetBevelSides(Sides(v, ctx)); })
        .Custom("BorderColor", ColorProperty(&TFxPanel::SetBorderColor))
        .Enum<TVerticalAlignment>("VerticalAlignment", &TFxPanel::SetVerticalAlignment, VerticalAlignments)
        .Enum<TBevelCut>("BevelOuter", &TFxPanel::SetBevelOuter, BevelCuts)
        .Enum<TBevelCut>("BevelInner", &TFxPanel::SetBevelInner, BevelCuts)
        .Int("BevelWidth", &TFxPanel::SetBevelWidth)
        .Int("BorderWidth", &TFxPanel::SetBorderWidth)
        .Enum<TAlignment>("Alignment", &TFxPanel::SetAlignment, Alignments)
        .Event<TNotifyEvent>("OnMouseEnter", &TFxPanel::SetOnMouseEnter)
        .Event<TNotifyEvent>("OnMouseLeave", &TFxPanel::SetOnMouseLeave)
        .Ignore("BorderStyle")
        .Ignore("FullRepaint")
        .Ignore("Locked");
    TClassRegistration<TFxLabel>("TFxLabel", "TControl")
        .Int("Angle", &TFxLabel::SetAngle)
        .Int("OffsetX", &TFxLabel::SetOffsetX)
        .Int("OffsetY", &TFxLabel::SetOffsetY)
        .Enum<TDirection>("HighlightDirection", &TFxLabel::SetHighlightDirection, Directions)
        .Int("HighlightDepth", &TFxLabel::SetHighlightDepth)
        .Custom("HighlightColor", ColorProperty(&TFxLabel::SetHighlightColor))
        .Enum<TShadowStyle>("ShadowStyle", &TFxLabel::SetShadowStyle, ShadowStyles)
        .Enum<TDirection>("ShadowDirection", &TFxLabel::SetShadowDirection, Directions)
        .Int("ShadowDepth", &TFxLabel::SetShadowDepth)
        .Int("ShadowSize", &TFxLabel::SetShadowSize)
        .Custom("ShadowColor", ColorProperty(&TFxLabel::SetShadowColor))
        .Enum<TVerticalAlignment>("VerticalAlignment", &TFxLabel::SetVerticalAlignment, VerticalAlignments)
        .Enum<TTextLayout>("Layout", &TFxLabel::SetLayout, Layouts)
        .Enum<TAlignment>("Alignment", &TFxLabel::SetAlignment, Alignments)
        .Bool("AutoSize", &TFxLabel::SetAutoSize)
        .Bool("WordWrap", &TFxLabel::SetWordWrap)
        .Bool("ShowAccelChar", &TFxLabel::SetShowAccelChar)
        .Bool("Transparent", &TFxLabel::SetTransparent)
        .Event<TNotifyEvent>("OnMouseEnter", &TFxLabel::SetOnMouseEnter)
        .Event<TNotifyEvent>("OnMouseLeave", &TFxLabel::SetOnMouseLeave)
        .Ignore("FocusControl");
    TClassRegistration<TFxUrlLabel>("TFxUrlLabel", "TFxLabel")
        .String("URL", &TFxUrlLabel::SetURL)
        .Custom("UnvisitedColor", ColorProperty(&TFxUrlLabel::SetUnvisitedColor))
        .Custom("ActivatedColor", ColorProperty(&TFxUrlLabel::SetActivatedColor))
        .Custom("VisitedColor", ColorProperty(&TFxUrlLabel::SetVisitedColor))
        .Custom("HoveredColor", ColorProperty(&TFxUrlLabel::SetHoveredColor))
        .Bool("CanHover", &TFxUrlLabel::SetCanHover)
        .Custom("Cursor", [](TFxUrlLabel& l, const TPropValue& v, TLoadContext& ctx) { l.SetCursor(Cursor(v, ctx)); });
    TClassRegistration<TUiHTLabel>("TUiHTLabel", "TControl")
        .Enum<TAlignment>("Alignment", &TUiHTLabel::SetAlignment, Alignments)
        .Bool("AutoSize", &TUiHTLabel::SetAutoSize)
        .Enum<TTextLayout>("Layout", &TUiHTLabel::SetLayout, Layouts)
        .Bool("Transparent", &TUiHTLabel::SetTransparent);
}

void RegisterEditAndPages() {
    TClassRegistration<TUiIntegerEdit>("TUiIntegerEdit", "TEdit")
        .Enum<TAlignment>("Alignment", &TUiIntegerEdit::SetAlignment, Alignments)
        .Enum<TEditBorderStyle>("BorderStyle", &TUiIntegerEdit::SetBorderStyle, BorderStyles)
        .Custom("ClipBoardCommands", [](TUiIntegerEdit& e, const TPropValue& v, TLoadContext& ctx) {
            e.SetClipBoardCommands(ClipBoardCommands(v, ctx));
        })
        .Custom("DisabledColor", ColorProperty(&TUiIntegerEdit::SetDisabledColor))
        .Custom("DisabledTextColor", ColorProperty(&TUiIntegerEdit::SetDisabledTextColor))
        .Bool("HasMaxValue", &TUiIntegerEdit::SetHasMaxValue)
        .Bool("HasMinValue", &TUiIntegerEdit::SetHasMinValue)
        .Int("MaxValue", &TUiIntegerEdit::SetMaxValue)
        .Int("MinValue", &TUiIntegerEdit::SetMinValue)
        .Bool("ReadOnly", &TUiIntegerEdit::SetReadOnly)
        .Int("Value", &TUiIntegerEdit::SetValue)
        .Int("SelStart", &TUiIntegerEdit::SetSelStart)
        .Int("SelLength", &TUiIntegerEdit::SetSelLength)
        .Event<TUiKeyPressEvent>("OnKeyPress", &TUiIntegerEdit::SetOnKeyPress)
        .Ignore("AutoSelect")
        .Ignore("AutoSize")
        .Ignore("CharCase")
        .Ignore("HideSelection");
    TClassRegistration<TUiPageControl>("TUiPageControl", "TPageControl")
        .Bool("HandleGlobalTab", &TUiPageControl::SetHandleGlobalTab)
        .Int("ClientBorderWidth", &TUiPageControl::SetClientBorderWidth)
        .Bool("DrawTabShadow", &TUiPageControl::SetDrawTabShadow)
        .Bool("HideAllTabs", &TUiPageControl::SetHideAllTabs)
        .Custom("HintColor", ColorProperty(&TUiPageControl::SetHintColor))
        .Event<TNotifyEvent>("OnMouseEnter", &TUiPageControl::SetOnMouseEnter)
        .Event<TNotifyEvent>("OnMouseLeave", &TUiPageControl::SetOnMouseLeave);
}

// The image control has one class; its custom name carries the properties, for descriptions.
void RegisterSxImageClass() {
    TClassRegistration<TsxImage>("TsxCustomImage", "TImage", true)
        .String("About", &TsxImage::SetAbout)
        .Bool("CaptionVisible", &TsxImage::SetCaptionVisible)
        .Bool("CaptionWhenEmpty", &TsxImage::SetCaptionWhenEmpty)
        .Custom("ImageList", [](TsxImage& i, const TPropValue& v, TLoadContext&) { i.SetImageListName(v.AsIdent()); })
        .Bool("ImageListAsIcon", &TsxImage::SetImageListAsIcon)
        .Int("ImageIndex", &TsxImage::SetImageIndex);
}

void RegisterEditClass() {
    using C = TsxCustomEdit;
    TClassRegistration<C>("TsxCustomEdit", "TEdit")
        .String("About", &C::SetAbout)
        .Enum<TAlignment>("Alignment", &C::SetAlignment, Alignments)
        .Bool("AutoSelect", &C::SetAutoSelect)
        .Bool("Flat", &C::SetFlat)
        .Bool("FocusBorder", &C::SetFocusBorder)
        .Ignore("AutoSize")
        .Ignore("BorderStyle")
        .Ignore("CharCase")
        .Ignore("HideSelection")
        .Ignore("OEMConvert");
}

void RegisterComboBoxClass() {
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

void RegisterImageListBoxClass() {
    using C = TsxCustomImageListBox;
    TClassRegistration<C>("TsxCustomImageListBox", "TListBox")
        .String("About", &C::SetAbout)
        .Enum<TTextLayout>("ImageLayout", &C::SetImageLayout, Layouts)
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

void RegisterGroupBoxClass() {
    using C = TsxCustomGroupBox;
    TClassRegistration<C>("TsxCustomGroupBox", "TGroupBox")
        .String("About", &C::SetAbout)
        .Bool("AutoDisableControls", &C::SetAutoDisableControls)
        .Bool("CheckBoxChecked", &C::SetCheckBoxChecked)
        .Bool("CheckBoxVisible", &C::SetCheckBoxVisible)
        .Event<TNotifyEvent>("OnCheckBoxClick", &C::SetOnCheckBoxClick);
}

void RegisterScrollBarClass() {
    using C = TsxCustomScrollBar;
    TClassRegistration<C>("TsxCustomScrollBar", "TControl")
        .String("About", &C::SetAbout)
        .Bool("AutoSize", &C::SetAutoSize)
        .Bool("HideButtons", &C::SetHideButtons)
        .Int("Margin", &C::SetMargin)
        .Int("Max", &C::SetMax)
        .Int("Min", &C::SetMin)
        .Enum<TScrollBarKind>("Kind", &C::SetKind,
                              {{"sbHorizontal", TScrollBarKind::sbHorizontal}, {"sbVertical", TScrollBarKind::sbVertical}})
        .Int("Position", &C::SetPosition)
        .Custom("TimerInterval", [](C& c, const TPropValue& v, TLoadContext& ctx) {
            if (v.AsInteger() < 0) throw EDescriptionError(ctx.Where + ": a negative interval");
            c.SetTimerInterval(static_cast<unsigned>(v.AsInteger()));
        })
        .Bool("Transparent", &C::SetTransparent)
        .Event<TNotifyEvent>("OnChange", &C::SetOnChange);
}

void RegisterDatePanelClass() {
    using C = TsxCustomDatePanel;
    TClassRegistration<C>("TsxCustomDatePanel", "TPanel")
        .String("About", &C::SetAbout)
        .Int("ControlsSpace", &C::SetControlsSpace)
        .Enum<TsxDatePanelLayout>("ControlsLayout", &C::SetControlsLayout,
                                  {{"dplSystemDefault", TsxDatePanelLayout::dplSystemDefault},
                                   {"dplDMY", TsxDatePanelLayout::dplDMY}, {"dplMDY", TsxDatePanelLayout::dplMDY},
                                   {"dplYMD", TsxDatePanelLayout::dplYMD}, {"dplYDM", TsxDatePanelLayout::dplYDM}})
        .Custom("Date", [](C& p, const TPropValue& v, TLoadContext& ctx) {
            if (v.Kind != TPropValue::TKind::Float && v.Kind != TPropValue::TKind::Integer)
                throw EDescriptionError(ctx.Where + ": a date number expected");
            p.SetDate(v.Kind == TPropValue::TKind::Float ? v.Float : static_cast<double>(v.Int));
        })
        .Bool("EditDay", &C::SetEditDay)
        .Bool("EditMonth", &C::SetEditMonth)
        .Bool("EditYear", &C::SetEditYear)
        .Bool("Etched", &C::SetEtched)
        .Bool("Flat", &C::SetFlat)
        .Bool("FocusBorder", &C::SetFocusBorder)
        .Strings("MonthNames.Strings", &C::SetMonthNames)
        .Event<TNotifyEvent>("OnChange", &C::SetOnChange)
        .Event<TNotifyEvent>("OnChangeDate", &C::SetOnChangeDate)
        .Event<TNotifyEvent>("OnChangeYear", &C::SetOnChangeYear)
        .Event<TNotifyEvent>("OnChangeDay", &C::SetOnChangeDay)
        .Event<TNotifyEvent>("OnChangeMonth", &C::SetOnChangeMonth)
        .Event<TNotifyEvent>("OnClickMonth", &C::SetOnClickMonth)
        .Event<TUiKeyPressEvent>("OnKeyPressDay", &C::SetOnKeyPressDay)
        .Event<TUiKeyPressEvent>("OnKeyPressYear", &C::SetOnKeyPressYear)
        .Ignore("FullRepaint")
        .Ignore("Locked");
}

// The family of the sx controls, each under its custom class name and the name descriptions
// place; a class registered already, by another module, is left as it is.
void RegisterSxControlFamily() {
    RegisterClassesIfMissing({
        {"TsxCustomEdit", &RegisterEditClass},
        {"TsxEdit", [] { TClassRegistration<TsxEdit>("TsxEdit", "TsxCustomEdit"); }},
        {"TsxCustomComboBox", &RegisterComboBoxClass},
        {"TsxComboBox", [] { TClassRegistration<TsxComboBox>("TsxComboBox", "TsxCustomComboBox"); }},
        {"TsxCustomImageListBox", &RegisterImageListBoxClass},
        {"TsxImageListBox", [] { TClassRegistration<TsxImageListBox>("TsxImageListBox", "TsxCustomImageListBox"); }},
        {"TsxCustomImage", &RegisterSxImageClass},
        {"TsxImage", [] { TClassRegistration<TsxImage>("TsxImage", "TsxCustomImage"); }},
        {"TsxCustomGroupBox", &RegisterGroupBoxClass},
        {"TsxGroupBox", [] { TClassRegistration<TsxGroupBox>("TsxGroupBox", "TsxCustomGroupBox"); }},
        {"TsxCustomScrollBar", &RegisterScrollBarClass},
        {"TsxScrollBar", [] { TClassRegistration<TsxScrollBar>("TsxScrollBar", "TsxCustomScrollBar"); }},
        {"TsxCustomDatePanel", &RegisterDatePanelClass},
        {"TsxDatePanel", [] { TClassRegistration<TsxDatePanel>("TsxDatePanel", "TsxCustomDatePanel"); }},
    });
    // What the date panel is made of.
    RegisterClassesIfMissing({{"TPanel", [] { TClassRegistration<TPanel>("TPanel", "TControl"); }},
                              {"TUpDown", &RegisterUpDownClass}});
}

void RegisterMagnet() {
    TClassRegistration<TUiFormMagnet>("TUiFormMagnet", "TUiComponent")
        .Bool("Active", &TUiFormMagnet::SetActive)
        .Bool("ScreenMagnet", &TUiFormMagnet::SetScreenMagnet)
        .Custom("Area", [](TUiFormMagnet& m, const TPropValue& v, TLoadContext& ctx) {
            if (v.Kind != TPropValue::TKind::Integer || v.Int < 0 || v.Int > 0xFFFFFFFFLL)
                throw EDescriptionError(ctx.Where + ": Area must be a number of pixels from 0 to 4294967295");
            m.SetArea(static_cast<uint32_t>(v.Int));
        })
        .Bool("FormGlue", &TUiFormMagnet::SetFormGlue)
        .Bool("MainFormMagnet", &TUiFormMagnet::SetMainFormMagnet);
}

// The published settings both hot-track buttons share.
template <class B>
void AddHotTrackButtonProperties(TClassRegistration<B>& r) {
    r.String("AboutInfo", &B::SetAboutInfo)
        .Bool("HotTrack", &B::SetHotTrack)
        .Custom("HintColor", ColorProperty(&B::SetHintColor))
        .Custom("DropDownMenu", [](B& b, const TPropValue& v, TLoadContext&) { b.SetDropDownMenuName(v.AsIdent()); })
        .template Event<TNotifyEvent>("OnMouseEnter", &B::SetOnMouseEnter)
        .template Event<TNotifyEvent>("OnMouseLeave", &B::SetOnMouseLeave)
        .template Event<TNotifyEvent>("OnParentColorChange", &B::SetOnParentColorChange);
    AddFontProperties<B>(r, "HotTrackFont", [](B& b) -> TFont& { return b.HotTrackFont(); });
}

void RegisterButtons() {
    TClassRegistration<TUiButton> button("TUiButton", "TButton");
    AddHotTrackButtonProperties(button);
    button.Event<TNotifyEvent>("OnCtl3DChanged", &TUiButton::SetOnCtl3DChanged);
    TClassRegistration<TUiSpeedButton> speed("TUiSpeedButton", "TSpeedButton");
    AddHotTrackButtonProperties(speed);
    speed.Int("ModalResult", &TUiSpeedButton::SetModalResult);
}

// A button's settings object inside another class's description: "ButtonNext.Caption", ...
template <class C>
void AddButtonSettings(TClassRegistration<C>& r, const std::string& prefix, TUiButtonPersistent& (C::*settings)()) {
    using B = TUiButtonPersistent;
    const std::pair<const char*, void (B::*)(bool)> flags[] = {{"Enabled", &B::SetEnabled}, {"Visible", &B::SetVisible},
        {"Flat", &B::SetFlat}, {"HotTrack", &B::SetHotTrack}, {"ShowHint", &B::SetShowHint}};
    for (const auto& [name, set] : flags)
        r.Custom(prefix + "." + name, [settings, set](C& c, const TPropValue& v, TLoadContext&) { ((c.*settings)().*set)(v.AsBool()); });
    const std::pair<const char*, void (B::*)(const std::string&)> texts[] = {{"Caption", &B::SetCaption}, {"Hint", &B::SetHint}};
    for (const auto& [name, set] : texts)
        r.Custom(prefix + "." + name, [settings, set](C& c, const TPropValue& v, TLoadContext&) { ((c.*settings)().*set)(v.AsString()); });
    AddFontProperties<C>(r, prefix + ".HotTrackFont", [settings](C& c) -> TFont& { return (c.*settings)().HotTrackFont(); });
}

void RegisterTipOfDay() {
    TClassRegistration<TUiTipOfDay> tips("TUiTipOfDay", "TUiComponent");
    tips.String("AboutInfo", &TUiTipOfDay::SetAboutInfo)
        .String("Title", &TUiTipOfDay::SetTitle)
        .String("HeaderText", &TUiTipOfDay::SetHeaderText)
        .String("CheckBoxText", &TUiTipOfDay::SetCheckBoxText)
        .Custom("Color", ColorProperty(&TUiTipOfDay::SetColor))
        .Bool("DefaultFonts", &TUiTipOfDay::SetDefaultFonts)
        .Custom("Options", [](TUiTipOfDay& t, const TPropValue& v, TLoadContext& ctx) {
            t.SetOptions(static_cast<TUiTipOfDayOptions>(Flags<TUiTipOfDayOption>(
                v, ctx, {{"toShowOnStartUp", toShowOnStartUp}, {"toUseRegistry", toUseRegistry},
                         {"toShowWhenFormShown", toShowWhenFormShown}}, "option")));
        })
        .Enum<TUiTipOfDayStyle>("Style", &TUiTipOfDay::SetStyle,
                                {{"tsVC", TUiTipOfDayStyle::tsVC}, {"tsStandard", TUiTipOfDayStyle::tsStandard}})
        .Strings("Tips.Strings", &TUiTipOfDay::SetTipLines)
        .Event<TNotifyEvent>("OnAfterExecute", &TUiTipOfDay::SetOnAfterExecute)
        .Event<TUiCanShowEvent>("OnCanShow", &TUiTipOfDay::SetOnCanShow);
    AddFontProperties<TUiTipOfDay>(tips, "HeaderFont", [](TUiTipOfDay& t) -> TFont& { return t.HeaderFont(); });
    AddFontProperties<TUiTipOfDay>(tips, "TipFont", [](TUiTipOfDay& t) -> TFont& { return t.TipFont(); });
    AddButtonSettings(tips, "ButtonNext", &TUiTipOfDay::ButtonNext);
    AddButtonSettings(tips, "ButtonClose", &TUiTipOfDay::ButtonClose);
}

} // namespace

void InitControlTables() {
    InitCharTables();
    InitSystemInfo();
    InitGraphicsTables(ProcessorInfo().HasMmx);
}

void RegisterFxControlClasses() {
    static bool registered = false;
    if (registered) return;
    RegisterSharedClasses();   // TUiComponent, the magnet's base
    InitControlTables();
    RegisterFxCursors();
    RegisterJpegFormat();
    RegisterLabelsAndPanel();
    RegisterEditAndPages();
    RegisterSxControlFamily();
    RegisterMagnet();
    RegisterButtons();
    RegisterTipOfDay();
    registered = true;
}
