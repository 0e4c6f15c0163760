// tests/updater/FileReplacementTest.cpp -- TFileReplacement and RemoveUpdateLeftovers on real files
//
// Each test works in a folder of its own under %TEMP%, with staged files written the way the
// engine leaves them: "~sxN.tmp" beside the target. A file held open without sharing stands
// for one that cannot be renamed; a loaded library for a program's own running files.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/updater/TestFiles.h"
#include "updater/FileReplacement.h"

namespace {

using namespace updtest;

// The bits a replacement must carry over; the archive bit comes and goes with every write.
DWORD VisibleAttributes(const std::string& path) {
    return GetFileAttributesA(path.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
}

class FileReplacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        Folder = FreshTempFolder("sxreplace");
        ASSERT_TRUE(CreateDirectoryA((Folder + "sub").c_str(), nullptr));
    }
    void TearDown() override { RemoveTree(Folder); }

    // A decoded item waiting beside its target, as the engine stages it.
    TZpStagedItem Stage(const std::string& name, const std::string& bytes, uint32_t attributes = 0) {
        const std::string target = Folder + name;
        const size_t slash = target.rfind('\\');
        const std::string temp = target.substr(0, slash + 1) + "~sx" + std::to_string(++FTempCount) + ".tmp";
        WriteFile(temp, bytes);
        return {temp, target, attributes};
    }

    // Every file below the folder, "sub\name" for those in sub.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const std::string& prefix : {std::string(), std::string("sub\\")}) {
            WIN32_FIND_DATAA found;
            HANDLE find = FindFirstFileA((Folder + prefix + "*").c_str(), &found);
            if (find == INVALID_HANDLE_VALUE) continue;
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(prefix + found.cFileName);
            } while (FindNextFileA(find, &found));
            FindClose(find);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string Folder;

private:
    int FTempCount = 0;
};

TEST_F(FileReplacementTest, CommitPutsEveryFileInPlaceAndLeavesNothingBeside) {
    WriteFile(Folder + "a.txt", "old a");
    WriteFile(Folder + "sub\\c.txt", "old c");
    SetFileAttributesA((Folder + "sub\\c.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    std::string failed = "untouched";
    {
        TFileReplacement replacement({Stage("a.txt", "new a"), Stage("b.txt", "new b"),
                                      Stage("sub\\c.txt", "new c", FILE_ATTRIBUTE_HIDDEN)});
        ASSERT_TRUE(replacement.Commit(failed));
    }
    EXPECT_EQ("untouched", failed);
    EXPECT_EQ("new a", ReadFile(Folder + "a.txt"));
    EXPECT_EQ("new b", ReadFile(Folder + "b.txt"));
    EXPECT_EQ("new c", ReadFile(Folder + "sub\\c.txt")) << "a read-only file is replaced as well";
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN), VisibleAttributes(Folder + "sub\\c.txt"));
    EXPECT_EQ((std::vector<std::string>{"a.txt", "b.txt", "sub\\c.txt"}), Files());
}

