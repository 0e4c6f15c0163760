// tests/desktop/MenusTest.cpp -- TMenuItem trees, the built Win32 menu, commands and TrackPopupMenu
#include <gtest/gtest.h>

#include "desktop/Application.h"
#include "desktop/Classes.h"
#include "desktop/DescriptionReader.h"
#include "desktop/ImageList.h"
#include "desktop/Menus.h"
#include "tests/desktop/ModalDriver.h"

namespace {

class TMenuHost : public TComponent {
public:
    TMenuHost() : TComponent(nullptr) {}
    explicit TMenuHost(TComponent* owner) : TComponent(owner) {}
    void ShowClick(TObject* sender) { Clicked.push_back(static_cast<TMenuItem*>(sender)->Name()); }
    void ExitClick(TObject* sender) { Clicked.push_back(static_cast<TMenuItem*>(sender)->Name()); }
    void FailClick(TObject*) { throw Exception("menu handler failed"); }
    void MenuPopup(TObject*) { ++Popups; }
    void Error(TObject*, const std::exception& e) { Errors.push_back(e.what()); }
    std::vector<std::string> Clicked;
    std::vector<std::string> Errors;
    int Popups = 0;
};

const TClassInfo& HostClass() {
    RegisterDesktopClasses();
    static TClassInfo& info = TClassRegistration<TMenuHost>("TMenuHost", "TComponent")
                                  .Handler("ShowClick", &TMenuHost::ShowClick)
                                  .Handler("ExitClick", &TMenuHost::ExitClick)
                                  .Handler("FailClick", &TMenuHost::FailClick)
                                  .Handler("MenuPopup", &TMenuHost::MenuPopup)
                                  .Info();
    return info;
}

const char* const TrayMenu =
    "object Host: TMenuHost\n"
    "  object popup: TPopupMenu\n"
    "    Images = ilist\n"
    "    OnPopup = MenuPopup\n"
    "    object Show1: TMenuItem\n      Caption = 'Show &Sentinox'\n      Default = True\n      OnClick = ShowClick\n"
    "      ImageIndex = 0\n    end\n"
    "    object N1: TMenuItem\n      Caption = '-'\n    end\n"
    "    object More1: TMenuItem\n      Caption = 'More'\n"
    "      object Checked1: TMenuItem\n        Caption = 'Checked'\n        Checked = True\n      end\n"
    "      object Off1: TMenuItem\n        Caption = 'Off'\n        Enabled = False\n        OnClick = ShowClick\n      end\n"
    "      object Hidden1: TMenuItem\n        Caption = 'Hidden'\n        Visible = False\n      end\n"
    "    end\n"
    "    object Exit1: TMenuItem\n      Caption = 'Exit'\n      OnClick = ExitClick\n    end\n"
    "  end\n"
    "  object ilist: TImageList\n  end\n"
    "end\n";

struct MenusTest : ::testing::Test {
    void SetUp() override { LoadDescription(&Host, HostClass(), TrayMenu); }
    TPopupMenu& Menu() { return *dynamic_cast<TPopupMenu*>(Host.FindComponent("popup")); }
    TMenuItem& Item(const char* name) { return *dynamic_cast<TMenuItem*>(Host.FindComponent(name)); }
    void Pump() { sxtest::PumpFor(50); }
    TMenuHost Host;
};

TEST_F(MenusTest, DescriptionNestsItemsIntoMenusAndSubmenus) {
    TMenuItem* root = Menu().Items();
    ASSERT_EQ(root->Count(), 4);
    EXPECT_EQ(root->Items(0), &Item("Show1"));
    EXPECT_TRUE(root->Items(1)->IsLine());
    EXPECT_EQ(root->Items(3)->Caption(), "Exit");
    TMenuItem& more = Item("More1");
    ASSERT_EQ(more.Count(), 3);
    EXPECT_EQ(more.Items(1)->Name(), "Off1");
    EXPECT_EQ(more.Items(1)->Parent(), &more);
    EXPECT_EQ(more.Items(1)->Menu(), &Menu());
    EXPECT_EQ(root->Find("show sentinox"), &Item("Show1"));
    EXPECT_EQ(Menu().Images(), Host.FindComponent("ilist"));
    // The items belong to the window, as every described component does.
    EXPECT_EQ(Item("Checked1").Owner(), &Host);
}

TEST_F(MenusTest, BuiltMenuCarriesSeparatorsSubmenusAndStates) {
    HMENU menu = Menu().Handle();
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 0, TRUE, &info));
    EXPECT_TRUE(info.fState & MFS_DEFAULT);
    EXPECT_EQ(info.wID, Item("Show1").Command());
    ASSERT_TRUE(GetMenuItemInfoA(menu, 1, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_SEPARATOR);
    ASSERT_TRUE(GetMenuItemInfoA(menu, 2, TRUE, &info));
    ASSERT_TRUE(info.hSubMenu);
    HMENU sub = info.hSubMenu;
    EXPECT_EQ(GetMenuItemCount(sub), 2);                   // the invisible item is left out
    ASSERT_TRUE(GetMenuItemInfoA(sub, 0, TRUE, &info));
    EXPECT_TRUE(info.fState & MFS_CHECKED);
    ASSERT_TRUE(GetMenuItemInfoA(sub, 1, TRUE, &info));
    EXPECT_TRUE(info.fState & MFS_DISABLED);
    char text[64] = {};
    GetMenuStringA(menu, 3, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "Exit");

    // Changing the tree rebuilds the menu on the next use.
    Item("Hidden1").SetVisible(true);
    Item("Exit1").SetCaption("Quit");
    menu = Menu().Handle();
    GetMenuStringA(menu, 3, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "Quit");
    ASSERT_TRUE(GetMenuItemInfoA(menu, 2, TRUE, &info));
    EXPECT_EQ(GetMenuItemCount(info.hSubMenu), 3);
}

