// updater/zip/ZpBaseArchiverExtract.cpp -- TZpBaseArchiver: search, the item loop, writing and decoding items
//
// ExtractFiles tags the items a mask finds and runs them through one loop, under the process-wide
// lock. Each item is decoded into a temporary file beside its target; only a complete item whose
// size and CRC-32 passed replaces the target, so a failed, cancelled or skipped item leaves the
// old file as it was; with StageExtractedItems no target is replaced at all, and the decoded
// items wait in their temporary files for the caller. Item names that would leave the base
// folder are refused.
#include "ZpBaseArchiver.h"

#include "ZpChecksum.h"
#include "ZpCollation.h"
#include "ZpException.h"
#include "ZpInflater.h"
#include "ZpPath.h"
#include "ZpPlatform.h"
#include "ZpZlib.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

constexpr size_t ChunkSize = 1048576;
constexpr size_t BlockHeaderSize = 50;
// The attribute bits a search tests; read-only, archive and higher bits pass always.
constexpr uint32_t SearchedAttributes = faHidden | faSysFile | faVolumeID | faDirectory;
// The bits Win32 lets SetFileAttributes set; Unix zips keep their mode in the high word.
constexpr uint32_t SettableAttributes = 0x3127;

std::string Slashed(std::string s, char from, char to) {
    std::replace(s.begin(), s.end(), from, to);
    return s;
}

std::string FolderPart(const std::string& s) {
    size_t p = s.rfind('\\');
    return p == std::string::npos ? std::string() : s.substr(0, p + 1);
}

} // namespace

std::recursive_mutex& TZpBaseArchiver::ProcessLock() {
    // Serialises the item loops of all archivers in the process; recursive, as a handler may start another loop.
    static std::recursive_mutex lock;
    return lock;
}

void TZpBaseArchiver::ExtractFiles(const std::string& fileMask, int16_t searchAttr, const std::string& exclusionMask) {
    if (!FActive) throw EZpException(zp::err::NotOpen, this);
    if (FUpdateCount > 0) throw EZpException(zp::err::UpdateNotEnded, this);
    TagFiles(fileMask, searchAttr, exclusionMask);
    ProcessTaggedFiles(poExtract);
}

void TZpBaseArchiver::TagFiles(const std::string& fileMask, int16_t searchAttr, const std::string& exclusionMask) {
    if (!FDirectory) return;
    ItemsInUse().ClearTags();
    TZpArchiveItem item;
    for (bool found = FindFirst(fileMask, item, exclusionMask, searchAttr); found; found = FindNext(item))
        ItemsInUse().ItemRef(item.ItemIndex).Tag = true;
}

bool TZpBaseArchiver::FindFirst(const std::string& fileMask, TZpArchiveItem& item, const std::string& exclusionMask,
                                int16_t searchAttr) {
    std::string mask = fileMask.substr(ZpExtractFileDrive(fileMask).size());
    mask = Slashed(mask, '\\', '/');
    item.Mask = mask.substr(0, 260);
    item.ExclusionMask = exclusionMask;
    item.UseMaskLists = false;
    item.HasWildcards = item.Mask.find_first_of("*?") != std::string::npos;
    item.SearchAttr = static_cast<uint16_t>(searchAttr);
    item.ItemIndex = 0;
    return SearchStep(item);
}

bool TZpBaseArchiver::FindNext(TZpArchiveItem& item) {
    ++item.ItemIndex;
    return SearchStep(item);
}

