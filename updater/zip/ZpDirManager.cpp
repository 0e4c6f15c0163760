// updater/zip/ZpDirManager.cpp -- end record search, directory read, base offset, repair scan, writer
//
// Reading order: the end record (from the back, its comment must reach the end of the stream
// exactly), the Zip64 locator and record before it, then the directory, which without spanning
// is found from the end record's position rather than its stored offset, so a prefix (an SFX
// stub) does not matter. Item offsets are then corrected by the prefix found in front of item 0.
// With no end record and no spanning, items are listed from their local headers.
#include "ZpDirManager.h"

#include "ZpBaseArchiver.h"
#include "ZpException.h"
#include "ZpPlatform.h"

#include <algorithm>
#include <cstring>
#include <vector>

using namespace zp;

namespace {

constexpr size_t EndSearchWindow = 65600;   // a 22-byte record with a comment of 65,535 bytes fits
constexpr size_t MaxStoredText = 257;
constexpr size_t PrefixSearchWindow = 10000;
constexpr size_t RepairSearchWindow = 65535;

std::string CutText(const std::vector<uint8_t>& raw, size_t limit) {
    size_t n = std::find(raw.begin(), raw.end(), 0) - raw.begin();
    return std::string(raw.begin(), raw.begin() + static_cast<long>(std::min(n, limit)));
}

void SetLocalOffset(TDirItem& item, uint64_t offset) {
    if (offset >= 0xFFFFFFFFu || item.Header.LocalHeaderOffset == 0xFFFFFFFFu) {
        item.Header.LocalHeaderOffset = 0xFFFFFFFFu;
        item.LocalHeaderOffset64 = offset;
        item.Zip64 = true;
    } else {
        item.Header.LocalHeaderOffset = static_cast<uint32_t>(offset);
    }
}

} // namespace

TZpDirManager::TZpDirManager(TZpStream* stream, TZpBaseArchiver* archiver, bool create)
    : FStream(stream), FExternalStream(archiver == nullptr || stream != archiver->FArchiveStream.get()),
      FArchiver(archiver) {
    Clear();
    if (create && archiver) {
        archiver->VolumeInfo.SetFirst(true);
        if (!archiver->SFXStub.empty()) PlaceSFXStub();
    }
}

void TZpDirManager::Clear() {
    FItems.SetCount(0);
    FEndRecord = TEndRecord();
    FEndRecord.Signature = FArchiver && !FArchiver->ZipSignatures() ? VariantEndSignature : EndSignature;
    FZip64End = TZip64EndRecord();
    FLocator = TZip64Locator();
    FZip64 = false;
    FRepaired = false;
    FLastVolume = 0;
}

TZpStream& TZpDirManager::Stream() {
    // The archiver may have moved to another volume since this manager was made.
    if (!FExternalStream && FArchiver && FArchiver->FArchiveStream) FStream = FArchiver->FArchiveStream.get();
    return *FStream;
}

void TZpDirManager::ReadExact(void* buffer, size_t count) {
    if (count == 0) return;
    size_t got = !FExternalStream && FArchiver && FArchiver->SpanningMode() != smNone ? FArchiver->ReadSpanned(buffer, count)
                                                                                     : Stream().Read(buffer, count);
    if (got != count) throw EZpException(zp::err::ArchiveDamaged, nullptr);
}

