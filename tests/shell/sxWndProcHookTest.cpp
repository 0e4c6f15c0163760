// tests/shell/sxWndProcHookTest.cpp -- TsxWndProcHook chaining several components on one real window
// of the test's own: the order messages pass, switching off in any order, handled messages, the
// drag, a window destroyed while hooked, another subclass on top, and a form's description
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "desktop/Classes.h"
#include "desktop/DescriptionReader.h"
#include "desktop/Form.h"
#include "desktop/Panel.h"
#include "shell/ShellComponentClasses.h"
#include "shell/sxWndProcHook.h"

namespace {

constexpr UINT TestMessage = WM_APP + 1;

std::vector<std::string> gLog;

// The test window's own procedure: notes the test messages and answers 100 + wParam.
LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == TestMessage) {
        gLog.push_back("window " + std::to_string(wParam));
        return static_cast<LRESULT>(100 + wParam);
    }
    if (msg == WM_LBUTTONDOWN) gLog.push_back("window press");
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// A hidden top-level window (a shown one makes Wine wait for the X server).
HWND MakeTestWindow() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = TestWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "SxHookTestWindow";
        registered = RegisterClassA(&wc) != 0;
    }
    return CreateWindowExA(0, "SxHookTestWindow", "hooked", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// Another subclass, as other code might put on the window; it calls what was below it.
WNDPROC gForeignBelow = nullptr;
LRESULT CALLBACK ForeignProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == TestMessage) gLog.push_back("foreign");
    return CallWindowProcA(gForeignBelow, hwnd, msg, wParam, lParam);
}

WNDPROC ProcOf(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)); }

// Owner of the hooks; its handlers write "<hook name> before|after" to the log.
class THookRoot : public TComponent {
public:
    THookRoot() : TComponent(nullptr) {}
    void Before(TObject* sender, TMessage& msg, bool& handled) {
        if (msg.Msg != TestMessage && msg.Msg != WM_LBUTTONDOWN && msg.Msg != WM_SYSCOMMAND) return;
        auto* hook = static_cast<TsxCustomWndProcHook*>(sender);
        gLog.push_back(hook->Name() + " before");
        if (OnBefore) OnBefore(*hook, msg, handled);
    }
    void After(TObject* sender, TMessage& msg, bool& handled) {
        if (msg.Msg != TestMessage) return;
        gLog.push_back(static_cast<TsxCustomWndProcHook*>(sender)->Name() + " after" + (handled ? " handled" : ""));
    }
    void Changed(TObject* sender) { gLog.push_back(static_cast<TComponent*>(sender)->Name() + " changed"); }
    TsxWndProcHook* Hook(const std::string& name, HWND window) {
        auto* hook = new TsxWndProcHook(this);
        hook->SetName(name);
        hook->SetHandle(window);
        hook->SetOnMessageBefore(TsxMessageEvent(this, &THookRoot::Before));
        hook->SetOnMessageAfter(TsxMessageEvent(this, &THookRoot::After));
        return hook;
    }
    std::function<void(TsxCustomWndProcHook&, TMessage&, bool&)> OnBefore;
};

class WndProcHookTest : public ::testing::Test {
protected:
    void SetUp() override {
        gLog.clear();
        FWindow = MakeTestWindow();
        ASSERT_NE(FWindow, nullptr);
        FOwnProc = ProcOf(FWindow);
    }
    void TearDown() override {
        if (IsWindow(FWindow)) DestroyWindow(FWindow);
    }
    // The log of one test message sent to the window, and its result.
    std::vector<std::string> Send(WPARAM wParam = 1, LRESULT* resultOut = nullptr) {
        gLog.clear();
        LRESULT result = SendMessageA(FWindow, TestMessage, wParam, 0);
        if (resultOut) *resultOut = result;
        return gLog;
    }

    HWND FWindow = nullptr;
    WNDPROC FOwnProc = nullptr;
    THookRoot FRoot;
};

using Log = std::vector<std::string>;

