// tests/zip/ZpPathTest.cpp -- stored names, drives and the names extraction accepts
#include "ZpPath.h"

#include <gtest/gtest.h>

TEST(ZpPathTest, StoredNameFollowsTheStorePathMode) {
    EXPECT_EQ(ZpStoredName("C:\\data\\a.txt", "C:\\data", spRelativePath), "a.txt");
    EXPECT_EQ(ZpStoredName("C:\\data\\a.txt", "C:\\data", spNoPath), "a.txt");
    EXPECT_EQ(ZpStoredName("C:\\data\\a.txt", "C:\\data", spFullPath), "data/a.txt");
    EXPECT_EQ(ZpStoredName("C:\\data\\a.txt", "C:\\data", spFullPathWithDrive), "C:/data/a.txt");
    EXPECT_EQ(ZpStoredName("C:\\other\\b.txt", "C:\\data", spRelativePath), "other/b.txt");
    EXPECT_EQ(ZpStoredName("C:\\data\\sub\\c.txt", "C:\\data\\", spRelativePath), "sub/c.txt");
    EXPECT_EQ(ZpStoredName("\\\\server\\share\\x\\y.txt", "C:\\data", spFullPath), "share/x/y.txt");
}

TEST(ZpPathTest, DrivesAndPathParts) {
    EXPECT_EQ(ZpExtractFileDrive("c:\\x\\y"), "c:");
    EXPECT_EQ(ZpExtractFileDrive("\\\\srv\\share\\x"), "\\\\srv\\share");
    EXPECT_EQ(ZpExtractFileDrive("x\\y"), "");
    EXPECT_TRUE(ZpIsFloppyDrive("a:\\update.zip"));
    EXPECT_TRUE(ZpIsFloppyDrive("B:\\update.zip"));
    EXPECT_FALSE(ZpIsFloppyDrive("C:\\update.zip"));
    EXPECT_EQ(ZpExtractFileExt("C:\\a.b\\name.zip"), ".zip");
    EXPECT_EQ(ZpExtractFileExt("C:\\a.b\\name"), "");
    EXPECT_EQ(ZpExpandFileName("C:\\a\\.\\b\\..\\c.txt"), "C:\\a\\c.txt");
    EXPECT_EQ(ZpIncludeTrailingBackslash("C:\\a"), "C:\\a\\");
    EXPECT_EQ(ZpExcludeTrailingBackslash("C:\\a\\"), "C:\\a");
}

TEST(ZpPathTest, OnlyNamesThatStayBelowTheBaseFolderAreSafe) {
    const char* safe[] = {"a.txt", "sub\\b.txt", "sub/deep/c.txt", "folder\\", "a..b.txt", ".hidden", "icon\\con1.txt"};
    const char* unsafe[] = {"..\\a.txt", "../a.txt", "sub\\..\\..\\a", "\\root.txt", "/root.txt", "C:\\x.txt",
                            "c:x.txt", "dir:stream", "\\\\server\\share\\x", "a\\\\b", "...\\x", ". .\\x", "sub\\..",
                            "CON", "nul.txt", "con.d\\x", "sub\\LPT1", "", "."};
    for (const char* n : safe) EXPECT_TRUE(ZpIsSafeItemName(n)) << n;
    for (const char* n : unsafe) EXPECT_FALSE(ZpIsSafeItemName(n)) << n;
}
