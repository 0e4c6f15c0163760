// tests/shell/sxThreadComponentTest.cpp -- TsxThread's OnFinish, TsxThreadComponent and TsxThreadTimer
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "desktop/Application.h"
#include "desktop/Classes.h"
#include "desktop/DescriptionReader.h"
#include "desktop/SyncObjs.h"
#include "shell/MonitorClasses.h"
#include "shell/sxThread.h"
#include "shell/sxThreadComponent.h"
#include "shell/sxThreadTimer.h"
#include "sxMonitorTestSupport.h"

using namespace sxtest;

namespace {

// Counts runs of OnExecute/OnTimer and notes the thread of the last one.
class TRunProbe : public TComponent {
public:
    using TComponent::TComponent;
    void threadExecute(TObject* sender) {
        LastSender = sender;
        Thread = GetCurrentThreadId();
        int run = ++Count;
        if (Action) Action(run);
    }
    TNotifyEvent Method() { return TNotifyEvent(this, &TRunProbe::threadExecute); }
    std::atomic<int> Count{0};
    std::atomic<DWORD> Thread{0};
    std::atomic<TObject*> LastSender{nullptr};
    std::function<void(int run)> Action;
};

class TFinishingThread : public TsxThread {
public:
    TFinishingThread() : TsxThread(true) {}
    ~TFinishingThread() override {
        if (!Finished()) WaitFor();
    }
    void Finishing(TObject* sender) {
        FinishedSender = sender;
        FinishedThread = GetCurrentThreadId();
    }
    TObject* FinishedSender = nullptr;
    DWORD FinishedThread = 0;

protected:
    void Execute() override { Finish(); }
};

TEST(SxThreadTest, FinishStopsTheThreadAndRunsOnFinishOnTheGuiThread) {
    TFinishingThread thread;
    thread.SetOnFinish(TNotifyEvent(&thread, &TFinishingThread::Finishing));
    thread.Start();
    thread.WaitFor();
    EXPECT_TRUE(thread.Terminated());
    EXPECT_TRUE(thread.FinishRequested());
    EXPECT_EQ(thread.FinishedSender, &thread);
    EXPECT_EQ(thread.FinishedThread, GetCurrentThreadId());
}

void RegisterHost() {
    RegisterMonitorClasses();
    if (!FindClassInfo("TThreadHost"))
        TClassRegistration<TRunProbe>("TThreadHost", "TComponent").Handler("threadExecute", &TRunProbe::threadExecute);
}

TEST(SxThreadComponentTest, NotSuspendedInADescriptionRunsOnExecuteOnceAfterLoading) {
    RegisterHost();
    for (bool synchronized : {false, true}) {
        SCOPED_TRACE(synchronized ? "Synchronized" : "on the worker");
        TRunProbe host(nullptr);
        LoadDescription(&host, RequireClassInfo("TThreadHost"),
                        std::string("object host: TThreadHost\n"
                                    "  object worker: TsxThreadComponent\n"
                                    "    Priority = tpLower\n"
                                    "    Suspended = False\n"
                                    "    Synchronized = ") + (synchronized ? "True" : "False") + "\n"
                        "    OnExecute = threadExecute\n"
                        "  end\n"
                        "end\n");
        auto* worker = dynamic_cast<TsxThreadComponent*>(host.FindComponent("worker"));
        ASSERT_NE(worker, nullptr);
        EXPECT_TRUE(PumpUntil([&] { return host.Count > 0; }));
        PumpFor(200);
        EXPECT_EQ(host.Count.load(), 1);
        EXPECT_EQ(host.LastSender.load(), worker);
        EXPECT_EQ(host.Thread.load() == GetCurrentThreadId(), synchronized);
    }
}

TEST(SxThreadComponentTest, SuspendedRunsNothingAndExecuteRunsOnExecuteOnceMore) {
    TRunProbe probe(nullptr);
    TsxThreadComponent worker(nullptr);
    worker.SetOnExecute(probe.Method());
    PumpFor(200);
    EXPECT_EQ(probe.Count.load(), 0);
    EXPECT_TRUE(worker.Suspended());
    worker.SetSuspended(false);
    EXPECT_TRUE(PumpUntil([&] { return probe.Count == 1; }));
    worker.Execute();
    EXPECT_TRUE(PumpUntil([&] { return probe.Count == 2; }));
    worker.Execute();
    EXPECT_TRUE(PumpUntil([&] { return probe.Count == 3; }));
}

TEST(SxThreadComponentTest, FreeingTheComponentWaitsForARunningOnExecute) {
    std::atomic<bool> done{false};
    TRunProbe probe(nullptr);
    probe.Action = [&](int) {
        Sleep(200);
        done = true;
    };
    auto* worker = new TsxThreadComponent(nullptr);
    worker->SetOnExecute(probe.Method());
    worker->SetSuspended(false);
    ASSERT_TRUE(PumpUntil([&] { return probe.Count == 1; }));
    delete worker;
    EXPECT_TRUE(done);
}

TEST(SxThreadComponentTest, AnExceptionGoesToOnExceptionOnTheGuiThread) {
    struct TCatch {
        std::string Message;
        TObject* Sender = nullptr;
        DWORD Thread = 0;
        void Caught(TObject* sender, const std::exception& error) {
            Sender = sender;
            Message = error.what();
            Thread = GetCurrentThreadId();
        }
    } caught;
    TRunProbe probe(nullptr);
    probe.Action = [](int) { throw Exception("worker failed"); };
    TsxThreadComponent worker(nullptr);
    worker.SetOnExecute(probe.Method());
    worker.SetOnException(TExceptionEvent(&caught, &TCatch::Caught));
    worker.SetSuspended(false);
    EXPECT_TRUE(PumpUntil([&] { return !caught.Message.empty(); }));
    EXPECT_EQ(caught.Message, "worker failed");
    EXPECT_EQ(caught.Sender, &worker);
    EXPECT_EQ(caught.Thread, GetCurrentThreadId());
}

TEST(SxThreadTimerTest, EnabledTicksEveryIntervalAndDisabledHolds) {
    TRunProbe probe(nullptr);
    TsxThreadTimer timer(nullptr);
    timer.SetInterval(50);
    timer.SetOnTimer(probe.Method());
    PumpFor(200);
    EXPECT_EQ(probe.Count.load(), 0);
    EXPECT_FALSE(timer.Enabled());
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_TRUE(PumpUntil([&] { return probe.Count >= 4; }, 1500));
    EXPECT_NE(probe.Thread.load(), GetCurrentThreadId());
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Enabled());
    PumpFor(100);
    int held = probe.Count;
    PumpFor(300);
    EXPECT_EQ(probe.Count.load(), held);
}

