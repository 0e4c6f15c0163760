// tests/desktop/ControlsTest.cpp -- what controls get from their parents (settings changes,
// owner-draw messages), new windows for style changes, a window's control, and the objects of
// list lines
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "desktop/CheckBox.h"
#include "desktop/Form.h"
#include "desktop/GdiGuards.h"
#include "desktop/ListBox.h"
#include "desktop/Panel.h"

namespace {

class TWatchingListBox : public TListBox {
public:
    using TListBox::TListBox;
    std::vector<WPARAM> Settings;
    std::vector<int> Measured, Drawn;
    using TControl::RecreateWnd;
protected:
    void CreateParams(TCreateParams& params) override {
        TListBox::CreateParams(params);
        params.Style |= LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;
    }
    void SettingsChanged(WPARAM flag) override {
        TListBox::SettingsChanged(flag);
        Settings.push_back(flag);
    }
    bool CNMeasureItem(MEASUREITEMSTRUCT& item) override {
        Measured.push_back(static_cast<int>(item.itemID));
        item.itemHeight = 30;
        return true;
    }
    bool CNDrawItem(DRAWITEMSTRUCT& item) override {
        Drawn.push_back(static_cast<int>(item.itemID));
        return true;
    }
};

class ControlsTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TPanel* Panel = nullptr;
    TWatchingListBox* List = nullptr;
    void SetUp() override {
        Form->SetBounds(50, 50, 300, 200);
        Form->Handle();
        Panel = new TPanel(Form.get());
        Panel->SetParent(Form.get());
        List = new TWatchingListBox(Form.get());
        List->SetParent(Panel);
    }
};