bool TZpBaseArchiver::SearchStep(TZpArchiveItem& item) {
    for (int i = std::max(0, item.ItemIndex); i < ItemCount(); ++i) {
        const TDirItem& it = ItemsInUse()[i];
        std::string name = it.Name;
        if (!name.empty() && (name.back() == '/' || name.back() == '\\')) name.pop_back();
        std::string backslashed = Slashed(name, '/', '\\');
        if (!Options.Recurse && FolderPart(backslashed) != FolderPart(Slashed(item.Mask, '/', '\\'))) continue;
        bool match;
        if (!item.UseMaskLists) {
            match = !item.Mask.empty() && (ZpCompareMask(name, item.Mask, true) ||
                                            ZpCompareMask(ZpExtractFileName(backslashed), item.Mask, true));
        } else {
            match = false;
            for (const std::string& m : FFileMasks) match = match || (!m.empty() && ZpCompareMask(backslashed, m, true));
            for (const std::string& m : FExclusionMasks)
                if (!m.empty() && ZpCompareMask(backslashed, m, true)) match = false;
        }
        if (!match) continue;
        if ((it.Header.ExternalAttributes & SearchedAttributes & ~item.SearchAttr) != 0) continue;
        item.ItemIndex = i;
        item.FileName = ZpExtractFileName(backslashed);
        item.StoragePath = FolderPart(backslashed);
        item.CompressedSize = static_cast<int64_t>(it.CompressedSize());
        item.UncompressedSize = static_cast<int64_t>(it.UncompressedSize());
        item.CompressionRate = item.UncompressedSize != 0
                                   ? (1.0 - double(item.CompressedSize) / double(item.UncompressedSize)) * 100.0
                                   : 100.0;
        if (item.CompressionRate < 0) item.CompressionRate = 0;
        item.Encrypted = (it.Header.Flags & 1) != 0;
        item.LastModFileTime = it.Header.Time;
        item.LastModFileDate = it.Header.Date;
        item.CRC = it.Header.Crc;
        item.ExternalFileAttributes = it.Header.ExternalAttributes;
        item.Comment = it.Comment;
        return true;
    }
    item.ItemIndex = ItemCount();
    return false;
}

void TZpBaseArchiver::ProcessTaggedFiles(TZpProcessOperation operation) {
    std::lock_guard<std::recursive_mutex> hold(ProcessLock());
    if (!FDirectory) throw EZpException(zp::err::NotOpen, this);
    // Deleting and refreshing change the new directory: only an update accepts them.
    if (operation == poDelete) CheckUpdating(zp::err::DeleteNotUpdating);
    if (operation == poUpdate) CheckUpdating(zp::err::UpdateNotUpdating);
    TZpDirArray& items = ItemsInUse();
    FFilesProcessed = 0;
    FFilesTotal = 0;
    for (int i = 0; i < items.Count(); ++i) FFilesTotal += items[i].Tag ? 1 : 0;
    FCancelled = false;
    FProgressEnabled = true;
    FOperation = operation;
    bool progress = operation == poExtract || operation == poTest;
    TZpAction action = fxaIgnore;
    if (progress) DoOnOverallProgress(operation, ppStart, 0, FCancelled);
    if (!FCancelled) {
        for (int index = 0; index < items.Count();) {
            if (!items[index].Tag) {
                ++index;
                continue;
            }
            if (operation != poUpdate) items.ItemRef(index).Operation = static_cast<uint8_t>(operation);
            action = fxaIgnore;
            bool removed = false;
            for (;;) {
                std::string storedName = items[index].Name;
                std::string name = Slashed(storedName, '/', '\\');
                try {
                    bool confirm = true;
                    DoOnConfirmProcessFile(name, operation, confirm);
                    if (!confirm) break;
                    std::string baseDir = ZpIncludeTrailingBackslash(BaseDir.empty() ? zp::platform::CurrentDir() : BaseDir);
                    if (progress) {
                        DoOnFileProgress(storedName, operation, 0, ppStart, FCancelled);
                        if (FCancelled) break;
                    }
                    FPasswordSkipped = false;   // a folder item never asks: no answer of an earlier item may count
                    switch (operation) {
                    case poExtract: ExtractTaggedFile(index, name, baseDir); break;
                    case poTest: TestTaggedItem(index); break;
                    case poUpdate: RefreshTaggedItem(index, baseDir); break;
                    case poDelete:
                        items.Delete(index);
                        removed = true;
                        break;
                    default: throw EZpNotSupported("This item operation");
                    }
                    if (progress) {
                        bool cancel = FCancelled;
                        DoOnFileProgress(storedName, operation, 100, ppEnd, cancel);
                        FCancelled = FCancelled || cancel;
                    }
                    // A skipped password leaves the item unwritten: it is not done.
                    if (!FCancelled && !FPasswordSkipped) ++FFilesProcessed;
                    break;
                } catch (const EZpException& e) {
                    action = fxaIgnore;
                    DoOnProcessFileFailure(name, operation, e.NativeCode(), e.MessageIndex(), e.what(), action);
                    if (action != fxaRetry) break;
                }
            }
            if (action == fxaAbort || FCancelled) break;
            if (!removed) ++index;   // else the next item has moved to this index
        }
    }
    if (progress) {
        bool cancel = FCancelled;
        DoOnOverallProgress(operation, ppEnd, 100, cancel);
        FCancelled = FCancelled || cancel;
    }
    // Pending changes are dropped with the update.
    if ((FCancelled || action == fxaAbort) && FUpdateCount > 0) DropUpdate();
}

