// updater/zip/ZpBaseArchiverVolumes.cpp -- TZpBaseArchiver: volume names, the volume step, kind detection
//
// An archive is one file (smNone), split into files of one folder (smSplitting: name.z01,
// name.z02 ... name.zip, or name_001.zip ... with AdvancedNaming), or spanned over removable
// disks under one name (smSpanning). Opening probes the file that holds the end record and
// settles the kind from its disk number and from which volume names exist beside it. A new
// multi-volume archive is written volume after volume, each one asked for as a blank volume
// and given the archive's name when it turns out to be the last.
#include "ZpBaseArchiver.h"

#include "ZpException.h"
#include "ZpPath.h"
#include "ZpPlatform.h"
#include "ZpUi.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace {

// A handler that never cancels and never names an existing volume would keep the step asking forever.
constexpr int MaxVolumeRequests = 100;

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string Number(const char* format, int n) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, n);
    return buf;
}

// Restores AcceptDirectory however the probe ends.
class TAcceptDirectoryOff {
public:
    explicit TAcceptDirectoryOff(bool& flag) : FFlag(flag), FSaved(flag) { FFlag = false; }
    ~TAcceptDirectoryOff() { FFlag = FSaved; }
    TAcceptDirectoryOff(const TAcceptDirectoryOff&) = delete;
    TAcceptDirectoryOff& operator=(const TAcceptDirectoryOff&) = delete;

private:
    bool& FFlag;
    bool FSaved;
};

} // namespace

bool TZpBaseArchiver::IsSelfExtracting(const std::string& fileName) const {
    return (FDirectory && FDirectory->BaseOffset() != 0) || !SFXStub.empty() ||
           Lower(ZpExtractFileExt(fileName)).find(".exe") != std::string::npos;
}

std::string TZpBaseArchiver::VolumeName(const std::string& fileName, int volumeNumber, bool checkExists) const {
    std::string folder = ZpExtractFilePath(fileName);
    std::string ext = ZpExtractFileExt(fileName);
    std::string name = ZpExtractFileName(fileName);
    std::string base = name.substr(0, name.size() - ext.size());
    bool sfx = IsSelfExtracting(fileName);
    if (volumeNumber >= 0 && FSpanningMode == smSpanning) {
        std::string e = sfx ? ".exe" : ext;
        std::string advanced = folder + base + "_" + Number("%.3u", volumeNumber + 1) + e;
        std::string plain = folder + base + e;
        std::string first = SpanningOptions.AdvancedNaming ? advanced : plain;
        std::string other = SpanningOptions.AdvancedNaming ? plain : advanced;
        if (checkExists && !zp::platform::FileExists(first) && zp::platform::FileExists(other)) return other;
        return first;
    }
    if (volumeNumber >= 0 && FSpanningMode == smSplitting) {
        if (volumeNumber == 0 && sfx) return folder + base + ".exe";
        if (SpanningOptions.AdvancedNaming) return folder + base + "_" + Number("%.3u", volumeNumber + 1) + ext;
        return folder + base + (FDefaultMethod <= 251 ? ".Z" : ".F") + Number("%.2d", volumeNumber + 1);
    }
    if (volumeNumber < 0 && sfx && FSpanningMode == smSplitting)
        return folder + base + (FDefaultMethod > 251 ? ".ZP" : ".ZIP");
    return fileName;
}

void TZpBaseArchiver::MakeVolumeCurrent(int volumeNumber) {
    TZpVolumeNumberInfo wanted = VolumeInfo;
    wanted.VolumeNumber = volumeNumber;
    if (volumeNumber == wanted.LastVolumeNumber) wanted.Kind = TZpVolumeNumberInfo::vkLast;
    else if (volumeNumber == 0) wanted.Kind = TZpVolumeNumberInfo::vkFirst;
    else wanted.Kind = TZpVolumeNumberInfo::vkCustom;
    MakeVolumeCurrent(wanted);
}

