// tests/core/AutoProtectionTest.cpp -- the reactions of Automatic Protection
//
// The registry cases work in a scratch key of their own under HKEY_CURRENT_USER, never in the
// real Run keys; the folder cases in a folder of their own under %TEMP%.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <map>
#include <vector>

#include "ScratchKey.h"
#include "TempIniFile.h"
#include "WideValues.h"
#include "core/AutoProtection.h"
#include "core/AutostartKey.h"
#include "desktop/Registry.h"
#include "desktop/SysUtils.h"

namespace {

class TBlackList {
public:
    TBlackList() : FFile("TESTER_black.snx"), FIni(FFile.Path()) {}
    TBlackList& Slot(int slot, const std::string& path) {
        FIni.WriteString("list", std::to_string(slot), path);
        return *this;
    }
    const TIniFile& File() const noexcept { return FIni; }
    std::string Folder() const { return ExtractFilePath(FFile.Path()); }

private:
    TTempIniFile FFile;
    TIniFile FIni;
};

// --- which value a registry notification acts on -----------------------------------------

struct TFindCase {
    const char* What;
    std::map<int, std::string> Slots;
    std::vector<std::pair<std::string, std::string>> Values;
    std::string Expected;
};

TEST(FindBlackListedValue, MatchesTheWholeCommandLineQuotesAndCaseAside) {
    const std::vector<TFindCase> cases = {
        {"plain path", {{0, "C:\\Bad\\bad.exe"}}, {{"a", "C:\\Bad\\bad.exe"}}, "C:\\Bad\\bad.exe"},
        {"quoted, other case: the slot's own text", {{2, "C:\\Bad\\bad.exe"}}, {{"a", "\"c:\\BAD\\BAD.EXE\""}}, "C:\\Bad\\bad.exe"},
        {"arguments after the path are left for the scan", {{0, "C:\\Bad\\bad.exe"}}, {{"a", "C:\\Bad\\bad.exe -hide"}}, ""},
        {"quoted with arguments", {{0, "C:\\Bad\\bad.exe"}}, {{"a", "\"C:\\Bad\\bad.exe\" /s"}}, ""},
        {"a value nobody listed", {{0, "C:\\Bad\\bad.exe"}}, {{"a", "C:\\Good\\good.exe"}}, ""},
        {"free slots are nobody's path", {}, {{"a", "defval"}}, ""},
        {"an emptied slot is nobody's path", {{0, ""}}, {{"a", "\"\""}}, ""},
        {"the highest matching slot", {{1, "C:\\Bad\\bad.exe"}, {4, "c:\\bad\\BAD.exe"}}, {{"a", "C:\\BAD\\BAD.EXE"}}, "c:\\bad\\BAD.exe"},
        {"slots beyond the first gap", {{0, "C:\\x.exe"}, {150, "C:\\Bad\\late.exe"}}, {{"a", "C:\\Bad\\late.exe"}}, "C:\\Bad\\late.exe"},
    };
    for (const TFindCase& c : cases) {
        TBlackList list;
        for (const auto& [slot, path] : c.Slots) list.Slot(slot, path);
        TScratchKey key;
        for (const auto& [name, data] : c.Values) key.Write(name, data);
        EXPECT_EQ(c.Expected, FindBlackListedValue(list.File(), HKEY_CURRENT_USER, key.Path())) << c.What;
    }
}

TEST(FindBlackListedValue, MissingKeyAndNumbersFindNothing) {
    TBlackList list;
    list.Slot(0, "C:\\Bad\\bad.exe").Slot(1, "1");
    EXPECT_EQ("", FindBlackListedValue(list.File(), HKEY_CURRENT_USER, ScratchRoot + "\\NoSuchKey"));
    TScratchKey key;
    key.WriteNumber("n", 1);
    EXPECT_EQ("", FindBlackListedValue(list.File(), HKEY_CURRENT_USER, key.Path()));
}

// --- the registry reaction ------------------------------------------------------------------

TEST(RemoveBlackListedValues, RemovesEveryBlackListedValueInOneReaction) {
    // One notification for all of these: a reaction that took one entry per notification
    // would leave the second program standing until some later change of the key.
    TBlackList list;
    list.Slot(0, "C:\\Bad\\one.exe").Slot(1, "C:\\Bad\\two.exe").Slot(2, "C:\\Bad\\three.exe");
    TScratchKey key;
    key.Write("one", "\"C:\\Bad\\one.exe\"");
    key.Write("two", "C:\\BAD\\TWO.EXE");
    key.Write("one again, with arguments", "C:\\Bad\\one.exe -again");  // goes with "one": contains it
    key.Write("three, only with arguments", "C:\\Bad\\three.exe -x");   // not found: left for the scan
    key.Write("good", "C:\\Good\\good.exe");
    key.WriteNumber("number", 7);

    EXPECT_EQ(3, RemoveBlackListedValues(list.File(), HKEY_CURRENT_USER, key.Path()));
    const std::map<std::string, std::string> expected = {
        {"three, only with arguments", "C:\\Bad\\three.exe -x"}, {"good", "C:\\Good\\good.exe"}, {"number", "<number>"}};
    EXPECT_EQ(expected, key.Values());
    EXPECT_EQ(0, RemoveBlackListedValues(list.File(), HKEY_CURRENT_USER, key.Path())) << "a second reaction finds nothing";
}

TEST(RemoveBlackListedValues, TellsApartValuesTheCodePageCannotHold) {
    // Through the ANSI calls both "x" values read as "x?" with one value's data, and a path with
    // a character the code page lacks reads like the "?" path listed below.
    const std::string toolForm = "C:\\Apps\\" + AutostartText(L"\u4E2D") + "\\tool.exe";
    TBlackList list;
    list.Slot(0, "C:\\Bad\\bad.exe").Slot(1, toolForm).Slot(2, "C:\\Apps\\?\\evil.exe");
    TScratchKey key;
    const std::map<std::wstring, std::wstring> kept = {{L"x?", L"C:\\Good\\good.exe"},
                                                       {L"z\u4E2D", L"C:\\Apps\\\u4E2D\\evil.exe"}};
    for (const auto& [name, data] : kept) ASSERT_TRUE(WriteWideString(HKEY_CURRENT_USER, key.Path(), name, data));
    ASSERT_TRUE(WriteWideString(HKEY_CURRENT_USER, key.Path(), L"x\u4E2D", L"\"C:\\Bad\\bad.exe\""));
    ASSERT_TRUE(WriteWideString(HKEY_CURRENT_USER, key.Path(), L"y\u4E2D", L"C:\\Apps\\\u4E2D\\tool.exe"));

    EXPECT_EQ(2, RemoveBlackListedValues(list.File(), HKEY_CURRENT_USER, key.Path()));
    EXPECT_EQ(kept, WideValues(HKEY_CURRENT_USER, key.Path()));
}

TEST(RemoveBlackListedValues, NothingToDo) {
    TBlackList list;
    TScratchKey key;
    key.Write("good", "C:\\Good\\good.exe");
    EXPECT_EQ(0, RemoveBlackListedValues(list.File(), HKEY_CURRENT_USER, key.Path())) << "empty Black List";
    list.Slot(0, "C:\\Bad\\bad.exe");
    EXPECT_EQ(0, RemoveBlackListedValues(list.File(), HKEY_CURRENT_USER, ScratchRoot + "\\NoSuchKey")) << "missing key";
    EXPECT_EQ(1u, key.Values().size());
}

// --- the folder reaction ----------------------------------------------------------------------

class IntruderSweepTest : public ::testing::Test {
protected:
    std::string File(const std::string& name) {
        std::string path = FList.Folder() + name;
        std::ofstream(path, std::ios::binary) << name;
        FMade.push_back(path);
        return path;
    }
    ~IntruderSweepTest() override {
        for (const std::string& path : FMade) DeleteFileA(path.c_str());
    }
    // A remover that deletes the file, as a successful move would, and notes what it was given.
    TIntruderSweep::TRemoveFile Mover() {
        return [this](const std::string& path) {
            FRemoved.push_back(path);
            return DeleteFileA(path.c_str()) != 0;
        };
    }
    TIntruderSweep::TRemoveFile Refuser() {
        return [this](const std::string& path) {
            FRemoved.push_back(path);
            return false;
        };
    }

