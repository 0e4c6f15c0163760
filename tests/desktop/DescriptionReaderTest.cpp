// tests/desktop/DescriptionReaderTest.cpp -- window descriptions: values, nesting, binding, errors
#include <gtest/gtest.h>

#include <vector>

#include "desktop/Button.h"
#include "desktop/CheckBox.h"
#include "desktop/DescriptionReader.h"
#include "desktop/Form.h"
#include "desktop/Label.h"
#include "desktop/ListBox.h"
#include "desktop/PageControl.h"
#include "desktop/Panel.h"

namespace {

std::vector<std::string> gLoadOrder;

// A component that records when its load step runs and what it was given.
class TProbe : public TComponent {
public:
    explicit TProbe(TComponent* owner) : TComponent(owner) {}
    void Loaded() override {
        TComponent::Loaded();
        gLoadOrder.push_back(Name());
        LoadingDuringLoaded = IsLoading();
    }
    void SetNumber(int v) { Number = v; }
    void SetText(const std::string& v) { Text = v; }
    void SetFlag(bool v) { Flag = v; }
    void SetLines(const std::vector<std::string>& v) { Lines = v; }
    void SetData(const std::vector<unsigned char>& v) { Data = v; }
    void SetOnPing(const TNotifyEvent& e) { OnPing = e; }
    int Number = 0;
    std::string Text;
    bool Flag = false;
    bool LoadingDuringLoaded = true;
    std::vector<std::string> Lines;
    std::vector<unsigned char> Data;
    TNotifyEvent OnPing;
};

class TProbeForm : public TForm {
public:
    explicit TProbeForm(TComponent* owner, const char* className = "TProbeForm") : TForm(owner), FClassName(className) {}
    void Load(const std::string& text) { LoadDescription(this, RequireClassInfo(FClassName), text); }
    const char* FClassName;
    void Loaded() override {
        TForm::Loaded();
        gLoadOrder.push_back(Name());
    }
    void ButtonClick(TObject* sender) { Clicks.push_back(sender); }
    void ButtonClick2(TObject*) {}
    void Idle(TObject*, bool&) {}
    std::vector<TObject*> Clicks;
    TButton* Button1 = nullptr;
    TProbe* probe = nullptr;
};

class TFieldForm : public TProbeForm {
public:
    explicit TFieldForm(TComponent* owner) : TProbeForm(owner, "TFieldForm") {}
    TLabel* missing = nullptr;
};

void RegisterProbes() {
    static bool done = false;
    if (done) return;
    done = true;
    TClassRegistration<TProbe>("TProbe", "TComponent")
        .Int("Number", &TProbe::SetNumber)
        .String("Text", &TProbe::SetText)
        .Bool("Flag", &TProbe::SetFlag)
        .Strings("Lines.Strings", &TProbe::SetLines)
        .Binary("Data", &TProbe::SetData)
        .Event<TNotifyEvent>("OnPing", &TProbe::SetOnPing);
    TClassRegistration<TProbeForm>("TProbeForm", "TForm")
        .Handler("ButtonClick", &TProbeForm::ButtonClick)
        .Handler("Idle", &TProbeForm::Idle)
        .Field("Button1", &TProbeForm::Button1)
        .Field("probe", &TProbeForm::probe);
    TClassRegistration<TFieldForm>("TFieldForm", "TProbeForm").Field("missing", &TFieldForm::missing);
}

const char* const FullForm = R"(
object probeForm: TProbeForm
  BorderStyle = bsSingle
  Caption = 'Probe '#39'form'#39
  ClientWidth = 300
  ClientHeight = 200
  Color = 16777215
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 300
    Height = 40
    Align = alTop
    Caption = 'Head' +
      'er'
    object Button1: TButton
      Left = 8
      Top = 8
      Caption = 'Go'
      OnClick = ButtonClick
    end
  end
  object probe: TProbe
    Number = -42
    Text = 'A'#13#10'B'
    Flag = True
    Lines.Strings = (
      'one'
      'two')
    Data = {
      0A0B0C}
    OnPing = ButtonClick
  end
  object Pages: TPageControl
    Top = 40
    ActivePage = second
    object first: TTabSheet
      Caption = 'First'
    end
    object second: TTabSheet
      Caption = 'Second'
    end
  end
end
)";

class DescriptionReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterProbes();
        gLoadOrder.clear();
    }
};

