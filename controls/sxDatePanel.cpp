// controls/sxDatePanel.cpp
//
// The parts are made with the panel and put on it once (CreateParts), when the panel is first
// sized or loaded; LayoutParts places them whenever the panel's size, font, order or spacing
// changes. Changes the panel makes to its own parts (a new Date, loading) set the updating
// flag, so that only OnChange tells of them, and only once.
#include "sxDatePanel.h"

#include <algorithm>

#include "shell/sxSysUtils.h"
#include "desktop/GdiGuards.h"
#include "ControlPropertiesP.h"

namespace {

// Extra width of the day and year edits beside their widest text.
constexpr int EditPadding = 10;
// What the month list needs at the least beside a scroll-bar's width.
constexpr int MonthBoxSlack = 20;

class TFlagGuard {
public:
    TFlagGuard(bool& flag, bool value) : FFlag(flag), FOld(flag) { flag = value; }
    ~TFlagGuard() { FFlag = FOld; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;
private:
    bool& FFlag;
    bool FOld;
};

int TextWidthOf(const TFont& font, const char* text) {
    const HDC screen = ScreenMeasuringDC();
    TScopedSelectObject selected(screen, font.Handle());
    SIZE size{};
    GetTextExtentPoint32A(screen, text, lstrlenA(text), &size);
    return size.cx;
}

bool IsDigitOrControl(char key) {
    return (key >= 1 && key <= 31) || (key >= '0' && key <= '9');
}

} // namespace

int DateLayoutOfShortDateFormat(const std::string& format) {
    std::string order = KeepChars("dmy", LowerCaseAscii(format));
    ReplaceAll(order, "dd", "d");
    ReplaceAll(order, "mm", "m");
    // Resuming after each replacement, "yyyy" takes two rounds to become "y".
    ReplaceAll(order, "yy", "y");
    ReplaceAll(order, "yy", "y");
    if (order == "mdy") return 2;
    if (order == "ymd") return 3;
    if (order == "ydm") return 4;
    return 1;
}

std::string LocaleShortDateFormat() {
    char buffer[81] = {};
    if (!GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buffer, sizeof(buffer))) return std::string();
    return buffer;
}

TsxCustomDatePanel::TsxCustomDatePanel(TComponent* owner)
    : TPanel(owner),
      FDayEdit(new TsxEdit(this)),
      FDayUpDown(new TUpDown(this)),
      FMonthBox(new TsxComboBox(this)),
      FYearEdit(new TsxEdit(this)),
      FYearUpDown(new TUpDown(this)) {
    TFlagGuard updating(FUpdating, true);
    SetCaption("");
    SetBevelOuter(TBevelCut::bvNone);
    SetBevelInner(TBevelCut::bvNone);
    SetBounds(Left(), Top(), 200, Font().Size() + 5);
    FInheritedFontChanged = Font().OnChange;
    Font().OnChange = TNotifyEvent(this, &TsxCustomDatePanel::FontChanged);
    // The arrows keep their numbers within their ranges: these come before any date.
    FDayUpDown->SetRange(1, 31);
    FYearUpDown->SetRange(0, 9999);
    SetDate(Now());
    // A panel made by the program, not loaded from a description, tells of changes from now on.
}

void TsxCustomDatePanel::Loaded() {
    {
        TFlagGuard updating(FUpdating, true);
        CreateParts();
        TPanel::Loaded();
    }
    LayoutParts();
}

