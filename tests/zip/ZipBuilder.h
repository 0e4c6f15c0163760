// tests/zip/ZipBuilder.h -- TZipBuilder: small archives laid out byte by byte, for cases no tool writes
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TZipBuilder {
public:
    struct TEntry {
        std::string Name;
        std::string Data;                  // as stored (already compressed when Method is 8)
        uint16_t Method = 0;
        uint16_t Flags = 0;
        uint16_t VersionNeeded = 20;
        uint32_t Crc = 0;                  // computed from Data for stored entries when 0
        uint32_t UncompressedSize = 0xFFFFFFFF;   // all ones: the size of Data
        uint32_t ExternalAttributes = 0x20;
        std::string CentralExtra;
        std::string Comment;
    };

    uint32_t LocalSignature = 0x04034B50;
    uint32_t CentralSignature = 0x02014B50;
    uint32_t EndSignature = 0x06054B50;
    std::string Prefix;                    // bytes before the zip data that the offsets do not count
    std::string ArchiveComment;

    TEntry& Add(const std::string& name, const std::string& data);
    TEntry& AddDeflated(const std::string& name, const std::string& plain);
    std::string Build() const;

    static uint32_t Crc(const std::string& data);
    static uint16_t DosTime() { return (12 << 11) | (34 << 5) | 28; }
    static uint16_t DosDate() { return ((2021 - 1980) << 9) | (6 << 5) | 15; }

private:
    std::vector<TEntry> FEntries;
};
