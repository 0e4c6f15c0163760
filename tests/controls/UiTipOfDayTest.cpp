// tests/controls/UiTipOfDayTest.cpp -- the tips dialog through its real modal window: tip
// cycling, the show-on-start-up flag in the registry, the two layouts, the fonts, the load
// step and the form-hook mode. Flags are values "controls_tests_<name>" under
// HKCU\Software\UiControls\TipsStartup, removed in TearDown (the key too, when a test made it).
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../desktop/ModalDriver.h"
#include "controls/UiButton.h"
#include "controls/UiSpeedButton.h"
#include "controls/UiTipOfDay.h"
#include "controls/UiWndProcHook.h"
#include "desktop/Application.h"
#include "desktop/CheckBox.h"
#include "desktop/DescriptionReader.h"
#include "desktop/Form.h"
#include "desktop/Label.h"

namespace {

bool RawKeyExists(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The flag as stored: type and 32-bit data; type 0 when there is no value.
struct TStoredFlag {
    DWORD Type = 0;
    DWORD Data = 0;
};

TStoredFlag ReadFlag(const std::string& name) {
    TStoredFlag flag;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, TipsStartupKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return flag;
    DWORD size = sizeof(flag.Data);
    BYTE data[64] = {};
    DWORD bigSize = sizeof(data);
    if (RegQueryValueExA(key, name.c_str(), nullptr, &flag.Type, data, &bigSize) != ERROR_SUCCESS) flag.Type = 0;
    else if (flag.Type == REG_DWORD && bigSize == size) memcpy(&flag.Data, data, size);
    RegCloseKey(key);
    return flag;
}

void WriteRaw(const std::string& name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, TipsStartupKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void WriteFlag(const std::string& name, DWORD value) { WriteRaw(name, REG_DWORD, &value, sizeof(value)); }

const std::vector<std::string> ThreeTips = {"First tip.", "Second tip.", "Third tip."};

class TRecorder : public TObject {
public:
    int AfterExecute = 0;
    bool Veto = false;
    int CanShowCalls = 0;
    void After(TObject*) { ++AfterExecute; }
    void CanShow(TObject*, bool& canShow) {
        ++CanShowCalls;
        if (Veto) canShow = false;
    }
};

class UiTipOfDayTest : public ::testing::Test {
protected:
    std::unique_ptr<TUiTipOfDay> Tips;
    std::string ValueName;
    bool HadKey = false, HadParentKey = false;
    TRecorder Recorder;

    void SetUp() override {
        HadParentKey = RawKeyExists("Software\\UiControls");
        HadKey = RawKeyExists(TipsStartupKey);
        Tips = std::make_unique<TUiTipOfDay>(nullptr);
        Tips->SetName("tip" + std::to_string(GetCurrentProcessId()));
        ValueName = Tips->RegistryValueName();
        Tips->SetTipLines(ThreeTips);
        Tips->OnAfterExecute = TNotifyEvent(&Recorder, &TRecorder::After);
    }
    void TearDown() override {
        Tips.reset();
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, TipsStartupKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, ValueName.c_str());
            DWORD values = 0;
            RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr);
            RegCloseKey(key);
            if (!HadKey && values == 0) RegDeleteKeyA(HKEY_CURRENT_USER, TipsStartupKey);
        }
        if (!HadParentKey) RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\UiControls");   // refused while it has subkeys
    }

