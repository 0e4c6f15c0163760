// tests/controls/UiButtonPersistentTest.cpp -- button settings: defaults, change notification,
// and what reaches each kind of button when the settings are copied into it
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ControlTestHost.h"
#include "controls/UiButton.h"
#include "controls/UiButtonPersistent.h"
#include "controls/UiSpeedButton.h"
#include "desktop/Label.h"

namespace {

class TChangeCounter : public TObject {
public:
    int Count = 0;
    void Changed(TObject*) { ++Count; }
};

// Settings that differ from every default and from a fresh button.
void Customise(TUiButtonPersistent& s) {
    s.SetCaption("&Next Tip");
    s.SetEnabled(false);
    s.SetVisible(false);
    s.SetFlat(false);
    s.SetHotTrack(false);
    s.SetHint("the next one");
    s.SetShowHint(true);
    s.HotTrackFont().SetName("Arial");
    s.HotTrackFont().SetHeight(-20);
}

std::string WindowTextOf(TControl& c) {
    char text[64] = {};
    GetWindowTextA(c.WindowHandle(), text, sizeof(text));
    return text;
}

template <class B>
void ExpectCommonSettings(B& b) {
    EXPECT_EQ(b.Caption(), "&Next Tip");
    EXPECT_FALSE(b.Enabled());
    EXPECT_FALSE(b.Visible());
    EXPECT_EQ(b.Hint(), "the next one");
    EXPECT_TRUE(b.ShowHint());
    EXPECT_TRUE(b.HandleAllocated());
    EXPECT_EQ(WindowTextOf(b), "&Next Tip");        // the window shows it
}

TEST(UiButtonPersistent, DefaultsAreAVisibleEnabledFlatHotTrackButtonWithoutTexts) {
    TUiButtonPersistent s;
    EXPECT_TRUE(s.Enabled());
    EXPECT_TRUE(s.Visible());
    EXPECT_TRUE(s.Flat());
    EXPECT_TRUE(s.HotTrack());
    EXPECT_FALSE(s.ShowHint());
    EXPECT_EQ(s.Caption(), "");
    EXPECT_EQ(s.Hint(), "");
}

TEST(UiButtonPersistent, SettersReportOnlyRealChanges) {
    TUiButtonPersistent s;
    TChangeCounter counter;
    s.OnChange = TNotifyEvent(&counter, &TChangeCounter::Changed);
    const std::function<void(bool)> setters[] = {
        [&](bool v) { s.SetEnabled(v); }, [&](bool v) { s.SetVisible(v); }, [&](bool v) { s.SetFlat(v); },
        [&](bool v) { s.SetHotTrack(v); }};
    for (const auto& set : setters) {
        int before = counter.Count;
        set(true);                                     // already true
        EXPECT_EQ(counter.Count, before);
        set(false);
        EXPECT_EQ(counter.Count, before + 1);
    }
    s.SetShowHint(false);
    s.SetCaption("");
    s.SetHint("");
    EXPECT_EQ(counter.Count, 4);
    s.SetCaption(std::string("Go"));
    s.SetCaption(std::string("Go"));                   // same content, another string object
    s.SetShowHint(true);
    s.SetHotTrackFont(s.HotTrackFont());               // its own font: nothing to copy
    TFont other;
    other.SetName("Arial");
    s.SetHotTrackFont(other);
    EXPECT_EQ(s.HotTrackFont().Name(), "Arial");
    EXPECT_EQ(counter.Count, 7);
}

TEST(UiButtonPersistent, ATUiButtonGetsTheTextsStatesAndHotTrackButNoFlat) {
    TControlHost host;
    auto* b = host.Add<TUiButton>(0, 0, 75, 25);
    b->SetHotTrack(true);
    TUiButtonPersistent s;
    Customise(s);
    s.AssignTo(*b);
    ExpectCommonSettings(*b);
    EXPECT_FALSE(b->HotTrack());                       // HotTrack False switches hot tracking off
    EXPECT_EQ(b->HotTrackFont().Name(), "Arial");
    EXPECT_EQ(b->HotTrackFont().Height(), -20);
}

TEST(UiButtonPersistent, ATUiSpeedButtonGetsFlatAndHotTrackToo) {
    TControlHost host;
    auto* b = host.Add<TUiSpeedButton>(0, 0, 75, 25);
    b->SetFlat(true);
    TUiButtonPersistent s;
    Customise(s);
    s.SetHotTrack(true);
    s.AssignTo(*b);
    ExpectCommonSettings(*b);
    EXPECT_FALSE(b->Flat());
    EXPECT_TRUE(b->HotTrack());
    EXPECT_EQ(b->HotTrackFont().Name(), "Arial");
}

TEST(UiButtonPersistent, PlainButtonsGetWhatTheirKindHas) {
    TControlHost host;
    auto* push = host.Add<TButton>(0, 0, 75, 25);
    auto* speed = host.Add<TSpeedButton>(0, 30, 75, 25);
    TUiButtonPersistent s;
    Customise(s);
    s.AssignTo(*push);
    s.AssignTo(*speed);
    ExpectCommonSettings(*push);
    ExpectCommonSettings(*speed);
    EXPECT_FALSE(speed->Flat());
}

TEST(UiButtonPersistent, AnythingButAButtonIsAConversionErrorAndStaysAsItWas) {
    TControlHost host;
    auto* label = host.Add<TLabel>(0, 0, 75, 13);
    label->SetCaption("before");
    TUiButtonPersistent s;
    Customise(s);
    try {
        s.AssignTo(*label);
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TUiButtonPersistent to a TLabel");
    }
    EXPECT_EQ(label->Caption(), "before");
    TUiButtonPersistent other;
    EXPECT_THROW(s.AssignTo(other), EConvertError);
}

TEST(UiButtonPersistent, OneSettingsObjectCopiesIntoAnother) {
    TUiButtonPersistent s, copy;
    Customise(s);
    TChangeCounter counter;
    copy.OnChange = TNotifyEvent(&counter, &TChangeCounter::Changed);
    copy.Assign(s);
    EXPECT_EQ(copy.Caption(), "&Next Tip");
    EXPECT_FALSE(copy.Enabled());
    EXPECT_FALSE(copy.Visible());
    EXPECT_FALSE(copy.Flat());
    EXPECT_FALSE(copy.HotTrack());
    EXPECT_EQ(copy.Hint(), "the next one");
    EXPECT_TRUE(copy.ShowHint());
    EXPECT_EQ(copy.HotTrackFont().Name(), "Arial");
    EXPECT_EQ(counter.Count, 1);
}

} // namespace
