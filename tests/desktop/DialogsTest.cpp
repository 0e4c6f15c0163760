// tests/desktop/DialogsTest.cpp -- message boxes, MessageDlg's own dialog and TOpenDialog, each
// answered from a thread timer while its modal loop runs
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>

#include <fstream>

#include "desktop/Application.h"
#include "desktop/Classes.h"
#include "desktop/DescriptionReader.h"
#include "desktop/Dialogs.h"
#include "desktop/Form.h"
#include "tests/desktop/ModalDriver.h"
#include "tests/desktop/WindowHistory.h"

namespace {

// What a driver saw of a dialog before answering it.
struct TSeen {
    std::string Caption;
    std::string Text;
    std::vector<std::string> Buttons;   // captions of the visible push buttons, in z-order
    bool HasIcon = false;
};

struct TButtonScan {
    static BOOL CALLBACK Visit(HWND hwnd, LPARAM param) {
        auto* seen = reinterpret_cast<TSeen*>(param);
        char cls[32] = {};
        GetClassNameA(hwnd, cls, sizeof(cls));
        LONG style = GetWindowLongA(hwnd, GWL_STYLE);
        if (!IsWindowVisible(hwnd)) return TRUE;
        if (lstrcmpiA(cls, "Button") == 0) seen->Buttons.push_back(sxtest::WindowText(hwnd));
        if (lstrcmpiA(cls, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON &&
            SendMessageA(hwnd, STM_GETICON, 0, 0))
            seen->HasIcon = true;
        return TRUE;
    }
};

TSeen Look(HWND box) {
    TSeen seen;
    seen.Caption = sxtest::WindowText(box);
    char text[512] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    seen.Text = text;
    EnumChildWindows(box, &TButtonScan::Visit, reinterpret_cast<LPARAM>(&seen));
    return seen;
}

// Answers the first #32770 window of this thread with WM_COMMAND id, after looking at it.
struct TAnswer {
    explicit TAnswer(int id)
        : Driver([this, id] {
              HWND box = sxtest::FindThreadWindow("#32770");
              if (!box) return false;
              Seen = Look(box);
              PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
              return true;
          }) {}
    TSeen Seen;
    sxtest::TModalDriver Driver;
};

TEST(MessageDlgTest, FlagsFollowTypeAndButtons) {
    struct TCase {
        TMsgDlgType Type;
        TMsgDlgButtons Buttons;
        bool Box;
        UINT Flags;
    } cases[] = {
        {TMsgDlgType::mtWarning, mbOK, true, MB_ICONWARNING | MB_OK},
        {TMsgDlgType::mtError, mbOKCancel, true, MB_ICONERROR | MB_OKCANCEL},
        {TMsgDlgType::mtInformation, mbOK | mbHelp, true, MB_ICONINFORMATION | MB_HELP},
        {TMsgDlgType::mtConfirmation, mbYesNo, true, MB_ICONQUESTION | MB_YESNO},
        {TMsgDlgType::mtConfirmation, mbYesNoCancel, true, MB_ICONQUESTION | MB_YESNOCANCEL},
        {TMsgDlgType::mtConfirmation, mbAbortRetryIgnore, true, MB_ICONQUESTION | MB_ABORTRETRYIGNORE},
        {TMsgDlgType::mtCustom, mbRetry | mbCancel, true, MB_RETRYCANCEL},
        {TMsgDlgType::mtCustom, mbOK, true, MB_OK},
        {TMsgDlgType::mtConfirmation, mbYesNo | mbNoToAll | mbYesToAll, false, 0},
        {TMsgDlgType::mtWarning, mbYes | mbOK, false, 0},
        {TMsgDlgType::mtWarning, mbAll, false, 0},
    };
    for (const auto& c : cases) {
        UINT flags = 0xDEAD;
        EXPECT_EQ(MessageDlgFlags(c.Type, c.Buttons, flags), c.Box) << c.Buttons;
        if (c.Box) {
            EXPECT_EQ(flags, c.Flags) << c.Buttons;
        }
    }
    EXPECT_EQ(MessageDlgCaption(TMsgDlgType::mtConfirmation), "Confirm");
    EXPECT_EQ(MessageDlgCaption(TMsgDlgType::mtCustom), Application->Title());
    EXPECT_THROW(MessageDlg("no buttons", TMsgDlgType::mtWarning, 0), EDialogError);
    EXPECT_THROW(MessageDlg("only help", TMsgDlgType::mtWarning, mbHelp), EDialogError);
}

TEST(MessageDlgTest, MessageBoxReturnsTheButtonPressed) {
    TAnswer answer(IDNO);
    int result = MessageDlg("Delete it?", TMsgDlgType::mtConfirmation, mbYesNoCancel);
    EXPECT_FALSE(answer.Driver.TimedOut());
    EXPECT_EQ(result, mrNo);
    EXPECT_EQ(answer.Seen.Caption, "Confirm");
    EXPECT_EQ(answer.Seen.Text, "Delete it?");
    EXPECT_EQ(answer.Seen.Buttons.size(), 3u);
    EXPECT_TRUE(answer.Seen.HasIcon);
}

TEST(MessageDlgTest, ShowMessageIsAPlainWindowTitledWithTheApplication) {
    TAnswer answer(IDOK);
    ShowMessage("Configuration saved.");
    EXPECT_FALSE(answer.Driver.TimedOut());
    EXPECT_EQ(answer.Seen.Caption, Application->Title());
    EXPECT_EQ(answer.Seen.Text, "Configuration saved.");
    EXPECT_EQ(answer.Seen.Buttons, std::vector<std::string>{"OK"});
    EXPECT_FALSE(answer.Seen.HasIcon);
}

TEST(MessageDlgTest, ToAllAnswersComeFromADialogOfItsOwn) {
    const TMsgDlgButtons buttons = mbYes | mbNo | mbNoToAll | mbYesToAll;
    struct TCase {
        int Press;
        int Expected;
    } cases[] = {{mrYesToAll, mrYesToAll}, {mrNoToAll, mrNoToAll}, {IDYES, mrYes}, {IDCANCEL, mrCancel}};
    for (const auto& c : cases) {
        TAnswer answer(c.Press);
        int result = MessageDlg("Overwrite file \"a\" with \"b\"", TMsgDlgType::mtConfirmation, buttons);
        EXPECT_FALSE(answer.Driver.TimedOut());
        EXPECT_EQ(result, c.Expected) << c.Press;
        EXPECT_EQ(answer.Seen.Caption, "Confirm");
        EXPECT_EQ(answer.Seen.Text, "Overwrite file \"a\" with \"b\"");
        EXPECT_EQ(answer.Seen.Buttons, (std::vector<std::string>{"&Yes", "&No", "N&o to All", "Yes to &All"}));
        EXPECT_TRUE(answer.Seen.HasIcon);
    }
}

TEST(MessageDlgTest, BoxIsOwnedByTheVisibleActiveForm) {
    TForm form(Application);
    form.SetBounds(20, 20, 200, 120);
    form.Show();
    Application->SetActiveForm(&form);
    HWND owner = nullptr;
    sxtest::TModalDriver driver([&] {
        HWND box = sxtest::FindThreadWindow("#32770");
        if (!box) return false;
        owner = GetWindow(box, GW_OWNER);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(mrYesToAll, BN_CLICKED), 0);
        return true;
    });
    MessageDlg("owned?", TMsgDlgType::mtWarning, mbYes | mbYesToAll);
    Application->SetActiveForm(nullptr);
    EXPECT_EQ(owner, form.WindowHandle());
}

// Wine waits seconds for a window manager's word on every hide of a box with a caption; an
// answered box of ours is destroyed without one, no longer visible by then.
TEST(MessageDlgTest, AnsweredBoxIsDestroyedWithoutAHide) {
    sxtest::TWindowHistory history("#32770");
    ASSERT_TRUE(history.Hooked());
    int result = 0;
    {
        TAnswer answer(IDOK);
        result = Application->MessageBox("Finished.", "Update", MB_OK | MB_ICONWARNING);
        EXPECT_FALSE(answer.Driver.TimedOut());
    }
    history.Stop();
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(history.FaultOfAnEndWithoutAHide(), "");
}

// ------------------------------------------------------------------ TOpenDialog

class TDialogHost : public TComponent {
public:
    explicit TDialogHost(TComponent* owner) : TComponent(owner) {}
};

TEST(OpenDialogTest, FilterAndOptionsBecomeWhatGetOpenFileNameTakes) {
    TOpenDialog dialog(nullptr);
    EXPECT_EQ(dialog.FilterBuffer(), "");
    dialog.SetFilter("Text files|*.txt|All|*.*");
    EXPECT_EQ(dialog.FilterBuffer(), std::string("Text files\0*.txt\0All\0*.*\0\0", 26));
    dialog.SetFilter("Text files|*.txt|All");
    EXPECT_THROW(dialog.FilterBuffer(), EDialogError);
    EXPECT_THROW(dialog.Execute(), EDialogError);          // refused before any dialog shows

    EXPECT_EQ(dialog.Flags(), static_cast<DWORD>(OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING));
    dialog.SetOptions(ofFileMustExist | ofPathMustExist | ofAllowMultiSelect | ofNoChangeDir);
    EXPECT_EQ(dialog.Flags(),
              static_cast<DWORD>(OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ALLOWMULTISELECT | OFN_NOCHANGEDIR));
    dialog.SetOptions(ofOldStyleDialog | ofReadOnly);
    EXPECT_EQ(dialog.Flags(), static_cast<DWORD>(OFN_READONLY));

    RegisterDesktopClasses();
    static TClassInfo& host = TClassRegistration<TDialogHost>("TDialogHost", "TComponent").Info();
    TDialogHost root(nullptr);
    LoadDescription(&root, host,
                    "object Host: TDialogHost\n  object od: TOpenDialog\n    DefaultExt = 'txt'\n"
                    "    Filter = 'Lists|*.snx'\n    FilterIndex = 1\n    Options = [ofHideReadOnly, ofFileMustExist]\n"
                    "    Title = 'Pick'\n  end\nend\n");
    auto* od = dynamic_cast<TOpenDialog*>(root.FindComponent("od"));
    ASSERT_TRUE(od);
    EXPECT_EQ(od->Options(), static_cast<TOpenOptions>(ofHideReadOnly | ofFileMustExist));
    EXPECT_EQ(od->Title(), "Pick");
    TDialogHost bad(nullptr);
    EXPECT_THROW(LoadDescription(&bad, host, "object Host: TDialogHost\n  object od: TOpenDialog\n"
                                             "    Options = [ofNoSuchThing]\n  end\nend\n"),
                 EDescriptionError);
}

// Types into the open dialog titled caption (the edit inside Wine's cmb13, else edt1) and
// presses OK; or Cancel when name is empty.
struct TFileAnswer {
    TFileAnswer(const char* caption, std::string name)
        : Name(std::move(name)), Driver([this, caption] {
              HWND dlg = sxtest::FindThreadWindow("#32770", caption);
              if (!dlg) return false;
              if (Name.empty()) {
                  PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                  return true;
              }
              HWND box = GetDlgItem(dlg, 0x047C);
              if (!box) box = GetDlgItem(dlg, 0x0480);
              if (!box) return false;
              HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
              if (!edit)
                  if (HWND combo = FindWindowExA(box, nullptr, "ComboBox", nullptr))
                      edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
              SendMessageA(edit ? edit : box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Name.c_str()));
              PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
              return true;
          }) {}
    std::string Name;
    sxtest::TModalDriver Driver;
};