bool TZpDirManager::FindEndOfCentralDir(uint32_t signature, int64_t& positionOut) {
    TZpStream& s = Stream();
    int64_t size = s.Size();
    size_t n = static_cast<size_t>(std::min<int64_t>(size, EndSearchWindow));
    std::vector<uint8_t> tail(n);
    s.Seek(size - static_cast<int64_t>(n));
    if (s.Read(tail.data(), n) != n) return false;
    const uint8_t b[4] = {static_cast<uint8_t>(signature), static_cast<uint8_t>(signature >> 8),
                          static_cast<uint8_t>(signature >> 16), static_cast<uint8_t>(signature >> 24)};
    for (size_t i = n; i-- > 3;) {
        if (tail[i] != b[3] || tail[i - 1] != b[2] || tail[i - 2] != b[1] || tail[i - 3] != b[0]) continue;
        size_t p = i - 3;
        if (n - p < EndRecordSize) continue;
        if (Le16(&tail[p + 20]) != n - p - EndRecordSize) continue;
        FEndRecord.Load(&tail[p]);
        std::vector<uint8_t> comment(tail.begin() + static_cast<long>(p + EndRecordSize), tail.end());
        FComment = CutText(comment, comment.size());
        positionOut = size - static_cast<int64_t>(n) + static_cast<int64_t>(p);
        return true;
    }
    return false;
}

bool TZpDirManager::HasEndOfCentralDir() {
    int64_t pos = 0;
    bool standard = !FArchiver || FArchiver->ZipSignatures();
    FFoundEndRecord = FindEndOfCentralDir(standard ? EndSignature : VariantEndSignature, pos) ||
                      (!standard && FindEndOfCentralDir(EndSignature, pos));
    return FFoundEndRecord || (FArchiver && FArchiver->AcceptDirectory);
}

void TZpDirManager::ReadCentralDir() {
    Clear();
    FBaseOffset = 0;
    int64_t endPos = 0;
    bool standard = !FArchiver || FArchiver->ZipSignatures();
    bool found = FindEndOfCentralDir(standard ? EndSignature : VariantEndSignature, endPos) ||
                 (!standard && FindEndOfCentralDir(EndSignature, endPos));
    FFoundEndRecord = found;
    bool spanning = FArchiver && FArchiver->SpanningMode() != smNone;
    if (!found) {
        if (spanning) throw EZpException(zp::err::NoSpannedEndRecord, nullptr);
        RepairScan();
        return;
    }
    TZpStream& s = Stream();
    int64_t directoryEnd = endPos;
    if (endPos > static_cast<int64_t>(Zip64LocatorSize)) {
        uint8_t loc[Zip64LocatorSize];
        s.Seek(endPos - static_cast<int64_t>(Zip64LocatorSize));
        if (s.Read(loc, sizeof loc) == sizeof loc && Le32(loc) == Zip64LocatorSignature) {
            FLocator.Load(loc);
            FZip64 = true;
            int64_t locatorPos = endPos - static_cast<int64_t>(Zip64LocatorSize);
            uint8_t rec[Zip64EndRecordSize];
            // The locator's offset counts from the zip data's start; behind a prefix the record
            // stands right before the locator instead.
            int64_t candidates[2] = {static_cast<int64_t>(FLocator.EndRecordOffset),
                                     locatorPos - static_cast<int64_t>(Zip64EndRecordSize)};
            bool ok = false;
            for (int64_t at : candidates) {
                if (at < 0 || at + static_cast<int64_t>(Zip64EndRecordSize) > locatorPos) continue;
                s.Seek(at);
                if (s.Read(rec, sizeof rec) == sizeof rec && Le32(rec) == Zip64EndSignature) {
                    FZip64End.Load(rec);
                    directoryEnd = at;
                    ok = true;
                    break;
                }
            }
            if (!ok) throw EZpException(zp::err::NoZip64EndRecord, nullptr);
        }
    }
    int firstVolume;
    if (FZip64) {
        firstVolume = static_cast<int>(FZip64End.StartDisk);
        FLastVolume = FLocator.TotalDisks > 0 ? static_cast<int>(FLocator.TotalDisks - 1) : 0;
    } else {
        firstVolume = FEndRecord.StartDisk == 0xFFFF ? 0 : FEndRecord.StartDisk;
        FLastVolume = FEndRecord.DiskNumber == 0xFFFF ? 0 : FEndRecord.DiskNumber;
    }
    if (firstVolume < 0 || firstVolume > FLastVolume) throw EZpException(zp::err::ArchiveDamaged, nullptr);
    if (FArchiver && !FExternalStream) {
        FArchiver->VolumeInfo.LastVolumeNumber = FLastVolume;
        FArchiver->VolumeInfo.VolumeNumber = FLastVolume;   // the end record is on the last volume
    }
    uint64_t dirSize = FZip64 ? FZip64End.DirectorySize : FEndRecord.DirectorySize;
    uint64_t count = FZip64 ? FZip64End.TotalEntries : FEndRecord.TotalEntries;
    if (spanning && FArchiver && !FExternalStream) {
        uint64_t offset = FZip64 ? FZip64End.DirectoryOffset : FEndRecord.DirectoryOffset;
        FArchiver->MakeVolumeCurrent(firstVolume);
        Stream().Seek(static_cast<int64_t>(offset));
        ReadItems(count, -1);
    } else {
        if (dirSize > static_cast<uint64_t>(directoryEnd)) throw EZpException(zp::err::ArchiveDamaged, nullptr);
        int64_t start = directoryEnd - static_cast<int64_t>(dirSize);
        // Every item takes 46 bytes at least: a count beyond that is a damaged record, not a reason to allocate.
        if (count > dirSize / CentralHeaderSize) throw EZpException(zp::err::ArchiveDamaged, nullptr);
        Stream().Seek(start);
        ReadItems(count, directoryEnd);
    }
    if (FLastVolume == 0) FixBaseOffset(endPos);
}

