// updater/zip/ZpBaseArchiverCommit.cpp -- TZpBaseArchiver: the commit, writing items and compressing them
//
// A single-file archive is written anew into a temporary file beside it (a memory stream for an
// in-memory archive): what lay before its first item, then every item (old data copied, new data
// compressed), then the directory. Only a complete new archive takes the old one's place, by a
// rename; a failure, a cancel or an abort leaves the old archive as it was. A new multi-volume
// archive is written volume by volume, each item staged in a temporary file first, since its
// local header is rewritten once its data is known.
#include "ZpBaseArchiver.h"

#include "ZpChecksum.h"
#include "ZpDeflater.h"
#include "ZpException.h"
#include "ZpPath.h"
#include "ZpPlatform.h"

#include <algorithm>
#include <random>

namespace {

constexpr uint64_t Zip64Limit = 0xFFFFFFFFu;
// The local header cannot grow once data follows it, and deflate may grow incompressible data a
// little: a source this close to 4 GiB gets its Zip64 fields from the start.
constexpr uint64_t Zip64Headroom = 64u << 20;
constexpr size_t CopyBufferSize = 1000000;
constexpr size_t LocalZip64ExtraSize = 20;

bool IsLocalSignature(uint32_t s) { return s == zp::LocalSignature || s == zp::VariantLocalSignature; }

void SetOffset(TDirItem& item, uint64_t offset, bool wide) {
    if (wide || offset >= Zip64Limit) {
        item.Header.LocalHeaderOffset = 0xFFFFFFFFu;
        item.LocalHeaderOffset64 = offset;
        item.Zip64 = true;
    } else {
        item.Header.LocalHeaderOffset = static_cast<uint32_t>(offset);
    }
}

void SetDisk(TDirItem& item, int volume) {
    uint32_t disk = static_cast<uint32_t>(std::max(volume, 0));
    if (disk >= 0xFFFF) {
        item.Header.DiskNumberStart = 0xFFFF;
        item.DiskNumberStart32 = disk;
        item.Zip64 = true;
    } else {
        item.Header.DiskNumberStart = static_cast<uint16_t>(disk);
    }
}

void CopyBytes(TZpStream& in, uint64_t count, const std::function<void(const uint8_t*, size_t)>& write) {
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min<uint64_t>(count, CopyBufferSize)));
    while (count > 0) {
        size_t n = static_cast<size_t>(std::min<uint64_t>(count, buffer.size()));
        in.ReadBuffer(buffer.data(), n);
        write(buffer.data(), n);
        count -= n;
    }
}

} // namespace

uint16_t TZpBaseArchiver::ReopenMode() const {
    // A created archive is reopened, never created again: that would empty it.
    return FOpenMode == fmCreate ? static_cast<uint16_t>(fmOpenReadWrite | fmShareDenyWrite) : FOpenMode;
}

void TZpBaseArchiver::Commit() {
    if (FUpdateCount <= 0 || !FDirectory) return;
    FUpdateCount = 0;
    std::lock_guard<std::recursive_mutex> hold(ProcessLock());
    const TZpDirArray& oldItems = FDirectory->Items();
    const TZpDirArray& newItems = FDirectory->NewItems();
    FFilesProcessed = 0;
    FFilesTotal = 0;
    FCancelled = false;
    FProgressEnabled = true;
    TZpProcessOperation operation = poDelete;
    for (int i = 0; i < newItems.Count(); ++i) {
        if (!newItems[i].Modified) continue;
        if (FFilesTotal++ == 0) operation = static_cast<TZpProcessOperation>(newItems[i].Operation);
    }
    int shorter = std::min(oldItems.Count(), newItems.Count());
    int changed = shorter;
    for (int i = 0; i < shorter; ++i)
        if (newItems[i].Modified || newItems[i].Name != oldItems[i].Name) {
            changed = i;
            break;
        }
    // Nothing changed: the archive stays byte for byte as it is.
    if (changed == shorter && oldItems.Count() == newItems.Count()) return;
    FOperation = operation;
    DoOnOverallProgress(operation, ppStart, 0, FCancelled);
    if (FCancelled) {
        DropUpdate();
        return;
    }
    try {
        if (MultiVolume()) CommitVolumes(operation);
        else CommitSingle(operation);
    } catch (...) {
        DropUpdate();
        throw;
    }
}

