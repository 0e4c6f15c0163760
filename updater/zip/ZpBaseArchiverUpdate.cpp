// updater/zip/ZpBaseArchiverUpdate.cpp -- TZpBaseArchiver: updates and the item operations that flag items
//
// BeginUpdate copies the directory into the new directory; adding, refreshing and deleting change
// only that copy, and the outermost EndUpdate commits it (ZpBaseArchiverCommit.cpp). Outside an
// explicit update each operation is an update of its own. Paths are worked out against BaseDir
// explicitly: the process's current folder is never changed.
#include "ZpBaseArchiver.h"

#include "ZpCollation.h"
#include "ZpException.h"
#include "ZpPath.h"
#include "ZpPlatform.h"

#include <algorithm>

namespace {

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool MatchesAny(const std::vector<std::string>& masks, const std::string& name) {
    for (const std::string& m : masks)
        if (!m.empty() && ZpCompareMask(name, m, true)) return true;
    return false;
}

std::string Backslashed(std::string s) {
    std::replace(s.begin(), s.end(), '/', '\\');
    return s;
}

} // namespace

TZpDirArray& TZpBaseArchiver::ItemsInUse() {
    if (!FDirectory) throw EZpException(zp::err::NotOpen, this);
    return FUpdateCount > 0 ? FDirectory->NewItems() : FDirectory->Items();
}

const TZpDirArray& TZpBaseArchiver::ItemsInUse() const {
    if (!FDirectory) throw EZpException(zp::err::NotOpen, this);
    return FUpdateCount > 0 ? FDirectory->NewItems() : FDirectory->Items();
}

void TZpBaseArchiver::CheckUpdating(int code) const {
    if (FUpdateCount <= 0) throw EZpException(code, this);
}

void TZpBaseArchiver::BeginUpdate() {
    if (!FActive || !FDirectory || !FArchiveStream) throw EZpException(zp::err::NotOpen, this);
    if (FUpdateCount == 0) {
        bool readOnly = !FInMemory && FOpenMode != fmCreate &&
                        ((FOpenMode & 3) == fmOpenRead || (zp::platform::FileAttributes(FileName) & faReadOnly) != 0);
        if (readOnly) throw EZpException(zp::err::ReadOnlyArchive, this);
        // Volumes are written once, in order: only a multi-volume archive being created takes items.
        if (MultiVolume() && (FOpenMode != fmCreate || FDirectory->Items().Count() > 0 || VolumeInfo.VolumeNumber > 0))
            throw EZpException(zp::err::SpannedModification, this);
        FDirectory->NewItems().Assign(FDirectory->Items());
        for (int i = 0; i < FDirectory->NewItems().Count(); ++i) {
            TDirItem& item = FDirectory->NewItems().ItemRef(i);
            item.Modified = false;
            item.Tag = false;
        }
    }
    ++FUpdateCount;
}

void TZpBaseArchiver::EndUpdate() {
    // A cancelled or aborted item loop has already dropped the update and what it held.
    if (FUpdateCount <= 0) return;
    if (FUpdateCount > 1) {
        --FUpdateCount;
        return;
    }
    Commit();
}

void TZpBaseArchiver::DropUpdate() {
    FUpdateCount = 0;
    if (FDirectory) FDirectory->NewItems().Assign(FDirectory->Items());
}

void TZpBaseArchiver::AsUpdate(const std::function<void()>& step) {
    bool own = FUpdateCount == 0;
    if (own) BeginUpdate();
    try {
        step();
    } catch (...) {
        if (own) DropUpdate();
        throw;
    }
    if (own) EndUpdate();
}

int TZpBaseArchiver::FindNewItem(const std::string& storedName) const {
    const TZpDirArray& items = FDirectory->NewItems();
    std::string wanted = Upper(storedName);
    for (int i = 0; i < items.Count(); ++i)
        if (Upper(items[i].Name) == wanted) return i;
    return -1;
}