void TZpDirManager::ReadItems(uint64_t count, int64_t directoryEnd) {
    bool oem = FArchiver && FArchiver->Options.OEMFileNames;
    for (uint64_t i = 0; i < count; ++i) {
        uint8_t raw[CentralHeaderSize];
        ReadExact(raw, sizeof raw);
        TDirItem item;
        item.Header.Load(raw);
        if (item.Header.Signature != CentralSignature && item.Header.Signature != VariantCentralSignature)
            throw EZpException(zp::err::ArchiveDamaged, nullptr);
        size_t variable = size_t(item.Header.NameLength) + item.Header.ExtraLength + item.Header.CommentLength;
        if (directoryEnd >= 0 && Stream().Position() + static_cast<int64_t>(variable) > directoryEnd)
            throw EZpException(zp::err::ArchiveDamaged, nullptr);
        std::vector<uint8_t> buf(item.Header.NameLength);
        ReadExact(buf.data(), buf.size());
        item.Name = CutText(buf, MaxStoredText);
        if (oem) item.Name = zp::platform::FromOem(item.Name);
        std::replace(item.Name.begin(), item.Name.end(), '\\', '/');
        if (item.Header.ExtraLength) {
            buf.assign(item.Header.ExtraLength, 0);
            ReadExact(buf.data(), buf.size());
            ParseExtra(item, buf);
        }
        buf.assign(item.Header.CommentLength, 0);
        ReadExact(buf.data(), buf.size());
        item.Comment = CutText(buf, MaxStoredText);
        FItems.Add(item);
    }
}

void TZpDirManager::ParseExtra(TDirItem& item, const std::vector<uint8_t>& extra) {
    size_t pos = 0;
    // A field needs its four bytes of ID and size; fewer left over are padding, not a field.
    while (extra.size() - pos >= 4) {
        TZpExtraField f;
        f.HeaderId = Le16(&extra[pos]);
        size_t size = Le16(&extra[pos + 2]);
        pos += 4;
        size = std::min(size, extra.size() - pos);
        f.DataSize = static_cast<uint16_t>(size);
        f.Data.assign(extra.begin() + static_cast<long>(pos), extra.begin() + static_cast<long>(pos + size));
        pos += size;
        if (f.HeaderId == Zip64ExtraId) {
            size_t at = 0;
            auto take64 = [&](uint64_t& out) {
                if (f.Data.size() - at < 8) return;
                out = Le64(&f.Data[at]);
                at += 8;
            };
            if (item.Header.UncompressedSize == 0xFFFFFFFFu) take64(item.UncompressedSize64);
            if (item.Header.CompressedSize == 0xFFFFFFFFu) take64(item.CompressedSize64);
            if (item.Header.LocalHeaderOffset == 0xFFFFFFFFu) take64(item.LocalHeaderOffset64);
            if (item.Header.DiskNumberStart == 0xFFFF && f.Data.size() - at >= 2) item.DiskNumberStart32 = Le16(&f.Data[at]);
            item.Zip64 = true;
        }
        item.ExtraFields.push_back(std::move(f));
    }
}

