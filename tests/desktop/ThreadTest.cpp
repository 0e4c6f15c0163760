// tests/desktop/ThreadTest.cpp -- TThread, Synchronize in every loop of the GUI thread, sync objects, THandle
//
// The test program's main thread is the GUI thread. Tests that wait for the GUI
// thread to serve a call pump their own loop (or the system's modal one) and give
// up after WatchdogMs, so a fault shows as a failure, not as a hang. Under Xvfb
// without a window manager Wine takes about 2 s to take a closed dialog down.
#include "tests/support/MessagePump.h"
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

#include "desktop/Handle.h"
#include "desktop/SyncObjs.h"
#include "desktop/Thread.h"

namespace {

using sxtest::PumpUntil;
using sxtest::WatchdogMs;

// Runs body as Execute. Created suspended; the test starts it.
class TTestThread : public TThread {
public:
    explicit TTestThread(std::function<void(TTestThread&)> body, std::function<void()> onDestroy = nullptr)
        : TThread(true), FBody(std::move(body)), FOnDestroy(std::move(onDestroy)) {}
    ~TTestThread() override {
        // Our members die before TThread's destructor waits: stop the body first.
        if (!Finished() && GetCurrentThreadId() != ThreadID()) {
            Terminate();
            while (Suspended()) Resume();
            WaitFor();
        }
        if (FOnDestroy) FOnDestroy();
    }
    using TThread::SetReturnValue;

protected:
    void Execute() override { FBody(*this); }

private:
    std::function<void(TTestThread&)> FBody;
    std::function<void()> FOnDestroy;
};

class ETestError : public Exception {
public:
    using Exception::Exception;
};

// Records where and when a synchronised method or an event ran.
struct TProbe {
    std::atomic<DWORD> RanOnThread{0};
    std::atomic<int> Calls{0};
    TObject* Sender = nullptr;
    std::function<void()> Action;

    void Run() {
        RanOnThread = GetCurrentThreadId();
        ++Calls;
        if (Action) Action();
    }
    void Notify(TObject* sender) {
        Sender = sender;
        Run();
    }
    TThreadMethod Method() { return TThreadMethod(this, &TProbe::Run); }
    TNotifyEvent Event() { return TNotifyEvent(this, &TProbe::Notify); }
};

}  // namespace

TEST(ThreadTest, ExecuteRunsOnlyOnceStartedAndWaitForGivesTheReturnValue) {
    std::atomic<DWORD> ranOn{0};
    TTestThread thread([&](TTestThread& self) {
        ranOn = GetCurrentThreadId();
        self.SetReturnValue(42);
    });
    EXPECT_TRUE(thread.Suspended());
    Sleep(50);
    EXPECT_EQ(ranOn.load(), 0u) << "a thread created suspended ran before Start";
    thread.Start();
    EXPECT_EQ(thread.WaitFor(), 42u);
    EXPECT_EQ(ranOn.load(), thread.ThreadID());
    EXPECT_NE(ranOn.load(), GetCurrentThreadId());
    EXPECT_TRUE(thread.Finished());
    EXPECT_EQ(thread.FatalException(), nullptr);
}

TEST(ThreadTest, OnTerminateRunsOnTheGuiThreadAfterExecute) {
    std::atomic<bool> executeDone{false};
    bool doneWhenTerminated = false;
    TProbe probe;
    probe.Action = [&] { doneWhenTerminated = executeDone; };
    TTestThread thread([&](TTestThread&) {
        Sleep(20);
        executeDone = true;
    });
    thread.SetOnTerminate(probe.Event());
    thread.Start();
    thread.WaitFor();  // serves the OnTerminate call while it waits
    EXPECT_EQ(probe.Calls, 1);
    EXPECT_EQ(probe.RanOnThread.load(), GetCurrentThreadId());
    EXPECT_EQ(probe.Sender, &thread);
    EXPECT_TRUE(doneWhenTerminated);
}

