// tests/zip/ZpDirManagerTest.cpp -- end record search, directory reading, base offset and repair
#include "ZipBuilder.h"
#include "ZipTestSupport.h"
#include "ZpDirManager.h"
#include "ZpException.h"

#include <gtest/gtest.h>

namespace {

TZpMemoryStream Stream(const std::string& bytes) { return TZpMemoryStream(std::vector<uint8_t>(bytes.begin(), bytes.end())); }

int ReadError(const std::string& bytes) {
    TZpMemoryStream s = Stream(bytes);
    TZpDirManager d(&s, nullptr, false);
    try {
        d.ReadCentralDir();
    } catch (const EZpException& e) {
        return e.NativeCode();
    }
    return 0;
}

} // namespace

TEST(ZpDirManagerTest, EndRecordMustReachTheEndOfTheStreamExactly) {
    TZipBuilder b;
    b.Add("a.txt", "alpha");
    std::string zip = b.Build();
    TZpMemoryStream s = Stream(zip);
    TZpDirManager d(&s, nullptr, false);
    int64_t pos = 0;
    ASSERT_TRUE(d.FindEndOfCentralDir(0x06054B50, pos));
    EXPECT_EQ(pos, static_cast<int64_t>(zip.size() - 22));
    TZpMemoryStream longer = Stream(zip + "x");
    TZpDirManager d2(&longer, nullptr, false);
    EXPECT_FALSE(d2.FindEndOfCentralDir(0x06054B50, pos));

    // A candidate whose comment length does not fit is passed over for the real record before it.
    TZipBuilder c;
    c.Add("a.txt", "alpha");
    c.ArchiveComment = std::string("PK\x05\x06", 4) + std::string(30, 'z');
    TZpMemoryStream s3 = Stream(c.Build());
    TZpDirManager d3(&s3, nullptr, false);
    d3.ReadCentralDir();
    EXPECT_EQ(d3.Items().Count(), 1);
    EXPECT_EQ(d3.Comment().substr(0, 4), std::string("PK\x05\x06", 4));
}

TEST(ZpDirManagerTest, LongestCommentIsFound) {
    TZipBuilder b;
    b.Add("a.txt", "alpha");
    b.ArchiveComment = std::string(65535, 'c');
    TZpMemoryStream s = Stream(b.Build());
    TZpDirManager d(&s, nullptr, false);
    d.ReadCentralDir();
    EXPECT_EQ(d.Items().Count(), 1);
    EXPECT_EQ(d.Comment().size(), 65535u);
}

TEST(ZpDirManagerTest, NamesAreNormalisedAndExtraFieldsParsedSafely) {
    TZipBuilder b;
    b.Add("dir\\file.txt", "x");
    b.Add(std::string(300, 'n'), "y");
    // A Zip64 field holding only the offset, then three bytes too few to be a field.
    TZipBuilder::TEntry& odd = b.Add("odd.txt", "z");
    odd.CentralExtra = std::string("\x01\x00\x08\x00", 4) + std::string("\x07\x00\x00\x00\x00\x00\x00\x00", 8) + "\x09\x00\x01";
    std::string zip = b.Build();
    TZpMemoryStream s = Stream(zip);
    TZpDirManager d(&s, nullptr, false);
    d.ReadCentralDir();
    ASSERT_EQ(d.Items().Count(), 3);
    EXPECT_EQ(d.Items()[0].Name, "dir/file.txt");
    EXPECT_EQ(d.Items()[1].Name.size(), 257u);
    const TDirItem& item = d.Items()[2];
    EXPECT_TRUE(item.Zip64);
    EXPECT_EQ(item.ExtraFields.size(), 1u);
    EXPECT_EQ(item.LocalHeaderOffset(), item.Header.LocalHeaderOffset);   // the short field was not all ones
}

TEST(ZpDirManagerTest, PrefixShiftsItemOffsetsByItsLength) {
    TZipBuilder b;
    b.Prefix = std::string(777, 'P');
    b.Add("a.txt", "alpha");
    b.Add("b.txt", "bravo");
    TZpMemoryStream s = Stream(b.Build());
    TZpDirManager d(&s, nullptr, false);
    d.ReadCentralDir();
    EXPECT_EQ(d.BaseOffset(), 777);
    EXPECT_EQ(d.Items()[0].LocalHeaderOffset(), 777u);
    EXPECT_EQ(d.Items()[1].LocalHeaderOffset(), 777u + 30 + 5 + 5);
}

