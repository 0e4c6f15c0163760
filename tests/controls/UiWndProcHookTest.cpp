// tests/controls/UiWndProcHookTest.cpp -- hooks around a real control's and a bare window's
// procedure: order, hiding, detaching (also from inside a hook), freeing, the releaser
#include <gtest/gtest.h>

#include "ControlTestHost.h"

#include <functional>
#include <string>
#include <vector>

#include "controls/UiWndProcHook.h"
#include "tests/support/MessagePump.h"

namespace {

constexpr UINT ProbeMessage = WM_APP + 17;
constexpr LRESULT OwnAnswer = 42;
using TLog = std::vector<std::string>;

// A control whose own procedure answers the probe and says so in the log.
class TProbeControl : public TControl {
public:
    using TControl::TControl;
    TLog* Log = nullptr;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == ProbeMessage) {
            Log->push_back("control");
            return OwnAnswer;
        }
        return TControl::WndProc(msg, wParam, lParam);
    }
};

// A hook that writes "name:result seen" for the probe, may act, may set the result, answers as told.
class TRecorder {
public:
    TRecorder(TLog& log, std::string name) : FLog(log), FName(std::move(name)) {}
    bool Answer = false;
    LRESULT NewResult = -1;            // -1: leaves the result alone
    std::function<void()> Action;
    bool Hook(TMessage& message) {
        if (message.Msg != ProbeMessage) return false;
        FLog.push_back(FName + ":" + std::to_string(message.Result));
        if (Action) Action();
        if (NewResult >= 0) message.Result = NewResult;
        return Answer;
    }
    TUiHookMethod Method() { return TUiHookMethod(this, &TRecorder::Hook); }

private:
    TLog& FLog;
    std::string FName;
};

class UiWndProcHookTest : public ::testing::Test {
protected:
    TControlHost Host;
    TProbeControl* Control = nullptr;
    TLog Log;
    TRecorder A{Log, "A"}, B{Log, "B"}, C{Log, "C"}, D{Log, "D"};

    void SetUp() override {
        Control = Host.Add<TProbeControl>(10, 10, 50, 20);
        Control->Log = &Log;
    }
    LRESULT Send() {
        Log.clear();
        return SendMessageA(Control->WindowHandle(), ProbeMessage, 0, 0);
    }
    bool Hooked() const { return !(Control->WindowProc == TWndMethod(static_cast<TControl*>(Control), &TControl::OwnWindowProc)); }
};

TEST_F(UiWndProcHookTest, ABeforeHookAnsweringTrueHidesTheMessageFromTheControlAndTheAfterHooks) {
    struct TCase { LRESULT set; LRESULT expected; } cases[] = {{-1, 0}, {7, 7}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.set);
        A.Answer = true;
        A.NewResult = c.set;
        ASSERT_TRUE(AttachWindowHook(Control, hoBefore, A.Method()));
        ASSERT_TRUE(AttachWindowHook(Control, hoAfter, C.Method()));
        EXPECT_EQ(c.expected, Send());
        EXPECT_EQ(TLog{"A:0"}, Log);
        DetachWindowHook(Control, hoBefore, A.Method());
        DetachWindowHook(Control, hoAfter, C.Method());
    }
}

TEST_F(UiWndProcHookTest, HooksRunInAttachOrderAroundTheControlsOwnProcedure) {
    AttachWindowHook(Control, hoBefore, A.Method());
    AttachWindowHook(Control, hoBefore, B.Method());
    AttachWindowHook(Control, hoAfter, C.Method());
    AttachWindowHook(Control, hoAfter, D.Method());
    EXPECT_EQ(OwnAnswer, Send());
    EXPECT_EQ((TLog{"A:0", "B:0", "control", "C:42", "D:42"}), Log);

    C.Answer = true;   // an after-hook that handles it ends the after-chain
    C.NewResult = 5;
    EXPECT_EQ(5, Send());
    EXPECT_EQ((TLog{"A:0", "B:0", "control", "C:42"}), Log);
}

TEST_F(UiWndProcHookTest, TheSameHookAttachedTwiceRunsTwiceAndDetachTakesOneAway) {
    AttachWindowHook(Control, hoBefore, A.Method());
    AttachWindowHook(Control, hoBefore, A.Method());
    Send();
    EXPECT_EQ((TLog{"A:0", "A:0", "control"}), Log);
    DetachWindowHook(Control, hoBefore, A.Method());
    Send();
    EXPECT_EQ((TLog{"A:0", "control"}), Log);
    EXPECT_TRUE(Hooked());
}

TEST_F(UiWndProcHookTest, DetachingTheOnlyHookRestoresTheProcedureExactlyAndAttachingAgainInstallsIt) {
    const TWndMethod original = Control->WindowProc;
    AttachWindowHook(Control, hoAfter, C.Method());
    EXPECT_FALSE(Control->WindowProc == original);
    EXPECT_TRUE(DetachWindowHook(Control, hoAfter, C.Method()));
    EXPECT_TRUE(Control->WindowProc == original);
    EXPECT_FALSE(WindowHookRegistry()->FindInfos(Control)->Hooked());
    EXPECT_EQ(OwnAnswer, Send());
    EXPECT_EQ(TLog{"control"}, Log);

    AttachWindowHook(Control, hoBefore, B.Method());
    EXPECT_FALSE(Control->WindowProc == original);
    Send();
    EXPECT_EQ((TLog{"B:0", "control"}), Log);
}

