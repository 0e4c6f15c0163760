// tests/shell/sxApplicationPropertiesTest.cpp -- the idle, exception and message events through
// the application-properties chain and the application-events layer; settings and Hidden
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "../desktop/ModalDriver.h"
#include "desktop/Application.h"
#include "desktop/ApplicationEvents.h"
#include "desktop/DescriptionReader.h"
#include "shell/ShellUtilityClasses.h"
#include "shell/sxApplicationProperties.h"

namespace {

// The window a description is read into: handlers that log what reached them.
class TPropsHost : public TComponent {
public:
    using TComponent::TComponent;
    void propsIdle(TObject* sender, bool& done) {
        Log.push_back("propsIdle");
        IdleSender = sender;
        // In the loop, one posted message wakes WaitMessage; elsewhere, show that Done is by reference.
        if (WakeLoop) PostMessageA(Application->Handle(), WM_NULL, 0, 0);
        else done = false;
    }
    void otherIdle(TObject*, bool&) { Log.push_back("otherIdle"); }
    void propsException(TObject*, const std::exception& e) { Log.push_back(std::string("exception ") + e.what()); }
    void propsSettingsChanged(TObject*) { Log.push_back("settings"); }
    void previousIdle(TObject*, bool&) { Log.push_back("previousIdle"); }
    std::vector<std::string> Log;
    TObject* IdleSender = nullptr;
    bool WakeLoop = false;
};

void RegisterHost() {
    RegisterShellUtilityClasses();
    if (FindClassInfo("TPropsHost")) return;
    TClassRegistration<TPropsHost>("TPropsHost", "TComponent")
        .Handler("propsIdle", &TPropsHost::propsIdle)
        .Handler("otherIdle", &TPropsHost::otherIdle)
        .Handler("propsException", &TPropsHost::propsException)
        .Handler("propsSettingsChanged", &TPropsHost::propsSettingsChanged);
}

std::unique_ptr<TPropsHost> Load(const std::string& body) {
    RegisterHost();
    auto host = std::make_unique<TPropsHost>(nullptr);
    LoadDescription(host.get(), RequireClassInfo("TPropsHost"), "object editor: TPropsHost\n" + body + "end\n");
    return host;
}

bool FireIdle() {
    bool done = true;
    if (Application->OnIdle) Application->OnIdle(Application, done);
    return done;
}

using Log = std::vector<std::string>;

class sxApplicationPropertiesTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(0, ApplicationPropertiesCount());
        ASSERT_EQ(0, ApplicationEventsCount());
        FSaved = TApplicationHandlers::Of(*Application);
    }
    void TearDown() override {
        EXPECT_EQ(0, ApplicationPropertiesCount());
        TApplicationHandlers{}.InstallIn(*Application);
        Application->ShowMainForm = true;
    }
    TApplicationHandlers FSaved;
};

} // namespace

TEST_F(sxApplicationPropertiesTest, IdleReachesTheBoundHandlerWithDoneByReference) {
    auto host = Load("  object props: TsxApplicationProperties\n    OnIdle = propsIdle\n  end\n");
    EXPECT_FALSE(FireIdle());   // the handler cleared Done
    EXPECT_EQ(Log{"propsIdle"}, host->Log);
    EXPECT_EQ(Application, host->IdleSender);
}