TEST(SxThreadTimerTest, ANewIntervalStartsTheWaitAgainWithoutATick) {
    TRunProbe probe(nullptr);
    TsxThreadTimer timer(nullptr);
    timer.SetInterval(1000);
    timer.SetOnTimer(probe.Method());
    timer.SetEnabled(true);
    PumpFor(100);
    timer.SetInterval(600);
    EXPECT_EQ(timer.Interval(), 600u);
    PumpFor(450);
    EXPECT_EQ(probe.Count.load(), 0);
    // The old wait would have ended 900 ms after the change, the new one ends after 600.
    EXPECT_TRUE(PumpUntil([&] { return probe.Count > 0; }, 350));
}

TEST(SxThreadTimerTest, AnExceptionWithoutOnExceptionIsShownAndTheTimerGoesOn) {
    const std::string caption = Application->Title();
    std::string shownText;
    std::atomic<bool> shown{false};
    TRunProbe probe(nullptr);
    probe.Action = [](int run) {
        if (run == 1) throw Exception("tick failed");
    };
    TsxThreadTimer timer(nullptr);
    timer.SetName("ticker");
    timer.SetInterval(50);
    timer.SetOnTimer(probe.Method());
    // Reads and closes the box from outside the GUI thread, which is inside its modal loop.
    TSimpleEvent testDone;
    std::thread closer([&] {
        DWORD start = GetTickCount();
        while (testDone.WaitFor(20) == wrTimeout && GetTickCount() - start < WatchdogMs) {
            HWND box = FindWindowA("#32770", caption.c_str());
            if (!box) continue;
            char text[512] = {};
            GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
            shownText = text;
            shown = true;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return;
        }
    });
    timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return shown && probe.Count >= 3; }));
    testDone.SetEvent();
    closer.join();
    EXPECT_EQ(shownText, "Thread ticker raised exception class Exception with message \"tick failed\".");
}

}  // namespace