int64_t TZpDirManager::SearchSignature(int64_t from, uint32_t sig1, uint32_t sig2, size_t window, int64_t limit) {
    TZpStream& s = Stream();
    std::vector<uint8_t> buf(static_cast<size_t>(std::max<int64_t>(4, std::min<int64_t>(static_cast<int64_t>(window), limit - from))));
    for (int64_t at = from; at + 4 <= limit;) {
        size_t want = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(buf.size()), limit - at));
        s.Seek(at);
        size_t got = s.Read(buf.data(), want);
        if (got < 4) return -1;
        for (size_t i = 0; i + 4 <= got; ++i) {
            uint32_t v = Le32(&buf[i]);
            if (v == sig1 || v == sig2) return at + static_cast<int64_t>(i);
        }
        if (got < buf.size()) return -1;
        at += static_cast<int64_t>(got) - 3;   // windows overlap so a signature on the edge is seen
    }
    return -1;
}

void TZpDirManager::FixBaseOffset(int64_t endPosition) {
    if (FItems.Count() == 0) {
        FBaseOffset = endPosition;
        return;
    }
    const TDirItem& first = FItems[0];
    int64_t stored = static_cast<int64_t>(first.LocalHeaderOffset());
    TZpStream& s = Stream();
    int64_t limit = s.Size();
    int64_t accepted = -1;
    for (int64_t from = stored; from >= 0 && from < limit;) {
        int64_t hit = SearchSignature(from, LocalSignature, VariantLocalSignature, PrefixSearchWindow, limit);
        if (hit < 0) break;
        uint8_t raw[LocalHeaderSize];
        s.Seek(hit);
        bool ok = s.Read(raw, sizeof raw) == sizeof raw;
        TLocalHeader h;
        if (ok) {
            h.Load(raw);
            std::vector<uint8_t> name(h.NameLength);
            ok = s.Read(name.data(), name.size()) == name.size();
        }
        // With bit 3 the local header holds zeros where the directory has CRC and sizes.
        bool descriptor = (first.Header.Flags & 8) != 0;
        if (ok && h.VersionNeeded == first.Header.VersionNeeded && h.Method == first.Header.Method &&
            h.Time == first.Header.Time && h.Date == first.Header.Date &&
            (descriptor || (h.Crc == first.Header.Crc && h.CompressedSize == first.Header.CompressedSize &&
                            h.UncompressedSize == first.Header.UncompressedSize))) {
            accepted = hit;
            break;
        }
        from = hit + 1;
    }
    FBaseOffset = accepted < 0 ? 0 : accepted;
    int64_t shift = accepted < 0 ? 0 : accepted - stored;
    if (shift <= 0) return;
    for (int i = 0; i < FItems.Count(); ++i) {
        TDirItem& item = FItems.ItemRef(i);
        SetLocalOffset(item, item.LocalHeaderOffset() + static_cast<uint64_t>(shift));
    }
}

std::string TZpDirManager::ReadName(size_t length, size_t limit) {
    std::vector<uint8_t> buf(std::min(length, limit));
    if (Stream().Read(buf.data(), buf.size()) != buf.size()) return std::string();
    return CutText(buf, buf.size());
}

