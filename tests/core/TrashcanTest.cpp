// tests/core/TrashcanTest.cpp -- the Trashcan folder and the trash list kept in step
//
// Each test works in a folder of its own under %TEMP%: a trash list file, the Trashcan
// folder and the program files to trash.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>

#include "SleeperProcesses.h"
#include "core/Trashcan.h"
#include "desktop/IniFile.h"
#include "process/Kill.h"

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class TrashcanTest : public ::testing::Test {
protected:
    TrashcanTest()
        : FRoot(FFiles.Folder()), FList(FRoot + "TESTER_trash.snx"),
          FTrash(FList, FRoot + "Trashcan\\") {}

    // A program file with its own text, so a restored or stored copy can be told apart.
    std::string Program(const std::string& relativePath) {
        std::string path = FRoot + relativePath;
        for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
            CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
        std::ofstream(path, std::ios::binary) << "program " << relativePath;
        return path;
    }
    std::vector<std::string> Entries() const { return FTrash.Entries(); }

    TSleeperProcesses FFiles;   // only its folder, except where a test runs a program
    std::string FRoot;
    TIniFile FList;
    TTrashcan FTrash;
};

TEST_F(TrashcanTest, StoreMovesTheFileUnderItsBareNameAndRecordsWhereItCameFrom) {
    std::string path = Program("apps\\Bad Tool\\evil.exe");
    ASSERT_TRUE(FTrash.Store(path));
    EXPECT_FALSE(Exists(path));
    EXPECT_EQ("program apps\\Bad Tool\\evil.exe", Contents(FRoot + "Trashcan\\evil.exe"));
    EXPECT_EQ(std::vector<std::string>{path}, Entries());
    EXPECT_EQ(path, FList.ReadString("list", "0", "defval"));
}

TEST_F(TrashcanTest, StoreFillsTheFirstFreeSlotOfAListWithHoles) {
    FList.WriteString("list", "0", "C:\\a.exe");
    FList.WriteString("list", "1", "defval");   // literally the free-slot text: free
    FList.WriteString("list", "3", "C:\\d.exe");
    std::string path = Program("evil.exe");
    ASSERT_TRUE(FTrash.Store(path));
    EXPECT_EQ(path, FList.ReadString("list", "1", "defval"));
    EXPECT_EQ("defval", FList.ReadString("list", "2", "defval"));
}

TEST_F(TrashcanTest, SecondProgramOfTheSameFileNameFailsAndLeavesNoTrace) {
    std::string first = Program("one\\setup.exe");
    std::string second = Program("two\\SETUP.EXE");
    ASSERT_TRUE(FTrash.Store(first));
    EXPECT_FALSE(FTrash.Store(second));
    EXPECT_TRUE(Exists(second));
    EXPECT_EQ("program one\\setup.exe", Contents(FRoot + "Trashcan\\setup.exe"));
    // The one entry still pairs with the one stored file: erasing it cannot hit another's file.
    EXPECT_EQ(std::vector<std::string>{first}, Entries());
}

TEST_F(TrashcanTest, FullListIsAFailureThatCopiesAndDeletesNothing) {
    for (int slot = 0; slot <= 200; ++slot) FList.WriteString("list", std::to_string(slot), "C:\\old" + std::to_string(slot) + ".exe");
    std::string path = Program("evil.exe");
    EXPECT_FALSE(FTrash.Store(path));
    EXPECT_TRUE(Exists(path));
    EXPECT_FALSE(Exists(FRoot + "Trashcan\\evil.exe"));
    EXPECT_EQ(201u, Entries().size());
}

TEST_F(TrashcanTest, EmptyPathIsRefusedWithoutTouchingTheFolderOrTheList) {
    EXPECT_FALSE(FTrash.Store(""));
    EXPECT_FALSE(Exists(FRoot + "Trashcan"));
    EXPECT_TRUE(Entries().empty());
    // The same with the folder in place and a stored file the empty name must not reach.
    std::string path = Program("evil.exe");
    ASSERT_TRUE(FTrash.Store(path));
    EXPECT_FALSE(FTrash.Store(""));
    EXPECT_EQ(std::vector<std::string>{path}, Entries());
    EXPECT_TRUE(Exists(FRoot + "Trashcan\\evil.exe"));
}

