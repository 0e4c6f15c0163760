// tests/zip/ZpChecksumTest.cpp -- CRC-32, the traditional cipher and the strength maps
#include "ZpChecksum.h"

#include <gtest/gtest.h>

#include <string>

TEST(ZpChecksumTest, Crc32IsThePublishedOne) {
    const std::string check = "123456789";
    EXPECT_EQ(~ZpUpdateCrc32(0xFFFFFFFFu, check.data(), 9), 0xCBF43926u);
    EXPECT_EQ(~ZpUpdateCrc32(0xFFFFFFFFu, check.data(), 0), 0u);
    EXPECT_EQ(ZpUpdateCrc32(0x1234u, nullptr, 5), 0x1234u);
    EXPECT_EQ(ZpUpdateCrc32(0x1234u, check.data(), -1), 0x1234u);
    uint32_t split = 0xFFFFFFFFu;
    ZpUpdateCrc32InPlace(check.data(), 4, split);
    ZpUpdateCrc32InPlace(check.data() + 4, 5, split);
    EXPECT_EQ(~split, 0xCBF43926u);
}

TEST(ZpChecksumTest, CipherRoundTripsAndChecksTheHeader) {
    std::string plain = "The update archive's data, encrypted the traditional way.";
    uint32_t crc = ~ZpUpdateCrc32(0xFFFFFFFFu, plain.data(), static_cast<int64_t>(plain.size()));
    std::string buf(ZpCryptHeaderSize, '\x5A');
    buf[11] = static_cast<char>(crc >> 24);
    buf += plain;
    TZpCryptKeys enc = ZpInitKeys("secret");
    ZpEncryptBuffer(buf.size(), 0, reinterpret_cast<uint8_t*>(&buf[0]), enc);
    EXPECT_NE(buf.substr(ZpCryptHeaderSize), plain);

    std::string good = buf;
    TZpCryptKeys keys;
    ZpDecryptHeader("secret", keys, reinterpret_cast<uint8_t*>(&good[0]));
    EXPECT_EQ(static_cast<uint8_t>(good[11]), ZpCryptCheckByte(0, crc, 0));
    ZpDecryptBuffer(reinterpret_cast<uint8_t*>(&good[ZpCryptHeaderSize]), plain.size(), keys);
    EXPECT_EQ(good.substr(ZpCryptHeaderSize), plain);

    std::string bad = buf;
    ZpDecryptHeader("Secret", keys, reinterpret_cast<uint8_t*>(&bad[0]));
    EXPECT_NE(static_cast<uint8_t>(bad[11]), ZpCryptCheckByte(0, crc, 0));
    EXPECT_EQ(ZpCryptCheckByte(8, crc, 0xAB12), 0xAB);   // with a data descriptor: the time's high byte

    TZpCryptKeys preset = ZpInitKeys("");
    EXPECT_EQ(preset.Key[0], 0x12345678u);
    EXPECT_EQ(preset.Key[2], 0x34567890u);
}

TEST(ZpChecksumTest, StrengthMapsAndBlockSizes) {
    const TZpCompressionLevel levels[] = {clNone, clFastest, clFastest, clFastest, clNormal, clNormal,
                                          clNormal, clMax, clMax, clMax, clNone};
    for (int mode = 0; mode <= 10; ++mode) EXPECT_EQ(ZpLevelFromMode(mode), levels[mode]) << mode;
    EXPECT_EQ(ZpModeFromLevel(clNone), 0);
    EXPECT_EQ(ZpModeFromLevel(clFastest), 1);
    EXPECT_EQ(ZpModeFromLevel(clNormal), 6);
    EXPECT_EQ(ZpModeFromLevel(clMax), 9);
    EXPECT_EQ(ZpBlockSizeFromMode(2), 0x80000u);
    EXPECT_EQ(ZpBlockSizeFromMode(5), 0x100000u);
    EXPECT_EQ(ZpBlockSizeFromMode(0), 0x100000u);
    EXPECT_EQ(ZpBlockSizeFromMode(9), 0x180000u);
}
