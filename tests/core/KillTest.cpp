// tests/core/KillTest.cpp -- Kill against real processes: copies of sxsleeper.exe under two names
#include <gtest/gtest.h>

#include <windows.h>

#include "SleeperProcesses.h"
#include "process/Kill.h"

namespace {

class KillTest : public ::testing::Test {
protected:
    void SetUp() override {
        FSleepers.Place("one\\sxkillme.exe");
        FSleepers.Place("two\\SXKILLME.EXE");
        StartVictims();
        FBystander = FSleepers.Start(FSleepers.Place("one\\sxkillmenot.exe"));
    }

    // Three copies of one program from two folders, one folder's file in other letter case.
    void StartVictims() {
        FVictims = {FSleepers.Start(FSleepers.Folder() + "one\\sxkillme.exe"),
                    FSleepers.Start(FSleepers.Folder() + "one\\sxkillme.exe"),
                    FSleepers.Start(FSleepers.Folder() + "two\\SXKILLME.EXE")};
    }

    bool AnyVictimRunning() const {
        for (size_t victim : FVictims)
            if (FSleepers.IsRunning(victim)) return true;
        return false;
    }

    TSleeperProcesses FSleepers;
    std::vector<size_t> FVictims;
    size_t FBystander = 0;
};

TEST_F(KillTest, EndsEveryProcessOfTheFileNameWhateverFolderOrCaseAndOnlyThose) {
    struct TCase {
        const char* ExeName;
        const char* Why;
    };
    const TCase cases[] = {
        {"sxkillme.exe", "bare name"},
        {"C:\\Somewhere\\Else\\SxKillMe.EXE", "the folder plays no part, case ignored"},
        {"d:sxkillme.exe", "the name is what follows a drive colon"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Why);
        if (!AnyVictimRunning()) StartVictims();
        EXPECT_TRUE(Kill(c.ExeName));
        // Kill waits for them: when it returns they are gone, not merely asked to go.
        for (size_t victim : FVictims) EXPECT_FALSE(FSleepers.IsRunning(victim)) << "victim " << victim;
        EXPECT_TRUE(FSleepers.IsRunning(FBystander));
    }
}

TEST_F(KillTest, IsFalseAndEndsNothingWhenNoFileNameMatches) {
    const char* names[] = {
        "",                         // no name at all
        "C:\\Somewhere\\",          // a folder without a file name
        "killme.exe",               // only the tail of the running file's name
        "sxkillme",                 // without its extension
        "sxkillme.exe.bak",
        "sxsentinoxnosuchprogram.exe",
    };
    for (const char* name : names) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(Kill(name));
    }
    for (size_t victim : FVictims) EXPECT_TRUE(FSleepers.IsRunning(victim));
    EXPECT_TRUE(FSleepers.IsRunning(FBystander));
}

TEST_F(KillTest, LeavesNoHandleOpen) {
    DWORD before = 0, after = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
    EXPECT_FALSE(Kill("sxsentinoxnosuchprogram.exe"));
    EXPECT_TRUE(Kill("sxkillmenot.exe"));
    EXPECT_TRUE(Kill("SXKILLME.exe"));
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
    EXPECT_EQ(before, after);
}

TEST_F(KillTest, WithoutWaitingStillEndsThemAll) {
    EXPECT_TRUE(Kill("sxkillme.exe", 0));
    for (size_t victim : FVictims) EXPECT_TRUE(FSleepers.EndsWithin(victim, 5000));
    EXPECT_TRUE(FSleepers.IsRunning(FBystander));
}

TEST_F(KillTest, StopProgramCountsAProgramAlreadyGoneAsStopped) {
    // Nothing of the name runs: Kill matches nothing (false), yet the program is not running.
    EXPECT_FALSE(Kill("sxsentinoxnosuchprogram.exe"));
    EXPECT_TRUE(StopProgram("sxsentinoxnosuchprogram.exe"));
    // Stopped from another folder's path, then asked again: gone by then, still a success.
    EXPECT_TRUE(IsProgramRunning("C:\\elsewhere\\SXKILLME.EXE"));
    EXPECT_TRUE(StopProgram("C:\\elsewhere\\SXKILLME.EXE"));
    for (size_t victim : FVictims) EXPECT_FALSE(FSleepers.IsRunning(victim)) << "victim " << victim;
    EXPECT_FALSE(IsProgramRunning(FSleepers.Folder() + "one\\sxkillme.exe"));
    EXPECT_TRUE(StopProgram(FSleepers.Folder() + "two\\SXKILLME.EXE"));
    EXPECT_TRUE(FSleepers.IsRunning(FBystander));
    EXPECT_FALSE(IsProgramRunning(""));
}

TEST_F(KillTest, AProcessThatDeniesTerminationIsNeitherKilledNorStopped) {
    std::string path = FSleepers.Place("guard\\sxguarded.exe");
    size_t guarded = FSleepers.StartUnstoppable(path);
    size_t plain = FSleepers.Start(FSleepers.Place("other\\sxguarded.exe"));
    // Every match is asked; one refusal makes the whole Kill false.
    EXPECT_FALSE(Kill(path));
    EXPECT_FALSE(StopProgram(path));
    EXPECT_TRUE(FSleepers.IsRunning(guarded));
    EXPECT_FALSE(FSleepers.IsRunning(plain));
    EXPECT_TRUE(IsProgramRunning(path));
}

TEST(KillKeyTest, IsTheLowerCasedNamePart) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Program Files\\Bad\\EVIL.EXE", "evil.exe"},
        {"c:evil.exe", "evil.exe"},
        {"Evil.Exe", "evil.exe"},
        {"C:\\folder\\", ""},
        {"", ""},
    };
    for (const auto& [path, key] : cases) EXPECT_EQ(key, KillKey(path)) << path;
}

} // namespace
