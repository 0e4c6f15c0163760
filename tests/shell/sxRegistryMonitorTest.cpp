// tests/shell/sxRegistryMonitorTest.cpp -- TsxRegistryMonitor on real keys under
// HKCU\Software\SentinoxTest\<test>, written by reg.exe in another process and by this one
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <windows.h>

#include <memory>
#include <string>
#include <thread>

#include "desktop/Application.h"
#include "desktop/Classes.h"
#include "desktop/DescriptionReader.h"
#include "desktop/SyncObjs.h"
#include "shell/MonitorClasses.h"
#include "shell/sxRegistryMonitor.h"
#include "sxMonitorTestSupport.h"

using namespace sxtest;

namespace {

class RegistryMonitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        FKeyPath = std::string("Software\\SentinoxTest\\") + info->name() + "_" + std::to_string(GetCurrentProcessId());
        SHDeleteKeyA(HKEY_CURRENT_USER, FKeyPath.c_str());
        CreateKey(FKeyPath);
        FMonitor = std::make_unique<TsxRegistryMonitor>(nullptr);
        FMonitor->SetRootKey(rrkCurrentUser);
        FMonitor->SetRegistryKey(FKeyPath);
    }
    void TearDown() override {
        FMonitor.reset();
        SHDeleteKeyA(HKEY_CURRENT_USER, FKeyPath.c_str());
    }

    static void CreateKey(const std::string& path) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    static void SetValue(const std::string& path, const std::string& name, const std::string& data) {
        ASSERT_EQ(SHSetValueA(HKEY_CURRENT_USER, path.c_str(), name.c_str(), REG_SZ, data.c_str(),
                              static_cast<DWORD>(data.size() + 1)),
                  ERROR_SUCCESS);
    }
    // reg.exe in a process of its own, as an intruder writes.
    static std::string RegAdd(const std::string& path, const std::string& name, const std::string& data) {
        return "reg.exe add \"HKCU\\" + path + "\" /v " + name + " /d \"" + data + "\" /f";
    }
    static std::string RegDelete(const std::string& path) { return "reg.exe delete \"HKCU\\" + path + "\" /f"; }
    static int ValueCount(const std::string& path) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
        DWORD values = 0;
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                         nullptr);
        RegCloseKey(key);
        return static_cast<int>(values);
    }

    void Activate() {
        FMonitor->SetOnChange(FProbe.Method());
        FMonitor->SetActive(true);
        ASSERT_TRUE(FMonitor->IsWatching());
        // Let the worker arm its notifications before the test changes anything.
        PumpFor(100);
    }
    // Waits for the first report, then lets any further ones arrive; the number of reports.
    int ReportsAfter(int seen) {
        FProbe.WaitBeyond(seen);
        PumpFor(QuietMs);
        return FProbe.Count - seen;
    }

    std::string FKeyPath;
    TChangeProbe FProbe;
    std::unique_ptr<TsxRegistryMonitor> FMonitor;
};

TEST_F(RegistryMonitorTest, AValueWrittenByAnotherProcessIsReportedOnTheGuiThread) {
    Activate();
    ASSERT_EQ(RunProcess(RegAdd(FKeyPath, "Intruder", "C:\\bad\\bad.exe")), 0);
    ASSERT_TRUE(FProbe.WaitBeyond(0));
    EXPECT_EQ(FProbe.Thread.load(), GetCurrentThreadId());
}

TEST_F(RegistryMonitorTest, AValueWrittenByThisProcessIsReported) {
    Activate();
    SetValue(FKeyPath, "Own", "x");
    EXPECT_TRUE(FProbe.WaitBeyond(0));
}

