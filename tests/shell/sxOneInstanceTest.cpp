// tests/shell/sxOneInstanceTest.cpp -- TsxOneInstance on real named mutexes: in-process with a
// thread standing in for the other instance, and across processes with this test program
// started again as the second instance
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "../desktop/ModalDriver.h"
#include "desktop/Application.h"
#include "desktop/Handle.h"
#include "shell/sxOneInstance.h"

namespace {

constexpr const char* ChildVariable = "SX_ONEINSTANCE_CHILD";

// Each test gets mutex names of its own, so earlier tests and other runs cannot interfere.
std::string UniqueIdentifier(const char* what) {
    return std::string(".sxtest-") + what + "-" + std::to_string(GetCurrentProcessId());
}

std::string Title() { return Application->Title(); }

// Another instance: a thread that owns the named mutex until it is told to stop.
class TOtherInstance {
public:
    explicit TOtherInstance(const std::string& mutexName) : FStop(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
                                                            FReady(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
        FThread = std::thread([this, mutexName] {
            THandle mutex(CreateMutexA(nullptr, TRUE, mutexName.c_str()));
            SetEvent(FReady.Get());
            WaitForSingleObject(FStop.Get(), INFINITE);
            ReleaseMutex(mutex.Get());
        });
        WaitForSingleObject(FReady.Get(), 5000);
    }
    ~TOtherInstance() {
        SetEvent(FStop.Get());
        FThread.join();
    }

private:
    THandle FStop, FReady;
    std::thread FThread;
};

bool MutexExists(const std::string& name) {
    THandle h(OpenMutexA(SYNCHRONIZE, FALSE, name.c_str()));
    return h.IsValid();
}

// True when some thread other than the caller's owns the mutex.
bool OwnedElsewhere(const std::string& name) {
    bool owned = false;
    std::thread([&] {
        THandle h(OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name.c_str()));
        if (!h.IsValid()) return;
        DWORD wait = WaitForSingleObject(h.Get(), 0);
        owned = wait == WAIT_TIMEOUT;
        if (!owned) ReleaseMutex(h.Get());
    }).join();
    return owned;
}

class sxOneInstanceTest : public testing::Test {
protected:
    void TearDown() override {
        ReleaseOneInstanceMutex();
        Application->ShowMainForm = true;
    }
};

class TRecordingGuard : public TsxOneInstance {
public:
    using TsxOneInstance::TsxOneInstance;
    void ActivatePrevious() override { ++Activations; }
    int Activations = 0;
};

// Handler object for OnShowMessage.
struct TKeepRunning : TObject {
    void Decide(TObject* sender, bool& terminate) {
        Sender = sender;
        SeenTerminate = terminate;
        terminate = false;
    }
    TObject* Sender = nullptr;
    bool SeenTerminate = false;
};

} // namespace

TEST_F(sxOneInstanceTest, MutexNamesComeFromTitleOrUpperCasedPathWithSlashesForBackslashes) {
    std::string title = Title();
    TsxOneInstance guard(nullptr);
    EXPECT_EQ(title + ".OneInstance.", guard.MutexBaseName());
    guard.SetIdentifier("\\Extra");
    EXPECT_EQ(title + "/Extra.OneInstance.", guard.MutexBaseName());
    guard.SetIdentifier("");
    guard.SetExeNameAsIdentifier(true);
    std::string path = Application->ExeName();
    for (char& c : path) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c == '\\') c = '/';
    }
    EXPECT_EQ(path + ".OneInstance.", guard.MutexBaseName());

    Application->SetTitle("Sentinox");
    TsxOneInstance product(nullptr);
    EXPECT_EQ("Sentinox.OneInstance.", product.MutexBaseName());
    Application->SetTitle(title);
}