TEST(ZpDirManagerTest, NoAcceptedLocalHeaderMeansNoShift) {
    TZipBuilder b;
    b.Add("a.txt", "alpha");
    std::string zip = b.Build();
    zip[14] ^= 1;   // the local CRC no longer agrees with the directory's
    TZpMemoryStream s = Stream(zip);
    TZpDirManager d(&s, nullptr, false);
    d.ReadCentralDir();
    EXPECT_EQ(d.Items()[0].LocalHeaderOffset(), 0u);
    EXPECT_EQ(d.BaseOffset(), 0);
}

TEST(ZpDirManagerTest, DamagedRecordsEndInTheirNativeErrors) {
    TZipBuilder b;
    b.Add("a.txt", "alpha");
    std::string zip = b.Build();
    std::string locator = std::string("PK\x06\x07", 4) + std::string(4, '\0') + std::string("\x00\x01\x00\x00\x00\x00\x00\x00", 8) +
                          std::string("\x01\x00\x00\x00", 4);
    std::string withLocator = zip.substr(0, zip.size() - 22) + locator + zip.substr(zip.size() - 22);
    EXPECT_EQ(ReadError(withLocator), 40);
    std::string hugeCount = zip;
    hugeCount[zip.size() - 22 + 10] = '\xFF';
    hugeCount[zip.size() - 22 + 8] = '\xFF';
    EXPECT_EQ(ReadError(hugeCount), 48);
    EXPECT_EQ(ReadError(zt::ReadFile(zt::DataPath("damaged-dirsize.zip"))), 48);
    EXPECT_EQ(ReadError(zt::ReadFile(zt::DataPath("not-a-zip.zip"))), 35);
    EXPECT_EQ(ReadError(""), 35);
}

TEST(ZpDirManagerTest, RepairListsLocalHeadersAndTellsFoldersByName) {
    TZipBuilder b;
    b.Add("folder/", "");
    b.Add("empty.txt", "");
    b.Add("full.txt", "data");
    std::string zip = b.Build();
    std::string noDir = zip.substr(0, zip.find("PK\x01\x02"));
    TZpMemoryStream s = Stream(noDir);
    TZpDirManager d(&s, nullptr, false);
    d.ReadCentralDir();
    EXPECT_TRUE(d.Repaired());
    ASSERT_EQ(d.Items().Count(), 3);
    EXPECT_TRUE(d.Items()[0].IsDirectory());
    EXPECT_FALSE(d.Items()[1].IsDirectory());
    EXPECT_EQ(d.Items()[2].Header.Crc, TZipBuilder::Crc("data"));

    // Python's zipfile streamed with data descriptors: CRC and sizes come from them.
    TZpMemoryStream p = Stream(zt::ReadFile(zt::DataPath("damaged-descriptor-nodir.zip")));
    TZpDirManager r(&p, nullptr, false);
    r.ReadCentralDir();
    ASSERT_EQ(r.Items().Count(), 2);
    EXPECT_EQ(r.Items()[1].Name, "sub/deep/text.txt");
    EXPECT_EQ(r.Items()[1].UncompressedSize(), zt::ReadFile(zt::DataPath("src/sub/deep/text.txt")).size());
}

TEST(ZpDirManagerTest, EmptyDirectoryIsWrittenAsABareEndRecord) {
    TZpMemoryStream s;
    TZpDirManager d(&s, nullptr, true);
    d.WriteCentralDir(false);
    std::string expected = zt::ReadFile(zt::DataPath("py-empty.zip"));
    EXPECT_EQ(std::string(s.Data().begin(), s.Data().end()), expected);
}

TEST(ZpDirManagerTest, ManyItemsGetTheZip64RecordsAndReadBackWhole) {
    // 65,535 items or more do not fit the end record's counts: without the Zip64 records they would read back as 65,535.
    TZpMemoryStream s;
    TZpDirManager writer(&s, nullptr, true);
    TDirItem item;
    item.Header.ExternalAttributes = 0x10;
    for (int i = 0; i < 70000; ++i) {
        item.Name = std::to_string(i) + "/";
        writer.NewItems().Add(item);
    }
    writer.WriteCentralDir(false);
    TZpDirManager reader(&s, nullptr, false);
    reader.ReadCentralDir();
    EXPECT_TRUE(reader.IsZip64());
    ASSERT_EQ(reader.Items().Count(), 70000);
    EXPECT_EQ(reader.Items()[69999].Name, "69999/");
    EXPECT_EQ(reader.EndRecord().TotalEntries, 0xFFFF);
}