TEST(OpenDialogTest, ExecuteReturnsTheFileTheUserChose) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string dir = std::string(temp) + "SxOpenDialogTest";
    CreateDirectoryA(dir.c_str(), nullptr);
    std::string file = dir + "\\chosen.txt";
    std::ofstream(file) << "x";

    TOpenDialog dialog(nullptr);
    dialog.SetTitle("Pick a list");
    dialog.SetFilter("Text files|*.txt|All files|*.*");
    dialog.SetFilterIndex(2);
    dialog.SetInitialDir(dir);
    dialog.SetOptions(ofHideReadOnly | ofFileMustExist | ofPathMustExist | ofNoChangeDir);
    {
        TFileAnswer answer("Pick a list", "chosen.txt");
        ASSERT_TRUE(dialog.Execute());
        EXPECT_FALSE(answer.Driver.TimedOut());
    }
    EXPECT_TRUE(SameTextAscii(dialog.FileName(), file)) << dialog.FileName();
    ASSERT_EQ(dialog.Files().size(), 1u);
    EXPECT_EQ(dialog.FilterIndex(), 2);
    {
        TFileAnswer answer("Pick a list", "");
        EXPECT_FALSE(dialog.Execute());
        EXPECT_FALSE(answer.Driver.TimedOut());
    }
    EXPECT_TRUE(SameTextAscii(dialog.FileName(), file));   // a cancel keeps the last choice
    DeleteFileA(file.c_str());
    RemoveDirectoryA(dir.c_str());
}

} // namespace
