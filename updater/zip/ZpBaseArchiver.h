// updater/zip/ZpBaseArchiver.h -- TZpBaseArchiver: one zip archive, its options, events, extraction and changes
//
// Portable component: Name, properties and events are plain members; the default dialogs go
// through Ui (borrowed; TZpHeadlessUi when none is attached). All calls run on the caller's
// thread; item loops of all archivers in the process are serialised by one recursive lock.
//
// Changes come in two stages: item operations flag items of a new directory, and the commit
// (the outermost EndUpdate, or CloseArchive) writes the archive anew beside the old one and puts
// it in the old one's place only once it is complete.
#pragma once

#include "ZpArchiveItem.h"
#include "ZpDirManager.h"
#include "ZpOptions.h"
#include "ZpSpanningOptions.h"
#include "ZpStagedItem.h"
#include "ZpStream.h"
#include "ZpTypes.h"
#include "ZpVolumeNumberInfo.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

class TZpUi;

class TZpBaseArchiver {
public:
    TZpBaseArchiver();
    virtual ~TZpBaseArchiver();
    TZpBaseArchiver(const TZpBaseArchiver&) = delete;
    TZpBaseArchiver& operator=(const TZpBaseArchiver&) = delete;

    std::string Name;                    // component name, the prefix of error messages

    // Published properties.
    std::string FileName;
    std::string BaseDir;                 // empty: the current folder
    std::string TempDir;                 // empty: the system's temporary folder
    std::string Password;
    TZpOptions Options;
    TZpSpanningOptions SpanningOptions;
    std::string SFXStub;
    bool ExtractCorruptedFiles = false;
    // True: extraction replaces no target; every item that decoded whole stays in its temporary
    // file, listed for TakeStagedItems, so the caller can replace all targets or none.
    bool StageExtractedItems = false;
    TZip64Mode Zip64Mode = zmAuto;
    TZpUi* Ui = nullptr;

    const std::vector<std::string>& FileMasks() const { return FFileMasks; }
    void SetFileMasks(const std::vector<std::string>& masks) { FFileMasks = masks; }
    const std::vector<std::string>& ExclusionMasks() const { return FExclusionMasks; }
    void SetExclusionMasks(const std::vector<std::string>& masks) { FExclusionMasks = masks; }
    const std::vector<std::string>& NoCompressionMasks() const { return FNoCompressionMasks; }
    void SetNoCompressionMasks(const std::vector<std::string>& masks) { FNoCompressionMasks = masks; }
    TZpCompressionLevel CompressionLevel() const { return FCompressionLevel; }
    void SetCompressionLevel(TZpCompressionLevel level);
    int CompressionMode() const { return FCompressionMode; }
    void SetCompressionMode(int mode);                       // above 9: native error 5
    std::string CurrentVersion() const;                      // "2.55 "
    void SetCurrentVersion(const std::string&) {}            // read-only in effect
    TZpSpanningMode SpanningMode() const { return FSpanningMode; }
    void SetSpanningMode(TZpSpanningMode mode);              // refused while open
    bool InMemory() const { return FInMemory; }
    void SetInMemory(bool value);

    // Events.
    TZpFileProgressEvent OnFileProgress;
    TZpProgressEvent OnOverallProgress;
    TZpConfirmOverwriteEvent OnConfirmOverwrite;
    TZpConfirmProcessFileEvent OnConfirmProcessFile;
    TZpNotifyEvent AfterOpen;
    TZpOnPasswordEvent OnPassword;
    TZpProcessFileFailureEvent OnProcessFileFailure;
    TZpOnRequestBlankVolumeEvent OnRequestBlankVolume;
    TZpOnRequestVolumeEvent OnRequestFirstVolume;
    TZpOnRequestVolumeEvent OnRequestLastVolume;
    TZpOnRequestMiddleVolumeEvent OnRequestMiddleVolume;
    TZpOnDiskFullEvent OnDiskFull;
    TZpOnStoreFileEvent OnStoreFile;
    TZpOnExtractFileEvent OnExtractFile;

    // Opening and closing.
    void OpenArchive(uint16_t mode);                         // fmCreate: a new archive
    void OpenArchive();                                      // the mode chosen from what the file allows
    void CloseArchive();                                     // commits pending changes; never raises
    int64_t Size() const;                                    // of the current volume; native error 13 when closed