TEST_F(FileReplacementTest, FailureMidwayPutsBackEveryFileAlreadyReplaced) {
    WriteFile(Folder + "a.txt", "old a");
    WriteFile(Folder + "sub\\c.txt", "old c");
    WriteFile(Folder + "held.txt", "old held");
    SetFileAttributesA((Folder + "sub\\c.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    // No sharing at all: the file can be neither renamed nor replaced.
    HANDLE held = CreateFileA((Folder + "held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::string failed;
    {
        // a.txt twice, as an archive may hold a name twice: its old file must still come back.
        TFileReplacement replacement({Stage("a.txt", "new a"), Stage("new.txt", "brand new"), Stage("a.txt", "newer a"),
                                      Stage("sub\\c.txt", "new c"), Stage("held.txt", "new held"),
                                      Stage("last.txt", "never reached")});
        EXPECT_FALSE(replacement.Commit(failed));
    }
    CloseHandle(held);
    EXPECT_EQ(Folder + "held.txt", failed);
    EXPECT_EQ("old a", ReadFile(Folder + "a.txt"));
    EXPECT_EQ("old c", ReadFile(Folder + "sub\\c.txt"));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY), VisibleAttributes(Folder + "sub\\c.txt"));
    EXPECT_EQ("old held", ReadFile(Folder + "held.txt"));
    // Neither the new files nor any temporary file or aside copy stay.
    EXPECT_EQ((std::vector<std::string>{"a.txt", "held.txt", "sub\\c.txt"}), Files());
}

TEST_F(FileReplacementTest, DiscardRemovesTheStagedFilesAndTouchesNoTarget) {
    WriteFile(Folder + "a.txt", "old a");
    {
        TFileReplacement replacement({Stage("a.txt", "new a"), Stage("sub\\b.txt", "new b")});
        // Destroyed without a commit, as when an item failed to decode.
    }
    EXPECT_EQ("old a", ReadFile(Folder + "a.txt"));
    EXPECT_EQ(std::vector<std::string>{"a.txt"}, Files());
}

TEST_F(FileReplacementTest, LoadedLibraryIsReplacedAndItsOldCopyGoesAtTheNextStart) {
    // A library in use, as Varnel2.dll is while the updater runs.
    char own[MAX_PATH];
    ASSERT_NE(0u, GetModuleFileNameA(GetModuleHandleA("Varnel2.dll"), own, MAX_PATH));
    const std::string library = Folder + "Lib2.dll";
    ASSERT_TRUE(CopyFileA(own, library.c_str(), FALSE));
    const std::string oldBytes = ReadFile(library);
    HMODULE loaded = LoadLibraryA(library.c_str());
    ASSERT_NE(nullptr, loaded);
    const std::string newBytes = oldBytes + "NEW-LIBRARY-MARKER";
    std::string failed;
    {
        TFileReplacement replacement({Stage("a.txt", "new a"), Stage("Lib2.dll", newBytes)});
        EXPECT_TRUE(replacement.Commit(failed)) << failed;
    }
    EXPECT_EQ(newBytes, ReadFile(library));
    EXPECT_EQ("new a", ReadFile(Folder + "a.txt"));
    // The running copy may still lie aside under its own name; once free, the next start removes it.
    for (const std::string& name : Files())
        EXPECT_TRUE(name == "a.txt" || name == "Lib2.dll" || name == "Lib2.dll.sxold") << name;
    FreeLibrary(loaded);
    RemoveUpdateLeftovers(Folder);
    EXPECT_EQ((std::vector<std::string>{"Lib2.dll", "a.txt"}), Files());
    EXPECT_EQ(newBytes, ReadFile(library));
}

TEST_F(FileReplacementTest, LeftoversOfAnEarlyEndAreRemovedAndNothingElse) {
    struct TCase {
        const char* Name;
        const char* Left;        // what stands under the name after the clean-up; null: gone
    };
    const TCase cases[] = {
        {"sx1A2B.tmp", nullptr},             // a download cut off by the end of the program
        {"SXBEEF.TMP", nullptr},
        {"~sx12.tmp", nullptr},              // a decoded item never put in place
        {"sub\\~sxF.tmp", "sub\\~sxF.tmp"},      // below the program folder: not ours to judge
        {"keep.exe.sxold", nullptr},         // an old copy moved aside: its new file stands
        {"keep.exe.sxold2", nullptr},
        {"keep.exe", "keep.exe"},
        {"lost.dll.sxold", nullptr},         // the replacement ended before putting it back
        {"sub\\notes.sxold.txt", "sub\\notes.sxold.txt"},
        {"sxnotes.tmp", "sxnotes.tmp"},
        {"sx.tmp", "sx.tmp"},
        {"update.zip", "update.zip"},
        {"updatelist.txt", "updatelist.txt"},
    };
    for (const TCase& c : cases) WriteFile(Folder + c.Name, c.Name);
    SetFileAttributesA((Folder + "sx1A2B.tmp").c_str(), FILE_ATTRIBUTE_READONLY);
    RemoveUpdateLeftovers(Folder);
    std::vector<std::string> expected = {"lost.dll"};
    for (const TCase& c : cases) {
        if (!c.Left) continue;
        expected.push_back(c.Left);
        EXPECT_EQ(c.Name, ReadFile(Folder + c.Left)) << c.Name;
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, Files());
    EXPECT_EQ("lost.dll.sxold", ReadFile(Folder + "lost.dll")) << "the only copy is put back, not deleted";
}

} // namespace
