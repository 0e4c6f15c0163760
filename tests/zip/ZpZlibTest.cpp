// tests/zip/ZpZlibTest.cpp -- raw deflate out, raw deflate in, corrupt data, bounded output
#include "ZpDeflater.h"
#include "ZpInflater.h"
#include "ZpZlib.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>
#include <zlib.h>

namespace {

std::vector<uint8_t> Sample(size_t n) {
    std::mt19937 rnd(5);
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(i % 97 < 60 ? 'a' + i % 7 : rnd());
    return v;
}

std::vector<uint8_t> InflateRaw(const std::vector<uint8_t>& raw, size_t limit) {
    std::vector<uint8_t> out;
    TZpInflater inflater(limit);
    bool ok = inflater.Feed(raw.data(), raw.size(), [&](const uint8_t* d, size_t n) {
        out.insert(out.end(), d, d + n);
        return true;
    });
    if (!ok) out.assign(1, 0xEE);
    return out;
}

} // namespace

TEST(ZpZlibTest, MadeHeadersAndTheRecordSize) {
    struct Case { int mode; uint8_t b1; };
    const Case cases[] = {{0, 0xDA}, {1, 0x01}, {2, 0x01}, {3, 0x5E}, {4, 0x5E}, {5, 0x9C}, {6, 0x9C}, {9, 0xDA}};
    for (const Case& c : cases) {
        uint8_t h[2];
        zp::zlib::MadeHeader(c.mode, h);
        EXPECT_EQ(h[0], 0x78);
        EXPECT_EQ(h[1], c.b1) << c.mode;
    }
    uint8_t h[2];
    zp::zlib::MadeHeader(12, h);
    EXPECT_EQ(h[0] | h[1], 0);
    EXPECT_EQ(zp::zlib::StreamRecordSize(), static_cast<int>(sizeof(z_stream)));
}

TEST(ZpZlibTest, DeflatedBlocksAreRawDeflateThatInflatesBack) {
    std::vector<uint8_t> source = Sample(700000);
    TZpDeflater deflater(6);
    std::vector<uint8_t> raw, part;
    for (size_t at = 0; at < source.size(); at += 0x40000) {
        size_t n = std::min<size_t>(0x40000, source.size() - at);
        part = deflater.Compress(source.data() + at, n, at + n == source.size());
        raw.insert(raw.end(), part.begin(), part.end());
    }
    ASSERT_GT(raw.size(), 4u);
    EXPECT_NE(raw[0], 0x78);
    // zlib's own raw inflate must take it as it stands: no header, no Adler-32 trailer.
    z_stream s{};
    ASSERT_EQ(inflateInit2(&s, -15), Z_OK);
    std::vector<uint8_t> check(source.size() + 16);
    s.next_in = raw.data();
    s.avail_in = static_cast<uInt>(raw.size());
    s.next_out = check.data();
    s.avail_out = static_cast<uInt>(check.size());
    EXPECT_EQ(inflate(&s, Z_FINISH), Z_STREAM_END);
    EXPECT_EQ(s.avail_in, 0u);
    check.resize(s.total_out);
    inflateEnd(&s);
    EXPECT_EQ(check, source);
    EXPECT_EQ(InflateRaw(raw, source.size()), source);

    TZpDeflater single(1);
    std::vector<uint8_t> one = single.Compress(source.data(), 1000, true);
    EXPECT_EQ(InflateRaw(one, 1000), std::vector<uint8_t>(source.begin(), source.begin() + 1000));
}

TEST(ZpZlibTest, InflaterRefusesCorruptDataAndOutputBeyondItsLimit) {
    std::vector<uint8_t> zeros(4 * 1048576, 0);
    TZpDeflater d(9);
    std::vector<uint8_t> bomb = d.Compress(zeros.data(), zeros.size(), true);
    ASSERT_LT(bomb.size(), 10000u);
    EXPECT_EQ(InflateRaw(bomb, zeros.size()).size(), zeros.size());   // many full pieces from one small chunk
    EXPECT_EQ(InflateRaw(bomb, 1000000), std::vector<uint8_t>(1, 0xEE));
    std::vector<uint8_t> junk = {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x12};
    EXPECT_EQ(InflateRaw(junk, 100), std::vector<uint8_t>(1, 0xEE));
}

TEST(ZpZlibTest, WholeBufferDecompressionAnswersWithoutRaising) {
    std::vector<uint8_t> source = Sample(50000);
    uLongf n = compressBound(static_cast<uLong>(source.size()));
    std::vector<uint8_t> packed(n);
    ASSERT_EQ(compress(packed.data(), &n, source.data(), static_cast<uLong>(source.size())), Z_OK);
    packed.resize(n);
    std::vector<uint8_t> out;
    EXPECT_TRUE(zp::zlib::SafeDecompressBuffer(false, packed.data(), packed.size(), source.size(), out));
    EXPECT_EQ(out, source);
    EXPECT_FALSE(zp::zlib::SafeDecompressBuffer(false, packed.data(), packed.size(), source.size() - 1, out));
    EXPECT_FALSE(zp::zlib::SafeDecompressBuffer(true, packed.data(), packed.size(), source.size(), out));
    EXPECT_FALSE(zp::zlib::SafeDecompressBuffer(false, packed.data(), 0, source.size(), out));
    EXPECT_FALSE(zp::zlib::SafeDecompressBuffer(false, packed.data(), packed.size() / 2, source.size(), out));
    EXPECT_THROW(zp::zlib::DecompressionCheck(Z_DATA_ERROR), EDecompressionError);
    EXPECT_THROW(zp::zlib::CompressionCheck(Z_STREAM_ERROR), ECompressionError);
    EXPECT_EQ(zp::zlib::DecompressionCheck(Z_STREAM_END), Z_STREAM_END);
}

TEST(ZpZlibTest, RawDataInflatesInAnyChunksAndBytesAfterItsEndAreLeft) {
    std::vector<uint8_t> source = Sample(300000);
    TZpDeflater deflater(6);
    std::vector<uint8_t> raw = deflater.Compress(source.data(), source.size(), true);
    // What follows the last block in an item's chunk (a data descriptor, the next header) is not data.
    std::vector<uint8_t> followed = raw;
    for (uint8_t b : {0x50, 0x4B, 0x07, 0x08, 0x12, 0x34}) followed.push_back(b);
    struct Case { const std::vector<uint8_t>* input; size_t chunk; };
    const Case cases[] = {{&raw, 1}, {&raw, 7}, {&raw, 65536}, {&followed, 3}, {&followed, followed.size()}};
    for (const Case& c : cases) {
        TZpInflater inflater(source.size());
        std::vector<uint8_t> out;
        bool ok = true;
        for (size_t at = 0; ok && at < c.input->size(); at += c.chunk)
            ok = inflater.Feed(c.input->data() + at, std::min(c.chunk, c.input->size() - at), [&](const uint8_t* d, size_t n) {
                out.insert(out.end(), d, d + n);
                return true;
            });
        EXPECT_TRUE(ok) << c.chunk;
        EXPECT_TRUE(inflater.Ended()) << c.chunk;
        EXPECT_TRUE(out == source) << c.chunk;
    }
}
