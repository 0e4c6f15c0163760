// updater/zip/ZpFormat.cpp -- loading and storing the archive records
#include "ZpFormat.h"

namespace zp {

void TLocalHeader::Load(const uint8_t* p) {
    Signature = Le32(p); VersionNeeded = Le16(p + 4); Flags = Le16(p + 6); Method = Le16(p + 8);
    Time = Le16(p + 10); Date = Le16(p + 12); Crc = Le32(p + 14); CompressedSize = Le32(p + 18);
    UncompressedSize = Le32(p + 22); NameLength = Le16(p + 26); ExtraLength = Le16(p + 28);
}

void TLocalHeader::Store(uint8_t* p) const {
    Put32(p, Signature); Put16(p + 4, VersionNeeded); Put16(p + 6, Flags); Put16(p + 8, Method);
    Put16(p + 10, Time); Put16(p + 12, Date); Put32(p + 14, Crc); Put32(p + 18, CompressedSize);
    Put32(p + 22, UncompressedSize); Put16(p + 26, NameLength); Put16(p + 28, ExtraLength);
}

void TCentralHeader::Load(const uint8_t* p) {
    Signature = Le32(p); VersionMadeBy = Le16(p + 4); VersionNeeded = Le16(p + 6); Flags = Le16(p + 8);
    Method = Le16(p + 10); Time = Le16(p + 12); Date = Le16(p + 14); Crc = Le32(p + 16);
    CompressedSize = Le32(p + 20); UncompressedSize = Le32(p + 24); NameLength = Le16(p + 28);
    ExtraLength = Le16(p + 30); CommentLength = Le16(p + 32); DiskNumberStart = Le16(p + 34);
    InternalAttributes = Le16(p + 36); ExternalAttributes = Le32(p + 38); LocalHeaderOffset = Le32(p + 42);
}

void TCentralHeader::Store(uint8_t* p) const {
    Put32(p, Signature); Put16(p + 4, VersionMadeBy); Put16(p + 6, VersionNeeded); Put16(p + 8, Flags);
    Put16(p + 10, Method); Put16(p + 12, Time); Put16(p + 14, Date); Put32(p + 16, Crc);
    Put32(p + 20, CompressedSize); Put32(p + 24, UncompressedSize); Put16(p + 28, NameLength);
    Put16(p + 30, ExtraLength); Put16(p + 32, CommentLength); Put16(p + 34, DiskNumberStart);
    Put16(p + 36, InternalAttributes); Put32(p + 38, ExternalAttributes); Put32(p + 42, LocalHeaderOffset);
}

void TEndRecord::Load(const uint8_t* p) {
    Signature = Le32(p); DiskNumber = Le16(p + 4); StartDisk = Le16(p + 6); EntriesOnDisk = Le16(p + 8);
    TotalEntries = Le16(p + 10); DirectorySize = Le32(p + 12); DirectoryOffset = Le32(p + 16);
    CommentLength = Le16(p + 20);
}

void TEndRecord::Store(uint8_t* p) const {
    Put32(p, Signature); Put16(p + 4, DiskNumber); Put16(p + 6, StartDisk); Put16(p + 8, EntriesOnDisk);
    Put16(p + 10, TotalEntries); Put32(p + 12, DirectorySize); Put32(p + 16, DirectoryOffset);
    Put16(p + 20, CommentLength);
}

void TZip64EndRecord::Load(const uint8_t* p) {
    Signature = Le32(p); RecordSize = Le64(p + 4); VersionMadeBy = Le16(p + 12); VersionNeeded = Le16(p + 14);
    DiskNumber = Le32(p + 16); StartDisk = Le32(p + 20); EntriesOnDisk = Le64(p + 24); TotalEntries = Le64(p + 32);
    DirectorySize = Le64(p + 40); DirectoryOffset = Le64(p + 48);
}

void TZip64EndRecord::Store(uint8_t* p) const {
    Put32(p, Signature); Put64(p + 4, RecordSize); Put16(p + 12, VersionMadeBy); Put16(p + 14, VersionNeeded);
    Put32(p + 16, DiskNumber); Put32(p + 20, StartDisk); Put64(p + 24, EntriesOnDisk); Put64(p + 32, TotalEntries);
    Put64(p + 40, DirectorySize); Put64(p + 48, DirectoryOffset);
}

void TZip64Locator::Load(const uint8_t* p) {
    Signature = Le32(p); StartDisk = Le32(p + 4); EndRecordOffset = Le64(p + 8); TotalDisks = Le32(p + 16);
}

void TZip64Locator::Store(uint8_t* p) const {
    Put32(p, Signature); Put32(p + 4, StartDisk); Put64(p + 8, EndRecordOffset); Put32(p + 16, TotalDisks);
}

} // namespace zp