void TZpBaseArchiver::CommitSingle(TZpProcessOperation operation) {
    std::string builtPath;
    std::unique_ptr<TZpStream> built;
    if (FInMemory) {
        built = std::make_unique<TZpMemoryStream>();
    } else {
        // Beside the archive, so that putting it in place is a rename on the same disk.
        std::string folder = ZpExtractFilePath(ZpExpandFileName(FileName));
        built = zp::platform::CreateTempFile(folder, "FC", builtPath);
        if (!built) throw EZpException(zp::err::CannotCreateFile, this, {ZpExcludeTrailingBackslash(folder)});
    }
    bool complete = false;
    try {
        CopyPrefix(*built);
        complete = CommitItems(built.get());
        if (complete) FDirectory->WriteCentralDir(true, built.get());
        FDirectory->AttachArchiveStream();
        bool cancel = FCancelled;
        DoOnOverallProgress(operation, ppEnd, 100, cancel);
        FCancelled = FCancelled || cancel;
        complete = complete && !FCancelled;
        if (complete && Options.FlushBuffers && !built->Flush()) throw EZpException(zp::err::WriteFailed, this);
    } catch (...) {
        FDirectory->AttachArchiveStream();
        built.reset();
        if (!builtPath.empty()) zp::platform::RemoveFile(builtPath);
        throw;
    }
    if (!complete) {
        built.reset();
        if (!builtPath.empty()) zp::platform::RemoveFile(builtPath);
        DropUpdate();
        return;
    }
    ReplaceArchive(std::move(built), builtPath);
    AcceptCommit();
}

void TZpBaseArchiver::CommitVolumes(TZpProcessOperation operation) {
    bool complete = false;
    try {
        complete = CommitItems(nullptr);
        if (complete) FDirectory->WriteCentralDir(true);
        bool cancel = FCancelled;
        DoOnOverallProgress(operation, ppEnd, 100, cancel);
        FCancelled = FCancelled || cancel;
        complete = complete && !FCancelled;
        if (complete) FinishVolumes();
    } catch (...) {
        DiscardVolumes();
        throw;
    }
    if (!complete) {
        DiscardVolumes();
        DropUpdate();
        return;
    }
    // The volumes are written: from now on they are read, never created again.
    FOpenMode = ReopenMode();
    AcceptCommit();
}

void TZpBaseArchiver::AcceptCommit() {
    TZpDirArray& newItems = FDirectory->NewItems();
    for (int i = 0; i < newItems.Count(); ++i) {
        TDirItem& item = newItems.ItemRef(i);
        item.Modified = false;
        item.NewItem = false;
        item.Stream.reset();
        item.StreamStart = 0;
    }
    FDirectory->Items().Assign(newItems);
}

void TZpBaseArchiver::CopyPrefix(TZpStream& out) {
    // A self-extractor stub, or whatever other prefix lies before the first item's data.
    int64_t end = FDirectory->BaseOffset();
    const TZpDirArray& items = FDirectory->Items();
    for (int i = 0; i < items.Count(); ++i)
        end = std::min<int64_t>(end, static_cast<int64_t>(items[i].LocalHeaderOffset()));
    TZpStream& in = ArchiveStream();
    end = std::min(end, in.Size());
    if (end <= 0) return;
    in.Seek(0);
    CopyBytes(in, static_cast<uint64_t>(end), [&](const uint8_t* p, size_t n) { out.WriteBuffer(p, n); });
}

