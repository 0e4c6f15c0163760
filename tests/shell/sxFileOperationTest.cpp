// tests/shell/sxFileOperationTest.cpp -- TsxFileOperation copying, moving, renaming and deleting real
// files in a folder of the test's own, silent; a failing and a cancelled operation
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/sxFileOperation.h"
#include "sxFileTestSupport.h"

using namespace sxtest;

namespace {

constexpr TsxFileOperationFlags Silent = fofSilent | fofNoConfirmation | fofNoErrorUI | fofNoConfirmMkDir;

class FileOperationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FFolder.Exists());
        WriteWholeFile(FFolder / "a.txt", "alpha");
        WriteWholeFile(FFolder / "b.txt", "bravo");
        WriteWholeFile(FFolder / "c.dat", "charlie");
        ASSERT_TRUE(CreateDirectoryA((FFolder / "dest").c_str(), nullptr));
        FOperation.SetOptions(Silent);
        FOperation.SetOnError(TsxFileOperationEvent(this, &FileOperationTest::Error));
    }
    void Error(TObject* sender, const std::string& text, bool& handled) {
        EXPECT_EQ(sender, &FOperation);
        EXPECT_FALSE(handled);
        Errors.push_back(text);
    }
    // "{folder}" in a line stands for the test's folder.
    std::vector<std::string> Lines(std::vector<std::string> lines) {
        for (std::string& line : lines)
            for (size_t at; (at = line.find("{folder}")) != std::string::npos;) line.replace(at, 8, FFolder.Path());
        return lines;
    }

    TTempFolder FFolder;
    TsxFileOperation FOperation{nullptr};
    std::vector<std::string> Errors;
};

struct TOperationCase {
    const char* Name;
    TsxFileOperationType Operation;
    std::vector<std::string> Lines;
    const char* DestFolder;            // below the test's folder; "" for none
    const char* ListingAfter;          // of the test's folder
    const char* DestListingAfter;      // of its "dest" folder
};

TEST_F(FileOperationTest, EachOperationActsOnTheWholeList) {
    const TOperationCase cases[] = {
        {"copy", fotCopy, {"{folder}a.txt", "{folder}b.txt"}, "dest", "a.txt b.txt c.dat dest", "a.txt b.txt"},
        // Wine 8 cancels a move of several files into one folder (result 1223); one file, or pairs, it moves.
        {"move", fotMove, {"{folder}a.txt"}, "dest", "b.txt c.dat dest", "a.txt"},
        {"move as pairs", fotMove, {"{folder}a.txt=", "{folder}b.txt="}, "dest", "c.dat dest", "a.txt b.txt"},
        {"delete", fotDelete, {"{folder}a.txt", "{folder}c.dat"}, "", "b.txt dest", ""},
        {"rename", fotRename, {"{folder}a.txt=renamed.txt"}, "", "b.txt c.dat dest renamed.txt", ""},
        {"wildcard", fotCopy, {"{folder}*.txt"}, "dest", "a.txt b.txt c.dat dest", "a.txt b.txt"},
        // An empty line would end the shell's list early and b.txt would stay behind.
        {"empty line inside", fotDelete, {"{folder}a.txt", "", "{folder}b.txt"}, "", "c.dat dest", ""},
        {"pairs with masks", fotCopy, {"{folder}a.txt=*.bak", "{folder}b.txt=copy.txt"}, "dest",
         "a.txt b.txt c.dat dest", "a.bak copy.txt"},
        // A line without "=" among pairs goes to DestFolder under its own name, and the pairs after it
        // keep their own destinations.
        {"pair list with a plain line", fotCopy, {"{folder}a.txt", "{folder}b.txt=second.txt", "{folder}c.dat=*.old"},
         "dest", "a.txt b.txt c.dat dest", "a.txt c.old second.txt"},
        // With no DestFolder a relative destination lies beside its source, not in the drive's root.
        {"pair without DestFolder", fotCopy, {"{folder}a.txt=twin.txt"}, "", "a.txt b.txt c.dat dest twin.txt", ""},
    };
    for (const TOperationCase& c : cases) {
        SCOPED_TRACE(c.Name);
        // Each case on fresh files.
        for (const char* name : {"a.txt", "b.txt", "c.dat", "renamed.txt", "twin.txt"}) DeleteFileA((FFolder / name).c_str());
        for (const char* name : {"a.txt", "b.txt", "c.dat", "a.bak", "copy.txt", "second.txt", "c.old"})
            DeleteFileA((FFolder / (std::string("dest\\") + name)).c_str());
        WriteWholeFile(FFolder / "a.txt", "alpha");
        WriteWholeFile(FFolder / "b.txt", "bravo");
        WriteWholeFile(FFolder / "c.dat", "charlie");

        FOperation.SetFileListLines(Lines(c.Lines));
        FOperation.SetDestFolder(*c.DestFolder ? FFolder / c.DestFolder : "");
        FOperation.SetOperation(c.Operation);
        EXPECT_TRUE(FOperation.Execute());
        EXPECT_EQ(FFolder.Listing(), c.ListingAfter);
        EXPECT_EQ(FFolder.Listing("dest"), c.DestListingAfter);
    }
    EXPECT_TRUE(Errors.empty());
}

