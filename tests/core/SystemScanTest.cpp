// tests/core/SystemScanTest.cpp -- the scan's rules through TSystemScan, with a scripted window
//
// The four autostart places are scratch keys under HKEY_CURRENT_USER and the lists real files
// under %TEMP%; the running programs, the settings and the answers come from the script.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ScratchKey.h"
#include "TempIniFile.h"
#include "core/SystemScan.h"
#include "desktop/IniFile.h"

namespace {

// Plays the main window: notes what the scan set, painted, told and asked.
class TScriptedWindow : public TScanWindow {
public:
    std::map<TScanSetting, bool> Ticked = {{TScanSetting::ScanRegistry, true},
                                           {TScanSetting::ScanMemory, true},
                                           {TScanSetting::RemoveBadKeys, true},
                                           {TScanSetting::RemoveBadApps, false}};
    std::vector<std::string> Running;
    bool Shown = true;
    // Runs at every "let pending events run", with the number of the call (from 1).
    std::function<void(int call)> OnEvents;
    uint64_t Now = 1000;
    uint64_t MsPerEvents = 0;             // the clock moves on this much at every event run
    uint64_t MsPerRedraw = 0;             // and this much at every paint

    std::vector<std::string> Statuses;    // every text set
    std::vector<std::string> Painted;     // the status at every Redraw
    std::vector<std::pair<int, int>> PaintedProgress;   // position and maximum at every Redraw
    std::map<TScanCounter, std::vector<int>> Counters;   // every value set
    int ProgressMax = -1, ProgressPosition = -1;
    int EventRuns = 0;
    std::vector<std::string> Told;
    std::vector<std::string> NewSoftwareDecided;
    std::vector<std::pair<std::string, bool>> BadApplicationsDecided;
    std::vector<std::string> Balloons;
    int ClosesMade = 0;

    void SetStatus(const std::string& text) override { Statuses.push_back(text); }
    void SetProgressMax(int value) override { ProgressMax = value; }
    void SetProgressPosition(int value) override { ProgressPosition = value; }
    void SetCounter(TScanCounter counter, int value) override { Counters[counter].push_back(value); }
    void Redraw() override {
        Painted.push_back(Statuses.empty() ? "" : Statuses.back());
        PaintedProgress.push_back({ProgressPosition, ProgressMax});
        Now += MsPerRedraw;
    }
    void ProcessEvents() override {
        ++EventRuns;
        Now += MsPerEvents;
        if (OnEvents) OnEvents(EventRuns);
    }
    bool IsTicked(TScanSetting setting) override { return Ticked[setting]; }
    std::vector<std::string> RefreshProcessList() override { return Running; }
    bool IsShown() override { return Shown; }
    void ShowBalloon(const std::string& title, const std::string& text) override { Balloons.push_back(title + ": " + text); }
    void Tell(TScanMessage, const std::string& text) override { Told.push_back(text); }
    bool IsEnding() override { return false; }
    void DecideAboutNewSoftware(const std::string& commandLine) override { NewSoftwareDecided.push_back(commandLine); }
    void DecideAboutBadApplication(const std::string& path, bool automatic) override {
        BadApplicationsDecided.push_back({path, automatic});
    }
    void CloseHeldBack() override { ++ClosesMade; }

    int Last(TScanCounter counter) { return Counters[counter].empty() ? -1 : Counters[counter].back(); }
};

class SystemScanTest : public ::testing::Test {
protected:
    SystemScanTest()
        : FWhiteFile("TESTER_white.snx"), FBlackFile("TESTER_black.snx"), FWhite(FWhiteFile.Path()),
          FBlack(FBlackFile.Path()), FScan(FWindow, Places(), [this] { return FWindow.Now; }) {}

    std::vector<TAutostartPlace> Places() {
        std::vector<TAutostartPlace> places;
        for (TScratchKey& key : FKeys) places.push_back({HKEY_CURRENT_USER, key.Path()});
        return places;
    }
    TScratchKey& Key(int number) { return FKeys[number - 1]; }   // 1 to 4, in the order visited
    void White(int slot, const std::string& path) { FWhite.WriteString("list", std::to_string(slot), path); }
    void Black(int slot, const std::string& path) { FBlack.WriteString("list", std::to_string(slot), path); }
    bool Run(bool silent = true) { return FScan.Run(FWhite, FBlack, silent); }

