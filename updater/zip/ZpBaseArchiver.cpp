// updater/zip/ZpBaseArchiver.cpp -- construction, properties, opening and closing, default dialogs
#include "ZpBaseArchiver.h"

#include "ZpChecksum.h"
#include "ZpException.h"
#include "ZpHeadlessUi.h"
#include "ZpPath.h"
#include "ZpPlatform.h"
#include "ZpUi.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace {

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string FormatText(const char* format, const std::string& a, const std::string& b = std::string()) {
    std::string out;
    int n = 0;
    for (const char* p = format; *p; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            out += n++ == 0 ? a : b;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

} // namespace

TZpBaseArchiver::TZpBaseArchiver() {
    SetCompressionLevel(clFastest);
    VolumeInfo.Reset();
}

TZpBaseArchiver::~TZpBaseArchiver() { CloseArchive(); }

TZpUi& TZpBaseArchiver::UiOrDefault() const {
    static TZpHeadlessUi headless;
    return Ui ? *Ui : headless;
}

void TZpBaseArchiver::SetCompressionLevel(TZpCompressionLevel level) {
    FCompressionLevel = level;
    FCompressionMode = ZpModeFromLevel(level);
    UpdateDefaultMethod();
}

void TZpBaseArchiver::SetCompressionMode(int mode) {
    if (mode < 0 || mode > 9) throw EZpException(zp::err::CompressionModeRange, this);
    FCompressionMode = mode;
    FCompressionLevel = ZpLevelFromMode(mode);
    UpdateDefaultMethod();
}

void TZpBaseArchiver::UpdateDefaultMethod() { FDefaultMethod = 0xFFFF; }

std::string TZpBaseArchiver::CurrentVersion() const {
    // Written out rather than formatted: the text must not follow the locale's decimal separator.
    return "2.55 ";
}

void TZpBaseArchiver::SetSpanningMode(TZpSpanningMode mode) {
    if (FActive) throw std::runtime_error("Cannot set spanning mode on open archive");
    FSpanningMode = mode;
}

void TZpBaseArchiver::SetInMemory(bool value) {
    if (value == FInMemory) return;
    if (!FActive) {
        FInMemory = value;
        return;
    }
    if (!value) {
        if (ZpExtractFileName(FileName).empty()) throw EZpException(zp::err::BlankNameToFile, this);
        Commit();   // pending changes belong in what is written out
        FUpdateCount = 0;
        auto* memory = dynamic_cast<TZpMemoryStream*>(FArchiveStream.get());
        // An archive that never received an item gets its end record first, or the file could not be reopened.
        if (memory && memory->Size() == 0 && FDirectory) FDirectory->WriteCentralDir(false);
        std::unique_ptr<TZpStream> file = zp::platform::OpenFile(FileName, fmCreate);
        if (!file) throw EZpException(zp::err::CannotCreateFile, this, {FileName});
        if (memory) file->WriteBuffer(memory->Data().data(), memory->Data().size());
        file.reset();
        CloseArchive();
        FInMemory = false;
        OpenArchive();
    } else {
        CloseArchive();
        FInMemory = true;
        OpenArchive();
    }
}

void TZpBaseArchiver::FreeStream() {
    if (FExternalStream) (void)FArchiveStream.release();
    FArchiveStream.reset();
    FCurrentVolumeName.clear();
}

TZpStream& TZpBaseArchiver::ArchiveStream() {
    if (!FArchiveStream) throw EZpException(zp::err::NotOpen, this);
    return *FArchiveStream;
}

void TZpBaseArchiver::OpenArchive(uint16_t mode) {
    if (!FInMemory && ZpExtractFileName(FileName).empty()) throw EZpException(zp::err::BlankNameOnOpenMode, this);
    if (!(mode == fmCreate || zp::platform::FileExists(FileName) || FSpanningMode == smSpanning ||
          ZpIsRemovableDrive(FileName)))
        throw EZpException(zp::err::ArchiveNotFound, this, {FileName});
    if (mode != fmCreate && FInMemory) throw EZpException(zp::err::InMemoryCreateOnly, this);
    CloseArchive();
    FExternalStream = false;
    FOpenMode = mode;
    try {
        if (mode == fmCreate || FInMemory) {
            if (FInMemory) {
                FArchiveStream = std::make_unique<TZpMemoryStream>();
            } else {
                VolumeInfo.Reset();
                VolumeInfo.SetFirst(true);
                FWrittenVolumes.clear();
                if (FSpanningMode != smNone) {
                    CreateVolume(0);
                } else {
                    FArchiveStream = zp::platform::OpenFile(FileName, fmCreate);
                    if (!FArchiveStream) throw EZpException(zp::err::CannotCreateFile, this, {FileName});
                    FCurrentVolumeName = FileName;
                }
            }
            FDirectory = std::make_unique<TZpDirManager>(FArchiveStream.get(), this, true);
        } else {
            FSpanningMode = smNone;
            VolumeInfo.Reset();
            DetectKind(Lower(ZpExtractFileExt(FileName)).find(".exe") != std::string::npos);
            if (FDirectory->FoundEndRecord() || AcceptDirectory) {
                FDirectory->ReadCentralDir();
            } else {
                throw EZpException(zp::err::ArchiveDamaged, this);
            }
        }
    } catch (...) {
        // A failed open leaves nothing open: the file must not stay locked.
        FDirectory.reset();
        FreeStream();
        throw;
    }
    FActive = true;
    if (AfterOpen) AfterOpen(this);
}

void TZpBaseArchiver::OpenArchive() {
    if (!FInMemory && ZpExtractFileName(FileName).empty()) throw EZpException(zp::err::BlankNameOnOpen, this);
    uint16_t mode = fmCreate;
    if (!FInMemory && zp::platform::FileExists(FileName)) {
        // Read-write with deny-write sharing when the file allows it, else read-only.
        bool writable = zp::platform::OpenFile(FileName, fmOpenReadWrite | fmShareDenyWrite) != nullptr;
        mode = writable ? (fmOpenReadWrite | fmShareDenyWrite) : (fmOpenRead | fmShareDenyNone);
    }
    OpenArchive(mode);
}

void TZpBaseArchiver::CloseArchive() {
    if (FActive) {
        // A failed commit has left the archive as it was; closing goes on regardless.
        try {
            Commit();
        } catch (...) {
        }
        FUpdateCount = 0;
        if (FArchiveStream && FDirectory && FArchiveStream->Size() == 0) {
            try {
                FDirectory->WriteCentralDir(false);
                if (MultiVolume() && FOpenMode == fmCreate) FinishVolumes();
            } catch (...) {
            }
        }
        FActive = false;
    }
    FDirectory.reset();
    FreeStream();
}

int64_t TZpBaseArchiver::Size() const {
    if (!FActive || !FArchiveStream) throw EZpException(zp::err::NotOpen, this);
    return FArchiveStream->Size();
}

int TZpBaseArchiver::ItemCount() const { return FDirectory ? ItemsInUse().Count() : 0; }

const TDirItem& TZpBaseArchiver::Item(int index) const { return ItemsInUse()[index]; }

std::string TZpBaseArchiver::ArchiveComment() const { return FDirectory ? FDirectory->Comment() : std::string(); }

// Dispatchers: the handler when one is assigned, else the default answer or dialog.

void TZpBaseArchiver::DoOnOverallProgress(TZpProcessOperation operation, TZpProgressPhase phase, double progress,
                                          bool& cancel) {
    if (OnOverallProgress) OnOverallProgress(this, progress, operation, phase, cancel);
    else cancel = false;
}

void TZpBaseArchiver::DoOnFileProgress(const std::string& fileName, TZpProcessOperation operation, double progress,
                                       TZpProgressPhase phase, bool& cancel) {
    if (!OnFileProgress) {
        cancel = false;
        return;
    }
    std::string name = fileName;
    std::replace(name.begin(), name.end(), '/', '\\');
    OnFileProgress(this, name, progress, operation, phase, cancel);
}

void TZpBaseArchiver::DoOnConfirmOverwrite(const std::string& sourceFileName, std::string& destFileName, bool& confirm) {
    if (OnConfirmOverwrite) {
        OnConfirmOverwrite(this, sourceFileName, destFileName, confirm);
        return;
    }
    switch (UiOrDefault().AskOverwrite(FormatText("Overwrite file \"%s\" with \"%s\"", destFileName, sourceFileName))) {
    case TZpUi::oaYes: confirm = true; break;
    case TZpUi::oaYesToAll: confirm = true; Options.OverwriteMode = omAlways; break;
    case TZpUi::oaNoToAll: confirm = false; Options.OverwriteMode = omNever; break;
    default: confirm = false; break;
    }
}

void TZpBaseArchiver::DoOnConfirmProcessFile(const std::string& fileName, TZpProcessOperation operation, bool& confirm) {
    confirm = true;
    if (OnConfirmProcessFile) OnConfirmProcessFile(this, fileName, operation, confirm);
}

void TZpBaseArchiver::DoOnPassword(const std::string& fileName, std::string& newPassword, bool& skipFile) {
    if (OnPassword) {
        OnPassword(this, fileName, newPassword, skipFile);
        return;
    }
    std::string answer = newPassword;
    if (UiOrDefault().AskPassword(FormatText("Password for \"%s\"", fileName), "Enter password: ", answer))
        newPassword = answer;
    else
        skipFile = true;
}

void TZpBaseArchiver::DoOnProcessFileFailure(const std::string& fileName, TZpProcessOperation operation, int nativeError,
                                             int errorCode, const std::string& errorMessage, TZpAction& action) {
    if (OnProcessFileFailure) {
        action = fxaIgnore;
        OnProcessFileFailure(this, fileName, operation, nativeError, errorCode, errorMessage, action);
        return;
    }
    switch (UiOrDefault().AskFailure(FormatText("%s. File processing error, possibly disk is full", errorMessage))) {
    case TZpUi::faRetry: action = fxaRetry; break;
    case TZpUi::faIgnore: action = fxaIgnore; break;
    default: action = fxaAbort; break;
    }
}

void TZpBaseArchiver::DoOnStoreFile(std::string& fileName, uint32_t& fileAttr, std::string& comment) {
    if (!OnStoreFile) return;
    std::replace(fileName.begin(), fileName.end(), '/', '\\');
    OnStoreFile(this, fileName, fileAttr, comment);
    std::replace(fileName.begin(), fileName.end(), '\\', '/');
}

void TZpBaseArchiver::DoOnExtractFile(std::string& fileName, uint32_t& fileAttr, const std::string& comment) {
    std::replace(fileName.begin(), fileName.end(), '/', '\\');
    if (OnExtractFile) OnExtractFile(this, fileName, fileAttr, comment);
}
