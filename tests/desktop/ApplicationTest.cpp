// tests/desktop/ApplicationTest.cpp -- idle processing, modal loops, termination and error display
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/Application.h"
#include "desktop/Button.h"
#include "desktop/CheckBox.h"
#include "desktop/Form.h"
#include "desktop/SysUtils.h"
#include "ModalDriver.h"

namespace {

// Finds this thread's message box and answers it, remembering its text.
std::string gBoxText;
void CALLBACK AnswerBox(HWND, UINT, UINT_PTR id, DWORD) {
    struct Finder {
        static BOOL CALLBACK Visit(HWND hwnd, LPARAM param) {
            char cls[16] = {};
            GetClassNameA(hwnd, cls, sizeof(cls));
            if (std::string(cls) == "#32770") { *reinterpret_cast<HWND*>(param) = hwnd; return FALSE; }
            return TRUE;
        }
    };
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &Finder::Visit, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    char text[256] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    gBoxText = text;
    KillTimer(nullptr, id);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

class TIdleProbe : public TObject {
public:
    void Idle(TObject*, bool& done) {
        ++Calls;
        if (ModalForm) ModalForm->SetModalResult(mrOk);
        if (TerminateIn) TerminateIn->Terminate();
        done = true;
    }
    void Throw(TObject*) { throw Exception("The handler failed"); }
    void Count(TObject*) { ++Clicks; }
    int Calls = 0;
    int Clicks = 0;
    TForm* ModalForm = nullptr;
    TApplication* TerminateIn = nullptr;
};

TEST(ApplicationTest, IdleIsDeliveredInsideAModalForm) {
    TIdleProbe probe;
    TForm form(Application);
    form.SetBounds(10, 10, 200, 100);
    probe.ModalForm = &form;
    Application->OnIdle = TIdleEvent(&probe, &TIdleProbe::Idle);
    int result = form.ShowModal();
    Application->OnIdle = nullptr;
    EXPECT_EQ(result, mrOk);
    EXPECT_GE(probe.Calls, 1);
    EXPECT_FALSE(form.Visible());
}

TEST(ApplicationTest, NoIdleEventAfterTerminate) {
    TApplication* saved = Application;
    {
        TApplication app;
        Application = &app;
        app.Initialize();
        TIdleProbe probe;
        probe.TerminateIn = &app;
        app.OnIdle = TIdleEvent(&probe, &TIdleProbe::Idle);
        app.ShowMainForm = false;
        app.Run();
        EXPECT_TRUE(app.Terminated());
        EXPECT_EQ(probe.Calls, 1);
        PostMessageA(app.Handle(), WM_NULL, 0, 0);
        app.HandleMessage();
        app.HandleMessage();
        EXPECT_EQ(probe.Calls, 1);
    }
    Application = saved;
}

// Counts the forms of its kind alive; the idle handler below ends the loop once one exists.
class TLateForm : public TForm {
public:
    explicit TLateForm(TComponent* owner) : TForm(owner) { ++Made; }
    static inline int Made = 0;
};

class TLateFormWatch : public TObject {
public:
    void Idle(TObject*, bool& done) {
        MadeAtIdle.push_back(TLateForm::Made);
        if (TLateForm::Made > 0 || MadeAtIdle.size() > 50) Application->Terminate();
        done = true;
    }
    std::vector<int> MadeAtIdle;
};

TEST(ApplicationTest, AFormMadeWhenIdleComesAfterTheFirstIdleMomentOnce) {
    TApplication* saved = Application;
    TLateForm::Made = 0;
    {
        TApplication app;
        Application = &app;
        app.Initialize();
        TLateFormWatch watch;
        app.OnIdle = TIdleEvent(&watch, &TLateFormWatch::Idle);
        app.ShowMainForm = false;
        app.CreateFormWhenIdle<TLateForm>();
        EXPECT_EQ(TLateForm::Made, 0) << "not before the loop";
        app.Run();
        ASSERT_GE(watch.MadeAtIdle.size(), 2u);
        EXPECT_EQ(watch.MadeAtIdle.front(), 0) << "the first idle handler runs before the form is made";
        EXPECT_EQ(TLateForm::Made, 1);
        EXPECT_EQ(app.ComponentCount(), 1) << "owned by the application";
        app.ProcessMessages();   // the quit message Terminate left, which would end the next modal loop
    }
    Application = saved;
}

TEST(ApplicationTest, AnExceptionInAClickHandlerIsShownAndTheProgramGoesOn) {
    TIdleProbe probe;
    TForm form(Application);
    TButton button(&form);
    button.SetParent(&form);
    button.OnClick = TNotifyEvent(&probe, &TIdleProbe::Throw);
    gBoxText.clear();
    SetTimer(nullptr, 0, 50, &AnswerBox);
    SendMessageA(button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(gBoxText, "The handler failed.");

    button.OnClick = TNotifyEvent(&probe, &TIdleProbe::Count);
    SendMessageA(button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(probe.Clicks, 1);
}

TEST(ApplicationTest, ButtonModalResultEndsTheModalForm) {
    TForm form(Application);
    TButton ok(&form);
    ok.SetParent(&form);
    ok.SetModalResult(mrYes);
    PostMessageA(form.WindowHandle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ok.Handle()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(ok.Handle()));
    EXPECT_EQ(form.ShowModal(), mrYes);
}

// Keys go through the dialog manager: Enter to the default button, Escape to the cancel button,
// whichever control has the focus.
TEST(ApplicationTest, EnterClicksTheDefaultButtonAndEscapeTheCancelButton) {
    TForm form(Application);
    form.SetBounds(10, 10, 300, 120);
    TCheckBox box(&form);
    box.SetParent(&form);
    TButton yes(&form), no(&form);
    yes.SetParent(&form);
    no.SetParent(&form);
    yes.SetBounds(100, 50, 75, 25);
    no.SetBounds(200, 50, 75, 25);
    yes.SetDefault(true);
    yes.SetModalResult(mrYes);
    no.SetCancel(true);
    no.SetModalResult(mrNo);
    TIdleProbe probe;
    no.OnClick = TNotifyEvent(&probe, &TIdleProbe::Count);
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        DWORD pressedAt = 0;
        sxtest::TModalDriver driver([&] {
            if (!form.IsModal()) return false;
            if (!pressedAt) {
                SetFocus(box.WindowHandle());
                PostMessageA(box.WindowHandle(), WM_KEYDOWN, key, 1);
                pressedAt = GetTickCount();
            } else if (GetTickCount() - pressedAt > 5000) {
                form.SetModalResult(mrAbort);          // the key did nothing: end the test's wait
                return true;
            }
            return false;
        });
        EXPECT_EQ(form.ShowModal(), key == VK_RETURN ? mrYes : mrNo);
    }
    EXPECT_EQ(probe.Clicks, 1);                       // the cancel button was clicked, not skipped
}

} // namespace