void TZpBaseArchiver::ReplaceArchive(std::unique_ptr<TZpStream> built, const std::string& builtPath) {
    if (FInMemory) {
        FArchiveStream = std::move(built);
        return;
    }
    // Win32 renames over a file only once every handle on it is closed.
    built.reset();
    FArchiveStream.reset();
    bool moved = zp::platform::MoveReplacing(builtPath, FileName);
    if (!moved) zp::platform::RemoveFile(builtPath);
    FArchiveStream = zp::platform::OpenFile(FileName, ReopenMode());
    if (!FArchiveStream) throw EZpException(zp::err::CannotOpenSource, this, {FileName});
    FCurrentVolumeName = FileName;
    if (!moved) throw EZpException(zp::err::OutputLocked, this, {FileName});
}

bool TZpBaseArchiver::CommitItems(TZpStream* out) {
    TZpDirArray& items = FDirectory->NewItems();
    TZpAction action = fxaIgnore;
    for (int index = 0; index < items.Count();) {
        bool fresh = items[index].Modified;
        bool dropped = false;
        action = fxaIgnore;
        for (;;) {
            TZpStream& target = out ? *out : ArchiveStream();
            int64_t mark = target.Position();
            size_t volumes = FWrittenVolumes.size();
            try {
                if (fresh) {
                    if (WriteNewItem(index, out)) ++FFilesProcessed;
                } else {
                    if (!out) throw EZpException(zp::err::ItemCheck, this);   // a new multi-volume archive holds no old data
                    CopyOldItem(index, *out);
                }
                break;
            } catch (const EZpException& e) {
                const TDirItem& item = items[index];
                std::string name = item.Operation == poUpdate || item.SourceFile.empty() ? item.Name : item.SourceFile;
                std::replace(name.begin(), name.end(), '/', '\\');
                // The failed item's bytes go; on a volume already closed nothing can be taken back: only an abort is left.
                bool closedVolume = !out && FWrittenVolumes.size() != volumes;
                if (!closedVolume) {
                    TZpStream& again = out ? *out : ArchiveStream();
                    again.SetSize(mark);
                    again.Seek(mark);
                }
                action = fxaIgnore;
                if (closedVolume) action = fxaAbort;
                else DoOnProcessFileFailure(name, static_cast<TZpProcessOperation>(item.Operation), e.NativeCode(),
                                            e.MessageIndex(), e.what(), action);
                // Old data that could not be written cannot be left out: that would lose an item nobody asked to go.
                if (action == fxaIgnore && !fresh && e.NativeCode() == 46) action = fxaAbort;
                if (action == fxaRetry) continue;
                if (action == fxaIgnore) {
                    // A refreshed item keeps its old data; an added one, or old data that cannot be read, goes.
                    int old = -1;
                    if (fresh && item.Operation != poAdd) {
                        const TZpDirArray& olds = FDirectory->Items();
                        for (int i = 0; i < olds.Count() && old < 0; ++i)
                            if (olds[i].Name == item.Name) old = i;
                    }
                    if (old >= 0) {
                        items.PutItem(index, FDirectory->Items()[old]);
                        fresh = false;
                        continue;
                    }
                    items.Delete(index);
                    dropped = true;
                }
                break;
            }
        }
        if (FCancelled || action == fxaAbort) return false;
        if (!dropped) ++index;
    }
    return true;
}

