// tests/desktop/TimerTest.cpp -- TTimer: ticks through the message loop, stops, starts after loading
#include <gtest/gtest.h>

#include "desktop/Application.h"
#include "desktop/Classes.h"
#include "desktop/DescriptionReader.h"
#include "desktop/Timer.h"
#include "tests/desktop/ModalDriver.h"

namespace {

class TTickHost : public TComponent {
public:
    TTickHost() : TComponent(nullptr) {}
    explicit TTickHost(TComponent* owner) : TComponent(owner) {}
    void Tick(TObject*) { ++Ticks; }
    void Fail(TObject*) {
        ++Ticks;
        throw Exception("tick failed");
    }
    void FreeSender(TObject* sender) {
        ++Ticks;
        delete static_cast<TTimer*>(sender);
    }
    void Error(TObject*, const std::exception& e) { Errors.push_back(e.what()); }
    int Ticks = 0;
    std::vector<std::string> Errors;
};

const TClassInfo& HostClass() {
    RegisterDesktopClasses();
    static TClassInfo& info =
        TClassRegistration<TTickHost>("TTickHost", "TComponent").Handler("Tick", &TTickHost::Tick).Info();
    return info;
}

using sxtest::PumpFor;

TEST(TimerTest, TicksThroughTheMessageLoopAndStopsWhenDisabled) {
    TTickHost host;
    TTimer timer(&host);
    timer.SetInterval(20);
    timer.SetOnTimer(TNotifyEvent(&host, &TTickHost::Tick));
    ASSERT_TRUE(timer.IsRunning());
    // Through the application's own loop, as the program runs.
    DWORD start = GetTickCount();
    while (host.Ticks < 3 && GetTickCount() - start < sxtest::WatchdogMs) Application->HandleMessage();
    ASSERT_GE(host.Ticks, 3);

    timer.SetEnabled(false);
    EXPECT_FALSE(timer.IsRunning());
    int ticks = host.Ticks;
    PumpFor(150);
    EXPECT_EQ(host.Ticks, ticks);

    timer.SetEnabled(true);
    ASSERT_TRUE(sxtest::PumpUntil([&] { return host.Ticks > ticks; }));
}

TEST(TimerTest, RunsOnlyWithAHandlerAPositiveIntervalAndOutsideDesigning) {
    TTickHost host;
    TTimer timer(&host);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_FALSE(timer.IsRunning());                       // no OnTimer yet
    timer.SetOnTimer(TNotifyEvent(&host, &TTickHost::Tick));
    EXPECT_TRUE(timer.IsRunning());
    timer.SetInterval(0);
    EXPECT_FALSE(timer.IsRunning());
    timer.SetInterval(10);
    EXPECT_TRUE(timer.IsRunning());
    timer.SetOnTimer(nullptr);
    EXPECT_FALSE(timer.IsRunning());

    TTickHost designer;
    designer.SetDesigning(true);
    TTimer designed(&designer);
    designed.SetInterval(10);
    designed.SetOnTimer(TNotifyEvent(&designer, &TTickHost::Tick));
    EXPECT_FALSE(designed.IsRunning());
    PumpFor(60);
    EXPECT_EQ(designer.Ticks, 0);
}

TEST(TimerTest, DescribedTimerStartsInLoadedNotWhileItsPropertiesAreRead) {
    TTickHost host;
    LoadDescription(&host, HostClass(),
                    "object Host: TTickHost\n"
                    "  object Timer1: TTimer\n    OnTimer = Tick\n    Interval = 15\n  end\n"
                    "  object Timer2: TTimer\n    Enabled = False\n    Interval = 15\n    OnTimer = Tick\n  end\n"
                    "end\n");
    auto* t1 = dynamic_cast<TTimer*>(host.FindComponent("Timer1"));
    auto* t2 = dynamic_cast<TTimer*>(host.FindComponent("Timer2"));
    ASSERT_TRUE(t1 && t2);
    EXPECT_EQ(t1->Interval(), 15u);
    EXPECT_TRUE(t1->IsRunning());
    EXPECT_FALSE(t2->IsRunning());
    EXPECT_TRUE(sxtest::PumpUntil([&] { return host.Ticks >= 2; }));

    TTimer loading(&host);
    loading.BeginLoading();
    loading.SetInterval(10);
    loading.SetOnTimer(TNotifyEvent(&host, &TTickHost::Tick));
    EXPECT_FALSE(loading.IsRunning());
    loading.Loaded();
    EXPECT_TRUE(loading.IsRunning());
}

TEST(TimerTest, DescriptionErrorsNameTheTimer) {
    TTickHost host;
    try {
        LoadDescription(&host, HostClass(), "object Host: TTickHost\n  object T: TTimer\n    Interval = -5\n  end\nend\n");
        FAIL() << "negative interval accepted";
    } catch (const EDescriptionError& e) {
        EXPECT_NE(std::string(e.what()).find("T.Interval"), std::string::npos) << e.what();
    }
}

TEST(TimerTest, ExceptionInOnTimerGoesToHandleExceptionAndTheTimerGoesOn) {
    TTickHost host;
    TExceptionEvent saved = Application->OnException;
    Application->OnException = TExceptionEvent(&host, &TTickHost::Error);
    {
        TTimer timer(&host);
        timer.SetInterval(10);
        timer.SetOnTimer(TNotifyEvent(&host, &TTickHost::Fail));
        EXPECT_TRUE(sxtest::PumpUntil([&] { return host.Errors.size() >= 2; }));
    }
    Application->OnException = saved;
    ASSERT_GE(host.Errors.size(), 2u);
    EXPECT_EQ(host.Errors[0], "tick failed");
}

TEST(TimerTest, HandlerMayFreeItsOwnTimer) {
    TTickHost host;
    auto* timer = new TTimer(&host);
    timer->SetInterval(10);
    timer->SetOnTimer(TNotifyEvent(&host, &TTickHost::FreeSender));
    EXPECT_TRUE(sxtest::PumpUntil([&] { return host.Ticks == 1; }));
    PumpFor(60);
    EXPECT_EQ(host.Ticks, 1);
    EXPECT_EQ(host.ComponentCount(), 0);
}

} // namespace