void TZpBaseArchiver::MakeVolumeCurrent(const TZpVolumeNumberInfo& wanted) {
    if (FSpanningMode == smNone) {
        if (!FArchiveStream) {
            FArchiveStream = zp::platform::OpenFile(FileName, ReopenMode());
            if (!FArchiveStream) throw EZpException(zp::err::OpenAborted, this);
            FCurrentVolumeName = FileName;
        }
        VolumeInfo.VolumeNumber = wanted.VolumeNumber;
        VolumeInfo.Kind = wanted.Kind;
        return;
    }
    if (FArchiveStream && wanted.VolumeNumber >= 0 && wanted.VolumeNumber == VolumeInfo.VolumeNumber) return;
    for (int attempt = 0; attempt < MaxVolumeRequests; ++attempt) {
        std::string name = FileName;
        bool cancel = false;
        if (wanted.IsLast()) DoOnRequestLastVolume(name, cancel);
        else if (wanted.IsFirst()) DoOnRequestFirstVolume(name, cancel);
        else DoOnRequestMiddleVolume(wanted.VolumeNumber, name, cancel);
        if (cancel) break;
        if (name.empty()) {
            if (FSpanningMode == smSpanning) continue;
            return;
        }
        if (!zp::platform::FileExists(name)) continue;
        // Volumes written earlier are read: opening one with the create mode would empty it.
        std::unique_ptr<TZpStream> stream = zp::platform::OpenFile(name, ReopenMode());
        if (!stream) continue;
        FreeStream();
        FArchiveStream = std::move(stream);
        FCurrentVolumeName = name;
        VolumeInfo.VolumeNumber = wanted.VolumeNumber;
        VolumeInfo.Kind = wanted.Kind;
        return;
    }
    throw EZpException(zp::err::OpenAborted, this);
}

size_t TZpBaseArchiver::ReadSpanned(void* buffer, size_t count) {
    auto* p = static_cast<uint8_t*>(buffer);
    size_t total = 0;
    while (total < count) {
        size_t n = ArchiveStream().Read(p + total, count - total);
        total += n;
        if (total == count || FSpanningMode == smNone) break;
        // The volume ended: go on at the start of the next one.
        if (VolumeInfo.VolumeNumber < 0 || VolumeInfo.VolumeNumber >= VolumeInfo.LastVolumeNumber) break;
        MakeVolumeCurrent(VolumeInfo.VolumeNumber + 1);
        ArchiveStream().Seek(0);
    }
    return total;
}

void TZpBaseArchiver::CreateVolume(int volumeNumber) {
    if (FArchiveStream) {
        if (FSpanningMode == smSpanning) FArchiveStream->Flush();
        FArchiveStream.reset();
    }
    TZpVolumeNumberInfo volume = VolumeInfo;
    volume.SetNumber(volumeNumber);
    if (volumeNumber == 0) volume.SetFirst(true);
    int64_t limit = SpanningOptions.VolumeSizeFor(volume);
    for (int attempt = 0; attempt < MaxVolumeRequests; ++attempt) {
        std::string name = FileName;
        bool cancel = false;
        DoOnRequestBlankVolume(volumeNumber, name, cancel);
        if (cancel || name.empty()) break;
        int64_t free = zp::platform::DiskFree(ZpExtractFilePath(ZpExpandFileName(name)));
        bool fits = free < 0 || (free > 65536 && (limit < 0 || free >= limit));
        if (!fits) {
            cancel = false;
            DoOnDiskFull(volumeNumber, name, cancel);
            if (cancel) break;
            continue;
        }
        std::unique_ptr<TZpStream> stream = zp::platform::OpenFile(name, fmCreate);
        if (!stream) throw EZpException(zp::err::CannotCreateFile, this, {name});
        FArchiveStream = std::move(stream);
        FCurrentVolumeName = name;
        VolumeInfo.VolumeNumber = volume.VolumeNumber;
        VolumeInfo.Kind = volume.Kind;
        FWrittenVolumes.push_back(name);
        // Only a removable disk is labelled: a fixed disk's own label is the user's. A disk without
        // its label is still a volume, so a failure to label it is no reason to stop.
        std::string drive = ZpExtractFileDrive(ZpExpandFileName(name));
        if (FSpanningMode == smSpanning && ZpIsRemovableDrive(drive))
            zp::platform::LabelVolume(drive, "pkback# " + Number("%.3d", volumeNumber + 1));
        return;
    }
    throw EZpException(zp::err::OpenAborted, this);
}

int64_t TZpBaseArchiver::RoomOnVolume() {
    int64_t free = zp::platform::DiskFree(ZpExtractFilePath(ZpExpandFileName(FCurrentVolumeName)));
    int64_t limit = SpanningOptions.VolumeSizeFor(VolumeInfo);
    if (limit < 0) return free < 0 ? INT64_MAX : free;
    int64_t room = limit - ArchiveStream().Size();
    return free < 0 ? room : std::min(room, free);
}

void TZpBaseArchiver::KeepTogether(size_t count) {
    if (!MultiVolume() || RoomOnVolume() >= static_cast<int64_t>(count)) return;
    CreateVolume(VolumeInfo.VolumeNumber + 1);
    // Not even a fresh volume takes it: asking for more would never end.
    if (RoomOnVolume() < static_cast<int64_t>(count)) throw EZpException(zp::err::WriteFailed, this);
}