bool TZpBaseArchiver::WriteNewItem(int index, TZpStream* out) {
    TZpDirArray& items = FDirectory->NewItems();
    TDirItem item = items[index];
    TZpProcessOperation operation = static_cast<TZpProcessOperation>(item.Operation);
    bool cancel = false;
    DoOnFileProgress(item.Name, operation, 0, ppStart, cancel);
    if (cancel) {
        FCancelled = true;
        return false;
    }
    std::unique_ptr<TZpStream> file;
    TZpStream* source = nullptr;
    if (item.Stream) {
        source = item.Stream.get();
    } else if (!item.IsDirectory()) {
        file = zp::platform::OpenFile(item.SourceFile, static_cast<uint16_t>(fmOpenRead | ZpShareModeFlags(Options.ShareMode)));
        if (!file) throw EZpException(zp::err::CannotOpenSource, this, {item.SourceFile});
        source = file.get();
    }
    if (out) {
        WriteItem(item, source, *out, out->Position());
    } else {
        std::string folder = TempFolder();
        std::string stagedPath;
        std::unique_ptr<TZpStream> staged = zp::platform::CreateTempFile(folder, "FC", stagedPath);
        if (!staged) throw EZpException(zp::err::CannotCreateFile, this, {ZpExcludeTrailingBackslash(folder)});
        try {
            WriteItem(item, source, *staged, RoomOnVolume() > 0 ? ArchiveStream().Position() : 0);
            if (!FCancelled) PlaceItemOnVolumes(item, *staged);
        } catch (...) {
            staged.reset();
            zp::platform::RemoveFile(stagedPath);
            throw;
        }
        staged.reset();
        zp::platform::RemoveFile(stagedPath);
    }
    if (FCancelled) return false;
    items.PutItem(index, item);
    cancel = FCancelled;
    DoOnFileProgress(item.Name, operation, 100, ppEnd, cancel);
    FCancelled = FCancelled || cancel;
    return true;
}

void TZpBaseArchiver::WriteItem(TDirItem& item, TZpStream* source, TZpStream& out, int64_t headerPosition) {
    // The engine's own block format is not held here: only the standard set is written.
    if (!FZipSignatures && source) throw EZpNotSupported("Compressing in the engine's own block format");
    int64_t start = out.Position();
    uint64_t size = 0;
    if (source) size = static_cast<uint64_t>(std::max<int64_t>(0, source->Size() - item.StreamStart));
    const std::string& label = item.SourceFile.empty() ? item.Name : item.SourceFile;
    bool zip64 = static_cast<uint64_t>(headerPosition) >= Zip64Limit || Zip64Mode == zmAlways || size >= Zip64Limit ||
                 (Zip64Mode == zmAuto && size >= Zip64Limit - Zip64Headroom);
    if (zip64 && Zip64Mode == zmDisabled) throw EZpException(zp::err::Zip64DisabledSource, this, {label});
    bool variant = FDirectory->EndRecord().Signature == zp::VariantEndSignature;
    bool encrypted = !item.Password.empty() && !item.IsDirectory();
    if (size == 0 && FZipSignatures) item.Header.Method = 0;   // nothing to deflate
    zp::TLocalHeader local;
    local.Signature = variant ? zp::VariantLocalSignature : zp::LocalSignature;
    local.VersionNeeded = zip64 ? (variant ? 0x412D : 45) : item.Header.VersionNeeded;
    // The same flags as the directory's copy (a folder's 2 included): peers compare the two.
    local.Flags = static_cast<uint16_t>(item.IsDirectory() ? item.Header.Flags : encrypted ? 1 : 0);
    local.Method = item.Header.Method;
    local.Time = item.Header.Time;
    local.Date = item.Header.Date;
    local.UncompressedSize = zip64 ? 0xFFFFFFFFu : static_cast<uint32_t>(size);
    std::string name = Options.OEMFileNames ? zp::platform::ToOem(item.Name) : item.Name;
    local.NameLength = static_cast<uint16_t>(name.size());
    local.ExtraLength = zip64 ? LocalZip64ExtraSize : 0;
    uint8_t raw[zp::LocalHeaderSize];
    local.Store(raw);
    out.WriteBuffer(raw, sizeof raw);
    out.WriteBuffer(name.data(), name.size());
    uint8_t extra[LocalZip64ExtraSize] = {};
    if (zip64) out.WriteBuffer(extra, sizeof extra);   // filled in once the sizes are known
    int64_t dataStart = out.Position();
    uint32_t crc = 0;
    if (source) {
        source->Seek(item.StreamStart);
        CompressData(item, *source, size, out, crc);
        if (FCancelled) return;
    }
    uint64_t compressed = static_cast<uint64_t>(out.Position() - dataStart);
    if (!zip64 && (compressed >= Zip64Limit || size >= Zip64Limit)) throw EZpException(zp::err::Zip64Disabled, this, {label});
    local.Crc = crc;
    local.CompressedSize = zip64 ? 0xFFFFFFFFu : static_cast<uint32_t>(compressed);
    local.Store(raw);
    int64_t end = out.Position();
    out.Seek(start);
    out.WriteBuffer(raw, sizeof raw);
    if (zip64) {
        zp::Put16(extra, zp::Zip64ExtraId);
        zp::Put16(extra + 2, 16);
        zp::Put64(extra + 4, size);
        zp::Put64(extra + 12, compressed);
        out.Seek(start + static_cast<int64_t>(zp::LocalHeaderSize + name.size()));
        out.WriteBuffer(extra, sizeof extra);
    }
    out.Seek(end);
    // The directory's copy of the header: the same version, sizes and method.
    item.Header.VersionNeeded = item.Header.VersionMadeBy = local.VersionNeeded;
    item.Header.Crc = crc;
    item.Header.NameLength = static_cast<uint16_t>(item.Name.size());
    item.UncompressedSize64 = size;
    item.CompressedSize64 = compressed;
    item.Header.UncompressedSize = zip64 ? 0xFFFFFFFFu : static_cast<uint32_t>(size);
    item.Header.CompressedSize = zip64 ? 0xFFFFFFFFu : static_cast<uint32_t>(compressed);
    item.Zip64 = zip64;
    SetOffset(item, static_cast<uint64_t>(start), Zip64Mode == zmAlways);
    SetDisk(item, 0);
}

