// tests/controls/sxDatePanelTest.cpp -- the order of the parts for each short date format,
// the day kept valid as the parts change, and dates that are none reported, never replaced
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ControlTestHost.h"
#include "controls/sxDatePanel.h"

namespace {

class TEventLog : public TObject {
public:
    void Change(TObject*) { Seen += "change "; }
    void Day(TObject*) { Seen += "day "; }
    void Month(TObject*) { Seen += "month "; }
    void Year(TObject*) { Seen += "year "; }
    std::string Seen;
};

TDateTime DateOf(int year, int month, int day) {
    TDateTime date = 0;
    EXPECT_TRUE(TryEncodeDate(year, month, day, date));
    return date;
}

class sxDatePanelTest : public ::testing::Test {
protected:
    TControlHost Host;
    TsxDatePanel* Panel = nullptr;
    TEventLog Log;

    void SetUp() override {
        Panel = Host.Add<TsxDatePanel>(10, 10, 250, 24);
        Panel->SetOnChange(TNotifyEvent(&Log, &TEventLog::Change));
        Panel->SetOnChangeDay(TNotifyEvent(&Log, &TEventLog::Day));
        Panel->SetOnChangeMonth(TNotifyEvent(&Log, &TEventLog::Month));
        Panel->SetOnChangeYear(TNotifyEvent(&Log, &TEventLog::Year));
    }
    // What the user does: picks a month from the list.
    void PickMonth(int month) {
        HWND box = Panel->MonthBox().WindowHandle();
        SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(month - 1), 0);
        SendMessageA(Panel->WindowHandle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(box));
    }
    void Type(TsxEdit& edit, const std::string& text) {
        SendMessageA(edit.WindowHandle(), EM_SETSEL, 0, -1);
        for (char c : text) SendMessageA(edit.WindowHandle(), WM_CHAR, static_cast<unsigned char>(c), 0);
    }
    // The parts with a tab stop, in the order the tab key visits them.
    std::vector<HWND> TabOrder() const {
        std::vector<HWND> order;
        for (HWND w = GetWindow(Panel->WindowHandle(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            if (GetWindowLongA(w, GWL_STYLE) & WS_TABSTOP) order.push_back(w);
        return order;
    }
};

TEST(DateLayoutOfShortDateFormat, OrderComesFromTheLettersOfTheFormat) {
    const std::pair<const char*, int> cases[] = {
        {"M/d/yyyy", 2}, {"MM/dd/yy", 2}, {"yyyy-MM-dd", 3}, {"yy/M/d", 3}, {"dd.MM.yyyy", 1},
        {"d/M/yy", 1},   {"yyyy/d/M", 4}, {"d. MMMM yyyy", 1}, {"", 1},      {"gg yyyy-M-d", 3},
    };
    for (const auto& [format, layout] : cases) EXPECT_EQ(DateLayoutOfShortDateFormat(format), layout) << format;
}

TEST_F(sxDatePanelTest, SystemOrderIsTheLocalesShortDateFormat) {
    EXPECT_EQ(Panel->EffectiveLayout(), DateLayoutOfShortDateFormat(LocaleShortDateFormat()));
}

TEST_F(sxDatePanelTest, PartsStandAndTabInTheOrderOfTheLayout) {
    TsxEdit& day = Panel->DayEdit();
    TsxEdit& year = Panel->YearEdit();
    TsxComboBox& month = Panel->MonthBox();
    struct Case { TsxDatePanelLayout Layout; std::vector<TControl*> Order; };
    const Case cases[] = {
        {TsxDatePanelLayout::dplDMY, {&day, &month, &year}},
        {TsxDatePanelLayout::dplMDY, {&month, &day, &year}},
        {TsxDatePanelLayout::dplYMD, {&year, &month, &day}},
        {TsxDatePanelLayout::dplYDM, {&year, &day, &month}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Layout));
        Panel->SetControlsLayout(c.Layout);
        EXPECT_EQ(Panel->EffectiveLayout(), static_cast<int>(c.Layout));
        for (size_t i = 0; i + 1 < c.Order.size(); ++i)
            EXPECT_LE(c.Order[i]->Left() + c.Order[i]->Width(), c.Order[i + 1]->Left());
        EXPECT_EQ(c.Order.front()->Left(), 0);
        TControl* last = c.Order.back() == &day ? static_cast<TControl*>(&Panel->DayUpDown())
                         : c.Order.back() == &year ? static_cast<TControl*>(&Panel->YearUpDown())
                                                   : c.Order.back();
        EXPECT_EQ(last->Left() + last->Width(), Panel->Width());
        EXPECT_EQ(Panel->DayUpDown().Left(), day.Left() + day.Width());
        EXPECT_EQ(Panel->YearUpDown().Left(), year.Left() + year.Width());
        std::vector<HWND> expected;
        for (TControl* part : c.Order) expected.push_back(part->WindowHandle());
        EXPECT_EQ(TabOrder(), expected);
    }
}

TEST_F(sxDatePanelTest, DayIsKeptWithinTheMonthAndTheYear) {
    struct Case { int Year, Month; const char* Typed; int Day; };
    const Case cases[] = {
        {2003, 4, "31", 30}, {2003, 2, "29", 28}, {2004, 2, "29", 29}, {2004, 2, "31", 29},
        {2003, 1, "31", 31}, {1900, 2, "29", 28}, {2000, 2, "29", 29},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Year << "-" << c.Month << " typed " << c.Typed);
        Panel->SetDate(DateOf(c.Year, c.Month, 1));
        Type(Panel->DayEdit(), c.Typed);
        EXPECT_EQ(Panel->DayEdit().Text(), std::to_string(c.Day));
        EXPECT_EQ(Panel->Date(), DateOf(c.Year, c.Month, c.Day));
    }
}

TEST_F(sxDatePanelTest, ChangingMonthOrYearPullsTheDayBack) {
    Panel->SetDate(DateOf(2004, 1, 31));
    PickMonth(2);
    EXPECT_EQ(Panel->Date(), DateOf(2004, 2, 29));
    Type(Panel->YearEdit(), "2003");
    EXPECT_EQ(Panel->Date(), DateOf(2003, 2, 28));
    PickMonth(3);                           // the day stays where it was pulled
    EXPECT_EQ(Panel->Date(), DateOf(2003, 3, 28));
}

TEST_F(sxDatePanelTest, OnlyDigitsAndControlKeysGoIntoDayAndYear) {
    Panel->SetDate(DateOf(2005, 6, 12));
    for (TsxEdit* edit : {&Panel->DayEdit(), &Panel->YearEdit()}) {
        std::string before = edit->Text();
        SendMessageA(edit->WindowHandle(), WM_CHAR, 'x', 0);
        SendMessageA(edit->WindowHandle(), WM_CHAR, '-', 0);
        EXPECT_EQ(edit->Text(), before);
    }
    Type(Panel->DayEdit(), "7");
    EXPECT_EQ(Panel->DayEdit().Text(), "7");
}

TEST_F(sxDatePanelTest, PartsThatMakeNoDateAreReportedNotReplaced) {
    Panel->SetDate(DateOf(2005, 6, 12));
    Type(Panel->YearEdit(), "0");
    EXPECT_THROW(Panel->Date(), EDateError);
    Type(Panel->YearEdit(), "2005");
    EXPECT_EQ(Panel->Date(), DateOf(2005, 6, 12));
    Type(Panel->DayEdit(), "0");
    EXPECT_THROW(Panel->Date(), EDateError);
    Type(Panel->DayEdit(), "12");
    PickMonth(0);                           // none picked
    EXPECT_THROW(Panel->Date(), EDateError);
    EXPECT_THROW(Panel->SetDate(-700000.0), EDateError);
}

TEST_F(sxDatePanelTest, SettingTheDateTellsOnceAndGivesExactlyThatDate) {
    Panel->SetDate(DateOf(2004, 2, 10));
    Log.Seen.clear();
    Panel->SetDate(DateOf(2004, 3, 31));     // the day goes in after the month it belongs to
    EXPECT_EQ(Log.Seen, "change ");
    EXPECT_EQ(Panel->Date(), DateOf(2004, 3, 31));
    EXPECT_EQ(Panel->MonthBox().ItemIndex(), 2);
    EXPECT_EQ(Panel->YearEdit().Text(), "2004");
}

TEST_F(sxDatePanelTest, UserChangesOfAPanelMadeByTheProgramAreTold) {
    Panel->SetDate(DateOf(2004, 2, 10));
    Log.Seen.clear();
    Type(Panel->DayEdit(), "1");
    EXPECT_EQ(Log.Seen, "day change ");
    Log.Seen.clear();
    PickMonth(5);
    EXPECT_EQ(Log.Seen, "month change ");
}

TEST_F(sxDatePanelTest, NarrowPanelGrowsToTheLeastThePartsNeed) {
    const int b = 3, scrollBar = GetSystemMetrics(SM_CXVSCROLL);
    Panel->SetBorderWidth(b);
    Panel->SetWidth(60);
    const int dayBlock = Panel->DayEdit().Width() + Panel->DayUpDown().Width() + 8;
    const int yearBlock = Panel->YearEdit().Width() + Panel->YearUpDown().Width() + 8;
    EXPECT_EQ(Panel->Width(), scrollBar + 2 * b + 20 + dayBlock + yearBlock + 2 * b);
    Panel->SetEditDay(false);
    Panel->SetEditYear(false);
    Panel->SetWidth(10);
    EXPECT_EQ(Panel->Width(), scrollBar + 20 + 4 * b);
    EXPECT_FALSE(IsWindowVisible(Panel->DayEdit().WindowHandle()) && Panel->DayEdit().Visible());
    EXPECT_EQ(Panel->MonthBox().Left(), b);
    EXPECT_EQ(Panel->MonthBox().Left() + Panel->MonthBox().Width(), Panel->Width() - b);
}

TEST_F(sxDatePanelTest, DisabledPanelDisablesItsPartsInItsColour) {
    Panel->SetColor(RGB(10, 20, 30));
    Panel->SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(Panel->DayEdit().WindowHandle()));
    EXPECT_FALSE(IsWindowEnabled(Panel->YearUpDown().WindowHandle()));
    EXPECT_EQ(Panel->MonthBox().Color(), RGB(10, 20, 30));
    Panel->SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(Panel->MonthBox().WindowHandle()));
    EXPECT_EQ(Panel->YearEdit().Color(), clWindow);
}