void TZpDirManager::RepairScan() {
    FRepaired = true;
    TZpStream& s = Stream();
    int64_t size = s.Size();
    bool standard = !FArchiver || FArchiver->ZipSignatures();
    uint32_t sig = standard ? LocalSignature : VariantLocalSignature;
    bool oem = FArchiver && FArchiver->Options.OEMFileNames;
    bool any = false;
    int64_t lastDataEnd = 0;   // where the data of the last item listed ends
    for (int64_t from = 0;;) {
        int64_t hit = SearchSignature(from, sig, sig, RepairSearchWindow, size);
        if (hit < 0 || size - hit < static_cast<int64_t>(LocalHeaderSize)) break;
        any = true;
        uint8_t raw[LocalHeaderSize];
        s.Seek(hit);
        s.ReadBuffer(raw, sizeof raw);
        TLocalHeader h;
        h.Load(raw);
        uint64_t dataStart = static_cast<uint64_t>(hit) + LocalHeaderSize + h.NameLength + h.ExtraLength;
        // A header past the data before it whose own data runs beyond the end of the file: the item the
        // file's end cuts off (a lone first volume). It is listed to fail, not dropped unseen.
        bool cutOff = hit >= lastDataEnd && h.ExtraLength <= 260 && dataStart <= static_cast<uint64_t>(size) &&
                      h.CompressedSize > static_cast<uint64_t>(size) - dataStart;
        if ((h.CompressedSize < static_cast<uint64_t>(size) && h.ExtraLength <= 260) || cutOff) {
            TDirItem item;
            item.Header.VersionMadeBy = item.Header.VersionNeeded = h.VersionNeeded;
            item.Header.Flags = h.Flags;
            item.Header.Method = h.Method;
            item.Header.Time = h.Time;
            item.Header.Date = h.Date;
            item.Header.Crc = h.Crc;
            item.Header.CompressedSize = h.CompressedSize;
            item.Header.UncompressedSize = h.UncompressedSize;
            item.Header.NameLength = h.NameLength;
            item.Header.ExtraLength = h.ExtraLength;
            item.Header.LocalHeaderOffset = static_cast<uint32_t>(hit);
            if (hit >= 0xFFFFFFFF) SetLocalOffset(item, static_cast<uint64_t>(hit));
            if (size - s.Position() >= 256 || size - s.Position() >= h.NameLength) item.Name = ReadName(h.NameLength, 256);
            if (oem) item.Name = zp::platform::FromOem(item.Name);
            std::replace(item.Name.begin(), item.Name.end(), '\\', '/');
            // A folder is known by its name; an empty file is still a file.
            item.Header.ExternalAttributes = !item.Name.empty() && item.Name.back() == '/' ? faDirectory : faArchive;
            if (h.Flags & 8) {
                // CRC and sizes follow the data; without a descriptor they are unknown and the item cannot pass.
                item.WorkValue = 1;
                int64_t d = SearchSignature(hit + 4, DataDescriptorSignature, DataDescriptorSignature, RepairSearchWindow, size);
                if (d >= 0 && size - d >= static_cast<int64_t>(DataDescriptorSize)) {
                    uint8_t dd[DataDescriptorSize];
                    s.Seek(d);
                    s.ReadBuffer(dd, sizeof dd);
                    item.Header.Crc = Le32(dd + 4);
                    item.Header.CompressedSize = Le32(dd + 8);
                    item.Header.UncompressedSize = Le32(dd + 12);
                    item.WorkValue = 0;
                }
            }
            if (cutOff) item.WorkValue = 1;
            FItems.Add(item);
            lastDataEnd = static_cast<int64_t>(std::min<uint64_t>(dataStart + h.CompressedSize, static_cast<uint64_t>(size)));
        }
        from = hit + 4;
    }
    if (!any) throw EZpException(zp::err::NotAnArchive, nullptr);
}

void TZpDirManager::AttachArchiveStream() {
    FExternalStream = FArchiver == nullptr;
    if (FArchiver && FArchiver->FArchiveStream) FStream = FArchiver->FArchiveStream.get();
}