void TZpBaseArchiver::CompressData(TDirItem& item, TZpStream& source, uint64_t size, TZpStream& out, uint32_t& crc) {
    size_t chunk = ZpBlockSizeFromMode(item.CompressionMode);
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min<uint64_t>(size, chunk)));
    bool encrypted = !item.Password.empty();
    TZpCryptKeys keys;
    uint32_t first = 0xFFFFFFFFu;
    if (encrypted) {
        // The header's check byte is the CRC's top byte, so the whole source is read once beforehand.
        for (uint64_t done = 0; done < size;) {
            size_t n = static_cast<size_t>(std::min<uint64_t>(buffer.size(), size - done));
            if (source.Read(buffer.data(), n) != n) throw EZpException(zp::err::CompressedSizeMismatch, this, {static_cast<long long>(size), static_cast<long long>(done)});
            first = ZpUpdateCrc32(first, buffer.data(), static_cast<int64_t>(n));
            done += n;
        }
        source.Seek(item.StreamStart);
        uint8_t header[ZpCryptHeaderSize];
        std::random_device random;
        for (size_t i = 0; i < 10; ++i) header[i] = static_cast<uint8_t>(random());
        header[10] = static_cast<uint8_t>(~first >> 16);
        header[11] = static_cast<uint8_t>(~first >> 24);
        keys = ZpInitKeys(item.Password);
        ZpEncryptBuffer(sizeof header, 0, header, keys);
        out.WriteBuffer(header, sizeof header);
    }
    std::unique_ptr<TZpDeflater> deflater;
    if (item.Header.Method == 8) deflater = std::make_unique<TZpDeflater>(item.CompressionMode);
    uint32_t running = 0xFFFFFFFFu;
    uint64_t done = 0;
    while (done < size) {
        ReportProgress(item.Name, static_cast<double>(done), static_cast<double>(size), FCancelled);
        if (FCancelled) return;
        size_t want = static_cast<size_t>(std::min<uint64_t>(buffer.size(), size - done));
        size_t n = source.Read(buffer.data(), want);
        if (n == 0) break;
        running = ZpUpdateCrc32(running, buffer.data(), static_cast<int64_t>(n));
        done += n;
        std::vector<uint8_t> packed;
        const uint8_t* data = buffer.data();
        size_t length = n;
        if (deflater) {
            packed = deflater->Compress(buffer.data(), n, done == size);
            data = packed.data();
            length = packed.size();
        } else if (encrypted) {
            packed.assign(buffer.begin(), buffer.begin() + static_cast<long>(n));
            data = packed.data();
        }
        if (encrypted) ZpEncryptBuffer(length, 0, const_cast<uint8_t*>(data), keys);
        out.WriteBuffer(data, length);
    }
    if (done != size) throw EZpException(zp::err::CompressedSizeMismatch, this, {static_cast<long long>(size), static_cast<long long>(done)});
    // A source that changed between the two readings would carry a check byte of other data.
    if (encrypted && running != first) throw EZpException(zp::err::ItemCheck, this);
    crc = ~running;
}

