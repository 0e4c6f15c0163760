// tests/desktop/UtilityWindowTest.cpp -- TUtilityWindow and TTickWindow: what reaches the handler,
// which windows a broadcast finds, and the rules each tick keeps
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "desktop/Application.h"
#include "desktop/SysUtils.h"
#include "desktop/TickWindow.h"
#include "desktop/UtilityWindow.h"
#include "tests/desktop/ModalDriver.h"

namespace {

constexpr char TestClass[] = "SentinoxUtilityWindowTest";

// Takes the application's error display for its lifetime; what reaches it runs Show.
class TErrorDisplay {
public:
    TErrorDisplay() : FPrevious(Application->OnException) {
        Application->OnException = TExceptionEvent(this, &TErrorDisplay::Shown);
    }
    ~TErrorDisplay() { Application->OnException = FPrevious; }
    TErrorDisplay(const TErrorDisplay&) = delete;
    TErrorDisplay& operator=(const TErrorDisplay&) = delete;
    std::function<void()> WhileShown;   // runs inside the display, as a message box's loop would
    std::vector<std::string> Messages;

private:
    void Shown(TObject*, const std::exception& error) {
        Messages.push_back(error.what());
        if (WhileShown) WhileShown();
    }
    TExceptionEvent FPrevious;
};

TEST(UtilityWindowTest, TheHandlerGetsEachMessageAndItsExceptionStopsAtTheWindow) {
    TErrorDisplay errors;
    std::vector<UINT> seen;
    TUtilityWindow window(TestClass, TUtilityWindowKind::MessageOnly, [&](UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        seen.push_back(msg);
        if (msg == WM_APP + 1) throw Exception("handler failed");
        return msg == WM_APP ? static_cast<LRESULT>(wParam + lParam) : 0;
    });
    ASSERT_TRUE(IsWindow(window.Handle()));
    EXPECT_EQ(SendMessageA(window.Handle(), WM_APP, 2, 3), 5);
    EXPECT_EQ(SendMessageA(window.Handle(), WM_APP + 1, 0, 0), 0);
    EXPECT_EQ(errors.Messages, (std::vector<std::string>{"handler failed"}));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), WM_APP + 1), 1);
}

TEST(UtilityWindowTest, ABroadcastReachesTheTopLevelKindOnly) {
    const UINT probe = RegisterWindowMessageA("SentinoxUtilityWindowTestBroadcast");
    int topLevelCalls = 0, messageOnlyCalls = 0;
    auto counting = [&](int& calls) {
        return [&calls, probe](UINT msg, WPARAM, LPARAM) -> LRESULT {
            if (msg == probe) ++calls;
            return 0;
        };
    };
    TUtilityWindow topLevel(TestClass, TUtilityWindowKind::TopLevel, counting(topLevelCalls));
    TUtilityWindow messageOnly(TestClass, TUtilityWindowKind::MessageOnly, counting(messageOnlyCalls));
    EXPECT_FALSE(IsWindowVisible(topLevel.Handle()));
    ASSERT_TRUE(PostMessageA(HWND_BROADCAST, probe, 0, 0));
    ASSERT_TRUE(sxtest::PumpUntil([&] { return topLevelCalls > 0; }));
    // The post to the message-only window, sent after the broadcast, arrives after it too.
    ASSERT_TRUE(PostMessageA(messageOnly.Handle(), probe, 0, 0));
    ASSERT_TRUE(sxtest::PumpUntil([&] { return messageOnlyCalls > 0; }));
    EXPECT_EQ(messageOnlyCalls, 1);
}

TEST(UtilityWindowTest, FreeingTheObjectDestroysItsWindow) {
    HWND handle;
    {
        TUtilityWindow window(TestClass, TUtilityWindowKind::MessageOnly, nullptr);
        handle = window.Handle();
        ASSERT_TRUE(IsWindow(handle));
        // No handler: the default processing answers.
        EXPECT_EQ(SendMessageA(handle, WM_APP, 1, 1), 0);
    }
    EXPECT_FALSE(IsWindow(handle));
}

TEST(TickWindowTest, NoTickRunsWhileTheErrorOfAnEarlierOneIsShown) {
    TErrorDisplay errors;
    int ticks = 0, ticksWhileShown = -1;
    TTickWindow tick(TestClass, TUtilityWindowKind::MessageOnly, [&] {
        ++ticks;
        throw Exception("tick failed");
    });
    errors.WhileShown = [&] {
        // A message box's loop: several intervals pass and their ticks are dispatched.
        int before = ticks;
        DWORD start = GetTickCount();
        sxtest::PumpUntil([&] { return GetTickCount() - start >= 200; });
        ticksWhileShown = ticks - before;
    };
    ASSERT_TRUE(tick.Start(10));
    ASSERT_TRUE(sxtest::PumpUntil([&] { return ticks >= 2; }));
    tick.Stop();
    EXPECT_EQ(ticksWhileShown, 0);
    EXPECT_EQ(errors.Messages.size(), static_cast<size_t>(ticks));
}

TEST(TickWindowTest, ATickAlreadyQueuedWhenStoppedDoesNotRun) {
    int ticks = 0;
    TTickWindow tick(TestClass, TUtilityWindowKind::MessageOnly, [&] { ++ticks; });
    ASSERT_TRUE(tick.Start(10));
    EXPECT_TRUE(tick.IsRunning());
    tick.Stop();
    EXPECT_FALSE(tick.IsRunning());
    // A WM_TIMER of timer 1 still in the queue, as one posted just before KillTimer would be.
    PostMessageA(tick.Handle(), WM_TIMER, 1, 0);
    PostMessageA(tick.Handle(), WM_NULL, 0, 0);
    bool drained = false;
    TUtilityWindow marker(TestClass, TUtilityWindowKind::MessageOnly, [&](UINT msg, WPARAM, LPARAM) -> LRESULT {
        if (msg == WM_APP) drained = true;
        return 0;
    });
    PostMessageA(marker.Handle(), WM_APP, 0, 0);
    ASSERT_TRUE(sxtest::PumpUntil([&] { return drained; }));
    EXPECT_EQ(ticks, 0);
}

TEST(TickWindowTest, AnOwnerFreedWhileItsErrorIsShownLeavesNothingBehind) {
    TErrorDisplay errors;
    int ticks = 0;
    auto tick = std::make_unique<TTickWindow>(TestClass, TUtilityWindowKind::MessageOnly, [&] {
        ++ticks;
        throw Exception("tick failed");
    });
    HWND handle = tick->Handle();
    errors.WhileShown = [&] { tick.reset(); };
    ASSERT_TRUE(tick->Start(10));
    ASSERT_TRUE(sxtest::PumpUntil([&] { return !tick; }));
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(ticks, 1);
}

} // namespace