TEST_F(DescriptionReaderTest, BuildsNestedComponentsWithTheirValues) {
    TProbeForm form(nullptr);
    form.Load(FullForm);
    EXPECT_EQ(form.Name(), "probeForm");
    EXPECT_EQ(form.Caption(), "Probe 'form'");
    EXPECT_EQ(form.ClientWidth(), 300);
    EXPECT_EQ(form.ClientHeight(), 200);
    EXPECT_EQ(form.Color(), 16777215u);

    ASSERT_NE(form.Button1, nullptr);
    auto* panel = dynamic_cast<TPanel*>(form.FindComponent("Panel1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Caption(), "Header");
    EXPECT_EQ(form.Button1->Parent(), panel);
    EXPECT_EQ(panel->Parent(), &form);
    EXPECT_EQ(form.Button1->Owner(), &form);        // owned by the root, whatever the nesting
    EXPECT_EQ(panel->Width(), 300);                 // aligned to the top of the client area

    char text[32] = {};
    GetWindowTextA(form.Button1->Handle(), text, sizeof(text));
    EXPECT_STREQ(text, "Go");
    EXPECT_EQ(GetParent(form.Button1->Handle()), panel->Handle());

    ASSERT_NE(form.probe, nullptr);
    EXPECT_EQ(form.probe->Number, -42);
    EXPECT_EQ(form.probe->Text, "A\r\nB");
    EXPECT_TRUE(form.probe->Flag);
    EXPECT_EQ(form.probe->Lines, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(form.probe->Data, (std::vector<unsigned char>{0x0A, 0x0B, 0x0C}));

    auto* pages = dynamic_cast<TPageControl*>(form.FindComponent("Pages"));
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage()->Name(), "second");  // named before the page existed
    EXPECT_FALSE(pages->Pages(0)->Visible());
}

TEST_F(DescriptionReaderTest, BindsHandlersAsComparableMethodsOfTheRoot) {
    TProbeForm form(nullptr);
    form.Load(FullForm);
    SendMessageA(form.Button1->Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(form.Clicks.size(), 1u);
    EXPECT_EQ(form.Clicks[0], form.Button1);
    EXPECT_TRUE(form.probe->OnPing == form.Button1->OnClick);
    EXPECT_TRUE(form.probe->OnPing == TNotifyEvent(static_cast<TProbeForm*>(&form), &TProbeForm::ButtonClick));
    EXPECT_FALSE(form.probe->OnPing == TNotifyEvent(static_cast<TProbeForm*>(&form), &TProbeForm::ButtonClick2));
}

TEST_F(DescriptionReaderTest, LoadedRunsOnceAllIsSetInDescriptionOrder) {
    TProbeForm form(nullptr);
    form.Load(R"(
object f: TProbeForm
  object Button1: TButton
  end
  object probe: TProbe
    Number = 1
  end
  object second: TProbe
  end
end)");
    EXPECT_EQ(gLoadOrder, (std::vector<std::string>{"f", "probe", "second"}));
    EXPECT_FALSE(form.probe->LoadingDuringLoaded);
    EXPECT_FALSE(form.IsLoading());
}

// The windows the thread makes while a hook is set: class, text, style and size at creation.
struct TCreations {
    struct TCreation {
        std::string ClassName;
        std::string Text;
        LONG Style;
        int Width, Height;
    };
    static std::vector<TCreation>& List() {
        static std::vector<TCreation> list;
        return list;
    }
    static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND) {
            const CREATESTRUCTA& cs = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
            char cls[64] = {};
            if (IS_INTRESOURCE(cs.lpszClass)) GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof(cls));
            else lstrcpynA(cls, cs.lpszClass, sizeof(cls));
            List().push_back({cls, cs.lpszName ? cs.lpszName : "", cs.style, cs.cx, cs.cy});
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    TCreations() : FHook(SetWindowsHookExA(WH_CBT, &Record, nullptr, GetCurrentThreadId())) { List().clear(); }
    ~TCreations() { UnhookWindowsHookEx(FHook); }
    HHOOK FHook;
};

// Made property by property, a control's window would first carry the defaults and then take
// each value with a message (or, for styles that count only at creation, not at all: a label
// that never wraps). Read from a description, each is made once, as it is meant to be.
TEST_F(DescriptionReaderTest, EachControlsWindowIsMadeOnceWithItsFinalValues) {
    TProbeForm form(nullptr);
    {
        TCreations made;
        form.Load(R"(
object f: TProbeForm
  object Panel1: TPanel
    Left = 4
    Top = 4
    Width = 280
    Height = 120
    Caption = ''
    object wrapped: TLabel
      Left = 8
      Top = 8
      Width = 60
      Height = 40
      Caption = 'A text long enough to need three or four lines'
      WordWrap = True
    end
    object single: TLabel
      Left = 8
      Top = 60
      Caption = 'One line'
      Alignment = taCenter
    end
    object list: TListBox
      Left = 120
      Top = 8
      Width = 100
      Height = 60
      Items.Strings = (
        'one'
        'two'
        'three')
      ItemIndex = 1
      Enabled = False
    end
    object Button1: TButton
      Caption = 'Go'
    end
  end
  object probe: TProbe
  end
end)");
        const auto& list = TCreations::List();
        ASSERT_EQ(list.size(), 5u) << "one window per control, none made again";
        EXPECT_EQ(list[0].ClassName, "SxWindow");
        EXPECT_EQ(list[0].Width, 280);
        EXPECT_EQ(list[1].Text, "A text long enough to need three or four lines");
        EXPECT_EQ(list[1].Style & SS_TYPEMASK, SS_LEFT) << "a word-wrapped label";
        EXPECT_EQ(list[1].Width, 60);
        EXPECT_EQ(list[2].Text, "One line");
        EXPECT_EQ(list[2].Style & SS_TYPEMASK, SS_CENTER);
        EXPECT_EQ(lstrcmpiA(list[3].ClassName.c_str(), "LISTBOX"), 0);
        EXPECT_TRUE(list[3].Style & WS_DISABLED);
        EXPECT_EQ(list[3].Height, 60);
        EXPECT_EQ(list[4].Text, "Go");
    }
    auto* wrapped = dynamic_cast<TLabel*>(form.FindComponent("wrapped"));
    ASSERT_NE(wrapped, nullptr);
    EXPECT_EQ(GetWindowLongA(wrapped->Handle(), GWL_STYLE) & SS_TYPEMASK, SS_LEFT);
    auto* list = dynamic_cast<TListBox*>(form.FindComponent("list"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCURSEL, 0, 0), 1) << "the index given before the window existed";
}

struct TBadDescription {
    const char* Text;
    const char* Expected;   // a part of the message
};

class DescriptionErrorTest : public DescriptionReaderTest, public ::testing::WithParamInterface<TBadDescription> {};

TEST_P(DescriptionErrorTest, NamesWhatIsMissingOrWrong) {
    TFieldForm form(nullptr);
    try {
        form.Load(GetParam().Text);
        FAIL() << "no error for: " << GetParam().Text;
    } catch (const EDescriptionError& e) {
        EXPECT_NE(e.Message().find(GetParam().Expected), std::string::npos) << e.Message();
    }
}

const TBadDescription BadDescriptions[] = {
    {"object f: TProbeForm\n object x: TNoSuchClass\n end\nend", "Class TNoSuchClass not found"},
    {"object f: TProbeForm\n Colour = 5\nend", "property TFieldForm.Colour does not exist"},
    {"object f: TProbeForm\n object Button1: TButton\n  OnClick = NoSuchHandler\n end\nend", "handler TFieldForm.NoSuchHandler not found"},
    {"object f: TProbeForm\n object Button1: TButton\n  OnClick = Idle\n end\nend", "does not fit this event"},
    {"object f: TProbeForm\n object Button1: TButton\n end\n object probe: TProbe\n end\nend", "component missing is not in the description"},
    {"object f: TProbeForm\n object Button1: TButton\n  Caption = 12\n end\nend", "a string expected"},
    {"object f: TProbeForm\n object Button1: TButton\n  Visible = Maybe\n end\nend", "True or False expected"},
    {"object f: TProbeForm\n Caption = 'open\nend", "unterminated string"},
    {"object f: TProbeForm\n object Button1: TButton\n", "'end' expected"},
    {"object f: TOtherForm\nend", "applied to TFieldForm"},
    {"object f: TProbeForm\n object Button1: TProbe\n end\n object probe: TProbe\n end\n object missing: TLabel\n end\nend", "Button1 has the wrong class"},
};

INSTANTIATE_TEST_SUITE_P(All, DescriptionErrorTest, ::testing::ValuesIn(BadDescriptions));

TEST_F(DescriptionReaderTest, ErrorsCarryTheLineNumber) {
    TProbeForm form(nullptr);
    try {
        form.Load("object f: TProbeForm\n\n\n  Bogus = 1\nend");
        FAIL();
    } catch (const EDescriptionError& e) {
        EXPECT_NE(e.Message().find("line 4"), std::string::npos) << e.Message();
    }
}

} // namespace