TEST_F(sxOneInstanceTest, FirstInstanceKeepsTheInstanceMutexAndGoesOn) {
    TsxOneInstance guard(nullptr);
    guard.SetIdentifier(UniqueIdentifier("first"));
    std::string base = guard.MutexBaseName();
    EXPECT_FALSE(guard.CheckInstance());
    EXPECT_TRUE(OwnedElsewhere(base + "Default"));      // owned by this (the test's) thread
    EXPECT_FALSE(MutexExists(base + "CriticalSection"));  // released and closed again
    EXPECT_TRUE(Application->ShowMainForm);
    EXPECT_FALSE(Application->Terminated());

    // Asking again in the same program does not find "another" instance.
    TsxOneInstance again(nullptr);
    again.SetIdentifier(guard.Identifier());
    EXPECT_FALSE(again.IsAnotherInstance());
    ReleaseOneInstanceMutex();
    EXPECT_FALSE(MutexExists(base + "Default"));
}

TEST_F(sxOneInstanceTest, ACheckBeforeAnyWindowKeepsTheMutexAndTheWindowGuardFindsNoOtherInstance) {
    // CheckOneInstance names its mutexes after the title alone.
    const std::string title = Title();
    Application->SetTitle(title + UniqueIdentifier("body"));
    TsxOneInstance windowGuard(nullptr);
    const std::string instanceMutex = windowGuard.MutexBaseName() + "Default";

    EXPECT_FALSE(CheckOneInstance());
    EXPECT_TRUE(OwnedElsewhere(instanceMutex));
    // The main window's guard tests again once the window is loaded, in the same thread, while
    // a newcomer's test holds the lock mutex: that is no other instance for the one that runs.
    THandle newcomersLock(CreateMutexA(nullptr, FALSE, (windowGuard.MutexBaseName() + "CriticalSection").c_str()));
    EXPECT_FALSE(windowGuard.CheckInstance());
    EXPECT_TRUE(OwnedElsewhere(instanceMutex)) << "the second test gave the first instance's ownership away";
    EXPECT_TRUE(Application->ShowMainForm);
    EXPECT_FALSE(Application->Terminated());
    Application->SetTitle(title);
}

TEST_F(sxOneInstanceTest, AnotherOwnerOfTheInstanceMutexMeansAnotherInstance) {
    TsxOneInstance guard(nullptr);
    guard.SetIdentifier(UniqueIdentifier("other"));
    TOtherInstance other(guard.MutexBaseName() + "Default");
    EXPECT_TRUE(guard.IsAnotherInstance());
}

TEST_F(sxOneInstanceTest, LockMutexAlreadyPresentMeansAnotherInstanceStarting) {
    TsxOneInstance guard(nullptr);
    guard.SetIdentifier(UniqueIdentifier("lock"));
    THandle lock(CreateMutexA(nullptr, FALSE, (guard.MutexBaseName() + "CriticalSection").c_str()));
    EXPECT_TRUE(guard.IsAnotherInstance());
    EXPECT_FALSE(MutexExists(guard.MutexBaseName() + "Default"));
}

TEST_F(sxOneInstanceTest, AbandonedInstanceMutexIsTakenOver) {
    TsxOneInstance guard(nullptr);
    guard.SetIdentifier(UniqueIdentifier("abandoned"));
    std::string name = guard.MutexBaseName() + "Default";
    HANDLE kept = nullptr;
    // A first instance that died holding the mutex; our handle keeps the object alive.
    std::thread([&] { kept = CreateMutexA(nullptr, TRUE, name.c_str()); }).join();
    THandle keep(kept);
    EXPECT_FALSE(guard.IsAnotherInstance());
    EXPECT_TRUE(OwnedElsewhere(name));
}

TEST_F(sxOneInstanceTest, DesigningGuardNeverReportsAnotherInstance) {
    TComponent designer(nullptr);
    designer.SetDesigning(true);
    auto* guard = new TsxOneInstance(&designer);
    guard->SetIdentifier(UniqueIdentifier("design"));
    TOtherInstance other(guard->MutexBaseName() + "Default");
    EXPECT_FALSE(guard->IsAnotherInstance());
    EXPECT_FALSE(guard->CheckInstance());
}