TEST(ThreadTest, FreeOnTerminateDeletesTheThreadOnItsOwnAfterOnTerminate) {
    TProbe probe;
    std::atomic<DWORD> destroyedOn{0};
    std::atomic<int> terminateCallsAtDestruction{-1};
    auto* thread = new TTestThread([](TTestThread&) {}, [&] {
        terminateCallsAtDestruction = probe.Calls.load();
        destroyedOn = GetCurrentThreadId();
    });
    DWORD workerId = thread->ThreadID();
    thread->SetFreeOnTerminate(true);
    thread->SetOnTerminate(probe.Event());
    thread->Start();
    thread = nullptr;  // ours no more
    ASSERT_TRUE(PumpUntil([&] { return destroyedOn != 0; }));
    EXPECT_EQ(destroyedOn.load(), workerId);
    EXPECT_EQ(terminateCallsAtDestruction.load(), 1);
    EXPECT_EQ(probe.RanOnThread.load(), GetCurrentThreadId());
}

TEST(ThreadTest, AnExceptionEscapingExecuteIsKeptAndTheProcessGoesOn) {
    const std::function<void()> throwers[] = {
        [] { throw ETestError("disk on fire"); },
        [] { throw std::runtime_error("disk on fire"); },
        [] { throw 42; },
    };
    for (const auto& thrower : throwers) {
        std::atomic<bool> afterThrow{false};
        TTestThread thread([&](TTestThread&) {
            thrower();
            afterThrow = true;
        });
        thread.Start();
        thread.WaitFor();
        EXPECT_FALSE(afterThrow);
        ASSERT_NE(thread.FatalException(), nullptr);
        try {
            std::rethrow_exception(thread.FatalException());
        } catch (const std::exception& e) {
            EXPECT_STREQ(e.what(), "disk on fire");
        } catch (int value) {
            EXPECT_EQ(value, 42);
        }
    }
}

TEST(ThreadTest, SynchronizeRunsTheMethodOnTheGuiThreadAndReturnsAfterIt) {
    TProbe probe;
    std::atomic<bool> finishedMethod{false};
    probe.Action = [&] {
        Sleep(30);
        finishedMethod = true;
    };
    std::atomic<bool> sawMethodDone{false};
    TTestThread thread([&](TTestThread&) {
        TThread::Synchronize(probe.Method());
        sawMethodDone = finishedMethod.load();
    });
    thread.Start();
    ASSERT_TRUE(PumpUntil([&] { return thread.Finished(); }));
    EXPECT_EQ(probe.RanOnThread.load(), GetCurrentThreadId());
    EXPECT_TRUE(sawMethodDone) << "Synchronize returned before the method had run";
    EXPECT_EQ(thread.FatalException(), nullptr);
}

TEST(ThreadTest, AnExceptionOfTheSynchronizedMethodIsRethrownInTheWorker) {
    TProbe probe;
    probe.Action = [] { throw ETestError("refused on the GUI thread"); };
    std::string caught;
    TTestThread thread([&](TTestThread&) {
        try {
            TThread::Synchronize(probe.Method());
        } catch (const ETestError& e) {
            caught = e.Message();
        }
    });
    thread.Start();
    thread.WaitFor();
    EXPECT_EQ(probe.RanOnThread.load(), GetCurrentThreadId());
    EXPECT_EQ(caught, "refused on the GUI thread");
}

TEST(ThreadTest, SynchronizeOnTheGuiThreadRunsTheMethodAtOnce) {
    TThread::InitGuiThread();  // the second call on the same thread changes nothing
    EXPECT_TRUE(TThread::IsGuiThread());
    TProbe probe;
    TThread::Synchronize(probe.Method());
    EXPECT_EQ(probe.Calls, 1);
    EXPECT_EQ(probe.RanOnThread.load(), GetCurrentThreadId());
    probe.Action = [] { throw ETestError("direct"); };
    EXPECT_THROW(TThread::Synchronize(probe.Method()), ETestError);
    TThread::Synchronize(TThreadMethod());  // an empty method is no call
}

