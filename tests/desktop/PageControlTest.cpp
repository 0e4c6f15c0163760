// tests/desktop/PageControlTest.cpp -- pages whose controls get their windows when first shown
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "desktop/CheckBox.h"
#include "desktop/Classes.h"
#include "desktop/DescriptionReader.h"
#include "desktop/Edit.h"
#include "desktop/Form.h"
#include "desktop/Label.h"
#include "desktop/ListBox.h"
#include "desktop/PageControl.h"

namespace {

// A shown form with three pages; the first is active, the other two have a few controls.
class PageControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.SetBounds(10, 10, 400, 300);
        Pages = new TPageControl(&Form);
        Pages->SetParent(&Form);
        Pages->SetBounds(0, 0, 380, 260);
        Home = AddPage("Home");
        Settings = AddPage("Settings");
        Lists = AddPage("Lists");
        Pages->SetActivePage(Home);

        Box = Place<TCheckBox>(Settings, 8, 8, 120, 17);
        Name = Place<TEdit>(Settings, 8, 30, 120, 21);
        Note = Place<TLabel>(Settings, 8, 60, 200, 13);
        List = Place<TListBox>(Lists, 8, 8, 200, 100);
        Form.Show();
    }

    template <class T>
    T* Place(TControl* parent, int left, int top, int width, int height) {
        auto* control = new T(&Form);
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        return control;
    }

    TTabSheet* AddPage(const char* caption) {
        auto* page = new TTabSheet(&Form);
        page->SetParent(Pages);
        page->SetCaption(caption);
        return page;
    }

    static std::string TextOf(HWND hwnd) {
        char text[256] = {};
        GetWindowTextA(hwnd, text, sizeof(text));
        return text;
    }

    TForm Form{nullptr};
    TPageControl* Pages = nullptr;
    TTabSheet *Home = nullptr, *Settings = nullptr, *Lists = nullptr;
    TCheckBox* Box = nullptr;
    TEdit* Name = nullptr;
    TLabel* Note = nullptr;
    TListBox* List = nullptr;
};