TEST_F(sxOneInstanceTest, HandlerThatKeepsRunningRestoresShowMainFormAndStillActivates) {
    TRecordingGuard guard(nullptr);
    guard.SetIdentifier(UniqueIdentifier("handler"));
    guard.SetShowMessage(true);
    TKeepRunning handler;
    guard.SetOnShowMessage(TsxOneInstanceShowMessage(&handler, &TKeepRunning::Decide));
    TOtherInstance other(guard.MutexBaseName() + "Default");
    EXPECT_TRUE(guard.CheckInstance());
    EXPECT_EQ(&guard, handler.Sender);
    EXPECT_TRUE(handler.SeenTerminate);
    EXPECT_EQ(1, guard.Activations);
    EXPECT_TRUE(Application->ShowMainForm);
    EXPECT_FALSE(Application->Terminated());

    guard.SetActivatePrevInstance(false);
    Application->ShowMainForm = false;    // a remembered False comes back as False
    EXPECT_TRUE(guard.CheckInstance());
    EXPECT_EQ(1, guard.Activations);
    EXPECT_FALSE(Application->ShowMainForm);
}

TEST_F(sxOneInstanceTest, NoticeShowsTheBuiltInTextUnderTheApplicationTitle) {
    std::string title = Title();
    Application->SetTitle("Sentinox");
    struct { const char* Message; const char* Expected; } cases[] = {
        {"", "Application \"Sentinox\" is already running."},
        {"Only one, please.", "Only one, please."},
    };
    for (const auto& c : cases) {
        TsxOneInstance guard(nullptr);
        guard.SetMessage(c.Message);
        std::string caption, text;
        bool hasOk = false;
        sxtest::TModalDriver driver([&] {
            HWND box = sxtest::FindThreadWindow("#32770", "Sentinox");
            if (!box) return false;
            caption = sxtest::WindowText(box);
            text = sxtest::WindowText(GetDlgItem(box, 0xFFFF));
            hasOk = GetDlgItem(box, IDOK) != nullptr;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return true;
        });
        guard.ShowAlreadyRunning();
        EXPECT_FALSE(driver.TimedOut());
        EXPECT_EQ("Sentinox", caption);
        EXPECT_EQ(c.Expected, text);
        EXPECT_TRUE(hasOk);
    }
    Application->SetTitle(title);
}

// The second instance, run by SecondProcessEndsAndBringsTheFirstForward in a process of its
// own: the exit code carries what happened (1 found, 2 terminated, 4 ShowMainForm left on).
TEST(sxOneInstanceChild, RunsAsTheSecondInstance) {
    const char* identifier = std::getenv(ChildVariable);
    if (!identifier) GTEST_SKIP() << "only as the second process of the cross-process test";
    TsxOneInstance guard(nullptr);
    guard.SetIdentifier(identifier);
    UINT code = guard.CheckInstance() ? 1 : 0;
    if (Application->Terminated()) code |= 2;
    if (Application->ShowMainForm) code |= 4;
    ExitProcess(code);
}

TEST_F(sxOneInstanceTest, SecondProcessEndsAndBringsTheFirstForward) {
    std::string identifier = UniqueIdentifier("process");
    TsxOneInstance first(nullptr);
    first.SetIdentifier(identifier);
    ASSERT_FALSE(first.CheckInstance());

    // The first instance's application window, minimised: the second must restore it.
    HWND app = Application->Handle();
    ShowWindow(app, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(app));

    SetEnvironmentVariableA(ChildVariable, identifier.c_str());
    std::string commandLine = "\"" + Application->ExeName() + "\" --gtest_filter=sxOneInstanceChild.*";
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableA(ChildVariable, nullptr);
    ASSERT_TRUE(started);
    THandle process(pi.hProcess), thread(pi.hThread);
    // Serve our messages while waiting: showing our window from another process goes through our queue.
    bool ended = sxtest::PumpUntil([&] { return WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0; }, 30000);
    ASSERT_TRUE(ended);
    DWORD code = 0;
    GetExitCodeProcess(process.Get(), &code);
    EXPECT_EQ(1u | 2u, code) << "1 found, 2 terminated, 4 ShowMainForm still on";
    sxtest::PumpUntil([&] { return !IsIconic(app); }, 2000);
    EXPECT_FALSE(IsIconic(app));
    ShowWindow(app, SW_HIDE);
}
