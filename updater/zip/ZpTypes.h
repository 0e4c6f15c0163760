// updater/zip/ZpTypes.h -- enumerations, attribute bits and event types shared by the zip engine
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class TZpBaseArchiver;

enum TZpStorePathMode { spNoPath, spRelativePath, spFullPath, spFullPathWithDrive };
enum TZpFileShareMode { smShareCompat, smShareExclusive, smShareDenyWrite, smShareDenyRead, smShareDenyNone };
enum TZpOverwriteMode { omPrompt, omAlways, omNever, omIfNewer, omIfOlder };
enum TZpCompressionLevel { clNone, clFastest, clNormal, clMax };
enum TZpSpanningMode { smNone, smSpanning, smSplitting };
enum TZpVolumeSize { vsAutoDetect, vsCustom, vs1_44MB, vs100MB, vs200MB, vs250MB, vs600MB, vs650MB, vs700MB };
enum TZip64Mode { zmDisabled, zmAuto, zmAlways };
enum TZpProcessOperation { poAdd, poMove, poDelete, poUpdate, poExtract, poTest, poRename, poChangeAttr, poChangeComment };
enum TZpProgressPhase { ppStart, ppProcess, ppEnd };
enum TZpAction { fxaRetry, fxaIgnore, fxaAbort };

// DOS/Win32 file attribute bits as they stand in the external attributes of an item.
constexpr uint32_t faReadOnly = 0x01;
constexpr uint32_t faHidden = 0x02;
constexpr uint32_t faSysFile = 0x04;
constexpr uint32_t faVolumeID = 0x08;
constexpr uint32_t faDirectory = 0x10;
constexpr uint32_t faArchive = 0x20;

// File modes of OpenArchive, as the Win32 runtime numbers them.
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyNone = 0x0040;
constexpr uint16_t fmCreate = 0xFFFF;   // a new archive: the file is created, or truncated

// Events: called on the caller's thread with the archiver as sender; "var" arguments are references.
using TZpFileProgressEvent = std::function<void(TZpBaseArchiver* sender, const std::string& fileName, double progress,
                                                TZpProcessOperation operation, TZpProgressPhase phase, bool& cancel)>;
using TZpProgressEvent = std::function<void(TZpBaseArchiver* sender, double progress, TZpProcessOperation operation,
                                            TZpProgressPhase phase, bool& cancel)>;
using TZpConfirmOverwriteEvent = std::function<void(TZpBaseArchiver* sender, const std::string& sourceFileName,
                                                    std::string& destFileName, bool& confirm)>;
using TZpConfirmProcessFileEvent = std::function<void(TZpBaseArchiver* sender, const std::string& fileName,
                                                      TZpProcessOperation operation, bool& confirm)>;
using TZpNotifyEvent = std::function<void(TZpBaseArchiver* sender)>;
using TZpOnPasswordEvent = std::function<void(TZpBaseArchiver* sender, const std::string& fileName,
                                              std::string& newPassword, bool& skipFile)>;
// nativeError: the EZpException's native code; errorCode: the index of its message text.
using TZpProcessFileFailureEvent = std::function<void(TZpBaseArchiver* sender, const std::string& fileName,
                                                      TZpProcessOperation operation, int nativeError, int errorCode,
                                                      const std::string& errorMessage, TZpAction& action)>;
using TZpOnRequestBlankVolumeEvent = std::function<void(TZpBaseArchiver* sender, int volumeNumber,
                                                        std::string& volumeFileName, bool& cancel)>;
using TZpOnRequestVolumeEvent = std::function<void(TZpBaseArchiver* sender, std::string& volumeFileName, bool& cancel)>;
using TZpOnRequestMiddleVolumeEvent = std::function<void(TZpBaseArchiver* sender, int volumeNumber,
                                                         std::string& volumeFileName, bool& cancel)>;
using TZpOnDiskFullEvent = std::function<void(TZpBaseArchiver* sender, int volumeNumber,
                                              const std::string& volumeFileName, bool& cancel)>;
using TZpOnStoreFileEvent = std::function<void(TZpBaseArchiver* sender, std::string& fileName, uint32_t& fileAttr,
                                               std::string& comment)>;
using TZpOnExtractFileEvent = std::function<void(TZpBaseArchiver* sender, std::string& fileName, uint32_t& fileAttr,
                                                 const std::string& comment)>;