    TBlackList FList;
    TIntruderSweep FSweep;
    std::vector<std::string> FRemoved;
    std::vector<std::string> FMade;
};

TEST_F(IntruderSweepTest, MovesEveryExistingFileWithOneLineEach) {
    const std::string a = File("a.exe"), b = File("b.exe");
    FList.Slot(0, a).Slot(1, FList.Folder() + "gone.exe").Slot(2, "").Slot(7, b);
    const std::vector<std::string> lines = FSweep.Sweep(FList.File(), Mover());
    EXPECT_EQ((std::vector<std::string>{a, b}), FRemoved);
    EXPECT_EQ((std::vector<std::string>{"Automatically removed intruder (" + a + ")",
                                        "Automatically removed intruder (" + b + ")"}),
              lines);
    FRemoved.clear();
    EXPECT_TRUE(FSweep.Sweep(FList.File(), Mover()).empty()) << "all files gone: no line";
    EXPECT_TRUE(FRemoved.empty());
}

TEST_F(IntruderSweepTest, FreeSlotsAndFoldersAreNobodysIntruder) {
    // A free slot reads as "defval": a file of that name in the working folder is left alone.
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(FList.Folder().c_str()));
    File("defval");
    const std::string folder = FList.Folder() + "folder.exe";
    CreateDirectoryA(folder.c_str(), nullptr);
    FList.Slot(3, folder);
    EXPECT_TRUE(FSweep.Sweep(FList.File(), Mover()).empty());
    SetCurrentDirectoryA(previous);
    RemoveDirectoryA(folder.c_str());
    EXPECT_TRUE(FRemoved.empty());
}

