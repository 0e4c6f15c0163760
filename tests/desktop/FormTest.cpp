// tests/desktop/FormTest.cpp -- a form made from its description: a Visible in it shows the
// form once the whole description is read and the application's first idle handlers have run;
// a shown form's end
#include <gtest/gtest.h>

#include "desktop/Application.h"
#include "desktop/Classes.h"
#include "desktop/Form.h"
#include "tests/desktop/WindowHistory.h"

namespace {

// Notes, in its load step, whether its form was on screen already.
class TLoadProbe : public TComponent {
public:
    using TComponent::TComponent;
    static inline int Loads = 0;
    static inline bool FormWasVisible = true;
    void Loaded() override {
        TComponent::Loaded();
        ++Loads;
        auto* form = dynamic_cast<TForm*>(Owner());
        FormWasVisible = form && (form->Visible() || IsWindowVisible(form->WindowHandle()));
    }
};

class TShownForm : public TForm {
public:
    explicit TShownForm(TComponent* owner) : TForm(owner) { InitDescription("TShownForm"); }
};

// What a program does at its first idle moment (a start-up sequence) may resize its main window.
class TFirstIdleWork : public TObject {
public:
    explicit TFirstIdleWork(TForm& form) : FForm(form) {}
    void Idle(TObject*, bool& done) {
        if (++Calls == 1) {
            VisibleAtFirstIdle = FForm.Visible();
            ShownAtFirstIdle = IsWindowVisible(FForm.WindowHandle()) != FALSE;
            FForm.SetBounds(FForm.Left(), FForm.Top(), 260, 150);
        } else {
            Application->Terminate();
        }
        done = true;
    }
    int Calls = 0;
    bool VisibleAtFirstIdle = true, ShownAtFirstIdle = true;

private:
    TForm& FForm;
};

TEST(FormTest, AVisibleInTheDescriptionShowsTheFormAfterTheFirstIdleHandlers) {
    static bool registered = false;
    if (!registered) {
        TClassRegistration<TLoadProbe>("TLoadProbe", "TComponent");
        TClassRegistration<TShownForm>("TShownForm", "TForm");
        registered = true;
    }
    TApplication* saved = Application;
    {
        TApplication app;
        Application = &app;
        app.Initialize();
        sxtest::TWindowHistory history("SxWindow");
        ASSERT_TRUE(history.Hooked());
        TLoadProbe::Loads = 0;
        TShownForm* form = app.CreateForm<TShownForm>();
        EXPECT_EQ(TLoadProbe::Loads, 1);
        EXPECT_FALSE(TLoadProbe::FormWasVisible) << "on screen before its description was read";
        EXPECT_FALSE(IsWindowVisible(form->WindowHandle())) << "shown before the first idle moment";
        EXPECT_TRUE(form->ShowsWhenIdle());

        TFirstIdleWork work(*form);
        app.OnIdle = TIdleEvent(&work, &TFirstIdleWork::Idle);
        app.Run();
        history.Stop();
        EXPECT_FALSE(work.VisibleAtFirstIdle);
        EXPECT_FALSE(work.ShownAtFirstIdle) << "shown before the first idle handlers ran";
        EXPECT_TRUE(form->Visible());
        EXPECT_TRUE(IsWindowVisible(form->WindowHandle()));
        EXPECT_EQ(form->Width(), 260);
        EXPECT_EQ(history.FaultOfAResizeAfterTheShow(), "") << "drawn at one size, then at another";
        app.ProcessMessages();   // the quit message Terminate left
    }
    Application = saved;
}

// Asked to show before the idle moment, it shows then; asked to hide, it does not show at all.
TEST(FormTest, AShowOrHideBeforeTheIdleMomentSettlesIt) {
    TApplication* saved = Application;
    {
        TApplication app;
        Application = &app;
        app.Initialize();
        TShownForm* shown = app.CreateForm<TShownForm>();
        TShownForm* hidden = app.CreateForm<TShownForm>();
        shown->SetVisible(true);
        hidden->SetVisible(false);
        EXPECT_TRUE(IsWindowVisible(shown->WindowHandle()));
        EXPECT_FALSE(shown->ShowsWhenIdle());
        EXPECT_FALSE(hidden->ShowsWhenIdle());
        TShownForm* freed = app.CreateForm<TShownForm>();
        delete freed;   // leaves the application's list: the idle moment below must not reach it

        TFirstIdleWork work(*shown);
        app.OnIdle = TIdleEvent(&work, &TFirstIdleWork::Idle);
        app.Run();
        EXPECT_FALSE(hidden->Visible());
        EXPECT_FALSE(IsWindowVisible(hidden->WindowHandle()));
        app.ProcessMessages();
    }
    Application = saved;
}

// Wine waits up to 2 s for a window manager's word on every hide of a captioned window, with
// the window still on the screen: a shown form is destroyed without one.
TEST(FormTest, AShownFormIsDestroyedWithoutAHide) {
    sxtest::TWindowHistory history("SxWindow");
    ASSERT_TRUE(history.Hooked());
    {
        TForm form(nullptr);
        form.SetCaption("Closing");
        form.SetBounds(20, 20, 200, 120);
        form.Show();
        ASSERT_TRUE(IsWindowVisible(form.WindowHandle()));
    }
    history.Stop();
    EXPECT_EQ(history.FaultOfAnEndWithoutAHide(), "");
}

} // namespace