// The protection handler removes one black-listed value per call; a value deleted or written
// while it runs must bring another call, or the key keeps an intruder.
TEST_F(RegistryMonitorTest, ChangesMadeWhileAHandlerRunsAreReportedAgain) {
    FProbe.Action = [&] {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, FKeyPath.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
        char name[256];
        DWORD length = sizeof(name);
        if (RegEnumValueA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
            RegDeleteValueA(key, name);
        RegCloseKey(key);
    };
    Activate();
    for (const char* name : {"First", "Second", "Third"}) SetValue(FKeyPath, name, "C:\\bad\\bad.exe");
    EXPECT_TRUE(PumpUntil([&] { return ValueCount(FKeyPath) == 0; }));
    EXPECT_GE(FProbe.Count.load(), 3);
}

TEST_F(RegistryMonitorTest, AChangeFromAnotherProcessDuringTheHandlerIsReportedAgain) {
    bool first = true;
    FProbe.Action = [&] {
        if (!first) return;
        first = false;
        EXPECT_EQ(RunProcess(RegAdd(FKeyPath, "Late", "late")), 0);
    };
    Activate();
    SetValue(FKeyPath, "Early", "early");
    EXPECT_TRUE(FProbe.WaitBeyond(1));
}

TEST_F(RegistryMonitorTest, AChangeIsDeliveredWhileAMessageBoxIsOpen) {
    const std::string caption = "Sentinox monitor test " + std::to_string(GetCurrentProcessId());
    bool boxWasOpen = false;
    FProbe.Action = [&] {
        HWND box = FindWindowA("#32770", caption.c_str());
        boxWasOpen = box != nullptr;
        if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
    };
    Activate();
    THandle writer;
    // The write starts once the box runs its own modal loop.
    std::thread intruder([&] {
        DWORD start = GetTickCount();
        while (!FindWindowA("#32770", caption.c_str()) && GetTickCount() - start < WatchdogMs) Sleep(10);
        writer = StartProcess(RegAdd(FKeyPath, "WhileModal", "x"));
    });
    TSimpleEvent boxClosed;
    std::thread watchdog([&] {
        if (boxClosed.WaitFor(WatchdogMs + 1000) == wrTimeout)
            if (HWND box = FindWindowA("#32770", caption.c_str())) PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    });
    int answer = MessageBoxA(nullptr, "Waiting for a registry change", caption.c_str(), MB_OKCANCEL);
    boxClosed.SetEvent();
    watchdog.join();
    intruder.join();
    if (writer.IsValid()) WaitForSingleObject(writer.Get(), WatchdogMs);
    EXPECT_EQ(answer, IDOK);
    EXPECT_TRUE(boxWasOpen);
}

TEST_F(RegistryMonitorTest, TheKeyDeletedAndMadeAgainIsReportedOnceEachWay) {
    const std::string watched = FKeyPath + "\\Watched";
    CreateKey(watched);
    FMonitor->SetRegistryKey(watched);
    Activate();
    ASSERT_EQ(RunProcess(RegDelete(watched)), 0);
    EXPECT_EQ(ReportsAfter(0), 1);
    ASSERT_EQ(RunProcess(RegAdd(watched, "Back", "x")), 0);
    EXPECT_GE(ReportsAfter(1), 1);
    // Watched again once it is back.
    int seen = FProbe.Count;
    SetValue(watched, "Again", "y");
    EXPECT_TRUE(FProbe.WaitBeyond(seen));
}

TEST_F(RegistryMonitorTest, AKeyMissingAtActivationIsReportedOnceWhenCreatedThenWatched) {
    const std::string later = FKeyPath + "\\Later";
    FMonitor->SetRegistryKey(later);
    Activate();
    SetValue(FKeyPath, "Unrelated", "x");
    CreateKey(FKeyPath + "\\Other");
    PumpFor(QuietMs);
    EXPECT_EQ(FProbe.Count.load(), 0);
    CreateKey(later);
    EXPECT_EQ(ReportsAfter(0), 1);
    SetValue(later, "Value", "x");
    EXPECT_TRUE(FProbe.WaitBeyond(1));
}

TEST_F(RegistryMonitorTest, AKeyCreatedElsewhereUnderTheRootReportsNothing) {
    Activate();
    CreateKey(FKeyPath + "_Elsewhere");
    PumpFor(QuietMs);
    SHDeleteKeyA(HKEY_CURRENT_USER, (FKeyPath + "_Elsewhere").c_str());
    PumpFor(QuietMs);
    EXPECT_EQ(FProbe.Count.load(), 0);
}

TEST_F(RegistryMonitorTest, WatchSubTreeDecidesWhetherValuesOfSubkeysCount) {
    const std::string sub = FKeyPath + "\\Sub";
    CreateKey(sub);
    for (bool subTree : {false, true}) {
        SCOPED_TRACE(subTree ? "WatchSubTree" : "key only");
        FMonitor->SetWatchSubTree(subTree);
        Activate();
        int seen = FProbe.Count;
        SetValue(sub, "Deep", subTree ? "b" : "a");
        PumpFor(QuietMs);
        EXPECT_EQ(FProbe.Count > seen, subTree);
        // A subkey added to the key itself counts either way (REG_NOTIFY_CHANGE_NAME).
        seen = FProbe.Count;
        CreateKey(FKeyPath + (subTree ? "\\NewB" : "\\NewA"));
        EXPECT_TRUE(FProbe.WaitBeyond(seen));
    }
}

TEST_F(RegistryMonitorTest, NotifyFiltersChooseWhatIsReported) {
    FMonitor->SetWatchSubTree(false);
    FMonitor->SetNotifyFilters(rmfSubTreeChange);
    Activate();
    SetValue(FKeyPath, "Ignored", "x");
    PumpFor(QuietMs);
    EXPECT_EQ(FProbe.Count.load(), 0);
    FMonitor->SetNotifyFilters(rmfValueChange);
    PumpFor(100);
    SetValue(FKeyPath, "Counted", "x");
    EXPECT_TRUE(FProbe.WaitBeyond(0));
}

TEST_F(RegistryMonitorTest, ChangingTheKeyRestartsOnTheNewKey) {
    const std::string other = FKeyPath + "_Other";
    CreateKey(other);
    Activate();
    FMonitor->SetRegistryKey(other);
    EXPECT_TRUE(FMonitor->IsWatching());
    PumpFor(100);
    SetValue(FKeyPath, "Old", "x");
    PumpFor(QuietMs);
    EXPECT_EQ(FProbe.Count.load(), 0);
    SetValue(other, "New", "x");
    EXPECT_TRUE(FProbe.WaitBeyond(0));
    SHDeleteKeyA(HKEY_CURRENT_USER, other.c_str());
}

TEST_F(RegistryMonitorTest, InactiveReportsNothing) {
    Activate();
    FMonitor->SetActive(false);
    EXPECT_FALSE(FMonitor->IsWatching());
    SetValue(FKeyPath, "Unseen", "x");
    PumpFor(QuietMs);
    EXPECT_EQ(FProbe.Count.load(), 0);
}

TEST_F(RegistryMonitorTest, NoWorkerRunsWithoutAHandlerUntilOneIsAssigned) {
    FMonitor->SetActive(true);
    EXPECT_FALSE(FMonitor->IsWatching());
    FMonitor->SetOnChange(FProbe.Method());
    EXPECT_TRUE(FMonitor->IsWatching());
    PumpFor(100);
    SetValue(FKeyPath, "Late", "x");
    EXPECT_TRUE(FProbe.WaitBeyond(0));
}

// The window that owns the handler may be freed while a change waits for the GUI thread.
TEST_F(RegistryMonitorTest, AChangeWaitingWhenTheMonitorIsFreedNeverReachesTheHandler) {
    Activate();
    SetValue(FKeyPath, "Pending", "x");
    // The worker has seen the change and now waits in Synchronize for this thread.
    ASSERT_TRUE(WaitForBlockedSynchronize());
    FMonitor.reset();
    // Serving the waiting call delivers to a monitor that is gone: the handler stays silent.
    ASSERT_TRUE(PumpUntil([] { return !IsSentMessageWaiting(); }));
    PumpFor(QuietMs);
    EXPECT_EQ(FProbe.Count.load(), 0);
}

TEST_F(RegistryMonitorTest, AHandlerExceptionIsShownAndWatchingGoesOn) {
    TErrorCatcher errors;
    FProbe.Action = [] { throw Exception("handler failed"); };
    Activate();
    SetValue(FKeyPath, "One", "x");
    EXPECT_TRUE(FProbe.WaitBeyond(0));
    PumpFor(100);
    SetValue(FKeyPath, "Two", "x");
    EXPECT_TRUE(FProbe.WaitBeyond(1));
    EXPECT_GE(errors.Count(), 2);
}

// ---- read from a window description ----

class TMonitorHost : public TComponent {
public:
    using TComponent::TComponent;
    void monChange() { Probe.Changed(); }
    TChangeProbe Probe;
};

TEST_F(RegistryMonitorTest, ActiveFromADescriptionStartsOnlyInTheLoadStep) {
    FMonitor->BeginLoading();
    FMonitor->SetOnChange(FProbe.Method());
    FMonitor->SetActive(true);
    EXPECT_FALSE(FMonitor->IsWatching());
    FMonitor->Loaded();
    EXPECT_TRUE(FMonitor->IsWatching());
}

TEST_F(RegistryMonitorTest, ADescriptionSetsEveryPropertyAndBindsTheHandler) {
    RegisterMonitorClasses();
    if (!FindClassInfo("TMonitorHost"))
        TClassRegistration<TMonitorHost>("TMonitorHost", "TComponent").Handler("monChange", &TMonitorHost::monChange);
    TMonitorHost host(nullptr);
    LoadDescription(&host, RequireClassInfo("TMonitorHost"),
                    "object host: TMonitorHost\n"
                    "  object mon: TsxRegistryMonitor\n"
                    "    Active = True\n"
                    "    RegistryKey = '" + FKeyPath + "'\n"
                    "    RootKey = rrkCurrentUser\n"
                    "    NotifyFilters = [rmfSubTreeChange, rmfAttributeChange, rmfValueChange]\n"
                    "    WatchSubTree = False\n"
                    "    OnChange = monChange\n"
                    "  end\n"
                    "end\n");
    auto* mon = dynamic_cast<TsxRegistryMonitor*>(host.FindComponent("mon"));
    ASSERT_NE(mon, nullptr);
    EXPECT_EQ(mon->RegistryKey(), FKeyPath);
    EXPECT_EQ(mon->NotifyFilters(), unsigned(rmfSubTreeChange | rmfAttributeChange | rmfValueChange));
    EXPECT_FALSE(mon->WatchSubTree());
    ASSERT_TRUE(mon->IsWatching());
    PumpFor(100);
    SetValue(FKeyPath, "Described", "x");
    EXPECT_TRUE(host.Probe.WaitBeyond(0));

    TMonitorHost bad(nullptr);
    EXPECT_THROW(LoadDescription(&bad, RequireClassInfo("TMonitorHost"),
                                 "object bad: TMonitorHost\n"
                                 "  object mon: TsxRegistryMonitor\n"
                                 "    NotifyFilters = [rmfEverything]\n"
                                 "  end\n"
                                 "end\n"),
                 EDescriptionError);
}

}  // namespace