TEST_F(UiWndProcHookTest, DetachAnswersWhetherTheControlHasARecordAndChangesNothingForAStrangeHook) {
    EXPECT_FALSE(DetachWindowHook(Control, hoBefore, A.Method()));   // no record yet
    AttachWindowHook(Control, hoBefore, A.Method());
    EXPECT_TRUE(DetachWindowHook(Control, hoBefore, B.Method()));
    EXPECT_TRUE(DetachWindowHook(Control, hoAfter, A.Method()));     // the other chain holds nothing
    Send();
    EXPECT_EQ((TLog{"A:0", "control"}), Log);

    EXPECT_FALSE(AttachWindowHook(static_cast<TControl*>(nullptr), hoBefore, A.Method()));
    EXPECT_FALSE(AttachWindowHook(Control, hoBefore, TUiHookMethod()));
    EXPECT_FALSE(AttachWindowHook(Control, static_cast<TUiHookOrder>(2), A.Method()));
    EXPECT_FALSE(DetachWindowHook(static_cast<TControl*>(nullptr), hoBefore, A.Method()));
    EXPECT_FALSE(DetachWindowHook(Control, hoBefore, TUiHookMethod()));
}

TEST_F(UiWndProcHookTest, FreeingAHookedControlRemovesItsRecord) {
    int before = WindowHookRegistry()->Count();
    AttachWindowHook(Control, hoBefore, A.Method());
    EXPECT_EQ(before + 1, WindowHookRegistry()->Count());
    TControl* gone = Control;
    delete Control;
    Control = nullptr;
    EXPECT_EQ(before, WindowHookRegistry()->Count());
    EXPECT_EQ(nullptr, WindowHookRegistry()->FindInfos(gone));
    EXPECT_FALSE(DetachWindowHook(gone, hoBefore, A.Method()));
}

TEST_F(UiWndProcHookTest, AHookMayDetachItselfOrTheHookAfterItWhileTheChainRuns) {
    A.Action = [&] { DetachWindowHook(Control, hoBefore, A.Method()); };
    B.Action = [&] { DetachWindowHook(Control, hoBefore, C.Method()); };
    AttachWindowHook(Control, hoBefore, A.Method());
    AttachWindowHook(Control, hoBefore, B.Method());
    AttachWindowHook(Control, hoBefore, C.Method());
    AttachWindowHook(Control, hoBefore, D.Method());
    Send();
    EXPECT_EQ((TLog{"A:0", "B:0", "D:0", "control"}), Log);
    Send();
    EXPECT_EQ((TLog{"B:0", "D:0", "control"}), Log);
    EXPECT_EQ(2, WindowHookRegistry()->FindInfos(Control)->HookCount(hoBefore));
}

TEST_F(UiWndProcHookTest, AHookThatFreesItsControlEndsTheMessageThere) {
    int before = WindowHookRegistry()->Count();
    A.Action = [&] {
        delete Control;
        Control = nullptr;
    };
    AttachWindowHook(Control, hoBefore, A.Method());
    AttachWindowHook(Control, hoBefore, B.Method());
    AttachWindowHook(Control, hoAfter, C.Method());
    HWND window = Control->WindowHandle();
    Log.clear();
    SendMessageA(window, ProbeMessage, 0, 0);
    EXPECT_EQ(TLog{"A:0"}, Log);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(before, WindowHookRegistry()->Count());
}

TEST_F(UiWndProcHookTest, FreeingTheRegistryPutsEveryProcedureBack) {
    const TWndMethod original = Control->WindowProc;
    auto* registry = new TUiWndProcHook;
    registry->Attach(Control, hoBefore, A.Method());
    ASSERT_FALSE(Control->WindowProc == original);
    delete registry;
    EXPECT_TRUE(Control->WindowProc == original);
    Send();
    EXPECT_EQ(TLog{"control"}, Log);
}

TEST_F(UiWndProcHookTest, TheHandleOfOurControlIsHookedThroughTheControl) {
    ASSERT_TRUE(AttachWindowHook(Control->WindowHandle(), hoBefore, A.Method()));
    EXPECT_NE(nullptr, WindowHookRegistry()->FindInfos(Control));
    EXPECT_EQ(nullptr, WindowHookRegistry()->FindInfos(Control->WindowHandle()));
    Send();
    EXPECT_EQ((TLog{"A:0", "control"}), Log);
    EXPECT_TRUE(DetachWindowHook(Control->WindowHandle(), hoBefore, A.Method()));
    EXPECT_FALSE(Hooked());
}

// A plain window of its own class, not one of our controls.
TLog* gBareLog = nullptr;
LONG_PTR gProcAtNcDestroy = 0;