void TZpBaseArchiver::CopyOldItem(int index, TZpStream& out) {
    TZpDirArray& items = FDirectory->NewItems();
    TDirItem item = items[index];
    // Listed by the repair scan without a data descriptor: its size is not known, so neither is its data.
    if (item.WorkValue == 1) throw EZpException(zp::err::ItemCheck, this);
    TZpStream& in = ArchiveStream();
    uint64_t at = item.LocalHeaderOffset();
    uint64_t size = static_cast<uint64_t>(in.Size());
    uint8_t raw[zp::LocalHeaderSize];
    in.Seek(static_cast<int64_t>(at));
    if (at + sizeof raw > size || in.Read(raw, sizeof raw) != sizeof raw) throw EZpException(zp::err::ItemCheck, this);
    zp::TLocalHeader local;
    local.Load(raw);
    if (!IsLocalSignature(local.Signature)) throw EZpException(zp::err::ItemCheck, this);
    uint64_t length = zp::LocalHeaderSize + local.NameLength + local.ExtraLength + item.CompressedSize();
    if (item.Header.Flags & 8) {
        // The data descriptor after the data belongs to the item: with or without its signature,
        // 8-byte sizes when the item is a Zip64 one.
        bool wide = item.Header.CompressedSize == 0xFFFFFFFFu || item.Header.UncompressedSize == 0xFFFFFFFFu;
        uint64_t descriptor = wide ? 20 : 12;
        uint8_t sig[4];
        in.Seek(static_cast<int64_t>(at + length));
        if (in.Read(sig, 4) == 4 && zp::Le32(sig) == zp::DataDescriptorSignature) descriptor += 4;
        length += descriptor;
    }
    if (at + length > size) throw EZpException(zp::err::ItemCheck, this);
    in.Seek(static_cast<int64_t>(at));
    int64_t position = out.Position();
    CopyBytes(in, length, [&](const uint8_t* p, size_t n) { out.WriteBuffer(p, n); });
    SetOffset(item, static_cast<uint64_t>(position), item.Header.LocalHeaderOffset == 0xFFFFFFFFu);
    SetDisk(item, 0);
    items.PutItem(index, item);
}

void TZpBaseArchiver::PlaceItemOnVolumes(TDirItem& item, TZpStream& staged) {
    uint8_t raw[zp::LocalHeaderSize];
    staged.Seek(0);
    staged.ReadBuffer(raw, sizeof raw);
    zp::TLocalHeader local;
    local.Load(raw);
    // The local header stays on one volume; the data may run on over the volume's end.
    KeepTogether(zp::LocalHeaderSize + local.NameLength + local.ExtraLength);
    int64_t position = ArchiveStream().Position();
    SetOffset(item, static_cast<uint64_t>(position), Zip64Mode == zmAlways);
    SetDisk(item, VolumeInfo.VolumeNumber);
    staged.Seek(0);
    CopyBytes(staged, static_cast<uint64_t>(staged.Size()), [&](const uint8_t* p, size_t n) { WriteSpanned(p, n); });
}
