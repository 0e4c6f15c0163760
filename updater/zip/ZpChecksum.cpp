// updater/zip/ZpChecksum.cpp -- CRC-32 table, cipher key schedule, strength maps
#include "ZpChecksum.h"

#include "ZpZlibStream.h"

#include <algorithm>

namespace {

// zlib's table and routine: the same published CRC-32, at the speed of its own inflate.
inline uint32_t CrcByte(uint32_t crc, uint8_t b) {
    static const z_crc_t* const table = get_crc_table();
    return static_cast<uint32_t>(table[(crc ^ b) & 0xFF]) ^ (crc >> 8);
}

inline void UpdateKeys(TZpCryptKeys& k, uint8_t c) {
    k.Key[0] = CrcByte(k.Key[0], c);
    k.Key[1] = (k.Key[1] + (k.Key[0] & 0xFF)) * 134775813u + 1;
    k.Key[2] = CrcByte(k.Key[2], static_cast<uint8_t>(k.Key[1] >> 24));
}

inline uint8_t StreamByte(const TZpCryptKeys& k) {
    uint32_t t = (k.Key[2] & 0xFFFF) | 2;
    return static_cast<uint8_t>((t * (t ^ 1)) >> 8);
}

} // namespace

uint32_t ZpUpdateCrc32(uint32_t crc, const void* buffer, int64_t length) {
    if (!buffer || length <= 0) return crc;
    // zlib presets and inverts inside each call; the register here stays as it is kept between calls.
    const auto* p = static_cast<const Bytef*>(buffer);
    uLong zcrc = ~crc;
    while (length > 0) {
        uInt n = static_cast<uInt>(std::min<int64_t>(length, 1 << 30));
        zcrc = crc32(zcrc, p, n);
        p += n;
        length -= n;
    }
    return ~static_cast<uint32_t>(zcrc);
}

void ZpUpdateCrc32InPlace(const void* buffer, int64_t length, uint32_t& crc) { crc = ZpUpdateCrc32(crc, buffer, length); }

TZpCryptKeys ZpInitKeys(const std::string& password) {
    TZpCryptKeys k;
    for (char c : password) UpdateKeys(k, static_cast<uint8_t>(c));
    return k;
}

void ZpDecryptHeader(const std::string& password, TZpCryptKeys& keys, uint8_t* header12) {
    keys = ZpInitKeys(password);
    ZpDecryptBuffer(header12, ZpCryptHeaderSize, keys);
}

void ZpDecryptBuffer(uint8_t* buffer, size_t length, TZpCryptKeys& keys) {
    for (size_t i = 0; i < length; ++i) {
        uint8_t plain = buffer[i] ^ StreamByte(keys);
        UpdateKeys(keys, plain);
        buffer[i] = plain;
    }
}

uint8_t ZpEncryptByte(uint8_t plain, TZpCryptKeys& keys) {
    uint8_t cipher = plain ^ StreamByte(keys);
    UpdateKeys(keys, plain);
    return cipher;
}

void ZpEncryptBuffer(size_t count, size_t start, uint8_t* buffer, TZpCryptKeys& keys) {
    for (size_t i = start; i < start + count; ++i) buffer[i] = ZpEncryptByte(buffer[i], keys);
}

uint8_t ZpCryptCheckByte(uint16_t flags, uint32_t crc, uint16_t dosTime) {
    return (flags & 8) ? static_cast<uint8_t>(dosTime >> 8) : static_cast<uint8_t>(crc >> 24);
}

TZpCompressionLevel ZpLevelFromMode(int mode) {
    if (mode >= 1 && mode <= 3) return clFastest;
    if (mode >= 4 && mode <= 6) return clNormal;
    if (mode >= 7 && mode <= 9) return clMax;
    return clNone;
}

int ZpModeFromLevel(TZpCompressionLevel level) {
    switch (level) {
    case clFastest: return 1;
    case clNormal: return 6;
    case clMax: return 9;
    default: return 0;
    }
}

size_t ZpBlockSizeFromMode(int mode) {
    if (mode >= 1 && mode <= 3) return 0x80000;
    if (mode >= 7 && mode <= 9) return 0x180000;
    return 0x100000;
}