    TScratchKey FKeys[4] = {TScratchKey("SystemScan"), TScratchKey("SystemScan"), TScratchKey("SystemScan"),
                            TScratchKey("SystemScan")};
    TTempIniFile FWhiteFile, FBlackFile;
    TIniFile FWhite, FBlack;
    TScriptedWindow FWindow;
    TSystemScan FScan;
};

struct TSlotCase {
    const char* What;
    int WhiteSlot, BlackSlot;   // -1: not on that list
    enum { New, Allowed, Bad } Verdict;
};

TEST_F(SystemScanTest, TheLowestSlotDecidesAndAtOneSlotTheWhiteListWins) {
    const std::vector<TSlotCase> cases = {
        {"white 5, black 2", 5, 2, TSlotCase::Bad},
        {"white 2, black 5", 2, 5, TSlotCase::Allowed},
        {"slot 3 of both", 3, 3, TSlotCase::Allowed},
        {"black only, far down", -1, 200, TSlotCase::Bad},
        {"white only", 0, -1, TSlotCase::Allowed},
        {"on neither list", -1, -1, TSlotCase::New},
    };
    const std::string program = "C:\\Apps\\tool.exe";
    FWindow.Ticked[TScanSetting::RemoveBadKeys] = false;
    for (const TSlotCase& c : cases) {
        SCOPED_TRACE(c.What);
        FWhite.EraseSection("list");
        FBlack.EraseSection("list");
        // Other entries in the slots before, so the slot number is what decides.
        for (int slot = 0; slot <= 200; ++slot) {
            White(slot, slot == c.WhiteSlot ? program : "C:\\White\\w" + std::to_string(slot) + ".exe");
            Black(slot, slot == c.BlackSlot ? program : "C:\\Black\\b" + std::to_string(slot) + ".exe");
        }
        Key(1).Write("Tool", "\"" + program + "\" /tray");
        FWindow.NewSoftwareDecided.clear();
        ASSERT_TRUE(Run());
        EXPECT_EQ(c.Verdict == TSlotCase::New ? std::vector<std::string>{program} : std::vector<std::string>{},
                  FWindow.NewSoftwareDecided);
        EXPECT_EQ(c.Verdict == TSlotCase::Bad ? std::vector<std::string>{program} : std::vector<std::string>{},
                  FScan.BadValues());
    }
}

TEST_F(SystemScanTest, StopDuringKey2SkipsTheRestButReportsAndDecidesWhatWasFound) {
    Key(1).Write("a", "C:\\k1\\a.exe");
    Key(1).Write("b", "C:\\k1\\b.exe");
    Key(2).Write("a", "C:\\k2\\a.exe");
    Key(2).Write("b", "C:\\k2\\b.exe");
    Key(2).Write("c", "C:\\k2\\c.exe");
    Key(3).Write("a", "C:\\k3\\a.exe");
    Key(4).Write("a", "C:\\k4\\a.exe");
    Black(7, "C:\\Bad\\running.exe");
    FWindow.Running = {"C:\\Bad\\running.exe"};
    // Events run once per value: the fourth run is the one of key 2's second value.
    FWindow.OnEvents = [this](int call) {
        if (call == 4) FScan.Stop();
    };
    ASSERT_TRUE(Run());

    EXPECT_EQ((std::vector<std::string>{"C:\\k1\\a.exe", "C:\\k1\\b.exe", "C:\\k2\\a.exe", "C:\\k2\\b.exe"}),
              FWindow.NewSoftwareDecided);
    EXPECT_TRUE(FWindow.BadApplicationsDecided.empty()) << "Black List slots skipped";
    EXPECT_EQ(4 + 201, FWindow.EventRuns) << "events still run at every Black List slot";
    EXPECT_EQ(4, FWindow.Last(TScanCounter::NewValues));
    EXPECT_EQ("Scan finished.", FWindow.Statuses.back());

    // The next scan starts unstopped.
    FWindow.OnEvents = nullptr;
    FWindow.NewSoftwareDecided.clear();
    ASSERT_TRUE(Run());
    EXPECT_EQ(7u, FWindow.NewSoftwareDecided.size());
    EXPECT_EQ(1u, FWindow.BadApplicationsDecided.size());
}

struct TRemovalCase {
    const char* What;
    bool RemoveBadKeys;
};

TEST_F(SystemScanTest, CountersCountWhatWasFoundAndBadValuesGoOnlyWhenRemovalIsTicked) {
    for (const TRemovalCase c : {TRemovalCase{"removal ticked", true}, TRemovalCase{"removal unticked", false}}) {
        SCOPED_TRACE(c.What);
        FWindow = TScriptedWindow();
        FWindow.Ticked[TScanSetting::RemoveBadKeys] = c.RemoveBadKeys;
        Key(1).Write("new1", "C:\\New\\one.exe -x");
        Key(3).Write("new2", "C:\\New\\two.exe");
        Key(2).Write("bad", "\"C:\\Bad\\bad.exe\" /silent");
        // White-listed, but its command line contains the bad entry: it goes with it.
        Key(4).Write("badtoo", "C:\\Tools\\runner.exe C:\\BAD\\BAD.EXE");
        White(1, "C:\\Tools\\runner.exe C:\\BAD\\BAD.EXE");
        Key(4).Write("fine", "C:\\Fine\\fine.exe");
        White(0, "C:\\Fine\\fine.exe");
        Black(0, "C:\\Bad\\bad.exe");
        Black(1, "C:\\Bad\\app1.exe");
        Black(2, "C:\\Bad\\app2.exe");
        FWindow.Running = {"C:\\Bad\\app1.exe", "C:\\Good\\ok.exe", "c:\\bad\\APP2.exe"};

        ASSERT_TRUE(Run());
        // Reset at the start, then the counts of this scan.
        for (TScanCounter counter : {TScanCounter::NewValues, TScanCounter::BadValues, TScanCounter::Applications,
                                     TScanCounter::BadApplications})
            EXPECT_EQ(0, FWindow.Counters[counter].front());
        EXPECT_EQ(2, FWindow.Last(TScanCounter::NewValues));
        EXPECT_EQ(1, FWindow.Last(TScanCounter::BadValues));
        EXPECT_EQ(0, FWindow.Last(TScanCounter::Applications));
        EXPECT_EQ(2, FWindow.Last(TScanCounter::BadApplications));
        EXPECT_EQ(3, FWindow.Last(TScanCounter::BadItems));

        const auto bad = Key(2).Values(), other = Key(4).Values();
        if (c.RemoveBadKeys) {
            EXPECT_TRUE(bad.empty());
            EXPECT_EQ((std::map<std::string, std::string>{{"fine", "C:\\Fine\\fine.exe"}}), other);
            EXPECT_TRUE(FScan.BadValues().empty());
        } else {
            EXPECT_EQ(1u, bad.size());
            EXPECT_EQ(2u, other.size());
            EXPECT_EQ(std::vector<std::string>{"C:\\Bad\\bad.exe"}, FScan.BadValues()) << "kept until the next scan";
        }
        EXPECT_EQ(2u, Key(1).Values().size() + Key(3).Values().size()) << "new values are left to the decisions";
    }
}

TEST_F(SystemScanTest, OneDecisionPerRunningProgramAndOnePerRegisteredValue) {
    // Registered in two keys: two entries, two decisions.
    Key(1).Write("twice", "C:\\New\\twice.exe");
    Key(3).Write("twice", "\"C:\\New\\twice.exe\" -min");
    // Running twice, and listed twice in other letter case: one decision.
    Black(3, "C:\\Bad\\app.exe");
    Black(9, "C:\\BAD\\APP.EXE");
    FWindow.Running = {"C:\\Bad\\app.exe", "C:\\Bad\\app.exe"};
    FWindow.Ticked[TScanSetting::RemoveBadApps] = true;

    ASSERT_TRUE(Run());
    EXPECT_EQ((std::vector<std::string>{"C:\\New\\twice.exe", "C:\\New\\twice.exe"}), FWindow.NewSoftwareDecided);
    EXPECT_EQ((std::vector<std::pair<std::string, bool>>{{"C:\\Bad\\app.exe", true}}), FWindow.BadApplicationsDecided);
    EXPECT_EQ(1, FWindow.Last(TScanCounter::BadApplications));
    EXPECT_TRUE(FScan.NewSoftware().empty());
    EXPECT_TRUE(FScan.BadApplications().empty());
}

TEST_F(SystemScanTest, ASecondScanIsRefusedWhileOneRunsAndAHeldBackCloseComesAtTheEnd) {
    Key(1).Write("a", "C:\\New\\a.exe");
    Key(1).Write("b", "C:\\New\\b.exe");
    bool refused = false, held = false;
    FWindow.OnEvents = [&](int call) {
        if (call != 1) return;
        EXPECT_TRUE(FScan.IsRunning());
        refused = !FScan.Run(FWhite, FBlack, false);
        held = FScan.HoldBackClose();
        EXPECT_EQ(0, FWindow.ClosesMade) << "not before the scan's end";
    };
    ASSERT_TRUE(Run());
    EXPECT_TRUE(refused);
    EXPECT_TRUE(held);
    EXPECT_FALSE(FScan.IsRunning());
    EXPECT_EQ(1, FWindow.ClosesMade);
    // The refused start changed nothing: one scan's worth of decisions and messages.
    EXPECT_EQ((std::vector<std::string>{"C:\\New\\a.exe", "C:\\New\\b.exe"}), FWindow.NewSoftwareDecided);
    EXPECT_TRUE(FWindow.Told.empty());

    // Without a scan a close waits for nothing.
    FWindow.OnEvents = nullptr;
    EXPECT_FALSE(FScan.HoldBackClose());
    ASSERT_TRUE(Run());
    EXPECT_EQ(1, FWindow.ClosesMade);
}

TEST_F(SystemScanTest, NothingToScanIsToldEvenWhenSilentAndAHiddenWindowGetsTheBalloon) {
    FWindow.Ticked[TScanSetting::ScanRegistry] = false;
    FWindow.Ticked[TScanSetting::ScanMemory] = false;
    ASSERT_TRUE(Run(true));
    EXPECT_EQ(std::vector<std::string>{"First you need to select areas to be scanned - registry,\r"
                                       "memory or both. Go to the 'Settings' tab."},
              FWindow.Told);
    EXPECT_EQ("Scan canceled.", FWindow.Statuses.back());
    EXPECT_EQ("Scan canceled.", FWindow.Painted.back());

    FWindow = TScriptedWindow();
    FWindow.Shown = false;
    ASSERT_TRUE(Run(true));
    EXPECT_EQ(std::vector<std::string>{"Sentinox: Scan finished. Click here to see the results."}, FWindow.Balloons);
    EXPECT_TRUE(FWindow.Told.empty()) << "silent";
    ASSERT_TRUE(Run(false));
    EXPECT_EQ(1u, FWindow.Balloons.size()) << "not silent: no balloon";
    EXPECT_EQ(std::vector<std::string>{"Scan Areas:\r* System memory (RAM)\r* Windows Registry\r\rScan Result:\r"
                                       "* No new or bad software found."},
              FWindow.Told);
}

struct TDrawCase {
    const char* What;
    uint64_t MsPerValue;
    size_t MinPaints, MaxPaints;   // within the loop over 50 values
    uint64_t MsPerPaint = 0;
};

TEST_F(SystemScanTest, EveryStepIsSetButPaintedAtMostEvery16MsAndAlwaysAtEachLoopsEnds) {
    const std::vector<TDrawCase> cases = {
        {"fast: only the first and last step", 0, 2, 2},
        {"2 ms a value: about every eighth", 2, 2 + 100 / 16 - 1, 2 + 100 / 16 + 1},
        {"slow: every step", 20, 50, 50},
        // The interval runs from a paint's end: a paint slower than it does not make the next step due.
        {"paints slower than the interval, fast steps", 0, 2, 2, 40},
        {"paints of 40 ms, 2 ms a value", 2, 2 + 100 / 16 - 1, 2 + 100 / 16 + 1, 40},
    };
    for (int i = 0; i < 50; ++i) Key(2).Write("v" + std::to_string(i), "C:\\W\\v" + std::to_string(i) + ".exe");
    for (int i = 0; i < 50; ++i) White(i, "C:\\W\\v" + std::to_string(i) + ".exe");
    FWindow.Ticked[TScanSetting::ScanMemory] = false;
    for (const TDrawCase& c : cases) {
        SCOPED_TRACE(c.What);
        FWindow = TScriptedWindow();
        FWindow.Ticked[TScanSetting::ScanMemory] = false;
        FWindow.MsPerEvents = c.MsPerValue;
        FWindow.MsPerRedraw = c.MsPerPaint;
        ASSERT_TRUE(Run());
        size_t set = 0, painted = 0;
        for (const std::string& status : FWindow.Statuses) set += status.rfind("Checking registry values: ", 0) == 0;
        for (const std::string& status : FWindow.Painted) painted += status.rfind("Checking registry values: ", 0) == 0;
        EXPECT_EQ(50u, set);
        EXPECT_GE(painted, c.MinPaints);
        EXPECT_LE(painted, c.MaxPaints);
        const auto first = std::find(FWindow.Painted.begin(), FWindow.Painted.end(), "Checking registry values: 0 of 50");
        const auto last = std::find(FWindow.Painted.begin(), FWindow.Painted.end(), "Checking registry values: 49 of 50");
        ASSERT_NE(first, FWindow.Painted.end());
        ASSERT_NE(last, FWindow.Painted.end());
        EXPECT_EQ((std::pair<int, int>{0, 49}), FWindow.PaintedProgress[first - FWindow.Painted.begin()]);
        EXPECT_EQ((std::pair<int, int>{49, 49}), FWindow.PaintedProgress[last - FWindow.Painted.begin()]);
        EXPECT_EQ("Scan finished.", FWindow.Painted.back()) << "the end is always painted";
    }
}

// Another program may change a list while the scan lets events run: the next value's
// comparison sees the file as it is then, even after a same-size rewrite.
TEST_F(SystemScanTest, AListRewrittenByAnotherProgramDuringAScanCountsFromTheNextComparison) {
    Key(1).Write("a", "C:\\Apps\\aaa.exe");
    Key(1).Write("b", "C:\\Apps\\bbb.exe");
    Black(0, "C:\\Apps\\zzz.exe");
    FWindow.Ticked[TScanSetting::RemoveBadKeys] = false;
    bool rewritten = false;
    FWindow.OnEvents = [&](int call) {
        // Before the first value's comparison: both values now black-listed (same size).
        if (call == 1) {
            std::string text = FBlackFile.Text();
            text.replace(text.find("zzz"), 3, "bbb");
            rewritten = FBlackFile.RewriteFromAnotherProcess(text);
        }
    };
    ASSERT_TRUE(Run());
    ASSERT_TRUE(rewritten);
    EXPECT_EQ(std::vector<std::string>{"C:\\Apps\\aaa.exe"}, FWindow.NewSoftwareDecided);
    EXPECT_EQ(std::vector<std::string>{"C:\\Apps\\bbb.exe"}, FScan.BadValues());

    // And between two scans.
    FWindow.OnEvents = nullptr;
    std::string text = FBlackFile.Text();
    text.replace(text.find("bbb"), 3, "aaa");
    ASSERT_TRUE(FBlackFile.RewriteFromAnotherProcess(text));
    FWindow.NewSoftwareDecided.clear();
    ASSERT_TRUE(Run());
    EXPECT_EQ(std::vector<std::string>{"C:\\Apps\\bbb.exe"}, FWindow.NewSoftwareDecided);
    EXPECT_EQ(std::vector<std::string>{"C:\\Apps\\aaa.exe"}, FScan.BadValues());
}

} // namespace