TEST_F(PageControlTest, ValuesSetBeforeThePageIsShownReachItsWindows) {
    Box->SetCaption("Scan on start");
    Box->SetChecked(true);
    Name->SetText("C:\\tools\\app.exe");
    Name->SetEnabled(false);
    Note->SetCaption("Saved.");
    Note->SetVisible(false);
    List->Items().Add("one");
    List->Items().Add("two");
    List->Items().Add("three");
    List->Items().Add("four");
    List->SetItemIndex(1);
    List->Items().Delete(3);

    for (TControl* c : std::vector<TControl*>{Box, Name, Note, List})
        EXPECT_FALSE(c->HandleAllocated()) << "a page not shown yet has no windows";
    // What code reads back meanwhile is what it set.
    EXPECT_TRUE(Box->Checked());
    EXPECT_EQ(Name->Text(), "C:\\tools\\app.exe");
    EXPECT_EQ(List->ItemIndex(), 1);

    Pages->SetActivePage(Settings);
    ASSERT_TRUE(Box->HandleAllocated());
    EXPECT_EQ(TextOf(Box->WindowHandle()), "Scan on start");
    EXPECT_EQ(SendMessageA(Box->WindowHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(TextOf(Name->WindowHandle()), "C:\\tools\\app.exe");
    EXPECT_FALSE(IsWindowEnabled(Name->WindowHandle()));
    EXPECT_TRUE(IsWindowVisible(Box->WindowHandle()));
    EXPECT_FALSE(Note->HandleAllocated()) << "a hidden control waits until it shows";
    Note->Show();
    ASSERT_TRUE(Note->HandleAllocated());
    EXPECT_EQ(TextOf(Note->WindowHandle()), "Saved.");
    EXPECT_TRUE(IsWindowVisible(Note->WindowHandle()));
    EXPECT_FALSE(List->HandleAllocated()) << "only the page shown gets its windows";

    Pages->SetActivePage(Lists);
    ASSERT_TRUE(List->HandleAllocated());
    EXPECT_EQ(SendMessageA(List->WindowHandle(), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(List->WindowHandle(), LB_GETCURSEL, 0, 0), 1);
}

class TPagesHost : public TForm {
public:
    explicit TPagesHost(TComponent* owner) : TForm(owner) {}
};

// Read from a description, the page control shows its active page in its own load step, before
// the pages' load steps: that page and its controls are on screen at once, with nothing asked.
TEST(DescribedPageControlTest, TheActivePageAndItsControlsHaveTheirWindowsOnceTheFormIsRead) {
    RegisterDesktopClasses();
    static TClassInfo& info = TClassRegistration<TPagesHost>("TPagesHost", "TForm").Info();
    TPagesHost form(nullptr);
    LoadDescription(&form, info,
                    "object PagesHost: TPagesHost\n  ClientWidth = 300\n  ClientHeight = 200\n"
                    "  object Pages: TPageControl\n    Align = alClient\n    ActivePage = Second\n"
                    "    object First: TTabSheet\n      Caption = 'First'\n"
                    "      object FirstBox: TCheckBox\n        Caption = 'one'\n      end\n    end\n"
                    "    object Second: TTabSheet\n      Caption = 'Second'\n"
                    "      object SecondList: TListBox\n        Left = 8\n        Top = 8\n      end\n"
                    "      object SecondHidden: TCheckBox\n        Visible = False\n      end\n    end\n"
                    "  end\nend\n");
    form.Show();
    auto* second = dynamic_cast<TControl*>(form.FindComponent("Second"));
    auto* list = dynamic_cast<TControl*>(form.FindComponent("SecondList"));
    ASSERT_TRUE(second && list);
    ASSERT_TRUE(list->HandleAllocated()) << "the active page's controls are made without being asked for";
    EXPECT_TRUE(IsWindowVisible(second->WindowHandle()));
    EXPECT_TRUE(IsWindowVisible(list->WindowHandle()));
    EXPECT_FALSE(dynamic_cast<TControl*>(form.FindComponent("FirstBox"))->HandleAllocated());
    EXPECT_FALSE(dynamic_cast<TControl*>(form.FindComponent("SecondHidden"))->HandleAllocated());
}

TEST_F(PageControlTest, AHandleAskedForEarlyKeepsTheChildOrder) {
    HWND note = Note->Handle();
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(GetParent(note), Settings->WindowHandle());
    EXPECT_FALSE(Box->HandleAllocated()) << "only what code asked for is made";
    EXPECT_FALSE(IsWindowVisible(Settings->WindowHandle()));

    Pages->SetActivePage(Settings);
    std::vector<HWND> order;
    for (HWND h = GetWindow(Settings->WindowHandle(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) order.push_back(h);
    EXPECT_EQ(order, (std::vector<HWND>{Box->WindowHandle(), Name->WindowHandle(), note}));
    EXPECT_EQ(Note->WindowHandle(), note) << "not made again";
}

TEST_F(PageControlTest, AskingTheFormForAllWindowsShowsNothing) {
    EXPECT_EQ(SendMessageA(Form.WindowHandle(), CreateAllWindowsMessage(), 0, 0), 1);
    for (TControl* c : std::vector<TControl*>{Box, Name, Note, List}) EXPECT_TRUE(c->HandleAllocated());
    EXPECT_EQ(Pages->ActivePage(), Home);
    EXPECT_FALSE(IsWindowVisible(Box->WindowHandle()));
    EXPECT_FALSE(IsWindowVisible(List->WindowHandle()));
    EXPECT_TRUE(IsWindowVisible(Home->WindowHandle()));
}

TEST_F(PageControlTest, AskedForNamesTheFormPublishesThemOnItsWindowsAndOnThoseMadeLater) {
    auto nameOf = [](HWND hwnd) {
        char text[64] = {};
        if (ATOM atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropA(hwnd, "SentinoxName"))))
            GlobalGetAtomNameA(atom, text, sizeof(text));
        return std::string(text);
    };
    Home->SetName("pgHome");
    Box->SetName("cbBox");
    EXPECT_EQ(SendMessageA(Form.WindowHandle(), PublishNamesMessage(), 0, 0), 1);
    EXPECT_EQ(nameOf(Home->WindowHandle()), "pgHome");
    // A page's controls made once it shows carry their names from the start; a new name replaces the old.
    Pages->SetActivePage(Settings);
    EXPECT_EQ(nameOf(Box->WindowHandle()), "cbBox");
    Box->SetName("cbRenamed");
    EXPECT_EQ(nameOf(Box->WindowHandle()), "cbRenamed");
}

} // namespace