TEST_F(MenusTest, CommandArrivingAtTheMenuWindowClicksItsItem) {
    PostMessageA(Menu().WindowHandle(), WM_COMMAND, Item("Exit1").Command(), 0);
    PostMessageA(Menu().WindowHandle(), WM_COMMAND, Item("Off1").Command(), 0);   // disabled: nothing
    PostMessageA(Menu().WindowHandle(), WM_COMMAND, 0xFFFF, 0);                   // nobody's id
    Pump();
    EXPECT_EQ(Host.Clicked, std::vector<std::string>{"Exit1"});
    EXPECT_FALSE(Menu().DispatchCommand(Item("Off1").Command()));
    EXPECT_EQ(Menu().FindItem(Item("Checked1").Command()), &Item("Checked1"));
}

TEST_F(MenusTest, PopupShowsTheMenuAndTheChosenItemRuns) {
    // While TrackPopupMenu runs its loop: find the menu window and pick the first item by key.
    bool sawMenu = false;
    sxtest::TModalDriver driver([&] {
        HWND menuWindow = sxtest::FindThreadWindow("#32768");
        if (!menuWindow) return false;
        sawMenu = true;
        PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
        return true;
    });
    Menu().Popup(100, 100);
    EXPECT_TRUE(sawMenu);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(Host.Popups, 1);
    Pump();
    EXPECT_EQ(Host.Clicked, std::vector<std::string>{"Show1"});
}

TEST_F(MenusTest, ExceptionInOnClickGoesToHandleException) {
    Item("Exit1").SetOnClick(TNotifyEvent(&Host, &TMenuHost::FailClick));
    TExceptionEvent saved = Application->OnException;
    Application->OnException = TExceptionEvent(&Host, &TMenuHost::Error);
    PostMessageA(Menu().WindowHandle(), WM_COMMAND, Item("Exit1").Command(), 0);
    Pump();
    Application->OnException = saved;
    EXPECT_EQ(Host.Errors, std::vector<std::string>{"menu handler failed"});
}

TEST_F(MenusTest, FreedComponentsLeaveTheMenu) {
    delete &Item("Off1");
    EXPECT_EQ(Item("More1").Count(), 2);
    delete Host.FindComponent("ilist");
    EXPECT_EQ(Menu().Images(), nullptr);
    HMENU menu = Menu().Handle();                          // builds without the image list
    EXPECT_EQ(GetMenuItemCount(menu), 4);
    // The menu goes first: the items stay with their owner, out of any menu.
    TMenuItem& exit = Item("Exit1");
    delete &Menu();
    EXPECT_EQ(exit.Parent(), nullptr);
    EXPECT_EQ(exit.Menu(), nullptr);
}

TEST(MenuItemTest, AddInsertDeleteAndTheirErrors) {
    TMenuItem root(nullptr);
    auto* a = new TMenuItem(nullptr);
    auto* b = new TMenuItem(nullptr);
    auto* c = new TMenuItem(nullptr);
    a->SetCaption("a");
    b->SetCaption("b");
    c->SetCaption("c");
    root.Add(a);
    root.Add(c);
    root.Insert(1, b);
    ASSERT_EQ(root.Count(), 3);
    EXPECT_EQ(root.Items(1), b);
    EXPECT_NE(a->Command(), b->Command());
    EXPECT_THROW(root.Items(3), EMenuError);
    EXPECT_THROW(root.Insert(5, new TMenuItem(&root)), EMenuError);
    EXPECT_THROW(a->Add(&root), EMenuError);               // a cycle
    EXPECT_THROW(a->Add(a), EMenuError);
    b->Add(c);                                             // moves c under b
    EXPECT_EQ(root.Count(), 2);
    EXPECT_EQ(c->Parent(), b);
    root.Delete(0);                                        // frees a
    EXPECT_EQ(root.Count(), 1);
    EXPECT_EQ(root.Items(0), b);
    // AutoCheck toggles before OnClick.
    c->SetAutoCheck(true);
    c->Click();
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(StripHotkey("Save && &Exit"), "Save & Exit");
}   // root frees b, which frees c: they have no owner

TEST(MenuDescriptionTest, ErrorsNameTheItemAndTheReference) {
    struct TCase {
        const char* Text;
        const char* Expected;
    } cases[] = {
        {"object Host: TMenuHost\n  object Stray1: TMenuItem\n  end\nend\n", "Stray1"},
        {"object Host: TMenuHost\n  object m: TPopupMenu\n    Images = nothere\n  end\nend\n", "nothere"},
        {"object Host: TMenuHost\n  object m: TPopupMenu\n    object i: TMenuItem\n      OnClick = Missing\n    end\n  end\nend\n",
         "Missing"},
    };
    for (const auto& c : cases) {
        TMenuHost host;
        try {
            LoadDescription(&host, HostClass(), c.Text);
            ADD_FAILURE() << "accepted: " << c.Text;
        } catch (const EDescriptionError& e) {
            EXPECT_NE(std::string(e.what()).find(c.Expected), std::string::npos) << e.what();
        }
    }
}

} // namespace
