// tests/shell/sxCustomTimerTest.cpp -- TsxCustomTimer: when timer 1 runs, ticks, and a failing tick
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/Application.h"
#include "shell/sxCustomTimer.h"
#include "tests/support/MessagePump.h"

namespace {

using sxtest::PumpUntil;

class TTimerHost : public TComponent {
public:
    TTimerHost() : TComponent(nullptr) {}
    void Tick(TObject* sender) {
        ++Ticks;
        Sender = sender;
    }
    void Fail(TObject*) {
        ++Ticks;
        throw Exception("tick failed");
    }
    void Error(TObject*, const std::exception& e) { Errors.push_back(e.what()); }
    int Ticks = 0;
    TObject* Sender = nullptr;
    std::vector<std::string> Errors;
};

// The timer runs only with all three: a non-zero interval, Enabled and a handler.
TEST(sxCustomTimerTest, RunsOnlyWithIntervalEnabledAndHandler) {
    struct TCase {
        unsigned IntervalMs;
        bool Enabled;
        bool Handler;
        bool Running;
    };
    const TCase cases[] = {
        {1000, true, true, true},
        {0, true, true, false},
        {1000, false, true, false},
        {1000, true, false, false},
    };
    for (const TCase& c : cases) {
        TTimerHost host;
        TsxCustomTimer timer(&host);
        timer.SetInterval(c.IntervalMs);
        timer.SetEnabled(c.Enabled);
        if (c.Handler) timer.SetOnTimer(TNotifyEvent(&host, &TTimerHost::Tick));
        EXPECT_EQ(timer.IsTimerRunning(), c.Running) << c.IntervalMs << " " << c.Enabled << " " << c.Handler;
    }
}

TEST(sxCustomTimerTest, DefaultsAndTheHiddenTopLevelWindow) {
    TsxCustomTimer timer(nullptr);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_FALSE(timer.IsTimerRunning());   // no handler yet
    ASSERT_NE(timer.WindowHandle(), nullptr);
    EXPECT_FALSE(IsWindowVisible(timer.WindowHandle()));
    // Not message-only: the shell's broadcasts must reach it.
    EXPECT_EQ(GetAncestor(timer.WindowHandle(), GA_PARENT), GetDesktopWindow());
}

TEST(sxCustomTimerTest, TicksFireOnTimerWithTheTimerAsSenderUntilStopped) {
    TTimerHost host;
    TsxCustomTimer timer(&host);
    timer.SetInterval(10);
    timer.SetOnTimer(TNotifyEvent(&host, &TTimerHost::Tick));
    ASSERT_TRUE(PumpUntil([&] { return host.Ticks >= 3; }));
    EXPECT_EQ(host.Sender, &timer);

    timer.SetOnTimer(nullptr);
    EXPECT_FALSE(timer.IsTimerRunning());
    int ticks = host.Ticks;
    DWORD start = GetTickCount();
    PumpUntil([&] { return GetTickCount() - start > 100; });
    EXPECT_EQ(host.Ticks, ticks);
}

TEST(sxCustomTimerTest, DestructionDestroysTheWindow) {
    HWND window;
    {
        TsxCustomTimer timer(nullptr);
        window = timer.WindowHandle();
        ASSERT_TRUE(IsWindow(window));
    }
    EXPECT_FALSE(IsWindow(window));
}

// A raising handler reaches the application's handler once per tick, and the timer keeps running.
TEST(sxCustomTimerTest, AFailingTickGoesToTheApplicationAndTheTimerGoesOn) {
    TTimerHost host;
    TExceptionEvent saved = Application->OnException;
    Application->OnException = TExceptionEvent(&host, &TTimerHost::Error);
    {
        TsxCustomTimer timer(&host);
        timer.SetInterval(10);
        timer.SetOnTimer(TNotifyEvent(&host, &TTimerHost::Fail));
        EXPECT_TRUE(PumpUntil([&] { return host.Ticks >= 2; }));
        EXPECT_TRUE(timer.IsTimerRunning());
    }
    Application->OnException = saved;
    ASSERT_GE(host.Errors.size(), 2u);
    EXPECT_EQ(host.Errors[0], "tick failed");
    EXPECT_EQ(host.Errors.size(), static_cast<size_t>(host.Ticks));
}

} // namespace
