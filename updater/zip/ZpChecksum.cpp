// updater/zip/ZpChecksum.cpp -- CRC-32 table, cipher key schedule, strength maps
#include "ZpChecksum.h"

#include <array>

namespace {

// Table 0 is the usual byte table; tables 1 to 7 advance it by further zero bytes, so eight bytes
// go through in one step ("slicing by 8"): the CRC then keeps pace with inflate.
using TCrcTables = std::array<std::array<uint32_t, 256>, 8>;

constexpr TCrcTables MakeCrcTables() {
    TCrcTables t{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][n] = c;
    }
    for (uint32_t n = 0; n < 256; ++n)
        for (int k = 1; k < 8; ++k) t[k][n] = t[0][t[k - 1][n] & 0xFF] ^ (t[k - 1][n] >> 8);
    return t;
}

constexpr TCrcTables gCrc = MakeCrcTables();

inline uint32_t CrcByte(uint32_t crc, uint8_t b) { return gCrc[0][(crc ^ b) & 0xFF] ^ (crc >> 8); }

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
    const auto* p = static_cast<const uint8_t*>(buffer);
    int64_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint32_t lo = crc ^ (uint32_t(p[i]) | uint32_t(p[i + 1]) << 8 | uint32_t(p[i + 2]) << 16 | uint32_t(p[i + 3]) << 24);
        crc = gCrc[7][lo & 0xFF] ^ gCrc[6][(lo >> 8) & 0xFF] ^ gCrc[5][(lo >> 16) & 0xFF] ^ gCrc[4][lo >> 24] ^
              gCrc[3][p[i + 4]] ^ gCrc[2][p[i + 5]] ^ gCrc[1][p[i + 6]] ^ gCrc[0][p[i + 7]];
    }
    for (; i < length; ++i) crc = CrcByte(crc, p[i]);
    return crc;
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