void TZpBaseArchiver::ExtractTaggedFile(int index, const std::string& fileName, const std::string& baseDir) {
    const TDirItem& item = FDirectory->Items()[index];
    uint32_t fileAttr = item.Header.ExternalAttributes;
    std::string name = fileName;
    DoOnExtractFile(name, fileAttr, item.Comment);
    // "..", drives, ":" and leading separators would write outside the base folder.
    if (!ZpIsSafeItemName(name)) throw EZpException(zp::err::CannotCreateFile, this, {name});
    bool folder = (fileAttr & faDirectory) != 0 || name.back() == '\\' || name.back() == '/';
    if (!Options.CreateDirs) {
        if (folder) return;
        name = ZpExtractFileName(name);
    }
    std::string target = baseDir + name;
    if (Options.CreateDirs) {
        std::string dir = ZpExtractFilePath(target);
        if (folder) dir = ZpIncludeTrailingBackslash(target);
        if (!dir.empty() && !ZpForceDirectories(dir)) throw EZpException(zp::err::CannotCreateDir, this, {ZpExcludeTrailingBackslash(dir)});
    }
    if (folder) return;
    int64_t existing = zp::platform::FileAttributes(target);
    if (existing >= 0 && !(existing & faDirectory)) {
        if (!Options.ReplaceReadOnly && (existing & faReadOnly)) return;
        uint32_t itemStamp = (static_cast<uint32_t>(item.Header.Date) << 16) | item.Header.Time;
        uint32_t fileStamp = 0;
        switch (Options.OverwriteMode) {
        case omPrompt: {
            bool confirm = true;
            DoOnConfirmOverwrite(fileName, target, confirm);
            if (!confirm) return;
            break;
        }
        case omAlways: break;
        case omNever: return;
        case omIfNewer:
            if (!zp::platform::FileDosDateTime(target, fileStamp) ||
                !(static_cast<int32_t>(fileStamp) < static_cast<int32_t>(itemStamp)))
                return;
            break;
        case omIfOlder:
            if (!zp::platform::FileDosDateTime(target, fileStamp) ||
                !(static_cast<int32_t>(fileStamp) > static_cast<int32_t>(itemStamp)))
                return;
            break;
        }
    }
    WriteItemToTarget(index, target, fileAttr);
}

void TZpBaseArchiver::WriteItemToTarget(int index, const std::string& target, uint32_t fileAttr) {
    const TDirItem& item = FDirectory->Items()[index];
    std::string folder = ZpExtractFilePath(target);
    std::string tempPath;
    std::unique_ptr<TZpStream> out = zp::platform::CreateTempFile(folder.empty() ? std::string(".") : folder, "~sx", tempPath);
    if (!out) throw EZpException(zp::err::CannotCreateFile, this, {target});
    bool failed = false;
    std::exception_ptr error;
    try {
        DecompressItem(index, *out);
    } catch (...) {
        failed = true;
        error = std::current_exception();
    }
    if (Options.FlushBuffers) out->Flush();
    out.reset();
    zp::platform::SetFileDosDateTime(tempPath, (static_cast<uint32_t>(item.Header.Date) << 16) | item.Header.Time);
    if (failed || FPasswordSkipped || FCancelled) {
        zp::platform::RemoveFile(tempPath);
        if (error) std::rethrow_exception(error);
        return;
    }
    uint32_t attributes = 0;
    if (Options.SetAttributes) {
        attributes = fileAttr & SettableAttributes;
        if (!attributes) attributes = 0x80;
    }
    if (StageExtractedItems) {
        FStagedItems.push_back({tempPath, target, attributes});
        return;
    }
    // Win32 refuses to replace a read-only, hidden or system file; the attributes come back on failure.
    int64_t old = zp::platform::FileAttributes(target);
    if (old >= 0 && (old & (faReadOnly | faHidden | faSysFile))) zp::platform::ChangeAttributes(target, faArchive);
    if (!zp::platform::MoveReplacing(tempPath, target)) {
        if (old >= 0) zp::platform::ChangeAttributes(target, static_cast<uint32_t>(old));
        zp::platform::RemoveFile(tempPath);
        throw EZpException(zp::err::CannotCreateFile, this, {target});
    }
    if (attributes) zp::platform::ChangeAttributes(target, attributes);
}

