// updater/ZipMessageUi.cpp -- the engine's questions shown with MessageDlg
#include "updater/ZipMessageUi.h"

#include "desktop/Dialogs.h"

TZpUi::TOverwriteAnswer TZipMessageUi::AskOverwrite(const std::string& text) {
    switch (MessageDlg(text, TMsgDlgType::mtConfirmation, mbYes | mbNo | mbNoToAll | mbYesToAll)) {
    case mrYes: return oaYes;
    case mrNo: return oaNo;
    case mrNoToAll: return oaNoToAll;
    case mrYesToAll: return oaYesToAll;
    default: return oaClosed;
    }
}

bool TZipMessageUi::AskPassword(const std::string&, const std::string&, std::string&) { return false; }

TZpUi::TFailureAnswer TZipMessageUi::AskFailure(const std::string& text) {
    switch (MessageDlg(text, TMsgDlgType::mtConfirmation, mbAbortRetryIgnore)) {
    case mrRetry: return faRetry;
    case mrIgnore: return faIgnore;
    default: return faAbort;
    }
}

bool TZipMessageUi::AskOkCancel(const std::string& text) {
    return MessageDlg(text, TMsgDlgType::mtConfirmation, mbOKCancel) == mrOk;
}