void TZpBaseArchiver::SetUpItem(TDirItem& item, const std::string& sourceFile, const std::string& storedName,
                                uint32_t attributes, const std::string& comment) {
    bool folder = (attributes & faDirectory) != 0;
    bool variant = FDirectory->EndRecord().Signature == zp::VariantEndSignature;
    uint16_t version = variant ? 0x4114 : Options.OEMFileNames ? 20 : 0x0B14;
    uint32_t stamp = 0;
    if (sourceFile.empty() || !zp::platform::FileDosDateTime(sourceFile, stamp)) stamp = zp::platform::NowDosDateTime();
    bool stored = folder || MatchesAny(FNoCompressionMasks, Backslashed(storedName));
    item.Header = zp::TCentralHeader();
    item.Header.Signature = variant ? zp::VariantCentralSignature : zp::CentralSignature;
    item.Header.VersionMadeBy = item.Header.VersionNeeded = version;
    item.Header.Flags = folder ? 2 : Password.empty() ? 0 : 1;
    item.Header.Method = stored ? 0 : FDefaultMethod;
    item.Header.Time = static_cast<uint16_t>(stamp & 0xFFFF);
    item.Header.Date = static_cast<uint16_t>(stamp >> 16);
    item.Header.Crc = folder ? 0 : 0xFFFFFFFFu;
    item.Header.NameLength = static_cast<uint16_t>(storedName.size());
    item.Header.ExternalAttributes = attributes;
    item.Name = storedName;
    item.Comment = comment;
    // Extra fields of the old data (another tool's AES or time fields) would misdescribe the new data.
    item.ExtraFields.clear();
    item.Zip64 = false;
    item.UncompressedSize64 = item.CompressedSize64 = item.LocalHeaderOffset64 = 0;
    item.DiskNumberStart32 = 0;
    item.Password = folder ? std::string() : Password;
    item.SourceFile = sourceFile;
    item.Stream.reset();
    item.StreamStart = 0;
    item.CompressionMode = static_cast<uint8_t>(stored ? 0 : FCompressionMode);
    item.WorkValue = 0;
    item.Modified = true;
}

bool TZpBaseArchiver::MayReplace(const TDirItem& item, const std::string& sourceFile, const std::string& storedName) {
    if (!Options.ReplaceReadOnly && (item.Header.ExternalAttributes & faReadOnly)) return false;
    uint32_t itemStamp = (static_cast<uint32_t>(item.Header.Date) << 16) | item.Header.Time;
    uint32_t fileStamp = 0;
    bool stamped = !sourceFile.empty() && zp::platform::FileDosDateTime(sourceFile, fileStamp);
    if (!stamped) fileStamp = zp::platform::NowDosDateTime();
    switch (Options.OverwriteMode) {
    case omPrompt: {
        bool confirm = true;
        std::string dest = storedName;
        DoOnConfirmOverwrite(sourceFile.empty() ? storedName : sourceFile, dest, confirm);
        return confirm;
    }
    case omNever: return false;
    case omIfNewer: return static_cast<int32_t>(fileStamp) > static_cast<int32_t>(itemStamp);
    case omIfOlder: return static_cast<int32_t>(fileStamp) < static_cast<int32_t>(itemStamp);
    default: return true;
    }
}

void TZpBaseArchiver::PutNewItem(const std::string& sourceFile, std::string storedName, uint32_t attributes,
                                 std::shared_ptr<TZpStream> source) {
    std::string comment;
    DoOnStoreFile(storedName, attributes, comment);
    if (storedName.empty()) return;
    TZpDirArray& items = FDirectory->NewItems();
    int existing = FindNewItem(storedName);
    TDirItem item;
    if (existing >= 0) {
        item = items[existing];
        if (!MayReplace(item, sourceFile, storedName)) return;
        // Replaced in this same update (two files, one stored name) it is still being added.
        item.Operation = static_cast<uint8_t>(item.Modified && item.Operation == poAdd ? poAdd : poUpdate);
    } else {
        item.Operation = poAdd;
        item.NewItem = true;
    }
    SetUpItem(item, sourceFile, storedName, attributes, comment);
    if (source) {
        item.StreamStart = source->Position();
        item.Stream = std::move(source);
    }
    if (existing >= 0) items.PutItem(existing, item);
    else items.Add(item);
}

