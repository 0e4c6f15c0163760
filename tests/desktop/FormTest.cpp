// tests/desktop/FormTest.cpp -- a form made from its description: a Visible in it shows the
// form only once the whole description is read, after every component's load step; a shown
// form's end
#include <gtest/gtest.h>

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

TEST(FormTest, AVisibleInTheDescriptionShowsTheFormOnlyOnceItIsWhole) {
    static bool registered = false;
    if (!registered) {
        TClassRegistration<TLoadProbe>("TLoadProbe", "TComponent");
        TClassRegistration<TShownForm>("TShownForm", "TForm");
        registered = true;
    }
    TLoadProbe::Loads = 0;
    TShownForm form(nullptr);
    EXPECT_EQ(TLoadProbe::Loads, 1);
    EXPECT_FALSE(TLoadProbe::FormWasVisible);
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(IsWindowVisible(form.WindowHandle()));
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