TEST_F(sxDatePanelTest, FlatPartsKeepTheirArrowsOnTheirEdits) {
    Panel->SetDate(DateOf(2005, 6, 12));
    Panel->SetFlat(true);                   // the edits get new windows
    EXPECT_TRUE(Panel->DayEdit().Flat());
    EXPECT_TRUE(Panel->MonthBox().Flat());
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(Panel->DayUpDown().WindowHandle(), UDM_GETBUDDY, 0, 0)),
              Panel->DayEdit().WindowHandle());
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(Panel->YearUpDown().WindowHandle(), UDM_GETBUDDY, 0, 0)),
              Panel->YearEdit().WindowHandle());
    Type(Panel->DayEdit(), "20");
    EXPECT_EQ(Panel->Date(), DateOf(2005, 6, 20));
}

TEST(sxDatePanelMonthNames, MissingNamesComeFromTheLocale) {
    TControlHost host;
    auto* panel = new TsxDatePanel(&host.Form());
    panel->SetMonthNames({"Jan", "Feb", "Mar"});
    panel->SetParent(&host.Form());
    std::vector<std::string> names = panel->MonthNames();
    ASSERT_EQ(names.size(), 12u);
    EXPECT_EQ(names[2], "Mar");
    char december[81] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME12, december, sizeof(december));
    EXPECT_EQ(names[11], december);
}

} // namespace