void TZpBaseArchiver::WriteSpanned(const void* buffer, size_t count) {
    if (!MultiVolume()) {
        ArchiveStream().WriteBuffer(buffer, count);
        return;
    }
    const auto* p = static_cast<const uint8_t*>(buffer);
    while (count > 0) {
        int64_t room = RoomOnVolume();
        if (room <= 0) {
            if (ArchiveStream().Size() == 0) throw EZpException(zp::err::WriteFailed, this);
            CreateVolume(VolumeInfo.VolumeNumber + 1);
            continue;
        }
        size_t n = static_cast<size_t>(std::min<int64_t>(room, static_cast<int64_t>(count)));
        ArchiveStream().WriteBuffer(p, n);
        p += n;
        count -= n;
    }
}

void TZpBaseArchiver::FinishVolumes() {
    // The volume that holds the end record carries the archive's name: on the same disk when spanned.
    std::string target = FSpanningMode == smSpanning
                             ? ZpExtractFilePath(FCurrentVolumeName) + ZpExtractFileName(FileName)
                             : FileName;
    VolumeInfo.LastVolumeNumber = VolumeInfo.VolumeNumber;
    VolumeInfo.Kind = TZpVolumeNumberInfo::vkLast;
    if (FCurrentVolumeName == target) {
        if (Options.FlushBuffers) ArchiveStream().Flush();
        return;
    }
    if (Options.FlushBuffers) ArchiveStream().Flush();
    FArchiveStream.reset();
    bool moved = zp::platform::MoveReplacing(FCurrentVolumeName, target);
    std::string name = moved ? target : FCurrentVolumeName;
    if (moved && !FWrittenVolumes.empty()) FWrittenVolumes.back() = target;
    FArchiveStream = zp::platform::OpenFile(name, fmOpenReadWrite | fmShareDenyWrite);
    FCurrentVolumeName = name;
    if (!moved) throw EZpException(zp::err::OutputLocked, this, {target});
    if (!FArchiveStream) throw EZpException(zp::err::CannotOpenSource, this, {target});
}

void TZpBaseArchiver::DiscardVolumes() {
    // Back to the empty first volume of a new archive: the volumes written since go.
    FArchiveStream.reset();
    if (FWrittenVolumes.empty()) return;
    std::string first = FWrittenVolumes.front();
    for (size_t i = 1; i < FWrittenVolumes.size(); ++i) zp::platform::RemoveFile(FWrittenVolumes[i]);
    FWrittenVolumes.assign(1, first);
    FArchiveStream = zp::platform::OpenFile(first, fmCreate);
    FCurrentVolumeName = first;
    VolumeInfo.LastVolumeNumber = -1;
    VolumeInfo.SetFirst(true);
    if (FArchiveStream && FDirectory && !SFXStub.empty()) FDirectory->PlaceSFXStub();
}

void TZpBaseArchiver::DetectKind(bool selfExtractor) {
    TAcceptDirectoryOff probing(AcceptDirectory);
    if (selfExtractor) {
        VolumeInfo.Reset();
        VolumeInfo.Kind = TZpVolumeNumberInfo::vkLast;
        MakeVolumeCurrent(VolumeInfo);
        FDirectory = std::make_unique<TZpDirManager>(FArchiveStream.get(), this, false);
        if (FDirectory->HasEndOfCentralDir()) {
            SettleMode(true);
            return;
        }
        // A stub whose zip data lies beside it as name.ZIP: the last volume of a split archive.
        FSpanningMode = smSplitting;
        std::string last = VolumeName(FileName, -1, false);
        if (zp::platform::FileExists(last)) MakeVolumeCurrent(VolumeInfo);
        FSpanningMode = smNone;
    }
    for (int attempt = 0;; ++attempt) {
        if (attempt >= MaxVolumeRequests) throw EZpException(zp::err::OpenAborted, this);
        FDirectory.reset();
        VolumeInfo.Reset();
        VolumeInfo.Kind = TZpVolumeNumberInfo::vkLast;
        if (!zp::platform::FileExists(FileName) && ZpIsRemovableDrive(FileName)) FSpanningMode = smSpanning;
        MakeVolumeCurrent(VolumeInfo);
        FDirectory = std::make_unique<TZpDirManager>(FArchiveStream.get(), this, false);
        bool found = FDirectory->HasEndOfCentralDir();
        SettleMode(found);
        if (found || FSpanningMode == smNone) break;
    }
}