    // Shows the dialog (at start-up when asked); once it is up, runs whileOpen and then closes
    // it with its Close button unless whileOpen did. Answers whether the dialog showed.
    bool RunDialog(const std::function<void()>& whileOpen = [] {}, bool atStartup = false) {
        bool shown = false;
        sxtest::TModalDriver driver([&] {
            TForm* dialog = Tips->Dialog();
            if (!dialog || !dialog->IsModal()) return false;
            shown = true;
            whileOpen();
            if (Tips->Dialog() && Tips->Dialog()->ModalResult() == mrNone) ClickClose();
            return true;
        });
        if (atStartup) Tips->ShowAtStartup(); else Tips->ShowDialog();
        EXPECT_FALSE(driver.TimedOut());
        return shown;
    }
    static void Press(TControl* c) {
        if (dynamic_cast<TSpeedButton*>(c)) {
            SendMessageA(c->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
            SendMessageA(c->WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        } else {
            SendMessageA(c->WindowHandle(), BM_CLICK, 0, 0);
        }
    }
    TControl* CloseControl() {
        for (int i = 0; i < Tips->Dialog()->ControlCount(); ++i) {
            TControl* c = Tips->Dialog()->Controls(i);
            if (c != Tips->NextControl() && (dynamic_cast<TButton*>(c) || dynamic_cast<TSpeedButton*>(c))) return c;
        }
        return nullptr;
    }
    void ClickClose() { Press(CloseControl()); }
    std::string TipShown() { return Tips->TipLabel()->Caption(); }
};

TEST_F(UiTipOfDayTest, NextCyclesThroughEveryTipAndAfterTheLastComesTheFirst) {
    std::vector<std::string> seen;
    int first = -1;
    bool nextEnabled = false;
    ASSERT_TRUE(RunDialog([&] {
        first = Tips->CurrentTip();
        nextEnabled = Tips->NextControl()->Enabled();
        for (int i = 0; i <= 3; ++i) {
            seen.push_back(TipShown());
            Press(Tips->NextControl());
        }
    }));
    ASSERT_GE(first, 0);
    ASSERT_LT(first, 3);
    EXPECT_TRUE(nextEnabled);
    for (int i = 0; i <= 3; ++i) EXPECT_EQ(seen[i], ThreeTips[(first + i) % 3]) << "step " << i;
    EXPECT_EQ(Tips->CurrentTip(), (first + 4) % 3);
    EXPECT_EQ(Tips->Dialog(), nullptr);               // freed with the show
    EXPECT_EQ(Tips->TipLabel(), nullptr);
    EXPECT_EQ(Recorder.AfterExecute, 1);
}

TEST_F(UiTipOfDayTest, OneTipShowsItWithNextDisabledAndNoTipsShowAnEmptyLabel) {
    for (const std::vector<std::string>& tips : {std::vector<std::string>{"Only tip."}, std::vector<std::string>{}}) {
        Tips->SetTipLines(tips);
        std::string shown = "unset";
        bool nextEnabled = true;
        ASSERT_TRUE(RunDialog([&] {
            shown = TipShown();
            nextEnabled = Tips->NextControl()->Enabled();
            Tips->NextTip();                          // also from code: no tip to go to, no division by zero
            EXPECT_EQ(TipShown(), shown);
        }));
        EXPECT_EQ(shown, tips.empty() ? "" : tips[0]);
        EXPECT_FALSE(nextEnabled);
        EXPECT_EQ(Tips->CurrentTip(), 0);
    }
}

TEST_F(UiTipOfDayTest, ATipListThatShrankWhileShownIsTakenRoundToAValidTip) {
    ASSERT_TRUE(RunDialog([&] {
        Tips->SetTipLines({"A.", "B."});
        Tips->NextTip();
        Tips->SetTipLines({"Only."});
        Tips->ShowCurrentTip();
        EXPECT_EQ(TipShown(), "Only.");
        EXPECT_EQ(Tips->CurrentTip(), 0);
    }));
}

TEST_F(UiTipOfDayTest, WithoutAStoredFlagTheDialogShowsAndUntickingStoresZero) {
    Tips->SetOptions(toShowOnStartUp | toUseRegistry);
    ASSERT_EQ(ReadFlag(ValueName).Type, 0u);
    bool ticked = false;
    ASSERT_TRUE(RunDialog([&] {
        ticked = Tips->ShowCheckBox()->Checked();
        SendMessageA(Tips->ShowCheckBox()->WindowHandle(), BM_CLICK, 0, 0);
    }, true));
    EXPECT_TRUE(ticked);
    TStoredFlag flag = ReadFlag(ValueName);
    EXPECT_EQ(flag.Type, DWORD(REG_DWORD));
    EXPECT_EQ(flag.Data, 0u);
    EXPECT_FALSE(Tips->Options() & toShowOnStartUp);

    // The next start shows nothing, fires nothing and writes nothing.
    WriteFlag(ValueName, 0);
    Recorder.AfterExecute = 0;
    EXPECT_FALSE(RunDialog([] {}, true));
    EXPECT_EQ(Recorder.AfterExecute, 0);
    EXPECT_EQ(ReadFlag(ValueName).Data, 0u);

    // An explicit show still shows, with the box unticked; leaving it so keeps the 0.
    ASSERT_TRUE(RunDialog([&] { ticked = Tips->ShowCheckBox()->Checked(); }));
    EXPECT_FALSE(ticked);
    EXPECT_EQ(ReadFlag(ValueName).Data, 0u);
}

TEST_F(UiTipOfDayTest, AStoredOneShowsAtStartUpAndAKeptTickWritesOneAgain) {
    Tips->SetOptions(toUseRegistry);                  // the stored flag, not the option, decides
    WriteFlag(ValueName, 7);                          // any non-zero value is true
    ASSERT_TRUE(RunDialog([] {}, true));
    TStoredFlag flag = ReadFlag(ValueName);
    EXPECT_EQ(flag.Type, DWORD(REG_DWORD));
    EXPECT_EQ(flag.Data, 1u);
}

TEST_F(UiTipOfDayTest, AFlagOfAnotherTypeCountsAsMissingAndIsReplaced) {
    Tips->SetOptions(toShowOnStartUp | toUseRegistry);
    WriteRaw(ValueName, REG_SZ, "0", 2);
    ASSERT_TRUE(RunDialog([] {}, true));
    TStoredFlag flag = ReadFlag(ValueName);
    EXPECT_EQ(flag.Type, DWORD(REG_DWORD));
    EXPECT_EQ(flag.Data, 1u);
}

TEST_F(UiTipOfDayTest, WithoutTheRegistryOptionNothingIsReadOrWritten) {
    Tips->SetOptions(toShowOnStartUp);
    WriteFlag(ValueName, 0);
    ASSERT_TRUE(RunDialog([&] { SendMessageA(Tips->ShowCheckBox()->WindowHandle(), BM_CLICK, 0, 0); }, true));
    EXPECT_EQ(ReadFlag(ValueName).Data, 0u);           // shown although the stored flag says no
    EXPECT_FALSE(Tips->Options() & toShowOnStartUp);   // the box's state is kept in the options
    EXPECT_FALSE(RunDialog([] {}, true));              // ... which the next start-up show obeys
}

TEST_F(UiTipOfDayTest, AVetoSuppressesTheDialogAndTheWriteAfterTheReadHappened) {
    Tips->SetOptions(toShowOnStartUp | toUseRegistry);
    Tips->OnCanShow = TUiCanShowEvent(&Recorder, &TRecorder::CanShow);
    Recorder.Veto = true;
    WriteFlag(ValueName, 0);
    EXPECT_FALSE(RunDialog());                        // an explicit show, vetoed
    EXPECT_EQ(Recorder.CanShowCalls, 1);
    EXPECT_FALSE(Tips->Options() & toShowOnStartUp);  // read from the registry before the veto
    EXPECT_EQ(Recorder.AfterExecute, 0);
    EXPECT_EQ(ReadFlag(ValueName).Data, 0u);
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, TipsStartupKey, 0, KEY_ALL_ACCESS, &key);
    RegDeleteValueA(key, ValueName.c_str());
    RegCloseKey(key);
    EXPECT_FALSE(RunDialog());
    EXPECT_EQ(ReadFlag(ValueName).Type, 0u);          // no value appears
}

TEST_F(UiTipOfDayTest, ASecondShowWhileTheDialogIsOpenDoesNothing) {
    int dialogsSeen = 0;
    ASSERT_TRUE(RunDialog([&] {
        TForm* first = Tips->Dialog();
        Tips->ShowDialog();                           // returns at once
        dialogsSeen = Tips->Dialog() == first ? 1 : 2;
        EXPECT_TRUE(Tips->Executing());
    }));
    EXPECT_EQ(dialogsSeen, 1);
    EXPECT_EQ(Recorder.AfterExecute, 1);
    EXPECT_FALSE(Tips->Executing());
}

TEST_F(UiTipOfDayTest, TheVCLayoutStacksDrawingsUnderTheTipAndButtonsInTabOrder) {
    ASSERT_TRUE(RunDialog([&] {
        TForm* d = Tips->Dialog();
        HWND form = d->WindowHandle();
        char caption[64] = {};
        GetWindowTextA(form, caption, sizeof(caption));
        EXPECT_STREQ(caption, "Tips and Tricks");
        EXPECT_EQ(d->ClientWidth(), 400);
        EXPECT_EQ(d->ClientHeight(), 258);
        EXPECT_TRUE(GetWindowLongA(form, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
        // The tip label lies over the white rectangle, the picture over the grey band.
        EXPECT_EQ(ChildWindowFromPointEx(form, POINT{100, 100}, CWP_SKIPINVISIBLE), Tips->TipLabel()->WindowHandle());
        HWND picture = ChildWindowFromPointEx(form, POINT{30, 30}, CWP_SKIPINVISIBLE);
        auto* image = dynamic_cast<TImage*>(TControl::FromHandle(picture));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->Picture().Width(), 23);
        EXPECT_EQ(image->Picture().Height(), 30);
        // Tab order: the check box, Next, Close.
        HWND first = GetNextDlgTabItem(form, nullptr, FALSE);
        EXPECT_EQ(first, Tips->ShowCheckBox()->WindowHandle());
        HWND second = GetNextDlgTabItem(form, first, FALSE);
        EXPECT_EQ(second, Tips->NextControl()->WindowHandle());
        EXPECT_EQ(GetNextDlgTabItem(form, second, FALSE), CloseControl()->WindowHandle());
        EXPECT_EQ(GetFocus(), first);
        // Both buttons are TUiButtons: Close is the default and the cancel button.
        EXPECT_NE(dynamic_cast<TUiButton*>(Tips->NextControl()), nullptr);
        auto* close = dynamic_cast<TUiButton*>(CloseControl());
        ASSERT_NE(close, nullptr);
        EXPECT_TRUE(close->Default());
        EXPECT_TRUE(close->Cancel());
        EXPECT_EQ(close->ModalResult(), mrOk);
        EXPECT_EQ(close->Caption(), "&Close");
        EXPECT_EQ(Tips->NextControl()->Caption(), "&Next Tip");
        EXPECT_EQ(Tips->ShowCheckBox()->Caption(), "&Show Tips on Startup");
        EXPECT_EQ(GetWindowLongA(Tips->TipLabel()->WindowHandle(), GWL_STYLE) & SS_TYPEMASK, SS_LEFT);   // words wrap
        // Escape ends the dialog through the cancel button.
        PostMessageA(Tips->ShowCheckBox()->WindowHandle(), WM_KEYDOWN, VK_ESCAPE, 1);
    }));
}

TEST_F(UiTipOfDayTest, TheStandardLayoutWithFlatButtonsUsesSpeedButtons) {
    Tips->SetStyle(TUiTipOfDayStyle::tsStandard);
    Tips->ButtonNext().SetFlat(true);
    Tips->ButtonClose().SetFlat(true);
    Tips->ButtonClose().SetCaption("Done");
    ASSERT_TRUE(RunDialog([&] {
        TForm* d = Tips->Dialog();
        EXPECT_EQ(d->ClientWidth(), 347);
        EXPECT_EQ(d->ClientHeight(), 267);
        EXPECT_NE(dynamic_cast<TUiSpeedButton*>(Tips->NextControl()), nullptr);
        auto* close = dynamic_cast<TUiSpeedButton*>(CloseControl());
        ASSERT_NE(close, nullptr);
        EXPECT_EQ(close->Left(), 252);
        EXPECT_EQ(close->Caption(), "Done");
        EXPECT_EQ(close->ModalResult(), mrOk);
        HWND picture = ChildWindowFromPointEx(d->WindowHandle(), POINT{35, 35}, CWP_SKIPINVISIBLE);
        auto* image = dynamic_cast<TImage*>(TControl::FromHandle(picture));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->Width(), 40);                // sized to its picture
        EXPECT_EQ(image->Height(), 53);
        EXPECT_TRUE(image->Transparent());
        std::string before = TipShown();
        Press(Tips->NextControl());
        EXPECT_NE(TipShown(), before);
    }));
}

TEST_F(UiTipOfDayTest, DefaultFontsFollowTheStyleUntilAFontIsChanged) {
    EXPECT_TRUE(Tips->DefaultFonts());
    EXPECT_EQ(Tips->HeaderFont().Name(), "Times New Roman");
    EXPECT_EQ(Tips->HeaderFont().Size(), 15);
    EXPECT_EQ(Tips->HeaderFont().Style(), unsigned(fsBold));
    EXPECT_EQ(Tips->TipFont().Name(), "MS Sans Serif");
    EXPECT_EQ(Tips->TipFont().Size(), 8);
    Tips->SetStyle(TUiTipOfDayStyle::tsStandard);
    EXPECT_EQ(Tips->HeaderFont().Name(), "System");
    EXPECT_EQ(Tips->HeaderFont().Size(), 10);
    EXPECT_TRUE(Tips->DefaultFonts());
    Tips->TipFont().SetName("Tahoma");
    EXPECT_FALSE(Tips->DefaultFonts());
    Tips->SetStyle(TUiTipOfDayStyle::tsVC);
    EXPECT_EQ(Tips->HeaderFont().Name(), "System");   // no longer the defaults: kept
    Tips->SetDefaultFonts(true);
    EXPECT_EQ(Tips->HeaderFont().Name(), "Times New Roman");
    EXPECT_EQ(Tips->TipFont().Name(), "MS Sans Serif");
    EXPECT_TRUE(Tips->DefaultFonts());
}

TEST_F(UiTipOfDayTest, IdleEventsRunWhileTheDialogIsOpen) {
    struct TIdleProbe : TObject {
        TUiTipOfDay* Tips = nullptr;
        bool SawDialog = false;
        void Idle(TObject*, bool&) { if (Tips->Dialog()) SawDialog = true; }
    } probe;
    probe.Tips = Tips.get();
    TIdleEvent saved = Application->OnIdle;
    Application->OnIdle = TIdleEvent(&probe, &TIdleProbe::Idle);
    ASSERT_TRUE(RunDialog([&] { sxtest::PumpUntil([&] { return probe.SawDialog; }, 5000); }));
    Application->OnIdle = saved;
    EXPECT_TRUE(probe.SawDialog);
}

TEST_F(UiTipOfDayTest, AnEndingApplicationShowsNoDialogAndStoresNothing) {
    Tips->SetOptions(toShowOnStartUp | toUseRegistry);
    TApplication* saved = Application;
    {
        TApplication app;
        Application = &app;
        app.Initialize();
        app.SetTitle(saved->Title());
        app.Terminate();
        EXPECT_FALSE(RunDialog([] {}, true));
    }
    Application = saved;
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);   // Terminate's, not for the tests' application
    EXPECT_EQ(Recorder.AfterExecute, 0);
    EXPECT_EQ(ReadFlag(ValueName).Type, 0u);
}

