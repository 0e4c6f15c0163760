// controls/sxDatePanel.h -- TsxDatePanel: a borderless panel that edits a date in three parts,
// a day edit with arrows, a month list of the locale's names and a year edit with arrows, in
// the order of the locale's short date format or a fixed one; the day is kept valid for the
// month and year
#pragma once
#include <string>
#include <vector>

#include "sxComboBox.h"
#include "sxEdit.h"
#include "desktop/Panel.h"
#include "desktop/SysUtils.h"
#include "desktop/UpDown.h"

enum class TsxDatePanelLayout { dplSystemDefault, dplDMY, dplMDY, dplYMD, dplYDM };

// The parts do not make a date (31 February, a year 0, no month picked).
class EDateError : public Exception {
public:
    using Exception::Exception;
};

// The order a short date format such as "M/d/yyyy" gives: 1 day-month-year, 2 month-day-year,
// 3 year-month-day, 4 year-day-month; anything else is 1.
int DateLayoutOfShortDateFormat(const std::string& format);
std::string LocaleShortDateFormat();              // the user's, from the system's locale settings

class TsxCustomDatePanel : public TPanel {
public:
    explicit TsxCustomDatePanel(TComponent* owner);

    const std::string& About() const noexcept { return FAbout; }
    void SetAbout(const std::string& value) { FAbout = value; }
    int ControlsSpace() const noexcept { return FControlsSpace; }
    virtual void SetControlsSpace(int value);     // pixels between the parts
    TsxDatePanelLayout ControlsLayout() const noexcept { return FControlsLayout; }
    virtual void SetControlsLayout(TsxDatePanelLayout value);   // the system's order is read anew each time
    int EffectiveLayout() const noexcept { return FEffectiveLayout; }   // 1 d-m-y, 2 m-d-y, 3 y-m-d, 4 y-d-m
    bool EditDay() const noexcept { return FEditDay; }
    void SetEditDay(bool value);                  // false: the part is hidden and left out of the layout
    bool EditMonth() const noexcept { return FEditMonth; }
    void SetEditMonth(bool value);
    bool EditYear() const noexcept { return FEditYear; }
    void SetEditYear(bool value);
    virtual TDateTime Date() const;               // throws EDateError when the parts make no date
    virtual void SetDate(TDateTime value);        // only its date part; OnChange once, no part's event
    bool Etched() const;
    void SetEtched(bool value);
    bool Flat() const;
    void SetFlat(bool value);
    bool FocusBorder() const;
    void SetFocusBorder(bool value);
    std::vector<std::string> MonthNames() const { return FMonthBox->Items().Lines(); }
    void SetMonthNames(const std::vector<std::string>& names) { FMonthBox->SetItems(names); }
    void SetEnabled(bool value) override;         // the parts follow, in the panel's colour while disabled

    TsxEdit& DayEdit() const { return *FDayEdit; }
    TUpDown& DayUpDown() const { return *FDayUpDown; }
    TsxComboBox& MonthBox() const { return *FMonthBox; }
    TsxEdit& YearEdit() const { return *FYearEdit; }
    TUpDown& YearUpDown() const { return *FYearUpDown; }

    TNotifyEvent OnChange, OnChangeDate, OnChangeYear, OnChangeDay, OnChangeMonth, OnClickMonth;
    TUiKeyPressEvent OnKeyPressDay, OnKeyPressYear;
    void SetOnChange(const TNotifyEvent& e) { OnChange = e; }
    void SetOnChangeDate(const TNotifyEvent& e) { OnChangeDate = e; }   // kept for descriptions; never fired
    void SetOnChangeYear(const TNotifyEvent& e) { OnChangeYear = e; }
    void SetOnChangeDay(const TNotifyEvent& e) { OnChangeDay = e; }
    void SetOnChangeMonth(const TNotifyEvent& e) { OnChangeMonth = e; }
    void SetOnClickMonth(const TNotifyEvent& e) { OnClickMonth = e; }
    void SetOnKeyPressDay(const TUiKeyPressEvent& e) { OnKeyPressDay = e; }
    void SetOnKeyPressYear(const TUiKeyPressEvent& e) { OnKeyPressYear = e; }

    void Loaded() override;

protected:
    virtual void FillMonthNames();                // the locale's names for the months the list lacks
    virtual void CreateParts();                   // once: the parts put on the panel and wired
    virtual void LayoutParts();
    virtual void AdjustPartWidths();
    virtual void ValidateDay();                   // the day no later than the month's last
    virtual void DoChange();
    virtual void DayChanged(TObject* sender);
    virtual void MonthChanged(TObject* sender);
    virtual void YearChanged(TObject* sender);
    virtual void MonthClicked(TObject* sender);
    virtual void DayKeyPress(TObject* sender, char& key);
    virtual void YearKeyPress(TObject* sender, char& key);
    void Paint(TCanvas& canvas) override;
    void Resized() override;
    void SettingsChanged(WPARAM flag) override;

private:
    bool Updating() const { return FUpdating || IsLoading(); }
    void ShowPart(bool shown, std::initializer_list<TControl*> controls);
    void FontChanged(TObject* sender);

    std::string FAbout;
    int FControlsSpace = 8;
    int FMonth = 1;
    bool FEditDay = true, FEditMonth = true, FEditYear = true;
    bool FUpdating = false;
    bool FLayoutSuspended = false;
    bool FLayingOut = false;
    bool FPartsCreated = false;
    TsxDatePanelLayout FControlsLayout = TsxDatePanelLayout::dplSystemDefault;
    int FEffectiveLayout = 1;
    TsxEdit* FDayEdit;                            // the parts: owned by the panel
    TUpDown* FDayUpDown;
    TsxComboBox* FMonthBox;
    TsxEdit* FYearEdit;
    TUpDown* FYearUpDown;
    TNotifyEvent FInheritedFontChanged;
};

// What window descriptions place.
class TsxDatePanel : public TsxCustomDatePanel {
public:
    using TsxCustomDatePanel::TsxCustomDatePanel;
};

// Registers TsxCustomDatePanel, the class that carries the published properties.
void RegisterSxCustomDatePanelClass();
// Registers TsxDatePanel; TsxCustomDatePanel comes first.
void RegisterSxDatePanelClass();