    // Extraction and search.
    void ExtractFiles(const std::string& fileMask, int16_t searchAttr = 10431, const std::string& exclusionMask = "");
    bool FindFirst(const std::string& fileMask, TZpArchiveItem& item, const std::string& exclusionMask = "",
                   int16_t searchAttr = 10431);
    bool FindNext(TZpArchiveItem& item);
    void TagFiles(const std::string& fileMask, int16_t searchAttr, const std::string& exclusionMask);
    void ProcessTaggedFiles(TZpProcessOperation operation);
    void ExtractTaggedFile(int index, const std::string& fileName, const std::string& baseDir);
    void DecompressItem(int index, TZpStream& outStream);

    // Changes. Outside BeginUpdate/EndUpdate each operation is an update of its own and commits at once.
    void BeginUpdate();                                      // 13 closed, 32 read-only, 52 existing multi-volume
    void EndUpdate();                                        // the outermost one commits; a failed commit raises
    // Files below BaseDir (or absolute) matching fileMask, or FileMasks when it is empty; subfolders with
    // Options.Recurse. An item of the same stored name is replaced by Options.OverwriteMode's rule.
    void AddFiles(const std::string& fileMask = std::string(), int16_t searchAttr = 10431,
                  const std::string& exclusionMask = std::string());
    void AddFromStream(const std::string& storedName, std::shared_ptr<TZpStream> source);   // read at commit
    // Items matching the mask, refreshed from their files below BaseDir by Options.OverwriteMode's rule.
    void UpdateFiles(const std::string& fileMask, int16_t searchAttr = 10431, const std::string& exclusionMask = "");
    void DeleteFiles(const std::string& fileMask, int16_t searchAttr = 10431, const std::string& exclusionMask = "");
    // Decodes the matching items into a temporary file each; a bad item goes to OnProcessFileFailure.
    void TestFiles(const std::string& fileMask, int16_t searchAttr = 10431, const std::string& exclusionMask = "");
    void UpdateItem(int index, const std::string& sourceFile);   // native error 24 or 25
    void DeleteItem(int index);                                  // native error 21 or 22

    // State of the archive and of the last operation.
    bool Active() const { return FActive; }
    int UpdateCount() const { return FUpdateCount; }
    uint16_t OpenMode() const { return FOpenMode; }
    bool ZipSignatures() const { return FZipSignatures; }
    uint16_t DefaultMethod() const { return FDefaultMethod; }
    bool AcceptDirectory = true;
    int FilesProcessed() const { return FFilesProcessed; }
    int FilesTotal() const { return FFilesTotal; }
    bool Cancelled() const { return FCancelled; }
    bool PasswordSkipped() const { return FPasswordSkipped; }
    // The items staged since the last call; their temporary files are the caller's from now on.
    std::vector<TZpStagedItem> TakeStagedItems() { return std::exchange(FStagedItems, {}); }
    TZpVolumeNumberInfo VolumeInfo;
    int ItemCount() const;                                   // of the new directory while an update runs
    const TDirItem& Item(int index) const;
    std::string ArchiveComment() const;
    TZpDirManager* Directory() const { return FDirectory.get(); }
    std::string VolumeName(const std::string& fileName, int volumeNumber, bool checkExists) const;
    std::string CurrentVolumeName() const { return FCurrentVolumeName; }

protected:
    virtual void UpdateDefaultMethod();
    virtual void DoOnOverallProgress(TZpProcessOperation operation, TZpProgressPhase phase, double progress, bool& cancel);
    virtual void DoOnFileProgress(const std::string& fileName, TZpProcessOperation operation, double progress,
                                  TZpProgressPhase phase, bool& cancel);
    virtual void DoOnConfirmOverwrite(const std::string& sourceFileName, std::string& destFileName, bool& confirm);
    virtual void DoOnConfirmProcessFile(const std::string& fileName, TZpProcessOperation operation, bool& confirm);
    virtual void DoOnPassword(const std::string& fileName, std::string& newPassword, bool& skipFile);
    virtual void DoOnProcessFileFailure(const std::string& fileName, TZpProcessOperation operation, int nativeError,
                                        int errorCode, const std::string& errorMessage, TZpAction& action);
    virtual void DoOnRequestBlankVolume(int volumeNumber, std::string& volumeFileName, bool& cancel);
    virtual void DoOnRequestFirstVolume(std::string& volumeFileName, bool& cancel);
    virtual void DoOnRequestLastVolume(std::string& volumeFileName, bool& cancel);
    virtual void DoOnRequestMiddleVolume(int volumeNumber, std::string& volumeFileName, bool& cancel);
    virtual void DoOnDiskFull(int volumeNumber, const std::string& volumeFileName, bool& cancel);
    virtual void DoOnStoreFile(std::string& fileName, uint32_t& fileAttr, std::string& comment);
    virtual void DoOnExtractFile(std::string& fileName, uint32_t& fileAttr, const std::string& comment);