// ---- the load step, from a window description

// The component is found by name: each test gives it a name of its own (its registry value).
class TTipsHostForm : public TForm {
public:
    explicit TTipsHostForm(TComponent* owner) : TForm(owner) {}
    TUiTipOfDay* Tips(const std::string& name) { return dynamic_cast<TUiTipOfDay*>(FindComponent(name)); }
};

void RegisterTipsHostForm() {
    static bool done = false;
    if (done) return;
    done = true;
    TClassRegistration<TTipsHostForm>("TTipsHostForm", "TForm");
}

std::string HostDescription(const std::string& name, const std::string& options) {
    return "object host: TTipsHostForm\n"
           "  object " + name + ": TUiTipOfDay\n"
           "    Title = 'Hints'\n"
           "    ButtonNext.Caption = '&Next Tip'\n"
           "    ButtonNext.Flat = False\n"
           "    ButtonNext.HotTrack = False\n"
           "    ButtonNext.HotTrackFont.Charset = DEFAULT_CHARSET\n"
           "    ButtonNext.HotTrackFont.Color = clWindowText\n"
           "    ButtonNext.HotTrackFont.Height = -11\n"
           "    ButtonNext.HotTrackFont.Name = 'MS Sans Serif'\n"
           "    ButtonNext.HotTrackFont.Style = []\n"
           "    ButtonNext.ShowHint = False\n"
           "    ButtonClose.Caption = '&Close'\n"
           "    ButtonClose.Flat = False\n"
           "    DefaultFonts = False\n"
           "    HeaderFont.Charset = DEFAULT_CHARSET\n"
           "    HeaderFont.Color = 10176563\n"
           "    HeaderFont.Height = -20\n"
           "    HeaderFont.Name = 'Tahoma'\n"
           "    HeaderFont.Style = [fsBold]\n"
           "    Options = " + options + "\n"
           "    Style = tsStandard\n"
           "    TipFont.Color = 3681315\n"
           "    TipFont.Height = -11\n"
           "    TipFont.Name = 'Tahoma'\n"
           "    TipFont.Style = []\n"
           "    Tips.Strings = (\n"
           "      'One.'\n"
           "      'Two.')\n"
           "  end\n"
           "end\n";
}

