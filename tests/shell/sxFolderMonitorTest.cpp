// tests/shell/sxFolderMonitorTest.cpp -- TsxFolderMonitor on a folder of its own under %TEMP%,
// with files made by cmd.exe in another process and by this one
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "desktop/Application.h"
#include "shell/sxFolderMonitor.h"
#include "sxMonitorTestSupport.h"

using namespace sxtest;

namespace {

class FolderMonitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof(temp), temp);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        FFolder = std::string(temp) + "SentinoxTest_" + info->name() + "_" + std::to_string(GetCurrentProcessId());
        RemoveFolder();
        ASSERT_TRUE(CreateDirectoryA(FFolder.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((FFolder + "\\sub").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((FFolder + "\\sub\\inner").c_str(), nullptr));
        FMonitor = std::make_unique<TsxFolderMonitor>(nullptr);
        FMonitor->SetFolder(FFolder);
    }
    void TearDown() override {
        FMonitor.reset();
        RemoveFolder();
    }
    void RemoveFolder() {
        std::string from = FFolder + '\0';
        SHFILEOPSTRUCTA operation = {};
        operation.wFunc = FO_DELETE;
        operation.pFrom = from.c_str();
        operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        SHFileOperationA(&operation);
    }
    static void WriteFile(const std::string& path, const std::string& text) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        SetFilePointer(file, 0, nullptr, FILE_END);
        DWORD written = 0;
        ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
    }
    // cmd.exe in a process of its own, as an intruder drops a file.
    static std::string EchoTo(const std::string& path) { return "cmd.exe /c echo intruder > \"" + path + "\""; }

    void Activate() {
        FMonitor->SetOnChange(FProbe.Method());
        FMonitor->SetActive(true);
        ASSERT_TRUE(FMonitor->IsWatching());
        PumpFor(100);
    }
    bool ReportedWithin(int seen) {
        bool reported = FProbe.WaitBeyond(seen, QuietMs);
        PumpFor(100);
        return reported;
    }

    std::string FFolder;
    TChangeProbe FProbe;
    std::unique_ptr<TsxFolderMonitor> FMonitor;
};

TEST_F(FolderMonitorTest, AFileMadeByAnotherProcessIsReportedOnTheGuiThread) {
    Activate();
    ASSERT_EQ(RunProcess(EchoTo(FFolder + "\\bad.exe")), 0);
    ASSERT_TRUE(FProbe.WaitBeyond(0));
    EXPECT_EQ(FProbe.Thread.load(), GetCurrentThreadId());
}

TEST_F(FolderMonitorTest, WatchSubTreeDecidesWhetherSubfoldersCount) {
    for (bool subTree : {true, false}) {
        SCOPED_TRACE(subTree ? "WatchSubTree" : "folder only");
        FMonitor->SetWatchSubTree(subTree);
        Activate();
        int seen = FProbe.Count;
        ASSERT_EQ(RunProcess(EchoTo(FFolder + "\\sub\\inner\\deep" + std::to_string(subTree) + ".exe")), 0);
        EXPECT_EQ(ReportedWithin(seen), subTree);
        seen = FProbe.Count;
        ASSERT_EQ(RunProcess(EchoTo(FFolder + "\\top" + std::to_string(subTree) + ".exe")), 0);
        EXPECT_TRUE(ReportedWithin(seen));
    }
}