void TZpBaseArchiver::SettleMode(bool found) {
    bool removable = ZpIsRemovableDrive(FileName);
    if (!found) {
        FSpanningMode = removable ? smSpanning : smNone;
        return;
    }
    const zp::TEndRecord& end = FDirectory->EndRecord();
    int disk = end.DiskNumber == 0xFFFF ? 0 : end.DiskNumber;
    // The whole directory must be on the volume that ends it, unless it began on an earlier one.
    bool consistent = end.StartDisk <= end.DiskNumber && end.EntriesOnDisk <= end.TotalEntries;
    if (disk == 0 && consistent) {
        FSpanningMode = smNone;
        return;
    }
    FSpanningMode = smSplitting;
    if (zp::platform::FileExists(VolumeName(FileName, disk - 1, false))) {
        FSpanningMode = disk == 0 ? smNone : smSplitting;
        return;
    }
    SpanningOptions.AdvancedNaming = !SpanningOptions.AdvancedNaming;
    if (zp::platform::FileExists(VolumeName(FileName, disk - 1, false))) {
        FSpanningMode = disk == 0 ? smNone : smSplitting;
        return;
    }
    SpanningOptions.AdvancedNaming = !SpanningOptions.AdvancedNaming;
    FSpanningMode = disk != 0 || removable ? smSpanning : smNone;
}

// Default volume dialogs. Handlers see volume numbers counted from 1.

void TZpBaseArchiver::DoOnRequestBlankVolume(int volumeNumber, std::string& volumeFileName, bool& cancel) {
    if (volumeNumber < 0) volumeNumber = 0;
    if (OnRequestBlankVolume) {
        OnRequestBlankVolume(this, volumeNumber + 1, volumeFileName, cancel);
        return;
    }
    volumeFileName = VolumeName(volumeFileName, volumeNumber, false);
    if (FSpanningMode == smSpanning)
        cancel = !UiOrDefault().AskOkCancel(Number("Please insert a blank disk #%d", volumeNumber + 1));
    else
        cancel = false;
}

void TZpBaseArchiver::DoOnRequestFirstVolume(std::string& volumeFileName, bool& cancel) {
    if (OnRequestFirstVolume) {
        OnRequestFirstVolume(this, volumeFileName, cancel);
        return;
    }
    if (FSpanningMode == smSpanning) {
        volumeFileName = VolumeName(volumeFileName, 0, true);
        cancel = !UiOrDefault().AskOkCancel("Please insert the first disk");
        if (!cancel) volumeFileName = VolumeName(FileName, 0, true);
        return;
    }
    // The first split volume has a name of its own (name.z01): name it before testing it.
    volumeFileName = VolumeName(volumeFileName, 0, true);
    cancel = !zp::platform::FileExists(volumeFileName) && FOpenMode != fmCreate;
}

void TZpBaseArchiver::DoOnRequestLastVolume(std::string& volumeFileName, bool& cancel) {
    if (OnRequestLastVolume) {
        OnRequestLastVolume(this, volumeFileName, cancel);
        return;
    }
    volumeFileName = VolumeName(volumeFileName, -1, true);
    if (FSpanningMode == smSpanning) {
        cancel = !UiOrDefault().AskOkCancel("Please insert the last disk");
        while (!cancel && !zp::platform::FileExists(volumeFileName)) {
            std::string text = "File '" + volumeFileName +
                               "' not found on inserted disk. Please insert last disk with required file";
            cancel = !UiOrDefault().AskOkCancel(text);
        }
        return;
    }
    cancel = !zp::platform::FileExists(volumeFileName);
}

void TZpBaseArchiver::DoOnRequestMiddleVolume(int volumeNumber, std::string& volumeFileName, bool& cancel) {
    if (OnRequestMiddleVolume) {
        OnRequestMiddleVolume(this, volumeNumber + 1, volumeFileName, cancel);
        return;
    }
    if (FSpanningMode == smSpanning) {
        volumeFileName = VolumeName(volumeFileName, volumeNumber, true);
        cancel = !UiOrDefault().AskOkCancel(Number("Please insert disk #%d", volumeNumber + 1));
        if (!cancel) volumeFileName = VolumeName(FileName, volumeNumber, true);
        return;
    }
    volumeFileName = VolumeName(volumeFileName, volumeNumber, true);
    cancel = !zp::platform::FileExists(volumeFileName);
}

void TZpBaseArchiver::DoOnDiskFull(int volumeNumber, const std::string& volumeFileName, bool& cancel) {
    if (OnDiskFull) {
        OnDiskFull(this, volumeNumber + 1, volumeFileName, cancel);
        return;
    }
    if (FSpanningMode != smSpanning) {
        cancel = true;
        return;
    }
    TZpVolumeNumberInfo v = VolumeInfo;
    v.VolumeNumber = volumeNumber;
    long long limit = SpanningOptions.VolumeSizeFor(v);
    long long free = zp::platform::DiskFree(ZpExtractFileDrive(volumeFileName));
    std::string text = "Disk is full. Required free space: " + std::to_string(limit) +
                       " bytes, but available only: " + std::to_string(free) +
                       " bytes. Clean the disk or find another blank disk";
    cancel = !UiOrDefault().AskOkCancel(text);
}
