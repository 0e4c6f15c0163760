// tests/controls/ControlDescriptionTest.cpp -- a window description naming every control class
#include <gtest/gtest.h>

#include "controls/FxPanel.h"
#include "controls/FxUrlLabel.h"
#include "controls/UiButton.h"
#include "controls/UiHTLabel.h"
#include "controls/UiIntegerEdit.h"
#include "controls/UiPageControl.h"
#include "controls/sxComboBox.h"
#include "controls/sxDatePanel.h"
#include "controls/sxEdit.h"
#include "controls/sxGroupBox.h"
#include "controls/UiSpeedButton.h"
#include "controls/sxImage.h"
#include "controls/sxImageListBox.h"
#include "controls/sxScrollBar.h"
#include "desktop/DescriptionReader.h"
#include "desktop/Form.h"
#include "desktop/ImageList.h"
#include "desktop/Menus.h"

namespace {

class TControlsForm : public TForm {
public:
    explicit TControlsForm(TComponent* owner) : TForm(owner) {}
    void MenuClick(TObject* sender) { Clicked = sender; }
    TObject* Clicked = nullptr;
    TFxPanel* header = nullptr;
    TFxLabel* note = nullptr;
    TFxUrlLabel* FxUrlLabel1 = nullptr;
    TUiHTLabel* UiHTLabel1 = nullptr;
    TUiIntegerEdit* sc_apps = nullptr;
    TUiPageControl* UiPageControl1 = nullptr;
    TTabSheet* TabSheet10 = nullptr;
    TsxImage* sxImage1 = nullptr;
    TsxImageListBox* sxImageListBox1 = nullptr;
    TsxGroupBox* sxGroupBox1 = nullptr;
    TEdit* inGroup = nullptr;
    TsxScrollBar* sxScrollBar1 = nullptr;
    TsxEdit* sxEdit1 = nullptr;
    TsxComboBox* sxComboBox1 = nullptr;
    TsxDatePanel* sxDatePanel1 = nullptr;
    TUiButton* UiButton1 = nullptr;
    TUiSpeedButton* UiSpeedButton1 = nullptr;
};

void RegisterControlsForm() {
    static bool done = false;
    if (done) return;
    done = true;
    TClassRegistration<TControlsForm>("TControlsForm", "TForm")
        .Handler("MenuClick", &TControlsForm::MenuClick)
        .Field("header", &TControlsForm::header)
        .Field("note", &TControlsForm::note)
        .Field("FxUrlLabel1", &TControlsForm::FxUrlLabel1)
        .Field("UiHTLabel1", &TControlsForm::UiHTLabel1)
        .Field("sc_apps", &TControlsForm::sc_apps)
        .Field("UiPageControl1", &TControlsForm::UiPageControl1)
        .Field("TabSheet10", &TControlsForm::TabSheet10)
        .Field("sxImage1", &TControlsForm::sxImage1)
        .Field("sxImageListBox1", &TControlsForm::sxImageListBox1)
        .Field("sxGroupBox1", &TControlsForm::sxGroupBox1)
        .Field("inGroup", &TControlsForm::inGroup)
        .Field("sxScrollBar1", &TControlsForm::sxScrollBar1)
        .Field("sxEdit1", &TControlsForm::sxEdit1)
        .Field("sxComboBox1", &TControlsForm::sxComboBox1)
        .Field("sxDatePanel1", &TControlsForm::sxDatePanel1)
        .Field("UiButton1", &TControlsForm::UiButton1)
        .Field("UiSpeedButton1", &TControlsForm::UiSpeedButton1);
}

const char* const Description = R"(
object controlsForm: TControlsForm
  ClientWidth = 579
  ClientHeight = 400
  object ilist: TImageList
  end
  object header: TFxPanel
    Height = 57
    Align = alTop
    BevelOuter = bvNone
    BevelSides = [sdTop, sdBottom]
    BorderColor = clBtnShadow
    VerticalAlignment = vaBottom
    Color = 7429194
    Caption = 'Sentinox Control Center'
  end
  object note: TFxLabel
    Left = 8
    Top = 300
    Angle = -90
    ShadowStyle = ssRaisedShadow
    HighlightColor = 16777215
    Caption = 'Note'
  end
  object FxUrlLabel1: TFxUrlLabel
    Left = 12
    Top = 70
    Cursor = crHandPoint
    Caption = 'Home'
    Font.Name = 'Tahoma'
    Font.Height = -11
    Font.Style = []
    CanHover = True
    UnvisitedColor = 12080455
    VisitedColor = 7429194
    HoveredColor = 5425660
    OnClick = MenuClick
  end
  object UiHTLabel1: TUiHTLabel
    Left = 140
    Top = 70
    Caption = 'First line'#13#10'<b>Second</b> line'
  end
  object sc_apps: TUiIntegerEdit
    Left = 140
    Top = 120
    Width = 60
    BorderStyle = bsNone
    ReadOnly = True
    ClipBoardCommands = [caCopy]
    Value = 0
    Font.Style = [fsBold]
    Font.Color = 213959
  end
  object UiPageControl1: TUiPageControl
    Left = 140
    Top = 150
    Width = 300
    Height = 150
    ActivePage = TabSheet10
    object TabSheet9: TTabSheet
      Caption = 'One'
    end
    object TabSheet10: TTabSheet
      Caption = 'Two'
    end
  end
  object sxImage1: TsxImage
    Left = 8
    Top = 8
    Width = 32
    Height = 32
    AutoSize = True
    Caption = 'sxImage1'
    ImageList = ilist
    ImageIndex = 0
  end
  object sxImageListBox1: TsxImageListBox
    Left = 300
    Top = 8
    Width = 120
    Height = 80
    ImageList = ilist
    ImageLayout = tlTop
    Margin = -3
    Items.Strings = (
      'one'
      'two')
  end
  object sxGroupBox1: TsxGroupBox
    Left = 440
    Top = 8
    Width = 130
    Height = 80
    Caption = 'Options'
    CheckBoxChecked = False
    object inGroup: TEdit
      Left = 8
      Top = 30
    end
  end
  object sxScrollBar1: TsxScrollBar
    Left = 300
    Top = 100
    Width = 100
    Height = 17
    Kind = sbHorizontal
    Max = 10
    Position = 4
    TimerInterval = 50
  end
  object sxEdit1: TsxEdit
    Left = 300
    Top = 130
    Alignment = taRightJustify
    Flat = True
    Text = '42'
  end
  object sxComboBox1: TsxComboBox
    Left = 300
    Top = 160
    Style = csDropDownList
    ImageList = ilist
    ListWidth = 250
    Flat = True
    Etched = True
  end
  object sxDatePanel1: TsxDatePanel
    Left = 300
    Top = 190
    Width = 250
    ControlsLayout = dplYMD
    Date = 38046.5
    Flat = True
  end
  object menu: TPopupMenu
  end
  object UiButton1: TUiButton
    Left = 300
    Top = 8
    Caption = '&Next Tip'
    DropDownMenu = menu
    HotTrack = True
    HotTrackFont.Charset = DEFAULT_CHARSET
    HotTrackFont.Color = clWindowText
    HotTrackFont.Height = -11
    HotTrackFont.Name = 'MS Sans Serif'
    HotTrackFont.Style = [fsBold]
    HintColor = 12632256
    ShowHint = False
    OnMouseEnter = MenuClick
  end
  object UiSpeedButton1: TUiSpeedButton
    Left = 400
    Top = 8
    Flat = True
    ModalResult = 2
  end
end
)";

