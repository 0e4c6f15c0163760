// updater/zip/ZpFormat.h -- the archive records in their on-disk layout (little-endian, packed)
#pragma once

#include <cstddef>
#include <cstdint>

namespace zp {

constexpr uint32_t LocalSignature = 0x04034B50;
constexpr uint32_t CentralSignature = 0x02014B50;
constexpr uint32_t EndSignature = 0x06054B50;
constexpr uint32_t VariantLocalSignature = 0x05045C61;    // the base archiver's own set
constexpr uint32_t VariantCentralSignature = 0x03025C61;
constexpr uint32_t VariantEndSignature = 0x06054141;
constexpr uint32_t DataDescriptorSignature = 0x08074B50;
constexpr uint32_t Zip64EndSignature = 0x06064B50;
constexpr uint32_t Zip64LocatorSignature = 0x07064B50;
constexpr uint16_t Zip64ExtraId = 1;

constexpr size_t LocalHeaderSize = 30;
constexpr size_t CentralHeaderSize = 46;
constexpr size_t EndRecordSize = 22;
constexpr size_t Zip64EndRecordSize = 56;
constexpr size_t Zip64LocatorSize = 20;
constexpr size_t DataDescriptorSize = 16;

inline uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t Le32(const uint8_t* p) { return Le16(p) | (static_cast<uint32_t>(Le16(p + 2)) << 16); }
inline uint64_t Le64(const uint8_t* p) { return Le32(p) | (static_cast<uint64_t>(Le32(p + 4)) << 32); }
inline void Put16(uint8_t* p, uint16_t v) { p[0] = static_cast<uint8_t>(v); p[1] = static_cast<uint8_t>(v >> 8); }
inline void Put32(uint8_t* p, uint32_t v) { Put16(p, static_cast<uint16_t>(v)); Put16(p + 2, static_cast<uint16_t>(v >> 16)); }
inline void Put64(uint8_t* p, uint64_t v) { Put32(p, static_cast<uint32_t>(v)); Put32(p + 4, static_cast<uint32_t>(v >> 32)); }

struct TLocalHeader {
    uint32_t Signature = LocalSignature;
    uint16_t VersionNeeded = 20, Flags = 0, Method = 0, Time = 0, Date = 0;
    uint32_t Crc = 0, CompressedSize = 0, UncompressedSize = 0;
    uint16_t NameLength = 0, ExtraLength = 0;

    void Load(const uint8_t* p);
    void Store(uint8_t* p) const;
};

struct TCentralHeader {
    uint32_t Signature = CentralSignature;
    uint16_t VersionMadeBy = 20, VersionNeeded = 20, Flags = 0, Method = 0, Time = 0, Date = 0;
    uint32_t Crc = 0, CompressedSize = 0, UncompressedSize = 0;
    uint16_t NameLength = 0, ExtraLength = 0, CommentLength = 0, DiskNumberStart = 0, InternalAttributes = 0;
    uint32_t ExternalAttributes = 0, LocalHeaderOffset = 0;

    void Load(const uint8_t* p);
    void Store(uint8_t* p) const;
};

struct TEndRecord {
    uint32_t Signature = EndSignature;
    uint16_t DiskNumber = 0, StartDisk = 0, EntriesOnDisk = 0, TotalEntries = 0;
    uint32_t DirectorySize = 0, DirectoryOffset = 0;
    uint16_t CommentLength = 0;

    void Load(const uint8_t* p);
    void Store(uint8_t* p) const;
};

struct TZip64EndRecord {
    uint32_t Signature = Zip64EndSignature;
    uint64_t RecordSize = 44;
    uint16_t VersionMadeBy = 45, VersionNeeded = 45;
    uint32_t DiskNumber = 0, StartDisk = 0;
    uint64_t EntriesOnDisk = 0, TotalEntries = 0, DirectorySize = 0, DirectoryOffset = 0;

    void Load(const uint8_t* p);
    void Store(uint8_t* p) const;
};

struct TZip64Locator {
    uint32_t Signature = Zip64LocatorSignature;
    uint32_t StartDisk = 0;
    uint64_t EndRecordOffset = 0;
    uint32_t TotalDisks = 1;

    void Load(const uint8_t* p);
    void Store(uint8_t* p) const;
};

} // namespace zp