TEST_F(FileOperationTest, CopiedFilesKeepTheirContent) {
    FOperation.SetFileListLines(Lines({"{folder}a.txt=*.bak", "{folder}c.dat"}));
    FOperation.SetDestFolder(FFolder / "dest");
    ASSERT_TRUE(FOperation.Execute());
    EXPECT_EQ(ReadWholeFile(FFolder / "dest\\a.bak"), "alpha");
    EXPECT_EQ(ReadWholeFile(FFolder / "dest\\c.dat"), "charlie");
}

TEST_F(FileOperationTest, AnEmptyListIsDoneAtOnce) {
    EXPECT_TRUE(FOperation.ExecuteOperation(fotDelete));
    FOperation.SetFileListLines({"", ""});
    EXPECT_TRUE(FOperation.ExecuteOperation(fotDelete));
    EXPECT_EQ(FFolder.Listing(), "a.txt b.txt c.dat dest");
    EXPECT_TRUE(Errors.empty());
}

TEST_F(FileOperationTest, AFailureReachesOnErrorWithTheSystemsTextAndIsNoSuccess) {
    FOperation.SetFileListLines(Lines({"{folder}missing.txt"}));
    FOperation.SetOperation(fotDelete);
    EXPECT_FALSE(FOperation.Execute());
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_FALSE(Errors[0].empty());
    EXPECT_EQ(Errors[0], SysErrorMessage(ERROR_FILE_NOT_FOUND));

    // Without a handler the failure is still reported by the result.
    FOperation.SetOnError(nullptr);
    EXPECT_FALSE(FOperation.ExecuteOperation(fotCopy));
}

TEST_F(FileOperationTest, ACancelledConfirmationIsNoSuccess) {
    // The shell asks before deleting; Cancel ends the operation with result 0 and only the
    // "aborted" flag set, which must not read as done.
    FOperation.SetOptions(fofNoErrorUI);
    FOperation.SetFileListLines(Lines({"{folder}a.txt"}));
    FOperation.SetOperation(fotDelete);
    TDialogAnswerer answerer(IDCANCEL);
    EXPECT_FALSE(FOperation.Execute());
    EXPECT_FALSE(answerer.Caption().empty());
    EXPECT_TRUE(FileExists(FFolder / "a.txt"));
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_EQ(Errors[0], SysErrorMessage(ERROR_CANCELLED));
}

TEST(ShellNameListTest, EveryNameZeroTerminatedAndTheListEndedByOneMoreZero) {
    using namespace std::string_literals;
    EXPECT_EQ(ShellNameList({"a", "bc"}), "a\0bc\0\0"s);
    EXPECT_EQ(ShellNameList({"a", "", "b"}), "a\0b\0\0"s);
    EXPECT_EQ(ShellNameList({}), "\0"s);
}

} // namespace
