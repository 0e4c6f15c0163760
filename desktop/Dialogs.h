// desktop/Dialogs.h -- TOpenDialog (the common open-file dialog) and the message boxes
// ShowMessage and MessageDlg
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "Component.h"
#include "Form.h"
#include "SysUtils.h"

class EDialogError : public Exception {
public:
    using Exception::Exception;
};

enum TOpenOption : unsigned {
    ofReadOnly = 1u << 0, ofOverwritePrompt = 1u << 1, ofHideReadOnly = 1u << 2, ofNoChangeDir = 1u << 3,
    ofShowHelp = 1u << 4, ofNoValidate = 1u << 5, ofAllowMultiSelect = 1u << 6, ofExtensionDifferent = 1u << 7,
    ofPathMustExist = 1u << 8, ofFileMustExist = 1u << 9, ofCreatePrompt = 1u << 10, ofShareAware = 1u << 11,
    ofNoReadOnlyReturn = 1u << 12, ofNoTestFileCreate = 1u << 13, ofNoNetworkButton = 1u << 14,
    ofNoLongNames = 1u << 15, ofOldStyleDialog = 1u << 16, ofNoDereferenceLinks = 1u << 17,
    ofEnableIncludeNotify = 1u << 18, ofEnableSizing = 1u << 19, ofDontAddToRecent = 1u << 20,
    ofForceShowHidden = 1u << 21,
};
using TOpenOptions = unsigned;                    // a set of TOpenOption

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* owner);

    const std::string& Filter() const noexcept { return FFilter; }
    void SetFilter(const std::string& value) { FFilter = value; }   // "Text files|*.txt|All|*.*"
    int FilterIndex() const noexcept { return FFilterIndex; }
    void SetFilterIndex(int value) { FFilterIndex = value; }        // 1-based; Execute stores the user's choice
    const std::string& FileName() const noexcept { return FFileName; }
    void SetFileName(const std::string& value) { FFileName = value; }
    const std::vector<std::string>& Files() const noexcept { return FFiles; }   // every chosen file, full paths
    const std::string& InitialDir() const noexcept { return FInitialDir; }
    void SetInitialDir(const std::string& value) { FInitialDir = value; }
    const std::string& Title() const noexcept { return FTitle; }
    void SetTitle(const std::string& value) { FTitle = value; }
    const std::string& DefaultExt() const noexcept { return FDefaultExt; }
    void SetDefaultExt(const std::string& value) { FDefaultExt = value; }   // without the dot
    TOpenOptions Options() const noexcept { return FOptions; }
    void SetOptions(TOpenOptions value) { FOptions = value; }

    // Modal over the active form (or the application window). False: the user cancelled.
    // Throws EDialogError when the dialog itself fails (CommDlgExtendedError).
    virtual bool Execute();

    // What Execute hands to GetOpenFileNameA.
    std::string FilterBuffer() const;             // "Text files\0*.txt\0All\0*.*\0\0"; throws EDialogError on an odd part count
    DWORD Flags() const;                          // OFN_* of Options, plus OFN_EXPLORER

private:
    std::string FFilter;
    int FFilterIndex = 1;
    std::string FFileName;
    std::vector<std::string> FFiles;
    std::string FInitialDir;
    std::string FTitle;
    std::string FDefaultExt;
    TOpenOptions FOptions = ofHideReadOnly | ofEnableSizing;
};

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : unsigned {
    mbYes = 1u << 0, mbNo = 1u << 1, mbOK = 1u << 2, mbCancel = 1u << 3, mbAbort = 1u << 4, mbRetry = 1u << 5,
    mbIgnore = 1u << 6, mbAll = 1u << 7, mbNoToAll = 1u << 8, mbYesToAll = 1u << 9, mbHelp = 1u << 10,
};
using TMsgDlgButtons = unsigned;                  // a set of TMsgDlgBtn
constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo, mbYesNoCancel = mbYes | mbNo | mbCancel,
                         mbOKCancel = mbOK | mbCancel, mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;
// The modal results, mrOk ... mrYesToAll, are those of Form.h.

// A plain message window: the application title as caption, OK, no icon.
void ShowMessage(const std::string& text);
// A message box with the icon and caption of its type ("Warning", "Error", "Information",
// "Confirm"; the application title for mtCustom) and the given buttons; returns the
// button's result (mrYes, mrOk, ..., mrYesToAll; mrCancel when closed otherwise).
// Throws EDialogError for an empty button set.
int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);
// The MB_* flags of the message box MessageDlg shows. False: no message box has exactly these
// buttons (the "to all" answers, All), so MessageDlg shows a dialog of its own with them.
bool MessageDlgFlags(TMsgDlgType type, TMsgDlgButtons buttons, UINT& flagsOut);
std::string MessageDlgCaption(TMsgDlgType type);

void RegisterDialogClasses();
