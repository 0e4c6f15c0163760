// tests/core/ListFileTest.cpp -- the slot rules of the list files, against real INI files
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "TempIniFile.h"
#include "core/ListFile.h"
#include "core/ListFileCopy.h"
#include "desktop/IniFile.h"

namespace {

using TSlots = std::map<std::string, std::string>;   // key -> value, as in the file

class ListFileTest : public ::testing::Test {
protected:
    ListFileTest() : FFile("TESTER_white.snx"), FList(FFile.Path()) {}
    void Clear() {
        for (const auto& [key, value] : Slots()) FList.DeleteKey("list", key);
    }
    void Fill(const TSlots& slots) {
        for (const auto& [key, value] : slots) FList.WriteString("list", key, value);
    }
    TSlots Slots() const { return FFile.Section("list"); }
    // Slots "0" .. count-1 holding "C:\p<n>.exe".
    static TSlots Numbered(int count) {
        TSlots slots;
        for (int i = 0; i < count; ++i) slots[std::to_string(i)] = "C:\\p" + std::to_string(i) + ".exe";
        return slots;
    }

    TTempIniFile FFile;
    TIniFile FList;
};

struct TAddCase {
    const char* What;
    TSlots Before;
    std::string Path;
    bool Listed;
    TSlots After;
};

TEST_F(ListFileTest, AddWritesTheFirstFreeSlotUnlessTheExactTextIsListed) {
    const std::vector<TAddCase> cases = {
        {"empty list", {}, "C:\\a.exe", true, {{"0", "C:\\a.exe"}}},
        {"exact duplicate", {{"0", "C:\\a.exe"}}, "C:\\a.exe", true, {{"0", "C:\\a.exe"}}},
        {"other letter case is another entry", {{"0", "C:\\A.EXE"}}, "C:\\a.exe", true,
         {{"0", "C:\\A.EXE"}, {"1", "C:\\a.exe"}}},
        {"a hole is filled", {{"0", "C:\\a.exe"}, {"1", "C:\\b.exe"}, {"3", "C:\\d.exe"}}, "C:\\x.exe", true,
         {{"0", "C:\\a.exe"}, {"1", "C:\\b.exe"}, {"2", "C:\\x.exe"}, {"3", "C:\\d.exe"}}},
        {"a slot holding the free-slot text is free", {{"0", "defval"}, {"1", "C:\\b.exe"}}, "C:\\x.exe", true,
         {{"0", "C:\\x.exe"}, {"1", "C:\\b.exe"}}},
        {"a duplicate beyond a hole", {{"0", "C:\\a.exe"}, {"7", "C:\\x.exe"}}, "C:\\x.exe", true,
         {{"0", "C:\\a.exe"}, {"7", "C:\\x.exe"}}},
        {"an empty path is not stored", {{"0", "C:\\a.exe"}}, "", false, {{"0", "C:\\a.exe"}}},
    };
    for (const TAddCase& c : cases) {
        SCOPED_TRACE(c.What);
        Clear();
        Fill(c.Before);
        EXPECT_EQ(c.Listed, listfile::Add(FList, c.Path));
        EXPECT_EQ(c.After, Slots());
    }
}

TEST_F(ListFileTest, AFullListOf201SlotsTakesNothingMore) {
    Fill(Numbered(201));
    EXPECT_EQ(-1, listfile::FirstFreeSlot(FList));
    EXPECT_FALSE(listfile::Add(FList, "C:\\new.exe"));
    EXPECT_TRUE(listfile::Add(FList, "C:\\p200.exe"));   // already there, in the last slot
    EXPECT_EQ(Numbered(201), Slots());

    // Slot "200" is the last one: with 200 used, the new path goes there and nowhere else.
    FList.DeleteKey("list", "200");
    EXPECT_TRUE(listfile::Add(FList, "C:\\new.exe"));
    EXPECT_EQ("C:\\new.exe", FList.ReadString("list", "200", "defval"));
    EXPECT_EQ(201u, Slots().size());
}

struct TRemoveCase {
    const char* What;
    TSlots Before;
    std::string Path;
    bool Removed;
    TSlots After;
};

TEST_F(ListFileTest, RemoveTakesTheLastCaseBlindMatchAndMovesTheLaterSlotsDown) {
    const std::vector<TRemoveCase> cases = {
        {"slot 0 of three", {{"0", "C:\\a.exe"}, {"1", "C:\\b.exe"}, {"2", "C:\\c.exe"}}, "C:\\a.exe", true,
         {{"0", "C:\\b.exe"}, {"1", "C:\\c.exe"}}},
        {"letter case ignored", {{"0", "C:\\Prog\\A.exe"}, {"1", "C:\\b.exe"}}, "c:\\PROG\\a.EXE", true,
         {{"0", "C:\\b.exe"}}},
        {"the later of two matches, whatever its case",
         {{"0", "C:\\x.exe"}, {"1", "C:\\b.exe"}, {"2", "C:\\X.EXE"}, {"3", "C:\\d.exe"}}, "C:\\x.exe", true,
         {{"0", "C:\\x.exe"}, {"1", "C:\\b.exe"}, {"2", "C:\\d.exe"}}},
        {"not listed", {{"0", "C:\\a.exe"}}, "C:\\zzz.exe", false, {{"0", "C:\\a.exe"}}},
        {"a hole moves down with the later entries",
         {{"0", "C:\\a.exe"}, {"1", "C:\\b.exe"}, {"3", "C:\\d.exe"}, {"4", "C:\\e.exe"}}, "C:\\a.exe", true,
         {{"0", "C:\\b.exe"}, {"2", "C:\\d.exe"}, {"3", "C:\\e.exe"}}},
        {"the entry before a hole", {{"0", "C:\\a.exe"}, {"2", "C:\\c.exe"}}, "C:\\a.exe", true, {{"1", "C:\\c.exe"}}},
        {"a slot holding the free-slot text is not moved as an entry",
         {{"0", "C:\\a.exe"}, {"1", "defval"}, {"2", "C:\\c.exe"}}, "C:\\a.exe", true, {{"1", "C:\\c.exe"}}},
    };
    for (const TRemoveCase& c : cases) {
        SCOPED_TRACE(c.What);
        Clear();
        Fill(c.Before);
        EXPECT_EQ(c.Removed, listfile::Remove(FList, c.Path));
        EXPECT_EQ(c.After, Slots());
    }
}

TEST_F(ListFileTest, RemovingSlot150Of160LeavesTheSlotsBeforeItAlone) {
    Fill(Numbered(160));
    ASSERT_TRUE(listfile::Remove(FList, "C:\\p150.exe"));
    TSlots expected = Numbered(159);
    for (int i = 150; i < 159; ++i) expected[std::to_string(i)] = "C:\\p" + std::to_string(i + 1) + ".exe";
    EXPECT_EQ(expected, Slots());
}

TEST_F(ListFileTest, RemovingFromAFullListDeletesTheLastSlot) {
    Fill(Numbered(201));
    ASSERT_TRUE(listfile::Remove(FList, "C:\\p200.exe"));
    EXPECT_EQ(Numbered(200), Slots());
    ASSERT_TRUE(listfile::Remove(FList, "C:\\p0.exe"));
    EXPECT_EQ(199u, Slots().size());
    EXPECT_EQ("C:\\p1.exe", FList.ReadString("list", "0", "defval"));
    EXPECT_EQ("C:\\p199.exe", FList.ReadString("list", "198", "defval"));
}

TEST_F(ListFileTest, ReadersSkipFreeSlotsByTheirOwnFreeText) {
    Fill({{"0", "C:\\a.exe"}, {"2", "def"}, {"3", "defval"}, {"200", "C:\\z.exe"}, {"201", "C:\\beyond.exe"}});
    EXPECT_EQ((std::vector<std::string>{"C:\\a.exe", "def", "C:\\z.exe"}), listfile::Entries(FList));
    // The registry scan reads with "def": then "defval" is an entry and "def" a free slot.
    EXPECT_EQ((std::vector<std::string>{"C:\\a.exe", "defval", "C:\\z.exe"}), listfile::Entries(FList, "def"));
    EXPECT_EQ(3, listfile::Count(FList));
    EXPECT_EQ(1, listfile::FirstFreeSlot(FList));
}

TEST_F(ListFileTest, TheFirstSlotHoldingATextIsTheLowestExactMatch) {
    Fill({{"3", "C:\\a.exe"}, {"7", "C:\\b.exe"}, {"9", "C:\\a.exe"}, {"12", "defval"}, {"201", "C:\\beyond.exe"}});
    const std::vector<std::pair<std::string, int>> cases = {
        {"C:\\a.exe", 3},       // the lower of two
        {"C:\\b.exe", 7},
        {"C:\\A.EXE", -1},      // letter case counts
        {"defval", 12},          // a slot holding the free-slot text still holds it
        {"C:\\beyond.exe", -1}, // no slot 201
        {"", -1},                // free slots hold nothing
    };
    for (const auto& [text, slot] : cases) EXPECT_EQ(slot, listfile::FirstSlotHolding(FList, text)) << text;
}

// Readers that look at every slot read the file once; each slot must still read as a read of
// that one key would, whatever a hand edit left in the file.
TEST_F(ListFileTest, ReadingAllSlotsAtOnceReadsEachAsASingleReadWould) {
    {
        std::ofstream out(FFile.Path(), std::ios::binary | std::ios::trunc);
        out << "[list]\r\n0=C:\\a.exe\r\n007=C:\\seven.exe\r\n 9 = C:\\nine.exe \r\n12=\"C:\\quoted.exe\"\r\n"
               "12=C:\\second.exe\r\n+13=C:\\plus.exe\r\n14\r\n15=\r\n-1=C:\\minus.exe\r\n200=C:\\last.exe\r\n"
               "201=C:\\beyond.exe\r\n1000=C:\\far.exe\r\nx=C:\\x.exe\r\n";
    }
    for (const std::string freeText : {"defval", "def"}) {
        const std::vector<std::string> slots = listfile::ReadSlots(FList, freeText);
        ASSERT_EQ(slots.size(), 201u);
        for (int slot = 0; slot < listfile::SlotCount; ++slot) {
            EXPECT_EQ(listfile::ReadSlot(FList, slot, freeText), slots[slot]) << "slot " << slot << ", " << freeText;
            // The in-memory copy parses the file itself; the profile API is the yardstick.
            EXPECT_EQ(FList.ReadString("list", listfile::SlotKey(slot), freeText), slots[slot]) << "slot " << slot;
        }
    }
    EXPECT_EQ((std::vector<std::string>{"C:\\a.exe", "C:\\nine.exe", "C:\\quoted.exe", "", "C:\\last.exe"}),
              listfile::Entries(FList));

    // Nothing is kept: a change made between two reads is seen by the second.
    FList.WriteString("list", "1", "C:\\new.exe");
    EXPECT_EQ("C:\\new.exe", listfile::ReadSlots(FList)[1]);
    EXPECT_TRUE(listfile::Contains(FList, "C:\\new.exe"));
}

// A same-size rewrite within the time stamp's resolution: size and time alone say "unchanged".
TEST_F(ListFileTest, ARewriteByAnotherProgramIsSeenAtTheNextReadAndKeptByTheNextWrite) {
    Fill({{"0", "C:\\a.exe"}, {"1", "C:\\b.exe"}});
    EXPECT_EQ((std::vector<std::string>{"C:\\a.exe", "C:\\b.exe"}), listfile::Entries(FList));
    EXPECT_EQ("C:\\b.exe", FList.ReadString("list", "1", "defval"));   // the profile API's copy made, too

    std::string rewritten = FFile.Text();
    rewritten.replace(rewritten.find("b.exe"), 5, "c.exe");
    ASSERT_TRUE(FFile.RewriteFromAnotherProcess(rewritten));

    EXPECT_EQ((std::vector<std::string>{"C:\\a.exe", "C:\\c.exe"}), listfile::Entries(FList));
    EXPECT_EQ("C:\\c.exe", listfile::ReadSlot(FList, 1));
    EXPECT_TRUE(listfile::Contains(FList, "C:\\c.exe"));
    // Our own write goes on from the file as it is, not from what was read before the rewrite.
    EXPECT_TRUE(listfile::Add(FList, "C:\\d.exe"));
    EXPECT_EQ((TSlots{{"0", "C:\\a.exe"}, {"1", "C:\\c.exe"}, {"2", "C:\\d.exe"}}), Slots());
    EXPECT_EQ((std::vector<std::string>{"C:\\a.exe", "C:\\c.exe", "C:\\d.exe"}), listfile::Entries(FList));
    EXPECT_TRUE(listfile::Remove(FList, "C:\\A.EXE"));
    EXPECT_EQ((TSlots{{"0", "C:\\c.exe"}, {"1", "C:\\d.exe"}}), Slots());
}

// A file written long before: its copy trusts an unchanged time stamp, and any rewrite, of
// any size, brings a new one. Also when the copy was made while the file was still fresh.
TEST_F(ListFileTest, ARewriteOfAFileWrittenLongBeforeIsSeenAtTheNextRead) {
    Fill({{"0", "C:\\a.exe"}, {"1", "C:\\b.exe"}});
    EXPECT_EQ("C:\\b.exe", listfile::ReadSlot(FList, 1));
    ASSERT_TRUE(FFile.MakeOld());
    EXPECT_EQ((std::vector<std::string>{"C:\\a.exe", "C:\\b.exe"}), listfile::Entries(FList));
    EXPECT_EQ("C:\\b.exe", listfile::ReadSlot(FList, 1));

    std::string rewritten = FFile.Text();
    rewritten.replace(rewritten.find("b.exe"), 5, "c.exe");
    ASSERT_TRUE(FFile.RewriteFromAnotherProcess(rewritten, false));
    EXPECT_EQ("C:\\c.exe", listfile::ReadSlot(FList, 1));

    ASSERT_TRUE(FFile.MakeOld());
    EXPECT_EQ("C:\\c.exe", listfile::ReadSlot(FList, 1));
    rewritten.replace(rewritten.find("c.exe"), 5, "longer.exe");
    ASSERT_TRUE(FFile.RewriteFromAnotherProcess(rewritten, false));
    EXPECT_EQ((std::vector<std::string>{"C:\\a.exe", "C:\\longer.exe"}), listfile::Entries(FList));
}

// A program may rewrite the file and put its write time back (copies that keep their source's
// time do): once the copy trusts the stamp, only the change time, which no one puts back, tells.
TEST_F(ListFileTest, ARewriteThatPutsTheWriteTimeBackIsSeenOnceTheCopyTrustsTheStamp) {
    Fill({{"0", "C:\\a.exe"}, {"1", "C:\\b.exe"}});
    ASSERT_TRUE(FFile.MakeOld());
    // Long enough after the last change for the copy made next to trust an unchanged stamp.
    Sleep(TListFileCopy::FineSettleMs + 200);
    EXPECT_EQ("C:\\b.exe", listfile::ReadSlot(FList, 1));
    EXPECT_EQ("C:\\b.exe", listfile::ReadSlot(FList, 1));

    std::string rewritten = FFile.Text();
    rewritten.replace(rewritten.find("b.exe"), 5, "c.exe");
    ASSERT_TRUE(FFile.RewriteFromAnotherProcess(rewritten));
    EXPECT_EQ("C:\\c.exe", listfile::ReadSlot(FList, 1));
}

// A stamp in whole seconds may come from a file system that keeps no finer time (FAT steps in
// two seconds): between half a second and two seconds after it, a same-size rewrite that
// leaves it as it was is still seen, though a stamp with a fraction would be trusted by then.
TEST_F(ListFileTest, ARewriteWithinTwoSecondsOfAStampInWholeSecondsIsSeen) {
    Fill({{"0", "C:\\a.exe"}, {"1", "C:\\b.exe"}});
    constexpr uint64_t second = 10000000;   // FILETIME counts 100 ns
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const uint64_t ticks = (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    const uint64_t fraction = ticks % second;
    const uint64_t stamp = ticks - fraction - (fraction < second / 2 ? second : 0);   // 0.5 to 1.5 s back
    const FILETIME written{static_cast<DWORD>(stamp), static_cast<DWORD>(stamp >> 32)};
    ASSERT_TRUE(FFile.SetLastWriteTime(written));
    EXPECT_EQ("C:\\b.exe", listfile::ReadSlot(FList, 1));

    std::string rewritten = FFile.Text();
    rewritten.replace(rewritten.find("b.exe"), 5, "c.exe");
    ASSERT_TRUE(FFile.RewriteFromAnotherProcess(rewritten));
    EXPECT_EQ("C:\\c.exe", listfile::ReadSlot(FList, 1));
}

TEST_F(ListFileTest, AMissingFileIsAnEmptyListUntilTheFirstWrite) {
    EXPECT_TRUE(listfile::Entries(FList).empty());
    EXPECT_EQ(0, listfile::FirstFreeSlot(FList));
    EXPECT_FALSE(listfile::Remove(FList, "C:\\a.exe"));
    EXPECT_FALSE(FFile.Exists());
    EXPECT_TRUE(listfile::Add(FList, "C:\\a.exe"));
    EXPECT_EQ("[list]\r\n0=C:\\a.exe\r\n", FFile.Text());
}

} // namespace
