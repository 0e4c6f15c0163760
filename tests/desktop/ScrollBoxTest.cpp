// tests/desktop/ScrollBoxTest.cpp -- TScrollBox: its range, the bar, and scrolling that moves the controls
#include <gtest/gtest.h>

#include "desktop/Classes.h"
#include "desktop/DescriptionReader.h"
#include "desktop/Form.h"
#include "desktop/Label.h"
#include "desktop/ScrollBox.h"
#include "tests/support/MessagePump.h"

namespace {

class TScrollForm : public TForm {
public:
    explicit TScrollForm(TComponent* owner) : TForm(owner) {}
    TScrollBox* box = nullptr;
    TScrollBox* framed = nullptr;
    TLabel* first = nullptr;
    TLabel* middle = nullptr;
    TLabel* last = nullptr;
};

void RegisterScrollForm() {
    static bool done = false;
    if (done) return;
    done = true;
    TClassRegistration<TScrollForm>("TScrollForm", "TForm")
        .Field("box", &TScrollForm::box)
        .Field("framed", &TScrollForm::framed)
        .Field("first", &TScrollForm::first)
        .Field("middle", &TScrollForm::middle)
        .Field("last", &TScrollForm::last);
}

// Three labels reaching 180 pixels down in a box 100 pixels high; a framed box whose label fits.
const char* const Description = R"(
object scrollForm: TScrollForm
  ClientWidth = 300
  ClientHeight = 250
  object box: TScrollBox
    Left = 0
    Top = 0
    Width = 200
    Height = 100
    BorderStyle = bsNone
    object first: TLabel
      Left = 4
      Top = 0
      Width = 100
      Height = 40
      AutoSize = False
      Caption = 'first'
    end
    object middle: TLabel
      Left = 4
      Top = 60
      Width = 100
      Height = 40
      AutoSize = False
      Caption = 'middle'
    end
    object last: TLabel
      Left = 4
      Top = 140
      Width = 100
      Height = 40
      AutoSize = False
      Caption = 'last'
    end
  end
  object framed: TScrollBox
    Left = 0
    Top = 120
    Width = 200
    Height = 100
    object inside: TLabel
      Left = 0
      Top = 10
      Caption = 'fits'
    end
  end
end
)";

class ScrollBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterScrollForm();
        Form = std::make_unique<TScrollForm>(nullptr);
        LoadDescription(Form.get(), RequireClassInfo("TScrollForm"), Description);
        Form->Handle();
        sxtest::PumpFor(100);   // the range update posted at load
    }
    // Where the control's window really is inside the box.
    static int WindowTop(TControl* c) {
        RECT r;
        GetWindowRect(c->WindowHandle(), &r);
        MapWindowPoints(nullptr, GetParent(c->WindowHandle()), reinterpret_cast<POINT*>(&r), 2);
        return r.top;
    }
    void Scroll(UINT code) { SendMessageA(Form->box->WindowHandle(), WM_VSCROLL, MAKEWPARAM(code, 0), 0); }
    std::unique_ptr<TScrollForm> Form;
};

TEST_F(ScrollBoxTest, RangeIsTheLowestControlAndTheBarShowsOnlyWhenNeeded) {
    TScrollBox* box = Form->box;
    EXPECT_EQ(box->VertRange(), 180);
    EXPECT_LT(box->ClientWidth(), box->Width());            // the vertical bar takes its room
    EXPECT_EQ(box->ClientHeight(), 100);                     // no border
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(box->WindowHandle(), SB_VERT, &si));
    EXPECT_EQ(si.nMax, 179);
    EXPECT_EQ(si.nPage, 100u);

    TScrollBox* framed = Form->framed;
    EXPECT_TRUE(GetWindowLongA(framed->WindowHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);   // bsSingle by default
    EXPECT_EQ(framed->ClientWidth(), framed->Width() - 4);   // the edge, no bar
    SendMessageA(framed->WindowHandle(), WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(framed->VertPosition(), 0);
}

TEST_F(ScrollBoxTest, ScrollingMovesTheControlsWithinTheRange) {
    struct Step {
        const char* what;
        UINT code;           // WM_VSCROLL code, or 0: one wheel notch up
        int position;
    };
    const Step steps[] = {
        {"line down", SB_LINEDOWN, 8},
        {"page down stops at the end", SB_PAGEDOWN, 80},
        {"line down at the end", SB_LINEDOWN, 80},
        {"wheel up one notch", 0, 56},
        {"top", SB_TOP, 0},
        {"line up at the top", SB_LINEUP, 0},
        {"bottom", SB_BOTTOM, 80},
    };
    for (const Step& s : steps) {
        if (s.code) Scroll(s.code);
        else SendMessageA(Form->box->WindowHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
        EXPECT_EQ(Form->box->VertPosition(), s.position) << s.what;
        EXPECT_EQ(Form->first->Top(), 0 - s.position) << s.what;
        EXPECT_EQ(Form->last->Top(), 140 - s.position) << s.what;
        EXPECT_EQ(WindowTop(Form->last), 140 - s.position) << s.what;
        EXPECT_EQ(GetScrollPos(Form->box->WindowHandle(), SB_VERT), s.position) << s.what;
    }
}

TEST_F(ScrollBoxTest, AShorterRangePullsThePositionBack) {
    Scroll(SB_BOTTOM);
    ASSERT_EQ(Form->box->VertPosition(), 80);
    Form->last->Hide();
    Form->box->UpdateScrollRange();
    EXPECT_EQ(Form->box->VertRange(), 100);                 // middle's bottom at position 0
    EXPECT_EQ(Form->box->VertPosition(), 0);
    EXPECT_EQ(Form->middle->Top(), 60);
    EXPECT_EQ(Form->box->ClientWidth(), Form->box->Width());   // the bar is gone
}

} // namespace