void TZpBaseArchiver::ReportProgress(const std::string& name, double done, double total, bool& cancelled) {
    if (!FProgressEnabled || total <= 0) return;
    double part = done / total;
    DoOnFileProgress(name, FOperation, part * 100.0, ppProcess, cancelled);
    if (!cancelled && FFilesTotal > 0)
        DoOnOverallProgress(FOperation, ppProcess, (part + FFilesProcessed) / FFilesTotal * 100.0, cancelled);
}

void TZpBaseArchiver::DecompressItem(int index, TZpStream& outStream) {
    if (!FDirectory || index < 0 || index >= ItemCount()) throw EZpException(zp::err::DecompressIndex, this);
    const TDirItem item = FDirectory->Items()[index];
    MakeVolumeCurrent(static_cast<int>(item.DiskNumber()));
    ArchiveStream().Seek(static_cast<int64_t>(item.LocalHeaderOffset()));
    FPasswordSkipped = false;
    bool bad = false;
    uint32_t crc = 0xFFFFFFFFu;
    uint64_t written = 0;
    uint8_t raw[zp::LocalHeaderSize];
    zp::TLocalHeader local;
    if (ReadSpanned(raw, sizeof raw) != sizeof raw) {
        bad = true;
    } else {
        local.Load(raw);
        bad = local.Signature != zp::LocalSignature && local.Signature != zp::VariantLocalSignature;
    }
    if (!bad) {
        std::vector<uint8_t> skip(size_t(local.NameLength) + local.ExtraLength);
        bad = ReadSpanned(skip.data(), skip.size()) != skip.size();
    }
    if (!bad) {
        uint16_t method = item.Header.Method;
        if (method == 0 || method == 8) {
            bad = !StreamDecode(index, item, outStream, crc, written);
        } else if (method == 9) {
            throw EZpException(zp::err::Deflate64, this);
        } else if (FZipSignatures || FDirectory->EndRecord().Signature != zp::VariantEndSignature ||
                   item.Header.VersionNeeded < 11) {
            // Only archives in the engine's own signatures hold its block format; in a standard zip
            // another method (bzip2, LZMA, AES...) is simply unsupported.
            bad = true;
        } else {
            bad = !BlockDecode(index, item, outStream, crc, written);
        }
    }
    if (item.WorkValue == 1) bad = true;   // listed by the repair scan as unable to pass (see ZpDirArray.h)
    if (!bad && !FCancelled && !FPasswordSkipped) {
        if (written != item.UncompressedSize()) bad = true;
        else if (~crc != item.Header.Crc) bad = true;
    }
    if (bad && !FCancelled && !ExtractCorruptedFiles && !FPasswordSkipped) throw EZpException(zp::err::ItemCheck, this);
}