void TZpBaseArchiver::AddFoundFile(const std::string& path, bool folder, const std::string& baseDir) {
    bool confirm = true;
    DoOnConfirmProcessFile(path, poAdd, confirm);
    if (!confirm) return;
    std::string name = ZpStoredName(path, baseDir, Options.StorePath);
    if (name.empty()) return;
    int64_t attributes = zp::platform::FileAttributes(path);
    uint32_t attr = folder ? faDirectory : attributes < 0 ? faArchive : static_cast<uint32_t>(attributes) & ~faDirectory;
    if (folder) {
        name += '/';
        if (attributes >= 0) attr = static_cast<uint32_t>(attributes) | faDirectory;
    }
    PutNewItem(path, name, attr, nullptr);
}

void TZpBaseArchiver::AddFolder(const std::string& folder, const std::string& pattern, int16_t searchAttr,
                                const std::vector<std::string>& exclusions, const std::string& baseDir) {
    std::vector<zp::platform::TFolderEntry> entries;
    if (!zp::platform::ListFolder(folder, entries)) return;
    // Folders list in no fixed order on every system: sort, so an archive's order does not depend on it.
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return Upper(a.Name) < Upper(b.Name); });
    const uint32_t allowed = static_cast<uint16_t>(searchAttr);
    const std::string archive = Upper(ZpExpandFileName(FileName));
    const std::string volume = Upper(ZpExpandFileName(FCurrentVolumeName));
    for (const auto& e : entries) {
        std::string path = folder + e.Name;
        bool isFolder = (e.Attributes & faDirectory) != 0;
        if ((e.Attributes & (faHidden | faSysFile | faVolumeID) & ~allowed) != 0) continue;
        std::string relative = Backslashed(ZpStoredName(path, baseDir, spRelativePath));
        if (MatchesAny(exclusions, e.Name) || MatchesAny(exclusions, relative)) continue;
        if (isFolder) {
            if ((allowed & faDirectory) && ZpCompareMask(e.Name, pattern, true)) AddFoundFile(path, true, baseDir);
            if (Options.Recurse) AddFolder(path + "\\", pattern, searchAttr, exclusions, baseDir);
            continue;
        }
        if (!ZpCompareMask(e.Name, pattern, true)) continue;
        // The archive must not swallow itself (nor the volume being written).
        std::string full = Upper(ZpExpandFileName(path));
        if (full == archive || (!FCurrentVolumeName.empty() && full == volume)) continue;
        AddFoundFile(path, false, baseDir);
    }
}

void TZpBaseArchiver::AddFiles(const std::string& fileMask, int16_t searchAttr, const std::string& exclusionMask) {
    if (!FActive) throw EZpException(zp::err::NotOpen, this);
    std::vector<std::string> masks = fileMask.empty() ? FFileMasks : std::vector<std::string>{fileMask};
    std::vector<std::string> exclusions = FExclusionMasks;
    if (!exclusionMask.empty()) exclusions.push_back(exclusionMask);
    std::string baseDir = ZpIncludeTrailingBackslash(ZpResolvePath(BaseDir, std::string()));
    AsUpdate([&] {
        for (const std::string& mask : masks) {
            if (mask.empty()) continue;
            std::string full = ZpResolvePath(baseDir, mask);
            if (zp::platform::DirectoryExists(full)) {
                // A folder named by itself comes with everything in it.
                full = ZpExcludeTrailingBackslash(full);
                if (static_cast<uint16_t>(searchAttr) & faDirectory) AddFoundFile(full, true, baseDir);
                AddFolder(full + "\\", "*.*", searchAttr, exclusions, baseDir);
                continue;
            }
            std::string pattern = ZpExtractFileName(full);
            AddFolder(ZpExtractFilePath(full), pattern.empty() ? std::string("*.*") : pattern, searchAttr, exclusions,
                      baseDir);
        }
    });
}