void TZpDirManager::WriteCentralDir(bool append, TZpStream* newStream) {
    if (newStream) {
        FStream = newStream;
        FExternalStream = !FArchiver || newStream != FArchiver->FArchiveStream.get();
    }
    // A multi-volume archive being written goes on over volume ends through the archiver.
    bool spanned = !FExternalStream && FArchiver && FArchiver->MultiVolume();
    auto write = [&](const std::vector<uint8_t>& bytes) {
        if (spanned) FArchiver->WriteSpanned(bytes.data(), bytes.size());
        else Stream().WriteBuffer(bytes.data(), bytes.size());
    };
    auto volumeNow = [&] { return FArchiver && !FExternalStream ? std::max(0, FArchiver->VolumeInfo.VolumeNumber) : 0; };
    std::string comment = FComment;
    {
        TZpStream& s = Stream();
        int64_t start = s.Size();
        if (!append) {
            int64_t endPos = 0;
            zp::TEndRecord keep = FEndRecord;
            if (FindEndOfCentralDir(FEndRecord.Signature, endPos) && FEndRecord.DirectorySize <= endPos)
                start = endPos - FEndRecord.DirectorySize;
            FEndRecord.Signature = keep.Signature;
        }
        s.SetSize(start);
        s.Seek(start);
    }
    bool oem = FArchiver && FArchiver->Options.OEMFileNames;
    std::vector<uint8_t> dir;
    for (int i = 0; i < FNewItems.Count(); ++i) {
        TDirItem& item = FNewItems.ItemRef(i);
        std::vector<uint8_t> zip64;
        auto add64 = [&](uint64_t v) { uint8_t b[8]; Put64(b, v); zip64.insert(zip64.end(), b, b + 8); };
        if (item.Header.UncompressedSize == 0xFFFFFFFFu) add64(item.UncompressedSize64);
        if (item.Header.CompressedSize == 0xFFFFFFFFu) add64(item.CompressedSize64);
        if (item.Header.LocalHeaderOffset == 0xFFFFFFFFu) add64(item.LocalHeaderOffset64);
        if (item.Header.DiskNumberStart == 0xFFFF) {
            uint8_t b[4];
            Put32(b, item.DiskNumberStart32);
            zip64.insert(zip64.end(), b, b + 4);
        }
        std::vector<uint8_t> extra;
        if (!zip64.empty()) {
            uint8_t h[4];
            Put16(h, Zip64ExtraId);
            Put16(h + 2, static_cast<uint16_t>(zip64.size()));
            extra.insert(extra.end(), h, h + 4);
            extra.insert(extra.end(), zip64.begin(), zip64.end());
        }
        // The item's other fields go back as they were read: dropping one (7-Zip's AES field) would
        // leave its data unreadable.
        for (const TZpExtraField& f : item.ExtraFields) {
            if (f.HeaderId == Zip64ExtraId || extra.size() + 4 + f.Data.size() > 0xFFFF) continue;
            uint8_t h[4];
            Put16(h, f.HeaderId);
            Put16(h + 2, static_cast<uint16_t>(f.Data.size()));
            extra.insert(extra.end(), h, h + 4);
            extra.insert(extra.end(), f.Data.begin(), f.Data.end());
        }
        std::string name = oem ? zp::platform::ToOem(item.Name) : item.Name;
        item.Header.NameLength = static_cast<uint16_t>(name.size());
        item.Header.ExtraLength = static_cast<uint16_t>(extra.size());
        item.Header.CommentLength = static_cast<uint16_t>(item.Comment.size());
        uint8_t raw[CentralHeaderSize];
        item.Header.Store(raw);
        if (i == 0 && spanned) FArchiver->KeepTogether(CentralHeaderSize);
        dir.insert(dir.end(), raw, raw + sizeof raw);
        dir.insert(dir.end(), name.begin(), name.end());
        dir.insert(dir.end(), extra.begin(), extra.end());
        dir.insert(dir.end(), item.Comment.begin(), item.Comment.end());
    }
    // The directory starts where its first header lands, perhaps on a fresh volume.
    int startVolume = volumeNow();
    int64_t start = Stream().Position();
    write(dir);
    uint64_t count = static_cast<uint64_t>(FNewItems.Count());
    uint64_t size = dir.size();
    uint16_t commentLength = static_cast<uint16_t>(std::min<size_t>(comment.size(), 0xFFFF));
    // Zip64 records whenever a value does not fit its short field: a count of 65,535 items or more
    // would otherwise read back as 65,535.
    int64_t now = Stream().Position();
    bool zip64 = count >= 0xFFFF || size >= 0xFFFFFFFFu || static_cast<uint64_t>(start) >= 0xFFFFFFFFu ||
                 static_cast<uint64_t>(now) >= 0xFFFFFFFFu || startVolume >= 0xFFFF;
    size_t tailSize = EndRecordSize + commentLength + (zip64 ? Zip64EndRecordSize + Zip64LocatorSize : 0);
    if (spanned) FArchiver->KeepTogether(tailSize);
    int endVolume = volumeNow();
    now = Stream().Position();
    std::vector<uint8_t> tail;
    if (zip64) {
        TZip64EndRecord z;
        z.DiskNumber = static_cast<uint32_t>(endVolume);
        z.StartDisk = static_cast<uint32_t>(startVolume);
        z.EntriesOnDisk = z.TotalEntries = count;
        z.DirectorySize = size;
        z.DirectoryOffset = static_cast<uint64_t>(start);
        uint8_t rec[Zip64EndRecordSize];
        z.Store(rec);
        TZip64Locator l;
        l.StartDisk = static_cast<uint32_t>(endVolume);
        l.EndRecordOffset = static_cast<uint64_t>(now);
        l.TotalDisks = static_cast<uint32_t>(endVolume + 1);
        uint8_t loc[Zip64LocatorSize];
        l.Store(loc);
        tail.insert(tail.end(), rec, rec + sizeof rec);
        tail.insert(tail.end(), loc, loc + sizeof loc);
    }
    FEndRecord.StartDisk = static_cast<uint16_t>(std::min(startVolume, 0xFFFF));
    FEndRecord.DiskNumber = static_cast<uint16_t>(std::min(endVolume, 0xFFFF));
    FEndRecord.EntriesOnDisk = FEndRecord.TotalEntries = static_cast<uint16_t>(std::min<uint64_t>(count, 0xFFFF));
    FEndRecord.DirectorySize = static_cast<uint32_t>(std::min<uint64_t>(size, 0xFFFFFFFFu));
    FEndRecord.DirectoryOffset = static_cast<uint32_t>(std::min<uint64_t>(static_cast<uint64_t>(start), 0xFFFFFFFFu));
    FEndRecord.CommentLength = commentLength;
    uint8_t end[EndRecordSize];
    FEndRecord.Store(end);
    tail.insert(tail.end(), end, end + sizeof end);
    tail.insert(tail.end(), comment.begin(), comment.begin() + commentLength);
    write(tail);
    FComment = comment;
}

void TZpDirManager::PlaceSFXStub() {
    if (!FArchiver) return;
    std::unique_ptr<TZpStream> stub = zp::platform::OpenFile(FArchiver->SFXStub, fmOpenRead | fmShareDenyNone);
    if (!stub) throw EZpException(zp::err::CannotOpenSource, nullptr, {FArchiver->SFXStub});
    int64_t limit = FArchiver->SpanningOptions.VolumeSizeFor(FArchiver->VolumeInfo);
    if (FArchiver->SpanningMode() != smNone && limit > 0 && stub->Size() > limit) throw EZpException(zp::err::SfxStubTooLarge, nullptr);
    TZpStream& s = Stream();
    s.SetSize(0);
    s.Seek(0);
    std::vector<uint8_t> buf(1000000);
    for (;;) {
        size_t n = stub->Read(buf.data(), buf.size());
        if (n == 0) break;
        s.WriteBuffer(buf.data(), n);
    }
    FBaseOffset = stub->Size();
}