TEST_F(ControlsTest, SettingsChangeOfTheFormReachesControlsInsideOthers) {
    SendMessageA(Form->WindowHandle(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    EXPECT_EQ(List->Settings, std::vector<WPARAM>{SPI_SETNONCLIENTMETRICS});
}

TEST_F(ControlsTest, OwnerDrawnLinesAreMeasuredAndDrawnByTheirControl) {
    List->Items().Add("one");
    List->Items().Add("two");
    EXPECT_EQ(List->Measured, (std::vector<int>{0, 1}));
    EXPECT_EQ(SendMessageA(List->WindowHandle(), LB_GETITEMHEIGHT, 1, 0), 30);
    HWND box = List->WindowHandle();
    TScopedGetDC boxDC(box);
    DRAWITEMSTRUCT item{ODT_LISTBOX, static_cast<UINT>(GetDlgCtrlID(box)), 1, ODA_DRAWENTIRE, 0, box,
                        boxDC.Get(), RECT{0, 0, 10, 10}, 0};
    EXPECT_EQ(SendMessageA(Panel->WindowHandle(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item)), TRUE);
    EXPECT_EQ(List->Drawn, std::vector<int>{1});
}

TEST_F(ControlsTest, NewWindowKeepsLinesSelectionAndPlaceAmongSiblings) {
    auto* after = new TCheckBox(Form.get());
    after->SetParent(Panel);
    List->Items().Add("one");
    List->Items().Add("two");
    List->SetItemIndex(1);
    HWND old = List->WindowHandle();
    List->RecreateWnd();
    ASSERT_NE(List->WindowHandle(), old);
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(SendMessageA(List->WindowHandle(), LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_EQ(GetWindow(List->WindowHandle(), GW_HWNDNEXT), after->WindowHandle());
}

// A hidden control gets its window when it shows, or when code or a driver asks for it,
// with what was set meanwhile and in its place among its siblings' windows.
TEST_F(ControlsTest, AHiddenControlsWindowIsMadeWhenItShowsInItsPlaceAmongSiblings) {
    auto add = [&](bool visible) {
        auto* box = new TCheckBox(Form.get());
        box->SetVisible(visible);
        box->SetParent(Panel);
        return box;
    };
    TCheckBox* first = add(true);
    TCheckBox* hidden = add(false);
    TCheckBox* asked = add(false);
    TCheckBox* last = add(true);
    auto childOrder = [&] {
        std::vector<HWND> order;
        for (HWND h = GetWindow(Panel->WindowHandle(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) order.push_back(h);
        return order;
    };
    EXPECT_FALSE(hidden->HandleAllocated());
    EXPECT_FALSE(asked->HandleAllocated());
    hidden->SetCaption("kept");
    hidden->SetChecked(true);
    EXPECT_TRUE(hidden->Checked());

    HWND askedWindow = asked->Handle();
    ASSERT_TRUE(askedWindow);
    EXPECT_FALSE(IsWindowVisible(askedWindow)) << "made for code, not shown";
    EXPECT_EQ(childOrder(), (std::vector<HWND>{List->WindowHandle(), first->WindowHandle(), askedWindow, last->WindowHandle()}));

    hidden->Show();
    ASSERT_TRUE(hidden->HandleAllocated());
    EXPECT_TRUE(GetWindowLongA(hidden->WindowHandle(), GWL_STYLE) & WS_VISIBLE);
    char text[16] = {};
    GetWindowTextA(hidden->WindowHandle(), text, sizeof(text));
    EXPECT_STREQ(text, "kept");
    EXPECT_EQ(SendMessageA(hidden->WindowHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(childOrder(), (std::vector<HWND>{List->WindowHandle(), first->WindowHandle(), hidden->WindowHandle(),
                                               askedWindow, last->WindowHandle()}));

    TCheckBox* later = add(false);
    EXPECT_FALSE(later->HandleAllocated());
    EXPECT_EQ(SendMessageA(Form->WindowHandle(), CreateAllWindowsMessage(), 0, 0), 1);
    ASSERT_TRUE(later->HandleAllocated()) << "a driver asking for every window gets this one too";
    EXPECT_FALSE(GetWindowLongA(later->WindowHandle(), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(ControlsTest, CheckBoxTickedBeforeItsWindowShowsTickedAndKeepsItsTick) {
    auto* box = new TCheckBox(Form.get());
    box->SetChecked(true);
    box->SetParent(Panel);
    EXPECT_EQ(SendMessageA(box->WindowHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ControlsTest, ComboBoxSelectionSurvivesAStyleChangeAndPickingALineClicksThenChanges) {
    auto* combo = new TComboBox(Form.get());
    combo->SetParent(Panel);
    combo->SetItems({"one", "two", "three"});
    combo->SetItemIndex(2);
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(GetWindowLongA(combo->WindowHandle(), GWL_STYLE) & 3, CBS_DROPDOWNLIST);

    struct TOrder : TObject {
        std::string Seen;
        void Click(TObject*) { Seen += "click "; }
        void Change(TObject*) { Seen += "change "; }
    } order;
    combo->OnClick = TNotifyEvent(&order, &TOrder::Click);
    combo->OnChange = TNotifyEvent(&order, &TOrder::Change);
    SendMessageA(Panel->WindowHandle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo->WindowHandle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo->WindowHandle()));
    EXPECT_EQ(order.Seen, "click change ");
}

// A subclass put on a window after ours: hands every message on.
struct TForwarder {
    static inline WNDPROC Old = nullptr;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return CallWindowProcA(Old, hwnd, msg, wParam, lParam);
    }
};

// The thunk finds a window's control with its parent subclassed after it, for a window that no
// control owns (whatever its user data) finds none, nor for a window of a control made anew.
TEST_F(ControlsTest, WindowsFindTheirControlWhenSubclassedAfterOursAndNoneOnceNotOurs) {
    const HWND panel = Panel->WindowHandle();
    TForwarder::Old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(panel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TForwarder::Proc)));
    EXPECT_EQ(TControl::FromHandle(panel), Panel);
    List->Items().Add("one");   // measured through the subclassed panel
    EXPECT_EQ(List->Measured, std::vector<int>{0});
    SetWindowLongPtrA(panel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TForwarder::Old));
    EXPECT_EQ(TControl::FromHandle(panel), Panel);

    const HWND nobodys = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(nobodys, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(List));
    EXPECT_EQ(TControl::FromHandle(nobodys), nullptr);
    DestroyWindow(nobodys);

    const HWND old = List->WindowHandle();
    List->RecreateWnd();
    EXPECT_EQ(TControl::FromHandle(old), nullptr);
    EXPECT_EQ(TControl::FromHandle(List->WindowHandle()), List);
}

TEST(ListItemsTest, ObjectsTravelWithTheirLinesWhenSorted) {
    TForm form(nullptr);
    TListBox list(&form);
    list.Items().AddObject("b", reinterpret_cast<TObject*>(2));
    list.Items().AddObject("c", reinterpret_cast<TObject*>(3));
    list.Items().AddObject("a", reinterpret_cast<TObject*>(1));
    list.SetSorted(true);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(list.Items().Objects(i), reinterpret_cast<TObject*>(i + 1));
    list.Items().Delete(0);
    EXPECT_EQ(list.Items().Objects(0), reinterpret_cast<TObject*>(2));
}

} // namespace

namespace {

// Frameless windows skip the default non-client painting (there is nothing to paint); one with
// a frame still gets it drawn.
TEST_F(ControlsTest, AFramedControlStillPaintsItsFrame) {
    List->SetBounds(10, 10, 120, 80);
    Form->SetVisible(true);
    UpdateWindow(Form->WindowHandle());
    const HWND list = List->WindowHandle();
    RECT window, client;
    GetWindowRect(list, &window);
    GetClientRect(list, &client);
    ASSERT_GT(window.right - window.left, client.right) << "the list box should have a client edge";
    {
        TScopedGetDC dc(list, TDCArea::Window);
        RECT all{0, 0, window.right - window.left, window.bottom - window.top};
        FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        ASSERT_EQ(GetPixel(dc.Get(), 0, 0), RGB(0, 0, 0));
    }
    SendMessageA(list, WM_NCPAINT, 1, 0);
    TScopedGetDC dc(list, TDCArea::Window);
    EXPECT_NE(GetPixel(dc.Get(), 0, 0), RGB(0, 0, 0)) << "the frame was not painted";
}

} // namespace