void TZpBaseArchiver::AddFromStream(const std::string& storedName, std::shared_ptr<TZpStream> source) {
    if (!FActive) throw EZpException(zp::err::NotOpen, this);
    if (!source) throw EZpException(zp::err::MissingStream, this);
    std::string name = storedName;
    std::replace(name.begin(), name.end(), '\\', '/');
    while (!name.empty() && name[0] == '/') name.erase(0, 1);
    AsUpdate([&] { PutNewItem(std::string(), name, faArchive, std::move(source)); });
}

void TZpBaseArchiver::UpdateFiles(const std::string& fileMask, int16_t searchAttr, const std::string& exclusionMask) {
    if (!FActive) throw EZpException(zp::err::NotOpen, this);
    AsUpdate([&] {
        TagFiles(fileMask, searchAttr, exclusionMask);
        ProcessTaggedFiles(poUpdate);
    });
}

void TZpBaseArchiver::DeleteFiles(const std::string& fileMask, int16_t searchAttr, const std::string& exclusionMask) {
    if (!FActive) throw EZpException(zp::err::NotOpen, this);
    AsUpdate([&] {
        TagFiles(fileMask, searchAttr, exclusionMask);
        ProcessTaggedFiles(poDelete);
    });
}

void TZpBaseArchiver::TestFiles(const std::string& fileMask, int16_t searchAttr, const std::string& exclusionMask) {
    if (!FActive) throw EZpException(zp::err::NotOpen, this);
    if (FUpdateCount > 0) throw EZpException(zp::err::UpdateNotEnded, this);
    TagFiles(fileMask, searchAttr, exclusionMask);
    ProcessTaggedFiles(poTest);
}

void TZpBaseArchiver::UpdateItem(int index, const std::string& sourceFile) {
    if (index < 0 || index >= ItemCount()) throw EZpException(zp::err::UpdateIndex, this);
    CheckUpdating(zp::err::UpdateNotUpdating);
    TDirItem& item = FDirectory->NewItems().ItemRef(index);
    int64_t attributes = zp::platform::FileAttributes(sourceFile);
    uint32_t attr = attributes < 0 ? faArchive : static_cast<uint32_t>(attributes);
    TDirItem fresh = item;
    SetUpItem(fresh, sourceFile, item.Name, attr, item.Comment);
    fresh.Operation = static_cast<uint8_t>(item.Modified && item.Operation == poAdd ? poAdd : poUpdate);
    FDirectory->NewItems().PutItem(index, fresh);
}

void TZpBaseArchiver::DeleteItem(int index) {
    if (index < 0 || index >= ItemCount()) throw EZpException(zp::err::DeleteIndex, this);
    CheckUpdating(zp::err::DeleteNotUpdating);
    FDirectory->NewItems().Delete(index);
}

void TZpBaseArchiver::RefreshTaggedItem(int index, const std::string& baseDir) {
    const TDirItem& item = FDirectory->NewItems()[index];
    // A stored name that climbs out of the base folder must not pull in a file from elsewhere.
    if (item.IsDirectory() || !ZpIsSafeItemName(item.Name)) return;
    std::string source = baseDir + Backslashed(item.Name);
    if (!zp::platform::FileExists(source)) return;
    if (!MayReplace(item, source, item.Name)) return;
    UpdateItem(index, source);
}

void TZpBaseArchiver::TestTaggedItem(int index) {
    std::string folder = TempFolder();
    std::string path;
    std::unique_ptr<TZpStream> out = zp::platform::CreateTempFile(folder, "FC", path);
    if (!out) throw EZpException(zp::err::CannotCreateFile, this, {folder});
    try {
        DecompressItem(index, *out);
    } catch (...) {
        out.reset();
        zp::platform::RemoveFile(path);
        throw;
    }
    out.reset();
    zp::platform::RemoveFile(path);
}

std::string TZpBaseArchiver::TempFolder() const {
    return TempDir.empty() ? zp::platform::TempPath() : ZpIncludeTrailingBackslash(TempDir);
}