TEST_F(WndProcHookTest, TheNewestHookSeesEachMessageFirstWhateverTheActivationOrder) {
    for (bool newestFirst : {false, true}) {
        SCOPED_TRACE(newestFirst ? "B switched on first" : "A switched on first");
        THookRoot root;
        TsxWndProcHook* a = root.Hook("A", FWindow);
        TsxWndProcHook* b = root.Hook("B", FWindow);
        if (newestFirst) b->SetActive(true);
        a->SetActive(true);
        b->SetActive(true);
        LRESULT result = 0;
        EXPECT_EQ(Send(7, &result), (Log{"B before", "A before", "window 7", "A after", "B after"}));
        EXPECT_EQ(result, 107);
        EXPECT_EQ(a->HookedWindow(), FWindow);
    }
    // Both owners are gone: the window has its own procedure back.
    EXPECT_EQ(ProcOf(FWindow), FOwnProc);
    EXPECT_EQ(Send(), (Log{"window 1"}));
}

TEST_F(WndProcHookTest, HooksCanBeSwitchedOffInAnyOrder) {
    std::vector<int> order = {0, 1, 2};
    do {
        SCOPED_TRACE(std::to_string(order[0]) + std::to_string(order[1]) + std::to_string(order[2]));
        THookRoot root;
        std::vector<TsxWndProcHook*> hooks = {root.Hook("A", FWindow), root.Hook("B", FWindow), root.Hook("C", FWindow)};
        for (TsxWndProcHook* hook : hooks) hook->SetActive(true);
        std::vector<bool> on = {true, true, true};
        for (int index : order) {
            hooks[static_cast<size_t>(index)]->SetActive(false);
            on[static_cast<size_t>(index)] = false;
            Log expected;
            for (int i = 2; i >= 0; --i)
                if (on[static_cast<size_t>(i)]) expected.push_back(hooks[static_cast<size_t>(i)]->Name() + " before");
            expected.push_back("window 1");
            for (int i = 0; i < 3; ++i)
                if (on[static_cast<size_t>(i)]) expected.push_back(hooks[static_cast<size_t>(i)]->Name() + " after");
            EXPECT_EQ(Send(), expected);
        }
        EXPECT_EQ(ProcOf(FWindow), FOwnProc);
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST_F(WndProcHookTest, AHandledMessageSkipsTheWindowButNotOnMessageAfter) {
    TsxWndProcHook* a = FRoot.Hook("A", FWindow);
    TsxWndProcHook* b = FRoot.Hook("B", FWindow);
    a->SetActive(true);
    b->SetActive(true);
    FRoot.OnBefore = [](TsxCustomWndProcHook& hook, TMessage& msg, bool& handled) {
        if (hook.Name() != "B") return;
        handled = true;
        msg.Result = 55;
    };
    LRESULT result = 0;
    EXPECT_EQ(Send(1, &result), (Log{"B before", "B after handled"}));
    EXPECT_EQ(result, 55);
}

TEST_F(WndProcHookTest, AChangedMessageTravelsOnToTheWindow) {
    TsxWndProcHook* a = FRoot.Hook("A", FWindow);
    a->SetActive(true);
    FRoot.OnBefore = [](TsxCustomWndProcHook&, TMessage& msg, bool&) { msg.WParam = 9; };
    EXPECT_EQ(Send(1), (Log{"A before", "window 9", "A after"}));
}

TEST_F(WndProcHookTest, AutoDragTurnsAPressIntoAMoveByTheCaption) {
    TsxWndProcHook* a = FRoot.Hook("A", FWindow);
    a->SetAutoDrag(true);
    a->SetActive(true);
    WPARAM command = 0;
    FRoot.OnBefore = [&](TsxCustomWndProcHook&, TMessage& msg, bool& handled) {
        if (msg.Msg != WM_SYSCOMMAND) return;
        command = msg.WParam;
        handled = true;   // the move loop itself would wait for the mouse
    };
    gLog.clear();
    SendMessageA(FWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(command, 61458u);
    EXPECT_EQ(gLog, (Log{"A before", "A before"}));   // the press, then the move command; never the window
}

TEST_F(WndProcHookTest, WithoutAWindowNothingIsHookedYetActiveReadsTrue) {
    TsxWndProcHook* lone = FRoot.Hook("lone", nullptr);
    lone->SetActive(true);
    EXPECT_TRUE(lone->Active());
    EXPECT_EQ(lone->HookedWindow(), nullptr);
    EXPECT_EQ(lone->Handle(), reinterpret_cast<HWND>(-1));
    EXPECT_EQ(ProcOf(FWindow), FOwnProc);
    lone->SetHandle(reinterpret_cast<HWND>(INVALID_HANDLE_VALUE));   // -1 also means none
    EXPECT_EQ(lone->HookedWindow(), nullptr);
    EXPECT_EQ(lone->Handle(), reinterpret_cast<HWND>(-1));
}

TEST_F(WndProcHookTest, ANewHandleMovesAnActiveHookAndIsReported) {
    HWND other = MakeTestWindow();
    TsxWndProcHook* a = FRoot.Hook("A", FWindow);
    a->SetOnChangeHandle(TNotifyEvent(&FRoot, &THookRoot::Changed));
    a->SetActive(true);
    gLog.clear();
    a->SetHandle(other);
    EXPECT_EQ(gLog, (Log{"A changed"}));
    EXPECT_EQ(a->HookedWindow(), other);
    EXPECT_EQ(ProcOf(FWindow), FOwnProc);
    EXPECT_EQ(Send(), (Log{"window 1"}));
    gLog.clear();
    SendMessageA(other, TestMessage, 2, 0);
    EXPECT_EQ(gLog, (Log{"A before", "window 2", "A after"}));
    DestroyWindow(other);
}

TEST_F(WndProcHookTest, AWindowDestroyedWhileHookedLeavesNoHookBehind) {
    TsxWndProcHook* a = FRoot.Hook("A", FWindow);
    TsxWndProcHook* b = FRoot.Hook("B", FWindow);
    a->SetActive(true);
    b->SetActive(true);
    ASSERT_TRUE(DestroyWindow(FWindow));
    EXPECT_TRUE(a->Active());
    EXPECT_EQ(a->HookedWindow(), nullptr);
    EXPECT_EQ(b->HookedWindow(), nullptr);
    // Windows made now may get the old handle's value: switching off must not touch them.
    std::vector<HWND> fresh;
    for (int i = 0; i < 8; ++i) fresh.push_back(MakeTestWindow());
    b->SetActive(false);
    delete a;
    for (HWND hwnd : fresh) {
        EXPECT_EQ(ProcOf(hwnd), &TestWindowProc);
        DestroyWindow(hwnd);
    }
    // The survivor hooks a new window as usual.
    FWindow = MakeTestWindow();
    b->SetHandle(FWindow);
    b->SetActive(true);
    EXPECT_EQ(Send(), (Log{"B before", "window 1", "B after"}));
}

TEST_F(WndProcHookTest, ASubclassPutOnTopLaterIsNeverCutOff) {
    TsxWndProcHook* a = FRoot.Hook("A", FWindow);
    a->SetActive(true);
    gForeignBelow = ProcOf(FWindow);
    WNDPROC foreign = &ForeignProc;
    SetWindowLongPtrA(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(foreign));
    EXPECT_EQ(Send(), (Log{"foreign", "A before", "window 1", "A after"}));

    a->SetActive(false);
    EXPECT_EQ(ProcOf(FWindow), foreign);           // still there
    EXPECT_EQ(Send(), (Log{"foreign", "window 1"}));

    // The other subclass leaves; ours, idle below it, leaves at the next message.
    SetWindowLongPtrA(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gForeignBelow));
    EXPECT_EQ(Send(), (Log{"window 1"}));
    EXPECT_EQ(ProcOf(FWindow), FOwnProc);
}

TEST_F(WndProcHookTest, AHookFreedByItsOwnHandlerLetsTheMessageThrough) {
    TsxWndProcHook* a = FRoot.Hook("A", FWindow);
    TsxWndProcHook* b = FRoot.Hook("B", FWindow);
    a->SetActive(true);
    b->SetActive(true);
    FRoot.OnBefore = [](TsxCustomWndProcHook& hook, TMessage&, bool&) {
        if (hook.Name() == "B") delete &hook;
    };
    EXPECT_EQ(Send(), (Log{"B before", "A before", "window 1", "A after"}));
    EXPECT_EQ(Send(), (Log{"A before", "window 1", "A after"}));
}

TEST_F(WndProcHookTest, TheListHoldsEveryHookInCreationOrderWhileAnyExists) {
    int before = TsxWndProcHookListCount();
    {
        THookRoot root;
        TsxWndProcHook* a = root.Hook("A", nullptr);
        TsxWndProcHook* b = root.Hook("B", nullptr);
        ASSERT_EQ(TsxWndProcHookListCount(), before + 2);
        EXPECT_EQ(TsxWndProcHookListItem(before), a);
        EXPECT_EQ(TsxWndProcHookListItem(before + 1), b);
    }
    EXPECT_EQ(TsxWndProcHookListCount(), before);
}

// ---- from a form's description

class THookTestForm : public TForm {
public:
    THookTestForm() : TForm(nullptr) {}
    void hookBefore(TObject* sender, TMessage& msg, bool&) {
        if (msg.Msg == TestMessage) gLog.push_back(static_cast<TComponent*>(sender)->Name() + " before");
    }
    void hookChanged(TObject* sender) { gLog.push_back(static_cast<TComponent*>(sender)->Name() + " changed"); }
};

const TClassInfo& HookFormClass() {
    RegisterShellComponentClasses();
    static TClassInfo& info = TClassRegistration<THookTestForm>("THookTestForm", "TForm")
                                  .Handler("hookBefore", &THookTestForm::hookBefore)
                                  .Handler("hookChanged", &THookTestForm::hookChanged)
                                  .Info();
    return info;
}

TEST(WndProcHookDescriptionTest, AHookHooksItsFormOrTheControlItNames) {
    gLog.clear();
    auto* form = new THookTestForm();
    LoadDescription(form, HookFormClass(),
                    "object form: THookTestForm\n"
                    "  object panel: TPanel\n"
                    "    Left = 10\n"
                    "    Width = 50\n"
                    "  end\n"
                    "  object formHook: TsxWndProcHook\n"
                    "    Active = True\n"
                    "    OnMessageBefore = hookBefore\n"
                    "  end\n"
                    "  object panelHook: TsxWndProcHook\n"
                    "    Active = True\n"
                    "    WinControl = panel\n"
                    "    OnMessageBefore = hookBefore\n"
                    "    OnChangeWinControl = hookChanged\n"
                    "  end\n"
                    "end\n");
    auto* formHook = dynamic_cast<TsxWndProcHook*>(form->FindComponent("formHook"));
    auto* panelHook = dynamic_cast<TsxWndProcHook*>(form->FindComponent("panelHook"));
    auto* panel = dynamic_cast<TPanel*>(form->FindComponent("panel"));
    ASSERT_TRUE(formHook && panelHook && panel);
    EXPECT_EQ(formHook->HookedWindow(), form->WindowHandle());
    EXPECT_EQ(panelHook->HookedWindow(), panel->WindowHandle());
    ASSERT_NE(panel->WindowHandle(), nullptr);
    gLog.clear();
    SendMessageA(form->WindowHandle(), TestMessage, 0, 0);
    SendMessageA(panel->WindowHandle(), TestMessage, 0, 0);
    EXPECT_EQ(gLog, (Log{"formHook before", "panelHook before"}));

    // The named control freed: the hook forgets it, and says so.
    gLog.clear();
    delete panel;
    EXPECT_EQ(panelHook->WinControl(), form);   // back to its owner
    EXPECT_EQ(gLog, (Log{"panelHook changed"}));
    delete form;
    EXPECT_EQ(TsxWndProcHookListCount(), 0);
}

TEST(WndProcHookDescriptionTest, AWinControlThatIsNotThereIsADescriptionError) {
    auto form = std::make_unique<THookTestForm>();
    EXPECT_THROW(LoadDescription(form.get(), HookFormClass(),
                                 "object form: THookTestForm\n"
                                 "  object hook: TsxWndProcHook\n"
                                 "    WinControl = nowhere\n"
                                 "  end\n"
                                 "end\n"),
                 EDescriptionError);
}

} // namespace