TEST_F(sxApplicationPropertiesTest, MessageLoopIdleMomentRunsTheHandler) {
    auto host = Load("  object props: TsxApplicationProperties\n    OnIdle = propsIdle\n  end\n");
    host->WakeLoop = true;   // the handler posts a message, so WaitMessage returns
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Application->HandleMessage();
    ASSERT_EQ(Log{"propsIdle"}, host->Log);
    Application->HandleMessage();   // the posted message: not an idle moment
    EXPECT_EQ(1u, host->Log.size());
    Application->HandleMessage();
    EXPECT_EQ(2u, host->Log.size());
    host->WakeLoop = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

TEST_F(sxApplicationPropertiesTest, ApplicationEventsHandlersRunNewestFirstThenThePreviousHandler) {
    RegisterHost();
    TPropsHost previous(nullptr);
    Application->OnIdle = TIdleEvent(&previous, &TPropsHost::previousIdle);
    {
        auto host = Load("  object events: TApplicationEvents\n    OnIdle = otherIdle\n  end\n"
                         "  object props: TsxApplicationProperties\n    OnIdle = propsIdle\n  end\n");
        FireIdle();
        EXPECT_EQ((Log{"propsIdle", "otherIdle"}), host->Log);
        EXPECT_EQ(Log{"previousIdle"}, previous.Log);
    }
    // Both layers gone: the application holds its own handler again.
    EXPECT_TRUE(Application->OnIdle == TIdleEvent(&previous, &TPropsHost::previousIdle));
    EXPECT_EQ(0, ApplicationEventsCount());
}

TEST_F(sxApplicationPropertiesTest, UnchainedMemberStopsEveryEventAndExceptionsGoToTheStandardDisplay) {
    auto host = Load("  object a: TsxApplicationProperties\n    OnIdle = propsIdle\n    OnException = propsException\n  end\n"
                     "  object b: TsxApplicationProperties\n    Chained = False\n    OnIdle = otherIdle\n  end\n");
    EXPECT_TRUE(FireIdle());
    EXPECT_EQ(Log{}, host->Log);

    std::string shown;
    sxtest::TModalDriver driver([&] {
        HWND box = sxtest::FindThreadWindow("#32770");
        if (!box) return false;
        shown = sxtest::WindowText(GetDlgItem(box, 0xFFFF));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return true;
    });
    Application->HandleException(std::make_exception_ptr(Exception("Disk on fire")));
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ("Disk on fire.", shown);
    EXPECT_EQ(Log{}, host->Log);

    // Chained again: both reach their handlers.
    dynamic_cast<TsxApplicationProperties*>(host->FindComponent("b"))->SetChained(true);
    Application->HandleException(std::make_exception_ptr(Exception("Disk on fire")));
    FireIdle();
    EXPECT_EQ((Log{"exception Disk on fire", "otherIdle", "propsIdle"}), host->Log);
}

TEST_F(sxApplicationPropertiesTest, DestroyingTheLastMemberRestoresThePreviousHandlersExactly) {
    RegisterHost();
    TPropsHost previous(nullptr);
    TIdleEvent before(&previous, &TPropsHost::previousIdle);
    Application->OnIdle = before;
    {
        TsxApplicationProperties first(nullptr);
        EXPECT_FALSE(Application->OnIdle == before);
        {
            TsxApplicationProperties second(nullptr);
            EXPECT_EQ(2, ApplicationPropertiesCount());
        }
        EXPECT_FALSE(Application->OnIdle == before);
        FireIdle();
        EXPECT_EQ(Log{"previousIdle"}, previous.Log);
    }
    EXPECT_TRUE(Application->OnIdle == before);
    EXPECT_FALSE(Application->OnException);
    EXPECT_FALSE(Application->OnMessage);
}

TEST_F(sxApplicationPropertiesTest, HandlerInstalledInFrontMeanwhileIsNotClobbered) {
    RegisterHost();
    TPropsHost later(nullptr);
    TIdleEvent front(&later, &TPropsHost::previousIdle);
    {
        TsxApplicationProperties props(nullptr);
        Application->OnIdle = front;
    }
    EXPECT_TRUE(Application->OnIdle == front);
}

TEST_F(sxApplicationPropertiesTest, TitleAndShowMainFormAreTheApplicationsOwn) {
    std::string title = Application->Title();
    auto host = Load("  object props: TsxApplicationProperties\n    ShowMainForm = False\n    HintPause = 700\n  end\n");
    auto* props = dynamic_cast<TsxApplicationProperties*>(host->FindComponent("props"));
    EXPECT_FALSE(Application->ShowMainForm);
    Application->ShowMainForm = true;
    EXPECT_TRUE(props->ShowMainForm());
    EXPECT_EQ(700, props->HintPause());
    EXPECT_EQ(title, props->Title());
    props->SetTitle("Sentinox props test");
    EXPECT_EQ("Sentinox props test", Application->Title());
    EXPECT_EQ("Sentinox props test", sxtest::WindowText(Application->Handle()));
    Application->SetTitle(title);
    EXPECT_EQ(title, props->Title());
}

TEST_F(sxApplicationPropertiesTest, HiddenRemovesTheTaskbarButtonAndBringsItBack) {
    HWND app = Application->Handle();
    LONG_PTR style = GetWindowLongPtrA(app, GWL_EXSTYLE);
    TsxApplicationProperties props(nullptr);
    props.SetHidden(false);
    EXPECT_TRUE(IsWindowVisible(app));
    EXPECT_EQ(WS_EX_APPWINDOW, GetWindowLongPtrA(app, GWL_EXSTYLE) & (WS_EX_APPWINDOW | WS_EX_TOOLWINDOW));
    props.SetHidden(true);
    EXPECT_FALSE(IsWindowVisible(app));
    EXPECT_EQ(WS_EX_TOOLWINDOW, GetWindowLongPtrA(app, GWL_EXSTYLE) & (WS_EX_APPWINDOW | WS_EX_TOOLWINDOW));
    SetWindowLongPtrA(app, GWL_EXSTYLE, style);
}

TEST_F(sxApplicationPropertiesTest, SettingChangeReachesOnSettingsChanged) {
    auto host = Load("  object props: TsxApplicationProperties\n    OnSettingsChanged = propsSettingsChanged\n  end\n");
    SendMessageA(Application->Handle(), WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ(Log{"settings"}, host->Log);
    host.reset();
    SendMessageA(Application->Handle(), WM_SETTINGCHANGE, 0, 0);   // the hook is gone with it
}