class UiTipOfDayLoadTest : public UiTipOfDayTest {};

TEST_F(UiTipOfDayLoadTest, TheDescriptionsValuesArriveAndTheLoadStepShowsTheDialog) {
    RegisterTipsHostForm();
    TTipsHostForm host(nullptr);
    std::string name = Tips->Name();
    std::string title, header;
    bool shown = false;
    sxtest::TModalDriver driver([&] {
        TUiTipOfDay* t = host.Tips(name);
        if (!t || !t->Dialog() || !t->Dialog()->IsModal()) return false;
        shown = true;
        title = t->Dialog()->Caption();
        header = t->HeaderFont().Name();
        SendMessageA(t->ShowCheckBox()->WindowHandle(), BM_CLICK, 0, 0);
        PostMessageA(t->Dialog()->WindowHandle(), WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    LoadDescription(&host, RequireClassInfo("TTipsHostForm"), HostDescription(name, "[toShowOnStartUp, toUseRegistry]"));
    EXPECT_FALSE(driver.TimedOut());
    ASSERT_TRUE(shown);
    EXPECT_EQ(title, "Hints");
    EXPECT_EQ(header, "Tahoma");
    TUiTipOfDay& t = *host.Tips(name);
    EXPECT_FALSE(t.DefaultFonts());
    EXPECT_EQ(t.HeaderFont().Height(), -20);
    EXPECT_EQ(t.HeaderFont().Color(), 10176563u);
    EXPECT_EQ(t.HeaderFont().Style(), unsigned(fsBold));
    EXPECT_EQ(t.TipFont().Color(), 3681315u);
    EXPECT_EQ(t.Style(), TUiTipOfDayStyle::tsStandard);
    EXPECT_EQ(t.Tips().Count(), 2);
    EXPECT_EQ(t.ButtonNext().Caption(), "&Next Tip");
    EXPECT_FALSE(t.ButtonNext().Flat());
    EXPECT_EQ(t.ButtonNext().HotTrackFont().Name(), "MS Sans Serif");
    EXPECT_EQ(t.Color(), clWhite);
    EXPECT_EQ(ReadFlag(ValueName).Type, DWORD(REG_DWORD));
    EXPECT_EQ(ReadFlag(ValueName).Data, 0u);           // unticked in the dialog
}

TEST_F(UiTipOfDayLoadTest, InTheFormHookModeTheDialogWaitsForTheFormsActivation) {
    RegisterTipsHostForm();
    auto host = std::make_unique<TTipsHostForm>(nullptr);
    // The owner must be a control for the hook mode to find a form; the host form is one.
    LoadDescription(host.get(), RequireClassInfo("TTipsHostForm"), HostDescription(Tips->Name(), "[toShowOnStartUp, toShowWhenFormShown]"));
    TUiTipOfDay& t = *host->Tips(Tips->Name());
    EXPECT_EQ(t.HookedForm(), host.get());
    EXPECT_EQ(t.Dialog(), nullptr);
    ASSERT_NE(WindowHookRegistry()->FindInfos(host.get()), nullptr);
    EXPECT_EQ(WindowHookRegistry()->FindInfos(host.get())->HookCount(hoAfter), 1);

    bool shown = false;
    sxtest::TModalDriver driver([&] {
        if (!t.Dialog() || !t.Dialog()->IsModal()) return false;
        shown = true;
        PostMessageA(t.Dialog()->WindowHandle(), WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    SendMessageA(host->WindowHandle(), WM_ACTIVATEAPP, TRUE, 0);
    sxtest::PumpUntil([&] { return shown && !t.Dialog(); });
    EXPECT_TRUE(shown);
    EXPECT_EQ(t.HookedForm(), nullptr);                // shown once, then the hook is gone
    EXPECT_EQ(WindowHookRegistry()->FindInfos(host.get())->HookCount(hoAfter), 0);
}

TEST_F(UiTipOfDayLoadTest, AComponentFreedWhileItsHookWaitsTakesTheHookWithIt) {
    RegisterTipsHostForm();
    TTipsHostForm host(nullptr);
    LoadDescription(&host, RequireClassInfo("TTipsHostForm"), HostDescription(Tips->Name(), "[toShowWhenFormShown]"));
    delete host.Tips(Tips->Name());
    ASSERT_NE(WindowHookRegistry()->FindInfos(&host), nullptr);
    EXPECT_EQ(WindowHookRegistry()->FindInfos(&host)->HookCount(hoAfter), 0);
    SendMessageA(host.WindowHandle(), WM_ACTIVATEAPP, TRUE, 0);   // reaches no freed component
    sxtest::PumpFor(200);
}

} // namespace