    bool FZipSignatures = false;
    uint16_t FDefaultMethod = 0xFFFF;

private:
    friend class TZpDirManager;

    TZpUi& UiOrDefault() const;
    void FreeStream();
    void DetectKind(bool selfExtractor);
    void SettleMode(bool found);
    bool IsSelfExtracting(const std::string& fileName) const;
    // Volumes: make one current, and read across their ends.
    void MakeVolumeCurrent(const TZpVolumeNumberInfo& wanted);
    void MakeVolumeCurrent(int volumeNumber);
    size_t ReadSpanned(void* buffer, size_t count);
    TZpStream& ArchiveStream();
    // Writing volumes of a new multi-volume archive.
    void CreateVolume(int volumeNumber);
    int64_t RoomOnVolume();
    void KeepTogether(size_t count);
    void WriteSpanned(const void* buffer, size_t count);
    void FinishVolumes();
    void DiscardVolumes();
    bool MultiVolume() const { return FSpanningMode != smNone; }
    // Changes and the commit.
    TZpDirArray& ItemsInUse();
    const TZpDirArray& ItemsInUse() const;
    void CheckUpdating(int code) const;
    void AsUpdate(const std::function<void()>& step);
    void DropUpdate();
    void SetUpItem(TDirItem& item, const std::string& sourceFile, const std::string& storedName, uint32_t attributes,
                   const std::string& comment);
    int FindNewItem(const std::string& storedName) const;
    bool MayReplace(const TDirItem& item, const std::string& sourceFile, const std::string& storedName);
    void PutNewItem(const std::string& sourceFile, std::string storedName, uint32_t attributes,
                    std::shared_ptr<TZpStream> source);
    void AddFoundFile(const std::string& path, bool folder, const std::string& baseDir);
    void AddFolder(const std::string& folder, const std::string& pattern, int16_t searchAttr,
                   const std::vector<std::string>& exclusions, const std::string& baseDir);
    void RefreshTaggedItem(int index, const std::string& baseDir);
    void TestTaggedItem(int index);
    std::string TempFolder() const;
    uint16_t ReopenMode() const;
    void Commit();
    void CommitSingle(TZpProcessOperation operation);
    void CommitVolumes(TZpProcessOperation operation);
    bool CommitItems(TZpStream* out);
    bool WriteNewItem(int index, TZpStream* out);
    void WriteItem(TDirItem& item, TZpStream* source, TZpStream& out, int64_t headerPosition);
    void CompressData(TDirItem& item, TZpStream& source, uint64_t size, TZpStream& out, uint32_t& crc);
    void CopyOldItem(int index, TZpStream& out);
    void PlaceItemOnVolumes(TDirItem& item, TZpStream& staged);
    void CopyPrefix(TZpStream& out);
    void ReplaceArchive(std::unique_ptr<TZpStream> built, const std::string& builtPath);
    void AcceptCommit();
    static std::recursive_mutex& ProcessLock();
    bool SearchStep(TZpArchiveItem& item);
    bool StreamDecode(int index, const TDirItem& item, TZpStream& out, uint32_t& crcOut, uint64_t& writtenOut);
    bool BlockDecode(int index, const TDirItem& item, TZpStream& out, uint32_t& crcOut, uint64_t& writtenOut);
    void ReportProgress(const std::string& name, double done, double total, bool& cancelled);
    void WriteItemToTarget(int index, const std::string& target, uint32_t fileAttr);

    std::vector<std::string> FFileMasks, FExclusionMasks, FNoCompressionMasks;
    TZpCompressionLevel FCompressionLevel = clFastest;
    int FCompressionMode = 1;
    TZpSpanningMode FSpanningMode = smNone;
    bool FInMemory = false;

    bool FActive = false;
    int FUpdateCount = 0;
    uint16_t FOpenMode = 0;
    bool FExternalStream = false;
    std::unique_ptr<TZpStream> FArchiveStream;
    std::unique_ptr<TZpDirManager> FDirectory;
    std::string FCurrentVolumeName;
    int FFilesProcessed = 0;
    int FFilesTotal = 0;
    bool FCancelled = false;
    bool FProgressEnabled = false;
    bool FPasswordSkipped = false;
    TZpProcessOperation FOperation = poExtract;
    std::vector<std::string> FWrittenVolumes;   // volumes created by the running commit
    std::vector<TZpStagedItem> FStagedItems;    // with StageExtractedItems, until taken
};