TEST(ThreadTest, SynchronizeIsServedWhileASystemMessageBoxIsOpen) {
    const std::string caption = "Sentinox Synchronize test " + std::to_string(GetCurrentProcessId());
    std::atomic<bool> boxWasOpen{false};
    TProbe probe;
    probe.Action = [&] {
        HWND box = FindWindowA("#32770", caption.c_str());
        boxWasOpen = box != nullptr && GetWindowThreadProcessId(box, nullptr) == GetCurrentThreadId();
        if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
    };
    TTestThread thread([&](TTestThread& self) {
        DWORD start = GetTickCount();
        while (!FindWindowA("#32770", caption.c_str()) && !self.Terminated() && GetTickCount() - start < WatchdogMs)
            Sleep(10);
        TThread::Synchronize(probe.Method());
    });
    // Should the call never be served, this answers Cancel and the test fails instead of hanging.
    TSimpleEvent testDone;
    std::thread watchdog([&] {
        if (testDone.WaitFor(WatchdogMs) == wrTimeout)
            if (HWND box = FindWindowA("#32770", caption.c_str())) PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    });
    thread.Start();
    int answer = MessageBoxA(nullptr, "Waiting for the worker", caption.c_str(), MB_OKCANCEL);
    testDone.SetEvent();
    watchdog.join();
    thread.WaitFor();
    EXPECT_EQ(answer, IDOK);
    EXPECT_TRUE(boxWasOpen);
    EXPECT_EQ(probe.RanOnThread.load(), GetCurrentThreadId());
}

namespace {

struct TDialogTest {
    TProbe Probe;
    TTestThread* Worker = nullptr;
    HWND Dialog = nullptr;
};

constexpr UINT_PTR DialogWatchdogTimer = 1;

INT_PTR CALLBACK DialogTestProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* test = reinterpret_cast<TDialogTest*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        test = reinterpret_cast<TDialogTest*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        test->Dialog = dialog;
        SetTimer(dialog, DialogWatchdogTimer, WatchdogMs, nullptr);
        test->Worker->Start();
        return TRUE;
    case WM_TIMER:
        if (wParam == DialogWatchdogTimer) EndDialog(dialog, -2);
        return TRUE;
    }
    (void)test;
    return FALSE;
}

}  // namespace

TEST(ThreadTest, SynchronizeIsServedInsideAModalDialog) {
    TDialogTest test;
    test.Probe.Action = [&] { EndDialog(test.Dialog, 42); };
    TTestThread thread([&](TTestThread&) { TThread::Synchronize(test.Probe.Method()); });
    test.Worker = &thread;
    // A bare in-memory template: style, extended style, no controls, position and
    // size, then empty menu, class and title. DLGTEMPLATE must be DWORD aligned.
    alignas(4) WORD dialogTemplate[12] = {};
    DWORD style = WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_MODALFRAME;
    dialogTemplate[0] = LOWORD(style);
    dialogTemplate[1] = HIWORD(style);
    dialogTemplate[7] = 120;  // cx
    dialogTemplate[8] = 40;   // cy
    INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate),
                                             nullptr, &DialogTestProc, reinterpret_cast<LPARAM>(&test));
    thread.WaitFor();
    EXPECT_EQ(result, 42) << "the synchronised call did not end the dialog (-2: watchdog)";
    EXPECT_EQ(test.Probe.RanOnThread.load(), GetCurrentThreadId());
}

TEST(ThreadTest, WorkersQueueTheirCallsAndEachIsServedOnce) {
    constexpr int WorkerCount = 4, CallsEach = 25;
    TProbe probe;
    std::atomic<int> inside{0}, overlaps{0};
    probe.Action = [&] {
        if (++inside > 1) ++overlaps;
        --inside;
    };
    std::vector<std::unique_ptr<TTestThread>> workers;
    for (int i = 0; i < WorkerCount; ++i)
        workers.push_back(std::make_unique<TTestThread>([&](TTestThread&) {
            for (int c = 0; c < CallsEach; ++c) TThread::Synchronize(probe.Method());
        }));
    for (auto& worker : workers) worker->Start();
    ASSERT_TRUE(PumpUntil([&] {
        for (auto& worker : workers)
            if (!worker->Finished()) return false;
        return true;
    }));
    EXPECT_EQ(probe.Calls, WorkerCount * CallsEach);
    EXPECT_EQ(overlaps, 0);
}