TEST_F(TrashcanTest, OriginalThatCannotBeDeletedIsLeftInPlaceWithNoCopyAndNoEntry) {
    std::string path = Program("locked.exe");
    // Open without FILE_SHARE_DELETE: the delete is refused as for a program in use.
    THandle lock(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock.IsValid());
    EXPECT_FALSE(FTrash.Store(path));
    lock.Reset();
    EXPECT_TRUE(Exists(path));
    EXPECT_FALSE(Exists(FRoot + "Trashcan\\locked.exe"));
    EXPECT_TRUE(Entries().empty());
}

TEST_F(TrashcanTest, AStoppedProgramCanBeStoredAtOnceBecauseKillWaitsForItsEnd) {
    std::string path = FFiles.Place("apps\\sxtrashme.exe");
    size_t first = FFiles.Start(path);
    size_t second = FFiles.Start(path);
    ASSERT_TRUE(Kill(path));
    EXPECT_FALSE(FFiles.IsRunning(first));
    EXPECT_FALSE(FFiles.IsRunning(second));
    EXPECT_TRUE(FTrash.Store(path));
    EXPECT_FALSE(Exists(path));
    EXPECT_EQ(std::vector<std::string>{path}, Entries());
}

TEST_F(TrashcanTest, RestorePutsTheFileBackAndDropsTheEntry) {
    std::string keep = Program("keep.exe");
    std::string path = Program("apps\\evil.exe");
    ASSERT_TRUE(FTrash.Store(keep));
    ASSERT_TRUE(FTrash.Store(path));
    EXPECT_TRUE(FTrash.Restore(path));
    EXPECT_EQ("program apps\\evil.exe", Contents(path));
    EXPECT_FALSE(Exists(FRoot + "Trashcan\\evil.exe"));
    EXPECT_EQ(std::vector<std::string>{keep}, Entries());
}

TEST_F(TrashcanTest, RestoreNeverOverwritesAndNeedsTheFolder) {
    std::string path = Program("apps\\evil.exe");
    std::string gone = Program("gone\\tool.exe");
    ASSERT_TRUE(FTrash.Store(path));
    ASSERT_TRUE(FTrash.Store(gone));
    Program("apps\\evil.exe");                  // a file came back at the recorded place
    RemoveDirectoryA((FRoot + "gone").c_str()); // the other's folder no longer exists
    EXPECT_FALSE(FTrash.Restore(path));
    EXPECT_FALSE(FTrash.Restore(gone));
    EXPECT_TRUE(Exists(FRoot + "Trashcan\\evil.exe"));
    EXPECT_TRUE(Exists(FRoot + "Trashcan\\tool.exe"));
    EXPECT_EQ((std::vector<std::string>{path, gone}), Entries());
}

TEST_F(TrashcanTest, EraseDeletesTheStoredFileAndItsEntryOnly) {
    std::string a = Program("a\\one.exe"), b = Program("b\\two.exe"), c = Program("c\\three.exe");
    for (const std::string& p : {a, b, c}) ASSERT_TRUE(FTrash.Store(p));
    EXPECT_TRUE(FTrash.Erase(b));
    EXPECT_FALSE(Exists(FRoot + "Trashcan\\two.exe"));
    EXPECT_EQ((std::vector<std::string>{a, c}), Entries());
    // Entry whose stored file is missing: failure, the entry stays.
    DeleteFileA((FRoot + "Trashcan\\three.exe").c_str());
    EXPECT_FALSE(FTrash.Erase(c));
    EXPECT_EQ((std::vector<std::string>{a, c}), Entries());
}

TEST_F(TrashcanTest, FolderThatCannotBeMadeRaisesTheTrashcanMessage) {
    std::ofstream(FRoot + "Trashcan") << "a file in the folder's place";
    std::string path = Program("evil.exe");
    try {
        FTrash.Store(path);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ("Couldn't create a directory for the trashcan.", e.what());
    }
    EXPECT_TRUE(Exists(path));
    EXPECT_TRUE(Entries().empty());
}

} // namespace
