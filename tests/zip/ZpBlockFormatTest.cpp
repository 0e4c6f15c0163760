// tests/zip/ZpBlockFormatTest.cpp -- the base archiver's own signatures and block format
#include "ZipBuilder.h"
#include "ZipTestSupport.h"
#include "ZpBaseArchiver.h"

#include <gtest/gtest.h>

#include <zlib.h>

namespace {

void Put32(std::string& s, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}

// A 50-byte block header, then each block as its 4-byte length and its zlib stream.
std::string BlockItem(const std::string& plain, uint32_t blockSize, uint16_t cipher = 0xFFFF) {
    uint32_t count = static_cast<uint32_t>((plain.size() + blockSize - 1) / blockSize);
    std::string data(50, '\0');
    Put32(data, 0, blockSize);
    Put32(data, 4, count);
    Put32(data, 8, static_cast<uint32_t>(plain.size() - (count - 1) * size_t(blockSize)));
    data[12] = 1;
    data[13] = 1;
    data[14] = static_cast<char>(cipher & 0xFF);
    data[15] = static_cast<char>(cipher >> 8);
    for (size_t at = 0; at < plain.size(); at += blockSize) {
        std::string block = plain.substr(at, blockSize);
        uLongf n = compressBound(static_cast<uLong>(block.size()));
        std::string packed(n, '\0');
        compress(reinterpret_cast<Bytef*>(&packed[0]), &n, reinterpret_cast<const Bytef*>(block.data()),
                 static_cast<uLong>(block.size()));
        std::string len(4, '\0');
        Put32(len, 0, static_cast<uint32_t>(n));
        data += len + packed.substr(0, n);
    }
    return data;
}

class ZpBlockFormatTest : public ::testing::Test {
protected:
    zt::TScratch FScratch;
    TZpBaseArchiver FBase;
    std::vector<int> FFailures;
    std::string FPlain;

    ZpBlockFormatTest() {
        for (int i = 0; i < 20000; ++i) FPlain += "block " + std::to_string(i) + "\n";
        FBase.BaseDir = (FScratch.Path() / "out").string();
        FBase.OnProcessFileFailure = [this](TZpBaseArchiver*, const std::string&, TZpProcessOperation, int native, int,
                                            const std::string&, TZpAction& action) {
            FFailures.push_back(native);
            action = fxaIgnore;
        };
    }

    void ExtractItem(const std::string& data, bool standard = false) {
        TZipBuilder b;
        if (!standard) {
            b.LocalSignature = 0x05045C61;
            b.CentralSignature = 0x03025C61;
            b.EndSignature = 0x06054141;
        }
        TZipBuilder::TEntry& e = b.Add("blocks.txt", data);
        e.Method = 99;
        e.VersionNeeded = 0x4114;
        e.Crc = TZipBuilder::Crc(FPlain);
        e.UncompressedSize = static_cast<uint32_t>(FPlain.size());
        std::string path = FScratch / "variant.zip";
        zt::WriteFile(path, b.Build());
        FBase.FileName = path;
        FBase.OpenArchive(2);
        FBase.ExtractFiles("*.*");
        FBase.CloseArchive();
    }
};

} // namespace

TEST_F(ZpBlockFormatTest, BlocksDecodeToTheItem) {
    ExtractItem(BlockItem(FPlain, 65536));
    EXPECT_TRUE(FFailures.empty());
    EXPECT_TRUE(zt::ReadFile(FScratch.Path() / "out" / "blocks.txt") == FPlain);
}

TEST_F(ZpBlockFormatTest, BlockSizesThatContradictTheItemAreRefused) {
    std::string hostile = BlockItem(FPlain, 65536);
    Put32(hostile, 0, 0x7FFFFFFF);   // one block of 2 GiB for an item of 200 KB
    Put32(hostile, 4, 1);
    ExtractItem(hostile);
    EXPECT_EQ(FFailures, std::vector<int>{8});
    EXPECT_FALSE(zt::fs::exists(FScratch.Path() / "out" / "blocks.txt"));

    FFailures.clear();
    std::string longBlock = BlockItem(FPlain, 65536);
    Put32(longBlock, 50, 0x40000000);   // a block length beyond the item's data
    ExtractItem(longBlock);
    EXPECT_EQ(FFailures, std::vector<int>{8});
}

TEST_F(ZpBlockFormatTest, EncryptedBlocksAskUntilSkipped) {
    int asked = 0;
    FBase.OnPassword = [&](TZpBaseArchiver*, const std::string&, std::string&, bool& skip) { skip = ++asked == 3; };
    ExtractItem(BlockItem(FPlain, 65536, 1));
    EXPECT_EQ(asked, 3);
    EXPECT_TRUE(FFailures.empty());
    EXPECT_TRUE(FBase.PasswordSkipped());
    EXPECT_FALSE(zt::fs::exists(FScratch.Path() / "out" / "blocks.txt"));
}

TEST_F(ZpBlockFormatTest, StandardSignaturesNeverReachTheBlockDecoder) {
    ExtractItem(BlockItem(FPlain, 65536), true);
    EXPECT_EQ(FFailures, std::vector<int>{8});
}