TEST(ControlDescription, EveryControlClassLoadsWithItsProperties) {
    RegisterControlsForm();
    TControlsForm form(nullptr);
    LoadDescription(&form, RequireClassInfo("TControlsForm"), Description);
    ASSERT_NE(form.header, nullptr);
    EXPECT_EQ(form.header->BevelSides(), static_cast<TSides>(sdTop | sdBottom));
    EXPECT_EQ(form.header->VerticalAlignment(), TVerticalAlignment::vaBottom);
    EXPECT_EQ(form.header->BorderColor(), clBtnShadow);
    EXPECT_EQ(form.note->Angle(), 270);
    EXPECT_EQ(form.note->ShadowStyle(), TShadowStyle::ssCustom);   // the colour written after the preset
    EXPECT_EQ(form.FxUrlLabel1->UnvisitedColor(), 12080455u);
    EXPECT_EQ(form.FxUrlLabel1->VisitedColor(), 7429194u);
    EXPECT_EQ(form.FxUrlLabel1->Font().Color(), 12080455u);
    EXPECT_FALSE(form.FxUrlLabel1->Font().Style() & fsUnderline);
    EXPECT_EQ(form.FxUrlLabel1->Cursor(), crFxHandPoint);
    EXPECT_GT(form.UiHTLabel1->Height(), 0);
    EXPECT_TRUE(form.sc_apps->ReadOnly());
    EXPECT_EQ(form.sc_apps->ClipBoardCommands(), static_cast<TUiClipBoardCommands>(caCopy));
    EXPECT_EQ(form.sc_apps->Text(), "0");
    EXPECT_EQ(form.UiPageControl1->ActivePage(), form.TabSheet10);
    EXPECT_EQ(form.sxImage1->ImageList()->Name(), "ilist");
    EXPECT_TRUE(form.sxImage1->PictureStored());    // the list is empty: the picture is the control's own
    EXPECT_EQ(form.sxImageListBox1->ImageList()->Name(), "ilist");
    EXPECT_EQ(form.sxImageListBox1->Margin(), 0);
    EXPECT_EQ(form.sxImageListBox1->Items().Count(), 2);
    EXPECT_FALSE(form.sxGroupBox1->CheckBoxChecked());
    EXPECT_FALSE(form.inGroup->Enabled());          // the unticked box holds the group's controls
    EXPECT_EQ(form.sxScrollBar1->Kind(), TScrollBarKind::sbHorizontal);
    EXPECT_EQ(form.sxScrollBar1->Height(), GetSystemMetrics(SM_CYHSCROLL));
    EXPECT_EQ(form.sxScrollBar1->Position(), 4);
    EXPECT_EQ(form.sxScrollBar1->TimerInterval(), 50u);
    EXPECT_TRUE(form.sxEdit1->Flat());
    EXPECT_EQ(form.sxEdit1->Alignment(), TAlignment::taRightJustify);
    EXPECT_EQ(form.sxComboBox1->ImageList()->Name(), "ilist");
    EXPECT_EQ(form.sxComboBox1->ListWidth(), 250);
    EXPECT_TRUE(form.sxComboBox1->Etched());
    EXPECT_EQ(form.sxDatePanel1->EffectiveLayout(), 3);
    TDateTime leapDay = 0;
    ASSERT_TRUE(TryEncodeDate(2004, 2, 29, leapDay));
    EXPECT_EQ(form.sxDatePanel1->Date(), leapDay);
    EXPECT_TRUE(form.sxDatePanel1->Flat());

    EXPECT_EQ(static_cast<TComponent*>(form.UiButton1->DropDownMenu()), form.FindComponent("menu"));
    EXPECT_TRUE(form.UiButton1->HotTrack());
    EXPECT_EQ(form.UiButton1->HotTrackFont().Name(), "MS Sans Serif");
    EXPECT_EQ(form.UiButton1->HotTrackFont().Style(), unsigned(fsBold));
    EXPECT_EQ(form.UiButton1->HintColor(), 12632256u);
    EXPECT_TRUE(form.UiSpeedButton1->Flat());
    EXPECT_EQ(form.UiSpeedButton1->ModalResult(), 2);

    SendMessageA(form.FxUrlLabel1->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(form.FxUrlLabel1->WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(form.Clicked, form.FxUrlLabel1);
}

TEST(ControlDescription, UnknownEnumValuesAreClearErrors) {
    RegisterControlsForm();
    TControlsForm form(nullptr);
    EXPECT_THROW(LoadDescription(&form, RequireClassInfo("TControlsForm"),
                                 "object f: TControlsForm\n  object note: TFxLabel\n    ShadowStyle = ssWobbly\n  end\nend\n"),
                 EDescriptionError);
}

} // namespace