void TsxCustomDatePanel::CreateParts() {
    if (FPartsCreated) return;
    FPartsCreated = true;
    for (TControl* part : {static_cast<TControl*>(FDayEdit), static_cast<TControl*>(FDayUpDown),
                           static_cast<TControl*>(FMonthBox), static_cast<TControl*>(FYearEdit),
                           static_cast<TControl*>(FYearUpDown)})
        part->SetParent(this);
    FDayEdit->SetMaxLength(2);
    FDayEdit->SetWidth(10);
    FDayUpDown->SetRange(1, 31);
    FDayUpDown->SetThousands(false);
    FMonthBox->SetStyle(TComboBoxStyle::csDropDownList);
    FMonthBox->SetDropDownCount(12);
    FYearEdit->SetMaxLength(4);
    FYearEdit->SetWidth(10);
    FYearUpDown->SetRange(0, 9999);
    FYearUpDown->SetThousands(false);
    SetControlsLayout(FControlsLayout);
    if (!IsDesigning()) FillMonthNames();
    FDayUpDown->SetAssociate(FDayEdit);
    FYearUpDown->SetAssociate(FYearEdit);
    if (!IsDesigning()) {
        FMonthBox->SetItemIndex(FMonth - 1);
        FDayEdit->OnChange = TNotifyEvent(this, &TsxCustomDatePanel::DayChanged);
        FYearEdit->OnChange = TNotifyEvent(this, &TsxCustomDatePanel::YearChanged);
        FMonthBox->OnChange = TNotifyEvent(this, &TsxCustomDatePanel::MonthChanged);
        FMonthBox->OnClick = TNotifyEvent(this, &TsxCustomDatePanel::MonthClicked);
        FDayEdit->OnKeyPress = TUiKeyPressEvent(this, &TsxCustomDatePanel::DayKeyPress);
        FYearEdit->OnKeyPress = TUiKeyPressEvent(this, &TsxCustomDatePanel::YearKeyPress);
    }
    AdjustPartWidths();
}

void TsxCustomDatePanel::FillMonthNames() {
    TListItems& items = FMonthBox->Items();
    for (int month = items.Count() + 1; month <= 12; ++month) {
        char name[81] = {};
        GetLocaleInfoA(LOCALE_USER_DEFAULT, static_cast<LCTYPE>(LOCALE_SMONTHNAME1 + month - 1), name, sizeof(name));
        items.Add(name);
    }
}

void TsxCustomDatePanel::AdjustPartWidths() {
    FDayEdit->SetWidth(TextWidthOf(Font(), "88") + EditPadding);
    FYearEdit->SetWidth(TextWidthOf(Font(), "8888") + EditPadding);
    FDayUpDown->SetWidth(GetSystemMetrics(SM_CXVSCROLL));
    FYearUpDown->SetWidth(GetSystemMetrics(SM_CXVSCROLL));
}