TEST_F(FolderMonitorTest, FoldersMadeAfterActivationAreWatchedToo) {
    Activate();
    const std::string made = FFolder + "\\sub\\made";
    ASSERT_TRUE(CreateDirectoryA(made.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((made + "\\deeper").c_str(), nullptr));
    PumpFor(200);
    int seen = FProbe.Count;
    ASSERT_EQ(RunProcess(EchoTo(made + "\\deeper\\late.exe")), 0);
    EXPECT_TRUE(ReportedWithin(seen));
}

TEST_F(FolderMonitorTest, NotifyFiltersChooseWhatIsReported) {
    const std::string existing = FFolder + "\\existing.txt";
    WriteFile(existing, "old");
    struct TCase {
        const char* Name;
        TFolderMonitorFilters Filters;
        bool WriteReported, CreateReported;
    };
    for (const TCase& c : {TCase{"file names", fmfFileNameChange, false, true},
                           TCase{"folder names", fmfDirNameChange, false, false},
                           TCase{"last write", fmfWriteChange, true, true}}) {
        SCOPED_TRACE(c.Name);
        FMonitor->SetNotifyFilters(c.Filters);
        Activate();
        int seen = FProbe.Count;
        WriteFile(existing, "more");
        EXPECT_EQ(ReportedWithin(seen), c.WriteReported);
        seen = FProbe.Count;
        WriteFile(FFolder + "\\new_" + c.Name + ".txt", "new");
        EXPECT_EQ(ReportedWithin(seen), c.CreateReported);
    }
}

TEST_F(FolderMonitorTest, AFileMadeWhileTheHandlerRunsIsReportedAgain) {
    bool first = true;
    FProbe.Action = [&] {
        if (!first) return;
        first = false;
        EXPECT_EQ(RunProcess(EchoTo(FFolder + "\\second.exe")), 0);
    };
    Activate();
    WriteFile(FFolder + "\\first.exe", "x");
    EXPECT_TRUE(FProbe.WaitBeyond(1));
}

TEST_F(FolderMonitorTest, AMissingFolderEndsTheWorkerAndAnotherFolderStartsAgain) {
    FMonitor->SetFolder(FFolder + "\\missing");
    FMonitor->SetOnChange(FProbe.Method());
    FMonitor->SetActive(true);
    EXPECT_TRUE(PumpUntil([&] { return !FMonitor->IsWatching(); }));
    // The component forgets the worker that freed itself and starts a fresh one.
    FMonitor->SetFolder(FFolder);
    EXPECT_TRUE(FMonitor->IsWatching());
    PumpFor(100);
    WriteFile(FFolder + "\\found.exe", "x");
    EXPECT_TRUE(FProbe.WaitBeyond(0));
}

TEST_F(FolderMonitorTest, ABlankFolderWatchesTheCurrentDirectory) {
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof(previous), previous);
    ASSERT_TRUE(SetCurrentDirectoryA((FFolder + "\\sub").c_str()));
    FMonitor->SetFolder(" \t");
    FMonitor->SetWatchSubTree(false);
    Activate();
    SetCurrentDirectoryA(previous);
    WriteFile(FFolder + "\\sub\\here.exe", "x");
    EXPECT_TRUE(FProbe.WaitBeyond(0));
}

TEST_F(FolderMonitorTest, InactiveReportsNothing) {
    Activate();
    FMonitor->SetActive(false);
    EXPECT_FALSE(FMonitor->IsWatching());
    WriteFile(FFolder + "\\unseen.exe", "x");
    PumpFor(QuietMs);
    EXPECT_EQ(FProbe.Count.load(), 0);
}

TEST_F(FolderMonitorTest, NoWorkerRunsWithoutAHandler) {
    FMonitor->SetActive(true);
    EXPECT_FALSE(FMonitor->IsWatching());
}

// Protection must not end silently because one reaction failed.
TEST_F(FolderMonitorTest, AHandlerExceptionIsShownAndWatchingGoesOn) {
    TErrorCatcher errors;
    FProbe.Action = [] { throw Exception("Couldn't create a directory for the trashcan."); };
    Activate();
    WriteFile(FFolder + "\\one.exe", "x");
    EXPECT_TRUE(FProbe.WaitBeyond(0));
    PumpFor(100);
    WriteFile(FFolder + "\\two.exe", "x");
    EXPECT_TRUE(FProbe.WaitBeyond(1));
    EXPECT_GE(errors.Count(), 2);
    EXPECT_EQ(errors.LastMessage(), "Couldn't create a directory for the trashcan.");
    EXPECT_TRUE(FMonitor->IsWatching());
}

TEST_F(FolderMonitorTest, AChangeWaitingWhenTheMonitorIsFreedNeverReachesTheHandler) {
    Activate();
    WriteFile(FFolder + "\\pending.exe", "x");
    // The worker has seen the change and now waits in Synchronize for this thread.
    ASSERT_TRUE(WaitForBlockedSynchronize());
    FMonitor.reset();
    // Serving the waiting call delivers to a monitor that is gone: the handler stays silent.
    ASSERT_TRUE(PumpUntil([] { return !IsSentMessageWaiting(); }));
    PumpFor(QuietMs);
    EXPECT_EQ(FProbe.Count.load(), 0);
}

}  // namespace
