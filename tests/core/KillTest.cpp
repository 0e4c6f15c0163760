// tests/core/KillTest.cpp -- Kill against real processes: copies of sxsleeper.exe under two names
#include <gtest/gtest.h>

#include <windows.h>

#include "SleeperProcesses.h"
#include "core/Kill.h"

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