TEST_F(IntruderSweepTest, AFileThatCannotBeMovedIsReportedOnceAndNotAsRemoved) {
    const std::string a = File("stuck.exe");
    FList.Slot(0, a);
    const std::string line = "Couldn't remove intruder (" + a + "): it could not be stopped or moved to the trashcan.";
    EXPECT_EQ(std::vector<std::string>{line}, FSweep.Sweep(FList.File(), Refuser()));
    EXPECT_TRUE(FSweep.Sweep(FList.File(), Refuser()).empty()) << "the next change: tried again, not reported again";
    EXPECT_EQ(2u, FRemoved.size());

    // Once it went away and came back, a new failure is news again.
    DeleteFileA(a.c_str());
    EXPECT_TRUE(FSweep.Sweep(FList.File(), Refuser()).empty());
    File("stuck.exe");
    EXPECT_EQ(std::vector<std::string>{line}, FSweep.Sweep(FList.File(), Refuser()));
    // A later success is reported as usual, and a failure after it again.
    EXPECT_EQ(std::vector<std::string>{"Automatically removed intruder (" + a + ")"}, FSweep.Sweep(FList.File(), Mover()));
    File("stuck.exe");
    EXPECT_EQ(std::vector<std::string>{line}, FSweep.Sweep(FList.File(), Refuser()));
}

TEST_F(IntruderSweepTest, ARemoverErrorIsTheReasonAndTheSweepGoesOn) {
    const std::string a = File("a.exe"), b = File("b.exe");
    FList.Slot(0, a).Slot(1, b);
    TIntruderSweep::TRemoveFile failsOnA = [&](const std::string& path) -> bool {
        if (path == a) throw Exception("Couldn't create a directory for the trashcan.");
        return DeleteFileA(path.c_str()) != 0;
    };
    EXPECT_EQ((std::vector<std::string>{"Couldn't remove intruder (" + a + "): Couldn't create a directory for the trashcan.",
                                        "Automatically removed intruder (" + b + ")"}),
              FSweep.Sweep(FList.File(), failsOnA));
}

} // namespace
