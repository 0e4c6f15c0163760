// shell/sxFileOperation.h -- TsxFileOperation: copies, moves, renames or deletes a list of files
// through the shell (SHFileOperationA), with the shell's own progress and confirmation dialogs
//
// FileList holds one file (or wildcard) per line. When any line holds "=", every line is a
// "source=destination" pair: the destination is taken against DestFolder and completed from its
// source by ApplyNameMask, so "a.txt=*.bak" copies a.txt to DestFolder\a.bak. Otherwise every
// line goes to DestFolder.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "desktop/Component.h"
#include "desktop/Events.h"
#include "desktop/StringList.h"

enum class TsxFileOperationType { fotCopy, fotDelete, fotMove, fotRename };
using enum TsxFileOperationType;

enum TsxFileOperationFlag : unsigned {
    fofAllowUndo = 1u << 0,         // FOF_ALLOWUNDO: deleted files go to the recycle bin
    fofFilesOnly = 1u << 1,         // FOF_FILESONLY: wildcards match files, not folders
    fofNoConfirmation = 1u << 2,    // FOF_NOCONFIRMATION: "yes to all" to every question
    fofNoConfirmMkDir = 1u << 3,    // FOF_NOCONFIRMMKDIR
    fofNoErrorUI = 1u << 4,         // FOF_NOERRORUI: errors reach OnError only
    fofRenameCollision = 1u << 5,   // FOF_RENAMEONCOLLISION: "Copy of ..." instead of overwriting
    fofSilent = 1u << 6,            // FOF_SILENT: no progress dialog
    fofSimpleProgress = 1u << 7,    // FOF_SIMPLEPROGRESS: progress without file names, ProgressTitle shown
};
using TsxFileOperationFlags = unsigned;   // a set of TsxFileOperationFlag

// Sender, the system's text of the error, Handled (asked for, not used further).
using TsxFileOperationEvent = TBoundMethod<void(TObject* sender, const std::string& text, bool& handled)>;

class TsxFileOperation : public TComponent {
public:
    explicit TsxFileOperation(TComponent* owner) : TComponent(owner) {}

    const TStringList& FileList() const noexcept { return FFileList; }
    TStringList& FileList() noexcept { return FFileList; }
    void SetFileList(const TStringList& value) { FFileList.Assign(value); }
    void SetFileListLines(const std::vector<std::string>& lines);
    const std::string& DestFolder() const noexcept { return FDestFolder; }
    void SetDestFolder(const std::string& value) { FDestFolder = value; }
    const std::string& ProgressTitle() const noexcept { return FProgressTitle; }
    void SetProgressTitle(const std::string& value) { FProgressTitle = value; }
    TsxFileOperationType Operation() const noexcept { return FOperation; }
    void SetOperation(TsxFileOperationType value) noexcept { FOperation = value; }
    TsxFileOperationFlags Options() const noexcept { return FOptions; }
    void SetOptions(TsxFileOperationFlags value) noexcept { FOptions = value; }
    const TsxFileOperationEvent& OnError() const noexcept { return FOnError; }
    void SetOnError(const TsxFileOperationEvent& value) { FOnError = value; }

    // true only when the shell did the whole job (an empty list is done at once); a failure,
    // a cancelled dialog included, reaches OnError with the system's text, except "no more files".
    virtual bool ExecuteOperation(TsxFileOperationType operation);
    virtual void GetErrorText(DWORD code, std::string& text);
    virtual bool DoError(const std::string& text);   // OnError's Handled
    virtual bool Execute() { return ExecuteOperation(FOperation); }

private:
    TStringList FFileList;
    std::string FDestFolder;
    std::string FProgressTitle;
    TsxFileOperationType FOperation = fotCopy;
    TsxFileOperationFlags FOptions = fofAllowUndo | fofFilesOnly | fofRenameCollision;
    TsxFileOperationEvent FOnError;
};

// The shell's form of a list of names: each name zero-terminated, the list ended by one more
// zero. Empty names are left out: one would end the list early.
std::string ShellNameList(const std::vector<std::string>& names);

// Registers TsxFileOperation for window descriptions.
void RegisterFileOperationClass();