void TsxCustomDatePanel::LayoutParts() {
    if (FLayoutSuspended || FLayingOut) return;
    CreateParts();
    // Sizing the panel below comes back here through its size message: that one is skipped.
    TFlagGuard layingOut(FLayingOut, true);
    const int b = BorderWidth(), s = FControlsSpace;
    const int dayBlock = FEditDay ? FDayEdit->Width() + FDayUpDown->Width() + s : 0;
    const int yearBlock = FEditYear ? FYearEdit->Width() + FYearUpDown->Width() + s : 0;
    const int minimum = GetSystemMetrics(SM_CXVSCROLL) + 2 * b + MonthBoxSlack;
    if (Width() - dayBlock - yearBlock < minimum) SetWidth(minimum + dayBlock + yearBlock + 2 * b);

    int h = Height() - 2 * b;
    const int boxHeight = FMonthBox->Height();
    if ((FMonthBox->HandleAllocated() || !FMonthBox->Visible()) && h < boxHeight) {
        SetHeight(boxHeight + 2 * b);
        h = boxHeight;
    }
    const int w = Width();

    // An edit and its arrows, the arrows right after the edit.
    auto placeFrom = [&](TsxEdit* edit, TUpDown* arrows, int left) {
        edit->SetBounds(left, b, edit->Width(), h);
        arrows->SetBounds(left + edit->Width(), b, arrows->Width(), h);
    };
    auto placeUpTo = [&](TsxEdit* edit, TUpDown* arrows, int right) {
        placeFrom(edit, arrows, right - arrows->Width() - edit->Width());
    };
    auto rightOf = [](TUpDown* arrows) { return arrows->Left() + arrows->Width(); };
    auto placeBox = [&](int left, int right) {
        FMonthBox->SetBounds(left, (Height() - boxHeight) / 2, right - left, boxHeight);
    };
    std::vector<TControl*> tabOrder;
    const bool day = FEditDay, year = FEditYear;
    switch (FEffectiveLayout) {
    case 2:   // m d y
        if (year) placeUpTo(FYearEdit, FYearUpDown, w - b);
        if (day) placeUpTo(FDayEdit, FDayUpDown, year ? FYearEdit->Left() - s : w - b);
        placeBox(b, day ? FDayEdit->Left() - s : year ? FYearEdit->Left() - s : w - b);
        tabOrder = {FMonthBox, FDayEdit, FDayUpDown, FYearEdit, FYearUpDown};
        break;
    case 3:   // y m d
        if (year) placeFrom(FYearEdit, FYearUpDown, b);
        if (day) placeUpTo(FDayEdit, FDayUpDown, w - b);
        placeBox(year ? rightOf(FYearUpDown) + s : b, day ? FDayEdit->Left() - s : w - b);
        tabOrder = {FYearEdit, FYearUpDown, FMonthBox, FDayEdit, FDayUpDown};
        break;
    case 4:   // y d m
        if (year) placeFrom(FYearEdit, FYearUpDown, b);
        if (day) placeFrom(FDayEdit, FDayUpDown, year ? rightOf(FYearUpDown) + s : b);
        placeBox(day ? rightOf(FDayUpDown) + s : year ? rightOf(FYearUpDown) + s : b, w - b);
        tabOrder = {FYearEdit, FYearUpDown, FDayEdit, FDayUpDown, FMonthBox};
        break;
    default:  // d m y
        if (day) placeFrom(FDayEdit, FDayUpDown, b);
        if (year) placeUpTo(FYearEdit, FYearUpDown, w - b);
        placeBox(day ? rightOf(FDayUpDown) + s : b, year ? FYearEdit->Left() - s : w - b);
        tabOrder = {FDayEdit, FDayUpDown, FMonthBox, FYearEdit, FYearUpDown};
        break;
    }
    // The tab key follows the order of the windows.
    for (TControl* part : tabOrder)
        if (part->HandleAllocated())
            SetWindowPos(part->WindowHandle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TsxCustomDatePanel::ValidateDay() {
    int day = StrToIntDef(FDayEdit->Text(), FDayUpDown->Position());
    int last = DaysInMonth(FYearUpDown->Position(), FMonth);
    if (last == 0) last = 31;
    FDayUpDown->SetMax(last);
    day = std::min(day, last);
    std::string text = IntToStr(day);
    // Only a change is written: writing the text puts the caret back at its start.
    if (FDayEdit->Text() != text) FDayEdit->SetText(text);
}

void TsxCustomDatePanel::DoChange() {
    if (!Updating() && OnChange) OnChange(this);
}

void TsxCustomDatePanel::DayChanged(TObject*) {
    ValidateDay();
    if (Updating()) return;
    if (OnChangeDay) OnChangeDay(this);
    DoChange();
}

void TsxCustomDatePanel::YearChanged(TObject*) {
    ValidateDay();
    if (Updating()) return;
    if (OnChangeYear) OnChangeYear(this);
    DoChange();
}

void TsxCustomDatePanel::MonthChanged(TObject*) {
    if (FMonthBox->HandleAllocated()) FMonth = FMonthBox->ItemIndex() + 1;
    if (Updating()) return;
    ValidateDay();
    if (OnChangeMonth) OnChangeMonth(this);
    DoChange();
}

void TsxCustomDatePanel::MonthClicked(TObject*) {
    ValidateDay();
    if (OnClickMonth) OnClickMonth(this);
}

void TsxCustomDatePanel::DayKeyPress(TObject*, char& key) {
    if (IsLoading()) return;
    if (OnKeyPressDay) OnKeyPressDay(this, key);
    if (!IsDigitOrControl(key)) key = 0;
}

void TsxCustomDatePanel::YearKeyPress(TObject*, char& key) {
    if (IsLoading()) return;
    if (OnKeyPressYear) OnKeyPressYear(this, key);
    if (!IsDigitOrControl(key)) key = 0;
}

TDateTime TsxCustomDatePanel::Date() const {
    // What the parts show: an up-down keeps its last number when its edit's text is none in range.
    if (!FDayUpDown->PositionShown() || !FYearUpDown->PositionShown())
        throw EDateError(Format("%s: no date is day %s of month %d of year %s", Name().c_str(),
                                FDayEdit->Text().c_str(), FMonth, FYearEdit->Text().c_str()));
    int year = FYearUpDown->Position(), day = FDayUpDown->Position();
    TDateTime date = 0;
    if (!TryEncodeDate(year, FMonth, day, date))
        throw EDateError(Format("%s: no date is day %d of month %d of year %d", Name().c_str(), day, FMonth, year));
    return date;
}

void TsxCustomDatePanel::SetDate(TDateTime value) {
    int year = 0, month = 0, day = 0;
    if (!DecodeDate(value, year, month, day))
        throw EDateError(Format("%s: %g is no date of the years 1 to 9999", Name().c_str(), value));
    {
        TFlagGuard updating(FUpdating, true);
        // Year and month first: the day is checked against them as it goes in.
        FYearUpDown->SetPosition(year);
        FMonth = month;
        if (FMonthBox->HandleAllocated() && !IsDesigning()) FMonthBox->SetItemIndex(month - 1);
        FDayUpDown->SetMax(31);
        FDayUpDown->SetPosition(day);
        ValidateDay();
    }
    DoChange();
}

void TsxCustomDatePanel::SetControlsSpace(int value) {
    if (value == FControlsSpace) return;
    FControlsSpace = value;
    LayoutParts();
}

void TsxCustomDatePanel::SetControlsLayout(TsxDatePanelLayout value) {
    FControlsLayout = value;
    FEffectiveLayout = value == TsxDatePanelLayout::dplSystemDefault ? DateLayoutOfShortDateFormat(LocaleShortDateFormat())
                                                                     : static_cast<int>(value);
    LayoutParts();
}

void TsxCustomDatePanel::ShowPart(bool shown, std::initializer_list<TControl*> controls) {
    TFlagGuard suspended(FLayoutSuspended, true);
    for (TControl* c : controls) {
        c->SetVisible(shown);
        c->SetEnabled(shown);
    }
}

void TsxCustomDatePanel::SetEditDay(bool value) {
    if (value == FEditDay) return;
    FEditDay = value;
    ShowPart(value, {FDayEdit, FDayUpDown});
    LayoutParts();
}

void TsxCustomDatePanel::SetEditMonth(bool value) {
    if (value == FEditMonth) return;
    FEditMonth = value;
    ShowPart(value, {FMonthBox});
    LayoutParts();
}

void TsxCustomDatePanel::SetEditYear(bool value) {
    if (value == FEditYear) return;
    FEditYear = value;
    ShowPart(value, {FYearEdit, FYearUpDown});
    LayoutParts();
}

bool TsxCustomDatePanel::Etched() const { return FMonthBox->Etched(); }
void TsxCustomDatePanel::SetEtched(bool value) { FMonthBox->SetEtched(value); }
bool TsxCustomDatePanel::Flat() const { return FDayEdit->Flat(); }
bool TsxCustomDatePanel::FocusBorder() const { return FDayEdit->FocusBorder(); }

void TsxCustomDatePanel::SetFlat(bool value) {
    FDayEdit->SetFlat(value);
    FMonthBox->SetFlat(value);
    FYearEdit->SetFlat(value);
    // A flat edit has a new window: the arrows would step a window that is gone.
    FDayUpDown->AssociateRecreated();
    FYearUpDown->AssociateRecreated();
}

void TsxCustomDatePanel::SetFocusBorder(bool value) {
    FDayEdit->SetFocusBorder(value);
    FMonthBox->SetFocusBorder(value);
    FYearEdit->SetFocusBorder(value);
}

void TsxCustomDatePanel::SetEnabled(bool value) {
    TPanel::SetEnabled(value);
    for (TControl* part : {static_cast<TControl*>(FDayEdit), static_cast<TControl*>(FDayUpDown),
                           static_cast<TControl*>(FMonthBox), static_cast<TControl*>(FYearEdit),
                           static_cast<TControl*>(FYearUpDown)})
        part->SetEnabled(value);
    for (TControl* field : {static_cast<TControl*>(FDayEdit), static_cast<TControl*>(FMonthBox),
                            static_cast<TControl*>(FYearEdit)})
        field->SetColor(value ? clWindow : Color());
}

void TsxCustomDatePanel::FontChanged(TObject* sender) {
    FInheritedFontChanged(sender);
    AdjustPartWidths();
    LayoutParts();
}

void TsxCustomDatePanel::SettingsChanged(WPARAM flag) {
    TPanel::SettingsChanged(flag);
    AdjustPartWidths();
    SetControlsLayout(FControlsLayout);
}

void TsxCustomDatePanel::Resized() {
    CreateParts();
    LayoutParts();
}

void TsxCustomDatePanel::Paint(TCanvas& canvas) {
    if (!FCaption.empty()) SetCaption("");
    LayoutParts();
    TPanel::Paint(canvas);
}

// ---- for window descriptions

void RegisterSxCustomDatePanelClass() {
    using namespace controls_internal;
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

void RegisterSxDatePanelClass() {
    using namespace controls_internal;
    TClassRegistration<TsxDatePanel>("TsxDatePanel", "TsxCustomDatePanel");
}