LRESULT CALLBACK BareProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == ProbeMessage) {
        gBareLog->push_back("window");
        return OwnAnswer;
    }
    if (msg == WM_NCDESTROY) gProcAtNcDestroy = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// An object whose end the test can see.
class TWatched : public TObject {
public:
    explicit TWatched(bool& freed) : FFreed(freed) {}
    ~TWatched() override { FFreed = true; }

private:
    bool& FFreed;
};

class UiWndProcHookBareTest : public ::testing::Test {
protected:
    TLog Log;
    TRecorder A{Log, "A"}, C{Log, "C"};
    HWND Window = nullptr;

    void SetUp() override {
        static bool registered = false;
        if (!registered) {
            WNDCLASSA wc{};
            wc.lpfnWndProc = &BareProc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "SxHookTestWindow";
            registered = RegisterClassA(&wc) != 0;
        }
        gBareLog = &Log;
        Window = CreateWindowExA(0, "SxHookTestWindow", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, Window);
    }
    void TearDown() override {
        if (IsWindow(Window)) DestroyWindow(Window);
        sxtest::PumpUntil([] { return HookReleaser()->PendingCount() == 0; });
    }
    LRESULT Send() {
        Log.clear();
        return SendMessageA(Window, ProbeMessage, 0, 0);
    }
};

TEST_F(UiWndProcHookBareTest, HooksRunAroundTheWindowsOwnProcedureAndDetachRestoresItExactly) {
    const LONG_PTR original = GetWindowLongPtrA(Window, GWLP_WNDPROC);
    ASSERT_TRUE(AttachWindowHook(Window, hoBefore, A.Method()));
    ASSERT_TRUE(AttachWindowHook(Window, hoAfter, C.Method()));
    EXPECT_NE(original, GetWindowLongPtrA(Window, GWLP_WNDPROC));
    EXPECT_EQ(OwnAnswer, Send());
    EXPECT_EQ((TLog{"A:0", "window", "C:42"}), Log);

    EXPECT_TRUE(DetachWindowHook(Window, hoBefore, A.Method()));
    EXPECT_TRUE(DetachWindowHook(Window, hoAfter, C.Method()));
    EXPECT_EQ(original, GetWindowLongPtrA(Window, GWLP_WNDPROC));
    Send();
    EXPECT_EQ(TLog{"window"}, Log);
    ASSERT_TRUE(AttachWindowHook(Window, hoBefore, A.Method()));
    Send();
    EXPECT_EQ((TLog{"A:0", "window"}), Log);
}

TEST_F(UiWndProcHookBareTest, TheRecordLeavesAtDestroyEvenWhenAHookHandlesItAndIsFreedByTheReleaserLater) {
    const LONG_PTR original = GetWindowLongPtrA(Window, GWLP_WNDPROC);
    int before = WindowHookRegistry()->Count();
    // Swallows WM_DESTROY: the record must go all the same.
    struct TSwallower {
        bool Hook(TMessage& message) { return message.Msg == WM_DESTROY; }
    } swallower;
    const TUiHookMethod swallow(&swallower, &TSwallower::Hook);
    ASSERT_TRUE(AttachWindowHook(Window, hoBefore, swallow));
    ASSERT_EQ(before + 1, WindowHookRegistry()->Count());
    const int pending = HookReleaser()->PendingCount();

    DestroyWindow(Window);
    EXPECT_EQ(before, WindowHookRegistry()->Count());
    EXPECT_EQ(nullptr, WindowHookRegistry()->FindInfos(Window));
    EXPECT_EQ(original, gProcAtNcDestroy);
    EXPECT_EQ(pending + 1, HookReleaser()->PendingCount());
    EXPECT_TRUE(sxtest::PumpUntil([&] { return HookReleaser()->PendingCount() == pending; }));
    EXPECT_FALSE(DetachWindowHook(Window, hoBefore, swallow));
}

TEST_F(UiWndProcHookBareTest, TheReleaserFreesWhatItWasGivenAndIgnoresAStrayMessage) {
    bool givenFreed = false, strayFreed = false;
    HookReleaser()->Release(new TWatched(givenFreed));
    ASSERT_NE(nullptr, HookReleaser()->Handle());
    EXPECT_FALSE(givenFreed);   // not inside the caller's message
    EXPECT_TRUE(sxtest::PumpUntil([&] { return givenFreed; }));

    TWatched stray(strayFreed);
    PostMessageA(HookReleaser()->Handle(), TUiReleaser::ReleaseMessage, reinterpret_cast<WPARAM>(&stray), 0);
    sxtest::PumpUntil([] { return true; }, 1000);   // serves what is queued, then stops
    EXPECT_FALSE(strayFreed);
}

TEST_F(UiWndProcHookBareTest, AnotherThreadsWindowIsRefused) {
    HWND desktop = GetDesktopWindow();
    EXPECT_FALSE(AttachWindowHook(desktop, hoBefore, A.Method()));
    EXPECT_FALSE(AttachWindowHook(static_cast<HWND>(nullptr), hoBefore, A.Method()));
}

} // namespace