bool TZpBaseArchiver::StreamDecode(int, const TDirItem& item, TZpStream& out, uint32_t& crcOut, uint64_t& writtenOut) {
    uint64_t compressed = item.CompressedSize();
    double total = static_cast<double>(compressed);
    bool encrypted = (item.Header.Flags & 1) != 0;
    TZpCryptKeys keys;
    if (encrypted) {
        if (compressed < ZpCryptHeaderSize) return false;
        compressed -= ZpCryptHeaderSize;
        int volume = VolumeInfo.VolumeNumber;
        int64_t dataStart = ArchiveStream().Position();
        for (;;) {
            MakeVolumeCurrent(volume);
            ArchiveStream().Seek(dataStart);
            uint8_t header[ZpCryptHeaderSize];
            if (ReadSpanned(header, sizeof header) != sizeof header) return false;
            ZpDecryptHeader(Password, keys, header);
            if (header[11] == ZpCryptCheckByte(item.Header.Flags, item.Header.Crc, item.Header.Time)) break;
            bool skip = false;
            DoOnPassword(item.Name, Password, skip);
            if (skip) {
                FPasswordSkipped = true;
                return false;
            }
        }
    }
    std::unique_ptr<TZpInflater> inflater;
    if (item.Header.Method == 8) inflater = std::make_unique<TZpInflater>(item.UncompressedSize());
    uint64_t limit = item.UncompressedSize();
    bool writeFailed = false;
    auto sink = [&](const uint8_t* data, size_t n) {
        crcOut = ZpUpdateCrc32(crcOut, data, static_cast<int64_t>(n));
        writtenOut += n;
        if (out.Write(data, n) != n) {
            writeFailed = true;
            return false;
        }
        return true;
    };
    // A chunk, or less for small items: claimed sizes beyond the volume cannot be read anyway.
    TZpStream& in = ArchiveStream();
    uint64_t readable = static_cast<uint64_t>(std::max<int64_t>(0, in.Size() - in.Position()));
    if (FSpanningMode == smNone) compressed = std::min(compressed, readable + 1);
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min<uint64_t>(compressed, ChunkSize)) + 2);
    uint64_t done = 0;
    while (done < compressed) {
        ReportProgress(item.Name, static_cast<double>(done), total, FCancelled);
        if (FCancelled) return true;
        size_t n = static_cast<size_t>(std::min<uint64_t>(ChunkSize, compressed - done));
        if (ReadSpanned(buffer.data(), n) != n) return false;
        if (encrypted) ZpDecryptBuffer(buffer.data(), n, keys);
        if (inflater) {
            if (!inflater->Feed(buffer.data(), n, sink)) return false;
        } else {
            // A stored item longer than its stated size is bad; no need to write what follows.
            if (writtenOut + n > limit) return false;
            if (!sink(buffer.data(), n)) return false;
        }
        done += n;
    }
    return !writeFailed;
}

bool TZpBaseArchiver::BlockDecode(int, const TDirItem& item, TZpStream& out, uint32_t& crcOut, uint64_t& writtenOut) {
    // Block header: block size (4), block count (4), size of the last block (4), compression kind (1),
    // blocks-compressed flag (1), cipher kind (2, 0xFFFF: none), check block (16), check CRC (4), reserved.
    uint8_t h[BlockHeaderSize];
    if (ReadSpanned(h, sizeof h) != sizeof h) return false;
    uint32_t blockSize = zp::Le32(h), blockCount = zp::Le32(h + 4), lastSize = zp::Le32(h + 8);
    bool compressedBlocks = h[13] != 0;
    uint16_t cipher = zp::Le16(h + 14);
    uint64_t size = item.UncompressedSize();
    uint64_t available = item.CompressedSize();
    // The sizes must agree with the item's before anything is allocated from them.
    if (available < BlockHeaderSize) return false;
    available -= BlockHeaderSize;
    if (size == 0) {
        if (blockCount != 0) return false;
    } else {
        if (blockSize == 0 || blockSize > size || lastSize == 0 || lastSize > blockSize) return false;
        uint64_t count = (size + blockSize - 1) / blockSize;
        if (blockCount != count || (count - 1) * blockSize + lastSize != size) return false;
        if (blockCount > available / 4) return false;
    }
    if (cipher != 0xFFFF) {
        // No block cipher is built in: the check never passes and the question repeats until skipped.
        for (;;) {
            bool skip = false;
            DoOnPassword(item.Name, Password, skip);
            if (skip) {
                FPasswordSkipped = true;
                return false;
            }
        }
    }
    std::vector<uint8_t> block, expanded;
    double total = static_cast<double>(item.CompressedSize());
    double done = BlockHeaderSize;
    for (uint32_t b = 0; b < blockCount; ++b) {
        ReportProgress(item.Name, done, total, FCancelled);
        if (FCancelled) return true;
        uint8_t len[4];
        if (available < 4 || ReadSpanned(len, 4) != 4) return false;
        available -= 4;
        uint32_t length = zp::Le32(len);
        uint32_t expect = b + 1 == blockCount ? lastSize : blockSize;
        if (length > available || (!compressedBlocks && length != expect)) return false;
        available -= length;
        block.resize(length);
        if (ReadSpanned(block.data(), length) != length) return false;
        const std::vector<uint8_t>* data = &block;
        if (compressedBlocks) {
            if (!zp::zlib::SafeDecompressBuffer(false, block.data(), block.size(), expect, expanded) || expanded.size() != expect)
                return false;
            data = &expanded;
        }
        crcOut = ZpUpdateCrc32(crcOut, data->data(), static_cast<int64_t>(data->size()));
        writtenOut += data->size();
        if (out.Write(data->data(), data->size()) != data->size()) return false;
        done += 4.0 + length;
    }
    return true;
}