TEST(ThreadTest, DestroyingARunningThreadTerminatesItAndWaits) {
    std::atomic<bool> bodyStarted{false}, bodyEnded{false};
    {
        TTestThread thread([&](TTestThread& self) {
            bodyStarted = true;
            while (!self.Terminated()) Sleep(1);
            bodyEnded = true;
        });
        thread.Start();
        // Destroy it only once the body runs: a thread terminated before that never enters it.
        for (int i = 0; i < 5000 && !bodyStarted; ++i) Sleep(1);
        ASSERT_TRUE(bodyStarted);
    }
    EXPECT_TRUE(bodyEnded);

    std::atomic<bool> ran{false};
    { TTestThread neverStarted([&](TTestThread&) { ran = true; }); }
    EXPECT_FALSE(ran) << "a thread destroyed before its start ran Execute";
}

TEST(ThreadTest, SuspendAndResumeAreCountedLikeThePlatform) {
    std::atomic<int> ticks{0};
    TTestThread thread([&](TTestThread& self) {
        while (!self.Terminated()) {
            ++ticks;
            Sleep(1);
        }
    });
    thread.Start();
    EXPECT_FALSE(thread.Suspended());
    thread.Resume();  // on a running thread: harmless
    thread.Suspend();
    EXPECT_TRUE(thread.Suspended());
    int frozen = ticks;
    Sleep(50);
    EXPECT_LE(ticks - frozen, 1);
    thread.SetPriority(tpLower);
    EXPECT_EQ(thread.Priority(), tpLower);
    thread.SetSuspended(false);
    Sleep(50);
    EXPECT_GT(ticks, frozen + 1);
    thread.Terminate();
    thread.WaitFor();
}

TEST(SyncObjsTest, CriticalSectionGuardHoldsItForItsScope) {
    TCriticalSection section;
    auto triedElsewhere = [&] {
        bool entered = false;
        std::thread other([&] {
            entered = section.TryEnter();
            if (entered) section.Leave();
        });
        other.join();
        return entered;
    };
    {
        TCriticalSectionGuard guard(section);
        EXPECT_FALSE(triedElsewhere());
        EXPECT_TRUE(section.TryEnter()) << "the owner may enter again";
        section.Leave();
    }
    EXPECT_TRUE(triedElsewhere());
}

TEST(SyncObjsTest, SimpleEventResetsAsItWasCreated) {
    struct Case {
        bool manualReset, initialState;
        TWaitResult first, second;
    };
    const Case cases[] = {
        {true, true, wrSignaled, wrSignaled},
        {false, true, wrSignaled, wrTimeout},
        {true, false, wrTimeout, wrTimeout},
        {false, false, wrTimeout, wrTimeout},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "manual " << c.manualReset << ", initial " << c.initialState);
        TSimpleEvent event(c.manualReset, c.initialState);
        EXPECT_EQ(event.WaitFor(0), c.first);
        EXPECT_EQ(event.WaitFor(0), c.second);
        event.SetEvent();
        EXPECT_EQ(event.WaitFor(0), wrSignaled);
        event.ResetEvent();
        EXPECT_EQ(event.WaitFor(20), wrTimeout);
    }
    TSimpleEvent wake(false, false);
    std::thread setter([&] {
        Sleep(20);
        wake.SetEvent();
    });
    EXPECT_EQ(wake.WaitFor(WatchdogMs), wrSignaled);
    setter.join();
}

TEST(HandleTest, OwnsOneHandleClosesItOnceAndHandsItOver) {
    auto isOpen = [](HANDLE h) {
        DWORD flags = 0;
        return GetHandleInformation(h, &flags) != FALSE;
    };
    HANDLE raw = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    {
        THandle first(raw);
        THandle second(std::move(first));
        EXPECT_FALSE(first.IsValid());
        EXPECT_EQ(second.Get(), raw);
        THandle third;
        third = std::move(second);
        EXPECT_TRUE(isOpen(raw));
    }
    EXPECT_FALSE(isOpen(raw)) << "the last owner did not close it";

    raw = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    {
        THandle owner(raw);
        EXPECT_EQ(owner.Release(), raw);
        EXPECT_FALSE(owner.IsValid());
    }
    EXPECT_TRUE(isOpen(raw)) << "Release must hand the handle over unclosed";
    CloseHandle(raw);

    EXPECT_FALSE(THandle(INVALID_HANDLE_VALUE).IsValid());
    EXPECT_FALSE(THandle().IsValid());
}
