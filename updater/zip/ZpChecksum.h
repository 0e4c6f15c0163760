// updater/zip/ZpChecksum.h -- CRC-32, the traditional PKWARE cipher and the compression strength maps
#pragma once

#include "ZpTypes.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Neither presets nor inverts: callers start at 0xFFFFFFFF and store the complement.
uint32_t ZpUpdateCrc32(uint32_t crc, const void* buffer, int64_t length);
void ZpUpdateCrc32InPlace(const void* buffer, int64_t length, uint32_t& crc);

struct TZpCryptKeys {
    uint32_t Key[3] = {0x12345678u, 0x23456789u, 0x34567890u};
};

constexpr size_t ZpCryptHeaderSize = 12;

TZpCryptKeys ZpInitKeys(const std::string& password);                         // bytes as they are, no terminator
void ZpDecryptHeader(const std::string& password, TZpCryptKeys& keys, uint8_t* header12);
void ZpDecryptBuffer(uint8_t* buffer, size_t length, TZpCryptKeys& keys);
uint8_t ZpEncryptByte(uint8_t plain, TZpCryptKeys& keys);
void ZpEncryptBuffer(size_t count, size_t start, uint8_t* buffer, TZpCryptKeys& keys);
// The check byte a decrypted header must end with: the CRC's top byte, or the DOS time's with bit 3.
uint8_t ZpCryptCheckByte(uint16_t flags, uint32_t crc, uint16_t dosTime);

TZpCompressionLevel ZpLevelFromMode(int mode);
int ZpModeFromLevel(TZpCompressionLevel level);
size_t ZpBlockSizeFromMode(int mode);   // the pieces in which the compressor reads a source
