// tests/zip/ZipArchiverTest.cpp -- properties, opening and closing of TZipArchiver
#include "ZipArchiver.h"
#include "ZipTestSupport.h"
#include "ZpException.h"

#include <gtest/gtest.h>

TEST(ZipArchiverTest, ConstructionDefaults) {
    TZipArchiver zip;
    EXPECT_EQ(zip.Zip64Mode, zmDisabled);
    EXPECT_EQ(zip.DefaultMethod(), 8);
    EXPECT_TRUE(zip.ZipSignatures());
    EXPECT_EQ(zip.CompressionLevel(), clFastest);
    EXPECT_EQ(zip.CompressionMode(), 1);
    EXPECT_EQ(zip.SpanningMode(), smNone);
    EXPECT_TRUE(zip.AcceptDirectory);
    EXPECT_FALSE(zip.Active());
    EXPECT_FALSE(zip.ExtractCorruptedFiles);
    EXPECT_TRUE(zip.SpanningOptions.AdvancedNaming);
    TZpBaseArchiver base;
    EXPECT_EQ(base.Zip64Mode, zmAuto);
    EXPECT_EQ(base.DefaultMethod(), 0xFFFF);
    EXPECT_FALSE(base.ZipSignatures());
}

TEST(ZipArchiverTest, CompressionLevelAndModeFollowEachOther) {
    TZipArchiver zip;
    zip.SetCompressionMode(5);
    EXPECT_EQ(zip.CompressionLevel(), clNormal);
    zip.SetCompressionLevel(clNormal);
    EXPECT_EQ(zip.CompressionMode(), 6);
    EXPECT_EQ(zt::NativeError([&] { zip.SetCompressionMode(10); }), 5);
    EXPECT_EQ(zip.CompressionMode(), 6);
    EXPECT_EQ(zip.CompressionLevel(), clNormal);
    zip.SetCompressionMode(0);
    EXPECT_EQ(zip.DefaultMethod(), 0);
    zip.SetCurrentVersion("9.99");
    EXPECT_EQ(zip.CurrentVersion(), "2.55 ");
}

TEST(ZipArchiverTest, OpeningFailuresLeaveTheComponentClosed) {
    zt::TScratch scratch;
    TZipArchiver zip;
    zip.Name = "zip";
    EXPECT_EQ(zt::NativeError([&] { zip.OpenArchive(2); }), 10);
    EXPECT_EQ(zt::NativeError([&] { zip.OpenArchive(); }), 9);
    zip.FileName = scratch / "missing.zip";
    try {
        zip.OpenArchive(2);
        FAIL();
    } catch (const EZpException& e) {
        EXPECT_EQ(e.NativeCode(), 12);
        EXPECT_NE(std::string(e.what()).find(zip.FileName), std::string::npos);
    }
    EXPECT_FALSE(zip.Active());
    EXPECT_EQ(zt::NativeError([&] { (void)zip.Size(); }), 13);
    EXPECT_EQ(zt::NativeError([&] { zip.ExtractFiles("*.*"); }), 13);
    zip.FileName = zt::Data("not-a-zip.zip");
    EXPECT_EQ(zt::NativeError([&] { zip.OpenArchive(2); }), 35);
    EXPECT_FALSE(zip.Active());
    zip.CloseArchive();
    zip.CloseArchive();
    zip.SetInMemory(true);
    EXPECT_EQ(zt::NativeError([&] { zip.OpenArchive(2); }), 28);
}

TEST(ZipArchiverTest, OpensReportsSizeAndCloses) {
    TZipArchiver zip;
    bool opened = false;
    zip.AfterOpen = [&](TZpBaseArchiver*) { opened = true; };
    zip.FileName = zt::Data("info-deflated.zip");
    zip.OpenArchive(2);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(zip.Active());
    EXPECT_EQ(zip.Size(), static_cast<int64_t>(zt::fs::file_size(zt::DataPath("info-deflated.zip"))));
    EXPECT_EQ(zip.ItemCount(), 8);   // five files and three folders
    EXPECT_THROW(zip.SetSpanningMode(smSplitting), std::runtime_error);
    EXPECT_EQ(zt::NativeError([&] { zip.UpdateItem(0, "x"); }), 25);
    EXPECT_EQ(zt::NativeError([&] { zip.DeleteItem(99); }), 21);
    zip.CloseArchive();
    EXPECT_FALSE(zip.Active());
    std::string after = zt::ReadFile(zt::DataPath("info-deflated.zip"));
    zip.OpenArchive();
    EXPECT_EQ(zip.OpenMode(), fmOpenReadWrite | fmShareDenyWrite);
    zip.CloseArchive();
    EXPECT_EQ(zt::ReadFile(zt::DataPath("info-deflated.zip")), after);
}

TEST(ZipArchiverTest, NewArchiveClosedEmptyHoldsOnlyTheEndRecord) {
    zt::TScratch scratch;
    TZipArchiver zip;
    zip.FileName = scratch / "new.zip";
    zip.OpenArchive(fmCreate);
    EXPECT_EQ(zip.Size(), 0);
    zip.CloseArchive();
    EXPECT_EQ(zt::ReadFile(zip.FileName), zt::ReadFile(zt::DataPath("py-empty.zip")));
    zip.OpenArchive(2);
    EXPECT_EQ(zip.ItemCount(), 0);
}

TEST(ZipArchiverTest, InMemorySwitchKeepsTheFileOrWritesTheMemoryOut) {
    zt::TScratch scratch;
    std::string path = scratch / "copy.zip";
    zt::fs::copy_file(zt::DataPath("info-deflated.zip"), path);
    TZipArchiver zip;
    zip.FileName = path;
    zip.OpenArchive(2);
    zip.SetInMemory(true);
    EXPECT_TRUE(zip.Active());
    EXPECT_EQ(zip.ItemCount(), 0);
    EXPECT_EQ(zt::ReadFile(path), zt::ReadFile(zt::DataPath("info-deflated.zip")));
    zip.SetInMemory(false);
    EXPECT_TRUE(zip.Active());
    EXPECT_EQ(zip.ItemCount(), 0);
    EXPECT_EQ(zt::ReadFile(path), zt::ReadFile(zt::DataPath("py-empty.zip")));
    zip.CloseArchive();
}

TEST(ZipArchiverTest, CommentsAreRead) {
    TZipArchiver zip;
    zip.FileName = zt::Data("info-comment.zip");
    zip.OpenArchive(2);
    EXPECT_EQ(zip.ArchiveComment(), "Sentinox update archive");
}
