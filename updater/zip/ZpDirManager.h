// updater/zip/ZpDirManager.h -- TZpDirManager: finds, reads, repairs and writes an archive's central directory
#pragma once

#include "ZpDirArray.h"
#include "ZpFormat.h"
#include "ZpStream.h"

#include <string>

class TZpBaseArchiver;

class TZpDirManager {
public:
    // The stream is borrowed. With create set, the archive is new: volume 0, the SFX stub placed.
    TZpDirManager(TZpStream* stream, TZpBaseArchiver* archiver, bool create);

    void Clear();
    void ReadCentralDir();                                  // throws EZpException 35, 40, 44, 48
    // With newStream it works on that stream from now on, until AttachArchiveStream.
    void WriteCentralDir(bool append, TZpStream* newStream = nullptr);
    void AttachArchiveStream();                             // back to the archiver's current stream
    bool FindEndOfCentralDir(uint32_t signature, int64_t& positionOut);
    bool HasEndOfCentralDir();                              // always true while the archiver accepts the directory
    bool FoundEndRecord() const { return FFoundEndRecord; } // the last search found a record
    void PlaceSFXStub();

    TZpDirArray& Items() { return FItems; }
    TZpDirArray& NewItems() { return FNewItems; }
    const std::string& Comment() const { return FComment; }
    void SetComment(const std::string& comment) { FComment = comment; }
    int64_t BaseOffset() const { return FBaseOffset; }
    bool IsZip64() const { return FZip64; }
    bool Repaired() const { return FRepaired; }             // listed from local headers, no directory found
    const zp::TEndRecord& EndRecord() const { return FEndRecord; }
    const zp::TZip64EndRecord& Zip64EndRecord() const { return FZip64End; }
    int LastVolumeNumber() const { return FLastVolume; }

private:
    TZpStream& Stream();
    void ReadExact(void* buffer, size_t count);             // across volumes when spanned; 48 when short
    void ReadItems(uint64_t count, int64_t directoryEnd);
    void ParseExtra(TDirItem& item, const std::vector<uint8_t>& extra);
    void FixBaseOffset(int64_t endPosition);
    void RepairScan();
    int64_t SearchSignature(int64_t from, uint32_t sig1, uint32_t sig2, size_t window, int64_t limit);
    std::string ReadName(size_t length, size_t limit);

    TZpStream* FStream;
    bool FExternalStream;
    TZpBaseArchiver* FArchiver;
    TZpDirArray FItems;
    TZpDirArray FNewItems;
    std::string FComment;
    zp::TZip64Locator FLocator;
    zp::TZip64EndRecord FZip64End;
    zp::TEndRecord FEndRecord;
    int64_t FBaseOffset = 0;
    bool FZip64 = false;
    bool FRepaired = false;
    bool FFoundEndRecord = false;
    int FLastVolume = 0;
};
